#include "widgets.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

namespace kivo {

// ---- ClickablePanel ----

ClickablePanel::ClickablePanel(QWidget* parent) : QLabel(parent) {
  setAlignment(Qt::AlignCenter);
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setLineWidth(1);
  setAutoFillBackground(true);
}

QColor ClickablePanel::Color() const { return palette().color(QPalette::Window); }

void ClickablePanel::SetColor(const QColor& color) {
  QPalette colors = palette();
  colors.setColor(QPalette::Window, color);
  setPalette(colors);
}

void ClickablePanel::SetFontColor(const QColor& color) {
  QPalette colors = palette();
  colors.setColor(QPalette::WindowText, color);
  setPalette(colors);
}

void ClickablePanel::SetFlat(bool flat) {
  setFrameStyle(flat ? QFrame::NoFrame : (QFrame::Panel | QFrame::Raised));
}

void ClickablePanel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
    emit clicked();
}

void ClickablePanel::mouseMoveEvent(QMouseEvent* event) {
  QLabel::mouseMoveEvent(event);
  emit mouseMoved();
}

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
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
    emit clicked();
}

// ---- UpDown ----

UpDown::UpDown(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
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
