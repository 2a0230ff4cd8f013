#pragma once
// The rules of the entries page: adding the boat picked in the boat list to
// the event as a new entry, and taking an entry out again.
#include <optional>

#include <QString>

#include "core/event_model.h"
#include "core/rms_record.h"

namespace kivo {

// What an add did.
struct EntryAddAnswer {
  // The fields cut from the picked boat's line, which the form keeps as its
  // current record; none when no boat was picked.
  std::optional<CurrentRecord> record;
  // The message that refused the add; empty when the boat was added.
  QString refusal;
};

// Adds the boat `model.SelectedRmsBoat` of the boat list as entry
// EntryCount + 1: its whole line and its name, class and sail number, the
// new count also as the current race's RaceEntryCount, and no entry left
// selected. Refused, with the model unchanged, when no boat is picked
// ("艇が選択されていません"), when an entry has the same boat name, compared
// whole ("この艇は既に登録済みです"), or when the entries are full
// ("エントリーできるのは19艇までです。これ以上登録できません").
EntryAddAnswer AddEntry(EventModel& model);

// Takes entry `entry` (1 .. EntryCount) out: every later entry moves up one
// place with its record, identity and, in every race, its finish, status,
// penalty, remarks and results; the place left free at the end is emptied
// as a new event leaves it (status "OK", penalty "0"). EntryCount and the
// current race's RaceEntryCount count one less; no entry is left selected.
void RemoveEntry(EventModel& model, int entry);

}  // namespace kivo
