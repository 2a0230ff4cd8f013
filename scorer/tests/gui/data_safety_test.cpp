// A save that says "saved" has saved: on a disk that fills while a file is
// written every command ends in a message that names the file, the earlier
// file stays byte for byte and no sheet is opened; another event's files
// are not replaced without a question; an event file that is no regular
// file is refused at once; names that the CP932 files cannot hold are
// refused where they are typed.
#include <functional>
#include <future>
#include <thread>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <sys/stat.h>

#include "event_commands.h"
#include "files/testing/full_disk.h"

namespace kivo::testing {
namespace {

using platform::Answer;
using platform::testing::FullDiskAfter;

const QString kSaved = QStringLiteral("データが保存されました");
const QString kOverwriteQuestion = QStringLiteral("別のイベントのファイルがあります。");

class DataSafetyTest : public EventCommandsFixture {
 protected:
  // A window with the three-boat race typed and calculated under `saveName`.
  TForm1& StartCalculatedAs(const QString& saveName) {
    TForm1& form = StartForm();
    TypeThreeBoatRace(QStringLiteral("Summer Regatta"), QStringLiteral("Race One"), saveName);
    Calculate();
    dialogs().Clear();
    shell().Clear();
    return form;
  }

  // Every file below the data tree with its bytes.
  std::map<QString, QByteArray> DataFiles() const {
    std::map<QString, QByteArray> files;
    QDir root(PathOf(QStringLiteral("KIVODATA")));
    const std::function<void(const QDir&)> walk = [&](const QDir& dir) {
      for (const QFileInfo& entry :
           dir.entryInfoList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot)) {
        if (entry.isDir()) {
          walk(QDir(entry.filePath()));
          continue;
        }
        QFile file(entry.filePath());
        files[root.relativeFilePath(entry.filePath())] =
            file.open(QIODevice::ReadOnly) ? file.readAll() : "?";
      }
    };
    walk(root);
    return files;
  }

  void CloseWithoutSaving() {
    if (form().Model.Locked == 0 && form().EventChanged()) dialogs().QueueAnswer(Answer::No);
    CloseForm();
  }
};

// The commands that write a file, each on a disk with no room left: the
// message names the file, nothing says it was saved, every earlier file is
// as it was, nothing is opened; once there is room the same command works.
TEST_F(DataSafetyTest, AFullDiskEndsEveryWriteInAMessageAndKeepsTheEarlierFiles) {
  struct Case {
    const char* name;
    std::function<void(TForm1&)> command;
    QStringList messages;  // the start of each message shown
    bool staysOpen;        // the window (the close keeps it when the save failed)
  };
  const QString raceXml = QStringLiteral("レースXMLファイルを書き込めませんでした。");
  const QString memoryFile = QStringLiteral("次のファイルに書き込めませんでした。");
  const std::vector<Case> cases = {
      {"save, not locked",
       [this](TForm1& form) {
         dialogs().QueueAnswer(Answer::No);
         form.Button21->click();
       },
       {raceXml},
       true},
      {"save, locking",
       [this](TForm1& form) {
         dialogs().QueueAnswer(Answer::Yes);
         form.Button21->click();
       },
       {raceXml},
       true},
      {"close, saving",
       [this](TForm1&) {
         dialogs().QueueAnswers({Answer::Yes, Answer::No});
         CloseForm();
       },
       {memoryFile, raceXml},
       true},
      {"result page",
       [](TForm1& form) { form.RadioButton2->setChecked(true), form.Button19->click(); },
       {QStringLiteral("HTMLファイルを書き込めませんでした。")},
       true},
      {"CSV sheet",
       [](TForm1& form) { form.RadioButton3->setChecked(true), form.Button19->click(); },
       {QStringLiteral("CSVファイルを書き込めませんでした。")},
       true},
      {"sheet image",
       [](TForm1& form) { form.RadioButton1->setChecked(true), form.Button18->click(); },
       {QStringLiteral("画像ファイルを書き込めませんでした。")},
       true},
  };
  int round = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TForm1& form = StartCalculatedAs(QStringLiteral("Cup%1").arg(++round));
    // The earlier files: the event saved, every sheet written once, a
    // memory file from an earlier run.
    Save(Answer::No);
    for (QRadioButton* target : {form.RadioButton1, form.RadioButton2, form.RadioButton3}) {
      target->setChecked(true);
      dialogs().QueueAnswer(Answer::Cancel);  // the CSV question
      form.Button18->click();
      dialogs().QueueAnswer(Answer::Cancel);
      form.Button19->click();
    }
    WriteFile(QStringLiteral("KIVODATA/MSC/lastdata.txt"), "sample.rms,5\r\n");
    form.Edit5->setText(QStringLiteral("Other Member"));  // so that a save writes something new
    dialogs().Clear();
    shell().Clear();
    const auto before = DataFiles();
    const int locked = form.Model.Locked;

    {
      FullDiskAfter full(0);
      c.command(form);
    }

    const QStringList messages = dialogs().Messages();
    ASSERT_EQ(messages.size(), c.messages.size()) << messages.join('|').toStdString();
    for (int i = 0; i < messages.size(); ++i)
      EXPECT_TRUE(messages[i].startsWith(c.messages[i])) << messages[i].toStdString();
    EXPECT_FALSE(messages.contains(kSaved));
    EXPECT_TRUE(shell().Calls().empty());
    EXPECT_TRUE(before == DataFiles()) << "a file changed, or a temporary file was left";
    EXPECT_EQ(form.isVisible(), c.staysOpen);
    EXPECT_EQ(form.Model.Locked, locked);
    EXPECT_TRUE(dialogs().AllScriptUsed());

    // Room again: the same command goes through.
    dialogs().Clear();
    c.command(form);
    EXPECT_FALSE(dialogs().Messages().join('|').contains(QStringLiteral("書き込めませんでした")))
        << dialogs().Messages().join('|').toStdString();
    if (form.isVisible()) CloseWithoutSaving();
  }
}

