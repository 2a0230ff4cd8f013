#pragma once
// Whole files: the one way the programs write a file and read one back.
//
// A write goes to a temporary file beside the target (".<name>.XXXXXX"),
// every byte and the final sync checked, then renamed over the target: a
// full disk, a killed program or a power cut leaves either the old file or
// the new one, never an empty or cut file. Qt's QSaveFile is not used: in
// Qt 6.4 its commit() reports success when the bytes still buffered fail to
// reach a full disk.
#include <optional>

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace platform {

// Replaces the file at `path` with `content`, or leaves it byte for byte as
// it was. A symbolic link at `path` keeps pointing at the file it names,
// which is replaced; the new file keeps the old one's permissions (a new
// file gets the process's default). On failure the temporary file is gone
// and `error` (when given) holds the system's reason.
bool WriteFileWhole(const QString& path, QByteArrayView content, QString* error = nullptr);

// The bytes of the regular file at `path`, at most `limit` of them. Opened
// without blocking, so a FIFO or a device named like a data file is refused
// at once; nullopt (reason in `error`) when the file cannot be opened, is no
// regular file, is larger than `limit` or cannot be read.
std::optional<QByteArray> ReadFileWhole(const QString& path, qint64 limit, QString* error = nullptr);

// Copies the regular file at `source` (at most `limit` bytes) to `target`
// with WriteFileWhole: `target` is replaced whole or left as it was.
bool CopyFileWhole(const QString& source, const QString& target, qint64 limit, QString* error = nullptr);

// Whether `name` (without folder) is a temporary file name as WriteFileWhole
// (and the scoring module's own writer) make it for a target of one of the
// given file extensions ("kivo", "xml", ...; compared without case).
bool IsLeftoverTemporaryName(const QString& name, const QStringList& extensions);

// Removes the leftover temporary files in `folder` (not below it) that a
// killed writer left: regular files of the current user whose names
// IsLeftoverTemporaryName takes. Returns the paths removed. Only call it
// where no other writer of the folder can be running.
QStringList RemoveLeftoverTemporaryFiles(const QString& folder, const QStringList& extensions);

}  // namespace platform
