#include "core/sheet_image_text.h"

#include <algorithm>
#include <cmath>

#include "core/number_text.h"
#include "locale/float_text.h"

namespace kivo {
namespace {

bool English(int language) { return language == 1; }

}  // namespace

const std::vector<SheetColumn>& SheetColumns(int sheetKind) {
  static const std::vector<SheetColumn> result = {{0, 282},  {282, 84}, {366, 141}, {507, 75}, {582, 75},
                                                  {657, 75}, {732, 75}, {807, 75},  {882, 75}};
  static const std::vector<SheetColumn> scratch = {{0, 236},  {236, 83}, {319, 152}, {471, 60},
                                                   {531, 60}, {591, 60}, {651, 60},  {711, 60},
                                                   {771, 60}, {831, 60}, {891, 60}};
  return sheetKind == kResultSheet ? result : scratch;
}

QString SheetSubtitle(int sheetKind, int language, bool provisional) {
  QString text;
  if (sheetKind == kResultSheet)
    text = English(language) ? QStringLiteral("Result") : QStringLiteral("レース　成　績");
  else
    text = English(language) ? QStringLiteral("Scratch Sheet") : QStringLiteral("スクラッチシート");
  if (provisional)
    text += English(language) ? QStringLiteral("  （Provisional）") : QStringLiteral("  （暫定）");
  return text;
}

QStringList SheetHeadings(int sheetKind, int language) {
  if (sheetKind == kResultSheet) {
    if (English(language))
      return {QStringLiteral("Yacht Name"), QStringLiteral("Sail No"), QStringLiteral("Finish Time"),
              QStringLiteral("note"),       QStringLiteral("ET sec"),  QStringLiteral("ET Pos"),
              QStringLiteral("Pen %"),      QStringLiteral("CT sec"),  QStringLiteral("CT Pos")};
    return {QStringLiteral("艇　　名"), QStringLiteral("ｾｰﾙNo"),  QStringLiteral("フィニッシュ日時"),
            QStringLiteral("ﾉｰﾄ"),      QStringLiteral("経過秒"), QStringLiteral("着順"),
            QStringLiteral("ﾍﾟﾅﾙﾃｨ%"),  QStringLiteral("修正秒"), QStringLiteral("修正順位")};
  }
  QStringList headings;
  if (English(language))
    headings = {QStringLiteral("Yacht Name"), QStringLiteral("Sail No"), QStringLiteral("Type"),
                QStringLiteral("GPH")};
  else
    headings = {QStringLiteral("艇　名"), QStringLiteral("ｾｰﾙNo"), QStringLiteral("タイプ"),
                QStringLiteral("GPH")};
  const QString knots = English(language) ? QStringLiteral(" kt") : QStringLiteral("ﾉｯﾄ");
  for (int speed : kAllowanceKnots) headings << QString::number(speed) + knots;
  return headings;
}

SheetHeader SheetHeaderTexts(const EventModel& model, const QLocale& locale) {
  struct Labels {
    const char16_t *eventClass, *issued, *race, *jury, *start, *limit, *distance, *unit, *system, *courseType;
  };
  static constexpr Labels english = {
      u"Class: ",          u"Issued: ",   u"Race name: ", u"Chief Jury:      ",    u"Start Datetime: ",
      u"Time Limit    : ", u"Distance: ", u" NM",         u"Scoring System: KIVO", u"Course Type: "};
  static constexpr Labels japanese = {
      u"クラス: ",         u"発行日: ",     u"レース名: ", u"レース委員長:      ",        u"スタート日時: ",
      u"タイムリミット：", u"コース距離: ", u" 浬",        u"レーティング計算方式: KIVO", u"コースタイプ: "};
  const Labels& labels = English(model.Language) ? english : japanese;
  const auto text = [](const char16_t* label) { return QString::fromUtf16(label); };
  const int r = model.CurrentRace;
  const QString& issued = model.SheetKind == kResultSheet ? model.ResultIssued : model.ScratchIssued;
  SheetHeader header;
  header.left = {
      text(labels.eventClass) + model.EventClass,
      text(labels.race) + model.RaceName[r],
      text(labels.start) + model.RaceStart[r],
      text(labels.limit) + model.RaceLimit[r],
      text(labels.distance) + platform::ShortFloatText(model.CourseDistance[r], locale) + text(labels.unit),
      text(labels.system),
      text(labels.courseType) + model.RaceTypeText[r]};
  header.issued = text(labels.issued) + issued;
  header.jury = text(labels.jury) + model.RaceJury[r];
  return header;
}

QStringList ResultRowTexts(const EventModel& model, int b, const QLocale& locale) {
  const int r = model.CurrentRace;
  const QString& finish = model.BoatFinish[r][b];
  const QString& status = model.BoatStatus[r][b];
  const float elapsed = model.BoatElapsed[r][b];
  const float corrected = model.BoatCorrected[r][b];

  // Only a boat with a finish time has an elapsed time of its own: a value
  // left from an earlier finish that was undone is not shown. A boat without
  // a time has no position either: the last place that the ranking gives
  // every such boat would read as a tie.
  const bool finished = finish.size() > 10 && status == QLatin1String("OK");
  const bool hasElapsed = finished && elapsed > 100.0f;
  const bool hasCorrected = corrected > 0.0f;
  return {model.EntryName[b],
          model.EntrySailNo[b],
          finish.size() < 6 ? QString() : finish.mid(5, 50),
          status,
          hasElapsed ? RoundedSecondsText(elapsed) : QStringLiteral("-"),
          finished ? QString::number(model.BoatElapsedPos[r][b]) : QString(),
          model.BoatPenalty[r][b],
          hasCorrected
              ? RoundedSecondsText(PenalisedCorrectedSeconds(model.BoatPenalty[r][b], corrected, locale))
              : QStringLiteral("-"),
          hasCorrected ? QString::number(model.BoatCorrectedPos[r][b]) : QString()};
}

QStringList ScratchRowTexts(const EventModel& model, int entry) {
  QStringList texts = {model.EntryName[entry], model.EntrySailNo[entry], model.EntryClass[entry],
                       model.EntryGph[entry]};
  for (const QString& value : AllowanceValues(model.BoatVector[model.CurrentRace][entry])) texts << value;
  return texts;
}

QString OneDecimalAllowance(const QString& field) {
  try {
    const double value = ParseXmlFloat(field);
    if (!std::isfinite(value)) return field;
    return QString::number(value, 'f', 1);
  } catch (const EConvertError&) {
    return field;
  }
}

QSize FittedLogoSize(const QSize& size) {
  if (size.width() <= kLogoBox.width() && size.height() <= kLogoBox.height()) return size;
  // The side that overflows more sets the scale; the other is rounded and
  // kept at least one pixel.
  const double scale = std::min(static_cast<double>(kLogoBox.width()) / size.width(),
                                static_cast<double>(kLogoBox.height()) / size.height());
  const auto side = [scale](int length, int limit) {
    return std::clamp(static_cast<int>(std::lround(length * scale)), 1, limit);
  };
  return {side(size.width(), kLogoBox.width()), side(size.height(), kLogoBox.height())};
}

QString SheetImageFileName(const EventModel& model, int sheetKind) {
  return SheetBaseName(model) +
         (sheetKind == kResultSheet ? QStringLiteral("_result.jpg") : QStringLiteral("_scratch.jpg"));
}

}  // namespace kivo
