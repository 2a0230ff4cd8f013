#pragma once
// Carrying the event page and the race and course page into the event model
// and judging whether the current race can be computed: the copied fields,
// the list of missing data, the readiness state and the summary text.
#include <array>
#include <stdexcept>
#include <vector>

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

#include "core/event_model.h"

namespace kivo {

// What the two pages hold, as the user typed it.
struct RacePageFields {
  QString eventName;       // Edit2
  QString raceName;        // Edit4
  QString eventClass;      // Edit6
  QString chairman;        // Edit7
  QString saveName;        // Edit3
  QDate startDate;         // DateTimePicker1
  QTime startTime;         // DateTimePicker2
  QDate limitDate;         // DateTimePicker3
  QTime limitTime;         // DateTimePicker4
  QString jury;            // Edit5
  int courseType = -1;     // ComboBox1's index
  QString courseTypeText;  // ComboBox1's text
  // The leg grid's rows 1 .. 14 (place 0 is row 1), columns 1 .. 4:
  // distance, course, wind direction, wind speed.
  std::vector<std::array<QString, 4>> legRows;
  QString distance;  // Edit1
};

// A page field that holds no number. what() names the field and quotes the
// text: "(P2)コース距離: 'abc' is not a valid floating point value".
class CheckConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The texts of the missing data, in the order they are tested.
namespace missing {
inline const QString kEventName = QStringLiteral("(P1)イベント名");
inline const QString kRaceName = QStringLiteral("(P1)レース名");
inline const QString kClassName = QStringLiteral("(P1)クラス名");
inline const QString kChairman = QStringLiteral("(P1)レース委員長名");
inline const QString kSaveName = QStringLiteral("(P1)保存するファイル名");
inline const QString kJury = QStringLiteral("(P2)レース委員名");
inline const QString kNoLegs = QStringLiteral("Constructed courseなのにLegデータが入っていません。");
inline const QString kTooManyLegs = QStringLiteral("(P2)LEGデータは9LEGまでです。LEGを減らしてください。");
inline const QString kDistance = QStringLiteral("(P2)コース距離");
inline const QString kNoEntries = QStringLiteral("(P3)エントリー艇の選択なし");
inline const QString kNoneFinished = QStringLiteral("(P4)フィニッシュした艇なし");
inline const QString kNotAllFinished = QStringLiteral("(p4)フィニッシュしていない艇がある");
// Followed by the boat's name; one item per boat whose finish is not after
// the start (an elapsed time of 0 stops the module for the whole race).
inline const QString kFinishNotAfterStart = QStringLiteral("(P4)スタート時刻以前のフィニッシュ: ");
// An entry whose certificate record the module cannot read, named by its
// boat name (or its place when the record holds none).
QString UnreadableRecord(const QString& boatname, int entry);
}  // namespace missing

// One check of the current race: ReadinessState 0 and the list emptied,
// then every field copied into the model and each missing item appended in
// turn, the legs of a constructed course (at most the model's legs; more
// counted rows are listed as missing and leave the race not computable),
// the distance, the finishes that are not after the start (the start may
// have changed after they were typed; such a race is not computable until
// they are mended), and the readiness rules. A distance or a counted leg cell
// that holds no number throws CheckConversionError at that field, with the
// fields before it copied, the items found so far listed and the state 0.
void CheckRace(EventModel& model, const RacePageFields& fields, const QLocale& locale);

// The summary box's text: "下記の不足データがあります", two line breaks,
// each item after four blanks with a line break, two line breaks, and the
// closing sentence of the readiness state.
QString MissingDataSummary(const EventModel& model);

// The title of the summary box.
inline const QString kMissingDataTitle = QStringLiteral("データの情報");

}  // namespace kivo
