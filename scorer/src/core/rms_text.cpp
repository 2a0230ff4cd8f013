#include "core/rms_text.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "ansi/ansi.h"

namespace kivo {

QByteArrayView TrimmedBytes(QByteArrayView text) {
  qsizetype first = 0;
  qsizetype last = text.size();
  while (first < last && static_cast<unsigned char>(text[first]) <= ' ') ++first;
  while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ') --last;
  return text.sliced(first, last - first);
}

QByteArrayView ColumnBytes(QByteArrayView line, int firstColumn, int width) {
  const qsizetype start = firstColumn - 1;
  if (start < 0 || width <= 0 || start >= line.size()) return {};
  const qsizetype length = std::min<qsizetype>(width, line.size() - start);
  return line.sliced(start, length);
}

QByteArrayView FieldBytes(QByteArrayView line, int firstColumn, int width) {
  return TrimmedBytes(ColumnBytes(line, firstColumn, width));
}

QString DecodeAnsi(QByteArrayView bytes) {
  // Most fields are plain ASCII, which CP932 maps one to one; skipping the
  // converter for them keeps a load of thousands of boats fast.
  bool ascii = true;
  for (char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) {
      ascii = false;
      break;
    }
  }
  if (ascii) return QString::fromLatin1(bytes);
  const std::string utf8 = ansi::ToUtf8(std::string_view(bytes.data(), bytes.size()));
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QByteArray EncodeAnsi(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  const std::string bytes = ansi::FromUtf8(std::string_view(utf8.constData(), utf8.size()));
  return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QStringList CharactersOutsideAnsi(const QString& text) {
  QStringList outside;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
    const qsizetype length = pair ? 2 : 1;
    const QString character = text.mid(i, length);
    i += length - 1;
    if (character != QLatin1String("?") && EncodeAnsi(character) == "?" && !outside.contains(character))
      outside.append(character);
  }
  return outside;
}

int AnsiByteLength(QStringView text) {
  const QByteArray utf8 = text.toUtf8();
  return static_cast<int>(ansi::ByteLength(std::string_view(utf8.constData(), utf8.size())));
}

QString TrimBlanksAndControls(const QString& text) {
  qsizetype first = 0;
  qsizetype last = text.size();
  while (first < last && text[first].unicode() <= ' ') ++first;
  while (last > first && text[last - 1].unicode() <= ' ') --last;
  return text.mid(first, last - first);
}

}  // namespace kivo
