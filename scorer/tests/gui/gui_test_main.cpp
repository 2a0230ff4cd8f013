// Test main for the scorer's window: one QApplication on the offscreen
// platform. With "--second-scorer-copy GUARD FOLDER" the binary plays a later
// start of the program instead (single instance tests): it prints the
// messages it shows, one "title<TAB>text" a line as each is shown, and exits 0 when it
// was refused, 3 when it became the first copy. With "--first-scorer-copy
// GUARD FOLDER" it runs the program until it is killed.
#include <cstring>
#include <iostream>

#include <gtest/gtest.h>
#include <QApplication>

#include "program.h"
#include "qt/testing/doubles.h"

namespace {

// Prints each titled message the moment it is shown, so that the first copy
// can tell whether it came before the request to raise.
class PrintingDialogs : public platform::testing::ScriptedDialogs {
 public:
  void ShowTitledMessage(const QString& title, const QString& text) override {
    ScriptedDialogs::ShowTitledMessage(title, text);
    std::cout << title.toStdString() << '\t' << text.toStdString() << std::endl;
  }
};

int RunSecondCopy(const QString& guard, const QString& folder) {
  platform::testing::ScopedDoubles doubles;
  PrintingDialogs dialogs;
  platform::SetDialogs(&dialogs);
  const kivo::ScorerStart start = kivo::StartScorer(guard, folder);
  platform::SetDialogs(&doubles.dialogs);
  return start.form ? 3 : 0;
}

int RunFirstCopy(QApplication& application, const QString& guard, const QString& folder) {
  platform::testing::ScopedDoubles doubles;
  const kivo::ScorerStart start = kivo::StartScorer(guard, folder);
  if (!start.form) return 3;
  std::cout << "started" << std::endl;
  return application.exec();
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  if (argc == 4 && std::strcmp(argv[1], "--second-scorer-copy") == 0)
    return RunSecondCopy(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
  if (argc == 4 && std::strcmp(argv[1], "--first-scorer-copy") == 0)
    return RunFirstCopy(application, QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
