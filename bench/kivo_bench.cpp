// Times one Kivo call on races of 10 to 10000 boats (a constructed course of
// six legs, synthetic records) against a bare libxml2 load and save of the
// same file, and prints both and their ratio.
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "kivomod.h"
#include "testing/race_file.h"

using namespace kivotest;

namespace {

std::string RaceWithBoats(int boats) {
  RaceSpec race;
  race.type = "0";
  race.distance = "0";
  // A windward-leeward start, a reach, a beat and a run: true wind angles
  // from 0 to 180 degrees, so every branch of the angle curves is used.
  race.legs = {Leg("1.2", "0", "0"),   Leg("1.2", "180", "0"), Leg("0.8", "60", "0"),
               Leg("0.9", "300", "0"), Leg("1.5", "135", "0"), Leg("2.1", "225", "0")};
  for (int i = 0; i < boats; ++i) {
    double scale = 0.9 + 0.2 * ((i * 37) % 101) / 100.0;  // boats from fast to slow
    RatingRecord record = RatingRecord::Typical(scale, 600);
    char sail[16];
    std::snprintf(sail, sizeof sail, "JPN-%05d", i);
    record.Text(column::SailNumber, 12, sail);
    // 7.7 NM at about 5 knots.
    int seconds = static_cast<int>(7.7 / 5 * 3600 * scale * (0.97 + 0.06 * ((i * 13) % 17) / 16.0));
    char finish[32];
    std::snprintf(finish, sizeof finish, "2017-06-04T%02d:%02d:%02d", 10 + seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
    race.boats.push_back({finish, RmsAttribute(record)});
  }
  return RaceXml(race);
}

// The smallest of `runs` timings, in milliseconds; `prepare` runs untimed.
double Time(int runs, const std::function<void()>& prepare, const std::function<void()>& work) {
  double best = 1e300;
  for (int r = 0; r < runs; ++r) {
    prepare();
    auto begin = std::chrono::steady_clock::now();
    work();
    auto end = std::chrono::steady_clock::now();
    best = std::min(best, std::chrono::duration<double, std::milli>(end - begin).count());
  }
  return best;
}

}  // namespace

int main() {
  char pattern[] = "/tmp/kivo_bench_XXXXXX";
  if (!mkdtemp(pattern)) return 1;
  const std::string folder = pattern;
  const std::string path = folder + "/bench_R1.xml";
  xmlInitParser();

  std::printf("%8s %10s %12s %16s %8s %14s\n", "boats", "file KB", "Kivo ms", "load+save ms", "ratio",
              "Kivo us/boat");
  int status = 0;
  for (int boats : {10, 100, 1000, 10000}) {
    const std::string content = RaceWithBoats(boats);
    const int runs = boats >= 10000 ? 5 : boats >= 1000 ? 15 : 41;
    auto rewrite = [&] { WriteFile(path, content); };
    std::string result;
    double kivo = Time(runs, rewrite, [&] { result = Kivo(path.c_str()); });
    if (result != "OK") {
      std::printf("Kivo failed on %d boats: %s\n", boats, result.c_str());
      status = 1;
      break;
    }
    double bare = Time(runs, rewrite, [&] {
      xmlDocPtr doc = xmlReadFile(path.c_str(), nullptr, XML_PARSE_NONET | XML_PARSE_NOBLANKS);
      xmlSaveFormatFileEnc(path.c_str(), doc, "UTF-8", 1);
      xmlFreeDoc(doc);
    });
    std::printf("%8d %10.0f %12.2f %16.2f %8.2f %14.2f\n", boats, content.size() / 1024.0, kivo, bare,
                kivo / bare, kivo * 1000 / boats);
  }
  std::filesystem::remove_all(folder);
  return status;
}
