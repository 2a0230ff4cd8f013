#include "core/file_io.h"

#include <QFile>
#include <QSaveFile>

namespace kivo {

ScorerFileError::ScorerFileError(const QString& message, const QString& path)
    : std::runtime_error(message.toStdString()), path_(path) {}

void SaveFileWhole(const QString& path, const QByteArray& content, const QString& what) {
  QSaveFile file(path);
  const auto fail = [&](const QString& reason) {
    throw ScorerFileError(QStringLiteral("%1を書き込めませんでした。\n%2\n%3").arg(what, path, reason), path);
  };
  if (!file.open(QIODevice::WriteOnly)) fail(file.errorString());
  if (file.write(content) != content.size()) {
    const QString reason = file.errorString();
    file.cancelWriting();
    fail(reason);
  }
  if (!file.commit()) fail(file.errorString());
}

ScorerFileError UnreadableFile(const QString& what, const QString& path, const QString& reason) {
  return ScorerFileError(QStringLiteral("%1を読み込めませんでした。\n%2\n%3").arg(what, path, reason), path);
}

QByteArray ReadFileWhole(const QString& path, const QString& what) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) throw UnreadableFile(what, path, file.errorString());
  QByteArray content = file.readAll();
  if (file.error() != QFileDevice::NoError) throw UnreadableFile(what, path, file.errorString());
  return content;
}

QString SaveNameBase(const QString& name) {
  const qsizetype dot = name.indexOf(QLatin1Char('.'));
  return dot < 0 ? name : name.left(dot);
}

}  // namespace kivo
