#pragma once
// The date-time texts of the pages, read as the user's locale reads them,
// and the race XML's form of them.
#include <optional>

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QTime>

namespace kivo {

struct DateTimeParts {
  QDate date;
  QTime time;
};

// A date-time text of the pages read as the user's locale reads it: the
// scorer's own form ("yyyy/mm/dd HH:mm:ss" with the locale's or "/"
// separators, as the data check and the read-back leave it) and the
// locale's short date with its time forms (as the finish page writes a
// finish). The date's parts are in the locale's order unless the first has
// more than two digits (then year, month, day); a two-digit year is taken
// within the 100 years from 50 years ago; the time may carry seconds,
// milliseconds, an AM/PM marker and a time zone name (ignored); a date
// alone is its midnight. nullopt when the text is no date-time. The value
// is local time.
std::optional<QDateTime> ReadLocalDateTime(const QString& text, const QLocale& locale);
// The same, throwing EConvertError "'<text>' is not a valid date and time".
QDateTime LocalDateTimeOrThrow(const QString& text, const QLocale& locale);

// ReadLocalDateTime's date and time as read, not yet a local time (which a
// change to summer time may not have).
std::optional<DateTimeParts> ReadLocalDateTimeParts(const QString& text, const QLocale& locale);
// The same, throwing as LocalDateTimeOrThrow does.
DateTimeParts LocalDateTimePartsOrThrow(const QString& text, const QLocale& locale);

// "yyyy-mm-dd", "T", "HH:mm:ss".
QString IsoDateTimeText(const DateTimeParts& parts);

// Every "-" turned into "/" and every "T" into one blank:
// "2017-05-01T12:34:56" gives "2017/05/01 12:34:56"; "0" stays "0".
QString IsoToLocalDateTime(const QString& text);

}  // namespace kivo
