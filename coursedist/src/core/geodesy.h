#pragma once
// Course and distance between marks given in decimal degrees, north and east
// positive: the great circle on a sphere whose minute of arc is one nautical
// mile, Hubeny's distance on the Bessel ellipsoid, the magnetic variation
// around Japan and the point reached along a bearing. Pure functions: the
// callers pass the points and keep the results.
//
// A result that would be no finite number throws EInvalidOp, a division by
// zero EZeroDivide (core/errors.h): the error box reports them, and no NAN
// or INF is ever shown.
namespace drevlin {

// π / 180, from π = 4·arctan(1).
double DegreeToRadian();

struct GreatCircle {
  double trueCourse = 0;  // initial course, 0 <= value < 360
  double distMin = 0;     // minutes of arc, counted as nautical miles
  double distKm = 0;      // distMin × 1.852
};
GreatCircle GreatCircleCourseDistance(double lat1, double lon1, double lat2, double lon2);

struct EllipsoidLeg {
  double metres = 0;
  double nauticalMiles = 0;  // metres / 1852
};
EllipsoidLeg EllipsoidDistance(double lat1, double lon1, double lat2, double lon2);

// The polynomial holds around Japan only: (37.8, -122.4) would give
// -616.75. Inside this area every value is the polynomial's; outside it the
// program does not compute one.
bool HasMagneticVariation(double lat, double lon);
// What the user is told where there is none.
inline constexpr char kNoMagneticVariationMessage[] =
    "Magnetic variation is known around Japan only. Type the local variation in MagVar.";
// Degrees, west positive (a magnetic course is the true course plus this),
// rounded to 32 bits.
float MagneticVariationAt(double lat, double lon);

// A longitude brought into (-180, 180]: 499 is 139, -220 is 140, -180 is
// 180. A value already inside keeps its exact value.
double ReducedLongitude(double lon);

struct Position {
  double lat = 0;
  double lon = 0;
};
// From (lat1, lon1) along `bearing` (degrees true) over `distance` degrees of
// arc, on the sphere; the longitude reached lies in (-180, 180]. A start at a
// pole has no bearing and fails with one of the two errors above.
Position DestinationPoint(double lat1, double lon1, double distance, double bearing);

}  // namespace drevlin
