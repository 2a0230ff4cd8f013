#include "qt/fonts.h"

#include <QString>

namespace platform {

void InstallFontSubstitutions() {
  QFont::insertSubstitution(QString::fromUtf8(kMeiryoFamily), QStringLiteral("Noto Sans CJK JP"));
  QFont::insertSubstitution(QString::fromUtf8(kProportionalGothicFamily), QStringLiteral("Noto Sans CJK JP"));
  QFont::insertSubstitution(QString::fromUtf8(kGothicFamily), QStringLiteral("Noto Sans Mono CJK JP"));
}

QFont FamilyFont(const char* family, int pixelSize, bool bold) {
  QFont font(QString::fromUtf8(family));
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

QFont FixedPitchFont(int pixelSize) {
  QFont font = FamilyFont(kGothicFamily, pixelSize, false);
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  return font;
}

}  // namespace platform
