#include "core/race_xml.h"
#include "core/file_io.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "core/number_text.h"
#include "core/rms_record.h"
#include "core/rms_text.h"
#include "core/tag_reader.h"
#include "testing/one_race_model.h"
#include "testing/rms_fixtures.h"

namespace kivo {
namespace {

using fixtures::Cp932;
using fixtures::EmptyModel;
using fixtures::EnterBoat;
using fixtures::OneRaceModel;
using fixtures::RecordBuilder;
using fixtures::SyntheticRecord;

const QLocale kJapanese(QLocale::Japanese, QLocale::Japan);
const QLocale kGerman(QLocale::German, QLocale::Germany);  // "," as decimal separator

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList Lines(const QByteArray& crlfText) {
  QStringList lines = QString::fromUtf8(crlfText).split(QStringLiteral("\r\n"));
  EXPECT_EQ(lines.last(), QString()) << "the text does not end with CR LF";
  lines.removeLast();
  return lines;
}

// The certificate record as the module sees it: the rms value of a written
// boat tag, unescaped, encoded back to CP932.
QByteArray RecordAsTheModuleSees(const QString& boatLine) {
  return EncodeAnsi(GetXmlAttr(QStringLiteral("rms="), boatLine));
}

class RaceXmlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    model_ = OneRaceModel();
    model_.XmlFolder = dir_.path();
    model_.RaceXmlFile = dir_.filePath(QStringLiteral("cup_R1.xml"));
  }

  // One race of course type 1 with two boats, as the pages leave it.
  void FillRace() {
    model_.RaceName[1] = QStringLiteral("Spring Cup");
    model_.RaceStart[1] = QStringLiteral("2017/06/04 10:30:00");
    model_.RaceLimit[1] = QStringLiteral("2017/06/04 16:00:00");
    model_.CourseDistance[1] = 12.3f;
    model_.RaceType[1] = 1;
    EnterBoat(model_,
              {.record = SyntheticRecord(1, "Alpha"), .finish = QStringLiteral("2017/06/04 12:34:56")});
    EnterBoat(model_, {.record = SyntheticRecord(2, "Bravo"),
                       .finish = QStringLiteral("-"),
                       .status = QStringLiteral("DNF"),
                       .penalty = QStringLiteral("10"),
                       .remarks = QStringLiteral("late")});
  }

  void WriteFixture(const QByteArray& bytes) { ASSERT_TRUE(fixtures::WriteFile(model_.RaceXmlFile, bytes)); }

  QTemporaryDir dir_;
  EventModel model_;
};

// ---- small helpers ---------------------------------------------------------

TEST(ReplaceAmpersand, TurnsEveryAmpersandIntoADash) {
  EXPECT_EQ(ReplaceAmpersand(QStringLiteral("A&B&&C")), QStringLiteral("A-B--C"));
  EXPECT_EQ(ReplaceAmpersand(QStringLiteral("none")), QStringLiteral("none"));
  // In CP932 bytes: the double-byte characters around it stay whole.
  const QByteArray bytes = Cp932("海&空");
  EXPECT_EQ(ReplaceAmpersand(QByteArrayView(bytes)), Cp932("海-空"));
}

TEST(RaceXmlName, IsTheSaveNameBeforeItsFirstPointWithTheRaceNumber) {
  EXPECT_EQ(RaceXmlNameFor(QStringLiteral("cup.2017"), 1), QStringLiteral("cup_R1.xml"));
  EXPECT_EQ(RaceXmlNameFor(QStringLiteral("Cup"), 1), QStringLiteral("Cup_R1.xml"));
  EXPECT_EQ(RaceXmlNameFor(QStringLiteral("  Cup  "), 1), QStringLiteral("Cup_R1.xml"));
  EXPECT_EQ(RaceXmlNameFor(QStringLiteral("a.b.c"), 2), QStringLiteral("a_R2.xml"));
  EXPECT_EQ(RaceXmlNameFor(QStringLiteral("春季大会.kivo"), 1), QStringLiteral("春季大会_R1.xml"));
  EXPECT_EQ(SaveNameBase(QStringLiteral(" x.y")), QStringLiteral(" x"));

  EventModel model = OneRaceModel();
  model.SaveName = QStringLiteral("cup.2017");
  model.XmlFolder = QStringLiteral("/data/KIVODATA/XML");
  NameRaceXml(model);
  EXPECT_EQ(model.RaceXmlName[1], QStringLiteral("cup_R1.xml"));
  EXPECT_EQ(model.RaceXmlFile, QStringLiteral("/data/KIVODATA/XML/cup_R1.xml"));
}

