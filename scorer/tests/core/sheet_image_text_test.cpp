#include "core/sheet_image_text.h"

#include <gtest/gtest.h>

#include "core/number_text.h"
#include "testing/sheet_model.h"

namespace kivo {
namespace {

using fixtures::SheetModel;

TEST(SheetImageTextTest, ColumnsMatchTheirSharesOfTheContentWidth) {
  for (int kind : {kResultSheet, kScratchSheet}) {
    const std::vector<SheetColumn>& columns = SheetColumns(kind);
    ASSERT_EQ(columns.size(), kind == kResultSheet ? 9u : 11u);
    EXPECT_EQ(columns.front().offset, 0);
    for (std::size_t c = 1; c < columns.size(); ++c)
      EXPECT_EQ(columns[c].offset, columns[c - 1].offset + columns[c - 1].width);
    const SheetColumn& last = columns.back();
    EXPECT_EQ(960 - (last.offset + last.width), kind == kResultSheet ? 3 : 9);
    EXPECT_EQ(SheetHeadings(kind, 1).size(), qsizetype(columns.size()));
    EXPECT_EQ(SheetHeadings(kind, 0).size(), qsizetype(columns.size()));
  }
}

TEST(SheetImageTextTest, SubtitlesAndHeadingsInBothLanguages) {
  EXPECT_EQ(SheetSubtitle(kResultSheet, 1, false), QStringLiteral("Result"));
  EXPECT_EQ(SheetSubtitle(kResultSheet, 1, true), QStringLiteral("Result  （Provisional）"));
  EXPECT_EQ(SheetSubtitle(kResultSheet, 0, true), QStringLiteral("レース　成　績  （暫定）"));
  EXPECT_EQ(SheetSubtitle(kScratchSheet, 1, false), QStringLiteral("Scratch Sheet"));
  EXPECT_EQ(SheetSubtitle(kScratchSheet, 0, false), QStringLiteral("スクラッチシート"));

  EXPECT_EQ(SheetHeadings(kResultSheet, 1).join('|'),
            QStringLiteral("Yacht Name|Sail No|Finish Time|note|ET sec|ET Pos|Pen %|CT sec|CT Pos"));
  EXPECT_EQ(SheetHeadings(kResultSheet, 0).join('|'),
            QStringLiteral("艇　　名|ｾｰﾙNo|フィニッシュ日時|ﾉｰﾄ|経過秒|着順|ﾍﾟﾅﾙﾃｨ%|修正秒|修正順位"));
  EXPECT_EQ(SheetHeadings(kScratchSheet, 1).join('|'),
            QStringLiteral("Yacht Name|Sail No|Type|GPH|6 kt|8 kt|10 kt|12 kt|14 kt|16 kt|20 kt"));
  EXPECT_EQ(SheetHeadings(kScratchSheet, 0).join('|'),
            QStringLiteral("艇　名|ｾｰﾙNo|タイプ|GPH|6ﾉｯﾄ|8ﾉｯﾄ|10ﾉｯﾄ|12ﾉｯﾄ|14ﾉｯﾄ|16ﾉｯﾄ|20ﾉｯﾄ"));
}

TEST(SheetImageTextTest, HeaderLinesCarryTheLabelsAndTheDistanceAsTyped) {
  EventModel model = SheetModel(2);
  SheetHeader english = SheetHeaderTexts(model, QLocale(QLocale::German, QLocale::Germany));
  EXPECT_EQ(english.left[0], QStringLiteral("Class: Cruiser A"));
  EXPECT_EQ(english.issued, QStringLiteral("Issued: 2017/07/02"));
  EXPECT_EQ(english.left[1], QStringLiteral("Race name: Race One"));
  EXPECT_EQ(english.jury, QStringLiteral("Chief Jury:      Jury Member"));
  EXPECT_EQ(english.left[2], QStringLiteral("Start Datetime: 2017/07/01 10:00:00"));
  EXPECT_EQ(english.left[3], QStringLiteral("Time Limit    : 2017/07/01 16:00:00"));
  EXPECT_EQ(english.left[4], QStringLiteral("Distance: 12,3 NM"));
  EXPECT_EQ(english.left[5], QStringLiteral("Scoring System: KIVO"));
  EXPECT_EQ(english.left[6], QStringLiteral("Course Type: ocean course"));

  model.Language = 0;
  model.SheetKind = kScratchSheet;
  const SheetHeader japanese = SheetHeaderTexts(model, QLocale(QLocale::Japanese, QLocale::Japan));
  EXPECT_EQ(japanese.left[0], QStringLiteral("クラス: Cruiser A"));
  EXPECT_EQ(japanese.issued, QStringLiteral("発行日: 2017/06/30"));
  EXPECT_EQ(japanese.left[1], QStringLiteral("レース名: Race One"));
  EXPECT_EQ(japanese.jury, QStringLiteral("レース委員長:      Jury Member"));
  EXPECT_EQ(japanese.left[2], QStringLiteral("スタート日時: 2017/07/01 10:00:00"));
  EXPECT_EQ(japanese.left[3], QStringLiteral("タイムリミット：2017/07/01 16:00:00"));
  EXPECT_EQ(japanese.left[4], QStringLiteral("コース距離: 12.3 浬"));
  EXPECT_EQ(japanese.left[5], QStringLiteral("レーティング計算方式: KIVO"));
  EXPECT_EQ(japanese.left[6], QStringLiteral("コースタイプ: ocean course"));
}

TEST(SheetImageTextTest, ResultRowCells) {
  // Row 2 of three; its stored positions are 3 and 1, as the ranking may
  // leave them, but a boat without a time shows no position for it.
  struct Case {
    const char* name;
    QString finish, status, penalty;
    float elapsed, corrected;
    QString expectedFinish, expectedElapsed, expectedElapsedPos, expectedCorrected, expectedCorrectedPos;
  };
  const Case cases[] = {
      {"finished", "2017/07/01 12:04:20", "OK", "0", 7460.0f, 6000.0f, "07/01 12:04:20", "7460", "3", "6000",
       "1"},
      {"an OK boat whose finish was undone keeps no elapsed time", "", "OK", "0", 7460.0f, 0.0f, "", "-", "",
       "-", ""},
      {"DNF read back with finish 0", "0", "DNF", "0", 0.0f, 0.0f, "", "-", "", "-", ""},
      {"DNF with a finish time shows no elapsed time", "2017/07/01 12:04:20", "DNF", "0", 7460.0f, 6000.0f,
       "07/01 12:04:20", "-", "", "6000", "1"},
      {"elapsed of 100 s or less", "2017/07/01 10:01:40", "OK", "0", 100.0f, 90.0f, "07/01 10:01:40", "-",
       "3", "90", "1"},
      {"penalty 10 on 3,600 s", "2017/07/01 11:00:00", "OK", "10", 3600.0f, 3600.0f, "07/01 11:00:00", "3600",
       "3", "3960", "1"},
      {"half a second goes to the even second", "2017/07/01 12:04:20", "OK", "0", 7460.5f, 1000.5f,
       "07/01 12:04:20", "7460", "3", "1000", "1"},
      {"and up when that is even", "2017/07/01 12:04:21", "OK", "0", 7461.5f, 1001.5f, "07/01 12:04:21",
       "7462", "3", "1002", "1"},
      {"a penalty that is no number does not matter without a corrected time", "", "RET", "x", 0.0f, 0.0f, "",
       "-", "", "-", ""},
      {"a finish text cut at 50 characters", "12345" + QString(60, 'z'), "OK", "0", 0.0f, 0.0f,
       QString(50, 'z'), "-", "3", "-", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EventModel model = SheetModel(3);
    model.BoatFinish[1][2] = c.finish;
    model.BoatStatus[1][2] = c.status;
    model.BoatPenalty[1][2] = c.penalty;
    model.BoatElapsed[1][2] = c.elapsed;
    model.BoatCorrected[1][2] = c.corrected;
    model.BoatElapsedPos[1][2] = 3;
    model.BoatCorrectedPos[1][2] = 1;
    const QStringList cells = ResultRowTexts(model, 2, QLocale(QLocale::Japanese, QLocale::Japan));
    const QStringList expected = {"Boat 02", "JPN-4002",          c.expectedFinish,
                                  c.status,  c.expectedElapsed,   c.expectedElapsedPos,
                                  c.penalty, c.expectedCorrected, c.expectedCorrectedPos};
    EXPECT_EQ(cells, expected) << cells.join('|').toStdString();
  }
}

TEST(SheetImageTextTest, APenaltyThatIsNoNumberStopsTheRow) {
  EventModel model = SheetModel(1);
  model.BoatPenalty[1][1] = QStringLiteral("ten");
  EXPECT_THROW(ResultRowTexts(model, 1, QLocale(QLocale::Japanese, QLocale::Japan)), EConvertError);
}

TEST(SheetImageTextTest, ScratchRowCells) {
  struct Case {
    const char* name;
    QString vector;
    QStringList expected;
  };
  const Case cases[] = {
      {"seven allowances",
       "900.1,760.2,680.3,640.4,620.5,610.6,600.7",
       {"900.1", "760.2", "680.3", "640.4", "620.5", "610.6", "600.7"}},
      {"the module's placeholder", "0", {"0", "", "", "", "", "", ""}},
      {"blanks trimmed", " 1 , 2,3 ", {"1", "2", "3", "", "", "", ""}},
      {"more than fifteen fields: the first seven",
       "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17",
       {"1", "2", "3", "4", "5", "6", "7"}},
      {"empty", "", {"", "", "", "", "", "", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EventModel model = SheetModel(1, kScratchSheet);
    model.BoatVector[1][1] = c.vector;
    const QStringList expected = QStringList{"Boat 01", "JPN-4001", "Tern 29", "563.5"} + c.expected;
    EXPECT_EQ(ScratchRowTexts(model, 1), expected);
  }
}

TEST(SheetImageTextTest, AllowancesWithOneDecimal) {
  EXPECT_EQ(OneDecimalAllowance(QStringLiteral("812.345678901234")), QStringLiteral("812.3"));
  EXPECT_EQ(OneDecimalAllowance(QStringLiteral("0")), QStringLiteral("0.0"));
  EXPECT_EQ(OneDecimalAllowance(QStringLiteral("1234.96")), QStringLiteral("1235.0"));
  EXPECT_EQ(OneDecimalAllowance(QStringLiteral("n/a")), QStringLiteral("n/a"));
}

TEST(SheetImageTextTest, LogosShrinkIntoTheirBoxAndNeverGrow) {
  struct Case {
    QSize size, expected;
  };
  const Case cases[] = {
      {{100, 100}, {100, 100}}, {{320, 150}, {320, 150}}, {{12, 8}, {12, 8}},    {{300, 900}, {50, 150}},
      {{1000, 100}, {320, 32}}, {{640, 300}, {320, 150}}, {{5000, 1}, {320, 1}},
  };
  for (const Case& c : cases) {
    const QSize fitted = FittedLogoSize(c.size);
    EXPECT_EQ(fitted, c.expected) << c.size.width() << "x" << c.size.height();
  }
}

TEST(SheetImageTextTest, FileNameFollowsTheRaceXml) {
  EventModel model = SheetModel(1);
  model.RaceXmlFile = QStringLiteral("/data.2017/KIVODATA/XML/Cup_R1.xml");
  EXPECT_EQ(SheetImageFileName(model, kResultSheet), QStringLiteral("Cup_R1_result.jpg"));
  EXPECT_EQ(SheetImageFileName(model, kScratchSheet), QStringLiteral("Cup_R1_scratch.jpg"));
}

}  // namespace
}  // namespace kivo
