#include "core/race_xml.h"

#include <algorithm>

#include <QFileInfo>
#include <QStringList>

#include "core/file_io.h"
#include "core/local_date_time.h"
#include "core/number_text.h"
#include "core/rms_record.h"
#include "core/rms_text.h"
#include "core/tag_reader.h"
#include "locale/float_text.h"

namespace kivo {
namespace {

const QString kRaceXmlWhat = QStringLiteral("レースXMLファイル");

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
int UsablePlaces(int count, int capacity) { return std::clamp(count, 0, capacity - 1); }

}  // namespace

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

QString RaceXmlNameFor(const QString& saveName, int raceNumber) {
  return SaveNameBase(saveName.trimmed()) + QLatin1String("_R") + QString::number(raceNumber) +
         QLatin1String(".xml");
}

void NameRaceXml(EventModel& model) {
  const QString name = RaceXmlNameFor(model.SaveName, model.CurrentRace);
  model.RaceXmlName[model.CurrentRace] = name;
  model.RaceXmlFile = model.XmlFolder + QLatin1Char('/') + name;
}

QByteArray RaceXmlText(const EventModel& model, const QLocale& locale) {
  const int r = model.CurrentRace;
  QStringList lines;

  const QString startText = model.RaceStart[r];
  const DateTimeParts start = LocalDateTimePartsOrThrow(startText, locale);
  lines.append(QLatin1String("<race") + XmlAttrText("start", IsoDateTimeText(start)) +
               NumberAttr("distance", model.CourseDistance[r]) +
               XmlAttrText("type", QString::number(model.RaceType[r])) +
               XmlAttrText("name", model.RaceName[r]) + XmlAttrText("limit", model.RaceLimit[r]) +
               QLatin1Char('>'));

  if (model.RaceType[r] == 0) {
    lines.append(QStringLiteral("<legs>"));
    const int legs = UsablePlaces(model.RaceLegCount[r], model.LegDistance[r].size());
    for (int k = 1; k <= legs; ++k) {
      lines.append(QLatin1String("<leg") + NumberAttr("distance", model.LegDistance[r][k]) +
                   NumberAttr("course", model.LegCourse[r][k]) +
                   NumberAttr("windDirection", model.LegWindDirection[r][k]) +
                   NumberAttr("windSpeed", model.LegWindSpeed[r][k]) + QLatin1String("/>"));
    }
    lines.append(QStringLiteral("</legs>"));
  }

  lines.append(QStringLiteral("<boats>"));
  const int boats =
      UsablePlaces(model.RaceEntryCount[r], std::min(model.EntryRecord.size(), model.BoatFinish[r].size()));
  const QString placeholder = QStringLiteral("0");
  for (int j = 1; j <= boats; ++j) {
    QString finish = placeholder;
    const QString& finishText = model.BoatFinish[r][j];
    if (finishText.size() > 10) {
      if (const auto parts = ReadLocalDateTimeParts(finishText, locale)) finish = IsoDateTimeText(*parts);
    }
    const QString remarks = model.BoatRemarks[r][j].isEmpty() ? QStringLiteral("-") : model.BoatRemarks[r][j];
    lines.append(QLatin1String("<boat") + XmlAttrText("finish", finish) +
                 XmlAttrText("correctedSeconds", placeholder) + XmlAttrText("impliedWind", placeholder) +
                 XmlAttrText("velocity", placeholder) + XmlAttrText("constructedCourseVector", placeholder) +
                 XmlAttrText("rms", DecodeAnsi(ReplaceAmpersand(QByteArrayView(model.EntryRecord[j])))) +
                 XmlAttrText("abbr", model.BoatStatus[r][j]) + XmlAttrText("rmks", remarks) +
                 XmlAttrText("pnlty", model.BoatPenalty[r][j]) + QLatin1String("/>"));
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
  if (!hasRace)
    throw UnreadableFile(kRaceXmlWhat, path, QStringLiteral("レースXMLファイルの形式ではありません。"));
  if (TagName(tags.last()) != QLatin1String("/race"))
    throw UnreadableFile(kRaceXmlWhat, path, QStringLiteral("ファイルが途中で切れています。"));
}

void ReadRaceResults(EventModel& model) {
  model.ResultsFlags = 0;
  if (model.CurrentRace >= 0 && model.CurrentRace < model.RaceFinishedCount.size())
    model.RaceFinishedCount[model.CurrentRace] = 0;
  const QString path = model.RaceXmlFile;
  if (!QFileInfo(path).isFile()) return;

  // Line ends play no part: the lines are joined with no separator.
  QByteArray content = ReadFileWhole(path, kRaceXmlWhat);
  content.replace("\r", "");
  content.replace("\n", "");
  const QStringList tags = SplitTags(QString::fromUtf8(content));

  model.CurrentRace = 1;
  const int r = 1;
  const int legPlaces = model.LegDistance[r].size() - 1;
  const int boatPlaces = std::min(model.EntryRecord.size(), model.BoatFinish[r].size()) - 1;
  int legCount = 0;
  int boatCount = 0;
  for (const QString& tag : tags) {
    const QString name = TagName(tag);
    if (name == QLatin1String("race")) {
      model.RaceName[r] = GetXmlAttr(QStringLiteral("name="), tag);
      model.RaceStart[r] = IsoToLocalDateTime(GetXmlAttr(QStringLiteral("start="), tag));
      model.RaceLimit[r] = GetXmlAttr(QStringLiteral("limit="), tag);
      model.CourseDistance[r] =
          static_cast<float>(ParseXmlFloat(GetXmlAttr(QStringLiteral("distance="), tag)));
      model.RaceType[r] = ParseXmlInteger(GetXmlAttr(QStringLiteral("type="), tag));
    } else if (name == QLatin1String("leg")) {
      if (legCount == legPlaces)
        throw ScorerFileError(
            QStringLiteral("レースXMLファイル %1 のLEGが%2を超えています。").arg(path).arg(legPlaces), path);
      const int k = ++legCount;
      model.LegDistance[r][k] =
          static_cast<float>(ParseXmlFloat(GetXmlAttr(QStringLiteral("distance="), tag)));
      model.LegCourse[r][k] = static_cast<float>(ParseXmlFloat(GetXmlAttr(QStringLiteral("course="), tag)));
      model.LegWindDirection[r][k] =
          static_cast<float>(ParseXmlFloat(GetXmlAttr(QStringLiteral("windDirection="), tag)));
      model.LegWindSpeed[r][k] =
          static_cast<float>(ParseXmlFloat(GetXmlAttr(QStringLiteral("windSpeed="), tag)));
    } else if (name == QLatin1String("boat")) {
      if (boatCount == boatPlaces)
        throw ScorerFileError(
            QStringLiteral("レースXMLファイル %1 の艇が%2艇を超えています。").arg(path).arg(boatPlaces),
            path);
      const int j = ++boatCount;
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
    if (model.BoatVector[r][j].size() > 10) model.ResultsFlags |= kResultsHaveVectors;
    if (model.BoatCorrected[r][j] > 0) model.ResultsFlags |= kResultsHaveCorrected;
  }
}

}  // namespace kivo
