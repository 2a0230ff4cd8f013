// The image sheet drawn offscreen and read back from its pixels and its
// drawn texts: the page and its JPEG, the table's geometry under logos of
// every size, logos that shrink into their boxes, titles, header lines and
// cells that shrink to their rooms before they are cut; the output of the
// page as a file with every readable logo; and the two sheet buttons with
// the image target after a calculation by the real module.
#include <algorithm>
#include <functional>

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QTemporaryDir>

#include "core/number_text.h"
#include "core/sheet_image_text.h"
#include "form_fixture.h"
#include "qt/jpeg.h"
#include "race_typing.h"
#include "sheet_image_drawing.h"
#include "testing/sheet_model.h"

namespace kivo::testing {
namespace {

using fixtures::SheetModel;
using platform::testing::ShellCall;

QImage Filled(int width, int height, const QColor& colour) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

SheetImage Draw(const EventModel& model, const SheetLogos& logos = {}) {
  return DrawSheetImage(model, logos, QLocale(QLocale::English, QLocale::UnitedStates));
}

// The page as it comes back from its JPEG file.
QImage ThroughJpeg(const QImage& page) {
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("sheet.jpg"));
  QString error;
  EXPECT_TRUE(platform::EncodeJpegFile(page, path, 90, &error)) << error.toStdString();
  return platform::DecodeJpegFile(path, &error);
}

bool Near(QRgb pixel, int level, int tolerance = 20) {
  return std::abs(qRed(pixel) - level) <= tolerance && std::abs(qGreen(pixel) - level) <= tolerance &&
         std::abs(qBlue(pixel) - level) <= tolerance;
}
bool IsBand(QRgb pixel) { return Near(pixel, 128); }
bool IsRule(QRgb pixel) { return Near(pixel, 192); }
bool IsWhite(QRgb pixel) { return Near(pixel, 255, 12); }

// The top of the heading band: the frame's top line lies on it, the grey
// starts one row below and fills 33 rows at least (the frame's bottom line
// takes the 35th row of a table without entries). -1 when there is none.
int FindTableTop(const QImage& page) {
  for (int y = 1; y + 34 < page.height(); ++y) {
    int dy = 0;
    while (dy < 33 && IsBand(page.pixel(35, y + dy))) ++dy;
    if (dy == 33) return y - 1;
  }
  return -1;
}

// Checks the ruled table of `rows` rows whose band starts at `top`, read
// from the pixels: row lines, frame and column lines.
void ExpectTable(const QImage& page, int top, int rows, int sheetKind) {
  const int bottom = top + 35 * (rows + 1) - 1;
  ASSERT_LT(bottom, page.height());
  EXPECT_TRUE(IsRule(page.pixel(35, top)));
  EXPECT_TRUE(IsBand(page.pixel(35, top + 33)));
  for (int k = 1; k <= rows; ++k) {
    SCOPED_TRACE(k);
    EXPECT_TRUE(IsRule(page.pixel(35, top + 35 * k)));
    EXPECT_TRUE(IsWhite(page.pixel(35, top + 35 * k + 3)));
  }
  EXPECT_TRUE(IsRule(page.pixel(35, bottom)));
  EXPECT_TRUE(IsRule(page.pixel(500, bottom)));
  if (bottom + 1 < page.height()) {
    EXPECT_TRUE(IsWhite(page.pixel(35, bottom + 1)));
  }
  // Inside a row (or the band of an empty table), above the texts.
  const int y = rows > 0 ? top + 38 : top + 17;
  const auto isInside = rows > 0 ? IsWhite : IsBand;
  const std::vector<SheetColumn>& columns = SheetColumns(sheetKind);
  for (std::size_t c = 1; c < columns.size(); ++c) {
    const int x = 30 + columns[c].offset;
    SCOPED_TRACE(x);
    EXPECT_TRUE(IsRule(page.pixel(x, y)));
    EXPECT_TRUE(isInside(page.pixel(x - 2, y)));
    EXPECT_TRUE(isInside(page.pixel(x + 2, y)));
  }
  EXPECT_TRUE(IsRule(page.pixel(30, y)));
  EXPECT_TRUE(IsRule(page.pixel(989, y)));
  EXPECT_TRUE(IsWhite(page.pixel(991, y)));
  EXPECT_TRUE(IsWhite(page.pixel(28, y)));
}

TEST(SheetImageTest, PageIsABaselineJpegOfFixedSize) {
  const SheetImage sheet = Draw(SheetModel(19));
  EXPECT_EQ(sheet.page.size(), QSize(1000, 1414));
  EXPECT_EQ(sheet.page.format(), QImage::Format_RGB32);

  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("Cup_R1_result.jpg"));
  ASSERT_TRUE(platform::EncodeJpegFile(sheet.page, path, 90));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  EXPECT_TRUE(bytes.contains(QByteArray("\xFF\xC0", 2)));   // baseline frame
  EXPECT_FALSE(bytes.contains(QByteArray("\xFF\xC2", 2)));  // no progressive one
  EXPECT_EQ(platform::DecodeJpegFile(path).size(), QSize(1000, 1414));
}

