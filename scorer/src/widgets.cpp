#include "widgets.h"

#include <optional>

#include <QFocusEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

namespace kivo {

// ---- PictureBox ----

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

void PictureBox::SetPicture(const QImage& picture) {
  picture_ = picture;
  update();
}

void PictureBox::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter painter(this);
  const QSize shown = picture_.size().scaled(size(), Qt::KeepAspectRatio);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(QRect(QPoint(0, 0), shown), picture_);
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
  QWidget::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

// ---- UpDown ----

UpDown::UpDown(QWidget* parent) : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  for (QToolButton* arrow : {up_, down_}) {
    arrow->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    arrow->setFocusPolicy(Qt::NoFocus);
  }
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(up_);
  layout->addWidget(down_);
  connect(up_, &QToolButton::clicked, this, [this] { Click(Button::Up); });
  connect(down_, &QToolButton::clicked, this, [this] { Click(Button::Down); });
}

void UpDown::SetPosition(int position) { position_ = std::clamp(position, minimum_, maximum_); }

void UpDown::SetRange(int minimum, int maximum) {
  minimum_ = minimum;
  maximum_ = maximum;
  SetPosition(position_);
}

void UpDown::Click(Button button) {
  int next = position_ + (button == Button::Up ? increment_ : -increment_);
  if (next > maximum_) next = wrap_ ? minimum_ : maximum_;
  if (next < minimum_) next = wrap_ ? maximum_ : minimum_;
  position_ = next;
  emit clicked(button);
}

// ---- TimePicker ----

namespace {

bool IsTimeSeparator(QChar c) {
  return c == QLatin1Char(':') || c == QLatin1Char('.') || c == QLatin1Char(' ');
}
bool IsAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// The hour, minute and second parts that `typed` gives, each of up to two
// digits; a part whose first digit leaves no room for a second is whole
// ("3" of an hour is 03). Empty when `typed` cannot be a time's beginning.
std::optional<QStringList> TypedTimeParts(const QString& typed) {
  QStringList parts{QString()};
  for (const QChar c : typed) {
    if (IsTimeSeparator(c)) {
      if (parts.last().isEmpty() || parts.size() == 3) return std::nullopt;
      parts.append(QString());
      continue;
    }
    if (!IsAsciiDigit(c)) return std::nullopt;
    if (parts.last().size() == 2) {
      if (parts.size() == 3) return std::nullopt;
      parts.append(QString());
    }
    const int limit = parts.size() == 1 ? 23 : 59;
    const QString part = parts.last() + c;
    if (part.toInt() > limit) return std::nullopt;
    parts.last() = part.size() == 1 && part.toInt() * 10 > limit ? QLatin1Char('0') + part : part;
  }
  return parts;
}

}  // namespace

TimePicker::TimePicker(QWidget* parent) : QTimeEdit(parent) {
  lineEdit()->installEventFilter(this);
  // A paste, or any other change of the text by the user.
  connect(lineEdit(), &QLineEdit::textEdited, this, [this] { edited_ = true; });
}

bool TimePicker::StartsWholeEntry() const {
  if (clicked_) return true;
  const QLineEdit* line = lineEdit();
  if (line->hasSelectedText()) return line->selectedText() == line->text();
  return fresh_;
}

void TimePicker::ShowTypedTime() {
  const QStringList parts = TypedTimeParts(typed_).value_or(QStringList());
  const auto part = [&parts](int index, int before) {
    return index < parts.size() && !parts[index].isEmpty() ? parts[index].toInt() : before;
  };
  shown_ = QTime(part(0, before_.hour()), part(1, before_.minute()), part(2, before_.second()));
  setTime(shown_);
  lineEdit()->deselect();
  if (parts.size() == 3 && parts.last().size() == 2) {
    // Whole: the next digit starts a new time.
    entering_ = false;
    selectAll();
  }
}

void TimePicker::ConfirmTyped() {
  if (!edited_) return;
  edited_ = false;
  emit timeEntered();
}

void TimePicker::Clicked() {
  clicked_ = true;
  fresh_ = false;
  entering_ = false;
}

void TimePicker::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
    case Qt::Key_AltGr:
      QTimeEdit::keyPressEvent(event);
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      entering_ = false;
      QTimeEdit::keyPressEvent(event);
      ConfirmTyped();
      return;
    default:
      break;
  }
  const QString text = event->text();
  const QChar typed = text.size() == 1 ? text.front() : QChar();
  const bool started = StartsWholeEntry();
  clicked_ = false;
  fresh_ = false;
  // A time set by the program meanwhile ("NOW") ends the entry.
  if (entering_ && time() != shown_) entering_ = false;
  if (!entering_ && IsAsciiDigit(typed) && started) {
    entering_ = true;
    before_ = time();
    typed_.clear();
  }
  if (entering_) {
    if (event->key() == Qt::Key_Backspace) {
      typed_.chop(1);
      ShowTypedTime();
      edited_ = true;
      return;
    }
    if (IsAsciiDigit(typed) || IsTimeSeparator(typed)) {
      if (TypedTimeParts(typed_ + typed)) {
        typed_ += typed;
        ShowTypedTime();
        edited_ = true;
      }
      return;
    }
    entering_ = false;
  }
  QTimeEdit::keyPressEvent(event);
}

