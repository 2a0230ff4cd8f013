#include "core/last_data.h"

#include "core/rms_text.h"

namespace kivo {
namespace {

constexpr int kIgnoredLineBytes = 5;
constexpr int kCorrectionBytes = 50;

}  // namespace

QByteArray FirstLine(const QByteArray& content) {
  qsizetype end = 0;
  while (end < content.size() && content[end] != '\r' && content[end] != '\n') ++end;
  return content.left(end);
}

QByteArray TrimBlanksAndControls(const QByteArray& text) { return TrimmedBytes(text).toByteArray(); }

std::optional<LastData> ParseLastDataLine(const QByteArray& line) {
  if (line.size() <= kIgnoredLineBytes) return std::nullopt;
  LastData data;
  const qsizetype comma = line.indexOf(',');
  if (comma < 0) {
    data.RmsName = DecodeAnsi(TrimBlanksAndControls(line));
    return data;
  }
  data.RmsName = DecodeAnsi(TrimBlanksAndControls(line.left(comma)));
  const QByteArray correction = TrimBlanksAndControls(line.mid(comma + 1, kCorrectionBytes));
  bool ok = false;
  const int value = correction.toInt(&ok, 10);
  data.ClockCorrection = ok ? value : 0;
  return data;
}

QByteArray FormatLastDataFile(const QString& rmsName, int clockCorrection) {
  return EncodeAnsi(rmsName) + ',' + QByteArray::number(clockCorrection) + "\r\n";
}

}  // namespace kivo
