#pragma once
// Numbers as texts with a chosen decimal separator: the general format of the
// race file and the pages, and the short form in which a stored 32-bit value
// is shown to a person.
#include <QChar>
#include <QLocale>
#include <QString>

namespace platform {

// The general format with at most 15 significant digits: the value rounded
// to 15 significant digits; fixed notation when that puts it from 0.0001 up
// to (not including) 10^15 in magnitude, else scientific ("5E-5", "1E20",
// "-1.5E-7"); trailing zeros and a bare point dropped; zero as "0"; "INF",
// "-INF" and "NAN" for the values that are no finite number. So 10 gives
// "10" and a stored 12.3f, widened, "12.3000001907349". `decimalSeparator`
// stands in place of the point ("." for the race XML, the user locale's for
// the pages).
QString FloatText(double value, QChar decimalSeparator = QLatin1Char('.'));
// The same with the decimal separator of `locale`.
QString FloatText(double value, const QLocale& locale);

// A 32-bit value as a person typed it: the shortest decimal in fixed
// notation that reads back as the same 32-bit value, so a stored 12.3f shows
// "12.3" and not its widened digits. No group separators; negative zero
// shows "0"; "INF", "-INF" and "NAN" as FloatText writes them.
QString ShortFloatText(float value, QChar decimalSeparator = QLatin1Char('.'));
QString ShortFloatText(float value, const QLocale& locale);

}  // namespace platform
