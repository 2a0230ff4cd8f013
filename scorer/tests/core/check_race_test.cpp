// Gathering the event and course pages into the model: the copied fields,
// the missing-data list in its order, the legs and the readiness state.
#include <gtest/gtest.h>

#include "core/check_race.h"
#include "core/event_model.h"
#include "testing/one_race_model.h"
#include "testing/rms_fixtures.h"

namespace kivo {
namespace {

const QLocale kJapanese(QLocale::Japanese, QLocale::Japan);
const QLocale kGerman(QLocale::German, QLocale::Germany);

std::vector<std::array<QString, 4>> ZeroGrid() {
  return std::vector<std::array<QString, 4>>(14, {"0", "0", "0", "0"});
}

class CheckRaceTest : public ::testing::Test {
 protected:
  CheckRaceTest() {
    fields.eventName = QStringLiteral("Summer Regatta");
    fields.raceName = QStringLiteral("Race 1");
    fields.eventClass = QStringLiteral("TarvelC");
    fields.chairman = QStringLiteral("Chair");
    fields.saveName = QStringLiteral("summer");
    fields.startDate = QDate(2017, 7, 1);
    fields.startTime = QTime(10, 0, 0);
    fields.limitDate = QDate(2017, 7, 1);
    fields.limitTime = QTime(16, 0, 0);
    fields.jury = QStringLiteral("Jury");
    fields.courseType = 2;
    fields.courseTypeText = QStringLiteral("ocean course");
    fields.distance = QStringLiteral("12.5");
  }
  void Entries(int entries, int finished) {
    model.RaceEntryCount[1] = entries;
    model.RaceFinishedCount[1] = finished;
    for (int k = 1; k <= entries; ++k)
      model.EntryRecord[k] = fixtures::SyntheticRecord(k, "BOAT" + QByteArray::number(k));
  }
  QStringList Missing() const {
    QStringList items;
    for (int i = 1; i <= model.MissingCount; ++i) items << model.MissingItems[i];
    return items;
  }
  EventModel model = fixtures::OneRaceModel();
  RacePageFields fields;
};

TEST_F(CheckRaceTest, CopiesEveryField) {
  fields.eventName = QStringLiteral("  Summer Regatta \t");
  fields.saveName = QStringLiteral(" summer ");
  fields.raceName = QStringLiteral(" Race 1 ");
  Entries(2, 2);
  CheckRace(model, fields, kJapanese);
  EXPECT_EQ(model.EventName, QStringLiteral("Summer Regatta"));
  EXPECT_EQ(model.SaveName, QStringLiteral("summer"));
  EXPECT_EQ(model.RaceName[1], QStringLiteral(" Race 1 "));  // as typed
  EXPECT_EQ(model.EventClass, QStringLiteral("TarvelC"));
  EXPECT_EQ(model.Chairman, QStringLiteral("Chair"));
  EXPECT_EQ(model.RaceJury[1], QStringLiteral("Jury"));
  EXPECT_EQ(model.RaceStart[1], QStringLiteral("2017/07/01 10:00:00"));
  EXPECT_EQ(model.RaceLimit[1], QStringLiteral("2017/07/01 16:00:00"));
  EXPECT_EQ(model.RaceType[1], 2);
  EXPECT_EQ(model.RaceTypeText[1], QStringLiteral("ocean course"));
  EXPECT_EQ(model.RaceLegCount[1], 0);
  EXPECT_FLOAT_EQ(model.CourseDistance[1], 12.5f);
  EXPECT_TRUE(Missing().isEmpty());
  EXPECT_EQ(model.ReadinessState, kResultsAndScratch);
}

TEST_F(CheckRaceTest, GermanLocaleReadsCommaDistancesAndWritesItsSeparators) {
  fields.distance = QStringLiteral("12,5");
  Entries(1, 1);
  CheckRace(model, fields, kGerman);
  EXPECT_FLOAT_EQ(model.CourseDistance[1], 12.5f);
  EXPECT_EQ(model.RaceStart[1], QStringLiteral("2017.07.01 10:00:00"));
  fields.distance = QStringLiteral("12.5");
  EXPECT_THROW(CheckRace(model, fields, kGerman), CheckConversionError);
  fields.distance = QStringLiteral("1.250");  // a group separator is no number either
  EXPECT_THROW(CheckRace(model, fields, kGerman), CheckConversionError);
}

TEST_F(CheckRaceTest, EveryMissingItemInItsOrder) {
  fields = RacePageFields();
  fields.courseType = 0;
  fields.legRows = ZeroGrid();
  CheckRace(model, fields, kJapanese);
  EXPECT_EQ(Missing(), (QStringList{missing::kEventName, missing::kRaceName, missing::kClassName,
                                    missing::kChairman, missing::kSaveName, missing::kJury, missing::kNoLegs,
                                    missing::kDistance, missing::kNoEntries, missing::kNoneFinished}));
  EXPECT_FLOAT_EQ(model.CourseDistance[1], 0.0f);
  EXPECT_EQ(model.ReadinessState, kCannotCompute);
}

TEST_F(CheckRaceTest, LengthsCountBytesOfTheCodePage) {
  struct Case {
    QString raceName;
    bool missing;
  };
  const std::vector<Case> cases = {
      {QStringLiteral("第"), true},     // 2 bytes
      {QStringLiteral("第一"), false},  // 4 bytes
      {QStringLiteral("R1"), true},
      {QStringLiteral("R 1"), false},
      {QStringLiteral("ﾚｰ"), true},  // half-width katakana: 1 byte each
      {QStringLiteral("ﾚｰｽ"), false},
      {QStringLiteral("   "), false},  // blanks count, the race name is not trimmed
  };
  Entries(2, 2);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.raceName.toStdString());
    fields.raceName = c.raceName;
    CheckRace(model, fields, kJapanese);
    EXPECT_EQ(Missing().contains(missing::kRaceName), c.missing);
  }
  fields.raceName = QStringLiteral("Race 1");
  fields.eventName = QStringLiteral(" 海 ");  // trimmed to 2 bytes
  CheckRace(model, fields, kJapanese);
  EXPECT_EQ(Missing(), QStringList{missing::kEventName});
}

