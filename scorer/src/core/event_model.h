#pragma once
// The scorer's whole state: one event with its races, entries and results,
// plus the paths, flags and settings that the pages and the sheets share.
//
// How to use it:
// - TForm1 owns one EventModel as its public member `Model`; every page
//   handler reads and writes `Model.EntryName[k]`, `Model.BoatStatus[r][k]`,
//   `Model.RaceName[Model.CurrentRace]` and so on.
// - Every table is 1-based: a table of capacity N is a Table of N places,
//   indexed by int, place 0 is never used, places 1 .. N-1 are usable.
//   Race-by-leg and race-by-entry tables are indexed [race][leg] and
//   [race][entry].
// - The tables are sized once by AllocateEventArrays (start of the program)
//   and never re-allocated; their elements start empty or 0.
// - Texts are QString. The raw rating data file lines (RmsLines,
//   EntryRecord) are QByteArray holding the bytes exactly as read (CP932);
//   cut them and count their bytes with platform/ansi.
// - 32-bit values stay float. Date-times that are computed with are
//   QDateTime; date-time texts are QString as the pages write them.
#include <cstdint>

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include "core/table.h"

namespace kivo {

// Readiness of the current race for the computation (set by the data check).
enum Readiness : int {
  kCannotCompute = 0,
  kScratchOnly = 1,
  kResultsAndScratch = 3,
};

struct EventModel {
  // Capacities, set before AllocateEventArrays.
  int MaxRaces = 10;                              // races 1 .. 9
  int MaxEntries = 20;                            // entries 1 .. 19
  int MaxLegs = 10;                               // legs 1 .. 9
  int MaxRmsLines = 150;                          // rating data lines 1 .. 149
  static constexpr int HeaderNameCapacity = 200;  // names 1 .. 199
  static constexpr int MissingItemCapacity = 30;  // items 1 .. 30
  static constexpr int StatusCodeCount = 14;      // codes 1 .. 14

  // Scalars.
  int RaceCount = 0;
  int CurrentRace = 0;
  int EntryCount = 0;
  int SelectedEntry = 0;
  int SelectedRmsBoat = 0;
  int RmsLineCount = 0;
  int ReadinessState = kCannotCompute;
  int ShowMissingDataBox = 0;
  int ResultsFlags = 0;
  int Locked = 0;
  int Provisional = 0;
  int Language = 0;
  int SheetKind = 0;
  int ClockCorrection = 0;   // seconds added to the PC clock
  QDateTime CorrectedClock;  // PC clock plus ClockCorrection
  int PageWidth = 0;         // size of the window for the shown page
  int PageHeight = 0;

  QString EventName, SaveName, Chairman, EventClass;
  QString EventIssued, ScratchIssued, ResultIssued;
  QString LogoLeft, LogoMiddle, LogoRight;  // file names in LogoFolder, "-" for none

  // Folder tree beside the program; ProgramFolder ends in "/", the others
  // do not.
  QString ProgramFolder, DataRoot, RmsFolder, RaceDataFolder, XmlFolder, LogoFolder, MscFolder, HelpFile,
      OutputFolder, HtmlFolder, PicturesFolder, CsvFolder;
  QString CourseProgramPath, LastDataFile;

  // Full paths of the current rating data file, race XML and event file.
  QString RmsFile, RaceXmlFile, EventFile;
  // Full paths of the sheets written last.
  QString ResultHtmlFile, ScratchHtmlFile, ResultCsvFile, ScratchCsvFile;

  int MissingCount = 0;
  Table<QString> MissingItems;  // 1 .. MissingItemCapacity
  Table<QString> StatusCodes;   // 1 .. 14, filled by the reset
  Table<QByteArray> RmsLines;   // 1 .. MaxRmsLines-1
  Table<QString> HeaderNames;   // 1 .. HeaderNameCapacity-1

  // Per entry.
  Table<QString> EntryName, EntrySailNo, EntryClass, EntryGph;
  Table<QByteArray> EntryRecord;  // the whole certificate record line
  Table<int> ResultOrder;         // place k: entry ranked k-th

  // Per race.
  Table<QString> RaceName, RaceStart, RaceLimit, RaceXmlName, RacePointCoef, RaceTypeText, RaceJury;
  Table<float> CourseDistance;  // nautical miles
  Table<int> RaceEntryCount, RaceFinishedCount, RaceType, RaceLegCount;

  // Race by leg (course type 0 only).
  Table2<float> LegDistance, LegCourse, LegWindDirection, LegWindSpeed;

  // Race by entry.
  Table2<QString> BoatFinish;   // empty: none; "-": a status other than OK
  Table2<QString> BoatStatus;   // "OK" ...
  Table2<QString> BoatPenalty;  // percent as text
  Table2<QString> BoatRemarks;
  Table2<std::uint8_t> BoatFinished;
  Table2<float> BoatElapsed, BoatCorrected;  // seconds
  Table2<int> BoatElapsedPos, BoatCorrectedPos;
  Table2<QString> BoatVector;  // the course curve's allowances as read back

  // Sizes every table by the capacities, with empty or zero elements.
  void AllocateEventArrays();

  // The event data that a new event starts from (the model's part of
  // ResetEventForm): unlocked; the status codes; every boat "OK", not
  // finished, penalty "0", no finish and no remarks; no entries; the
  // current race unnamed.
  void ResetEventData();
};

// The status codes in list order (1-based: StatusCodeAt(1) is "OK").
QString StatusCodeAt(int number);
// The legend line of a status code, empty for "OK" (1-based like above).
QString StatusLegendLine(int number);
// The legend text: a line break, then the lines of "DNC" to "DPI" joined by
// line breaks, no line break after the last.
QString StatusLegendText();

// Course types in list order; the index is the course type code 0 .. 5.
inline constexpr int CourseTypeCount = 6;
QString CourseTypeText(int code);

}  // namespace kivo
