// Times the result sheet commands' work after the read-back for a full race
// of 19 boats: the ranking with the HTML page written, and the ranking with
// the CSV sheet written (the text built, encoded to CP932 and saved whole).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include <QDir>
#include <QTemporaryDir>

#include "core/csv_sheet.h"
#include "core/html_sheet.h"
#include "core/ranking.h"
#include "testing/sheet_model.h"

namespace {

using Clock = std::chrono::steady_clock;

// The sheet tests' race of 19 boats with texts that the writers must escape
// or quote, a penalty on every fifth boat, one boat that did not finish and
// the corrected times out of entry order, so the ranking reorders them.
kivo::EventModel NineteenBoatRace(const QString& folder) {
  kivo::EventModel m = kivo::fixtures::SheetModel(19, kivo::kResultSheet, 0);
  m.HtmlFolder = m.CsvFolder = folder;
  m.RaceXmlFile = folder + QStringLiteral("/bench_R1.xml");
  m.LogoLeft = QStringLiteral("left.jpg");
  m.LogoRight = QStringLiteral("right.jpg");
  m.EventName = QStringLiteral("夏季レガッタ & Cup");
  for (int b = 1; b <= 19; ++b) {
    m.EntryName[b] = QStringLiteral("BOAT <%1>, \"No. %1\"").arg(b);
    m.BoatPenalty[1][b] = b % 5 == 0 ? QStringLiteral("10") : QStringLiteral("0");
    m.BoatCorrected[1][b] = 6500.0f + static_cast<float>((b * 137) % 900) + 0.25f;
  }
  m.BoatStatus[1][19] = QStringLiteral("DNF");
  m.BoatFinish[1][19] = QStringLiteral("0");
  m.BoatCorrected[1][19] = 0.0f;
  return m;
}

struct Timing {
  double best, median;
};

template <class F>
Timing Milliseconds(F&& work, int runs) {
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    const auto start = Clock::now();
    work();
    times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return {times.front(), times[times.size() / 2]};
}

}  // namespace

int main() {
  QTemporaryDir dir;
  if (!dir.isValid()) return 1;
  kivo::EventModel model = NineteenBoatRace(dir.path());
  const QLocale japanese(QLocale::Japanese, QLocale::Japan);
  constexpr int kRuns = 200;
  const Timing rankOnly = Milliseconds([&] { kivo::RankRaceBoats(model, japanese); }, kRuns);
  const Timing html = Milliseconds(
      [&] {
        kivo::RankRaceBoats(model, japanese);
        kivo::WriteResultHtml(model, japanese);
      },
      kRuns);
  const Timing csv = Milliseconds(
      [&] {
        kivo::RankRaceBoats(model, japanese);
        kivo::WriteCsvSheet(model, japanese);
      },
      kRuns);
  const Timing htmlText = Milliseconds(
      [&] {
        kivo::RankRaceBoats(model, japanese);
        (void)kivo::ResultHtmlText(model, japanese);
      },
      kRuns);
  const Timing csvText = Milliseconds(
      [&] {
        kivo::RankRaceBoats(model, japanese);
        (void)kivo::CsvSheetText(model, japanese);
      },
      kRuns);
  std::printf("19 boats, %d runs (goal: under 10 ms each)\n", kRuns);
  std::printf("%-26s %10s %10s\n", "", "best ms", "median ms");
  // Saving whole ends with the file flushed to the disk, which is most of
  // the time written; the texts alone show the program's own share.
  for (const auto& [name, t] :
       {std::pair{"rank", rankOnly}, std::pair{"rank + HTML text", htmlText},
        std::pair{"rank + HTML page written", html}, std::pair{"rank + CSV text", csvText},
        std::pair{"rank + CSV sheet written", csv}})
    std::printf("%-26s %10.3f %10.3f\n", name, t.best, t.median);
  return 0;
}
