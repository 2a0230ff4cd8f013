#include "KivoFormat.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <locale.h>

#include "KivoErrors.h"

namespace kivo {

namespace {

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// strtod in the "C" locale, for texts that from_chars finds out of range.
double CLocaleStrtod(const std::string& text) {
  static locale_t c_locale = newlocale(LC_ALL_MASK, "C", nullptr);
  return strtod_l(text.c_str(), nullptr, c_locale);
}

// The full check and conversion of text[begin, end) (blanks and a "+" already
// skipped): a sign, digits with at most one ".", an exponent with digits.
bool TryTextToFloatSlow(std::string_view text, size_t begin, size_t end, double& value) {
  size_t i = begin;
  if (i < end && text[i] == '-') ++i;
  size_t digits = 0;
  while (i < end && IsDigit(text[i])) ++i, ++digits;
  if (i < end && text[i] == '.') {
    ++i;
    while (i < end && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < end && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < end && (text[i] == '+' || text[i] == '-')) ++i;
    size_t exponent_digits = 0;
    while (i < end && IsDigit(text[i])) ++i, ++exponent_digits;
    if (exponent_digits == 0) return false;
  }
  if (i != end) return false;
  const char* first = text.data() + begin;
  const char* last = text.data() + end;
  double result = 0;
  auto [stop, error] = std::from_chars(first, last, result);
  if (error == std::errc::result_out_of_range) {
    result = CLocaleStrtod(std::string(first, last));  // underflow gives 0, overflow infinity
    if (std::isinf(result)) return false;
  } else if (error != std::errc() || stop != last) {
    return false;
  }
  value = result;
  return true;
}

}  // namespace

std::string_view TrimText(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlankOrControl(text[begin])) ++begin;
  while (end > begin && IsBlankOrControl(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

std::string_view ColumnField(std::string_view text, int column, int width) {
  if (column < 1 || width <= 0) return {};
  size_t start = static_cast<size_t>(column - 1);
  if (start >= text.size()) return {};
  return text.substr(start, static_cast<size_t>(width));
}

// Blanks around, a sign, digits with at most one ".", at least one digit, and
// an exponent with digits; nothing else (no "INF", no "NAN", no hex, no ",").
bool TryTextToFloat(std::string_view text, double& value) {
  size_t i = 0;
  size_t n = text.size();
  while (i < n && text[i] == ' ') ++i;
  while (n > i && text[n - 1] == ' ') --n;
  size_t begin = i;
  bool negative = false;
  if (i < n && text[i] == '+') {
    begin = ++i;  // from_chars takes no "+"
  } else if (i < n && text[i] == '-') {
    negative = true;
    ++i;
  }
  // The digits as a whole number and the count of decimals, while they fit.
  uint64_t mantissa = 0;
  int significant = 0, decimals = 0;
  size_t digits = 0;
  for (; i < n && IsDigit(text[i]); ++i, ++digits) {
    mantissa = mantissa * 10 + static_cast<uint64_t>(text[i] - '0');
    if (mantissa != 0 && ++significant > 18) return TryTextToFloatSlow(text, begin, n, value);
  }
  if (i < n && text[i] == '.') {
    for (++i; i < n && IsDigit(text[i]); ++i, ++digits, ++decimals) {
      mantissa = mantissa * 10 + static_cast<uint64_t>(text[i] - '0');
      if (mantissa != 0 && ++significant > 18) return TryTextToFloatSlow(text, begin, n, value);
    }
  }
  if (digits == 0) return false;
  if (i < n) return TryTextToFloatSlow(text, begin, n, value);  // an exponent, or no number
  // Up to 15 digits and 22 decimals: the digits and the power of ten are
  // exact doubles, so their one division is the correctly rounded value, the
  // same that from_chars gives.
  if (significant > 15 || decimals > 22) return TryTextToFloatSlow(text, begin, n, value);
  static constexpr double kPowers[23] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                         1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  double result = static_cast<double>(mantissa) / kPowers[decimals];
  value = negative ? -result : result;
  return true;
}

double StrToFloat(std::string_view text) {
  double value = 0;
  if (!TryTextToFloat(text, value))
    throw EConvertError(Format("'%.*s' is not a valid floating point value",
                               static_cast<int>(text.size()), text.data()));
  return value;
}

// Leading blanks, a sign and decimal digits that fit 32 bits.
bool TryStrToInt(std::string_view text, int& value) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return false;
  long long result = 0;
  for (; i < text.size(); ++i) {
    if (!IsDigit(text[i])) return false;
    result = result * 10 + (text[i] - '0');
    if (result > 2147483648LL) return false;
  }
  if (negative) result = -result;
  if (result > 2147483647LL) return false;
  value = static_cast<int>(result);
  return true;
}

int StrToInt(std::string_view text) {
  int value = 0;
  if (!TryStrToInt(text, value))
    throw EConvertError(Format("'%.*s' is not a valid integer value",
                               static_cast<int>(text.size()), text.data()));
  return value;
}

int StrToIntDef(std::string_view text, int fallback) {
  int value = 0;
  return TryStrToInt(text, value) ? value : fallback;
}

double EncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                      int millisecond, std::string_view text) {
  static const int kDaysInMonth[2][12] = {{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                                          {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};
  bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
  bool valid_date = year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
                    day <= kDaysInMonth[leap][month - 1];
  bool valid_time = hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 &&
                    second < 60 && millisecond >= 0 && millisecond < 1000;
  if (!valid_date || !valid_time)
    throw EConvertError(Format("'%.*s' is not a valid date and time",
                               static_cast<int>(text.size()), text.data()));
  int day_of_year = day;
  for (int m = 0; m < month - 1; ++m) day_of_year += kDaysInMonth[leap][m];
  int y = year - 1;
  double date = static_cast<double>(y * 365 + y / 4 - y / 100 + y / 400 + day_of_year - 693594);
  double time = static_cast<double>(hour * 3600000 + minute * 60000 + second * 1000 + millisecond) /
                86400000.0;
  // Before 30 December 1899 the time of day counts away from zero.
  return date >= 0 ? date + time : date - time;
}

namespace {

bool IsNanText(std::string_view text) {
  return text.size() == 3 && (text[0] == 'n' || text[0] == 'N') &&
         (text[1] == 'a' || text[1] == 'A') && (text[2] == 'n' || text[2] == 'N');
}

}  // namespace

double ReadFloatAttr(const AttrValue& value, double fallback) {
  if (!value || value->empty() || IsNanText(*value)) return fallback;
  return StrToFloat(*value);
}

int ReadIntegerAttr(const AttrValue& value, int fallback) {
  if (!value) return fallback;
  return StrToInt(*value);
}

double ReadDateTimeAttr(const AttrValue& value, double fallback) {
  if (!value || value->empty() || IsNanText(*value)) return fallback;
  return ParseDateTimeText(*value);
}

// The parts stand at fixed positions; the separators are never looked at.
double ParseDateTimeText(std::string_view text) {
  auto part = [&](int column, int width) { return StrToIntDef(ColumnField(text, column, width), 0); };
  int year = part(1, 4);
  int month = part(6, 2);
  int day = part(9, 2);
  int hour = part(12, 2);
  int minute = part(15, 2);
  int second = part(18, 2);
  int millisecond = part(21, 3);
  if (year <= 0) year = 1900;
  if (month < 1 || month > 12) month = 1;
  if (day < 1 || day > 31) day = 1;
  if (hour < 0 || hour > 23) hour = 0;
  if (minute < 0 || minute > 59) minute = 0;
  if (second < 0 || second > 59) second = 0;
  return EncodeDateTime(year, month, day, hour, minute, second, millisecond, text);
}

std::string ReadTextAttr(const AttrValue& value, const std::string& fallback) {
  if (!value) return fallback;
  std::string text(TrimText(*value));
  for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) text[at] = '\r';
  return text;
}

std::string FormatCorrectedTime(double seconds) {
  double rounded = std::trunc(seconds + 0.5);
  if (!std::isfinite(rounded) || std::fabs(rounded) >= 9.2e18) trap::RaiseInvalidOp();
  long long r = static_cast<long long>(rounded);
  double days = static_cast<double>(r) / 86400.0;
  long long whole_days = static_cast<long long>(std::trunc(days));
  long long in_day = (r < 0 ? -r : r) % 86400;
  // "%2.2d" of the days (at least two digits, the sign ahead), then hh:nn:ss.
  std::string text = whole_days < 0 ? "-" : "";
  unsigned long long magnitude = whole_days < 0 ? 0ULL - static_cast<unsigned long long>(whole_days)
                                                : static_cast<unsigned long long>(whole_days);
  if (magnitude < 10) text += '0';
  text += std::to_string(magnitude);
  for (long long part : {in_day / 3600, in_day / 60 % 60, in_day % 60}) {
    text += ':';
    text += static_cast<char>('0' + part / 10);
    text += static_cast<char>('0' + part % 10);
  }
  return text;
}

}  // namespace kivo
