#include "form_building.h"

#include <QFont>

namespace kivo {

QFont WindowFont() { return platform::FamilyFont(kWindowFontFamily, 19, true); }

QLabel* PlaceLabel(QWidget* parent, const char* name, const QString& caption, int left, int top, int width,
                   int height) {
  auto* label = PlaceCaptioned<QLabel>(parent, name, caption, left, top, width, height);
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  return label;
}

}  // namespace kivo
