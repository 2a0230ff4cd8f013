#pragma once
// Mark positions as the inshore calculator's fields hold them, in one of
// three formats: 1 decimal degrees ("35.12345678"), 2 degrees and decimal
// minutes ("35:12.345"), 3 degrees, minutes and decimal seconds
// ("35:12:24.56789"). South and west are negative: the sign stands once in
// front ("-35:30"); a minus on any part makes the whole value negative, its
// size being the sum of the parts' sizes, so "-35:30" and "-35:-30" are both
// -35.5 and "0:-30" is -0.5.
#include <QLocale>
#include <QString>

namespace drevlin {

enum class CoordinateFormat { Degrees = 1, DegreesMinutes = 2, DegreesMinutesSeconds = 3 };

// Format 2. No ":" gives 0 (which the calculator refuses). The degrees must
// be a whole number, the minutes (at most 20 characters after the colon) a
// number; else EConvertError.
double ParseDegMin(const QString& text, const QLocale& locale);
// Format 3. A missing colon gives 0. Whole degrees and minutes, a number of
// seconds; else EConvertError.
double ParseDegMinSec(const QString& text, const QLocale& locale);
// A field in the given format; format 1 is a typed number.
double ReadCoordinate(CoordinateFormat format, const QString& text, const QLocale& locale);

// A computed position written into a field: format 1 cuts the general form to
// 10 characters for a latitude and 11 for a longitude; format 2 writes the
// whole minutes' text for a latitude and their first 8 characters for a
// longitude; format 3 writes whole seconds. The same format reads it back.
QString CoordinateText(CoordinateFormat format, double value, bool latitude, const QLocale& locale);

}  // namespace drevlin