// ---- the writer --------------------------------------------------------------

TEST_F(RaceXmlTest, WritesTheLinesOfCourseType1) {
  FillRace();
  const QStringList lines = Lines(RaceXmlText(model_, kJapanese));
  const QString rms1 = QString::fromLatin1(model_.EntryRecord[1]);
  const QString rms2 = QString::fromLatin1(model_.EntryRecord[2]);
  const QStringList expected = {
      QStringLiteral("<race start=\"2017-06-04T10:30:00\" distance=\"12.3000001907349\" type=\"1\" "
                     "name=\"Spring Cup\" limit=\"2017/06/04 16:00:00\">"),
      QStringLiteral("<boats>"),
      QStringLiteral(
          "<boat finish=\"2017-06-04T12:34:56\" correctedSeconds=\"0\" impliedWind=\"0\" velocity=\"0\" "
          "constructedCourseVector=\"0\" rms=\"") +
          rms1 + QStringLiteral("\" abbr=\"OK\" rmks=\"-\" pnlty=\"0\"/>"),
      QStringLiteral("<boat finish=\"0\" correctedSeconds=\"0\" impliedWind=\"0\" velocity=\"0\" "
                     "constructedCourseVector=\"0\" rms=\"") +
          rms2 + QStringLiteral("\" abbr=\"DNF\" rmks=\"late\" pnlty=\"10\"/>"),
      QStringLiteral("</boats>"),
      QStringLiteral("</race>"),
  };
  EXPECT_EQ(lines, expected);
}

TEST_F(RaceXmlTest, WritesTheLegsOfCourseType0WithPointsWhateverTheLocale) {
  FillRace();
  model_.RaceType[1] = 0;
  model_.RaceLegCount[1] = 3;
  model_.CourseDistance[1] = 10.0f;
  const float legs[3][4] = {{1.5f, 45, 30, 8}, {2.25f, 180.5f, 30, 0}, {0.1f, 315, 12.3f, 10}};
  for (int k = 1; k <= 3; ++k) {
    model_.LegDistance[1][k] = legs[k - 1][0];
    model_.LegCourse[1][k] = legs[k - 1][1];
    model_.LegWindDirection[1][k] = legs[k - 1][2];
    model_.LegWindSpeed[1][k] = legs[k - 1][3];
  }
  model_.RaceStart[1] = QStringLiteral("2017.06.04 10:30:00");  // the German form of the data check
  const QStringList lines = Lines(RaceXmlText(model_, kGerman));
  ASSERT_EQ(lines.size(), 11);
  EXPECT_EQ(
      lines[0],
      QStringLiteral("<race start=\"2017-06-04T10:30:00\" distance=\"10\" type=\"0\" name=\"Spring Cup\" "
                     "limit=\"2017/06/04 16:00:00\">"));
  EXPECT_EQ(lines[1], QStringLiteral("<legs>"));
  EXPECT_EQ(lines[2],
            QStringLiteral("<leg distance=\"1.5\" course=\"45\" windDirection=\"30\" windSpeed=\"8\"/>"));
  EXPECT_EQ(lines[3],
            QStringLiteral("<leg distance=\"2.25\" course=\"180.5\" windDirection=\"30\" windSpeed=\"0\"/>"));
  EXPECT_EQ(lines[4], QStringLiteral("<leg distance=\"0.100000001490116\" course=\"315\" "
                                     "windDirection=\"12.3000001907349\" windSpeed=\"10\"/>"));
  EXPECT_EQ(lines[5], QStringLiteral("</legs>"));
  EXPECT_EQ(lines[6], QStringLiteral("<boats>"));
  EXPECT_EQ(lines[9], QStringLiteral("</boats>"));
  EXPECT_EQ(lines[10], QStringLiteral("</race>"));
}

