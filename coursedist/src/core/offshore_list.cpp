#include "core/offshore_list.h"

#include <cmath>
#include <stdexcept>

#include "core/geodesy.h"
#include "core/number_text.h"

namespace drevlin {
namespace {

constexpr int kLatTextLength = 10;  // characters of the page's texts compared
constexpr int kLngTextLength = 11;
constexpr double kKmPerMile = 1.852;

// A clicked position as the page gave it.
struct PageCoordinate {
  QString cut;    // the first characters of the page's text: the change test's
  QString shown;  // what the field shows
  double value = 0;
};

// Into (-180, 180], so that a wind from just across north is a small angle.
template <class T>
T ReduceAngle(T angle) {
  while (angle > 180) angle -= 360;
  while (angle <= -180) angle += 360;
  return angle;
}

PageCoordinate ReadPageCoordinate(const QString& text, int length, bool longitude) {
  const QString trimmed = text.trimmed();
  PageCoordinate coordinate;
  coordinate.cut = trimmed.left(length);
  coordinate.shown = coordinate.cut;
  // The script writes "1.5e-7" for a click that close to the equator or the
  // prime meridian; its first characters would be a far larger number.
  const bool exponent = trimmed.contains(QLatin1Char('e'), Qt::CaseInsensitive);
  const double value = ReadFloat(exponent ? trimmed : coordinate.cut, QLocale::c());
  // A click on a repeated world east or west of the first is stored within
  // half a circle.
  coordinate.value = longitude ? ReducedLongitude(value) : value;
  if (exponent || coordinate.value != value)
    coordinate.shown = FirstCharacters(coordinate.value, length, QLocale::c());
  return coordinate;
}

float ReadWindDirection(const QString& text, const QLocale& locale) {
  const double value = ReadFloat(text, locale);
  if (value < 0 || value > 360) ThrowInvalidValue(QStringLiteral("Avg TWD"));
  return static_cast<float>(value);
}

// A field right-aligned in `width` characters; a longer text whole.
QString RightAligned(const QString& text, int width) {
  return text.size() >= width ? text : QString(width - text.size(), QLatin1Char(' ')) + text;
}

// A coordinate padded with zeros after its decimal separator and cut to
// `width`: 5.5 "5.5000000", 35 "35.000000".
QString PaddedCoordinate(double value, const QString& zeros, int width, const QLocale& locale) {
  QString text = FixedGeneralText(value, locale);
  if (!text.contains(locale.decimalPoint())) text += locale.decimalPoint();
  return (text + zeros).left(width);
}

QString PointNumber(int n) { return RightAligned(QString::number(n), 3); }

}  // namespace

void AllocatePointArrays(OffshoreCourse& course) {
  course.PointLat.fill(0);
  course.PointLon.fill(0);
  course.PointCOt.fill(0);
  course.PointCOm.fill(0);
  course.PointMiles.fill(0);
}

void ClearPoints(OffshoreCourse& course) {
  course.PointCount = 0;
  course.TotalMiles = 0;
  course.LastLat.clear();
  course.LastLng.clear();
}

float OffshoreMagneticCourse(double trueCourse, float magVar) {
  float course = static_cast<float>(trueCourse + magVar);
  if (course >= 360) course -= 360;
  if (course < 0) course += 360;
  return course;
}

float WindAngle(float avgTwd, float magneticCourse) { return ReduceAngle<float>(avgTwd - magneticCourse); }

double WindAngle(double avgTwd, double magneticCourse) {
  return ReduceAngle<double>(avgTwd - magneticCourse);
}

QString VariationText(double variation, const QLocale& locale) {
  const QString text = FixedGeneralText(variation, locale);
  const qsizetype separator = text.indexOf(locale.decimalPoint());
  return separator < 0 ? text : text.left(separator + locale.decimalPoint().size() + 1);
}

QString TotalMilesText(double miles, const QLocale& locale) {
  return TwoDecimalsText(miles, locale) + QStringLiteral(" Mi");
}

QString TotalKmText(double km, const QLocale& locale) {
  return TwoDecimalsText(km, locale) + QStringLiteral(" Km");
}

CaptureResult TakePoint(OffshoreCourse& course, const CaptureInput& input, const QLocale& locale) {
  CaptureResult result;
  const QString latCut = input.lat.trimmed().left(kLatTextLength);
  const QString lngCut = input.lng.trimmed().left(kLngTextLength);
  if (latCut.isEmpty() || lngCut.isEmpty()) return result;
  if (latCut == course.LastLat && lngCut == course.LastLng) return result;

  result.kind = CaptureResult::Kind::Refused;
  if (course.PointCount >= kMaxPoints) {
    result.message =
        QStringLiteral("The list is full (%1 points). Clear All starts a new one.").arg(kMaxPoints);
    return result;
  }
  float magVar = 0;
  float avgTwd = 0;
  PageCoordinate lat;
  PageCoordinate lng;
  try {
    magVar = ReadVariation(input.magVar, locale);
    avgTwd = ReadWindDirection(input.avgTwd, locale);
    lat = ReadPageCoordinate(input.lat, kLatTextLength, false);
    lng = ReadPageCoordinate(input.lng, kLngTextLength, true);
  } catch (const std::exception& e) {
    result.message = QString::fromUtf8(e.what());
    return result;
  }

  // Everything is computed before anything is stored, so that a failing
  // leg leaves the list as it was.
  const int n = course.PointCount + 1;
  QString row = PointNumber(n) + QStringLiteral("  ") +
                PaddedCoordinate(lat.value, QStringLiteral("0000000"), 9, locale) + QStringLiteral("  ") +
                PaddedCoordinate(lng.value, QStringLiteral("0000000"), 10, locale);
  double trueCourse = 0;
  float magneticCourse = 0;
  double miles = 0;
  if (n == 1) {
    if (HasMagneticVariation(lat.value, lng.value)) {
      magVar = MagneticVariationAt(lat.value, lng.value);
      result.magVarText = VariationText(magVar, locale);
    } else {
      result.message = QString::fromLatin1(kNoMagneticVariationMessage);
    }
  } else {
    const double lat1 = course.PointLat[n - 1];
    const double lon1 = course.PointLon[n - 1];
    const GreatCircle leg = GreatCircleCourseDistance(lat1, lon1, lat.value, lng.value);
    trueCourse = leg.trueCourse;
    magneticCourse = OffshoreMagneticCourse(trueCourse, magVar);
    miles =
        input.mileUnit == 0 ? leg.distMin : EllipsoidDistance(lat1, lon1, lat.value, lng.value).nauticalMiles;
    const float windAngle = WindAngle(avgTwd, magneticCourse);
    row += QLatin1Char(' ') + RightAligned(RoundedText(trueCourse), 3) + QLatin1Char(' ') +
           RightAligned(RoundedText(magneticCourse), 3) + QLatin1Char(' ') +
           RightAligned(RoundedText(windAngle), 4) + QLatin1Char(' ') +
           RightAligned(TwoDecimalsText(miles, locale), 7);
    if (input.mileUnit == 1)
      row += QLatin1Char(' ') + RightAligned(TwoDecimalsText(miles * kKmPerMile, locale), 7);
  }

  course.LastLat = lat.cut;
  course.LastLng = lng.cut;
  course.PointCount = n;
  course.PointLat[n] = lat.value;
  course.PointLon[n] = lng.value;
  if (n >= 2) {
    course.PointCOt[n] = trueCourse;
    course.PointCOm[n] = magneticCourse;
    course.PointMiles[n] = miles;
    course.TotalMiles += miles;
    course.TotalKm = course.TotalMiles * kKmPerMile;
    result.totalMilesText = TotalMilesText(course.TotalMiles, locale);
    result.totalKmText = TotalKmText(course.TotalKm, locale);
  }
  result.kind = CaptureResult::Kind::Taken;
  result.magVar = magVar;
  result.avgTwd = avgTwd;
  result.latText = lat.shown;
  result.lngText = lng.shown;
  result.countText = QString::number(n);
  result.row = row;
  return result;
}

QStringList RebuildPointList(const OffshoreCourse& course, const QString& magVar, const QString& avgTwd,
                             const QLocale& locale) {
  const float windDirection = ReadWindDirection(avgTwd, locale);
  ReadVariation(magVar, locale);
  QStringList rows;
  for (int i = 1; i <= course.PointCount; ++i) {
    QString row = PointNumber(i) + QStringLiteral("   ") +
                  PaddedCoordinate(course.PointLat[i], QStringLiteral("00000"), 9, locale) +
                  QStringLiteral("   ") +
                  PaddedCoordinate(course.PointLon[i], QStringLiteral("00000"), 10, locale);
    if (i >= 2) {
      const double windAngle = WindAngle(static_cast<double>(windDirection), course.PointCOm[i]);
      row += QStringLiteral("   ") + RightAligned(RoundedText(course.PointCOt[i]), 3) +
             QStringLiteral("   ") + RightAligned(RoundedText(course.PointCOm[i]), 3) + QStringLiteral("  ") +
             RightAligned(RoundedText(windAngle), 5) + QStringLiteral("  ") +
             RightAligned(TwoDecimalsText(course.PointMiles[i], locale), 7);
    }
    rows.append(row);
  }
  return rows;
}

}  // namespace drevlin
