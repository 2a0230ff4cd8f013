#include "core/tag_reader.h"

namespace kivo {
namespace {

constexpr qsizetype kAttrWindow = 2000;

// The character of a numeric reference, or -1 when `digits` names none
// (empty, not a number, a surrogate, beyond Unicode, or NUL).
char32_t ReferencedCharacter(QStringView digits, int base) {
  if (digits.isEmpty() || digits.size() > 8) return char32_t(-1);
  bool ok = false;
  const uint code = digits.toUInt(&ok, base);
  if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return char32_t(-1);
  // toUInt accepts a sign or blanks; a reference holds digits only.
  for (QChar c : digits) {
    const char16_t u = c.unicode();
    const bool decimal = u >= '0' && u <= '9';
    const bool hex = decimal || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F');
    if (base == 10 ? !decimal : !hex) return char32_t(-1);
  }
  return char32_t(code);
}

}  // namespace

QStringList SplitTags(const QString& text) {
  QStringList tags;
  qsizetype from = 0;
  while (from < text.size()) {
    const qsizetype open = text.indexOf(QLatin1Char('<'), from);
    if (open < 0) break;
    const qsizetype close = text.indexOf(QLatin1Char('>'), open + 1);
    if (close < 0) break;
    tags.append(text.mid(open, close - open + 1));
    from = close + 1;
  }
  return tags;
}

QString TagName(const QString& tag) {
  qsizetype end = tag.indexOf(QLatin1Char(' '));
  if (end < 0) end = tag.indexOf(QLatin1Char('>'));
  if (end < 0) end = tag.size();
  if (end <= 1) return QString();
  return tag.mid(1, end - 1).trimmed();
}

QString GetXmlAttr(const QString& key, const QString& tag) {
  QStringView name(key);
  if (name.endsWith(QLatin1Char('='))) name.chop(1);
  if (name.isEmpty()) return QStringLiteral("0");
  const QString start = name.toString() + QLatin1String("=\"");
  qsizetype at = tag.indexOf(start);
  while (at >= 0 && !(at > 0 && tag[at - 1].isSpace())) at = tag.indexOf(start, at + 1);
  if (at < 0) return QStringLiteral("0");
  const QStringView window = QStringView(tag).mid(at, kAttrWindow);
  const QStringView rest = window.mid(start.size());
  const qsizetype close = rest.indexOf(QLatin1Char('"'));
  if (close <= 0) return QString();
  return UnescapeXml(rest.left(close).toString());
}

QString EscapeXmlAttr(const QString& value) {
  QString out;
  out.reserve(value.size());
  for (QChar c : value) {
    switch (c.unicode()) {
      case '&':
        out += QLatin1String("&amp;");
        break;
      case '<':
        out += QLatin1String("&lt;");
        break;
      case '>':
        out += QLatin1String("&gt;");
        break;
      case '"':
        out += QLatin1String("&quot;");
        break;
      case '\t':
        out += QLatin1String("&#9;");
        break;
      case '\n':
        out += QLatin1String("&#10;");
        break;
      case '\r':
        out += QLatin1String("&#13;");
        break;
      default:
        out += c;
    }
  }
  return out;
}

QString XmlAttrText(const char* name, const QString& value) {
  return QLatin1Char(' ') + QLatin1String(name) + QLatin1String("=\"") + EscapeXmlAttr(value) +
         QLatin1Char('"');
}

QString UnescapeXml(const QString& text) {
  if (!text.contains(QLatin1Char('&'))) return text;
  QString out;
  out.reserve(text.size());
  qsizetype i = 0;
  while (i < text.size()) {
    const QChar c = text[i];
    const qsizetype semicolon = c == QLatin1Char('&') ? text.indexOf(QLatin1Char(';'), i + 1) : -1;
    if (semicolon < 0 || semicolon - i > 12) {
      out += c;
      ++i;
      continue;
    }
    const QStringView name = QStringView(text).mid(i + 1, semicolon - i - 1);
    char32_t decoded = char32_t(-1);
    if (name == QLatin1String("amp"))
      decoded = '&';
    else if (name == QLatin1String("lt"))
      decoded = '<';
    else if (name == QLatin1String("gt"))
      decoded = '>';
    else if (name == QLatin1String("quot"))
      decoded = '"';
    else if (name == QLatin1String("apos"))
      decoded = '\'';
    else if (name.startsWith(QLatin1String("#x")))
      decoded = ReferencedCharacter(name.mid(2), 16);
    else if (name.startsWith(QLatin1Char('#')))
      decoded = ReferencedCharacter(name.mid(1), 10);
    if (decoded == char32_t(-1)) {
      out += c;
      ++i;
      continue;
    }
    out += QString::fromUcs4(&decoded, 1);
    i = semicolon + 1;
  }
  return out;
}

}  // namespace kivo
