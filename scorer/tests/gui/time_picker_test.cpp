// The time pickers with real key and mouse events: a time typed whole after
// a click (on the field or its arrows) or a select-all is taken whole; the
// arrow keys and a part picked by a double-click keep their usual editing; a
// typed or pasted time is reported when it is confirmed, also when it is the
// time shown.
#include <gtest/gtest.h>
#include <QClipboard>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTest>

#include "widgets.h"

namespace kivo {
namespace {

const QTime kBefore(11, 3, 7);

enum class Start {
  ClickOnHour,
  ClickOnSecond,
  ClickOnUpArrow,
  ClickOnDownArrow,
  ClickOnUpArrowThenWindowActive,
  SelectAll,
  CtrlA,
  DoubleClickOnMinute,
};

class TimePickerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    picker_.setDisplayFormat(QStringLiteral("HH:mm:ss"));
    picker_.setGeometry(0, 0, 160, 30);
    elsewhere_.setGeometry(0, 40, 100, 30);
    picker_.setTime(kBefore);
    window_.resize(200, 80);
    window_.show();
    window_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
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

  // The middle of one of the picker's arrows, where its style draws it.
  QPoint Arrow(QStyle::SubControl arrow) {
    QStyleOptionSpinBox option;
    option.initFrom(&picker_);
    option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown | QStyle::SC_SpinBoxFrame;
    option.buttonSymbols = picker_.buttonSymbols();
    option.frame = picker_.hasFrame();
    option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
    return picker_.style()->subControlRect(QStyle::CC_SpinBox, &option, arrow, &picker_).center();
  }

  void Begin(Start start) {
    switch (start) {
      case Start::ClickOnHour:
        QTest::mouseClick(line_, Qt::LeftButton, {}, At(0));
        break;
      case Start::ClickOnSecond:
        QTest::mouseClick(line_, Qt::LeftButton, {}, At(6));
        break;
      case Start::ClickOnUpArrow:
        QTest::mouseClick(&picker_, Qt::LeftButton, {}, Arrow(QStyle::SC_SpinBoxUp));
        break;
      case Start::ClickOnDownArrow:
        QTest::mouseClick(&picker_, Qt::LeftButton, {}, Arrow(QStyle::SC_SpinBoxDown));
        break;
      case Start::ClickOnUpArrowThenWindowActive: {
        // The focus that the click brings arrives after it, as when the
        // window becomes active again once a message box has closed.
        QTest::mouseClick(&picker_, Qt::LeftButton, {}, Arrow(QStyle::SC_SpinBoxUp));
        QFocusEvent activated(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
        QCoreApplication::sendEvent(&picker_, &activated);
        break;
      }
      case Start::SelectAll:
        picker_.selectAll();
        break;
      case Start::CtrlA:
        QTest::mouseClick(line_, Qt::LeftButton, {}, At(3));
        QTest::keyClick(&picker_, Qt::Key_A, Qt::ControlModifier);
        break;
      case Start::DoubleClickOnMinute:
        QTest::mouseDClick(line_, Qt::LeftButton, {}, At(3));
        break;
    }
  }

  QWidget window_;
  QPushButton elsewhere_{QStringLiteral("elsewhere"), &window_};
  TimePicker picker_{&window_};
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
      {"click on the up arrow, separators", Start::ClickOnUpArrow, "12:01:45", QTime(12, 1, 45)},
      {"click on the down arrow, digits only", Start::ClickOnDownArrow, "120145", QTime(12, 1, 45)},
      {"an arrow click, hour and minute only: the stepped seconds stay", Start::ClickOnUpArrow, "1201",
       QTime(12, 1, 7)},
      {"an arrow click whose focus comes after it", Start::ClickOnUpArrowThenWindowActive, "12:01:45",
       QTime(12, 1, 45)},
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

TEST_F(TimePickerTest, AnArrowClickStepsTheTimeFirst) {
  // The hour is the part under the cursor of a fresh picker.
  Begin(Start::ClickOnUpArrow);
  EXPECT_EQ(picker_.time(), QTime(12, 3, 7));
  Begin(Start::ClickOnDownArrow);
  EXPECT_EQ(picker_.time(), kBefore);
}

// What the user does in the field, then how the field is left or confirmed.
TEST_F(TimePickerTest, ATypedTimeIsReportedWhenConfirmedEvenWhenItIsTheTimeShown) {
  QPushButton& elsewhere = elsewhere_;
  enum class Edit { Nothing, TypeWhole, TypePartOver, Paste, ArrowKey };
  enum class Confirm { Enter, FocusLeaves };
  const struct {
    const char* name;
    Edit edit;
    Confirm confirm;
    int reports;
  } cases[] = {
      {"the shown time typed whole, Enter", Edit::TypeWhole, Confirm::Enter, 1},
      {"the shown time typed whole, the field left", Edit::TypeWhole, Confirm::FocusLeaves, 1},
      {"the shown minute typed over its part, Enter", Edit::TypePartOver, Confirm::Enter, 1},
      {"the shown time pasted, Enter", Edit::Paste, Confirm::Enter, 1},
      {"the shown time pasted, the field left", Edit::Paste, Confirm::FocusLeaves, 1},
      {"nothing typed, Enter", Edit::Nothing, Confirm::Enter, 0},
      {"nothing typed, the field left", Edit::Nothing, Confirm::FocusLeaves, 0},
      {"a step by the arrow key is a change, not a typed time", Edit::ArrowKey, Confirm::Enter, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    picker_.setTime(kBefore);
    picker_.setFocus();
    QSignalSpy reports(&picker_, &TimePicker::timeEntered);
    switch (c.edit) {
      case Edit::Nothing:
        Begin(Start::ClickOnHour);
        break;
      case Edit::TypeWhole:
        Begin(Start::ClickOnHour);
        QTest::keyClicks(&picker_, QStringLiteral("11:03:07"));
        break;
      case Edit::TypePartOver:
        Begin(Start::DoubleClickOnMinute);
        QTest::keyClicks(&picker_, QStringLiteral("03"));
        break;
      case Edit::Paste:
        QGuiApplication::clipboard()->setText(QStringLiteral("11:03:07"));
        Begin(Start::CtrlA);
        QTest::keyClick(&picker_, Qt::Key_V, Qt::ControlModifier);
        break;
      case Edit::ArrowKey:
        Begin(Start::ClickOnSecond);
        QTest::keyClick(&picker_, Qt::Key_Up);
        QTest::keyClick(&picker_, Qt::Key_Down);
        break;
    }
    EXPECT_TRUE(reports.isEmpty());
    if (c.confirm == Confirm::Enter)
      QTest::keyClick(&picker_, Qt::Key_Return);
    else
      QTest::mouseClick(&elsewhere, Qt::LeftButton);
    EXPECT_EQ(picker_.time(), kBefore);
    EXPECT_EQ(reports.size(), c.reports);
    // Once: leaving after Enter reports nothing more.
    QTest::mouseClick(&elsewhere, Qt::LeftButton);
    EXPECT_EQ(reports.size(), c.reports);
  }
}

}  // namespace
}  // namespace kivo