TEST_F(RaceXmlTest, WritesUtf8WithCrLfAndNoDeclaration) {
  FillRace();
  model_.RaceName[1] = QStringLiteral("第1レース");
  const QByteArray text = RaceXmlText(model_, kJapanese);
  EXPECT_TRUE(text.startsWith("<race start="));
  EXPECT_TRUE(text.endsWith("</boats>\r\n</race>\r\n"));
  EXPECT_EQ(text.count("\r\n"), 6);
  EXPECT_EQ(text.count('\n'), 6);
  EXPECT_TRUE(text.contains(QStringLiteral("name=\"第1レース\"").toUtf8()));
}

TEST_F(RaceXmlTest, FinishIsWrittenOnlyWhenItReadsAsADateTime) {
  FillRace();
  const struct {
    const char* finish;
    const char* written;
  } cases[] = {
      {"2017/06/04 12:34:56", "2017-06-04T12:34:56"},
      {"2017/6/4", "0"},  // reads, but 10 characters or fewer: no finish
      {"2017/06/04 9:05:00", "2017-06-04T09:05:00"},
      {"-", "0"},
      {"", "0"},
      {"not a date and time", "0"},
      {"2017/02/30 10:00:00", "0"},
  };
  for (const auto& c : cases) {
    model_.BoatFinish[1][1] = QString::fromLatin1(c.finish);
    const QStringList lines = Lines(RaceXmlText(model_, kJapanese));
    EXPECT_EQ(GetXmlAttr(QStringLiteral("finish="), lines[2]), QString::fromLatin1(c.written)) << c.finish;
  }
}

TEST_F(RaceXmlTest, StartThatDoesNotReadRaisesTheConversionErrorAndKeepsTheFile) {
  FillRace();
  WriteFixture("previous results\r\n");
  model_.RaceStart[1] = QStringLiteral("xyz");
  EXPECT_THROW(WriteRaceXml(model_, kJapanese), EConvertError);
  EXPECT_EQ(ReadAll(model_.RaceXmlFile), QByteArray("previous results\r\n"));
}

TEST_F(RaceXmlTest, WritesTheFileWholeAndNamesItWhenItCannot) {
  FillRace();
  WriteRaceXml(model_, kJapanese);
  EXPECT_EQ(ReadAll(model_.RaceXmlFile), RaceXmlText(model_, kJapanese));
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{QStringLiteral("cup_R1.xml")});

  model_.RaceXmlFile = dir_.filePath(QStringLiteral("missing/cup_R1.xml"));
  try {
    WriteRaceXml(model_, kJapanese);
    ADD_FAILURE() << "no error";
  } catch (const ScorerFileError& e) {
    EXPECT_EQ(e.path(), model_.RaceXmlFile);
    EXPECT_TRUE(QString::fromStdString(e.what()).startsWith(
        QStringLiteral("レースXMLファイルを書き込めませんでした。\n") + model_.RaceXmlFile +
        QStringLiteral("\n")))
        << e.what();
  }
}

// ---- escaping and the certificate record's byte positions ------------------

