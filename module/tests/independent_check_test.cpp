// A second, independent look at the module. The expectations here are worked
// out by hand or recomputed plainly in this file (the scoring formulas for one
// race, the spline through the spline library's own calls, the number text
// through printf), never taken from the module's output. The race files and
// certificate records are written here from the record's column table, and
// the saved files are read back with libxml2 directly.
#include <gtest/gtest.h>
#include <interpolation.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "KivoFormat.h"
#include "KivoLib.h"
#include "kivomod.h"

namespace {

using Seven = std::array<double, 7>;
constexpr std::array<double, 7> kWinds = {6, 8, 10, 12, 14, 16, 20};
constexpr std::array<int, 8> kAngles = {52, 60, 75, 90, 110, 120, 135, 150};

// ------------------------------------------------------------ plain helpers

std::string Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Printf(const char* format, ...) {
  char buffer[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  return buffer;
}

// The general number text, from printf's correctly rounded 15 digits.
std::string GeneralText(double v) {
  if (std::isnan(v)) return "NAN";
  if (std::isinf(v)) return v > 0 ? "INF" : "-INF";
  if (v == 0) return "0";
  std::string e = Printf("%.14e", std::fabs(v));  // d.dddddddddddddde+XX
  std::string digits = e.substr(0, 1) + e.substr(2, 14);
  int exponent = std::atoi(e.c_str() + e.find('e') + 1);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  std::string out = v < 0 ? "-" : "";
  if (exponent < -4 || exponent >= 15) {
    out += digits[0];
    if (digits.size() > 1) out += "." + digits.substr(1);
    out += "E" + std::to_string(exponent);
  } else if (exponent < 0) {
    out += "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
  } else {
    size_t whole = static_cast<size_t>(exponent) + 1;
    if (digits.size() <= whole) {
      out += digits + std::string(whole - digits.size(), '0');
    } else {
      out += digits.substr(0, whole) + "." + digits.substr(whole);
    }
  }
  return out;
}

std::string DaysAndClock(double seconds) {
  long long r = static_cast<long long>(std::trunc(seconds + 0.5));
  long long days = static_cast<long long>(std::trunc(static_cast<double>(r) / 86400));
  long long rest = std::llabs(r) % 86400;
  std::string day_text = days < 0 ? Printf("-%02lld", -days) : Printf("%02lld", days);
  return day_text + Printf(":%02lld:%02lld:%02lld", rest / 3600, rest / 60 % 60, rest % 60);
}

// Days since 30 December 1899, the time of day as the fraction.
double DayNumber(int y, unsigned m, unsigned d, int hh = 0, int mm = 0, int ss = 0, int ms = 0) {
  using namespace std::chrono;
  double days = static_cast<double>(sys_days(year(y) / month(m) / day(d)).time_since_epoch().count() + 25569);
  return days + (hh * 3600000.0 + mm * 60000.0 + ss * 1000.0 + ms) / 86400000.0;
}

double Cos(double degrees) { return std::cos(degrees * (M_PI / 180.0)); }

// ------------------------------------------------- the scoring, written out

// A velocity curve as the scoring sees it, with the spline built by the
// spline library itself (parabolically terminated ends).
struct PlainCurve {
  Seven allowance{};
  double fixed_wind = 0;

  bool Constant() const {
    for (double a : allowance)
      if (a != allowance[0]) return false;
    return true;
  }
  double Velocity(int i) const { return 3600 / allowance[static_cast<size_t>(i)]; }

  double Spline(double w) {
    if (!built_) {
      alglib::real_1d_array x, y;
      x.setlength(9);
      y.setlength(9);
      x[0] = 0;
      y[0] = Constant() ? Velocity(0) : 0;
      for (int k = 0; k < 7; ++k) {
        x[k + 1] = kWinds[static_cast<size_t>(k)];
        y[k + 1] = Velocity(k);
      }
      x[8] = 10000;
      y[8] = Velocity(6);
      alglib::spline1dbuildcubic(x, y, 9, 0, 0.0, 0, 0.0, spline_);
      built_ = true;
    }
    return alglib::spline1dcalc(spline_, w);
  }

  // The failure text of the monotonic check, or nothing.
  std::optional<std::string> MonotonicFailure() {
    if (Constant()) return std::nullopt;
    for (int k = 1; k < 7; ++k)
      if (Velocity(k - 1) > Velocity(k)) return "Curve is not monotonic";
    double previous = -std::numeric_limits<double>::infinity();
    for (int h = 600; h <= 2000; ++h) {
      double w = h / 100.0;
      double v = Spline(w);
      if (!(v > previous)) return Printf("Curve spline is not monotonic at W=%5.2f, V=%.2f", w, v);
      previous = v;
    }
    return std::nullopt;
  }

  // The implied wind, or the "class: message" of its failure.
  std::pair<double, std::string> Solve(double v) {
    double lo = 6, hi = 20;
    double max_allowance = *std::max_element(allowance.begin(), allowance.end());
    double min_allowance = *std::min_element(allowance.begin(), allowance.end());
    if (3600 / max_allowance >= v) return {6, ""};
    if (3600 / min_allowance <= v) return {20, ""};
    double mid = (lo + hi) / 2;
    double vm = Spline(mid);
    int iterations = 0;
    while (std::fabs(v - vm) > 1e-5) {
      if (v >= vm)
        lo = mid;
      else
        hi = mid;
      mid = (lo + hi) / 2;
      vm = Spline(mid);
      if (++iterations > 100) {
        if (auto failure = MonotonicFailure()) return {0, "Exception: " + *failure};
        return {0, "EKivoException: No Solution"};
      }
    }
    return {mid, ""};
  }

 private:
  bool built_ = false;
  alglib::spline1dinterpolant spline_;
};

struct PlainEntry {
  PlainCurve curve;
  double finish = 0;
  double gph = 0;
};

// What one boat element should carry after the call.
struct BoatResult {
  std::string warning, error, errorMessage, impliedWind, velocity, correctedTime, correctedSeconds,
      constructedCourseVector;
};

std::string VectorText(const Seven& values) {
  std::string text;
  for (size_t k = 0; k < 7; ++k) text += (k ? "," : "") + GeneralText(values[k]);
  return text;
}

// One race scored by hand, step by step.
std::vector<BoatResult> ScoreByHand(double distance, double start, std::vector<PlainEntry> boats) {
  std::vector<BoatResult> out(boats.size());
  std::vector<double> velocity(boats.size()), implied(boats.size(), 0.0);
  size_t reference = 0;
  for (size_t b = 0; b < boats.size(); ++b) {
    if (boats[b].gph < boats[reference].gph) reference = b;
    velocity[b] = distance / ((boats[b].finish - start) * 24);
    PlainCurve& curve = boats[b].curve;
    if (curve.Constant()) {
      implied[b] = curve.fixed_wind;
    } else {
      auto [wind, failure] = curve.Solve(velocity[b]);
      if (!failure.empty()) {
        out[b].error = "true";
        out[b].errorMessage = failure;
        continue;
      }
      implied[b] = std::trunc(wind / 0.00001 + 0.5) * 0.00001;
    }
    if (auto failure = curve.MonotonicFailure()) out[b].warning = *failure;
  }
  double race_wind = 0;
  for (double w : implied) race_wind = std::max(race_wind, w);
  if (std::fabs(race_wind - 6) < 1e-5) race_wind = 6;
  if (std::fabs(race_wind - 20) < 1e-5) race_wind = 20;
  double reference_allowance = 3600 / boats[reference].curve.Spline(race_wind);
  for (size_t b = 0; b < boats.size(); ++b) {
    double elapsed = (boats[b].finish - start) * 24 * 60 * 60;
    double allowance = 3600 / boats[b].curve.Spline(race_wind);
    double corrected = distance * reference_allowance + (elapsed - distance * allowance);
    out[b].impliedWind = GeneralText(implied[b]);
    out[b].velocity = GeneralText(velocity[b]);
    out[b].correctedTime = DaysAndClock(corrected);
    out[b].correctedSeconds = GeneralText(corrected);
    out[b].constructedCourseVector = VectorText(boats[b].curve.allowance);
  }
  return out;
}

// -------------------------------------------------- boats and their records

// A boat's tables as they stand in its record (one decimal, so the record's
// text reads back as exactly these doubles).
struct Tables {
  Seven wl, olympic, cr, ns, ocean, ua, da, beat, run;
  std::array<Seven, 8> angle;
  double gph = 600;
};

Seven Scaled(const Seven& values, double scale) {
  Seven out;
  for (size_t k = 0; k < 7; ++k) out[k] = std::round(values[k] * scale * 10) / 10;
  return out;
}

Tables TypicalBoat(double scale, double gph) {
  Tables t;
  t.wl = Scaled({1000, 830, 730, 670, 630, 605, 580}, scale);
  t.olympic = Scaled({900, 760, 675, 625, 590, 565, 535}, scale);
  t.cr = Scaled({860, 710, 625, 585, 560, 540, 515}, scale);
  t.ns = Scaled({890, 745, 665, 620, 595, 575, 555}, scale);
  t.ocean = Scaled({810, 665, 595, 555, 530, 510, 485}, scale);
  t.ua = {44.0, 42.5, 41.0, 40.0, 39.5, 39.0, 38.5};
  t.da = {143, 148, 153, 160, 167, 171, 174};
  t.beat = Scaled({1010, 855, 765, 715, 685, 668, 657}, scale);
  const Seven angles[8] = {{625, 525, 472, 452, 442, 437, 433}, {605, 508, 458, 437, 427, 422, 419},
                           {592, 497, 447, 422, 407, 399, 393}, {602, 502, 447, 417, 397, 382, 369},
                           {645, 523, 457, 420, 394, 374, 352}, {684, 548, 472, 430, 400, 377, 352},
                           {765, 603, 508, 455, 417, 390, 357}, {875, 693, 573, 503, 455, 420, 380}};
  for (size_t j = 0; j < 8; ++j) t.angle[j] = Scaled(angles[j], scale);
  t.run = Scaled({1055, 855, 725, 645, 585, 545, 495}, scale);
  t.gph = std::round(gph * 10) / 10;
  return t;
}

// The certificate record line (bytes of the system code page), columns from
// the column table.
class Record {
 public:
  explicit Record(const Tables& t) : line_(1192, ' ') {
    Put(1, "JPN");
    Put(4, "000123");
    Put(18, "JPN-0001");
    Put(30, "INDEPENDENT");
    Put(54, "CHECK 40");
    Put(273, "04/06/2017 10:30:00");
    Put(340, Printf("%6.1f", t.gph));
    Block(374, 7, t.wl);
    Block(423, 7, t.olympic);
    Block(472, 7, t.cr);
    Block(521, 7, t.ns);
    Block(570, 7, t.ocean);
    Block(619, 6, t.ua);
    Block(661, 6, t.da);
    Block(703, 7, t.beat);
    for (int j = 0; j < 8; ++j) Block(752 + 49 * j, 7, t.angle[static_cast<size_t>(j)]);
    Block(1144, 7, t.run);
  }
  Record& Put(int column, std::string_view bytes) {
    size_t at = static_cast<size_t>(column - 1);
    if (line_.size() < at + bytes.size()) line_.resize(at + bytes.size(), ' ');
    line_.replace(at, bytes.size(), bytes);
    return *this;
  }
  void Block(int column, int width, const Seven& values) {
    for (int k = 0; k < 7; ++k)
      Put(column + k * width, Printf("%*.1f", width, values[static_cast<size_t>(k)]));
  }
  const std::string& Line() const { return line_; }

 private:
  std::string line_;
};

Seven CourseTable(const Tables& t, int type) {
  switch (type) {
    case 1:
      return t.wl;
    case 2:
      return t.ocean;
    case 3:
      return t.olympic;
    case 4:
      return t.cr;
    case 5:
      return t.ns;
  }
  return Seven{};
}

// ------------------------------------------- the constructed course, plainly

double Lagrange(const std::vector<double>& x, const std::vector<double>& y, double at) {
  double sum = 0;
  for (size_t k = 0; k < x.size(); ++k) {
    double nlow = 1, nhigh = 1, dlow = 1, dhigh = 1;
    for (size_t j = 0; j < k; ++j) nlow = nlow * (at - x[j]);
    for (size_t j = k + 1; j < x.size(); ++j) nhigh = nhigh * (at - x[j]);
    for (size_t j = 0; j < k; ++j) dlow = dlow * (x[k] - x[j]);
    for (size_t j = k + 1; j < x.size(); ++j) dhigh = dhigh * (x[k] - x[j]);
    double basis = (dlow == 0 || dhigh == 0) ? 0 : (nlow * nhigh) / (dlow * dhigh);
    sum = sum + basis * y[k];
  }
  return sum;
}

Seven CurveForAngle(const Tables& b, double t) {
  Seven out;
  for (size_t i = 0; i < 7; ++i) {
    double u = b.ua[i], d = b.da[i];
    if (u >= t) {
      out[i] = b.beat[i] * Cos(t);
    } else if (t < d) {
      double vb = 3600 / b.beat[i], vr = 3600 / b.run[i];
      std::vector<double> x = {u - 2, u}, y = {vb / Cos(u - 2), vb / Cos(u)};
      for (size_t p = 0; p < 8; ++p)
        if (u < kAngles[p] && kAngles[p] < d) {
          x.push_back(kAngles[p]);
          y.push_back(3600 / b.angle[p][i]);
        }
      x.push_back(d);
      y.push_back(vr / Cos(180 - d));
      x.push_back(d + 2);
      y.push_back(vr / Cos(180 - (d + 2)));
      size_t f = 0;
      while (x[f] < t) ++f;
      size_t lo = f >= 2 ? f - 2 : 0, hi = std::min(f + 1, x.size() - 1);
      std::vector<double> wx(x.begin() + lo, x.begin() + hi + 1), wy(y.begin() + lo, y.begin() + hi + 1);
      out[i] = 3600 / Lagrange(wx, wy, t);
    } else {
      out[i] = b.run[i] * Cos(180 - t);
    }
  }
  return out;
}

struct PlainLeg {
  double distance, course, wind_direction, wind_speed;
  int code = 0;
};

PlainCurve ConstructedByHand(const Tables& b, const std::vector<PlainLeg>& legs) {
  double total = 0;
  bool has_wind = false;
  for (const PlainLeg& leg : legs) {
    total = total + leg.distance;
    if (leg.wind_speed != 0) has_wind = true;
  }
  PlainCurve result;
  for (const PlainLeg& leg : legs) {
    double t = leg.wind_direction - leg.course;
    if (t < 0) t = t + 360;
    if (t > 180) t = 360 - t;
    PlainCurve leg_curve;
    leg_curve.allowance = leg.code == 0 ? CurveForAngle(b, t) : CourseTable(b, leg.code);
    if (has_wind) {
      double ws = std::max(6.0, std::min(20.0, leg.wind_speed));
      double a = 3600 / leg_curve.Spline(ws);
      for (double& r : result.allowance) r = r + a * leg.distance / total;
      result.fixed_wind = result.fixed_wind + ws * leg.distance / total;
    } else {
      for (size_t i = 0; i < 7; ++i)
        result.allowance[i] = result.allowance[i] + leg_curve.allowance[i] * leg.distance / total;
    }
  }
  return result;
}

// --------------------------------------------------------- race files

struct FileBoat {
  std::string finish;
  std::string rms;  // UTF-8
  std::string element = "boat";
};

struct FileRace {
  std::string start = "2017-06-04T10:00:00";
  std::string distance = "15";
  std::string type = "1";
  std::vector<std::string> legs;  // the attributes of each leg element
  std::vector<FileBoat> boats;
};

std::string RaceText(const FileRace& race) {
  std::string xml = "<race start=\"" + race.start + "\" distance=\"" + race.distance + "\" type=\"" +
                    race.type + "\" name=\"Independent\" limit=\"2017/06/04 18:00:00\">\r\n";
  if (!race.legs.empty()) {
    xml += "<legs>\r\n";
    for (const std::string& leg : race.legs) xml += "<leg " + leg + "/>\r\n";
    xml += "</legs>\r\n";
  }
  xml += "<boats>\r\n";
  for (const FileBoat& boat : race.boats)
    xml += "<" + boat.element + " finish=\"" + boat.finish +
           "\" correctedSeconds=\"0\" impliedWind=\"0\" velocity=\"0\" constructedCourseVector=\"0\" rms=\"" +
           boat.rms + "\" abbr=\"OK\" rmks=\"-\" pnlty=\"0\"/>\r\n";
  xml += "</boats>\r\n</race>\r\n";
  return xml;
}

using Attributes = std::vector<std::pair<std::string, std::string>>;

Attributes AttributesOf(xmlNodePtr node) {
  Attributes out;
  for (xmlAttrPtr a = node->properties; a; a = a->next) {
    xmlChar* value = xmlNodeGetContent(reinterpret_cast<xmlNodePtr>(a));
    out.emplace_back(reinterpret_cast<const char*>(a->name),
                     value ? reinterpret_cast<const char*>(value) : "");
    xmlFree(value);
  }
  return out;
}

std::string Value(const Attributes& attributes, const std::string& name) {
  for (const auto& [n, v] : attributes)
    if (n == name) return v;
  return "<absent>";
}

std::vector<std::string> Names(const Attributes& attributes) {
  std::vector<std::string> names;
  for (const auto& a : attributes) names.push_back(a.first);
  return names;
}

// The saved file, read with libxml2 alone.
struct SavedRace {
  Attributes root;
  std::vector<std::string> root_children;
  std::vector<Attributes> boats;  // children of boats, in order
  std::vector<std::string> boat_names;
};

SavedRace ReadSaved(const std::string& path) {
  SavedRace saved;
  xmlDocPtr doc = xmlReadFile(path.c_str(), nullptr, XML_PARSE_NONET | XML_PARSE_NOBLANKS);
  if (!doc) return saved;
  xmlNodePtr root = xmlDocGetRootElement(doc);
  saved.root = AttributesOf(root);
  for (xmlNodePtr c = root->children; c; c = c->next) {
    if (c->type != XML_ELEMENT_NODE) continue;
    saved.root_children.push_back(reinterpret_cast<const char*>(c->name));
    if (xmlStrcmp(c->name, BAD_CAST "boats") == 0 && saved.boats.empty())
      for (xmlNodePtr b = c->children; b; b = b->next)
        if (b->type == XML_ELEMENT_NODE) {
          saved.boats.push_back(AttributesOf(b));
          saved.boat_names.push_back(reinterpret_cast<const char*>(b->name));
        }
  }
  xmlFreeDoc(doc);
  return saved;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

class IndependentCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/kivo_independent_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
    path_ = folder_ + "/check_R1.xml";
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::permissions(folder_, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(folder_, ignored);
  }
  std::string Run(const std::string& content) {
    std::ofstream(path_, std::ios::binary) << content;
    return Kivo(path_.c_str());
  }
  std::vector<std::string> FolderEntries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  void ExpectBoat(const Attributes& saved, const BoatResult& expected, const std::string& label) {
    EXPECT_EQ(Value(saved, "warning"), expected.warning) << label;
    EXPECT_EQ(Value(saved, "error"), expected.error) << label;
    EXPECT_EQ(Value(saved, "errorMessage"), expected.errorMessage) << label;
    EXPECT_EQ(Value(saved, "impliedWind"), expected.impliedWind) << label;
    EXPECT_EQ(Value(saved, "velocity"), expected.velocity) << label;
    EXPECT_EQ(Value(saved, "correctedTime"), expected.correctedTime) << label;
    EXPECT_EQ(Value(saved, "correctedSeconds"), expected.correctedSeconds) << label;
    EXPECT_EQ(Value(saved, "constructedCourseVector"), expected.constructedCourseVector) << label;
  }

  std::string folder_;
  std::string path_;
};

const double kStart = DayNumber(2017, 6, 4, 10, 0, 0);

// ================================================================ numbers

TEST(IndependentNumberText, HandWorkedExamples) {
  const std::pair<double, const char*> cases[] = {
      {0, "0"},
      {-0.0, "0"},
      {1, "1"},
      {-1.5, "-1.5"},
      {100, "100"},
      {0.00005, "5E-5"},
      {0.0001, "0.0001"},
      {0.00012345, "0.00012345"},
      {-0.000015, "-1.5E-5"},
      {1e20, "1E20"},
      {1e15, "1E15"},
      {1e14, "100000000000000"},
      {999999999999999.0, "999999999999999"},
      {999999999999999.9, "1E15"},
      {0.000099999999999999999, "0.0001"},
      {9999999999999999.0, "1E16"},
      {123456789012345678.0, "1.23456789012346E17"},
      {1.0 / 3, "0.333333333333333"},
      {2.0 / 3, "0.666666666666667"},
      {0.1 + 0.2, "0.3"},
      {3725.2, "3725.2"},
      {-90000, "-90000"},
      {12.34567, "12.34567"},
      {1e-300, "1E-300"},
      {std::numeric_limits<double>::infinity(), "INF"},
      {-std::numeric_limits<double>::infinity(), "-INF"},
      {std::numeric_limits<double>::quiet_NaN(), "NAN"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(kivo::FloatText(value), text) << value;
}

TEST(IndependentNumberText, AgreesWithPrintfRoundingOverManyValues) {
  std::mt19937_64 random(20170604);
  std::uniform_real_distribution<double> mantissa(1.0, 10.0);
  std::uniform_int_distribution<int> exponent(-12, 20);
  for (int n = 0; n < 200000; ++n) {
    double v = mantissa(random) * std::pow(10.0, exponent(random));
    if (n % 2) v = -v;
    if (n % 7 == 0) v = std::round(v * 1000) / 1000;  // short decimals too
    ASSERT_EQ(kivo::FloatText(v), GeneralText(v)) << Printf("%.17g", v);
  }
}

TEST(IndependentNumberText, ReadsLikeStrtod) {
  std::mt19937_64 random(1852);
  std::uniform_int_distribution<int> digit(0, 9), length(1, 21), point(0, 22), exponent(-30, 30), kind(0, 5);
  for (int n = 0; n < 200000; ++n) {
    std::string text;
    if (kind(random) == 0) text += "-";
    int digits = length(random);
    int dot = point(random);
    for (int k = 0; k < digits; ++k) {
      if (k == dot) text += ".";
      text += static_cast<char>('0' + digit(random));
    }
    if (kind(random) == 1) text += "e" + std::to_string(exponent(random));
    if (kind(random) == 2) text = "  " + text + " ";
    double expected = std::strtod(text.c_str(), nullptr);
    double got = -1;
    ASSERT_TRUE(kivo::TryTextToFloat(text, got)) << text;
    ASSERT_EQ(got, expected) << text;
    ASSERT_EQ(std::signbit(got), std::signbit(expected)) << text;
  }
}

TEST(IndependentCorrectedTime, DaysAndClock) {
  const std::pair<double, const char*> cases[] = {
      {93784.6, "01:02:03:05"},  {3725.2, "00:01:02:05"},    {90061, "01:01:01:01"},
      {-90000, "-01:00:59:59"},  {-3600, "00:00:59:59"},     {0, "00:00:00:00"},
      {86399.5, "01:00:00:00"},  {86399.4, "00:23:59:59"},   {-0.6, "00:00:00:00"},
      {-1.6, "00:00:00:01"},     {864000, "10:00:00:00"},    {8640000, "100:00:00:00"},
      {-864000, "-09:23:59:59"}, {-86400.6, "-01:00:00:00"},
  };
  for (const auto& [seconds, text] : cases) EXPECT_EQ(kivo::FormatCorrectedTime(seconds), text) << seconds;
}

// ============================================================ date readers

TEST(IndependentDateText, PositionsAndRangeDefaults) {
  const std::pair<const char*, double> cases[] = {
      {"2017-06-04T10:30:00", DayNumber(2017, 6, 4, 10, 30, 0)},
      {"2017-06-04 10:30:00", DayNumber(2017, 6, 4, 10, 30, 0)},
      {"2017/06/04x10.30.00", DayNumber(2017, 6, 4, 10, 30, 0)},
      {"0", DayNumber(1900, 1, 1)},
      {"2017-13-05T10:00:00", DayNumber(2017, 1, 5, 10, 0, 0)},
      {"2017-00-05T10:00:00", DayNumber(2017, 1, 5, 10, 0, 0)},
      {"2017-06-32T10:00:00", DayNumber(2017, 6, 1, 10, 0, 0)},
      {"2017-06-04T24:61:75", DayNumber(2017, 6, 4, 0, 0, 0)},
      {"2017-06-04T10:30:00.250", DayNumber(2017, 6, 4, 10, 30, 0, 250)},
      {"2017-06-04T10:30", DayNumber(2017, 6, 4, 10, 30, 0)},
      {"2017-06-04", DayNumber(2017, 6, 4)},
      {"abcd-06-04T10:30:00", DayNumber(1900, 6, 4, 10, 30, 0)},
      {"2016-02-29T00:00:00", DayNumber(2016, 2, 29)},
      {"1899-12-30T00:00:00", 0.0},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(kivo::ParseDateTimeText(text), value) << text;

  for (const char* bad :
       {"2017-02-30T10:00:00", "2017-04-31T10:00:00", "1900-02-29T00:00:00", "2017-06-04T10:30:00.-50"}) {
    try {
      kivo::ParseDateTimeText(bad);
      ADD_FAILURE() << bad << " was read";
    } catch (const kivo::Exception& e) {
      EXPECT_STREQ(e.ClassName(), "EConvertError") << bad;
    }
  }
}

TEST(IndependentDateText, AttributeDefaults) {
  EXPECT_EQ(kivo::ReadDateTimeAttr(std::nullopt, 0), 0);
  EXPECT_EQ(kivo::ReadDateTimeAttr(std::string(""), 0), 0);
  EXPECT_EQ(kivo::ReadDateTimeAttr(std::string("Nan"), 0), 0);
  EXPECT_EQ(kivo::ReadDateTimeAttr(std::string("NAN"), 0), 0);
  EXPECT_EQ(kivo::ReadDateTimeAttr(std::string("0"), 0), 2.0);
}

TEST(IndependentAttributeReaders, NumbersAndWholeNumbers) {
  EXPECT_EQ(kivo::ReadFloatAttr(std::nullopt, 0), 0);
  EXPECT_EQ(kivo::ReadFloatAttr(std::string(""), 0), 0);
  EXPECT_EQ(kivo::ReadFloatAttr(std::string("NaN"), 0), 0);
  EXPECT_EQ(kivo::ReadFloatAttr(std::string("nan"), 0), 0);
  EXPECT_EQ(kivo::ReadFloatAttr(std::string("12.5"), 0), 12.5);
  EXPECT_EQ(kivo::ReadFloatAttr(std::string("-0.25"), 0), -0.25);
  EXPECT_EQ(kivo::ReadFloatAttr(std::string("1e3"), 0), 1000);
  for (const char* bad : {"12,5", "abc", "1.2.3", "INF", "1e", "--1"}) {
    try {
      kivo::ReadFloatAttr(std::string(bad), 0);
      ADD_FAILURE() << bad << " was read";
    } catch (const kivo::Exception& e) {
      EXPECT_EQ(e.Text(), std::string("EConvertError: '") + bad + "' is not a valid floating point value");
    }
  }
  EXPECT_EQ(kivo::ReadIntegerAttr(std::nullopt, 0), 0);
  EXPECT_EQ(kivo::ReadIntegerAttr(std::string("258"), 0), 258);
  EXPECT_EQ(static_cast<uint8_t>(kivo::ReadIntegerAttr(std::string("258"), 0)), 2);
  for (const char* bad : {"", "x1", "2.0", "NaN"}) {
    try {
      kivo::ReadIntegerAttr(std::string(bad), 0);
      ADD_FAILURE() << bad << " was read";
    } catch (const kivo::Exception& e) {
      EXPECT_EQ(e.Text(), std::string("EConvertError: '") + bad + "' is not a valid integer value");
    }
  }
}

TEST(IndependentRaceWind, EndsOfTheWindRange) {
  const std::pair<double, double> cases[] = {{5.999995, 6},        {6.000004, 6},   {5.99998, 5.99998},
                                             {19.999995, 20},      {20.000009, 20}, {12.34567, 12.34567},
                                             {19.99998, 19.99998}, {0, 0}};
  for (const auto& [wind, expected] : cases) EXPECT_EQ(kivo::SnapRaceWind(wind), expected) << wind;
}

// ===================================================== spline and polar

// The parabolically terminated spline, solved here from its conditions:
// second derivatives continuous inside, the first and the last piece
// parabolas (their end slopes average to the chord's slope).
double OwnParabolicSpline(const std::array<double, 9>& x, const std::array<double, 9>& y, double at) {
  constexpr int n = 9;
  double m[n][n + 1] = {};
  double s[n - 1], h[n - 1];
  for (int i = 0; i < n - 1; ++i) {
    h[i] = x[i + 1] - x[i];
    s[i] = (y[i + 1] - y[i]) / h[i];
  }
  m[0][0] = 1, m[0][1] = 1, m[0][n] = 2 * s[0];
  for (int i = 1; i < n - 1; ++i) {
    m[i][i - 1] = h[i];
    m[i][i] = 2 * (h[i - 1] + h[i]);
    m[i][i + 1] = h[i - 1];
    m[i][n] = 3 * (h[i] * s[i - 1] + h[i - 1] * s[i]);
  }
  m[n - 1][n - 2] = 1, m[n - 1][n - 1] = 1, m[n - 1][n] = 2 * s[n - 2];
  for (int c = 0; c < n; ++c) {
    int pivot = c;
    for (int r = c + 1; r < n; ++r)
      if (std::fabs(m[r][c]) > std::fabs(m[pivot][c])) pivot = r;
    for (int k = 0; k <= n; ++k) std::swap(m[c][k], m[pivot][k]);
    for (int r = 0; r < n; ++r) {
      if (r == c) continue;
      double f = m[r][c] / m[c][c];
      for (int k = c; k <= n; ++k) m[r][k] -= f * m[c][k];
    }
  }
  double d[n];
  for (int i = 0; i < n; ++i) d[i] = m[i][n] / m[i][i];
  int i = 0;
  while (i < n - 2 && at > x[i + 1]) ++i;
  double t = (at - x[i]) / h[i];
  double h00 = 2 * t * t * t - 3 * t * t + 1, h10 = t * t * t - 2 * t * t + t,
         h01 = -2 * t * t * t + 3 * t * t, h11 = t * t * t - t * t;
  return h00 * y[i] + h10 * h[i] * d[i] + h01 * y[i + 1] + h11 * h[i] * d[i + 1];
}

TEST(IndependentSpline, ParabolicEndsAndTheLibrarysValues) {
  const Seven allowances[] = {{1000, 830, 730, 670, 630, 605, 580},
                              {900, 720, 720, 720, 600, 514.3, 450},
                              {450, 450, 450, 450, 450, 450, 450},
                              {450, 800, 430, 420, 410, 400, 380}};
  for (const Seven& a : allowances) {
    kivo::TKivoCurve curve;
    curve.Assign(a);
    PlainCurve plain;
    plain.allowance = a;
    std::array<double, 9> x = {0, 6, 8, 10, 12, 14, 16, 20, 10000}, y{};
    y[0] = plain.Constant() ? plain.Velocity(0) : 0;
    for (int k = 0; k < 7; ++k) y[static_cast<size_t>(k) + 1] = plain.Velocity(k);
    y[8] = plain.Velocity(6);
    for (int h = 0; h <= 3000; ++h) {
      double w = h / 100.0;
      ASSERT_EQ(curve.SplineVelocity(w), plain.Spline(w)) << w;  // the library's own evaluation, to the bit
      ASSERT_NEAR(plain.Spline(w), OwnParabolicSpline(x, y, w), 1e-9) << w;
    }
    for (double w : {100.0, 5000.0, 9999.0, 10000.0, 12000.0, -1.0}) {
      ASSERT_EQ(curve.SplineVelocity(w), plain.Spline(w)) << w;
      ASSERT_NEAR(plain.Spline(w), OwnParabolicSpline(x, y, w),
                  1e-7 * std::max(1.0, std::fabs(plain.Spline(w))))
          << w;
    }
    for (int k = 0; k < 7; ++k)
      EXPECT_NEAR(curve.SplineVelocity(kWinds[static_cast<size_t>(k)]), y[k + 1], 1e-12);
  }
}

TEST(IndependentSpline, ImpliedWindAndMonotonicCheck) {
  const Seven allowances[] = {{1000, 830, 730, 670, 630, 605, 580},
                              {900, 720, 720, 720, 600, 514.3, 450},
                              {450, 900, 400, 900, 380, 370, 360}};
  for (const Seven& a : allowances) {
    kivo::TKivoCurve curve;
    curve.Assign(a);
    PlainCurve plain;
    plain.allowance = a;
    for (double v = 3.0; v < 10.5; v += 0.0137) {
      auto [wind, failure] = plain.Solve(v);
      try {
        double got = curve.SolveImpliedWind(v);
        EXPECT_EQ(failure, "") << v;
        EXPECT_EQ(got, wind) << v;
      } catch (const kivo::Exception& e) {
        EXPECT_EQ(e.Text(), failure) << v;
      }
    }
    auto failure = plain.MonotonicFailure();
    try {
      curve.CheckMonotonic();
      EXPECT_FALSE(failure.has_value()) << *failure;
    } catch (const kivo::Exception& e) {
      ASSERT_TRUE(failure.has_value()) << e.Text();
      EXPECT_EQ(e.Text(), "Exception: " + *failure);
    }
  }
  // At the knot extremes exactly.
  kivo::TKivoCurve curve;
  curve.Assign({1000, 830, 730, 670, 630, 605, 580});
  EXPECT_EQ(curve.SolveImpliedWind(3600 / 1000.0), 6);
  EXPECT_EQ(curve.SolveImpliedWind(3600 / 580.0), 20);
  EXPECT_EQ(curve.SolveImpliedWind(-4), 6);
}

TEST(IndependentSpline, RandomCurvesAgreeWithThePlainScoring) {
  std::mt19937_64 random(42);
  std::uniform_real_distribution<double> start(700, 1100), step(0.78, 1.02), speed(2.5, 9.5), wind(-2, 30);
  for (int n = 0; n < 300; ++n) {
    Seven a;
    a[0] = std::round(start(random) * 10) / 10;
    for (size_t k = 1; k < 7; ++k) a[k] = std::round(a[k - 1] * step(random) * 10) / 10;
    kivo::TKivoCurve curve;
    curve.Assign(a);
    PlainCurve plain;
    plain.allowance = a;
    for (int m = 0; m < 50; ++m) {
      double w = wind(random);
      ASSERT_EQ(curve.SplineVelocity(w), plain.Spline(w)) << n << " " << w;
      double v = speed(random);
      auto [expected, failure] = plain.Solve(v);
      std::string got_failure;
      double got = 0;
      try {
        got = curve.SolveImpliedWind(v);
      } catch (const kivo::Exception& e) {
        got_failure = e.Text();
      }
      ASSERT_EQ(got_failure, failure) << n << " " << v;
      ASSERT_EQ(got, expected) << n << " " << v;
    }
    auto failure = plain.MonotonicFailure();
    std::string got_failure;
    try {
      curve.CheckMonotonic();
    } catch (const kivo::Exception& e) {
      got_failure = e.Message();
    }
    ASSERT_EQ(got_failure, failure.value_or("")) << n;
  }
}

TEST(IndependentPolar, LagrangeWindows) {
  kivo::TKivoPolar polar;
  const std::vector<double> x = {38, 40, 52, 60, 75, 90, 110, 120, 135, 150, 152};
  const std::vector<double> y = {5.1, 5.6, 6.4, 6.9, 7.3, 7.4, 7.2, 7.0, 6.6, 6.0, 5.9};
  for (size_t k = 0; k < x.size(); ++k) polar.AddPoint(x[k], y[k]);
  struct Case {
    double at;
    size_t lo, hi;
  };
  // x at or below the first angle: points 0..1; up to the second: 0..2; the
  // last: f-2..f; otherwise f-2..f+1.
  const Case cases[] = {{30, 0, 1}, {38, 0, 1}, {39, 0, 2},   {40, 0, 2},   {45, 0, 3},
                        {60, 1, 4}, {61, 2, 5}, {151, 8, 10}, {152, 8, 10}, {136, 7, 10}};
  for (const Case& c : cases) {
    std::vector<double> wx(x.begin() + c.lo, x.begin() + c.hi + 1),
        wy(y.begin() + c.lo, y.begin() + c.hi + 1);
    EXPECT_EQ(kivo::InterpolatePolar(polar, c.at), Lagrange(wx, wy, c.at)) << c.at;
  }
  EXPECT_EQ(kivo::InterpolatePolar(polar, 90), 7.4);
  try {
    kivo::InterpolatePolar(polar, 152.5);
    ADD_FAILURE() << "no failure";
  } catch (const kivo::Exception& e) {
    EXPECT_EQ(e.Text(), "Exception: Incorrect x value \"152.5\"");
  }
  // Two points at one angle: each contributes nothing.
  kivo::TKivoPolar twin;
  twin.AddPoint(40, 5);
  twin.AddPoint(40, 6);
  twin.AddPoint(50, 7);
  EXPECT_EQ(kivo::InterpolatePolar(twin, 45), 7 * ((45.0 - 40) * (45.0 - 40)) / ((50.0 - 40) * (50.0 - 40)));
}

// ================================================ whole races, every course

struct CourseCase {
  int type;
  std::vector<std::pair<double, double>> boats;  // scale and GPH
  std::vector<std::string> finishes;
};

TEST_F(IndependentCheck, EveryPredefinedCourseType) {
  const std::vector<std::string> finishes = {"2017-06-04T13:05:00", "2017-06-04T13:12:41",
                                             "2017-06-04T13:31:17", "2017-06-04T12:41:09"};
  const std::vector<std::pair<double, double>> boats = {{1.0, 610}, {0.97, 580}, {1.04, 580}, {0.93, 612}};
  const std::vector<double> finish_days = {DayNumber(2017, 6, 4, 13, 5, 0), DayNumber(2017, 6, 4, 13, 12, 41),
                                           DayNumber(2017, 6, 4, 13, 31, 17),
                                           DayNumber(2017, 6, 4, 12, 41, 9)};
  for (int type = 1; type <= 5; ++type) {
    FileRace race;
    race.type = std::to_string(type);
    race.distance = "15.3";
    std::vector<PlainEntry> plain;
    for (size_t b = 0; b < boats.size(); ++b) {
      Tables t = TypicalBoat(boats[b].first, boats[b].second);
      race.boats.push_back({finishes[b], Record(t).Line()});
      PlainEntry e;
      e.curve.allowance = CourseTable(t, type);
      e.finish = finish_days[b];
      e.gph = t.gph;
      plain.push_back(e);
    }
    ASSERT_EQ(Run(RaceText(race)), "OK") << type;
    SavedRace saved = ReadSaved(path_);
    std::vector<BoatResult> expected = ScoreByHand(15.3, kStart, plain);
    ASSERT_EQ(saved.boats.size(), expected.size());
    for (size_t b = 0; b < expected.size(); ++b)
      ExpectBoat(saved.boats[b], expected[b], "type " + std::to_string(type) + " boat " + std::to_string(b));
    // The second boat (GPH 580, the first of the smallest) is the reference:
    // its corrected time is its elapsed time.
    EXPECT_EQ(Value(saved.boats[1], "correctedSeconds"),
              GeneralText((finish_days[1] - kStart) * 24 * 60 * 60));
  }
}

TEST_F(IndependentCheck, HandWorkedVelocitiesAndReferenceBoat) {
  // 21 NM in 3 and 4 hours: 7 and 5.25 knots.
  FileRace race;
  race.distance = "21";
  race.boats = {{"2017-06-04T13:00:00", Record(TypicalBoat(1.0, 610)).Line()},
                {"2017-06-04T14:00:00", Record(TypicalBoat(1.0, 580)).Line()}};
  ASSERT_EQ(Run(RaceText(race)), "OK");
  SavedRace saved = ReadSaved(path_);
  // The times are days as doubles, so 4 hours is 4/24 day only nearly: the
  // texts carry the difference in their last digits.
  const double three = DayNumber(2017, 6, 4, 13, 0, 0) - kStart,
               four = DayNumber(2017, 6, 4, 14, 0, 0) - kStart;
  EXPECT_EQ(Value(saved.boats[0], "velocity"), GeneralText(21 / (three * 24)));
  EXPECT_EQ(Value(saved.boats[1], "velocity"), GeneralText(21 / (four * 24)));
  EXPECT_NEAR(std::stod(Value(saved.boats[0], "velocity")), 7, 1e-8);
  EXPECT_NEAR(std::stod(Value(saved.boats[1], "velocity")), 5.25, 1e-8);
  // 7 knots is above the fastest W/L knot speed (3600/580 = 6.2 knots).
  EXPECT_EQ(Value(saved.boats[0], "impliedWind"), "20");
  // The reference boat sails its own allowance: its corrected time is its
  // elapsed time, 4 hours.
  EXPECT_EQ(Value(saved.boats[1], "correctedSeconds"), GeneralText(four * 24 * 60 * 60));
  EXPECT_NEAR(std::stod(Value(saved.boats[1], "correctedSeconds")), 14400, 1e-3);
  EXPECT_EQ(Value(saved.boats[1], "correctedTime"), "00:04:00:00");
}

TEST_F(IndependentCheck, BoatWithoutFinishAndAnUnreadableGph) {
  Tables slow = TypicalBoat(1.02, 600);
  Record no_gph(slow);
  no_gph.Put(340, "  abc ");
  FileRace race;
  race.boats = {{"2017-06-04T13:10:00", Record(TypicalBoat(1.0, 590)).Line()}, {"0", no_gph.Line()}};
  ASSERT_EQ(Run(RaceText(race)), "OK");
  std::vector<PlainEntry> plain(2);
  plain[0].curve.allowance = TypicalBoat(1.0, 590).wl;
  plain[0].finish = DayNumber(2017, 6, 4, 13, 10, 0);
  plain[0].gph = 590;
  plain[1].curve.allowance = slow.wl;
  plain[1].finish = DayNumber(1900, 1, 1);
  plain[1].gph = 0;  // not a number: 0, so this boat is the reference
  std::vector<BoatResult> expected = ScoreByHand(15, kStart, plain);
  SavedRace saved = ReadSaved(path_);
  ExpectBoat(saved.boats[0], expected[0], "finished boat");
  ExpectBoat(saved.boats[1], expected[1], "boat without finish");
  EXPECT_EQ(Value(saved.boats[1], "impliedWind"), "6");
  EXPECT_EQ(Value(saved.boats[1], "correctedSeconds").substr(0, 1), "-");
}

// ================================================ constructed courses

const std::vector<PlainLeg> kLegs = {
    {1.2, 350, 10, 0, 0},  // t = 20: beat branch
    {0.8, 0, 100, 0, 0},   // t = 100: polar
    {1.5, 200, 20, 0, 0},  // t = 180: run branch
    {0.9, 60, 0, 0, 0},    // t = 60: polar, at a fixed angle
    {1.1, 10, 160, 0, 0},  // t = 150: polar near the gybe angle
    {0.7, 0, 0, 0, 1},     // W/L copy
    {0.6, 0, 0, 0, 2},     // Ocean copy
};

std::string LegAttributes(const PlainLeg& leg, bool with_code) {
  std::string text = "distance=\"" + GeneralText(leg.distance) + "\" course=\"" + GeneralText(leg.course) +
                     "\" windDirection=\"" + GeneralText(leg.wind_direction) + "\" windSpeed=\"" +
                     GeneralText(leg.wind_speed) + "\"";
  if (with_code) text += " predefinedCourse=\"" + std::to_string(leg.code) + "\"";
  return text;
}

TEST_F(IndependentCheck, ConstructedCourseWithoutLegWinds) {
  FileRace race;
  race.type = "0";
  race.distance = "99";  // not used: the legs give the distance
  double total = 0;
  for (const PlainLeg& leg : kLegs) {
    race.legs.push_back(LegAttributes(leg, leg.code != 0));
    total = total + leg.distance;
  }
  const std::vector<std::pair<double, double>> boats = {{1.0, 600}, {0.96, 590}, {1.05, 620}};
  const std::vector<double> hours = {1.45, 1.38, 1.62};
  std::vector<PlainEntry> plain;
  for (size_t b = 0; b < boats.size(); ++b) {
    Tables t = TypicalBoat(boats[b].first, boats[b].second);
    int seconds = static_cast<int>(hours[b] * 3600);
    race.boats.push_back(
        {Printf("2017-06-04T%02d:%02d:%02d", 10 + seconds / 3600, seconds / 60 % 60, seconds % 60),
         Record(t).Line()});
    PlainEntry e;
    e.curve = ConstructedByHand(t, kLegs);
    e.finish = DayNumber(2017, 6, 4, 10 + seconds / 3600, seconds / 60 % 60, seconds % 60);
    e.gph = t.gph;
    plain.push_back(e);
  }
  ASSERT_EQ(Run(RaceText(race)), "OK");
  std::vector<BoatResult> expected = ScoreByHand(total, kStart, plain);
  SavedRace saved = ReadSaved(path_);
  for (size_t b = 0; b < expected.size(); ++b)
    ExpectBoat(saved.boats[b], expected[b], "boat " + std::to_string(b));
}

TEST_F(IndependentCheck, ConstructedCourseWithLegWinds) {
  std::vector<PlainLeg> legs = kLegs;
  legs[0].wind_speed = 4;  // counts as 6
  legs[1].wind_speed = 12.5;
  legs[2].wind_speed = 25;  // counts as 20
  legs[4].wind_speed = 9;
  // legs 3, 5 and 6 have none: 6 knots; a course and direction outside
  // 0..360 give t = 360 - 430 = -70, the beat branch
  legs.push_back({0.5, -30, 400, 14, 0});
  FileRace race;
  race.type = "0";
  race.distance = "0";
  double total = 0;
  for (const PlainLeg& leg : legs) {
    race.legs.push_back(LegAttributes(leg, true));
    total = total + leg.distance;
  }
  const std::vector<std::pair<double, double>> boats = {{1.0, 600}, {0.96, 590}, {1.05, 620}};
  std::vector<PlainEntry> plain;
  for (size_t b = 0; b < boats.size(); ++b) {
    Tables t = TypicalBoat(boats[b].first, boats[b].second);
    race.boats.push_back({"2017-06-04T11:2" + std::to_string(b) + ":30", Record(t).Line()});
    PlainEntry e;
    e.curve = ConstructedByHand(t, legs);
    e.finish = DayNumber(2017, 6, 4, 11, 20 + static_cast<int>(b), 30);
    e.gph = t.gph;
    ASSERT_TRUE(e.curve.Constant());
    plain.push_back(e);
  }
  ASSERT_EQ(Run(RaceText(race)), "OK");
  std::vector<BoatResult> expected = ScoreByHand(total, kStart, plain);
  SavedRace saved = ReadSaved(path_);
  for (size_t b = 0; b < expected.size(); ++b)
    ExpectBoat(saved.boats[b], expected[b], "boat " + std::to_string(b));
  // The implied wind is the distance-weighted clamped wind of the legs.
  double fixed = 0;
  for (const PlainLeg& leg : legs)
    fixed = fixed + std::max(6.0, std::min(20.0, leg.wind_speed)) * leg.distance / total;
  EXPECT_EQ(Value(saved.boats[0], "impliedWind"), GeneralText(fixed));
}

TEST_F(IndependentCheck, ConstructedCourseOfCodesOnlyMixesTheCurves) {
  // 1 NM of W/L and 3 NM of Ocean: 0.25 W/L + 0.75 Ocean at every index.
  Tables t = TypicalBoat(1.0, 600);
  FileRace race;
  race.type = "0";
  race.legs = {"distance=\"1\" course=\"0\" windDirection=\"0\" windSpeed=\"0\" predefinedCourse=\"1\"",
               "distance=\"3\" course=\"0\" windDirection=\"0\" windSpeed=\"0\" predefinedCourse=\"258\""};
  race.boats = {{"2017-06-04T10:50:00", Record(t).Line()}};
  ASSERT_EQ(Run(RaceText(race)), "OK");
  Seven mix;
  for (size_t i = 0; i < 7; ++i) mix[i] = 0 + t.wl[i] * 1 / 4.0 + t.ocean[i] * 3 / 4.0;
  SavedRace saved = ReadSaved(path_);
  EXPECT_EQ(Value(saved.boats[0], "constructedCourseVector"), VectorText(mix));
  EXPECT_EQ(Value(saved.boats[0], "velocity"),
            GeneralText(4 / ((DayNumber(2017, 6, 4, 10, 50, 0) - kStart) * 24)));
}

// ====================================== per-boat failures and warnings

TEST_F(IndependentCheck, PerBoatErrorAndWarning) {
  Tables good = TypicalBoat(1.0, 590);
  Tables falling = TypicalBoat(1.0, 600);  // velocity falls from 12 knots on
  falling.wl = {450, 423.5, 400, 900, 378.9, 360, 327.3};
  Tables flat = TypicalBoat(1.0, 600);  // knots rise or stay, the spline dips
  flat.wl = {900, 720, 720, 720, 600, 514.3, 450};
  FileRace race;
  race.distance = "9";
  race.boats = {{"2017-06-04T12:40:00", Record(good).Line()},
                {"2017-06-04T12:00:00", Record(falling).Line()},  // 4.5 knots
                {"2017-06-04T11:30:00", Record(flat).Line()}};    // 6 knots
  ASSERT_EQ(Run(RaceText(race)), "OK");
  std::vector<PlainEntry> plain(3);
  plain[0].curve.allowance = good.wl;
  plain[0].finish = DayNumber(2017, 6, 4, 12, 40, 0);
  plain[0].gph = 590;
  plain[1].curve.allowance = falling.wl;
  plain[1].finish = DayNumber(2017, 6, 4, 12, 0, 0);
  plain[1].gph = 600;
  plain[2].curve.allowance = flat.wl;
  plain[2].finish = DayNumber(2017, 6, 4, 11, 30, 0);
  plain[2].gph = 600;
  std::vector<BoatResult> expected = ScoreByHand(9, kStart, plain);
  ASSERT_EQ(expected[1].error, "true");
  ASSERT_EQ(expected[1].errorMessage, "Exception: Curve is not monotonic");
  ASSERT_NE(expected[2].warning, "");
  SavedRace saved = ReadSaved(path_);
  for (size_t b = 0; b < 3; ++b) ExpectBoat(saved.boats[b], expected[b], "boat " + std::to_string(b));
  EXPECT_EQ(Value(saved.boats[1], "impliedWind"), "0");
}

// ============================================ file layout and attributes

TEST_F(IndependentCheck, AttributeOrderAndTheEmptyLegs) {
  FileRace race;
  race.type = "258";  // course type 2
  Tables t = TypicalBoat(1.0, 600);
  race.boats = {{"2017-06-04T13:00:00", Record(t).Line()},
                {"2017-06-04T13:10:00", Record(t).Line(), "Boat"},
                {"2017-06-04T13:20:00", Record(t).Line(), "BOAT"},
                {"2017-06-04T13:20:00", "", "note"}};
  std::string text = RaceText(race);
  // A boat element outside boats is no boat.
  text.insert(text.find("<boats>"), "<boat finish=\"2017-06-04T13:00:00\" rms=\"\"/>\r\n");
  ASSERT_EQ(Run(text), "OK");
  SavedRace saved = ReadSaved(path_);
  EXPECT_EQ(Names(saved.root),
            (std::vector<std::string>{"start", "distance", "type", "name", "limit", "KivoModuleVersion"}));
  EXPECT_EQ(Value(saved.root, "KivoModuleVersion"), "1.3.0.5");
  EXPECT_EQ(saved.root_children, (std::vector<std::string>{"boat", "boats", "legs"}));
  const std::vector<std::string> order = {"finish",
                                          "correctedSeconds",
                                          "impliedWind",
                                          "velocity",
                                          "constructedCourseVector",
                                          "rms",
                                          "abbr",
                                          "rmks",
                                          "pnlty",
                                          "warning",
                                          "error",
                                          "errorMessage",
                                          "correctedTime"};
  ASSERT_EQ(saved.boats.size(), 4u);
  for (size_t b = 0; b < 3; ++b) {
    EXPECT_EQ(Names(saved.boats[b]), order) << b;
    EXPECT_EQ(Value(saved.boats[b], "constructedCourseVector"), VectorText(t.ocean));
  }
  EXPECT_EQ(Names(saved.boats[3]),
            (std::vector<std::string>{"finish", "correctedSeconds", "impliedWind", "velocity",
                                      "constructedCourseVector", "rms", "abbr", "rmks", "pnlty"}));
  // A second call finds every attribute in place and gives the same file.
  std::string first = ReadBytes(path_);
  ASSERT_EQ(Kivo(path_.c_str()), std::string("OK"));
  EXPECT_EQ(ReadBytes(path_), first);
}

TEST_F(IndependentCheck, NewAttributesFollowTheExistingOnesInWritingOrder) {
  Tables t = TypicalBoat(1.0, 600);
  std::string text =
      "<Regatta start=\"2017-06-04T10:00:00\" distance=\"15\" type=\"1\"><boats><boat "
      "correctedTime=\"x\" rms=\"" +
      Record(t).Line() + "\" finish=\"2017-06-04T13:00:00\" error=\"old\"/></boats></Regatta>";
  ASSERT_EQ(Run(text), "OK");
  SavedRace saved = ReadSaved(path_);
  EXPECT_EQ(
      Names(saved.boats[0]),
      (std::vector<std::string>{"correctedTime", "rms", "finish", "error", "warning", "errorMessage",
                                "impliedWind", "velocity", "correctedSeconds", "constructedCourseVector"}));
  EXPECT_EQ(Value(saved.boats[0], "error"), "");
  EXPECT_EQ(Names(saved.root), (std::vector<std::string>{"start", "distance", "type", "KivoModuleVersion"}));
}

// ================================================== Japanese names

TEST_F(IndependentCheck, RecordIsCutByTheBytesOfItsCodePageForm) {
  Tables t = TypicalBoat(1.0, 600);
  // 日本丸 and ｱｲｳ: two bytes per kanji and one per half-width kana in the
  // code page, three each in UTF-8.
  const std::string name_ansi = "\x93\xfa\x96\x7b\x8a\xdb \xb1\xb2\xb3";
  const std::string name_utf8 = "\xe6\x97\xa5\xe6\x9c\xac\xe4\xb8\xb8 \xef\xbd\xb1\xef\xbd\xb2\xef\xbd\xb3";
  const std::string club_ansi = "\x83\x88\x83\x62\x83\x67";  // ヨット
  const std::string club_utf8 = "\xe3\x83\xa8\xe3\x83\x83\xe3\x83\x88";
  Record record(t);
  record.Put(30, name_ansi).Put(113, club_ansi);
  std::string rms = record.Line();
  rms.replace(112, club_ansi.size(), club_utf8);  // the later field first, so the earlier offset holds
  rms.replace(29, name_ansi.size(), name_utf8);
  FileRace race;
  race.boats = {{"2017-06-04T13:00:00", rms}, {"2017-06-04T13:10:00", Record(TypicalBoat(1.01, 601)).Line()}};
  ASSERT_EQ(Run(RaceText(race)), "OK");
  std::vector<PlainEntry> plain(2);
  plain[0].curve.allowance = t.wl;
  plain[0].finish = DayNumber(2017, 6, 4, 13, 0, 0);
  plain[0].gph = 600;
  plain[1].curve.allowance = TypicalBoat(1.01, 601).wl;
  plain[1].finish = DayNumber(2017, 6, 4, 13, 10, 0);
  plain[1].gph = TypicalBoat(1.01, 601).gph;
  std::vector<BoatResult> expected = ScoreByHand(15, kStart, plain);
  SavedRace saved = ReadSaved(path_);
  ExpectBoat(saved.boats[0], expected[0], "Japanese name");
  ExpectBoat(saved.boats[1], expected[1], "other boat");
  EXPECT_EQ(Value(saved.boats[0], "rms").substr(29, name_utf8.size()), name_utf8);
}

TEST_F(IndependentCheck, RecordWithBlankFirstColumnsIsCountedFromItsFirstCharacter) {
  Tables t = TypicalBoat(1.0, 600);
  FileRace race;
  race.boats = {{"2017-06-04T13:00:00", "   " + Record(t).Line()}};  // trimmed as a whole first
  ASSERT_EQ(Run(RaceText(race)), "OK");
  std::vector<PlainEntry> plain(1);
  plain[0].curve.allowance = t.wl;
  plain[0].finish = DayNumber(2017, 6, 4, 13, 0, 0);
  plain[0].gph = 600;
  ExpectBoat(ReadSaved(path_).boats[0], ScoreByHand(15, kStart, plain)[0], "blank columns");
}

// ======================================== failures: text and file untouched

struct FailureCase {
  FailureCase(const char* name, std::string content, std::string text, bool prefix = false,
              std::string contains = "", bool ends = false)
      : name(name),
        content(std::move(content)),
        text(std::move(text)),
        prefix(prefix),
        contains(std::move(contains)),
        ends(ends) {}
  const char* name;
  std::string content;
  std::string text;  // the whole returned text, or its start when `prefix`
  bool prefix;
  std::string contains;  // more that the text must hold
  bool ends;             // and end with
};

std::vector<FailureCase> FailureCases() {
  Tables t = TypicalBoat(1.0, 600);
  const std::string good = Record(t).Line();
  auto one_boat = [&](std::string rms, std::string start = "2017-06-04T10:00:00", std::string distance = "15",
                      std::string type = "1", std::string finish = "2017-06-04T13:00:00") {
    FileRace race;
    race.start = std::move(start);
    race.distance = std::move(distance);
    race.type = std::move(type);
    race.boats = {{std::move(finish), std::move(rms)}};
    return RaceText(race);
  };
  std::vector<FailureCase> cases;

  std::string bad_line = "<race start=\"2017-06-04T10:00:00\" distance=\"15\" type=\"1\" name=\"A & B\">";
  cases.push_back({"not well-formed", bad_line + "\r\n<boats/>\r\n</race>\r\n", "EDOMParseError: ", true,
                   "\r\nLine: 1\r\n" + bad_line.substr(0, 40), true});
  {
    // The line's first 40 characters, not bytes.
    std::string kanji;
    for (int k = 0; k < 45; ++k) kanji += "\xe6\x97\xa5";  // 日
    std::string forty = "<boat rms=\"";
    for (int k = 0; k < 29; ++k) forty += "\xe6\x97\xa5";
    cases.push_back(
        {"not well-formed on line 3",
         "<race type=\"1\">\r\n<boats>\r\n<boat rms=\"" + kanji + " & x\"/>\r\n</boats>\r\n</race>\r\n",
         "EDOMParseError: ", true, "\r\nLine: 3\r\n" + forty, true});
  }
  cases.push_back({"declares a DTD",
                   "<!DOCTYPE race [<!ENTITY e \"x\">]>\r\n<race type=\"1\"><boats/></race>\r\n",
                   "EDOMParseError: ", true, "\r\nLine: "});

  Record bad_number(t);
  bad_number.Put(381, "    abc");  // second W/L field
  cases.push_back({"record number", one_boat(bad_number.Line()),
                   "EConvertError: 'abc' is not a valid floating point value"});
  cases.push_back({"record ends before the last Run field", one_boat(good.substr(0, 1185)),
                   "EConvertError: '' is not a valid floating point value"});
  Record bad_beat_angle(t);
  bad_beat_angle.Put(625, "  4,5 ");
  cases.push_back({"record angle", one_boat(bad_beat_angle.Line()),
                   "EConvertError: '4,5' is not a valid floating point value"});
  Record bad_parts(t);
  bad_parts.Put(273, "ab/06/2017 cd:30:00");  // the hour is read before the day
  cases.push_back(
      {"record date part", one_boat(bad_parts.Line()), "EConvertError: 'cd' is not a valid integer value"});
  Record no_date(t);
  no_date.Put(273, "30/02/2017 10:30:00");
  cases.push_back({"record date that does not exist", one_boat(no_date.Line()), "EConvertError: ", true});

  cases.push_back(
      {"start date that does not exist", one_boat(good, "2017-02-30T10:00:00"), "EConvertError: ", true});
  cases.push_back({"finish date that does not exist",
                   one_boat(good, "2017-06-04T10:00:00", "15", "1", "2017-04-31T13:00:00"),
                   "EConvertError: ", true});
  cases.push_back({"distance with a comma", one_boat(good, "2017-06-04T10:00:00", "12,5"),
                   "EConvertError: '12,5' is not a valid floating point value"});
  cases.push_back({"type not a whole number", one_boat(good, "2017-06-04T10:00:00", "15", "x1"),
                   "EConvertError: 'x1' is not a valid integer value"});
  cases.push_back({"empty type", one_boat(good, "2017-06-04T10:00:00", "15", ""),
                   "EConvertError: '' is not a valid integer value"});
  {
    FileRace race;
    race.type = "0";
    race.legs = {"distance=\"1\" course=\"0\" windDirection=\"90\" windSpeed=\"fast\""};
    race.boats = {{"2017-06-04T13:00:00", good}};
    cases.push_back(
        {"leg number", RaceText(race), "EConvertError: 'fast' is not a valid floating point value"});
  }

  cases.push_back({"empty file", "", "EDOMParseError: ", true});
  cases.push_back({"blanks only", "  \r\n", "EDOMParseError: ", true});
  {
    // Boats are read first, then the legs, then the race's own attributes.
    FileRace race;
    race.type = "0";
    race.distance = "12,5";
    race.legs = {"distance=\"x\" course=\"0\" windDirection=\"90\" windSpeed=\"0\""};
    race.boats = {{"2017-06-04T13:00:00", bad_number.Line()}};
    cases.push_back({"record before legs and race", RaceText(race),
                     "EConvertError: 'abc' is not a valid floating point value"});
    race.boats = {{"2017-06-04T13:00:00", good}};
    cases.push_back(
        {"legs before race", RaceText(race), "EConvertError: 'x' is not a valid floating point value"});
  }
  cases.push_back(
      {"overflow", one_boat(good, "2017-06-04T10:00:00", "1e308"), "EOverflow: Floating point overflow"});
  cases.push_back({"no boat",
                   "<race start=\"2017-06-04T10:00:00\" distance=\"15\" type=\"1\"><boats/></race>",
                   "EListError: List index out of bounds (0)"});
  cases.push_back(
      {"boats in other letter case",
       "<race start=\"2017-06-04T10:00:00\" distance=\"15\" type=\"1\"><Boats><boat finish=\"0\"/>"
       "</Boats></race>",
       "EListError: List index out of bounds (0)"});
  cases.push_back({"no boats element", "<race start=\"2017-06-04T10:00:00\" distance=\"15\" type=\"1\"/>",
                   "EListError: List index out of bounds (0)"});
  cases.push_back({"finish at the start",
                   one_boat(good, "2017-06-04T10:00:00", "15", "1", "2017-06-04T10:00:00"),
                   "EZeroDivide: Floating point division by zero"});
  cases.push_back({"finish at the start over no distance",
                   one_boat(good, "2017-06-04T10:00:00", "0", "1", "2017-06-04T10:00:00"),
                   "EInvalidOp: Invalid floating point operation"});
  {
    Tables falling = t;
    falling.wl = {450, 423.5, 400, 900, 378.9, 360, 327.3};
    cases.push_back({"no implied wind above 0",
                     one_boat(Record(falling).Line(), "2017-06-04T10:00:00", "9", "1", "2017-06-04T12:00:00"),
                     "EZeroDivide: Floating point division by zero"});
  }
  {
    FileRace race;
    race.type = "0";
    race.legs = {"distance=\"0\" course=\"0\" windDirection=\"90\" windSpeed=\"0\""};
    race.boats = {{"2017-06-04T13:00:00", good}};
    cases.push_back({"legs of no distance", RaceText(race), "EInvalidOp: Invalid floating point operation"});
  }

  cases.push_back(
      {"course type 6", one_boat(good, "2017-06-04T10:00:00", "15", "6"), "EKivoException: ", true, "6"});
  cases.push_back({"course type 255", one_boat(good, "2017-06-04T10:00:00", "15", "-1"),
                   "EKivoException: ", true, "255"});
  {
    FileRace race;
    race.type = "0";
    race.legs = {"distance=\"1\" course=\"0\" windDirection=\"90\" windSpeed=\"0\"",
                 "distance=\"1\" course=\"0\" windDirection=\"90\" windSpeed=\"0\" predefinedCourse=\"6\""};
    race.boats = {{"2017-06-04T13:00:00", good}};
    cases.push_back({"leg code 6", RaceText(race), "EKivoException: ", true, "Leg 2"});
  }
  {
    Tables zero = t;
    zero.wl[3] = 0;
    FileRace race;
    race.boats = {{"2017-06-04T13:00:00", good}, {"2017-06-04T13:05:00", Record(zero).Line()}};
    cases.push_back(
        {"allowance 0 in the course curve", RaceText(race), "EKivoException: ", true, "position 2"});
    FileRace blank;
    blank.boats = {{"2017-06-04T13:00:00", "  "}, {"2017-06-04T13:05:00", good}};
    cases.push_back({"blank record", RaceText(blank), "EKivoException: ", true, "position 1"});
    FileRace empty;
    empty.boats = {{"2017-06-04T13:00:00", good}, {"2017-06-04T13:05:00", good}, {"2017-06-04T13:05:00", ""}};
    cases.push_back({"empty record", RaceText(empty), "EKivoException: ", true, "position 3"});
  }
  {
    // A 0 in the record that a constructed course's leg uses.
    Tables zero_beat = t;
    zero_beat.beat[2] = 0;
    FileRace race;
    race.type = "0";
    race.legs = {"distance=\"1\" course=\"0\" windDirection=\"30\" windSpeed=\"0\""};
    race.boats = {{"2017-06-04T13:00:00", good}, {"2017-06-04T13:05:00", Record(zero_beat).Line()}};
    cases.push_back({"allowance 0 on a beat leg", RaceText(race), "EKivoException: ", true, "position 2"});
    race.legs = {"distance=\"1\" course=\"0\" windDirection=\"45\" windSpeed=\"0\""};
    cases.push_back({"allowance 0 in a reach polar", RaceText(race), "EKivoException: ", true, "position 2"});
    Tables zero_run = t;
    zero_run.run[4] = 0;  // the gybe-angle points of the 14-knot polar
    race.boats[1].rms = Record(zero_run).Line();
    race.legs = {"distance=\"1\" course=\"0\" windDirection=\"0\" windSpeed=\"0\"",
                 "distance=\"1\" course=\"0\" windDirection=\"160\" windSpeed=\"0\""};
    cases.push_back({"allowance 0 near the gybe angle", RaceText(race), "EKivoException: ", true,
                     "position 2: the curve for leg 2"});
    Tables zero_angle = t;
    zero_angle.angle[3][1] = 0;  // R90 at 8 knots
    race.legs = {"distance=\"1\" course=\"0\" windDirection=\"95\" windSpeed=\"0\""};
    race.boats[1].rms = Record(zero_angle).Line();
    cases.push_back({"allowance 0 at a fixed angle", RaceText(race), "EKivoException: ", true, "position 2"});
    race.legs = {"distance=\"1\" course=\"0\" windDirection=\"95\" windSpeed=\"10\""};
    cases.push_back(
        {"allowance 0 at a fixed angle, leg winds", RaceText(race), "EKivoException: ", true, "position 2"});
  }
  return cases;
}

TEST_F(IndependentCheck, FailuresLeaveTheFileByteForByte) {
  for (const FailureCase& c : FailureCases()) {
    std::string result = Run(c.content);
    if (c.prefix) {
      EXPECT_EQ(result.substr(0, c.text.size()), c.text) << c.name << ": " << result;
    } else {
      EXPECT_EQ(result, c.text) << c.name;
    }
    if (!c.contains.empty()) {
      EXPECT_NE(result.find(c.contains), std::string::npos) << c.name << ": " << result;
    }
    if (c.ends) {
      EXPECT_TRUE(result.size() >= c.contains.size() &&
                  result.compare(result.size() - c.contains.size(), c.contains.size(), c.contains) == 0)
          << c.name << ": " << result;
    }
    EXPECT_EQ(ReadBytes(path_), c.content) << c.name;
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"check_R1.xml"}) << c.name;
  }
}

TEST_F(IndependentCheck, MissingFileIsNotCreated) {
  std::string missing = folder_ + "/none_R1.xml";
  EXPECT_EQ(std::string(Kivo(missing.c_str())), "EFOpenError: File \"" + missing + "\" not found");
  EXPECT_TRUE(FolderEntries().empty());
  // A folder at the path is no file either.
  std::filesystem::create_directory(missing);
  EXPECT_EQ(std::string(Kivo(missing.c_str())), "EFOpenError: File \"" + missing + "\" not found");
}

TEST_F(IndependentCheck, UnwritableFileKeepsItsContent) {
  FileRace race;
  race.boats = {{"2017-06-04T13:00:00", Record(TypicalBoat(1.0, 600)).Line()}};
  std::string content = RaceText(race);
  std::ofstream(path_, std::ios::binary) << content;
  ::chmod(path_.c_str(), 0444);
  std::string result = Kivo(path_.c_str());
  EXPECT_NE(result, "OK");
  EXPECT_NE(result.find(": "), std::string::npos) << result;
  EXPECT_EQ(ReadBytes(path_), content);
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"check_R1.xml"});
}

TEST_F(IndependentCheck, FailureTextStaysUntilTheNextCall) {
  const char* first = Kivo((folder_ + "/a.xml").c_str());
  std::string copy = first;
  FileRace race;
  race.boats = {{"2017-06-04T13:00:00", Record(TypicalBoat(1.0, 600)).Line()}};
  EXPECT_EQ(std::string(first), copy);
  EXPECT_EQ(std::string(Run(RaceText(race))), "OK");
}

}  // namespace
