// "スクラッチシート出力" and "レース結果出力" through the widgets, after "計算"
// with the real module: the settings and issued dates, the results test,
// the HTML page and the CSV sheet with what is opened, the logo copies and
// the failures that leave nothing opened.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <QRegularExpression>

#include "core/race_xml.h"
#include "core/rms_text.h"
#include "race_typing.h"

namespace kivo::testing {
namespace {

using platform::Answer;
using platform::testing::ShellCall;

const QString kCsvQuestion =
    QStringLiteral("エクセルで表示しますか？\n\n( 「いいえ」を押すとメモ帳で表示します)");

class SheetOutputTest : public RaceTypingFixture {
 protected:
  QString HtmlPath(const char* name) const {
    return PathOf(QStringLiteral("KIVODATA/OUTPUTDATA/HTML/") + name);
  }
  QString CsvPath(const char* name) const {
    return PathOf(QStringLiteral("KIVODATA/OUTPUTDATA/CSV/") + name);
  }
  QString Cp932File(const QString& path) const {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? DecodeAnsi(file.readAll()) : QString();
  }
};

TEST_F(SheetOutputTest, PagesInTheBrowser) {
  TForm1& form = StartCalculated();
  form.RadioButton2->setChecked(true);
  form.RadioButton7->setChecked(true);  // Japanese
  form.CheckBox1->setChecked(true);
  form.DateTimePicker7->setDate(QDate(2017, 6, 30));
  form.DateTimePicker8->setDate(QDate(2017, 7, 2));
  const int beeps = machine().Beeps();

  form.Button18->click();
  form.Button19->click();

  EXPECT_TRUE(dialogs().Events().empty()) << dialogs().Messages().join('|').toStdString();
  EXPECT_EQ(shell().Calls(),
            (std::vector<ShellCall>{{ShellCall::Kind::OpenDocument, HtmlPath("Cup_R1_scratch.html")},
                                    {ShellCall::Kind::OpenDocument, HtmlPath("Cup_R1_result.html")}}));
  EXPECT_EQ(machine().Beeps(), beeps + 1) << "only the result page beeps";
  EXPECT_EQ(form.Model.ScratchHtmlFile, HtmlPath("Cup_R1_scratch.html"));
  EXPECT_EQ(form.Model.ResultHtmlFile, HtmlPath("Cup_R1_result.html"));
  EXPECT_EQ(form.Model.Language, 0);
  EXPECT_EQ(form.Model.Provisional, 1);
  EXPECT_EQ(form.Model.SheetKind, 1);
  EXPECT_EQ(form.Model.EventIssued, QStringLiteral("2017/07/01"));  // the machine's today
  EXPECT_EQ(form.Model.ScratchIssued, QStringLiteral("2017/06/30"));
  EXPECT_EQ(form.Model.ResultIssued, QStringLiteral("2017/07/02"));

  const QString result = Cp932File(form.Model.ResultHtmlFile);
  EXPECT_TRUE(result.contains(QStringLiteral("<span id=\"reportTitle\">レース結果 (暫定)</span>")));
  EXPECT_TRUE(result.contains(QStringLiteral("<p>発行日: <b>2017/07/02</b></p>")));
  // Finished after 1:55, 2:00 and 2:10: the elapsed positions follow.
  for (int entry = 1; entry <= 3; ++entry) {
    EXPECT_EQ(form.Model.BoatElapsedPos[1][entry], entry);
    EXPECT_TRUE(result.contains(
        QStringLiteral("<td class=\"col_YachtName\">%1</td>").arg(form.Model.EntryName[entry])));
  }
  EXPECT_TRUE(result.contains(QStringLiteral("<td class=\"col_ElapsedSecs\">6900</td>")));
  const QString scratch = Cp932File(form.Model.ScratchHtmlFile);
  EXPECT_TRUE(scratch.contains(QStringLiteral("<p>発行日: <b>2017/06/30</b></p>")));
  EXPECT_EQ(scratch.count(QStringLiteral("style=\"text-align:right;\" hc=\"")), 21);
}

TEST_F(SheetOutputTest, CsvSheetsOpenByTheAnswer) {
  TForm1& form = StartCalculated();
  form.RadioButton3->setChecked(true);
  dialogs().QueueAnswers({Answer::Yes, Answer::No, Answer::Cancel});

  form.Button19->click();
  form.Button18->click();
  QFile::remove(CsvPath("Cup_R1_result.csv"));
  form.Button19->click();

  EXPECT_EQ(dialogs().Questions(), (QStringList{kCsvQuestion, kCsvQuestion, kCsvQuestion}));
  EXPECT_TRUE(dialogs().Messages().isEmpty()) << dialogs().Messages().join('|').toStdString();
  EXPECT_EQ(shell().Calls(),
            (std::vector<ShellCall>{{ShellCall::Kind::OpenDocument, CsvPath("Cup_R1_result.csv")},
                                    {ShellCall::Kind::OpenInTextEditor, CsvPath("Cup_R1_scratch.csv")}}));
  EXPECT_TRUE(QFileInfo::exists(CsvPath("Cup_R1_result.csv"))) << "written before the question";
  EXPECT_EQ(form.Model.ResultCsvFile, CsvPath("Cup_R1_result.csv"));
  EXPECT_EQ(form.Model.ScratchCsvFile, CsvPath("Cup_R1_scratch.csv"));

  const QStringList lines = Cp932File(CsvPath("Cup_R1_result.csv")).split(QStringLiteral("\r\n"));
  ASSERT_GE(lines.size(), 15);
  EXPECT_EQ(lines[0], QStringLiteral("Summer Regatta"));
  EXPECT_EQ(lines[4], QStringLiteral("Race Name: Race One,,,,,Chief Jury: Jury Member"));
  EXPECT_EQ(lines[7], QStringLiteral("Distance: 10 NM"));
  const QStringList first =
      lines.filter(QRegularExpression("^" + QRegularExpression::escape(form.Model.EntryName[1]) + ","));
  ASSERT_EQ(first.size(), 1);
  EXPECT_EQ(first[0].section(QLatin1Char(','), 2, 6), QStringLiteral("17/07/01,11:55:00,OK,6900,1"));
}

TEST_F(SheetOutputTest, TheResultSheetNeedsComputedResults) {
  TForm1& form = StartCalculated();
  form.RadioButton2->setChecked(true);
  form.DateTimePicker8->setDate(QDate(2017, 7, 9));
  // The race XML written again holds only the placeholders of the results.
  form.WriteRaceXml();

  form.Button19->click();
  EXPECT_EQ(dialogs().Messages(),
            QStringList{QStringLiteral("データが不足しているか、または計算がされていません")});
  EXPECT_TRUE(shell().Calls().empty());
  EXPECT_FALSE(QFileInfo::exists(HtmlPath("Cup_R1_result.html")));
  EXPECT_EQ(form.Model.ResultIssued, QStringLiteral("2017/07/09")) << "kept although the command stopped";
  EXPECT_EQ(form.Model.ResultsFlags, 0);

  // The scratch sheet needs none.
  dialogs().Clear();
  form.Button18->click();
  EXPECT_TRUE(dialogs().Messages().isEmpty()) << dialogs().Messages().join('|').toStdString();
  EXPECT_EQ(shell().Calls(),
            (std::vector<ShellCall>{{ShellCall::Kind::OpenDocument, HtmlPath("Cup_R1_scratch.html")}}));
}

TEST_F(SheetOutputTest, ALockedEventKeepsItsIssuedDate) {
  TForm1& form = StartCalculated();
  form.RadioButton2->setChecked(true);
  form.Model.EventIssued = QStringLiteral("2017/05/05");
  dialogs().QueueAnswer(Answer::Yes);
  form.Panel19->Click();  // lock
  ASSERT_EQ(form.Model.Locked, 1);
  form.DateTimePicker8->setDate(QDate(2017, 7, 3));

  form.Button19->click();
  EXPECT_EQ(form.Model.EventIssued, QStringLiteral("2017/05/05"));
  EXPECT_EQ(form.Model.ResultIssued, QStringLiteral("2017/07/03"));

  dialogs().QueueAnswer(Answer::Yes);
  form.Panel19->Click();  // unlock
  form.Button19->click();
  EXPECT_EQ(form.Model.EventIssued, QStringLiteral("2017/07/01"));
}

TEST_F(SheetOutputTest, LogosAreCopiedBesideThePage) {
  MakeFolder("KIVODATA/LOGO");
  WriteFile("KIVODATA/LOGO/Club.JPG", "club picture");
  WriteFile("KIVODATA/LOGO/right.jpg", "new right");
  WriteFile("KIVODATA/LOGO/-", "not a logo");
  MakeFolder("KIVODATA/OUTPUTDATA/HTML");
  WriteFile("KIVODATA/OUTPUTDATA/HTML/right.jpg", "kept");
  TForm1& form = StartCalculated();
  form.RadioButton2->setChecked(true);
  form.Model.LogoLeft = QStringLiteral("club.jpg");  // as the picture dialog stores "Club.JPG"
  form.Model.LogoMiddle = QStringLiteral("-");
  form.Model.LogoRight = QStringLiteral("right.jpg");

  form.Button18->click();
  EXPECT_EQ(ReadFile("KIVODATA/OUTPUTDATA/HTML/club.jpg"), QByteArray("club picture"));
  EXPECT_FALSE(QFileInfo::exists(HtmlPath("-")));
  EXPECT_EQ(ReadFile("KIVODATA/OUTPUTDATA/HTML/right.jpg"), QByteArray("kept"));
  const QString page = Cp932File(HtmlPath("Cup_R1_scratch.html"));
  EXPECT_TRUE(page.contains(QStringLiteral("<img src=\"club.jpg\" id=\"logo_left\">")));
  EXPECT_TRUE(page.contains(QStringLiteral("<img src=\"right.jpg\" id=\"logo_right\">")));
  EXPECT_FALSE(page.contains(QStringLiteral("logo_center\">")));
}

TEST_F(SheetOutputTest, FailuresLeaveNothingOpened) {
  TForm1& form = StartCalculated();

  // A sheet that cannot be written: one message naming it, nothing asked.
  MakeFolder("KIVODATA/OUTPUTDATA/HTML/Cup_R1_result.html");
  MakeFolder("KIVODATA/OUTPUTDATA/CSV/Cup_R1_scratch.csv");
  const int beeps = machine().Beeps();
  form.RadioButton2->setChecked(true);
  form.Button19->click();
  form.RadioButton3->setChecked(true);
  form.Button18->click();
  const QStringList messages = dialogs().Messages();
  ASSERT_EQ(messages.size(), 2);
  EXPECT_TRUE(messages[0].contains(HtmlPath("Cup_R1_result.html"))) << messages[0].toStdString();
  EXPECT_TRUE(messages[1].contains(CsvPath("Cup_R1_scratch.csv"))) << messages[1].toStdString();
  EXPECT_TRUE(dialogs().Questions().isEmpty());
  EXPECT_TRUE(shell().Calls().empty());
  EXPECT_EQ(machine().Beeps(), beeps);

  // The desktop cannot open the page: its path is shown.
  dialogs().Clear();
  shell().SetResult(false);
  form.RadioButton2->setChecked(true);
  form.Button18->click();
  EXPECT_EQ(dialogs().Messages(),
            QStringList{QStringLiteral("ファイルを開けませんでした。\n") + HtmlPath("Cup_R1_scratch.html")});
}

TEST_F(SheetOutputTest, AFinishBeforeTheStartIsRefused) {
  TForm1& form = StartCalculated();
  form.RadioButton2->setChecked(true);
  const QString boat = form.Model.EntryName[2];
  QByteArray xml = ReadFile("KIVODATA/XML/Cup_R1.xml");
  const qsizetype second = xml.indexOf("<boat ", xml.indexOf("<boat ") + 1);
  const qsizetype finish = xml.indexOf("finish=\"2017-07-01T12:00:00\"", second);
  ASSERT_GT(finish, second);
  xml.replace(finish, 28, "finish=\"2017-07-01T09:00:00\"");
  WriteFile("KIVODATA/XML/Cup_R1.xml", xml);

  form.Button19->click();
  const QStringList messages = dialogs().Messages();
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].contains(boat)) << messages[0].toStdString();
  EXPECT_TRUE(shell().Calls().empty());
  EXPECT_FALSE(QFileInfo::exists(HtmlPath("Cup_R1_result.html")));
}

}  // namespace
}  // namespace kivo::testing