TEST_F(RaceXmlTest, EscapesEveryValueAndReadsItBack) {
  FillRace();
  model_.RaceName[1] = QStringLiteral("A&B <Final> \"Cup\"");
  model_.RaceLimit[1] = QStringLiteral("2017/06/04 16:00:00");
  model_.BoatRemarks[1][1] = QStringLiteral("protest <pending> & \"x\"");
  model_.BoatPenalty[1][1] = QStringLiteral("5");
  WriteRaceXml(model_, kJapanese);
  const QStringList lines = Lines(ReadAll(model_.RaceXmlFile));
  EXPECT_TRUE(lines[0].contains(QStringLiteral("name=\"A&amp;B &lt;Final&gt; &quot;Cup&quot;\"")));
  EXPECT_EQ(SplitTags(lines.join(QString())).size(), lines.size());

  EventModel back = EmptyModel();
  back.RaceXmlFile = model_.RaceXmlFile;
  ReadRaceResults(back);
  EXPECT_EQ(back.RaceName[1], model_.RaceName[1]);
  EXPECT_EQ(back.BoatRemarks[1][1], model_.BoatRemarks[1][1]);
  EXPECT_EQ(back.RaceLimit[1], model_.RaceLimit[1]);
}

TEST_F(RaceXmlTest, RecordKeepsEveryColumnAtItsBytePosition) {
  // One record with Japanese (double-byte) names and an "&", one with a stray
  // Latin-1 byte (0xE9 before a blank: no CP932 character) and characters
  // that must be escaped.
  const QByteArray japanese = RecordBuilder()
                                  .Put(1, SyntheticRecord(3, Cp932("海風&号")))
                                  .Put(54, Cp932("ヤマハ３０"))
                                  .Put(90, Cp932("設計　太郎"))
                                  .Build();
  QByteArray latin = SyntheticRecord(4, "Caf\xE9 Ol\xE9");
  latin.replace(89, 10, "K. <Desig\"");
  FillRace();
  model_.EntryRecord[1] = japanese;
  model_.EntryRecord[2] = latin;
  WriteRaceXml(model_, kJapanese);
  const QStringList lines = Lines(ReadAll(model_.RaceXmlFile));

  QByteArray expectedJapanese = japanese;
  expectedJapanese.replace('&', '-');
  QByteArray expectedLatin = latin;
  for (char& c : expectedLatin)
    if (static_cast<unsigned char>(c) == 0xE9) c = '?';
  EXPECT_EQ(RecordAsTheModuleSees(lines[2]), expectedJapanese);
  EXPECT_EQ(RecordAsTheModuleSees(lines[3]), expectedLatin);
  EXPECT_EQ(RecordAsTheModuleSees(lines[2]).size(), japanese.size());
  EXPECT_EQ(RecordAsTheModuleSees(lines[3]).size(), latin.size());
  EXPECT_TRUE(lines[3].contains(QStringLiteral("K. &lt;Desig&quot;")));

  // The read-back takes the same bytes into EntryRecord and cuts the fields.
  EventModel back = EmptyModel();
  back.RaceXmlFile = model_.RaceXmlFile;
  ReadRaceResults(back);
  EXPECT_EQ(back.EntryRecord[1], expectedJapanese);
  EXPECT_EQ(back.EntryRecord[2], expectedLatin);
  EXPECT_EQ(back.EntryName[1], QStringLiteral("海風-号"));
  EXPECT_EQ(back.EntryClass[1], QStringLiteral("ヤマハ３０"));
  EXPECT_EQ(back.EntryName[2], QStringLiteral("Caf? Ol?"));
}

