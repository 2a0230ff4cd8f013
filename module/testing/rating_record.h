#pragma once
// Synthetic certificate records, built field by field from the record's
// column table. The record is kept in the system code page (CP932 bytes), as
// in a rating data file; columns are 1-based byte positions.
#include <array>
#include <cstdio>
#include <string>
#include <string_view>

namespace kivotest {

using Seven = std::array<double, 7>;

namespace column {
inline constexpr int Nat = 1, CertNumber = 4, SailNumber = 18, Boatname = 30, YachtClass = 54, Designer = 90,
                     AgeYear = 108, RecordDateTime = 273, Gph = 340;
// Curve blocks of seven fields (width 7; UA and DA width 6).
inline constexpr int WindwardLeeward = 374, Olympic = 423, CircularRandom = 472, NonSpinnaker = 521,
                     Ocean = 570, BeatAngle = 619, GybeAngle = 661, Beat = 703, Run = 1144;
// The fixed-angle curve for Angles[j] (52, 60, 75, 90, 110, 120, 135, 150).
constexpr int AngleCurve(int j) { return 752 + 49 * j; }
inline constexpr int LastColumn = 1472;
}  // namespace column

class RatingRecord {
 public:
  RatingRecord() : line_(column::LastColumn, ' ') {}

  // A plausible boat: allowances fall with the wind, velocities rise, and
  // `scale` makes a faster (< 1) or slower (> 1) boat.
  static RatingRecord Typical(double scale = 1.0, double gph = 600) {
    RatingRecord r;
    r.Text(column::Nat, 3, "JPN");
    r.Text(column::CertNumber, 6, "012345");
    r.Text(column::SailNumber, 12, "JPN-1234");
    r.Text(column::Boatname, 24, "SYNTHETIC");
    r.Text(column::YachtClass, 18, "TEST 40");
    r.Text(column::RecordDateTime, 19, "04/06/2017 10:30:00");
    r.Number(column::Gph, 6, gph * scale);
    auto scaled = [scale](Seven v) {
      for (double& x : v) x *= scale;
      return v;
    };
    r.Curve(column::WindwardLeeward, scaled({1020, 850, 740, 675, 630, 600, 575}));
    r.Curve(column::Olympic, scaled({900, 760, 670, 620, 585, 560, 530}));
    r.Curve(column::CircularRandom, scaled({850, 700, 620, 580, 555, 535, 510}));
    r.Curve(column::NonSpinnaker, scaled({880, 740, 660, 615, 590, 570, 550}));
    r.Curve(column::Ocean, scaled({800, 660, 590, 550, 525, 505, 480}));
    r.Angles(column::BeatAngle, {44.5, 42.0, 40.5, 39.5, 39.0, 38.8, 38.5});
    r.Angles(column::GybeAngle, {142, 147, 152, 160, 168, 172, 175});
    r.Curve(column::Beat, scaled({1000, 850, 760, 710, 680, 665, 655}));
    const Seven angle_curves[8] = {{620, 520, 470, 450, 440, 435, 432}, {600, 505, 455, 435, 425, 420, 418},
                                   {590, 495, 445, 420, 405, 398, 392}, {600, 500, 445, 415, 395, 380, 368},
                                   {640, 520, 455, 418, 392, 372, 350}, {680, 545, 470, 428, 398, 375, 350},
                                   {760, 600, 505, 452, 415, 388, 355}, {870, 690, 570, 500, 452, 418, 378}};
    for (int j = 0; j < 8; ++j) r.Curve(column::AngleCurve(j), scaled(angle_curves[j]));
    r.Curve(column::Run, scaled({1050, 850, 720, 640, 580, 540, 490}));
    return r;
  }

  // Text left-aligned in its field, cut to the width.
  RatingRecord& Text(int first_column, int width, std::string_view text) {
    std::string field(text.substr(0, static_cast<size_t>(width)));
    field.resize(static_cast<size_t>(width), ' ');
    return Raw(first_column, field);
  }
  // Bytes placed as they are (they may run over later columns).
  RatingRecord& Raw(int first_column, std::string_view bytes) {
    size_t at = static_cast<size_t>(first_column - 1);
    if (line_.size() < at + bytes.size()) line_.resize(at + bytes.size(), ' ');
    line_.replace(at, bytes.size(), bytes);
    return *this;
  }
  // A number right-aligned in its field.
  RatingRecord& Number(int first_column, int width, double value, int decimals = 1) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%*.*f", width, decimals, value);
    return Raw(first_column, std::string(buffer).substr(0, static_cast<size_t>(width)));
  }
  RatingRecord& Curve(int first_column, const Seven& values, int width = 7) {
    for (int k = 0; k < 7; ++k) Number(first_column + k * width, width, values[static_cast<size_t>(k)]);
    return *this;
  }
  RatingRecord& Angles(int first_column, const Seven& values) { return Curve(first_column, values, 6); }
  // Cuts the record after `length` bytes.
  RatingRecord& Truncate(size_t length) {
    line_.resize(length);
    return *this;
  }

  // The record line in the system code page.
  const std::string& Line() const { return line_; }

 private:
  std::string line_;
};

}  // namespace kivotest
