#pragma once
// The named colours that the windows give their components, with the values
// of the Windows palette, and giving a widget one of them.
#include <QColor>
#include <QPalette>
#include <QWidget>

namespace platform {

// A window's building code says `using namespace platform::colors;` and
// names them as its component lists do.
namespace colors {

inline constexpr QColor kWhite(255, 255, 255);
inline constexpr QColor kRed(255, 0, 0);
inline constexpr QColor kGreen(0, 128, 0);
inline constexpr QColor kBlue(0, 0, 255);
inline constexpr QColor kYellow(255, 255, 0);
inline constexpr QColor kSilver(192, 192, 192);
inline constexpr QColor kSkyBlue(166, 202, 240);
inline constexpr QColor kMediumGrey(160, 160, 164);
// The system colours of a button: its face, and its shadow, which is the
// medium grey.
inline constexpr QColor kButtonFace(240, 240, 240);
inline constexpr QColor kButtonShadow = kMediumGrey;

}  // namespace colors

// Gives `widget` `color` in `role` (its background, its text, its field),
// keeping the rest of its palette.
void SetPaletteColor(QWidget* widget, QPalette::ColorRole role, const QColor& color);

}  // namespace platform
