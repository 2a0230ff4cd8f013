#include "core/rms_details.h"

#include <gtest/gtest.h>

#include "testing/rms_fixtures.h"

namespace kivo {
namespace {

using fixtures::RecordBuilder;

// A line whose text from column 292 on is `rest`.
QByteArray LineWithRest(const QByteArray& rest, const QByteArray& start = "JPN") {
  return RecordBuilder().Put(1, start).Build().left(291) + rest;
}

Table<QString> EmptyHeaderNames() { return Table<QString>(200); }

struct SplitCase {
  const char* rest;
  QList<QByteArray> tokens;
};

TEST(SplitDetailTokens, TakesTokensWhileMoreThanTenCharactersRemain) {
  const SplitCase cases[] = {
      // 14 characters: one value; the remaining "20.5 30.5" has 9.
      {"10.5 20.5 30.5", {"10.5"}},
      {"  10.5 20.5 30.5   ", {"10.5"}},
      {"1234567890", {}},  // 10 characters: nothing
      {"12345 7890", {}},
      {"a bb ccc dddd eeeee ffffff", {"a", "bb", "ccc", "dddd", "eeeee"}},
      {"one    two   three four", {"one", "two"}},  // runs of blanks
      // Longer than 10 characters without a blank: taken whole, last.
      {"12345678901", {"12345678901"}},
      {"x 12345678901234", {"x", "12345678901234"}},
      {"", {}},
  };
  for (const SplitCase& c : cases) EXPECT_EQ(SplitDetailTokens(LineWithRest(c.rest)), c.tokens) << c.rest;
  EXPECT_TRUE(SplitDetailTokens("NAT short line").isEmpty());  // ends before column 292
}

TEST(BoatDetails, AHeaderStoresItsNamesAndListsThemWithoutValues) {
  Table<QString> names = EmptyHeaderNames();
  const QList<DetailPair> pairs = BoatDetails(LineWithRest("LOA GPH Beam Draft X", "NAT"), names);
  ASSERT_EQ(pairs.size(), 3);  // "Draft X" (7 characters) is left over
  EXPECT_EQ(names[1], "LOA");
  EXPECT_EQ(names[2], "GPH");
  EXPECT_EQ(names[3], "Beam");
  EXPECT_EQ(names[4], "");
  EXPECT_EQ(DetailListItems(pairs), (QStringList{"  LOA:        ", "  GPH:        ", "  Beam:       "}));
}

TEST(BoatDetails, ARecordListsItsValuesAgainstTheNames) {
  Table<QString> names = EmptyHeaderNames();
  BoatDetails(LineWithRest("LOA GPH Beam Draft X", "NAT"), names);
  const QList<DetailPair> pairs = BoatDetails(LineWithRest(" 10.85 612.3 3.45 2.10 0.75 12345"), names);
  // Values past the last name show with an empty name.
  const QList<DetailPair> expected = {{"LOA", "10.85"}, {"GPH", "612.3"}, {"Beam", "3.45"}, {"", "2.10"}};
  EXPECT_EQ(pairs, expected);
  EXPECT_EQ(DetailListItem(pairs[0]), "  LOA:        10.85");
}

TEST(BoatDetails, AShorterHeaderLeavesTheNamesOfAnEarlierOneBehindIt) {
  Table<QString> names = EmptyHeaderNames();
  BoatDetails(LineWithRest("AAA BBB CCC DDD EEEE", "NAT"), names);
  BoatDetails(LineWithRest("XXX YYY zzzzzzz", "NAT"), names);  // stores XXX and YYY
  EXPECT_EQ(names[1], "XXX");
  EXPECT_EQ(names[2], "YYY");
  EXPECT_EQ(names[3], "CCC");
  // A line that is no header changes no name.
  BoatDetails(LineWithRest("1 2 3 4 5 6 7 8 9 10 11"), names);
  EXPECT_EQ(names[1], "XXX");
}

TEST(BoatDetails, NamesOfTwelveCharactersOrMoreAreCutAndLoseTheColon) {
  const struct {
    const char* name;
    const char* item;
  } cases[] = {
      {"LOA", "  LOA:        v"},
      {"ElevenChars", "  ElevenChars:v"},
      {"TwelveCharsX", "  TwelveCharsXv"},
      {"ThirteenChars", "  ThirteenCharv"},
      {"", "  :           v"},
  };
  for (const auto& c : cases) EXPECT_EQ(DetailListItem({c.name, "v"}), c.item) << c.name;
  // The cut counts bytes as the fixed-pitch font shows them: a double-byte
  // character is two columns wide.
  EXPECT_EQ(DetailListItem({QStringLiteral("全長"), "v"}), QStringLiteral("  全長:       v"));
}

TEST(BoatDetails, MoreTokensThanTheTablesHoldAreIgnored) {
  QByteArray manyNames;
  QByteArray manyValues;
  for (int k = 1; k <= 260; ++k) {
    manyNames += "N" + QByteArray::number(k) + " ";
    manyValues += QByteArray::number(k) + " ";
  }
  manyNames += "THE_END_XYZ";
  manyValues += "THE_END_XYZ";
  Table<QString> names = EmptyHeaderNames();
  EXPECT_EQ(BoatDetails(LineWithRest(manyNames, "NAT"), names).size(), 199);
  EXPECT_EQ(names.size(), 200u);
  EXPECT_EQ(names[199], "N199");
  const QList<DetailPair> values = BoatDetails(LineWithRest(manyValues), names);
  ASSERT_EQ(values.size(), kMaxDetailValues);
  EXPECT_EQ(values[198], (DetailPair{"N199", "199"}));
  EXPECT_EQ(values[199], (DetailPair{"", "200"}));
}

TEST(BoatDetails, LatinOneValuesShowAsQuestionMarks) {
  Table<QString> names = EmptyHeaderNames();
  const QList<DetailPair> pairs = BoatDetails(LineWithRest("G\xE9 12.5 last_token"), names);
  ASSERT_EQ(pairs.size(), 2);
  EXPECT_EQ(pairs[0].value, "G?");
}

TEST(IsRmsHeaderLine, ComparesTheFirstThreeBytesExactly) {
  EXPECT_TRUE(IsRmsHeaderLine("NAT"));
  EXPECT_TRUE(IsRmsHeaderLine("NATCertNo"));
  EXPECT_FALSE(IsRmsHeaderLine("nat"));
  EXPECT_FALSE(IsRmsHeaderLine(" NAT"));
  EXPECT_FALSE(IsRmsHeaderLine("NA"));
}

}  // namespace
}  // namespace kivo
