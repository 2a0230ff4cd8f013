#pragma once
// The user locale and the date-time texts that the pages write and read with
// it. Every page and sheet takes "the user locale" from UserLocale(), so that
// a test can pin one with QLocale::setDefault.
#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QTime>

namespace platform {

// The default locale: the system locale unless QLocale::setDefault chose
// another (tests pin Japanese, or a locale with "," as decimal separator).
// The C/POSIX locale stands for no choice and gives Japanese.
QLocale UserLocale();

// The separator between the fields of the locale's short date form ("/" in
// Japanese, "." in German) and between hours and minutes of its time form.
QString DateSeparator(const QLocale& locale);
QString TimeSeparator(const QLocale& locale);

// The long time form: the locale's short time form with the seconds added
// after the minutes ("H:mm:ss" in Japanese, "h:mm:ss AP" in US English,
// "HH:mm:ss" in German). No time zone: a finish is a local wall-clock time.
QString LongTimeFormat(const QLocale& locale);

// A finish as the pages keep it: the short date form, one blank, the long
// time form ("2017/07/01 12:05:00" in Japanese, "01.07.17 12:05:00" in
// German). Also the corrected clock's text.
QString LocalDateTimeText(const QDateTime& moment, const QLocale& locale);

// A start or time limit as the pages keep it: "yyyy/MM/dd HH:mm:ss" with the
// locale's date and time separators ("2017.07.01 10:00:00" in German).
QString RaceDateTimeText(const QDate& date, const QTime& time, const QLocale& locale);

}  // namespace platform
