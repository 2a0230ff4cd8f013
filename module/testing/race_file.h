#pragma once
// Race XML files written the way the scorer writes them: UTF-8, no
// declaration, one element per line with CR LF, values unescaped, legs only
// for course type 0.
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "ansi/ansi.h"
#include "testing/rating_record.h"

namespace kivotest {

struct LegSpec {
  std::string distance = "1";
  std::string course = "0";
  std::string windDirection = "0";
  std::string windSpeed = "0";
  std::string predefinedCourse;  // written only when not empty
};

inline LegSpec Leg(std::string distance, std::string course = "0", std::string windDirection = "0",
                   std::string windSpeed = "0", std::string predefinedCourse = "") {
  return LegSpec{std::move(distance), std::move(course), std::move(windDirection), std::move(windSpeed),
                 std::move(predefinedCourse)};
}

struct BoatSpec {
  std::string finish = "2017-06-04T13:00:00";
  std::string rms;  // UTF-8, as in the file
  std::string abbr = "OK";
  std::string rmks = "-";
  std::string pnlty = "0";
};

struct RaceSpec {
  std::string start = "2017-06-04T10:00:00";
  std::string distance = "21";
  std::string type = "1";
  std::string name = "Race 1";
  std::string limit = "2017/06/04 16:00:00";
  std::vector<LegSpec> legs;
  std::vector<BoatSpec> boats;
};

// The record line (CP932) as the scorer puts it into the file: UTF-8, every
// "&" turned into "-".
inline std::string RmsAttribute(const RatingRecord& record) {
  std::string text = ansi::ToUtf8(record.Line());
  for (char& c : text)
    if (c == '&') c = '-';
  return text;
}

inline std::string RaceXml(const RaceSpec& race) {
  const std::string eol = "\r\n";
  std::string xml = "<race start=\"" + race.start + "\" distance=\"" + race.distance + "\" type=\"" +
                    race.type + "\" name=\"" + race.name + "\" limit=\"" + race.limit + "\">" + eol;
  if (race.type == "0") {
    xml += "<legs>" + eol;
    for (const LegSpec& leg : race.legs) {
      xml += "<leg distance=\"" + leg.distance + "\" course=\"" + leg.course + "\" windDirection=\"" +
             leg.windDirection + "\" windSpeed=\"" + leg.windSpeed + "\"";
      if (!leg.predefinedCourse.empty()) xml += " predefinedCourse=\"" + leg.predefinedCourse + "\"";
      xml += "/>" + eol;
    }
    xml += "</legs>" + eol;
  }
  xml += "<boats>" + eol;
  for (const BoatSpec& boat : race.boats)
    xml += "<boat finish=\"" + boat.finish +
           "\" correctedSeconds=\"0\" impliedWind=\"0\" velocity=\"0\" constructedCourseVector=\"0\" rms=\"" +
           boat.rms + "\" abbr=\"" + boat.abbr + "\" rmks=\"" + boat.rmks + "\" pnlty=\"" + boat.pnlty +
           "\"/>" + eol;
  xml += "</boats>" + eol + "</race>" + eol;
  return xml;
}

inline void WriteFile(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace kivotest
