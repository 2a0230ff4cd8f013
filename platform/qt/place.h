#pragma once
// Creating a window's component under its given name at its given place, so
// that a window's building code reads like its component list.
#include <QString>
#include <QWidget>
#include <utility>

namespace platform {

// Creates a W under `parent` with objectName `name` at (left, top) with
// width by height; `args` go before the parent in W's constructor.
template <class W, class... Args>
W* Place(QWidget* parent, const char* name, int left, int top, int width, int height, Args&&... args) {
  auto* widget = new W(std::forward<Args>(args)..., parent);
  widget->setObjectName(QString::fromUtf8(name));
  widget->setGeometry(left, top, width, height);
  return widget;
}

// Place, for a widget with a caption (label, push or radio button).
template <class W>
W* PlaceCaptioned(QWidget* parent, const char* name, const QString& caption, int left, int top, int width,
                  int height) {
  W* widget = Place<W>(parent, name, left, top, width, height);
  widget->setText(caption);
  return widget;
}

}  // namespace platform
