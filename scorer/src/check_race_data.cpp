// Gathering the pages into the event model and judging whether the race can
// be computed. For now only the course distance is gathered, which the tab
// guard of the finish and result pages needs.
#include <stdexcept>

#include <QLineEdit>
#include <QLocale>

#include "Unit1.h"

void TForm1::CheckRaceData() {
  Model.ReadinessState = kivo::kCannotCompute;
  const auto race = static_cast<std::size_t>(Model.CurrentRace);
  const QString distance = Edit1->text();
  if (distance.isEmpty()) {
    Model.CourseDistance[race] = 0;
    return;
  }
  bool ok = false;
  const double value = QLocale::system().toDouble(distance.trimmed(), &ok);
  if (!ok)
    throw std::runtime_error(
        ("'" + distance.toStdString() + "' is not a valid floating point value"));
  Model.CourseDistance[race] = static_cast<float>(value);
}
