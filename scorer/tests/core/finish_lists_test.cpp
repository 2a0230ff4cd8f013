// The racing and finished lists of the finish page built from the model.
#include <gtest/gtest.h>

#include "core/event_model.h"
#include "core/finish_lists.h"
#include "locale/user_locale.h"
#include "testing/one_race_model.h"

namespace kivo {
namespace {

const QLocale kJapanese(QLocale::Japanese, QLocale::Japan);

class FinishListsTest : public ::testing::Test {
 protected:
  FinishListsTest() {
    for (auto& row : model.BoatStatus) std::fill(row.begin(), row.end(), QStringLiteral("OK"));
    for (auto& row : model.BoatPenalty) std::fill(row.begin(), row.end(), QStringLiteral("0"));
  }
  int Add(const QString& name, const QString& sail) {
    return fixtures::EnterBoat(model, {.name = name, .sailNo = sail});
  }
  void Finish(int k, const QString& finish, const QString& status = QStringLiteral("OK"),
              const QString& penalty = QStringLiteral("0")) {
    model.BoatFinished[1][k] = 1;
    model.BoatFinish[1][k] = finish;
    model.BoatStatus[1][k] = status;
    model.BoatPenalty[1][k] = penalty;
  }
  EventModel model = fixtures::OneRaceModel();
};

TEST_F(FinishListsTest, FinishedBoatsComeInFinishOrderThenThoseWithoutTime) {
  const int dns = Add(QStringLiteral("DAWN"), QStringLiteral("JPN-1"));
  const int late = Add(QStringLiteral("LATE"), QStringLiteral("JPN-2"));
  const int racing = Add(QStringLiteral("STILL"), QStringLiteral("JPN-3"));
  const int early = Add(QStringLiteral("EARLY"), QStringLiteral("JPN-4"));
  Finish(dns, QStringLiteral("-"), QStringLiteral("DNS"));
  Finish(late, QStringLiteral("2017/07/01 12:05:00"));
  Finish(early, QStringLiteral("2017/07/01 11:58:30"), QStringLiteral("OK"), QStringLiteral("10"));

  const FinishLists lists = BuildFinishLists(model, 1, kJapanese);
  ASSERT_EQ(lists.racing.size(), 1u);
  EXPECT_EQ(lists.racing[0], (FinishListLine{racing, QStringLiteral("JPN-3  STILL")}));
  ASSERT_EQ(lists.finished.size(), 3u);
  EXPECT_EQ(lists.finished[0],
            (FinishListLine{early, QStringLiteral("EARLY               2017/07/01 11:58:30  OK   10")}));
  EXPECT_EQ(lists.finished[1],
            (FinishListLine{late, QStringLiteral("LATE                2017/07/01 12:05:00  OK   ")}));
  EXPECT_EQ(lists.finished[2],
            (FinishListLine{dns, QStringLiteral("DAWN                       -             DNS  ")}));
}

TEST_F(FinishListsTest, FinishesOfAnotherLocaleFormSortByTheirTime) {
  const QLocale german(QStringLiteral("de_DE"));
  const int a = Add(QStringLiteral("A"), QString());
  const int b = Add(QStringLiteral("B"), QString());
  Finish(a, platform::LocalDateTimeText(QDateTime(QDate(2017, 7, 2), QTime(9, 0, 0)), german));
  Finish(b, platform::LocalDateTimeText(QDateTime(QDate(2017, 7, 1), QTime(23, 0, 0)), german));
  const FinishLists lists = BuildFinishLists(model, 1, german);
  ASSERT_EQ(lists.finished.size(), 2u);
  EXPECT_EQ(lists.finished[0].entry, b);
  EXPECT_EQ(lists.finished[1].entry, a);
}

TEST(FinishLineTest, NamesAreCutOrPaddedTo20Characters) {
  struct Case {
    QString name;
    QString shown;
  };
  const std::vector<Case> cases = {
      {QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWX"), QStringLiteral("ABCDEFGHIJKLMNOPQRST")},
      {QStringLiteral("SUN"), QStringLiteral("SUN                 ")},
      // A double-byte character counts as one character like any other.
      {QStringLiteral("日本丸一号艇日本丸二号"), QStringLiteral("日本丸一号艇日本丸二号         ")},
      {QStringLiteral("Aかもめかもめかもめかもめかもめかもめかもめ"),
       QStringLiteral("Aかもめかもめかもめかもめかもめかもめか")},
      {QStringLiteral("ｶﾓﾒ"), QStringLiteral("ｶﾓﾒ                 ")},
      {QString(), QString(20, QLatin1Char(' '))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name.toStdString());
    EXPECT_EQ(FixedWidthText(c.name, 20), c.shown);
    EXPECT_EQ(FixedWidthText(c.name, 20).size(), 20);
  }
}

TEST(FinishLineTest, AJapaneseNameTakesTwentyCharactersOfTheLine) {
  EXPECT_EQ(FinishedLine(QStringLiteral("かもめ"), QStringLiteral("2017/07/01 9:05:07"), QStringLiteral("OK"),
                         QString()),
            QStringLiteral("かもめ                 2017/07/01 9:05:07  OK   "));
}

TEST(FinishLineTest, PlaceholderStatusAndPenaltyColumns) {
  EXPECT_EQ(kNoFinishPlaceholder.size(), 19);
  EXPECT_EQ(FinishedLine(QStringLiteral("X"), QStringLiteral("-"), QStringLiteral("DNF"), QString()),
            QStringLiteral("X                          -             DNF  "));
  EXPECT_EQ(FinishedLine(QStringLiteral("X"), QString(), QStringLiteral("OK"), QString()),
            QStringLiteral("X                          -             OK   "));
  EXPECT_EQ(FinishedLine(QStringLiteral("X"), QStringLiteral("2017/07/01 9:05:07"), QStringLiteral("RETIRED"),
                         QStringLiteral("20")),
            QStringLiteral("X                   2017/07/01 9:05:07  RET  20"));
}

TEST(FinishLineTest, PenaltyZeroIsTheNumberZero) {
  const QLocale german(QStringLiteral("de_DE"));
  for (const char* text : {"0", "00", " 0", "0,0"})
    EXPECT_TRUE(PenaltyIsZero(QString::fromLatin1(text), german)) << text;
  for (const char* text : {"10", "", "x", "0,5"})
    EXPECT_FALSE(PenaltyIsZero(QString::fromLatin1(text), german)) << text;
}

TEST(FinishSortTest, ExchangeSortKeepsItsOwnOrderOfEqualTimes) {
  // The literal exchange sort is not stable; its order is the one shown.
  const auto at = [](int hour) {
    return std::optional<QDateTime>(QDateTime(QDate(2017, 7, 1), QTime(hour, 0)));
  };
  std::vector<int> entries = {1, 2, 3, 4};
  std::vector<std::optional<QDateTime>> times = {at(13), at(12), at(12), at(11)};
  SortByFinishTime(entries, times);
  EXPECT_EQ(entries, (std::vector<int>{4, 3, 2, 1}));

  entries = {1, 2, 3, 4};
  times = {std::nullopt, at(12), std::nullopt, at(11)};
  SortByFinishTime(entries, times);
  EXPECT_EQ(entries, (std::vector<int>{4, 2, 3, 1}));
}

TEST(FinishSortTest, OnlyTextsLongerThanFiveCharactersAreTimes) {
  EXPECT_FALSE(FinishSortTime(QStringLiteral("-"), kJapanese));
  EXPECT_FALSE(FinishSortTime(QStringLiteral("12:05"), kJapanese));
  EXPECT_FALSE(FinishSortTime(QStringLiteral("garbage text"), kJapanese));
  EXPECT_EQ(FinishSortTime(QStringLiteral("2017/07/01 12:05:00"), kJapanese),
            QDateTime(QDate(2017, 7, 1), QTime(12, 5)));
}

}  // namespace
}  // namespace kivo
