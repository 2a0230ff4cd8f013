#pragma once
// Event models to start a test, benchmark or fuzz target from: the tables
// sized as the program sizes them, one race, and boats entered in it.
#include <QByteArray>
#include <QString>

#include "core/event_model.h"

namespace kivo::fixtures {

// Every table sized by the program's capacities and nothing filled in: the
// model that a reader fills from a file.
inline EventModel EmptyModel() {
  EventModel model;
  model.AllocateEventArrays();
  return model;
}

// An empty model with race 1 as the current and only race, as the program
// sets it at start (a new event's data, every boat "OK", is left to
// ResetEventData); with room for `boats` entries where the program's
// capacity has less.
inline EventModel OneRaceModel(int boats = 0) {
  EventModel model;
  if (boats >= model.MaxEntries) model.MaxEntries = boats + 1;
  model.AllocateEventArrays();
  model.RaceCount = 1;
  model.CurrentRace = 1;
  return model;
}

// One boat of race 1 as the pages leave it: what the entries page copies
// from the rating data file and what the finish page decides. Every member
// has its initializer, so that a boat is written with the few it needs
// ({.name = ..., .finish = ...}).
struct Boat {
  QString name{}, sailNo{}, yachtClass{}, gph{};
  QByteArray record{};  // the certificate record, CP932 bytes
  QString finish{};     // empty: none
  QString status = QStringLiteral("OK");
  QString penalty = QStringLiteral("0");
  QString remarks{};
};

// Enters `boat` in race 1 as the next entry, counting it in the event and
// the race; returns its entry number.
inline int EnterBoat(EventModel& model, const Boat& boat) {
  const int entry = ++model.EntryCount;
  model.RaceEntryCount[1] = entry;
  model.EntryName[entry] = boat.name;
  model.EntrySailNo[entry] = boat.sailNo;
  model.EntryClass[entry] = boat.yachtClass;
  model.EntryGph[entry] = boat.gph;
  model.EntryRecord[entry] = boat.record;
  model.BoatFinish[1][entry] = boat.finish;
  model.BoatStatus[1][entry] = boat.status;
  model.BoatPenalty[1][entry] = boat.penalty;
  model.BoatRemarks[1][entry] = boat.remarks;
  return entry;
}

}  // namespace kivo::fixtures
