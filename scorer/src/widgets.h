#pragma once
// The few controls of the window that Qt has no direct counterpart for: a
// panel with a caption that can be clicked, a picture box, an up-down
// control, a string grid, and a time picker that takes a time typed whole.
#include <QColor>
#include <QImage>
#include <QLabel>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTime>
#include <QTimeEdit>
#include <QWidget>

#include "qt/panel.h"

class QToolButton;

namespace kivo {

// A panel with a caption that can be clicked: the platform's panel.
using ClickablePanel = platform::Panel;

// A picture box: shows its picture stretched into the box with its
// proportions kept, from the top left corner; shows nothing (lets its parent
// show through) when empty; reports clicks.
class PictureBox : public QWidget {
  Q_OBJECT

 public:
  explicit PictureBox(QWidget* parent = nullptr);

  const QImage& Picture() const { return picture_; }
  void SetPicture(const QImage& picture);
  void Clear() { SetPicture(QImage()); }
  bool IsEmpty() const { return picture_.isNull(); }
  void Click() { emit clicked(); }

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QImage picture_;
};

// An up-down control: two arrow buttons over a position of its own (not
// shown), kept within its range; each click moves the position by one step
// and then reports the click.
class UpDown : public QWidget {
  Q_OBJECT

 public:
  enum class Button { Up, Down };

  explicit UpDown(QWidget* parent = nullptr);

  int Position() const { return position_; }
  void SetPosition(int position);  // kept within the range
  void SetRange(int minimum, int maximum);
  int Minimum() const { return minimum_; }
  int Maximum() const { return maximum_; }
  void SetIncrement(int increment) { increment_ = increment; }
  void SetWrap(bool wrap) { wrap_ = wrap; }

  // What a click on an arrow does.
  void Click(Button button);

 signals:
  void clicked(kivo::UpDown::Button button);

 private:
  QToolButton* up_;
  QToolButton* down_;
  int position_ = 0;
  int minimum_ = 0;
  int maximum_ = 100;
  int increment_ = 1;
  bool wrap_ = false;
};

// A time picker that also takes a time typed whole. After a click anywhere
// on it (into the field or on its arrows), after the focus came with the
// cursor placed and nothing selected, or with all of its text selected, the
// digits typed fill hour, minute and second in turn, as "120145" or
// "12:01:45" (":", "." or a blank end a part early, "9:5:0"), each shown at
// once; Backspace takes the last one back. A digit that cannot fit its part
// is not taken. Any other key ends such an entry and does its usual work:
// the arrow keys step the part under the cursor, and a part selected by a
// double-click or a drag, or reached by Tab, is typed over as usual.
//
// A time typed (or pasted) and then confirmed by Enter or by leaving the
// field is reported by timeEntered, also when it is the time shown before.
class TimePicker : public QTimeEdit {
  Q_OBJECT

 public:
  explicit TimePicker(QWidget* parent = nullptr);

 signals:
  void timeEntered();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool StartsWholeEntry() const;
  // The time that the keys typed so far give, from the time before them.
  void ShowTypedTime();
  // Reports a typed time once, when it is confirmed.
  void ConfirmTyped();
  // A single click anywhere on the picker: the next digit starts a time.
  void Clicked();

  bool clicked_ = false;   // a single click, and no key since
  bool fresh_ = false;     // the focus came, and no key or click since
  bool entering_ = false;  // a time is being typed whole
  bool edited_ = false;    // keys typed or text pasted since the last confirmation
  QTime before_;           // the time when the entry began
  QTime shown_;            // the time the entry shows
  QString typed_;          // digits and separators taken so far
};

// A string grid: cells addressed as Cells(column, row) with row 0 the
// heading row and column 0 the fixed column (both not editable). Rows may
// exist beyond those shown (hidden). While a cell is edited every change of
// its text is reported, as the user types.
class StringGrid : public QTableWidget {
  Q_OBJECT

 public:
  StringGrid(int columns, int rows, QWidget* parent = nullptr);

  QString Cells(int column, int row) const;
  void SetCells(int column, int row, const QString& text);
  // Rows from `shownRows` on are kept but not shown.
  void SetShownRows(int shownRows);
  void SetDefaultColumnWidth(int width);
  void SetDefaultRowHeight(int height);
  void SetColor(const QColor& color);
  QColor Color() const { return color_; }

 signals:
  // The text of a cell changed while being edited (each key), or its edit
  // was committed.
  void editTextChanged(int column, int row, const QString& text);

 private:
  QTableWidgetItem* ItemAt(int column, int row);
  QColor color_;
};

}  // namespace kivo
