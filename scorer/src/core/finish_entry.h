#pragma once
// The small rules of entering one finish: the clock correction typed in
// seconds, the elapsed time shown for a finish, the penalty percent, and
// the decision that records the finish in the event model.
#include <optional>

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QTime>

#include "core/event_model.h"

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

// What the finish entry panel holds, as the officer left it.
struct FinishPanelFields {
  QString status;              // ComboBox2
  QString elapsedSeconds;      // Memo7: empty until a finish time was taken
  QDate finishDate;            // datetimepicker5
  QTime finishTime;            // DateTimePicker6
  bool penaltyTicked = false;  // CheckBox2
  QString penaltyPercent;      // ComboBox3
  QString remarks;             // Memo10
};

// Decides the finish of entry `entry` (1 .. EntryCount) of the current race
// from the panel. Returns the message that refused it, empty when decided.
// In turn:
// - status "OK" with the penalty ticked and a percent that ReadPenalty
//   refuses: PenaltyRefusedMessage(), nothing stored;
// - the status is stored;
// - status "OK" without an elapsed time: "フィニッシュ時刻が確定されていません"
//   and a line break and "フィニッシュ時刻入力後「決定」ボタンを押してください。";
// - any other status: finish "-", finished, penalty "0";
// - status "OK": the finish (the pickers, whole seconds) at or before
//   RaceStart is refused with FinishNotAfterStartMessage(), after RaceLimit
//   with "タイムリミットを超過しています。" and a line break and
//   "「DNF」が表示されているか確認してください。"; else the finish as the
//   locale's short date and long time, the penalty (0 when not ticked),
//   finished;
// - the remarks are stored.
// RaceStart and RaceLimit are read in `locale`; one that does not read
// throws EConvertError, with the status already stored.
QString DecideFinish(EventModel& model, int entry, const FinishPanelFields& fields, const QLocale& locale);

}  // namespace kivo
