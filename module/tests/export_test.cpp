// The export end to end, through the shared library, on race files written
// the way the scorer writes them.
#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <utility>

#include "ansi/ansi.h"
#include "kivomod.h"
#include "testing/race_file.h"

using namespace kivotest;
namespace fs = std::filesystem;

namespace {

// Velocity peaks at 8 knots and falls again: 8 knots has no implied wind.
const Seven kNoSolution = {720, 360, 600, 655, 667, 679, 692};

struct Element {
  std::string name;
  std::vector<std::pair<std::string, std::string>> attributes;  // in document order
  std::string Attr(const std::string& key) const {
    for (const auto& [k, v] : attributes)
      if (k == key) return v;
    return "<absent>";
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& a : attributes) names.push_back(a.first);
    return names;
  }
};

// The root's element children and the children of each, flattened.
struct SavedRace {
  Element root;
  std::vector<std::string> root_children;
  std::vector<Element> boats;
  std::vector<Element> legs;
};

Element ToElement(xmlNodePtr node) {
  Element e;
  e.name = reinterpret_cast<const char*>(node->name);
  for (xmlAttrPtr a = node->properties; a; a = a->next) {
    xmlChar* value = xmlNodeGetContent(reinterpret_cast<xmlNodePtr>(a));
    e.attributes.emplace_back(reinterpret_cast<const char*>(a->name), reinterpret_cast<const char*>(value));
    xmlFree(value);
  }
  return e;
}

SavedRace ReadSaved(const std::string& path) {
  SavedRace race;
  xmlDocPtr doc = xmlReadFile(path.c_str(), nullptr, XML_PARSE_NONET | XML_PARSE_NOBLANKS);
  EXPECT_NE(doc, nullptr);
  if (!doc) return race;
  xmlNodePtr root = xmlDocGetRootElement(doc);
  race.root = ToElement(root);
  for (xmlNodePtr child = root->children; child; child = child->next) {
    if (child->type != XML_ELEMENT_NODE) continue;
    race.root_children.push_back(reinterpret_cast<const char*>(child->name));
    for (xmlNodePtr item = child->children; item; item = item->next) {
      if (item->type != XML_ELEMENT_NODE) continue;
      (race.root_children.back() == "boats" ? race.boats : race.legs).push_back(ToElement(item));
    }
  }
  xmlFreeDoc(doc);
  return race;
}

class KivoExport : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/kivomod_test_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
    path_ = folder_ + "/cup_R1.xml";
  }
  void TearDown() override {
    chmod(folder_.c_str(), 0700);
    fs::remove_all(folder_);
  }

  // 15 NM in 3 hours (5 knots) and in 3 h 20 min (4.5 knots).
  static RaceSpec TwoBoats() {
    RaceSpec race;
    race.distance = "15";
    race.boats.push_back({"2017-06-04T13:00:00", RmsAttribute(RatingRecord::Typical(1.0, 610))});
    race.boats.push_back({"2017-06-04T13:20:00", RmsAttribute(RatingRecord::Typical(0.97, 590))});
    return race;
  }

  // Writes the race, calls Kivo, and checks that a failure left the file as
  // it was, byte for byte.
  std::string Run(const RaceSpec& race) { return RunOn(RaceXml(race)); }
  std::string RunOn(const std::string& content) {
    WriteFile(path_, content);
    std::string result = Kivo(path_.c_str());
    if (result != "OK") {
      EXPECT_EQ(ReadFile(path_), content) << "the file changed after: " << result;
      EXPECT_EQ(TemporaryFiles(), 0) << result;
    }
    return result;
  }
  int TemporaryFiles() const {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder_))
      if (entry.path().filename().string().front() == '.') ++count;
    return count;
  }

  std::string folder_;
  std::string path_;
};

}  // namespace

