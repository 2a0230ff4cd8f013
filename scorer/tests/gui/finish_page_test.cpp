// The finish page through its widgets: the racing and finished lists, the
// corrected clock, "NOW", the elapsed time, deciding, cancelling and undoing
// a finish, with the fake machine's clock as "now".
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QLocale>
#include <QTest>

#include "core/check_race.h"
#include "core/finish_entry.h"
#include "core/rms_text.h"
#include "form_fixture.h"
#include "testing/rms_fixtures.h"

namespace kivo::testing {
namespace {

const QDate kRaceDay(2017, 7, 1);  // the fake machine's day; start 10:00, limit 16:00

const QString kNoTimeMessage = QStringLiteral(
    "フィニッシュ時刻が確定されていません\nフィニッシュ時刻入力後「決定」ボタンを押してください。");
const QString kLimitMessage =
    QStringLiteral("タイムリミットを超過しています。\n「DNF」が表示されているか確認してください。");

// Pins the user locale for one test.
class PinnedLocale {
 public:
  explicit PinnedLocale(const QLocale& locale) { QLocale::setDefault(locale); }
  ~PinnedLocale() { QLocale::setDefault(QLocale::system()); }
};

// A whole certificate record (its allowances readable) with the sail number
// and the name at their columns.
QByteArray Record(const QString& name, const QString& sail) {
  QByteArray line = fixtures::SyntheticRecord(1, QByteArray(24, ' '));
  line.replace(17, 12, QByteArray(12, ' '));
  const QByteArray sailBytes = EncodeAnsi(sail);
  const QByteArray nameBytes = EncodeAnsi(name);
  line.replace(17, sailBytes.size(), sailBytes);
  line.replace(29, nameBytes.size(), nameBytes);
  return line;
}

class FinishPageTest : public FormFixture {
 protected:
  void SetUp() override {
    locale_ = std::make_unique<PinnedLocale>(QLocale(QLocale::Japanese, QLocale::Japan));
  }
  void TearDown() override { locale_.reset(); }

  // The window on the finish page with these entries (sail numbers JPN-1 ..).
  TForm1& StartWith(const QStringList& names) {
    TForm1& form = StartForm();
    for (const QString& name : names) {
      const int k = ++form.Model.EntryCount;
      const QString sail = QStringLiteral("JPN-%1").arg(k);
      form.Model.EntryRecord[k] = Record(name, sail);
      form.Model.EntryName[k] = name;
      form.Model.EntrySailNo[k] = sail;
      form.ListBox2->addItem(name);
    }
    form.Model.RaceEntryCount[1] = form.Model.EntryCount;
    form.RefreshFinishLists();
    form.Edit1->setText(QStringLiteral("12"));
    form.Panel4->Click();
    EXPECT_EQ(form.ShownPage(), 4);
    return form;
  }

  static QStringList Lines(const QListWidget* list) {
    QStringList lines;
    for (int row = 0; row < list->count(); ++row) lines << list->item(row)->text();
    return lines;
  }
  static void ClickLine(QListWidget* list, const QString& startingWith) {
    for (int row = 0; row < list->count(); ++row) {
      QListWidgetItem* item = list->item(row);
      if (!item->text().startsWith(startingWith)) continue;
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
      return;
    }
    ADD_FAILURE() << "no line " << startingWith.toStdString();
  }
  static void ClickRacing(TForm1& form, const QString& name) {
    for (int row = 0; row < form.ListBox3->count(); ++row)
      if (form.ListBox3->item(row)->text().endsWith(QStringLiteral("  ") + name)) {
        QListWidgetItem* item = form.ListBox3->item(row);
        QTest::mouseClick(form.ListBox3->viewport(), Qt::LeftButton, {},
                          form.ListBox3->visualItemRect(item).center());
        return;
      }
    ADD_FAILURE() << "no racing line " << name.toStdString();
  }
  // Picks the racing boat, takes the clock at `time` with "NOW" and decides.
  void FinishAt(TForm1& form, const QString& name, const QTime& time) {
    ClickRacing(form, name);
    machine().SetNow(QDateTime(kRaceDay, time));
    QTest::mouseClick(form.Button6, Qt::LeftButton);
    QTest::mouseClick(form.Button4, Qt::LeftButton);
  }
  // A click into the finish time's field, then the keys of `time`.
  static void TypeFinishTime(TForm1& form, const QString& time) {
    auto* line = form.DateTimePicker6->findChild<QLineEdit*>();
    ASSERT_NE(line, nullptr);
    QTest::mouseClick(line, Qt::LeftButton, {}, QPoint(4, line->height() / 2));
    QTest::keyClicks(form.DateTimePicker6, time);
  }
  void DecideStatus(TForm1& form, const QString& name, const QString& status) {
    ClickRacing(form, name);
    form.ComboBox2->setCurrentText(status);
    QTest::mouseClick(form.Button4, Qt::LeftButton);
  }

