// Clock correction, elapsed time and penalty of one finish.
#include <gtest/gtest.h>

#include "core/finish_entry.h"

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

}  // namespace
}  // namespace kivo
