#include "core/csv_sheet.h"

#include <algorithm>

#include <QStringList>

#include "core/file_io.h"
#include "core/local_date_time.h"
#include "core/sheet_values.h"
#include "locale/float_text.h"

namespace kivo {
namespace {

const QString kCsvWhat = QStringLiteral("CSVファイル");

QString TwoDigits(int value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')); }

// "yy/MM/dd" and "HH:mm:ss" with the locale's separators.
QString ShortFinishDate(const QDate& date, const QLocale& locale) {
  const QString separator = platform::DateSeparator(locale);
  return TwoDigits(date.year() % 100) + separator + TwoDigits(date.month()) + separator +
         TwoDigits(date.day());
}
QString FinishTime(const QTime& time, const QLocale& locale) {
  const QString separator = platform::TimeSeparator(locale);
  return TwoDigits(time.hour()) + separator + TwoDigits(time.minute()) + separator + TwoDigits(time.second());
}

QString Line(const QStringList& fields) {
  QStringList written;
  written.reserve(fields.size());
  for (const QString& field : fields) written.append(CsvField(field));
  return written.join(QLatin1Char(','));
}

// The texts of the header lines in one language.
struct HeaderTexts {
  const char* resultTitle;
  const char* scratchTitle;
  const char* provisionalMark;
  const char* classLabel;
  const char* issuedLabel;
  const char* raceLabel;
  const char* juryLabel;
  const char* startLabel;
  const char* limitLabel;
  const char* distanceLabel;
  const char* distanceUnit;
  const char* scoringSystem;
  const char* courseTypeLabel;
};
const HeaderTexts kEnglish = {"Result",
                              "Scratch Sheet",
                              "  （Provisional）",
                              "Class: ",
                              "Issued: ",
                              "Race Name: ",
                              "Chief Jury: ",
                              "Start Datetime: ",
                              "Time Limit    : ",
                              "Distance: ",
                              " NM",
                              "Scoring System: KIVO (Kivometric)",
                              "Course Type: "};
const HeaderTexts kJapanese = {"成　績",
                               "スクラッチシート",
                               "  （暫定）",
                               "クラス: ",
                               "",
                               "レース名: ",
                               "レース委員長: ",
                               "スタート日時　: ",
                               "タイムリミット: ",
                               "コース距離: ",
                               " 浬",
                               "レーティング方式: KIVO (Kivometric)",
                               "コースタイプ: "};

QStringList HeaderLines(const EventModel& model, bool result, const QLocale& locale) {
  const HeaderTexts& texts = model.Language == 1 ? kEnglish : kJapanese;
  const auto text = [](const char* utf8) { return QString::fromUtf8(utf8); };
  const int r = model.CurrentRace;
  QString title = text(result ? texts.resultTitle : texts.scratchTitle);
  if (model.Provisional == 1) title += text(texts.provisionalMark);
  const QString issued = result ? model.ResultIssued : model.ScratchIssued;
  const QString distance = platform::ShortFloatText(model.CourseDistance[r], locale);
  // Lines 4 and 5 put the issued date and the committee member in the sixth
  // field.
  const QString gap = QStringLiteral(",,,,,");
  return {
      CsvField(model.EventName),
      CsvField(title),
      QString(),
      CsvField(text(texts.classLabel) + model.EventClass) + gap + CsvField(text(texts.issuedLabel) + issued),
      CsvField(text(texts.raceLabel) + model.RaceName[r]) + gap +
          CsvField(text(texts.juryLabel) + model.RaceJury[r]),
      CsvField(text(texts.startLabel) + model.RaceStart[r]),
      CsvField(text(texts.limitLabel) + model.RaceLimit[r]),
      CsvField(text(texts.distanceLabel) + distance + text(texts.distanceUnit)),
      text(texts.scoringSystem),
      CsvField(text(texts.courseTypeLabel) + model.RaceTypeText[r]),
      QString()};
}

void AppendResultLines(QStringList& lines, const EventModel& model, const QLocale& locale) {
  const int r = model.CurrentRace;
  lines.append(
      model.Language == 1
          ? QStringLiteral(
                "Yacht Name,Sail No,Finish Date, Finish Time,Note,ET(sec),ET Pos,Pen,CT(sec),CT Pos")
          : QStringLiteral("艇　名,ｾｰﾙNo,ﾌｨﾆｯｼｭ日, ﾌｨﾆｯｼｭ時刻,ﾉｰﾄ,経過(秒）,着順,ﾍﾟﾅﾙﾃｨ,修正(秒),修正順位"));
  for (const int b : ResultSheetEntries(model)) {
    const QString& finish = model.BoatFinish[r][b];
    const QString correctedPos = QString::number(model.BoatCorrectedPos[r][b]);
    if (finish.size() > 5) {
      const QDateTime moment = LocalDateTimeOrThrow(finish, locale);
      lines.append(Line({model.EntryName[b], model.EntrySailNo[b], ShortFinishDate(moment.date(), locale),
                         FinishTime(moment.time(), locale), model.BoatStatus[r][b],
                         RoundedSecondsText(model.BoatElapsed[r][b]),
                         QString::number(model.BoatElapsedPos[r][b]), model.BoatPenalty[r][b],
                         RoundedSecondsText(PenalisedCorrectedSeconds(model.BoatPenalty[r][b],
                                                                      model.BoatCorrected[r][b], locale)),
                         correctedPos}));
    } else {
      lines.append(Line({model.EntryName[b], model.EntrySailNo[b], QStringLiteral("-"), QStringLiteral("-"),
                         model.BoatStatus[r][b], QString(), QString(), QString(), QString(), correctedPos}));
    }
  }
}

void AppendScratchLines(QStringList& lines, const EventModel& model) {
  const int r = model.CurrentRace;
  lines.append(model.Language == 1
                   ? QStringLiteral("Yacht Name,Sail No,Type,GPH,6kt,8kt,10kt,12kt,14kt,16kt,20kt")
                   : QStringLiteral("艇　名,セール番号,タイプ,GPH,6ﾉｯﾄ,8ﾉｯﾄ,10ﾉｯﾄ,12ﾉｯﾄ,14ﾉｯﾄ,16ﾉｯﾄ,20ﾉｯﾄ"));
  const int rows = SheetRowCount(model);
  for (int entry = 1; entry <= rows; ++entry) {
    QStringList fields{model.EntryName[entry], model.EntrySailNo[entry], model.EntryClass[entry],
                       model.EntryGph[entry]};
    for (const QString& value : AllowanceValues(model.BoatVector[r][entry])) fields.append(value);
    lines.append(Line(fields));
  }
}

}  // namespace

QString ResultCsvPathFor(const EventModel& model) {
  return model.CsvFolder + QLatin1Char('/') + SheetBaseName(model) + QStringLiteral("_result.csv");
}

QString ScratchCsvPathFor(const EventModel& model) {
  return model.CsvFolder + QLatin1Char('/') + SheetBaseName(model) + QStringLiteral("_scratch.csv");
}

QString CsvField(const QString& value) {
  static const QString kSpecial = QStringLiteral(",\"\r\n");
  if (std::none_of(value.begin(), value.end(), [](QChar c) { return kSpecial.contains(c); })) return value;
  QString quoted = value;
  quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
  return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QByteArray CsvSheetText(const EventModel& model, const QLocale& locale) {
  const bool result = model.SheetKind == kResultSheet;
  QStringList lines = HeaderLines(model, result, locale);
  if (result)
    AppendResultLines(lines, model, locale);
  else
    AppendScratchLines(lines, model);
  return AnsiLines(lines);
}

QString WriteCsvSheet(EventModel& model, const QLocale& locale) {
  QString& path = model.SheetKind == kResultSheet ? model.ResultCsvFile : model.ScratchCsvFile;
  path = model.SheetKind == kResultSheet ? ResultCsvPathFor(model) : ScratchCsvPathFor(model);
  SaveFileWhole(path, CsvSheetText(model, locale), kCsvWhat);
  return path;
}

}  // namespace kivo