TEST_F(CheckRaceTest, ReadinessRulesInTheirOrder) {
  struct Case {
    int entries;
    int finished;
    QString saveName;
    int state;
    QStringList missing;
  };
  const std::vector<Case> cases = {
      {2, 0, "summer", kScratchOnly, {missing::kNoneFinished}},
      {3, 1, "summer", kResultsAndScratch, {missing::kNotAllFinished}},
      {2, 2, "summer", kResultsAndScratch, {}},
      {1, 1, "summer", kResultsAndScratch, {}},
      {1, 0, "summer", kCannotCompute, {missing::kNoneFinished}},
      {0, 0, "summer", kCannotCompute, {missing::kNoEntries, missing::kNoneFinished}},
      {2, 2, "ab", kCannotCompute, {missing::kSaveName}},
      {3, 1, "ab", kCannotCompute, {missing::kSaveName, missing::kNotAllFinished}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(QStringLiteral("%1 entries, %2 finished, save name %3")
                     .arg(c.entries)
                     .arg(c.finished)
                     .arg(c.saveName)
                     .toStdString());
    fields.saveName = c.saveName;
    Entries(c.entries, c.finished);
    CheckRace(model, fields, kJapanese);
    EXPECT_EQ(model.ReadinessState, c.state);
    EXPECT_EQ(Missing(), c.missing);
  }
}

TEST_F(CheckRaceTest, FinishesNotAfterTheStartAreListedAndStopTheComputation) {
  const struct {
    const char* name;
    const char* finish;
    std::uint8_t finished;
  } boats[] = {
      {"ALPHA", "2017/07/01 09:59:59", 1},    // one second early
      {"BRAVO", "2017/07/01 10:00:00", 1},    // at the start
      {"CHARLIE", "-", 1},                    // a status without a time
      {"DELTA ", "2017/06/30 23:00:00", 1},   // the day before
      {"ECHO", "", 0},                        // still racing
      {"FOXTROT", "2017/07/01 10:00:01", 1},  // one second after
  };
  int k = 0;
  for (const auto& boat : boats) {
    ++k;
    model.EntryName[k] = QString::fromLatin1(boat.name);
    model.BoatFinish[1][k] = QString::fromLatin1(boat.finish);
    model.BoatFinished[1][k] = boat.finished;
  }
  Entries(6, 5);
  CheckRace(model, fields, kJapanese);
  EXPECT_EQ(Missing(),
            (QStringList{missing::kNotAllFinished, missing::kFinishNotAfterStart + QStringLiteral("ALPHA"),
                         missing::kFinishNotAfterStart + QStringLiteral("BRAVO"),
                         missing::kFinishNotAfterStart + QStringLiteral("DELTA")}));
  EXPECT_EQ(model.ReadinessState, kCannotCompute);

  // Mended by an earlier start.
  fields.startDate = QDate(2017, 6, 30);
  CheckRace(model, fields, kJapanese);
  EXPECT_EQ(Missing(), QStringList{missing::kNotAllFinished});
  EXPECT_EQ(model.ReadinessState, kResultsAndScratch);
}

TEST_F(CheckRaceTest, LegsAreTheFirstRowsOfTheGridAsManyAsCounted) {
  fields.courseType = 0;
  fields.legRows = ZeroGrid();
  fields.legRows[0] = {"5", "45", "10", "12.5"};
  fields.legRows[2] = {"3", "90", "20", "8"};
  Entries(2, 2);
  CheckRace(model, fields, kJapanese);
  EXPECT_EQ(model.RaceLegCount[1], 2);
  EXPECT_FLOAT_EQ(model.LegDistance[1][1], 5.0f);
  EXPECT_FLOAT_EQ(model.LegCourse[1][1], 45.0f);
  EXPECT_FLOAT_EQ(model.LegWindDirection[1][1], 10.0f);
  EXPECT_FLOAT_EQ(model.LegWindSpeed[1][1], 12.5f);
  EXPECT_FLOAT_EQ(model.LegDistance[1][2], 0.0f);  // row 2, not row 3
  EXPECT_FLOAT_EQ(model.LegCourse[1][2], 0.0f);
  EXPECT_FLOAT_EQ(model.LegDistance[1][3], 0.0f);
  EXPECT_TRUE(Missing().isEmpty());

  // " 0 " trims to "0" and is no leg; "0.0" is not exactly "0" and is one.
  fields.legRows = ZeroGrid();
  fields.legRows[0][0] = QStringLiteral(" 0 ");
  fields.legRows[1][0] = QStringLiteral("0.0");
  CheckRace(model, fields, kJapanese);
  EXPECT_EQ(model.RaceLegCount[1], 1);
  EXPECT_FLOAT_EQ(model.LegDistance[1][1], 0.0f);
}

TEST_F(CheckRaceTest, OtherCourseTypesTakeNoLegsAndLeaveTheValues) {
  fields.courseType = 0;
  fields.legRows = ZeroGrid();
  fields.legRows[0] = {"5", "45", "10", "12"};
  Entries(1, 1);
  CheckRace(model, fields, kJapanese);
  ASSERT_EQ(model.RaceLegCount[1], 1);
  fields.courseType = 1;
  fields.legRows.clear();
  CheckRace(model, fields, kJapanese);
  EXPECT_EQ(model.RaceLegCount[1], 0);
  EXPECT_FLOAT_EQ(model.LegDistance[1][1], 5.0f);
}

TEST_F(CheckRaceTest, CellsThatHoldNoNumberStopAtThatFieldNamingIt) {
  struct Case {
    const char* how;
    int row;
    int column;
    QString cell;
    QString distance;
    QString message;
  };
  const std::vector<Case> cases = {
      {"empty distance cell", 0, 0, "", "12.5", "(P2)LEG1 距離: '' is not a valid floating point value"},
      {"letters in a wind cell", 1, 3, "fresh", "12.5",
       "(P2)LEG2 風速: 'fresh' is not a valid floating point value"},
      {"letters in the distance", -1, 0, "", "abc",
       "(P2)コース距離: 'abc' is not a valid floating point value"},
      {"blanks in the distance", -1, 0, "", "  ", "(P2)コース距離: '  ' is not a valid floating point value"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    model = fixtures::OneRaceModel();
    Entries(3, 1);
    fields.courseType = 0;
    fields.legRows = ZeroGrid();
    fields.legRows[0] = {"5", "45", "10", "12"};
    fields.legRows[1] = {"3", "90", "20", "8"};
    if (c.row >= 0) fields.legRows[c.row][c.column] = c.cell;
    fields.distance = c.distance;
    fields.jury.clear();
    try {
      CheckRace(model, fields, kJapanese);
      ADD_FAILURE() << "no conversion error";
    } catch (const CheckConversionError& e) {
      EXPECT_EQ(QString::fromUtf8(e.what()), c.message);
    }
    // What was copied before the field stays; the state is 0; the list
    // holds the items found so far.
    EXPECT_EQ(model.EventName, QStringLiteral("Summer Regatta"));
    EXPECT_EQ(model.RaceStart[1], QStringLiteral("2017/07/01 10:00:00"));
    EXPECT_EQ(model.ReadinessState, kCannotCompute);
    EXPECT_EQ(Missing(), QStringList{missing::kJury});
    EXPECT_FLOAT_EQ(model.CourseDistance[1], 0.0f);
  }
}

TEST_F(CheckRaceTest, MoreCountedRowsThanTheModelsLegsAreRefused) {
  fields.courseType = 0;
  fields.legRows = ZeroGrid();
  for (int row = 0; row < 10; ++row) fields.legRows[row][0] = QString::number(row + 1);
  Entries(2, 2);
  CheckRace(model, fields, kJapanese);
  EXPECT_EQ(Missing(), QStringList{missing::kTooManyLegs});
  EXPECT_EQ(model.ReadinessState, kCannotCompute);
  EXPECT_EQ(model.RaceLegCount[1], 9);
  EXPECT_FLOAT_EQ(model.LegDistance[1][9], 9.0f);
  ASSERT_EQ(model.LegDistance[1].size(), 10u);  // the model keeps its 9 legs

  fields.legRows[9][0] = QStringLiteral("0");  // mended
  CheckRace(model, fields, kJapanese);
  EXPECT_TRUE(Missing().isEmpty());
  EXPECT_EQ(model.RaceLegCount[1], 9);
  EXPECT_EQ(model.ReadinessState, kResultsAndScratch);
}

TEST_F(CheckRaceTest, SummaryTextListsTheItemsAndTheClosingSentence) {
  Entries(2, 0);
  CheckRace(model, fields, kJapanese);
  EXPECT_EQ(MissingDataSummary(model),
            QStringLiteral("下記の不足データがあります\n\n    (P4)フィニッシュした艇なし\n\n\n"
                           "スクラッチシートの計算は可能です。"));
  Entries(3, 1);
  CheckRace(model, fields, kJapanese);
  EXPECT_EQ(MissingDataSummary(model),
            QStringLiteral("下記の不足データがあります\n\n    (p4)フィニッシュしていない艇がある\n\n\n"
                           "成績, クラッチシートの計算は可能です。"));
  Entries(0, 0);
  fields.chairman.clear();
  CheckRace(model, fields, kJapanese);
  EXPECT_EQ(
      MissingDataSummary(model),
      QStringLiteral("下記の不足データがあります\n\n    (P1)レース委員長名\n    (P3)エントリー艇の選択なし\n"
                     "    (P4)フィニッシュした艇なし\n\n\nデータ不足により計算は不可能です。"));
}

}  // namespace
}  // namespace kivo
