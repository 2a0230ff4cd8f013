#pragma once
// The offshore course: points clicked on the map, each leg's courses, wind
// angle and miles as a fixed-width row of the point list, and the totals.
// Plain values in, texts out; the form shows them.
#include <array>

#include <QLocale>
#include <QString>
#include <QStringList>

namespace drevlin {

// Points occupy indexes 1 to PointCount; index 0 is not used.
inline constexpr int kPointStoreLength = 100;
inline constexpr int kMaxPoints = kPointStoreLength - 1;

struct OffshoreCourse {
  int PointCount = 0;
  std::array<double, kPointStoreLength> PointLat{};    // degrees, north positive
  std::array<double, kPointStoreLength> PointLon{};    // degrees, east positive, (-180, 180]
  std::array<double, kPointStoreLength> PointCOt{};    // true course of the leg to point i
  std::array<double, kPointStoreLength> PointCOm{};    // magnetic course, a 32-bit value
  std::array<double, kPointStoreLength> PointMiles{};  // leg length in the unit of its time
  double TotalMiles = 0;
  double TotalKm = 0;
  // The page's texts of the last point taken, cut as the change test
  // compares them; empty when none.
  QString LastLat;
  QString LastLng;
};

// The point list's column header over the live rows, in their fixed-pitch
// font: each title stands over its field, a number's title at the field's
// right end (the rows rebuilt by "再計算" are wider and keep their own
// layout).
inline constexpr char kPointListHeader[] = " PT     LAT        LON     COt COm  TWA      Mi";
// The kilometre column's title, a label of its own that shows only with
// 1852-metre miles, and the character column where it starts.
inline constexpr char kKmColumnHeader[] = "( Km )";
inline constexpr int kKmHeaderColumn = 49;

// The five point arrays, all zeros.
void AllocatePointArrays(OffshoreCourse& course);
// "Clear All": no points, no total, and no last position, so that a click on
// the spot taken last is taken again.
void ClearPoints(OffshoreCourse& course);

// What one capture reads: the page's inputs as read, the variation and
// wind direction fields as typed, and the mile unit (1: 1852 m, 0: one
// minute of arc).
struct CaptureInput {
  QString lat;
  QString lng;
  QString magVar;
  QString avgTwd;
  int mileUnit = 1;
};

// What one capture gives the form.
struct CaptureResult {
  enum class Kind {
    Ignored,  // no new position on the page: nothing to do, nothing to say
    Refused,  // `message` says why; nothing changed
    Taken,    // the point is stored; the texts below are to be shown
  };
  Kind kind = Kind::Ignored;
  QString message;    // Refused: the reason; Taken: a notice, or empty
  QString latText;    // Memo1
  QString lngText;    // Memo2
  QString countText;  // Memo4
  QString row;        // the new line of the point list
  // Set only when the capture changed them (the first point's variation;
  // the totals from the second point on); empty means "leave as shown".
  QString magVarText;      // Memo5
  QString totalMilesText;  // Memo3
  QString totalKmText;     // Memo18
  // Taken: the variation and wind direction in force for this point.
  float magVar = 0;
  float avgTwd = 0;
};

// Takes the clicked position as the next point when it differs from the last
// one taken. A full list, a field that is no number ("'x' is not a valid
// floating point value") or out of range ("Invalid value in MagVar." for a
// variation beyond ±180, "Invalid value in Avg TWD" for a wind direction
// outside 0 to 360) refuses it. A geodesy
// failure throws and changes nothing.
CaptureResult TakePoint(OffshoreCourse& course, const CaptureInput& input, const QLocale& locale);

// The point list again, in the wider rebuilt layout, with the wind angles
// from `avgTwd`; `magVar` must be a valid variation too. Throws
// EConvertError or std::runtime_error("Invalid value in ..."); the stored points
// and totals are not changed.
QStringList RebuildPointList(const OffshoreCourse& course, const QString& magVar, const QString& avgTwd,
                             const QLocale& locale);

// A leg's magnetic course: the true course plus the variation (west
// positive), rounded to 32 bits, from 0 up to 360 (355 + 7.2 gives 2.2,
// 3 - 7 gives 356). Unlike the inshore calculator's, 360 itself becomes 0.
float OffshoreMagneticCourse(double trueCourse, float magVar);
// The true wind angle of a leg, within (-180, 180]: 180 - 350 is -170,
// 10 - 200 is 170.
float WindAngle(float avgTwd, float magneticCourse);
double WindAngle(double avgTwd, double magneticCourse);

// The variation as the field shows it: cut after the first decimal digit
// (7.2025 "7.2", -0.7 "-0.7", 10.93 "10.9").
QString VariationText(double variation, const QLocale& locale);

// Texts of the form's fields and the totals.
QString TotalMilesText(double miles, const QLocale& locale);
QString TotalKmText(double km, const QLocale& locale);

}  // namespace drevlin
