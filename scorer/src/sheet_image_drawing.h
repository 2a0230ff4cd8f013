#pragma once
// The image sheet: the result or the scratch sheet of the current race drawn
// as one portrait page of fixed size, the same on every machine (fonts in
// pixels, not points of the screen).
//
//   SheetLogos logos;  // null images where the event has no logo
//   const SheetImage sheet = DrawSheetImage(model, logos, platform::UserLocale());
//   if (sheet.TableFits()) platform::EncodeJpegFile(sheet.page, path, 90);
#include <QFont>
#include <QImage>
#include <QList>
#include <QLocale>
#include <QRect>
#include <QString>
#include <QStringList>

#include "core/event_model.h"

namespace kivo {

inline constexpr int kSheetPageWidth = 1000;
inline constexpr int kSheetPageHeight = 1414;

// The three logos as read; a null image draws nothing and takes no height.
struct SheetLogos {
  QImage left, middle, right;
};

// One text as it went onto the page.
struct SheetText {
  QString text;       // what was to be shown
  QString shown;      // as drawn: the whole text, or its start cut with "…"
  QRect room;         // the place it may take: its column of the header, its cell
  QRect box;          // where it went: left, top, advance width, line height
  int pixelSize = 0;  // the size it was drawn at
};

struct SheetImage {
  QImage page;              // kSheetPageWidth x kSheetPageHeight, RGB32
  int titlePixelSize = 0;   // 47 unless a long title had to shrink
  int tableTop = 0;         // top of the heading band
  int tableBottom = 0;      // the frame's lowest pixel row
  QList<QStringList> rows;  // each table row's texts as drawn
  QList<SheetText> texts;   // every text, in the order drawn
  bool TableFits() const { return tableBottom < kSheetPageHeight; }
};

// The least size of a header line or a table cell: a text that is still too
// wide for its room at this size is cut. Titles stop shrinking at
// kLeastTitleSize.
inline constexpr int kLeastTextSize = 10;
inline constexpr int kLeastTitleSize = 12;

// The sheet's font (bold) at `pixelSize`, as the page draws it.
QFont SheetFont(int pixelSize);

// Draws the sheet of model.SheetKind in model.Language for the current race.
// Logos larger than kLogoBox are drawn shrunk into it. Every text keeps to
// its room: the title and subtitle to the content's width, each header line
// to its column, each cell to its cell; one that is wider shrinks a pixel at
// a time down to its least size, and is cut with "…" only below that. A
// penalty that is no number throws EConvertError.
SheetImage DrawSheetImage(const EventModel& model, const SheetLogos& logos, const QLocale& locale);

}  // namespace kivo