TEST_F(RaceXmlTest, WritesNoCharacterThatXmlForbids) {
  // An old end-of-file mark and other control bytes in a record (from an
  // event saved before the rating file loader blanked them) and in typed
  // texts; characters XML 1.0 has no place for at all.
  QByteArray record = SyntheticRecord(5,
                                      "CTRL\x1A"
                                      "BOAT\x01");
  record[100] = '\x1B';
  FillRace();
  model_.EntryRecord[1] = record;
  model_.RaceName[1] = QStringLiteral("Race\u0007One\uFFFE") + QChar(0xD800) + QStringLiteral("\U0001F600");
  model_.BoatRemarks[1][2] = QStringLiteral("tab\there\x1F");
  const QByteArray xml = RaceXmlText(model_, kJapanese);

  for (char c : xml) {
    const auto byte = static_cast<unsigned char>(c);
    EXPECT_TRUE(byte >= 0x20 || c == '\r' || c == '\n') << int(byte);
  }
  const QString text = QString::fromUtf8(xml);
  EXPECT_FALSE(text.contains(QChar(0xFFFE)));
  const QStringList lines = Lines(xml);
  EXPECT_TRUE(lines[0].contains(QStringLiteral("name=\"Race One  \U0001F600\"")));
  EXPECT_TRUE(lines[3].contains(QStringLiteral("rmks=\"tab&#9;here \"")));
  // Each control byte of the record became one blank: every column stays.
  QByteArray expected = record;
  for (char& c : expected)
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  EXPECT_EQ(RecordAsTheModuleSees(lines[2]), expected);
  EXPECT_EQ(ParseRmsLine(RecordAsTheModuleSees(lines[2])).Boatname, QStringLiteral("CTRL BOAT"));
}

// ---- the read-back -----------------------------------------------------------

