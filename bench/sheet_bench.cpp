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

namespace {

using Clock = std::chrono::steady_clock;

kivo::EventModel NineteenBoatRace(const QString& folder) {
  kivo::EventModel m;
  m.AllocateEventArrays();
  m.RaceCount = 1;
  m.CurrentRace = 1;
  m.HtmlFolder = m.CsvFolder = folder;
  m.RaceXmlFile = folder + QStringLiteral("/bench_R1.xml");
  m.LogoLeft = QStringLiteral("left.jpg");
  m.LogoMiddle = QStringLiteral("-");
  m.LogoRight = QStringLiteral("right.jpg");
  m.Language = 0;
  m.SheetKind = 1;
  m.EventName = QStringLiteral("夏季レガッタ & Cup");
  m.EventClass = QStringLiteral("Cruiser A");
  m.ResultIssued = QStringLiteral("2017/07/02");
  m.RaceName[1] = QStringLiteral("第1レース");
  m.RaceStart[1] = QStringLiteral("2017/07/01 10:00:00");
  m.RaceLimit[1] = QStringLiteral("2017/07/01 16:00:00");
  m.RaceJury[1] = QStringLiteral("J. Member");
  m.CourseDistance[1] = 12.3f;
  m.RaceTypeText[1] = QStringLiteral("ocean course");
  m.RaceEntryCount[1] = m.EntryCount = 19;
  for (std::size_t b = 1; b <= 19; ++b) {
    const int i = static_cast<int>(b);
    m.EntryName[b] = QStringLiteral("BOAT <%1>, \"No. %1\"").arg(i);
    m.EntrySailNo[b] = QStringLiteral("JPN-%1").arg(4000 + i);
    m.EntryClass[b] = QStringLiteral("Tern %1").arg(28 + i % 12);
    m.EntryGph[b] = QStringLiteral("%1.5").arg(540 + i * 7);
    m.BoatStatus[1][b] = i == 19 ? QStringLiteral("DNF") : QStringLiteral("OK");
    m.BoatFinish[1][b] = i == 19 ? QStringLiteral("0")
                                 : QStringLiteral("2017/07/01 12:%1:%2").arg(i * 2, 2, 10, QLatin1Char('0')).arg(i * 3 % 60, 2, 10, QLatin1Char('0'));
    m.BoatPenalty[1][b] = i % 5 == 0 ? QStringLiteral("10") : QStringLiteral("0");
    m.BoatCorrected[1][b] = i == 19 ? 0.0f : 6500.0f + static_cast<float>((i * 137) % 900) + 0.25f;
    m.BoatVector[1][b] = QStringLiteral("953.7,768.1,653.0,581.1,533.5,502.0,471.7");
  }
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
  for (const auto& [name, t] : {std::pair{"rank", rankOnly}, std::pair{"rank + HTML text", htmlText},
                                std::pair{"rank + HTML page written", html}, std::pair{"rank + CSV text", csvText},
                                std::pair{"rank + CSV sheet written", csv}})
    std::printf("%-26s %10.3f %10.3f\n", name, t.best, t.median);
  return 0;
}
