#include "core/event_model.h"

#include <array>

namespace kivo {
namespace {

struct StatusCode {
  const char* code;
  const char* legend;
};

constexpr std::array<StatusCode, EventModel::StatusCodeCount> kStatusCodes = {{
    {"OK", ""},
    {"DNC", " DNC Did not start; did not come to the starting area"},
    {"DNS", " DNS Did not start (other than DNC and OCS)"},
    {"OCS",
     " OCS Did not start; on course side of starting line at her starting signal and failed to "
     "start, or broke rule 30.1"},
    {"ZFP", " ZFP 20% penalty under rule 30.2"},
    {"UFD", " UFD Disqualification under rule 30.3"},
    {"BFD", " BFD Disqualification under rule 30.4"},
    {"SCP", " SCP Scoring Penalty applied"},
    {"DNF", " DNF Did not finish"},
    {"RET", " RET Retired"},
    {"DSQ", " DSQ Disqualification"},
    {"DNE", " DNE Disqualification that is not excludable"},
    {"RDG", " RDG Redress given"},
    {"DPI", " DPI Discretionary penalty imposed"},
}};

constexpr std::array<const char*, CourseTypeCount> kCourseTypes = {
    "constructed course", "windward-leeward", "ocean course",
    "olympic triangle",   "circular random",  "non spinnaker",
};

template <class T>
void Allocate(Table<T>& table, int capacity) {
  table.assign(capacity, T{});
}

template <class T>
void Allocate(Table2<T>& table, int races, int second) {
  table.assign(races, Table<T>(second));
}

}  // namespace

void EventModel::AllocateEventArrays() {
  Allocate(RmsLines, MaxRmsLines);
  Allocate(HeaderNames, HeaderNameCapacity);
  Allocate(MissingItems, MissingItemCapacity + 1);
  Allocate(StatusCodes, StatusCodeCount + 1);

  for (auto* texts : {&EntryName, &EntrySailNo, &EntryClass, &EntryGph}) Allocate(*texts, MaxEntries);
  Allocate(EntryRecord, MaxEntries);
  Allocate(ResultOrder, MaxEntries);

  for (auto* texts :
       {&RaceName, &RaceStart, &RaceLimit, &RaceXmlName, &RacePointCoef, &RaceTypeText, &RaceJury})
    Allocate(*texts, MaxRaces);
  Allocate(CourseDistance, MaxRaces);
  for (auto* numbers : {&RaceEntryCount, &RaceFinishedCount, &RaceType, &RaceLegCount})
    Allocate(*numbers, MaxRaces);

  for (auto* legs : {&LegDistance, &LegCourse, &LegWindDirection, &LegWindSpeed})
    Allocate(*legs, MaxRaces, MaxLegs);

  for (auto* texts : {&BoatFinish, &BoatStatus, &BoatPenalty, &BoatRemarks, &BoatVector})
    Allocate(*texts, MaxRaces, MaxEntries);
  Allocate(BoatFinished, MaxRaces, MaxEntries);
  Allocate(BoatElapsed, MaxRaces, MaxEntries);
  Allocate(BoatCorrected, MaxRaces, MaxEntries);
  Allocate(BoatElapsedPos, MaxRaces, MaxEntries);
  Allocate(BoatCorrectedPos, MaxRaces, MaxEntries);
}

void EventModel::ResetEventData() {
  Locked = 0;
  for (int number = 1; number <= StatusCodeCount && number < StatusCodes.size(); ++number)
    StatusCodes[number] = StatusCodeAt(number);
  for (int race = 1; race < MaxRaces && race < BoatStatus.size(); ++race) {
    for (int entry = 1; entry < MaxEntries && entry < BoatStatus[race].size(); ++entry) {
      BoatStatus[race][entry] = QStringLiteral("OK");
      BoatFinished[race][entry] = 0;
      BoatPenalty[race][entry] = QStringLiteral("0");
      BoatFinish[race][entry].clear();
      BoatRemarks[race][entry].clear();
    }
    RaceEntryCount[race] = 0;
    RaceFinishedCount[race] = 0;
  }
  EntryCount = 0;
  if (CurrentRace >= 1 && CurrentRace < RaceName.size()) RaceName[CurrentRace].clear();
}

QString StatusCodeAt(int number) {
  if (number < 1 || number > EventModel::StatusCodeCount) return {};
  return QString::fromLatin1(kStatusCodes[static_cast<std::size_t>(number - 1)].code);
}

QString StatusLegendLine(int number) {
  if (number < 1 || number > EventModel::StatusCodeCount) return {};
  return QString::fromLatin1(kStatusCodes[static_cast<std::size_t>(number - 1)].legend);
}

QString StatusLegendText() {
  QString text = QStringLiteral("\n");
  for (int number = 2; number <= EventModel::StatusCodeCount; ++number) {
    if (number > 2) text += QLatin1Char('\n');
    text += StatusLegendLine(number);
  }
  return text;
}

QString CourseTypeText(int code) {
  if (code < 0 || code >= CourseTypeCount) return {};
  return QString::fromLatin1(kCourseTypes[static_cast<std::size_t>(code)]);
}

}  // namespace kivo
