// Test main for drevlin's window: one QApplication on the offscreen platform.
// The map area stays empty here: the map in the real web engine has tests of
// its own (tests/web).
#include <gtest/gtest.h>
#include <QApplication>

#include "map_view.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  drevlin::SetWebEngineEnabled(false);
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
