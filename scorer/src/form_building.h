#pragma once
// Small helpers that create a component under its given name at its given
// place, so that the page files read like the window's component lists.
#include <QLabel>
#include <QString>
#include <QWidget>

#include "qt/colors.h"
#include "qt/fonts.h"
#include "qt/place.h"

namespace kivo {

// The window's components take the platform's named colours.
using namespace platform::colors;

// The font of the whole window; the boat summary and details use the
// platform's fixed-pitch font. Both families are mapped at start.
inline constexpr const char* kWindowFontFamily = platform::kMeiryoFamily;
using platform::FixedPitchFont;
using platform::InstallFontSubstitutions;
QFont WindowFont();

using platform::Place;
using platform::PlaceCaptioned;

// A label with its caption; left-aligned and vertically centred.
QLabel* PlaceLabel(QWidget* parent, const char* name, const QString& caption, int left, int top, int width,
                   int height);

}  // namespace kivo
