#include "core/inshore_course.h"

namespace drevlin {
namespace {

// A course stored in 32 bits, brought below 360 the way the calculator does:
// once, and only when above.
float ReducedCourse(double course) {
  float value = static_cast<float>(course);
  if (value > 360) value = static_cast<float>(value - 360.0);
  return value;
}

}  // namespace

bool IsUsableLatitude(double value) { return value != 0 && value > -90 && value < 90; }

bool IsUsableLongitude(double value) { return value != 0 && value >= -180 && value <= 180; }

float MagneticCourse(double trueCourse, float magVar) {
  float value = ReducedCourse(trueCourse + magVar);
  if (value < 0) value = static_cast<float>(value + 360.0);
  return value;
}

InshoreCourse ComputeInshoreCourse(const InshoreMarks& marks, bool sideTyped, int mileUnit, float magVar) {
  InshoreCourse course;
  const GreatCircle leeToWeather =
      GreatCircleCourseDistance(marks.leeLat, marks.leeLon, marks.weatherLat, marks.weatherLon);
  if (mileUnit <= 0) {
    course.distance = static_cast<float>(leeToWeather.distMin);
  } else {
    const EllipsoidLeg leg =
        EllipsoidDistance(marks.leeLat, marks.leeLon, marks.weatherLat, marks.weatherLon);
    course.distance = static_cast<float>(leg.nauticalMiles);
    course.hasMetres = true;
    course.ellipsoidMetres = leg.metres;
  }

  const float trueLeeToWeather = static_cast<float>(leeToWeather.trueCourse);
  const float trueWeatherToLee = ReducedCourse(trueLeeToWeather + 180.0);
  course.leeToWeather = MagneticCourse(leeToWeather.trueCourse, magVar);
  course.weatherToLee = ReducedCourse(course.leeToWeather + 180.0);

  Position side{marks.sideLat, marks.sideLon};
  if (!sideTyped) {
    double bearing = trueWeatherToLee + 45.0;
    if (bearing > 360) bearing -= 360;
    const double arc = static_cast<double>(course.distance) / 60 * 1.41421356 / 2;
    side = DestinationPoint(marks.weatherLat, marks.weatherLon, arc, bearing);
    course.sidePlaced = true;
    course.side = side;
  }

  const GreatCircle weatherToSide =
      GreatCircleCourseDistance(marks.weatherLat, marks.weatherLon, side.lat, side.lon);
  course.sideDistance = static_cast<float>(weatherToSide.distMin);
  course.weatherToSide = MagneticCourse(weatherToSide.trueCourse, magVar);
  course.sideToLee = static_cast<float>(course.weatherToSide - 90.0);
  if (course.sideToLee < 0) course.sideToLee = static_cast<float>(course.sideToLee + 360.0);

  const double distance = course.distance;
  course.olympic = static_cast<float>(4 * distance + course.sideDistance + course.sideDistance);
  course.lwlwl = static_cast<float>(4 * distance);
  course.lwlwlw = static_cast<float>(5 * distance);
  return course;
}

}  // namespace drevlin
