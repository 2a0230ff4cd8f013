#pragma once
// What the result and scratch sheets (image, HTML page, CSV) print alike:
// their base name, rounded seconds, the penalised corrected time, the
// allowances of a boat's course vector.
#include <array>
#include <vector>

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QStringList>

#include "core/event_model.h"

namespace kivo {

// SheetKind: which sheet an output command produces.
enum SheetKindCode : int {
  kResultSheet = 1,
  kScratchSheet = 2,
};

// The base of every sheet's file name: the race XML's file name before its
// first "." ("regatta_R1" for ".../regatta_R1.xml").
QString SheetBaseName(const EventModel& model);

// The boat rows of a sheet: RaceEntryCount of the current race, within the
// places of the model.
int SheetRowCount(const EventModel& model);

// The entries in the order of the result sheets: ResultOrder at places 1 ..
// SheetRowCount, passing over a place that holds no entry of the race.
std::vector<int> ResultSheetEntries(const EventModel& model);

// Lines as the sheets write them: CP932, each ended by CR LF.
QByteArray AnsiLines(const QStringList& lines);

// Seconds rounded to the nearest whole number, a half going to the even
// neighbour (12.5 gives "12", 13.5 "14"), in decimal without separators.
QString RoundedSecondsText(double seconds);

// A penalty text read as a percent in `locale`. Throws EConvertError
// "'<text>' is not a valid floating point value" when it is no number.
double PenaltyPercent(const QString& penalty, const QLocale& locale);

// (penalty / 100 + 1) * corrected, in double precision. Throws like
// PenaltyPercent.
double PenalisedCorrectedSeconds(const QString& penalty, float corrected, const QLocale& locale);

// The seven allowances (6, 8, 10, 12, 14, 16 and 20 knots) of a course
// vector text "a,b,...": the fields split at ",", each trimmed of blanks
// and control characters; a field the text lacks is empty, fields after the
// seventh are not used. The placeholder "0" gives "0" and six empty values.
inline constexpr std::array<int, 7> kAllowanceKnots = {6, 8, 10, 12, 14, 16, 20};
std::array<QString, 7> AllowanceValues(const QString& vector);

}  // namespace kivo
