#include "core/rms_details.h"

#include <algorithm>

#include "core/rms_text.h"

namespace kivo {
namespace {

constexpr qsizetype kShortestSplitRest = 10;
constexpr qsizetype kNameColumnWidth = 14;

}  // namespace

bool IsRmsHeaderLine(QByteArrayView line) { return line.startsWith("NAT"); }

QList<QByteArray> SplitDetailTokens(QByteArrayView line) {
  QList<QByteArray> tokens;
  QByteArrayView rest = TrimmedBytes(line.size() >= kDetailsFirstColumn ? line.sliced(kDetailsFirstColumn - 1)
                                                                        : QByteArrayView());
  while (rest.size() > kShortestSplitRest) {
    const qsizetype blank = rest.indexOf(' ');
    if (blank < 0) {
      // Nothing left to split at: the whole remainder is the last value.
      tokens.append(rest.toByteArray());
      break;
    }
    tokens.append(TrimmedBytes(rest.first(blank)).toByteArray());
    rest = TrimmedBytes(rest.sliced(blank));
  }
  return tokens;
}

QList<DetailPair> BoatDetails(QByteArrayView line, Table<QString>& headerNames) {
  const QList<QByteArray> tokens = SplitDetailTokens(line);
  const int nameCapacity = headerNames.empty() ? 0 : headerNames.size() - 1;
  QList<DetailPair> pairs;
  if (IsRmsHeaderLine(line)) {
    const int count = static_cast<int>(std::min<qsizetype>(tokens.size(), nameCapacity));
    for (int k = 1; k <= count; ++k) headerNames[k] = DecodeAnsi(tokens[k - 1]);
    for (int k = 1; k <= count; ++k) pairs.append({headerNames[k], QString()});
    return pairs;
  }
  const int count = static_cast<int>(std::min<qsizetype>(tokens.size(), kMaxDetailValues));
  for (int k = 1; k <= count; ++k)
    pairs.append({k <= nameCapacity ? headerNames[k] : QString(), DecodeAnsi(tokens[k - 1])});
  return pairs;
}

QString DetailListItem(const DetailPair& pair) {
  const QByteArray name = "  " + EncodeAnsi(pair.name) + ":" + QByteArray(22, ' ');
  return DecodeAnsi(QByteArrayView(name).first(kNameColumnWidth)) + pair.value;
}

QStringList DetailListItems(const QList<DetailPair>& pairs) {
  QStringList items;
  items.reserve(pairs.size());
  for (const DetailPair& pair : pairs) items.append(DetailListItem(pair));
  return items;
}

}  // namespace kivo
