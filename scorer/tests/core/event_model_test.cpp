#include "core/event_model.h"

#include <cstddef>
#include <stdexcept>

#include <gtest/gtest.h>

namespace kivo {
namespace {

TEST(EventModelTest, TablesHaveTheirCapacitiesAndStartEmpty) {
  EventModel model;
  model.AllocateEventArrays();
  EXPECT_EQ(model.RmsLines.size(), 150u);
  EXPECT_EQ(model.HeaderNames.size(), 200u);
  EXPECT_EQ(model.MissingItems.size(), 31u);  // items 1 .. 30
  EXPECT_EQ(model.StatusCodes.size(), 15u);
  for (const auto* entries : {&model.EntryName, &model.EntrySailNo, &model.EntryClass, &model.EntryGph})
    EXPECT_EQ(entries->size(), 20u);
  EXPECT_EQ(model.EntryRecord.size(), 20u);
  EXPECT_EQ(model.ResultOrder.size(), 20u);
  for (const auto* races : {&model.RaceName, &model.RaceStart, &model.RaceLimit, &model.RaceXmlName,
                            &model.RacePointCoef, &model.RaceTypeText, &model.RaceJury})
    EXPECT_EQ(races->size(), 10u);
  EXPECT_EQ(model.CourseDistance.size(), 10u);
  EXPECT_EQ(model.RaceLegCount.size(), 10u);
  for (const auto* legs :
       {&model.LegDistance, &model.LegCourse, &model.LegWindDirection, &model.LegWindSpeed}) {
    ASSERT_EQ(legs->size(), 10u);
    EXPECT_EQ(legs->at(9).size(), 10u);
  }
  for (const auto* boats :
       {&model.BoatFinish, &model.BoatStatus, &model.BoatPenalty, &model.BoatRemarks, &model.BoatVector}) {
    ASSERT_EQ(boats->size(), 10u);
    EXPECT_EQ(boats->at(9).size(), 20u);
    EXPECT_TRUE(boats->at(9).at(19).isEmpty());
  }
  EXPECT_EQ(model.BoatFinished[9][19], 0);
  EXPECT_EQ(model.BoatCorrected[9][19], 0.0f);
  EXPECT_EQ(model.BoatCorrectedPos[9][19], 0);
}

TEST(EventModelTest, OtherCapacitiesSizeTheTables) {
  EventModel model;
  model.MaxRaces = 3;
  model.MaxEntries = 5;
  model.MaxLegs = 4;
  model.MaxRmsLines = 7;
  model.AllocateEventArrays();
  EXPECT_EQ(model.RmsLines.size(), 7u);
  EXPECT_EQ(model.EntryName.size(), 5u);
  EXPECT_EQ(model.LegWindSpeed.size(), 3u);
  EXPECT_EQ(model.LegWindSpeed[2].size(), 4u);
  EXPECT_EQ(model.BoatElapsed[2].size(), 5u);
}

template <class Tables, class Number>
concept IndexedBy = requires(Tables& tables, Number number) {
  tables[number];
};

// A table is indexed by the int numbers the program counts with: an
// unsigned or wider number would be narrowed unseen, so it does not compile.
TEST(EventModelTest, TablesTakeIntNumbersOnly) {
  static_assert(IndexedBy<Table<QString>, int> && IndexedBy<const Table2<float>, int>);
  static_assert(IndexedBy<Table<float>, int> && IndexedBy<const Table<float>, int>);
  static_assert(!IndexedBy<Table<QString>, std::size_t> && !IndexedBy<const Table<float>, qsizetype>);
  EventModel model;
  model.AllocateEventArrays();
  EXPECT_THROW(model.EntryName.at(model.MaxEntries), std::out_of_range);
  EXPECT_THROW(model.EntryName.at(-1), std::out_of_range);
}

TEST(EventModelTest, StatusCodesAndLegendLines) {
  EXPECT_EQ(StatusCodeAt(1), QStringLiteral("OK"));
  EXPECT_EQ(StatusCodeAt(14), QStringLiteral("DPI"));
  EXPECT_TRUE(StatusCodeAt(0).isEmpty());
  EXPECT_TRUE(StatusCodeAt(15).isEmpty());
  EXPECT_TRUE(StatusLegendLine(1).isEmpty());
  for (int number = 2; number <= EventModel::StatusCodeCount; ++number)
    EXPECT_TRUE(
        StatusLegendLine(number).startsWith(QLatin1Char(' ') + StatusCodeAt(number) + QLatin1Char(' ')));
  const QString legend = StatusLegendText();
  EXPECT_TRUE(legend.startsWith(QStringLiteral("\n DNC Did not start;")));
  EXPECT_TRUE(legend.endsWith(QStringLiteral(" DPI Discretionary penalty imposed")));
  EXPECT_EQ(legend.count(QLatin1Char('\n')), 13);
}

TEST(EventModelTest, CourseTypesByCode) {
  EXPECT_EQ(CourseTypeText(0), QStringLiteral("constructed course"));
  EXPECT_EQ(CourseTypeText(2), QStringLiteral("ocean course"));
  EXPECT_EQ(CourseTypeText(5), QStringLiteral("non spinnaker"));
  EXPECT_TRUE(CourseTypeText(6).isEmpty());
}

}  // namespace
}  // namespace kivo
