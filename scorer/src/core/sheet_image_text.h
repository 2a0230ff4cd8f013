#pragma once
// What the image sheet says, apart from how it is drawn: the titles, labels
// and headings in both languages, the table's columns, the texts of each
// table row, the logo box and the file name. The values that all the
// sheets print alike come from core/sheet_values.h.
#include <array>
#include <cstddef>
#include <vector>

#include <QLocale>
#include <QSize>
#include <QString>
#include <QStringList>

#include "core/event_model.h"
#include "core/sheet_values.h"

namespace kivo {

// One table column: its left edge from x 30 and its width.
struct SheetColumn {
  int offset;
  int width;
};
// The nine result columns or the eleven scratch columns. They cover 957 and
// 951 of the 960 pixels: the frame runs 3 or 9 pixels past the last one.
const std::vector<SheetColumn>& SheetColumns(int sheetKind);

// "Result" / "レース　成　績", "Scratch Sheet" / "スクラッチシート", with the
// provisional mark when asked. `language` 1 is English, 0 Japanese.
QString SheetSubtitle(int sheetKind, int language, bool provisional);
// The column headings, one per column of SheetColumns.
QStringList SheetHeadings(int sheetKind, int language);

// The header block: line 1 and 2 have a second text at x 520.
struct SheetHeader {
  std::array<QString, 7> left;  // lines 1 to 7 at x 30
  QString issued;               // line 1 at x 520
  QString jury;                 // line 2 at x 520
};
// Labels with their values for the current race; the distance is the
// stored 32-bit value as typed ("12.3"), with `locale`'s separator.
SheetHeader SheetHeaderTexts(const EventModel& model, const QLocale& locale);

// The nine texts of the result row of `entry`; a position only for a boat
// with its time. A penalty that is not a number in `locale`, on a row with a
// corrected time, throws EConvertError.
QStringList ResultRowTexts(const EventModel& model, int entry, const QLocale& locale);
// The eleven texts of the scratch row of `entry`: name, sail number, type,
// GPH and the seven allowances as the module wrote them (AllowanceValues).
QStringList ScratchRowTexts(const EventModel& model, int entry);

// An allowance with one decimal ("812.345678901234" gives "812.3"); a field
// that is no number comes back unchanged.
QString OneDecimalAllowance(const QString& field);

// The box that keeps three logos apart and leaves the 19-boat table on the
// page: logos within it keep their size, larger ones shrink to fit it with
// their proportions kept.
inline constexpr QSize kLogoBox(320, 150);
QSize FittedLogoSize(const QSize& size);

// "<base>_result.jpg" or "<base>_scratch.jpg" (SheetBaseName).
QString SheetImageFileName(const EventModel& model, int sheetKind);

}  // namespace kivo
