#include "sheet_image_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include "core/sheet_image_text.h"
#include "form_building.h"

namespace kivo {
namespace {

constexpr int kLeft = 30;           // left margin
constexpr int kContentWidth = 960;  // x 30 to 990
constexpr int kSecondColumn = 520;  // header lines 1 and 2
constexpr int kColumnGap = 10;      // between the two header columns
constexpr int kLogoTop = 20;
constexpr int kLineStep = 25;
constexpr int kRowHeight = 35;
constexpr int kCellIndent = 8;  // left-aligned cells
constexpr int kCellMargin = 2;  // air between a cell's text and its lines
const QColor kBandGrey(128, 128, 128);
const QColor kRuleGrey(192, 192, 192);

// Point sizes become pixels at 96 dpi, rounded as MulDiv rounds.
constexpr int PixelSize(int points) { return (points * 96 + 36) / 72; }
constexpr int kTitleSize = PixelSize(35);
constexpr int kSubtitleSize = PixelSize(25);
constexpr int kHeaderSize = PixelSize(14);
constexpr int kHeadingSize = PixelSize(12);
constexpr int kResultRowSize = PixelSize(11);
constexpr int kScratchRowSize = PixelSize(12);
static_assert(kLeastTextSize <= kResultRowSize && kLeastTitleSize <= kSubtitleSize);

// Text is placed by its top-left corner, as the page's layout counts it.
// Every text drawn is kept with its room and its box.
class SheetPainter {
 public:
  SheetPainter(QImage* page, QList<SheetText>* drawn) : painter_(page), drawn_(drawn) {
    font_ = SheetFont(kTitleSize);
    painter_.setBackground(Qt::white);
    painter_.setFont(font_);
  }

  void SetSize(int pixels) {
    font_.setPixelSize(pixels);
    painter_.setFont(font_);
  }
  int Size() const { return font_.pixelSize(); }
  int Width(const QString& text) const { return painter_.fontMetrics().horizontalAdvance(text); }
  int Height() const { return painter_.fontMetrics().height(); }
  // Opaque texts fill their cell with white first.
  void SetOpaque(bool opaque) { painter_.setBackgroundMode(opaque ? Qt::OpaqueMode : Qt::TransparentMode); }
  void SetColour(const QColor& colour) { painter_.setPen(colour); }

  // `text` made to fit `room` pixels wide: the size steps down a pixel at a
  // time from `size` to `least`, and a text too wide even then is cut with
  // "…". The painter is left at the size found.
  QString Fit(const QString& text, int size, int least, int room) {
    for (; size > least; --size) {
      SetSize(size);
      if (Width(text) <= room) return text;
    }
    SetSize(least);
    if (Width(text) <= room) return text;
    // The cut counts fractions of pixels that the whole-pixel width may
    // round up: cut again, shorter, until it fits.
    QString shown = text;
    for (int limit = room; limit > 0 && Width(shown) > room; --limit)
      shown = painter_.fontMetrics().elidedText(text, Qt::ElideRight, limit);
    return shown;
  }

  // Draws `shown` (fitted from `text`) at x on the baseline that a text of
  // `lineSize` with its top at y has, so a text that had to shrink stays on
  // the line of its neighbours, and keeps it.
  void Text(int x, int y, int lineSize, const QString& text, const QString& shown, const QRect& room) {
    const int baseline = y + QFontMetrics(SheetFont(lineSize)).ascent();
    painter_.drawText(QPoint(x, baseline), shown);
    const QRect box(x, baseline - painter_.fontMetrics().ascent(), Width(shown), Height());
    drawn_->append({text, shown, room, box, Size()});
  }
  // Pixels x..x+width-1, y..y+height-1.
  void Fill(int x, int y, int width, int height, const QColor& colour) {
    painter_.fillRect(QRect(x, y, width, height), colour);
  }
  void Image(int x, int y, const QImage& image) { painter_.drawImage(QPoint(x, y), image); }