TEST(SheetImageTest, TableGeometryUnderLogosOfEverySize) {
  struct Case {
    const char* name;
    int boats;
    int sheetKind;
    std::vector<int> logoHeights;  // left, middle, right; 0 none
    int expectedShift;             // of the table against the same race without logos
  };
  const Case cases[] = {
      {"no logo", 3, kResultSheet, {}, 0},
      {"a 100 px logo", 3, kResultSheet, {100}, 100},
      {"logos of 40, 80 and 120 px", 3, kResultSheet, {40, 80, 120}, 120},
      {"a 900 px logo with 19 boats", 19, kResultSheet, {0, 900}, 150},
      {"no entries", 0, kResultSheet, {}, 0},
      {"19 boats on the result sheet", 19, kResultSheet, {}, 0},
      {"19 boats on the scratch sheet", 19, kScratchSheet, {60, 0, 60}, 60},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const EventModel model = SheetModel(c.boats, c.sheetKind);
    const int plainTop = FindTableTop(ThroughJpeg(Draw(model).page));
    SheetLogos logos;
    QImage* places[] = {&logos.left, &logos.middle, &logos.right};
    for (std::size_t i = 0; i < c.logoHeights.size(); ++i)
      if (c.logoHeights[i] > 0) *places[i] = Filled(c.logoHeights[i] / 3 + 10, c.logoHeights[i], Qt::blue);
    const SheetImage sheet = Draw(model, logos);
    const QImage page = ThroughJpeg(sheet.page);
    const int top = FindTableTop(page);
    ASSERT_GT(plainTop, 0);
    EXPECT_EQ(top, sheet.tableTop);
    EXPECT_EQ(top - plainTop, c.expectedShift);
    EXPECT_TRUE(sheet.TableFits());
    EXPECT_EQ(sheet.tableBottom, top + 35 * (c.boats + 1) - 1);
    ExpectTable(page, top, c.boats, c.sheetKind);
    EXPECT_EQ(sheet.rows.size(), c.boats);
  }
}