TEST_F(KivoExport, ScoresTheRaceAndWritesEveryResultAttribute) {
  RaceSpec race = TwoBoats();
  race.boats.push_back({"0", RmsAttribute(RatingRecord::Typical(1.04, 630)), "DNF"});
  ASSERT_EQ(Run(race), "OK");
  SavedRace saved = ReadSaved(path_);
  EXPECT_EQ(saved.root.Names(),
            (std::vector<std::string>{"start", "distance", "type", "name", "limit", "KivoModuleVersion"}));
  EXPECT_EQ(saved.root.Attr("KivoModuleVersion"), "1.3.0.5");
  EXPECT_EQ(saved.root_children, (std::vector<std::string>{"boats", "legs"}));  // an empty legs is appended
  EXPECT_TRUE(saved.legs.empty());
  ASSERT_EQ(saved.boats.size(), 3u);
  for (const Element& boat : saved.boats)
    EXPECT_EQ(boat.Names(),
              (std::vector<std::string>{"finish", "correctedSeconds", "impliedWind", "velocity",
                                        "constructedCourseVector", "rms", "abbr", "rmks", "pnlty", "warning",
                                        "error", "errorMessage", "correctedTime"}));
  const Element& first = saved.boats[0];
  EXPECT_EQ(first.Attr("velocity"), "5");
  EXPECT_EQ(first.Attr("constructedCourseVector"), "1020,850,740,675,630,600,575");
  EXPECT_EQ(first.Attr("error"), "");
  EXPECT_EQ(first.Attr("errorMessage"), "");
  EXPECT_EQ(first.Attr("warning"), "");
  EXPECT_EQ(first.Attr("rms"), race.boats[0].rms);
  // The reference boat (smallest GPH) keeps its elapsed time: 3 h 20 min,
  // as far as the day fractions of the two date-times carry it.
  EXPECT_NEAR(std::atof(saved.boats[1].Attr("correctedSeconds").c_str()), 12000, 1e-5);
  EXPECT_EQ(saved.boats[1].Attr("correctedTime"), "00:03:20:00");
  EXPECT_EQ(saved.boats[2].Attr("impliedWind"), "6");
  EXPECT_EQ(saved.boats[2].Attr("correctedTime").front(), '-');
  // Every printed number carries at most 15 significant digits.
  double implied = std::atof(first.Attr("impliedWind").c_str());
  EXPECT_GT(implied, 6);
  EXPECT_LT(implied, 20);
  EXPECT_EQ(std::round(implied * 1e5) / 1e5, implied);
}

TEST_F(KivoExport, RunningTwiceKeepsTheAttributesInPlaceAndTheValues) {
  ASSERT_EQ(Run(TwoBoats()), "OK");
  std::string once = ReadFile(path_);
  ASSERT_EQ(std::string(Kivo(path_.c_str())), "OK");
  EXPECT_EQ(ReadFile(path_), once);
}

TEST_F(KivoExport, SuccessTextIsExactlyOk) {
  WriteFile(path_, RaceXml(TwoBoats()));
  const char* result = Kivo(path_.c_str());
  EXPECT_STREQ(result, "OK");
}

TEST_F(KivoExport, ConstructedCourseWithAndWithoutLegWinds) {
  RaceSpec race = TwoBoats();
  race.type = "0";
  race.distance = "99";
  race.legs = {Leg("1.5", "0", "10"), Leg("1.5", "180", "10"), Leg("2", "90", "0")};
  ASSERT_EQ(Run(race), "OK");
  SavedRace saved = ReadSaved(path_);
  EXPECT_EQ(saved.root_children, (std::vector<std::string>{"legs", "boats"}));
  EXPECT_EQ(saved.boats[0].Attr("velocity"), "1.66666666666667");  // 5 NM of legs in 3 hours
  EXPECT_NE(saved.boats[0].Attr("constructedCourseVector"), "1020,850,740,675,630,600,575");

  race.legs[0].windSpeed = "12";
  race.legs[2].windSpeed = "25";
  ASSERT_EQ(Run(race), "OK");
  saved = ReadSaved(path_);
  EXPECT_EQ(saved.boats[0].Attr("impliedWind"), "13.4");  // (12 * 1.5 + 6 * 1.5 + 20 * 2) / 5
  std::string vector = saved.boats[0].Attr("constructedCourseVector");
  std::string first = vector.substr(0, vector.find(','));
  std::string flat;
  for (int k = 0; k < 7; ++k) flat += (k ? "," : "") + first;
  EXPECT_EQ(vector, flat);
}

