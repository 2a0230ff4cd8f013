#include "core/race_xml.h"

#include <algorithm>

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringList>

#include "core/number_text.h"
#include "locale/float_text.h"
#include "core/rms_record.h"
#include "core/rms_text.h"
#include "core/tag_reader.h"

namespace kivo {
namespace {

const QString kRaceXmlWhat = QStringLiteral("レースXMLファイル");

// ---- date-time texts -------------------------------------------------------

struct DateTimeParts {
  QDate date;
  QTime time;
};

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
      if (order[i] == QLatin1Char('Y')) year = groups[i];
      else if (order[i] == QLatin1Char('M')) month = groups[i];
      else day = groups[i];
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

std::optional<DateTimeParts> ParseLocalDateTimeParts(const QString& text, const QLocale& locale) {
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

[[noreturn]] void ThrowNotDateTime(const QString& text) {
  throw EConvertError(("'" + text + "' is not a valid date and time").toStdString());
}

// "yyyy-mm-dd", "T", "HH:mm:ss".
QString IsoDateTimeText(const DateTimeParts& parts) {
  return parts.date.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char('T') +
         parts.time.toString(QStringLiteral("HH:mm:ss"));
}

// ---- writing ---------------------------------------------------------------

// The line with every character that XML 1.0 does not allow (control
// characters other than TAB, LF and CR, which the escaping has already
// turned into references; U+FFFE, U+FFFF; a lone surrogate) as a blank, so
// the module can read the file and a record keeps its columns. 0x1A, the
// old end-of-file mark, is the one that real rating files bring.
QString XmlCharactersOnly(QString line) {
  const qsizetype n = line.size();
  for (qsizetype i = 0; i < n; ++i) {
    const char16_t c = line[i].unicode();
    if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(line[i + 1].unicode())) {
      ++i;
      continue;
    }
    const bool allowed = (c >= 0x20 || c == u'\t' || c == u'\n' || c == u'\r') && !QChar::isSurrogate(c) &&
                         c != 0xFFFE && c != 0xFFFF;
    if (!allowed) line[i] = QLatin1Char(' ');
  }
  return line;
}

QString NumberAttr(const char* name, float value) {
  return XmlAttrText(name, platform::FloatText(static_cast<double>(value), QLatin1Char('.')));
}

// The places of a table that may be used: the count asked for, within the
// table's 1-based capacity.
int UsablePlaces(int count, std::size_t capacity) {
  return std::clamp(count, 0, static_cast<int>(capacity) - 1);
}

}  // namespace

ScorerFileError::ScorerFileError(const QString& message, const QString& path)
    : std::runtime_error(message.toStdString()), path_(path) {}

void SaveFileWhole(const QString& path, const QByteArray& content, const QString& what) {
  QSaveFile file(path);
  const auto fail = [&](const QString& reason) {
    throw ScorerFileError(QStringLiteral("%1を書き込めませんでした。\n%2\n%3").arg(what, path, reason), path);
  };
  if (!file.open(QIODevice::WriteOnly)) fail(file.errorString());
  if (file.write(content) != content.size()) {
    const QString reason = file.errorString();
    file.cancelWriting();
    fail(reason);
  }
  if (!file.commit()) fail(file.errorString());
}

ScorerFileError UnreadableFile(const QString& what, const QString& path, const QString& reason) {
  return ScorerFileError(QStringLiteral("%1を読み込めませんでした。\n%2\n%3").arg(what, path, reason), path);
}

QByteArray ReadFileWhole(const QString& path, const QString& what) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) throw UnreadableFile(what, path, file.errorString());
  QByteArray content = file.readAll();
  if (file.error() != QFileDevice::NoError) throw UnreadableFile(what, path, file.errorString());
  return content;
}

QString IsoToLocalDateTime(const QString& text) {
  QString out = text;
  out.replace(QLatin1Char('-'), QLatin1Char('/'));
  out.replace(QLatin1Char('T'), QLatin1Char(' '));
  return out;
}

QString ReplaceAmpersand(const QString& text) {
  QString out = text;
  out.replace(QLatin1Char('&'), QLatin1Char('-'));
  return out;
}

QByteArray ReplaceAmpersand(QByteArrayView bytes) {
  QByteArray out = bytes.toByteArray();
  out.replace('&', '-');
  return out;
}

QString SaveNameBase(const QString& name) {
  const qsizetype dot = name.indexOf(QLatin1Char('.'));
  return dot < 0 ? name : name.left(dot);
}

QString RaceXmlNameFor(const QString& saveName, int raceNumber) {
  return SaveNameBase(saveName.trimmed()) + QLatin1String("_R") + QString::number(raceNumber) +
         QLatin1String(".xml");
}

void NameRaceXml(EventModel& model) {
  const QString name = RaceXmlNameFor(model.SaveName, model.CurrentRace);
  model.RaceXmlName[static_cast<std::size_t>(model.CurrentRace)] = name;
  model.RaceXmlFile = model.XmlFolder + QLatin1Char('/') + name;
}

