// The export: the frame of one call (load, build the race, compute, save,
// close) and the guard that turns every failure into "class: message".
#include <fcntl.h>
#include <libxml/parser.h>
#include <sys/stat.h>
#include <unistd.h>

#include <interpolation.h>

#include <cerrno>
#include <cstring>
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

// The race file, open for reading. Only a regular file counts as a file:
// a FIFO, a device, a socket or a folder at the path is no race file and is
// refused before anything is read from it (opening without blocking, so a
// FIFO with no writer cannot hang the call; the type is taken from the
// opened descriptor, so what is read is what was checked).
class TRaceFileHandle {
 public:
  explicit TRaceFileHandle(const std::string& path) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0) {
      int error = errno;
      struct stat info {};
      if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) NotFound(path);
      throw EFOpenError(Format("Cannot open file \"%s\". %s", path.c_str(), std::strerror(error)));
    }
    struct stat info {};
    if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
      ::close(fd_);
      NotFound(path);
    }
  }
  TRaceFileHandle(const TRaceFileHandle&) = delete;
  TRaceFileHandle& operator=(const TRaceFileHandle&) = delete;
  ~TRaceFileHandle() { ::close(fd_); }
  int Fd() const { return fd_; }

 private:
  [[noreturn]] static void NotFound(const std::string& path) {
    throw EFOpenError(Format("File \"%s\" not found", path.c_str()));
  }
  int fd_ = -1;
};

void ScoreRaceFile(const std::string& path) {
  TXmlDocument document = [&] {
    TRaceFileHandle file(path);
    return TXmlDocument::Load(file.Fd(), path);
  }();
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
