#include "locale/user_locale.h"

namespace platform {
namespace {

bool IsFieldLetter(QChar c) { return c.isLetter() && c.unicode() < 0x80; }

// Where the run of `letter` (outside quoted literals) starts in `format`,
// or -1. Any letter of `letters` starts the run.
qsizetype FieldStart(const QString& format, QStringView letters, qsizetype from = 0) {
  bool quoted = false;
  for (qsizetype i = from; i < format.size(); ++i) {
    const QChar c = format[i];
    if (c == QLatin1Char('\'')) {
      quoted = !quoted;
    } else if (!quoted && letters.contains(c)) {
      return i;
    }
  }
  return -1;
}

qsizetype FieldEnd(const QString& format, qsizetype start) {
  qsizetype end = start;
  while (end < format.size() && format[end] == format[start]) ++end;
  return end;
}

// The literal text after the field that ends at `end`, up to the next field.
QString LiteralAfter(const QString& format, qsizetype end) {
  QString literal;
  bool quoted = false;
  for (qsizetype i = end; i < format.size(); ++i) {
    const QChar c = format[i];
    if (c == QLatin1Char('\'')) {
      if (i + 1 < format.size() && format[i + 1] == QLatin1Char('\'')) {
        literal += c;
        ++i;
      } else {
        quoted = !quoted;
      }
      continue;
    }
    if (!quoted && IsFieldLetter(c)) break;
    literal += c;
  }
  return literal;
}

// A literal as format text: quoted when it holds letters or quotes.
QString Quoted(const QString& literal) {
  for (const QChar c : literal) {
    if (c.isLetter() || c == QLatin1Char('\'')) {
      QString escaped = literal;
      escaped.replace(QLatin1Char('\''), QStringLiteral("''"));
      return QLatin1Char('\'') + escaped + QLatin1Char('\'');
    }
  }
  return literal;
}

// A date or time separator is punctuation: no blank, letter or digit, which
// the reader could not tell from the fields.
bool IsSeparator(const QString& text) {
  if (text.isEmpty()) return false;
  for (const QChar c : text)
    if (c.isSpace() || c.isLetterOrNumber()) return false;
  return true;
}

QString TwoDigits(int value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')); }

// The punctuation after the first of `letters`' fields in `format`, or
// `fallback` where there is none.
QString SeparatorAfterField(const QString& format, QStringView letters, const QString& fallback) {
  const qsizetype start = FieldStart(format, letters);
  if (start < 0) return fallback;
  const QString separator = LiteralAfter(format, FieldEnd(format, start)).trimmed();
  return IsSeparator(separator) ? separator : fallback;
}

}  // namespace

QLocale UserLocale() {
  // A machine left at the C/POSIX locale has no date order or separators of
  // its own ("1 Jul 2017"); finishes written so could not be read back into
  // the race file. Such a machine gets the program's own Japanese forms.
  const QLocale locale;
  if (locale.language() == QLocale::C) return QLocale(QLocale::Japanese, QLocale::Japan);
  return locale;
}

QString DateSeparator(const QLocale& locale) {
  return SeparatorAfterField(locale.dateFormat(QLocale::ShortFormat), u"dMy", QStringLiteral("/"));
}

QString TimeSeparator(const QLocale& locale) {
  return SeparatorAfterField(locale.timeFormat(QLocale::ShortFormat), u"hH", QStringLiteral(":"));
}

QString LongTimeFormat(const QLocale& locale) {
  const QString shortFormat = locale.timeFormat(QLocale::ShortFormat);
  if (FieldStart(shortFormat, u"s") >= 0) return shortFormat;
  const qsizetype hour = FieldStart(shortFormat, u"hH");
  const qsizetype minute = FieldStart(shortFormat, u"m", hour < 0 ? 0 : hour);
  if (minute >= 0) {
    QString format = shortFormat;
    format.insert(FieldEnd(shortFormat, minute), Quoted(TimeSeparator(locale)) + QStringLiteral("ss"));
    return format;
  }
  // No minutes to follow: the long form without its time zone.
  QString format = locale.timeFormat(QLocale::LongFormat);
  format.remove(QLatin1Char('t'));
  return format.trimmed();
}

QString LocalDateTimeText(const QDateTime& moment, const QLocale& locale) {
  return locale.toString(moment.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
         locale.toString(moment.time(), LongTimeFormat(locale));
}

QString RaceDateTimeText(const QDate& date, const QTime& time, const QLocale& locale) {
  const QString d = DateSeparator(locale);
  const QString t = TimeSeparator(locale);
  return QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0')) + d + TwoDigits(date.month()) + d +
         TwoDigits(date.day()) + QLatin1Char(' ') + TwoDigits(time.hour()) + t + TwoDigits(time.minute()) +
         t + TwoDigits(time.second());
}

}  // namespace platform
