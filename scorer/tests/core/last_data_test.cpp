#include "core/last_data.h"

#include <gtest/gtest.h>

#include "ansi/ansi.h"

namespace kivo {
namespace {

QByteArray Ansi(const char* utf8) { return QByteArray::fromStdString(ansi::FromUtf8(utf8)); }

TEST(LastDataTest, ReadsTheLine) {
  struct Case {
    QByteArray line;
    bool ignored;
    QString name;
    int correction;
  };
  const std::vector<Case> cases = {
      {"race2017.rms,-30", false, "race2017.rms", -30},
      {"a.rms,5", false, "a.rms", 5},
      {",15", true, {}, 0},
      {"a.rms", true, {}, 0},          // 5 bytes
      {"ab.rms", false, "ab.rms", 0},  // no comma: the name alone
      {",12345", false, {}, 12345},    // no name, 6 bytes
      {" \tx.rms , +8 ", false, "x.rms", 8},
      {"x.rms,12abc", false, "x.rms", 0},
      {"x.rms,", false, "x.rms", 0},
      {"x.rms,99999999999", false, "x.rms", 0},
      {"x.rms,1,2", false, "x.rms", 0},
      // Only 50 bytes after the comma are read.
      {"x.rms," + QByteArray(48, ' ') + "12" + "34", false, "x.rms", 12},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line.toStdString());
    const std::optional<LastData> data = ParseLastDataLine(c.line);
    ASSERT_EQ(!data, c.ignored);
    if (!data) continue;
    EXPECT_EQ(data->RmsName, c.name);
    EXPECT_EQ(data->ClockCorrection, c.correction);
  }
}

TEST(LastDataTest, NameIsCp932) {
  const std::optional<LastData> data = ParseLastDataLine(Ansi("レース.rms,3"));
  ASSERT_TRUE(data);
  EXPECT_EQ(data->RmsName, QStringLiteral("レース.rms"));
  EXPECT_EQ(data->ClockCorrection, 3);
}

TEST(LastDataTest, FirstLineEndsAtAnyLineEnd) {
  EXPECT_EQ(FirstLine("a,1\r\nb,2\r\n"), QByteArray("a,1"));
  EXPECT_EQ(FirstLine("a,1\nb"), QByteArray("a,1"));
  EXPECT_EQ(FirstLine("a,1\rb"), QByteArray("a,1"));
  EXPECT_EQ(FirstLine("a,1"), QByteArray("a,1"));
  EXPECT_EQ(FirstLine(""), QByteArray());
}

TEST(LastDataTest, TrimsBlanksAndControls) {
  EXPECT_EQ(TrimBlanksAndControls(" \t\x01"
                                  "ab c\x1f "),
            QByteArray("ab c"));
  EXPECT_EQ(TrimBlanksAndControls("   "), QByteArray());
}

TEST(LastDataTest, WritesNameCommaCorrectionAndCrLf) {
  EXPECT_EQ(FormatLastDataFile(QStringLiteral("race2017.rms"), -30), QByteArray("race2017.rms,-30\r\n"));
  EXPECT_EQ(FormatLastDataFile(QString(), 15), QByteArray(",15\r\n"));
  EXPECT_EQ(FormatLastDataFile(QStringLiteral("レース.rms"), 0), Ansi("レース.rms,0\r\n"));
}

TEST(LastDataTest, WrittenLineReadsBack) {
  for (int correction : {-600, -1, 0, 1, 600}) {
    const QByteArray written = FormatLastDataFile(QStringLiteral("cup.rms"), correction);
    const std::optional<LastData> data = ParseLastDataLine(FirstLine(written));
    ASSERT_TRUE(data);
    EXPECT_EQ(data->RmsName, QStringLiteral("cup.rms"));
    EXPECT_EQ(data->ClockCorrection, correction);
  }
}

}  // namespace
}  // namespace kivo
