// Reading typed numbers and marks in the three formats, and writing computed
// marks and numbers back, in a locale with "." and one with ",".
#include <cmath>
#include <functional>
#include <string>

#include <gtest/gtest.h>
#include <QLocale>

#include "core/coordinate_text.h"
#include "core/errors.h"
#include "core/number_text.h"

namespace drevlin {
namespace {

const QLocale kJapanese(QLocale::Japanese, QLocale::Japan);
const QLocale kGerman(QLocale::German, QLocale::Germany);

std::string ConversionMessage(const std::function<void()>& read) {
  try {
    read();
  } catch (const EConvertError& e) {
    return e.what();
  }
  return "no error";
}

TEST(ReadFloat, AcceptsTheTypedFormsWithEitherSeparator) {
  struct Case {
    const char* text;
    const QLocale& locale;
    double value;
  } const cases[] = {
      {"35.5", kJapanese, 35.5}, {" -35.5 ", kJapanese, -35.5}, {"+139", kJapanese, 139},
      {".5", kJapanese, 0.5},    {"5.", kJapanese, 5},          {"1.5e2", kJapanese, 150},
      {"15E-1", kJapanese, 1.5}, {"2e+1", kJapanese, 20},       {"35,5", kGerman, 35.5},
      {"35.5", kGerman, 35.5},   {"-0,25", kGerman, -0.25},     {"\t7.2", kJapanese, 7.2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ReadFloat(QString::fromUtf8(c.text), c.locale), c.value);
  }
}

TEST(ReadFloat, RefusesEverythingElseWithTheConversionMessage) {
  struct Case {
    const char* text;
    const QLocale& locale;
  } const cases[] = {
      {"", kJapanese},       {"  ", kJapanese},   {"inf", kJapanese},   {"-INF", kJapanese},
      {"nan", kJapanese},    {"0x10", kJapanese}, {"1e400", kJapanese}, {"35,5", kJapanese},
      {"35.5.5", kJapanese}, {"35,5.5", kGerman}, {"1e", kJapanese},    {"e5", kJapanese},
      {"--5", kJapanese},    {"35 5", kJapanese}, {"３５", kJapanese},  {".", kJapanese},
      {"35:30", kJapanese},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const QString text = QString::fromUtf8(c.text);
    EXPECT_EQ(ConversionMessage([&] { ReadFloat(text, c.locale); }),
              "'" + text.toStdString() + "' is not a valid floating point value");
  }
}

TEST(ReadInteger, WholeNumbersOnly) {
  EXPECT_EQ(ReadInteger(QStringLiteral("+35")), 35);
  EXPECT_EQ(ReadInteger(QStringLiteral(" -139 ")), -139);
  for (const char* text : {"", "35.0", "0x10", "$10", "99999999999", "3 5", "-"}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(ConversionMessage([&] { ReadInteger(QString::fromUtf8(text)); }),
              std::string("'") + text + "' is not a valid integer value");
  }
}

TEST(ParseCoordinates, SignsColonsAndParts) {
  struct Case {
    CoordinateFormat format;
    const char* text;
    double value;
  } const cases[] = {
      {CoordinateFormat::DegreesMinutes, "35:30", 35.5},
      {CoordinateFormat::DegreesMinutes, "-35:30", -35.5},
      {CoordinateFormat::DegreesMinutes, "-35:-30", -35.5},
      {CoordinateFormat::DegreesMinutes, "35:-30", -35.5},
      {CoordinateFormat::DegreesMinutes, "0:-30", -0.5},
      {CoordinateFormat::DegreesMinutes, "-0:30", -0.5},
      {CoordinateFormat::DegreesMinutes, " 139:41.5", 139 + 41.5 / 60},
      {CoordinateFormat::DegreesMinutes, "35.5", 0},  // no colon
      {CoordinateFormat::DegreesMinutesSeconds, "35:41:22", 35 + 41.0 / 60 + 22.0 / 3600},
      {CoordinateFormat::DegreesMinutesSeconds, "-35:41:22", -(35 + 41.0 / 60 + 22.0 / 3600)},
      {CoordinateFormat::DegreesMinutesSeconds, "-35:-41:-22", -(35 + 41.0 / 60 + 22.0 / 3600)},
      {CoordinateFormat::DegreesMinutesSeconds, "0:0:-36", -0.01},
      {CoordinateFormat::DegreesMinutesSeconds, "138:8:17.5", 138 + 8.0 / 60 + 17.5 / 3600},
      {CoordinateFormat::DegreesMinutesSeconds, "35:41", 0},  // one colon
      {CoordinateFormat::DegreesMinutesSeconds, "354122", 0},
      {CoordinateFormat::Degrees, "-33.8688", -33.8688},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_DOUBLE_EQ(ReadCoordinate(c.format, QString::fromUtf8(c.text), kJapanese), c.value);
  }
  EXPECT_DOUBLE_EQ(ParseDegMin(QStringLiteral("35:30,5"), kGerman), 35 + 30.5 / 60);
  EXPECT_DOUBLE_EQ(ParseDegMin(QStringLiteral("35:30.5"), kGerman), 35 + 30.5 / 60);
}

TEST(ParseCoordinates, BadPartsNameThemselves) {
  struct Case {
    CoordinateFormat format;
    const char* text;
    const char* message;
  } const cases[] = {
      {CoordinateFormat::DegreesMinutes, "35.5:30", "'35.5' is not a valid integer value"},
      {CoordinateFormat::DegreesMinutes, ":30", "'' is not a valid integer value"},
      {CoordinateFormat::DegreesMinutes, "35:abc", "'abc' is not a valid floating point value"},
      {CoordinateFormat::DegreesMinutes, "35:inf", "'inf' is not a valid floating point value"},
      {CoordinateFormat::DegreesMinutesSeconds, "35:4.5:22", "'4.5' is not a valid integer value"},
      {CoordinateFormat::DegreesMinutesSeconds, "35:41:nan", "'nan' is not a valid floating point value"},
      {CoordinateFormat::Degrees, "35:41:22", "'35:41:22' is not a valid floating point value"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ConversionMessage([&] { ReadCoordinate(c.format, QString::fromUtf8(c.text), kJapanese); }),
              c.message);
  }
}

TEST(CoordinateText, WritesEachFormatWithTheSignInFront) {
  struct Case {
    CoordinateFormat format;
    double value;
    bool latitude;
    const QLocale& locale;
    const char* text;
  } const cases[] = {
      {CoordinateFormat::Degrees, 35.123456789012, true, kJapanese, "35.1234567"},
      {CoordinateFormat::Degrees, 139.123456789012, false, kJapanese, "139.1234567"},
      {CoordinateFormat::Degrees, -33.868812345, true, kJapanese, "-33.868812"},
      {CoordinateFormat::Degrees, 35.5, true, kGerman, "35,5"},
      {CoordinateFormat::Degrees, 0.00001234, true, kJapanese, "0.00001234"},
      {CoordinateFormat::DegreesMinutes, 35.5, true, kJapanese, "35:30"},
      {CoordinateFormat::DegreesMinutes, -35.5, true, kJapanese, "-35:30"},
      {CoordinateFormat::DegreesMinutes, -0.5, false, kJapanese, "-0:30"},
      {CoordinateFormat::DegreesMinutes, 139.123456789, false, kJapanese, "139:7.407407"},
      {CoordinateFormat::DegreesMinutes, 35.25, true, kGerman, "35:15"},
      {CoordinateFormat::DegreesMinutes, 35.2575, true, kGerman, "35:15,45"},
      {CoordinateFormat::DegreesMinutesSeconds, 33.4056, true, kJapanese, "33:24:20"},
      {CoordinateFormat::DegreesMinutesSeconds, -33.4056, true, kJapanese, "-33:24:20"},
      {CoordinateFormat::DegreesMinutesSeconds, 138.1381, false, kJapanese, "138:8:17"},
      {CoordinateFormat::DegreesMinutesSeconds, -0.0001, false, kJapanese, "-0:0:0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(CoordinateText(c.format, c.value, c.latitude, c.locale), QString::fromUtf8(c.text));
  }
}

TEST(CoordinateText, WrittenMarksReadBackInTheirFormat) {
  struct Format {
    CoordinateFormat format;
    double tolerance;
  } const formats[] = {
      {CoordinateFormat::Degrees, 1e-5},
      {CoordinateFormat::DegreesMinutes, 2e-7},
      {CoordinateFormat::DegreesMinutesSeconds, 1.0 / 3600},
  };
  for (const QLocale& locale : {kJapanese, kGerman}) {
    for (const Format& f : formats) {
      for (const double value : {35.6894444, -33.8688197, 0.5, -0.5, 139.6916667, -151.2092955, 179.99}) {
        for (const bool latitude : {true, false}) {
          const QString text = CoordinateText(f.format, value, latitude, locale);
          SCOPED_TRACE(text.toStdString());
          const double back = ReadCoordinate(f.format, text, locale);
          EXPECT_NEAR(back, value, f.tolerance);
          EXPECT_EQ(std::signbit(back), std::signbit(value));
        }
      }
    }
  }
}

TEST(NumberTexts, CutsRoundsAndDecimals) {
  EXPECT_EQ(FirstCharacters(213.750, 5, kJapanese), QStringLiteral("213.7"));
  EXPECT_EQ(FirstCharacters(151.1456, 5, kGerman), QStringLiteral("151,1"));
  // A tiny distance is cut from its fixed form, never from "1.234E-5".
  EXPECT_EQ(GeneralText(0.00001234, kJapanese), QStringLiteral("1.234E-5"));
  EXPECT_EQ(FirstCharacters(0.00001234, 5, kJapanese), QStringLiteral("0.000"));
  EXPECT_EQ(FixedGeneralText(-0.00001234, kGerman), QStringLiteral("-0,00001234"));
  EXPECT_EQ(GeneralText(35, kJapanese), QStringLiteral("35"));

  EXPECT_EQ(TwoDecimalsText(1157.2900390625, kJapanese), QStringLiteral("1157.29"));
  EXPECT_EQ(TwoDecimalsText(855, kJapanese), QStringLiteral("855.00"));
  EXPECT_EQ(TwoDecimalsText(1068.75, kGerman), QStringLiteral("1068,75"));
  EXPECT_EQ(TwoDecimalsText(-0.001, kJapanese), QStringLiteral("0.00"));

  const struct {
    double value;
    const char* text;
  } rounded[] = {{192.5, "192"}, {193.5, "194"}, {0.5, "0"},  {360.5, "360"},
                 {359.6, "360"}, {-4.5, "-4"},   {-0.4, "0"}, {82.2, "82"}};
  for (const auto& r : rounded) {
    SCOPED_TRACE(r.value);
    EXPECT_EQ(RoundedText(r.value), QString::fromUtf8(r.text));
  }
}

}  // namespace
}  // namespace drevlin