TEST_F(KivoExport, BoatsAreChildrenOfBoatsInAnyLetterCase) {
  std::string rms = RmsAttribute(RatingRecord::Typical());
  std::string xml =
      "<race start=\"2017-06-04T10:00:00\" distance=\"21\" type=\"258\">\r\n"
      "<boat finish=\"2017-06-04T12:00:00\" rms=\"\"/>\r\n"
      "<boats><Boat finish=\"2017-06-04T13:00:00\" rms=\"" +
      rms + "\"/><note/><BOAT finish=\"2017-06-04T13:30:00\" rms=\"" + rms + "\"/></boats></race>";
  ASSERT_EQ(RunOn(xml), "OK");
  SavedRace saved = ReadSaved(path_);
  ASSERT_EQ(saved.boats.size(), 3u);
  EXPECT_EQ(saved.boats[0].Attr("velocity"), "7");
  EXPECT_EQ(saved.boats[1].Attr("velocity"), "<absent>");  // not a boat
  // Type 258 is course type 2: the Ocean curve.
  EXPECT_EQ(saved.boats[0].Attr("constructedCourseVector"), "800,660,590,550,525,505,480");
}

TEST_F(KivoExport, JapaneseNamesDoNotMoveTheColumns) {
  RaceSpec race = TwoBoats();
  RatingRecord record = RatingRecord::Typical(1.0, 610);
  record.Raw(column::Boatname, ansi::FromUtf8("かみかぜ丸 & 春一番"));
  race.boats[0].rms = RmsAttribute(record);
  ASSERT_EQ(Run(race), "OK");
  SavedRace saved = ReadSaved(path_);
  EXPECT_EQ(saved.boats[0].Attr("constructedCourseVector"), "1020,850,740,675,630,600,575");
  EXPECT_NE(saved.boats[0].Attr("rms").find("かみかぜ丸 - 春一番"), std::string::npos);
}

TEST_F(KivoExport, BoatFailureStillSavesTheRace) {
  RaceSpec race = TwoBoats();
  RatingRecord bad = RatingRecord::Typical();
  bad.Curve(column::WindwardLeeward, kNoSolution);
  race.boats.push_back({"2017-06-04T11:52:30", RmsAttribute(bad)});  // 8 knots
  ASSERT_EQ(Run(race), "OK");
  SavedRace saved = ReadSaved(path_);
  EXPECT_EQ(saved.boats[2].Attr("error"), "true");
  EXPECT_EQ(saved.boats[2].Attr("errorMessage"), "Exception: Curve is not monotonic");
  EXPECT_EQ(saved.boats[2].Attr("impliedWind"), "0");
  EXPECT_NE(saved.boats[2].Attr("correctedSeconds"), "0");
  EXPECT_EQ(saved.boats[0].Attr("error"), "");
}

TEST_F(KivoExport, MissingFile) {
  std::string missing = folder_ + "/nothing here.xml";
  EXPECT_EQ(std::string(Kivo(missing.c_str())), "EFOpenError: File \"" + missing + "\" not found");
  EXPECT_FALSE(fs::exists(missing));
  EXPECT_EQ(std::string(Kivo(folder_.c_str())), "EFOpenError: File \"" + folder_ + "\" not found");
  EXPECT_EQ(std::string(Kivo(nullptr)), "EFOpenError: File \"\" not found");
}

