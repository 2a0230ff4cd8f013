#include "core/number_text.h"

#include <cmath>
#include <limits>

#include "core/rms_text.h"
#include "locale/user_locale.h"
#include "numbers/strict_number.h"

namespace kivo {
namespace {

[[noreturn]] void ThrowNotFloat(const QString& text) {
  throw EConvertError(("'" + text + "' is not a valid floating point value").toStdString());
}

[[noreturn]] void ThrowNotInteger(const QString& text) {
  throw EConvertError(("'" + text + "' is not a valid integer value").toStdString());
}

}  // namespace

// The numbers are the platform's strict ones. Around them the read-back
// passes control characters as well as blanks (the platform passes blanks
// only), and the words are those that FloatText writes for a stored value
// that is no finite number, so that the scorer reads back what it wrote.
double ParseXmlFloat(const QString& text) {
  const QString trimmed = TrimBlanksAndControls(text);
  const QString upper = trimmed.toUpper();
  if (upper == QLatin1String("INF") || upper == QLatin1String("+INF"))
    return std::numeric_limits<double>::infinity();
  if (upper == QLatin1String("-INF")) return -std::numeric_limits<double>::infinity();
  if (upper == QLatin1String("NAN")) return std::numeric_limits<double>::quiet_NaN();
  double value = 0;
  if (!numbers::TryTextToFloat(trimmed.toStdString(), value)) ThrowNotFloat(text);
  return value;
}

int ParseXmlInteger(const QString& text) {
  int value = 0;
  if (!numbers::TryStrToInt(TrimBlanksAndControls(text).toStdString(), value)) ThrowNotInteger(text);
  return value;
}

std::optional<double> ReadLocaleNumber(const QString& text, const QLocale& locale) {
  const QString trimmed = TrimBlanksAndControls(text);
  if (trimmed.isEmpty()) return std::nullopt;
  QLocale strict = locale;
  strict.setNumberOptions(locale.numberOptions() | QLocale::RejectGroupSeparator);
  bool ok = false;
  const double value = strict.toDouble(trimmed, &ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

double TextToFloatDef(const QString& text, double defaultValue, const QLocale& locale) {
  return ReadLocaleNumber(text, locale).value_or(defaultValue);
}

double TextToFloatDef(const QString& text, double defaultValue) {
  return TextToFloatDef(text, defaultValue, platform::UserLocale());
}

}  // namespace kivo
