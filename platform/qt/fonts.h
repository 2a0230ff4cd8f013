#pragma once
// The Windows font families that the windows and sheets name, mapped to the
// Japanese fonts that come with the programs' dependencies (fonts-noto-cjk),
// so that every machine shows the same.
#include <QFont>

namespace platform {

inline constexpr char kMeiryoFamily[] = "メイリオ";
inline constexpr char kProportionalGothicFamily[] = "ＭＳ Ｐゴシック";
inline constexpr char kGothicFamily[] = "ＭＳ ゴシック";  // fixed pitch

// Maps the three families above; safe to call more than once.
void InstallFontSubstitutions();

// A font of `family` (UTF-8; one of the above in the windows and sheets) at
// a pixel size, bold or not: the one way the programs make their fonts, so
// that a font never depends on the screen's dots per inch.
QFont FamilyFont(const char* family, int pixelSize, bool bold);

// The fixed-pitch family at a pixel size, not bold.
QFont FixedPitchFont(int pixelSize);

}  // namespace platform
