#include "locale/float_text.h"

#include <charconv>
#include <cmath>

#include "numbers/general_float.h"

namespace platform {
namespace {

QString WithSeparator(QString text, const QString& decimalSeparator) {
  if (decimalSeparator != QLatin1String(".")) text.replace(QLatin1Char('.'), decimalSeparator);
  return text;
}

}  // namespace

QString FloatText(double value, QChar decimalSeparator) {
  return WithSeparator(QString::fromStdString(numbers::GeneralFloatText(value)), QString(decimalSeparator));
}

QString FloatText(double value, const QLocale& locale) {
  return WithSeparator(QString::fromStdString(numbers::GeneralFloatText(value)), locale.decimalPoint());
}

QString ShortFloatText(float value, QChar decimalSeparator) {
  if (!std::isfinite(value)) return FloatText(static_cast<double>(value));
  if (value == 0.0f) return QStringLiteral("0");
  // Fixed notation without a precision is the shortest that reads back as
  // the same float; the largest float takes 39 digits.
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  return WithSeparator(QString::fromLatin1(buffer, result.ptr - buffer), QString(decimalSeparator));
}

QString ShortFloatText(float value, const QLocale& locale) {
  return ShortFloatText(value).replace(QLatin1Char('.'), locale.decimalPoint());
}

}  // namespace platform
