#include "core/html_sheet.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QLocale>

#include "core/file_io.h"
#include "core/number_text.h"
#include "testing/rms_fixtures.h"
#include "testing/sheet_fixtures.h"

namespace kivo {
namespace {

using fixtures::Cp932;

const QLocale kJapanese(QLocale::Japanese, QLocale::Japan);
const QLocale kGerman(QLocale::German, QLocale::Germany);

// The lines of `page` from the first that equals `first` to the end.
QStringList From(const QStringList& page, const QString& first) {
  const qsizetype at = page.indexOf(first);
  EXPECT_GE(at, 0) << first.toStdString();
  return at < 0 ? QStringList() : page.mid(at);
}

// Whether `expected` occur in `page` in this order (other lines between).
::testing::AssertionResult InOrder(const QStringList& page, const QStringList& expected) {
  qsizetype at = 0;
  for (const QString& line : expected) {
    at = page.indexOf(line, at);
    if (at < 0) return ::testing::AssertionFailure() << "missing or out of order: " << line.toStdString();
    ++at;
  }
  return ::testing::AssertionSuccess();
}

class HtmlSheetTest : public fixtures::SheetFixture {};

TEST_F(HtmlSheetTest, EnglishResultPage) {
  const QStringList page = Lines(ResultHtmlText(model_, kJapanese));
  ASSERT_GT(page.size(), 10);
  EXPECT_EQ(page.mid(0, 5),
            (QStringList{"<html>", "<head>", "<META http-equiv=\"Content-Type\" content=\"text/html\">",
                         "<meta http-equiv=\"content-type\" content=\"text/html; charset=Shift_JIS\">",
                         "<style>"}));
  EXPECT_TRUE(InOrder(page, {"  body {",
                             "    background-color: white;",
                             "    font-family: Tahoma;",
                             "  }",
                             "  table.race tr:hover {",
                             "    background-color: #B1DFEF;",
                             "  #pageContent {",
                             "  }",
                             "  @media print {",
                             "    #pageContent {",
                             "      padding-top: 1em;",
                             "    .noprint {",
                             "  #logo_right {",
                             "    float: right;",
                             "</style>",
                             "<style>.col_PosOvl { text-align: right }",
                             ".col_YachtName { text-align: left }",
                             ".col_CorrectedSeconds { text-align: center }",
                             ".col_Penalty { text-align: right }",
                             ".col_pos { text-align: center }",
                             "</style>"}));

  const QStringList expected = {
      "</head>",
      "<body>",
      "<table class=\"race\">",
      "<thead>",
      "<tr>",
      "<th id=\"pageHeader\" colspan=\"100\">",
      "<div id=\"reportHeader\">",
      "<div style=\"text-align:center;\">",
      "</div>Summer Regatta<br><span id=\"reportTitle\">Results</span></div>",
      "</th>",
      "</tr>",
      "<tr>",
      "<th colspan=\"100\" class=\"resultHeader\">",
      "<p>Class: <b>Cruiser</b></p>",
      "<p>race: <b>Race One</b></p>",
      "<p>Issued: <b>2017/07/02</b></p>",
      "<p>Race Start DateTime: <b>2017/07/01 10:00:00</b></p>",
      "<p>Time Limit DateTime: <b>2017/07/01 16:00:00</b></p>",
      "<p>Distance: <b>12.3</b> NM</p>",
      "<p>Scoring System - Course Type : <b>KIVO - ocean course</b></p>",
      "</th>",
      "</tr>",
      "<tr>",
      "<th>Yacht Name</th>",
      "<th>Sail No</th>",
      "<th>Finish Time</th>",
      "<th>Note</th>",
      "<th>ET(sec)</th>",
      "<th>ET Pos</th>",
      "<th>Penalty</th>",
      "<th>CT(sec)</th>",
      "<th>CT Pos</th>",
      "</tr>",
      "</thead>",
      "<tr style=\"min-height:1.5em;\">",
      "<td class=\"col_YachtName\">Bravo</td>",
      "<td class=\"col_SailNo\">JPN-2</td>",
      "<td class=\"col_FinishTime\">2017/07/01 11:50:00</td>",
      "<td class=\"col_Note\">OK</td>",
      "<td class=\"col_ElapsedSecs\">6600</td>",
      "<td class=\"col_pos\">1</td>",
      "<td class=\"col_Penalty\">10</td>",
      "<td class=\"col_CorrectedSeconds\">3960</td>",
      "<td class=\"col_pos\">1</td>",
      "</tr>",
      "<tr style=\"min-height:1.5em;\">",
      "<td class=\"col_YachtName\">Alpha</td>",
      "<td class=\"col_SailNo\">JPN-1</td>",
      "<td class=\"col_FinishTime\">2017/07/01 11:55:00</td>",
      "<td class=\"col_Note\">OK</td>",
      "<td class=\"col_ElapsedSecs\">6900</td>",
      "<td class=\"col_pos\">2</td>",
      "<td class=\"col_Penalty\">0</td>",
      "<td class=\"col_CorrectedSeconds\">3620</td>",  // 3620.5: a half goes to the even neighbour
      "<td class=\"col_pos\">2</td>",
      "</tr>",
      "</table>",
      "</body>",
      "</html>"};
  EXPECT_EQ(Text(From(page, "</head>")), Text(expected));
}

TEST_F(HtmlSheetTest, JapaneseResultPageWithTheProvisionalMark) {
  model_.Language = 0;
  model_.Provisional = 1;
  const QByteArray bytes = ResultHtmlText(model_, kJapanese);
  const QStringList page = Lines(bytes);
  EXPECT_TRUE(InOrder(
      page, {"</div>Summer Regatta<br><span id=\"reportTitle\">レース結果 (暫定)</span></div>",
             "<p>クラス: <b>Cruiser</b></p>", "<p>レース名: <b>Race One</b></p>",
             "<p>発行日: <b>2017/07/02</b></p>", "<p>スタート日時: <b>2017/07/01 10:00:00</b></p>",
             "<p>タイムリミット: <b>2017/07/01 16:00:00</b></p>", "<p>コース距離: <b>12.3</b> 浬</p>",
             "<p>レーティングシステム-コースタイプ: <b>KIVO - ocean course</b></p>", "<th>艇　　名</th>",
             "<th>セールNo</th>", "<th>フィニッシュ日時</th>", "<th>Note</th>", "<th>経過（秒）</th>",
             "<th>着順</th>", "<th>ﾍﾟﾅﾙﾃｨ</th>", "<th>修正（秒）</th>", "<th>修正順位</th>"}));
  // The Japanese texts are CP932 bytes, half-width katakana one byte each.
  EXPECT_TRUE(bytes.contains(Cp932("<th>艇　　名</th>\r\n")));
  EXPECT_TRUE(bytes.contains("<th>\xcd\xdf\xc5\xd9\xc3\xa8</th>"));
  EXPECT_FALSE(bytes.contains(QStringLiteral("艇").toUtf8()));

  model_.Language = 1;
  EXPECT_TRUE(
      Lines(ResultHtmlText(model_, kJapanese))
          .contains("</div>Summer Regatta<br><span id=\"reportTitle\">Results (Provisional)</span></div>"));
}

TEST_F(HtmlSheetTest, BoatsThatDidNotFinishShowDashes) {
  model_.RaceEntryCount[1] = 4;
  SetBoat(3, "Charlie", "JPN-3", "Tern 31", "600");
  SetBoat(4, "Delta", "JPN-4", "Tern 32", "590");
  struct Case {
    const char* name;
    QString finish, status;
  };
  const Case cases[] = {
      {"DNF after the read-back", "0", "DNF"},
      {"OK without a finish", "", "OK"},
      {"a finish but another status", "2017/07/01 12:00:00", "ZFP"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    model_.BoatFinish[1][3] = c.finish;
    model_.BoatStatus[1][3] = c.status;
    model_.BoatPenalty[1][3] = QStringLiteral("not read");
    model_.BoatCorrectedPos[1][3] = 4;
    model_.ResultOrder[3] = 3;
    model_.ResultOrder[4] = 4;
    const QStringList page = Lines(ResultHtmlText(model_, kJapanese));
    EXPECT_TRUE(
        InOrder(page, {"<td class=\"col_YachtName\">Charlie</td>", "<td class=\"col_SailNo\">JPN-3</td>",
                       "<td class=\"col_FinishTime\">-</td>", "<td class=\"col_Note\">" + c.status + "</td>",
                       "<td class=\"col_ElapsedSecs\">-</td>", "<td class=\"col_pos\"></td>",
                       "<td class=\"col_Penalty\"></td>", "<td class=\"col_CorrectedSeconds\">-</td>",
                       "<td class=\"col_pos\">4</td>", "</tr>", "<td class=\"col_YachtName\">Delta</td>"}));
  }
}

TEST_F(HtmlSheetTest, RoundingAndDistances) {
  struct Case {
    float elapsed, corrected;
    const char* penalty;
    float distance;
    QLocale locale;
    QString elapsedText, correctedText, distanceText;
  };
  const Case cases[] = {
      {12.5f, 2.5f, "0", 12.0f, kJapanese, "12", "2", "12"},
      {13.5f, 3600.0f, "10", 5.5f, kJapanese, "14", "3960", "5.5"},
      {7200.4f, 1000.0f, "2,5", 12.3f, kGerman, "7200", "1025", "12,3"},
      {0.0f, -0.4f, "0", 0.1f, kJapanese, "0", "0", "0.1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.elapsedText.toStdString());
    model_.BoatElapsed[1][1] = c.elapsed;
    model_.BoatCorrected[1][1] = c.corrected;
    model_.BoatPenalty[1][1] = QString::fromUtf8(c.penalty);
    model_.CourseDistance[1] = c.distance;
    const QStringList page = Lines(ResultHtmlText(model_, c.locale));
    EXPECT_TRUE(InOrder(
        page, {"<p>Distance: <b>" + c.distanceText + "</b> NM</p>", "<td class=\"col_YachtName\">Alpha</td>",
               "<td class=\"col_ElapsedSecs\">" + c.elapsedText + "</td>",
               "<td class=\"col_CorrectedSeconds\">" + c.correctedText + "</td>"}));
  }
}

TEST_F(HtmlSheetTest, EnglishScratchPage) {
  model_.BoatVector[1][2] = QStringLiteral("0");
  const QStringList page = Lines(ScratchHtmlText(model_, kJapanese));
  EXPECT_TRUE(InOrder(page, {"<style>.col_YachtName { text-align: left }", ".col_GPH { text-align: right }",
                             ".col_BIN { text-align: left }", "</style>", "</head>", "<body>", "<script>",
                             "var lastPos = 2;", "</script>", "<table class=\"race\">"}));
  const QStringList expected = {
      "<table class=\"race\">",
      "<thead>",
      "<tr>",
      "<th id=\"pageHeader\" colspan=\"100\">",
      "<div id=\"reportHeader\">",
      "<div style=\"text-align:center;\">",
      "</div>Summer Regatta<br><span id=\"reportTitle\">Scratch Sheet</span></div>",
      "</th>",
      "</tr>",
      "<tr>",
      "<th colspan=\"100\" class=\"resultHeader\">",
      "<p>Class: <b>Cruiser</b></p>",
      "<p>Race: <b>Race One</b></p>",
      "<p>Issued Date: <b>2017/06/30</b></p>",
      "<p>Race Start DateTime: <b>2017/07/01 10:00:00</b></p>",
      "<p>Time Limit DateTime: <b>2017/07/01 16:00:00</b></p>",
      "<p>Distance: <b>12.3</b> NM</p>",
      "<p>Scoring System - Course Type : <b>KIVO - ocean course</b></p>",
      "</th>",
      "</tr>",
      "<tr>",
      "<th>Yacht Name</th>",
      "<th>Sail No</th>",
      "<th>Type</th>",
      "<th>GPH</th>",
      "<th>6 kt</th><th>8 kt</th><th>10 kt</th><th>12 kt</th><th>14 kt</th><th>16 kt</th><th>20 kt</th>",
      "</tr>",
      "</thead>",
      "<tr>",
      "<td class=\"col_YachtName\">Alpha</td>",
      "<td class=\"col_SailNo\">JPN-1</td>",
      "<td class=\"col_YClass\">Tern 30</td>",
      "<td class=\"col_GPH\">612.5</td>",
      "<td id=\"w1_6\" style=\"text-align:right;\" hc=\"700.1\">0</td>",
      "<td id=\"w1_8\" style=\"text-align:right;\" hc=\"650.2\">0</td>",
      "<td id=\"w1_10\" style=\"text-align:right;\" hc=\"600.3\">0</td>",
      "<td id=\"w1_12\" style=\"text-align:right;\" hc=\"580.4\">0</td>",
      "<td id=\"w1_14\" style=\"text-align:right;\" hc=\"570.5\">0</td>",
      "<td id=\"w1_16\" style=\"text-align:right;\" hc=\"560.6\">0</td>",
      "<td id=\"w1_20\" style=\"text-align:right;\" hc=\"550.7\">0</td>",
      "</tr>",
      "<tr>",
      "<td class=\"col_YachtName\">Bravo</td>",
      "<td class=\"col_SailNo\">JPN-2</td>",
      "<td class=\"col_YClass\">Tern 40</td>",
      "<td class=\"col_GPH\">560.1</td>",
      "<td id=\"w2_6\" style=\"text-align:right;\" hc=\"0\">0</td>",
      "<td id=\"w2_8\" style=\"text-align:right;\" hc=\"\">0</td>",
      "<td id=\"w2_10\" style=\"text-align:right;\" hc=\"\">0</td>",
      "<td id=\"w2_12\" style=\"text-align:right;\" hc=\"\">0</td>",
      "<td id=\"w2_14\" style=\"text-align:right;\" hc=\"\">0</td>",
      "<td id=\"w2_16\" style=\"text-align:right;\" hc=\"\">0</td>",
      "<td id=\"w2_20\" style=\"text-align:right;\" hc=\"\">0</td>",
      "</tr>",
      "</table><script>",
      "makeme(0);",
      "</script></body>",
      "</html>"};
  EXPECT_EQ(Text(From(page, "<table class=\"race\">")), Text(expected));
}

TEST_F(HtmlSheetTest, JapaneseScratchPageWithTheProvisionalMark) {
  model_.Language = 0;
  model_.Provisional = 1;
  const QStringList page = Lines(ScratchHtmlText(model_, kJapanese));
  EXPECT_TRUE(
      InOrder(page, {"</div>Summer Regatta<br><span id=\"reportTitle\">スクラッチシート  (暫定)</span></div>",
                     "<p>クラス：<b>Cruiser</b></p>", "<p>レース名: <b>Race One</b></p>",
                     "<p>発行日: <b>2017/06/30</b></p>", "<p>スタート日時　: <b>2017/07/01 10:00:00</b></p>",
                     "<p>タイムリミット: <b>2017/07/01 16:00:00</b></p>", "<p>コース距離: <b>12.3</b> 浬</p>",
                     "<p>レーティングシステム - コースタイプ : <b>KIVO - ocean course</b></p>",
                     "<th>艇　名</th>", "<th>ｾｰﾙNo</th>", "<th>タイプ</th>", "<th>GPH</th>",
                     "<th>6ﾉｯﾄ</th><th>8ﾉｯﾄ</th><th>10ﾉｯﾄ</th><th>12ﾉｯﾄ</th><th>14ﾉｯﾄ</th><th>16ﾉｯﾄ</th>"
                     "<th>20ﾉｯﾄ</th>"}));
  model_.Language = 1;
  EXPECT_TRUE(
      Lines(ScratchHtmlText(model_, kJapanese))
          .contains(
              "</div>Summer Regatta<br><span id=\"reportTitle\">Scratch Sheet  (Provisional)</span></div>"));
}

TEST_F(HtmlSheetTest, ARaceWithoutBoatsEndsAfterTheHeadings) {
  model_.RaceEntryCount[1] = 0;
  EXPECT_EQ(From(Lines(ResultHtmlText(model_, kJapanese)), "</thead>"),
            (QStringList{"</thead>", "</table>", "</body>", "</html>"}));
  const QStringList scratch = Lines(ScratchHtmlText(model_, kJapanese));
  EXPECT_TRUE(scratch.contains("var lastPos = 0;"));
  EXPECT_EQ(From(scratch, "</thead>"),
            (QStringList{"</thead>", "</table><script>", "makeme(0);", "</script></body>", "</html>"}));
}

TEST_F(HtmlSheetTest, ValuesAreEscapedAndLogoSourcesEncoded) {
  model_.EventName = QStringLiteral("Fish & Chips <Cup>");
  model_.EventClass = QStringLiteral("\"A\" & B");
  model_.EntryName[1] = QStringLiteral("<i>A&B\"</i>");
  model_.EntrySailNo[1] = QStringLiteral("J&1");
  model_.RaceTypeText[1] = QStringLiteral("<script>alert(1)</script>");
  model_.BoatVector[1][1] = QStringLiteral("1\" onclick=\"x,2");
  model_.LogoLeft = QStringLiteral("Club Logo#1.jpg");
  model_.LogoMiddle = QStringLiteral("旗艇.jpg");
  model_.LogoRight = QStringLiteral("../secret.jpg");

  const QStringList result = Lines(ResultHtmlText(model_, kJapanese));
  EXPECT_TRUE(InOrder(
      result, {"<div style=\"text-align:center;\">", "<img src=\"Club%20Logo%231.jpg\" id=\"logo_left\">",
               "<img src=\"%E6%97%97%E8%89%87.jpg\" id=\"logo_center\">",
               "</div>Fish &amp; Chips &lt;Cup&gt;<br><span id=\"reportTitle\">Results</span></div>",
               "<p>Class: <b>&quot;A&quot; &amp; B</b></p>",
               "<p>Scoring System - Course Type : <b>KIVO - &lt;script&gt;alert(1)&lt;/script&gt;</b></p>",
               "<td class=\"col_YachtName\">&lt;i&gt;A&amp;B&quot;&lt;/i&gt;</td>",
               "<td class=\"col_SailNo\">J&amp;1</td>"}));
  EXPECT_FALSE(result.join('\n').contains("secret")) << "a name reaching outside the logo folder is no logo";

  const QStringList scratch = Lines(ScratchHtmlText(model_, kJapanese));
  EXPECT_TRUE(
      InOrder(scratch, {"<td class=\"col_YachtName\">&lt;i&gt;A&amp;B&quot;&lt;/i&gt;</td>",
                        "<td id=\"w1_6\" style=\"text-align:right;\" hc=\"1&quot; onclick=&quot;x\">0</td>",
                        "<td id=\"w1_8\" style=\"text-align:right;\" hc=\"2\">0</td>"}));
}

TEST_F(HtmlSheetTest, PagesAreWrittenWholeBesideTheOtherSheets) {
  WriteResultHtml(model_, kJapanese);
  WriteScratchHtml(model_, kJapanese);
  EXPECT_EQ(model_.ResultHtmlFile, model_.HtmlFolder + "/regatta_R1_result.html");
  EXPECT_EQ(model_.ScratchHtmlFile, model_.HtmlFolder + "/regatta_R1_scratch.html");
  const QByteArray written = ReadAll(model_.ResultHtmlFile);
  EXPECT_EQ(written, ResultHtmlText(model_, kJapanese));
  EXPECT_EQ(ReadAll(model_.ScratchHtmlFile), ScratchHtmlText(model_, kJapanese));

  // A penalty that is no number: the page on disk stays as it was.
  model_.BoatPenalty[1][1] = QStringLiteral("1O");
  try {
    WriteResultHtml(model_, kJapanese);
    ADD_FAILURE() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'1O' is not a valid floating point value");
  }
  EXPECT_EQ(ReadAll(model_.ResultHtmlFile), written);

  // A page that cannot be written is reported with its path.
  model_.HtmlFolder += "/missing";
  try {
    WriteScratchHtml(model_, kJapanese);
    ADD_FAILURE() << "no error";
  } catch (const ScorerFileError& e) {
    EXPECT_TRUE(QString::fromUtf8(e.what()).contains(model_.HtmlFolder + "/regatta_R1_scratch.html"))
        << e.what();
  }
}

}  // namespace
}  // namespace kivo
