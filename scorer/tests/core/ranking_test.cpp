#include "core/ranking.h"

#include <vector>

#include <gtest/gtest.h>
#include <QLocale>

#include "core/number_text.h"
#include "testing/one_race_model.h"

namespace kivo {
namespace {

const QLocale kJapanese(QLocale::Japanese, QLocale::Japan);

// One boat as the read-back leaves it: its finish text ("0" or empty for
// none), the module's corrected seconds and the penalty text.
struct Boat {
  QString finish;
  float corrected;
  QString penalty = QStringLiteral("0");
};

EventModel RaceOf(const std::vector<Boat>& boats) {
  EventModel model = fixtures::OneRaceModel();
  model.RaceStart[1] = QStringLiteral("2017/07/01 10:00:00");
  for (std::size_t k = 0; k < boats.size(); ++k) {
    const int e = fixtures::EnterBoat(model, {.name = QStringLiteral("Boat %1").arg(k + 1),
                                              .sailNo = QStringLiteral("JPN-%1").arg(k + 1),
                                              .finish = boats[k].finish,
                                              .penalty = boats[k].penalty});
    model.BoatCorrected[1][e] = boats[k].corrected;
    model.BoatElapsed[1][e] = 4321.0f;  // left by an earlier ranking or event
  }
  return model;
}

template <class T>
std::vector<T> Column(const Table<T>& table, int n) {
  return std::vector<T>(table.begin() + 1, table.begin() + 1 + n);
}

TEST(RankRaceBoats, PositionsOrderAndElapsedTimes) {
  const QString day = QStringLiteral("2017/07/01 ");
  const QString none = QStringLiteral("0");
  struct Case {
    const char* name;
    std::vector<Boat> boats;
    std::vector<float> elapsed;
    std::vector<int> elapsedPos, correctedPos, order;
  };
  const Case cases[] = {
      {"equal times share a position and skip the next",
       {{day + "11:00:00", 100}, {day + "11:30:00", 200}, {day + "11:30:00", 200}, {day + "12:00:00", 300}},
       {3600, 5400, 5400, 7200},
       {1, 2, 2, 4},
       {1, 2, 2, 4},
       {1, 2, 3, 4}},
      {"the exchange sort does not keep equal times in entry order",
       {{day + "12:00:00", 2}, {day + "12:00:00", 2}, {day + "11:00:00", 1}},
       {7200, 7200, 3600},
       {2, 2, 1},
       {2, 2, 1},
       {3, 2, 1}},
      {"no finish: position n and elapsed 0",
       {{none, 500}, {day + "11:55:00", 400}, {QString(), 300}},
       {0, 6900, 0},
       {3, 1, 3},
       {3, 2, 1},
       {3, 2, 1}},
      {"corrected 0 or below: position n and behind every boat with a time, however many",
       {{day + "11:00:00", 0}, {day + "11:10:00", 500}, {day + "11:20:00", -3}, {day + "11:30:00", 400}},
       {3600, 4200, 4800, 5400},
       {1, 2, 3, 4},
       {4, 2, 4, 1},
       {4, 2, 3, 1}},
      {"a penalty of 10 on 3,600 s ranks as 3,960 s",
       {{day + "11:00:00", 3600, "10"}, {day + "11:00:00", 3960}, {day + "11:00:00", 3959.5f}},
       {3600, 3600, 3600},
       {1, 1, 1},
       {2, 2, 1},
       {3, 2, 1}},
      {"times of 20 days rank by value, boats without a time stay last",
       {{QStringLiteral("2017/07/21 10:00:00"), 1728000}, {none, 0}, {day + "11:00:00", 3600}},
       {1728000, 0, 3600},
       {2, 3, 1},
       {2, 3, 1},
       {3, 1, 2}},
      {"finishing on the start counts as a time of 0", {{day + "10:00:00", 0}}, {0}, {1}, {1}, {1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EventModel model = RaceOf(c.boats);
    RankRaceBoats(model, kJapanese);
    const int n = static_cast<int>(c.boats.size());
    EXPECT_EQ(Column(model.BoatElapsed[1], n), c.elapsed);
    EXPECT_EQ(Column(model.BoatElapsedPos[1], n), c.elapsedPos);
    EXPECT_EQ(Column(model.BoatCorrectedPos[1], n), c.correctedPos);
    EXPECT_EQ(Column(model.ResultOrder, n), c.order);
  }
}

TEST(RankRaceBoats, ElapsedSecondsAreTheStoredFloat) {
  // 1 day 0.5 s: not a whole number of seconds, and the float that holds
  // it is what the sheets print.
  EventModel model = RaceOf({{QStringLiteral("2017/07/02 10:00:00.500"), 100}});
  RankRaceBoats(model, kJapanese);
  EXPECT_EQ(model.BoatElapsed[1][1], static_cast<float>(86400.5));
}

TEST(RankRaceBoats, AFinishBeforeTheStartIsRefusedAndNothingIsStored) {
  EventModel model =
      RaceOf({{QStringLiteral("2017/07/01 11:00:00"), 100}, {QStringLiteral("2017/07/01 09:59:59"), 200}});
  model.EntryName[2] = QStringLiteral("Early Bird");
  try {
    RankRaceBoats(model, kJapanese);
    FAIL() << "no error";
  } catch (const FinishBeforeStartError& e) {
    const QString message = QString::fromUtf8(e.what());
    EXPECT_TRUE(message.contains(QStringLiteral("Early Bird (JPN-2)"))) << e.what();
    EXPECT_TRUE(message.contains(QStringLiteral("2017/07/01 09:59:59"))) << e.what();
  }
  EXPECT_EQ(model.BoatElapsed[1][1], 4321.0f);
  EXPECT_EQ(model.BoatElapsedPos[1][1], 0);
  EXPECT_EQ(model.ResultOrder[1], 0);
}

TEST(RankRaceBoats, TextsThatDoNotConvertEndTheRanking) {
  struct Case {
    const char* name;
    QString start, finish, penalty;
    const char* message;
  };
  const Case cases[] = {
      {"start", "soon", "2017/07/01 11:00:00", "0", "'soon' is not a valid date and time"},
      {"finish", "2017/07/01 10:00:00", "2017/13/45 11:00:00", "0",
       "'2017/13/45 11:00:00' is not a valid date and time"},
      {"penalty", "2017/07/01 10:00:00", "2017/07/01 11:00:00", "ten",
       "'ten' is not a valid floating point value"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EventModel model = RaceOf({{c.finish, 100, c.penalty}});
    model.RaceStart[1] = c.start;
    try {
      RankRaceBoats(model, kJapanese);
      ADD_FAILURE() << "no error";
    } catch (const EConvertError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
    EXPECT_EQ(model.BoatElapsed[1][1], 4321.0f);
  }
}

TEST(RankRaceBoats, ARaceWithoutBoatsRanksNothing) {
  EventModel model = RaceOf({});
  EXPECT_NO_THROW(RankRaceBoats(model, kJapanese));
}

}  // namespace
}  // namespace kivo
