// Test main for the web engine's tests: one QApplication on the offscreen
// platform, and no request ever leaves the machine: every map view refuses
// and records them, and host names resolve nowhere.
#include <gtest/gtest.h>
#include <QApplication>

#include "map_view.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  drevlin::PrepareWebEngineProcess();
  drevlin::SetNetworkPolicy(drevlin::NetworkPolicy::RefuseAndRecord);
  // The engine takes its flags from this variable alone once it is set, and
  // splits it at blanks outside double quotes: the rule is one quoted flag.
  QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
  flags += " \"--host-resolver-rules=MAP * ~NOTFOUND\"";
  qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
