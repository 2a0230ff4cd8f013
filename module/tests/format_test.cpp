#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "KivoErrors.h"
#include "KivoFormat.h"
#include "failure_text.h"

using kivotest::FailureText;
using namespace kivo;

TEST(FloatText, GeneralFormatWithFifteenDigits) {
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    double value;
    const char* text;
  } cases[] = {
      {0, "0"},
      {-0.0, "0"},
      {1, "1"},
      {100, "100"},
      {-1.5, "-1.5"},
      {12.5, "12.5"},
      {0.1, "0.1"},
      {1.0 / 3, "0.333333333333333"},
      {2.0 / 3, "0.666666666666667"},
      {static_cast<double>(12.3f), "12.3000001907349"},
      {12.345670000000001, "12.34567"},
      {0.0001, "0.0001"},
      {0.00012345, "0.00012345"},
      {0.00005, "5E-5"},
      {-0.00005, "-5E-5"},
      {1.5e-7, "1.5E-7"},
      {1e20, "1E20"},
      {1e15, "1E15"},
      {999999999999999.0, "999999999999999"},
      {9999999999999999.0, "1E16"},
      {123456789012345678.0, "1.23456789012346E17"},
      {-90000, "-90000"},
      {90061, "90061"},
      {inf, "INF"},
      {-inf, "-INF"},
      {std::numeric_limits<double>::quiet_NaN(), "NAN"},
  };
  for (const Case& c : cases) EXPECT_EQ(FloatText(c.value), c.text) << c.text;
}

TEST(FloatText, AgreesWithTheExactRoundingOnManyValues) {
  // The reference: the exact value rounded to 15 significant digits.
  auto reference = [](double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.14e", value);
    std::string s(text);
    std::string mantissa = s.substr(0, s.find('e'));
    int exponent = std::atoi(s.c_str() + s.find('e') + 1);
    mantissa.erase(std::remove(mantissa.begin(), mantissa.end(), '.'), mantissa.end());
    bool negative = mantissa[0] == '-';
    if (negative) mantissa.erase(0, 1);
    while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();
    return std::make_pair(exponent, (negative ? "-" : "") + mantissa);
  };
  auto digits_of = [](const std::string& text) {
    // FloatText's digits and exponent, read back from its text.
    std::string digits;
    bool negative = text[0] == '-';
    size_t e = text.find('E');
    std::string body =
        text.substr(negative ? 1 : 0, e == std::string::npos ? std::string::npos : e - (negative ? 1 : 0));
    int exponent;
    if (e != std::string::npos) {
      exponent = std::atoi(text.c_str() + e + 1);
      digits = body;
      digits.erase(std::remove(digits.begin(), digits.end(), '.'), digits.end());
    } else {
      size_t point = body.find('.');
      std::string whole = body.substr(0, point);
      std::string fraction = point == std::string::npos ? "" : body.substr(point + 1);
      if (whole != "0") {
        exponent = static_cast<int>(whole.size()) - 1;
        digits = whole + fraction;
      } else {
        size_t first = fraction.find_first_not_of('0');
        exponent = -static_cast<int>(first) - 1;
        digits = fraction.substr(first);
      }
    }
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    return std::make_pair(exponent, (negative ? "-" : "") + digits);
  };
  std::mt19937_64 random(20170604);
  std::vector<double> values = {
      1.000000000000005,       1.0000000000000049,     0.1234567890123455,    9.999999999999995,
      99999999999999.95,       0.30000000000000004,    123456789012345.5,     5e-324,
      2.2250738585072014e-308, 2.225073858507201e-308, 1.7976931348623157e308};
  for (int i = 0; i < 200000; ++i) {
    uint64_t bits = random();
    double value;
    std::memcpy(&value, &bits, sizeof value);
    if (std::isfinite(value) && value != 0) values.push_back(value);
    values.push_back(std::uniform_real_distribution<double>(-2000, 2000)(random));
    values.push_back(std::round(std::uniform_real_distribution<double>(0, 1e7)(random)) / 1e5);
  }
  for (double value : values) ASSERT_EQ(digits_of(FloatText(value)), reference(value)) << value;
}

