#include "core/last_data.h"

#include <string>

#include "ansi/ansi.h"

namespace kivo {
namespace {

constexpr int kIgnoredLineBytes = 5;
constexpr int kCorrectionBytes = 50;

QString FromAnsi(const QByteArray& bytes) {
  const std::string utf8 = ansi::ToUtf8(std::string_view(bytes.constData(), bytes.size()));
  return QString::fromStdString(utf8);
}

QByteArray ToAnsi(const QString& text) {
  return QByteArray::fromStdString(ansi::FromUtf8(text.toStdString()));
}

}  // namespace

QByteArray FirstLine(const QByteArray& content) {
  qsizetype end = 0;
  while (end < content.size() && content[end] != '\r' && content[end] != '\n') ++end;
  return content.left(end);
}

QByteArray TrimBlanksAndControls(const QByteArray& text) {
  qsizetype first = 0;
  qsizetype last = text.size();
  while (first < last && static_cast<unsigned char>(text[first]) <= ' ') ++first;
  while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ') --last;
  return text.mid(first, last - first);
}

std::optional<LastData> ParseLastDataLine(const QByteArray& line) {
  if (line.size() <= kIgnoredLineBytes) return std::nullopt;
  LastData data;
  const qsizetype comma = line.indexOf(',');
  if (comma < 0) {
    data.RmsName = FromAnsi(TrimBlanksAndControls(line));
    return data;
  }
  data.RmsName = FromAnsi(TrimBlanksAndControls(line.left(comma)));
  const QByteArray correction = TrimBlanksAndControls(line.mid(comma + 1, kCorrectionBytes));
  bool ok = false;
  const int value = correction.toInt(&ok, 10);
  data.ClockCorrection = ok ? value : 0;
  return data;
}

QByteArray FormatLastDataFile(const QString& rmsName, int clockCorrection) {
  return ToAnsi(rmsName) + ',' + QByteArray::number(clockCorrection) + "\r\n";
}

}  // namespace kivo
