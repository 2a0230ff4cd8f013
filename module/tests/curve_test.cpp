#include <gtest/gtest.h>

#include <interpolation.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "KivoLib.h"
#include "failure_text.h"

using kivotest::FailureText;
using namespace kivo;

namespace {

std::unique_ptr<TKivoCurve> MakeCurve(const TKivoValues& allowances) {
  auto curve = std::make_unique<TKivoCurve>();
  curve->Assign(allowances);
  return curve;
}

const TKivoValues kTypical = {1020, 850, 740, 675, 630, 600, 575};

// alglib's own evaluation of the same spline, for comparing bit for bit.
double LibrarySpline(const TKivoCurve& curve, double w) {
  double x[9] = {0, 6, 8, 10, 12, 14, 16, 20, 10000};
  double y[9];
  y[0] = curve.IsConstant() ? curve.VelocityAt(0) : 0;
  for (int k = 0; k < 7; ++k) y[k + 1] = curve.VelocityAt(k);
  y[8] = curve.VelocityAt(6);
  alglib::real_1d_array xs, ys;
  xs.setcontent(9, x);
  ys.setcontent(9, y);
  alglib::spline1dinterpolant s;
  alglib::spline1dbuildcubic(xs, ys, 9, 0, 0.0, 0, 0.0, s);
  return alglib::spline1dcalc(s, w);
}

}  // namespace

TEST(TKivoBase, NewTableIsZeroUnnamedAndChecksIndices) {
  TKivoBase table;
  EXPECT_EQ(table.Count(), 7);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(table.GetValue(i), 0);
  EXPECT_EQ(table.AsText(), "0,0,0,0,0,0,0");
  EXPECT_EQ(table.GetName(), "");
  EXPECT_EQ(FailureText([&] { table.GetValue(7); }), "EKivoException: Invalid index");
  EXPECT_EQ(FailureText([&] { table.SetValue(-1, 5); }), "EKivoException: Invalid index");
  EXPECT_EQ(table.AsText(), "0,0,0,0,0,0,0");
  table.Assign({1.5, 2, 3, 4, 5, 6, 0.00005});
  EXPECT_EQ(table.AsText(), "1.5,2,3,4,5,6,5E-5");
  EXPECT_EQ(table.MaxValue(), 6);
  EXPECT_EQ(table.MinValue(), 0.00005);
}

TEST(TKivoBase, ParseColumnsReadsSevenTrimmedFields) {
  std::string text(373, ' ');
  text += "  450.1  440.0    430  420.5  410.2  400.1  390.0";
  TKivoBase table;
  table.ParseColumns(text, 374, 7);
  EXPECT_EQ(table.AsText(), "450.1,440,430,420.5,410.2,400.1,390");

  std::string blank = text;
  blank.replace(373 + 14, 7, "       ");
  TKivoBase partly;
  EXPECT_EQ(FailureText([&] { partly.ParseColumns(blank, 374, 7); }),
            "EConvertError: '' is not a valid floating point value");
  EXPECT_EQ(partly.GetValue(1), 440);  // the values before it are stored
  std::string bad = text;
  bad.replace(373, 7, "  45x.1");
  EXPECT_EQ(FailureText([&] { TKivoBase().ParseColumns(bad, 374, 7); }),
            "EConvertError: '45x.1' is not a valid floating point value");
  EXPECT_EQ(FailureText([&] { TKivoBase().ParseColumns(text.substr(0, 415), 374, 7); }),
            "EConvertError: '' is not a valid floating point value");
}

TEST(TKivoCurve, VelocitiesFromAllowances) {
  auto curve = MakeCurve({450, 0, 400, 400, 400, 400, 400});
  EXPECT_EQ(curve->VelocityAt(0), 8);
  EXPECT_EQ(curve->VelocityAt(1), std::numeric_limits<double>::infinity());
  EXPECT_FALSE(curve->IsConstant());
  EXPECT_TRUE(curve->HoldsZeroAllowance());
  EXPECT_EQ(FailureText([&] { curve->SplineVelocity(10); }), "EInvalidOp: Invalid floating point operation");
  EXPECT_EQ(FailureText([&] { MakeCurve({})->SplineVelocity(10); }),
            "EInvalidOp: Invalid floating point operation");
}

TEST(TKivoCurve, ConstantCurveIsFlatFromZeroAndNeedsNoScan) {
  auto curve = MakeCurve({450, 450, 450, 450, 450, 450, 450});
  EXPECT_TRUE(curve->IsConstant());
  for (double w : {0.0, 3.0, 6.0, 13.0, 20.0}) EXPECT_NEAR(curve->SplineVelocity(w), 8, 1e-12) << w;
  EXPECT_NO_THROW(curve->CheckMonotonic());
}

TEST(TKivoCurve, SplinePassesThroughItsKnotsAndIsRebuiltAfterAChange) {
  auto curve = MakeCurve(kTypical);
  EXPECT_EQ(curve->SplineVelocity(0), 0);
  for (int k = 0; k < 7; ++k) EXPECT_NEAR(curve->SplineVelocity(WindSpeeds[k]), curve->VelocityAt(k), 1e-12);
  EXPECT_NEAR(curve->SplineVelocity(10000), curve->VelocityAt(6), 1e-9);
  double before = curve->SplineVelocity(11);
  curve->SetAllowance(2, 700);
  EXPECT_NE(curve->SplineVelocity(11), before);
  EXPECT_NEAR(curve->SplineVelocity(10), 3600.0 / 700, 1e-12);
}

