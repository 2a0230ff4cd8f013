#include "core/check_race.h"

#include <cstddef>

#include "core/local_date_time.h"
#include "core/number_text.h"
#include "core/rms_record.h"
#include "core/rms_text.h"
#include "locale/user_locale.h"

namespace kivo {

QString missing::UnreadableRecord(const QString& boatname, int entry) {
  const QString boat = boatname.isEmpty() ? QStringLiteral("エントリー%1番目の艇").arg(entry) : boatname;
  return QStringLiteral("(P3)%1: 証書データが読めません").arg(boat);
}

namespace {

// The grid's column titles, for naming a leg cell that holds no number.
constexpr std::array<const char*, 4> kLegColumnNames = {"距離", "方位", "風向", "風速"};

QString NotAFloatMessage(const QString& field, const QString& text) {
  return field + QStringLiteral(": '") + text + QStringLiteral("' is not a valid floating point value");
}

float LegValue(const QString& cell, int row, std::size_t column, const QLocale& locale) {
  const QString trimmed = TrimBlanksAndControls(cell);
  const std::optional<double> value = ReadLocaleNumber(trimmed, locale);
  if (!value) {
    const QString field =
        QStringLiteral("(P2)LEG%1 %2").arg(row).arg(QString::fromUtf8(kLegColumnNames[column]));
    throw CheckConversionError(NotAFloatMessage(field, trimmed).toStdString());
  }
  return static_cast<float>(*value);
}

}  // namespace

void CheckRace(EventModel& model, const RacePageFields& fields, const QLocale& locale) {
  const int r = model.CurrentRace;
  model.ReadinessState = kCannotCompute;
  model.MissingCount = 0;
  for (QString& item : model.MissingItems) item.clear();
  const auto appendMissing = [&model](const QString& text) {
    if (model.MissingCount >= EventModel::MissingItemCapacity) return;
    ++model.MissingCount;
    model.MissingItems[model.MissingCount] = text;
  };

  model.EventName = TrimBlanksAndControls(fields.eventName);
  if (AnsiByteLength(model.EventName) < 3) appendMissing(missing::kEventName);
  model.RaceName[r] = fields.raceName;
  if (AnsiByteLength(model.RaceName[r]) < 3) appendMissing(missing::kRaceName);
  model.EventClass = fields.eventClass;
  if (model.EventClass.isEmpty()) appendMissing(missing::kClassName);
  model.Chairman = fields.chairman;
  if (model.Chairman.isEmpty()) appendMissing(missing::kChairman);
  model.SaveName = TrimBlanksAndControls(fields.saveName);
  if (AnsiByteLength(model.SaveName) < 3) appendMissing(missing::kSaveName);

  model.RaceStart[r] = platform::RaceDateTimeText(fields.startDate, fields.startTime, locale);
  model.RaceLimit[r] = platform::RaceDateTimeText(fields.limitDate, fields.limitTime, locale);
  model.RaceJury[r] = fields.jury;
  if (model.RaceJury[r].isEmpty()) appendMissing(missing::kJury);
  model.RaceType[r] = fields.courseType;
  model.RaceTypeText[r] = fields.courseTypeText;

  // Legs of a constructed course: every row whose distance is not exactly
  // "0" counts, and the first rows of the grid are taken for them.
  bool tooManyLegs = false;
  if (model.RaceType[r] != 0) {
    model.RaceLegCount[r] = 0;
  } else {
    int counted = 0;
    for (const auto& row : fields.legRows)
      if (TrimBlanksAndControls(row[0]) != QLatin1String("0")) ++counted;
    const int maxLegs = model.MaxLegs - 1;
    tooManyLegs = counted > maxLegs;
    const int taken = tooManyLegs ? maxLegs : counted;
    model.RaceLegCount[r] = 0;
    if (counted == 0) appendMissing(missing::kNoLegs);
    if (tooManyLegs) appendMissing(missing::kTooManyLegs);
    for (int leg = 1; leg <= taken; ++leg) {
      const auto& row = fields.legRows[static_cast<std::size_t>(leg - 1)];
      model.LegDistance[r][leg] = LegValue(row[0], leg, 0, locale);
      model.LegCourse[r][leg] = LegValue(row[1], leg, 1, locale);
      model.LegWindDirection[r][leg] = LegValue(row[2], leg, 2, locale);
      model.LegWindSpeed[r][leg] = LegValue(row[3], leg, 3, locale);
    }
    model.RaceLegCount[r] = taken;
  }

  if (fields.distance.isEmpty()) {
    model.CourseDistance[r] = 0;
    appendMissing(missing::kDistance);
  } else {
    const std::optional<double> distance = ReadLocaleNumber(fields.distance, locale);
    if (!distance)
      throw CheckConversionError(NotAFloatMessage(missing::kDistance, fields.distance).toStdString());
    model.CourseDistance[r] = static_cast<float>(*distance);
  }

  const int entries = model.RaceEntryCount[r];
  const int finished = model.RaceFinishedCount[r];
  if (entries == 0) appendMissing(missing::kNoEntries);
  if (finished == 0) appendMissing(missing::kNoneFinished);
  if (finished > 0 && entries - finished > 0) appendMissing(missing::kNotAllFinished);
  const QDateTime start(fields.startDate, fields.startTime);
  bool finishNotAfterStart = false;
  for (int entry = 1; entry <= entries && entry < model.BoatFinish[r].size(); ++entry) {
    const std::optional<QDateTime> finish = ReadLocalDateTime(model.BoatFinish[r][entry], locale);
    if (model.BoatFinished[r][entry] == 0 || !finish || *finish > start) continue;
    finishNotAfterStart = true;
    appendMissing(missing::kFinishNotAfterStart + model.EntryName[entry].trimmed());
  }
  // The module would refuse the whole race for one such record without
  // naming the boat.
  bool unreadableRecord = false;
  for (int j = 1; j <= entries && j < model.EntryRecord.size(); ++j) {
    if (IsReadableRatingRecord(model.EntryRecord[j])) continue;
    unreadableRecord = true;
    appendMissing(missing::UnreadableRecord(model.EntryName[j], j));
  }

  if (entries > 1) model.ReadinessState = kScratchOnly;
  if (finished > 0) model.ReadinessState = kResultsAndScratch;
  if (AnsiByteLength(model.SaveName) < 3) model.ReadinessState = kCannotCompute;
  if (entries == 0) model.ReadinessState = kCannotCompute;
  if (tooManyLegs) model.ReadinessState = kCannotCompute;
  if (finishNotAfterStart) model.ReadinessState = kCannotCompute;
  if (unreadableRecord) model.ReadinessState = kCannotCompute;
}

QString MissingDataSummary(const EventModel& model) {
  QString text = QStringLiteral("下記の不足データがあります\n\n");
  for (int item = 1; item <= model.MissingCount; ++item)
    text += QStringLiteral("    ") + model.MissingItems[item] + QLatin1Char('\n');
  text += QStringLiteral("\n\n");
  switch (model.ReadinessState) {
    case kScratchOnly:
      text += QStringLiteral("スクラッチシートの計算は可能です。");
      break;
    case kResultsAndScratch:
      text += QStringLiteral("成績, クラッチシートの計算は可能です。");
      break;
    default:
      text += QStringLiteral("データ不足により計算は不可能です。");
      break;
  }
  return text;
}

}  // namespace kivo