 private:
  std::unique_ptr<PinnedLocale> locale_;
};

TEST_F(FinishPageTest, FinishedBoatsAreListedInFinishOrderThenTheDns) {
  TForm1& form = StartWith({"ALPHA", "BRAVO", "CHARLIE", "DELTA"});
  EXPECT_EQ(Lines(form.ListBox3),
            (QStringList{"JPN-1  ALPHA", "JPN-2  BRAVO", "JPN-3  CHARLIE", "JPN-4  DELTA"}));
  EXPECT_TRUE(Lines(form.ListBox4).isEmpty());

  FinishAt(form, QStringLiteral("ALPHA"), QTime(12, 5, 0));
  DecideStatus(form, QStringLiteral("BRAVO"), QStringLiteral("DNS"));
  FinishAt(form, QStringLiteral("CHARLIE"), QTime(11, 58, 30));

  EXPECT_EQ(Lines(form.ListBox4), (QStringList{"CHARLIE             2017/07/01 11:58:30  OK   ",
                                               "ALPHA               2017/07/01 12:05:00  OK   ",
                                               "BRAVO                      -             DNS  "}));
  EXPECT_EQ(Lines(form.ListBox3), QStringList{"JPN-4  DELTA"});
  EXPECT_EQ(form.Model.RaceFinishedCount[1], 3);
  EXPECT_EQ(form.Model.BoatFinish[1][1], QStringLiteral("2017/07/01 12:05:00"));
  EXPECT_EQ(form.Model.BoatFinish[1][2], QStringLiteral("-"));
  EXPECT_EQ(form.Model.BoatStatus[1][2], QStringLiteral("DNS"));
  EXPECT_FALSE(form.Panel10->isVisible());
  EXPECT_FALSE(form.Timer1->isActive());
  EXPECT_TRUE(dialogs().Events().empty());
}

TEST_F(FinishPageTest, PickingARacingBoatOpensThePanelForExactlyThatBoat) {
  TForm1& form = StartWith({"SUNRISE", "SUN"});
  form.Timer1->stop();
  form.Memo6->setText(QStringLiteral("x"));
  form.Memo7->setText(QStringLiteral("y"));
  form.CheckBox2->setChecked(true);
  form.ComboBox2->setCurrentText(QStringLiteral("RET"));

  ClickRacing(form, QStringLiteral("SUN"));
  EXPECT_TRUE(form.Panel10->isVisible());
  EXPECT_EQ(form.Panel12->Caption(), QStringLiteral("SUN"));
  EXPECT_EQ(form.Model.SelectedEntry, 2);
  EXPECT_TRUE(form.Memo6->text().isEmpty());
  EXPECT_TRUE(form.Memo7->text().isEmpty());
  EXPECT_EQ(form.ComboBox2->currentText(), QStringLiteral("OK"));
  EXPECT_FALSE(form.CheckBox2->isChecked());
  EXPECT_TRUE(form.Timer1->isActive());

  ClickRacing(form, QStringLiteral("SUNRISE"));
  EXPECT_EQ(form.Panel12->Caption(), QStringLiteral("SUNRISE"));
  EXPECT_EQ(form.Model.SelectedEntry, 1);
  FinishAt(form, QStringLiteral("SUNRISE"), QTime(12, 0, 0));
  EXPECT_EQ(form.Model.BoatFinished[1][1], 1);
  EXPECT_EQ(form.Model.BoatFinished[1][2], 0);
}

TEST_F(FinishPageTest, LongNamesAreCutTo20AndUndoReturnsExactlyThatBoat) {
  const QString first = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWX");   // 24 characters
  const QString second = QStringLiteral("ABCDEFGHIJKLMNOPQRSTZZZZ");  // same first 20
  TForm1& form = StartWith({first, second});
  FinishAt(form, first, QTime(12, 0, 0));
  FinishAt(form, second, QTime(12, 1, 0));
  EXPECT_EQ(Lines(form.ListBox4), (QStringList{"ABCDEFGHIJKLMNOPQRST2017/07/01 12:00:00  OK   ",
                                               "ABCDEFGHIJKLMNOPQRST2017/07/01 12:01:00  OK   "}));

  ClickLine(form.ListBox4, QStringLiteral("ABCDEFGHIJKLMNOPQRST2017/07/01 12:01:00"));
  form.Panel11->Click();
  EXPECT_EQ(Lines(form.ListBox3), QStringList{"JPN-2  " + second});
  EXPECT_EQ(form.Model.SelectedEntry, 2);
  EXPECT_EQ(form.Model.BoatFinished[1][2], 0);
  EXPECT_TRUE(form.Model.BoatFinish[1][2].isEmpty());
  EXPECT_EQ(form.Model.BoatStatus[1][2], QStringLiteral("OK"));  // status, penalty and remarks stay
  EXPECT_EQ(form.Model.BoatFinished[1][1], 1);
  EXPECT_EQ(form.Model.RaceFinishedCount[1], 1);
}

TEST_F(FinishPageTest, UndoIsRefusedWithoutASelectedLineAndWhileLocked) {
  TForm1& form = StartWith({"ALPHA"});
  FinishAt(form, QStringLiteral("ALPHA"), QTime(12, 0, 0));

  dialogs().Clear();
  form.Panel11->Click();
  EXPECT_EQ(dialogs().Messages(), QStringList{QStringLiteral("削除する艇が選択されていません")});

  ClickLine(form.ListBox4, QStringLiteral("ALPHA"));
  form.Model.Locked = 1;
  dialogs().Clear();
  form.Panel11->Click();
  EXPECT_EQ(dialogs().Messages(), QStringList{QStringLiteral("データがロックされています")});
  EXPECT_EQ(form.Model.BoatFinished[1][1], 1);
  EXPECT_EQ(form.Model.BoatFinish[1][1], QStringLiteral("2017/07/01 12:00:00"));
  EXPECT_EQ(form.ListBox4->count(), 1);
}

TEST_F(FinishPageTest, DecidingWithoutATimeIsRefusedAndKeepsThePanelOpen) {
  TForm1& form = StartWith({"ALPHA"});
  ClickRacing(form, QStringLiteral("ALPHA"));
  dialogs().Clear();
  QTest::mouseClick(form.Button4, Qt::LeftButton);
  EXPECT_EQ(dialogs().Messages(), QStringList{kNoTimeMessage});
  EXPECT_TRUE(form.Panel10->isVisible());
  EXPECT_EQ(form.Model.BoatFinished[1][1], 0);
  EXPECT_TRUE(form.Model.BoatFinish[1][1].isEmpty());

  // A status other than "OK" needs no time.
  form.ComboBox2->setCurrentText(QStringLiteral("RET"));
  dialogs().Clear();
  QTest::mouseClick(form.Button4, Qt::LeftButton);
  EXPECT_TRUE(dialogs().Messages().isEmpty());
  EXPECT_EQ(form.Model.BoatFinish[1][1], QStringLiteral("-"));
  EXPECT_EQ(form.Model.BoatStatus[1][1], QStringLiteral("RET"));
}

TEST_F(FinishPageTest, AFinishAfterTheLimitPresetsDnfAndOkIsRefused) {
  TForm1& form = StartWith({"ALPHA", "BRAVO"});
  ClickRacing(form, QStringLiteral("ALPHA"));
  machine().SetNow(QDateTime(kRaceDay, QTime(16, 0, 1)));
  QTest::mouseClick(form.Button6, Qt::LeftButton);
  EXPECT_EQ(form.ComboBox2->currentText(), QStringLiteral("DNF"));
  EXPECT_EQ(form.Model.BoatStatus[1][1], QStringLiteral("DNF"));

  form.ComboBox2->setCurrentText(QStringLiteral("OK"));
  dialogs().Clear();
  QTest::mouseClick(form.Button4, Qt::LeftButton);
  EXPECT_EQ(dialogs().Messages(), QStringList{kLimitMessage});
  EXPECT_TRUE(form.Panel10->isVisible());
  EXPECT_EQ(form.Model.BoatStatus[1][1], QStringLiteral("OK"));
  EXPECT_EQ(form.Model.BoatFinished[1][1], 0);
  EXPECT_TRUE(form.Model.BoatFinish[1][1].isEmpty());

  // Deciding with "DNF" (and a ticked penalty) records "-" and no penalty.
  form.ComboBox2->setCurrentText(QStringLiteral("DNF"));
  form.CheckBox2->setChecked(true);
  QTest::mouseClick(form.Button4, Qt::LeftButton);
  EXPECT_EQ(form.Model.BoatFinish[1][1], QStringLiteral("-"));
  EXPECT_EQ(form.Model.BoatPenalty[1][1], QStringLiteral("0"));
  EXPECT_EQ(Lines(form.ListBox4), QStringList{"ALPHA                      -             DNF  "});

  // Exactly at the limit is in time.
  ClickRacing(form, QStringLiteral("BRAVO"));
  machine().SetNow(QDateTime(kRaceDay, QTime(16, 0, 0)));
  QTest::mouseClick(form.Button6, Qt::LeftButton);
  EXPECT_EQ(form.ComboBox2->currentText(), QStringLiteral("OK"));
}

TEST_F(FinishPageTest, AFinishAtOrBeforeTheStartIsRefusedAndAStartMovedPastAFinishStopsTheCalculation) {
  TForm1& form = StartWith({"ALPHA", "BRAVO"});
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  ClickRacing(form, QStringLiteral("ALPHA"));
  // Start 10:00: before it, and at it, by "NOW" or typed into the picker.
  const struct {
    const char* name;
    QTime time;
    bool typed;
  } refused[] = {
      {"half an hour before, NOW", QTime(9, 30, 0), false},
      {"at the start, NOW", QTime(10, 0, 0), false},
      {"at the start, typed", QTime(10, 0, 0), true},
  };
  for (const auto& c : refused) {
    SCOPED_TRACE(c.name);
    if (c.typed) {
      TypeFinishTime(form, c.time.toString(QStringLiteral("HH:mm:ss")));
      QTest::keyClick(form.DateTimePicker6, Qt::Key_Return);
    } else {
      machine().SetNow(QDateTime(kRaceDay, c.time));
      QTest::mouseClick(form.Button6, Qt::LeftButton);
    }
    dialogs().Clear();
    QTest::mouseClick(form.Button4, Qt::LeftButton);
    EXPECT_EQ(dialogs().Messages(), QStringList{FinishNotAfterStartMessage()});
    EXPECT_TRUE(form.Panel10->isVisible());
    EXPECT_EQ(form.Model.BoatFinished[1][1], 0);
    EXPECT_TRUE(form.Model.BoatFinish[1][1].isEmpty());
    EXPECT_EQ(form.ListBox4->count(), 0);
  }

  // A second after the start is taken; so is a later finish.
  machine().SetNow(QDateTime(kRaceDay, QTime(10, 0, 1)));
  QTest::mouseClick(form.Button6, Qt::LeftButton);
  QTest::mouseClick(form.Button4, Qt::LeftButton);
  EXPECT_EQ(form.Model.BoatFinished[1][1], 1);
  FinishAt(form, QStringLiteral("BRAVO"), QTime(10, 40, 0));
  ASSERT_EQ(form.ListBox4->count(), 2);

  // The start moved to 10:30 after the finishes: the check names the boat
  // before it, and the race is not computed.
  form.DateTimePicker2->setTime(QTime(10, 30, 0));
  form.Panel6->Click();
  ASSERT_EQ(form.ShownPage(), 5);
  EXPECT_EQ(form.Model.ReadinessState, kCannotCompute);
  dialogs().Clear();
  QTest::mouseClick(form.Button12, Qt::LeftButton);
  const QStringList messages = dialogs().Messages();
  ASSERT_EQ(messages.size(), 2);
  EXPECT_TRUE(messages[0].contains(missing::kFinishNotAfterStart + QStringLiteral("ALPHA\n")))
      << messages[0].toStdString();
  EXPECT_FALSE(messages[0].contains(QStringLiteral("BRAVO")));
  EXPECT_EQ(messages[1], QStringLiteral("データ不足のため計算を中止します。"));
  EXPECT_FALSE(form.Button18->isEnabled());
}

TEST_F(FinishPageTest, AFinishTimeTypedWholeIsRecordedWhole) {
  TForm1& form = StartWith({"ALPHA"});
  ClickRacing(form, QStringLiteral("ALPHA"));
  form.DateTimePicker6->setTime(QTime(11, 3, 7));
  auto* line = form.DateTimePicker6->findChild<QLineEdit*>();
  ASSERT_NE(line, nullptr);
  QTest::mouseClick(line, Qt::LeftButton, {}, QPoint(4, line->height() / 2));
  QTest::keyClicks(form.DateTimePicker6, QStringLiteral("12:01:45"));
  EXPECT_EQ(form.Memo7->text(), QStringLiteral("7305"));
  EXPECT_EQ(form.Memo6->text(), QStringLiteral("2:01:45"));
  QTest::mouseClick(form.Button4, Qt::LeftButton);
  EXPECT_EQ(form.Model.BoatFinish[1][1], QStringLiteral("2017/07/01 12:01:45"));
}

// BRAVO finishes with ALPHA: the pickers still show ALPHA's time, and the
// officer types or pastes that same time and decides.
TEST_F(FinishPageTest, ADeadHeatIsRecordedByTypingTheSameTime) {
  enum class Entry { TypedThenEnter, TypedThenDecide, PastedThenEnter, PastedThenDecide };
  for (const Entry entry :
       {Entry::TypedThenEnter, Entry::TypedThenDecide, Entry::PastedThenEnter, Entry::PastedThenDecide}) {
    SCOPED_TRACE(static_cast<int>(entry));
    TForm1& form = StartWith({"ALPHA", "BRAVO"});
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    FinishAt(form, QStringLiteral("ALPHA"), QTime(11, 30, 5));
    ClickRacing(form, QStringLiteral("BRAVO"));
    ASSERT_EQ(form.DateTimePicker6->time(), QTime(11, 30, 5));
    machine().SetNow(QDateTime(kRaceDay, QTime(11, 31, 0)));  // the clock has gone on
    if (entry == Entry::TypedThenEnter || entry == Entry::TypedThenDecide) {
      TypeFinishTime(form, QStringLiteral("11:30:05"));
    } else {
      QGuiApplication::clipboard()->setText(QStringLiteral("11:30:05"));
      TypeFinishTime(form, QString());
      QTest::keyClick(form.DateTimePicker6, Qt::Key_A, Qt::ControlModifier);
      QTest::keyClick(form.DateTimePicker6, Qt::Key_V, Qt::ControlModifier);
    }
    if (entry == Entry::TypedThenEnter || entry == Entry::PastedThenEnter) {
      QTest::keyClick(form.DateTimePicker6, Qt::Key_Return);
      EXPECT_EQ(form.Memo7->text(), QStringLiteral("5405"));
    }
    dialogs().Clear();
    QTest::mouseClick(form.Button4, Qt::LeftButton);
    EXPECT_TRUE(dialogs().Messages().isEmpty()) << dialogs().Messages().join('|').toStdString();
    EXPECT_EQ(form.Model.BoatFinish[1][2], QStringLiteral("2017/07/01 11:30:05"));
    EXPECT_EQ(Lines(form.ListBox4), (QStringList{"ALPHA               2017/07/01 11:30:05  OK   ",
                                                 "BRAVO               2017/07/01 11:30:05  OK   "}));
  }
}

TEST_F(FinishPageTest, PenaltyColumnAndRefusedPenaltyTexts) {
  TForm1& form = StartWith({"ALPHA", "BRAVO", "CHARLIE"});
  ClickRacing(form, QStringLiteral("ALPHA"));
  machine().SetNow(QDateTime(kRaceDay, QTime(12, 0, 0)));
  QTest::mouseClick(form.Button6, Qt::LeftButton);
  form.CheckBox2->setChecked(true);
  form.ComboBox3->setCurrentText(QStringLiteral("10"));
  QTest::mouseClick(form.Button4, Qt::LeftButton);
  EXPECT_EQ(form.Model.BoatPenalty[1][1], QStringLiteral("10"));

  // Not ticked: the percent shown is not taken.
  FinishAt(form, QStringLiteral("BRAVO"), QTime(12, 1, 0));
  EXPECT_EQ(form.Model.BoatPenalty[1][2], QStringLiteral("0"));
  EXPECT_EQ(Lines(form.ListBox4), (QStringList{"ALPHA               2017/07/01 12:00:00  OK   10",
                                               "BRAVO               2017/07/01 12:01:00  OK   "}));

  for (const char* typed : {"abc", "21", "-1", "2.5", ""}) {
    SCOPED_TRACE(typed);
    ClickRacing(form, QStringLiteral("CHARLIE"));
    machine().SetNow(QDateTime(kRaceDay, QTime(12, 2, 0)));
    QTest::mouseClick(form.Button6, Qt::LeftButton);
    form.CheckBox2->setChecked(true);
    form.ComboBox3->setCurrentText(QString::fromLatin1(typed));
    dialogs().Clear();
    QTest::mouseClick(form.Button4, Qt::LeftButton);
    EXPECT_EQ(dialogs().Messages(),
              QStringList{QStringLiteral("ペナルティーには0から20までの整数を入力してください。")});
    EXPECT_TRUE(form.Panel10->isVisible());
    EXPECT_EQ(form.Model.BoatFinished[1][3], 0);
    EXPECT_TRUE(form.Model.BoatFinish[1][3].isEmpty());
    EXPECT_EQ(form.Model.BoatPenalty[1][3], QStringLiteral("0"));
    EXPECT_EQ(form.ComboBox3->currentText(), QString::fromLatin1(typed));  // nothing typed is lost
  }
  form.ComboBox3->setCurrentText(QStringLiteral(" 20 "));
  QTest::mouseClick(form.Button4, Qt::LeftButton);
  EXPECT_EQ(form.Model.BoatPenalty[1][3], QStringLiteral("20"));
}

TEST_F(FinishPageTest, CorrectionTypedOrSetByTheUpDownMovesTheClock) {
  TForm1& form = StartWith({"ALPHA"});
  machine().SetNow(QDateTime(kRaceDay, QTime(12, 0, 0)));
  form.Memo13->setText(QStringLiteral("30"));
  form.Timer1Timer();
  EXPECT_EQ(form.Model.ClockCorrection, 30);
  EXPECT_EQ(form.Memo8->text(), QStringLiteral("2017/07/01 12:00:30"));

  // Text that is no whole number keeps the last valid correction, quietly.
  for (const char* typed : {"", "-", "3a", "1.5"}) {
    form.Memo13->setText(QString::fromLatin1(typed));
    form.Timer1Timer();
    EXPECT_EQ(form.Model.ClockCorrection, 30) << typed;
  }
  EXPECT_TRUE(dialogs().Events().empty());

  form.Memo13->setText(QStringLiteral("-45"));
  ClickRacing(form, QStringLiteral("ALPHA"));
  QTest::mouseClick(form.Button6, Qt::LeftButton);
  EXPECT_EQ(form.datetimepicker5->date(), kRaceDay);
  EXPECT_EQ(form.DateTimePicker6->time(), QTime(11, 59, 15));

  // The up-down steps from the correction shown, typed or not, within
  // its range; text that is no number leaves it where it was.
  const struct {
    const char* typed;
    UpDown::Button button;
    const char* shown;
  } steps[] = {
      {"30", UpDown::Button::Up, "31"},     {"-45", UpDown::Button::Down, "-46"},
      {"3a", UpDown::Button::Up, "-45"},    {"599", UpDown::Button::Up, "600"},
      {"600", UpDown::Button::Up, "600"},   {"-600", UpDown::Button::Down, "-600"},
      {"900", UpDown::Button::Down, "599"}, {"", UpDown::Button::Up, "600"},
  };
  for (const auto& step : steps) {
    form.Memo13->setText(QString::fromLatin1(step.typed));
    form.UpDown2->Click(step.button);
    EXPECT_EQ(form.Memo13->text(), QString::fromLatin1(step.shown)) << step.typed;
  }
  form.Timer1Timer();
  EXPECT_EQ(form.Model.ClockCorrection, 600);
  EXPECT_EQ(form.Memo8->text(), QStringLiteral("2017/07/01 12:10:00"));
}

TEST_F(FinishPageTest, ElapsedTimeIsShownInSecondsAndAsHoursMinutesSeconds) {
  TForm1& form = StartWith({"ALPHA"});
  ClickRacing(form, QStringLiteral("ALPHA"));
  const int beeps = machine().Beeps();
  machine().SetNow(QDateTime(kRaceDay, QTime(11, 30, 5)));
  QTest::mouseClick(form.Button6, Qt::LeftButton);
  EXPECT_EQ(form.Memo7->text(), QStringLiteral("5405"));
  EXPECT_EQ(form.Memo6->text(), QStringLiteral("1:30:05"));
  EXPECT_EQ(machine().Beeps(), beeps + 1);
  EXPECT_EQ(form.Model.RaceStart[1], QStringLiteral("2017/07/01 10:00:00"));
  EXPECT_EQ(form.Model.RaceLimit[1], QStringLiteral("2017/07/01 16:00:00"));

  // The user changing the finish time.
  form.DateTimePicker6->setTime(QTime(9, 59, 50));
  EXPECT_EQ(form.Memo7->text(), QStringLiteral("10"));
  EXPECT_EQ(form.Memo6->text(), QStringLiteral("0:00:10"));
  EXPECT_EQ(machine().Beeps(), beeps + 2);
  form.datetimepicker5->setDate(kRaceDay.addDays(1));
  EXPECT_EQ(form.Memo6->text(), QStringLiteral("23:59:50"));
  EXPECT_EQ(form.ComboBox2->currentText(), QStringLiteral("DNF"));
}

TEST_F(FinishPageTest, CancelClosesThePanelAndKeepsThePresetStatus) {
  TForm1& form = StartWith({"ALPHA"});
  ClickRacing(form, QStringLiteral("ALPHA"));
  machine().SetNow(QDateTime(kRaceDay, QTime(17, 0, 0)));
  QTest::mouseClick(form.Button6, Qt::LeftButton);
  QTest::mouseClick(form.Button5, Qt::LeftButton);
  EXPECT_FALSE(form.Panel10->isVisible());
  EXPECT_TRUE(form.Panel12->Caption().isEmpty());
  EXPECT_TRUE(form.ListBox3->selectedItems().isEmpty());
  EXPECT_TRUE(form.Timer1->isActive());
  EXPECT_EQ(form.Model.BoatStatus[1][1], QStringLiteral("DNF"));
  EXPECT_EQ(form.Model.BoatFinished[1][1], 0);
}

TEST_F(FinishPageTest, AFinishedLineClickClosesThePanel) {
  TForm1& form = StartWith({"ALPHA", "BRAVO"});
  FinishAt(form, QStringLiteral("ALPHA"), QTime(12, 0, 0));
  ClickRacing(form, QStringLiteral("BRAVO"));
  ASSERT_TRUE(form.Panel10->isVisible());
  ClickLine(form.ListBox4, QStringLiteral("ALPHA"));
  EXPECT_FALSE(form.Panel10->isVisible());
}

TEST_F(FinishPageTest, TheDecisionGoesToTheBoatOfThePanelWhateverElseWasPicked) {
  TForm1& form = StartWith({"ALPHA", "BRAVO", "CHARLIE"});
  FinishAt(form, QStringLiteral("ALPHA"), QTime(11, 0, 0));
  ClickRacing(form, QStringLiteral("BRAVO"));
  machine().SetNow(QDateTime(kRaceDay, QTime(12, 0, 0)));
  QTest::mouseClick(form.Button6, Qt::LeftButton);
  // Meanwhile another boat is picked on the entry page.
  form.Model.SelectedEntry = 3;
  QTest::mouseClick(form.Button4, Qt::LeftButton);
  EXPECT_EQ(form.Model.BoatFinish[1][2], QStringLiteral("2017/07/01 12:00:00"));
  EXPECT_EQ(form.Model.BoatFinished[1][2], 1);
  EXPECT_EQ(form.Model.BoatFinished[1][3], 0);
  EXPECT_TRUE(form.Model.BoatFinish[1][3].isEmpty());
}

TEST_F(FinishPageTest, ThePanelFollowsItsBoatWhenEntriesMoveAndClosesWhenItIsRemoved) {
  TForm1& form = StartWith({"ALPHA", "BRAVO"});
  ClickRacing(form, QStringLiteral("BRAVO"));
  // ALPHA taken out of the entries, as the entry page does.
  form.Model.EntryRecord[1] = form.Model.EntryRecord[2];
  form.Model.EntryName[1] = form.Model.EntryName[2];
  form.Model.EntrySailNo[1] = form.Model.EntrySailNo[2];
  form.Model.EntryRecord[2].clear();
  form.Model.EntryName[2].clear();
  form.Model.EntryCount = 1;
  form.Model.RaceEntryCount[1] = 1;
  form.RefreshFinishLists();
  ASSERT_TRUE(form.Panel10->isVisible());
  machine().SetNow(QDateTime(kRaceDay, QTime(12, 0, 0)));
  QTest::mouseClick(form.Button6, Qt::LeftButton);
  QTest::mouseClick(form.Button4, Qt::LeftButton);
  EXPECT_EQ(form.Model.BoatFinished[1][1], 1);
  EXPECT_EQ(Lines(form.ListBox4), QStringList{"BRAVO               2017/07/01 12:00:00  OK   "});

  form.Model.BoatFinished[1][1] = 0;
  form.RefreshFinishLists();
  ClickRacing(form, QStringLiteral("BRAVO"));
  form.Model.EntryCount = 0;
  form.Model.RaceEntryCount[1] = 0;
  form.RefreshFinishLists();
  EXPECT_FALSE(form.Panel10->isVisible());
  EXPECT_TRUE(form.Panel12->Caption().isEmpty());
}

TEST_F(FinishPageTest, LegendShowsOverTheListsAndHidesOverThePanel) {
  TForm1& form = StartWith({"ALPHA"});
  ClickRacing(form, QStringLiteral("ALPHA"));
  EXPECT_FALSE(form.Memo11->isVisible());
  form.Panel14->Click();
  EXPECT_TRUE(form.Memo11->isVisible());
  emit form.Panel10->mouseMoved();
  EXPECT_FALSE(form.Memo11->isVisible());
  emit form.Panel14->mouseMoved();
  EXPECT_TRUE(form.Memo11->isVisible());
}

TEST_F(FinishPageTest, FinishesAndStartsUseTheUserLocale) {
  const PinnedLocale german(QLocale(QLocale::German, QLocale::Germany));
  TForm1& form = StartWith({"ALPHA", "BRAVO"});
  FinishAt(form, QStringLiteral("ALPHA"), QTime(12, 5, 0));
  FinishAt(form, QStringLiteral("BRAVO"), QTime(11, 58, 30));
  EXPECT_EQ(form.Model.BoatFinish[1][1], QStringLiteral("01.07.17 12:05:00"));
  EXPECT_EQ(form.Model.RaceStart[1], QStringLiteral("2017.07.01 10:00:00"));
  EXPECT_EQ(form.Model.RaceLimit[1], QStringLiteral("2017.07.01 16:00:00"));
  EXPECT_EQ(Lines(form.ListBox4), (QStringList{"BRAVO               01.07.17 11:58:30  OK   ",
                                               "ALPHA               01.07.17 12:05:00  OK   "}));
  form.Timer1Timer();
  EXPECT_EQ(form.Memo8->text(), QStringLiteral("01.07.17 11:58:30"));
}

}  // namespace
}  // namespace kivo::testing
