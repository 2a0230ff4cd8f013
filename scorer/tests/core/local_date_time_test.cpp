#include "core/local_date_time.h"

#include <QLocale>

#include <gtest/gtest.h>

#include "core/number_text.h"

namespace kivo {
namespace {

const QLocale kJapanese(QLocale::Japanese, QLocale::Japan);
const QLocale kGerman(QLocale::German, QLocale::Germany);  // "," as decimal separator
const QLocale kAmerican(QLocale::English, QLocale::UnitedStates);

TEST(IsoToLocalDateTime, TurnsDashesAndTs) {
  EXPECT_EQ(IsoToLocalDateTime(QStringLiteral("2017-05-01T12:34:56")), QStringLiteral("2017/05/01 12:34:56"));
  EXPECT_EQ(IsoToLocalDateTime(QStringLiteral("0")), QStringLiteral("0"));
  EXPECT_EQ(IsoToLocalDateTime(QString()), QString());
  EXPECT_EQ(IsoToLocalDateTime(QStringLiteral("T-T-t")), QStringLiteral(" / /t"));
}

TEST(ReadLocalDateTime, ReadsTheScorersFormsInEachLocale) {
  const QDateTime expected(QDate(2017, 6, 4), QTime(10, 30, 0));
  const struct {
    const QLocale* locale;
    const char* text;
  } cases[] = {
      {&kJapanese, "2017/06/04 10:30:00"},      {&kJapanese, "2017/6/4 10:30:00"},
      {&kJapanese, "2017/06/04 10:30"},         {&kJapanese, "2017/06/04 10時30分00秒 JST"},
      {&kJapanese, "2017/06/04 午前10:30:00"},  {&kGerman, "2017.06.04 10:30:00"},
      {&kGerman, "2017/06/04 10:30:00"},  // as the read-back leaves it
      {&kGerman, "04.06.17 10:30:00 MESZ"},     {&kAmerican, "6/4/17 10:30:00 AM"},
      {&kAmerican, "6/4/2017 10:30:00 AM EDT"}, {&kAmerican, "2017/06/04 10:30:00"},
  };
  for (const auto& c : cases) {
    const auto value = ReadLocalDateTime(QString::fromUtf8(c.text), *c.locale);
    ASSERT_TRUE(value.has_value()) << c.text;
    EXPECT_EQ(*value, expected) << c.text;
  }
  EXPECT_EQ(ReadLocalDateTime(QStringLiteral("6/4/17 1:05:09 PM"), kAmerican),
            QDateTime(QDate(2017, 6, 4), QTime(13, 5, 9)));
  EXPECT_EQ(ReadLocalDateTime(QStringLiteral("6/4/17 12:00:00 AM"), kAmerican),
            QDateTime(QDate(2017, 6, 4), QTime(0, 0, 0)));
  EXPECT_EQ(ReadLocalDateTime(QStringLiteral("2017/06/04"), kJapanese),
            QDateTime(QDate(2017, 6, 4), QTime(0, 0)));
}

TEST(ReadLocalDateTime, RefusesTextsThatAreNoDateTime) {
  for (const char* text : {"", "0", "-", "abc", "2017/02/30 10:00:00", "2017/06/04 25:00:00", "2017/06/04 xx",
                           "2017/13/01 10:00:00", "2017/06/04 10:30:00 12", "2017/06-04 10:00:00"}) {
    EXPECT_FALSE(ReadLocalDateTime(QString::fromLatin1(text), kJapanese).has_value()) << text;
  }
  try {
    LocalDateTimeOrThrow(QStringLiteral("xyz"), kJapanese);
    ADD_FAILURE() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'xyz' is not a valid date and time");
  }
}

}  // namespace
}  // namespace kivo
