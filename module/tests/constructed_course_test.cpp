#include <gtest/gtest.h>

#include "KivoLib.h"
#include "failure_text.h"
#include "testing/rating_record.h"

using kivotest::FailureText;
using namespace kivo;

namespace {

std::unique_ptr<TKivoBoat> TypicalBoat() {
  return TKivoBoat::CreateFromRecord(kivotest::RatingRecord::Typical().Line());
}

TKivoLegData Leg(double distance, uint8_t code, double wind_speed = 0, double course = 0,
                 double direction = 0) {
  TKivoLegData leg;
  leg.distance = distance;
  leg.predefinedCourse = code;
  leg.windSpeed = wind_speed;
  leg.course = course;
  leg.windDirection = direction;
  return leg;
}

}  // namespace

TEST(ConstructedCourse, OneLegOfACourseTypeCopiesThatCurve) {
  auto boat = TypicalBoat();
  auto curve = boat->BuildConstructedCurve({Leg(2, 1)});
  EXPECT_EQ(curve->AsText(), boat->Curve(WindwardLeewardCurve)->AsText());
  EXPECT_EQ(curve->FixedWind, 0);
  struct Case {
    uint8_t code;
    int curve;
  } codes[] = {{1, WindwardLeewardCurve},
               {2, OceanCurve},
               {3, OlympicCurve},
               {4, CircularRandomCurve},
               {5, NonSpinnakerCurve}};
  for (const Case& c : codes)
    EXPECT_EQ(boat->BuildConstructedCurve({Leg(3, c.code)})->AsText(), boat->Curve(c.curve)->AsText())
        << int(c.code);
}

TEST(ConstructedCourse, WithoutLegWindsTheLegCurvesMixByDistance) {
  auto boat = TypicalBoat();
  auto curve = boat->BuildConstructedCurve({Leg(1, 1), Leg(3, 2)});
  for (int i = 0; i < 7; ++i) {
    double expected = 0 + boat->Curve(WindwardLeewardCurve)->Allowance(i) * 1 / 4;
    expected = expected + boat->Curve(OceanCurve)->Allowance(i) * 3 / 4;
    EXPECT_EQ(curve->Allowance(i), expected);
  }
  EXPECT_FALSE(curve->IsConstant());
}

TEST(ConstructedCourse, TrueWindAngleOfALeg) {
  auto boat = TypicalBoat();
  struct Case {
    double direction, course, angle;
  } cases[] = {{10, 350, 20}, {350, 10, 20}, {200, 0, 160}, {45, 45, 0}, {90, 270, 180}};
  for (const Case& c : cases) {
    TKivoCurve expected;
    boat->FillCurveForAngle(expected, c.angle);
    EXPECT_EQ(boat->BuildConstructedCurve({Leg(5, 0, 0, c.course, c.direction)})->AsText(), expected.AsText())
        << c.direction << " " << c.course;
  }
}

TEST(ConstructedCourse, LegWindsGiveAFlatCurveAndAFixedWind) {
  auto boat = TypicalBoat();
  auto curve = boat->BuildConstructedCurve({Leg(2, 1, 4), Leg(2, 2, 25)});
  EXPECT_EQ(curve->FixedWind, 13);
  EXPECT_TRUE(curve->IsConstant());
  TKivoCurve wl, ocean;
  wl.Assign(boat->Curve(WindwardLeewardCurve)->GetValues());
  ocean.Assign(boat->Curve(OceanCurve)->GetValues());
  double expected = 0 + 3600 / wl.SplineVelocity(6) * 2 / 4;
  expected = expected + 3600 / ocean.SplineVelocity(20) * 2 / 4;
  EXPECT_EQ(curve->Allowance(0), expected);

  // A leg without a wind speed counts as 6 knots once another has one.
  auto mixed = boat->BuildConstructedCurve({Leg(1, 1, 12), Leg(1, 1, 0)});
  EXPECT_TRUE(mixed->IsConstant());
  EXPECT_EQ(mixed->FixedWind, 9);
}

TEST(ConstructedCourse, EdgesAndRefusals) {
  auto boat = TypicalBoat();
  auto none = boat->BuildConstructedCurve({});
  EXPECT_EQ(none->AsText(), "0,0,0,0,0,0,0");
  EXPECT_EQ(FailureText([&] {
              boat->BuildConstructedCurve({Leg(0, 1), Leg(0, 2)});
            }),
            "EInvalidOp: Invalid floating point operation");
  EXPECT_EQ(FailureText([&] {
              boat->BuildConstructedCurve({Leg(2, 1), Leg(-2, 2)});
            }),
            "EZeroDivide: Floating point division by zero");
  EXPECT_EQ(FailureText([&] {
              boat->BuildConstructedCurve({Leg(1, 1), Leg(1, 9)});
            }),
            "EKivoException: Leg 2 has the predefined course 9; it must be a course type 0 to 5");
  boat->Curve(RunCurve)->SetAllowance(3, 0);
  EXPECT_EQ(FailureText([&] {
              boat->BuildConstructedCurve({Leg(1, 1), Leg(1, 0, 0, 0, 180)});
            }),
            "EKivoException: the curve for leg 2 holds an allowance of 0 (an infinite speed)");
}
