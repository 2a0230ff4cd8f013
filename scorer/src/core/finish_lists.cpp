#include "core/finish_lists.h"

#include <cstddef>
#include <utility>

#include "core/local_date_time.h"

namespace kivo {
QString FixedWidthText(const QString& text, int width) {
  return text.leftJustified(width, QLatin1Char(' '), true);
}

QString RacingLine(const QString& sailNumber, const QString& name) {
  return sailNumber + QStringLiteral("  ") + name;
}

QString FinishedLine(const QString& name, const QString& finish, const QString& status,
                     const QString& penalty) {
  return FixedWidthText(name, 20) + (finish.size() < 5 ? kNoFinishPlaceholder : finish) +
         QStringLiteral("  ") + FixedWidthText(status, 3) + QStringLiteral("  ") + penalty;
}

bool PenaltyIsZero(const QString& penalty, const QLocale& locale) {
  const QString trimmed = penalty.trimmed();
  bool ok = false;
  double value = locale.toDouble(trimmed, &ok);
  if (!ok) value = trimmed.toDouble(&ok);
  return ok && value == 0;
}

std::optional<QDateTime> FinishSortTime(const QString& finish, const QLocale& locale) {
  if (finish.size() <= 5) return std::nullopt;
  return ReadLocalDateTime(finish, locale);  // a text that does not read sorts last
}

void SortByFinishTime(std::vector<int>& entries, std::vector<std::optional<QDateTime>>& times) {
  const auto later = [](const std::optional<QDateTime>& a, const std::optional<QDateTime>& b) {
    if (!a) return b.has_value();
    return b.has_value() && *a > *b;
  };
  const std::size_t count = entries.size();
  for (std::size_t i = 0; i + 1 < count; ++i) {
    for (std::size_t j = i + 1; j < count; ++j) {
      if (later(times[i], times[j])) {
        std::swap(entries[i], entries[j]);
        std::swap(times[i], times[j]);
      }
    }
  }
}

FinishLists BuildFinishLists(const EventModel& model, int race, const QLocale& locale) {
  FinishLists lists;
  std::vector<int> finished;
  std::vector<std::optional<QDateTime>> times;
  for (int entry = 1; entry <= model.EntryCount; ++entry) {
    if (model.BoatFinished[race][entry] == 1) {
      finished.push_back(entry);
      times.push_back(FinishSortTime(model.BoatFinish[race][entry], locale));
    } else {
      lists.racing.push_back({entry, RacingLine(model.EntrySailNo[entry], model.EntryName[entry])});
    }
  }
  SortByFinishTime(finished, times);
  for (const int entry : finished) {
    const QString& penalty = model.BoatPenalty[race][entry];
    lists.finished.push_back({entry, FinishedLine(model.EntryName[entry], model.BoatFinish[race][entry],
                                                  model.BoatStatus[race][entry],
                                                  PenaltyIsZero(penalty, locale) ? QString() : penalty)});
  }
  return lists;
}

}  // namespace kivo
