// Kivo on a race file made of the input. Whatever the file holds, the call
// returns a text; a failure leaves the file byte for byte as it was and no
// temporary file beside it; a success writes no result that is not a
// number (NAN, INF).
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "kivomod.h"

namespace {

// The module's result attributes of every boat hold finite numbers.
void CheckResults(const std::string& saved) {
  xmlDocPtr doc = xmlReadMemory(saved.data(), int(saved.size()), nullptr, nullptr,
                                XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  if (!doc) kivofuzz::Finding("the saved race file is not well-formed");
  static const char* const kNumbers[] = {"impliedWind", "velocity", "correctedSeconds",
                                         "constructedCourseVector", "correctedTime"};
  xmlNodePtr root = xmlDocGetRootElement(doc);
  for (xmlNodePtr list = root ? root->children : nullptr; list; list = list->next) {
    if (list->type != XML_ELEMENT_NODE || !xmlStrEqual(list->name, BAD_CAST "boats")) continue;
    for (xmlNodePtr boat = list->children; boat; boat = boat->next) {
      if (boat->type != XML_ELEMENT_NODE || xmlStrcasecmp(boat->name, BAD_CAST "boat") != 0) continue;
      for (const char* name : kNumbers) {
        xmlChar* value = xmlGetNoNsProp(boat, BAD_CAST name);
        if (!value) kivofuzz::Finding(std::string("a boat has no ") + name);
        std::string text(reinterpret_cast<const char*>(value));
        xmlFree(value);
        for (char& c : text) c = char(c >= 'a' && c <= 'z' ? c - 32 : c);
        if (text.find("NAN") != std::string::npos || text.find("INF") != std::string::npos)
          kivofuzz::Finding(std::string(name) + " holds " + text);
      }
    }
    break;
  }
  xmlFreeDoc(doc);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& folder = kivofuzz::ScratchFolder();
  const std::string path = folder + "/race_R1.xml";
  const std::string content(reinterpret_cast<const char*>(data), size);
  kivofuzz::WriteFile(path, content);

  const std::string result = Kivo(path.c_str());
  if (result.empty() || result.find(": ") == std::string::npos) {
    if (result != "OK") kivofuzz::Finding("a result that is neither OK nor a failure text: " + result);
  }
  if (kivofuzz::EntriesIn(folder) != 1)
    kivofuzz::Finding("a file was left beside the race file after: " + result);
  if (result == "OK") {
    CheckResults(kivofuzz::ReadFile(path));
  } else if (kivofuzz::ReadFile(path) != content) {
    kivofuzz::Finding("the race file changed although the call failed: " + result);
  }
  return 0;
}
