#include "KivoLib.h"

#include <interpolation.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "KivoFormat.h"
#include "ansi/ansi.h"

namespace kivo {

namespace {

constexpr double kDegreesToRadians = M_PI / 180.0;

double CosDegrees(double angle) { return std::cos(angle * kDegreesToRadians); }

bool IsAscii(std::string_view text) {
  unsigned char bits = 0;
  for (char c : text) bits |= static_cast<unsigned char>(c);
  return bits < 0x80;
}

// Fields of a record are system code page bytes; messages are UTF-8.
std::string AnsiToText(std::string_view ansi_text) {
  return IsAscii(ansi_text) ? std::string(ansi_text) : ansi::ToUtf8(ansi_text);
}

std::string TextToAnsi(std::string text) { return IsAscii(text) ? text : ansi::FromUtf8(text); }

// The knots of every velocity spline.
constexpr std::array<double, 9> kKnotWinds = {0, 6, 8, 10, 12, 14, 16, 20, 10000};

}  // namespace

// ---------------------------------------------------------------- TKivoBase

TKivoBase::TKivoBase() { Changed(); }

void TKivoBase::RaiseInvalidIndex() { throw EKivoException("Invalid index"); }

void TKivoBase::Assign(const TKivoValues& values) {
  Values = values;
  Changed();
}

void TKivoBase::ParseColumns(std::string_view text, int start, int width) {
  for (int k = 0; k < 7; ++k) {
    std::string_view field = ColumnField(text, start + k * width, width);
    double value = 0;
    // The conversion passes blanks around the number itself; other control
    // characters need the trim first.
    if (!TryTextToFloat(field, value)) {
      field = TrimText(field);
      if (!TryTextToFloat(field, value))
        throw EConvertError(Format("'%s' is not a valid floating point value", AnsiToText(field).c_str()));
    }
    Values[static_cast<size_t>(k)] = value;
  }
  Changed();
}

double TKivoBase::MaxValue() const {
  double result = -std::numeric_limits<double>::infinity();
  for (double v : Values)
    if (v > result) result = v;
  return result;
}

double TKivoBase::MinValue() const {
  double result = std::numeric_limits<double>::infinity();
  for (double v : Values)
    if (v < result) result = v;
  return result;
}

std::string TKivoBase::AsText() const {
  std::string text;
  text.reserve(7 * 17);
  for (size_t k = 0; k < Values.size(); ++k) {
    if (k > 0) text += ',';
    AppendFloatText(text, Values[k]);
  }
  return text;
}

// --------------------------------------------------------------- TKivoCurve

// The coefficient table of the library's spline. The library evaluates it as
// c0 + t(c1 + t(c2 + t c3)) on the interval that its binary search picks;
// Evaluate does exactly that, so its values equal the library's to the bit,
// without the library's per-call set-up (the monotonic scan makes 1401 calls
// per curve).
struct TKivoSpline {
  std::array<double, 4 * 8> Coefficients{};  // 4 per interval between the 9 knots

