#include "qt/panel.h"

#include <QMouseEvent>

#include "qt/colors.h"

namespace platform {

Panel::Panel(QWidget* parent) : QLabel(parent) {
  setAlignment(Qt::AlignCenter);
  SetFlat(false);
  setLineWidth(1);
  setAutoFillBackground(true);
}

void Panel::SetColor(const QColor& color) { SetPaletteColor(this, QPalette::Window, color); }

void Panel::SetFontColor(const QColor& color) { SetPaletteColor(this, QPalette::WindowText, color); }

void Panel::SetFlat(bool flat) { setFrameStyle(flat ? QFrame::NoFrame : (QFrame::Panel | QFrame::Raised)); }

void Panel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

void Panel::mouseMoveEvent(QMouseEvent* event) {
  QLabel::mouseMoveEvent(event);
  emit mouseMoved();
}

}  // namespace platform
