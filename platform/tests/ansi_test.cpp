#include "ansi/ansi.h"

#include <gtest/gtest.h>

TEST(Ansi, RoundTripsJapaneseAndCountsBytes) {
  const std::string name = "\xE3\x81\x8B\xE3\x81\xBF\xE3\x81\x8B\xE3\x81\x9C";  // かみかぜ
  std::string sjis = ansi::FromUtf8(name);
  EXPECT_EQ(sjis.size(), 8u);
  EXPECT_EQ(ansi::ToUtf8(sjis), name);
  EXPECT_EQ(ansi::ByteLength("SUN " + name), 12u);
}

TEST(Ansi, UndecodableBytesBecomeOneQuestionMarkEach) {
  // Latin-1 names as found in real rating files; 0xA0 and 0xFD are not CP932,
  // and 0xE9 is a lead byte that a blank cannot follow.
  EXPECT_EQ(ansi::ToUtf8("Ren\xE9 B"), "Ren? B");
  EXPECT_EQ(ansi::ToUtf8(std::string("A\xA0"
                                     "B\xFD",
                                     4)),
            "A?B?");
  EXPECT_EQ(ansi::ToUtf8("end\x82"), "end?");  // lead byte cut off at the end
}

TEST(Ansi, UnmappableUtf8BecomesQuestionMark) {
  EXPECT_EQ(ansi::FromUtf8("a\xC3\xA9z"), "a?z");  // é has no CP932 form
  EXPECT_EQ(ansi::FromUtf8("a\xFFz"), "a?z");      // malformed UTF-8
  EXPECT_EQ(ansi::FromUtf8("plain ASCII"), "plain ASCII");
}

TEST(Ansi, LatinBytesThatPairIntoCp932KeepTheirByteLength) {
  // "\xE9r" happens to be a valid double-byte character: decoding and
  // encoding again must give the same bytes, so columns do not move.
  const std::string raw = "G\xE9rard";
  EXPECT_EQ(ansi::FromUtf8(ansi::ToUtf8(raw)), raw);
}