TEST(SheetImageTest, LogosSitAtTheirPlacesAndLargeOnesShrinkIntoTheirBoxes) {
  SheetLogos small;
  small.left = Filled(80, 40, Qt::red);
  small.middle = Filled(100, 50, Qt::green);
  small.right = Filled(90, 60, Qt::blue);
  QImage page = Draw(SheetModel(1), small).page;
  const auto colourAt = [&page](int x, int y) { return page.pixel(x, y) & 0xFFFFFF; };
  const QRgb red = 0xFF0000, green = 0x00FF00, blue = 0x0000FF, white = 0xFFFFFF;
  EXPECT_EQ(colourAt(30, 20), red);
  EXPECT_EQ(colourAt(109, 59), red);
  EXPECT_EQ(colourAt(110, 20), white);
  EXPECT_EQ(colourAt(29, 20), white);
  EXPECT_EQ(colourAt(460, 20), green);  // 30 + (960 - 100) / 2
  EXPECT_EQ(colourAt(459, 20), white);
  EXPECT_EQ(colourAt(559, 69), green);
  EXPECT_EQ(colourAt(560, 20), white);
  EXPECT_EQ(colourAt(900, 20), blue);  // 990 - 90
  EXPECT_EQ(colourAt(989, 79), blue);
  EXPECT_EQ(colourAt(899, 20), white);
  EXPECT_EQ(colourAt(990, 20), white);
  EXPECT_EQ(colourAt(500, 19), white);

  // Three wide logos share the width without overlapping: 600 x 200 shrinks
  // to 320 x 107.
  SheetLogos wide;
  wide.left = Filled(600, 200, Qt::red);
  wide.middle = Filled(600, 200, Qt::green);
  wide.right = Filled(600, 200, Qt::blue);
  page = Draw(SheetModel(1), wide).page;
  for (int y : {20, 126}) {
    EXPECT_EQ(colourAt(30, y), red);
    EXPECT_EQ(colourAt(349, y), red);
    EXPECT_EQ(colourAt(350, y), green);
    EXPECT_EQ(colourAt(669, y), green);
    EXPECT_EQ(colourAt(670, y), blue);
    EXPECT_EQ(colourAt(989, y), blue);
  }
  EXPECT_EQ(colourAt(500, 127), white);
}