// "計算" and "保存" under a save name: the files of the event on screen are
// written without a question, another event's files only after one, and No
// writes nothing.
TEST_F(DataSafetyTest, AnotherEventsFilesAreReplacedOnlyAfterAQuestion) {
  // The other event "Other", saved earlier.
  StartCalculatedAs(QStringLiteral("Other"));
  Save(Answer::No);
  CloseWithoutSaving();
  const QByteArray otherEvent = ReadFile("KIVODATA/RACEDATA/Other.kivo");
  const QByteArray otherRace = ReadFile("KIVODATA/XML/Other_R1.xml");

  enum class Command { Calculate, Save };
  struct Case {
    const char* name;
    const char* saveName;
    Command command;
    std::vector<Answer> answers;  // to the overwrite question, then the lock question
    bool asked;
    bool otherReplaced;
  };
  const std::vector<Case> cases = {
      {"calculate, a new name", "Fresh", Command::Calculate, {}, false, false},
      {"save, a new name", "Fresh", Command::Save, {Answer::No}, false, false},
      {"calculate, another event, No", "Other", Command::Calculate, {Answer::No}, true, false},
      {"save, another event, No", "Other", Command::Save, {Answer::No}, true, false},
      {"calculate, another event, Yes", "Other", Command::Calculate, {Answer::Yes}, true, true},
      {"save, another event, Yes", "Other", Command::Save, {Answer::Yes, Answer::No}, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFile("KIVODATA/RACEDATA/Other.kivo", otherEvent);
    WriteFile("KIVODATA/XML/Other_R1.xml", otherRace);
    QFile::remove(PathOf("KIVODATA/RACEDATA/Fresh.kivo"));
    QFile::remove(PathOf("KIVODATA/XML/Fresh_R1.xml"));
    TForm1& form = StartForm();
    TypeThreeBoatRace(QStringLiteral("Autumn Regatta"), QStringLiteral("Race Two"),
                      QString::fromUtf8(c.saveName));
    form.Edit5->setText(QStringLiteral("Autumn Jury"));
    form.Panel6->Click();
    dialogs().Clear();
    for (Answer answer : c.answers) dialogs().QueueAnswer(answer);
    if (c.command == Command::Calculate)
      form.Button12->click();
    else
      form.Button21->click();

    const QStringList questions = dialogs().Questions();
    EXPECT_EQ(!questions.isEmpty() && questions.first().startsWith(kOverwriteQuestion), c.asked)
        << questions.join('|').toStdString();
    if (c.asked) {
      EXPECT_TRUE(questions.first().contains(PathOf("KIVODATA/XML/Other_R1.xml")));
    }
    EXPECT_TRUE(dialogs().AllScriptUsed());
    const bool replaced = ReadFile("KIVODATA/XML/Other_R1.xml") != otherRace;
    EXPECT_EQ(replaced, c.otherReplaced);
    if (c.command == Command::Save) {
      EXPECT_EQ(ReadFile("KIVODATA/RACEDATA/Other.kivo") != otherEvent, c.otherReplaced);
    }
    if (!c.otherReplaced && c.asked) {
      EXPECT_TRUE(dialogs().Messages().isEmpty()) << "No leaves the window as it was";
      EXPECT_EQ(form.Model.Locked, 0);
    }

    // Once written or agreed to, the files are this event's own: no second
    // question.
    if (c.otherReplaced || !c.asked) {
      dialogs().Clear();
      dialogs().QueueAnswer(Answer::No);  // the lock question
      form.Button21->click();
      EXPECT_FALSE(dialogs().Questions().join('|').contains(kOverwriteQuestion));
    }
    CloseWithoutSaving();
  }
}

TEST_F(DataSafetyTest, AnOpenedEventIsSavedWithoutTheQuestion) {
  StartCalculatedAs(QStringLiteral("Cup"));
  Save(Answer::No);
  Restart();
  Open(QStringLiteral("KIVODATA/RACEDATA/Cup.kivo"));
  form().Edit5->setText(QStringLiteral("Other Member"));
  dialogs().Clear();
  Calculate();
  Save(Answer::No);
  EXPECT_EQ(dialogs().Questions(), QStringList{QStringLiteral("データロックしますか？")});
  EXPECT_TRUE(ReadFile("KIVODATA/RACEDATA/Cup.kivo").contains("jury=\"Other Member\""));
}

// "ファイル" on what is named like an event file but is no regular file:
// one message naming it, at once, and the window as it was.
TEST_F(DataSafetyTest, AnEventFileThatIsNoRegularFileIsRefusedAtOnce) {
  MakeFolder("KIVODATA/RACEDATA");
  const QString fifo = PathOf("KIVODATA/RACEDATA/x.kivo");
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), PathOf("KIVODATA/RACEDATA/zero.kivo")));
  // Should the open block on the FIFO after all, a writer ends the wait so
  // that the test fails instead of hanging.
  std::atomic<bool> done{false};
  std::thread unblock([&] {
    for (int i = 0; i < 100 && !done; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (!done) {
      QFile writer(fifo);
      if (writer.open(QIODevice::WriteOnly)) writer.write("x");
    }
  });

  TForm1& form = StartForm();
  TypeEvent(QStringLiteral("Summer Regatta"), QStringLiteral("Race One"), QStringLiteral("Cup"));
  for (const char* name : {"x.kivo", "zero.kivo"}) {
    SCOPED_TRACE(name);
    dialogs().Clear();
    const auto started = std::chrono::steady_clock::now();
    dialogs().QueueAnswer(Answer::No);  // the question about the typed event
    Open(QStringLiteral("KIVODATA/RACEDATA/") + name);
    const auto took = std::chrono::steady_clock::now() - started;
    EXPECT_LT(took, std::chrono::seconds(1));
    const QStringList messages = dialogs().Messages();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().startsWith(QStringLiteral("イベントファイルを読み込めませんでした。\n") +
                                            PathOf(QStringLiteral("KIVODATA/RACEDATA/") + name)))
        << messages.first().toStdString();
    EXPECT_EQ(form.Edit2->text(), QStringLiteral("Summer Regatta"));
  }
  done = true;
  unblock.join();
}

