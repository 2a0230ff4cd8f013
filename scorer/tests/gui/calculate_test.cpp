// "計算" through the widgets with the real module: the race typed on the
// pages is written as the race XML, scored by Kivo and read back; the
// locked-event question; a module failure and a race XML that cannot be
// written are shown to the user.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>

#include "core/race_xml.h"
#include "race_typing.h"
#include "testing/rms_fixtures.h"

namespace kivo::testing {
namespace {

using platform::Answer;

const QString kLockedQuestion = QStringLiteral(
    "データはロックされています\n既に計算されたデータがあります。\n再計算しますか？\n"
    "(いいえを押すと既存のデータで出力します）");

class CalculateTest : public RaceTypingFixture {
 protected:
  void Calculate() {
    form().Panel6->Click();
    ASSERT_EQ(form().ShownPage(), 5) << dialogs().Messages().join('|').toStdString();
    form().Button12->click();
  }

  QString RaceXmlPath(const QString& name = QStringLiteral("Cup_R1.xml")) const {
    return PathOf(QStringLiteral("KIVODATA/XML/") + name);
  }
};

TEST_F(CalculateTest, ThreeBoatsAreScoredByTheModuleAndReadBack) {
  TForm1& form = StartForm();
  TypeThreeBoatRace();
  ASSERT_EQ(form.Model.RaceFinishedCount[1], 3);
  dialogs().Clear();
  const int beepsBefore = machine().Beeps();
  Calculate();

  EXPECT_TRUE(dialogs().Events().empty()) << dialogs().Messages().join('|').toStdString();
  EXPECT_EQ(form.Memo1->toPlainText(), QStringLiteral("OK"));
  EXPECT_EQ(machine().Beeps(), beepsBefore + 1);
  EXPECT_TRUE(form.Button18->isEnabled());
  EXPECT_TRUE(form.Button19->isEnabled());
  EXPECT_EQ(form.Model.RaceXmlFile, RaceXmlPath());
  EXPECT_EQ(form.Model.RaceXmlName[1], QStringLiteral("Cup_R1.xml"));

  const QByteArray xml = ReadFile("KIVODATA/XML/Cup_R1.xml");
  EXPECT_TRUE(xml.contains("KivoModuleVersion=\"1.3.0.5\"")) << xml.left(300).toStdString();
  EXPECT_EQ(xml.count("<boat "), 3);

  const QStringList names = {form.Model.EntryName[1], form.Model.EntryName[2], form.Model.EntryName[3]};
  form.ReadRaceResults();
  EXPECT_EQ(form.Model.ResultsFlags, 3);
  EXPECT_EQ(form.Model.EntryCount, 3);
  EXPECT_EQ(form.Model.RaceFinishedCount[1], 3);
  EXPECT_EQ(form.Model.RaceType[1], 1);
  EXPECT_EQ(form.Model.CourseDistance[1], 10.0f);
  EXPECT_EQ(form.Model.RaceName[1], QStringLiteral("Race One"));
  EXPECT_EQ(form.Model.RaceStart[1], QStringLiteral("2017/07/01 10:00:00"));
  for (int entry = 1; entry <= 3; ++entry) {
    SCOPED_TRACE(entry);
    EXPECT_EQ(form.Model.EntryName[entry], names[entry - 1]);
    EXPECT_GT(form.Model.BoatCorrected[1][entry], 0.0f);
    EXPECT_EQ(form.Model.BoatVector[1][entry].split(QLatin1Char(',')).size(), 7);
    EXPECT_EQ(form.Model.BoatStatus[1][entry], QStringLiteral("OK"));
  }
  // Elapsed 1:55, 2:00, 2:10 over the same course: the order holds in
  // corrected time too when the boats' ratings are close; at least the
  // corrected times differ from one another.
  EXPECT_NE(form.Model.BoatCorrected[1][1], form.Model.BoatCorrected[1][2]);
}

TEST_F(CalculateTest, AConstructedCourseOfThreeLegsIsWrittenAndScored) {
  TForm1& form = StartForm();
  TypeEvent(QStringLiteral("Summer Regatta"), QStringLiteral("Race One"), QStringLiteral("Cup"));
  TypeCourse(0, QStringLiteral("10"));
  TypeLeg(1, {"4", "0", "0", "10"});
  TypeLeg(2, {"3", "120", "0", "10"});
  TypeLeg(3, {"3", "240", "0", "10"});
  EnterBoats({0, 1, 2});
  RecordFinish(QTime(11, 55, 0));
  RecordFinish(QTime(12, 0, 0));
  RecordFinish(QTime(12, 10, 0));
  dialogs().Clear();
  Calculate();

  EXPECT_EQ(form.Memo1->toPlainText(), QStringLiteral("OK"));
  EXPECT_EQ(form.Model.RaceLegCount[1], 3);
  const QByteArray xml = ReadFile("KIVODATA/XML/Cup_R1.xml");
  EXPECT_EQ(xml.count("<leg "), 3);
  EXPECT_TRUE(xml.contains("course=\"120\"")) << xml.toStdString();
  form.ReadRaceResults();
  EXPECT_EQ(form.Model.ResultsFlags, 3);
  EXPECT_EQ(form.Model.RaceLegCount[1], 3);
  EXPECT_EQ(form.Model.LegCourse[1][3], 240.0f);
}

TEST_F(CalculateTest, ALockedEventAnsweredNoKeepsTheStoredResults) {
  TForm1& form = StartForm();
  TypeThreeBoatRace();
  Calculate();
  ASSERT_EQ(form.Memo1->toPlainText(), QStringLiteral("OK"));
  const QByteArray computed = ReadFile("KIVODATA/XML/Cup_R1.xml");

  form.Model.Locked = 1;
  form.ShowLockedState();
  form.Memo1->clear();
  dialogs().Clear();
  dialogs().QueueAnswer(Answer::No);
  form.Button12->click();

  EXPECT_EQ(dialogs().Questions(), QStringList{kLockedQuestion});
  EXPECT_EQ(ReadFile("KIVODATA/XML/Cup_R1.xml"), computed);
  EXPECT_TRUE(form.Memo1->toPlainText().isEmpty());
  EXPECT_TRUE(form.Button18->isEnabled());
  EXPECT_TRUE(form.Button19->isEnabled());

  // Yes computes again over the same file.
  dialogs().Clear();
  dialogs().QueueAnswer(Answer::Yes);
  form.Button12->click();
  EXPECT_EQ(form.Memo1->toPlainText(), QStringLiteral("OK"));
  EXPECT_TRUE(dialogs().AllScriptUsed());
}

TEST_F(CalculateTest, ALockedEventWithoutItsRaceXmlComputesNothing) {
  TForm1& form = StartForm();
  TypeThreeBoatRace();
  form.Panel6->Click();
  form.Model.Locked = 1;
  dialogs().Clear();
  form.Button12->click();
  EXPECT_TRUE(dialogs().Events().empty());
  EXPECT_FALSE(QFileInfo::exists(RaceXmlPath()));
  EXPECT_TRUE(form.Memo1->toPlainText().isEmpty());
  EXPECT_TRUE(form.Button18->isEnabled());
}

TEST_F(CalculateTest, MissingDataStopsTheCalculation) {
  TForm1& form = StartForm();
  TypeEvent(QStringLiteral("Summer Regatta"), QStringLiteral("Race One"), QStringLiteral("Cup"));
  TypeCourse(1, QStringLiteral("10"));
  EnterBoats({0});  // one boat, not finished: nothing can be computed
  form.Panel6->Click();
  ASSERT_EQ(form.ShownPage(), 5);
  dialogs().Clear();
  form.Button12->click();
  const QStringList messages = dialogs().Messages();
  ASSERT_FALSE(messages.isEmpty());
  EXPECT_EQ(messages.last(), QStringLiteral("データ不足のため計算を中止します。"));
  EXPECT_FALSE(QFileInfo::exists(RaceXmlPath()));
  EXPECT_FALSE(form.Button18->isEnabled());
  EXPECT_FALSE(form.Button19->isEnabled());
}

TEST_F(CalculateTest, ATypedSaveNameWithAPointNamesTheRaceXmlByItsBase) {
  TForm1& form = StartForm();
  TypeThreeBoatRace();
  dialogs().Clear();
  form.Edit3->setText(QStringLiteral("cup.2017"));
  // Each run takes one character: "cup.201", "cup.20", "cup.2", "cup.", "cup".
  EXPECT_EQ(dialogs().Messages(), QStringList(5, QStringLiteral("この文字は使わないでください")));
  EXPECT_EQ(form.Edit3->text(), QStringLiteral("cup"));
  dialogs().Clear();
  Calculate();
  EXPECT_EQ(form.Model.RaceXmlName[1], QStringLiteral("cup_R1.xml"));
  EXPECT_TRUE(QFileInfo::exists(RaceXmlPath(QStringLiteral("cup_R1.xml"))));
  EXPECT_EQ(form.Memo1->toPlainText(), QStringLiteral("OK"));
}

TEST_F(CalculateTest, ARaceNameWithAmpersandAndQuoteSurvivesTheModule) {
  const QString name = QStringLiteral("Tom & \"Jerry\" <Cup>");
  TForm1& form = StartForm();
  TypeThreeBoatRace(QStringLiteral("Summer Regatta"), name);
  Calculate();
  EXPECT_EQ(form.Memo1->toPlainText(), QStringLiteral("OK"));
  form.ReadRaceResults();
  EXPECT_EQ(form.Model.RaceName[1], name);
  EXPECT_EQ(form.Model.ResultsFlags, 3);
}

TEST_F(CalculateTest, AModuleFailureIsShownAndRefusesTheResultSheet) {
  TForm1& form = StartForm();
  TypeEvent(QStringLiteral("Summer Regatta"), QStringLiteral("Race One"), QStringLiteral("Cup"));
  // A distance far beyond any course, which the data check takes as a
  // number: the module cannot compute the race.
  TypeCourse(1, QStringLiteral("1e30"));
  EnterBoats({0, 1});
  RecordFinish(QTime(12, 0, 0));
  RecordFinish(QTime(12, 10, 0));
  ASSERT_EQ(form.Model.RaceFinishedCount[1], 2);
  form.Panel6->Click();
  dialogs().Clear();
  const int beepsBefore = machine().Beeps();
  form.Button12->click();

  const QString failure = QStringLiteral("EInvalidOp: Invalid floating point operation");
  EXPECT_EQ(form.Memo1->toPlainText(), failure);
  EXPECT_EQ(dialogs().Messages(), QStringList{QStringLiteral("計算できませんでした。\n") + failure});
  EXPECT_EQ(machine().Beeps(), beepsBefore + 1);
  EXPECT_TRUE(form.Button18->isEnabled());
  EXPECT_FALSE(form.Button19->isEnabled());
  // The file keeps what the scorer wrote; the read-back finds no results.
  form.ReadRaceResults();
  EXPECT_EQ(form.Model.ResultsFlags, 0);
}

TEST_F(CalculateTest, ARaceXmlThatCannotBeWrittenIsReportedByName) {
  TForm1& form = StartForm();
  TypeThreeBoatRace();
  // A folder in the file's place: nothing can be renamed there.
  MakeFolder("KIVODATA/XML/Cup_R1.xml");
  form.Panel6->Click();
  dialogs().Clear();
  form.Button12->click();
  const QStringList messages = dialogs().Messages();
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages.first().contains(RaceXmlPath())) << messages.first().toStdString();
  EXPECT_TRUE(form.Memo1->toPlainText().isEmpty());  // the module was not called
  EXPECT_FALSE(form.Button18->isEnabled());
  EXPECT_FALSE(form.Button19->isEnabled());
  EXPECT_TRUE(QFileInfo(RaceXmlPath()).isDir());
}

TEST_F(CalculateTest, ARecordWithAnEndOfFileMarkInItsNameIsScored) {
  // The rating data file as an old program leaves it: a control byte inside
  // a boat's name and the end-of-file mark after the last line.
  QByteArray rms = ReadFile("KIVODATA/RMS/sample.rms");
  rms += fixtures::SyntheticRecord(5,
                                   "AAA\x1A"
                                   "CONTROL") +
         "\r\n\x1A";
  WriteFile("KIVODATA/RMS/sample.rms", rms);
  TForm1& form = StartForm();
  EXPECT_TRUE(dialogs().Events().empty()) << dialogs().Messages().join('|').toStdString();
  ASSERT_EQ(form.ListBox1->item(0)->text(), QStringLiteral("AAA CONTROL"));
  TypeThreeBoatRace();
  ASSERT_EQ(form.Model.EntryName[1], QStringLiteral("AAA CONTROL"));
  Calculate();
  EXPECT_EQ(form.Memo1->toPlainText(), QStringLiteral("OK"));

  // An entry that still holds the byte (an event saved before) is written
  // with a blank in its place and scored too.
  form.Model.EntryRecord[1][32] = '\x1A';
  Calculate();
  EXPECT_EQ(form.Memo1->toPlainText(), QStringLiteral("OK"));
  EXPECT_FALSE(ReadFile("KIVODATA/XML/Cup_R1.xml").contains('\x1A'));
}

TEST_F(CalculateTest, AnEntryWhoseRecordCannotBeReadIsNamedAndNothingIsComputed) {
  TForm1& form = StartForm();
  TypeThreeBoatRace();
  // An entry of an event saved before the rating file loader refused such
  // records: its Beat allowances are no numbers.
  form.Model.EntryRecord[2].replace(702, 7, "  ?????");
  const QString name = form.Model.EntryName[2];
  form.Panel6->Click();
  dialogs().Clear();
  form.Button12->click();

  const std::vector<platform::testing::DialogEvent>& events = dialogs().Events();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_TRUE(
      events[0].text.contains(QStringLiteral("(P3)") + name + QStringLiteral(": 証書データが読めません")))
      << events[0].text.toStdString();
  EXPECT_EQ(events[1].text, QStringLiteral("データ不足のため計算を中止します。"));
  EXPECT_TRUE(form.Memo1->toPlainText().isEmpty());  // the module was not called
  EXPECT_FALSE(QFileInfo::exists(RaceXmlPath()));

  // A save keeps the race whole all the same.
  dialogs().Clear();
  dialogs().QueueAnswer(Answer::No);  // no lock
  form.Button21->click();
  EXPECT_EQ(ReadFile("KIVODATA/XML/Cup_R1.xml").count("<boat "), 3);
}

}  // namespace
}  // namespace kivo::testing
