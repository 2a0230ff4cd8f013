#pragma once
// What the fuzz targets share: a scratch folder of their own for the files
// that a reader takes by path, and the report of a finding.
#include <dirent.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace kivofuzz {

// A folder made once per process, in memory where the machine offers it
// (the module makes every save durable, which costs little there), and
// removed with what it holds when the process ends normally.
inline const std::string& ScratchFolder() {
  static const std::string folder = [] {
    const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm"
                       : getenv("TMPDIR")            ? getenv("TMPDIR")
                                                     : "/tmp";
    std::string pattern = std::string(base) + "/kivo_fuzz_XXXXXX";
    if (!mkdtemp(pattern.data())) {
      std::perror("kivo fuzz: no scratch folder");
      std::abort();
    }
    static std::string made;
    made = pattern;
    std::atexit([] {
      if (DIR* dir = opendir(made.c_str())) {
        while (dirent* entry = readdir(dir)) {
          std::string name = entry->d_name;
          if (name != "." && name != "..") unlink((made + "/" + name).c_str());
        }
        closedir(dir);
      }
      rmdir(made.c_str());
    });
    return pattern;
  }();
  return folder;
}

inline void WriteFile(const std::string& path, std::string_view content) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(content.data(), std::streamsize(content.size()));
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// How many entries the folder holds besides "." and "..".
inline int EntriesIn(const std::string& folder) {
  int count = 0;
  if (DIR* dir = opendir(folder.c_str())) {
    while (dirent* entry = readdir(dir)) {
      std::string_view name = entry->d_name;
      if (name != "." && name != "..") ++count;
    }
    closedir(dir);
  }
  return count;
}

// A broken promise of the code under test: told, then the run stops (so
// libFuzzer keeps the input, and a replay fails).
[[noreturn]] inline void Finding(const std::string& what) {
  std::fprintf(stderr, "kivo fuzz finding: %s\n", what.c_str());
  std::fflush(stderr);
  std::abort();
}

}  // namespace kivofuzz
