#include "core/rms_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "testing/rms_fixtures.h"

namespace kivo {
namespace {

using fixtures::Cp932;
using fixtures::RecordBuilder;
using fixtures::RmsContent;
using fixtures::WriteFile;

// A whole record (its allowances readable) with this name and sail number.
QByteArray Boat(const QByteArray& name, const QByteArray& sail = "JPN-1") {
  return RecordBuilder()
      .Put(1, fixtures::SyntheticRecord(1, ""))
      .Put(18, sail.leftJustified(12, ' '))
      .Put(30, name.leftJustified(24, ' '))
      .Build();
}

const QByteArray kHeader = fixtures::HeaderLine("LOA N300 N307 N313 GPH_LAST");

class RmsFolder : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
  QString Path(const QString& name) const { return dir_.filePath(name); }
  void Write(const QString& name, const QByteArray& bytes) { ASSERT_TRUE(WriteFile(Path(name), bytes)); }
  void WriteAt(const QString& name, const QDateTime& time) {
    Write(name, RmsContent(kHeader, {Boat("A")}));
    QFile file(Path(name));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(time, QFileDevice::FileModificationTime));
  }
  QTemporaryDir dir_;
};

QDateTime Local(int y, int mo, int d, int h = 12, int mi = 0, int s = 0) {
  return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
}

TEST_F(RmsFolder, FindNewestRmsTakesTheFileWrittenLast) {
  WriteAt("may.rms", Local(2017, 5, 1));
  WriteAt("june.rms", Local(2017, 6, 1));
  WriteAt("newer.txt", Local(2018, 1, 1));  // not a rating data file
  EXPECT_EQ(FindNewestRms(dir_.path()), "june.rms");
  EXPECT_EQ(FindNewestRms(dir_.path() + "/"), "june.rms");
}

TEST_F(RmsFolder, FindNewestRmsNeverTakesAFileOfTheThresholdOrEarlier) {
  WriteAt("old.rms", Local(1999, 12, 31));
  WriteAt("threshold.rms", Local(2000, 1, 1, 10, 10, 10));
  WriteAt("same_file_date.rms", Local(2000, 1, 1, 10, 10, 11));  // 2-second file date
  EXPECT_EQ(FindNewestRms(dir_.path()), "");
  WriteAt("later.rms", Local(2000, 1, 1, 10, 10, 12));
  EXPECT_EQ(FindNewestRms(dir_.path()), "later.rms");
}

TEST_F(RmsFolder, FindNewestRmsFindsAnyCaseAndHiddenFilesButNoFolders) {
  WriteAt("upper.RMS", Local(2017, 5, 1));
  EXPECT_EQ(FindNewestRms(dir_.path()), "upper.RMS");
  WriteAt(".hidden.rms", Local(2017, 6, 1));
  EXPECT_EQ(FindNewestRms(dir_.path()), ".hidden.rms");
  ASSERT_TRUE(QDir(dir_.path()).mkdir("folder.rms"));
  EXPECT_EQ(FindNewestRms(dir_.path()), ".hidden.rms");
}

TEST_F(RmsFolder, FindNewestRmsOfEqualFileDatesTakesTheFirstName) {
  WriteAt("b.rms", Local(2017, 5, 1, 9, 0, 0));
  WriteAt("A.rms", Local(2017, 5, 1, 9, 0, 1));  // same 2-second file date
  WriteAt("c.rms", Local(2017, 5, 1, 9, 0, 0));
  EXPECT_EQ(FindNewestRms(dir_.path()), "A.rms");
}

TEST_F(RmsFolder, FindNewestRmsOfAnEmptyOrMissingFolderIsEmpty) {
  EXPECT_EQ(FindNewestRms(dir_.path()), "");
  EXPECT_EQ(FindNewestRms(Path("missing")), "");
}

