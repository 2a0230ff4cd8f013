#pragma once
// Small machine services: beep, on-line check, temporary folder, clock.
#include <QDateTime>
#include <QString>

namespace platform {

class System {
 public:
  virtual ~System() = default;
  virtual void Beep() = 0;
  // Whether the machine has a network connection (a default route or an up,
  // non-loopback interface); sends no traffic.
  virtual bool IsInternetConnected() = 0;
  // The temporary folder, ending in "/": TempFolderFrom(TMPDIR).
  virtual QString TempPath() = 0;
  // The PC clock, local time.
  virtual QDateTime Now() = 0;
};

System& CurrentSystem();
void SetSystem(System* system);  // not owned; nullptr restores the real machine

}  // namespace platform

namespace platform {

// The temporary folder for the value of TMPDIR: that folder when it names
// one, else the system's ("/tmp"), so that a TMPDIR naming nothing never
// leads to the root; absolute and ending in "/".
QString TempFolderFrom(const QString& tmpdir);

// Whether the text of /proc/net/route holds a default route (destination
// 00000000) that is up.
bool HasDefaultRoute(const QString& routeTable);
// Whether an interface other than loopback is up and running.
bool HasActiveNetworkInterface();

}  // namespace platform
