#pragma once
// The result and scratch sheets as comma-separated text for a spreadsheet or
// a text editor: twelve header lines, then one line per boat. CP932 with
// CR LF, as the spreadsheets that read these sheets expect; a field holding
// ",", a double quote, CR or LF is quoted.
#include <QByteArray>
#include <QLocale>
#include <QString>

#include "core/event_model.h"
#include "locale/user_locale.h"

namespace kivo {

// CsvFolder + "/" + SheetBaseName + "_result.csv" / "_scratch.csv".
QString ResultCsvPathFor(const EventModel& model);
QString ScratchCsvPathFor(const EventModel& model);

// A field as written: unchanged, or, when it holds ",", a double quote, CR
// or LF, between double quotes with each double quote doubled.
QString CsvField(const QString& value);

// The whole sheet of SheetKind (1 result, 2 scratch) of the current race,
// English when Language is 1, with the provisional mark when Provisional is
// 1. Result lines follow ResultOrder (as RankRaceBoats left it); a boat
// whose finish text is longer than 5 characters gets its finish as "yy/MM/dd"
// and "HH:mm:ss" with the separators of `locale`, rounded elapsed and
// penalised corrected seconds, its ET position and penalty; the others "-",
// "-" and empty fields. Scratch lines are in entry order with the seven
// allowances. Throws EConvertError for such a finish that is no date-time
// of `locale` or a penalty that is no number.
QByteArray CsvSheetText(const EventModel& model, const QLocale& locale = platform::UserLocale());

// ResultCsvFile or ScratchCsvFile (by SheetKind) := its path, then the sheet
// written there whole. Throws EConvertError or ScorerFileError (the file
// cannot be written, naming it); the file on disk is then as it was.
// Returns the path.
QString WriteCsvSheet(EventModel& model, const QLocale& locale = platform::UserLocale());

}  // namespace kivo
