// Clock correction, elapsed time and penalty of one finish, and the
// decision that records it.
#include <ostream>

#include <gtest/gtest.h>

#include "core/finish_entry.h"
#include "errors/exceptions.h"

namespace kivo {
namespace {

TEST(FinishEntryTest, ClockCorrectionKeepsTheLastValidNumber) {
  struct Case {
    const char* text;
    int last;
    int correction;
  };
  const std::vector<Case> cases = {
      {"30", 0, 30}, {"-30", 5, -30}, {" 12 ", 0, 12}, {"+7", 0, 7},
      {"", 15, 15},  {"-", 15, 15},   {"1.5", 15, 15}, {"abc", -4, -4},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ClockCorrectionFromText(QString::fromLatin1(c.text), c.last), c.correction) << c.text;
}

TEST(FinishEntryTest, ElapsedTimeHasNoSignAndWholeSeconds) {
  const QDate day(2017, 7, 1);
  const QDateTime start(day, QTime(10, 0, 0));
  struct Case {
    QDateTime finish;
    qint64 seconds;
    QString text;
  };
  const std::vector<Case> cases = {
      {QDateTime(day, QTime(11, 30, 5)), 5405, "1:30:05"},
      {QDateTime(day, QTime(9, 59, 50)), 10, "0:00:10"},
      {QDateTime(day, QTime(10, 0, 0)), 0, "0:00:00"},
      {QDateTime(day.addDays(1), QTime(11, 0, 0)), 90000, "25:00:00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.toStdString());
    EXPECT_EQ(ElapsedSeconds(c.finish, start), c.seconds);
    EXPECT_EQ(ElapsedText(c.seconds), c.text);
  }
  EXPECT_EQ(FinishDateTime(day, QTime(12, 5, 0, 999)), QDateTime(day, QTime(12, 5, 0)));
}

TEST(FinishEntryTest, PenaltyIsAWholeNumberFrom0To20) {
  for (int percent = 0; percent <= 20; ++percent) EXPECT_EQ(ReadPenalty(QString::number(percent)), percent);
  EXPECT_EQ(ReadPenalty(QStringLiteral(" 5 ")), 5);
  EXPECT_EQ(ReadPenalty(QStringLiteral("05")), 5);
  for (const char* text : {"", "21", "-1", "+5", "2.5", "10%", "abc", "１０"})
    EXPECT_FALSE(ReadPenalty(QString::fromUtf8(text))) << text;
}

// Deciding a finish, without the page: race 2 of the event, start 10:00 and
// limit 16:00 of the race day, in the Japanese forms.
const QDate kRaceDay(2017, 7, 1);
const QLocale kJapanese(QLocale::Japanese, QLocale::Japan);
const QString kNoTime = QStringLiteral(
    "フィニッシュ時刻が確定されていません\nフィニッシュ時刻入力後「決定」ボタンを押してください。");
const QString kAfterLimit =
    QStringLiteral("タイムリミットを超過しています。\n「DNF」が表示されているか確認してください。");

// `count` boats racing in race 2; entry 1's status preset to "DNF" (as a
// time after the limit leaves it) and a remark from before.
EventModel RacingBoats(int count = 1) {
  EventModel model;
  model.AllocateEventArrays();
  model.RaceCount = 2;
  model.CurrentRace = 2;
  model.ResetEventData();
  model.EntryCount = count;
  model.RaceEntryCount[2] = count;
  model.RaceStart[2] = QStringLiteral("2017/07/01 10:00:00");
  model.RaceLimit[2] = QStringLiteral("2017/07/01 16:00:00");
  model.BoatStatus[2][1] = QStringLiteral("DNF");
  model.BoatRemarks[2][1] = QStringLiteral("before");
  return model;
}

// What a decision writes for one boat.
struct BoatFinishData {
  QString status, finish, penalty;
  int finished;
  QString remarks;
  bool operator==(const BoatFinishData&) const = default;
};

BoatFinishData BoatOf(const EventModel& m, int race, int entry) {
  return {m.BoatStatus[race][entry], m.BoatFinish[race][entry], m.BoatPenalty[race][entry],
          m.BoatFinished[race][entry], m.BoatRemarks[race][entry]};
}

std::ostream& operator<<(std::ostream& out, const BoatFinishData& b) {
  return out << b.status.toStdString() << " | " << b.finish.toStdString() << " | " << b.penalty.toStdString()
             << " | " << b.finished << " | " << b.remarks.toStdString();
}

// The panel with `status`, a finish taken at `time` of `date` (no elapsed
// time when `taken` is false), and the penalty `percent` when ticked.
FinishPanelFields Panel(const char* status, QTime time, QDate date = kRaceDay, bool taken = true,
                        bool ticked = false, const char* percent = "") {
  FinishPanelFields fields;
  fields.status = QString::fromLatin1(status);
  fields.elapsedSeconds = taken ? QStringLiteral("3600") : QString();
  fields.finishDate = date;
  fields.finishTime = time;
  fields.penaltyTicked = ticked;
  fields.penaltyPercent = QString::fromLatin1(percent);
  fields.remarks = QStringLiteral("now");
  return fields;
}

TEST(DecideFinish, RecordsTheFinishOrRefusesIt) {
  const QString ok = QStringLiteral("OK");
  const BoatFinishData untouched{"DNF", "", "0", 0, "before"};
  const BoatFinishData statusOnly{ok, "", "0", 0, "before"};
  const QTime noon(12, 0, 0);
  struct Case {
    const char* name;
    FinishPanelFields fields;
    QString refusal;
    BoatFinishData boat;
  };
  const Case cases[] = {
      {"a second after the start",
       Panel("OK", QTime(10, 0, 1)),
       "",
       {ok, "2017/07/01 10:00:01", "0", 1, "now"}},
      {"exactly at the limit", Panel("OK", QTime(16, 0, 0)), "", {ok, "2017/07/01 16:00:00", "0", 1, "now"}},
      {"at the start", Panel("OK", QTime(10, 0, 0)), FinishNotAfterStartMessage(), statusOnly},
      {"before the start", Panel("OK", QTime(9, 30, 0)), FinishNotAfterStartMessage(), statusOnly},
      {"the day before, later in the day", Panel("OK", noon, kRaceDay.addDays(-1)),
       FinishNotAfterStartMessage(), statusOnly},
      {"a second after the limit", Panel("OK", QTime(16, 0, 1)), kAfterLimit, statusOnly},
      {"the next day, earlier in the day", Panel("OK", QTime(11, 0, 0), kRaceDay.addDays(1)), kAfterLimit,
       statusOnly},
      {"no time taken", Panel("OK", noon, kRaceDay, false), kNoTime, statusOnly},
      {"penalty ticked",
       Panel("OK", noon, kRaceDay, true, true, "10"),
       "",
       {ok, "2017/07/01 12:00:00", "10", 1, "now"}},
      {"penalty ticked, typed with blanks",
       Panel("OK", noon, kRaceDay, true, true, " 05 "),
       "",
       {ok, "2017/07/01 12:00:00", "5", 1, "now"}},
      {"penalty shown but not ticked",
       Panel("OK", noon, kRaceDay, true, false, "10"),
       "",
       {ok, "2017/07/01 12:00:00", "0", 1, "now"}},
      // A penalty that is refused stops the decision before the status.
      {"penalty not a number", Panel("OK", noon, kRaceDay, true, true, "abc"), PenaltyRefusedMessage(),
       untouched},
      {"penalty refused before a missing time", Panel("OK", noon, kRaceDay, false, true, "21"),
       PenaltyRefusedMessage(), untouched},
      {"penalty refused before the limit", Panel("OK", QTime(17, 0, 0), kRaceDay, true, true, "-1"),
       PenaltyRefusedMessage(), untouched},
      // Another status needs no time and takes no penalty.
      {"DNF with a time and a penalty",
       Panel("DNF", QTime(17, 0, 0), kRaceDay, true, true, "abc"),
       "",
       {"DNF", "-", "0", 1, "now"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EventModel model = RacingBoats();
    EXPECT_EQ(DecideFinish(model, 1, c.fields, kJapanese), c.refusal);
    EXPECT_EQ(BoatOf(model, 2, 1), c.boat);
    EXPECT_EQ(BoatOf(model, 1, 1), (BoatFinishData{ok, "", "0", 0, ""}));  // another race
  }
}

TEST(DecideFinish, EveryOtherStatusIsRecordedWithoutATime) {
  for (int number = 2; number <= EventModel::StatusCodeCount; ++number) {
    const QString status = StatusCodeAt(number);
    SCOPED_TRACE(status.toStdString());
    EventModel model = RacingBoats();
    model.BoatPenalty[2][1] = QStringLiteral("10");
    const FinishPanelFields fields =
        Panel(status.toLatin1().constData(), QTime(9, 0, 0), kRaceDay, false, true, "15");
    EXPECT_EQ(DecideFinish(model, 1, fields, kJapanese), QString());
    EXPECT_EQ(BoatOf(model, 2, 1), (BoatFinishData{status, "-", "0", 1, "now"}));
  }
}

TEST(DecideFinish, ADeadHeatRecordsTheSameTimeForBothBoats) {
  EventModel model = RacingBoats(2);
  const FinishPanelFields fields = Panel("OK", QTime(11, 30, 5));
  EXPECT_EQ(DecideFinish(model, 1, fields, kJapanese), QString());
  EXPECT_EQ(DecideFinish(model, 2, fields, kJapanese), QString());
  for (const int entry : {1, 2}) {
    SCOPED_TRACE(entry);
    EXPECT_EQ(BoatOf(model, 2, entry), (BoatFinishData{"OK", "2017/07/01 11:30:05", "0", 1, "now"}));
  }
}

TEST(DecideFinish, TheRaceTimesAndTheFinishAreInTheGivenLocale) {
  EventModel model = RacingBoats();
  model.RaceStart[2] = QStringLiteral("2017.07.01 10:00:00");
  model.RaceLimit[2] = QStringLiteral("2017.07.01 16:00:00");
  const QLocale german(QLocale::German, QLocale::Germany);
  EXPECT_EQ(DecideFinish(model, 1, Panel("OK", QTime(12, 5, 0)), german), QString());
  EXPECT_EQ(model.BoatFinish[2][1], QStringLiteral("01.07.17 12:05:00"));

  // A start that does not read stops the decision with the status stored.
  model = RacingBoats();
  model.RaceStart[2].clear();
  EXPECT_THROW(DecideFinish(model, 1, Panel("OK", QTime(12, 5, 0)), kJapanese), platform::EConvertError);
  EXPECT_EQ(BoatOf(model, 2, 1), (BoatFinishData{"OK", "", "0", 0, "before"}));
}

}  // namespace
}  // namespace kivo
