#include "core/csv_sheet.h"

#include <functional>

#include <gtest/gtest.h>
#include <QLocale>

#include "core/number_text.h"
#include "testing/rms_fixtures.h"
#include "testing/sheet_fixtures.h"

namespace kivo {
namespace {

using fixtures::Cp932;

const QLocale kJapanese(QLocale::Japanese, QLocale::Japan);
const QLocale kGerman(QLocale::German, QLocale::Germany);

class CsvSheetTest : public fixtures::SheetFixture {
 protected:
  void SetUp() override {
    SheetFixture::SetUp();
    model_.SheetKind = 1;
    // A third boat that did not finish.
    model_.RaceEntryCount[1] = 3;
    SetBoat(3, "Charlie", "JPN-3", "Tern 31", "601");
    model_.BoatFinish[1][3] = QStringLiteral("0");
    model_.BoatStatus[1][3] = QStringLiteral("DNF");
    model_.BoatCorrectedPos[1][3] = 3;
    model_.BoatElapsed[1][3] = 0.0f;
    model_.ResultOrder[3] = 3;
    model_.BoatVector[1][3] = QStringLiteral("0");
  }
};

TEST_F(CsvSheetTest, SheetsInBothLanguages) {
  struct Case {
    const char* name;
    std::function<void(EventModel&)> change;
    QLocale locale;
    QStringList lines;
  };
  const QStringList englishHeader = {"Summer Regatta",
                                     "Result",
                                     "",
                                     "Class: Cruiser,,,,,Issued: 2017/07/02",
                                     "Race Name: Race One,,,,,Chief Jury: J. Member",
                                     "Start Datetime: 2017/07/01 10:00:00",
                                     "Time Limit    : 2017/07/01 16:00:00",
                                     "Distance: 12.3 NM",
                                     "Scoring System: KIVO (Kivometric)",
                                     "Course Type: ocean course",
                                     ""};
  const QString englishHeadings =
      "Yacht Name,Sail No,Finish Date, Finish Time,Note,ET(sec),ET Pos,Pen,CT(sec),CT Pos";
  const QStringList resultLines = {"Bravo,JPN-2,17/07/01,11:50:00,OK,6600,1,10,3960,1",
                                   "Alpha,JPN-1,17/07/01,11:55:00,OK,6900,2,0,3620,2",
                                   "Charlie,JPN-3,-,-,DNF,,,,,3"};
  const Case cases[] = {
      {"English result sheet", [](EventModel&) {}, kJapanese,
       englishHeader + QStringList{englishHeadings} + resultLines},
      {"Japanese result sheet, provisional",
       [](EventModel& m) {
         m.Language = 0;
         m.Provisional = 1;
       },
       kJapanese,
       QStringList{"Summer Regatta", "成　績  （暫定）", "", "クラス: Cruiser,,,,,2017/07/02",
                   "レース名: Race One,,,,,レース委員長: J. Member", "スタート日時　: 2017/07/01 10:00:00",
                   "タイムリミット: 2017/07/01 16:00:00", "コース距離: 12.3 浬",
                   "レーティング方式: KIVO (Kivometric)", "コースタイプ: ocean course", "",
                   "艇　名,ｾｰﾙNo,ﾌｨﾆｯｼｭ日, ﾌｨﾆｯｼｭ時刻,ﾉｰﾄ,経過(秒）,着順,ﾍﾟﾅﾙﾃｨ,修正(秒),修正順位"} +
           resultLines},
      {"English scratch sheet, provisional; the list \"0\"",
       [](EventModel& m) {
         m.SheetKind = 2;
         m.Provisional = 1;
       },
       kJapanese,
       QStringList{"Summer Regatta", "Scratch Sheet  （Provisional）", "",
                   "Class: Cruiser,,,,,Issued: 2017/06/30"} +
           englishHeader.mid(4) +
           QStringList{"Yacht Name,Sail No,Type,GPH,6kt,8kt,10kt,12kt,14kt,16kt,20kt",
                       "Alpha,JPN-1,Tern 30,612.5,700.1,650.2,600.3,580.4,570.5,560.6,550.7",
                       "Bravo,JPN-2,Tern 40,560.1,690,640,590,570,560,550,540",
                       "Charlie,JPN-3,Tern 31,601,0,,,,,,"}},
      {"Japanese scratch headings",
       [](EventModel& m) {
         m.SheetKind = 2;
         m.Language = 0;
         m.RaceEntryCount[1] = 0;
       },
       kJapanese,
       QStringList{"Summer Regatta", "スクラッチシート", "", "クラス: Cruiser,,,,,2017/06/30",
                   "レース名: Race One,,,,,レース委員長: J. Member", "スタート日時　: 2017/07/01 10:00:00",
                   "タイムリミット: 2017/07/01 16:00:00", "コース距離: 12.3 浬",
                   "レーティング方式: KIVO (Kivometric)", "コースタイプ: ocean course", "",
                   "艇　名,セール番号,タイプ,GPH,6ﾉｯﾄ,8ﾉｯﾄ,10ﾉｯﾄ,12ﾉｯﾄ,14ﾉｯﾄ,16ﾉｯﾄ,20ﾉｯﾄ"}},
      {"halves round to the even neighbour",
       [](EventModel& m) {
         m.RaceEntryCount[1] = 1;
         m.ResultOrder[1] = 1;
         m.BoatElapsed[1][1] = 12.5f;
         m.BoatCorrected[1][1] = 13.5f;
       },
       kJapanese,
       englishHeader + QStringList{englishHeadings, "Alpha,JPN-1,17/07/01,11:55:00,OK,12,2,0,14,2"}},
      {"fields holding a comma or a quote are quoted, the separators stay",
       [](EventModel& m) {
         m.EventName = QStringLiteral("Fish & Chips, \"Summer\" Cup");
         m.EventClass = QStringLiteral("A, B");
         m.RaceName[1] = QStringLiteral("5\" Race");
         m.EntryName[2] = QStringLiteral("<i>A&B\"</i>");
         m.EntryName[1] = QStringLiteral("Say \"Hi\", Bob");
       },
       kJapanese,
       QStringList{"\"Fish & Chips, \"\"Summer\"\" Cup\"", "Result", "",
                   "\"Class: A, B\",,,,,Issued: 2017/07/02",
                   "\"Race Name: 5\"\" Race\",,,,,Chief Jury: J. Member"} +
           englishHeader.mid(5) +
           QStringList{englishHeadings, "\"<i>A&B\"\"</i>\",JPN-2,17/07/01,11:50:00,OK,6600,1,10,3960,1",
                       "\"Say \"\"Hi\"\", Bob\",JPN-1,17/07/01,11:55:00,OK,6900,2,0,3620,2", resultLines[2]}},
      {"a locale with \",\" as decimal separator",
       [](EventModel& m) {
         m.BoatPenalty[1][2] = QStringLiteral("2,5");
         m.RaceEntryCount[1] = 2;
       },
       kGerman,
       englishHeader.mid(0, 7) + QStringList{"\"Distance: 12,3 NM\"", "Scoring System: KIVO (Kivometric)",
                                             "Course Type: ocean course", "", englishHeadings,
                                             "Bravo,JPN-2,17.07.01,11:50:00,OK,6600,1,\"2,5\",3690,1",
                                             "Alpha,JPN-1,17.07.01,11:55:00,OK,6900,2,0,3620,2"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    c.change(model_);
    EXPECT_EQ(Text(Lines(CsvSheetText(model_, c.locale))), Text(c.lines));
  }
}

TEST(CsvField, QuotesOnlyFieldsThatNeedIt) {
  const struct {
    QString value, written;
  } cases[] = {
      {"plain", "plain"},
      {"", ""},
      {"a,b", "\"a,b\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"two\nlines", "\"two\nlines\""},
      {"cr\r", "\"cr\r\""},
      {"艇　名", "艇　名"},
  };
  for (const auto& c : cases) EXPECT_EQ(CsvField(c.value), c.written) << c.value.toStdString();
}

TEST_F(CsvSheetTest, TheSheetIsWrittenWholeInCp932) {
  model_.Language = 0;
  EXPECT_EQ(WriteCsvSheet(model_, kJapanese), model_.CsvFolder + "/regatta_R1_result.csv");
  EXPECT_EQ(model_.ResultCsvFile, model_.CsvFolder + "/regatta_R1_result.csv");
  const QByteArray written = ReadAll(model_.ResultCsvFile);
  EXPECT_TRUE(written.contains(Cp932("成　績\r\n")));
  EXPECT_FALSE(written.contains(QStringLiteral("成").toUtf8()));
  model_.SheetKind = 2;
  EXPECT_EQ(WriteCsvSheet(model_, kJapanese), model_.CsvFolder + "/regatta_R1_scratch.csv");
  EXPECT_EQ(model_.ScratchCsvFile, model_.CsvFolder + "/regatta_R1_scratch.csv");

  // A finish or a penalty that does not convert: the file stays as it was.
  model_.SheetKind = 1;
  const struct {
    const char* name;
    int entry;
    QString finish, penalty;
    const char* message;
  } failures[] = {
      {"finish", 1, "2017/07/01 25:00:00", "0", "'2017/07/01 25:00:00' is not a valid date and time"},
      {"penalty", 2, "2017/07/01 11:50:00", "x", "'x' is not a valid floating point value"},
  };
  for (const auto& f : failures) {
    SCOPED_TRACE(f.name);
    SetUp();
    model_.Language = 0;
    model_.BoatFinish[1][f.entry] = f.finish;
    model_.BoatPenalty[1][f.entry] = f.penalty;
    try {
      WriteCsvSheet(model_, kJapanese);
      ADD_FAILURE() << "no error";
    } catch (const EConvertError& e) {
      EXPECT_STREQ(e.what(), f.message);
    }
    EXPECT_EQ(ReadAll(model_.CsvFolder + "/regatta_R1_result.csv"), written);
  }
}

}  // namespace
}  // namespace kivo
