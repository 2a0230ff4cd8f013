// The windward-leeward course of the test marks in both mile units, the
// magnetic courses round the compass, and which typed marks are usable.
#include <gtest/gtest.h>

#include "core/inshore_course.h"

namespace drevlin {
namespace {

// The test fill: lee 35:41:22 139:41:30, weather 34:41:11 135:31:12.
InshoreMarks TestMarks() {
  InshoreMarks marks;
  marks.leeLat = 35 + 41.0 / 60 + 22.0 / 3600;
  marks.leeLon = 139 + 41.0 / 60 + 30.0 / 3600;
  marks.weatherLat = 34 + 41.0 / 60 + 11.0 / 3600;
  marks.weatherLon = 135 + 31.0 / 60 + 12.0 / 3600;
  return marks;
}

TEST(ComputeInshoreCourse, TestMarksInBothUnits) {
  const InshoreMarks marks = TestMarks();
  const float magVar = MagneticVariationAt(marks.leeLat, marks.leeLon);
  EXPECT_NEAR(magVar, 7.3244, 1e-4);

  struct Case {
    int mileUnit;
    double distance, sideDistance, olympic, lwlwl, lwlwlw;
  } const cases[] = {
      {1, 213.750, 151.145, 1157.29, 855.00, 1068.75},
      {0, 213.211, 150.763, 1154.37, 852.84, 1066.05},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mileUnit);
    const InshoreCourse course = ComputeInshoreCourse(marks, false, c.mileUnit, magVar);
    EXPECT_NEAR(course.distance, c.distance, 1e-3);
    EXPECT_EQ(course.hasMetres, c.mileUnit == 1);
    if (c.mileUnit == 1) {
      EXPECT_NEAR(course.ellipsoidMetres, 395866, 0.5);
    }
    EXPECT_NEAR(course.leeToWeather, 262, 0.5);
    EXPECT_NEAR(course.weatherToLee, 82, 0.5);
    EXPECT_NEAR(course.weatherToSide, 127, 0.5);
    EXPECT_NEAR(course.sideToLee, 37, 0.5);
    EXPECT_TRUE(course.sidePlaced);
    EXPECT_NEAR(course.sideDistance, c.sideDistance, 1e-3);
    EXPECT_NEAR(course.olympic, c.olympic, 0.005);
    EXPECT_NEAR(course.lwlwl, c.lwlwl, 0.005);
    EXPECT_NEAR(course.lwlwlw, c.lwlwlw, 0.005);
  }
}

TEST(ComputeInshoreCourse, ATypedSideMarkIsKept) {
  InshoreMarks marks = TestMarks();
  marks.sideLat = 33.4;
  marks.sideLon = 138.1;
  const InshoreCourse course = ComputeInshoreCourse(marks, true, 1, 7.3f);
  EXPECT_FALSE(course.sidePlaced);
  EXPECT_GT(course.sideDistance, 140);
  EXPECT_LT(course.sideDistance, 160);
}

TEST(ComputeInshoreCourse, LegAcross180GoesTheShortWay) {
  InshoreMarks marks;
  marks.leeLat = -17.5;
  marks.leeLon = 179.95;
  marks.weatherLat = -17.4;
  marks.weatherLon = -179.95;
  const InshoreCourse course = ComputeInshoreCourse(marks, false, 0, 0);
  EXPECT_NEAR(course.distance, 8.29, 0.01);
  EXPECT_NEAR(course.leeToWeather, 44, 1);
  EXPECT_NEAR(course.sideDistance, 8.29 * 0.7071, 0.05);
}

TEST(MagneticCourse, StaysOnTheCompass) {
  EXPECT_NEAR(MagneticCourse(355, 7.2f), 2.2f, 1e-4);   // 362.2 less 360
  EXPECT_FLOAT_EQ(MagneticCourse(3, -7.0f), 356.0f);    // -4 plus 360
  EXPECT_FLOAT_EQ(MagneticCourse(352.75, 7.25f), 360);  // exactly 360 stays
  EXPECT_FLOAT_EQ(MagneticCourse(100, 7.5f), 107.5f);
}

TEST(UsableMarks, ZeroPolesAndOutOfRangeAreRefused) {
  for (const double lat : {35.0, -89.999, 89.999, -0.001}) EXPECT_TRUE(IsUsableLatitude(lat)) << lat;
  for (const double lat : {0.0, 90.0, -90.0, 95.0, 1e300}) EXPECT_FALSE(IsUsableLatitude(lat)) << lat;
  for (const double lon : {139.0, 180.0, -180.0, -0.5}) EXPECT_TRUE(IsUsableLongitude(lon)) << lon;
  for (const double lon : {0.0, 180.001, -181.0, 1e300}) EXPECT_FALSE(IsUsableLongitude(lon)) << lon;
}

}  // namespace
}  // namespace drevlin
