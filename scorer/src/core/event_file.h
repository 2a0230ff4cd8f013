#pragma once
// The event file (*.kivo in the race data folder): the event's own fields,
// its logos and lock, and per race its name, committee member, issued dates
// and the name of its race XML. CP932 text with CR LF, every attribute
// value escaped (tag_reader.h), written whole or not at all.
//
//   <event name="..." rms="..." classname="..." chiefjury="..." eventissued="..." logol="..." logom="..."
//   logor="..." locked="0"/> <races> <race name="..." xml="..." pointcoef="..." seacondx="-" windcondx="-"
//   jury="..." scratchissued="..." resultissued="..."/>
//   </races> </event>
#include <optional>

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QStringList>

#include "core/event_model.h"

namespace kivo {

// RaceDataFolder + "/" + the save name before its first "." + ".kivo".
QString EventFilePathFor(const EventModel& model);

// The files that a save under the model's SaveName would replace (the
// event file and the current race's XML) that exist and are none of
// `eventFiles`, the files of the event on screen (opened or written by it):
// another event's files, which one slip of the keyboard would overwrite.
QStringList FilesOfAnotherEvent(const EventModel& model, const QStringList& eventFiles);

// The whole event file as written: CP932 bytes, CR LF after every line.
// `rms` is the file name of RmsFile, `xml` that of each race's RaceXmlName;
// a logo name shorter than 3 bytes is written as "-"; one race line per race
// 1..RaceCount, each carrying the event's ScratchIssued and ResultIssued.
QByteArray EventFileText(const EventModel& model);

// Copies each logo found by FindLogoFile (logo_files.h) from LogoFolder to
// HtmlFolder under its stored name, leaving a file already there untouched;
// a copy that fails (no source, target present) is passed over silently.
void CopyEventLogos(const EventModel& model);

// EventFile := EventFilePathFor; writes EventFileText there whole; then the
// logo copies. Throws ScorerFileError (race_xml.h) naming the file when it
// cannot be written; the previous file is then unchanged. The beep and the
// message "データが保存されました" are the caller's.
void SaveEventFile(EventModel& model);

// Reads EventFile into the model: the lines decoded from CP932 and joined
// with no separator, cut into tags; EventName and RmsFile cleared, the
// logos "-", EntryCount 0, RaceName and RaceXmlName of races 1 to 5
// cleared; then the `event` tag's name, rms, logol, logom, logor, locked,
// classname, chiefjury, eventissued (in that order; an absent attribute
// reads "0"), and for the k-th `race` tag race k's name, xml, pointcoef,
// jury and the event's scratchissued and resultissued (the last race line
// wins); RmsFile := RmsFolder + "/" + the rms value.
// Throws ScorerFileError, whose message names the file and the reason in
// Japanese, when the file cannot be read, is no event file (its first tag
// no `event`, no `race` tag, or cut short before "</event>"), holds a
// `locked` that is no integer, or more races than the model has places
// for; what was read before stays.
void ReadEventFile(EventModel& model);

// Opens the event file at `path` into `model` (a model reset for a new
// event) in full: ReadEventFile, CurrentRace 1, RaceXmlFile := XmlFolder +
// "/" + race 1's RaceXmlName, and, when that file exists, ReadRaceResults;
// every text that showing the event reads is checked too (the issued
// dates, the race's start and limit, its course type). Throws
// ScorerFileError naming the event file or the race XML and the reason;
// a caller that opens into a copy of its model leaves its event untouched.
// Returns false when the race XML does not exist: the event's own fields
// are read, the race is not.
bool OpenEventFiles(EventModel& model, const QString& path, const QLocale& locale);

// What a save of the event writes, each text with the path it goes to.
struct EventSave {
  QString eventFile;
  QByteArray eventText;
  QString raceXmlFile;
  QByteArray raceXmlText;
  bool operator==(const EventSave&) const = default;
};

// What a save of `model` (the pages gathered into it) would write now: the
// race XML of the current race named from the save name, then the event
// file that names it. Throws EConvertError for a start that does not read.
EventSave EventSaveFor(EventModel model, const QLocale& locale);

// The message of the save-name field when it holds a character that file
// names built from it cannot carry.
QString ForbiddenSaveNameMessage();  // "この文字は使わないでください"

// One run of the save-name field's change handler (Edit3Change): nullopt
// when the text holds none of ".", ":", "_" and "&"; otherwise the text
// without its last character, which the handler sets after showing the
// message (setting it runs the handler again, until none is left: "a.b.c"
// gives the message four times and ends as "a").
std::optional<QString> SaveNameAfterCheck(const QString& text);

}  // namespace kivo
