#include "core/geodesy.h"

#include <algorithm>
#include <cmath>

#include "core/errors.h"

namespace drevlin {
namespace {

const double kPi = 4.0 * std::atan(1.0 / 1.0);
const double kDegree = kPi / 180.0;

// A longitude difference in radians brought into (-π, π], so that a leg
// across the 180° meridian goes the short way. Differences already inside
// keep their exact value.
double ReducedLongitudeDifference(double difference) {
  if (difference > -kPi && difference <= kPi) return difference;
  double reduced = std::remainder(difference, 2.0 * kPi);
  if (reduced <= -kPi) reduced += 2.0 * kPi;
  return reduced;
}

// Cosines computed from rounded sines can land just outside [-1, 1] for
// nearly identical points or a bearing of 0 or 180.
double Clamped(double cosine) { return std::clamp(cosine, -1.0, 1.0); }

// arccos as the two-argument arctangent, which holds over the whole range.
double ArcCos(double y) { return std::atan2(std::sqrt(1.0 - y * y), y); }

double Divided(double numerator, double denominator) {
  if (denominator == 0.0) {
    if (numerator == 0.0 || std::isnan(numerator)) platform::RaiseInvalidOp();
    platform::RaiseZeroDivide();
  }
  return numerator / denominator;
}

double Finite(double value) {
  if (!std::isfinite(value)) platform::RaiseInvalidOp();
  return value;
}

}  // namespace

double DegreeToRadian() { return kDegree; }

double ReducedLongitude(double lon) {
  if (lon > -180 && lon <= 180) return lon;
  double reduced = std::fmod(lon, 360.0);
  if (reduced > 180) reduced -= 360;
  if (reduced <= -180) reduced += 360;
  return reduced;
}

GreatCircle GreatCircleCourseDistance(double lat1, double lon1, double lat2, double lon2) {
  const double phi1 = Finite(lat1) * kDegree;
  const double lambda1 = Finite(lon1) * kDegree;
  const double phi2 = Finite(lat2) * kDegree;
  const double lambda2 = Finite(lon2) * kDegree;

  const double d = ReducedLongitudeDifference(lambda1 - lambda2);
  const double s = phi1 + phi2;
  double m = phi1 - phi2;
  if (m == 0.0) m = 1e-8;

  const double x1 = Divided(std::tan(d / 2) * std::cos(s / 2), std::sin(m / 2));
  const double x2 = Divided(std::tan(d / 2) * std::sin(s / 2), std::cos(m / 2));
  const double sum = std::atan(x1) + std::atan(x2);
  double course = sum / kDegree;

  // The quadrant follows from the eastward difference and the sign of the
  // sum.
  const double east = -d;
  if (east < 0 && sum > 0)
    course += 180;
  else if (east < 0 && sum < 0)
    course += 360;
  else if (east > 0 && sum < 0)
    course += 180;
  if (course > 360) course -= 360;
  if (east == 0) course = phi2 < phi1 ? 180 : 0;
  if (course == 360) course = 0;

  GreatCircle result;
  result.trueCourse = Finite(course);
  if (phi1 == phi2 && d == 0.0) return result;

  const double x = Clamped(std::sin(phi1) * std::sin(phi2) + std::cos(phi1) * std::cos(phi2) * std::cos(d));
  const double arc = ArcCos(x);
  result.distMin = Finite(std::fabs(arc / kDegree * 60));
  result.distKm = Finite(std::fabs(arc / kDegree * 60 * 1.852));
  return result;
}

EllipsoidLeg EllipsoidDistance(double lat1, double lon1, double lat2, double lon2) {
  const double pi = 4.0 * std::atan(1.0);
  const double k = pi / 180;
  const double mu = (Finite(lat2) + Finite(lat1)) / 2 * k;
  const double dPhi = (lat2 - lat1) * k;
  const double dLambda = ReducedLongitudeDifference((Finite(lon2) - Finite(lon1)) * k);

  const double w2 = 1 - 0.006674 * std::sin(mu) * std::sin(mu);
  const double meridian = 6334834 / std::sqrt(w2 * w2 * w2);
  const double primeVertical = 6377397 / std::sqrt(w2);
  const double east = primeVertical * std::cos(mu) * dLambda;
  const double north = meridian * dPhi;

  EllipsoidLeg result;
  result.metres = Finite(std::sqrt(east * east + north * north));
  result.nauticalMiles = result.metres / 1852;
  return result;
}

bool HasMagneticVariation(double lat, double lon) {
  return lat >= 20 && lat <= 50 && lon >= 120 && lon <= 155;
}

float MagneticVariationAt(double lat, double lon) {
  const double dPhi = lat - 37;
  const double dLambda = lon - 138;
  const double value = 7.95335 + 0.3125 * dPhi - (6.761 / 60) * dLambda - (0.059 / 60) * (dPhi * dPhi) -
                       (0.014 / 60) * dPhi * dLambda - 0.00965 * (dLambda * dLambda);
  return static_cast<float>(Finite(value));
}

Position DestinationPoint(double lat1, double lon1, double distance, double bearing) {
  const double c = (90 - Finite(lat1)) * kDegree;
  const double b = Finite(distance) * kDegree;
  const double theta = Finite(bearing) * kDegree;

  const double x = Clamped(std::cos(c) * std::cos(b) + std::sin(c) * std::sin(b) * std::cos(theta));
  Position result;
  result.lat = 90 - ArcCos(x) / kDegree;
  const double q =
      Clamped(Divided(std::cos(b) - x * std::cos(c), std::sin(c) * std::sin((90 - result.lat) * kDegree)));
  const double delta = ArcCos(q) / kDegree;
  // A long leg west of the start can pass -180, east of it 180.
  result.lon = ReducedLongitude(Finite(bearing >= 180 ? lon1 - delta : lon1 + delta));
  Finite(result.lat);
  return result;
}

}  // namespace drevlin
