#pragma once
// The scorer's side of the race XML file: its name from the save name, the
// writer over the event model, and the read-back of the file after the
// module has rewritten it (or when an event is opened).
//
// The file is UTF-8 with CR LF, one element per line, every attribute value
// escaped (tag_reader.h). It is written whole to a temporary file and
// renamed into place, so a failed save leaves the previous file as it was.
#include <optional>
#include <stdexcept>

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QLocale>
#include <QString>

#include "core/event_model.h"
#include "locale/user_locale.h"

namespace kivo {

// Bits of ResultsFlags after the read-back.
inline constexpr int kResultsHaveVectors = 1;    // some course vector text longer than 10
inline constexpr int kResultsHaveCorrected = 2;  // some corrected time above 0

// Every "&" turned into "-". The byte form serves the certificate record: in
// CP932 the byte "&" is never part of a double-byte character.
QString ReplaceAmpersand(const QString& text);
QByteArray ReplaceAmpersand(QByteArrayView bytes);

// The race XML's file name: the save name trimmed, cut before its first
// ".", then "_R", the race number and ".xml" ("cup.2017", 1: "cup_R1.xml").
QString RaceXmlNameFor(const QString& saveName, int raceNumber);

// Names the race XML of the current race from SaveName: RaceXmlName of
// CurrentRace := RaceXmlNameFor(SaveName, CurrentRace); RaceXmlFile :=
// XmlFolder + "/" + that name.
void NameRaceXml(EventModel& model);

// The whole race XML of the current race as written: UTF-8 bytes, every
// line ended by CR LF, no declaration, no byte-order mark. Lines: the race
// start tag (start, distance, type, name, limit); for course type 0
// "<legs>", one leg per leg 1..RaceLegCount (distance, course,
// windDirection, windSpeed) and "</legs>"; "<boats>"; one boat per entry
// 1..RaceEntryCount (finish, correctedSeconds, impliedWind, velocity,
// constructedCourseVector, rms, abbr, rmks, pnlty); "</boats>"; "</race>".
// `start` is RaceStart read by ReadLocalDateTime with `locale` (a text that
// does not read throws EConvertError); a finish longer than 10 characters
// that reads is written like it, any other "0". Numbers are FloatText with
// ".". `rms` is EntryRecord with "&" turned into "-", decoded from CP932
// (each undecodable byte one "?"), so that the module, encoding it back,
// finds every column at its byte position. A character that XML 1.0 does
// not allow (a control byte of a record, 0x1A) is written as a blank.
QByteArray RaceXmlText(const EventModel& model, const QLocale& locale = platform::UserLocale());

// Writes RaceXmlText to RaceXmlFile, whole or not at all. Throws
// EConvertError (start) or ScorerFileError (the file cannot be written);
// the file on disk is then unchanged.
void WriteRaceXml(const EventModel& model, const QLocale& locale = platform::UserLocale());

// Throws UnreadableFile naming the race XML at `path` when it cannot be
// read or is no whole race XML: no `race` element, or a file cut short
// before its end tag.
void CheckRaceXmlWhole(const QString& path);

// Reads RaceXmlFile back into race 1 of the model: ResultsFlags and the
// current race's RaceFinishedCount := 0; a missing file ends it there.
// Otherwise the race's name, start (IsoToLocalDateTime), limit, distance
// and type; the legs in file order; each boat's record (EntryRecord, as
// CP932 bytes), finish, corrected seconds, course vector, status, remarks,
// penalty and the entry's name, sail number, class and GPH cut from the
// record; then RaceLegCount, RaceEntryCount, EntryCount and ResultsFlags.
// A boat counts as finished when its finish text is longer than 5
// characters or its abbr is not exactly "OK".
// Throws EConvertError for a number or type that does not convert: the
// read stops at that tag and the model keeps what was read before it (the
// counts of legs and boats are set only at the end). Throws
// ScorerFileError when the file exists but cannot be read, or holds more
// legs or boats than the model has places for (stopping at the first one
// beyond).
void ReadRaceResults(EventModel& model);

}  // namespace kivo
