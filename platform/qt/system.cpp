#include "qt/system.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkInterface>

namespace platform {

bool HasDefaultRoute(const QString& routeTable) {
  const QStringList lines = routeTable.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  for (const QString& line : lines) {
    // Iface Destination Gateway Flags RefCnt Use Metric Mask ...
    const QStringList fields = line.simplified().split(QLatin1Char(' '));
    if (fields.size() < 4 || fields[0] == QLatin1String("Iface")) continue;
    bool ok = false;
    const unsigned flags = fields[3].toUInt(&ok, 16);
    constexpr unsigned kRouteUp = 0x0001;
    if (fields[1] == QLatin1String("00000000") && ok && (flags & kRouteUp) != 0) return true;
  }
  return false;
}

QString TempFolderFrom(const QString& tmpdir) {
  QString path = QStringLiteral("/tmp");
  if (!tmpdir.isEmpty() && QFileInfo(tmpdir).isDir())
    path = QDir::cleanPath(QFileInfo(tmpdir).absoluteFilePath());
  if (!path.endsWith(QLatin1Char('/'))) path += QLatin1Char('/');
  return path;
}

bool HasActiveNetworkInterface() {
  const auto interfaces = QNetworkInterface::allInterfaces();
  for (const QNetworkInterface& interface : interfaces) {
    const auto flags = interface.flags();
    if (flags.testFlag(QNetworkInterface::IsUp) && flags.testFlag(QNetworkInterface::IsRunning) &&
        !flags.testFlag(QNetworkInterface::IsLoopBack))
      return true;
  }
  return false;
}

namespace {

class RealSystem : public System {
 public:
  void Beep() override { QApplication::beep(); }
  bool IsInternetConnected() override {
    QFile routes(QStringLiteral("/proc/net/route"));
    if (routes.open(QIODevice::ReadOnly | QIODevice::Text) &&
        HasDefaultRoute(QString::fromLatin1(routes.readAll())))
      return true;
    return HasActiveNetworkInterface();
  }
  QString TempPath() override { return TempFolderFrom(qEnvironmentVariable("TMPDIR")); }
  QDateTime Now() override { return QDateTime::currentDateTime(); }
};

System* installed = nullptr;

}  // namespace

System& CurrentSystem() {
  static RealSystem realSystem;
  return installed != nullptr ? *installed : realSystem;
}

void SetSystem(System* system) { installed = system; }

}  // namespace platform
