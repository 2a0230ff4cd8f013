#include <gtest/gtest.h>

#include <cmath>

#include "KivoFormat.h"
#include "KivoLib.h"
#include "failure_text.h"
#include "testing/rating_record.h"

using kivotest::FailureText;
using namespace kivo;
using kivotest::RatingRecord;
namespace column = kivotest::column;

namespace {

const double kStart = ParseDateTimeText("2017-06-04T10:00:00");
// Velocity peaks at 8 knots and falls again: 8 knots has no implied wind.
const kivotest::Seven kNoSolution = {720, 360, 600, 655, 667, 679, 692};

std::unique_ptr<TKivoBoat> Boat(double hours, const RatingRecord& record = RatingRecord::Typical()) {
  auto boat = TKivoBoat::CreateFromRecord(record.Line());
  boat->Finish = kStart + hours / 24;
  return boat;
}

TKivoRace Race(int type, double distance) {
  TKivoRace race;
  race.CourseType = static_cast<uint8_t>(type);
  race.Distance = distance;
  race.Start = kStart;
  return race;
}

}  // namespace

TEST(TKivoRace, NoBoatIsAListIndexError) {
  TKivoRace race = Race(1, 21);
  EXPECT_EQ(FailureText([&] { race.Calculate(); }), "EListError: List index out of bounds (0)");
  EXPECT_EQ(FailureText([&] { race.GetItem(3); }), "EListError: List index out of bounds (3)");
}

TEST(TKivoRace, ReferenceBoatIsTheFirstWithTheSmallestGph) {
  TKivoRace race = Race(1, 21);
  race.Add(Boat(3, RatingRecord::Typical(1.0, 610)));
  race.Add(Boat(3.1, RatingRecord::Typical(1.0, 580)));
  race.Add(Boat(3.2, RatingRecord::Typical(1.0, 580)));
  race.Calculate();
  EXPECT_EQ(race.ReferenceBoat, 1);
}

TEST(TKivoRace, VelocitiesOverTheRaceDistance) {
  TKivoRace race = Race(1, 21);
  race.Add(Boat(3));
  race.Add(Boat(4));
  race.Calculate();
  EXPECT_NEAR(race.GetItem(0).Velocity, 7, 1e-9);
  EXPECT_NEAR(race.GetItem(1).Velocity, 5.25, 1e-9);
  for (int i = 0; i < 2; ++i) {
    const TKivoBoat& boat = race.GetItem(i);
    EXPECT_EQ(boat.CourseCurve(), boat.Curve(WindwardLeewardCurve));
    EXPECT_EQ(boat.ImpliedWind, RoundImpliedWind(boat.CourseCurve()->SolveImpliedWind(boat.Velocity)));
  }
  EXPECT_EQ(race.RaceWind, std::max(race.GetItem(0).ImpliedWind, race.GetItem(1).ImpliedWind));
}

TEST(TKivoRace, CorrectedTimes) {
  TKivoRace race = Race(1, 21);
  race.Add(Boat(3.5, RatingRecord::Typical(1.02, 620)));
  race.Add(Boat(3.3, RatingRecord::Typical(0.97, 590)));  // the reference boat
  race.Add(Boat(3.6, RatingRecord::Typical(1.05, 640)));
  race.Calculate();
  ASSERT_EQ(race.ReferenceBoat, 1);
  const TKivoBoat& reference = race.GetItem(1);
  double elapsed = (reference.Finish - kStart) * 24 * 60 * 60;
  EXPECT_NEAR(reference.Corrected, elapsed, 1e-6);  // its two allowance terms cancel
  double reference_allowance = 3600 / reference.CourseCurve()->SplineVelocity(race.RaceWind);
  for (int i = 0; i < race.Count(); ++i) {
    TKivoBoat& boat = race.GetItem(i);
    double boat_elapsed = (boat.Finish - kStart) * 24 * 60 * 60;
    double a = 3600 / boat.CourseCurve()->SplineVelocity(race.RaceWind);
    EXPECT_EQ(boat.Corrected, 21 * reference_allowance + (boat_elapsed - 21 * a));
  }
}

