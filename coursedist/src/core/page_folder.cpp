#include "core/page_folder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <stdexcept>

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace drevlin {
namespace {

constexpr char kLockName[] = "owner.lock";

QByteArray Encoded(const QString& path) { return QFile::encodeName(path); }

// Opened without following a link and kept from the programs the process
// starts (the browser's helpers), which would otherwise hold the lock too.
int OpenLock(const QString& path, int flags) {
  return ::open(Encoded(path).constData(), flags | O_CLOEXEC | O_NOFOLLOW, 0600);
}

// The lock file is made locked under another name and then renamed, so that
// a start looking for stale folders never finds it unlocked while its
// program lives.
int MakeLock(const QString& folder) {
  const QString fresh = folder + QStringLiteral("/owner.new");
  const int lock = OpenLock(fresh, O_WRONLY | O_CREAT | O_EXCL);
  if (lock < 0) return -1;
  const QByteArray pid = QByteArray::number(static_cast<qint64>(::getpid())) + '\n';
  if (::flock(lock, LOCK_EX | LOCK_NB) != 0 || ::write(lock, pid.constData(), pid.size()) != pid.size() ||
      ::rename(Encoded(fresh).constData(),
               Encoded(folder + QLatin1Char('/') + QLatin1String(kLockName)).constData()) != 0) {
    ::close(lock);
    ::unlink(Encoded(fresh).constData());
    return -1;
  }
  return lock;
}

// Whether the open lock is still the file at `path`: a folder removed by a
// second start meanwhile, and a new one made under the same name, is not
// the one whose lock was taken.
bool IsStillAt(int lock, const QString& path) {
  struct stat open {};
  struct stat named {};
  return ::fstat(lock, &open) == 0 && ::lstat(Encoded(path).constData(), &named) == 0 &&
         open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

bool IsOwnFolder(const QString& path) {
  struct stat status {};
  return ::lstat(Encoded(path).constData(), &status) == 0 && S_ISDIR(status.st_mode) &&
         status.st_uid == ::geteuid();
}

}  // namespace

MapPageFolder::MapPageFolder(const QString& parent) : folder_(parent + QStringLiteral("drevlin-XXXXXX")) {
  if (!folder_.isValid()) {
    throw std::runtime_error(QStringLiteral("Cannot make a folder for the map page in %1: %2")
                                 .arg(parent, folder_.errorString())
                                 .toStdString());
  }
  lock_ = MakeLock(folder_.path());
}

MapPageFolder::~MapPageFolder() {
  folder_.remove();
  if (lock_ >= 0) ::close(lock_);
}

int RemoveStalePageFolders(const QString& parent) {
  static const QRegularExpression name(QStringLiteral("^drevlin-[A-Za-z0-9]{6}$"));
  const QDir folder(parent);
  int removed = 0;
  const QStringList entries =
      folder.entryList(QDir::Dirs | QDir::NoSymLinks | QDir::Hidden | QDir::NoDotAndDotDot);
  for (const QString& entry : entries) {
    const QString path = folder.filePath(entry);
    if (!name.match(entry).hasMatch() || !IsOwnFolder(path)) continue;
    const QString lockPath = path + QLatin1Char('/') + QLatin1String(kLockName);
    const int lock = OpenLock(lockPath, O_RDONLY);
    if (lock < 0) continue;
    // Taken: no program holds it any more. Kept while the folder goes, so
    // that a second start cleaning at the same time finds it held.
    if (::flock(lock, LOCK_EX | LOCK_NB) == 0 && IsStillAt(lock, lockPath) && QDir(path).removeRecursively())
      ++removed;
    ::close(lock);
  }
  return removed;
}

}  // namespace drevlin
