#include "core/logo_files.h"

#include <QDir>
#include <QFileInfo>

#include "core/rms_text.h"

namespace kivo {

bool IsLogoName(const QString& name) {
  return AnsiByteLength(name) > 2 && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1String(".."));
}

QString FindLogoFile(const QString& folder, const QString& name) {
  if (!IsLogoName(name)) return {};
  const QString exact = folder + QLatin1Char('/') + name;
  if (QFileInfo(exact).isFile()) return exact;
  const QDir dir(folder);
  const QStringList files = dir.entryList(QDir::Files | QDir::Hidden, QDir::Name);
  for (const QString& file : files)
    if (file.compare(name, Qt::CaseInsensitive) == 0) return dir.filePath(file);
  return {};
}

}  // namespace kivo
