#include "core/coordinate_text.h"

#include <cmath>

#include "core/number_text.h"

namespace drevlin {
namespace {

double WithSign(bool negative, double size) { return negative ? -size : size; }

}  // namespace

double ParseDegMin(const QString& text, const QLocale& locale) {
  const qsizetype colon = text.indexOf(QLatin1Char(':'));
  if (colon < 0) return 0;
  const QString degreesText = text.left(colon);
  const QString minutesText = text.mid(colon + 1, 20);
  const double degrees = ReadInteger(degreesText);
  const double minutes = ReadFloat(minutesText, locale);
  const bool negative = HasMinusSign(degreesText) || HasMinusSign(minutesText);
  return WithSign(negative, std::fabs(degrees) + std::fabs(minutes) / 60);
}

double ParseDegMinSec(const QString& text, const QLocale& locale) {
  const qsizetype colon = text.indexOf(QLatin1Char(':'));
  if (colon < 0) return 0;
  const QString rest = text.mid(colon + 1, 20);
  const qsizetype secondColon = rest.indexOf(QLatin1Char(':'));
  if (secondColon < 0) return 0;
  const QString degreesText = text.left(colon);
  const QString minutesText = rest.left(secondColon);
  const QString secondsText = rest.mid(secondColon + 1, 20);
  const double degrees = ReadInteger(degreesText);
  const double minutes = ReadInteger(minutesText);
  const double seconds = ReadFloat(secondsText, locale);
  const bool negative = HasMinusSign(degreesText) || HasMinusSign(minutesText) || HasMinusSign(secondsText);
  return WithSign(negative, std::fabs(degrees) + std::fabs(minutes) / 60 + std::fabs(seconds) / 3600);
}

double ReadCoordinate(CoordinateFormat format, const QString& text, const QLocale& locale) {
  switch (format) {
    case CoordinateFormat::DegreesMinutes:
      return ParseDegMin(text, locale);
    case CoordinateFormat::DegreesMinutesSeconds:
      return ParseDegMinSec(text, locale);
    case CoordinateFormat::Degrees:
      break;
  }
  return ReadFloat(text, locale);
}

QString CoordinateText(CoordinateFormat format, double value, bool latitude, const QLocale& locale) {
  if (format == CoordinateFormat::Degrees) return FirstCharacters(value, latitude ? 10 : 11, locale);

  const QString sign = value < 0 ? QStringLiteral("-") : QString();
  const double size = std::fabs(value);
  const double degrees = std::trunc(size);
  const QString degreesText = sign + QString::number(static_cast<long long>(degrees)) + QLatin1Char(':');
  if (format == CoordinateFormat::DegreesMinutes) {
    const double minutes = (size - degrees) * 60;
    return degreesText +
           (latitude ? FixedGeneralText(minutes, locale) : FirstCharacters(minutes, 8, locale)).trimmed();
  }
  const double minutes = std::trunc((size - degrees) * 60);
  const double seconds = std::trunc((size - degrees - minutes / 60) * 3600);
  const QString secondsText = FixedGeneralText(seconds, locale).left(6).trimmed().left(5);
  return degreesText + QString::number(static_cast<long long>(minutes)) + QLatin1Char(':') + secondsText;
}

}  // namespace drevlin
