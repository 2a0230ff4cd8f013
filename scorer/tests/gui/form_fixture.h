#pragma once
// A scorer window started beside a temporary folder, with the platform
// doubles installed: scripted dialogs, a recording shell and a fake machine
// (clock 2017-07-01 10:00:00, on line).
//
//   class MyPageTest : public kivo::testing::FormFixture {};
//   TEST_F(MyPageTest, ...) {
//     WriteFile("KIVODATA/RMS/a.rms", bytes);   // before the start
//     TForm1& form = StartForm();
//     form.Panel3->Click();
//     EXPECT_EQ(dialogs().Messages(), QStringList{...});
//   }
#include <memory>

#include <gtest/gtest.h>
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include "qt/testing/doubles.h"
#include "scorer_window.h"

namespace kivo::testing {

class FormFixture : public ::testing::Test {
 protected:
  // Creates the window (FormCreate runs) and shows it.
  TForm1& StartForm();
  // Closes the window as the user does (FormClose runs).
  void CloseForm();

  // The folder where the program "lives", with a trailing "/".
  QString ProgramFolder() const;
  // A path below the program folder.
  QString PathOf(const QString& relative) const;
  void WriteFile(const QString& relative, const QByteArray& content) const;
  QByteArray ReadFile(const QString& relative) const;
  void MakeFolder(const QString& relative) const;

  platform::testing::ScriptedDialogs& dialogs() { return doubles_.dialogs; }
  platform::testing::RecordingShell& shell() { return doubles_.shell; }
  platform::testing::FakeSystem& machine() { return doubles_.system; }
  TForm1& form() { return *form_; }

 private:
  platform::testing::ScopedDoubles doubles_;
  QTemporaryDir folder_;
  std::unique_ptr<TForm1> form_;
};

}  // namespace kivo::testing
