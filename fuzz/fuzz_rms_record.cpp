// The rating data file loader over the input as a file: lines split, control
// bytes blanked, records checked and sorted, every boat cut, summarised and
// listed against the header in the details panel. And the check that leaves
// a record out agrees with the module: a line that the loader offers is one
// that Kivo reads, a line that it refuses one that Kivo cannot read, as the
// race XML writer carries it; and what the writer writes is well-formed for
// the module.
#include <cstdint>
#include <string>
#include <vector>

#include <QByteArray>
#include <QLocale>

#include "core/event_model.h"
#include "core/race_xml.h"
#include "core/rms_details.h"
#include "core/rms_file.h"
#include "core/rms_record.h"
#include "core/rms_text.h"
#include "fuzz_support.h"
#include "kivomod.h"
#include "testing/one_race_model.h"
#include "testing/rms_fixtures.h"

namespace {

using namespace kivo;

// A boat that any record is raced against.
const QByteArray& PartnerRecord() {
  static const QByteArray record = fixtures::SyntheticRecord(1, "PARTNER");
  return record;
}

// Kivo on a race of `record` and the partner, written by the scorer's race
// XML writer. True when the module could read the record.
bool ModuleReadsRecord(const QByteArray& record) {
  static EventModel model = [] {
    EventModel m = fixtures::OneRaceModel();
    m.RaceName[1] = QStringLiteral("Fuzz");
    m.RaceStart[1] = QStringLiteral("2017/06/04 10:00:00");
    m.RaceLimit[1] = QStringLiteral("2017/06/04 16:00:00");
    m.RaceType[1] = 1;
    m.CourseDistance[1] = 10;
    for (int j = 1; j <= 2; ++j)
      fixtures::EnterBoat(m, {.finish = QStringLiteral("2017/06/04 12:0%1:00").arg(j)});
    m.RaceXmlFile = QString::fromStdString(kivofuzz::ScratchFolder() + "/record_R1.xml");
    return m;
  }();
  model.EntryRecord[1] = record;
  model.EntryRecord[2] = PartnerRecord();
  WriteRaceXml(model, QLocale(QLocale::Japanese, QLocale::Japan));
  const std::string result = Kivo(model.RaceXmlFile.toStdString().c_str());
  if (result.rfind("EDOMParseError", 0) == 0)
    kivofuzz::Finding("the module cannot parse what the writer wrote: " + result);
  return result.rfind("EConvertError", 0) != 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray content(reinterpret_cast<const char*>(data), qsizetype(size));
  const RmsLoad load = RmsLoadFromContent(content, QStringLiteral("fuzz.rms"));
  if (load.lines.size() != size_t(load.boatList.size()))
    kivofuzz::Finding("boat list and lines differ in length");
  RefusedRmsLinesMessage(load);

  Table<QString> headerNames(EventModel::HeaderNameCapacity);
  DetailListItems(BoatDetails(load.headerLine, headerNames));
  for (const QByteArray& line : load.lines) {
    for (char c : line)
      if (static_cast<unsigned char>(c) < 0x20 && c != '\t')
        kivofuzz::Finding("a boat line keeps a control byte");
    if (TrimmedBytes(line).isEmpty()) kivofuzz::Finding("a blank line became a boat");
    if (!IsReadableRatingRecord(line)) kivofuzz::Finding("an unreadable line became a boat");
    BoatSummaryText(ParseRmsLine(line));
    DetailListItems(BoatDetails(line, headerNames));
  }

  // The first few lines as they stand in the file, control bytes and all.
  const std::vector<QByteArray> lines = SplitRmsLines(content);
  int compared = 0;
  for (size_t k = 1; k < lines.size() && compared < 2; ++k) {
    if (TrimmedBytes(lines[k]).isEmpty()) continue;
    ++compared;
    if (IsReadableRatingRecord(lines[k]) != ModuleReadsRecord(lines[k]))
      kivofuzz::Finding(
          std::string("the loader and the module disagree on line ") + std::to_string(k + 1) + ": " +
          (IsReadableRatingRecord(lines[k]) ? "offered but unreadable" : "refused but readable"));
  }
  return 0;
}