  double Polynomial(size_t interval, double t) const {
    const double* c = Coefficients.data() + 4 * interval;
    return c[0] + t * (c[1] + t * (c[2] + t * c[3]));
  }
  double Evaluate(double w) const {
    if (!std::isfinite(w)) trap::RaiseInvalidOp();
    size_t l = 0, r = kKnotWinds.size() - 1;
    while (l != r - 1) {
      size_t m = (l + r) / 2;
      if (kKnotWinds[m] >= w)
        r = m;
      else
        l = m;
    }
    return Polynomial(l, w - kKnotWinds[l]);
  }
};

TKivoCurve::TKivoCurve() = default;
TKivoCurve::~TKivoCurve() = default;

void TKivoCurve::Changed() {
  Spline.reset();
  TKivoBase::Changed();
}

double TKivoCurve::VelocityAt(int i) const {
  double allowance = Allowance(i);
  if (allowance == 0) return std::numeric_limits<double>::infinity();
  return trap::Div(3600, allowance);
}

bool TKivoCurve::IsConstant() const {
  for (int k = 1; k < 7; ++k)
    if (Allowance(k) != Allowance(0)) return false;
  return true;
}

bool TKivoCurve::VelocitiesNonDecreasing() const {
  for (int k = 1; k < 7; ++k)
    if (VelocityAt(k - 1) > VelocityAt(k)) return false;
  return true;
}

bool TKivoCurve::HoldsZeroAllowance() const {
  return std::any_of(Values.begin(), Values.end(), [](double v) { return v == 0; });
}

const TKivoSpline& TKivoCurve::GetSpline() {
  if (Spline) return *Spline;
  std::array<double, 9> velocities{};
  velocities[0] = IsConstant() ? VelocityAt(0) : 0;
  for (int k = 0; k < 7; ++k) velocities[static_cast<size_t>(k) + 1] = VelocityAt(k);
  velocities[8] = VelocityAt(6);
  // An infinite knot (an allowance of 0) makes the build subtract
  // infinities: an invalid operation.
  for (double v : velocities)
    if (!std::isfinite(v)) trap::RaiseInvalidOp();

  auto spline = std::make_unique<TKivoSpline>();
  try {
    // The library's arrays are kept from one spline to the next (one call
    // of the module builds one per boat).
    struct TWorkspace {
      alglib::real_1d_array Winds, Velocities;
      alglib::spline1dinterpolant Interpolant;
      alglib::real_2d_array Table;
      TWorkspace() {
        Winds.setcontent(kKnotWinds.size(), kKnotWinds.data());
        Velocities.setlength(kKnotWinds.size());
      }
    };
    thread_local TWorkspace work;
    for (size_t k = 0; k < velocities.size(); ++k)
      work.Velocities[static_cast<alglib::ae_int_t>(k)] = velocities[k];
    alglib::spline1dbuildcubic(work.Winds, work.Velocities, 9, 0, 0.0, 0, 0.0, work.Interpolant);
    alglib::ae_int_t n = 0;
    alglib::spline1dunpack(work.Interpolant, n, work.Table);
    // Evaluate relies on the library keeping the knots as given.
    if (n != 9) throw Exception("Spline library: unexpected spline");
    for (alglib::ae_int_t i = 0; i + 1 < n; ++i) {
      const double* row = &work.Table[i][0];
      if (row[0] != kKnotWinds[static_cast<size_t>(i)] || row[1] != kKnotWinds[static_cast<size_t>(i) + 1])
        throw Exception("Spline library: unexpected spline");
      for (int j = 0; j < 4; ++j) spline->Coefficients[static_cast<size_t>(4 * i + j)] = row[2 + j];
    }
  } catch (const alglib::ap_error& e) {
    throw Exception("Spline library: " + e.msg);
  }
  Spline = std::move(spline);
  return *Spline;
}

double TKivoCurve::SplineVelocity(double wind) { return GetSpline().Evaluate(wind); }

double TKivoCurve::SolveImpliedWind(double velocity) {
  double lo = WindSpeeds[0];
  double hi = WindSpeeds[6];
  if (trap::Div(3600, MaxValue()) >= velocity) return lo;
  if (trap::Div(3600, MinValue()) <= velocity) return hi;
  double mid = (lo + hi) / 2;
  double vm = SplineVelocity(mid);
  int iterations = 0;
  while (std::fabs(velocity - vm) > Tolerance) {
    if (velocity >= vm)
      lo = mid;
    else
      hi = mid;
    mid = (lo + hi) / 2;
    vm = SplineVelocity(mid);
    ++iterations;
    if (iterations > MaxIterations) {
      CheckMonotonic();
      throw EKivoException("No Solution");
    }
  }
  return mid;
}

namespace {

// The 1401 wind speeds of the monotonic scan, 6 to 20 knots by 0.01 (each
// h / 100 as a division), grouped by the spline interval that the library's
// search picks for them (the last knot below w; the first interval at or below
// the second knot), with each one's offset from that knot. The knots are the
// same for every curve, so this is a constant table.
constexpr int kScanFirst = WindSpeeds[0] * 100;
constexpr int kScanLast = WindSpeeds[6] * 100;
constexpr size_t kScanCount = kScanLast - kScanFirst + 1;

struct TScanTable {
  struct TGroup {
    size_t Interval, Begin, End;
  };
  std::array<double, kScanCount> Wind{};
  std::array<double, kScanCount> Offset{};
  std::vector<TGroup> Groups;
};

const TScanTable& ScanTable() {
  static const TScanTable table = [] {
    TScanTable t;
    size_t interval = 0;
    for (size_t j = 0; j < kScanCount; ++j) {
      double w = static_cast<int>(j + kScanFirst) / 100.0;
      while (interval + 1 < kKnotWinds.size() - 1 && kKnotWinds[interval + 1] < w) ++interval;
      t.Wind[j] = w;
      t.Offset[j] = w - kKnotWinds[interval];
      if (t.Groups.empty() || t.Groups.back().Interval != interval) t.Groups.push_back({interval, j, j});
      t.Groups.back().End = j + 1;
    }
    return t;
  }();
  return table;
}

// c0 + t(c1 + t(c2 + t c3)) for each offset t: the library's polynomial,
// operation for operation (the wider vectors of a newer processor change
// how many are done at once, not the values).
__attribute__((target_clones("avx2", "default"))) void EvaluateInterval(const double* c,
                                                                        const double* offsets,
                                                                        double* velocities, size_t count) {
  const double c0 = c[0], c1 = c[1], c2 = c[2], c3 = c[3];
  for (size_t j = 0; j < count; ++j) {
    const double t = offsets[j];
    velocities[j] = c0 + t * (c1 + t * (c2 + t * c3));
  }
}

__attribute__((target_clones("avx2", "default"))) bool StrictlyRising(const double* values, size_t count) {
  int64_t falls = 0;
  for (size_t j = 1; j < count; ++j) falls |= values[j] > values[j - 1] ? 0 : 1;
  return falls == 0;
}

}  // namespace

void TKivoCurve::CheckMonotonic() {
  if (IsConstant()) return;
  if (!VelocitiesNonDecreasing()) throw Exception("Curve is not monotonic");
  // Each value is SplineVelocity(w) to the bit: the same polynomial at the
  // same interval and offset, only looked up instead of searched, one
  // interval at a time.
  const TKivoSpline& spline = GetSpline();
  const TScanTable& table = ScanTable();
  std::array<double, kScanCount> velocity;
  for (const TScanTable::TGroup& group : table.Groups)
    EvaluateInterval(spline.Coefficients.data() + 4 * group.Interval, table.Offset.data() + group.Begin,
                     velocity.data() + group.Begin, group.End - group.Begin);
  if (velocity[0] > -std::numeric_limits<double>::infinity() && StrictlyRising(velocity.data(), kScanCount))
    return;
  double previous = -std::numeric_limits<double>::infinity();
  for (size_t j = 0; j < kScanCount; ++j) {
    // Formatted with the user's number settings (the process locale).
    if (!(velocity[j] > previous))
      throw Exception(Format("Curve spline is not monotonic at W=%5.2f, V=%.2f", table.Wind[j], velocity[j]));
    previous = velocity[j];
  }
}

// ------------------------------------------------------------ polar, Lagrange

void TKivoPolar::AddPoint(double angle, double speed) {
  if (Count == Capacity) throw EKivoException("Too many points in a speed polar");
  Angle[Count] = angle;
  Speed[Count] = speed;
  ++Count;
}

namespace {

// The points that interpolate at x: two before the first point at or above
// x, that point and one after; none when no point is at or above x.
std::optional<std::pair<size_t, size_t>> PolarWindow(const TKivoPolar& polar, double x) {
  size_t count = polar.Count;
  size_t f = 0;
  while (f < count && !(polar.Angle[f] >= x)) ++f;
  if (f == count) return std::nullopt;
  return std::make_pair(f >= 2 ? f - 2 : 0, std::min(f + 1, count - 1));
}

}  // namespace

double InterpolatePolar(const TKivoPolar& polar, double x) {
  auto window = PolarWindow(polar, x);
  if (!window) throw Exception(Format("Incorrect x value \"%s\"", FloatText(x).c_str()));
  auto [lo, hi] = *window;
  size_t n = hi - lo + 1;
  return LagrangeValue(std::span<const double>(polar.Angle.data() + lo, n),
                       std::span<const double>(polar.Speed.data() + lo, n), x);
}

double LagrangeValue(std::span<const double> xs, std::span<const double> ys, double x) {
  double result = 0;
  for (size_t k = 0; k < xs.size(); ++k)
    result = trap::Add(result, trap::Mul(LagrangeBasis(k, xs, x), ys[k]));
  return result;
}

double LagrangeBasis(size_t k, std::span<const double> xs, double x) {
  double n_low = 1, n_high = 1, d_low = 1, d_high = 1;
  for (size_t j = 0; j < k; ++j) {
    n_low *= x - xs[j];
    d_low *= xs[k] - xs[j];
  }
  for (size_t j = k + 1; j < xs.size(); ++j) {
    n_high *= x - xs[j];
    d_high *= xs[k] - xs[j];
  }
  if (d_low == 0 || d_high == 0) return 0;  // a point sharing its angle contributes nothing
  return (n_low * n_high) / (d_low * d_high);
}

// ---------------------------------------------------------------- TKivoBoat

TKivoBoat::TKivoBoat() {
  Curve(WindwardLeewardCurve)->SetName("W/L");
  Curve(OlympicCurve)->SetName("Olympic");
  Curve(CircularRandomCurve)->SetName("C/R");
  Curve(NonSpinnakerCurve)->SetName("N/S");
  Curve(OceanCurve)->SetName("Ocean");
  UA.SetName("UA");
  DA.SetName("DA");
  Curve(BeatCurve)->SetName("Beat");
  for (int angle : Angles) AngleCurve(angle)->SetName("R" + std::to_string(angle));
  Curve(RunCurve)->SetName("Run");
}

TKivoBoat::~TKivoBoat() = default;

std::unique_ptr<TKivoBoat> TKivoBoat::CreateFromNode(TXmlElement node) {
  auto boat = std::make_unique<TKivoBoat>();
  boat->Node = node;
  boat->Finish = ReadDateTimeAttr(node.GetAttribute("finish"), 0);
  // Columns count bytes of the record in the system code page.
  std::string ansi_record = TextToAnsi(ReadTextAttr(node.GetAttribute("rms"), ""));
  if (!TrimText(ansi_record).empty()) boat->ParseRecord(ansi_record);
  return boat;
}

std::unique_ptr<TKivoBoat> TKivoBoat::CreateFromRecord(std::string_view record) {
  auto boat = std::make_unique<TKivoBoat>();
  if (!TrimText(record).empty()) boat->ParseRecord(record);
  return boat;
}

void TKivoBoat::ParseRecord(std::string_view record) {
  Curve(WindwardLeewardCurve)->ParseColumns(record, 374, 7);
  Curve(OlympicCurve)->ParseColumns(record, 423, 7);
  Curve(CircularRandomCurve)->ParseColumns(record, 472, 7);
  Curve(NonSpinnakerCurve)->ParseColumns(record, 521, 7);
  Curve(OceanCurve)->ParseColumns(record, 570, 7);
  UA.ParseColumns(record, 619, 6);
  DA.ParseColumns(record, 661, 6);
  Curve(BeatCurve)->ParseColumns(record, 703, 7);
  for (size_t j = 0; j < Angles.size(); ++j)
    AngleCurve(Angles[j])->ParseColumns(record, 752 + 49 * static_cast<int>(j), 7);
  Curve(RunCurve)->ParseColumns(record, 1144, 7);

  // The record's date must exist, although its value is not used.
  std::string_view stamp = ColumnField(record, 273, 19);
  auto part = [&](int position, int width) {
    std::string_view text = ColumnField(stamp, position, width);
    int value = 0;
    if (!TryStrToInt(text, value))
      throw EConvertError(Format("'%s' is not a valid integer value", AnsiToText(text).c_str()));
    return value;
  };
  int hour = part(12, 2);
  int minute = part(15, 2);
  int second = part(18, 2);
  int day = part(1, 2);
  int month = part(4, 2);
  int year = part(7, 4);
  EncodeDateTime(year, month, day, hour, minute, second, 0, AnsiToText(stamp));

  double gph = 0;
  GPH = TryTextToFloat(TrimText(ColumnField(record, 340, 6)), gph) ? gph : 0;
}

void TKivoBoat::WriteResults() const {
  if (Node.IsNull()) return;
  auto number = [](double value) {
    if (!std::isfinite(value)) trap::RaiseInvalidOp();
    return FloatText(value);
  };
  Node.SetAttribute("warning", Warning);
  Node.SetAttribute("error", Error);
  Node.SetAttribute("errorMessage", ErrorMessage);
  Node.SetAttribute("impliedWind", number(ImpliedWind));
  Node.SetAttribute("velocity", number(Velocity));
  Node.SetAttribute("correctedTime", FormatCorrectedTime(Corrected));
  Node.SetAttribute("correctedSeconds", number(Corrected));
  Node.SetAttribute("constructedCourseVector",
                    CourseCurvePtr ? CourseCurvePtr->AsText() : TKivoCurve().AsText());
}

TKivoCurve* TKivoBoat::AngleCurve(int angle) {
  for (size_t p = 0; p < Angles.size(); ++p)
    if (Angles[p] == angle) return &Curves[FirstAngleCurve + p];
  return nullptr;
}

void TKivoBoat::SetCurve(int i, const TKivoCurve& curve) {
  TKivoCurve& place = Curves[static_cast<size_t>(i)];
  place.Assign(curve.GetValues());
  place.SetName(curve.GetName());
  place.FixedWind = curve.FixedWind;
}

void TKivoBoat::SetAngleCurve(int angle, const TKivoCurve& curve) {
  for (size_t p = 0; p < Angles.size(); ++p)
    if (Angles[p] == angle) SetCurve(static_cast<int>(FirstAngleCurve + p), curve);
}

void TKivoBoat::SetCourseCurve(TKivoCurve* own_curve) {
  OwnedCourseCurve.reset();
  CourseCurvePtr = own_curve;
}

void TKivoBoat::SetCourseCurve(std::unique_ptr<TKivoCurve> built_curve) {
  OwnedCourseCurve = std::move(built_curve);
  CourseCurvePtr = OwnedCourseCurve.get();
}

void TKivoBoat::FillCurveForAngle(TKivoCurve& target, double angle) {
  TKivoPolarCache polars;
  FillCurveForAngle(target, angle, polars);
}

void TKivoBoat::FillCurveForAngle(TKivoCurve& target, double angle, TKivoPolarCache& polars) {
  std::optional<double> beat_cosine, run_cosine;  // the same for every wind index
  for (int i = 0; i < 7; ++i) {
    double beat_angle = UA.GetValue(i);
    double gybe_angle = DA.GetValue(i);
    double allowance;
    if (beat_angle >= angle) {
      if (!beat_cosine) beat_cosine = CosDegrees(angle);
      allowance = trap::Mul(Curve(BeatCurve)->Allowance(i), *beat_cosine);
    } else if (angle < gybe_angle) {
      std::optional<TKivoPolar>& polar = polars[static_cast<size_t>(i)];
      if (!polar) polar = BuildPolar(WindSpeeds[static_cast<size_t>(i)]);
      // An allowance of 0 in the record is an infinite speed in the polar;
      // interpolating through it gives no sound allowance.
      if (auto window = PolarWindow(*polar, angle))
        for (size_t p = window->first; p <= window->second; ++p)
          if (std::isinf(polar->Speed[p]))
            throw EKivoZeroAllowance(0, Format("draws on an allowance of 0 (an infinite speed) at %d knots",
                                               WindSpeeds[static_cast<size_t>(i)]));
      allowance = trap::Div(3600, InterpolatePolar(*polar, angle));
    } else {
      if (!run_cosine) run_cosine = CosDegrees(180 - angle);
      allowance = trap::Mul(Curve(RunCurve)->Allowance(i), *run_cosine);
    }
    target.SetAllowance(i, allowance);
  }
}

TKivoPolar TKivoBoat::BuildPolar(int wind_speed) {
  auto found = std::find(WindSpeeds.begin(), WindSpeeds.end(), wind_speed);
  if (found == WindSpeeds.end()) throw EKivoException(Format("%d is an invalid wind speed", wind_speed));
  int idx = static_cast<int>(found - WindSpeeds.begin());
  TKivoPolar polar;
  double u = UA.GetValue(idx);
  double d = DA.GetValue(idx);
  double beat_speed = Curve(BeatCurve)->VelocityAt(idx);
  double run_speed = Curve(RunCurve)->VelocityAt(idx);
  polar.AddPoint(u - 2, trap::Div(beat_speed, CosDegrees(u - 2)));
  polar.AddPoint(u, trap::Div(beat_speed, CosDegrees(u)));
  for (size_t p = 0; p < Angles.size(); ++p)
    if (u < Angles[p] && Angles[p] < d)
      polar.AddPoint(Angles[p], Curves[FirstAngleCurve + p].VelocityAt(idx));
  polar.AddPoint(d, trap::Div(run_speed, CosDegrees(180 - d)));
  polar.AddPoint(d + 2, trap::Div(run_speed, CosDegrees(180 - (d + 2))));
  return polar;
}

namespace {

// Which of the boat's curves serves course types 1 to 5.
constexpr std::array<int, 6> kCourseTypeCurve = {-1,           WindwardLeewardCurve, OceanCurve,
                                                 OlympicCurve, CircularRandomCurve,  NonSpinnakerCurve};

std::string LegCodeMessage(size_t leg, int code) {
  return Format("Leg %zu has the predefined course %d; it must be a course type 0 to 5", leg + 1, code);
}

}  // namespace

std::unique_ptr<TKivoCurve> TKivoBoat::BuildConstructedCurve(const std::vector<TKivoLegData>& legs) {
  double total = 0;
  bool has_wind = false;
  for (const TKivoLegData& leg : legs) {
    total = trap::Add(total, leg.distance);
    if (leg.windSpeed != 0) has_wind = true;
  }
  auto result = std::make_unique<TKivoCurve>();
  result->FixedWind = 0;
  TKivoPolarCache polars;
  for (size_t l = 0; l < legs.size(); ++l) {
    const TKivoLegData& leg = legs[l];
    double angle = leg.windDirection - leg.course;
    if (angle < 0) angle = angle + 360;
    if (angle > 180) angle = 360 - angle;

    TKivoCurve leg_curve;
    if (leg.predefinedCourse == 0) {
      try {
        FillCurveForAngle(leg_curve, angle, polars);
      } catch (const EKivoZeroAllowance& e) {
        throw EKivoZeroAllowance(static_cast<int>(l) + 1,
                                 Format("the curve for leg %zu %s", l + 1, e.what()));
      }
    } else if (leg.predefinedCourse <= 5) {
      leg_curve.Assign(Curve(kCourseTypeCurve[leg.predefinedCourse])->GetValues());
    } else {
      throw EKivoException(LegCodeMessage(l, leg.predefinedCourse));
    }
    // An allowance of 0 is an infinite speed: no sound curve can be mixed.
    if (leg_curve.HoldsZeroAllowance())
      throw EKivoZeroAllowance(
          static_cast<int>(l) + 1,
          Format("the curve for leg %zu holds an allowance of 0 (an infinite speed)", l + 1));

    if (has_wind) {
      double wind = std::max(6.0, std::min(20.0, leg.windSpeed));
      double allowance = trap::Div(3600, leg_curve.SplineVelocity(wind));
      for (int i = 0; i < 7; ++i)
        result->SetAllowance(
            i, trap::Add(result->Allowance(i), trap::Div(trap::Mul(allowance, leg.distance), total)));
      result->FixedWind = trap::Add(result->FixedWind, trap::Div(trap::Mul(wind, leg.distance), total));
    } else {
      for (int i = 0; i < 7; ++i)
        result->SetAllowance(i, trap::Add(result->Allowance(i),
                                          trap::Div(trap::Mul(leg_curve.Allowance(i), leg.distance), total)));
    }
  }
  return result;
}

// ---------------------------------------------------------------- TKivoRace

namespace {

bool SameTextAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

}  // namespace

TKivoRace::TKivoRace(TXmlElement root) : Node(root) {
  if (root.IsNull()) return;
  for (const TXmlElement& child : root.ChildByName("boats").Children())
    if (SameTextAscii(child.Name(), "boat")) Boats.push_back(TKivoBoat::CreateFromNode(child));
  for (const TXmlElement& child : root.ChildByName("legs").Children()) {
    if (!SameTextAscii(child.Name(), "leg")) continue;
    TKivoLegData leg;
    leg.windDirection = ReadFloatAttr(child.GetAttribute("windDirection"), 0);
    leg.course = ReadFloatAttr(child.GetAttribute("course"), 0);
    leg.distance = ReadFloatAttr(child.GetAttribute("distance"), 0);
    leg.windSpeed = ReadFloatAttr(child.GetAttribute("windSpeed"), 0);
    leg.predefinedCourse = static_cast<uint8_t>(ReadIntegerAttr(child.GetAttribute("predefinedCourse"), 0));
    Legs.push_back(leg);
  }
  Distance = ReadFloatAttr(root.GetAttribute("distance"), 0);
  Start = ReadDateTimeAttr(root.GetAttribute("start"), 0);
  CourseType = static_cast<uint8_t>(ReadIntegerAttr(root.GetAttribute("type"), 0));
}

TKivoBoat& TKivoRace::GetItem(int i) const {
  if (i < 0 || i >= Count()) throw EListError(Format("List index out of bounds (%d)", i));
  return *Boats[static_cast<size_t>(i)];
}

double TKivoRace::RaceDistance() const {
  if (CourseType != 0) return Distance;
  double sum = 0;
  for (const TKivoLegData& leg : Legs) sum = trap::Add(sum, leg.distance);
  return sum;
}

// Course types and leg codes outside the table have no curve: the race is
// refused before any boat is computed.
void TKivoRace::CheckCourse() const {
  if (CourseType > 5)
    throw EKivoException(Format("Course type %d is unknown; it must be 0 (%s) to 5 (%s)", CourseType,
                                CourseTypeNames[0], CourseTypeNames[5]));
  if (CourseType != 0) return;
  for (size_t l = 0; l < Legs.size(); ++l)
    if (Legs[l].predefinedCourse > 5) throw EKivoException(LegCodeMessage(l, Legs[l].predefinedCourse));
}

double RoundImpliedWind(double wind) { return std::trunc(wind / 0.00001 + 0.5) * 0.00001; }

double SnapRaceWind(double wind) {
  if (std::fabs(wind - WindSpeeds[0]) < Tolerance) wind = WindSpeeds[0];
  if (std::fabs(wind - WindSpeeds[6]) < Tolerance) wind = WindSpeeds[6];
  return wind;
}

void TKivoRace::Calculate() {
  ReferenceBoat = 0;
  TKivoBoat* reference = &GetItem(0);
  CheckCourse();
  double race_distance = RaceDistance();

  for (int i = 0; i < Count(); ++i) {
    TKivoBoat& boat = GetItem(i);
    boat.SetCourseCurve(nullptr);
    if (boat.GPH < reference->GPH) {
      reference = &boat;
      ReferenceBoat = i;
    }
    const char* curve_name = "for the constructed course";
    if (CourseType == 0) {
      try {
        boat.SetCourseCurve(boat.BuildConstructedCurve(Legs));
      } catch (const EKivoZeroAllowance& e) {
        throw EKivoException(
            Format("Boat at list position %d: %s; check its rating record", i + 1, e.what()));
      }
    } else {
      boat.SetCourseCurve(boat.Curve(kCourseTypeCurve[CourseType]));
      curve_name = boat.CourseCurve()->GetName().c_str();
    }
    TKivoCurve& curve = *boat.CourseCurve();
    if (curve.HoldsZeroAllowance())
      throw EKivoException(
          Format("Boat at list position %d: the course curve %s holds an allowance of 0 "
                 "(an infinite speed)%s; check its rating record",
                 i + 1, curve_name, CourseType == 0 && Legs.empty() ? ", the course has no legs" : ""));

    boat.Velocity = trap::Div(race_distance, trap::Mul(trap::Sub(boat.Finish, Start), 24));

    try {
      if (curve.IsConstant())
        boat.ImpliedWind = curve.FixedWind;
      else
        boat.ImpliedWind = RoundImpliedWind(curve.SolveImpliedWind(boat.Velocity));
      try {
        curve.CheckMonotonic();
      } catch (const Exception& e) {
        boat.Warning = e.Message();
      }
    } catch (const Exception& e) {
      boat.Error = "true";
      boat.ErrorMessage = e.Text();
    }
  }

  RaceWind = 0;
  for (int i = 0; i < Count(); ++i) RaceWind = std::max(RaceWind, GetItem(i).ImpliedWind);
  RaceWind = SnapRaceWind(RaceWind);

  double reference_allowance = trap::Div(3600, reference->CourseCurve()->SplineVelocity(RaceWind));
  for (int i = 0; i < Count(); ++i) {
    TKivoBoat& boat = GetItem(i);
    double elapsed = trap::Mul(trap::Mul(trap::Mul(trap::Sub(boat.Finish, Start), 24), 60), 60);
    double allowance = trap::Div(3600, boat.CourseCurve()->SplineVelocity(RaceWind));
    boat.Corrected = trap::Add(trap::Mul(race_distance, reference_allowance),
                               trap::Sub(elapsed, trap::Mul(race_distance, allowance)));
  }
  WriteResults();
}

void TKivoRace::WriteResults() const {
  if (Node.IsNull()) return;
  Node.SetAttribute("KivoModuleVersion", KivoModuleVersion);
  for (const auto& boat : Boats) boat->WriteResults();
}

}  // namespace kivo
