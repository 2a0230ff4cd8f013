#include "KivoFormat.h"

#include <cmath>
#include <cstdlib>

#include "KivoErrors.h"

namespace kivo {

namespace {

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

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

double StrToFloat(std::string_view text) {
  double value = 0;
  if (!TryTextToFloat(text, value))
    throw EConvertError(
        Format("'%.*s' is not a valid floating point value", static_cast<int>(text.size()), text.data()));
  return value;
}

int StrToInt(std::string_view text) {
  int value = 0;
  if (!TryStrToInt(text, value))
    throw EConvertError(
        Format("'%.*s' is not a valid integer value", static_cast<int>(text.size()), text.data()));
  return value;
}

int StrToIntDef(std::string_view text, int fallback) {
  int value = 0;
  return TryStrToInt(text, value) ? value : fallback;
}

double EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int millisecond,
                      std::string_view text) {
  static const int kDaysInMonth[2][12] = {{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                                          {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};
  bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
  bool valid_date = year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
                    day <= kDaysInMonth[leap][month - 1];
  bool valid_time = hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60 &&
                    millisecond >= 0 && millisecond < 1000;
  if (!valid_date || !valid_time)
    throw EConvertError(
        Format("'%.*s' is not a valid date and time", static_cast<int>(text.size()), text.data()));
  int day_of_year = day;
  for (int m = 0; m < month - 1; ++m) day_of_year += kDaysInMonth[leap][m];
  int y = year - 1;
  double date = static_cast<double>(y * 365 + y / 4 - y / 100 + y / 400 + day_of_year - 693594);
  double time =
      static_cast<double>(hour * 3600000 + minute * 60000 + second * 1000 + millisecond) / 86400000.0;
  // Before 30 December 1899 the time of day counts away from zero.
  return date >= 0 ? date + time : date - time;
}

namespace {

bool IsNanText(std::string_view text) {
  return text.size() == 3 && (text[0] == 'n' || text[0] == 'N') && (text[1] == 'a' || text[1] == 'A') &&
         (text[2] == 'n' || text[2] == 'N');
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