TEST(TKivoCurve, SplineValuesAreTheLibrarysToTheBit) {
  // The curve evaluates the library's coefficient table itself; its values
  // must equal the library's everywhere, or the monotonic scan's strict
  // comparison and the printed digits could change.
  const TKivoValues curves[] = {kTypical,
                                {800, 660, 590, 550, 525, 505, 480},
                                {1500, 1000, 800, 700, 650, 630, 629},
                                {2000, 1200, 900, 500, 480, 470, 460},
                                {450, 450, 450, 450, 450, 450, 450},
                                {720, 360, 600, 655, 667, 679, 692}};
  std::vector<double> winds = {0, 6, 8, 10, 12, 14, 16, 20, 10000, 12000, -3, 6.000000001, 19.99999999};
  for (int h = 600; h <= 2000; ++h) winds.push_back(h / 100.0);
  for (int k = 0; k < 500; ++k) winds.push_back(k * 0.0473);
  for (const TKivoValues& values : curves) {
    auto curve = MakeCurve(values);
    for (double w : winds) {
      double mine = curve->SplineVelocity(w);
      double library = LibrarySpline(*curve, w);
      ASSERT_EQ(std::memcmp(&mine, &library, sizeof mine), 0) << w;
    }
  }
}

TEST(TKivoCurve, MonotonicCheckMessages) {
  EXPECT_NO_THROW(MakeCurve(kTypical)->CheckMonotonic());
  // Velocity falls from 8 to 10 knots.
  EXPECT_EQ(FailureText([] {
              MakeCurve({1020, 850, 900, 675, 630, 600, 575})->CheckMonotonic();
            }),
            "Exception: Curve is not monotonic");
  // Equal knot velocities at 16 and 20 knots: the spline bulges between them.
  std::string text = FailureText([] { MakeCurve({1020, 850, 740, 675, 630, 575, 575})->CheckMonotonic(); });
  EXPECT_EQ(text.rfind("Exception: Curve spline is not monotonic at W=", 0), 0u) << text;
  EXPECT_NE(text.find(", V="), std::string::npos);
}

TEST(TKivoCurve, MonotonicScanStopsAtEqualNeighbourValues) {
  // Flat from 16 knots on at the scan's resolution: two neighbouring points
  // with the same value fail the strict comparison.
  auto curve = MakeCurve({1020, 850, 740, 675, 630, 600, 600});
  std::string text = FailureText([&] { curve->CheckMonotonic(); });
  ASSERT_EQ(text.rfind("Exception: Curve spline is not monotonic at W=", 0), 0u) << text;
  double w = std::atof(text.c_str() + std::strlen("Exception: Curve spline is not monotonic at W="));
  EXPECT_FALSE(curve->SplineVelocity(w) > curve->SplineVelocity(std::round(w * 100 - 1) / 100));
}

TEST(TKivoCurve, ImpliedWindBoundsAndBisection) {
  auto curve = MakeCurve(kTypical);
  EXPECT_EQ(curve->SolveImpliedWind(3600 / curve->MaxValue()), 6);
  EXPECT_EQ(curve->SolveImpliedWind(3600 / curve->MinValue()), 20);
  EXPECT_EQ(curve->SolveImpliedWind(1), 6);
  EXPECT_EQ(curve->SolveImpliedWind(-5.25), 6);
  EXPECT_EQ(curve->SolveImpliedWind(99), 20);
  for (double v : {3.6, 4.5, 5.0, 5.5, 6.0, 6.2}) {
    double w = curve->SolveImpliedWind(v);
    EXPECT_GT(w, 6);
    EXPECT_LT(w, 20);
    EXPECT_LE(std::fabs(v - curve->SplineVelocity(w)), Tolerance) << v;
  }
  // The first midpoint is 13 knots.
  double v13 = curve->SplineVelocity(13);
  EXPECT_EQ(curve->SolveImpliedWind(v13), 13);
}

TEST(TKivoCurve, ImpliedWindOfACurveWithoutSolutionRaisesTheMonotonicMessage) {
  // Velocity peaks at 8 knots and falls again; at 13 knots the spline is
  // slower than 8 knots, so the bisection runs off towards 20.
  auto curve = MakeCurve({720, 360, 600, 655, 667, 679, 692});
  EXPECT_EQ(FailureText([&] { curve->SolveImpliedWind(8); }), "Exception: Curve is not monotonic");
}

TEST(ImpliedWindRounding, FiveDecimalsByTruncation) {
  EXPECT_EQ(RoundImpliedWind(12.345674), std::trunc(12.345674 / 0.00001 + 0.5) * 0.00001);
  EXPECT_EQ(FloatText(RoundImpliedWind(12.345674)), "12.34567");
  EXPECT_EQ(FloatText(RoundImpliedWind(12.345675)), "12.34568");
  EXPECT_EQ(FloatText(RoundImpliedWind(6)), "6");
  EXPECT_EQ(FloatText(RoundImpliedWind(19.9999951)), "20");
}
