#pragma once
// The small rules of entering one finish: the clock correction typed in
// seconds, the elapsed time shown for a finish, and the penalty percent.
#include <optional>

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

namespace kivo {

// The clock correction that a typed text gives: the whole number it holds
// (blanks around it allowed), else `last` (the clock keeps the last valid
// correction while the officer types).
int ClockCorrectionFromText(const QString& text, int last);

// A finish from the date and time pickers, in whole seconds.
QDateTime FinishDateTime(const QDate& date, const QTime& time);

// Whole seconds between the finish and the start, without sign.
qint64 ElapsedSeconds(const QDateTime& finish, const QDateTime& start);

// Seconds as "h:mm:ss": hours not padded, minutes and seconds two digits.
QString ElapsedText(qint64 seconds);

// Penalty percent that can be recorded: 0 .. 20.
inline constexpr int kMaxPenaltyPercent = 20;

// The penalty that a typed text gives: a whole number from 0 to 20 (blanks
// around it allowed), else none.
std::optional<int> ReadPenalty(const QString& text);

// The message that refuses any other penalty text.
QString PenaltyRefusedMessage();

// The message that refuses a finish at or before the start.
QString FinishNotAfterStartMessage();

}  // namespace kivo