TEST_F(KivoExport, FailureTextStaysValidUntilTheNextCall) {
  std::string missing = folder_ + "/a.xml";
  const char* text = Kivo(missing.c_str());
  std::string copy = text;
  EXPECT_EQ(std::string(text), copy);
  WriteFile(path_, RaceXml(TwoBoats()));
  EXPECT_STREQ(Kivo(path_.c_str()), "OK");
}

TEST_F(KivoExport, NotWellFormed) {
  RaceSpec race = TwoBoats();
  race.name = "Spring & Summer";
  std::string result = Run(race);
  EXPECT_EQ(result.rfind("EDOMParseError: ", 0), 0u) << result;
  EXPECT_NE(result.find("\r\nLine: 1\r\n"), std::string::npos) << result;
  std::string line = result.substr(result.rfind("\r\n") + 2);
  EXPECT_EQ(line, std::string("<race start=\"2017-06-04T10:00:00\" distance=\"21\"").substr(0, 40));

  std::string text = RaceXml(TwoBoats());
  text.insert(text.find("</boats>"), "<boat finish=\"x\"></race>\r\n");
  result = RunOn(text);
  EXPECT_NE(result.find("\r\nLine: 5\r\n<boat finish=\"x\"></race>"), std::string::npos) << result;
  EXPECT_EQ(RunOn("").rfind("EDOMParseError: ", 0), 0u);
  EXPECT_EQ(RunOn("<race>\xff</race>").rfind("EDOMParseError: ", 0), 0u);
}

TEST_F(KivoExport, DocumentTypeDeclarationsAreRefused) {
  std::string laughs =
      "<?xml version=\"1.0\"?>\n<!DOCTYPE race [\n<!ENTITY a \"aaaaaaaaaa\">\n"
      "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">\n<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">\n]>\n"
      "<race name=\"&c;\"><boats/></race>\n";
  EXPECT_EQ(RunOn(laughs),
            "EDOMParseError: A document type declaration is not allowed in a race file\r\n"
            "Line: 2\r\n<!DOCTYPE race [");
  std::string external = "<!DOCTYPE race SYSTEM \"http://example.invalid/race.dtd\">\n<race/>";
  EXPECT_EQ(RunOn(external).rfind("EDOMParseError: A document type declaration is not allowed", 0), 0u);
  EXPECT_EQ(RunOn("<race name=\"&undeclared;\"/>").rfind("EDOMParseError: ", 0), 0u);
}

