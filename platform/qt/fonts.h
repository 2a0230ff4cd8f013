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

// The fixed-pitch family at a pixel size, not bold.
QFont FixedPitchFont(int pixelSize);

}  // namespace platform
