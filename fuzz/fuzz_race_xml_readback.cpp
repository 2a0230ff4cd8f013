// The scorer's read-back of a race XML file made of the input: the race,
// its legs and boats taken into a model within its places, or a clear
// error; and the race written again from what was read is well-formed XML
// that the module can parse.
#include <libxml/parser.h>

#include <cstdint>
#include <string>

#include <QLocale>

#include "core/event_model.h"
#include "core/file_io.h"
#include "core/number_text.h"
#include "core/race_xml.h"
#include "fuzz_support.h"
#include "testing/one_race_model.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kivo;
  EventModel model = fixtures::OneRaceModel();
  model.RaceXmlFile = QString::fromStdString(kivofuzz::ScratchFolder() + "/readback_R1.xml");
  kivofuzz::WriteFile(model.RaceXmlFile.toStdString(),
                      std::string(reinterpret_cast<const char*>(data), size));
  try {
    ReadRaceResults(model);
  } catch (const ScorerFileError&) {
    return 0;
  } catch (const EConvertError&) {
    return 0;
  }
  if (model.RaceEntryCount[1] < 0 || model.RaceEntryCount[1] >= model.MaxEntries ||
      model.RaceLegCount[1] < 0 || model.RaceLegCount[1] >= model.MaxLegs)
    kivofuzz::Finding("the read-back counts more than the model holds");

  QByteArray again;
  try {
    again = RaceXmlText(model, QLocale(QLocale::Japanese, QLocale::Japan));
  } catch (const EConvertError&) {
    return 0;  // a start that reads as no date: the writer refuses it by name
  }
  xmlDocPtr doc = xmlReadMemory(again.constData(), int(again.size()), nullptr, nullptr,
                                XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  if (!doc) kivofuzz::Finding("the race written again from the read-back is not well-formed");
  xmlFreeDoc(doc);
  return 0;
}
