#include "core/event_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "core/file_io.h"
#include "core/number_text.h"
#include "core/race_xml.h"
#include "files/testing/full_disk.h"
#include "testing/one_race_model.h"
#include "testing/rms_fixtures.h"

namespace kivo {
namespace {

using fixtures::Cp932;

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class EventFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    model_ = fixtures::OneRaceModel();
    for (const char* sub : {"RMS", "RACEDATA", "XML", "LOGO", "OUTPUTDATA/HTML"})
      ASSERT_TRUE(QDir(dir_.path()).mkpath(QString::fromLatin1(sub)));
    model_.RmsFolder = dir_.filePath(QStringLiteral("RMS"));
    model_.RaceDataFolder = dir_.filePath(QStringLiteral("RACEDATA"));
    model_.XmlFolder = dir_.filePath(QStringLiteral("XML"));
    model_.LogoFolder = dir_.filePath(QStringLiteral("LOGO"));
    model_.HtmlFolder = dir_.filePath(QStringLiteral("OUTPUTDATA/HTML"));
  }

  void FillEvent() {
    model_.EventName = QStringLiteral("春季大会");
    model_.SaveName = QStringLiteral("Cup");
    model_.RmsFile = model_.RmsFolder + QStringLiteral("/JPN2017.rms");
    model_.EventClass = QStringLiteral("TarvelC");
    model_.Chairman = QStringLiteral("山田 太郎");
    model_.EventIssued = QStringLiteral("2017/06/04");
    model_.LogoLeft = QStringLiteral("left.jpg");
    model_.LogoMiddle = QStringLiteral("ab");
    model_.LogoRight = QStringLiteral("-");
    model_.Locked = 1;
    model_.RaceName[1] = QStringLiteral("第1レース");
    model_.RaceXmlName[1] = QStringLiteral("Cup_R1.xml");
    model_.RacePointCoef[1] = QStringLiteral("1");
    model_.RaceJury[1] = QStringLiteral("佐藤");
    model_.ScratchIssued = QStringLiteral("2017/06/05");
    model_.ResultIssued = QStringLiteral("2017/06/06");
  }

  // A fresh model that reads the event file just saved.
  EventModel ReadBack() const {
    EventModel back = fixtures::EmptyModel();
    back.RmsFolder = model_.RmsFolder;
    back.EventFile = model_.EventFile;
    ReadEventFile(back);
    return back;
  }

  QString EventPath(const char* name) const {
    return model_.RaceDataFolder + QLatin1Char('/') + QLatin1String(name);
  }

  QTemporaryDir dir_;
  EventModel model_;
};

TEST_F(EventFileTest, WritesTheFourKindsOfLineInCp932WithCrLf) {
  FillEvent();
  const QByteArray expected = Cp932(
      "<event name=\"春季大会\" rms=\"JPN2017.rms\" classname=\"TarvelC\" chiefjury=\"山田 太郎\" "
      "eventissued=\"2017/06/04\" logol=\"left.jpg\" logom=\"-\" logor=\"-\" locked=\"1\"/>\r\n"
      "<races>\r\n"
      "<race name=\"第1レース\" xml=\"Cup_R1.xml\" pointcoef=\"1\" seacondx=\"-\" windcondx=\"-\" jury=\"佐藤\" "
      "scratchissued=\"2017/06/05\" resultissued=\"2017/06/06\"/>\r\n"
      "</races> </event>\r\n");
  EXPECT_EQ(EventFileText(model_), expected);
}

TEST_F(EventFileTest, SaveWritesTheFileNamedAfterTheSaveName) {
  FillEvent();
  model_.SaveName = QStringLiteral("Cup.2017");
  SaveEventFile(model_);
  EXPECT_EQ(model_.EventFile, EventPath("Cup.kivo"));
  EXPECT_EQ(ReadAll(model_.EventFile), EventFileText(model_));
  EXPECT_EQ(QDir(model_.RaceDataFolder).entryList(QDir::Files), QStringList{QStringLiteral("Cup.kivo")});
}

