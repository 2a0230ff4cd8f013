#include "general_float.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>

namespace numbers {

namespace {

// The significant digits (without trailing zeros) and the decimal exponent
// of the value rounded to 15 significant digits.
struct TFifteenDigits {
  char Digits[17];
  size_t Count = 0;
  int Exponent = 0;
};

// Splits to_chars' "-d.ddde+XX" into digits and exponent.
void SplitScientific(const char* text, const char* end, TFifteenDigits& out) {
  const char* p = text;
  if (*p == '-') ++p;
  out.Count = 0;
  out.Digits[out.Count++] = *p++;
  if (*p == '.')
    for (++p; *p != 'e'; ++p) out.Digits[out.Count++] = *p;
  ++p;  // the "e"
  if (*p == '+') ++p;
  std::from_chars(p, end, out.Exponent);
}

TFifteenDigits RoundToFifteenDigits(double magnitude) {
  // The shortest text that reads back as the value is found quickly. With at
  // most 15 digits it is the rounding already (the value lies closer to it
  // than half a unit of the 15th digit). With 16 or 17 digits, rounding the
  // text at the 15th digit gives the rounding of the value too, because no
  // rounding boundary can lie between the value and its shortest text; only
  // a text that is itself such a boundary (16 digits ending in 5) needs the
  // exact conversion.
  // (Below the normal range a double carries fewer digits, and only the
  // exact conversion holds.)
  char text[40];
  TFifteenDigits out;
  char* end = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific).ptr;
  SplitScientific(text, end, out);
  bool subnormal = magnitude < std::numeric_limits<double>::min();
  if (out.Count > 15 || subnormal) {
    bool boundary = out.Count == 16 && out.Digits[15] == '5';
    if (boundary || subnormal) {
      end = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific, 14).ptr;
      SplitScientific(text, end, out);
    } else {
      bool up = out.Digits[15] >= '5';
      out.Count = 15;
      for (size_t i = 15; up && i-- > 0;) {
        if (out.Digits[i] == '9') {
          out.Digits[i] = '0';
        } else {
          ++out.Digits[i];
          up = false;
        }
      }
      if (up) {  // 999... became 1000...
        out.Digits[0] = '1';
        for (size_t i = 1; i < 15; ++i) out.Digits[i] = '0';
        ++out.Exponent;
      }
    }
  }
  while (out.Count > 1 && out.Digits[out.Count - 1] == '0') --out.Count;
  return out;
}

}  // namespace

std::string GeneralFloatText(double value) {
  std::string text;
  AppendGeneralFloatText(text, value);
  return text;
}

void AppendGeneralFloatText(std::string& text_out, double value) {
  if (std::isnan(value)) return void(text_out += "NAN");
  if (std::isinf(value)) return void(text_out += value > 0 ? "INF" : "-INF");
  if (value == 0) return void(text_out += '0');
  const TFifteenDigits rounded = RoundToFifteenDigits(std::fabs(value));
  const char* digits = rounded.Digits;
  const size_t count = rounded.Count;
  const int exponent = rounded.Exponent;

  char text[40];
  char* out = text;
  if (value < 0) *out++ = '-';
  if (exponent < -4 || exponent >= 15) {
    *out++ = digits[0];
    if (count > 1) {
      *out++ = '.';
      for (size_t i = 1; i < count; ++i) *out++ = digits[i];
    }
    *out++ = 'E';
    out = std::to_chars(out, text + sizeof text, exponent).ptr;
  } else if (exponent < 0) {
    *out++ = '0';
    *out++ = '.';
    for (int i = -1; i > exponent; --i) *out++ = '0';
    for (size_t i = 0; i < count; ++i) *out++ = digits[i];
  } else {
    size_t integer_digits = static_cast<size_t>(exponent) + 1;
    for (size_t i = 0; i < std::max(count, integer_digits); ++i) {
      if (i == integer_digits) *out++ = '.';
      *out++ = i < count ? digits[i] : '0';
    }
  }
  text_out.append(text, out);
}

}  // namespace numbers
