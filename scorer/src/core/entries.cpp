#include "core/entries.h"

#include <cstddef>

#include <QByteArray>

namespace kivo {

EntryAddAnswer AddEntry(EventModel& model) {
  EntryAddAnswer answer;
  const int boat = model.SelectedRmsBoat;
  if (boat <= 0 || boat > model.RmsLineCount) {
    answer.refusal = QStringLiteral("艇が選択されていません");
    return answer;
  }
  const QByteArray& line = model.RmsLines[static_cast<std::size_t>(boat)];
  const CurrentRecord& record = answer.record.emplace(ParseRmsLine(line));
  for (int entry = 1; entry <= model.EntryCount; ++entry) {
    if (model.EntryName[static_cast<std::size_t>(entry)] == record.Boatname) {
      answer.refusal = QStringLiteral("この艇は既に登録済みです");
      return answer;
    }
  }
  const int capacity = model.MaxEntries - 1;
  if (model.EntryCount >= capacity) {
    answer.refusal = QStringLiteral("エントリーできるのは%1艇までです。これ以上登録できません").arg(capacity);
    return answer;
  }

  const int count = ++model.EntryCount;
  const auto place = static_cast<std::size_t>(count);
  model.EntryRecord[place] = line;
  model.EntryName[place] = record.Boatname;
  model.EntryClass[place] = record.YachtClass;
  model.EntrySailNo[place] = record.SailNumber;
  model.RaceEntryCount[static_cast<std::size_t>(model.CurrentRace)] = count;
  model.SelectedEntry = 0;
  return answer;
}

}  // namespace kivo
