#pragma once
// The folder that holds the map page while the program runs: made in the
// temporary folder for this process alone, and found again at a later start
// when the program that made it ended without removing it (killed, crashed,
// the machine switched off).
//
// Which run a folder belongs to is told by a lock: the folder holds a file
// "owner.lock" (with the process id, for people) that its program keeps
// locked with flock() for as long as it lives. The system drops the lock
// when the process ends in whatever way, so a lock that can be taken means
// the program is gone; unlike a process id it cannot be mistaken for another
// program that got the same number later.
#include <QString>
#include <QTemporaryDir>

namespace drevlin {

class MapPageFolder {
 public:
  // Makes "drevlin-XXXXXX" in `parent` (ending in "/"), readable by the user
  // alone, and holds its lock for the life of this object. Throws
  // std::runtime_error "Cannot make a folder for the map page in <parent>:
  // <why>". A folder that cannot be locked is still made; a later start then
  // leaves it alone.
  explicit MapPageFolder(const QString& parent);
  // Removes the folder with everything in it, then lets the lock go.
  ~MapPageFolder();
  MapPageFolder(const MapPageFolder&) = delete;
  MapPageFolder& operator=(const MapPageFolder&) = delete;

  // The folder, without a trailing "/".
  QString Path() const { return folder_.path(); }

 private:
  QTemporaryDir folder_;
  int lock_ = -1;
};

// Removes from `parent` the page folders whose program has ended: folders
// (not links) named "drevlin-" and six letters or digits, owned by this user,
// whose "owner.lock" no running program holds. Anything else stays: other
// users' folders, folders without the lock file, other names. Returns how
// many went.
int RemoveStalePageFolders(const QString& parent);

}  // namespace drevlin
