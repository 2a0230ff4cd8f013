#include "core/html_sheet.h"

#include <QStringList>
#include <QUrl>

#include "core/file_io.h"
#include "core/logo_files.h"
#include "core/sheet_values.h"
#include "locale/float_text.h"

namespace kivo {
namespace {

const QString kHtmlWhat = QStringLiteral("HTMLファイル");

enum class Sheet { Result, Scratch };

// A value of the event as page text: "&", "<", ">" and the double quote
// escaped, in element text and attribute values alike.
QString Escaped(const QString& value) { return value.toHtmlEscaped(); }

// The common style sheet: one rule per selector, one declaration a line.
const char* const kCommonStyle[] = {
    "<style>",
    "  body {",
    "    background-color: white;",
    "    color: black;",
    "    font-family: Tahoma;",
    "    font-size: 10pt;",
    "    border-style: none;",
    "  }",
    "  a {",
    "    text-decoration: none;",
    "    color: inherit;",
    "  }",
    "  table {",
    "    font-size: 12pt;",
    "  }",
    "  table.race {",
    "    border-collapse: collapse;",
    "    border-color: silver;",
    "    border-style: none;",
    "    border-width: 1px;",
    "  }",
    "  table.race th {",
    "    color: white;",
    "    font-weight: normal;",
    "    text-decoration: none;",
    "    background-color: gray;",
    "    padding: 5px;",
    "    border-style: solid;",
    "    border-width: 1px;",
    "    font-size: inherit;",
    "    border-color: silver;",
    "  }",
    "  table.race td {",
    "    padding: 0px 5px 0px 5px;",
    "    border-style: solid;",
    "    border-width: 1px;",
    "    font-size: inherit;",
    "    border-color: silver;",
    "    vertical-align: middle;",
    "    height: 2em;",
    "  }",
    "  table.race tr:hover {",
    "    background-color: #B1DFEF;",
    "  }",
    "  .title {",
    "    font-size: larger;",
    "    font-weight: bold;",
    "  }",
    "  #reportHeader {",
    "    background-color: white;",
    "    color: black;",
    "    text-align: center;",
    "    border-style: none;",
    "  }",
    "  #pageHeader {",
    "    font-size:18pt;",
    "    font-weight:bold;",
    "    text-align: left;",
    "    background-color: white;",
    "    color: black;",
    "    border-style: none;",
    "  }",
    "  table.race th.resultHeader {",
    "    background-color: white;",
    "    color: black;",
    "    text-align: left;",
    "    border-style: none;",
    "  }",
    "  #pageContent {",
    "  }",
    "  #reportTitle {",
    "    font-size: smaller;",
    "  }",
    "  @media print {",
    "    #pageContent {",
    "      padding-top: 1em;",
    "    }",
    "    .noprint {",
    "      display: none;",
    "    }",
    "  }",
    "  #logo_left {",
    "    float: left;",
    "    height: 70px;",
    "    display: block;",
    "  }",
    "  #logo_center {",
    "    height: 70px;",
    "  }",
    "  #logo_right {",
    "    float: right;",
    "    height: 70px;",
    "    display: block;",
    "  }",
    "</style>",
};

struct ColumnRule {
  const char* name;
  const char* align;
};

// The column classes each page carries, in their order; most are not used
// by any cell of these pages.
const ColumnRule kResultColumns[] = {
    {"col_PosOvl", "right"},
    {"col_YachtName", "left"},
    {"col_SailNo", "left"},
    {"col_BowNo", "left"},
    {"col_YClass", "left"},
    {"col_Owner", "left"},
    {"col_Skipper", "left"},
    {"col_Nation", "left"},
    {"col_Club", "left"},
    {"col_DivId", "center"},
    {"col_TOD", "right"},
    {"col_TOT", "right"},
    {"col_Finish", "center"},
    {"col_FinishTime", "center"},
    {"col_Note", "center"},
    {"col_ElapsedSecs", "center"},
    {"col_CorrectedSeconds", "center"},
    {"col_Penalty", "right"},
    {"col_PtsOvl", "right"},
    {"col_PosCls", "right"},
    {"col_PtsCls", "right"},
    {"col_Remarks", "left"},
    {"col_pos", "center"},
};
const ColumnRule kScratchColumns[] = {
    {"col_YachtName", "left"}, {"col_SailNo", "left"},      {"col_BowNo", "left"},
    {"col_YClass", "left"},    {"col_Cert", "left"},        {"col_Owner", "left"},
    {"col_Skipper", "left"},   {"col_Nation", "left"},      {"col_Club", "left"},
    {"col_ClassId", "center"}, {"col_DivId", "center"},     {"col_LOA", "right"},
    {"col_Draft", "right"},    {"col_CDL", "right"},        {"col_GPH", "right"},
    {"col_OSN", "right"},      {"col_ILCWA", "right"},      {"col_CTOD", "right"},
    {"col_CTOT", "right"},     {"col_EMail", "left"},       {"col_Phone", "left"},
    {"col_CertType", "left"},  {"col_IssueDate", "center"}, {"col_NatAuth", "left"},
    {"col_BIN", "left"},
};

// The labels of the seven header lines, in order: class, race, issued,
// start, time limit, distance, scoring system and course type.
struct HeaderLabels {
  const char* lines[7];
  const char* distanceUnit;
};
const HeaderLabels kResultEnglish = {
    {"<p>Class: <b>", "<p>race: <b>", "<p>Issued: <b>", "<p>Race Start DateTime: <b>",
     "<p>Time Limit DateTime: <b>", "<p>Distance: <b>", "<p>Scoring System - Course Type : <b>KIVO - "},
    "</b> NM</p>"};
const HeaderLabels kResultJapanese = {
    {"<p>クラス: <b>", "<p>レース名: <b>", "<p>発行日: <b>", "<p>スタート日時: <b>", "<p>タイムリミット: <b>",
     "<p>コース距離: <b>", "<p>レーティングシステム-コースタイプ: <b>KIVO - "},
    "</b> 浬</p>"};
const HeaderLabels kScratchEnglish = {
    {"<p>Class: <b>", "<p>Race: <b>", "<p>Issued Date: <b>", "<p>Race Start DateTime: <b>",
     "<p>Time Limit DateTime: <b>", "<p>Distance: <b>", "<p>Scoring System - Course Type : <b>KIVO - "},
    "</b> NM</p>"};
const HeaderLabels kScratchJapanese = {
    {"<p>クラス：<b>", "<p>レース名: <b>", "<p>発行日: <b>", "<p>スタート日時　: <b>",
     "<p>タイムリミット: <b>", "<p>コース距離: <b>", "<p>レーティングシステム - コースタイプ : <b>KIVO - "},
    "</b> 浬</p>"};

// The scratch page's script: lastPos rows; makeme(k) shows every allowance
// less boat k's (k = 0: the allowances themselves) with one decimal.
// Number("") is 0, so an empty allowance shows 0.0.
QStringList ScratchScript(int rows) {
  QStringList lines{
      QStringLiteral("<script>"),
      QStringLiteral("var lastPos = %1;").arg(rows),
      QStringLiteral("var knots = [6, 8, 10, 12, 14, 16, 20];"),
      QStringLiteral("function makeme(k) {"),
      QStringLiteral("  var h = [0, 0, 0, 0, 0, 0, 0];"),
      QStringLiteral("  if (k != 0) {"),
      QStringLiteral("    for (var n = 0; n < knots.length; n++)"),
      QStringLiteral(
          "      h[n] = Number(document.getElementById(\"w\" + k + \"_\" + knots[n]).getAttribute(\"hc\"));"),
      QStringLiteral("  }"),
      QStringLiteral("  for (var i = 1; i <= lastPos; i++)"),
      QStringLiteral("    for (var m = 0; m < knots.length; m++)"),
      QStringLiteral("      doel(document.getElementById(\"w\" + i + \"_\" + knots[m]), h[m]);"),
      QStringLiteral("  return null;"),
      QStringLiteral("}"),
      QStringLiteral("function doel(el, h) {"),
      QStringLiteral("  el.innerHTML = (Number(el.getAttribute(\"hc\")) - h).toFixed(1);"),
      QStringLiteral("}"),
      QStringLiteral("</script>")};
  return lines;
}

// A logo's source on the page: the bare file name of the copy beside the
// page, percent-encoded.
QString LogoSource(const QString& name) {
  return QString::fromLatin1(QUrl::toPercentEncoding(name.trimmed()));
}

QStringList PageHead(const EventModel& model, Sheet sheet, const QLocale& locale) {
  const bool english = model.Language == 1;
  const int r = model.CurrentRace;
  QStringList lines{
      QStringLiteral("<html>"), QStringLiteral("<head>"),
      QStringLiteral("<META http-equiv=\"Content-Type\" content=\"text/html\">"),
      QStringLiteral("<meta http-equiv=\"content-type\" content=\"text/html; charset=Shift_JIS\">")};
  for (const char* line : kCommonStyle) lines.append(QString::fromUtf8(line));

  bool first = true;
  const auto addColumns = [&](const auto& rules) {
    for (const ColumnRule& rule : rules) {
      const QString text =
          QStringLiteral(".%1 { text-align: %2 }").arg(QLatin1String(rule.name), QLatin1String(rule.align));
      lines.append(first ? QStringLiteral("<style>") + text : text);
      first = false;
    }
  };
  if (sheet == Sheet::Result)
    addColumns(kResultColumns);
  else
    addColumns(kScratchColumns);
  lines.append(QStringLiteral("</style>"));
  lines.append(QStringLiteral("</head>"));
  lines.append(QStringLiteral("<body>"));
  if (sheet == Sheet::Scratch) lines.append(ScratchScript(SheetRowCount(model)));

  lines << QStringLiteral("<table class=\"race\">") << QStringLiteral("<thead>") << QStringLiteral("<tr>")
        << QStringLiteral("<th id=\"pageHeader\" colspan=\"100\">")
        << QStringLiteral("<div id=\"reportHeader\">")
        << QStringLiteral("<div style=\"text-align:center;\">");
  const struct {
    const QString* name;
    const char* id;
  } logos[] = {
      {&model.LogoLeft, "logo_left"}, {&model.LogoMiddle, "logo_center"}, {&model.LogoRight, "logo_right"}};
  for (const auto& logo : logos) {
    if (!IsLogoName(*logo.name)) continue;
    lines.append(QStringLiteral("<img src=\"%1\" id=\"%2\">")
                     .arg(Escaped(LogoSource(*logo.name)), QLatin1String(logo.id)));
  }

  QString title, mark;
  if (sheet == Sheet::Result) {
    title = english ? QStringLiteral("Results") : QStringLiteral("レース結果");
    mark = english ? QStringLiteral(" (Provisional)") : QStringLiteral(" (暫定)");
  } else {
    title = english ? QStringLiteral("Scratch Sheet") : QStringLiteral("スクラッチシート");
    mark = english ? QStringLiteral("  (Provisional)") : QStringLiteral("  (暫定)");
  }
  if (model.Provisional != 1) mark.clear();
  lines.append(QStringLiteral("</div>") + Escaped(model.EventName) +
               QStringLiteral("<br><span id=\"reportTitle\">") + title + mark +
               QStringLiteral("</span></div>"));
  lines << QStringLiteral("</th>") << QStringLiteral("</tr>") << QStringLiteral("<tr>")
        << QStringLiteral("<th colspan=\"100\" class=\"resultHeader\">");

  const HeaderLabels& labels = sheet == Sheet::Result ? (english ? kResultEnglish : kResultJapanese)
                                                      : (english ? kScratchEnglish : kScratchJapanese);
  const QString values[7] = {model.EventClass,
                             model.RaceName[r],
                             sheet == Sheet::Result ? model.ResultIssued : model.ScratchIssued,
                             model.RaceStart[r],
                             model.RaceLimit[r],
                             platform::ShortFloatText(model.CourseDistance[r], locale),
                             model.RaceTypeText[r]};
  for (int k = 0; k < 7; ++k) {
    const QString end = k == 5 ? QString::fromUtf8(labels.distanceUnit) : QStringLiteral("</b></p>");
    lines.append(QString::fromUtf8(labels.lines[k]) + Escaped(values[k]) + end);
  }
  lines << QStringLiteral("</th>") << QStringLiteral("</tr>") << QStringLiteral("<tr>");

  const auto heading = [&lines](const QString& text) {
    lines.append(QStringLiteral("<th>") + text + QStringLiteral("</th>"));
  };
  if (sheet == Sheet::Result) {
    const QStringList headings =
        english ? QStringList{QStringLiteral("Yacht Name"),  QStringLiteral("Sail No"),
                              QStringLiteral("Finish Time"), QStringLiteral("Note"),
                              QStringLiteral("ET(sec)"),     QStringLiteral("ET Pos"),
                              QStringLiteral("Penalty"),     QStringLiteral("CT(sec)"),
                              QStringLiteral("CT Pos")}
                : QStringList{QStringLiteral("艇　　名"),         QStringLiteral("セールNo"),
                              QStringLiteral("フィニッシュ日時"), QStringLiteral("Note"),
                              QStringLiteral("経過（秒）"),       QStringLiteral("着順"),
                              QStringLiteral("ﾍﾟﾅﾙﾃｨ"),           QStringLiteral("修正（秒）"),
                              QStringLiteral("修正順位")};
    for (const QString& text : headings) heading(text);
  } else {
    const QStringList headings = english
                                     ? QStringList{QStringLiteral("Yacht Name"), QStringLiteral("Sail No"),
                                                   QStringLiteral("Type"), QStringLiteral("GPH")}
                                     : QStringList{QStringLiteral("艇　名"), QStringLiteral("ｾｰﾙNo"),
                                                   QStringLiteral("タイプ"), QStringLiteral("GPH")};
    for (const QString& text : headings) heading(text);
    const QString unit = english ? QStringLiteral(" kt") : QStringLiteral("ﾉｯﾄ");
    QString knots;
    for (int k : kAllowanceKnots)
      knots += QStringLiteral("<th>") + QString::number(k) + unit + QStringLiteral("</th>");
    lines.append(knots);
  }
  lines << QStringLiteral("</tr>") << QStringLiteral("</thead>");
  return lines;
}

QString Cell(const char* cellClass, const QString& value) {
  return QStringLiteral("<td class=\"%1\">").arg(QLatin1String(cellClass)) + value + QStringLiteral("</td>");
}

}  // namespace

QString ResultHtmlPathFor(const EventModel& model) {
  return model.HtmlFolder + QLatin1Char('/') + SheetBaseName(model) + QStringLiteral("_result.html");
}

QString ScratchHtmlPathFor(const EventModel& model) {
  return model.HtmlFolder + QLatin1Char('/') + SheetBaseName(model) + QStringLiteral("_scratch.html");
}

QByteArray ResultHtmlText(const EventModel& model, const QLocale& locale) {
  const int r = model.CurrentRace;
  QStringList lines = PageHead(model, Sheet::Result, locale);
  for (const int b : ResultSheetEntries(model)) {
    const QString& finish = model.BoatFinish[r][b];
    const QString& status = model.BoatStatus[r][b];
    const bool finished = finish.size() > 5 && status == QLatin1String("OK");
    lines.append(QStringLiteral("<tr style=\"min-height:1.5em;\">"));
    lines.append(Cell("col_YachtName", Escaped(model.EntryName[b])));
    lines.append(Cell("col_SailNo", Escaped(model.EntrySailNo[b])));
    lines.append(Cell("col_FinishTime", finished ? Escaped(finish) : QStringLiteral("-")));
    lines.append(Cell("col_Note", Escaped(status)));
    lines.append(Cell("col_ElapsedSecs",
                      finished ? RoundedSecondsText(model.BoatElapsed[r][b]) : QStringLiteral("-")));
    lines.append(Cell("col_pos", finished ? QString::number(model.BoatElapsedPos[r][b]) : QString()));
    lines.append(Cell("col_Penalty", finished ? Escaped(model.BoatPenalty[r][b]) : QString()));
    lines.append(Cell("col_CorrectedSeconds",
                      finished ? RoundedSecondsText(PenalisedCorrectedSeconds(
                                     model.BoatPenalty[r][b], model.BoatCorrected[r][b], locale))
                               : QStringLiteral("-")));
    lines.append(Cell("col_pos", QString::number(model.BoatCorrectedPos[r][b])));
    lines.append(QStringLiteral("</tr>"));
  }
  lines << QStringLiteral("</table>") << QStringLiteral("</body>") << QStringLiteral("</html>");
  return AnsiLines(lines);
}

QByteArray ScratchHtmlText(const EventModel& model, const QLocale& locale) {
  const int r = model.CurrentRace;
  QStringList lines = PageHead(model, Sheet::Scratch, locale);
  const int rows = SheetRowCount(model);
  for (int entry = 1; entry <= rows; ++entry) {
    lines.append(QStringLiteral("<tr>"));
    lines.append(Cell("col_YachtName", Escaped(model.EntryName[entry])));
    lines.append(Cell("col_SailNo", Escaped(model.EntrySailNo[entry])));
    lines.append(Cell("col_YClass", Escaped(model.EntryClass[entry])));
    lines.append(Cell("col_GPH", Escaped(model.EntryGph[entry])));
    const std::array<QString, 7> values = AllowanceValues(model.BoatVector[r][entry]);
    for (std::size_t k = 0; k < values.size(); ++k)
      lines.append(QStringLiteral("<td id=\"w%1_%2\" style=\"text-align:right;\" hc=\"%3\">0</td>")
                       .arg(entry)
                       .arg(kAllowanceKnots[k])
                       .arg(Escaped(values[k])));
    lines.append(QStringLiteral("</tr>"));
  }
  lines << QStringLiteral("</table><script>") << QStringLiteral("makeme(0);")
        << QStringLiteral("</script></body>") << QStringLiteral("</html>");
  return AnsiLines(lines);
}

void WriteResultHtml(EventModel& model, const QLocale& locale) {
  model.ResultHtmlFile = ResultHtmlPathFor(model);
  SaveFileWhole(model.ResultHtmlFile, ResultHtmlText(model, locale), kHtmlWhat);
}

void WriteScratchHtml(EventModel& model, const QLocale& locale) {
  model.ScratchHtmlFile = ScratchHtmlPathFor(model);
  SaveFileWhole(model.ScratchHtmlFile, ScratchHtmlText(model, locale), kHtmlWhat);
}

}  // namespace kivo