TEST_F(RaceXmlTest, ReadsAFileAsTheModuleRewroteIt) {
  const QByteArray record1 = SyntheticRecord(11, "Alpha");
  const QByteArray record2 = SyntheticRecord(12, "Bravo");
  const QByteArray record3 = SyntheticRecord(13, "Charlie");
  const QByteArray record4 = SyntheticRecord(14, "Delta");
  const QByteArray module =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<race start=\"2017-06-04T10:30:00\" distance=\"12.5\" type=\"1\" name=\"Spring Cup\" "
      "limit=\"2017/06/04 16:00:00\" KivoModuleVersion=\"1.3.0.5\">\n"
      "<boats>\n"
      "<boat finish=\"2017-06-04T12:34:56\" correctedSeconds=\"3725.2\" impliedWind=\"9.12345\" "
      "velocity=\"6.1\" constructedCourseVector=\"612.3,550.1,500,470,450,440,430\" rms=\"" +
      record1 +
      "\" abbr=\"OK\" rmks=\"-\" pnlty=\"0\" warning=\"\" error=\"\" errorMessage=\"\" "
      "correctedTime=\"00:01:02:05\"/>\n"
      "<boat finish=\"0\" correctedSeconds=\"0\" impliedWind=\"6\" velocity=\"-1\" "
      "constructedCourseVector=\"612.3,550.1,500,470,450,440,430\" rms=\"" +
      record2 +
      "\" abbr=\"DNF\" rmks=\"late\" pnlty=\"10\" warning=\"\" error=\"\" errorMessage=\"\" "
      "correctedTime=\"00:00:00:00\"/>\n"
      "<boat finish=\"2017-06-04T12:40:00\" correctedSeconds=\"3800\" impliedWind=\"9\" velocity=\"6\" "
      "constructedCourseVector=\"1,2,3,4,5,6,7\" rms=\"" +
      record3 +
      "\" rmks=\"-\" pnlty=\"0\" warning=\"\" error=\"true\" errorMessage=\"EKivoException: x &amp; y\" "
      "correctedTime=\"00:01:03:20\"/>\n"
      "<boat finish=\"0\" correctedSeconds=\"0\" impliedWind=\"0\" velocity=\"0\" "
      "constructedCourseVector=\"0\" rms=\"" +
      record4 +
      "\" abbr=\"OK\" rmks=\"-\" pnlty=\"0\" warning=\"\" error=\"\" errorMessage=\"\" correctedTime=\"\"/>\n"
      "</boats>\n"
      "<legs/>\n"
      "</race>\n";
  WriteFixture(module);
  model_.CurrentRace = 1;
  ReadRaceResults(model_);

  EXPECT_EQ(model_.ResultsFlags, kResultsHaveVectors | kResultsHaveCorrected);
  EXPECT_EQ(model_.CurrentRace, 1);
  EXPECT_EQ(model_.RaceName[1], QStringLiteral("Spring Cup"));
  EXPECT_EQ(model_.RaceStart[1], QStringLiteral("2017/06/04 10:30:00"));
  EXPECT_EQ(model_.RaceLimit[1], QStringLiteral("2017/06/04 16:00:00"));
  EXPECT_EQ(model_.CourseDistance[1], 12.5f);
  EXPECT_EQ(model_.RaceType[1], 1);
  EXPECT_EQ(model_.RaceLegCount[1], 0);
  EXPECT_EQ(model_.RaceEntryCount[1], 4);
  EXPECT_EQ(model_.EntryCount, 4);
  EXPECT_EQ(model_.RaceFinishedCount[1], 3);

  EXPECT_EQ(model_.EntryRecord[1], record1);
  EXPECT_EQ(model_.EntryName[1], QStringLiteral("Alpha"));
  EXPECT_EQ(model_.EntrySailNo[1], ParseRmsLine(record1).SailNumber);
  EXPECT_EQ(model_.EntryClass[1], ParseRmsLine(record1).YachtClass);
  EXPECT_EQ(model_.EntryGph[1], ParseRmsLine(record1).GPH);
  EXPECT_EQ(model_.BoatFinish[1][1], QStringLiteral("2017/06/04 12:34:56"));
  EXPECT_EQ(model_.BoatFinished[1][1], 1);
  EXPECT_EQ(model_.BoatCorrected[1][1], 3725.2f);
  EXPECT_EQ(model_.BoatVector[1][1], QStringLiteral("612.3,550.1,500,470,450,440,430"));
  EXPECT_EQ(model_.BoatStatus[1][1], QStringLiteral("OK"));
  EXPECT_EQ(model_.BoatRemarks[1][1], QStringLiteral("-"));
  EXPECT_EQ(model_.BoatPenalty[1][1], QStringLiteral("0"));

  // DNF with finish "0": finished, with the finish text "0".
  EXPECT_EQ(model_.BoatFinish[1][2], QStringLiteral("0"));
  EXPECT_EQ(model_.BoatFinished[1][2], 1);
  EXPECT_EQ(model_.BoatStatus[1][2], QStringLiteral("DNF"));
  EXPECT_EQ(model_.BoatRemarks[1][2], QStringLiteral("late"));
  EXPECT_EQ(model_.BoatPenalty[1][2], QStringLiteral("10"));
  EXPECT_EQ(model_.EntryName[2], QStringLiteral("Bravo"));

  // No abbr at all: the missing attribute reads "0", which is not "OK".
  EXPECT_EQ(model_.BoatStatus[1][3], QStringLiteral("0"));
  EXPECT_EQ(model_.BoatFinished[1][3], 1);
  EXPECT_EQ(model_.BoatFinish[1][3], QStringLiteral("2017/06/04 12:40:00"));

  // Finish "0" and "OK": not finished, no finish text.
  EXPECT_EQ(model_.BoatFinish[1][4], QString());
  EXPECT_EQ(model_.BoatFinished[1][4], 0);
  EXPECT_EQ(model_.BoatVector[1][4], QStringLiteral("0"));
}

TEST_F(RaceXmlTest, FileThatTheModuleHasNotProcessedHasNoResults) {
  FillRace();
  WriteRaceXml(model_, kJapanese);
  EventModel back = OneRaceModel();
  back.RaceXmlFile = model_.RaceXmlFile;
  ReadRaceResults(back);
  EXPECT_EQ(back.ResultsFlags, 0);
  EXPECT_EQ(back.EntryCount, 2);
  EXPECT_EQ(back.RaceStart[1], model_.RaceStart[1]);
  EXPECT_EQ(back.RaceLimit[1], model_.RaceLimit[1]);
  EXPECT_EQ(back.CourseDistance[1], 12.3f);
  EXPECT_EQ(back.RaceFinishedCount[1], 2);  // the finished OK boat and the DNF
  EXPECT_EQ(back.BoatFinish[1][2], QStringLiteral("0"));
  EXPECT_EQ(back.BoatRemarks[1][1], QStringLiteral("-"));
  EXPECT_EQ(back.EntryRecord[1], model_.EntryRecord[1]);
}