// The non-white pixels of rows y0 .. y1: their leftmost and rightmost x.
std::pair<int, int> InkSpan(const QImage& page, int y0, int y1) {
  int left = page.width(), right = -1;
  for (int y = y0; y <= y1; ++y)
    for (int x = 0; x < page.width(); ++x)
      if ((page.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) left = std::min(left, x), right = std::max(right, x);
  return {left, right};
}

TEST(SheetImageTest, ATitleWiderThanThePageShrinksUntilItFits) {
  struct Case {
    const char* name;
    QString title;
    bool shrinks;
  };
  const Case cases[] = {
      {"a short title keeps its size", QStringLiteral("Summer Regatta"), false},
      {"a long Japanese title",
       QStringLiteral("第45回 関東ミドルボート選手権大会 兼 秋季オーシャンレース 第3戦 城ヶ島沖"), true},
      {"a title too long for any size", QString(300, QChar(0x6D77)), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EventModel model = SheetModel(2);
    model.EventName = c.title;
    const SheetImage sheet = Draw(model);
    EXPECT_EQ(sheet.titlePixelSize == 47, !c.shrinks) << sheet.titlePixelSize;
    EXPECT_GE(sheet.titlePixelSize, 12);
    // No logo: the title starts at y 50; the subtitle follows.
    const auto [left, right] = InkSpan(sheet.page, 50, 50 + sheet.titlePixelSize);
    EXPECT_GE(left, 30);
    EXPECT_LE(right, 989);
  }
}

// Long texts in every cell of row 1 leave the column lines untouched.
TEST(SheetImageTest, CellTextsStayInsideTheirCells) {
  for (int kind : {kResultSheet, kScratchSheet}) {
    SCOPED_TRACE(kind);
    EventModel model = SheetModel(2, kind);
    model.EntryName[1] = QString(40, QLatin1Char('W'));
    model.EntrySailNo[1] = QStringLiteral("JPN-1234567890123");
    model.EntryClass[1] = QString(40, QChar(0x8266));
    model.EntryGph[1] = QStringLiteral("612.345678901234");
    model.BoatFinish[1][1] = QStringLiteral("2017/07/01 12:04:20 and some words");
    model.BoatStatus[1][1] = QStringLiteral("OKOKOKOKOK");
    model.BoatPenalty[1][1] = QStringLiteral("0.0000000000001");
    model.BoatElapsedPos[1][1] = 1234567890;
    model.BoatCorrectedPos[1][1] = 1234567890;
    model.BoatVector[1][1] = QStringLiteral("WWWWWWWWWW,812.345678901234,0,1,2,3,4");
    const SheetImage sheet = Draw(model);
    const int rowTop = sheet.tableTop + 35;
    const std::vector<SheetColumn>& columns = SheetColumns(kind);
    for (std::size_t c = 0; c <= columns.size(); ++c) {
      const int x = c < columns.size() ? 30 + columns[c].offset : 989;
      for (int y = rowTop; y < rowTop + 35; ++y)
        ASSERT_EQ(sheet.page.pixel(x, y) & 0xFFFFFF, 0xC0C0C0u) << "column line x " << x << ", y " << y;
    }
    // Left of the table nothing was drawn either.
    EXPECT_EQ(InkSpan(sheet.page, rowTop, rowTop + 34).first, 30);
  }
}

TEST(SheetImageTest, TooWideAllowancesShowOneDecimalOthersAsWritten) {
  EventModel model = SheetModel(2, kScratchSheet);
  model.BoatVector[1][1] = QStringLiteral("812.345678901234,701.5,650.123456789012,620,0,1.25,3");
  model.BoatVector[1][2] = QStringLiteral("0");
  const SheetImage sheet = Draw(model);
  ASSERT_EQ(sheet.rows.size(), 2);
  EXPECT_EQ(sheet.rows[0].mid(4), (QStringList{"812.3", "701.5", "650.1", "620", "0", "1.25", "3"}));
  EXPECT_EQ(sheet.rows[1].mid(4), (QStringList{"0", "", "", "", "", "", ""}));
}

TEST(SheetImageTest, ATableThatWouldPassThePageEndIsReported) {
  // Without logos 28 rows fit.
  const SheetImage sheet = Draw(SheetModel(35));
  EXPECT_FALSE(sheet.TableFits());
  EXPECT_GT(sheet.tableBottom, 1413);
}

TEST(SheetImageTest, APenaltyThatIsNoNumberStopsTheDrawing) {
  EventModel model = SheetModel(2);
  model.BoatPenalty[1][2] = QStringLiteral("ten");
  EXPECT_THROW(Draw(model), EConvertError);
}

// The drawn text whose source is `text`; fails when there is none.
const SheetText* Drawn(const SheetImage& sheet, const QString& text) {
  for (const SheetText& drawn : sheet.texts)
    if (drawn.text == text) return &drawn;
  ADD_FAILURE() << "not drawn: " << text.toStdString();
  return nullptr;
}

// Where the glyphs of a drawn text lie on the page.
QRect Ink(const SheetText& drawn) {
  const QFontMetrics metrics(SheetFont(drawn.pixelSize));
  return metrics.tightBoundingRect(drawn.shown)
      .translated(drawn.box.left(), drawn.box.top() + metrics.ascent());
}

// Every text keeps inside its room and the page, and no two overlap.
void ExpectEveryTextApart(const SheetImage& sheet) {
  const QRect page(0, 0, kSheetPageWidth, kSheetPageHeight);
  for (qsizetype i = 0; i < sheet.texts.size(); ++i) {
    const SheetText& a = sheet.texts[i];
    SCOPED_TRACE(a.shown.toStdString());
    EXPECT_GE(a.box.left(), a.room.left());
    EXPECT_LE(a.box.right(), a.room.right());
    EXPECT_TRUE(page.contains(a.box));
    for (qsizetype j = i + 1; j < sheet.texts.size(); ++j)
      EXPECT_FALSE(Ink(a).intersects(Ink(sheet.texts[j]))) << "over " << sheet.texts[j].shown.toStdString();
  }
}

// Each header line and each kind of cell with a text at its room, just over
// it and far over it: whole at its size, whole and smaller, cut with "…" at
// the least size; always within its room.
TEST(SheetImageTest, EachTextShrinksToItsRoomAndIsCutOnlyBelowTheLeastSize) {
  struct Slot {
    const char* name;
    int sheetKind;
    int language;
    const char* label;  // drawn before the value
    int size;           // the size of its line or row
    std::function<void(EventModel&, const QString&)> set;
  };
  const Slot places[] = {
      {"class, line 1 left", kResultSheet, 1, "Class: ", 19,
       [](EventModel& m, const QString& v) { m.EventClass = v; }},
      {"issued, line 1 right", kResultSheet, 0, "発行日: ", 19,
       [](EventModel& m, const QString& v) { m.ResultIssued = v; }},
      {"race name, line 2 left", kScratchSheet, 0, "レース名: ", 19,
       [](EventModel& m, const QString& v) { m.RaceName[1] = v; }},
      {"committee member, line 2 right", kResultSheet, 1, "Chief Jury:      ", 19,
       [](EventModel& m, const QString& v) { m.RaceJury[1] = v; }},
      {"course type, line 7", kResultSheet, 1, "Course Type: ", 19,
       [](EventModel& m, const QString& v) { m.RaceTypeText[1] = v; }},
      {"result name", kResultSheet, 1, "", 15, [](EventModel& m, const QString& v) { m.EntryName[2] = v; }},
      {"result sail number", kResultSheet, 1, "", 15,
       [](EventModel& m, const QString& v) { m.EntrySailNo[2] = v; }},
      {"scratch name", kScratchSheet, 0, "", 16, [](EventModel& m, const QString& v) { m.EntryName[2] = v; }},
      {"scratch type", kScratchSheet, 1, "", 16,
       [](EventModel& m, const QString& v) { m.EntryClass[2] = v; }},
      {"scratch sail number", kScratchSheet, 1, "", 16,
       [](EventModel& m, const QString& v) { m.EntrySailNo[2] = v; }},
  };
  const QString scripts[] = {QStringLiteral("JPN-Spring Series 2017 "),
                             QStringLiteral("関東ミドルボート選手権大会")};
  for (const Slot& slot : places) {
    for (const QString& script : scripts) {
      SCOPED_TRACE(std::string(slot.name) + ", " + script.toStdString());
      const QString label = QString::fromUtf8(slot.label);
      EventModel model = SheetModel(3, slot.sheetKind, slot.language);
      const auto draw = [&](const QString& value) {
        slot.set(model, value);
        return Draw(model);
      };
      const auto valueOf = [&script](int length) {
        QString value;
        while (value.size() < length) value += script.at(value.size() % script.size());
        return value;
      };
      const SheetImage first = draw(valueOf(1));
      const SheetText* sample = Drawn(first, label + valueOf(1));
      ASSERT_NE(sample, nullptr);
      const int room = sample->room.width();
      const QFontMetrics metrics(SheetFont(slot.size));
      int fits = 1;
      while (metrics.horizontalAdvance(label + valueOf(fits + 1)) <= room) ++fits;

      struct Length {
        const char* name;
        int length;
        bool whole;
      };
      for (const Length& length : {Length{"at its room", fits, true}, Length{"just over", fits + 1, true},
                                   Length{"far over", 300, false}}) {
        SCOPED_TRACE(length.name);
        const QString text = label + valueOf(length.length);
        const SheetImage sheet = draw(valueOf(length.length));
        const SheetText* drawn = Drawn(sheet, text);
        ASSERT_NE(drawn, nullptr);
        EXPECT_EQ(drawn->room.width(), room);
        EXPECT_GE(drawn->box.left(), drawn->room.left());
        EXPECT_LE(drawn->box.right(), drawn->room.right());
        if (length.whole) {
          EXPECT_EQ(drawn->shown, text);
          EXPECT_EQ(drawn->pixelSize == slot.size, length.length == fits) << drawn->pixelSize;
          EXPECT_GE(drawn->pixelSize, kLeastTextSize);
        } else {
          EXPECT_EQ(drawn->pixelSize, kLeastTextSize);
          ASSERT_TRUE(drawn->shown.endsWith(QChar(0x2026))) << drawn->shown.toStdString();
          EXPECT_TRUE(text.startsWith(drawn->shown.chopped(1)));
          EXPECT_GT(drawn->shown.size(), label.size());
        }
        ExpectEveryTextApart(sheet);
      }
    }
  }
}

// The longest texts a race brings, on both sheets in both languages: every
// text is shown whole, in its own room.
TEST(SheetImageTest, TheLongestTextsOfARaceShowWholeAndApart) {
  for (int kind : {kResultSheet, kScratchSheet}) {
    for (int language : {1, 0}) {
      SCOPED_TRACE(kind * 10 + language);
      EventModel model = SheetModel(19, kind, language);
      model.EventClass = QStringLiteral("IRC-KIVO 混合艇 Cruiser Division A 2017 Spring Series");        // 50
      model.RaceName[1] = QStringLiteral("第45回 関東ミドルボート選手権 第1レース 下2周 (予備日使用)");  // 34
      model.RaceJury[1] =
          QStringLiteral("公益社団法人日本セーリング連盟外洋関東支部レース委員会委員長 山田太郎様");  // 36
      model.EntrySailNo[3] = QStringLiteral("JPN-12345678");
      model.EntryName[4] = QStringLiteral("Wind Spirit of the Northern Sea");
      model.EntryClass[5] = QStringLiteral("ヤマハ 33S カスタム仕様");
      const SheetImage sheet = Draw(model);
      for (const SheetText& drawn : sheet.texts) EXPECT_EQ(drawn.shown, drawn.text);
      ExpectEveryTextApart(sheet);
    }
  }
}

// RenderSheetImage on a race put straight into the model of a started window.
class SheetImageOutputTest : public FormFixture {
 protected:
  TForm1& StartWithSheet(int boats, int sheetKind) {
    TForm1& form = StartForm();
    EventModel sheet = SheetModel(boats, sheetKind);
    sheet.PicturesFolder = form.Model.PicturesFolder;
    sheet.LogoFolder = form.Model.LogoFolder;
    sheet.RaceXmlFile = form.Model.XmlFolder + QStringLiteral("/Cup_R1.xml");
    form.Model = sheet;
    return form;
  }
  QString PicturePath(const char* name) const {
    return PathOf(QStringLiteral("KIVODATA/OUTPUTDATA/PICTURES/") + QString::fromUtf8(name));
  }
};

TEST_F(SheetImageOutputTest, EachSheetIsWrittenAndOpenedInTheImageViewer) {
  for (int kind : {kResultSheet, kScratchSheet}) {
    TForm1& form = StartWithSheet(3, kind);
    const QString path = PicturePath(kind == kResultSheet ? "Cup_R1_result.jpg" : "Cup_R1_scratch.jpg");
    shell().Clear();
    form.RenderSheetImage();
    EXPECT_TRUE(dialogs().Messages().isEmpty()) << dialogs().Messages().join('|').toStdString();
    EXPECT_EQ(platform::DecodeJpegFile(path).size(), QSize(1000, 1414));
    EXPECT_EQ(shell().Calls(), (std::vector<ShellCall>{{ShellCall::Kind::OpenImage, path}}));
  }
}

TEST_F(SheetImageOutputTest, EveryLogoThePictureReaderReadsIsDrawn) {
  TForm1& form = StartWithSheet(3, kResultSheet);
  MakeFolder("KIVODATA/LOGO");
  ASSERT_TRUE(platform::EncodeJpegFile(Filled(60, 40, Qt::red), PathOf("KIVODATA/LOGO/Club.JPEG")));
  ASSERT_TRUE(Filled(60, 40, Qt::green).save(PathOf("KIVODATA/LOGO/crest.png"), "PNG"));
  ASSERT_TRUE(Filled(60, 40, Qt::blue).save(PathOf("KIVODATA/LOGO/flag.bmp"), "BMP"));
  form.Model.LogoLeft = QStringLiteral("club.jpeg");
  form.Model.LogoMiddle = QStringLiteral("crest.png");
  form.Model.LogoRight = QStringLiteral("flag.bmp");
  form.RenderSheetImage();
  EXPECT_TRUE(dialogs().Messages().isEmpty()) << dialogs().Messages().join('|').toStdString();
  const QImage page = platform::DecodeJpegFile(PicturePath("Cup_R1_result.jpg"));
  ASSERT_EQ(page.size(), QSize(1000, 1414));
  const QRgb left = page.pixel(60, 40), middle = page.pixel(510, 40), right = page.pixel(960, 40);
  EXPECT_TRUE(qRed(left) > 200 && qGreen(left) < 60 && qBlue(left) < 60) << std::hex << left;
  EXPECT_TRUE(qGreen(middle) > 200 && qRed(middle) < 60 && qBlue(middle) < 60) << std::hex << middle;
  EXPECT_TRUE(qBlue(right) > 200 && qRed(right) < 60 && qGreen(right) < 60) << std::hex << right;
  EXPECT_EQ(FindTableTop(page), FindTableTop(ThroughJpeg(Draw(form.Model).page)) + 40);
}

TEST_F(SheetImageOutputTest, ALogoThatCannotBeReadStopsTheSheetWithItsPath) {
  for (const char* name : {"missing.jpg", "broken.bmp", "notes.png"}) {
    SCOPED_TRACE(name);
    TForm1& form = StartWithSheet(3, kResultSheet);
    WriteFile("KIVODATA/LOGO/broken.bmp", "BM not really");
    WriteFile("KIVODATA/LOGO/notes.png", "a text, no picture");
    form.Model.LogoMiddle = QString::fromUtf8(name);
    dialogs().Clear();
    shell().Clear();
    form.RenderSheetImage();
    const QString looked = form.Model.LogoFolder + QLatin1Char('/') + QString::fromUtf8(name);
    ASSERT_EQ(dialogs().Messages().size(), 1);
    EXPECT_TRUE(
        dialogs().Messages()[0].startsWith(QStringLiteral("ロゴ画像を読み込めませんでした。\n") + looked))
        << dialogs().Messages()[0].toStdString();
    EXPECT_FALSE(QFile::exists(PicturePath("Cup_R1_result.jpg")));
    EXPECT_TRUE(shell().Calls().empty());
  }
}

TEST_F(SheetImageOutputTest, ASheetThatCannotBeSavedIsReportedAndNotOpened) {
  struct Case {
    const char* name;
    std::function<void(const QString& picturesFolder)> spoil;
  };
  const Case cases[] = {
      {"the pictures folder is gone", [](const QString& folder) { QDir(folder).removeRecursively(); }},
      {"a folder holds the file's name",
       [](const QString& folder) { QDir(folder).mkpath(QStringLiteral("Cup_R1_result.jpg/x")); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TForm1& form = StartWithSheet(3, kResultSheet);
    c.spoil(form.Model.PicturesFolder);
    dialogs().Clear();
    shell().Clear();
    form.RenderSheetImage();
    const QString path = PicturePath("Cup_R1_result.jpg");
    ASSERT_EQ(dialogs().Messages().size(), 1);
    EXPECT_TRUE(dialogs().Messages()[0].startsWith(QStringLiteral("画像ファイルを書き込めませんでした。\n") +
                                                   path + "\n"))
        << dialogs().Messages()[0].toStdString();
    EXPECT_FALSE(QFileInfo(path).isFile());
    EXPECT_TRUE(shell().Calls().empty());
  }
}

TEST_F(SheetImageOutputTest, AViewerThatDoesNotStartIsReportedWithThePath) {
  TForm1& form = StartWithSheet(2, kScratchSheet);
  shell().SetResult(false);
  form.RenderSheetImage();
  const QString path = PicturePath("Cup_R1_scratch.jpg");
  EXPECT_EQ(dialogs().Messages(), QStringList{QStringLiteral("画像ソフトを起動できませんでした。\n") + path});
  EXPECT_TRUE(QFileInfo(path).isFile());
}

TEST_F(SheetImageOutputTest, ATableThatWouldPassThePageEndWritesNothing) {
  TForm1& form = StartWithSheet(35, kResultSheet);
  form.RenderSheetImage();
  ASSERT_EQ(dialogs().Messages().size(), 1);
  EXPECT_FALSE(QFile::exists(PicturePath("Cup_R1_result.jpg")));
  EXPECT_TRUE(shell().Calls().empty());
}

// The sheet buttons with "画像ソフトに出力" (checked from the start) after
// "計算" of the three-boat race.
class ImageSheetCommandTest : public RaceTypingFixture {
 protected:
  QString PicturePath(const char* name) const {
    return PathOf(QStringLiteral("KIVODATA/OUTPUTDATA/PICTURES/") + QString::fromUtf8(name));
  }
};

TEST_F(ImageSheetCommandTest, BothButtonsWriteTheirJpegAndOpenItInTheImageViewer) {
  // A logo picked as "Club.JPG" is kept as "club.jpg" and still found; a
  // name that leads out of the logo folder is no logo.
  QImage logo(200, 100, QImage::Format_RGB32);
  logo.fill(Qt::red);
  MakeFolder("KIVODATA/LOGO");
  ASSERT_TRUE(platform::EncodeJpegFile(logo, PathOf("KIVODATA/LOGO/Club.JPG")));
  TForm1& form = StartCalculated();
  ASSERT_TRUE(form.RadioButton1->isChecked());
  dialogs().QueueFile(PathOf("KIVODATA/LOGO/Club.JPG"));
  form.Image2->Click();
  ASSERT_EQ(form.Model.LogoLeft, QStringLiteral("club.jpg"));
  form.Model.LogoMiddle = QStringLiteral("../Club.JPG");
  form.RadioButton7->setChecked(true);  // Japanese

  form.Button19->click();
  form.Button18->click();

  EXPECT_TRUE(dialogs().Messages().isEmpty()) << dialogs().Messages().join('|').toStdString();
  const QString result = PicturePath("Cup_R1_result.jpg");
  const QString scratch = PicturePath("Cup_R1_scratch.jpg");
  EXPECT_EQ(shell().Calls(), (std::vector<ShellCall>{{ShellCall::Kind::OpenImage, result},
                                                     {ShellCall::Kind::OpenImage, scratch}}));
  for (const QString& path : {result, scratch}) {
    SCOPED_TRACE(path.toStdString());
    const QImage page = platform::DecodeJpegFile(path);
    ASSERT_EQ(page.size(), QSize(1000, 1414));
    EXPECT_GT(qRed(page.pixel(130, 70)), 200);  // the left logo
    EXPECT_LT(qGreen(page.pixel(130, 70)), 60);
    EXPECT_TRUE(IsWhite(page.pixel(500, 70)));  // no middle logo
    const int top = FindTableTop(page);
    ASSERT_GT(top, 100 + 20);
    ExpectTable(page, top, 3, path == result ? kResultSheet : kScratchSheet);
  }
}

TEST_F(ImageSheetCommandTest, AMissingLogoIsNamedAndNothingIsWrittenOrOpened) {
  TForm1& form = StartCalculated();
  form.Model.LogoRight = QStringLiteral("gone.jpg");
  form.Button19->click();
  ASSERT_EQ(dialogs().Messages().size(), 1);
  EXPECT_TRUE(dialogs().Messages()[0].startsWith(QStringLiteral("ロゴ画像を読み込めませんでした。\n") +
                                                 form.Model.LogoFolder + QStringLiteral("/gone.jpg")))
      << dialogs().Messages()[0].toStdString();
  EXPECT_FALSE(QFile::exists(PicturePath("Cup_R1_result.jpg")));
  EXPECT_TRUE(shell().Calls().empty());
}

}  // namespace
}  // namespace kivo::testing
