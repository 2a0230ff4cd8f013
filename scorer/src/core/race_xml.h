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

// A file of the event (race XML, event file) that cannot be read or
// written, or that holds more than the model has places for. what() is the
// message to show; it names the file.
class ScorerFileError : public std::runtime_error {
 public:
  ScorerFileError(const QString& message, const QString& path);
  const QString& path() const { return path_; }

 private:
  QString path_;
};

// Writes `content` to `path` whole: into a temporary file beside it, then
// renamed into place, so a crash or a full disk leaves the previous file
// intact. Throws ScorerFileError "<what>を書き込めませんでした。" with the path
// and the reason on the next lines.
void SaveFileWhole(const QString& path, const QByteArray& content, const QString& what);

// The failure of reading the file at `path`: "<what>を読み込めませんでした。",
// the path and the reason on the next lines.
ScorerFileError UnreadableFile(const QString& what, const QString& path, const QString& reason);

// The bytes of the file at `path`. Throws UnreadableFile.
QByteArray ReadFileWhole(const QString& path, const QString& what);

// Bits of ResultsFlags after the read-back.
inline constexpr int kResultsHaveVectors = 1;    // some course vector text longer than 10
inline constexpr int kResultsHaveCorrected = 2;  // some corrected time above 0

// Every "-" turned into "/" and every "T" into one blank:
// "2017-05-01T12:34:56" gives "2017/05/01 12:34:56"; "0" stays "0".
QString IsoToLocalDateTime(const QString& text);

// Every "&" turned into "-". The byte form serves the certificate record: in
// CP932 the byte "&" is never part of a double-byte character.
QString ReplaceAmpersand(const QString& text);
QByteArray ReplaceAmpersand(QByteArrayView bytes);

// The base of a file name that the scorer derives from a name: the part
// before the first "." (the whole name when it has none).
QString SaveNameBase(const QString& name);

// The race XML's file name: the save name trimmed, cut before its first
// ".", then "_R", the race number and ".xml" ("cup.2017", 1: "cup_R1.xml").
QString RaceXmlNameFor(const QString& saveName, int raceNumber);

// Names the race XML of the current race from SaveName: RaceXmlName of
// CurrentRace := RaceXmlNameFor(SaveName, CurrentRace); RaceXmlFile :=
// XmlFolder + "/" + that name.
void NameRaceXml(EventModel& model);

// A date-time text of the pages read as the user's locale reads it: the
// scorer's own form ("yyyy/mm/dd HH:mm:ss" with the locale's or "/"
// separators, as the data check and the read-back leave it) and the
// locale's short date with its time forms (as the finish page writes a
// finish). The date's parts are in the locale's order unless the first has
// more than two digits (then year, month, day); a two-digit year is taken
// within the 100 years from 50 years ago; the time may carry seconds,
// milliseconds, an AM/PM marker and a time zone name (ignored); a date
// alone is its midnight. nullopt when the text is no date-time. The value
// is local time.
std::optional<QDateTime> ReadLocalDateTime(const QString& text, const QLocale& locale);
// The same, throwing EConvertError "'<text>' is not a valid date and time".
QDateTime LocalDateTimeOrThrow(const QString& text, const QLocale& locale);

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
