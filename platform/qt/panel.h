#pragma once
// A panel: a raised frame with a centred caption and colours of its own,
// whose children are placed on it by absolute geometry, and which reports
// clicks (a panel that serves as a button, such as a close box) and mouse
// moves over it (a hint that follows the pointer).
#include <QColor>
#include <QLabel>

namespace platform {

class Panel : public QLabel {
  Q_OBJECT

 public:
  explicit Panel(QWidget* parent = nullptr);

  QString Caption() const { return text(); }
  void SetCaption(const QString& caption) { setText(caption); }
  QColor Color() const { return palette().color(QPalette::Window); }
  void SetColor(const QColor& color);
  void SetFontColor(const QColor& color);
  // No frame: a plain coloured area.
  void SetFlat(bool flat);

  // What a user's click does; for tests and for code that clicks.
  void Click() { emit clicked(); }

 signals:
  void clicked();
  void mouseMoved();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
};

}  // namespace platform
