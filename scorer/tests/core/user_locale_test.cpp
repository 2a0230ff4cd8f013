// The user locale's date-time texts of the pages, written and read back.
#include <gtest/gtest.h>

#include "core/local_date_time.h"
#include "locale/user_locale.h"

namespace kivo {
namespace {

const QDateTime kFinish(QDate(2017, 7, 1), QTime(12, 5, 0));

TEST(UserLocaleTest, IsTheDefaultLocaleSoThatTestsCanPinOne) {
  QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
  EXPECT_EQ(platform::UserLocale().name(), QStringLiteral("ja_JP"));
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  EXPECT_EQ(platform::UserLocale().name(), QStringLiteral("de_DE"));
  QLocale::setDefault(QLocale::system());
  if (QLocale::system().language() != QLocale::C) {
    EXPECT_EQ(platform::UserLocale(), QLocale::system());
  }
}

TEST(UserLocaleTest, PageTextsFollowTheLocale) {
  struct Case {
    const char* locale;
    QString dateSeparator;
    QString timeSeparator;
    QString finish;  // short date, blank, long time
    QString race;    // yyyy/mm/dd HH:mm:ss with the separators
  };
  const std::vector<Case> cases = {
      {"ja_JP", "/", ":", "2017/07/01 12:05:00", "2017/07/01 12:05:00"},
      {"de_DE", ".", ":", "01.07.17 12:05:00", "2017.07.01 12:05:00"},
      {"en_US", "/", ":", "7/1/17 12:05:00 PM", "2017/07/01 12:05:00"},
      {"fi_FI", ".", ".", "1.7.2017 12.05.00", "2017.07.01 12.05.00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.locale);
    const QLocale locale(QString::fromLatin1(c.locale));
    EXPECT_EQ(platform::DateSeparator(locale), c.dateSeparator);
    EXPECT_EQ(platform::TimeSeparator(locale), c.timeSeparator);
    EXPECT_EQ(platform::LocalDateTimeText(kFinish, locale), c.finish);
    EXPECT_EQ(platform::RaceDateTimeText(kFinish.date(), kFinish.time(), locale), c.race);
    // Every form the pages write reads back, also the read-back form of a
    // finish from the race XML.
    EXPECT_EQ(ReadLocalDateTime(c.finish, locale), kFinish);
    EXPECT_EQ(ReadLocalDateTime(c.race, locale), kFinish);
    EXPECT_EQ(ReadLocalDateTime(QStringLiteral("2017/07/01 12:05:00"), locale), kFinish);
    EXPECT_EQ(ReadLocalDateTime(QStringLiteral("  ") + c.finish + QStringLiteral(" "), locale), kFinish);
  }
}

TEST(UserLocaleTest, LongTimeFormHasSecondsAndNoTimeZone) {
  EXPECT_EQ(platform::LongTimeFormat(QLocale(QLocale::Japanese, QLocale::Japan)), QStringLiteral("H:mm:ss"));
  EXPECT_EQ(platform::LongTimeFormat(QLocale(QLocale::German, QLocale::Germany)), QStringLiteral("HH:mm:ss"));
  EXPECT_EQ(platform::LongTimeFormat(QLocale(QLocale::English, QLocale::UnitedStates)),
            QStringLiteral("h:mm:ss AP"));
  // A morning finish in Japanese has an unpadded hour.
  EXPECT_EQ(platform::LocalDateTimeText(QDateTime(QDate(2017, 7, 1), QTime(9, 5, 7)),
                                        QLocale(QStringLiteral("ja_JP"))),
            QStringLiteral("2017/07/01 9:05:07"));
}

TEST(UserLocaleTest, TextsThatAreNoDateTimeReadAsNone) {
  const QLocale japanese(QStringLiteral("ja_JP"));
  for (const char* text : {"", "-", "   ", "0", "2017/13/01 12:05:00", "abc"})
    EXPECT_FALSE(ReadLocalDateTime(QString::fromLatin1(text), japanese)) << text;
}

}  // namespace
}  // namespace kivo

TEST(UserLocaleTest, CLocaleGivesReadableRaceAndFinishTexts) {
  QLocale::setDefault(QLocale::c());
  const QLocale locale = platform::UserLocale();
  EXPECT_EQ(locale.language(), QLocale::Japanese);
  const QDate date(2017, 7, 1);
  const QTime time(12, 5, 0);
  const QString start = platform::RaceDateTimeText(date, time, locale);
  EXPECT_EQ(start, QStringLiteral("2017/07/01 12:05:00"));
  const auto read =
      kivo::ReadLocalDateTime(platform::LocalDateTimeText(QDateTime(date, time), locale), locale);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(*read, QDateTime(date, time));
  QLocale::setDefault(QLocale::system());
}

TEST(UserLocaleTest, SeparatorsAreNeverBlanksOrLetters) {
  // The C locale's own short date form is "d MMM yyyy".
  EXPECT_EQ(platform::DateSeparator(QLocale::c()), QStringLiteral("/"));
  EXPECT_EQ(platform::DateSeparator(QLocale(QLocale::German, QLocale::Germany)), QStringLiteral("."));
  EXPECT_EQ(platform::TimeSeparator(QLocale::c()), QStringLiteral(":"));
}