TEST_F(KivoExport, EveryFailureOfTheCallLeavesTheFileAsItWas) {
  struct Case {
    const char* what;
    std::function<void(RaceSpec&)> change;
    std::string result;
  };
  const std::string record_number = "EConvertError: '7a0.0' is not a valid floating point value";
  std::vector<Case> cases = {
      {"record number",
       [](RaceSpec& r) {
         r.boats[1].rms = RmsAttribute(RatingRecord::Typical().Text(column::Beat, 7, "7a0.0"));
       },
       record_number},
      {"short record",
       [](RaceSpec& r) { r.boats[0].rms = RmsAttribute(RatingRecord::Typical().Truncate(1185)); },
       "EConvertError: '' is not a valid floating point value"},
      {"record date part",
       [](RaceSpec& r) {
         r.boats[0].rms = RmsAttribute(RatingRecord::Typical().Text(column::RecordDateTime, 2, "3x"));
       },
       "EConvertError: '3x' is not a valid integer value"},
      {"record date",
       [](RaceSpec& r) {
         r.boats[0].rms = RmsAttribute(RatingRecord::Typical().Text(column::RecordDateTime, 5, "30/02"));
       },
       "EConvertError: '30/02/2017 10:30:00' is not a valid date and time"},
      {"start date", [](RaceSpec& r) { r.start = "2017-02-30T10:00:00"; },
       "EConvertError: '2017-02-30T10:00:00' is not a valid date and time"},
      {"finish date", [](RaceSpec& r) { r.boats[1].finish = "2017-04-31T10:00:00"; },
       "EConvertError: '2017-04-31T10:00:00' is not a valid date and time"},
      {"distance", [](RaceSpec& r) { r.distance = "12,5"; },
       "EConvertError: '12,5' is not a valid floating point value"},
      {"type", [](RaceSpec& r) { r.type = "one"; }, "EConvertError: 'one' is not a valid integer value"},
      {"leg number",
       [](RaceSpec& r) {
         r.type = "0";
         r.legs = {Leg("2", "x")};
       },
       "EConvertError: 'x' is not a valid floating point value"},
      {"no boat", [](RaceSpec& r) { r.boats.clear(); }, "EListError: List index out of bounds (0)"},
      {"finish at the start", [](RaceSpec& r) { r.boats[1].finish = r.start; },
       "EZeroDivide: Floating point division by zero"},
      {"finish at the start, no distance",
       [](RaceSpec& r) {
         r.boats[1].finish = r.start;
         r.distance = "0";
       },
       "EInvalidOp: Invalid floating point operation"},
      {"no implied wind",
       [](RaceSpec& r) {
         r.boats[0].rms = RmsAttribute(
             RatingRecord::Typical().Curve(column::WindwardLeeward, {450, 450, 450, 450, 450, 450, 450}));
         r.boats[1].rms = RmsAttribute(RatingRecord::Typical().Curve(column::WindwardLeeward, kNoSolution));
         r.boats[1].finish = "2017-06-04T11:52:30";
       },
       "EZeroDivide: Floating point division by zero"},
      {"course type", [](RaceSpec& r) { r.type = "7"; },
       "EKivoException: Course type 7 is unknown; it must be 0 (Constructed/Calculated) to 5 (Non Spinnaker)"},
      {"course type -1", [](RaceSpec& r) { r.type = "-1"; },
       "EKivoException: Course type 255 is unknown; it must be 0 (Constructed/Calculated) to 5 (Non Spinnaker)"},
      {"empty record", [](RaceSpec& r) { r.boats[1].rms = "  "; },
       "EKivoException: Boat at list position 2: the course curve W/L holds an allowance of 0 (an infinite speed); "
       "check its rating record"},
      {"leg code",
       [](RaceSpec& r) {
         r.type = "0";
         r.legs = {Leg("2"), Leg("2", "0", "0", "0", "9")};
       },
       "EKivoException: Leg 2 has the predefined course 9; it must be a course type 0 to 5"},
  };
  for (const Case& c : cases) {
    RaceSpec race = TwoBoats();
    c.change(race);
    EXPECT_EQ(Run(race), c.result) << c.what;
  }
}

TEST_F(KivoExport, ReadOnlyFileIsNotReplaced) {
  std::string content = RaceXml(TwoBoats());
  WriteFile(path_, content);
  chmod(path_.c_str(), 0444);
  std::string result = Kivo(path_.c_str());
  EXPECT_EQ(result, "EFCreateError: Cannot create file \"" + path_ + "\". Permission denied");
  EXPECT_EQ(ReadFile(path_), content);
  EXPECT_EQ(TemporaryFiles(), 0);
}

TEST_F(KivoExport, ReadOnlyFolderLeavesTheFile) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  std::string content = RaceXml(TwoBoats());
  WriteFile(path_, content);
  chmod(folder_.c_str(), 0555);
  std::string result = Kivo(path_.c_str());
  EXPECT_EQ(result.rfind("EFCreateError: Cannot create file", 0), 0u) << result;
  EXPECT_EQ(ReadFile(path_), content);
}

