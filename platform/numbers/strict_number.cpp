#include "strict_number.h"

#include <locale.h>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace numbers {

namespace {

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
  static constexpr double kPowers[23] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                         1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  double result = static_cast<double>(mantissa) / kPowers[decimals];
  value = negative ? -result : result;
  return true;
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

}  // namespace numbers
