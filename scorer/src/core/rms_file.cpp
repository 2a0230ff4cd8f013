#include "core/rms_file.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/rms_sort.h"
#include "core/rms_text.h"

namespace kivo {
namespace {

// The old end-of-file mark of text files.
constexpr char kEndOfFileMark = '\x1A';

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
    : std::runtime_error(
          QStringLiteral("cannot read the rating data file %1: %2").arg(path, reason).toStdString()),
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

void BlankControlBytes(QByteArray& line) {
  for (char& c : line)
    if (static_cast<unsigned char>(c) < 0x20 && c != '\t') c = ' ';
}

RmsLoad RmsLoadFromContent(const QByteArray& content, const QString& fileName) {
  RmsLoad load;
  load.fileRead = true;
  load.fileName = fileName;
  qsizetype end = content.size();
  while (end > 0 && content[end - 1] == kEndOfFileMark) --end;
  std::vector<QByteArray> fileLines = SplitRmsLines(content.first(end));
  for (QByteArray& line : fileLines) BlankControlBytes(line);
  if (!fileLines.empty()) load.headerLine = fileLines.front();

  std::vector<QByteArray> boatLines;
  QList<QByteArray> names;
  for (size_t k = 1; k < fileLines.size(); ++k) {
    QByteArray& line = fileLines[k];
    if (TrimmedBytes(line).isEmpty()) continue;
    if (!IsReadableRatingRecord(line)) {
      load.refused.push_back({int(k) + 1, DecodeAnsi(RmsBoatnameBytes(line))});
      continue;
    }
    names.append(RmsBoatnameBytes(line).toByteArray());
    boatLines.push_back(std::move(line));
  }
  if (boatLines.empty()) return load;
  // Cutting every record in file order leaves the last one as CurrentRecord.
  load.lastRecord = ParseRmsLine(boatLines.back());

  const std::vector<int> order = ExchangeSortOrder(names);
  load.lines.reserve(order.size());
  load.boatList.reserve(qsizetype(order.size()));
  for (int place : order) {
    load.lines.push_back(std::move(boatLines[size_t(place)]));
    load.boatList.append(DecodeAnsi(names[place]));
  }
  return load;
}

QString RefusedRmsLinesMessage(const RmsLoad& load) {
  if (load.refused.empty()) return {};
  constexpr size_t kNamedLines = 5;
  QString text = QStringLiteral(
                     "レーティングデータファイル「%1」の次の行は証書データとして読めないため、"
                     "艇の一覧に入れていません。\n")
                     .arg(load.fileName);
  for (size_t k = 0; k < load.refused.size() && k < kNamedLines; ++k) {
    const RefusedRmsLine& line = load.refused[k];
    const QString name = line.boatname.isEmpty() ? QStringLiteral("(艇名なし)") : line.boatname;
    text += QStringLiteral("\n    %1行目: %2").arg(line.lineNumber).arg(name);
  }
  if (load.refused.size() > kNamedLines)
    text += QStringLiteral("\n    ほか%1行").arg(load.refused.size() - kNamedLines);
  return text;
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

void StoreRmsLines(Table<QByteArray>& rmsLines, const std::vector<QByteArray>& lines) {
  const int count = static_cast<int>(lines.size());
  if (rmsLines.size() < count + 1) rmsLines.resize(count + 1);
  for (int k = 1; k < rmsLines.size(); ++k) rmsLines[k] = k <= count ? lines[k - 1] : QByteArray();
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
