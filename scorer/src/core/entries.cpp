#include "core/entries.h"

#include <cstddef>
#include <utility>

#include <QByteArray>

namespace kivo {

namespace {

// Entry `from` takes over everything of entry `to`'s place: its record and
// identity, and in every race its finish, status, penalty, remarks and
// results.
void MoveEntry(EventModel& model, int from, int to) {
  model.EntryRecord[to] = std::move(model.EntryRecord[from]);
  model.EntryName[to] = std::move(model.EntryName[from]);
  model.EntrySailNo[to] = std::move(model.EntrySailNo[from]);
  model.EntryClass[to] = std::move(model.EntryClass[from]);
  model.EntryGph[to] = std::move(model.EntryGph[from]);
  for (int race = 1; race < model.BoatFinish.size(); ++race) {
    model.BoatFinish[race][to] = std::move(model.BoatFinish[race][from]);
    model.BoatStatus[race][to] = std::move(model.BoatStatus[race][from]);
    model.BoatPenalty[race][to] = std::move(model.BoatPenalty[race][from]);
    model.BoatRemarks[race][to] = std::move(model.BoatRemarks[race][from]);
    model.BoatFinished[race][to] = model.BoatFinished[race][from];
    model.BoatElapsed[race][to] = model.BoatElapsed[race][from];
    model.BoatCorrected[race][to] = model.BoatCorrected[race][from];
    model.BoatElapsedPos[race][to] = model.BoatElapsedPos[race][from];
    model.BoatCorrectedPos[race][to] = model.BoatCorrectedPos[race][from];
    model.BoatVector[race][to] = std::move(model.BoatVector[race][from]);
  }
}

// An entry place as a new event leaves it: no record, status "OK", penalty
// "0", nothing finished, so that the next boat added there starts clean.
void EmptyEntry(EventModel& model, int place) {
  model.EntryRecord[place].clear();
  model.EntryName[place].clear();
  model.EntrySailNo[place].clear();
  model.EntryClass[place].clear();
  model.EntryGph[place].clear();
  for (int race = 1; race < model.BoatFinish.size(); ++race) {
    model.BoatFinish[race][place].clear();
    model.BoatStatus[race][place] = QStringLiteral("OK");
    model.BoatPenalty[race][place] = QStringLiteral("0");
    model.BoatRemarks[race][place].clear();
    model.BoatFinished[race][place] = 0;
    model.BoatElapsed[race][place] = 0;
    model.BoatCorrected[race][place] = 0;
    model.BoatElapsedPos[race][place] = 0;
    model.BoatCorrectedPos[race][place] = 0;
    model.BoatVector[race][place].clear();
  }
}

}  // namespace

EntryAddAnswer AddEntry(EventModel& model) {
  EntryAddAnswer answer;
  const int boat = model.SelectedRmsBoat;
  if (boat <= 0 || boat > model.RmsLineCount) {
    answer.refusal = QStringLiteral("艇が選択されていません");
    return answer;
  }
  const QByteArray& line = model.RmsLines[boat];
  const CurrentRecord& record = answer.record.emplace(ParseRmsLine(line));
  for (int entry = 1; entry <= model.EntryCount; ++entry) {
    if (model.EntryName[entry] == record.Boatname) {
      answer.refusal = QStringLiteral("この艇は既に登録済みです");
      return answer;
    }
  }
  const int capacity = model.MaxEntries - 1;
  if (model.EntryCount >= capacity) {
    answer.refusal = QStringLiteral("エントリーできるのは%1艇までです。これ以上登録できません").arg(capacity);
    return answer;
  }

  const int place = ++model.EntryCount;
  model.EntryRecord[place] = line;
  model.EntryName[place] = record.Boatname;
  model.EntryClass[place] = record.YachtClass;
  model.EntrySailNo[place] = record.SailNumber;
  model.RaceEntryCount[model.CurrentRace] = model.EntryCount;
  model.SelectedEntry = 0;
  return answer;
}

void RemoveEntry(EventModel& model, int entry) {
  const int last = model.EntryCount;
  for (int place = entry; place < last; ++place) MoveEntry(model, place + 1, place);
  EmptyEntry(model, last);
  model.EntryCount -= 1;
  model.RaceEntryCount[model.CurrentRace] = model.EntryCount;
  model.SelectedEntry = 0;
}

}  // namespace kivo