TEST_F(RaceXmlTest, LegsComeBackInFileOrder) {
  FillRace();
  model_.RaceType[1] = 0;
  model_.RaceLegCount[1] = 2;
  model_.LegDistance[1][1] = 1.5f;
  model_.LegCourse[1][1] = 45;
  model_.LegWindDirection[1][1] = 30;
  model_.LegWindSpeed[1][1] = 8;
  model_.LegDistance[1][2] = 12.3f;
  model_.LegCourse[1][2] = 225;
  model_.LegWindDirection[1][2] = 31;
  model_.LegWindSpeed[1][2] = 0;
  WriteRaceXml(model_, kJapanese);
  EventModel back = EmptyModel();
  back.RaceXmlFile = model_.RaceXmlFile;
  ReadRaceResults(back);
  EXPECT_EQ(back.RaceType[1], 0);
  EXPECT_EQ(back.RaceLegCount[1], 2);
  for (int k = 1; k <= 2; ++k) {
    EXPECT_EQ(back.LegDistance[1][k], model_.LegDistance[1][k]);
    EXPECT_EQ(back.LegCourse[1][k], model_.LegCourse[1][k]);
    EXPECT_EQ(back.LegWindDirection[1][k], model_.LegWindDirection[1][k]);
    EXPECT_EQ(back.LegWindSpeed[1][k], model_.LegWindSpeed[1][k]);
  }
}

TEST_F(RaceXmlTest, NonNumberStopsTheReadAndKeepsWhatWasReadBefore) {
  model_.EntryCount = 7;
  model_.RaceEntryCount[1] = 7;
  WriteFixture(
      "<race start=\"2017-06-04T10:30:00\" distance=\"12.5\" type=\"1\" name=\"R\" limit=\"L\">\r\n<boats>\r\n"
      "<boat finish=\"0\" correctedSeconds=\"100\" constructedCourseVector=\"0\" rms=\"First\" abbr=\"DNS\" "
      "rmks=\"-\" pnlty=\"0\"/>\r\n"
      "<boat finish=\"0\" correctedSeconds=\"12,5\" constructedCourseVector=\"0\" rms=\"Second\" abbr=\"DNS\" "
      "rmks=\"-\" pnlty=\"0\"/>\r\n"
      "<boat finish=\"0\" correctedSeconds=\"1\" constructedCourseVector=\"0\" rms=\"Third\" abbr=\"OK\" "
      "rmks=\"-\" pnlty=\"0\"/>\r\n</boats>\r\n</race>\r\n");
  try {
    ReadRaceResults(model_);
    ADD_FAILURE() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'12,5' is not a valid floating point value");
  }
  EXPECT_EQ(model_.RaceName[1], QStringLiteral("R"));
  EXPECT_EQ(model_.CourseDistance[1], 12.5f);
  EXPECT_EQ(model_.EntryRecord[1], QByteArray("First"));
  EXPECT_EQ(model_.BoatCorrected[1][1], 100.0f);
  EXPECT_EQ(model_.BoatStatus[1][1], QStringLiteral("DNS"));
  EXPECT_EQ(model_.EntryRecord[2], QByteArray("Second"));  // read before the failing attribute
  EXPECT_EQ(model_.BoatStatus[1][2], QString());           // not reached: as it was
  EXPECT_EQ(model_.EntryRecord[3], QByteArray());
  EXPECT_EQ(model_.EntryCount, 7);  // the counts are set only after the last tag
  EXPECT_EQ(model_.ResultsFlags, 0);
}

