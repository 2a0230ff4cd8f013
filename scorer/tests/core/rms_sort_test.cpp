#include "core/rms_sort.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>

namespace kivo {
namespace {

// The boat list's sort exactly as it is defined, O(n^2), for comparison.
std::vector<int> LiteralExchangeSort(const QList<QByteArray>& names) {
  std::vector<int> order(names.size());
  std::iota(order.begin(), order.end(), 0);
  const int n = int(order.size());
  for (int i = 0; i < n - 1; ++i)
    for (int j = i + 1; j < n; ++j)
      if (BoatnameLess(names[order[j]], names[order[i]])) std::swap(order[i], order[j]);
  return order;
}

QList<QByteArray> SortedNames(const QList<QByteArray>& names) {
  QList<QByteArray> sorted;
  for (int place : ExchangeSortOrder(names)) sorted.append(names[place]);
  return sorted;
}

TEST(BoatnameLess, ComparesUnsignedBytesWithoutCaseFolding) {
  EXPECT_TRUE(BoatnameLess("Zeta", "alpha"));
  EXPECT_TRUE(BoatnameLess("alpha", "beta"));
  EXPECT_TRUE(BoatnameLess("SEA", "SEA BIRD"));  // a prefix is the smaller
  EXPECT_TRUE(BoatnameLess("", "A"));
  EXPECT_FALSE(BoatnameLess("A", "A"));
  EXPECT_TRUE(BoatnameLess("z", "\x82\xa0"));  // bytes above 0x7F are large, not negative
  EXPECT_TRUE(BoatnameLess("Gerard", "G\xE9rard"));
}

TEST(ExchangeSortOrder, CapitalsComeBeforeSmallLettersAndDuplicatesStay) {
  EXPECT_EQ(SortedNames({"alpha", "Zeta", "beta"}), (QList<QByteArray>{"Zeta", "alpha", "beta"}));
  EXPECT_EQ(SortedNames({"SUN", "MOON", "SUN", ""}), (QList<QByteArray>{"", "MOON", "SUN", "SUN"}));
  EXPECT_TRUE(ExchangeSortOrder({}).empty());
  EXPECT_EQ(ExchangeSortOrder({"only"}), std::vector<int>{0});
}

TEST(ExchangeSortOrder, KeepsTheUnstableOrderOfEqualNames) {
  // c b1 b2 a: the first pass carries b1 past b2, which ends first.
  EXPECT_EQ(ExchangeSortOrder({"c", "b", "b", "a"}), (std::vector<int>{3, 2, 1, 0}));
  EXPECT_EQ(LiteralExchangeSort({"c", "b", "b", "a"}), (std::vector<int>{3, 2, 1, 0}));
}

TEST(ExchangeSortOrder, GivesTheLiteralSortsOrderOnRandomNamesWithDuplicates) {
  std::mt19937 random(20170601);
  for (int trial = 0; trial < 3000; ++trial) {
    const int n = std::uniform_int_distribution<int>(0, trial < 2000 ? 12 : 150)(random);
    const int alphabet = std::uniform_int_distribution<int>(1, 6)(random);
    const int longest = std::uniform_int_distribution<int>(0, 3)(random);
    QList<QByteArray> names;
    for (int k = 0; k < n; ++k) {
      QByteArray name;
      const int length = std::uniform_int_distribution<int>(0, longest)(random);
      for (int c = 0; c < length; ++c) {
        const int letter = std::uniform_int_distribution<int>(0, alphabet - 1)(random);
        name.append(char(letter == 5 ? 0xE9 : 'A' + letter));  // a high byte among them
      }
      names.append(name);
    }
    ASSERT_EQ(ExchangeSortOrder(names), LiteralExchangeSort(names)) << "trial " << trial;
  }
}

TEST(ExchangeSortOrder, GivesTheLiteralSortsOrderOnLargeLists) {
  std::mt19937 random(4711);
  for (int distinct : {2, 30, 1000}) {
    QList<QByteArray> names;
    for (int k = 0; k < 3000; ++k)
      names.append("BOAT " + QByteArray::number(std::uniform_int_distribution<int>(0, distinct - 1)(random)));
    EXPECT_EQ(ExchangeSortOrder(names), LiteralExchangeSort(names)) << distinct << " names";
  }
  // Descending runs with duplicates, the case where the sort moves most.
  QList<QByteArray> descending;
  for (int k = 2000; k > 0; --k) descending.append(QByteArray::number(1000 + k / 3));
  EXPECT_EQ(ExchangeSortOrder(descending), LiteralExchangeSort(descending));
}

}  // namespace
}  // namespace kivo
