#pragma once
// A drevlin window with the platform doubles installed: scripted dialogs and
// a fake machine that counts beeps.
//
//   class MyTest : public drevlin::testing::FormFixture {};
//   TEST_F(MyTest, ...) {
//     TForm1& form = StartForm();
//     form.Button3->click();
//     EXPECT_EQ(dialogs().Messages(), QStringList{"Fill all value"});
//   }
#include <memory>

#include <gtest/gtest.h>
#include <QLocale>

#include "drevlin_window.h"
#include "qt/testing/doubles.h"

namespace drevlin::testing {

class FormFixture : public ::testing::Test {
 protected:
  FormFixture();
  ~FormFixture() override;

  // Creates the window (FormCreate runs), shows it and waits until it is
  // exposed.
  TForm1& StartForm();
  // Closes and destroys the window, as the end of the program does.
  void CloseForm() { form_.reset(); }
  // The rows of the point list.
  static QStringList Rows(const TForm1& form);
  // The window's size with its frame.
  static QSize OuterSize(const TForm1& form);

  platform::testing::ScriptedDialogs& dialogs() { return doubles_.dialogs; }
  platform::testing::FakeSystem& machine() { return doubles_.system; }
  TForm1& form() { return *form_; }

 private:
  QLocale previousLocale_;
  platform::testing::ScopedDoubles doubles_;
  std::unique_ptr<TForm1> form_;
};

}  // namespace drevlin::testing
