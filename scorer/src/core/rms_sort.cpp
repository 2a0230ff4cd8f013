#include "core/rms_sort.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace kivo {
namespace {

// Fenwick tree over 0 .. n-1 holding counts.
class CountTree {
 public:
  explicit CountTree(int n) : tree_(n + 1, 0) {}
  void Add(int index, int amount) {
    for (int i = index + 1; i < int(tree_.size()); i += i & -i) tree_[i] += amount;
  }
  // Sum of the counts at 0 .. index-1.
  int CountBefore(int index) const {
    int sum = 0;
    for (int i = index; i > 0; i -= i & -i) sum += tree_[i];
    return sum;
  }
  // The place whose count is 1 and that has `rank` such places before it.
  int FindByRank(int rank) const {
    int place = 0;
    int step = 1;
    while (step * 2 < int(tree_.size())) step *= 2;
    for (; step > 0; step /= 2) {
      if (place + step < int(tree_.size()) && tree_[place + step] <= rank) {
        place += step;
        rank -= tree_[place];
      }
    }
    return place;
  }

 private:
  std::vector<int> tree_;
};

int Modulo(long long value, int modulus) {
  const long long r = value % modulus;
  return int(r < 0 ? r + modulus : r);
}

// Where the exchange sort leaves the k elements of one name. Taken alone,
// the elements of one name move only while a smaller name is still ahead of
// being placed, and then in a fixed pattern: walking the list from the first
// element of the name, they queue up in list order, and every smaller name
// passed turns the queue by one (its front goes to the back). So with
// `turns`[i] the smaller names between element i and element i+1 (after the
// last one for the last), the final order is the queue at the end of the
// walk. It is built backwards, assigning each element its final slot among
// the free ones, so that large turn counts cost nothing.
std::vector<int> OrderOfOneName(const std::vector<int>& elements, const std::vector<long long>& turns) {
  const int k = int(elements.size());
  std::vector<int> placed(k, -1);
  CountTree freeSlots(k);
  for (int s = 0; s < k; ++s) freeSlots.Add(s, 1);
  int startRank = 0;  // rank among the free slots of the queue's front
  for (int i = k; i >= 1; --i) {
    // Before its turns the queue held the earlier elements, then element i
    // at its back; after them element i stands at this place of the queue.
    const int place = Modulo((i - 1) - turns[i - 1], i);
    const int rank = (startRank + place) % i;
    const int slot = freeSlots.FindByRank(rank);
    placed[slot] = elements[i - 1];
    freeSlots.Add(slot, -1);
    // The earlier queue starts just behind element i, cyclically.
    startRank = i > 1 ? rank % (i - 1) : 0;
  }
  return placed;
}

}  // namespace

bool BoatnameLess(QByteArrayView a, QByteArrayView b) {
  const qsizetype common = std::min(a.size(), b.size());
  const int c = common > 0 ? std::memcmp(a.data(), b.data(), size_t(common)) : 0;
  if (c != 0) return c < 0;
  return a.size() < b.size();
}

std::vector<int> ExchangeSortOrder(const QList<QByteArray>& names) {
  const int n = int(names.size());
  std::vector<int> byName(n);
  std::iota(byName.begin(), byName.end(), 0);
  std::stable_sort(byName.begin(), byName.end(),
                   [&](int a, int b) { return BoatnameLess(names[a], names[b]); });

  // Names are handled in ascending order; the tree counts the places of all
  // smaller names seen so far.
  CountTree smaller(n);
  std::vector<int> order;
  order.reserve(n);
  for (int groupStart = 0; groupStart < n;) {
    int groupEnd = groupStart + 1;
    while (groupEnd < n && names[byName[groupEnd]] == names[byName[groupStart]]) ++groupEnd;
    // byName is stable, so the group's elements are in list order.
    std::vector<int> elements(byName.begin() + groupStart, byName.begin() + groupEnd);
    if (elements.size() == 1) {
      order.push_back(elements[0]);
    } else {
      std::vector<long long> turns(elements.size());
      for (size_t i = 0; i < elements.size(); ++i) {
        const int from = elements[i] + 1;
        const int to = i + 1 < elements.size() ? elements[i + 1] : n;
        turns[i] = smaller.CountBefore(to) - smaller.CountBefore(from);
      }
      const std::vector<int> placed = OrderOfOneName(elements, turns);
      order.insert(order.end(), placed.begin(), placed.end());
    }
    for (int e : elements) smaller.Add(e, 1);
    groupStart = groupEnd;
  }
  return order;
}

}  // namespace kivo
