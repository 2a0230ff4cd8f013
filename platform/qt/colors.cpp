#include "qt/colors.h"

namespace platform {

void SetPaletteColor(QWidget* widget, QPalette::ColorRole role, const QColor& color) {
  QPalette palette = widget->palette();
  palette.setColor(role, color);
  widget->setPalette(palette);
}

}  // namespace platform
