#include "core/ranking.h"

#include <algorithm>
#include <vector>

#include "core/local_date_time.h"
#include "core/number_text.h"
#include "core/sheet_values.h"

namespace kivo {
namespace {

// A boat's ranking time. Boats without one (no finish, no corrected time)
// rank behind every real time, however long, and equal among themselves.
struct RankingTime {
  bool hasTime = false;
  float seconds = 0;
};

bool RanksBehind(const RankingTime& a, const RankingTime& b) {
  if (!a.hasTime) return b.hasTime;
  return b.hasTime && a.seconds > b.seconds;
}

// 1 + the number of strictly better times; n for a boat without a time.
std::vector<int> Positions(const std::vector<RankingTime>& times) {
  const int n = static_cast<int>(times.size()) - 1;
  std::vector<int> positions(times.size(), 0);
  for (int i = 1; i <= n; ++i) {
    if (!times[i].hasTime) {
      positions[i] = n;
      continue;
    }
    int position = 1;
    for (int j = 1; j <= n; ++j)
      if (RanksBehind(times[i], times[j])) ++position;
    positions[i] = position;
  }
  return positions;
}

// The date-time as the module counts it: days since 30 December 1899, the
// time of day as the fraction.
double DaysSince1899(const QDateTime& moment) {
  static const QDate kEpoch(1899, 12, 30);
  const double date = static_cast<double>(kEpoch.daysTo(moment.date()));
  const double time = moment.time().msecsSinceStartOfDay() / 86400000.0;
  return date >= 0 ? date + time : date - time;
}

}  // namespace

void RankRaceBoats(EventModel& model, const QLocale& locale) {
  const int r = model.CurrentRace;
  const int places =
      std::min({model.BoatFinish[r].size(), model.BoatCorrected[r].size(), model.ResultOrder.size()}) - 1;
  const int n = std::clamp(model.RaceEntryCount[r], 0, places);

  const double start = DaysSince1899(LocalDateTimeOrThrow(model.RaceStart[r], locale));
  std::vector<float> elapsed(static_cast<std::size_t>(n) + 1, 0.0f);
  std::vector<RankingTime> elapsedTimes(elapsed.size()), correctedTimes(elapsed.size());
  for (int i = 1; i <= n; ++i) {
    const QString& finishText = model.BoatFinish[r][i];
    if (finishText.size() > 10) {
      const double seconds = (DaysSince1899(LocalDateTimeOrThrow(finishText, locale)) - start) * 24 * 60 * 60;
      // The module's corrected time would be negative: nothing to rank by.
      if (seconds < 0)
        throw FinishBeforeStartError(
            QStringLiteral("%1 (%2) のフィニッシュ日時 %3 がスタート日時 %4 より前です。\n"
                           "フィニッシュ日時を直して計算し直してください。")
                .arg(model.EntryName[i], model.EntrySailNo[i], finishText, model.RaceStart[r])
                .toStdString());
      elapsed[i] = static_cast<float>(seconds);
      elapsedTimes[i] = {true, elapsed[i]};
    }
    const float corrected = model.BoatCorrected[r][i];
    if (corrected > 0) {
      const auto factor = static_cast<float>(PenaltyPercent(model.BoatPenalty[r][i], locale) / 100 + 1);
      correctedTimes[i] = {true, static_cast<float>(corrected * factor)};
    }
  }

  const std::vector<int> elapsedPositions = Positions(elapsedTimes);
  const std::vector<int> correctedPositions = Positions(correctedTimes);
  std::vector<int> order(elapsed.size());
  for (int i = 1; i <= n; ++i) order[i] = i;
  std::vector<RankingTime> sorted = correctedTimes;
  for (int g = 1; g < n; ++g) {
    for (int h = g + 1; h <= n; ++h) {
      if (RanksBehind(sorted[g], sorted[h])) {
        std::swap(sorted[g], sorted[h]);
        std::swap(order[g], order[h]);
      }
    }
  }

  for (int i = 1; i <= n; ++i) {
    model.BoatElapsed[r][i] = elapsed[i];
    model.BoatElapsedPos[r][i] = elapsedPositions[i];
    model.BoatCorrectedPos[r][i] = correctedPositions[i];
    model.ResultOrder[i] = order[i];
  }
}

}  // namespace kivo
