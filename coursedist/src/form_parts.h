#pragma once
// Small helpers that create a component of the window under its given name
// at its given place, the window's colours and its fonts.
#include <QColor>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QWidget>

#include "qt/colors.h"
#include "qt/fonts.h"
#include "qt/place.h"

namespace drevlin {

// The window's components take the platform's named colours.
using namespace platform::colors;

// The window's proportional font; the point list uses the platform's
// fixed-pitch font. Both families are mapped at start.
inline constexpr const char* kWindowFontFamily = platform::kProportionalGothicFamily;
using platform::FixedPitchFont;
using platform::InstallFontSubstitutions;
QFont WindowFont(int pixelSize = 12, bool bold = false);

using platform::Place;
using platform::PlaceCaptioned;

// A label at (left, top) sized to its caption, as the window's labels are;
// in the window's font, bold when asked.
QLabel* PlaceLabel(QWidget* parent, const char* name, const QString& caption, int left, int top,
                   const QColor& color, bool bold = false);

// A one-line memo: centred text, read-only unless `editable`.
QLineEdit* PlaceMemo(QWidget* parent, const char* name, int left, int top, int width, int height,
                     bool editable = false);

// Colours a memo's field and text.
void SetMemoColors(QLineEdit* memo, const QColor& field, const QColor& text);

}  // namespace drevlin
