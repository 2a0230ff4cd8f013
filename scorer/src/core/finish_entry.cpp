#include "core/finish_entry.h"

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
  return QString::number(hours) + QStringLiteral(":%1:%2")
                                      .arg(minutes, 2, 10, QLatin1Char('0'))
                                      .arg(rest, 2, 10, QLatin1Char('0'));
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
  return QStringLiteral("フィニッシュ時刻がスタート時刻と同じか、それより前です。\nフィニッシュ時刻を確認してください。");
}

}  // namespace kivo