std::optional<QDateTime> ReadLocalDateTime(const QString& text, const QLocale& locale) {
  const auto parts = ParseLocalDateTimeParts(text, locale);
  if (!parts) return std::nullopt;
  return QDateTime(parts->date, parts->time);
}

QDateTime LocalDateTimeOrThrow(const QString& text, const QLocale& locale) {
  const auto value = ReadLocalDateTime(text, locale);
  if (!value) ThrowNotDateTime(text);
  return *value;
}

QByteArray RaceXmlText(const EventModel& model, const QLocale& locale) {
  const auto r = static_cast<std::size_t>(model.CurrentRace);
  QStringList lines;

  const QString startText = model.RaceStart[r];
  const auto start = ParseLocalDateTimeParts(startText, locale);
  if (!start) ThrowNotDateTime(startText);
  lines.append(QLatin1String("<race") + XmlAttrText("start", IsoDateTimeText(*start)) +
               NumberAttr("distance", model.CourseDistance[r]) +
               XmlAttrText("type", QString::number(model.RaceType[r])) +
               XmlAttrText("name", model.RaceName[r]) +
               XmlAttrText("limit", model.RaceLimit[r]) + QLatin1Char('>'));

  if (model.RaceType[r] == 0) {
    lines.append(QStringLiteral("<legs>"));
    const int legs = UsablePlaces(model.RaceLegCount[r], model.LegDistance[r].size());
    for (int k = 1; k <= legs; ++k) {
      const auto l = static_cast<std::size_t>(k);
      lines.append(QLatin1String("<leg") + NumberAttr("distance", model.LegDistance[r][l]) +
                   NumberAttr("course", model.LegCourse[r][l]) +
                   NumberAttr("windDirection", model.LegWindDirection[r][l]) +
                   NumberAttr("windSpeed", model.LegWindSpeed[r][l]) + QLatin1String("/>"));
    }
    lines.append(QStringLiteral("</legs>"));
  }

  lines.append(QStringLiteral("<boats>"));
  const int boats = UsablePlaces(model.RaceEntryCount[r],
                                 std::min(model.EntryRecord.size(), model.BoatFinish[r].size()));
  const QString placeholder = QStringLiteral("0");
  for (int j = 1; j <= boats; ++j) {
    const auto e = static_cast<std::size_t>(j);
    QString finish = placeholder;
    const QString& finishText = model.BoatFinish[r][e];
    if (finishText.size() > 10) {
      if (const auto parts = ParseLocalDateTimeParts(finishText, locale)) finish = IsoDateTimeText(*parts);
    }
    const QString remarks = model.BoatRemarks[r][e].isEmpty() ? QStringLiteral("-") : model.BoatRemarks[r][e];
    lines.append(QLatin1String("<boat") + XmlAttrText("finish", finish) +
                 XmlAttrText("correctedSeconds", placeholder) +
                 XmlAttrText("impliedWind", placeholder) + XmlAttrText("velocity", placeholder) +
                 XmlAttrText("constructedCourseVector", placeholder) +
                 XmlAttrText("rms", DecodeAnsi(ReplaceAmpersand(QByteArrayView(model.EntryRecord[e])))) +
                 XmlAttrText("abbr", model.BoatStatus[r][e]) + XmlAttrText("rmks", remarks) +
                 XmlAttrText("pnlty", model.BoatPenalty[r][e]) + QLatin1String("/>"));
  }
  lines.append(QStringLiteral("</boats>"));
  lines.append(QStringLiteral("</race>"));

  QByteArray out;
  for (const QString& line : lines) {
    out += XmlCharactersOnly(line).toUtf8();
    out += "\r\n";
  }
  return out;
}

void WriteRaceXml(const EventModel& model, const QLocale& locale) {
  SaveFileWhole(model.RaceXmlFile, RaceXmlText(model, locale), kRaceXmlWhat);
}

void CheckRaceXmlWhole(const QString& path) {
  QByteArray content = ReadFileWhole(path, kRaceXmlWhat);
  content.replace("\r", "");
  content.replace("\n", "");
  const QStringList tags = SplitTags(QString::fromUtf8(content));
  const bool hasRace = std::any_of(tags.begin(), tags.end(),
                                   [](const QString& tag) { return TagName(tag) == QLatin1String("race"); });
  if (!hasRace) throw UnreadableFile(kRaceXmlWhat, path, QStringLiteral("レースXMLファイルの形式ではありません。"));
  if (TagName(tags.last()) != QLatin1String("/race"))
    throw UnreadableFile(kRaceXmlWhat, path, QStringLiteral("ファイルが途中で切れています。"));
}

