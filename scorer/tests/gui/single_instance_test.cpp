// One copy at a time: a later start is refused and raises the first window;
// a copy that crashed does not block the next start. Each test uses a guard
// name of its own, so a scorer running on the machine is not disturbed.
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

#include "program.h"
#include "qt/testing/doubles.h"

namespace kivo::testing {
namespace {

QString UniqueGuardName() {
  return QStringLiteral("kivo-test-") + QUuid::createUuid().toString(QUuid::Id128).left(12);
}

// Runs this test binary as another program copy and waits for it while
// this process goes on answering (the first copy's guard needs the event loop).
struct CopyResult {
  int exitCode = -1;
  QString output;
};

CopyResult RunCopy(const char* role, const QString& guard, const QString& folder) {
  QProcess copy;
  copy.setProgram(QCoreApplication::applicationFilePath());
  copy.setArguments({QString::fromLatin1(role), guard, folder});
  copy.start();
  const bool ended = QTest::qWaitFor([&] { return copy.state() == QProcess::NotRunning; }, 60000);
  if (!ended) {
    copy.kill();
    copy.waitForFinished();
  }
  return {ended ? copy.exitCode() : -1, QString::fromUtf8(copy.readAllStandardOutput())};
}

TEST(SingleInstanceTest, ALaterStartIsRefusedAndRaisesTheFirstWindow) {
  platform::testing::ScopedDoubles doubles;
  const QString guard = UniqueGuardName();
  QTemporaryDir firstFolder;
  QTemporaryDir secondFolder;

  ScorerStart first = StartScorer(guard, firstFolder.path());
  ASSERT_TRUE(first.form);
  first.form->hide();

  const CopyResult second = RunCopy("--second-scorer-copy", guard, secondFolder.path());
  EXPECT_EQ(second.exitCode, 0);
  EXPECT_EQ(second.output, QStringLiteral("KIVO scorer\tKIVO SCORERはすでに起動されています。\n"));
  // The later copy made no window: its start never reached the folder tree.
  EXPECT_FALSE(QFileInfo::exists(secondFolder.path() + QStringLiteral("/KIVODATA")));
  // The first copy was asked to come to the front.
  EXPECT_TRUE(QTest::qWaitFor([&] { return first.form->isVisible(); }, 10000));

  // After the first copy ends, a start proceeds normally.
  first.form.reset();
  first.guard.reset();
  ScorerStart next = StartScorer(guard, firstFolder.path());
  EXPECT_TRUE(next.form);
}

TEST(SingleInstanceTest, ALaterStartShowsItsMessageBeforeRaisingTheFirstWindow) {
  platform::testing::ScopedDoubles doubles;
  const QString guard = UniqueGuardName();
  QTemporaryDir secondFolder;

  // The running copy, played by a bare server that looks at the later
  // copy's output before it answers a request to raise: the later copy waits
  // for that answer, so whatever it printed by then came before its request.
  QLocalServer running;
  ASSERT_TRUE(running.listen(guard));
  QProcess copy;
  QByteArray output;
  QByteArray outputWhenAsked;
  bool asked = false;
  QObject::connect(&running, &QLocalServer::newConnection, [&] {
    while (QLocalSocket* socket = running.nextPendingConnection()) {
      QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      QObject::connect(socket, &QLocalSocket::readyRead, [&, socket] {
        if (!socket->canReadLine() || socket->readLine() != "raise\n") return;
        copy.waitForReadyRead(0);
        output += copy.readAllStandardOutput();
        outputWhenAsked = output;
        asked = true;
        socket->write("ok\n");
        socket->flush();
      });
    }
  });
  copy.setProgram(QCoreApplication::applicationFilePath());
  copy.setArguments({QStringLiteral("--second-scorer-copy"), guard, secondFolder.path()});
  copy.start();
  ASSERT_TRUE(QTest::qWaitFor([&] { return copy.state() == QProcess::NotRunning; }, 60000));
  output += copy.readAllStandardOutput();

  EXPECT_EQ(copy.exitCode(), 0);
  EXPECT_TRUE(asked);
  EXPECT_EQ(QString::fromUtf8(outputWhenAsked),
            QStringLiteral("KIVO scorer\tKIVO SCORERはすでに起動されています。\n"));
  EXPECT_EQ(output, outputWhenAsked);
}

TEST(SingleInstanceTest, ACrashedCopyDoesNotBlockTheNextStart) {
  platform::testing::ScopedDoubles doubles;
  const QString guard = UniqueGuardName();
  QTemporaryDir crashedFolder;
  QTemporaryDir folder;

  QProcess crashed;
  crashed.setProgram(QCoreApplication::applicationFilePath());
  crashed.setArguments({QStringLiteral("--first-scorer-copy"), guard, crashedFolder.path()});
  crashed.start();
  QByteArray output;
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        output += crashed.readAllStandardOutput();
        return output.contains("started") || crashed.state() == QProcess::NotRunning;
      },
      60000));
  ASSERT_EQ(crashed.state(), QProcess::Running);
  crashed.kill();  // no clean end: its socket stays behind
  crashed.waitForFinished();

  ScorerStart next = StartScorer(guard, folder.path());
  EXPECT_TRUE(next.form);
  EXPECT_TRUE(doubles.dialogs.Events().empty());
}

}  // namespace
}  // namespace kivo::testing
