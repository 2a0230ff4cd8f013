#include "core/rms_text.h"

#include <gtest/gtest.h>

#include <string>

#include "ansi/ansi.h"

namespace kivo {
namespace {

TEST(RmsText, TrimRemovesBlanksAndControlsAtBothEndsOnly) {
  EXPECT_EQ(TrimmedBytes(" \t\r\x01 SEA  BIRD \x1f "), "SEA  BIRD");
  EXPECT_EQ(TrimmedBytes("   "), "");
  EXPECT_EQ(TrimmedBytes(""), "");
  // The second byte of a CP932 double-byte character is never trimmed.
  const QByteArray kana("\x83\x40", 2);
  EXPECT_EQ(TrimmedBytes(" " + kana + " "), kana);
}

struct ColumnCase {
  const char* line;
  int first;
  int width;
  const char* expected;
};

TEST(RmsText, ColumnsAreCutShortAtTheLineEnd) {
  const ColumnCase cases[] = {
      {"ABCDEFGH", 3, 4, "CDEF"},  // inside
      {"ABCDEFGH", 6, 10, "FGH"},  // runs past the end
      {"ABCDEFGH", 8, 1, "H"},     // last column
      {"ABCDEFGH", 9, 3, ""},      // starts beyond the end
      {"", 1, 5, ""},
  };
  for (const ColumnCase& c : cases) {
    EXPECT_EQ(ColumnBytes(c.line, c.first, c.width), c.expected) << c.line << " at " << c.first;
  }
  EXPECT_EQ(FieldBytes("xx  ab  yy", 3, 6), "ab");
}

TEST(RmsText, AsciiDecodesAsTheCodePageDoes) {
  std::string all;
  for (int c = 1; c < 0x80; ++c) all.push_back(char(c));
  EXPECT_EQ(DecodeAnsi(QByteArrayView(all.data(), qsizetype(all.size()))).toStdString(), ansi::ToUtf8(all));
}

TEST(RmsText, DecodesJapaneseAndShowsInvalidBytesAsQuestionMarks) {
  EXPECT_EQ(DecodeAnsi(EncodeAnsi(QStringLiteral("海風"))), QStringLiteral("海風"));
  EXPECT_EQ(EncodeAnsi(QStringLiteral("海風")).size(), 4);
  EXPECT_EQ(DecodeAnsi("Ren\xE9 B"), QStringLiteral("Ren? B"));
  EXPECT_EQ(DecodeAnsi("end\x82"), QStringLiteral("end?"));  // lead byte cut off by a column
}

}  // namespace
}  // namespace kivo
