#pragma once
// The scorer's files read and written whole, with the messages that name them.
#include <stdexcept>

#include <QByteArray>
#include <QString>

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

// Writes `content` to `path` whole (platform::WriteFileWhole): a crash, a
// full disk or a power cut leaves the previous file intact. Throws ScorerFileError
// "<what>を書き込めませんでした。" with the path and the reason on the next lines.
void SaveFileWhole(const QString& path, const QByteArray& content, const QString& what);

// The failure of reading the file at `path`: "<what>を読み込めませんでした。",
// the path and the reason on the next lines.
ScorerFileError UnreadableFile(const QString& what, const QString& path, const QString& reason);

// Far above any event file, race XML or sheet the scorer writes, and far
// below what would strain the machine's memory.
inline constexpr qint64 kLargestFileRead = 64 * 1024 * 1024;

// The bytes of the regular file at `path`, at most kLargestFileRead. A FIFO
// or a device is refused without waiting. Throws UnreadableFile.
QByteArray ReadFileWhole(const QString& path, const QString& what);

// The base of a file name that the scorer derives from a name: the part
// before the first "." (the whole name when it has none).
QString SaveNameBase(const QString& name);

}  // namespace kivo
