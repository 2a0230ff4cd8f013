#pragma once
// The order of the boat list: the exchange sort of the boat names, byte by
// byte, reproduced in O(n log n).
#include <vector>

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace kivo {

// Byte-wise comparison as unsigned values; a prefix is the smaller. No case
// folding, no collation: "Zeta" < "alpha".
bool BoatnameLess(QByteArrayView a, QByteArrayView b);

// The order in which the exchange sort
//   for i = 1 .. n-1, for j = i+1 .. n: when name i > name j, swap i and j
// leaves the names: element k of the result is the 0-based place in `names`
// of the name that ends at place k. Names end in ascending order; the order
// among equal names is the exchange sort's own (it is not stable), which
// matters because equal names can stand for different records.
std::vector<int> ExchangeSortOrder(const QList<QByteArray>& names);

}  // namespace kivo
