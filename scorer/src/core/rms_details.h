#pragma once
// The details panel of the entry page: the column names of the rating data
// file's header line, and a record's values listed against them.
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include "core/table.h"

namespace kivo {

// The details start at this column of a line (1-based).
inline constexpr int kDetailsFirstColumn = 292;
// The most values of one line that the details list shows.
inline constexpr int kMaxDetailValues = 200;

// A line is a header when its first three bytes are "NAT".
bool IsRmsHeaderLine(QByteArrayView line);

// The blank-separated tokens of the line from column 292 on. The text is
// trimmed; while more than 10 characters remain, the part before the first
// blank is taken (trimmed) and the rest trimmed again, so a final remainder
// of 10 characters or fewer is left out. A remainder of more than 10
// characters without a blank is taken whole as the last token.
QList<QByteArray> SplitDetailTokens(QByteArrayView line);

struct DetailPair {
  QString name;
  QString value;

  bool operator==(const DetailPair&) const = default;
};

// The logic of ShowBoatDetails. `headerNames` is the 1-based table of header
// names (place 0 unused; names 1 .. size-1), kept from earlier headers.
// For a header line its tokens become names 1..k (what lies beyond k stays
// from earlier headers) and the pairs carry the names with empty values. For
// any other line the tokens are values 1..k, paired by place with the names
// (an empty name past the table). Tokens past the table's places (header) or
// past kMaxDetailValues (values) are ignored.
QList<DetailPair> BoatDetails(QByteArrayView line, Table<QString>& headerNames);

// One item of the details list: the first 14 characters (CP932 bytes, as the
// fixed-pitch font shows them) of two blanks, the name, ":" and 22 blanks,
// then the value.
QString DetailListItem(const DetailPair& pair);
QStringList DetailListItems(const QList<DetailPair>& pairs);

}  // namespace kivo
