#include "core/rms_file.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/rms_sort.h"
#include "core/rms_text.h"

namespace kivo {
namespace {

// File dates count in steps of two seconds.
constexpr qint64 kFileDateStepMs = 2000;

qint64 FileDateMs(const QDateTime& time) {
  const qint64 ms = time.toMSecsSinceEpoch();
  const qint64 r = ms % kFileDateStepMs;
  return ms - (r < 0 ? r + kFileDateStepMs : r);
}

QDateTime NewestRmsThreshold() { return QDateTime(QDate(2000, 1, 1), QTime(10, 10, 10)); }

}  // namespace

RmsFileError::RmsFileError(const QString& path, const QString& reason)
    : std::runtime_error(QStringLiteral("cannot read the rating data file %1: %2").arg(path, reason).toStdString()),
      path_(path),
      message_(QStringLiteral("レーティングデータファイル「%1」を読み込めません。\n%2").arg(path, reason)) {}

QString FindNewestRms(const QString& folder) {
  QDir dir(folder);
  dir.setNameFilters({QStringLiteral("*.rms")});
  dir.setFilter(QDir::Files | QDir::Hidden | QDir::System);  // no CaseSensitive: any case
  dir.setSorting(QDir::Name | QDir::IgnoreCase);
  const qint64 threshold = NewestRmsThreshold().toMSecsSinceEpoch();
  qint64 best = threshold;
  QString result;
  for (const QFileInfo& file : dir.entryInfoList()) {
    if (!file.isFile()) continue;
    const QDateTime written = file.lastModified();
    if (!written.isValid()) continue;
    const qint64 time = FileDateMs(written);
    if (time > best) {
      best = time;
      result = file.fileName();
    }
  }
  return result;
}

std::optional<QString> RmsDateLabel(const QString& rmsFile, const QLocale& locale) {
  const QFileInfo file(rmsFile);
  if (file.fileName().isEmpty() || !file.isFile()) return std::nullopt;
  const QDateTime written = file.lastModified();
  if (!written.isValid()) return std::nullopt;
  return QStringLiteral("RMS作成日: ") + locale.toString(written.date(), QLocale::ShortFormat);
}

std::vector<QByteArray> SplitRmsLines(const QByteArray& content) {
  std::vector<QByteArray> lines;
  const char* data = content.constData();
  const qsizetype size = content.size();
  qsizetype start = 0;
  while (start < size) {
    qsizetype end = start;
    while (end < size && data[end] != '\r' && data[end] != '\n') ++end;
    lines.emplace_back(data + start, end - start);
    if (end < size && data[end] == '\r') {
      ++end;
      if (end < size && data[end] == '\n') ++end;
    } else if (end < size) {
      ++end;  // LF
    }
    start = end;
  }
  return lines;
}

RmsLoad RmsLoadFromContent(const QByteArray& content, const QString& fileName) {
  RmsLoad load;
  load.fileRead = true;
  load.fileName = fileName;
  std::vector<QByteArray> fileLines = SplitRmsLines(content);
  if (!fileLines.empty()) load.headerLine = fileLines.front();
  if (fileLines.size() <= 1) return load;

  QList<QByteArray> names;
  names.reserve(qsizetype(fileLines.size() - 1));
  for (size_t k = 1; k < fileLines.size(); ++k) names.append(RmsBoatnameBytes(fileLines[k]).toByteArray());
  // Cutting every record in file order leaves the last one as CurrentRecord.
  load.lastRecord = ParseRmsLine(fileLines.back());

  const std::vector<int> order = ExchangeSortOrder(names);
  load.lines.reserve(order.size());
  load.boatList.reserve(qsizetype(order.size()));
  for (int place : order) {
    load.lines.push_back(std::move(fileLines[size_t(place) + 1]));
    load.boatList.append(DecodeAnsi(names[place]));
  }
  return load;
}

RmsLoad LoadRmsFile(const QString& rmsFile) {
  const QFileInfo info(rmsFile);
  if (info.fileName().isEmpty()) return RmsLoad{};
  QFile file(rmsFile);
  if (!file.open(QIODevice::ReadOnly)) throw RmsFileError(rmsFile, file.errorString());
  const QByteArray content = file.readAll();
  if (file.error() != QFileDevice::NoError) throw RmsFileError(rmsFile, file.errorString());
  file.close();
  return RmsLoadFromContent(content, info.fileName());
}

void StoreRmsLines(std::vector<QByteArray>& rmsLines, const std::vector<QByteArray>& lines) {
  if (rmsLines.size() < lines.size() + 1) rmsLines.resize(lines.size() + 1);
  for (size_t k = 1; k < rmsLines.size(); ++k) rmsLines[k] = k <= lines.size() ? lines[k - 1] : QByteArray();
}

QString RmsOpenDialogFilter() { return QStringLiteral("RMS (*.rms)"); }

std::optional<QString> RmsFileFromDialog(const QString& chosenPath) {
  if (chosenPath.isEmpty()) return std::nullopt;
  return QFileInfo(chosenPath).absoluteFilePath();
}

bool DetailsPanelVisibleAfterClick(const QString& summaryText, bool visibleNow) {
  return summaryText.isEmpty() ? visibleNow : !visibleNow;
}

}  // namespace kivo