TEST(FormatCorrectedTime, DaysAndClockOfTheRoundedSeconds) {
  struct Case {
    double seconds;
    const char* text;
  } cases[] = {
      {93784.6, "01:02:03:05"}, {3725.2, "00:01:02:05"},     {90061, "01:01:01:01"},   {0, "00:00:00:00"},
      {86399.5, "01:00:00:00"}, {8640000, "100:00:00:00"},   {-90000, "-01:00:59:59"}, {-3600, "00:00:59:59"},
      {-0.4, "00:00:00:00"},    {-172800.2, "-01:23:59:59"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatCorrectedTime(c.seconds), c.text) << c.seconds;
  EXPECT_EQ(FailureText([] { FormatCorrectedTime(std::nan("")); }),
            "EInvalidOp: Invalid floating point operation");
}

TEST(ReadFloatAttr, DefaultsAndStrictConversion) {
  EXPECT_EQ(ReadFloatAttr(std::nullopt, 7), 7);
  for (const char* text : {"", "NaN", "nan", "NAN", "nAn"})
    EXPECT_EQ(ReadFloatAttr(std::string(text), 3), 3) << text;
  struct Case {
    const char* text;
    double value;
  } good[] = {{"12.5", 12.5}, {"-3", -3},        {"+4.", 4}, {".5", 0.5},
              {"1e3", 1000},  {"2.5E-2", 0.025}, {" 7 ", 7}, {"12.3000001907349", 12.3000001907349},
              {"1e-400", 0}};
  for (const Case& c : good) EXPECT_EQ(ReadFloatAttr(std::string(c.text), 0), c.value) << c.text;
  for (const char* text :
       {"12,5", "abc", "INF", "nan1", "0x10", "1e", "1e400", ".", "-", "+-5", "--5", "1 2", "1.2.3"})
    EXPECT_EQ(FailureText([&] { ReadFloatAttr(std::string(text), 0); }),
              std::string("EConvertError: '") + text + "' is not a valid floating point value");
}

TEST(ReadIntegerAttr, DefaultOnlyWhenAbsent) {
  EXPECT_EQ(ReadIntegerAttr(std::nullopt, 0), 0);
  EXPECT_EQ(ReadIntegerAttr(std::string("258"), 0), 258);
  EXPECT_EQ(ReadIntegerAttr(std::string("-1"), 0), -1);
  EXPECT_EQ(ReadIntegerAttr(std::string(" 5"), 0), 5);
  for (const char* text : {"", "abc", "1.5", "5 ", "99999999999"})
    EXPECT_EQ(FailureText([&] { ReadIntegerAttr(std::string(text), 0); }),
              std::string("EConvertError: '") + text + "' is not a valid integer value");
}

TEST(ParseDateTimeText, FixedPositionsAndRangeDefaults) {
  const double june4 = 42890;  // 4 June 2017
  const double day = 86400000.0;
  struct Case {
    const char* text;
    double value;
  } cases[] = {
      {"2017-06-04T10:30:00", june4 + 37800000 / day},
      {"2017-06-04 10:30:00", june4 + 37800000 / day},  // separators are not looked at
      {"2017x06x04x10x30x00", june4 + 37800000 / day},
      {"2017-06-04T10:30:00.250", june4 + 37800250 / day},
      {"2017-06-04", june4},
      {"0", 2},                                         // 1 January 1900
      {"2017-13-05T10:00:00", 42740 + 36000000 / day},  // month out of range becomes 1
      {"2017-06-00T10:00:00", 42887 + 36000000 / day},  // day 0 becomes 1
      {"2017-06-04T25:61:75", june4},                   // hour, minute, second become 0
      {"0000-06-04T10:00:00", 156 + 36000000 / day},    // year 0 becomes 1900
      {"2017-ab-04T10:00:00", 42739 + 36000000 / day},  // a part that is no number counts as 0
      {"1899-12-30T00:00:00", 0},
      {"1899-12-29T06:00:00", -1.25},  // before day 0 the time counts away from zero
  };
  for (const Case& c : cases) EXPECT_EQ(ParseDateTimeText(c.text), c.value) << c.text;
  EXPECT_EQ(FailureText([] { ParseDateTimeText("2017-02-30T10:00:00"); }),
            "EConvertError: '2017-02-30T10:00:00' is not a valid date and time");
  EXPECT_EQ(FailureText([] { ParseDateTimeText("2017-06-04T10:00:00.-12"); }).substr(0, 15),
            "EConvertError: ");
  EXPECT_EQ(ParseDateTimeText("2016-02-29"), 42429);
  EXPECT_NE(FailureText([] { ParseDateTimeText("2017-02-29"); }), "no failure");
}

TEST(ReadDateTimeAttr, DefaultsForAbsentEmptyAndNan) {
  EXPECT_EQ(ReadDateTimeAttr(std::nullopt, 5), 5);
  for (const char* text : {"", "Nan", "NAN", "nan"})
    EXPECT_EQ(ReadDateTimeAttr(std::string(text), 5), 5) << text;
  EXPECT_EQ(ReadDateTimeAttr(std::string("0"), 5), 2);
}

TEST(ReadTextAttr, TrimsAndTurnsLineFeedsIntoCarriageReturns) {
  EXPECT_EQ(ReadTextAttr(std::nullopt, "dflt"), "dflt");
  EXPECT_EQ(ReadTextAttr(std::string(" \t abc\n def \r\n"), ""), "abc\r def");
  EXPECT_EQ(ReadTextAttr(std::string("   "), "x"), "");
}

TEST(ColumnField, CutsByBytesAndStopsAtTheEnd) {
  EXPECT_EQ(ColumnField("abcdefgh", 3, 4), "cdef");
  EXPECT_EQ(ColumnField("abcdefgh", 7, 4), "gh");
  EXPECT_EQ(ColumnField("abcdefgh", 9, 4), "");
  EXPECT_EQ(TrimText("\x01 a b \x1f"), "a b");
}

TEST(TrappingArithmetic, RaisesWhereATrappingUnitStops) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(FailureText([] { trap::Div(1, 0); }), "EZeroDivide: Floating point division by zero");
  EXPECT_EQ(FailureText([] { trap::Div(0, 0); }), "EInvalidOp: Invalid floating point operation");
  EXPECT_EQ(FailureText([&] { trap::Add(inf, -inf); }), "EInvalidOp: Invalid floating point operation");
  EXPECT_EQ(FailureText([&] { trap::Mul(0, inf); }), "EInvalidOp: Invalid floating point operation");
  EXPECT_EQ(FailureText([] { trap::Mul(1e200, 1e200); }), "EOverflow: Floating point overflow");
  EXPECT_EQ(FailureText([] { trap::Div(1e300, 1e-300); }), "EOverflow: Floating point overflow");
  EXPECT_EQ(trap::Div(inf, 2), inf);  // an infinity that is already there passes on
  EXPECT_EQ(trap::Div(3600, inf), 0);
  EXPECT_EQ(trap::Div(7, 2), 3.5);
}
