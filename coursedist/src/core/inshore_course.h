#pragma once
// The windward-leeward course of the inshore calculator: from the lee, weather
// and side marks, the legs L→W, W→L, W→S and S→L with their magnetic courses
// and the totals of three course shapes. Distances, courses and totals are
// 32-bit values, as the calculator shows them.
#include "core/geodesy.h"

namespace drevlin {

struct InshoreMarks {
  double leeLat = 0, leeLon = 0;
  double weatherLat = 0, weatherLon = 0;
  double sideLat = 0, sideLon = 0;
};

// A typed mark value that the geodesy can use: not 0 (a text in format 2 or
// 3 without its colons reads as 0), a latitude strictly between the poles,
// a longitude from -180 to 180.
bool IsUsableLatitude(double value);
bool IsUsableLongitude(double value);

// A magnetic course from true course plus variation, as stored in 32 bits:
// above 360 less 360, below 0 plus 360 (exactly 360 stays).
float MagneticCourse(double trueCourse, float magVar);

struct InshoreCourse {
  float distance = 0;          // D: L→W and W→L, miles of the unit in force
  bool hasMetres = false;      // with 1852-metre miles:
  double ellipsoidMetres = 0;  //   the ellipsoid distance L→W in metres
  float leeToWeather = 0;      // magnetic courses
  float weatherToLee = 0;
  float weatherToSide = 0;
  float sideToLee = 0;
  float sideDistance = 0;   // W→S and S→L, minutes of arc on the sphere
  bool sidePlaced = false;  // the side mark was computed, not typed:
  Position side;            //   where it was placed
  float olympic = 0;        // 4·D + W→S + S→L
  float lwlwl = 0;          // 4·D
  float lwlwlw = 0;         // 5·D
};

// `sideTyped`: the side mark of `marks` was typed; otherwise it is placed
// from the weather mark, 45° off the run to the lee mark, at D·√2/2.
// `mileUnit` 1: miles of 1852 m on the ellipsoid; 0: minutes of arc on the
// sphere. `magVar`: the variation at the lee mark, west positive.
InshoreCourse ComputeInshoreCourse(const InshoreMarks& marks, bool sideTyped, int mileUnit, float magVar);

}  // namespace drevlin
