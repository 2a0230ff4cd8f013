#include <gtest/gtest.h>
#include <libxml/tree.h>

#include "KivoLib.h"
#include "ansi/ansi.h"
#include "failure_text.h"
#include "testing/rating_record.h"

using kivotest::FailureText;
using namespace kivo;
using kivotest::RatingRecord;
namespace column = kivotest::column;

namespace {

std::string ParseFailure(const RatingRecord& record) {
  return FailureText([&] { TKivoBoat::CreateFromRecord(record.Line()); });
}

}  // namespace

TEST(TKivoBoat, CreateNamesEveryTable) {
  TKivoBoat boat;
  const char* names[15] = {"Beat", "Run", "W/L", "C/R",  "Ocean", "N/S",  "Olympic", "R52",
                           "R60",  "R75", "R90", "R110", "R120",  "R135", "R150"};
  for (int i = 0; i < 15; ++i) {
    EXPECT_EQ(boat.Curve(i)->GetName(), names[i]);
    EXPECT_EQ(boat.Curve(i)->AsText(), "0,0,0,0,0,0,0");
  }
  EXPECT_EQ(boat.UA.GetName(), "UA");
  EXPECT_EQ(boat.DA.GetName(), "DA");
  EXPECT_EQ(boat.GPH, 0);
  EXPECT_EQ(boat.CourseCurve(), nullptr);
}

TEST(TKivoBoat, ParseRecordCutsEveryBlock) {
  RatingRecord record = RatingRecord::Typical(1.0, 612.3);
  record.Curve(column::Olympic, {1, 2, 3, 4, 5, 6, 7});
  record.Curve(column::AngleCurve(5), {11, 12, 13, 14, 15, 16, 17});
  record.Angles(column::GybeAngle, {140.5, 141, 142, 143, 144, 145, 146});
  auto boat = TKivoBoat::CreateFromRecord(record.Line());
  EXPECT_EQ(boat->GPH, 612.3);
  EXPECT_EQ(boat->Curve(WindwardLeewardCurve)->AsText(), "1020,850,740,675,630,600,575");
  EXPECT_EQ(boat->Curve(OlympicCurve)->AsText(), "1,2,3,4,5,6,7");
  EXPECT_EQ(boat->Curve(CircularRandomCurve)->AsText(), "850,700,620,580,555,535,510");
  EXPECT_EQ(boat->Curve(NonSpinnakerCurve)->AsText(), "880,740,660,615,590,570,550");
  EXPECT_EQ(boat->Curve(OceanCurve)->AsText(), "800,660,590,550,525,505,480");
  EXPECT_EQ(boat->UA.AsText(), "44.5,42,40.5,39.5,39,38.8,38.5");
  EXPECT_EQ(boat->DA.AsText(), "140.5,141,142,143,144,145,146");
  EXPECT_EQ(boat->Curve(BeatCurve)->AsText(), "1000,850,760,710,680,665,655");
  EXPECT_EQ(boat->AngleCurve(120)->AsText(), "11,12,13,14,15,16,17");
  EXPECT_EQ(boat->AngleCurve(150)->AsText(), "870,690,570,500,452,418,378");
  EXPECT_EQ(boat->Curve(RunCurve)->AsText(), "1050,850,720,640,580,540,490");
}

