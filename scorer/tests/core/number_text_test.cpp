#include "core/number_text.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace kivo {
namespace {

struct FloatCase {
  double value;
  const char* text;
};

TEST(FloatText, GeneralFormatWithFifteenDigits) {
  const FloatCase cases[] = {
      {0.0, "0"},
      {-0.0, "0"},
      {10.0, "10"},
      {static_cast<double>(12.3f), "12.3000001907349"},
      {12.5, "12.5"},
      {-3.25, "-3.25"},
      {100.0, "100"},
      {0.1, "0.1"},
      {1.0 / 3.0, "0.333333333333333"},
      {2.0 / 3.0, "0.666666666666667"},
      {0.0001, "0.0001"},
      {0.00012345, "0.00012345"},
      {0.00005, "5E-5"},
      {0.000025, "2.5E-5"},
      {-1.5e-7, "-1.5E-7"},
      {1e20, "1E20"},
      {1e15, "1E15"},
      {999999999999999.0, "999999999999999"},
      {123456789012345678.0, "1.23456789012346E17"},
      {1e15 - 0.01, "1E15"},             // rounds up to the next power of ten
      {0.000099999999999999999, "0.0001"},
      {1.7976931348623157e308, "1.79769313486232E308"},
      {4.9e-324, "4.94065645841247E-324"},
      {std::numeric_limits<double>::infinity(), "INF"},
      {-std::numeric_limits<double>::infinity(), "-INF"},
      {std::numeric_limits<double>::quiet_NaN(), "NAN"},
  };
  for (const FloatCase& c : cases) EXPECT_EQ(FloatText(c.value), QString::fromLatin1(c.text)) << c.text;
}

TEST(FloatText, UsesTheGivenDecimalSeparator) {
  EXPECT_EQ(FloatText(1234.5, QLatin1Char(',')), QStringLiteral("1234,5"));
  EXPECT_EQ(FloatText(static_cast<double>(12.3f), QLatin1Char(',')), QStringLiteral("12,3000001907349"));
  EXPECT_EQ(FloatText(1.5e-7, QLatin1Char(',')), QStringLiteral("1,5E-7"));
  EXPECT_EQ(FloatText(10.0, QLatin1Char(',')), QStringLiteral("10"));
  EXPECT_EQ(FloatText(5e-5, QLatin1Char(',')), QStringLiteral("5E-5"));

  const QLocale german(QLocale::German, QLocale::Germany);
  const QLocale japanese(QLocale::Japanese, QLocale::Japan);
  EXPECT_EQ(FloatText(static_cast<double>(12.3f), german), QStringLiteral("12,3000001907349"));
  EXPECT_EQ(FloatText(1234567.5, german), QStringLiteral("1234567,5"));  // no group separators
  EXPECT_EQ(FloatText(static_cast<double>(12.3f), japanese), QStringLiteral("12.3000001907349"));
  EXPECT_EQ(FloatText(10.0, german), QStringLiteral("10"));
}

TEST(FloatText, ReadsBackWhatItPrints) {
  for (double v : {0.0, 1.0, -2.5, 12.3, 1e-5, 3.14159265358979, 6.02e23, 1e-300}) {
    const double back = ParseXmlFloat(FloatText(v));
    EXPECT_NEAR(back, v, std::fabs(v) * 1e-14) << v;
  }
}

TEST(ParseXmlFloat, ReadsDecimalTextWithAPoint) {
  const FloatCase cases[] = {
      {10, "10"},       {12.5, "12.5"},   {-3.25, "-3.25"}, {2, "+2"},      {7, " 7 "},
      {0.5, ".5"},      {5, "5."},        {1e5, "1E5"},     {1e-5, "1e-5"}, {2500, "2.5E+3"},
      {0, "0"},         {-0.0, "-0"},     {12.3000001907349, "12.3000001907349"},
  };
  for (const FloatCase& c : cases) EXPECT_DOUBLE_EQ(ParseXmlFloat(QString::fromLatin1(c.text)), c.value) << c.text;
  EXPECT_TRUE(std::isinf(ParseXmlFloat(QStringLiteral("INF"))));
  EXPECT_LT(ParseXmlFloat(QStringLiteral("-inf")), 0);
  EXPECT_TRUE(std::isnan(ParseXmlFloat(QStringLiteral("NaN"))));
}

TEST(ParseXmlFloat, RefusesEverythingElseWithTheConversionMessage) {
  const char* texts[] = {"", " ", "12,5", "1.2.3", "abc", "1e", "--1", "0x10", "1 2", "1,000", "e5", ".", "-",
                         "1e400", "INFINITY", "5m"};
  for (const char* text : texts) {
    try {
      ParseXmlFloat(QString::fromLatin1(text));
      ADD_FAILURE() << "no error for '" << text << "'";
    } catch (const EConvertError& e) {
      EXPECT_EQ(std::string(e.what()), "'" + std::string(text) + "' is not a valid floating point value");
    }
  }
  EXPECT_THROW(ParseXmlFloat(QStringLiteral("１２")), EConvertError);  // full-width digits
}

TEST(ParseXmlInteger, ReadsDecimalWholeNumbers) {
  EXPECT_EQ(ParseXmlInteger(QStringLiteral("0")), 0);
  EXPECT_EQ(ParseXmlInteger(QStringLiteral("5")), 5);
  EXPECT_EQ(ParseXmlInteger(QStringLiteral("-3")), -3);
  EXPECT_EQ(ParseXmlInteger(QStringLiteral(" 42 ")), 42);
  EXPECT_EQ(ParseXmlInteger(QStringLiteral("+7")), 7);
  EXPECT_EQ(ParseXmlInteger(QStringLiteral("2147483647")), 2147483647);
  EXPECT_EQ(ParseXmlInteger(QStringLiteral("-2147483648")), -2147483647 - 1);
}

TEST(ParseXmlInteger, RefusesEverythingElseWithTheConversionMessage) {
  for (const char* text : {"", "1.5", "abc", "2147483648", "-2147483649", "12a", "-", "1 2", "99999999999999999999"}) {
    try {
      ParseXmlInteger(QString::fromLatin1(text));
      ADD_FAILURE() << "no error for '" << text << "'";
    } catch (const EConvertError& e) {
      EXPECT_EQ(std::string(e.what()), "'" + std::string(text) + "' is not a valid integer value");
    }
  }
}

}  // namespace
}  // namespace kivo
