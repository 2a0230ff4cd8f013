// The time pickers with real key and mouse events: a time typed whole after
// a click or a select-all is taken whole; the arrow keys and a part picked
// by a double-click keep their usual editing.
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "widgets.h"

namespace kivo {
namespace {

const QTime kBefore(11, 3, 7);

enum class Start { ClickOnHour, ClickOnSecond, SelectAll, CtrlA, DoubleClickOnMinute };

class TimePickerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    picker_.setDisplayFormat(QStringLiteral("HH:mm:ss"));
    picker_.setGeometry(0, 0, 160, 30);
    picker_.setTime(kBefore);
    picker_.show();
    picker_.activateWindow();
    line_ = picker_.findChild<QLineEdit*>();
    ASSERT_NE(line_, nullptr);
  }

  // A point inside the character at `position` of the shown text.
  QPoint At(int position) {
    const int middle = line_->height() / 2;
    for (int x = 0; x < line_->width(); ++x)
      if (line_->cursorPositionAt(QPoint(x, middle)) > position) return QPoint(x, middle);
    ADD_FAILURE() << "no character " << position;
    return QPoint(0, middle);
  }

  void Begin(Start start) {
    switch (start) {
      case Start::ClickOnHour: QTest::mouseClick(line_, Qt::LeftButton, {}, At(0)); break;
      case Start::ClickOnSecond: QTest::mouseClick(line_, Qt::LeftButton, {}, At(6)); break;
      case Start::SelectAll: picker_.selectAll(); break;
      case Start::CtrlA:
        QTest::mouseClick(line_, Qt::LeftButton, {}, At(3));
        QTest::keyClick(&picker_, Qt::Key_A, Qt::ControlModifier);
        break;
      case Start::DoubleClickOnMinute: QTest::mouseDClick(line_, Qt::LeftButton, {}, At(3)); break;
    }
  }

  TimePicker picker_;
  QLineEdit* line_ = nullptr;
};

TEST_F(TimePickerTest, ATimeTypedWholeIsTakenWhole) {
  const struct {
    const char* name;
    Start start;
    const char* keys;
    QTime time;
  } cases[] = {
      {"click, separators", Start::ClickOnHour, "12:01:45", QTime(12, 1, 45)},
      {"click on the seconds, digits only", Start::ClickOnSecond, "120145", QTime(12, 1, 45)},
      {"select all, separators", Start::SelectAll, "12:01:45", QTime(12, 1, 45)},
      {"Ctrl+A, digits only", Start::CtrlA, "120145", QTime(12, 1, 45)},
      {"one-digit parts", Start::ClickOnHour, "9:5:3", QTime(9, 5, 3)},
      {"a dot as separator", Start::ClickOnHour, "7.30.00", QTime(7, 30, 0)},
      {"an hour that takes no second digit", Start::ClickOnHour, "30145", QTime(3, 1, 45)},
      {"hour and minute only: the seconds stay", Start::SelectAll, "1201", QTime(12, 1, 7)},
      {"a digit that cannot fit is not taken", Start::ClickOnHour, "2501", QTime(20, 1, 7)},
      {"after a whole time the next digits start anew", Start::ClickOnHour, "12014513", QTime(13, 1, 45)},
      {"a double-clicked part is typed over", Start::DoubleClickOnMinute, "30", QTime(11, 30, 7)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    picker_.setTime(kBefore);
    Begin(c.start);
    QTest::keyClicks(&picker_, QString::fromLatin1(c.keys));
    EXPECT_EQ(picker_.time(), c.time) << picker_.time().toString().toStdString();
  }
}

TEST_F(TimePickerTest, BackspaceTakesTheLastDigitBack) {
  Begin(Start::ClickOnHour);
  QTest::keyClicks(&picker_, QStringLiteral("12:01:4"));
  EXPECT_EQ(picker_.time(), QTime(12, 1, 4));
  for (int i = 0; i < 4; ++i) QTest::keyClick(&picker_, Qt::Key_Backspace);
  EXPECT_EQ(picker_.time(), QTime(12, 3, 7));
  QTest::keyClicks(&picker_, QStringLiteral("59"));
  EXPECT_EQ(picker_.time(), QTime(12, 59, 7));
}

TEST_F(TimePickerTest, ArrowKeysStepThePartUnderTheCursor) {
  Begin(Start::ClickOnHour);
  QTest::keyClick(&picker_, Qt::Key_Up);
  EXPECT_EQ(picker_.time(), QTime(12, 3, 7));
  picker_.setTime(kBefore);
  Begin(Start::ClickOnSecond);
  QTest::keyClick(&picker_, Qt::Key_Down);
  EXPECT_EQ(picker_.time(), QTime(11, 3, 6));
  // An arrow in the middle of a typed time ends it; its digits stay.
  picker_.setTime(kBefore);
  Begin(Start::ClickOnHour);
  QTest::keyClicks(&picker_, QStringLiteral("09"));
  QTest::keyClick(&picker_, Qt::Key_Up);
  EXPECT_EQ(picker_.time().minute(), 3);
  EXPECT_EQ(picker_.time().second(), 7);
  EXPECT_NE(picker_.time(), QTime(9, 3, 7));
}

}  // namespace
}  // namespace kivo
