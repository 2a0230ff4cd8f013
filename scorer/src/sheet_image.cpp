#include "sheet_image.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include <QFont>
#include <QFontMetrics>
#include <QImageReader>
#include <QPainter>

#include "core/sheet_image_text.h"
#include "form_building.h"
#include "qt/jpeg.h"

namespace kivo {
namespace {

constexpr int kLeft = 30;            // left margin
constexpr int kContentWidth = 960;   // x 30 to 990
constexpr int kSecondColumn = 520;   // header lines 1 and 2
constexpr int kLogoTop = 20;
constexpr int kLineStep = 25;
constexpr int kRowHeight = 35;
constexpr int kCellIndent = 8;       // left-aligned cells
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
constexpr int kSmallSize = PixelSize(9);  // also the least a long title shrinks to

// Text is placed by its top-left corner, as the page's layout counts it.
class SheetPainter {
 public:
  explicit SheetPainter(QImage* page) : painter_(page) {
    InstallFontSubstitutions();
    font_ = QFont(QString::fromUtf8(kWindowFontFamily));
    font_.setBold(true);
    painter_.setBackground(Qt::white);
    SetSize(kTitleSize);
  }

  void SetSize(int pixels) {
    font_.setPixelSize(pixels);
    painter_.setFont(font_);
  }
  int Size() const { return font_.pixelSize(); }
  int Width(const QString& text) const { return painter_.fontMetrics().horizontalAdvance(text); }
  int Height() const { return painter_.fontMetrics().height(); }
  QString Elided(const QString& text, int width) const {
    return painter_.fontMetrics().elidedText(text, Qt::ElideRight, width);
  }
  // Opaque texts fill their cell with white first.
  void SetOpaque(bool opaque) { painter_.setBackgroundMode(opaque ? Qt::OpaqueMode : Qt::TransparentMode); }
  void SetColour(const QColor& colour) { painter_.setPen(colour); }

  void Text(int x, int y, const QString& text) {
    painter_.drawText(QPoint(x, y + painter_.fontMetrics().ascent()), text);
  }
  void ClippedText(const QRect& clip, int x, int y, const QString& text) {
    painter_.setClipRect(clip);
    Text(x, y, text);
    painter_.setClipping(false);
  }
  // Pixels x..x+width-1, y..y+height-1.
  void Fill(int x, int y, int width, int height, const QColor& colour) {
    painter_.fillRect(QRect(x, y, width, height), colour);
  }
  void Image(int x, int y, const QImage& image) { painter_.drawImage(QPoint(x, y), image); }

