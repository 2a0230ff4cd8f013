#pragma once
// The last-data memory file: one CP932 line with the current rating data
// file's name, a comma and the clock correction in seconds, ended by CR LF
// (e.g. "race2017.rms,-30").
#include <optional>

#include <QByteArray>
#include <QString>

namespace kivo {

struct LastData {
  QString RmsName;  // file name without folder; may be empty
  int ClockCorrection = 0;
};

// The first line of a file's bytes, without its line end (CR, LF or CR LF).
QByteArray FirstLine(const QByteArray& content);

// Blanks and control characters (every byte up to 0x20) removed at both ends.
QByteArray TrimBlanksAndControls(const QByteArray& text);

// Reads a memory file line. A line of 5 bytes or fewer is ignored (nullopt).
// A correction that is not a whole number, or a line without a comma (which
// is then taken as the name alone), gives the correction 0.
std::optional<LastData> ParseLastDataLine(const QByteArray& line);

// The file's whole content: name, ",", correction in decimal, CR LF, in CP932.
QByteArray FormatLastDataFile(const QString& rmsName, int clockCorrection);

}  // namespace kivo
