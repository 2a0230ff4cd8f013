#include "form_building.h"

#include <QFont>

namespace kivo {

QFont WindowFont() { return platform::FamilyFont(kWindowFontFamily, 19, true); }

QLabel* PlaceLabel(QWidget* parent, const char* name, const QString& caption, int left, int top,
                   int width, int height) {
  auto* label = Place<QLabel>(parent, name, left, top, width, height);
  label->setText(caption);
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  return label;
}

}  // namespace kivo
