// Test main for the Qt platform layer: one QApplication for every test, on
// the offscreen platform. Run with "--single-instance-child NAME", the binary
// plays a second program copy for the single instance tests instead.
#include <cstring>

#include <gtest/gtest.h>
#include <QApplication>

int RunSingleInstanceChild(int argc, char** argv);

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--single-instance-child") == 0)
    return RunSingleInstanceChild(argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
