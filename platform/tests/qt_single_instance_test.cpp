#include <cstdio>
#include <functional>

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QProcess>
#include <QTimer>

#include "qt/single_instance.h"

using platform::SingleInstance;

// A copy of the program in a child process: prints "first" or "second";
// the first copy then waits and prints "raised" when asked, and ends.
int RunSingleInstanceChild(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  SingleInstance guard(QString::fromLocal8Bit(argv[2]));
  if (!guard.Start()) {
    std::printf("second\n");
    return 0;
  }
  std::printf("first\n");
  std::fflush(stdout);
  QObject::connect(&guard, &SingleInstance::raiseRequested, [] {
    std::printf("raised\n");
    std::fflush(stdout);
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
  });
  QTimer::singleShot(30000, qApp, &QCoreApplication::quit);  // never outlive the test
  return app.exec();
}

namespace {

// Runs the event loop until `done`; the limit only keeps a broken test from
// hanging.
bool WaitUntil(const std::function<bool()>& done) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > 15000) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

class SingleInstanceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    name_ = QStringLiteral("kivo-test-%1-%2")
                .arg(QCoreApplication::applicationPid())
                .arg(::testing::UnitTest::GetInstance()->current_test_info()->name());
    QLocalServer::removeServer(name_);
  }
  void TearDown() override {
    for (QProcess* child : children_) {
      child->kill();
      child->waitForFinished();
      delete child;
    }
    QLocalServer::removeServer(name_);
  }

  QProcess* StartChild() {
    auto* child = new QProcess;
    children_.push_back(child);
    child->start(QCoreApplication::applicationFilePath(), {QStringLiteral("--single-instance-child"), name_});
    EXPECT_TRUE(child->waitForStarted());
    return child;
  }

  static QString ReadLine(QProcess* child) {
    WaitUntil([&] { return child->canReadLine() || child->state() == QProcess::NotRunning; });
    return QString::fromLocal8Bit(child->readLine()).trimmed();
  }

  QString SocketPath() const { return QDir(QDir::tempPath()).filePath(name_); }

  QString name_;
  std::vector<QProcess*> children_;
};

}  // namespace

TEST_F(SingleInstanceTest, SecondCopyAsksTheFirstToRaiseAndEnds) {
  SingleInstance guard(name_);
  ASSERT_TRUE(guard.Start());
  EXPECT_TRUE(guard.IsFirst());
  int raised = 0;
  QObject::connect(&guard, &SingleInstance::raiseRequested, [&] { ++raised; });

  QProcess* second = StartChild();
  ASSERT_TRUE(WaitUntil([&] { return raised > 0 && second->state() == QProcess::NotRunning; }));
  EXPECT_EQ(QString::fromLocal8Bit(second->readAllStandardOutput()).trimmed(), "second");
  EXPECT_EQ(second->exitCode(), 0);
  EXPECT_EQ(raised, 1);
}

TEST_F(SingleInstanceTest, ThisProcessIsTheSecondCopyWhileAnotherRuns) {
  QProcess* first = StartChild();
  ASSERT_EQ(ReadLine(first), "first");

  SingleInstance guard(name_);
  EXPECT_FALSE(guard.Start());
  EXPECT_FALSE(guard.IsFirst());
  EXPECT_EQ(ReadLine(first), "raised");
  ASSERT_TRUE(WaitUntil([&] { return first->state() == QProcess::NotRunning; }));

  // The first copy ended normally and took its socket along.
  EXPECT_FALSE(QFileInfo::exists(SocketPath()));
  SingleInstance next(name_);
  EXPECT_TRUE(next.Start());
}

TEST_F(SingleInstanceTest, SocketLeftByACrashedCopyIsTakenOver) {
  QProcess* crashed = StartChild();
  ASSERT_EQ(ReadLine(crashed), "first");
  crashed->kill();
  ASSERT_TRUE(crashed->waitForFinished());
  ASSERT_TRUE(QFileInfo::exists(SocketPath())) << "a killed copy leaves its socket";

  SingleInstance guard(name_);
  ASSERT_TRUE(guard.Start());
  ASSERT_TRUE(guard.IsFirst()) << "listens again under the same name";
  int raised = 0;
  QObject::connect(&guard, &SingleInstance::raiseRequested, [&] { ++raised; });
  QProcess* second = StartChild();
  ASSERT_TRUE(WaitUntil([&] { return raised > 0 && second->state() == QProcess::NotRunning; }));
  EXPECT_EQ(QString::fromLocal8Bit(second->readAllStandardOutput()).trimmed(), "second");
}

TEST_F(SingleInstanceTest, StoppedGuardFreesTheName) {
  {
    SingleInstance guard(name_);
    ASSERT_TRUE(guard.Start());
    EXPECT_TRUE(guard.Start()) << "starting again keeps the first copy";
  }
  EXPECT_FALSE(QFileInfo::exists(SocketPath()));
  SingleInstance next(name_);
  EXPECT_TRUE(next.Start());
}

TEST_F(SingleInstanceTest, LooksForARunningCopyWithoutAskingIt) {
  SingleInstance guard(name_);
  EXPECT_FALSE(guard.AnotherCopyRuns());
  EXPECT_FALSE(guard.AskRunningCopyToRaise());

  QProcess* first = StartChild();
  ASSERT_EQ(ReadLine(first), "first");
  EXPECT_TRUE(guard.AnotherCopyRuns());
  // The look asked nothing: the first copy is asked only now, once.
  EXPECT_TRUE(guard.AskRunningCopyToRaise());
  EXPECT_EQ(ReadLine(first), "raised");
  ASSERT_TRUE(WaitUntil([&] { return first->state() == QProcess::NotRunning; }));
  EXPECT_TRUE(QString::fromLocal8Bit(first->readAllStandardOutput()).trimmed().isEmpty());
}