TEST_F(KivoExport, FullDiskDuringTheSaveLeavesTheFile) {
  // A file size limit makes the write fail part way, as a full disk does.
  std::string content = RaceXml(TwoBoats());
  WriteFile(path_, content);
  struct rlimit saved {};
  getrlimit(RLIMIT_FSIZE, &saved);
  auto previous = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 1024;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  std::string result = Kivo(path_.c_str());
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);
  EXPECT_EQ(result.rfind("EWriteError: Cannot write file \"" + path_ + "\". ", 0), 0u) << result;
  EXPECT_EQ(ReadFile(path_), content);
  EXPECT_EQ(TemporaryFiles(), 0);
}

TEST_F(KivoExport, SymbolicLinkKeepsPointingAtTheRaceFile) {
  WriteFile(path_, RaceXml(TwoBoats()));
  std::string link = folder_ + "/link.xml";
  ASSERT_EQ(symlink(path_.c_str(), link.c_str()), 0);
  ASSERT_STREQ(Kivo(link.c_str()), "OK");
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_NE(ReadFile(path_).find("KivoModuleVersion"), std::string::npos);
}

namespace {

// Kivo(path) in a child process, so that a call that blocks or reads without
// end fails the test instead of hanging it: the returned text, or "<no
// answer>" when the child has not answered within `seconds`.
std::string KivoInChild(const std::string& path, int seconds = 10) {
  int out[2];
  if (pipe(out) != 0) return "<no pipe>";
  pid_t child = fork();
  if (child == 0) {
    close(out[0]);
    std::string text = Kivo(path.c_str());
    ssize_t written = write(out[1], text.data(), text.size());
    _exit(written == static_cast<ssize_t>(text.size()) ? 0 : 1);
  }
  close(out[1]);
  std::string text;
  pollfd wait{out[0], POLLIN, 0};
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  bool answered = false;
  while (std::chrono::steady_clock::now() < deadline) {
    int left = static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now())
            .count());
    if (poll(&wait, 1, std::max(left, 1)) <= 0) continue;
    char buffer[4096];
    ssize_t got = read(out[0], buffer, sizeof buffer);
    if (got <= 0) {
      answered = true;
      break;
    }
    text.append(buffer, static_cast<size_t>(got));
  }
  close(out[0]);
  if (!answered) kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  return answered ? text : "<no answer>";
}

}  // namespace

TEST_F(KivoExport, OnlyARegularFileIsOpened) {
  // Things at the path that are no race file: each is refused at once as
  // no file there.
  std::string fifo = folder_ + "/fifo.xml";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::string loop = folder_ + "/loop.xml";
  ASSERT_EQ(symlink(loop.c_str(), loop.c_str()), 0);
  std::string to_fifo = folder_ + "/to_fifo.xml";
  ASSERT_EQ(symlink(fifo.c_str(), to_fifo.c_str()), 0);
  std::string socket_path = folder_ + "/socket.xml";
  int listener = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socket_path.c_str());
  ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(listen(listener, 1), 0);

  for (const std::string& path :
       {fifo, std::string("/dev/zero"), std::string("/dev/tty"), folder_, loop, to_fifo, socket_path}) {
    EXPECT_EQ(KivoInChild(path), "EFOpenError: File \"" + path + "\" not found") << path;
  }
  close(listener);
  EXPECT_TRUE(fs::is_fifo(fifo));
}

TEST_F(KivoExport, AParseFailureReadsOnlyTheLineItNames) {
  // A file of 64 GiB (sparse: holes read as zero bytes) whose first line is
  // not XML: the message needs its first 40 characters, not the whole file.
  WriteFile(path_, "<race name=\"x\"\x01/>");
  ASSERT_EQ(truncate(path_.c_str(), off_t(64) << 30), 0);
  std::string result = KivoInChild(path_);
  EXPECT_EQ(result.rfind("EDOMParseError: ", 0), 0u) << result;
  EXPECT_NE(result.find("\r\nLine: 1\r\n<race name=\"x\""), std::string::npos) << result;
  EXPECT_EQ(fs::file_size(path_), std::uintmax_t(64) << 30);
}
