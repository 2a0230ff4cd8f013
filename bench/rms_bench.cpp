// Loads synthetic rating data files of 1,000 and 10,000 boats through the
// loader and prints the times; the exchange sort as literally written is
// timed beside the loader's sort for comparison.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <numeric>
#include <random>
#include <vector>

#include <QTemporaryDir>

#include "core/rms_file.h"
#include "core/rms_sort.h"
#include "testing/rms_fixtures.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Names with duplicates; every tenth in Japanese.
QByteArray BoatName(std::mt19937& random, int boats) {
  const int number = std::uniform_int_distribution<int>(1, boats / 2)(random);
  if (number % 10 == 0) return kivo::fixtures::Cp932("海風") + QByteArray::number(number);
  return "BOAT " + QByteArray::number(number);
}

std::vector<int> LiteralExchangeSort(const QList<QByteArray>& names) {
  std::vector<int> order(names.size());
  std::iota(order.begin(), order.end(), 0);
  for (size_t i = 0; i + 1 < order.size(); ++i)
    for (size_t j = i + 1; j < order.size(); ++j)
      if (kivo::BoatnameLess(names[order[j]], names[order[i]])) std::swap(order[i], order[j]);
  return order;
}

}  // namespace

int main() {
  QTemporaryDir dir;
  if (!dir.isValid()) return 1;
  std::mt19937 random(1);
  std::printf("%8s %12s %14s %14s %18s\n", "boats", "file bytes", "load ms", "sort ms", "literal sort ms");
  for (int boats : {1000, 10000}) {
    std::vector<QByteArray> records;
    QList<QByteArray> names;
    for (int k = 0; k < boats; ++k) {
      names.append(BoatName(random, boats));
      records.push_back(kivo::fixtures::SyntheticRecord(k, names.back()));
    }
    const QString path = dir.filePath(QStringLiteral("bench%1.rms").arg(boats));
    const QByteArray content =
        kivo::fixtures::RmsContent(kivo::fixtures::HeaderLine("LOA N300 N307 N313"), records);
    if (!kivo::fixtures::WriteFile(path, content)) return 1;

    double best = 1e30;
    int loaded = 0;
    for (int run = 0; run < 5; ++run) {
      const auto start = Clock::now();
      const kivo::RmsLoad load = kivo::LoadRmsFile(path);
      best = std::min(best, MillisecondsSince(start));
      loaded = load.lineCount();
    }
    if (loaded != boats) return 1;

    auto start = Clock::now();
    const std::vector<int> order = kivo::ExchangeSortOrder(names);
    const double sortMs = MillisecondsSince(start);
    start = Clock::now();
    const std::vector<int> literal = LiteralExchangeSort(names);
    const double literalMs = MillisecondsSince(start);
    if (order != literal) {
      std::printf("the orders differ\n");
      return 1;
    }
    std::printf("%8d %12lld %14.2f %14.2f %18.2f\n", boats, static_cast<long long>(content.size()), best,
                sortMs, literalMs);
  }
  return 0;
}
