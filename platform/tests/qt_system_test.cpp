#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "qt/system.h"
#include "qt/testing/doubles.h"

using platform::testing::FakeSystem;
using platform::testing::RecordingShell;
using platform::testing::ShellCall;

namespace {

const char kHeader[] =
    "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n";

}  // namespace

TEST(HasDefaultRoute, FindsAnUpRouteToDestinationZero) {
  struct Case {
    const char* name;
    QString table;
    bool expected;
  };
  const QString lan = "eth0\t0002A8C0\t00000000\t0001\t0\t0\t100\t00FFFFFF\t0\t0\t0          \n";
  const QString defaultRoute = "wlan0\t00000000\t0102A8C0\t0003\t0\t0\t600\t00000000\t0\t0\t0          \n";
  const QString downDefault = "eth1\t00000000\t0102A8C0\t0002\t0\t0\t600\t00000000\t0\t0\t0\n";
  const Case cases[] = {
      {"default route after a local one", kHeader + lan + defaultRoute, true},
      {"default route without line end", kHeader + defaultRoute.trimmed(), true},
      {"only local routes", kHeader + lan + lan, false},
      {"default route not up", kHeader + downDefault, false},
      {"header only", kHeader, false},
      {"empty", "", false},
      {"cut line", QString(kHeader) + "eth0\t00000000\n", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(platform::HasDefaultRoute(c.table), c.expected);
  }
}

TEST(RealSystem, TempPathIsTheTemporaryFolderWithASlash) {
  const QString path = platform::CurrentSystem().TempPath();
  EXPECT_TRUE(path.endsWith('/'));
  EXPECT_EQ(QDir(path).canonicalPath(), QDir(QDir::tempPath()).canonicalPath());
}

TEST(TempFolderFrom, TmpdirWhenItNamesAFolderElseTheSystems) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString file = folder.filePath(QStringLiteral("file"));
  QFile(file).open(QIODevice::WriteOnly);
  const struct {
    const char* name;
    QString tmpdir;
    QString expected;
  } cases[] = {
      {"unset", QString(), QStringLiteral("/tmp/")},
      {"a folder", folder.path(), folder.path() + QStringLiteral("/")},
      {"a folder with a slash", folder.path() + QStringLiteral("/"), folder.path() + QStringLiteral("/")},
      {"missing", folder.filePath(QStringLiteral("missing")), QStringLiteral("/tmp/")},
      {"a file", file, QStringLiteral("/tmp/")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(platform::TempFolderFrom(c.tmpdir), c.expected);
  }
}

TEST(FakeSystem, CountsBeepsAndKeepsItsSettings) {
  FakeSystem system;
  system.Beep();
  system.Beep();
  EXPECT_EQ(system.Beeps(), 2);
  EXPECT_TRUE(system.IsInternetConnected());
  system.SetOnline(false);
  EXPECT_FALSE(system.IsInternetConnected());
  system.SetTempPath("/tmp/kivo");
  EXPECT_EQ(system.TempPath(), "/tmp/kivo/");

  const QDateTime start(QDate(2017, 7, 1), QTime(23, 59, 30));
  system.SetNow(start);
  system.AdvanceSeconds(45);
  EXPECT_EQ(system.Now(), QDateTime(QDate(2017, 7, 2), QTime(0, 0, 15)));
  system.AdvanceMilliseconds(500);
  EXPECT_EQ(system.Now().time(), QTime(0, 0, 15, 500));
}

TEST(RecordingShell, RecordsCallsAndGivesTheConfiguredResult) {
  RecordingShell shell;
  EXPECT_TRUE(shell.OpenDocument("/k/help/kivohelp.html"));
  shell.SetResult(false);
  EXPECT_FALSE(shell.StartProgram("/k/drevlin"));
  EXPECT_FALSE(shell.OpenImage("/k/a.jpg"));
  EXPECT_FALSE(shell.OpenInTextEditor("/k/a.csv"));
  const std::vector<ShellCall> expected = {
      {ShellCall::Kind::OpenDocument, "/k/help/kivohelp.html"},
      {ShellCall::Kind::StartProgram, "/k/drevlin"},
      {ShellCall::Kind::OpenImage, "/k/a.jpg"},
      {ShellCall::Kind::OpenInTextEditor, "/k/a.csv"},
  };
  EXPECT_EQ(shell.Calls(), expected);
}
