#pragma once
// The result and scratch sheets as web pages: one fixed template (a style
// sheet, a heading with logos, event name, title and race details, one row
// per boat), English or Japanese by Language. The page is CP932 text with
// CR LF, labelled Shift_JIS; every value from the event is HTML-escaped.
#include <QByteArray>
#include <QLocale>
#include <QString>

#include "core/event_model.h"
#include "locale/user_locale.h"

namespace kivo {

// HtmlFolder + "/" + SheetBaseName + "_result.html" / "_scratch.html".
QString ResultHtmlPathFor(const EventModel& model);
QString ScratchHtmlPathFor(const EventModel& model);

// The whole result page of the current race, rows in ResultOrder (as
// RankRaceBoats left it). A boat counts as finished when its finish text is
// longer than 5 characters and its status is exactly "OK"; the others show
// "-" for finish, elapsed and corrected seconds. The penalised corrected
// seconds read the penalty as a number of `locale`; the distance is
// ShortFloatText with its separator. Throws EConvertError for a finished
// boat's penalty that is no number.
QByteArray ResultHtmlText(const EventModel& model, const QLocale& locale = platform::UserLocale());

// The whole scratch page: rows in entry order, each boat's seven
// allowances in the `hc` attribute of cells "w<entry>_<knots>", and the
// script that shows them with one decimal when the page loads.
QByteArray ScratchHtmlText(const EventModel& model, const QLocale& locale = platform::UserLocale());

// ResultHtmlFile := ResultHtmlPathFor, then the page written there whole.
// Throws EConvertError (penalty) or ScorerFileError (the file cannot be
// written, naming it); the page on disk is then as it was.
void WriteResultHtml(EventModel& model, const QLocale& locale = platform::UserLocale());
// The same for the scratch page and ScratchHtmlFile.
void WriteScratchHtml(EventModel& model, const QLocale& locale = platform::UserLocale());

}  // namespace kivo
