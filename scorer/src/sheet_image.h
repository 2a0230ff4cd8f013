#pragma once
// The image sheet: the result or the scratch sheet of the current race drawn
// as one portrait page of fixed size, the same on every machine (fonts in
// pixels, not points of the screen).
//
//   SheetLogos logos;  // null images where the event has no logo
//   const SheetImage sheet = DrawSheetImage(model, logos, platform::UserLocale());
//   if (sheet.TableFits()) platform::EncodeJpegFile(sheet.page, path, 90);
#include <QImage>
#include <QList>
#include <QLocale>
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

struct SheetImage {
  QImage page;              // kSheetPageWidth x kSheetPageHeight, RGB32
  int titlePixelSize = 0;   // 47 unless a long title had to shrink
  int tableTop = 0;         // top of the heading band
  int tableBottom = 0;      // the frame's lowest pixel row
  QList<QStringList> rows;  // each table row's texts as drawn
  bool TableFits() const { return tableBottom < kSheetPageHeight; }
};

// Draws the sheet of model.SheetKind in model.Language for the current race.
// Logos larger than kLogoBox are drawn shrunk into it; a title or subtitle
// wider than the page's content is drawn smaller until it fits; a cell text
// never reaches into its neighbours. A penalty that is no number throws
// EConvertError.
SheetImage DrawSheetImage(const EventModel& model, const SheetLogos& logos,
                          const QLocale& locale);

// Reads the logo named `name` from `path` by the format its name announces
// (SheetLogoFormatOf). True with a null image for a name that draws nothing;
// false, with the reason in `error`, when the file is missing or unreadable.
bool LoadSheetLogo(const QString& name, const QString& path, QImage* logo, QString* error);

}  // namespace kivo
