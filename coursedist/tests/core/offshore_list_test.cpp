// The offshore point list: rows, totals and the refusals, from the texts
// that the page and the fields hold. Legs use the geodesy's worked examples:
// (35, 139) to (35, 140) is 89.7132°, 49.1489' on the sphere and 91277.27 m
// (49.2858 NM) on the ellipsoid; the variation at (35, 139) is 7.20255.
#include <gtest/gtest.h>
#include <QRegularExpression>

#include "core/offshore_list.h"

namespace drevlin {
namespace {

const QLocale kJapanese(QLocale::Japanese, QLocale::Japan);
const QLocale kGerman(QLocale::German, QLocale::Germany);

using Kind = CaptureResult::Kind;

CaptureInput Click(const char* lat, const char* lng, const char* magVar = "7.2", const char* avgTwd = "180",
                   int mileUnit = 1) {
  return CaptureInput{QString::fromLatin1(lat), QString::fromLatin1(lng), QString::fromLatin1(magVar),
                      QString::fromLatin1(avgTwd), mileUnit};
}

class OffshoreListTest : public ::testing::Test {
 protected:
  void SetUp() override { AllocatePointArrays(course_); }
  CaptureResult Take(const CaptureInput& input, const QLocale& locale = kJapanese) {
    return TakePoint(course_, input, locale);
  }
  OffshoreCourse course_;
};

TEST_F(OffshoreListTest, TheFirstPointGivesItsRowAndTheVariationButNoTotals) {
  const CaptureResult first = Take(Click("35", "139"));
  ASSERT_EQ(first.kind, Kind::Taken);
  // A whole degree is padded after a decimal point, not "350000000".
  EXPECT_EQ(first.row, QStringLiteral("  1  35.000000  139.000000"));
  EXPECT_EQ(first.latText, QStringLiteral("35"));
  EXPECT_EQ(first.lngText, QStringLiteral("139"));
  EXPECT_EQ(first.countText, QStringLiteral("1"));
  EXPECT_EQ(first.magVarText, QStringLiteral("7.2"));
  EXPECT_NEAR(first.magVar, 7.20255, 1e-5);
  EXPECT_TRUE(first.totalMilesText.isEmpty());
  EXPECT_TRUE(first.totalKmText.isEmpty());
  EXPECT_TRUE(first.message.isEmpty());
}

TEST_F(OffshoreListTest, LegRowsInBothUnitsAndTheirTotals) {
  struct Case {
    const char* name;
    int mileUnit;
    const char* row;
    const char* totalMiles;
  };
  const Case cases[] = {
      {"1852 m, with km", 1, "  2  35.000000  140.000000  90  97   83   49.29   91.28", "49.29 Mi"},
      {"one minute of arc", 0, "  2  35.000000  140.000000  90  97   83   49.15", "49.15 Mi"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    OffshoreCourse course;
    TakePoint(course, Click("35", "139", "7.2", "180", c.mileUnit), kJapanese);
    const CaptureResult second = TakePoint(course, Click("35", "140", "7.2", "180", c.mileUnit), kJapanese);
    ASSERT_EQ(second.kind, Kind::Taken);
    EXPECT_EQ(second.row, QString::fromLatin1(c.row));
    EXPECT_EQ(second.totalMilesText, QString::fromLatin1(c.totalMiles));
    EXPECT_EQ(second.countText, QStringLiteral("2"));
    EXPECT_TRUE(second.magVarText.isEmpty()) << "the variation is computed at the first point only";
  }
}

TEST_F(OffshoreListTest, TotalsAddUpTheLegs) {
  Take(Click("35", "139"));
  Take(Click("35", "140"));
  const CaptureResult third = Take(Click("35", "139"));
  EXPECT_EQ(third.totalMilesText, QStringLiteral("98.57 Mi"));
  EXPECT_EQ(third.totalKmText, QStringLiteral("182.55 Km"));
  EXPECT_EQ(course_.PointCount, 3);
}

TEST_F(OffshoreListTest, OnlyANewPositionOfTheCutTextsIsTaken) {
  ASSERT_EQ(Take(Click("35.12345678", "139.12345678")).kind, Kind::Taken);
  EXPECT_DOUBLE_EQ(course_.PointLat[1], 35.1234567);
  EXPECT_DOUBLE_EQ(course_.PointLon[1], 139.1234567);
  // The same texts again, texts that differ only after the cut, or no texts.
  for (const CaptureInput& input :
       {Click("35.12345678", "139.12345678"), Click("35.12345679", "139.12345679"),
        Click(" 35.1234567 ", "139.1234567"), Click("", ""), Click("36", "")}) {
    const CaptureResult again = Take(input);
    EXPECT_EQ(again.kind, Kind::Ignored) << input.lat.toStdString();
    EXPECT_TRUE(again.message.isEmpty());
  }
  EXPECT_EQ(course_.PointCount, 1);
}

TEST_F(OffshoreListTest, AShortLatitudeIsPaddedWithZerosInBothLayouts) {
  Take(Click("5.5", "139"));
  const CaptureResult second = Take(Click("5.5", "140.25"));
  EXPECT_TRUE(second.row.startsWith(QStringLiteral("  2  5.5000000  140.250000 ")))
      << second.row.toStdString();
  const QStringList rebuilt =
      RebuildPointList(course_, QStringLiteral("7.2"), QStringLiteral("180"), kJapanese);
  EXPECT_EQ(rebuilt.value(0), QStringLiteral("  1   5.500000   139.00000"));
}

TEST_F(OffshoreListTest, RebuiltRowsAreWiderWithNewWindAnglesAndNoKm) {
  Take(Click("35", "139"));
  Take(Click("35", "140"));
  const double totalBefore = course_.TotalMiles;
  const QStringList rebuilt =
      RebuildPointList(course_, QStringLiteral("7.2"), QStringLiteral("10"), kJapanese);
  EXPECT_EQ(rebuilt, (QStringList{QStringLiteral("  1   35.00000   139.00000"),
                                  QStringLiteral("  2   35.00000   140.00000    90    97    -87    49.29")}));
  EXPECT_EQ(course_.TotalMiles, totalBefore);
}

TEST_F(OffshoreListTest, RebuiltRowsRoundHalvesToEven) {
  course_.PointCount = 2;
  course_.PointLat[1] = 35;
  course_.PointLon[1] = 139;
  course_.PointLat[2] = 34.7899112;
  course_.PointLon[2] = 139.352903;
  course_.PointCOt[2] = 192.5;
  course_.PointCOm[2] = 193.5;
  course_.PointMiles[2] = 31.23;
  const QStringList rebuilt =
      RebuildPointList(course_, QStringLiteral("7.2"), QStringLiteral("180"), kJapanese);
  EXPECT_EQ(rebuilt.value(1), QStringLiteral("  2   34.789911   139.352903   192   194    -14    31.23"));
}

TEST(OffshoreCourses, MagneticCourseAndWindAngleStayInRange) {
  struct Case {
    double trueCourse;
    float magVar;
    float avgTwd;
    float magnetic;
    float windAngle;
  };
  const Case cases[] = {
      {355, 7.2f, 180, 2.2f, 177.8f},  // past north
      {3, -7.0f, 180, 356, -176},      // an east variation below north: not -4
      {192, 8, 180, 200, -20},
      {343, 7, 180, 350, -170},
      {193, 7, 10, 200, 170},  // not -190
      {0, 0, 0, 0, 0},
      {180, 0, 0, 180, 180},  // the wind from straight ahead: 180, not -180
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.trueCourse << " + " << c.magVar << ", wind " << c.avgTwd);
    const float magnetic = OffshoreMagneticCourse(c.trueCourse, c.magVar);
    EXPECT_NEAR(magnetic, c.magnetic, 1e-4);
    EXPECT_NEAR(WindAngle(c.avgTwd, magnetic), c.windAngle, 1e-4);
    EXPECT_NEAR(WindAngle(static_cast<double>(c.avgTwd), static_cast<double>(magnetic)), c.windAngle, 1e-4);
  }
}

TEST(OffshoreTexts, TheVariationIsCutAfterItsFirstDecimal) {
  struct Case {
    double variation;
    const QLocale& locale;
    const char* text;
  };
  const Case cases[] = {
      {7.20255, kJapanese, "7.2"},  {10.93, kJapanese, "10.9"}, {-0.7, kJapanese, "-0.7"},
      {-12.99, kJapanese, "-12.9"}, {8, kJapanese, "8"},        {0.00001, kJapanese, "0.0"},
      {7.20255, kGerman, "7,2"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(VariationText(c.variation, c.locale), QString::fromUtf8(c.text)) << c.variation;
  }
}

TEST_F(OffshoreListTest, TheHeaderTitlesStandOverTheirFields) {
  // A leg with coordinates as wide as they get; numbers end at their
  // field's right end.
  Take(Click("35", "139"));
  const CaptureResult leg = Take(Click("-35.123456", "-170.12345", "7.2", "10"));
  ASSERT_EQ(leg.kind, Kind::Taken);
  const auto spans = [](const QString& text) {
    std::vector<std::pair<qsizetype, qsizetype>> found;  // first and last column
    QRegularExpressionMatchIterator words = QRegularExpression(QStringLiteral("\\S+")).globalMatch(text);
    while (words.hasNext()) {
      const QRegularExpressionMatch word = words.next();
      found.emplace_back(word.capturedStart(), word.capturedEnd() - 1);
    }
    return found;
  };
  const auto fields = spans(leg.row);
  const auto titles = spans(QString::fromLatin1(kPointListHeader));
  ASSERT_EQ(fields.size(), 8u) << leg.row.toStdString();
  ASSERT_EQ(titles.size(), 7u);
  const char* names[] = {"PT", "LAT", "LON", "COt", "COm", "TWA", "Mi"};
  const bool rightAligned[] = {true, false, false, true, true, true, true};
  for (size_t i = 0; i < titles.size(); ++i) {
    SCOPED_TRACE(names[i]);
    if (rightAligned[i]) {
      EXPECT_EQ(titles[i].second, fields[i].second);
    } else {
      EXPECT_GE(titles[i].first, fields[i].first);
      EXPECT_LE(titles[i].second, fields[i].second);
    }
  }
  // "( Km )" ends where the kilometres end.
  EXPECT_EQ(kKmHeaderColumn + qsizetype(sizeof kKmColumnHeader - 1) - 1, fields[7].second);
  EXPECT_GE(kKmHeaderColumn, fields[6].second + 2);
}

TEST_F(OffshoreListTest, ACommaLocaleReadsBothSeparatorsAndWritesItsOwn) {
  Take(Click("35", "139", "7,2"), kGerman);
  const CaptureResult second = Take(Click("35", "140", "7.2", "180,0"), kGerman);
  ASSERT_EQ(second.kind, Kind::Taken) << second.message.toStdString();
  EXPECT_EQ(second.row, QStringLiteral("  2  35,000000  140,000000  90  97   83   49,29   91,28"));
  EXPECT_EQ(second.totalKmText, QStringLiteral("91,28 Km"));
}

TEST_F(OffshoreListTest, ABadFieldRefusesThePointWithOneMessageAndTheClickCountsLater) {
  Take(Click("35", "139"));
  struct Case {
    const char* magVar;
    const char* avgTwd;
    const char* message;
  };
  const Case cases[] = {
      {"abc", "180", "'abc' is not a valid floating point value"},
      {"7.2", "", "'' is not a valid floating point value"},
      {"inf", "180", "'inf' is not a valid floating point value"},
      {"nan", "180", "'nan' is not a valid floating point value"},
      {"0x10", "180", "'0x10' is not a valid floating point value"},
      {"1e300", "180", "Invalid value in MagVar."},
      {"-180.5", "180", "Invalid value in MagVar."},
      {"7.2", "360.5", "Invalid value in Avg TWD"},
      {"7.2", "-1", "Invalid value in Avg TWD"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.magVar + std::string(" / ") + c.avgTwd);
    const CaptureResult refused = Take(Click("35", "140", c.magVar, c.avgTwd));
    EXPECT_EQ(refused.kind, Kind::Refused);
    EXPECT_EQ(refused.message, QString::fromLatin1(c.message));
    EXPECT_TRUE(refused.row.isEmpty());
    EXPECT_EQ(course_.PointCount, 1);
    EXPECT_EQ(course_.LastLng, QStringLiteral("139"));
  }
  EXPECT_EQ(Take(Click("35", "140", "-180", "360")).kind, Kind::Taken);
  EXPECT_THROW(RebuildPointList(course_, QStringLiteral("7.2"), QStringLiteral("x"), kJapanese),
               std::exception);
  EXPECT_THROW(RebuildPointList(course_, QStringLiteral("200"), QStringLiteral("180"), kJapanese),
               std::runtime_error);
}

TEST_F(OffshoreListTest, TheHundredthPointIsRefusedAndTheListStays) {
  for (int i = 1; i <= kMaxPoints; ++i) {
    const QString lng = QString::number(130 + i * 0.1, 'f', 1);
    ASSERT_EQ(
        TakePoint(course_,
                  CaptureInput{QStringLiteral("35"), lng, QStringLiteral("7"), QStringLiteral("180"), 1},
                  kJapanese)
            .kind,
        Kind::Taken);
  }
  const double total = course_.TotalMiles;
  const CaptureResult hundredth = Take(Click("36", "140"));
  EXPECT_EQ(hundredth.kind, Kind::Refused);
  EXPECT_EQ(hundredth.message, QStringLiteral("The list is full (99 points). Clear All starts a new one."));
  EXPECT_EQ(course_.PointCount, kMaxPoints);
  EXPECT_EQ(course_.TotalMiles, total);
}

TEST_F(OffshoreListTest, ClearingForgetsTheLastPositionSoTheSameClickIsTaken) {
  Take(Click("35", "139"));
  Take(Click("35", "140"));
  ClearPoints(course_);
  EXPECT_EQ(course_.PointCount, 0);
  EXPECT_EQ(course_.TotalMiles, 0);
  const CaptureResult again = Take(Click("35", "140"));
  ASSERT_EQ(again.kind, Kind::Taken);
  EXPECT_EQ(again.row, QStringLiteral("  1  35.000000  140.000000"));
}

TEST_F(OffshoreListTest, AClickOnARepeatedWorldIsStoredWithinHalfACircle) {
  ASSERT_EQ(Take(Click("35", "499")).kind, Kind::Taken);  // 139 one world east
  EXPECT_EQ(course_.PointLon[1], 139);
  EXPECT_EQ(course_.LastLng, QStringLiteral("499"));
  const CaptureResult second = Take(Click("35", "-220"));  // 140 one world west
  EXPECT_EQ(course_.PointLon[2], 140);
  EXPECT_EQ(second.lngText, QStringLiteral("140"));
  EXPECT_EQ(second.row, QStringLiteral("  2  35.000000  140.000000  90  97   83   49.29   91.28"));
  Take(Click("35", "-180"));
  EXPECT_EQ(course_.PointLon[3], 180);
}

TEST_F(OffshoreListTest, AnExponentFromThePageIsReadWhole) {
  // Number.toString() gives "1.5e-7" this close to the equator.
  ASSERT_EQ(Take(Click("1.5e-7", "139")).kind, Kind::Taken);
  EXPECT_EQ(course_.PointLat[1], 1.5e-7);
  EXPECT_TRUE(Take(Click("35", "140")).row.startsWith(QStringLiteral("  2  35.000000")));
  const QStringList rebuilt =
      RebuildPointList(course_, QStringLiteral("7.2"), QStringLiteral("180"), kJapanese);
  EXPECT_EQ(rebuilt.value(0), QStringLiteral("  1   0.0000001   139.00000"));
}

TEST_F(OffshoreListTest, ALongLegShowsItsFieldsWhole) {
  // (0, 0) to (0, 100) is 6000' of arc; 6377397 m × 100° in radians on the
  // ellipsoid: 11130657.5 m, 6010.07 NM, 11130.66 km.
  const CaptureResult first = Take(Click("0.001", "0.001"));
  EXPECT_FALSE(first.message.isEmpty()) << "no variation is known there";
  EXPECT_TRUE(first.magVarText.isEmpty());
  course_ = OffshoreCourse{};
  Take(Click("0", "0"));
  const CaptureResult leg = Take(Click("0", "100"));
  EXPECT_TRUE(leg.row.endsWith(QStringLiteral(" 6010.07 11130.66"))) << leg.row.toStdString();
}

TEST_F(OffshoreListTest, OutsideTheVariationsAreaTheFieldKeepsItsValue) {
  const CaptureResult first = Take(Click("37.8", "-122.4"));
  ASSERT_EQ(first.kind, Kind::Taken);
  EXPECT_TRUE(first.magVarText.isEmpty());
  EXPECT_EQ(first.message, QStringLiteral("Magnetic variation is known around Japan only. Type the local "
                                          "variation in MagVar."));
  EXPECT_EQ(first.magVar, 7.2f) << "the field's value stays in force";
}

}  // namespace
}  // namespace drevlin
