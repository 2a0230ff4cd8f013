#include "qt/fonts.h"

#include <QString>

namespace platform {

void InstallFontSubstitutions() {
  QFont::insertSubstitution(QString::fromUtf8(kMeiryoFamily), QStringLiteral("Noto Sans CJK JP"));
  QFont::insertSubstitution(QString::fromUtf8(kProportionalGothicFamily), QStringLiteral("Noto Sans CJK JP"));
  QFont::insertSubstitution(QString::fromUtf8(kGothicFamily), QStringLiteral("Noto Sans Mono CJK JP"));
}

QFont FixedPitchFont(int pixelSize) {
  QFont font(QString::fromUtf8(kGothicFamily));
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  font.setBold(false);
  font.setPixelSize(pixelSize);
  return font;
}

}  // namespace platform
