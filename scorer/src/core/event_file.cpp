#include "core/event_file.h"

#include <algorithm>

#include <QFileInfo>
#include <QStringList>

#include "core/file_io.h"
#include "core/local_date_time.h"
#include "core/logo_files.h"
#include "core/number_text.h"
#include "core/race_xml.h"
#include "core/rms_text.h"
#include "core/tag_reader.h"
#include "files/whole_file.h"

namespace kivo {
namespace {

const QString kEventFileWhat = QStringLiteral("イベントファイル");

// Races that ReadEventFile clears before it reads.
constexpr int kClearedRaces = 5;

// Why `tags` are no whole event file, or nothing when they are.
QString EventFileShapeFault(const QStringList& tags) {
  if (tags.isEmpty() || TagName(tags.first()) != QLatin1String("event"))
    return QStringLiteral("イベントファイルの形式ではありません。");
  if (TagName(tags.last()) != QLatin1String("/event"))
    return QStringLiteral("ファイルが途中で切れています。");
  if (std::none_of(tags.begin(), tags.end(),
                   [](const QString& tag) { return TagName(tag) == QLatin1String("race"); }))
    return QStringLiteral("レースの行がありません。");
  return QString();
}

// A logo name as written: "-" for a name shorter than 3 bytes.
QString LogoText(const QString& name) { return AnsiByteLength(name) < 3 ? QStringLiteral("-") : name; }

QString FileNameOf(const QString& path) { return QFileInfo(path).fileName(); }

}  // namespace

QString EventFilePathFor(const EventModel& model) {
  return model.RaceDataFolder + QLatin1Char('/') + SaveNameBase(model.SaveName) + QLatin1String(".kivo");
}

QStringList FilesOfAnotherEvent(const EventModel& model, const QStringList& eventFiles) {
  QStringList own;
  for (const QString& file : eventFiles) own.append(QFileInfo(file).canonicalFilePath());
  QStringList others;
  const QString raceXml =
      model.XmlFolder + QLatin1Char('/') + RaceXmlNameFor(model.SaveName, model.CurrentRace);
  for (const QString& target : {EventFilePathFor(model), raceXml}) {
    const QFileInfo existing(target);
    if (existing.isFile() && !own.contains(existing.canonicalFilePath())) others.append(target);
  }
  return others;
}

QByteArray EventFileText(const EventModel& model) {
  QStringList lines;
  lines.append(QLatin1String("<event") + XmlAttrText("name", model.EventName) +
               XmlAttrText("rms", FileNameOf(model.RmsFile)) + XmlAttrText("classname", model.EventClass) +
               XmlAttrText("chiefjury", model.Chairman) + XmlAttrText("eventissued", model.EventIssued) +
               XmlAttrText("logol", LogoText(model.LogoLeft)) +
               XmlAttrText("logom", LogoText(model.LogoMiddle)) +
               XmlAttrText("logor", LogoText(model.LogoRight)) +
               XmlAttrText("locked", QString::number(model.Locked)) + QLatin1String("/>"));
  lines.append(QStringLiteral("<races>"));
  const int races = std::clamp(model.RaceCount, 0, model.RaceName.size() - 1);
  const QString none = QStringLiteral("-");
  for (int race = 1; race <= races; ++race) {
    lines.append(QLatin1String("<race") + XmlAttrText("name", model.RaceName[race]) +
                 XmlAttrText("xml", FileNameOf(model.RaceXmlName[race])) +
                 XmlAttrText("pointcoef", model.RacePointCoef[race]) + XmlAttrText("seacondx", none) +
                 XmlAttrText("windcondx", none) + XmlAttrText("jury", model.RaceJury[race]) +
                 XmlAttrText("scratchissued", model.ScratchIssued) +
                 XmlAttrText("resultissued", model.ResultIssued) + QLatin1String("/>"));
  }
  lines.append(QStringLiteral("</races> </event>"));

  QByteArray out;
  for (const QString& line : lines) {
    out += EncodeAnsi(line);
    out += "\r\n";
  }
  return out;
}

void CopyEventLogos(const EventModel& model) {
  for (const QString* name : {&model.LogoLeft, &model.LogoMiddle, &model.LogoRight}) {
    const QString source = FindLogoFile(model.LogoFolder, *name);
    if (source.isEmpty()) continue;
    // An existing copy is left alone; a copy that fails leaves nothing
    // behind and is passed over, the page then shows no picture.
    const QString target = model.HtmlFolder + QLatin1Char('/') + *name;
    if (!QFileInfo::exists(target)) platform::CopyFileWhole(source, target, kLargestFileRead);
  }
}

void SaveEventFile(EventModel& model) {
  model.EventFile = EventFilePathFor(model);
  SaveFileWhole(model.EventFile, EventFileText(model), kEventFileWhat);
  CopyEventLogos(model);
}

void ReadEventFile(EventModel& model) {
  QByteArray content = ReadFileWhole(model.EventFile, kEventFileWhat);
  // A CP932 trail byte is never CR or LF, so the line ends can go first.
  content.replace("\r", "");
  content.replace("\n", "");
  const QStringList tags = SplitTags(DecodeAnsi(content));
  if (const QString fault = EventFileShapeFault(tags); !fault.isEmpty())
    throw UnreadableFile(kEventFileWhat, model.EventFile, fault);

  model.EventName.clear();
  model.RmsFile.clear();
  model.LogoLeft = model.LogoMiddle = model.LogoRight = QStringLiteral("-");
  model.EntryCount = 0;
  const int cleared = std::min(kClearedRaces, model.RaceName.size() - 1);
  for (int i = 1; i <= cleared; ++i) {
    model.RaceName[i].clear();
    model.RaceXmlName[i].clear();
  }

  const int racePlaces = model.RaceName.size() - 1;
  int raceCount = 0;
  QString rmsName;
  for (const QString& tag : tags) {
    const QString name = TagName(tag);
    if (name == QLatin1String("event")) {
      model.EventName = GetXmlAttr(QStringLiteral("name="), tag);
      rmsName = GetXmlAttr(QStringLiteral("rms="), tag);
      model.LogoLeft = GetXmlAttr(QStringLiteral("logol="), tag);
      model.LogoMiddle = GetXmlAttr(QStringLiteral("logom="), tag);
      model.LogoRight = GetXmlAttr(QStringLiteral("logor="), tag);
      const QString locked = GetXmlAttr(QStringLiteral("locked="), tag);
      try {
        model.Locked = ParseXmlInteger(locked);
      } catch (const EConvertError&) {
        throw UnreadableFile(kEventFileWhat, model.EventFile,
                             QStringLiteral("locked の値 \"%1\" が整数ではありません。").arg(locked));
      }
      model.EventClass = GetXmlAttr(QStringLiteral("classname="), tag);
      model.Chairman = GetXmlAttr(QStringLiteral("chiefjury="), tag);
      model.EventIssued = GetXmlAttr(QStringLiteral("eventissued="), tag);
    } else if (name == QLatin1String("race")) {
      if (raceCount == racePlaces)
        throw ScorerFileError(QStringLiteral("イベントファイル %1 のレースが%2を超えています。")
                                  .arg(model.EventFile)
                                  .arg(racePlaces),
                              model.EventFile);
      const int k = ++raceCount;
      model.RaceName[k] = GetXmlAttr(QStringLiteral("name="), tag);
      model.RaceXmlName[k] = GetXmlAttr(QStringLiteral("xml="), tag);
      model.RacePointCoef[k] = GetXmlAttr(QStringLiteral("pointcoef="), tag);
      model.RaceJury[k] = GetXmlAttr(QStringLiteral("jury="), tag);
      model.ScratchIssued = GetXmlAttr(QStringLiteral("scratchissued="), tag);
      model.ResultIssued = GetXmlAttr(QStringLiteral("resultissued="), tag);
    }
  }
  model.RmsFile = model.RmsFolder + QLatin1Char('/') + rmsName;
}

bool OpenEventFiles(EventModel& model, const QString& path, const QLocale& locale) {
  model.EventFile = path;
  ReadEventFile(model);
  for (const QString* issued : {&model.ScratchIssued, &model.ResultIssued}) {
    if (AnsiByteLength(*issued) > 5 && !ReadLocalDateTime(*issued, locale))
      throw UnreadableFile(kEventFileWhat, path,
                           QStringLiteral("発行日 \"%1\" が日付として読めません。").arg(*issued));
  }

  model.CurrentRace = 1;
  const int r = 1;
  model.RaceXmlFile = model.XmlFolder + QLatin1Char('/') + model.RaceXmlName[r];
  if (!QFileInfo(model.RaceXmlFile).isFile()) return false;
  const QString& xml = model.RaceXmlFile;
  const QString what = QStringLiteral("レースXMLファイル");
  CheckRaceXmlWhole(xml);
  try {
    ReadRaceResults(model);
  } catch (const EConvertError& e) {
    throw UnreadableFile(what, xml, QString::fromStdString(e.what()));
  }
  if (model.RaceType[r] < 0 || model.RaceType[r] >= CourseTypeCount)
    throw UnreadableFile(what, xml, QStringLiteral("コースの種類 %1 はありません。").arg(model.RaceType[r]));
  if (!ReadLocalDateTime(model.RaceStart[r], locale))
    throw UnreadableFile(what, xml,
                         QStringLiteral("スタート \"%1\" が日時として読めません。").arg(model.RaceStart[r]));
  if (!model.RaceLimit[r].isEmpty() && !ReadLocalDateTime(model.RaceLimit[r], locale))
    throw UnreadableFile(
        what, xml, QStringLiteral("タイムリミット \"%1\" が日時として読めません。").arg(model.RaceLimit[r]));
  return true;
}

EventSave EventSaveFor(EventModel model, const QLocale& locale) {
  NameRaceXml(model);
  EventSave save;
  save.raceXmlFile = model.RaceXmlFile;
  save.raceXmlText = RaceXmlText(model, locale);
  save.eventFile = EventFilePathFor(model);
  save.eventText = EventFileText(model);
  return save;
}

QString ForbiddenSaveNameMessage() { return QStringLiteral("この文字は使わないでください"); }

std::optional<QString> SaveNameAfterCheck(const QString& text) {
  static const QString forbidden = QStringLiteral(".:_&");
  if (std::none_of(text.begin(), text.end(), [](QChar c) { return forbidden.contains(c); }))
    return std::nullopt;
  QString shorter = text;
  // The last character, a pair of surrogates counting as one.
  const bool pair =
      shorter.size() >= 2 && shorter.back().isLowSurrogate() && shorter[shorter.size() - 2].isHighSurrogate();
  shorter.chop(pair ? 2 : 1);
  return shorter;
}

}  // namespace kivo
