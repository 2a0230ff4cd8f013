#include "core/local_date_time.h"

#include <algorithm>

#include <QRegularExpression>
#include <QStringList>

#include "core/number_text.h"

namespace kivo {
namespace {

// The order of year, month and day in the locale's short date form, as
// three letters of "YMD".
QString DateOrder(const QLocale& locale) {
  const QString format = locale.dateFormat(QLocale::ShortFormat);
  struct Place {
    qsizetype at;
    QChar part;
  };
  Place places[] = {{format.indexOf(QLatin1Char('y')), QLatin1Char('Y')},
                    {format.indexOf(QLatin1Char('M')), QLatin1Char('M')},
                    {format.indexOf(QLatin1Char('d')), QLatin1Char('D')}};
  for (const Place& p : places)
    if (p.at < 0) return QStringLiteral("YMD");
  std::sort(std::begin(places), std::end(places), [](const Place& a, const Place& b) { return a.at < b.at; });
  return QString(places[0].part) + places[1].part + places[2].part;
}

// A year of one or two digits within the 100 years from 50 years ago.
int ExpandYear(const QString& digits, int year) {
  if (digits.size() > 2) return year;
  const int threshold = QDate::currentDate().year() - 50;
  int expanded = year + threshold / 100 * 100;
  if (expanded < threshold) expanded += 100;
  return expanded;
}

std::optional<QDate> ParseDatePart(const QString& text, const QLocale& locale) {
  static const QRegularExpression pattern(
      QStringLiteral("^(\\d{1,4})([^\\d\\s])(\\d{1,4})(?:\\2(\\d{1,4}))?$"));
  const QRegularExpressionMatch m = pattern.match(text);
  if (!m.hasMatch()) return std::nullopt;
  QStringList groups{m.captured(1), m.captured(3)};
  if (m.hasCaptured(4)) groups.append(m.captured(4));

  QString order = DateOrder(locale);
  QString year, month, day;
  if (groups.size() == 3) {
    if (groups[0].size() > 2) order = QStringLiteral("YMD");
    for (int i = 0; i < 3; ++i) {
      if (order[i] == QLatin1Char('Y'))
        year = groups[i];
      else if (order[i] == QLatin1Char('M'))
        month = groups[i];
      else
        day = groups[i];
    }
  } else {
    // Month and day of the current year, in the locale's order.
    order.remove(QLatin1Char('Y'));
    month = order[0] == QLatin1Char('M') ? groups[0] : groups[1];
    day = order[0] == QLatin1Char('M') ? groups[1] : groups[0];
    year = QString::number(QDate::currentDate().year());
  }
  if (month.size() > 2 || day.size() > 2) return std::nullopt;
  const QDate date(ExpandYear(year, year.toInt()), month.toInt(), day.toInt());
  if (!date.isValid()) return std::nullopt;
  return date;
}

bool StartsWithMarker(const QString& text, const QString& marker) {
  return !marker.isEmpty() && text.startsWith(marker, Qt::CaseInsensitive);
}
bool EndsWithMarker(const QString& text, const QString& marker) {
  return !marker.isEmpty() && text.endsWith(marker, Qt::CaseInsensitive);
}

std::optional<QTime> ParseTimePart(const QString& text, const QLocale& locale) {
  QStringList tokens = text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
  if (tokens.isEmpty()) return std::nullopt;

  // An AM/PM marker, standing alone or glued to the time on either side.
  enum { kNone, kAm, kPm } half = kNone;
  const QString markers[][2] = {{locale.amText(), locale.pmText()},
                                {QStringLiteral("AM"), QStringLiteral("PM")}};
  for (const auto& pair : markers) {
    for (int pm = 0; pm < 2 && half == kNone; ++pm) {
      const QString& marker = pair[pm];
      for (qsizetype i = 0; i < tokens.size() && half == kNone; ++i) {
        if (tokens[i].compare(marker, Qt::CaseInsensitive) == 0) {
          tokens.removeAt(i);
          half = pm ? kPm : kAm;
        }
      }
      if (half == kNone && !tokens.isEmpty() && StartsWithMarker(tokens.first(), marker) &&
          tokens.first().size() > marker.size() && tokens.first()[marker.size()].isDigit()) {
        tokens.first().remove(0, marker.size());
        half = pm ? kPm : kAm;
      }
      if (half == kNone && !tokens.isEmpty() && EndsWithMarker(tokens.first(), marker) &&
          tokens.first().size() > marker.size() &&
          tokens.first()[tokens.first().size() - marker.size() - 1].isDigit()) {
        tokens.first().chop(marker.size());
        half = pm ? kPm : kAm;
      }
    }
  }
  if (tokens.isEmpty()) return std::nullopt;
  // Words after the time (a time zone name) are not looked at; anything
  // else after it makes the text no time.
  for (qsizetype i = 1; i < tokens.size(); ++i)
    if (!tokens[i].contains(QRegularExpression(QStringLiteral("[A-Za-z]")))) return std::nullopt;

  static const QRegularExpression pattern(QStringLiteral(
      "^(\\d{1,2})[^\\d\\s]{1,2}(\\d{1,2})(?:[^\\d\\s]{1,2}(\\d{1,2})(?:[.,](\\d{1,3}))?)?[^\\d\\s.,]?$"));
  const QRegularExpressionMatch m = pattern.match(tokens.first());
  if (!m.hasMatch()) return std::nullopt;
  int hour = m.captured(1).toInt();
  const int minute = m.captured(2).toInt();
  const int second = m.hasCaptured(3) ? m.captured(3).toInt() : 0;
  const int millisecond = m.hasCaptured(4) ? m.captured(4).leftJustified(3, QLatin1Char('0')).toInt() : 0;
  if (half != kNone) {
    if (hour < 1 || hour > 12) return std::nullopt;
    hour = hour % 12 + (half == kPm ? 12 : 0);
  }
  const QTime time(hour, minute, second, millisecond);
  if (!time.isValid()) return std::nullopt;
  return time;
}

[[noreturn]] void ThrowNotDateTime(const QString& text) {
  throw EConvertError(("'" + text + "' is not a valid date and time").toStdString());
}

}  // namespace

std::optional<DateTimeParts> ReadLocalDateTimeParts(const QString& text, const QLocale& locale) {
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty()) return std::nullopt;
  const qsizetype blank = trimmed.indexOf(QRegularExpression(QStringLiteral("\\s")));
  const QString datePart = blank < 0 ? trimmed : trimmed.left(blank);
  const QString timePart = blank < 0 ? QString() : trimmed.mid(blank).trimmed();
  if (const auto date = ParseDatePart(datePart, locale)) {
    if (timePart.isEmpty()) return DateTimeParts{*date, QTime(0, 0)};
    if (const auto time = ParseTimePart(timePart, locale)) return DateTimeParts{*date, *time};
  }
  // The locale's own forms, as a last resort.
  const QString formats[] = {
      locale.dateTimeFormat(QLocale::ShortFormat),
      locale.dateTimeFormat(QLocale::LongFormat),
      locale.dateFormat(QLocale::ShortFormat) + QLatin1Char(' ') + locale.timeFormat(QLocale::LongFormat),
  };
  for (const QString& format : formats) {
    const QDateTime value = locale.toDateTime(trimmed, format);
    if (value.isValid()) return DateTimeParts{value.date(), value.time()};
  }
  return std::nullopt;
}

// "yyyy-mm-dd", "T", "HH:mm:ss".
QString IsoDateTimeText(const DateTimeParts& parts) {
  return parts.date.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char('T') +
         parts.time.toString(QStringLiteral("HH:mm:ss"));
}

std::optional<QDateTime> ReadLocalDateTime(const QString& text, const QLocale& locale) {
  const auto parts = ReadLocalDateTimeParts(text, locale);
  if (!parts) return std::nullopt;
  return QDateTime(parts->date, parts->time);
}

DateTimeParts LocalDateTimePartsOrThrow(const QString& text, const QLocale& locale) {
  const auto parts = ReadLocalDateTimeParts(text, locale);
  if (!parts) ThrowNotDateTime(text);
  return *parts;
}

QDateTime LocalDateTimeOrThrow(const QString& text, const QLocale& locale) {
  const auto value = ReadLocalDateTime(text, locale);
  if (!value) ThrowNotDateTime(text);
  return *value;
}

QString IsoToLocalDateTime(const QString& text) {
  QString out = text;
  out.replace(QLatin1Char('-'), QLatin1Char('/'));
  out.replace(QLatin1Char('T'), QLatin1Char(' '));
  return out;
}

}  // namespace kivo
