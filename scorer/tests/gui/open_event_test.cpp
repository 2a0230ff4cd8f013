// Opening an event is all or nothing: an event file or race XML that cannot
// be read whole gives one message naming the file and the reason, and the
// event on screen stays exactly as it was.
#include <QFile>
#include <QLineEdit>

#include "event_commands.h"

namespace kivo::testing {
namespace {

using platform::Answer;

// What the window shows of an event.
struct Shown {
  QString eventName, saveName, lock, entryCount;
  QStringList entries, finished;
  int page;
  bool operator==(const Shown&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Shown& s) {
  return out << s.eventName.toStdString() << " / " << s.saveName.toStdString() << " / "
             << s.lock.toStdString() << " / " << s.entryCount.toStdString() << " entries "
             << s.entries.join(',').toStdString() << " / finished " << s.finished.size() << " / page "
             << s.page;
}

class OpenEventTest : public EventCommandsFixture {
 protected:
  Shown Now() {
    return {form().Edit2->text(),   form().Edit3->text(),   form().Panel19->Caption(), form().Memo5->text(),
            Items(form().ListBox2), Items(form().ListBox4), form().ShownPage()};
  }

  // The saved event file "Cup.kivo" with `from` replaced by `to`, written
  // as `name`.
  void WriteVariant(const QString& name, const QByteArray& from, const QByteArray& to) {
    QByteArray text = ReadFile("KIVODATA/RACEDATA/Cup.kivo");
    ASSERT_TRUE(text.contains(from)) << from.toStdString();
    text.replace(from, to);
    WriteFile(QStringLiteral("KIVODATA/RACEDATA/") + name, text);
  }
  // The saved race XML with `from` replaced by `to`, written as `name`.
  void WriteRaceVariant(const QString& name, const QByteArray& from, const QByteArray& to) {
    QByteArray text = ReadFile("KIVODATA/XML/Cup_R1.xml");
    ASSERT_TRUE(text.contains(from)) << from.toStdString();
    text.replace(from, to);
    WriteFile(QStringLiteral("KIVODATA/XML/") + name, text);
  }
};

TEST_F(OpenEventTest, AFileThatCannotBeOpenedWholeLeavesTheEventOnScreenAsItWas) {
  TForm1& form = StartForm();
  TypeThreeBoatRace();
  Save(Answer::Yes);  // locked, so a half-open event would show UNLOCKED
  const QByteArray event = ReadFile("KIVODATA/RACEDATA/Cup.kivo");
  const QByteArray race = ReadFile("KIVODATA/XML/Cup_R1.xml");

  WriteFile("KIVODATA/RACEDATA/empty.kivo", QByteArray());
  QByteArray binary;
  for (int i = 0; i < 512; ++i) binary += static_cast<char>((i * 131 + 7) % 256);
  WriteFile("KIVODATA/RACEDATA/binary.kivo", binary);
  WriteFile("KIVODATA/RACEDATA/trunc.kivo", event.left(event.size() / 2));
  WriteVariant("badlock.kivo", "locked=\"1\"", "locked=\"abc\"");
  WriteVariant("badissued.kivo", "scratchissued=\"", "scratchissued=\"2017/13/45");
  WriteVariant("badnumber.kivo", "xml=\"Cup_R1.xml\"", "xml=\"Bad_R1.xml\"");
  WriteRaceVariant("Bad_R1.xml", "distance=\"10\"", "distance=\"ten\"");
  WriteVariant("cutrace.kivo", "xml=\"Cup_R1.xml\"", "xml=\"Cut_R1.xml\"");
  WriteFile("KIVODATA/XML/Cut_R1.xml", race.left(race.indexOf("<boat ") + 40));

  const struct {
    const char* file;
    const char* named;  // the file the message names
    const char* reason;
  } cases[] = {
      {"empty.kivo", "RACEDATA/empty.kivo", "イベントファイルの形式ではありません。"},
      {"binary.kivo", "RACEDATA/binary.kivo", "イベントファイルの形式ではありません。"},
      {"trunc.kivo", "RACEDATA/trunc.kivo", "ファイルが途中で切れています。"},
      {"badlock.kivo", "RACEDATA/badlock.kivo", "locked の値 \"abc\" が整数ではありません。"},
      {"badissued.kivo", "RACEDATA/badissued.kivo", "発行日 \"2017/13/45"},
      {"badnumber.kivo", "XML/Bad_R1.xml", "'ten' is not a valid floating point value"},
      {"cutrace.kivo", "XML/Cut_R1.xml", "ファイルが途中で切れています。"},
  };
  const Shown before = Now();
  ASSERT_EQ(before.lock, QStringLiteral("LOCKED"));
  ASSERT_EQ(before.entries.size(), 3);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    dialogs().Clear();
    Open(QStringLiteral("KIVODATA/RACEDATA/") + QString::fromLatin1(c.file));
    const QStringList messages = dialogs().Messages();
    ASSERT_EQ(messages.size(), 1) << messages.join('|').toStdString();
    const QString what = QString::fromLatin1(c.named).startsWith(QLatin1String("XML"))
                             ? QStringLiteral("レースXMLファイル")
                             : QStringLiteral("イベントファイル");
    EXPECT_TRUE(messages[0].startsWith(what + QStringLiteral("を読み込めませんでした。\n") +
                                       PathOf(QStringLiteral("KIVODATA/") + QString::fromLatin1(c.named)) +
                                       QLatin1Char('\n') + QString::fromUtf8(c.reason)))
        << messages[0].toStdString();
    EXPECT_TRUE(dialogs().Questions().isEmpty());
    EXPECT_EQ(Now(), before);
    EXPECT_EQ(form.Model.Locked, 1);
    EXPECT_EQ(form.Model.EventFile, PathOf("KIVODATA/RACEDATA/Cup.kivo"));
    EXPECT_FALSE(form.EventChanged());
  }
}

TEST_F(OpenEventTest, AMissingRaceXmlIsNamedAndTheEventsOwnFieldsOpen) {
  TForm1& form = StartForm();
  TypeThreeBoatRace();
  Save(Answer::No);
  QFile::remove(PathOf("KIVODATA/XML/Cup_R1.xml"));
  form.Button9->click();
  dialogs().Clear();
  Open("KIVODATA/RACEDATA/Cup.kivo");
  EXPECT_EQ(dialogs().Messages(), QStringList{QStringLiteral("レースXMLファイルがありません。\n") +
                                              PathOf("KIVODATA/XML/Cup_R1.xml") +
                                              QStringLiteral("\nイベントの項目だけを開きました。")});
  EXPECT_EQ(form.Edit2->text(), QStringLiteral("Summer Regatta"));
  EXPECT_EQ(form.Edit5->text(), QStringLiteral("Jury Member"));
  EXPECT_EQ(form.ListBox2->count(), 0);
  EXPECT_FALSE(form.EventChanged());
}

TEST_F(OpenEventTest, AFileNameTheSaveNameRefusesGivesOneMessage) {
  TForm1& form = StartForm();
  TypeThreeBoatRace();
  Save(Answer::No);
  WriteFile("KIVODATA/RACEDATA/brk_trunc.kivo", ReadFile("KIVODATA/RACEDATA/Cup.kivo"));
  form.Button9->click();
  dialogs().Clear();
  Open("KIVODATA/RACEDATA/brk_trunc.kivo");
  EXPECT_EQ(dialogs().Messages(), QStringList{QStringLiteral("この文字は使わないでください")});
  EXPECT_EQ(form.Edit3->text(), QStringLiteral("brk"));
  EXPECT_EQ(form.ListBox4->count(), 3);
  EXPECT_FALSE(form.EventChanged());
}

}  // namespace
}  // namespace kivo::testing
