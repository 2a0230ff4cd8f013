#include "core/number_text.h"

#include <charconv>
#include <cmath>
#include <stdexcept>
#include <string>

#include "core/errors.h"
#include "locale/float_text.h"
#include "numbers/strict_number.h"

namespace drevlin {
namespace {

[[noreturn]] void ThrowNotFloat(const QString& text) {
  throw EConvertError(("'" + text + "' is not a valid floating point value").toStdString());
}

[[noreturn]] void ThrowNotInteger(const QString& text) {
  throw EConvertError(("'" + text + "' is not a valid integer value").toStdString());
}

bool IsBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

// The text without the blanks around it, in UTF-8: anything but ASCII that is
// left is no part of a number, and the strict readers refuse it.
std::string WithoutBlanks(const QString& text) {
  qsizetype first = 0;
  qsizetype last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return QStringView(text).mid(first, last - first).toUtf8().toStdString();
}

}  // namespace

double ReadFloat(const QString& text, const QLocale& locale) {
  // "." always; the locale's separator in its place. A text with both keeps
  // two separators, which the reader refuses.
  QString typed = text;
  const QString separator = locale.decimalPoint();
  if (!separator.isEmpty() && separator != QLatin1String(".")) typed.replace(separator, QStringLiteral("."));
  double value = 0;
  if (!numbers::TryTextToFloat(WithoutBlanks(typed), value)) ThrowNotFloat(text);
  return value;
}

int ReadInteger(const QString& text) {
  int value = 0;
  if (!numbers::TryStrToInt(WithoutBlanks(text), value)) ThrowNotInteger(text);
  return value;
}

QString InvalidValueMessage(const QString& field) { return QStringLiteral("Invalid value in ") + field; }

void ThrowInvalidValue(const QString& field) {
  throw std::runtime_error(InvalidValueMessage(field).toStdString());
}

float ReadVariation(const QString& text, const QLocale& locale) {
  const double value = ReadFloat(text, locale);
  if (value < -180 || value > 180) ThrowInvalidValue(QString::fromLatin1(kVariationField));
  return static_cast<float>(value);
}

QString ShortestText(float value, const QLocale& locale) {
  char digits[64];
  const auto written = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed);
  QString text = QString::fromLatin1(digits, written.ptr - digits);
  if (text == QLatin1String("-0")) text = QStringLiteral("0");
  return text.replace(QLatin1Char('.'), locale.decimalPoint());
}

bool HasMinusSign(const QString& text) {
  for (const QChar c : text) {
    if (!IsBlank(c)) return c == QLatin1Char('-');
  }
  return false;
}

QString GeneralText(double value, const QLocale& locale) { return platform::FloatText(value, locale); }

QString FixedGeneralText(double value, const QLocale& locale) {
  QString text = platform::FloatText(value);
  if (text.contains(QLatin1Char('E'))) {
    // The same 15 significant digits, written out in full.
    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    text = QString::number(value, 'f', std::max(0, 14 - exponent));
    if (text.contains(QLatin1Char('.'))) {
      while (text.endsWith(QLatin1Char('0'))) text.chop(1);
      if (text.endsWith(QLatin1Char('.'))) text.chop(1);
    }
  }
  return text.replace(QLatin1Char('.'), locale.decimalPoint());
}

QString FirstCharacters(double value, int count, const QLocale& locale) {
  return FixedGeneralText(value, locale).left(count);
}

QString TwoDecimalsText(double value, const QLocale& locale) {
  // No "-0.00" for a value that rounds to nothing.
  QString text = QString::number(value, 'f', 2);
  if (text == QLatin1String("-0.00")) text = QStringLiteral("0.00");
  return text.replace(QLatin1Char('.'), locale.decimalPoint());
}

QString RoundedText(double value) {
  // nearbyint rounds in the default mode, to nearest with ties to even.
  return QString::number(static_cast<long long>(std::nearbyint(value)));
}

}  // namespace drevlin