TEST(TKivoRace, RaceWindSnapsToTheEndsOfTheRange) {
  EXPECT_EQ(SnapRaceWind(5.999995), 6);
  EXPECT_EQ(SnapRaceWind(6.000009), 6);
  EXPECT_EQ(SnapRaceWind(19.999995), 20);
  EXPECT_EQ(SnapRaceWind(12.34567), 12.34567);
  EXPECT_EQ(SnapRaceWind(5.99998), 5.99998);
  EXPECT_EQ(SnapRaceWind(0), 0);
}

TEST(TKivoRace, BoatWithoutFinishGetsSixKnotsAndANegativeTime) {
  TKivoRace race = Race(1, 21);
  race.Add(Boat(3));
  auto unfinished = TKivoBoat::CreateFromRecord(RatingRecord::Typical().Line());
  unfinished->Finish = ParseDateTimeText("0");
  race.Add(std::move(unfinished));
  race.Calculate();
  EXPECT_EQ(race.GetItem(1).ImpliedWind, RoundImpliedWind(6));
  EXPECT_EQ(FloatText(race.GetItem(1).ImpliedWind), "6");
  EXPECT_LT(race.GetItem(1).Corrected, -3e9);
  EXPECT_EQ(race.RaceWind, race.GetItem(0).ImpliedWind);
}

TEST(TKivoRace, PerBoatFailuresAreKeptWithTheBoat) {
  TKivoRace race = Race(1, 21);
  race.Add(Boat(3));
  // Velocity peaks at 8 knots: no solution for 8 knots, not monotonic.
  race.Add(Boat(21.0 / 8, RatingRecord::Typical().Curve(column::WindwardLeeward, kNoSolution)));
  race.Calculate();
  const TKivoBoat& failed = race.GetItem(1);
  EXPECT_EQ(failed.Error, "true");
  EXPECT_EQ(failed.ErrorMessage, "Exception: Curve is not monotonic");
  EXPECT_EQ(failed.ImpliedWind, 0);
  EXPECT_NE(failed.Corrected, 0);
  EXPECT_EQ(race.GetItem(0).Error, "");
}

TEST(TKivoRace, WarningWhenOnlyTheSplineScanFails) {
  TKivoRace race = Race(1, 21);
  race.Add(
      Boat(3, RatingRecord::Typical().Curve(column::WindwardLeeward, {1020, 850, 740, 675, 630, 600, 600})));
  race.Calculate();
  const TKivoBoat& boat = race.GetItem(0);
  EXPECT_EQ(boat.Error, "");
  EXPECT_EQ(boat.Warning.rfind("Curve spline is not monotonic at W=", 0), 0u) << boat.Warning;
  EXPECT_GT(boat.ImpliedWind, 6);
}

TEST(TKivoRace, FailuresThatEndTheCall) {
  {
    TKivoRace race = Race(1, 21);
    race.Add(Boat(3));
    race.Add(Boat(0));
    EXPECT_EQ(FailureText([&] { race.Calculate(); }), "EZeroDivide: Floating point division by zero");
  }
  {
    TKivoRace race = Race(1, 0);
    race.Add(Boat(0));
    EXPECT_EQ(FailureText([&] { race.Calculate(); }), "EInvalidOp: Invalid floating point operation");
  }
  {
    // No boat gets an implied wind above 0 while a curve is not constant.
    TKivoRace race = Race(1, 21);
    race.Add(
        Boat(3, RatingRecord::Typical().Curve(column::WindwardLeeward, {450, 450, 450, 450, 450, 450, 450})));
    race.Add(Boat(21.0 / 8, RatingRecord::Typical().Curve(column::WindwardLeeward, kNoSolution)));
    EXPECT_EQ(FailureText([&] { race.Calculate(); }), "EZeroDivide: Floating point division by zero");
  }
}

