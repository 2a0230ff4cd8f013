// The gather-and-check of the pages through the window: the copied fields,
// the summary box and its beep, the leg grid, the conversion errors and the
// tabs and page switch that call it.
#include <QLocale>
#include <QTest>

#include "core/check_race.h"
#include "form_fixture.h"
#include "testing/rms_fixtures.h"

namespace kivo::testing {
namespace {

class PinnedLocale {
 public:
  explicit PinnedLocale(const QLocale& locale) { QLocale::setDefault(locale); }
  ~PinnedLocale() { QLocale::setDefault(QLocale::system()); }
};

const QString kSummaryTitle = QStringLiteral("データの情報");

class CheckRaceDataTest : public FormFixture {
 protected:
  // Every field of the event and course pages filled; `entries` entries of
  // which `finished` have finished.
  TForm1& StartFilled(int entries, int finished) {
    TForm1& form = StartForm();
    form.Edit2->setText(QStringLiteral("Summer Regatta"));
    form.Edit4->setText(QStringLiteral("第一レース"));
    form.Edit7->setText(QStringLiteral("Chair"));
    form.Edit3->setText(QStringLiteral("summer"));
    form.Edit5->setText(QStringLiteral("Jury"));
    form.Edit1->setText(QLocale().toString(12.5));
    form.Model.EntryCount = entries;
    form.Model.RaceEntryCount[1] = entries;
    for (int k = 1; k <= entries; ++k) {
      form.Model.EntryName[k] = QStringLiteral("BOAT%1").arg(k);
      form.Model.EntryRecord[k] = fixtures::SyntheticRecord(k, "BOAT" + QByteArray::number(k));
      form.Model.BoatFinished[1][k] = k <= finished ? 1 : 0;
      form.Model.BoatFinish[1][k] = k <= finished ? QStringLiteral("-") : QString();
    }
    form.RefreshFinishLists();
    form.ShowPage(1);
    dialogs().Clear();
    return form;
  }
  QStringList Missing(const TForm1& form) const {
    QStringList items;
    for (int i = 1; i <= form.Model.MissingCount; ++i) items << form.Model.MissingItems[i];
    return items;
  }
  // Runs the check as "計算" does: with the summary box on.
  void CheckWithBox(TForm1& form) {
    form.Model.ShowMissingDataBox = 1;
    form.CheckRaceData();
  }
  void SetCourseType(TForm1& form, int type) { form.ComboBox1->setCurrentIndex(type); }
};

TEST_F(CheckRaceDataTest, CopiesThePagesIntoTheModel) {
  const PinnedLocale japanese(QLocale(QLocale::Japanese, QLocale::Japan));
  TForm1& form = StartFilled(2, 2);
  form.Edit2->setText(QStringLiteral("  Summer Regatta  "));
  form.DateTimePicker1->setDate(QDate(2017, 7, 2));
  form.DateTimePicker2->setTime(QTime(9, 30, 0));
  form.DateTimePicker4->setTime(QTime(17, 15, 30));
  form.CheckRaceData();
  EXPECT_EQ(form.Model.EventName, QStringLiteral("Summer Regatta"));
  EXPECT_EQ(form.Model.RaceName[1], QStringLiteral("第一レース"));
  EXPECT_EQ(form.Model.EventClass, QStringLiteral("TarvelC"));
  EXPECT_EQ(form.Model.Chairman, QStringLiteral("Chair"));
  EXPECT_EQ(form.Model.SaveName, QStringLiteral("summer"));
  EXPECT_EQ(form.Model.RaceJury[1], QStringLiteral("Jury"));
  EXPECT_EQ(form.Model.RaceStart[1], QStringLiteral("2017/07/02 09:30:00"));
  EXPECT_EQ(form.Model.RaceLimit[1], QStringLiteral("2017/07/01 17:15:30"));
  EXPECT_EQ(form.Model.RaceType[1], 2);
  EXPECT_EQ(form.Model.RaceTypeText[1], QStringLiteral("ocean course"));
  EXPECT_FLOAT_EQ(form.Model.CourseDistance[1], 12.5f);
  EXPECT_EQ(form.Model.ReadinessState, kResultsAndScratch);
  EXPECT_TRUE(Missing(form).isEmpty());
}

TEST_F(CheckRaceDataTest, SummaryBoxListsWhatIsMissingAndBeeps) {
  struct Case {
    int entries;
    int finished;
    int state;
    QString text;  // empty: no box
  };
  const std::vector<Case> cases = {
      {2, 0, kScratchOnly,
       "下記の不足データがあります\n\n    (P4)フィニッシュした艇なし\n\n\nスクラッチシートの計算は可能です。"},
      {3, 1, kResultsAndScratch,
       "下記の不足データがあります\n\n    (p4)フィニッシュしていない艇がある\n\n\n成績, クラッチシートの計算は可能です。"},
      {1, 0, kCannotCompute,
       "下記の不足データがあります\n\n    (P4)フィニッシュした艇なし\n\n\nデータ不足により計算は不可能です。"},
      {2, 2, kResultsAndScratch, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(QStringLiteral("%1 entries, %2 finished").arg(c.entries).arg(c.finished).toStdString());
    TForm1& form = StartFilled(c.entries, c.finished);
    EXPECT_EQ(form.Model.RaceFinishedCount[1], c.finished);
    const int beeps = machine().Beeps();
    CheckWithBox(form);
    EXPECT_EQ(form.Model.ReadinessState, c.state);
    if (c.text.isEmpty()) {
      EXPECT_TRUE(dialogs().Events().empty());
      EXPECT_EQ(machine().Beeps(), beeps);
    } else {
      ASSERT_EQ(dialogs().Events().size(), 1u);
      EXPECT_EQ(dialogs().Events()[0].title, kSummaryTitle);
      EXPECT_EQ(dialogs().Events()[0].text, c.text);
      EXPECT_EQ(machine().Beeps(), beeps + 1);
    }
  }
}

TEST_F(CheckRaceDataTest, WithoutTheBoxOnlyTheListAndTheStateChange) {
  TForm1& form = StartFilled(0, 0);
  form.Edit3->setText(QStringLiteral("ab"));
  const int beeps = machine().Beeps();
  form.CheckRaceData();
  EXPECT_EQ(Missing(form), (QStringList{missing::kSaveName, missing::kNoEntries, missing::kNoneFinished}));
  EXPECT_EQ(form.Model.ReadinessState, kCannotCompute);
  EXPECT_TRUE(dialogs().Events().empty());
  EXPECT_EQ(machine().Beeps(), beeps);
}

TEST_F(CheckRaceDataTest, JapaneseNamesCountTheirBytes) {
  TForm1& form = StartFilled(2, 2);
  struct Case {
    QLineEdit* field;
    QString text;
    QString item;
    bool missing;
  };
  const std::vector<Case> cases = {
      {form.Edit4, "第", missing::kRaceName, true},  {form.Edit4, "第一", missing::kRaceName, false},
      {form.Edit2, "海", missing::kEventName, true}, {form.Edit2, "海原", missing::kEventName, false},
      {form.Edit3, "夏", missing::kSaveName, true},  {form.Edit3, "夏季", missing::kSaveName, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.toStdString());
    const QString before = c.field->text();
    c.field->setText(c.text);
    form.CheckRaceData();
    EXPECT_EQ(Missing(form).contains(c.item), c.missing);
    c.field->setText(before);
  }
}

TEST_F(CheckRaceDataTest, LegRowsOfAConstructedCourse) {
  TForm1& form = StartFilled(2, 2);
  SetCourseType(form, 0);
  form.StringGrid1->SetCells(1, 1, QStringLiteral("5"));
  form.StringGrid1->SetCells(2, 1, QStringLiteral("45"));
  form.StringGrid1->SetCells(1, 3, QStringLiteral("3"));
  form.CheckRaceData();
  EXPECT_EQ(form.Model.RaceLegCount[1], 2);
  EXPECT_FLOAT_EQ(form.Model.LegDistance[1][1], 5.0f);
  EXPECT_FLOAT_EQ(form.Model.LegCourse[1][1], 45.0f);
  EXPECT_FLOAT_EQ(form.Model.LegDistance[1][2], 0.0f);
  EXPECT_TRUE(Missing(form).isEmpty());

  for (int row = 1; row <= 14; ++row) form.StringGrid1->SetCells(1, row, QStringLiteral("0"));
  form.CheckRaceData();
  EXPECT_EQ(form.Model.RaceLegCount[1], 0);
  EXPECT_EQ(Missing(form), QStringList{missing::kNoLegs});

  // Rows 11 to 14 are not shown but count when something wrote them.
  for (int row = 1; row <= 10; ++row) form.StringGrid1->SetCells(1, row, QString::number(row));
  form.CheckRaceData();
  EXPECT_EQ(Missing(form), QStringList{missing::kTooManyLegs});
  EXPECT_EQ(form.Model.RaceLegCount[1], 9);
  EXPECT_EQ(form.Model.ReadinessState, kCannotCompute);
  form.StringGrid1->SetCells(1, 10, QStringLiteral("0"));
  form.StringGrid1->SetCells(1, 12, QStringLiteral("2"));
  form.CheckRaceData();
  EXPECT_EQ(Missing(form), QStringList{missing::kTooManyLegs});
  form.StringGrid1->SetCells(1, 12, QStringLiteral("0"));
  form.CheckRaceData();
  EXPECT_TRUE(Missing(form).isEmpty());
  EXPECT_EQ(form.Model.ReadinessState, kResultsAndScratch);

  // Another course type reads no grid.
  form.StringGrid1->SetCells(1, 1, QStringLiteral("x"));
  SetCourseType(form, 1);
  form.CheckRaceData();
  EXPECT_EQ(form.Model.RaceLegCount[1], 0);
}

TEST_F(CheckRaceDataTest, CellsThatHoldNoNumberStopTheTabNamingTheField) {
  TForm1& form = StartFilled(2, 2);
  SetCourseType(form, 0);
  form.StringGrid1->SetCells(1, 1, QString());
  form.Edit1->setText(QStringLiteral("12"));
  form.Model.ShowMissingDataBox = 1;
  QTest::mouseClick(form.Panel4, Qt::LeftButton);
  EXPECT_EQ(form.ShownPage(), 1);
  EXPECT_EQ(dialogs().Messages(),
            QStringList{QStringLiteral("(P2)LEG1 距離: '' is not a valid floating point value")});
  EXPECT_EQ(form.Model.ReadinessState, kCannotCompute);
  EXPECT_TRUE(form.StringGrid1->Cells(1, 1).isEmpty());  // nothing typed is lost

  SetCourseType(form, 2);
  form.Edit1->setText(QStringLiteral("twelve"));
  dialogs().Clear();
  QTest::mouseClick(form.Panel6, Qt::LeftButton);
  EXPECT_EQ(form.ShownPage(), 1);
  EXPECT_EQ(dialogs().Messages(),
            QStringList{QStringLiteral("(P2)コース距離: 'twelve' is not a valid floating point value")});
  EXPECT_EQ(form.Edit1->text(), QStringLiteral("twelve"));
}

TEST_F(CheckRaceDataTest, AnEmptyDistanceIsMissingAndKeepsTheTabsShut) {
  TForm1& form = StartFilled(2, 2);
  form.Edit1->clear();
  form.Model.ShowMissingDataBox = 1;
  QTest::mouseClick(form.Panel4, Qt::LeftButton);
  EXPECT_EQ(form.ShownPage(), 1);
  ASSERT_EQ(dialogs().Events().size(), 2u);
  EXPECT_EQ(dialogs().Events()[0].title, kSummaryTitle);
  EXPECT_TRUE(dialogs().Events()[0].text.contains(QStringLiteral("    (P2)コース距離\n")));
  EXPECT_FLOAT_EQ(form.Model.CourseDistance[1], 0.0f);
}

TEST_F(CheckRaceDataTest, ResultTabOpensOnceADistanceAndAnEntryExist) {
  TForm1& form = StartFilled(1, 0);
  form.Model.ShowMissingDataBox = 1;  // as a calculation leaves it
  QTest::mouseClick(form.Panel6, Qt::LeftButton);
  EXPECT_EQ(form.ShownPage(), 5);
  // The tab's own check shows the box once; showing the result page turns
  // it off for the checks that follow.
  ASSERT_EQ(dialogs().Events().size(), 1u);
  EXPECT_EQ(dialogs().Events()[0].title, kSummaryTitle);
  EXPECT_EQ(form.Model.ShowMissingDataBox, 0);
  EXPECT_FALSE(form.Button18->isEnabled());
  EXPECT_FALSE(form.Button19->isEnabled());
  dialogs().Clear();
  QTest::mouseClick(form.Panel4, Qt::LeftButton);
  EXPECT_EQ(form.ShownPage(), 4);
  EXPECT_TRUE(dialogs().Events().empty());
}

TEST_F(CheckRaceDataTest, DistancesFollowTheUserLocale) {
  const PinnedLocale german(QLocale(QLocale::German, QLocale::Germany));
  TForm1& form = StartFilled(2, 2);
  form.Edit1->setText(QStringLiteral("12,5"));
  QTest::mouseClick(form.Panel4, Qt::LeftButton);
  EXPECT_EQ(form.ShownPage(), 4);
  EXPECT_FLOAT_EQ(form.Model.CourseDistance[1], 12.5f);
  EXPECT_EQ(form.Model.RaceStart[1], QStringLiteral("2017.07.01 10:00:00"));

  form.ShowPage(1);
  form.Edit1->setText(QStringLiteral("12.5"));
  dialogs().Clear();
  QTest::mouseClick(form.Panel4, Qt::LeftButton);
  EXPECT_EQ(form.ShownPage(), 1);
  EXPECT_EQ(dialogs().Messages(),
            QStringList{QStringLiteral("(P2)コース距離: '12.5' is not a valid floating point value")});

  SetCourseType(form, 0);
  form.Edit1->setText(QStringLiteral("7,5"));
  form.StringGrid1->SetCells(1, 1, QStringLiteral("2,5"));
  form.StringGrid1->SetCells(4, 1, QStringLiteral("11,5"));
  form.CheckRaceData();
  EXPECT_FLOAT_EQ(form.Model.LegDistance[1][1], 2.5f);
  EXPECT_FLOAT_EQ(form.Model.LegWindSpeed[1][1], 11.5f);
}

}  // namespace
}  // namespace kivo::testing
