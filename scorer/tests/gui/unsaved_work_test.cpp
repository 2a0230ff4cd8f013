// Unsaved work is never dropped without a question: the close of the
// window, "新規" and "ファイル" ask to save an event whose files a save would
// write differently from what was last written or read, and a save that
// cannot be made keeps the window and the event as they are.
#include <functional>

#include <QDir>
#include <QFile>
#include <QLineEdit>

#include "event_commands.h"

namespace kivo::testing {
namespace {

using platform::Answer;

const QString kSaveQuestion = QStringLiteral("データを保存しますか？");
const QString kLockQuestion = QStringLiteral("データをロックしますか？");
const QString kSaved = QStringLiteral("データが保存されました");
const QString kNoSaveName = QStringLiteral("保存するファイル名が指定されていません");
const QString kOtherJury = QStringLiteral("Other Member");

// The state a case starts from.
enum class Start {
  Untouched,            // a fresh window
  Opened,               // the saved three-boat event "Cup" opened again
  OpenedJuryChanged,    // ... and its race committee member changed
  OpenedLockedChanged,  // ... changed, then locked with the lock panel
  OpenedLocked,         // the event saved locked, opened again
  UnnamedTwoFinished,   // a new event without a save name, two boats finished
  SaveFails,            // OpenedJuryChanged with the event file folder blocked
};

// What the window shows after a case.
struct Shown {
  bool open;
  QString jury;
  int entries;
  QString lock;
  bool operator==(const Shown&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Shown& s) {
  return out << (s.open ? "open" : "closed") << ", jury '" << s.jury.toStdString() << "', " << s.entries
             << " entries, " << s.lock.toStdString();
}

class UnsavedWorkTest : public EventCommandsFixture {
 protected:
  void Prepare(Start start) {
    StartForm();
    if (start == Start::Untouched) return;
    if (start == Start::UnnamedTwoFinished) {
      TypeEvent(QStringLiteral("Summer Regatta"), QStringLiteral("Race One"), QString());
      TypeCourse(1, QStringLiteral("10"));
      EnterBoats({0, 1});
      RecordFinish(QTime(11, 55, 0));
      RecordFinish(QTime(12, 0, 0));
      return;
    }
    RestoreEventFolder();
    // Each case types its event anew: the files of the case before are gone,
    // so no save asks about replacing another event's files.
    QFile::remove(PathOf("KIVODATA/RACEDATA/Cup.kivo"));
    QFile::remove(PathOf("KIVODATA/XML/Cup_R1.xml"));
    TypeThreeBoatRace();
    Save(start == Start::OpenedLocked ? Answer::Yes : Answer::No);
    Restart();
    Open(QStringLiteral("KIVODATA/RACEDATA/Cup.kivo"));
    ASSERT_EQ(form().ListBox4->count(), 3);
    if (start == Start::Opened || start == Start::OpenedLocked) return;
    form().Edit5->setText(kOtherJury);
    if (start == Start::OpenedLockedChanged) {
      dialogs().QueueAnswer(Answer::Yes);
      form().Panel19->Click();
    }
    if (start == Start::SaveFails) {
      // A file where the folder should be: no event file can be written
      // there, whoever runs the test.
      ASSERT_TRUE(QDir(PathOf("KIVODATA/RACEDATA")).removeRecursively());
      WriteFile("KIVODATA/RACEDATA", "not a folder");
    }
  }

  void RestoreEventFolder() {
    if (QFileInfo(PathOf("KIVODATA/RACEDATA")).isFile()) QFile::remove(PathOf("KIVODATA/RACEDATA"));
    MakeFolder("KIVODATA/RACEDATA");
  }

  Shown Now() {
    return {form().isVisible(), form().Edit5->text(), form().ListBox2->count(), form().Panel19->Caption()};
  }