TEST_F(RaceXmlTest, TypeThatIsNoIntegerRaisesTheConversionError) {
  WriteFixture("<race start=\"2017-06-04T10:30:00\" distance=\"12.5\" type=\"1.5\" name=\"R\" limit=\"L\">");
  EXPECT_THROW(ReadRaceResults(model_), EConvertError);
  EXPECT_EQ(model_.RaceName[1], QStringLiteral("R"));
  EXPECT_EQ(model_.CourseDistance[1], 12.5f);
}

TEST_F(RaceXmlTest, MissingFileResetsOnlyTheFlagsAndTheFinishedCount) {
  model_.ResultsFlags = 3;
  model_.RaceFinishedCount[1] = 5;
  model_.EntryCount = 4;
  model_.RaceName[1] = QStringLiteral("kept");
  ReadRaceResults(model_);
  EXPECT_EQ(model_.ResultsFlags, 0);
  EXPECT_EQ(model_.RaceFinishedCount[1], 0);
  EXPECT_EQ(model_.EntryCount, 4);
  EXPECT_EQ(model_.RaceName[1], QStringLiteral("kept"));

  // The folder itself (an event whose race XML has no name) is no file either.
  model_.RaceXmlFile = dir_.path() + QLatin1Char('/');
  EXPECT_NO_THROW(ReadRaceResults(model_));
}

TEST_F(RaceXmlTest, LongRecordsFollowTheWindowOfGetXmlAttr) {
  for (int length : {1994, 1995}) {
    const QByteArray record(length, 'x');
    WriteFixture("<race type=\"1\"><boats><boat finish=\"0\" rms=\"" + record +
                 "\" abbr=\"OK\"/></boats></race>");
    ReadRaceResults(model_);
    EXPECT_EQ(model_.EntryRecord[1], length == 1994 ? record : QByteArray()) << length;
  }
}

TEST_F(RaceXmlTest, AmpersandInTheRecordComesBackAsADash) {
  FillRace();
  model_.EntryRecord[1] = SyntheticRecord(1, "Tom&Jerry");
  WriteRaceXml(model_, kJapanese);
  ReadRaceResults(model_);
  EXPECT_EQ(model_.EntryName[1], QStringLiteral("Tom-Jerry"));
}

TEST_F(RaceXmlTest, MoreBoatsThanPlacesStopsWithAClearError) {
  QByteArray text = "<race type=\"1\"><boats>";
  for (int i = 1; i <= 20; ++i)
    text += "<boat finish=\"0\" rms=\"B" + QByteArray::number(i) + "\" abbr=\"OK\"/>";
  text += "</boats></race>";
  WriteFixture(text);
  try {
    ReadRaceResults(model_);
    ADD_FAILURE() << "no error";
  } catch (const ScorerFileError& e) {
    EXPECT_TRUE(QString::fromStdString(e.what()).contains(QStringLiteral("19艇を超えています"))) << e.what();
    EXPECT_EQ(e.path(), model_.RaceXmlFile);
  }
  EXPECT_EQ(model_.EntryRecord[19], QByteArray("B19"));
}

TEST_F(RaceXmlTest, DeclarationEndTagsAndLineLayoutPlayNoPart) {
  // All on one line, with a byte-order mark and other elements.
  WriteFixture(
      "\xEF\xBB\xBF<?xml version=\"1.0\"?><race type=\"2\" name=\"One line\"><boats><boat finish=\"0\" "
      "rms=\"R\" abbr=\"OK\" correctedSeconds=\"5\" constructedCourseVector=\"0\"/><other/></boats>"
      "</race>");
  ReadRaceResults(model_);
  EXPECT_EQ(model_.RaceName[1], QStringLiteral("One line"));
  EXPECT_EQ(model_.RaceType[1], 2);
  EXPECT_EQ(model_.CourseDistance[1], 0.0f);  // no distance attribute: "0"
  EXPECT_EQ(model_.EntryCount, 1);
  EXPECT_EQ(model_.ResultsFlags, kResultsHaveCorrected);
}

}  // namespace
}  // namespace kivo