TEST(TKivoRace, ConstantCurvesAtWindZeroAreComputed) {
  TKivoRace race = Race(1, 20);
  race.Add(
      Boat(2.5, RatingRecord::Typical().Curve(column::WindwardLeeward, {450, 450, 450, 450, 450, 450, 450})));
  race.Add(
      Boat(2.6, RatingRecord::Typical().Curve(column::WindwardLeeward, {400, 400, 400, 400, 400, 400, 400})));
  race.Calculate();
  EXPECT_EQ(race.RaceWind, 0);
  EXPECT_NEAR(race.GetItem(0).Corrected, 2.5 * 3600, 1e-6);
  EXPECT_NEAR(race.GetItem(1).Corrected, 20 * 450 + (2.6 * 3600 - 20 * 400), 1e-6);
}

TEST(TKivoRace, UnknownCourseTypesAndLegCodesAreRefusedBeforeAnyBoat) {
  for (int type : {6, 7, 255}) {
    TKivoRace race = Race(type, 21);
    race.Add(Boat(3));
    EXPECT_EQ(FailureText([&] { race.Calculate(); }),
              "EKivoException: Course type " + std::to_string(type) +
                  " is unknown; it must be 0 (Constructed/Calculated) to 5 (Non Spinnaker)");
    EXPECT_EQ(race.GetItem(0).CourseCurve(), nullptr);
  }
  TKivoRace race = Race(0, 0);
  race.Add(Boat(3));
  race.Legs = {TKivoLegData{2, 0, 0, 0, 1}, TKivoLegData{2, 0, 0, 0, 6}};
  EXPECT_EQ(FailureText([&] { race.Calculate(); }),
            "EKivoException: Leg 2 has the predefined course 6; it must be a course type 0 to 5");
  EXPECT_EQ(race.GetItem(0).CourseCurve(), nullptr);
}

TEST(TKivoRace, ZeroAllowanceInACourseCurveNamesTheBoat) {
  {
    TKivoRace race = Race(1, 21);
    race.Add(Boat(3));
    race.Add(Boat(3, RatingRecord::Typical().Text(column::WindwardLeeward + 21, 7, "0")));
    EXPECT_EQ(FailureText([&] { race.Calculate(); }),
              "EKivoException: Boat at list position 2: the course curve W/L holds an allowance of 0 "
              "(an infinite speed); check its rating record");
  }
  {
    TKivoRace race = Race(2, 21);
    race.Add(TKivoBoat::CreateFromRecord(""));
    EXPECT_EQ(FailureText([&] { race.Calculate(); }),
              "EKivoException: Boat at list position 1: the course curve Ocean holds an allowance of 0 "
              "(an infinite speed); check its rating record");
  }
  {
    TKivoRace race = Race(0, 0);
    race.Add(Boat(3));
    EXPECT_EQ(FailureText([&] { race.Calculate(); }),
              "EKivoException: Boat at list position 1: the course curve for the constructed course holds an "
              "allowance of 0 (an infinite speed), the course has no legs; check its rating record");
  }
  {
    TKivoRace race = Race(0, 0);
    race.Add(Boat(3));
    race.Add(Boat(3, RatingRecord::Typical().Text(column::Ocean, 7, "0")));
    race.Legs = {TKivoLegData{2, 0, 0, 10, 1}, TKivoLegData{2, 0, 0, 10, 2}};
    EXPECT_EQ(FailureText([&] { race.Calculate(); }),
              "EKivoException: Boat at list position 2: the curve for leg 2 holds an allowance of 0 "
              "(an infinite speed); check its rating record");
  }
}

TEST(TKivoRace, ConstructedCourseWithLegWindsTakesTheFixedWind) {
  TKivoRace race = Race(0, 99);
  race.Add(Boat(2));
  race.Add(Boat(2.1, RatingRecord::Typical(1.03, 650)));
  race.Legs = {TKivoLegData{3, 0, 40, 9, 0}, TKivoLegData{5, 180, 10, 11, 0}};
  race.Calculate();
  EXPECT_EQ(race.RaceDistance(), 8);
  for (int i = 0; i < 2; ++i) {
    const TKivoBoat& boat = race.GetItem(i);
    EXPECT_TRUE(boat.CourseCurve()->IsConstant());
    EXPECT_EQ(boat.ImpliedWind, 0 + 9.0 * 3 / 8 + 11.0 * 5 / 8);
    EXPECT_NEAR(boat.Velocity, i == 0 ? 4 : 8 / 2.1, 1e-9);
  }
}
