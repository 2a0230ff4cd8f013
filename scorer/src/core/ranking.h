#pragma once
// The ranking of the current race that the result sheets print: each boat's
// elapsed seconds, its positions by elapsed and by penalised corrected time,
// and the result order.
#include <stdexcept>

#include <QLocale>
#include <QString>

#include "core/event_model.h"
#include "locale/user_locale.h"

namespace kivo {

// A finish earlier than the start: the module's corrected time for that boat
// is negative, so no result sheet can be made from the race. what() is the
// message to show; it names the boat.
class FinishBeforeStartError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Ranks the current race r (entries 1 .. RaceEntryCount, within the
// model's places) and stores the outcome:
// - BoatElapsed: for a finish text longer than 10 characters, finish minus
//   start (both read by ReadLocalDateTime with `locale`) in seconds of the
//   wall clock, as the module takes it, kept as a 32-bit float; 0 for a boat
//   without a finish.
// - BoatElapsedPos from those floats, BoatCorrectedPos from
//   float(BoatCorrected * float(penalty / 100 + 1)) for a corrected time
//   above 0 (the penalty read as a number of `locale`): 1 + the number of
//   boats with a strictly smaller time (1, 2, 2, 4). A boat without a time
//   takes position n.
// - ResultOrder: the entries by penalised corrected time, by an exchange
//   sort (2, 2, 1 gives 3, 2, 1); boats without a time last.
// Throws EConvertError for a start, finish or penalty text that does not
// convert, FinishBeforeStartError for a finish before the start; the model
// is then unchanged.
void RankRaceBoats(EventModel& model, const QLocale& locale = platform::UserLocale());

}  // namespace kivo
