#include "core/number_text.h"

#include "core/rms_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace kivo {
namespace {

[[noreturn]] void ThrowNotFloat(const QString& text) {
  throw EConvertError(("'" + text + "' is not a valid floating point value").toStdString());
}

[[noreturn]] void ThrowNotInteger(const QString& text) {
  throw EConvertError(("'" + text + "' is not a valid integer value").toStdString());
}

}  // namespace

double ParseXmlFloat(const QString& text) {
  const QString trimmed = TrimBlanksAndControls(text);
  const QString upper = trimmed.toUpper();
  if (upper == QLatin1String("INF") || upper == QLatin1String("+INF"))
    return std::numeric_limits<double>::infinity();
  if (upper == QLatin1String("-INF")) return -std::numeric_limits<double>::infinity();
  if (upper == QLatin1String("NAN")) return std::numeric_limits<double>::quiet_NaN();

  // sign? digits* ("." digits*)? (E sign? digits+)? with at least one digit
  // in the mantissa; checked here, since from_chars knows other forms too.
  const QByteArray latin = trimmed.toLatin1();
  const char* p = latin.constData();
  const char* end = p + latin.size();
  if (trimmed.isEmpty() || latin.size() != trimmed.size()) ThrowNotFloat(text);
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  const char* mantissa = p;
  int mantissaDigits = 0;
  while (p < end && *p >= '0' && *p <= '9') ++p, ++mantissaDigits;
  if (p < end && *p == '.') {
    ++p;
    while (p < end && *p >= '0' && *p <= '9') ++p, ++mantissaDigits;
  }
  if (mantissaDigits == 0) ThrowNotFloat(text);
  if (p < end && (*p == 'e' || *p == 'E')) {
    ++p;
    if (p < end && (*p == '+' || *p == '-')) ++p;
    int exponentDigits = 0;
    while (p < end && *p >= '0' && *p <= '9') ++p, ++exponentDigits;
    if (exponentDigits == 0) ThrowNotFloat(text);
  }
  if (p != end) ThrowNotFloat(text);

  // from_chars reads no "+" in the exponent's place either way; hand it
  // the mantissa onwards without the sign.
  double value = 0;
  const auto [ptr, ec] = std::from_chars(mantissa, end, value, std::chars_format::general);
  if (ec != std::errc() || ptr != end) ThrowNotFloat(text);
  return negative ? -value : value;
}

int ParseXmlInteger(const QString& text) {
  const QString trimmed = TrimBlanksAndControls(text);
  const QByteArray latin = trimmed.toLatin1();
  if (trimmed.isEmpty() || latin.size() != trimmed.size()) ThrowNotInteger(text);
  const char* p = latin.constData();
  const char* end = p + latin.size();
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  if (p == end) ThrowNotInteger(text);
  long long value = 0;
  for (; p < end; ++p) {
    if (*p < '0' || *p > '9') ThrowNotInteger(text);
    value = value * 10 + (*p - '0');
    if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1) ThrowNotInteger(text);
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
    ThrowNotInteger(text);
  return static_cast<int>(value);
}

}  // namespace kivo
