#pragma once
// The rating data file: which one is current, and what a load of it puts
// into the model and the entry page (boat list, file name, count, date).
#include <optional>
#include <stdexcept>
#include <vector>

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QStringList>

#include "core/rms_record.h"
#include "core/table.h"
#include "locale/user_locale.h"

namespace kivo {

// A rating data file that cannot be opened or read. message() is the text to
// show the user; it names the file.
class RmsFileError : public std::runtime_error {
 public:
  RmsFileError(const QString& path, const QString& reason);
  const QString& path() const { return path_; }
  const QString& message() const { return message_; }

 private:
  QString path_;
  QString message_;
};

// The name (without folder) of the rating data file ("*.rms", any case,
// hidden files too) in `folder` last written after 2000-01-01 10:10:10 local
// time, comparing last-write times at the 2-second resolution of a file
// date; of equal times the name first in case-blind name order wins. Empty
// when there is none or the folder cannot be listed.
QString FindNewestRms(const QString& folder);

// The text of the date label (Label21): "RMS作成日: " and the date of the
// file's last write in the short date form of `locale`. nullopt when the
// file has no date (it does not exist, or `rmsFile` names no file): the
// label is then hidden.
std::optional<QString> RmsDateLabel(const QString& rmsFile, const QLocale& locale = platform::UserLocale());

// The lines of a text file's bytes, each without its line end (CR LF, LF or
// a lone CR); a line end at the very end adds no empty line.
std::vector<QByteArray> SplitRmsLines(const QByteArray& content);

// Each byte below 0x20 other than TAB becomes a blank, so that every column
// stays where it was (0x1A, the old end-of-file mark, is the likely one).
void BlankControlBytes(QByteArray& line);

// A line of the file that cannot be a certificate record: its 1-based line
// number in the file (the header is line 1) and its name field.
struct RefusedRmsLine {
  int lineNumber = 0;
  QString boatname;
  bool operator==(const RefusedRmsLine&) const = default;
};

// What a load puts into the model and the page.
struct RmsLoad {
  // false when `rmsFile` names no file (first start with an empty rating
  // data folder): an empty load, nothing was read.
  bool fileRead = false;
  QString fileName;       // Memo3: the file's name without folder
  QByteArray headerLine;  // line 1, for the details list (ShowBoatDetails)
  // The boat lines exactly as read, in list order: RmsLines[k] = lines[k-1].
  std::vector<QByteArray> lines;
  // ListBox1: the boat names in list order; item k-1 stands for RmsLines[k].
  QStringList boatList;
  // CurrentRecord after the load: the last boat line of the file (in file
  // order, before sorting); nullopt when the file has no boat line, which
  // leaves CurrentRecord as it was.
  std::optional<CurrentRecord> lastRecord;
  // The lines that are not offered as boats (IsReadableRatingRecord), in
  // file order.
  std::vector<RefusedRmsLine> refused;

  int lineCount() const { return int(lines.size()); }                     // RmsLineCount
  QString lineCountText() const { return QString::number(lineCount()); }  // Memo2
};

// The load from the file's bytes: 0x1A bytes at the very end are the end
// of the file; line 1 is the header; control bytes are blanked in every
// line; blank lines are skipped; every further line that the module can
// read is a boat, the others are refused; the boats sorted by name as the
// exchange sort orders them.
RmsLoad RmsLoadFromContent(const QByteArray& content, const QString& fileName);

// The message after a load with refused lines, naming the first few of
// them (line number and name) and counting the rest; empty when none was
// refused.
QString RefusedRmsLinesMessage(const RmsLoad& load);

// Loads `rmsFile`. A path that names no file (a folder path ending in "/",
// as at a first start) gives an empty load with fileRead false. Throws
// RmsFileError when the file cannot be opened or read; nothing is changed
// then, so the page keeps its previous list.
RmsLoad LoadRmsFile(const QString& rmsFile);

// Puts the loaded lines into the model's 1-based RmsLines table: places 1..n
// get them, later places are emptied. The table grows when the file holds
// more boats than its places.
void StoreRmsLines(Table<QByteArray>& rmsLines, const std::vector<QByteArray>& lines);

// Button3Click: the open dialog starts in the rating data folder with this
// filter (the Qt form of "RMS (*.rms)| *.rms").
QString RmsOpenDialogFilter();
// The new RmsFile from the dialog's answer: its full path, or nullopt when
// the user cancelled (empty answer), which changes nothing.
std::optional<QString> RmsFileFromDialog(const QString& chosenPath);

// Button17Click: whether the details panel is visible after the click. An
// empty summary (no boat shown yet) leaves it as it is.
bool DetailsPanelVisibleAfterClick(const QString& summaryText, bool visibleNow);

}  // namespace kivo
