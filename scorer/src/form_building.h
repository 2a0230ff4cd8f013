#pragma once
// Small helpers that create a component under its given name at its given
// place, so that the page files read like the window's component lists.
#include <QColor>
#include <QLabel>
#include <QString>
#include <QWidget>

#include "qt/fonts.h"
#include "qt/place.h"

namespace kivo {

// Colours of the window's components.
inline const QColor kButtonFace(240, 240, 240);
inline const QColor kSkyBlue(166, 202, 240);
inline const QColor kSilver(192, 192, 192);
inline const QColor kYellow(255, 255, 0);
inline const QColor kBlue(0, 0, 255);
inline const QColor kRed(255, 0, 0);
inline const QColor kWhite(255, 255, 255);
inline const QColor kMediumGrey(160, 160, 164);

// The font of the whole window; the boat summary and details use the
// platform's fixed-pitch font. Both families are mapped at start.
inline constexpr const char* kWindowFontFamily = platform::kMeiryoFamily;
using platform::FixedPitchFont;
using platform::InstallFontSubstitutions;
QFont WindowFont();

using platform::Place;

// A label with its caption; left-aligned and vertically centred.
QLabel* PlaceLabel(QWidget* parent, const char* name, const QString& caption, int left, int top,
                   int width, int height);

}  // namespace kivo
