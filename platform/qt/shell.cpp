#include "qt/shell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace platform {
namespace {

bool IsWebAddress(const QString& text) {
  return text.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
         text.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
}

// The desktop picks the program by the file's type (xdg-open underneath).
class DesktopShell : public Shell {
 public:
  bool OpenDocument(const QString& pathOrUrl) override {
    const QUrl url = IsWebAddress(pathOrUrl) ? QUrl(pathOrUrl) : QUrl::fromLocalFile(pathOrUrl);
    return QDesktopServices::openUrl(url);
  }
  bool OpenImage(const QString& path) override {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
  }
  bool OpenInTextEditor(const QString& path) override {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
  }
  bool StartProgram(const QString& path) override {
    return QProcess::startDetached(path, {});
  }
};

Shell* installed = nullptr;

}  // namespace

Shell& CurrentShell() {
  static DesktopShell desktopShell;
  return installed != nullptr ? *installed : desktopShell;
}

void SetShell(Shell* shell) { installed = shell; }

}  // namespace platform
