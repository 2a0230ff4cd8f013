#include "core/rms_record.h"

#include <gtest/gtest.h>

#include "testing/rms_fixtures.h"

namespace kivo {
namespace {

using fixtures::Cp932;
using fixtures::RecordBuilder;

QByteArray FullIdentityRecord() {
  return RecordBuilder()
      .Put(1, "JPN")
      .Put(4, "J01234")
      .Put(18, "JPN-4321")
      .Put(30, "SEA BIRD")
      .Put(54, "Tern 36")
      .Put(90, "K. Okada")
      .Put(108, "2009")
      .Put(113, "Kaisei Sailing Club")
      .Put(257, "Intl")
      .Put(266, "C")
      .Put(268, " 680")
      .Put(273, "15/03/2017 10:22:33")
      .Put(293, " 10.85")
      .Put(340, " 612.3")
      .Build();
}

TEST(ParseRmsLine, CutsEveryIdentityFieldTrimmed) {
  const CurrentRecord r = ParseRmsLine(FullIdentityRecord());
  EXPECT_EQ(r.Boatname, "SEA BIRD");
  EXPECT_EQ(r.SailNumber, "JPN-4321");
  EXPECT_EQ(r.CertNumber, "J01234");
  EXPECT_EQ(r.CertType, "Intl");
  EXPECT_EQ(r.Division, "C");
  EXPECT_EQ(r.AgeYear, "2009");
  EXPECT_EQ(r.YachtClass, "Tern 36");
  EXPECT_EQ(r.Designer, "K. Okada");
  EXPECT_EQ(r.YchatClub, "Kaisei Sailing Club");
  EXPECT_EQ(r.LOA, "10.85");
  EXPECT_EQ(r.GPH, "612.3");
  EXPECT_EQ(r.CrewWeight, "680");
}

TEST(ParseRmsLine, FieldsAreBytesSoADoubleByteNameTakesTwoColumnsPerCharacter) {
  // 12 characters, 24 bytes: the name fills its field exactly and the class
  // starts right behind it at column 54.
  const QByteArray name = Cp932("海風海風海風海風海風海風");
  ASSERT_EQ(name.size(), 24);
  const QByteArray record = RecordBuilder().Put(30, name).Put(54, "Tern 36").Put(18, "JPN-1").Build();
  const CurrentRecord r = ParseRmsLine(record);
  EXPECT_EQ(r.Boatname, QStringLiteral("海風海風海風海風海風海風"));
  EXPECT_EQ(r.YachtClass, "Tern 36");
  EXPECT_EQ(r.SailNumber, "JPN-1");
}

TEST(ParseRmsLine, ADoubleByteCharacterCutByTheFieldEndShowsAsQuestionMark) {
  // 23 ASCII bytes, then a double-byte character across columns 53 and 54.
  const QByteArray record = RecordBuilder().Put(30, "ABCDEFGHIJKLMNOPQRSTUVW" + Cp932("海")).Build();
  EXPECT_EQ(ParseRmsLine(record).Boatname, "ABCDEFGHIJKLMNOPQRSTUVW?");
}

TEST(ParseRmsLine, ARecordShorterThanAFieldGivesPartialOrEmptyFields) {
  const QByteArray full = FullIdentityRecord();
  const CurrentRecord cutInName = ParseRmsLine(full.left(33));  // ends in the boat name
  EXPECT_EQ(cutInName.Boatname, "SEA");
  EXPECT_EQ(cutInName.SailNumber, "JPN-4321");
  EXPECT_EQ(cutInName.YachtClass, "");
  EXPECT_EQ(cutInName.GPH, "");
  const CurrentRecord cutInGph = ParseRmsLine(full.left(342));
  EXPECT_EQ(cutInGph.GPH, "61");
  EXPECT_EQ(cutInGph.LOA, "10.85");
  EXPECT_EQ(ParseRmsLine(QByteArray()), CurrentRecord{});
}

TEST(ParseRmsLine, ALatinOneNameNeverStopsTheCut) {
  const QByteArray record = RecordBuilder().Put(30, "Ren\xE9 B").Build();
  EXPECT_EQ(ParseRmsLine(record).Boatname, "Ren? B");
  EXPECT_EQ(RmsBoatnameBytes(record), "Ren\xE9 B");
}

TEST(BoatSummary, LabelsArePaddedToEighteenCharacters) {
  const QStringList lines = BoatSummaryLines(ParseRmsLine(FullIdentityRecord()));
  const QStringList expected = {
      " Boatname:        SEA BIRD", " Sail Number:     JPN-4321", " Cert Number:     J01234",
      " Cert Type:       Intl",     " Division:        C",        " Age Year:        2009",
      " Yacht Class:     Tern 36",  " Designer:        K. Okada", " Ychat Club:      Kaisei Sailing Club",
      " LOA:             10.85",    " GPH:             612.3",    " Crew Weight:     680",
  };
  EXPECT_EQ(lines, expected);
}

TEST(BoatSummary, TextEndsEveryLineWithCrLf) {
  const QString text = BoatSummaryText(CurrentRecord{});
  EXPECT_EQ(text.count(QStringLiteral("\r\n")), 12);
  EXPECT_TRUE(text.startsWith(" Boatname:        \r\n"));
  EXPECT_TRUE(text.endsWith(" Crew Weight:     \r\n"));
}

TEST(IsReadableRatingRecord, TakesWhatTheModuleCanRead) {
  const QByteArray good = fixtures::SyntheticRecord(7, "GOOD");
  const auto with = [&good](int column, const QByteArray& bytes) {
    return RecordBuilder().Put(1, good).Put(column, bytes).Build();
  };
  QByteArray tabShifted = good;
  tabShifted.insert(60, '\t');
  QByteArray blankFirst = good;
  blankFirst[0] = ' ';
  QByteArray rightAligned = good.left(1192);  // trailing blanks cut: the last field still whole
  const struct {
    const char* what;
    QByteArray record;
    bool readable;
  } cases[] = {
      {"whole record", good, true},
      {"ends at its last allowance column", rightAligned, true},
      {"end-of-file mark in the name", with(33, "\x1A"), true},
      {"control byte in an allowance field's blanks", with(1144, "\x1A"), true},
      {"ampersand in the name", with(33, "&"), true},
      {"exponent and sign", with(374, " +1.0e3"), true},
      {"empty", QByteArray(), false},
      {"blanks", QByteArray(1472, ' '), false},
      {"cut before the last allowance", good.left(1185), false},
      {"allowance that is no number", with(703, "  7a0.0"), false},
      {"allowance with a comma", with(374, " 1020,5"), false},
      {"angle that is empty", with(619, "      "), false},
      {"allowance too large for a double", with(1144, " 1e999 "), false},
      {"shifted by a tab", tabShifted, false},
      {"shifted by a leading blank", blankFirst, false},
      {"record date that does not exist", with(273, "30/02/2017"), false},
      {"record time that is no number", with(284, "1x"), false},
      {"record date part with a trailing blank", with(273, "5 "), false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsReadableRatingRecord(c.record), c.readable) << c.what;
}

}  // namespace
}  // namespace kivo
