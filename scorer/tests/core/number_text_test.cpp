#include "core/number_text.h"
#include "locale/float_text.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace kivo {
namespace {

struct FloatCase {
  double value;
  const char* text;
};

TEST(FloatText, ReadsBackWhatItPrints) {
  for (double v : {0.0, 1.0, -2.5, 12.3, 1e-5, 3.14159265358979, 6.02e23, 1e-300}) {
    const double back = ParseXmlFloat(platform::FloatText(v));
    EXPECT_NEAR(back, v, std::fabs(v) * 1e-14) << v;
  }
}

TEST(ParseXmlFloat, ReadsDecimalTextWithAPoint) {
  const FloatCase cases[] = {
      {10, "10"},
      {12.5, "12.5"},
      {-3.25, "-3.25"},
      {2, "+2"},
      {7, " 7 "},
      {0.5, ".5"},
      {5, "5."},
      {1e5, "1E5"},
      {1e-5, "1e-5"},
      {2500, "2.5E+3"},
      {0, "0"},
      {-0.0, "-0"},
      {12.3000001907349, "12.3000001907349"},
      // Control characters around the number pass as blanks do; a value
      // too small for a double is 0, as the module reads it.
      {12, "\t12\r\n"},
      {1e-310, "1e-310"},
      {0, "1e-400"},
  };
  for (const FloatCase& c : cases)
    EXPECT_DOUBLE_EQ(ParseXmlFloat(QString::fromLatin1(c.text)), c.value) << c.text;
  EXPECT_TRUE(std::isinf(ParseXmlFloat(QStringLiteral("INF"))));
  EXPECT_GT(ParseXmlFloat(QStringLiteral(" +Inf\t")), 0);
  EXPECT_LT(ParseXmlFloat(QStringLiteral("-inf")), 0);
  EXPECT_TRUE(std::isnan(ParseXmlFloat(QStringLiteral("NaN"))));
}

TEST(ParseXmlFloat, RefusesEverythingElseWithTheConversionMessage) {
  const char* texts[] = {"",    " ",     "12,5", "1.2.3", "abc", "1e",    "--1",      "0x10",
                         "1 2", "1,000", "e5",   ".",     "-",   "1e400", "INFINITY", "5m"};
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
  EXPECT_EQ(ParseXmlInteger(QStringLiteral("\t42\r\n")), 42);
  EXPECT_EQ(ParseXmlInteger(QStringLiteral("+7")), 7);
  EXPECT_EQ(ParseXmlInteger(QStringLiteral("2147483647")), 2147483647);
  EXPECT_EQ(ParseXmlInteger(QStringLiteral("-2147483648")), -2147483647 - 1);
}

TEST(ParseXmlInteger, RefusesEverythingElseWithTheConversionMessage) {
  for (const char* text :
       {"", "1.5", "abc", "2147483648", "-2147483649", "12a", "-", "1 2", "99999999999999999999"}) {
    try {
      ParseXmlInteger(QString::fromLatin1(text));
      ADD_FAILURE() << "no error for '" << text << "'";
    } catch (const EConvertError& e) {
      EXPECT_EQ(std::string(e.what()), "'" + std::string(text) + "' is not a valid integer value");
    }
  }
}

struct LocaleCase {
  const char* text;
  double expected;
};

TEST(TextToFloatDef, ReadsWithTheDotOfAJapaneseLocale) {
  const QLocale japanese(QLocale::Japanese, QLocale::Japan);
  const LocaleCase cases[] = {
      {"1.5", 1.5}, {" 2.25\t", 2.25}, {"-3", -3}, {"+0.5", 0.5}, {"1e3", 1000},
      {"", 7},      {"   ", 7},        {"abc", 7}, {"1,5", 7},    {"1,000.5", 7},
      {"1.5.1", 7}, {"1e999", 7},      {"inf", 7}, {"nan", 7},    {"12abc", 7},
  };
  for (const LocaleCase& c : cases) EXPECT_EQ(TextToFloatDef(c.text, 7, japanese), c.expected) << c.text;
}

TEST(TextToFloatDef, ReadsWithTheCommaOfAGermanLocale) {
  const QLocale german(QLocale::German, QLocale::Germany);
  const LocaleCase cases[] = {
      {"1,5", 1.5}, {" 2,25 ", 2.25}, {"-3", -3}, {"1.5", -1}, {"1.000,5", -1}, {"", -1}, {"x", -1},
  };
  for (const LocaleCase& c : cases) EXPECT_EQ(TextToFloatDef(c.text, -1, german), c.expected) << c.text;
}

}  // namespace
}  // namespace kivo
