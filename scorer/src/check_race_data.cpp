// Gathering the event page and the race and course page into the event
// model and judging whether the current race can be computed.
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QTimeEdit>

#include "core/check_race.h"
#include "locale/user_locale.h"
#include "qt/dialogs.h"
#include "qt/system.h"
#include "scorer_window.h"

namespace kivo {
namespace {

// Rows 1 .. 14 of the leg grid are scanned: the grid shows ten, and the
// others count only when something wrote them.
constexpr int kScannedLegRows = 14;

}  // namespace

RacePageFields TForm1::RacePages() const {
  const TForm1& form = *this;
  RacePageFields fields;
  fields.eventName = form.Edit2->text();
  fields.raceName = form.Edit4->text();
  fields.eventClass = form.Edit6->text();
  fields.chairman = form.Edit7->text();
  fields.saveName = form.Edit3->text();
  fields.startDate = form.DateTimePicker1->date();
  fields.startTime = form.DateTimePicker2->time();
  fields.limitDate = form.DateTimePicker3->date();
  fields.limitTime = form.DateTimePicker4->time();
  fields.jury = form.Edit5->text();
  fields.courseType = form.ComboBox1->currentIndex();
  fields.courseTypeText = form.ComboBox1->currentText();
  if (fields.courseType == 0) {
    for (int row = 1; row <= kScannedLegRows; ++row) {
      std::array<QString, 4> cells;
      for (int column = 1; column <= 4; ++column)
        cells[static_cast<std::size_t>(column - 1)] = form.StringGrid1->Cells(column, row);
      fields.legRows.push_back(cells);
    }
  }
  fields.distance = form.Edit1->text();
  return fields;
}

void TForm1::CheckRaceData() {
  CheckRace(Model, RacePages(), platform::UserLocale());
  if (Model.ShowMissingDataBox > 0 && Model.MissingCount > 0) {
    platform::CurrentDialogs().ShowTitledMessage(kMissingDataTitle, MissingDataSummary(Model));
    platform::CurrentSystem().Beep();
  }
}

}  // namespace kivo
