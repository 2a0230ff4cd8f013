#include "files/whole_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

void SetError(QString* error, const QString& reason) {
  if (error != nullptr) *error = reason;
}

QString SystemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// The process's file creation mask, read without changing it (umask() would
// change it for every thread for a moment).
mode_t CurrentUmask() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (status.open(QIODevice::ReadOnly)) {
    for (const QByteArray& line : status.readAll().split('\n')) {
      if (line.startsWith("Umask:")) {
        bool ok = false;
        const uint mask = line.mid(6).trimmed().toUInt(&ok, 8);
        if (ok) return static_cast<mode_t>(mask);
      }
    }
  }
  return 022;
}

// Every byte of `content` to `fd`, then to the disk. 0 or the errno.
int WriteAndSync(int fd, QByteArrayView content) {
  const char* next = content.data();
  qsizetype left = content.size();
  while (left > 0) {
    const ssize_t written = ::write(fd, next, static_cast<size_t>(left));
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    next += written;
    left -= written;
  }
  return ::fsync(fd) == 0 ? 0 : errno;
}

// Makes the rename itself durable. The new file is complete either way, so
// a folder that cannot be synced is not a failure of the write.
void SyncFolder(const QByteArray& folder) {
  const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

bool WriteFileWhole(const QString& path, QByteArrayView content, QString* error) {
  QByteArray target = QFile::encodeName(path);
  if (char* resolved = ::realpath(target.constData(), nullptr)) {
    target = resolved;
    std::free(resolved);
  }
  const qsizetype slash = target.lastIndexOf('/');
  const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : target.left(slash);
  const QByteArray name = slash < 0 ? target : target.mid(slash + 1);
  QByteArray temporary = folder + (folder.endsWith('/') ? "" : "/") + "." + name + ".XXXXXX";

  struct stat original {};
  const bool replacing = ::stat(target.constData(), &original) == 0;
  if (replacing && !S_ISREG(original.st_mode)) {
    SetError(error, SystemReason(S_ISDIR(original.st_mode) ? EISDIR : EINVAL));
    return false;
  }

  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) {
    SetError(error, SystemReason(errno));
    return false;
  }
  const mode_t mode = replacing ? (original.st_mode & 07777) : (0666 & ~CurrentUmask());
  int failure = ::fchmod(fd, mode) == 0 ? 0 : errno;
  if (failure == 0) failure = WriteAndSync(fd, content);
  if (::close(fd) != 0 && failure == 0) failure = errno;
  if (failure == 0 && ::rename(temporary.constData(), target.constData()) != 0) failure = errno;
  if (failure != 0) {
    ::unlink(temporary.constData());
    SetError(error, SystemReason(failure));
    return false;
  }
  SyncFolder(folder);
  return true;
}

std::optional<QByteArray> ReadFileWhole(const QString& path, qint64 limit, QString* error) {
  const QByteArray name = QFile::encodeName(path);
  const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    SetError(error, SystemReason(errno));
    return std::nullopt;
  }
  const auto fail = [&](const QString& reason) -> std::optional<QByteArray> {
    ::close(fd);
    SetError(error, reason);
    return std::nullopt;
  };
  struct stat info {};
  if (::fstat(fd, &info) != 0) return fail(SystemReason(errno));
  if (!S_ISREG(info.st_mode))
    return fail(S_ISDIR(info.st_mode) ? SystemReason(EISDIR) : QStringLiteral("Not a regular file"));
  if (info.st_size > limit) return fail(SystemReason(EFBIG));

  QByteArray content;
  content.reserve(static_cast<qsizetype>(info.st_size));
  // The file may grow while it is read: never past the limit.
  char chunk[65536];
  for (;;) {
    const ssize_t got = ::read(fd, chunk, sizeof chunk);
    if (got < 0) {
      if (errno == EINTR) continue;
      return fail(SystemReason(errno));
    }
    if (got == 0) break;
    if (content.size() + got > limit) return fail(SystemReason(EFBIG));
    content.append(chunk, static_cast<qsizetype>(got));
  }
  ::close(fd);
  return content;
}

bool CopyFileWhole(const QString& source, const QString& target, qint64 limit, QString* error) {
  const std::optional<QByteArray> content = ReadFileWhole(source, limit, error);
  return content && WriteFileWhole(target, *content, error);
}

bool IsLeftoverTemporaryName(const QString& name, const QStringList& extensions) {
  static const QRegularExpression pattern(QStringLiteral("^\\.(.+)\\.[A-Za-z0-9]{6}$"));
  const QRegularExpressionMatch match = pattern.match(name);
  if (!match.hasMatch()) return false;
  const QString target = match.captured(1);
  for (const QString& extension : extensions)
    if (target.endsWith(QLatin1Char('.') + extension, Qt::CaseInsensitive) &&
        target.size() > extension.size() + 1)
      return true;
  return false;
}

QStringList RemoveLeftoverTemporaryFiles(const QString& folder, const QStringList& extensions) {
  QStringList removed;
  const QDir dir(folder);
  const QFileInfoList entries =
      dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
  for (const QFileInfo& entry : entries) {
    if (!IsLeftoverTemporaryName(entry.fileName(), extensions)) continue;
    struct stat info {};
    const QByteArray name = QFile::encodeName(entry.absoluteFilePath());
    if (::lstat(name.constData(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid())
      continue;
    if (::unlink(name.constData()) == 0) removed.append(entry.absoluteFilePath());
  }
  return removed;
}

}  // namespace platform
