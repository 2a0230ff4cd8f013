#include "KivoFormat.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
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
  std::string clean;
  clean.reserve(n - i);
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') clean.push_back('-');
    ++i;
  }
  size_t digits = 0;
  while (i < n && IsDigit(text[i])) clean.push_back(text[i++]), ++digits;
  if (i < n && text[i] == '.') {
    clean.push_back(text[i++]);
    while (i < n && IsDigit(text[i])) clean.push_back(text[i++]), ++digits;
  }
  if (digits == 0) return false;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    clean.push_back('e');
    ++i;
    if (i < n && (text[i] == '+' || text[i] == '-')) clean.push_back(text[i++]);
    size_t exponent_digits = 0;
    while (i < n && IsDigit(text[i])) clean.push_back(text[i++]), ++exponent_digits;
    if (exponent_digits == 0) return false;
  }
  if (i != n) return false;
  double result = 0;
  auto [end, error] = std::from_chars(clean.data(), clean.data() + clean.size(), result);
  if (end != clean.data() + clean.size()) return false;
  if (error == std::errc::result_out_of_range) {
    result = CLocaleStrtod(clean);  // underflow gives 0, overflow infinity
    if (std::isinf(result)) return false;
  } else if (error != std::errc()) {
    return false;
  }
  value = result;
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
  for (char& c : text)
    if (c == '\n') c = '\r';
  return text;
}

std::string FloatText(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  if (value == 0) return "0";
  // Fifteen significant digits, correctly rounded: "d.dddddddddddddde+XX".
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
  std::string_view scientific(buffer, static_cast<size_t>(result.ptr - buffer));
  bool negative = scientific.front() == '-';
  if (negative) scientific.remove_prefix(1);
  size_t e_at = scientific.find('e');
  std::string digits;
  digits.push_back(scientific[0]);
  digits.append(scientific.substr(2, e_at - 2));
  int exponent = std::atoi(std::string(scientific.substr(e_at + 1)).c_str());
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string text = negative ? "-" : "";
  if (exponent < -4 || exponent >= 15) {
    text += digits[0];
    if (digits.size() > 1) text += "." + digits.substr(1);
    text += "E" + std::to_string(exponent);
  } else if (exponent < 0) {
    text += "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
  } else {
    size_t integer_digits = static_cast<size_t>(exponent) + 1;
    if (digits.size() <= integer_digits) {
      text += digits + std::string(integer_digits - digits.size(), '0');
    } else {
      text += digits.substr(0, integer_digits) + "." + digits.substr(integer_digits);
    }
  }
  return text;
}

std::string FormatCorrectedTime(double seconds) {
  double rounded = std::trunc(seconds + 0.5);
  if (!std::isfinite(rounded) || std::fabs(rounded) >= 9.2e18) trap::RaiseInvalidOp();
  long long r = static_cast<long long>(rounded);
  double days = static_cast<double>(r) / 86400.0;
  long long whole_days = static_cast<long long>(std::trunc(days));
  long long in_day = (r < 0 ? -r : r) % 86400;
  return Format("%2.2lld:%02lld:%02lld:%02lld", whole_days, in_day / 3600, in_day / 60 % 60,
                in_day % 60);
}

}  // namespace kivo