TEST(TKivoBoat, RecordFailures) {
  EXPECT_EQ(ParseFailure(RatingRecord::Typical().Truncate(1185)),
            "EConvertError: '' is not a valid floating point value");
  EXPECT_EQ(ParseFailure(RatingRecord::Typical().Truncate(1192)), "no failure");
  EXPECT_EQ(ParseFailure(RatingRecord::Typical().Text(column::Beat + 14, 7, "  7a0.0")),
            "EConvertError: '7a0.0' is not a valid floating point value");
  EXPECT_EQ(ParseFailure(RatingRecord::Typical().Text(column::RecordDateTime, 19, "30/02/2017 10:30:00")),
            "EConvertError: '30/02/2017 10:30:00' is not a valid date and time");
  EXPECT_EQ(ParseFailure(RatingRecord::Typical().Text(column::RecordDateTime, 19, "04/06/2017 1x:30:00")),
            "EConvertError: '1x' is not a valid integer value");
  // The hour is converted before the day.
  EXPECT_EQ(ParseFailure(RatingRecord::Typical().Text(column::RecordDateTime, 19, "ab/06/2017 1x:30:00")),
            "EConvertError: '1x' is not a valid integer value");
  EXPECT_EQ(ParseFailure(RatingRecord::Typical().Text(column::RecordDateTime, 19, "ab/06/2017 10:30:00")),
            "EConvertError: 'ab' is not a valid integer value");
}

TEST(TKivoBoat, GphThatIsNoNumberIsZero) {
  auto boat = TKivoBoat::CreateFromRecord(RatingRecord::Typical().Text(column::Gph, 6, "n/a").Line());
  EXPECT_EQ(boat->GPH, 0);
}

TEST(TKivoBoat, EmptyRecordLeavesEveryTableAtZero) {
  for (const char* record : {"", "   ", "\t\r"}) {
    auto boat = TKivoBoat::CreateFromRecord(record);
    EXPECT_EQ(boat->Curve(WindwardLeewardCurve)->AsText(), "0,0,0,0,0,0,0");
    EXPECT_EQ(boat->GPH, 0);
  }
}

TEST(TKivoBoat, FromNodeCountsColumnsInTheCodePageFromTheFirstNonBlank) {
  // The attribute holds UTF-8; a Japanese name takes 3 bytes a character
  // there but 2 in the code page by which the columns count.
  RatingRecord record = RatingRecord::Typical();
  record.Raw(column::Boatname, ansi::FromUtf8("かみかぜ丸"));
  std::string utf8 = "   " + ansi::ToUtf8(record.Line()) + "  ";
  ASSERT_NE(utf8.size(), record.Line().size() + 5);

  xmlDocPtr doc = xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0"));
  xmlNodePtr node = xmlNewDocNode(doc, nullptr, reinterpret_cast<const xmlChar*>("boat"), nullptr);
  xmlDocSetRootElement(doc, node);
  xmlSetProp(node, reinterpret_cast<const xmlChar*>("rms"), reinterpret_cast<const xmlChar*>(utf8.c_str()));
  xmlSetProp(node, reinterpret_cast<const xmlChar*>("finish"), reinterpret_cast<const xmlChar*>("0"));
  auto boat = TKivoBoat::CreateFromNode(TXmlElement(node));
  EXPECT_EQ(boat->Finish, 2);
  EXPECT_EQ(boat->Curve(RunCurve)->AsText(), "1050,850,720,640,580,540,490");
  EXPECT_EQ(boat->GPH, 600);
  xmlFreeDoc(doc);
}

TEST(TKivoBoat, SettingACurveCopiesItIntoItsPlace) {
  TKivoBoat boat;
  TKivoCurve curve;
  curve.Assign({1, 2, 3, 4, 5, 6, 7});
  curve.SetName("R90");
  boat.SetAngleCurve(90, curve);
  EXPECT_EQ(boat.AngleCurve(90)->AsText(), "1,2,3,4,5,6,7");
  EXPECT_EQ(boat.AngleCurve(90), boat.Curve(10));
  boat.SetAngleCurve(53, curve);  // not a fixed angle: nothing happens
  for (int i = 0; i < 15; ++i) {
    if (i != 10) {
      EXPECT_EQ(boat.Curve(i)->AsText(), "0,0,0,0,0,0,0");
    }
  }
  boat.SetCurve(RunCurve, curve);
  EXPECT_EQ(boat.Curve(RunCurve)->AsText(), "1,2,3,4,5,6,7");
}