TEST_F(EventFileTest, EscapesValuesAndReadsThemBack) {
  FillEvent();
  model_.EventName = QStringLiteral("A&B \"Open\" <2017>");
  model_.Chairman = QStringLiteral("Smith & Sons");
  model_.RaceName[1] = QStringLiteral("R<1>");
  SaveEventFile(model_);
  const QByteArray bytes = ReadAll(model_.EventFile);
  EXPECT_TRUE(bytes.contains("name=\"A&amp;B &quot;Open&quot; &lt;2017&gt;\""));

  const EventModel back = ReadBack();
  EXPECT_EQ(back.EventName, model_.EventName);
  EXPECT_EQ(back.Chairman, model_.Chairman);
  EXPECT_EQ(back.RaceName[1], model_.RaceName[1]);
  EXPECT_EQ(back.EventClass, model_.EventClass);
  EXPECT_EQ(back.EventIssued, model_.EventIssued);
  EXPECT_EQ(back.RmsFile, model_.RmsFile);
  EXPECT_EQ(back.LogoLeft, QStringLiteral("left.jpg"));
  EXPECT_EQ(back.LogoMiddle, QStringLiteral("-"));
  EXPECT_EQ(back.Locked, 1);
  EXPECT_EQ(back.RaceXmlName[1], QStringLiteral("Cup_R1.xml"));
  EXPECT_EQ(back.RacePointCoef[1], QStringLiteral("1"));
  EXPECT_EQ(back.RaceJury[1], QStringLiteral("佐藤"));
  EXPECT_EQ(back.ScratchIssued, model_.ScratchIssued);
  EXPECT_EQ(back.ResultIssued, model_.ResultIssued);
}

TEST_F(EventFileTest, ANameHoldingAnotherAttributeReadsBackWhole) {
  FillEvent();
  model_.EventName = QStringLiteral("a locked=\"1\" b");
  model_.RaceName[1] = QStringLiteral("x rms=\"y.rms\" z");
  model_.Locked = 0;
  SaveEventFile(model_);

  const EventModel back = ReadBack();
  EXPECT_EQ(back.EventName, model_.EventName);
  EXPECT_EQ(back.Locked, 0);
  EXPECT_EQ(back.RmsFile, model_.RmsFile);
  EXPECT_EQ(back.RaceName[1], model_.RaceName[1]);
}

TEST_F(EventFileTest, ReadsAFileWithTwoRaceLines) {
  // As an older version wrote it: no escaping, a lone "&" in the name.
  model_.EventFile = EventPath("Two.kivo");
  ASSERT_TRUE(fixtures::WriteFile(
      model_.EventFile,
      Cp932(
          "<event name=\"秋&冬\" rms=\"JPN2016.rms\" classname=\"TarvelC\" chiefjury=\"Chair\" "
          "eventissued=\"2016/10/01\" logol=\"l.jpg\" logom=\"m.png\" logor=\"-\" locked=\"0\"/>\r\n"
          "<races>\r\n"
          "<race name=\"First\" xml=\"Two_R1.xml\" pointcoef=\"1\" seacondx=\"-\" windcondx=\"-\" jury=\"J1\" "
          "scratchissued=\"2016/10/02\" resultissued=\"2016/10/03\"/>\r\n"
          "<race name=\"Second\" xml=\"Two_R2.xml\" pointcoef=\"2\" seacondx=\"-\" windcondx=\"-\" jury=\"J2\" "
          "scratchissued=\"2016/10/04\" resultissued=\"2016/10/05\"/>\r\n"
          "</races> </event>\r\n")));
  model_.EntryCount = 5;
  model_.RaceName[3] = QStringLiteral("stale");
  ReadEventFile(model_);
  EXPECT_EQ(model_.EventName, QStringLiteral("秋&冬"));
  EXPECT_EQ(model_.RmsFile, model_.RmsFolder + QStringLiteral("/JPN2016.rms"));
  EXPECT_EQ(model_.EventClass, QStringLiteral("TarvelC"));
  EXPECT_EQ(model_.Chairman, QStringLiteral("Chair"));
  EXPECT_EQ(model_.EventIssued, QStringLiteral("2016/10/01"));
  EXPECT_EQ(model_.LogoLeft, QStringLiteral("l.jpg"));
  EXPECT_EQ(model_.LogoMiddle, QStringLiteral("m.png"));
  EXPECT_EQ(model_.LogoRight, QStringLiteral("-"));
  EXPECT_EQ(model_.Locked, 0);
  EXPECT_EQ(model_.EntryCount, 0);
  EXPECT_EQ(model_.RaceName[1], QStringLiteral("First"));
  EXPECT_EQ(model_.RaceXmlName[1], QStringLiteral("Two_R1.xml"));
  EXPECT_EQ(model_.RaceJury[1], QStringLiteral("J1"));
  EXPECT_EQ(model_.RaceName[2], QStringLiteral("Second"));
  EXPECT_EQ(model_.RaceXmlName[2], QStringLiteral("Two_R2.xml"));
  EXPECT_EQ(model_.RacePointCoef[2], QStringLiteral("2"));
  EXPECT_EQ(model_.RaceJury[2], QStringLiteral("J2"));
  EXPECT_EQ(model_.RaceName[3], QString());
  // The issued dates are those of the last race line.
  EXPECT_EQ(model_.ScratchIssued, QStringLiteral("2016/10/04"));
  EXPECT_EQ(model_.ResultIssued, QStringLiteral("2016/10/05"));
}