TEST_F(RmsFolder, DateLabelShowsTheWriteDateInTheShortDateForm) {
  WriteAt("june.rms", Local(2017, 6, 1, 23, 59, 0));
  const QLocale japanese(QLocale::Japanese, QLocale::Japan);
  EXPECT_EQ(RmsDateLabel(Path("june.rms"), japanese), QStringLiteral("RMS作成日: 2017/06/01"));
  const QLocale german(QLocale::German, QLocale::Germany);
  EXPECT_EQ(RmsDateLabel(Path("june.rms"), german),
            QStringLiteral("RMS作成日: ") + german.toString(QDate(2017, 6, 1), QLocale::ShortFormat));
  // No date: the label is hidden.
  EXPECT_EQ(RmsDateLabel(Path("missing.rms"), japanese), std::nullopt);
  EXPECT_EQ(RmsDateLabel(dir_.path() + "/", japanese), std::nullopt);
}

TEST(SplitRmsLines, EndsLinesAtCrLfLfOrCr) {
  const struct {
    QByteArray content;
    std::vector<QByteArray> lines;
  } cases[] = {
      {"", {}},
      {"H", {"H"}},
      {"H\r\n", {"H"}},
      {"H\r\nA\r\nB", {"H", "A", "B"}},
      {"H\nA\n", {"H", "A"}},
      {"H\rA\r", {"H", "A"}},
      {"H\r\n\r\nA\r\n", {"H", "", "A"}},
      {"H\n\n", {"H", ""}},
      {"\r\n", {""}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitRmsLines(c.content), c.lines) << c.content.toStdString();
}

TEST(RmsLoadFromContent, SortsTheBoatsAndKeepsTheirLinesExactly) {
  const QByteArray alpha = Boat("alpha", "JPN-A") + "   ";  // trailing blanks are kept
  const QByteArray zeta = Boat("Zeta", "JPN-Z");
  const QByteArray beta = Boat("beta", "JPN-B");
  const RmsLoad load = RmsLoadFromContent(RmsContent(kHeader, {alpha, zeta, beta}), "fleet.rms");
  EXPECT_TRUE(load.fileRead);
  EXPECT_EQ(load.fileName, "fleet.rms");
  EXPECT_EQ(load.headerLine, kHeader);
  EXPECT_EQ(load.boatList, (QStringList{"Zeta", "alpha", "beta"}));
  EXPECT_EQ(load.lines, (std::vector<QByteArray>{zeta, alpha, beta}));
  EXPECT_EQ(load.lineCountText(), "3");
  // The records are cut in file order, so the last one of the file is current.
  ASSERT_TRUE(load.lastRecord.has_value());
  EXPECT_EQ(load.lastRecord->SailNumber, "JPN-B");
}

TEST(RmsLoadFromContent, TwoBoatsOfOneNameAreBothListed) {
  const RmsLoad load = RmsLoadFromContent(
      RmsContent(kHeader, {Boat("SUN", "JPN-1"), Boat("MOON"), Boat("SUN", "JPN-2")}), "f.rms");
  EXPECT_EQ(load.boatList, (QStringList{"MOON", "SUN", "SUN"}));
  EXPECT_EQ(load.lines[1], Boat("SUN", "JPN-1"));
  EXPECT_EQ(load.lines[2], Boat("SUN", "JPN-2"));
}

TEST(RmsLoadFromContent, AHeaderAloneGivesAnEmptyList) {
  const RmsLoad load = RmsLoadFromContent(kHeader + "\r\n", "f.rms");
  EXPECT_TRUE(load.boatList.isEmpty());
  EXPECT_EQ(load.lineCount(), 0);
  EXPECT_EQ(load.lineCountText(), "0");
  EXPECT_FALSE(load.lastRecord.has_value());  // CurrentRecord stays as it was
}

TEST(RmsLoadFromContent, BlankLinesAreSkippedAndUnreadableLinesRefused) {
  const QByteArray alpha = Boat("ALPHA");
  QByteArray control = Boat("CTRL\x1AZ\x01");
  QByteArray controlBlanked = Boat("CTRL Z ");
  QByteArray tabShifted = Boat("TABBED");
  tabShifted.insert(40, '\t');
  QByteArray notANumber = Boat("NAN BOAT");
  notANumber.replace(702, 7, "  abc  ");
  const QByteArray truncated = Boat("SHORT").left(600);
  const struct {
    const char* what;
    QByteArray content;
    QStringList boats;
    std::vector<RefusedRmsLine> refused;
    std::vector<QByteArray> lines;  // in list order; none: not looked at
  } cases[] = {
      {"CR LF", kHeader + "\r\n" + alpha + "\r\n", {"ALPHA"}, {}, {alpha}},
      {"LF, no end on the last line",
       kHeader + "\n" + Boat("B") + "\n" + alpha,
       {"ALPHA", "B"},
       {},
       {alpha, Boat("B")}},
      {"blank lines", kHeader + "\r\n\r\n" + alpha + "\r\n   \t \r\n\r\n", {"ALPHA"}, {}, {alpha}},
      {"end-of-file mark", kHeader + "\r\n" + alpha + "\r\n\x1A", {"ALPHA"}, {}, {alpha}},
      {"end-of-file mark after a last line without its end",
       kHeader + "\r\n" + alpha + "\x1A\x1A",
       {"ALPHA"},
       {},
       {alpha}},
      {"control bytes in a record", kHeader + "\r\n" + control + "\r\n", {"CTRL Z"}, {}, {controlBlanked}},
      {"short line", kHeader + "\r\n" + truncated + "\r\n" + alpha, {"ALPHA"}, {{2, "SHORT"}}, {alpha}},
      {"tab-shifted, not a number, garbage",
       kHeader + "\r\n" + tabShifted + "\r\n" + alpha + "\r\n" + notANumber + "\r\n\r\ngarbage\xFF\r\n",
       {"ALPHA"},
       {{2, "TABBED"}, {4, "NAN BOAT"}, {6, ""}},
       {alpha}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const RmsLoad load = RmsLoadFromContent(c.content, "f.rms");
    EXPECT_EQ(load.boatList, c.boats);
    EXPECT_EQ(load.lineCount(), c.boats.size());
    EXPECT_EQ(load.refused, c.refused);
    EXPECT_EQ(load.lines, c.lines);
  }
}

TEST(RmsLoadFromContent, TheMessageNamesAFewRefusedLinesAndCountsTheRest) {
  std::vector<QByteArray> records;
  for (int k = 1; k <= 8; ++k) records.push_back(Boat("BAD " + QByteArray::number(k)).left(1000));
  records.insert(records.begin() + 2, Boat("GOOD"));
  records[5] = Boat("").left(900);
  const RmsLoad load = RmsLoadFromContent(RmsContent(kHeader, records), "club.rms");
  EXPECT_EQ(load.boatList, QStringList{"GOOD"});
  EXPECT_EQ(RefusedRmsLinesMessage(load),
            QStringLiteral("レーティングデータファイル「club.rms」の次の行は証書データとして読めないため、"
                           "艇の一覧に入れていません。\n"
                           "\n    2行目: BAD 1"
                           "\n    3行目: BAD 2"
                           "\n    5行目: BAD 3"
                           "\n    6行目: BAD 4"
                           "\n    7行目: (艇名なし)"
                           "\n    ほか3行"));
  EXPECT_EQ(RefusedRmsLinesMessage(RmsLoadFromContent(RmsContent(kHeader, {Boat("GOOD")}), "f.rms")),
            QString());
}

TEST(RmsLoadFromContent, LineOneIsNeverABoatWhateverItHolds) {
  const RmsLoad load = RmsLoadFromContent(Boat("FIRST") + "\r\n" + Boat("SECOND") + "\r\n", "f.rms");
  EXPECT_EQ(load.boatList, QStringList{"SECOND"});
  EXPECT_EQ(load.headerLine, Boat("FIRST"));
}

TEST(RmsLoadFromContent, LoadsEveryBoatLineOfALongFile) {
  std::vector<QByteArray> boats;
  for (int k = 0; k < 1500; ++k) boats.push_back(Boat("BOAT " + QByteArray::number(1500 - k)));
  const RmsLoad load = RmsLoadFromContent(RmsContent(kHeader, boats), "f.rms");
  EXPECT_EQ(load.lineCount(), 1500);
  EXPECT_EQ(load.boatList.front(), "BOAT 1");
  EXPECT_EQ(load.boatList.back(), "BOAT 999");
}

TEST_F(RmsFolder, ALatinOneNameLoadsAndShowsAsQuestionMark) {
  const QByteArray rene = Boat("Ren\xE9 B");
  const QByteArray japanese = Boat(Cp932("海風"));
  Write("mixed.rms", RmsContent(kHeader, {rene, japanese, Boat("ANNA")}));
  const RmsLoad load = LoadRmsFile(Path("mixed.rms"));
  EXPECT_EQ(load.boatList, (QStringList{"ANNA", "Ren? B", QStringLiteral("海風")}));
  EXPECT_EQ(load.lines[1], rene);  // byte for byte
  EXPECT_EQ(load.lines[2], japanese);
}

TEST_F(RmsFolder, LoadOfAFileThatCannotBeReadFailsNamingTheFile) {
  try {
    LoadRmsFile(Path("missing.rms"));
    FAIL() << "no failure";
  } catch (const RmsFileError& e) {
    EXPECT_EQ(e.path(), Path("missing.rms"));
    EXPECT_TRUE(e.message().contains(Path("missing.rms")));
    EXPECT_TRUE(QString::fromStdString(e.what()).contains("missing.rms"));
  }
  ASSERT_TRUE(QDir(dir_.path()).mkdir("folder.rms"));
  EXPECT_THROW(LoadRmsFile(Path("folder.rms")), RmsFileError);
}

TEST_F(RmsFolder, LoadWithoutAFileNameIsAQuietEmptyLoad) {
  // First start: RmsFile is the rating data folder and "/" alone.
  const RmsLoad load = LoadRmsFile(dir_.path() + "/");
  EXPECT_FALSE(load.fileRead);
  EXPECT_TRUE(load.boatList.isEmpty());
  EXPECT_EQ(load.lineCountText(), "0");
  EXPECT_EQ(load.fileName, "");
  EXPECT_FALSE(load.lastRecord.has_value());
}

TEST(StoreRmsLines, FillsTheOneBasedTableAndGrowsIt) {
  Table<QByteArray> table(150);
  table[5] = "old";
  StoreRmsLines(table, {"a", "b"});
  EXPECT_EQ(table.size(), 150u);
  EXPECT_EQ(table[1], "a");
  EXPECT_EQ(table[2], "b");
  EXPECT_EQ(table[5], "");
  std::vector<QByteArray> many(300, "x");
  StoreRmsLines(table, many);
  EXPECT_EQ(table.size(), 301u);
  EXPECT_EQ(table[300], "x");
  EXPECT_EQ(table[0], "");  // place 0 stays unused
}

TEST(RmsPageCommands, OpenDialogAndDetailsButton) {
  EXPECT_EQ(RmsOpenDialogFilter(), "RMS (*.rms)");
  EXPECT_EQ(RmsFileFromDialog(""), std::nullopt);
  EXPECT_EQ(RmsFileFromDialog("/data/RMS/fleet.rms"), "/data/RMS/fleet.rms");
  EXPECT_TRUE(RmsFileFromDialog("relative.rms")->startsWith("/"));
  EXPECT_FALSE(DetailsPanelVisibleAfterClick("", false));
  EXPECT_TRUE(DetailsPanelVisibleAfterClick("", true));
  EXPECT_TRUE(DetailsPanelVisibleAfterClick(" Boatname: A\r\n", false));
  EXPECT_FALSE(DetailsPanelVisibleAfterClick(" Boatname: A\r\n", true));
}

}  // namespace
}  // namespace kivo
