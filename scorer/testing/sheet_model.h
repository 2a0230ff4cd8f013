#pragma once
// An event model filled as the output commands leave it for a sheet: race 1
// read back with `boats` finished boats, ranked in entry order, every logo
// "-". Tests change single fields afterwards.
#include <QString>

#include "core/event_model.h"
#include "core/sheet_values.h"
#include "testing/one_race_model.h"

namespace kivo::fixtures {

inline EventModel SheetModel(int boats, int sheetKind = kResultSheet, int language = 1) {
  EventModel model = OneRaceModel(boats);
  model.SheetKind = sheetKind;
  model.Language = language;
  model.EventName = QStringLiteral("Summer Regatta");
  model.EventClass = QStringLiteral("Cruiser A");
  model.ResultIssued = QStringLiteral("2017/07/02");
  model.ScratchIssued = QStringLiteral("2017/06/30");
  model.LogoLeft = model.LogoMiddle = model.LogoRight = QStringLiteral("-");
  model.RaceName[1] = QStringLiteral("Race One");
  model.RaceJury[1] = QStringLiteral("Jury Member");
  model.RaceStart[1] = QStringLiteral("2017/07/01 10:00:00");
  model.RaceLimit[1] = QStringLiteral("2017/07/01 16:00:00");
  model.CourseDistance[1] = 12.3f;
  model.RaceTypeText[1] = QStringLiteral("ocean course");
  for (int b = 1; b <= boats; ++b) {
    const int elapsed = 7000 + 60 * b;
    EnterBoat(model, {.name = QStringLiteral("Boat %1").arg(b, 2, 10, QLatin1Char('0')),
                      .sailNo = QStringLiteral("JPN-%1").arg(4000 + b),
                      .yachtClass = QStringLiteral("Tern %1").arg(28 + b % 15),
                      .gph = QStringLiteral("%1.5").arg(560 + b * 3),
                      .finish = QStringLiteral("2017/07/01 %1:%2:%3")
                                    .arg(10 + elapsed / 3600, 2, 10, QLatin1Char('0'))
                                    .arg(elapsed / 60 % 60, 2, 10, QLatin1Char('0'))
                                    .arg(elapsed % 60, 2, 10, QLatin1Char('0'))});
    model.BoatFinished[1][b] = 1;
    model.BoatElapsed[1][b] = static_cast<float>(elapsed);
    model.BoatCorrected[1][b] = 6000.0f + 30.0f * b;
    model.BoatElapsedPos[1][b] = b;
    model.BoatCorrectedPos[1][b] = b;
    model.ResultOrder[b] = b;
    model.BoatVector[1][b] = QStringLiteral("%1.1,%2.2,%3.3,%4.4,%5.5,%6.6,%7.7")
                                 .arg(900 + b)
                                 .arg(760 + b)
                                 .arg(680 + b)
                                 .arg(640 + b)
                                 .arg(620 + b)
                                 .arg(610 + b)
                                 .arg(600 + b);
  }
  return model;
}

}  // namespace kivo::fixtures