TEST_F(EventFileTest, AbsentAttributesReadZeroAndLineLayoutPlaysNoPart) {
  model_.EventFile = EventPath("Short.kivo");
  ASSERT_TRUE(
      fixtures::WriteFile(model_.EventFile, "<event name=\"E\"/><races><race name=\"R\"/></races></event>"));
  ReadEventFile(model_);
  EXPECT_EQ(model_.EventName, QStringLiteral("E"));
  EXPECT_EQ(model_.RmsFile, model_.RmsFolder + QStringLiteral("/0"));
  EXPECT_EQ(model_.LogoLeft, QStringLiteral("0"));
  EXPECT_EQ(model_.Locked, 0);
  EXPECT_EQ(model_.RaceXmlName[1], QStringLiteral("0"));
  EXPECT_EQ(model_.ScratchIssued, QStringLiteral("0"));
}

TEST_F(EventFileTest, AFileThatIsNoWholeEventFileIsRefusedNamingItAndTheReason) {
  const QByteArray whole = Cp932(
      "<event name=\"E\" rms=\"a.rms\" classname=\"C\" chiefjury=\"J\" eventissued=\"\" logol=\"-\" logom=\"-\" "
      "logor=\"-\" locked=\"0\"/>\r\n<races>\r\n<race name=\"R\" xml=\"E_R1.xml\" pointcoef=\"\" seacondx=\"-\" "
      "windcondx=\"-\" jury=\"J\" scratchissued=\"\" resultissued=\"\"/>\r\n</races> </event>\r\n");
  QByteArray binary;
  for (int i = 0; i < 256; ++i) binary += static_cast<char>((i * 37) % 256);
  QByteArray badLock = whole;
  badLock.replace("locked=\"0\"", "locked=\"abc\"");
  QByteArray noRace = whole;
  noRace.replace(noRace.indexOf("<race "), noRace.indexOf("</races>") - noRace.indexOf("<race "), "");
  const struct {
    const char* name;
    QByteArray content;
    const char* reason;
  } cases[] = {
      {"empty", QByteArray(), "イベントファイルの形式ではありません。"},
      {"binary", binary, "イベントファイルの形式ではありません。"},
      {"cut in the race line", whole.left(whole.indexOf(" jury=")), "ファイルが途中で切れています。"},
      {"cut before the last line", whole.left(whole.indexOf("</races>")), "ファイルが途中で切れています。"},
      {"no race line", noRace, "レースの行がありません。"},
      {"locked no integer", badLock, "locked の値 \"abc\" が整数ではありません。"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    model_.EventFile = EventPath("Bad.kivo");
    ASSERT_TRUE(fixtures::WriteFile(model_.EventFile, c.content));
    try {
      ReadEventFile(model_);
      ADD_FAILURE() << "no error";
    } catch (const ScorerFileError& e) {
      EXPECT_EQ(QString::fromStdString(e.what()),
                QStringLiteral("イベントファイルを読み込めませんでした。\n") + model_.EventFile +
                    QLatin1Char('\n') + QString::fromUtf8(c.reason));
    }
  }
  // The whole file reads.
  ASSERT_TRUE(fixtures::WriteFile(model_.EventFile, whole));
  EXPECT_NO_THROW(ReadEventFile(model_));
}

TEST_F(EventFileTest, FailuresNameTheFile) {
  model_.EventFile = EventPath("missing.kivo");
  try {
    ReadEventFile(model_);
    ADD_FAILURE() << "no error";
  } catch (const ScorerFileError& e) {
    EXPECT_TRUE(QString::fromStdString(e.what()).startsWith(
        QStringLiteral("イベントファイルを読み込めませんでした。\n") + model_.EventFile))
        << e.what();
  }

  FillEvent();
  model_.RaceDataFolder = dir_.filePath(QStringLiteral("no such folder"));
  try {
    SaveEventFile(model_);
    ADD_FAILURE() << "no error";
  } catch (const ScorerFileError& e) {
    EXPECT_EQ(e.path(), model_.RaceDataFolder + QStringLiteral("/Cup.kivo"));
    EXPECT_TRUE(QString::fromStdString(e.what()).startsWith(
        QStringLiteral("イベントファイルを書き込めませんでした。\n") + e.path()))
        << e.what();
  }
}

// The event file is smaller than the race XML, so through the window a full
// disk stops the save at the race XML first; here the event file meets it.
TEST_F(EventFileTest, AFullDiskKeepsThePreviousEventFile) {
  FillEvent();
  SaveEventFile(model_);
  const QByteArray previous = ReadAll(model_.EventFile);
  model_.Chairman = QStringLiteral("Another Chair");
  {
    platform::testing::FullDiskAfter full(100);
    EXPECT_THROW(SaveEventFile(model_), ScorerFileError);
  }
  EXPECT_EQ(ReadAll(model_.EventFile), previous);
  EXPECT_EQ(QDir(model_.RaceDataFolder).entryList(QDir::Files | QDir::Hidden), QStringList{"Cup.kivo"});
}

TEST_F(EventFileTest, MoreRaceLinesThanPlacesStopWithAClearError) {
  QByteArray text = "<event name=\"E\" locked=\"0\"/><races>";
  for (int i = 1; i <= 10; ++i) text += "<race name=\"R" + QByteArray::number(i) + "\"/>";
  text += "</races> </event>";
  model_.EventFile = EventPath("Many.kivo");
  ASSERT_TRUE(fixtures::WriteFile(model_.EventFile, text));
  EXPECT_THROW(ReadEventFile(model_), ScorerFileError);
  EXPECT_EQ(model_.RaceName[9], QStringLiteral("R9"));
}

TEST_F(EventFileTest, LogoCopiesLeaveAnExistingTargetUntouched) {
  FillEvent();
  model_.LogoLeft = QStringLiteral("left.jpg");
  model_.LogoMiddle = QStringLiteral("kept.jpg");
  model_.LogoRight = QStringLiteral("gone.jpg");  // no source: passed over
  ASSERT_TRUE(fixtures::WriteFile(model_.LogoFolder + QStringLiteral("/left.jpg"), "new left"));
  ASSERT_TRUE(fixtures::WriteFile(model_.LogoFolder + QStringLiteral("/kept.jpg"), "new middle"));
  ASSERT_TRUE(fixtures::WriteFile(model_.LogoFolder + QStringLiteral("/ab"), "short name"));
  ASSERT_TRUE(fixtures::WriteFile(model_.HtmlFolder + QStringLiteral("/kept.jpg"), "old middle"));
  SaveEventFile(model_);
  EXPECT_EQ(ReadAll(model_.HtmlFolder + QStringLiteral("/left.jpg")), QByteArray("new left"));
  EXPECT_EQ(ReadAll(model_.HtmlFolder + QStringLiteral("/kept.jpg")), QByteArray("old middle"));
  EXPECT_FALSE(QFile::exists(model_.HtmlFolder + QStringLiteral("/gone.jpg")));

  // A name of two bytes is neither copied nor written.
  model_.LogoLeft = QStringLiteral("ab");
  CopyEventLogos(model_);
  EXPECT_FALSE(QFile::exists(model_.HtmlFolder + QStringLiteral("/ab")));
  EXPECT_TRUE(EventFileText(model_).contains("logol=\"-\""));
  // A Japanese name of one character is two bytes: "-" as well.
  model_.LogoLeft = QStringLiteral("旗");
  EXPECT_TRUE(EventFileText(model_).contains("logol=\"-\""));
  model_.LogoLeft = QStringLiteral("旗.");
  EXPECT_TRUE(EventFileText(model_).contains(Cp932("logol=\"旗.\"")));
}

TEST(SaveNameAfterCheck, RemovesTheLastCharacterWhileAForbiddenOneIsLeft) {
  EXPECT_EQ(SaveNameAfterCheck(QStringLiteral("Cup2017")), std::nullopt);
  EXPECT_EQ(SaveNameAfterCheck(QString()), std::nullopt);
  EXPECT_EQ(SaveNameAfterCheck(QStringLiteral("春季大会")), std::nullopt);
  EXPECT_EQ(SaveNameAfterCheck(QStringLiteral("Cup_")), QStringLiteral("Cup"));

  // As the handler runs: the message each time, until none is left.
  const struct {
    const char* typed;
    int messages;
    const char* left;
  } cases[] = {{"a.b.c", 4, "a"}, {"Cup_", 1, "Cup"}, {"x:y", 2, "x"}, {"&", 1, ""}, {"AB&", 1, "AB"}};
  for (const auto& c : cases) {
    QString text = QString::fromLatin1(c.typed);
    int messages = 0;
    while (const auto shorter = SaveNameAfterCheck(text)) {
      ++messages;
      text = *shorter;
    }
    EXPECT_EQ(messages, c.messages) << c.typed;
    EXPECT_EQ(text, QString::fromLatin1(c.left)) << c.typed;
  }
  EXPECT_EQ(ForbiddenSaveNameMessage(), QStringLiteral("この文字は使わないでください"));
}

TEST_F(EventFileTest, SaveAndRaceXmlShareTheBaseOfTheSaveName) {
  FillEvent();
  model_.SaveName = QStringLiteral("Cup");
  NameRaceXml(model_);
  SaveEventFile(model_);
  EXPECT_EQ(model_.RaceXmlFile, model_.XmlFolder + QStringLiteral("/Cup_R1.xml"));
  EXPECT_EQ(model_.EventFile, EventPath("Cup.kivo"));
  EXPECT_TRUE(ReadAll(model_.EventFile).contains("xml=\"Cup_R1.xml\""));
}

}  // namespace
}  // namespace kivo
