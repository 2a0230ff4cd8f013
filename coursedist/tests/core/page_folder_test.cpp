// The map page's folder: made for this process, and removed at a later start
// only when the program that made it has ended, whatever the way.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "core/page_folder.h"

namespace drevlin {
namespace {

class PageFolderTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(temp_.isValid()); }
  QString Parent() const { return temp_.path() + QLatin1Char('/'); }

  // A folder as a run leaves it, with or without its lock file (nobody holds it).
  QString Folder(const char* name, bool withLock = true) const {
    const QString path = temp_.filePath(QString::fromLatin1(name));
    EXPECT_TRUE(QDir().mkpath(path));
    QFile page(path + QStringLiteral("/k.html"));
    EXPECT_TRUE(page.open(QIODevice::WriteOnly));
    if (withLock) {
      QFile lock(path + QStringLiteral("/owner.lock"));
      EXPECT_TRUE(lock.open(QIODevice::WriteOnly));
    }
    return path;
  }

  QTemporaryDir temp_;
};

TEST_F(PageFolderTest, IsMadeForThisUserAloneAndGoesWithItsObject) {
  QString path;
  {
    MapPageFolder folder(Parent());
    path = folder.Path();
    EXPECT_EQ(QFileInfo(path).absolutePath(), temp_.path());
    EXPECT_TRUE(QFileInfo(path).fileName().startsWith(QStringLiteral("drevlin-")));
    EXPECT_EQ(QFileInfo(path).permissions() & 0x0777,
              QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
    EXPECT_TRUE(QFileInfo::exists(path + QStringLiteral("/owner.lock")));
    // Its program is running: a start leaves it.
    EXPECT_EQ(RemoveStalePageFolders(Parent()), 0);
    EXPECT_TRUE(QFileInfo::exists(path));
  }
  EXPECT_FALSE(QFileInfo::exists(path));
}

TEST_F(PageFolderTest, AMissingParentIsNamedInTheMessage) {
  const QString missing = temp_.filePath(QStringLiteral("missing/"));
  try {
    MapPageFolder folder(missing);
    ADD_FAILURE() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_TRUE(QString::fromUtf8(e.what()).startsWith(
        QStringLiteral("Cannot make a folder for the map page in ") + missing + QStringLiteral(": ")))
        << e.what();
  }
}

TEST_F(PageFolderTest, OnlyThisUsersFoldersWhoseProgramEndedGo) {
  const struct {
    const char* name;
    bool withLock;
    bool goes;
  } cases[] = {
      {"drevlin-a1B2c3", true, true}, {"drevlin-Zz9999", false, false},  // no lock: nothing tells whose it is
      {"drevlin-abc12", true, false}, {"drevlin-abc1234", true, false}, {"drevlinxabc123", true, false},
      {"other-abc123", true, false},
  };
  for (const auto& c : cases) Folder(c.name, c.withLock);
  // A link of the name leads elsewhere; neither goes.
  const QString elsewhere = Folder("elsewhere");
  ASSERT_TRUE(QFile::link(elsewhere, temp_.filePath(QStringLiteral("drevlin-link12"))));
  // A file of the name is no folder.
  QFile file(temp_.filePath(QStringLiteral("drevlin-file12")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  // Another user's folder, where the test can make one.
  const bool asRoot = ::geteuid() == 0;
  const QString others = Folder("drevlin-others");
  if (asRoot) {
    ASSERT_EQ(::chown(QFile::encodeName(others).constData(), 65534, 65534), 0);
  }

  EXPECT_EQ(RemoveStalePageFolders(Parent()), asRoot ? 1 : 2);
  for (const auto& c : cases) {
    EXPECT_EQ(QFileInfo::exists(temp_.filePath(QString::fromLatin1(c.name))), !c.goes) << c.name;
  }
  EXPECT_TRUE(QFileInfo::exists(elsewhere + QStringLiteral("/owner.lock")));
  EXPECT_TRUE(QFileInfo(temp_.filePath(QStringLiteral("drevlin-link12"))).isSymLink());
  EXPECT_TRUE(QFileInfo::exists(temp_.filePath(QStringLiteral("drevlin-file12"))));
  EXPECT_EQ(QFileInfo::exists(others), asRoot);
}

TEST_F(PageFolderTest, TheFolderOfAKilledProgramGoesAtTheNextStart) {
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // The other program: makes its folder, says where, and waits to be killed.
    ::close(ready[0]);
    MapPageFolder folder(Parent());
    const QByteArray path = QFile::encodeName(folder.Path());
    [[maybe_unused]] const ssize_t written = ::write(ready[1], path.constData(), path.size());
    ::close(ready[1]);
    for (;;) ::pause();
  }
  ::close(ready[1]);
  char buffer[4096];
  const ssize_t length = ::read(ready[0], buffer, sizeof buffer);
  ::close(ready[0]);
  ASSERT_GT(length, 0);
  const QString path = QFile::decodeName(QByteArray(buffer, static_cast<int>(length)));
  ASSERT_TRUE(QFileInfo(path).isDir());

  EXPECT_EQ(RemoveStalePageFolders(Parent()), 0);
  EXPECT_TRUE(QFileInfo::exists(path)) << "its program still runs";

  ASSERT_EQ(::kill(child, SIGKILL), 0);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(QFileInfo::exists(path)) << "a killed program removes nothing";
  EXPECT_EQ(RemoveStalePageFolders(Parent()), 1);
  EXPECT_FALSE(QFileInfo::exists(path));
}

}  // namespace
}  // namespace drevlin