 private:
  QPainter painter_;
  QFont font_;
  QList<SheetText>* drawn_;
};

// A text left-aligned at the left of `room`, fitted into it.
void LeftText(SheetPainter& painter, const QRect& room, const QString& text, int size) {
  const QString shown = painter.Fit(text, size, kLeastTextSize, room.width());
  painter.Text(room.left(), room.top(), size, text, shown, room);
}

// A centred text above the table, fitted to the content's width: the half of
// the spare width is cut. Returns its height.
int CentredLine(SheetPainter& painter, int y, const QString& text, int size) {
  const QString shown = painter.Fit(text, size, kLeastTitleSize, kContentWidth);
  const QRect room(kLeft, y, kContentWidth, painter.Height());
  painter.Text(kLeft + (kContentWidth - painter.Width(shown)) / 2, y, painter.Size(), text, shown, room);
  return painter.Height();
}

int DrawLogos(SheetPainter& painter, const SheetLogos& logos) {
  int tallest = 0;
  const auto draw = [&](const QImage& logo, auto left) {
    if (logo.isNull()) return;
    const QSize size = FittedLogoSize(logo.size());
    const QImage fitted =
        size == logo.size() ? logo : logo.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    painter.Image(left(size.width()), kLogoTop, fitted);
    tallest = std::max(tallest, size.height());
  };
  draw(logos.left, [](int) { return kLeft; });
  draw(logos.middle, [](int width) { return kLeft + (kContentWidth - width) / 2; });
  draw(logos.right, [](int width) { return kLeft + kContentWidth - width; });
  return tallest;
}

// Returns the top of line 7. Lines 1 and 2 hold two texts, each kept to its
// own column; the others take the content's width.
int DrawHeader(SheetPainter& painter, const SheetHeader& header, int line1) {
  const auto leftColumn = [](int y) {
    return QRect(kLeft, y, kSecondColumn - kColumnGap - kLeft, kLineStep);
  };
  const auto rightColumn = [](int y) {
    return QRect(kSecondColumn, y, kLeft + kContentWidth - kSecondColumn, kLineStep);
  };
  const auto wholeLine = [](int y) { return QRect(kLeft, y, kContentWidth, kLineStep); };
  LeftText(painter, leftColumn(line1), header.left[0], kHeaderSize);
  LeftText(painter, rightColumn(line1), header.issued, kHeaderSize);
  const int line2 = line1 + kLineStep;
  LeftText(painter, leftColumn(line2), header.left[1], kHeaderSize);
  LeftText(painter, rightColumn(line2), header.jury, kHeaderSize);
  // The rule under the committee member, one pixel, its end pixel left out.
  painter.Fill(620, line2 + 80, 200, 1, kBandGrey);
  int y = line2;
  for (int line = 3; line <= 7; ++line) {
    y += kLineStep;
    LeftText(painter, wholeLine(y), header.left[static_cast<std::size_t>(line - 1)], kHeaderSize);
  }
  return y;
}

void DrawTableFrame(SheetPainter& painter, const std::vector<SheetColumn>& columns, int top, int rows) {
  const int height = (rows + 1) * kRowHeight;
  painter.Fill(kLeft, top, kContentWidth, kRowHeight, kBandGrey);
  // The frame's right and bottom edges lie one pixel inside its corner
  // coordinates; lines leave out their end pixel.
  painter.Fill(kLeft, top, kContentWidth, 1, kRuleGrey);
  painter.Fill(kLeft, top + height - 1, kContentWidth, 1, kRuleGrey);
  painter.Fill(kLeft, top, 1, height, kRuleGrey);
  painter.Fill(kLeft + kContentWidth - 1, top, 1, height, kRuleGrey);
  for (int k = 1; k <= rows; ++k) painter.Fill(kLeft, top + k * kRowHeight, kContentWidth, 1, kRuleGrey);
  for (std::size_t c = 1; c < columns.size(); ++c)
    painter.Fill(kLeft + columns[c].offset, top, 1, height, kRuleGrey);
}

enum class Placement { Left, Centred, CentredTruncated };

// One cell's text at `size` in the row whose top line is `rowTop`, fitted
// between the cell's lines (after the indent of a left-aligned one). Returns
// the text as drawn.
QString DrawCell(SheetPainter& painter, const SheetColumn& column, int rowTop, const QString& text, int size,
                 Placement placement) {
  const int cellLeft = kLeft + column.offset;
  const int indent = placement == Placement::Left ? kCellIndent : kCellMargin;
  const QRect room(cellLeft + indent, rowTop + 1, column.width - indent - kCellMargin, kRowHeight - 1);
  const QString shown = painter.Fit(text, size, kLeastTextSize, room.width());
  const int width = painter.Width(shown);
  int x = room.left();
  if (placement == Placement::Centred)
    x = cellLeft + static_cast<int>(std::nearbyint((column.width - width) / 2.0));
  else if (placement == Placement::CentredTruncated)
    x = cellLeft + (column.width - width) / 2;
  painter.Text(x, rowTop + 6, size, text, shown, room);
  return shown;
}

QStringList DrawResultRow(SheetPainter& painter, const EventModel& model, int entry, int rowTop,
                          const QLocale& locale) {
  const std::vector<SheetColumn>& columns = SheetColumns(kResultSheet);
  QStringList texts = ResultRowTexts(model, entry, locale);
  for (int c = 0; c < texts.size(); ++c)
    texts[c] = DrawCell(painter, columns[c], rowTop, texts[c], kResultRowSize,
                        c == 0 ? Placement::Left : Placement::Centred);
  return texts;
}

QStringList DrawScratchRow(SheetPainter& painter, const EventModel& model, int entry, int rowTop) {
  const std::vector<SheetColumn>& columns = SheetColumns(kScratchSheet);
  QStringList texts = ScratchRowTexts(model, entry);
  for (int c = 0; c < texts.size(); ++c) {
    // The allowances as the module wrote them, unless one is too wide for
    // its cell: then with one decimal, as the web page shows them all.
    painter.SetSize(kScratchRowSize);
    if (c >= 4 && painter.Width(texts[c]) > columns[c].width - 2 * kCellMargin)
      texts[c] = OneDecimalAllowance(texts[c]);
    const bool leftAligned = c == 0 || c == 2;  // name and type
    texts[c] = DrawCell(painter, columns[c], rowTop, texts[c], kScratchRowSize,
                        leftAligned ? Placement::Left : Placement::Centred);
  }
  return texts;
}

}  // namespace

SheetImage DrawSheetImage(const EventModel& model, const SheetLogos& logos, const QLocale& locale) {
  SheetImage sheet;
  sheet.page = QImage(kSheetPageWidth, kSheetPageHeight, QImage::Format_RGB32);
  sheet.page.fill(Qt::white);
  SheetPainter painter(&sheet.page, &sheet.texts);
  const int kind = model.SheetKind == kResultSheet ? kResultSheet : kScratchSheet;

  int y = kLogoTop + DrawLogos(painter, logos) + 30;

  // Texts above the table sit on white, so nothing drawn before shows through.
  painter.SetOpaque(true);
  painter.SetColour(Qt::black);
  y += CentredLine(painter, y, model.EventName, kTitleSize) + 15;
  sheet.titlePixelSize = sheet.texts.back().pixelSize;
  y += CentredLine(painter, y, SheetSubtitle(kind, model.Language, model.Provisional == 1), kSubtitleSize) +
       30;

  const int line7 = DrawHeader(painter, SheetHeaderTexts(model, locale), y);

  // Result rows in result order, scratch rows in entry order.
  std::vector<int> entries;
  if (kind == kResultSheet) {
    entries = ResultSheetEntries(model);
  } else {
    for (int entry = 1; entry <= SheetRowCount(model); ++entry) entries.push_back(entry);
  }
  const std::vector<SheetColumn>& columns = SheetColumns(kind);
  const int rows = static_cast<int>(entries.size());
  const int top = line7 + 40;
  sheet.tableTop = top;
  sheet.tableBottom = top + (rows + 1) * kRowHeight - 1;
  DrawTableFrame(painter, columns, top, rows);

  painter.SetOpaque(false);
  painter.SetColour(Qt::white);
  const QStringList headings = SheetHeadings(kind, model.Language);
  for (int c = 0; c < headings.size(); ++c)
    DrawCell(painter, columns[c], top, headings[c], kHeadingSize, Placement::CentredTruncated);

  painter.SetColour(Qt::black);
  for (int i = 1; i <= rows; ++i) {
    const int rowTop = top + kRowHeight * i;
    const int entry = entries[static_cast<std::size_t>(i - 1)];
    sheet.rows << (kind == kResultSheet ? DrawResultRow(painter, model, entry, rowTop, locale)
                                        : DrawScratchRow(painter, model, entry, rowTop));
  }
  return sheet;
}

QFont SheetFont(int pixelSize) {
  InstallFontSubstitutions();
  return platform::FamilyFont(kWindowFontFamily, pixelSize, true);
}

}  // namespace kivo
