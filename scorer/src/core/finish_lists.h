#pragma once
// The two lists of the finish page: the boats still racing, and the boats
// finished in the order of their finish times, each line tied to the entry
// it was built from.
#include <optional>
#include <vector>

#include <QDateTime>
#include <QLocale>
#include <QString>

#include "core/event_model.h"

namespace kivo {

// One list line and the number of the entry it shows.
struct FinishListLine {
  int entry = 0;
  QString text;
  bool operator==(const FinishListLine&) const = default;
};

struct FinishLists {
  std::vector<FinishListLine> racing;    // entry order
  std::vector<FinishListLine> finished;  // finish order
};

// `text` cut or padded with blanks to `width` characters: the first `width`
// characters of the text followed by blanks, a double-byte character
// counting as one like any other.
QString FixedWidthText(const QString& text, int width);

// A racing line: the sail number, two blanks, the name.
QString RacingLine(const QString& sailNumber, const QString& name);

// The placeholder of a finished boat without a finish time.
inline const QString kNoFinishPlaceholder = QStringLiteral("       -           ");

// A finished line: the name cut or padded to 20 characters, the finish (or
// the placeholder when the text is shorter than 5 characters), two blanks,
// the status cut or padded to 3 characters, two blanks, the penalty
// (nothing when it is the number 0).
QString FinishedLine(const QString& name, const QString& finish, const QString& status,
                     const QString& penalty);

// Whether a penalty text is the number 0 ("0", "00", " 0", "0.0").
bool PenaltyIsZero(const QString& penalty, const QLocale& locale);

// The finish time by which a finished boat is sorted: its finish text read
// as a date-time when longer than 5 characters; none (after every real
// finish) for no time, "-" or a text that does not read.
std::optional<QDateTime> FinishSortTime(const QString& finish, const QLocale& locale);

// Exchange sort of `entries` by `times` (same length): for i < j, places i
// and j swap when the time at i is strictly later than the one at j; no time
// is later than every time, and two without time are equal.
void SortByFinishTime(std::vector<int>& entries, std::vector<std::optional<QDateTime>>& times);

// Both lists of race `race` from the model: entries 1 .. EntryCount, racing
// while BoatFinished is 0.
FinishLists BuildFinishLists(const EventModel& model, int race, const QLocale& locale);

}  // namespace kivo