// A click keeps its meaning through the focus that it brings, which may
// come after it (the window activated again when a message box closed).
void TimePicker::focusInEvent(QFocusEvent* event) {
  QTimeEdit::focusInEvent(event);
  fresh_ = true;
  entering_ = false;
}

void TimePicker::focusOutEvent(QFocusEvent* event) {
  QTimeEdit::focusOutEvent(event);
  clicked_ = false;
  entering_ = false;
  ConfirmTyped();
}

// A press on the arrows steps the time, and then the digits typed make a
// new one, as after a click into the field.
void TimePicker::mousePressEvent(QMouseEvent* event) {
  QTimeEdit::mousePressEvent(event);
  Clicked();
}

bool TimePicker::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lineEdit()) {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
        Clicked();
        break;
      case QEvent::MouseButtonDblClick:
        // A part picked: typed over as usual.
        clicked_ = false;
        entering_ = false;
        break;
      default:
        break;
    }
  }
  const bool handled = QTimeEdit::eventFilter(watched, event);
  // A part picked by dragging over it is typed over too.
  if (watched == lineEdit() && event->type() == QEvent::MouseButtonRelease && lineEdit()->hasSelectedText() &&
      lineEdit()->selectedText() != lineEdit()->text())
    clicked_ = false;
  return handled;
}

// ---- StringGrid ----

namespace {

// Reports every change of an edited cell's text, with the cell already
// holding the new text.
class GridEditDelegate : public QStyledItemDelegate {
 public:
  explicit GridEditDelegate(StringGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
      const int column = index.column();
      const int row = index.row();
      QObject::connect(line, &QLineEdit::textEdited, grid_, [this, column, row](const QString& text) {
        if (QTableWidgetItem* cell = grid_->item(row, column)) {
          const QSignalBlocker quiet(grid_);
          cell->setText(text);
        }
        emit grid_->editTextChanged(column, row, text);
      });
    }
    return editor;
  }

 private:
  StringGrid* grid_;
};

}  // namespace

StringGrid::StringGrid(int columns, int rows, QWidget* parent)
    : QTableWidget(rows, columns, parent), color_(Qt::white) {
  horizontalHeader()->hide();
  verticalHeader()->hide();
  setItemDelegate(new GridEditDelegate(this));
  setSelectionMode(QAbstractItemView::SingleSelection);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setEditTriggers(QAbstractItemView::AllEditTriggers);
  const QColor fixedColor(240, 240, 240);
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      auto* cell = new QTableWidgetItem();
      if (row == 0 || column == 0) {
        cell->setFlags(Qt::ItemIsEnabled);
        cell->setBackground(fixedColor);
      }
      setItem(row, column, cell);
    }
  }
}

QTableWidgetItem* StringGrid::ItemAt(int column, int row) {
  if (row < 0 || column < 0) return nullptr;
  if (row >= rowCount()) return nullptr;
  if (column >= columnCount()) return nullptr;
  return item(row, column);
}

QString StringGrid::Cells(int column, int row) const {
  const QTableWidgetItem* cell = item(row, column);
  return cell != nullptr ? cell->text() : QString();
}

void StringGrid::SetCells(int column, int row, const QString& text) {
  if (QTableWidgetItem* cell = ItemAt(column, row)) cell->setText(text);
}

void StringGrid::SetShownRows(int shownRows) {
  for (int row = 0; row < rowCount(); ++row) setRowHidden(row, row >= shownRows);
}

void StringGrid::SetDefaultColumnWidth(int width) {
  horizontalHeader()->setMinimumSectionSize(1);
  horizontalHeader()->setDefaultSectionSize(width);
  for (int column = 0; column < columnCount(); ++column) setColumnWidth(column, width);
}

void StringGrid::SetDefaultRowHeight(int height) {
  verticalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setDefaultSectionSize(height);
  for (int row = 0; row < rowCount(); ++row) setRowHeight(row, height);
}

void StringGrid::SetColor(const QColor& color) {
  color_ = color;
  QPalette colors = palette();
  colors.setColor(QPalette::Base, color);
  colors.setColor(QPalette::Disabled, QPalette::Base, color);
  setPalette(colors);
}

}  // namespace kivo