// The save scores the race again; a module that fails there is told, and
// the message says that the event file was saved.
TEST_F(DataSafetyTest, AFailedScoringAtTheSaveIsTold) {
  TForm1& form = StartCalculatedAs(QStringLiteral("Cup"));
  // The first boat's windward-leeward allowances are 0 (an infinite speed):
  // the module refuses the race, while the data check still finds the record
  // readable and the results computable.
  for (int k = 0; k < 7; ++k) form.Model.EntryRecord[1].replace(373 + k * 7, 7, "    0.0");
  dialogs().Clear();
  Save(Answer::No);
  const QStringList messages = dialogs().Messages();
  ASSERT_FALSE(messages.isEmpty());
  const QString last = messages.last();
  EXPECT_FALSE(messages.contains(kSaved));
  EXPECT_TRUE(last.startsWith(QStringLiteral("計算できませんでした。\n") + form.Memo1->toPlainText()))
      << last.toStdString();
  EXPECT_TRUE(last.endsWith(QStringLiteral("イベントファイルは保存されました。")));
  EXPECT_TRUE(ReadFile("KIVODATA/RACEDATA/Cup.kivo").startsWith("<event"));
  EXPECT_FALSE(form.Button19->isEnabled());
}

// A name that CP932 cannot hold would be saved as "?": refused where typed.
TEST_F(DataSafetyTest, CharactersTheEventFileCannotHoldAreRefusedWhereTyped) {
  TForm1& form = StartForm();
  const struct {
    QLineEdit* field;
    const char* fieldName;
  } fields[] = {{form.Edit2, "イベント名"},   {form.Edit4, "レース名"},       {form.Edit6, "クラス名"},
                {form.Edit7, "レース委員長"}, {form.Edit3, "保存ファイル名"}, {form.Edit5, "レース委員"}};
  for (const auto& f : fields) {
    SCOPED_TRACE(f.fieldName);
    dialogs().Clear();
    f.field->setText(QStringLiteral("委員長 김 한 ①€"));
    EXPECT_EQ(f.field->text(), QStringLiteral("委員長   ①"));
    EXPECT_EQ(dialogs().Messages(),
              QStringList{QString::fromUtf8(f.fieldName) +
                          QStringLiteral(
                              ": 「김」「한」「€」は保存できない文字です。\nこの文字は使わないでください")});
    dialogs().Clear();
    f.field->setText(QStringLiteral("髙﨑 ～ − ㈱"));
    EXPECT_TRUE(dialogs().Messages().isEmpty()) << "CP932 holds these";
  }
}

// A kill during a save leaves the writer's temporary file; the next start
// removes it, and only it.
TEST_F(DataSafetyTest, TheStartRemovesLeftoverTemporaryFilesOnly) {
  const QStringList leftovers{"KIVODATA/RACEDATA/.cup.kivo.a1B2c3", "KIVODATA/XML/.cup_R1.xml.Zz9yY8",
                              "KIVODATA/MSC/.lastdata.txt.000000",
                              "KIVODATA/OUTPUTDATA/CSV/.cup_R1_result.csv.abcdef"};
  const QStringList kept{"KIVODATA/RACEDATA/cup.kivo", "KIVODATA/RACEDATA/cup.kivo.backup",
                         "KIVODATA/XML/.cup_R1.xml.bak", "KIVODATA/XML/notes.xml.Zz9yY8"};
  for (const QString& file : leftovers + kept) WriteFile(file, "x");
  StartForm();
  for (const QString& file : leftovers) EXPECT_FALSE(QFileInfo::exists(PathOf(file))) << file.toStdString();
  for (const QString& file : kept) EXPECT_TRUE(QFileInfo::exists(PathOf(file))) << file.toStdString();
}

}  // namespace
}  // namespace kivo::testing
