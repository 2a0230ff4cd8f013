// The event file commands through the widgets: save, new, open (every page
// shows the race again), the lock on saving, the logo copies, the questions
// at close, and the event page's field handlers.
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimeEdit>

#include "ansi/ansi.h"
#include "event_commands.h"
#include "form_building.h"
#include "qt/jpeg.h"

namespace kivo::testing {
namespace {

using platform::Answer;
using platform::testing::DialogEvent;

const QString kSaved = QStringLiteral("データが保存されました");
const QString kLockOnSave = QStringLiteral("データロックしますか？");
const QString kLockedSave = QStringLiteral("データがロックされています\n保存するとデータが更新されます。");
const QString kSaveAtClose = QStringLiteral("データを保存しますか？");
const QString kLockAtClose = QStringLiteral("データをロックしますか？");
const QString kForbidden = QStringLiteral("この文字は使わないでください");

QByteArray Ansi(const QString& text) { return QByteArray::fromStdString(ansi::FromUtf8(text.toStdString())); }

class EventFileCommandsTest : public EventCommandsFixture {};

TEST_F(EventFileCommandsTest, ASavedEventComesBackOnEveryPageAfterARestart) {
  TForm1& first = StartForm();
  TypeThreeBoatRace();
  const QStringList entries = Items(first.ListBox2);
  const QStringList finished = Items(first.ListBox4);
  ASSERT_EQ(entries.size(), 3);
  ASSERT_EQ(finished.size(), 3);
  Calculate();
  dialogs().Clear();
  const int beepsBefore = machine().Beeps();
  Save(Answer::No);

  EXPECT_EQ(dialogs().Questions(), QStringList{kLockOnSave});
  EXPECT_EQ(dialogs().Messages(), QStringList{kSaved});
  EXPECT_EQ(machine().Beeps(), beepsBefore + 1);
  EXPECT_EQ(first.Model.EventFile, PathOf("KIVODATA/RACEDATA/Cup.kivo"));
  const QByteArray eventFile = ReadFile("KIVODATA/RACEDATA/Cup.kivo");
  EXPECT_TRUE(eventFile.startsWith("<event name=\"Summer Regatta\" rms=\"sample.rms\""))
      << eventFile.toStdString();
  EXPECT_TRUE(eventFile.contains("xml=\"Cup_R1.xml\""));
  EXPECT_TRUE(eventFile.contains("locked=\"0\"/>\r\n"));
  EXPECT_TRUE(eventFile.endsWith("</races> </event>\r\n"));
  const QByteArray raceXml = ReadFile("KIVODATA/XML/Cup_R1.xml");
  EXPECT_EQ(raceXml.count("<boat "), 3);

  Restart();
  TForm1& form = this->form();
  dialogs().Clear();
  Open("KIVODATA/RACEDATA/Cup.kivo");
  EXPECT_TRUE(dialogs().Messages().isEmpty()) << dialogs().Messages().join('|').toStdString();
  ASSERT_FALSE(dialogs().Events().empty());
  EXPECT_EQ(dialogs().Events().front().kind, DialogEvent::Kind::OpenFile);
  EXPECT_EQ(dialogs().Events().front().text, PathOf("KIVODATA/RACEDATA"));
  EXPECT_EQ(dialogs().Events().front().filter, QStringLiteral("KIVO (*.kivo)"));

  EXPECT_EQ(form.ShownPage(), 1);
  EXPECT_EQ(form.Edit2->text(), QStringLiteral("Summer Regatta"));
  EXPECT_EQ(form.Label16->text(), QStringLiteral("Summer Regatta"));
  EXPECT_EQ(form.Edit4->text(), QStringLiteral("Race One"));
  EXPECT_EQ(form.Label17->text(), QStringLiteral("Race One"));
  EXPECT_EQ(form.Panel15->Caption(), QStringLiteral("Race One"));
  EXPECT_EQ(form.Edit3->text(), QStringLiteral("Cup"));
  EXPECT_EQ(form.Edit6->text(), QStringLiteral("TarvelC"));
  EXPECT_EQ(form.Edit7->text(), QStringLiteral("Chair Person"));
  EXPECT_EQ(form.Model.SaveName, QStringLiteral("Cup.kivo"));

  EXPECT_EQ(form.ComboBox1->currentIndex(), 1);
  EXPECT_EQ(form.Edit1->text(), QStringLiteral("10"));
  EXPECT_EQ(form.Edit5->text(), QStringLiteral("Jury Member"));
  EXPECT_EQ(form.DateTimePicker1->date(), QDate(2017, 7, 1));
  EXPECT_EQ(form.DateTimePicker2->time(), QTime(10, 0, 0));
  EXPECT_EQ(form.DateTimePicker3->date(), QDate(2017, 7, 1));
  EXPECT_EQ(form.DateTimePicker4->time(), QTime(16, 0, 0));

  EXPECT_EQ(form.Memo3->text(), QStringLiteral("sample.rms"));
  EXPECT_GT(form.ListBox1->count(), 0);
  EXPECT_EQ(Items(form.ListBox2), entries);
  EXPECT_EQ(form.Memo5->text(), QStringLiteral("3"));
  EXPECT_EQ(form.ListBox3->count(), 0);
  EXPECT_EQ(Items(form.ListBox4), finished);
  EXPECT_EQ(form.Panel19->Caption(), QStringLiteral("UNLOCKED"));
  EXPECT_TRUE(form.pnlEVENT->isEnabled());

  // The race is whole again: it computes as before.
  dialogs().Clear();
  Calculate();
  form.ReadRaceResults();
  EXPECT_EQ(form.Model.ResultsFlags, 3);
}

TEST_F(EventFileCommandsTest, AReopenedCourseShowsItsNumbersAsTypedAndScoresTheSame) {
  StartForm();
  TypeEvent(QStringLiteral("Summer Regatta"), QStringLiteral("Race One"), QStringLiteral("Cup"));
  TypeCourse(0, QStringLiteral("4.9"));
  TypeLeg(1, {"3.2", "45.5", "10.1", "12.3"});
  TypeLeg(2, {"1.7", "225.5", "350.7", "0.1"});
  EnterBoats({0, 1, 2});
  RecordFinish(QTime(11, 5, 0));
  RecordFinish(QTime(11, 10, 30));
  RecordFinish(QTime(11, 20, 0));
  Calculate();
  const QByteArray computed = ReadFile("KIVODATA/XML/Cup_R1.xml");
  ASSERT_TRUE(computed.contains("distance=\"3.20000004768372\"")) << computed.toStdString();
  Save(Answer::No);

  Restart();
  TForm1& form = this->form();
  Open("KIVODATA/RACEDATA/Cup.kivo");
  EXPECT_EQ(form.Edit1->text(), QStringLiteral("4.9"));
  const QStringList legs[] = {{"3.2", "45.5", "10.1", "12.3"}, {"1.7", "225.5", "350.7", "0.1"}};
  for (int row = 1; row <= 2; ++row)
    for (int column = 1; column <= 4; ++column)
      EXPECT_EQ(form.StringGrid1->Cells(column, row), legs[row - 1][column - 1]) << row << "," << column;
  // The grid opens for the constructed course as a pick of the type opens
  // it, with the leg count; the distance stays as typed.
  EXPECT_TRUE(form.StringGrid1->isEnabled());
  EXPECT_EQ(form.StringGrid1->Color(), kWhite);
  EXPECT_TRUE(form.Label22->isVisibleTo(form.pnlCOURSE));
  EXPECT_TRUE(form.Memo12->isVisibleTo(form.pnlCOURSE));
  EXPECT_EQ(form.Memo12->text(), QStringLiteral("2"));
  EXPECT_EQ(form.Edit1->text(), QStringLiteral("4.9"));

  // The race XML keeps its general-format numbers: computed again, the
  // file comes out byte for byte as before.
  Calculate();
  EXPECT_EQ(ReadFile("KIVODATA/XML/Cup_R1.xml"), computed);
}

TEST_F(EventFileCommandsTest, NamesWithAmpersandAndQuotesSurviveTheModuleAndTheReopening) {
  const QString eventName = QStringLiteral("R&D \"Summer\" Cup <2017>");
  const QString raceName = QStringLiteral("Tom & \"Jerry\"");
  TForm1& first = StartForm();
  TypeThreeBoatRace(eventName, raceName);
  Calculate();
  first.ReadRaceResults();
  EXPECT_EQ(first.Model.RaceName[1], raceName);
  EXPECT_EQ(first.Model.ResultsFlags, 3);
  Save(Answer::No);

  Restart();
  Open("KIVODATA/RACEDATA/Cup.kivo");
  EXPECT_EQ(form().Edit2->text(), eventName);
  EXPECT_EQ(form().Edit4->text(), raceName);
  EXPECT_EQ(form().ListBox4->count(), 3);
  Calculate();
}

TEST_F(EventFileCommandsTest, LockingOnSaveIsKeptInTheFile) {
  TForm1& form = StartForm();
  TypeThreeBoatRace();
  dialogs().Clear();
  Save(Answer::Yes);
  EXPECT_EQ(form.Model.Locked, 1);
  EXPECT_EQ(form.Panel19->Caption(), QStringLiteral("LOCKED"));
  EXPECT_TRUE(ReadFile("KIVODATA/RACEDATA/Cup.kivo").contains("locked=\"1\"/>"));

  form.Button9->click();
  EXPECT_EQ(form.Panel19->Caption(), QStringLiteral("UNLOCKED"));
  dialogs().Clear();
  Open("KIVODATA/RACEDATA/Cup.kivo");
  EXPECT_EQ(form.Model.Locked, 1);
  EXPECT_EQ(form.Panel19->Caption(), QStringLiteral("LOCKED"));
  EXPECT_FALSE(form.pnlEVENT->isEnabled());
  EXPECT_FALSE(form.pnlFINISH->isEnabled());
}

TEST_F(EventFileCommandsTest, SavingALockedEventAsksFirst) {
  TForm1& form = StartForm();
  TypeThreeBoatRace();
  Save(Answer::Yes);  // locks
  const QByteArray eventFile = ReadFile("KIVODATA/RACEDATA/Cup.kivo");
  QFile::remove(PathOf("KIVODATA/XML/Cup_R1.xml"));

  dialogs().Clear();
  dialogs().QueueAnswer(Answer::No);
  form.Button21->click();
  EXPECT_EQ(dialogs().Questions(), QStringList{kLockedSave});
  EXPECT_TRUE(dialogs().Messages().isEmpty());
  EXPECT_FALSE(QFileInfo::exists(PathOf("KIVODATA/XML/Cup_R1.xml")));

  dialogs().Clear();
  dialogs().QueueAnswer(Answer::Yes);
  form.Button21->click();
  EXPECT_EQ(dialogs().Messages(), QStringList{kSaved});
  EXPECT_TRUE(QFileInfo::exists(PathOf("KIVODATA/XML/Cup_R1.xml")));
  EXPECT_EQ(ReadFile("KIVODATA/RACEDATA/Cup.kivo"), eventFile);
}

TEST_F(EventFileCommandsTest, SaveBeforeAnyCalculationWritesTheRaceXmlThenTheEventFile) {
  TForm1& form = StartForm();
  form.Button9->click();
  TypeEvent(QStringLiteral("Summer Regatta"), QStringLiteral("Race One"), QStringLiteral("Cup"));
  TypeCourse(1, QStringLiteral("10"));
  EnterBoats({0, 1});
  Save(Answer::No);
  EXPECT_EQ(form.Model.RaceXmlName[1], QStringLiteral("Cup_R1.xml"));
  const QByteArray raceXml = ReadFile("KIVODATA/XML/Cup_R1.xml");
  EXPECT_EQ(raceXml.count("<boat "), 2);
  EXPECT_TRUE(raceXml.contains("finish=\"0\""));
  EXPECT_TRUE(ReadFile("KIVODATA/RACEDATA/Cup.kivo").contains("xml=\"Cup_R1.xml\""));
}

TEST_F(EventFileCommandsTest, ASaveKeepsTheComputedResultsInTheRaceXml) {
  TForm1& form = StartForm();
  TypeThreeBoatRace();
  Calculate();
  ASSERT_EQ(form.Model.ReadinessState, 3);
  Save(Answer::Yes);  // locked on save
  const QByteArray raceXml = ReadFile("KIVODATA/XML/Cup_R1.xml");
  EXPECT_TRUE(raceXml.contains("KivoModuleVersion=\"1.3.0.5\""));
  EXPECT_FALSE(raceXml.contains("correctedSeconds=\"0\""));

  // Reopened, the locked event has its results for the sheets without a
  // new calculation.
  form.Button9->click();
  ASSERT_EQ(form.Model.ResultsFlags, 0);
  Open(QStringLiteral("KIVODATA/RACEDATA/Cup.kivo"));
  EXPECT_EQ(form.Model.Locked, 1);
  EXPECT_EQ(form.Model.ResultsFlags, 3);
}

TEST_F(EventFileCommandsTest, ASaveNameOfOneByteIsRefused) {
  TForm1& form = StartForm();
  TypeEvent(QStringLiteral("Summer Regatta"), QStringLiteral("Race One"), QStringLiteral("x"));
  dialogs().Clear();
  form.Button21->click();
  EXPECT_EQ(dialogs().Messages(), QStringList{QStringLiteral("保存するファイル名が指定されていません")});
  EXPECT_TRUE(dialogs().Questions().isEmpty());
  EXPECT_TRUE(QDir(PathOf("KIVODATA/RACEDATA")).isEmpty());
  EXPECT_TRUE(QDir(PathOf("KIVODATA/XML")).isEmpty());
}

TEST_F(EventFileCommandsTest, AnEventFileThatCannotBeWrittenIsReportedByNameAndLeftUnlocked) {
  TForm1& form = StartForm();
  TypeThreeBoatRace();
  MakeFolder("KIVODATA/RACEDATA/Cup.kivo");
  dialogs().Clear();
  const int beepsBefore = machine().Beeps();
  Save(Answer::Yes);
  // Not saved, so not locked: the close still asks.
  EXPECT_EQ(form.Model.Locked, 0);
  EXPECT_EQ(form.Panel19->Caption(), QStringLiteral("UNLOCKED"));
  EXPECT_TRUE(form.EventChanged());
  const QStringList messages = dialogs().Messages();
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages.first().contains(PathOf("KIVODATA/RACEDATA/Cup.kivo")))
      << messages.first().toStdString();
  EXPECT_EQ(machine().Beeps(), beepsBefore);
  EXPECT_TRUE(QFileInfo(PathOf("KIVODATA/RACEDATA/Cup.kivo")).isDir());
}

TEST_F(EventFileCommandsTest, LogosAreNamedCopiedAndShownAgain) {
  QImage picture(30, 20, QImage::Format_RGB32);
  picture.fill(Qt::red);
  MakeFolder("KIVODATA/LOGO");
  ASSERT_TRUE(platform::EncodeJpegFile(picture, PathOf("KIVODATA/LOGO/left.jpg")));
  ASSERT_TRUE(platform::EncodeJpegFile(picture, PathOf("KIVODATA/LOGO/right.jpg")));
  MakeFolder("KIVODATA/OUTPUTDATA/HTML");
  WriteFile("KIVODATA/OUTPUTDATA/HTML/right.jpg", "kept");

  TForm1& form = StartForm();
  TypeThreeBoatRace();
  form.Model.LogoLeft = QStringLiteral("left.jpg");
  form.Model.LogoMiddle = QStringLiteral("ab");
  form.Model.LogoRight = QStringLiteral("right.jpg");
  Save(Answer::No);
  const QByteArray eventFile = ReadFile("KIVODATA/RACEDATA/Cup.kivo");
  EXPECT_TRUE(eventFile.contains("logol=\"left.jpg\" logom=\"-\" logor=\"right.jpg\""))
      << eventFile.toStdString();
  EXPECT_EQ(ReadFile("KIVODATA/OUTPUTDATA/HTML/left.jpg"), ReadFile("KIVODATA/LOGO/left.jpg"));
  EXPECT_FALSE(QFileInfo::exists(PathOf("KIVODATA/OUTPUTDATA/HTML/ab")));
  EXPECT_EQ(ReadFile("KIVODATA/OUTPUTDATA/HTML/right.jpg"), QByteArray("kept"));

  // A logo gone from the folder comes back as none.
  QFile::remove(PathOf("KIVODATA/LOGO/right.jpg"));
  form.Button9->click();
  Open("KIVODATA/RACEDATA/Cup.kivo");
  EXPECT_FALSE(form.Image2->IsEmpty());
  EXPECT_TRUE(form.Image3->IsEmpty());
  EXPECT_TRUE(form.Image4->IsEmpty());
  EXPECT_EQ(form.Model.LogoLeft, QStringLiteral("left.jpg"));
  EXPECT_EQ(form.Model.LogoRight, QStringLiteral("-"));
}

TEST_F(EventFileCommandsTest, AnEventWhoseRaceXmlIsMissingShowsItsOwnFieldsOnly) {
  TForm1& form = StartForm();
  TypeThreeBoatRace();
  Save(Answer::No);
  QFile::remove(PathOf("KIVODATA/XML/Cup_R1.xml"));
  form.Button9->click();
  Open("KIVODATA/RACEDATA/Cup.kivo");
  EXPECT_EQ(form.Edit2->text(), QStringLiteral("Summer Regatta"));
  EXPECT_EQ(form.Edit4->text(), QStringLiteral("Race One"));
  EXPECT_EQ(form.Edit5->text(), QStringLiteral("Jury Member"));
  EXPECT_EQ(form.ComboBox1->currentText(), QStringLiteral("ocean course"));
  EXPECT_EQ(form.ListBox2->count(), 0);
  EXPECT_EQ(form.ListBox3->count(), 0);
  EXPECT_EQ(form.ListBox4->count(), 0);
}

TEST_F(EventFileCommandsTest, AnEventFileWithTwoRacesReadsBothAndShowsTheFirst) {
  WriteFile("KIVODATA/RACEDATA/Two.kivo",
            Ansi(QStringLiteral(
                "<event name=\"二つのレース\" rms=\"sample.rms\" classname=\"ORC\" chiefjury=\"Chief\" "
                "eventissued=\"2017/07/01\" logol=\"-\" logom=\"-\" logor=\"-\" locked=\"0\"/>\r\n"
                "<races>\r\n"
                "<race name=\"First\" xml=\"Two_R1.xml\" pointcoef=\"1\" seacondx=\"-\" windcondx=\"-\" "
                "jury=\"J1\" scratchissued=\"2017/07/02\" resultissued=\"2017/07/03\"/>\r\n"
                "<race name=\"Second\" xml=\"Two_R2.xml\" pointcoef=\"2\" seacondx=\"-\" windcondx=\"-\" "
                "jury=\"J2\" scratchissued=\"2017/07/05\" resultissued=\"2017/07/06\"/>\r\n"
                "</races> </event>\r\n")));
  TForm1& form = StartForm();
  Open("KIVODATA/RACEDATA/Two.kivo");
  EXPECT_EQ(form.Model.RaceName[2], QStringLiteral("Second"));
  EXPECT_EQ(form.Model.RaceXmlName[2], QStringLiteral("Two_R2.xml"));
  EXPECT_EQ(form.Edit2->text(), QStringLiteral("二つのレース"));
  EXPECT_EQ(form.Edit4->text(), QStringLiteral("First"));
  EXPECT_EQ(form.Edit3->text(), QStringLiteral("Two"));
  EXPECT_EQ(form.Edit6->text(), QStringLiteral("ORC"));
  EXPECT_EQ(form.Edit5->text(), QStringLiteral("J1"));
  EXPECT_EQ(form.DateTimePicker7->date(), QDate(2017, 7, 5));
  EXPECT_EQ(form.DateTimePicker8->date(), QDate(2017, 7, 6));
}

TEST_F(EventFileCommandsTest, CancellingTheOpenDialogChangesNothing) {
  TForm1& form = StartForm();
  TypeEvent(QStringLiteral("Summer Regatta"), QStringLiteral("Race One"), QStringLiteral("Cup"));
  dialogs().QueueFile(QString());
  form.Button10->click();
  EXPECT_EQ(form.Edit2->text(), QStringLiteral("Summer Regatta"));
  EXPECT_EQ(form.ShownPage(), 0);
}

TEST_F(EventFileCommandsTest, NewEmptiesASavedEventWithoutAsking) {
  TForm1& form = StartForm();
  TypeThreeBoatRace(QStringLiteral("Summer Regatta"), QStringLiteral("Race One"), QStringLiteral("Saved"));
  Save(Answer::Yes);  // locked on save
  ASSERT_EQ(form.Panel19->Caption(), QStringLiteral("LOCKED"));
  dialogs().Clear();
  form.Button9->click();
  EXPECT_TRUE(dialogs().Events().empty());
  EXPECT_EQ(form.ShownPage(), 1);
  EXPECT_TRUE(form.Edit2->text().isEmpty());
  EXPECT_TRUE(form.Label16->text().isEmpty());
  EXPECT_EQ(form.ListBox2->count(), 0);
  EXPECT_EQ(form.ListBox4->count(), 0);
  EXPECT_EQ(form.Model.EntryCount, 0);
  EXPECT_EQ(form.Panel19->Caption(), QStringLiteral("UNLOCKED"));
  EXPECT_FALSE(QFileInfo::exists(PathOf("KIVODATA/RACEDATA/Cup.kivo")));
}

// A finish being entered when the event goes: the panel closes before the
// reset sets the finish pickers, which would otherwise recompute that boat
// (after the time limit, as DNF) into the next event.
TEST_F(EventFileCommandsTest, NewAndOpenCloseTheFinishPanelBeforeTheReset) {
  for (const bool open : {false, true}) {
    SCOPED_TRACE(open ? "ファイル" : "新規");
    const QDate raceDay(2017, 7, 1);
    machine().SetNow(QDateTime(raceDay, QTime(10, 0, 0)));
    TForm1& form = StartForm();
    TypeThreeBoatRaceOneRacing();
    Save(Answer::No);
    form.Panel4->Click();
    ASSERT_EQ(form.ShownPage(), 4);
    form.ListBox3->setCurrentRow(0);  // the third boat
    ASSERT_TRUE(form.Panel10->isVisible());
    machine().SetNow(QDateTime(raceDay, QTime(17, 0, 0)));  // the reset's "now" is past the limit
    dialogs().Clear();
    if (open)
      Open("KIVODATA/RACEDATA/Cup.kivo");
    else
      form.Button9->click();
    EXPECT_TRUE(dialogs().Messages().isEmpty()) << dialogs().Messages().join('|').toStdString();
    EXPECT_TRUE(form.Panel10->isHidden());  // not only its page
    EXPECT_TRUE(form.Panel12->Caption().isEmpty());
    EXPECT_EQ(form.Model.BoatStatus[1][3], QStringLiteral("OK"));
    if (!open) {
      EnterBoats({0, 1, 2});
      EXPECT_EQ(form.Model.BoatStatus[1][3], QStringLiteral("OK"));
    }
    // A change of the pickers afterwards touches no boat either.
    form.DateTimePicker6->setTime(QTime(17, 0, 0));
    EXPECT_EQ(form.Model.BoatStatus[1][3], QStringLiteral("OK"));
  }
}

class CloseQuestionsTest : public EventFileCommandsTest {};

TEST_F(CloseQuestionsTest, SavingAtCloseAsksForTheLockAndWritesTheRaceOnce) {
  TForm1& form = StartForm();
  TypeThreeBoatRace();
  form.Panel6->Click();  // the last check: results computable
  ASSERT_EQ(form.Model.ReadinessState, 3);
  dialogs().Clear();
  dialogs().QueueAnswers({Answer::Yes, Answer::Yes});
  CloseForm();
  EXPECT_EQ(dialogs().Questions(), (QStringList{kSaveAtClose, kLockAtClose}));
  EXPECT_EQ(dialogs().Messages(), QStringList{kSaved});
  EXPECT_TRUE(ReadFile("KIVODATA/RACEDATA/Cup.kivo").contains("locked=\"1\"/>"));
  // The race had never been written: the close writes it, so the saved
  // event comes back with its race.
  EXPECT_EQ(ReadFile("KIVODATA/XML/Cup_R1.xml").count("<boat "), 3);

  TForm1& again = StartForm();
  Open("KIVODATA/RACEDATA/Cup.kivo");
  EXPECT_EQ(again.ListBox4->count(), 3);
  EXPECT_EQ(again.Panel19->Caption(), QStringLiteral("LOCKED"));
}

TEST_F(CloseQuestionsTest, OnlyTheScratchSheetComputableAsksNoLock) {
  TForm1& form = StartForm();
  TypeEvent(QStringLiteral("Summer Regatta"), QStringLiteral("Race One"), QStringLiteral("Cup"));
  TypeCourse(1, QStringLiteral("10"));
  EnterBoats({0, 1});  // two entries, none finished
  form.Panel6->Click();
  ASSERT_EQ(form.Model.ReadinessState, 1);
  dialogs().Clear();
  dialogs().QueueAnswer(Answer::Yes);
  CloseForm();
  EXPECT_EQ(dialogs().Questions(), QStringList{kSaveAtClose});
  EXPECT_TRUE(ReadFile("KIVODATA/RACEDATA/Cup.kivo").contains("locked=\"0\"/>"));
}

TEST_F(CloseQuestionsTest, SavingAtCloseKeepsTheModulesResults) {
  TForm1& form = StartForm();
  TypeThreeBoatRace();
  Calculate();
  const QByteArray computed = ReadFile("KIVODATA/XML/Cup_R1.xml");
  ASSERT_TRUE(computed.contains("KivoModuleVersion"));
  dialogs().QueueAnswers({Answer::Yes, Answer::No});
  CloseForm();
  EXPECT_EQ(ReadFile("KIVODATA/XML/Cup_R1.xml"), computed);
  EXPECT_TRUE(ReadFile("KIVODATA/RACEDATA/Cup.kivo").contains("locked=\"0\"/>"));
  EXPECT_EQ(form.Model.Locked, 0);
}

TEST_F(CloseQuestionsTest, ASaveAtCloseOrNewShowsTheMissingItemsOnce) {
  // After a calculation the check shows what is missing (a boat still
  // racing); the save that the close or "新規" makes checks the race once.
  for (const bool atClose : {true, false}) {
    SCOPED_TRACE(atClose ? "close" : "new");
    // A new event each time: the first one's files are not in the way.
    QFile::remove(PathOf("KIVODATA/RACEDATA/Cup.kivo"));
    QFile::remove(PathOf("KIVODATA/XML/Cup_R1.xml"));
    TForm1& form = StartForm();
    TypeThreeBoatRaceOneRacing();
    Calculate();
    dialogs().Clear();
    dialogs().QueueAnswers({Answer::Yes, Answer::No});
    if (atClose)
      CloseForm();
    else
      form.Button9->click();
    int missingBoxes = 0;
    for (const DialogEvent& event : dialogs().Events())
      if (event.title == kMissingDataTitle) ++missingBoxes;
    EXPECT_EQ(missingBoxes, 1);
    EXPECT_TRUE(dialogs().Messages().contains(kSaved)) << dialogs().Messages().join('|').toStdString();
    if (!atClose) CloseForm();
  }
}

TEST_F(CloseQuestionsTest, SavingAtCloseKeepsAFinishTypedAfterTheCalculation) {
  TForm1& form = StartForm();
  TypeEvent(QStringLiteral("Summer Regatta"), QStringLiteral("Race One"), QStringLiteral("Cup"));
  TypeCourse(1, QStringLiteral("10"));
  EnterBoats({0, 1, 2});
  RecordFinish(QTime(11, 55, 0));
  RecordFinish(QTime(12, 0, 0));
  Calculate();
  RecordFinish(QTime(12, 10, 0));  // the third boat, after the calculation
  form.Panel6->Click();
  dialogs().Clear();
  dialogs().QueueAnswers({Answer::Yes, Answer::No});
  CloseForm();

  TForm1& again = StartForm();
  Open("KIVODATA/RACEDATA/Cup.kivo");
  EXPECT_EQ(again.ListBox4->count(), 3);
  EXPECT_EQ(again.Model.ResultsFlags, 3);
}

class FieldHandlersTest : public EventFileCommandsTest {};

TEST_F(FieldHandlersTest, TheSaveNameLosesForbiddenCharactersOneMessageEach) {
  struct Case {
    const char* typed;
    const char* shown;
    int messages;
  };
  const std::vector<Case> cases = {
      {"Cup", "Cup", 0}, {"Cup_", "Cup", 1}, {"a.b.c", "a", 4},
      {"x:y", "x", 2},   {"R&D", "R", 2},    {"_", "", 1},
  };
  TForm1& form = StartForm();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    form.Edit3->clear();
    dialogs().Clear();
    form.Edit3->setText(QString::fromUtf8(c.typed));
    EXPECT_EQ(form.Edit3->text(), QString::fromUtf8(c.shown));
    EXPECT_EQ(dialogs().Messages(), QStringList(c.messages, kForbidden));
  }
}

TEST_F(FieldHandlersTest, EventAndRaceNamesShowInTheTopBarAndTheCoursePage) {
  TForm1& form = StartForm();
  form.Edit2->setText(QStringLiteral("夏のレガッタ"));
  form.Edit4->setText(QStringLiteral("第1レース"));
  EXPECT_EQ(form.Label16->text(), QStringLiteral("夏のレガッタ"));
  EXPECT_EQ(form.Label17->text(), QStringLiteral("第1レース"));
  EXPECT_EQ(form.Panel15->Caption(), QStringLiteral("第1レース"));
  EXPECT_EQ(form.Model.RaceName[1], QStringLiteral("第1レース"));
  form.Edit4->clear();
  EXPECT_TRUE(form.Model.RaceName[1].isEmpty());
  EXPECT_TRUE(form.Label17->text().isEmpty());
}

}  // namespace
}  // namespace kivo::testing
