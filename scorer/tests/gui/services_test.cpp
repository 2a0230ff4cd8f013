// The services around the event: memory file, folder tree failures, lock,
// logos, help page, details panel and the course distance program.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTest>

#include "ansi/ansi.h"
#include "form_building.h"
#include "form_fixture.h"
#include "qt/jpeg.h"

namespace kivo::testing {
namespace {

using platform::Answer;
using platform::testing::ShellCall;

QByteArray Ansi(const QString& text) { return QByteArray::fromStdString(ansi::FromUtf8(text.toStdString())); }

class MemoryFileTest : public FormFixture {};

TEST_F(MemoryFileTest, StartTakesTheRememberedFileAndCorrection) {
  struct Case {
    const char* name;
    QByteArray content;    // lastdata.txt; empty: no file
    QStringList rmsFiles;  // present in the RMS folder
    QString expectedRms;   // file name within RMS; empty: none remembered
    int expectedCorrection;
  };
  const std::vector<Case> cases = {
      {"no memory file: the newest file", {}, {"race2017.rms"}, "race2017.rms", 0},
      {"remembered file although a newer one exists", "old.rms,4\r\n", {"old.rms", "new.rms"}, "old.rms", 4},
      {"remembered file present", "race2017.rms,-30\r\n", {"race2017.rms"}, "race2017.rms", -30},
      {"line of 3 bytes ignored", ",15\r\n", {}, {}, 0},
      {"remembered file gone, correction taken", "old.rms,12\r\n", {"new.rms"}, "new.rms", 12},
      {"blanks around the parts", "  race2017.rms ,  7 \r\n", {"race2017.rms"}, "race2017.rms", 7},
      {"line end LF only", "race2017.rms,5\n", {"race2017.rms"}, "race2017.rms", 5},
      {"only the first line counts",
       "race2017.rms,5\r\nother.rms,9\r\n",
       {"race2017.rms"},
       "race2017.rms",
       5},
      {"correction not a whole number", "race2017.rms,abc\r\n", {"race2017.rms"}, "race2017.rms", 0},
      {"correction with decimals", "race2017.rms,1.5\r\n", {"race2017.rms"}, "race2017.rms", 0},
      {"line without a comma", "race2017.rms\r\n", {"race2017.rms"}, "race2017.rms", 0},
      {"Japanese file name in CP932",
       Ansi(QStringLiteral("レース.rms,3\r\n")),
       {"レース.rms"},
       "レース.rms",
       3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QDir(PathOf("KIVODATA")).removeRecursively();
    // Each file of the list is a day newer than the one before.
    QDateTime written(QDate(2017, 5, 1), QTime(12, 0));
    for (const QString& rms : c.rmsFiles) {
      WriteFile("KIVODATA/RMS/" + rms, "NAT\r\n");
      QFile file(PathOf("KIVODATA/RMS/" + rms));
      ASSERT_TRUE(file.open(QIODevice::ReadWrite));
      ASSERT_TRUE(file.setFileTime(written, QFileDevice::FileModificationTime));
      written = written.addDays(1);
    }
    if (!c.content.isEmpty()) WriteFile("KIVODATA/MSC/lastdata.txt", c.content);
    dialogs().Clear();

    TForm1& form = StartForm();
    const QString rmsFolder = PathOf("KIVODATA/RMS");
    EXPECT_EQ(form.Model.RmsFile, rmsFolder + QLatin1Char('/') + c.expectedRms);
    EXPECT_EQ(form.Model.ClockCorrection, c.expectedCorrection);
    EXPECT_EQ(form.Memo13->text(), QString::number(c.expectedCorrection));
    EXPECT_EQ(form.UpDown2->Position(), c.expectedCorrection);
    // The start went on to the cover page, with nothing to report.
    EXPECT_EQ(form.ShownPage(), 0);
    EXPECT_TRUE(dialogs().Messages().isEmpty());
  }
}

TEST_F(MemoryFileTest, AFileThatCannotBeReadIsReportedAndTheStartGoesOn) {
  // A kernel setting that nobody may read, not even the superuser, stands
  // in for an unreadable memory file.
  const QString unreadable = QStringLiteral("/proc/sys/vm/compact_memory");
  if (QFile probe(unreadable); !QFileInfo(unreadable).isFile() || probe.open(QIODevice::ReadOnly))
    GTEST_SKIP() << "no unreadable file on this machine";
  WriteFile("KIVODATA/RMS/a.rms", "NAT\r\n");
  MakeFolder("KIVODATA/MSC");
  ASSERT_TRUE(QFile::link(unreadable, PathOf("KIVODATA/MSC/lastdata.txt")));

  TForm1& form = StartForm();
  EXPECT_EQ(dialogs().Messages(), QStringList{QStringLiteral("次のファイルを読み込めませんでした。\n") +
                                              PathOf("KIVODATA/MSC/lastdata.txt")});
  EXPECT_EQ(form.Model.RmsFile, PathOf("KIVODATA/RMS/a.rms"));
  EXPECT_EQ(form.Model.ClockCorrection, 0);
  EXPECT_EQ(form.Memo3->text(), QStringLiteral("a.rms"));
  EXPECT_EQ(form.ShownPage(), 0);
  // Nothing may ever be written through the link.
  EXPECT_TRUE(QFile::remove(PathOf("KIVODATA/MSC/lastdata.txt")));
}

TEST_F(MemoryFileTest, CloseOfAnUnlockedEventWritesTheLine) {
  WriteFile("KIVODATA/RMS/a.rms", "NAT\r\n");
  WriteFile("KIVODATA/MSC/lastdata.txt", "a.rms,5\r\n");
  TForm1& form = StartForm();
  EXPECT_EQ(form.Model.ClockCorrection, 5);
  form.Model.ClockCorrection = -12;
  CloseForm();
  EXPECT_EQ(ReadFile("KIVODATA/MSC/lastdata.txt"), QByteArray("a.rms,-12\r\n"));
  EXPECT_EQ(machine().Beeps(), 1);
  EXPECT_TRUE(dialogs().Events().empty());
}

TEST_F(MemoryFileTest, CloseWithoutRatingFileWritesACommaAndTheCorrection) {
  TForm1& form = StartForm();
  form.Model.ClockCorrection = 30;
  CloseForm();
  EXPECT_EQ(ReadFile("KIVODATA/MSC/lastdata.txt"), QByteArray(",30\r\n"));
}

TEST_F(MemoryFileTest, CloseWritesAJapaneseNameInCp932) {
  WriteFile(QStringLiteral("KIVODATA/RMS/レース.rms"), "NAT\r\n");
  TForm1& form = StartForm();
  form.Model.RmsFile = PathOf(QStringLiteral("KIVODATA/RMS/レース.rms"));
  CloseForm();
  EXPECT_EQ(ReadFile("KIVODATA/MSC/lastdata.txt"), Ansi(QStringLiteral("レース.rms,0\r\n")));
}

TEST_F(MemoryFileTest, CloseOfALockedEventKeepsThePreviousFile) {
  WriteFile("KIVODATA/MSC/lastdata.txt", "old.rms,7\r\n");
  TForm1& form = StartForm();
  form.Model.Locked = 1;
  form.Model.ClockCorrection = 99;
  CloseForm();
  EXPECT_EQ(ReadFile("KIVODATA/MSC/lastdata.txt"), QByteArray("old.rms,7\r\n"));
}

TEST_F(MemoryFileTest, AFileThatCannotBeWrittenIsReportedAndTheCloseCompletes) {
  // A folder in the file's place: nothing can be written there.
  MakeFolder("KIVODATA/MSC/lastdata.txt");
  TForm1& form = StartForm();
  CloseForm();
  EXPECT_EQ(dialogs().Messages(),
            QStringList{QStringLiteral("次のファイルに書き込めませんでした。\n") +
                        PathOf("KIVODATA/MSC/lastdata.txt") + QStringLiteral("\nIs a directory")});
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(machine().Beeps(), 1);
}

TEST_F(MemoryFileTest, AWriteKeepsNoTemporaryFileBehind) {
  TForm1& form = StartForm();
  form.Model.ClockCorrection = 1;
  CloseForm();
  EXPECT_EQ(QDir(PathOf("KIVODATA/MSC")).entryList(QDir::Files), QStringList{"lastdata.txt"});
}

class FolderTreeTest : public FormFixture {};

TEST_F(FolderTreeTest, AFolderThatCannotBeMadeIsReportedOnceAndTheStartGoesOn) {
  WriteFile("KIVODATA", "a file where the data folder belongs");
  TForm1& form = StartForm();
  EXPECT_EQ(dialogs().Messages(),
            QStringList{QStringLiteral("次のフォルダを作成できませんでした。\n") + PathOf("KIVODATA")});
  EXPECT_EQ(form.ShownPage(), 0);
  EXPECT_EQ(form.size(), QSize(472, 523));
  EXPECT_EQ(form.ComboBox2->count(), 14);
}

TEST_F(FolderTreeTest, ExistingFoldersAndTheirFilesStay) {
  WriteFile("KIVODATA/LOGO/club.jpg", "keep");
  StartForm();
  EXPECT_EQ(ReadFile("KIVODATA/LOGO/club.jpg"), QByteArray("keep"));
  EXPECT_TRUE(QFileInfo(PathOf("KIVODATA/OUTPUTDATA/CSV")).isDir());
}

class LockTest : public FormFixture {};

TEST_F(LockTest, TheLockPanelTogglesOnYesOnly) {
  TForm1& form = StartForm();
  const auto expectLocked = [&](bool locked) {
    EXPECT_EQ(form.Model.Locked, locked ? 1 : 0);
    EXPECT_EQ(form.Panel19->Caption(), locked ? QStringLiteral("LOCKED") : QStringLiteral("UNLOCKED"));
    EXPECT_EQ(form.Panel19->Color(), locked ? kRed : kBlue);
    EXPECT_EQ(form.Panel19->toolTip(), locked ? QStringLiteral("クリックするとロックを解除します。")
                                              : QStringLiteral("クリックするとデータをロックします。"));
    for (QWidget* widget :
         {static_cast<QWidget*>(form.pnlEVENT), static_cast<QWidget*>(form.pnlCOURSE),
          static_cast<QWidget*>(form.pnlENTRY), static_cast<QWidget*>(form.pnlFINISH),
          static_cast<QWidget*>(form.DateTimePicker7), static_cast<QWidget*>(form.DateTimePicker8)})
      EXPECT_EQ(widget->isEnabled(), !locked) << widget->objectName().toStdString();
    // The result page and the top bar stay usable.
    EXPECT_TRUE(form.pnlRESULT->isEnabled());
    EXPECT_TRUE(form.Button12->isEnabled());
    EXPECT_TRUE(form.Panel5->isEnabled());
  };
  struct Step {
    Answer answer;
    QString question;
    bool lockedAfter;
  };
  const std::vector<Step> steps = {
      {Answer::No, QStringLiteral("データをロックしますか？"), false},
      {Answer::Yes, QStringLiteral("データをロックしますか？"), true},
      {Answer::No, QStringLiteral("ロックを解除しますか？"), true},
      {Answer::Yes, QStringLiteral("ロックを解除しますか？"), false},
  };
  expectLocked(false);
  for (const Step& step : steps) {
    SCOPED_TRACE(step.question.toStdString());
    dialogs().Clear();
    dialogs().QueueAnswer(step.answer);
    QTest::mouseClick(form.Panel19, Qt::LeftButton);
    EXPECT_EQ(dialogs().Questions(), QStringList{step.question});
    EXPECT_TRUE(dialogs().AllScriptUsed());
    expectLocked(step.lockedAfter);
  }
}

class LogoTest : public FormFixture {
 protected:
  QString WriteJpegLogo(const QString& name, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(200, 30, 30));
    const QString path = PathOf("KIVODATA/LOGO/" + name);
    QDir().mkpath(QFileInfo(path).path());
    EXPECT_TRUE(platform::EncodeJpegFile(image, path));
    return path;
  }
};

TEST_F(LogoTest, ChosenPictureShowsAndItsLowerCaseNameIsKept) {
  TForm1& form = StartForm();
  const QString logo = WriteJpegLogo("Logo_A.JPG", QSize(200, 100));
  dialogs().QueueFile(logo);
  form.Image2->Click();
  EXPECT_FALSE(form.Image2->IsEmpty());
  EXPECT_EQ(form.Image2->Picture().size(), QSize(200, 100));
  EXPECT_EQ(form.Model.LogoLeft, QStringLiteral("logo_a.jpg"));
  ASSERT_EQ(dialogs().Events().size(), 1u);
  const auto& dialog = dialogs().Events().front();
  EXPECT_EQ(dialog.text, form.Model.LogoFolder + QStringLiteral("/morsund_eng.jpg"));
  EXPECT_TRUE(dialog.filter.startsWith(QStringLiteral("画像ファイル(*.jpg,*.bmp")));
  EXPECT_TRUE(dialog.filter.contains(QStringLiteral("*.jpg")));
  EXPECT_TRUE(dialog.filter.contains(QStringLiteral("*.bmp")));

  dialogs().QueueFile(QString());  // cancelled
  form.Image2->Click();
  EXPECT_TRUE(form.Image2->IsEmpty());
  EXPECT_EQ(form.Model.LogoLeft, QStringLiteral("-"));
}

TEST_F(LogoTest, EachBoxKeepsItsOwnName) {
  TForm1& form = StartForm();
  QImage bitmap(40, 30, QImage::Format_RGB32);
  bitmap.fill(Qt::blue);
  const QString bmp = PathOf("KIVODATA/LOGO/Club.BMP");
  ASSERT_TRUE(bitmap.save(bmp, "BMP"));
  const QString jpeg = WriteJpegLogo("sponsor.jpg", QSize(64, 64));

  dialogs().QueueFile(bmp);
  QTest::mouseClick(form.Image3, Qt::LeftButton);
  dialogs().QueueFile(jpeg);
  QTest::mouseClick(form.Image4, Qt::LeftButton);
  EXPECT_EQ(form.Model.LogoMiddle, QStringLiteral("club.bmp"));
  EXPECT_EQ(form.Model.LogoRight, QStringLiteral("sponsor.jpg"));
  EXPECT_EQ(form.Image3->Picture().size(), QSize(40, 30));
  EXPECT_FALSE(form.Image4->IsEmpty());
  EXPECT_TRUE(form.Image2->IsEmpty());
}

TEST_F(LogoTest, APictureThatCannotBeLoadedChangesNothing) {
  TForm1& form = StartForm();
  const QString logo = WriteJpegLogo("good.jpg", QSize(20, 20));
  dialogs().QueueFile(logo);
  form.Image2->Click();
  WriteFile("KIVODATA/LOGO/broken.jpg", "not a picture");
  dialogs().Clear();
  dialogs().QueueFile(PathOf("KIVODATA/LOGO/broken.jpg"));
  form.Image2->Click();
  EXPECT_EQ(dialogs().Messages().size(), 1);
  EXPECT_TRUE(dialogs().Messages().value(0).startsWith(
      QStringLiteral("画像ファイルを読み込めませんでした。\n") + PathOf("KIVODATA/LOGO/broken.jpg")));
  EXPECT_EQ(form.Model.LogoLeft, QStringLiteral("good.jpg"));
  EXPECT_EQ(form.Image2->Picture().size(), QSize(20, 20));
}

// Every later use looks a logo up by its name in the logo folder: one picked
// elsewhere is copied there, and a different picture of that name is
// replaced only when the user agrees.
TEST_F(LogoTest, APictureFromElsewhereIsCopiedIntoTheLogoFolder) {
  TForm1& form = StartForm();
  const auto picture = [this](const QString& relative, QSize size, const QColor& colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = PathOf(relative);
    QDir().mkpath(QFileInfo(path).path());
    EXPECT_TRUE(platform::EncodeJpegFile(image, path));
    return path;
  };
  const QString red = picture("elsewhere/Crest.JPG", QSize(30, 20), Qt::red);
  const QString blue = picture("other/crest.jpg", QSize(50, 40), Qt::blue);
  const QByteArray redBytes = ReadFile("elsewhere/Crest.JPG");

  // A new name: copied, no question.
  dialogs().QueueFile(red);
  form.Image2->Click();
  EXPECT_TRUE(dialogs().Questions().isEmpty());
  EXPECT_EQ(form.Model.LogoLeft, QStringLiteral("crest.jpg"));
  EXPECT_EQ(ReadFile("KIVODATA/LOGO/crest.jpg"), redBytes);
  EXPECT_EQ(form.Image2->Picture().size(), QSize(30, 20));

  // The same picture again: nothing to ask.
  dialogs().QueueFile(red);
  form.Image4->Click();
  EXPECT_TRUE(dialogs().Questions().isEmpty());
  EXPECT_EQ(form.Model.LogoRight, QStringLiteral("crest.jpg"));

  // A different picture of that name: declined, the pick is dropped.
  const QString question =
      QStringLiteral("LOGOフォルダには同じ名前の別の画像があります。\n%1\n選んだ画像で置き換えますか？")
          .arg(PathOf("KIVODATA/LOGO/crest.jpg"));
  const QString middleBefore = form.Model.LogoMiddle;
  dialogs().QueueFile(blue);
  dialogs().QueueAnswer(platform::Answer::No);
  form.Image3->Click();
  EXPECT_EQ(dialogs().Questions(), QStringList{question});
  EXPECT_EQ(form.Model.LogoMiddle, middleBefore);
  EXPECT_TRUE(form.Image3->IsEmpty());
  EXPECT_EQ(ReadFile("KIVODATA/LOGO/crest.jpg"), redBytes);

  // Agreed: replaced.
  dialogs().Clear();
  dialogs().QueueFile(blue);
  dialogs().QueueAnswer(platform::Answer::Yes);
  form.Image3->Click();
  EXPECT_EQ(dialogs().Questions(), QStringList{question});
  EXPECT_EQ(form.Model.LogoMiddle, QStringLiteral("crest.jpg"));
  EXPECT_EQ(ReadFile("KIVODATA/LOGO/crest.jpg"), ReadFile("other/crest.jpg"));
  EXPECT_EQ(form.Image3->Picture().size(), QSize(50, 40));
  EXPECT_TRUE(dialogs().Messages().isEmpty()) << dialogs().Messages().join('|').toStdString();

  // A copy that cannot be written is reported; box and name stay.
  MakeFolder("KIVODATA/LOGO/flag.jpg");
  const QString flag = picture("elsewhere/flag.jpg", QSize(10, 10), Qt::green);
  dialogs().QueueFile(flag);
  form.Image2->Click();
  ASSERT_EQ(dialogs().Messages().size(), 1);
  EXPECT_TRUE(dialogs().Messages()[0].startsWith(QStringLiteral("ロゴ画像を書き込めませんでした。\n") +
                                                 PathOf("KIVODATA/LOGO/flag.jpg")))
      << dialogs().Messages()[0].toStdString();
  EXPECT_EQ(form.Model.LogoLeft, QStringLiteral("crest.jpg"));
  EXPECT_EQ(form.Image2->Picture().size(), QSize(30, 20));
}

TEST_F(LogoTest, LockedEventRefusesAChange) {
  TForm1& form = StartForm();
  form.Model.LogoLeft = QStringLiteral("club.jpg");
  form.Model.Locked = 1;
  form.Image2->Click();
  EXPECT_EQ(dialogs().Messages(), QStringList{QStringLiteral("ロックされているので変更はできません")});
  ASSERT_EQ(dialogs().Events().size(), 1u);  // no picture dialog
  EXPECT_EQ(form.Model.LogoLeft, QStringLiteral("club.jpg"));
}

class OutsideProgramTest : public FormFixture {};

TEST_F(OutsideProgramTest, HelpOpensThePageBesideTheProgram) {
  TForm1& form = StartForm();
  QTest::mouseClick(form.Panel20, Qt::LeftButton);
  ASSERT_EQ(shell().Calls().size(), 1u);
  EXPECT_EQ(shell().Calls().front(),
            (ShellCall{ShellCall::Kind::OpenDocument, PathOf("KIVODATA/help/kivohelp.html")}));
  EXPECT_TRUE(dialogs().Events().empty());
}

TEST_F(OutsideProgramTest, XHidesTheDetailsPanel) {
  TForm1& form = StartForm();
  form.ShowPage(3);
  form.pnlDETAILS->show();
  QTest::mouseClick(form.Panel22, Qt::LeftButton);
  EXPECT_FALSE(form.pnlDETAILS->isVisible());
}

TEST_F(OutsideProgramTest, CourseDistanceButtonIsHiddenWithoutTheProgram) {
  TForm1& form = StartForm();
  EXPECT_FALSE(form.Button13->isVisibleTo(form.pnlCOURSE));
}

TEST_F(OutsideProgramTest, CourseDistanceProgramStartsOnlyOnLine) {
  WriteFile("drevlin", "#!/bin/sh\n");
  TForm1& form = StartForm();
  form.ShowPage(2);
  EXPECT_TRUE(form.Button13->isVisible());

  machine().SetOnline(false);
  QTest::mouseClick(form.Button13, Qt::LeftButton);
  EXPECT_EQ(dialogs().Messages(), QStringList{QStringLiteral("インターネットに接続されていません")});
  EXPECT_TRUE(shell().Calls().empty());

  dialogs().Clear();
  machine().SetOnline(true);
  QTest::mouseClick(form.Button13, Qt::LeftButton);
  EXPECT_TRUE(dialogs().Events().empty());
  ASSERT_EQ(shell().Calls().size(), 1u);
  EXPECT_EQ(shell().Calls().front(), (ShellCall{ShellCall::Kind::StartProgram, PathOf("drevlin")}));
}

}  // namespace
}  // namespace kivo::testing
