#include "core/finish_entry.h"

#include <cstddef>

#include "core/local_date_time.h"
#include "locale/user_locale.h"

namespace kivo {

int ClockCorrectionFromText(const QString& text, int last) {
  bool ok = false;
  const int correction = text.trimmed().toInt(&ok);
  return ok ? correction : last;
}

QDateTime FinishDateTime(const QDate& date, const QTime& time) {
  return QDateTime(date, QTime(time.hour(), time.minute(), time.second()));
}

qint64 ElapsedSeconds(const QDateTime& finish, const QDateTime& start) {
  const qint64 seconds = start.secsTo(finish);
  return seconds < 0 ? -seconds : seconds;
}

QString ElapsedText(qint64 seconds) {
  const qint64 hours = seconds / 3600;
  const qint64 minutes = (seconds - 3600 * hours) / 60;
  const qint64 rest = seconds - 3600 * hours - 60 * minutes;
  return QString::number(hours) +
         QStringLiteral(":%1:%2").arg(minutes, 2, 10, QLatin1Char('0')).arg(rest, 2, 10, QLatin1Char('0'));
}

std::optional<int> ReadPenalty(const QString& text) {
  const QString trimmed = text.trimmed();
  for (const QChar c : trimmed)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
  bool ok = false;
  const int percent = trimmed.toInt(&ok);
  if (!ok || percent < 0 || percent > kMaxPenaltyPercent) return std::nullopt;
  return percent;
}

QString PenaltyRefusedMessage() {
  return QStringLiteral("ペナルティーには0から20までの整数を入力してください。");
}

QString FinishNotAfterStartMessage() {
  return QStringLiteral(
      "フィニッシュ時刻がスタート時刻と同じか、それより前です。\nフィニッシュ時刻を確認してください。");
}

QString DecideFinish(EventModel& model, int entry, const FinishPanelFields& fields, const QLocale& locale) {
  const int race = model.CurrentRace;
  const bool statusOk = fields.status == QLatin1String("OK");

  // A penalty that is no whole number from 0 to 20 would break every later
  // ranking and sheet: the decision is refused before anything is stored.
  std::optional<int> penalty;
  if (statusOk && fields.penaltyTicked) {
    penalty = ReadPenalty(fields.penaltyPercent);
    if (!penalty) return PenaltyRefusedMessage();
  }

  model.BoatStatus[race][entry] = fields.status;
  if (fields.elapsedSeconds.isEmpty() && statusOk)
    return QStringLiteral(
        "フィニッシュ時刻が確定されていません\n"
        "フィニッシュ時刻入力後「決定」ボタンを押してください。");
  if (!statusOk) {
    model.BoatFinish[race][entry] = QStringLiteral("-");
    model.BoatFinished[race][entry] = 1;
    model.BoatPenalty[race][entry] = QStringLiteral("0");
  } else {
    const QDateTime finish = FinishDateTime(fields.finishDate, fields.finishTime);
    // Taken, it would give the boat a time of 0 or below, and the module
    // would refuse the whole race.
    if (finish <= LocalDateTimeOrThrow(model.RaceStart[race], locale)) return FinishNotAfterStartMessage();
    if (finish > LocalDateTimeOrThrow(model.RaceLimit[race], locale))
      return QStringLiteral(
          "タイムリミットを超過しています。\n"
          "「DNF」が表示されているか確認してください。");
    model.BoatFinish[race][entry] = platform::LocalDateTimeText(finish, locale);
    model.BoatPenalty[race][entry] = penalty ? QString::number(*penalty) : QStringLiteral("0");
    model.BoatFinished[race][entry] = 1;
  }
  model.BoatRemarks[race][entry] = fields.remarks;
  return QString();
}

}  // namespace kivo
