#include "form_parts.h"

namespace drevlin {

QFont WindowFont(int pixelSize, bool bold) {
  return platform::FamilyFont(kWindowFontFamily, pixelSize, bold);
}

QLabel* PlaceLabel(QWidget* parent, const char* name, const QString& caption, int left, int top,
                   const QColor& color, bool bold) {
  auto* label = PlaceCaptioned<QLabel>(parent, name, caption, left, top, 0, 0);
  if (bold) label->setFont(WindowFont(12, true));
  platform::SetPaletteColor(label, QPalette::WindowText, color);
  label->adjustSize();
  return label;
}

QLineEdit* PlaceMemo(QWidget* parent, const char* name, int left, int top, int width, int height,
                     bool editable) {
  auto* memo = Place<QLineEdit>(parent, name, left, top, width, height);
  memo->setAlignment(Qt::AlignCenter);
  memo->setReadOnly(!editable);
  memo->setTextMargins(0, 0, 0, 0);
  return memo;
}

void SetMemoColors(QLineEdit* memo, const QColor& field, const QColor& text) {
  platform::SetPaletteColor(memo, QPalette::Base, field);
  platform::SetPaletteColor(memo, QPalette::Text, text);
}

}  // namespace drevlin
