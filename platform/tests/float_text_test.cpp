// The number texts of the pages and the race file.
#include "locale/float_text.h"

#include <cfloat>
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace platform {
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
      {1e15 - 0.01, "1E15"},  // rounds up to the next power of ten
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

TEST(ShortFloatText, IsTheShortestDecimalOfTheStoredValue) {
  struct ShortCase {
    float value;
    const char* text;
  };
  const ShortCase cases[] = {
      {12.3f, "12.3"},
      {3.2f, "3.2"},
      {0.1f, "0.1"},
      {10.0f, "10"},
      {-5.75f, "-5.75"},
      {0.0f, "0"},
      {-0.0f, "0"},
      {1.0f / 3.0f, "0.33333334"},
      {1e-7f, "0.0000001"},  // fixed notation, never "1E-7"
      {16777217.0f, "16777216"},
      {1e10f, "10000000000"},
      {std::numeric_limits<float>::infinity(), "INF"},
      {-std::numeric_limits<float>::infinity(), "-INF"},
      {std::numeric_limits<float>::quiet_NaN(), "NAN"},
  };
  for (const ShortCase& c : cases) EXPECT_EQ(ShortFloatText(c.value), QString::fromLatin1(c.text)) << c.text;

  EXPECT_EQ(ShortFloatText(12.3f, QLocale(QLocale::German, QLocale::Germany)), QStringLiteral("12,3"));
  EXPECT_EQ(ShortFloatText(1234567.5f, QLocale(QLocale::German, QLocale::Germany)),
            QStringLiteral("1234567,5"));
  EXPECT_EQ(ShortFloatText(12.3f, QLocale(QLocale::Japanese, QLocale::Japan)), QStringLiteral("12.3"));
}

TEST(ShortFloatText, ReadsBackAsTheSameFloat) {
  for (float v : {12.3f, 3.2f, 0.1f, 1.0f / 3.0f, 1e-7f, 3.4028235e38f, FLT_MIN, FLT_TRUE_MIN, 123456.79f}) {
    const QString text = ShortFloatText(v);
    EXPECT_EQ(std::strtof(text.toLatin1().constData(), nullptr), v) << text.toStdString();
  }
}

}  // namespace
}  // namespace platform
