#include "core/logo_files.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QTemporaryDir>

#include "testing/rms_fixtures.h"

namespace kivo {
namespace {

TEST(IsLogoName, NamesThatStayInTheFolder) {
  const struct {
    QString name;
    bool logo;
  } cases[] = {
      {"club.jpg", true},    {"旗.", true},          {"a.b", true},        {"-", false},
      {"ab", false},         {"旗", false},          {"", false},          {"../club.jpg", false},
      {"x/club.jpg", false}, {"/etc/passwd", false}, {"club..jpg", false}, {"..", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsLogoName(c.name), c.logo) << c.name.toStdString();
}

TEST(FindLogoFile, FindsTheLogoWhateverItsLetterCase) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString folder = dir.filePath("LOGO");
  ASSERT_TRUE(QDir().mkpath(folder));
  for (const char* name : {"Club.JPG", "exact.jpg", "EXACT.jpg", "旗艇.Png"})
    ASSERT_TRUE(fixtures::WriteFile(folder + "/" + name, "picture"));
  ASSERT_TRUE(fixtures::WriteFile(dir.filePath("outside.jpg"), "picture"));
  ASSERT_TRUE(QDir().mkpath(folder + "/folder.jpg"));

  const struct {
    QString name, found;
  } cases[] = {
      {"club.jpg", folder + "/Club.JPG"},  // stored in lower case by the picture dialog
      {"CLUB.jpg", folder + "/Club.JPG"},
      {"exact.jpg", folder + "/exact.jpg"},  // the exact name first
      {"Exact.JPG", folder + "/EXACT.jpg"},  // else the first in name order
      {"旗艇.png", folder + "/旗艇.Png"},
      {"none.jpg", ""},
      {"folder.jpg", ""},
      {"../outside.jpg", ""},
      {"-", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(FindLogoFile(folder, c.name), c.found) << c.name.toStdString();
  EXPECT_EQ(FindLogoFile(dir.filePath("missing"), "club.jpg"), QString());
}

TEST(LogoIntakeFor, OnlyAPictureTheFolderLacksIsCopiedAndOnlyADifferentOneReplaced) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString folder = dir.filePath("LOGO");
  for (const QString& made : {folder, dir.filePath("same"), dir.filePath("other")})
    ASSERT_TRUE(QDir().mkpath(made));
  ASSERT_TRUE(fixtures::WriteFile(folder + "/Club.JPG", "club picture"));
  ASSERT_TRUE(fixtures::WriteFile(dir.filePath("same/club.jpg"), "club picture"));
  ASSERT_TRUE(fixtures::WriteFile(dir.filePath("other/club.jpg"), "another picture"));
  ASSERT_TRUE(fixtures::WriteFile(dir.filePath("other/new.jpg"), "new picture"));
  using Need = LogoIntake::Need;
  const struct {
    const char* name;
    QString logo, source;
    Need need;
    QString path;
  } cases[] = {
      {"picked in the folder", "club.jpg", folder + "/Club.JPG", Need::Nothing, ""},
      {"the same bytes elsewhere", "club.jpg", dir.filePath("same/club.jpg"), Need::Nothing, ""},
      {"a different picture of that name", "club.jpg", dir.filePath("other/club.jpg"), Need::Replace,
       folder + "/Club.JPG"},
      {"a name the folder lacks", "new.jpg", dir.filePath("other/new.jpg"), Need::Copy, folder + "/new.jpg"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const LogoIntake intake = LogoIntakeFor(folder, c.logo, c.source);
    EXPECT_EQ(intake.need, c.need);
    EXPECT_EQ(intake.path, c.path);
  }
}

}  // namespace
}  // namespace kivo