void ReadRaceResults(EventModel& model) {
  model.ResultsFlags = 0;
  if (model.CurrentRace >= 0 && static_cast<std::size_t>(model.CurrentRace) < model.RaceFinishedCount.size())
    model.RaceFinishedCount[static_cast<std::size_t>(model.CurrentRace)] = 0;
  const QString path = model.RaceXmlFile;
  if (!QFileInfo(path).isFile()) return;

  // Line ends play no part: the lines are joined with no separator.
  QByteArray content = ReadFileWhole(path, kRaceXmlWhat);
  content.replace("\r", "");
  content.replace("\n", "");
  const QStringList tags = SplitTags(QString::fromUtf8(content));

  model.CurrentRace = 1;
  const std::size_t r = 1;
  const int legPlaces = static_cast<int>(model.LegDistance[r].size()) - 1;
  const int boatPlaces = static_cast<int>(std::min(model.EntryRecord.size(), model.BoatFinish[r].size())) - 1;
  int legCount = 0;
  int boatCount = 0;
  for (const QString& tag : tags) {
    const QString name = TagName(tag);
    if (name == QLatin1String("race")) {
      model.RaceName[r] = GetXmlAttr(QStringLiteral("name="), tag);
      model.RaceStart[r] = IsoToLocalDateTime(GetXmlAttr(QStringLiteral("start="), tag));
      model.RaceLimit[r] = GetXmlAttr(QStringLiteral("limit="), tag);
      model.CourseDistance[r] = static_cast<float>(ParseXmlFloat(GetXmlAttr(QStringLiteral("distance="), tag)));
      model.RaceType[r] = ParseXmlInteger(GetXmlAttr(QStringLiteral("type="), tag));
    } else if (name == QLatin1String("leg")) {
      if (legCount == legPlaces)
        throw ScorerFileError(
            QStringLiteral("レースXMLファイル %1 のLEGが%2を超えています。").arg(path).arg(legPlaces), path);
      const auto k = static_cast<std::size_t>(++legCount);
      model.LegDistance[r][k] = static_cast<float>(ParseXmlFloat(GetXmlAttr(QStringLiteral("distance="), tag)));
      model.LegCourse[r][k] = static_cast<float>(ParseXmlFloat(GetXmlAttr(QStringLiteral("course="), tag)));
      model.LegWindDirection[r][k] =
          static_cast<float>(ParseXmlFloat(GetXmlAttr(QStringLiteral("windDirection="), tag)));
      model.LegWindSpeed[r][k] = static_cast<float>(ParseXmlFloat(GetXmlAttr(QStringLiteral("windSpeed="), tag)));
    } else if (name == QLatin1String("boat")) {
      if (boatCount == boatPlaces)
        throw ScorerFileError(
            QStringLiteral("レースXMLファイル %1 の艇が%2艇を超えています。").arg(path).arg(boatPlaces), path);
      const auto j = static_cast<std::size_t>(++boatCount);
      model.EntryRecord[j] = EncodeAnsi(GetXmlAttr(QStringLiteral("rms="), tag));
      const QString finish = GetXmlAttr(QStringLiteral("finish="), tag);
      const QString status = GetXmlAttr(QStringLiteral("abbr="), tag);
      if (finish.size() > 5 || status != QLatin1String("OK")) {
        model.BoatFinish[r][j] = IsoToLocalDateTime(finish);
        ++model.RaceFinishedCount[r];
        model.BoatFinished[r][j] = 1;
      } else {
        model.BoatFinish[r][j].clear();
        model.BoatFinished[r][j] = 0;
      }
      model.BoatCorrected[r][j] =
          static_cast<float>(ParseXmlFloat(GetXmlAttr(QStringLiteral("correctedSeconds="), tag)));
      model.BoatVector[r][j] = GetXmlAttr(QStringLiteral("constructedCourseVector="), tag);
      model.BoatStatus[r][j] = status.isEmpty() ? QStringLiteral("OK") : status;
      model.BoatRemarks[r][j] = GetXmlAttr(QStringLiteral("rmks="), tag);
      model.BoatPenalty[r][j] = GetXmlAttr(QStringLiteral("pnlty="), tag);
      const CurrentRecord fields = ParseRmsLine(model.EntryRecord[j]);
      model.EntryName[j] = fields.Boatname;
      model.EntrySailNo[j] = fields.SailNumber;
      model.EntryClass[j] = fields.YachtClass;
      model.EntryGph[j] = fields.GPH;
    }
  }

  model.RaceLegCount[r] = legCount;
  model.RaceEntryCount[r] = boatCount;
  model.EntryCount = boatCount;
  for (int j = 1; j <= boatCount; ++j) {
    const auto e = static_cast<std::size_t>(j);
    if (model.BoatVector[r][e].size() > 10) model.ResultsFlags |= kResultsHaveVectors;
    if (model.BoatCorrected[r][e] > 0) model.ResultsFlags |= kResultsHaveCorrected;
  }
}

}  // namespace kivo
