// The export: the frame of one call (load, build the race, compute, save,
// close) and the guard that turns every failure into "class: message".
#include <libxml/parser.h>
#include <sys/stat.h>

#include <interpolation.h>

#include <new>
#include <string>

#include "KivoLib.h"
#include "KivoXml.h"
#include "kivomod.h"

namespace {

using namespace kivo;

// The failure text of the last failed call; valid until the next call.
std::string& ResultBuffer() {
  static std::string buffer;
  return buffer;
}

__attribute__((constructor)) void LoadModule() { xmlInitParser(); }

bool FileExists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

void ScoreRaceFile(const std::string& path) {
  if (!FileExists(path)) throw EFOpenError(Format("File \"%s\" not found", path.c_str()));
  TXmlDocument document = TXmlDocument::Load(path);
  {
    TKivoRace race(document.DocumentElement());
    race.Calculate();
  }
  document.Save(path);
}

const char* Fail(const std::string& text) noexcept {
  try {
    ResultBuffer() = text;
    return ResultBuffer().c_str();
  } catch (...) {
    return "EOutOfMemory: Out of memory";
  }
}

}  // namespace

extern "C" KIVOMOD_EXPORT const char* Kivo(const char* path) {
  try {
    try {
      ScoreRaceFile(path ? path : "");
      return "OK";
    } catch (const kivo::Exception& e) {
      return Fail(e.Text());
    } catch (const alglib::ap_error& e) {
      return Fail("Exception: " + e.msg);
    } catch (const std::bad_alloc&) {
      return Fail("EOutOfMemory: Out of memory");
    } catch (const std::exception& e) {
      return Fail(std::string("Exception: ") + e.what());
    }
  } catch (...) {
    // Also what a handler above may raise while it makes its text.
    return "Exception: Unknown failure";
  }
}
