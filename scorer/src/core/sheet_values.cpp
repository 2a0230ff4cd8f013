#include "core/sheet_values.h"

#include <algorithm>
#include <cmath>

#include <QFileInfo>
#include <QStringList>

#include "core/file_io.h"
#include "core/number_text.h"
#include "core/rms_text.h"

namespace kivo {

QString SheetBaseName(const EventModel& model) {
  return SaveNameBase(QFileInfo(model.RaceXmlFile).fileName());
}

int SheetRowCount(const EventModel& model) {
  const int r = model.CurrentRace;
  const int places = std::min({model.EntryName.size(), model.ResultOrder.size(), model.BoatFinish[r].size(),
                               model.BoatVector[r].size()}) -
                     1;
  return std::clamp(model.RaceEntryCount[r], 0, places);
}

std::vector<int> ResultSheetEntries(const EventModel& model) {
  const int rows = SheetRowCount(model);
  std::vector<int> entries;
  for (int place = 1; place <= rows; ++place) {
    const int entry = model.ResultOrder[place];
    if (entry >= 1 && entry <= rows) entries.push_back(entry);
  }
  return entries;
}

QByteArray AnsiLines(const QStringList& lines) {
  return EncodeAnsi(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

QString RoundedSecondsText(double seconds) {
  // std::nearbyint rounds a half to even in the default rounding mode.
  const double rounded = std::nearbyint(seconds);
  if (std::isfinite(rounded) && std::fabs(rounded) < 9.0e18)
    return QString::number(static_cast<long long>(rounded));
  return QString::number(rounded, 'f', 0);
}

double PenaltyPercent(const QString& penalty, const QLocale& locale) {
  const auto value = ReadLocaleNumber(penalty, locale);
  if (!value) throw EConvertError(("'" + penalty + "' is not a valid floating point value").toStdString());
  return *value;
}

double PenalisedCorrectedSeconds(const QString& penalty, float corrected, const QLocale& locale) {
  return (PenaltyPercent(penalty, locale) / 100 + 1) * static_cast<double>(corrected);
}

std::array<QString, 7> AllowanceValues(const QString& vector) {
  std::array<QString, 7> values;
  const QStringList fields = vector.split(QLatin1Char(','));
  for (std::size_t k = 0; k < values.size() && k < static_cast<std::size_t>(fields.size()); ++k)
    values[k] = TrimBlanksAndControls(fields[static_cast<qsizetype>(k)]);
  return values;
}

}  // namespace kivo
