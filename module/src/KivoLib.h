#pragma once
// Scoring by performance curves: allowance tables and velocity curves, the
// boat and its certificate record, the curves for any true wind angle and for
// a constructed course, and the race computation.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "KivoErrors.h"
#include "KivoXml.h"

namespace kivo {

KIVO_EXCEPTION_CLASS(EKivoException, Exception);

// Constant tables.
inline constexpr std::array<int, 7> WindSpeeds = {6, 8, 10, 12, 14, 16, 20};
inline constexpr std::array<int, 8> Angles = {52, 60, 75, 90, 110, 120, 135, 150};
inline constexpr double Tolerance = 1e-5;
inline constexpr int MaxIterations = 100;
inline constexpr std::array<const char*, 6> CourseTypeNames = {"Constructed/Calculated", "Windward - Leeward",
                                                               "Ocean Course",           "Olympic Triangle",
                                                               "Circular Random",        "Non Spinnaker"};
inline constexpr const char* KivoModuleVersion = "1.3.0.5";

using TKivoValues = std::array<double, 7>;

// Seven values, one per wind speed of WindSpeeds, with a name.
class TKivoBase {
 public:
  TKivoBase();
  virtual ~TKivoBase() = default;
  TKivoBase(const TKivoBase&) = delete;
  TKivoBase& operator=(const TKivoBase&) = delete;

  int Count() const { return 7; }
  double GetValue(int i) const {
    CheckIndex(i);
    return Values[static_cast<size_t>(i)];
  }
  void SetValue(int i, double value) {
    CheckIndex(i);
    Values[static_cast<size_t>(i)] = value;
    Changed();
  }
  void Assign(const TKivoValues& values);
  TKivoValues GetValues() const { return Values; }
  // Seven fields of `width` bytes from the 1-based column `start`, each
  // trimmed and converted strictly.
  void ParseColumns(std::string_view text, int start, int width);
  double MaxValue() const;
  double MinValue() const;
  std::string AsText() const;
  virtual void SetName(const std::string& name) { Name = name; }
  const std::string& GetName() const { return Name; }

 protected:
  // Runs after every change of Values.
  virtual void Changed() {}
  static void CheckIndex(int i) {
    if (i < 0 || i > 6) RaiseInvalidIndex();
  }
  [[noreturn]] static void RaiseInvalidIndex();

  TKivoValues Values{};
  std::string Name;
};

struct TKivoSpline;

// Allowances in seconds per nautical mile, with the cubic spline of velocity
// over wind speed (built on first use, dropped on every change).
class TKivoCurve : public TKivoBase {
 public:
  TKivoCurve();
  ~TKivoCurve() override;

  double Allowance(int i) const { return GetValue(i); }
  void SetAllowance(int i, double allowance) { SetValue(i, allowance); }
  double VelocityAt(int i) const;
  bool IsConstant() const;
  bool VelocitiesNonDecreasing() const;
  bool HoldsZeroAllowance() const;
  double SplineVelocity(double wind);
  double SolveImpliedWind(double velocity);
  void CheckMonotonic();

  // The implied wind of a flat curve built for a constructed course.
  double FixedWind = 0;

 protected:
  void Changed() override;

 private:
  const TKivoSpline& GetSpline();
  std::unique_ptr<TKivoSpline> Spline;
};

// A speed polar for one wind speed, in the order the points were added:
// two beat points, at most eight fixed angles, two run points.
struct TKivoPolar {
  static constexpr size_t Capacity = 12;
  std::array<double, Capacity> Angle{};
  std::array<double, Capacity> Speed{};
  size_t Count = 0;
  void AddPoint(double angle, double speed);
};

double InterpolatePolar(const TKivoPolar& polar, double x);
double LagrangeValue(std::span<const double> xs, std::span<const double> ys, double x);
double LagrangeBasis(size_t k, std::span<const double> xs, double x);

struct TKivoLegData {
  double distance = 0;
  double course = 0;
  double windDirection = 0;
  double windSpeed = 0;
  uint8_t predefinedCourse = 0;
};

// Raised when a leg's curve for a constructed course holds an allowance of 0
// (an infinite speed); the race names the boat.
class EKivoZeroAllowance : public EKivoException {
 public:
  EKivoZeroAllowance(int leg, const std::string& message) : EKivoException(message), Leg(leg) {}
  const char* ClassName() const override { return "EKivoException"; }
  int Leg;
};

// Indices of Curves.
enum TKivoCurveIndex : int {
  BeatCurve = 0,
  RunCurve = 1,
  WindwardLeewardCurve = 2,
  CircularRandomCurve = 3,
  OceanCurve = 4,
  NonSpinnakerCurve = 5,
  OlympicCurve = 6,
  FirstAngleCurve = 7
};

class TKivoBoat {
 public:
  // Create: every table made, named, all values 0.
  TKivoBoat();
  ~TKivoBoat();
  TKivoBoat(const TKivoBoat&) = delete;
  TKivoBoat& operator=(const TKivoBoat&) = delete;

