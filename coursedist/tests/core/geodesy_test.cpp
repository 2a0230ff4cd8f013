// The worked legs of the geodesy, and the legs that used to go wrong: across
// the 180° meridian, 90° of arc and more, nearly identical points, bearings
// of 0 and 180, poles.
#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/geodesy.h"

namespace drevlin {
namespace {

struct LegCase {
  const char* name;
  double lat1, lon1, lat2, lon2;
  double trueCourse, distMin;
  double tolerance;  // for both
};

TEST(GreatCircleCourseDistance, WorkedAndMendedLegs) {
  const LegCase cases[] = {
      {"same point", 35, 139, 35, 139, 0, 0, 0},
      {"north along a meridian", 35, 139, 36, 139, 0, 60, 1e-9},
      {"south along a meridian", 36, 139, 35, 139, 180, 60, 1e-9},
      {"north-east", 0, 0, 10, 10, 44.5615, 846.363, 1e-3},
      {"south-east", 0, 0, -10, 10, 135.4385, 846.363, 1e-3},
      {"south-west", 0, 0, -10, -10, 224.5615, 846.363, 1e-3},
      {"north-west", 0, 0, 10, -10, 315.4385, 846.363, 1e-3},
      {"east along the equator", 0, 0, 0, 10, 90.0000033, 600, 1e-6},
      {"west along the equator", 0, 0, 0, -10, 269.9999967, 600, 1e-6},
      {"one degree east at 35 N", 35, 139, 35, 140, 89.7132, 49.1489, 1e-4},
      {"east across 180", 35, 170, 35, -170, 84.2249, 981.328, 1e-3},
      {"west across 180", 35, -170, 35, 170, 275.7751, 981.328, 1e-3},
      {"across 180 in the south", -40, 179.5, -40.5, -179.5, 123.5515, 54.7451, 1e-3},
      {"100 degrees of arc", 0, 0, 0, 100, 90, 6000, 1e-5},
      {"179 degrees of arc", 0, 0, 0, 179, 90, 10740, 1e-3},
      {"180 and -180 are one meridian", 10, 180, 10, -180, 0, 0, 0},
  };
  for (const LegCase& c : cases) {
    SCOPED_TRACE(c.name);
    const GreatCircle leg = GreatCircleCourseDistance(c.lat1, c.lon1, c.lat2, c.lon2);
    EXPECT_NEAR(leg.trueCourse, c.trueCourse, c.tolerance);
    EXPECT_NEAR(leg.distMin, c.distMin, c.tolerance);
    EXPECT_NEAR(leg.distKm, leg.distMin * 1.852, 1e-9);
    EXPECT_GE(leg.trueCourse, 0);
    EXPECT_LT(leg.trueCourse, 360);
  }
}

TEST(GreatCircleCourseDistance, NearlyIdenticalPointsGiveATinyLegWithoutError) {
  const GreatCircle leg = GreatCircleCourseDistance(0.021, 10, 0.021, 10.000000001);
  EXPECT_TRUE(std::isfinite(leg.distMin));
  EXPECT_LT(leg.distMin, 1e-5);
}

TEST(GreatCircleCourseDistance, NoNumberInIsAnInvalidOperation) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_THROW(GreatCircleCourseDistance(nan, 139, 35, 140), EInvalidOp);
  EXPECT_THROW(GreatCircleCourseDistance(35, 139, 35, std::numeric_limits<double>::infinity()), EInvalidOp);
}

TEST(EllipsoidDistance, WorkedAndMendedLegs) {
  EXPECT_EQ(EllipsoidDistance(35, 139, 35, 139).metres, 0);
  const EllipsoidLeg diagonal = EllipsoidDistance(0, 0, 10, 10);
  EXPECT_NEAR(diagonal.metres, 1565945.75, 0.01);
  EXPECT_NEAR(diagonal.nauticalMiles, 845.543, 1e-3);
  EXPECT_NEAR(EllipsoidDistance(35, 139, 35, 140).metres, 91277.27, 0.01);
  // Across 180 the short way, not round the world.
  EXPECT_NEAR(EllipsoidDistance(35, 170, 35, -170).nauticalMiles, 985.716, 1e-3);
  EXPECT_NEAR(EllipsoidDistance(35, -170, 35, 170).nauticalMiles, 985.716, 1e-3);
}

TEST(MagneticVariationAt, PolynomialAroundJapan) {
  EXPECT_EQ(MagneticVariationAt(37, 138), 7.95335f);
  EXPECT_NEAR(MagneticVariationAt(35, 139), 7.20255, 1e-5);
  EXPECT_NEAR(MagneticVariationAt(35.6894444, 139.6916667), 7.3244, 1e-4);

  EXPECT_TRUE(HasMagneticVariation(35, 139));
  EXPECT_TRUE(HasMagneticVariation(20, 120));
  EXPECT_TRUE(HasMagneticVariation(50, 155));
  EXPECT_FALSE(HasMagneticVariation(37.8, -122.4));
  EXPECT_FALSE(HasMagneticVariation(19.9, 139));
  EXPECT_FALSE(HasMagneticVariation(35, 155.1));
}

TEST(DestinationPoint, WorkedAndMendedBearings) {
  struct Case {
    double bearing, lat, lon, tolerance;
  } const cases[] = {
      {90, 34.99389, 140.22071, 1e-5},
      {270, 34.99389, 137.77929, 1e-5},
      // Straight south or north the cosines round just beyond 1.
      {180, 34, 139, 1e-9},
      {0, 36, 139, 1e-9},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bearing);
    const Position p = DestinationPoint(35, 139, 1, c.bearing);
    EXPECT_NEAR(p.lat, c.lat, c.tolerance);
    EXPECT_NEAR(p.lon, c.lon, c.tolerance);
  }
}

TEST(DestinationPoint, ALongitudePastTheDateLineIsBroughtWithinHalfACircle) {
  struct Case {
    double lon1, bearing, lon;
  } const cases[] = {
      {179.5, 90, -179.5},
      {-179.5, 270, 179.5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lon1);
    const Position p = DestinationPoint(0, c.lon1, 1, c.bearing);
    EXPECT_NEAR(p.lat, 0, 1e-9);
    EXPECT_NEAR(p.lon, c.lon, 1e-9);
    EXPECT_GT(p.lon, -180);
    EXPECT_LE(p.lon, 180);
  }
  for (const double lon : {139.0, 180.0, -179.5}) EXPECT_EQ(ReducedLongitude(lon), lon);
  EXPECT_EQ(ReducedLongitude(-180), 180);
  EXPECT_EQ(ReducedLongitude(499), 139);
  EXPECT_EQ(ReducedLongitude(-183.997657), 360 - 183.997657);
}

TEST(DestinationPoint, StartAtTheNorthPoleIsRefused) {
  try {
    DestinationPoint(90, 139, 1, 90);
    ADD_FAILURE() << "no error";
  } catch (const std::runtime_error& e) {
    const std::string message = e.what();
    EXPECT_TRUE(message == "Invalid floating point operation" || message == "Floating point division by zero")
        << message;
  }
}

}  // namespace
}  // namespace drevlin
