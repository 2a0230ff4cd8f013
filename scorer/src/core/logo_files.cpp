#include "core/logo_files.h"

#include <QDir>
#include <QFile>
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

namespace {

bool SameBytes(const QString& a, const QString& b) {
  QFile first(a), second(b);
  if (!first.open(QIODevice::ReadOnly) || !second.open(QIODevice::ReadOnly)) return false;
  if (first.size() != second.size()) return false;
  return first.readAll() == second.readAll();
}

}  // namespace

LogoIntake LogoIntakeFor(const QString& folder, const QString& name, const QString& source) {
  const QString there = FindLogoFile(folder, name);
  if (there.isEmpty()) return {LogoIntake::Need::Copy, folder + QLatin1Char('/') + name};
  const QString sourceFile = QFileInfo(source).canonicalFilePath();
  if (!sourceFile.isEmpty() && sourceFile == QFileInfo(there).canonicalFilePath()) return {};
  if (SameBytes(source, there)) return {};
  return {LogoIntake::Need::Replace, there};
}

}  // namespace kivo