  QByteArray SavedEvent() { return ReadFile("KIVODATA/RACEDATA/Cup.kivo"); }
};

TEST_F(UnsavedWorkTest, CloseAsksForChangedWorkAndStaysOpenWhenTheSaveCannotBeMade) {
  const QString lockNo = QStringLiteral("UNLOCKED");
  struct Case {
    const char* name;
    Start start;
    std::vector<Answer> answers;
    QStringList questions;
    QStringList messages;  // a message that names a file is matched by its start
    Shown after;
    const char* savedJury;  // in the event file after the case; nullptr: not looked at
  };
  const std::vector<Case> cases = {
      {"untouched: no question", Start::Untouched, {}, {}, {}, {false, "", 0, lockNo}, nullptr},
      {"opened and unchanged: no question",
       Start::Opened,
       {},
       {},
       {},
       {false, "Jury Member", 3, lockNo},
       "Jury Member"},
      {"changed, not saved",
       Start::OpenedJuryChanged,
       {Answer::No},
       {kSaveQuestion},
       {},
       {false, kOtherJury, 3, lockNo},
       "Jury Member"},
      {"changed and saved, not locked",
       Start::OpenedJuryChanged,
       {Answer::Yes, Answer::No},
       {kSaveQuestion, kLockQuestion},
       {kSaved},
       {false, kOtherJury, 3, lockNo},
       "Other Member"},
      {"no save name: the window stays",
       Start::UnnamedTwoFinished,
       {Answer::Yes},
       {kSaveQuestion},
       {kNoSaveName},
       {true, "Jury Member", 2, lockNo},
       nullptr},
      {"no save name, not saved",
       Start::UnnamedTwoFinished,
       {Answer::No},
       {kSaveQuestion},
       {},
       {false, "Jury Member", 2, lockNo},
       nullptr},
      {"the save fails: the window stays, unlocked",
       Start::SaveFails,
       {Answer::Yes, Answer::Yes},
       {kSaveQuestion, kLockQuestion},
       {QStringLiteral("イベントファイルを書き込めませんでした。")},
       {true, kOtherJury, 3, lockNo},
       nullptr},
      {"opened locked and unchanged: no question",
       Start::OpenedLocked,
       {},
       {},
       {},
       {false, "Jury Member", 3, "LOCKED"},
       "Jury Member"},
      {"changed, then locked: asked, not saved",
       Start::OpenedLockedChanged,
       {Answer::No},
       {kSaveQuestion},
       {},
       {false, kOtherJury, 3, "LOCKED"},
       "Jury Member"},
      {"changed, then locked: asked and saved locked",
       Start::OpenedLockedChanged,
       {Answer::Yes},
       {kSaveQuestion},
       {kSaved},
       {false, kOtherJury, 3, "LOCKED"},
       "Other Member"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Prepare(c.start);
    dialogs().Clear();
    for (Answer answer : c.answers) dialogs().QueueAnswer(answer);
    CloseForm();
    EXPECT_EQ(dialogs().Questions(), c.questions);
    const QStringList messages = dialogs().Messages();
    ASSERT_EQ(messages.size(), c.messages.size()) << messages.join('|').toStdString();
    for (int i = 0; i < messages.size(); ++i)
      EXPECT_TRUE(messages[i].startsWith(c.messages[i])) << messages[i].toStdString();
    EXPECT_TRUE(dialogs().AllScriptUsed());
    EXPECT_EQ(Now(), c.after);
    EXPECT_EQ(form().Model.Locked, c.after.lock == lockNo ? 0 : 1);
    RestoreEventFolder();
    if (c.savedJury) {
      EXPECT_TRUE(SavedEvent().contains("jury=\"" + QByteArray(c.savedJury) + "\""));
    }
  }
}

TEST_F(UnsavedWorkTest, AFailedSaveAtCloseCanBeMadeOnceTheFolderIsFree) {
  Prepare(Start::SaveFails);
  dialogs().QueueAnswers({Answer::Yes, Answer::No});
  CloseForm();
  ASSERT_TRUE(form().isVisible());
  RestoreEventFolder();
  dialogs().Clear();
  dialogs().QueueAnswers({Answer::Yes, Answer::No});
  CloseForm();
  EXPECT_EQ(dialogs().Messages(), QStringList{kSaved});
  EXPECT_FALSE(form().isVisible());
  EXPECT_TRUE(SavedEvent().contains("jury=\"Other Member\""));
}

TEST_F(UnsavedWorkTest, NewAndOpenAskForChangedWorkFirst) {
  enum class Command { New, OpenCup };
  struct Case {
    const char* name;
    Start start;
    Command command;
    std::vector<Answer> answers;
    QStringList questions;
    QStringList messages;
    QString juryAfter;  // on the course page
    int entriesAfter;
    const char* savedJury;  // nullptr: not looked at
  };
  const std::vector<Case> cases = {
      {"new, unchanged", Start::Opened, Command::New, {}, {}, {}, "", 0, "Jury Member"},
      {"new, changed, not saved",
       Start::OpenedJuryChanged,
       Command::New,
       {Answer::No},
       {kSaveQuestion},
       {},
       "",
       0,
       "Jury Member"},
      {"new, changed, saved",
       Start::OpenedJuryChanged,
       Command::New,
       {Answer::Yes},
       {kSaveQuestion},
       {kSaved},
       "",
       0,
       "Other Member"},
      {"new, no save name: the event stays",
       Start::UnnamedTwoFinished,
       Command::New,
       {Answer::Yes},
       {kSaveQuestion},
       {kNoSaveName},
       "Jury Member",
       2,
       nullptr},
      {"new, locked and changed",
       Start::OpenedLockedChanged,
       Command::New,
       {Answer::Yes},
       {kSaveQuestion},
       {kSaved},
       "",
       0,
       "Other Member"},
      {"open, unchanged", Start::Opened, Command::OpenCup, {}, {}, {}, "Jury Member", 3, "Jury Member"},
      {"open, changed, not saved: the file as it was",
       Start::OpenedJuryChanged,
       Command::OpenCup,
       {Answer::No},
       {kSaveQuestion},
       {},
       "Jury Member",
       3,
       "Jury Member"},
      {"open, changed, saved first",
       Start::OpenedJuryChanged,
       Command::OpenCup,
       {Answer::Yes},
       {kSaveQuestion},
       {kSaved},
       kOtherJury,
       3,
       "Other Member"},
      {"open, the save fails: the event stays",
       Start::SaveFails,
       Command::OpenCup,
       {Answer::Yes},
       {kSaveQuestion},
       {QStringLiteral("イベントファイルを書き込めませんでした。")},
       kOtherJury,
       3,
       nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Prepare(c.start);
    dialogs().Clear();
    for (Answer answer : c.answers) dialogs().QueueAnswer(answer);
    if (c.command == Command::New)
      form().Button9->click();
    else
      Open(QStringLiteral("KIVODATA/RACEDATA/Cup.kivo"));
    EXPECT_EQ(dialogs().Questions(), c.questions);
    const QStringList messages = dialogs().Messages();
    ASSERT_EQ(messages.size(), c.messages.size()) << messages.join('|').toStdString();
    for (int i = 0; i < messages.size(); ++i)
      EXPECT_TRUE(messages[i].startsWith(c.messages[i])) << messages[i].toStdString();
    EXPECT_TRUE(dialogs().AllScriptUsed());
    EXPECT_EQ(form().Edit5->text(), c.juryAfter);
    EXPECT_EQ(form().ListBox2->count(), c.entriesAfter);
    RestoreEventFolder();
    if (c.savedJury) {
      EXPECT_TRUE(SavedEvent().contains("jury=\"" + QByteArray(c.savedJury) + "\""));
    }
    // Whatever happened, the window now holds nothing unsaved but what the
    // refused save kept.
    EXPECT_EQ(form().EventChanged(), c.entriesAfter == 2 || c.start == Start::SaveFails);
  }
}

TEST_F(UnsavedWorkTest, EveryKindOfChangeCounts) {
  const struct {
    const char* name;
    std::function<void(TForm1&, platform::testing::ScriptedDialogs&)> change;
  } changes[] = {
      {"event name",
       [](TForm1& form, platform::testing::ScriptedDialogs&) {
         form.Edit2->setText(QStringLiteral("Autumn Regatta"));
       }},
      {"save name", [](TForm1& form,
                       platform::testing::ScriptedDialogs&) { form.Edit3->setText(QStringLiteral("Cup2")); }},
      {"distance", [](TForm1& form,
                      platform::testing::ScriptedDialogs&) { form.Edit1->setText(QStringLiteral("10.5")); }},
      {"distance that is no number",
       [](TForm1& form, platform::testing::ScriptedDialogs&) { form.Edit1->setText(QStringLiteral("x")); }},
      {"start", [](TForm1& form,
                   platform::testing::ScriptedDialogs&) { form.DateTimePicker2->setTime(QTime(10, 5, 0)); }},
      {"a finish undone",
       [](TForm1& form, platform::testing::ScriptedDialogs&) {
         form.ListBox4->setCurrentRow(0);
         form.Panel11->Click();
       }},
      {"a boat removed",
       [](TForm1& form, platform::testing::ScriptedDialogs& dialogs) {
         form.Model.SelectedEntry = 3;  // as a click on its line picks it
         dialogs.QueueAnswer(Answer::Yes);
         form.Panel8->Click();
       }},
      {"the lock",
       [](TForm1& form, platform::testing::ScriptedDialogs& dialogs) {
         dialogs.QueueAnswer(Answer::Yes);
         form.Panel19->Click();
       }},
  };
  for (const auto& c : changes) {
    SCOPED_TRACE(c.name);
    Prepare(Start::Opened);
    ASSERT_FALSE(form().EventChanged());
    // Looking at every page, computing and reading the results back as the
    // sheets do change nothing.
    for (ClickablePanel* tab : {form().Panel2, form().Panel3, form().Panel4, form().Panel6, form().Panel1})
      tab->Click();
    Calculate();
    form().ReadRaceResults();
    ASSERT_FALSE(form().EventChanged());
    c.change(form(), dialogs());
    EXPECT_TRUE(form().EventChanged());
  }
}

}  // namespace
}  // namespace kivo::testing