  static std::unique_ptr<TKivoBoat> CreateFromNode(TXmlElement node);
  // `record` in the system code page (CP932 bytes).
  static std::unique_ptr<TKivoBoat> CreateFromRecord(std::string_view record);
  void ParseRecord(std::string_view record);
  void WriteResults() const;

  TKivoCurve* Curve(int i) { return &Curves[static_cast<size_t>(i)]; }
  const TKivoCurve* Curve(int i) const { return &Curves[static_cast<size_t>(i)]; }
  TKivoCurve* AngleCurve(int angle);
  // The boat keeps its tables in place: setting one copies its values and name.
  void SetCurve(int i, const TKivoCurve& curve);
  void SetAngleCurve(int angle, const TKivoCurve& curve);
  // A curve of its own: referred to. A built curve: owned.
  void SetCourseCurve(TKivoCurve* own_curve);
  void SetCourseCurve(std::unique_ptr<TKivoCurve> built_curve);
  TKivoCurve* CourseCurve() const { return CourseCurvePtr; }

  void FillCurveForAngle(TKivoCurve& target, double angle);
  TKivoPolar BuildPolar(int wind_speed);
  // The polars of the seven wind speeds, each built when first needed; a
  // constructed course asks for the same ones on every leg.
  using TKivoPolarCache = std::array<std::optional<TKivoPolar>, 7>;
  void FillCurveForAngle(TKivoCurve& target, double angle, TKivoPolarCache& polars);
  std::unique_ptr<TKivoCurve> BuildConstructedCurve(const std::vector<TKivoLegData>& legs);

  // Held in the boat itself (one allocation for all seventeen tables).
  std::array<TKivoCurve, 15> Curves;
  TXmlElement Node;
  TKivoBase UA;
  TKivoBase DA;
  double ImpliedWind = 0;
  double Corrected = 0;
  double Velocity = 0;
  double Finish = 0;
  double GPH = 0;
  std::string Warning;
  std::string Error;
  std::string ErrorMessage;

 private:
  TKivoCurve* CourseCurvePtr = nullptr;
  std::unique_ptr<TKivoCurve> OwnedCourseCurve;
};

class TKivoRace {
 public:
  // Reads the race from the document element; a null element gives an
  // empty race.
  explicit TKivoRace(TXmlElement root = TXmlElement());

  int Count() const { return static_cast<int>(Boats.size()); }
  TKivoBoat& GetItem(int i) const;
  void Add(std::unique_ptr<TKivoBoat> boat) { Boats.push_back(std::move(boat)); }
  double RaceDistance() const;
  void Calculate();
  void WriteResults() const;

  double Distance = 0;
  TXmlElement Node;
  std::vector<TKivoLegData> Legs;
  double Start = 0;
  uint8_t CourseType = 0;

  // Set by Calculate.
  int ReferenceBoat = -1;
  double RaceWind = 0;

 private:
  void CheckCourse() const;
  std::vector<std::unique_ptr<TKivoBoat>> Boats;
};

// Trunc(x / 0.00001 + 0.5) * 0.00001.
double RoundImpliedWind(double wind);
// A wind within Tolerance of 6 or 20 knots becomes that end exactly.
double SnapRaceWind(double wind);

}  // namespace kivo