 private:
  QPainter painter_;
  QFont font_;
};

// The size at which `text` fits the content width, from `size` down to the
// smallest size of the sheet; left set on the painter. A text that does not
// fit even then is cut with an ellipsis.
QString FitToContent(SheetPainter& painter, const QString& text, int size) {
  for (; size > kSmallSize; --size) {
    painter.SetSize(size);
    if (painter.Width(text) <= kContentWidth) return text;
  }
  painter.SetSize(kSmallSize);
  return painter.Width(text) <= kContentWidth ? text : painter.Elided(text, kContentWidth);
}

// A centred text above the table: the half of the spare width is cut.
void CentredLine(SheetPainter& painter, int y, const QString& text) {
  painter.Text(kLeft + (kContentWidth - painter.Width(text)) / 2, y, text);
}

int DrawLogos(SheetPainter& painter, const SheetLogos& logos) {
  int tallest = 0;
  const auto draw = [&](const QImage& logo, auto left) {
    if (logo.isNull()) return;
    const QSize size = FittedLogoSize(logo.size());
    const QImage fitted = size == logo.size()
        ? logo
        : logo.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    painter.Image(left(size.width()), kLogoTop, fitted);
    tallest = std::max(tallest, size.height());
  };
  draw(logos.left, [](int) { return kLeft; });
  draw(logos.middle, [](int width) { return kLeft + (kContentWidth - width) / 2; });
  draw(logos.right, [](int width) { return kLeft + kContentWidth - width; });
  return tallest;
}

// Returns the top of line 7.
int DrawHeader(SheetPainter& painter, const SheetHeader& header, int line1) {
  painter.SetSize(kHeaderSize);
  painter.Text(kLeft, line1, header.left[0]);
  painter.Text(kSecondColumn, line1, header.issued);
  const int line2 = line1 + kLineStep;
  painter.Text(kLeft, line2, header.left[1]);
  painter.Text(kSecondColumn, line2, header.jury);
  // The rule under the committee member, one pixel, its end pixel left out.
  painter.Fill(620, line2 + 80, 200, 1, kBandGrey);
  int y = line2;
  for (int line = 3; line <= 7; ++line) {
    y += kLineStep;
    painter.Text(kLeft, y, header.left[line - 1]);
  }
  return y;
}

void DrawTableFrame(SheetPainter& painter, const std::vector<SheetColumn>& columns, int top,
                    int rows) {
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

// One cell's text at the row whose top line is `rowTop`. A text too wide for
// its cell starts at the cell's left edge and is cut at its right edge.
void DrawCell(SheetPainter& painter, const SheetColumn& column, int rowTop, const QString& text,
              Placement placement) {
  const int cellLeft = kLeft + column.offset;
  const int width = painter.Width(text);
  int x = cellLeft + kCellIndent;
  if (placement != Placement::Left) {
    if (width > column.width)
      x = cellLeft + 2;
    else if (placement == Placement::Centred)
      x = cellLeft + static_cast<int>(std::nearbyint((column.width - width) / 2.0));
    else
      x = cellLeft + (column.width - width) / 2;
  }
  const QRect inside(cellLeft + 1, rowTop + 1, column.width - 1, kRowHeight - 1);
  painter.ClippedText(inside, x, rowTop + 6, text);
}

QStringList DrawResultRow(SheetPainter& painter, const EventModel& model, std::size_t entry,
                          int rowTop, const QLocale& locale) {
  const std::vector<SheetColumn>& columns = SheetColumns(kResultSheet);
  const QStringList texts = ResultRowTexts(model, entry, locale);
  painter.SetSize(kResultRowSize);
  for (int c = 0; c < texts.size(); ++c)
    DrawCell(painter, columns[c], rowTop, texts[c], c == 0 ? Placement::Left : Placement::Centred);
  return texts;
}

QStringList DrawScratchRow(SheetPainter& painter, const EventModel& model, std::size_t entry,
                           int rowTop) {
  const std::vector<SheetColumn>& columns = SheetColumns(kScratchSheet);
  QStringList texts = ScratchRowTexts(model, entry);
  for (int c = 0; c < texts.size(); ++c) {
    painter.SetSize(kScratchRowSize);
    const bool leftAligned = c == 0 || c == 2;  // name and type
    if (leftAligned && painter.Width(texts[c]) > columns[c].width - kCellIndent)
      painter.SetSize(kSmallSize);
    // The allowances as the module wrote them, unless one is too wide for
    // its cell: then with one decimal, as the web page shows them all.
    if (c >= 4 && painter.Width(texts[c]) > columns[c].width)
      texts[c] = OneDecimalAllowance(texts[c]);
    DrawCell(painter, columns[c], rowTop, texts[c], leftAligned ? Placement::Left : Placement::Centred);
  }
  return texts;
}

}  // namespace

SheetImage DrawSheetImage(const EventModel& model, const SheetLogos& logos, const QLocale& locale) {
  SheetImage sheet;
  sheet.page = QImage(kSheetPageWidth, kSheetPageHeight, QImage::Format_RGB32);
  sheet.page.fill(Qt::white);
  SheetPainter painter(&sheet.page);
  const int kind = model.SheetKind == kResultSheet ? kResultSheet : kScratchSheet;

  int y = kLogoTop + DrawLogos(painter, logos) + 30;

  // Texts above the table sit on white, so nothing drawn before shows through.
  painter.SetOpaque(true);
  painter.SetColour(Qt::black);
  const QString title = FitToContent(painter, model.EventName, kTitleSize);
  sheet.titlePixelSize = painter.Size();
  CentredLine(painter, y, title);
  y += painter.Height() + 15;

  const QString subtitle =
      FitToContent(painter, SheetSubtitle(kind, model.Language, model.Provisional == 1), kSubtitleSize);
  CentredLine(painter, y, subtitle);
  y += painter.Height() + 30;

  const int line7 = DrawHeader(painter, SheetHeaderTexts(model, locale), y);

  // Result rows in result order, scratch rows in entry order.
  std::vector<std::size_t> entries;
  if (kind == kResultSheet) {
    entries = ResultSheetEntries(model);
  } else {
    for (int entry = 1; entry <= SheetRowCount(model); ++entry) entries.push_back(static_cast<std::size_t>(entry));
  }
  const std::vector<SheetColumn>& columns = SheetColumns(kind);
  const int rows = static_cast<int>(entries.size());
  const int top = line7 + 40;
  sheet.tableTop = top;
  sheet.tableBottom = top + (rows + 1) * kRowHeight - 1;
  DrawTableFrame(painter, columns, top, rows);

  painter.SetOpaque(false);
  painter.SetColour(Qt::white);
  painter.SetSize(kHeadingSize);
  const QStringList headings = SheetHeadings(kind, model.Language);
  for (int c = 0; c < headings.size(); ++c)
    DrawCell(painter, columns[c], top, headings[c], Placement::CentredTruncated);

  painter.SetColour(Qt::black);
  for (int i = 1; i <= rows; ++i) {
    const int rowTop = top + kRowHeight * i;
    const std::size_t entry = entries[static_cast<std::size_t>(i - 1)];
    sheet.rows << (kind == kResultSheet ? DrawResultRow(painter, model, entry, rowTop, locale)
                                        : DrawScratchRow(painter, model, entry, rowTop));
  }
  return sheet;
}

bool LoadSheetLogo(const QString& name, const QString& path, QImage* logo, QString* error) {
  *logo = QImage();
  switch (SheetLogoFormatOf(name)) {
    case SheetLogoFormat::None:
      return true;
    case SheetLogoFormat::Jpeg:
      *logo = platform::DecodeJpegFile(path, error);
      break;
    case SheetLogoFormat::Bitmap: {
      QImageReader reader(path, "bmp");
      *logo = reader.read();
      if (logo->isNull() && error != nullptr) *error = reader.errorString();
      break;
    }
  }
  return !logo->isNull();
}

}  // namespace kivo
