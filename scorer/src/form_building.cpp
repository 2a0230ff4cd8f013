#include "form_building.h"

#include <QFont>

namespace kivo {

void InstallFontSubstitutions() {
  // The same fonts on every machine: the window's family and the
  // fixed-pitch family mapped to the Japanese fonts that come with the
  // program's dependencies.
  QFont::insertSubstitution(QString::fromUtf8(kWindowFontFamily), QStringLiteral("Noto Sans CJK JP"));
  QFont::insertSubstitution(QString::fromUtf8(kFixedFontFamily),
                            QStringLiteral("Noto Sans Mono CJK JP"));
}

QFont WindowFont() {
  QFont font(QString::fromUtf8(kWindowFontFamily));
  font.setBold(true);
  font.setPixelSize(19);
  return font;
}

QFont FixedPitchFont(int pixelSize) {
  QFont font(QString::fromUtf8(kFixedFontFamily));
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  font.setBold(false);
  font.setPixelSize(pixelSize);
  return font;
}

QLabel* PlaceLabel(QWidget* parent, const char* name, const QString& caption, int left, int top,
                   int width, int height) {
  auto* label = Place<QLabel>(parent, name, left, top, width, height);
  label->setText(caption);
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  return label;
}

}  // namespace kivo
