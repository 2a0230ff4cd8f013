// Adding the boat picked in the boat list as an entry and taking an entry
// out again, without the page.
#include "core/entries.h"

#include <vector>

#include <gtest/gtest.h>

#include "testing/one_race_model.h"
#include "testing/rms_fixtures.h"

namespace kivo {
namespace {

using fixtures::SyntheticRecord;

// A model on race `race` whose boat list holds boats named `names`, in
// this order, with no entries and the boat at `picked` picked.
EventModel BoatList(const std::vector<QByteArray>& names, int picked, int race = 1) {
  EventModel model = fixtures::EmptyModel();
  model.CurrentRace = race;
  model.RaceCount = race;
  model.ResetEventData();
  for (int boat = 1; boat <= static_cast<int>(names.size()); ++boat)
    model.RmsLines[boat] = SyntheticRecord(boat, names[boat - 1]);
  model.RmsLineCount = static_cast<int>(names.size());
  model.SelectedRmsBoat = picked;
  return model;
}

// What an add writes or must leave alone.
struct EntryTables {
  int entryCount;
  int raceEntryCount;
  int selectedEntry;
  Table<QByteArray> records;
  Table<QString> names, classes, sailNumbers;
  bool operator==(const EntryTables&) const = default;
};

EntryTables TablesOf(const EventModel& m) {
  return {m.EntryCount,    m.RaceEntryCount[m.CurrentRace],
          m.SelectedEntry, m.EntryRecord,
          m.EntryName,     m.EntryClass,
          m.EntrySailNo};
}

TEST(AddEntry, CopiesThePickedBoatIntoTheNextPlace) {
  EventModel model = BoatList({"ALPHA", "SEA BIRD", "SEA"}, 2, /*race=*/2);
  model.SelectedEntry = 1;
  const EntryAddAnswer first = AddEntry(model);
  EXPECT_TRUE(first.refusal.isEmpty());
  ASSERT_TRUE(first.record.has_value());
  EXPECT_EQ(*first.record, ParseRmsLine(model.RmsLines[2]));
  EXPECT_EQ(model.EntryCount, 1);
  EXPECT_EQ(model.RaceEntryCount[2], 1);
  EXPECT_EQ(model.RaceEntryCount[1], 0);
  EXPECT_EQ(model.SelectedEntry, 0);
  EXPECT_EQ(model.EntryRecord[1], SyntheticRecord(2, "SEA BIRD"));  // byte for byte
  EXPECT_EQ(model.EntryName[1], QStringLiteral("SEA BIRD"));
  EXPECT_EQ(model.EntrySailNo[1], QStringLiteral("JPN-1002"));
  EXPECT_EQ(model.EntryClass[1], QStringLiteral("Tern 30"));
  EXPECT_TRUE(model.EntryGph[1].isEmpty());
  EXPECT_EQ(model.BoatStatus[2][1], QStringLiteral("OK"));

  // A name that merely begins like an entered one is another boat.
  model.SelectedRmsBoat = 3;
  EXPECT_TRUE(AddEntry(model).refusal.isEmpty());
  EXPECT_EQ(model.EntryCount, 2);
  EXPECT_EQ(model.RaceEntryCount[2], 2);
  EXPECT_EQ(model.EntryName[2], QStringLiteral("SEA"));
}

TEST(AddEntry, RefusalsLeaveTheEntriesAsTheyWere) {
  struct Case {
    const char* name;
    int picked;
    int maxEntries;  // the model's capacity, places 1 .. maxEntries-1
    QString refusal;
    bool recordCut;  // the picked boat's fields come back all the same
  };
  const Case cases[] = {
      {"no boat picked", 0, 20, QStringLiteral("艇が選択されていません"), false},
      {"a pick beyond the loaded boats", 4, 20, QStringLiteral("艇が選択されていません"), false},
      {"the same name again", 1, 20, QStringLiteral("この艇は既に登録済みです"), true},
      {"the entries full", 2, 2, QStringLiteral("エントリーできるのは1艇までです。これ以上登録できません"),
       true},
      // The name is tested before the room.
      {"the same name with the entries full", 1, 2, QStringLiteral("この艇は既に登録済みです"), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EventModel model = BoatList({"ALPHA", "BRAVO", "CHARLIE"}, 1);
    ASSERT_TRUE(AddEntry(model).refusal.isEmpty());  // ALPHA entered
    model.MaxEntries = c.maxEntries;                 // the tables stay larger; the count decides
    model.SelectedRmsBoat = c.picked;
    model.SelectedEntry = 1;
    const EntryTables before = TablesOf(model);

    const EntryAddAnswer answer = AddEntry(model);
    EXPECT_EQ(answer.refusal, c.refusal);
    EXPECT_EQ(answer.record.has_value(), c.recordCut);
    if (c.recordCut) {
      EXPECT_EQ(*answer.record, ParseRmsLine(model.RmsLines[c.picked]));
    }
    EXPECT_TRUE(TablesOf(model) == before);
  }
}

TEST(AddEntry, TheModelHoldsNineteenEntries) {
  std::vector<QByteArray> names;
  for (int k = 1; k <= 20; ++k) names.push_back("BOAT " + QByteArray::number(100 + k));
  EventModel model = BoatList(names, 0);
  for (int boat = 1; boat <= 19; ++boat) {
    model.SelectedRmsBoat = boat;
    ASSERT_TRUE(AddEntry(model).refusal.isEmpty()) << boat;
  }
  model.SelectedRmsBoat = 20;
  EXPECT_EQ(AddEntry(model).refusal,
            QStringLiteral("エントリーできるのは19艇までです。これ以上登録できません"));
  EXPECT_EQ(model.EntryCount, 19);
  EXPECT_EQ(model.RaceEntryCount[1], 19);
  EXPECT_EQ(model.EntryName[19], QStringLiteral("BOAT 119"));
}

// Three entries ALPHA, BRAVO, CHARLIE with data of their own in races 1
// and 2, on race 1.
EventModel ThreeEntries() {
  EventModel model = BoatList({"ALPHA", "BRAVO", "CHARLIE"}, 0);
  for (int boat = 1; boat <= 3; ++boat) {
    model.SelectedRmsBoat = boat;
    AddEntry(model);
    model.EntryGph[boat] = QStringLiteral("%1.0").arg(600 + boat);
    for (int race = 1; race <= 2; ++race) {
      model.BoatFinish[race][boat] = QStringLiteral("2017/07/01 12:0%1:00").arg(boat);
      model.BoatStatus[race][boat] = boat == 2 ? QStringLiteral("DNF") : QStringLiteral("ZFP");
      model.BoatPenalty[race][boat] = QString::number(10 * boat);
      model.BoatRemarks[race][boat] = QStringLiteral("remark %1").arg(boat);
      model.BoatFinished[race][boat] = 1;
      model.BoatElapsed[race][boat] = 9000.0f + static_cast<float>(boat);
      model.BoatCorrected[race][boat] = 8000.0f + static_cast<float>(boat);
      model.BoatElapsedPos[race][boat] = boat;
      model.BoatCorrectedPos[race][boat] = 4 - boat;
      model.BoatVector[race][boat] = QStringLiteral("vector %1").arg(boat);
    }
  }
  model.SelectedEntry = 2;
  return model;
}

// Whether place `place` of `model` holds everything that entry `boat` of
// `original` held.
void ExpectEntryAt(const EventModel& model, int place, const EventModel& original, int boat) {
  SCOPED_TRACE(testing::Message() << "place " << place << ", boat " << boat);
  EXPECT_EQ(model.EntryRecord[place], original.EntryRecord[boat]);
  EXPECT_EQ(model.EntryName[place], original.EntryName[boat]);
  EXPECT_EQ(model.EntrySailNo[place], original.EntrySailNo[boat]);
  EXPECT_EQ(model.EntryClass[place], original.EntryClass[boat]);
  EXPECT_EQ(model.EntryGph[place], original.EntryGph[boat]);
  for (int race = 1; race <= 2; ++race) {
    EXPECT_EQ(model.BoatFinish[race][place], original.BoatFinish[race][boat]);
    EXPECT_EQ(model.BoatStatus[race][place], original.BoatStatus[race][boat]);
    EXPECT_EQ(model.BoatPenalty[race][place], original.BoatPenalty[race][boat]);
    EXPECT_EQ(model.BoatRemarks[race][place], original.BoatRemarks[race][boat]);
    EXPECT_EQ(model.BoatFinished[race][place], original.BoatFinished[race][boat]);
    EXPECT_EQ(model.BoatElapsed[race][place], original.BoatElapsed[race][boat]);
    EXPECT_EQ(model.BoatCorrected[race][place], original.BoatCorrected[race][boat]);
    EXPECT_EQ(model.BoatElapsedPos[race][place], original.BoatElapsedPos[race][boat]);
    EXPECT_EQ(model.BoatCorrectedPos[race][place], original.BoatCorrectedPos[race][boat]);
    EXPECT_EQ(model.BoatVector[race][place], original.BoatVector[race][boat]);
  }
}

TEST(RemoveEntry, LaterEntriesMoveUpWithAllTheirDataAndTheLastPlaceStartsClean) {
  struct Case {
    int removed;
    std::vector<int> left;  // the boats in places 1 and 2 afterwards
  };
  const Case cases[] = {{1, {2, 3}}, {2, {1, 3}}, {3, {1, 2}}};
  const EventModel original = ThreeEntries();
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "removing entry " << c.removed);
    EventModel model = original;
    RemoveEntry(model, c.removed);
    EXPECT_EQ(model.EntryCount, 2);
    EXPECT_EQ(model.RaceEntryCount[1], 2);
    EXPECT_EQ(model.SelectedEntry, 0);
    for (int place = 1; place <= 2; ++place) ExpectEntryAt(model, place, original, c.left[place - 1]);

    EXPECT_TRUE(model.EntryRecord[3].isEmpty());
    EXPECT_TRUE(model.EntryName[3].isEmpty());
    EXPECT_TRUE(model.EntryGph[3].isEmpty());
    for (int race = 1; race <= 2; ++race) {
      EXPECT_TRUE(model.BoatFinish[race][3].isEmpty());
      EXPECT_EQ(model.BoatStatus[race][3], QStringLiteral("OK"));
      EXPECT_EQ(model.BoatPenalty[race][3], QStringLiteral("0"));
      EXPECT_TRUE(model.BoatRemarks[race][3].isEmpty());
      EXPECT_EQ(model.BoatFinished[race][3], 0);
      EXPECT_EQ(model.BoatElapsed[race][3], 0);
      EXPECT_EQ(model.BoatCorrected[race][3], 0);
      EXPECT_EQ(model.BoatElapsedPos[race][3], 0);
      EXPECT_EQ(model.BoatCorrectedPos[race][3], 0);
      EXPECT_TRUE(model.BoatVector[race][3].isEmpty());
    }
  }
}

}  // namespace
}  // namespace kivo
