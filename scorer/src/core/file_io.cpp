#include "core/file_io.h"

#include <optional>

#include "files/whole_file.h"

namespace kivo {

ScorerFileError::ScorerFileError(const QString& message, const QString& path)
    : std::runtime_error(message.toStdString()), path_(path) {}

void SaveFileWhole(const QString& path, const QByteArray& content, const QString& what) {
  QString reason;
  if (!platform::WriteFileWhole(path, content, &reason))
    throw ScorerFileError(QStringLiteral("%1を書き込めませんでした。\n%2\n%3").arg(what, path, reason), path);
}

ScorerFileError UnreadableFile(const QString& what, const QString& path, const QString& reason) {
  return ScorerFileError(QStringLiteral("%1を読み込めませんでした。\n%2\n%3").arg(what, path, reason), path);
}

QByteArray ReadFileWhole(const QString& path, const QString& what) {
  QString reason;
  std::optional<QByteArray> content = platform::ReadFileWhole(path, kLargestFileRead, &reason);
  if (!content) throw UnreadableFile(what, path, reason);
  return *std::move(content);
}

QString SaveNameBase(const QString& name) {
  const qsizetype dot = name.indexOf(QLatin1Char('.'));
  return dot < 0 ? name : name.left(dot);
}

}  // namespace kivo
