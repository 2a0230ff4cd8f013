#include "form_parts.h"

namespace drevlin {

QFont WindowFont(int pixelSize, bool bold) {
  QFont font(QString::fromUtf8(kWindowFontFamily));
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

QLabel* PlaceLabel(QWidget* parent, const char* name, const QString& caption, int left, int top,
                   const QColor& color, bool bold) {
  auto* label = Place<QLabel>(parent, name, left, top, 0, 0);
  label->setText(caption);
  if (bold) label->setFont(WindowFont(12, true));
  QPalette colors = label->palette();
  colors.setColor(QPalette::WindowText, color);
  label->setPalette(colors);
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
  QPalette colors = memo->palette();
  colors.setColor(QPalette::Base, field);
  colors.setColor(QPalette::Text, text);
  memo->setPalette(colors);
}

}  // namespace drevlin
