#include <gtest/gtest.h>

#include <cmath>

#include "KivoLib.h"
#include "failure_text.h"
#include "testing/rating_record.h"

using kivotest::FailureText;
using namespace kivo;

namespace {

double Cos(double degrees) { return std::cos(degrees * (M_PI / 180)); }

std::unique_ptr<TKivoBoat> TypicalBoat() {
  return TKivoBoat::CreateFromRecord(kivotest::RatingRecord::Typical().Line());
}

void SetAngles(TKivoBoat& boat, double beat, double gybe) {
  for (int i = 0; i < 7; ++i) {
    boat.UA.SetValue(i, beat);
    boat.DA.SetValue(i, gybe);
  }
}

std::vector<double> PolarAngles(TKivoBoat& boat, int wind) {
  TKivoPolar polar = boat.BuildPolar(wind);
  return std::vector<double>(polar.Angle.begin(), polar.Angle.begin() + static_cast<long>(polar.Count));
}

}  // namespace

TEST(AngleCurves, AccessorsByAngle) {
  auto boat = TypicalBoat();
  EXPECT_EQ(boat->AngleCurve(53), nullptr);
  EXPECT_EQ(boat->AngleCurve(135), &boat->Curves[13]);
  EXPECT_EQ(boat->AngleCurve(135)->GetName(), "R135");
  EXPECT_EQ(boat->AngleCurve(52), boat->Curve(7));
}

TEST(AngleCurves, BeatAndRunBranchesScaleByTheCosine) {
  auto boat = TypicalBoat();
  SetAngles(*boat, 40, 150);
  TKivoCurve target;
  struct Case {
    double angle;
    int curve;
    double degrees;
  } cases[] = {
      {40, BeatCurve, 40}, {30, BeatCurve, 30}, {0, BeatCurve, 0}, {150, RunCurve, 30}, {180, RunCurve, 0}};
  for (const Case& c : cases) {
    boat->FillCurveForAngle(target, c.angle);
    for (int i = 0; i < 7; ++i)
      EXPECT_EQ(target.Allowance(i), boat->Curve(c.curve)->Allowance(i) * Cos(c.degrees)) << c.angle;
  }
}

TEST(AngleCurves, EachWindIndexDecidesItsOwnBranch) {
  auto boat = TypicalBoat();
  SetAngles(*boat, 40, 150);
  boat->UA.SetValue(3, 50);
  TKivoCurve target;
  boat->FillCurveForAngle(target, 45);
  EXPECT_EQ(target.Allowance(3), boat->Curve(BeatCurve)->Allowance(3) * Cos(45));
  EXPECT_EQ(target.Allowance(2), 3600 / InterpolatePolar(boat->BuildPolar(10), 45));
}

TEST(AngleCurves, PolarAngleLists) {
  auto boat = TypicalBoat();
  SetAngles(*boat, 40, 150);
  EXPECT_EQ(PolarAngles(*boat, 10), (std::vector<double>{38, 40, 52, 60, 75, 90, 110, 120, 135, 150, 152}));
  SetAngles(*boat, 55, 140);
  EXPECT_EQ(PolarAngles(*boat, 10), (std::vector<double>{53, 55, 60, 75, 90, 110, 120, 135, 140, 142}));
  TKivoPolar polar = boat->BuildPolar(20);
  double beat = boat->Curve(BeatCurve)->VelocityAt(6);
  double run = boat->Curve(RunCurve)->VelocityAt(6);
  ASSERT_EQ(polar.Count, 10u);
  EXPECT_EQ(polar.Speed[0], beat / Cos(53));
  EXPECT_EQ(polar.Speed[1], beat / Cos(55));
  EXPECT_EQ(polar.Speed[2], boat->AngleCurve(60)->VelocityAt(6));
  EXPECT_EQ(polar.Speed[8], run / Cos(40));
  EXPECT_EQ(polar.Speed[9], run / Cos(38));
  EXPECT_EQ(FailureText([&] { boat->BuildPolar(7); }), "EKivoException: 7 is an invalid wind speed");
}

TEST(AngleCurves, LagrangeWindowsOfAtMostFourPoints) {
  TKivoPolar polar;
  const double angles[] = {38, 40, 52, 60, 75, 90};
  for (double a : angles) polar.AddPoint(a, a * a / 100);  // a parabola: any window of 3+ points is exact
  auto line = [&](double x) { return polar.Speed[0] + (x - 38) * (polar.Speed[1] - polar.Speed[0]) / 2; };
  struct Case {
    double x;
    size_t lo, hi;
  } cases[] = {{30, 0, 1}, {38, 0, 1}, {39, 0, 2}, {40, 0, 2}, {55, 1, 4}, {89, 3, 5}, {90, 3, 5}};
  for (const Case& c : cases) {
    std::span<const double> xs(polar.Angle.data(), polar.Count), ys(polar.Speed.data(), polar.Count);
    double expected =
        LagrangeValue(xs.subspan(c.lo, c.hi - c.lo + 1), ys.subspan(c.lo, c.hi - c.lo + 1), c.x);
    EXPECT_EQ(InterpolatePolar(polar, c.x), expected) << c.x;
  }
  EXPECT_NEAR(InterpolatePolar(polar, 30), line(30), 1e-12);
  EXPECT_NEAR(InterpolatePolar(polar, 55), 55.0 * 55 / 100, 1e-12);
  for (double a : angles) EXPECT_NEAR(InterpolatePolar(polar, a), a * a / 100, 1e-12) << a;
  EXPECT_EQ(FailureText([&] { InterpolatePolar(polar, 90.5); }), "Exception: Incorrect x value \"90.5\"");
}

TEST(AngleCurves, LagrangeBasisIgnoresPointsSharingAnAngle) {
  const std::vector<double> xs = {10, 10, 20};
  EXPECT_EQ(LagrangeBasis(0, xs, 15), 0);
  EXPECT_EQ(LagrangeBasis(1, xs, 15), 0);
  EXPECT_EQ(LagrangeBasis(2, xs, 15), (15.0 - 10) * (15.0 - 10) / ((20.0 - 10) * (20.0 - 10)));
  const std::vector<double> ys = {1, 2, 3};
  EXPECT_EQ(LagrangeValue(xs, ys, 15), 0.25 * 3);
}

TEST(AngleCurves, BetweenBeatAndGybeTheAllowanceComesFromThePolar) {
  auto boat = TypicalBoat();
  TKivoCurve target;
  boat->FillCurveForAngle(target, 90);
  // At a fixed angle of the polar the interpolation returns that curve.
  for (int i = 0; i < 7; ++i) EXPECT_NEAR(target.Allowance(i), boat->AngleCurve(90)->Allowance(i), 1e-9);
  boat->FillCurveForAngle(target, 100);
  for (int i = 0; i < 7; ++i) {
    EXPECT_LT(target.Allowance(i),
              std::max(boat->AngleCurve(90)->Allowance(i), boat->AngleCurve(110)->Allowance(i)) + 5);
    EXPECT_GT(target.Allowance(i),
              std::min(boat->AngleCurve(90)->Allowance(i), boat->AngleCurve(110)->Allowance(i)) - 5);
  }
}
