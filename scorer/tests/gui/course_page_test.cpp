// The course page through its widgets: the course type switching the leg
// grid, and the running total of the leg distances with the leg count.
#include <QCoreApplication>
#include <QLineEdit>
#include <QLocale>
#include <QTest>

#include "form_building.h"
#include "form_fixture.h"

namespace kivo::testing {
namespace {

constexpr int kConstructedCourse = 0;
constexpr int kWindwardLeeward = 1;
constexpr int kDistanceColumn = 1;

class CoursePageTest : public FormFixture {
 protected:
  TForm1& StartOnCoursePage() {
    TForm1& form = StartForm();
    form.ShowPage(2);
    return form;
  }

  // The user picks course type `code` with the keyboard.
  static void PickCourseType(TForm1& form, int code) {
    form.ComboBox1->setFocus();
    QTest::keyClick(form.ComboBox1, Qt::Key_Home);
    for (int k = 0; k < code; ++k) QTest::keyClick(form.ComboBox1, Qt::Key_Down);
    ASSERT_EQ(form.ComboBox1->currentIndex(), code);
  }

  // The user types `text` over a grid cell, key by key, and leaves it with Return.
  static void TypeIntoCell(TForm1& form, int column, int row, const QString& text) {
    StringGrid* grid = form.StringGrid1;
    // Making a cell current opens its editor (the grid edits on every trigger).
    grid->setCurrentCell(row, column);
    const QModelIndex cell = grid->model()->index(row, column);
    if (grid->indexWidget(cell) == nullptr) grid->edit(cell);
    auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(cell));
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Delete);
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    // The closed editor goes now, so the next edit finds its own.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
};

TEST_F(CoursePageTest, OnlyAConstructedCourseOpensTheLegGrid) {
  TForm1& form = StartOnCoursePage();
  EXPECT_FALSE(form.StringGrid1->isEnabled());
  EXPECT_EQ(form.StringGrid1->Color(), kMediumGrey);
  EXPECT_FALSE(form.Memo12->isVisible());

  PickCourseType(form, kConstructedCourse);
  EXPECT_TRUE(form.StringGrid1->isEnabled());
  EXPECT_EQ(form.StringGrid1->Color(), kWhite);
  EXPECT_TRUE(form.Label22->isVisible());
  EXPECT_TRUE(form.Memo12->isVisible());

  // A type set by the program (a new event) leaves the grid as it is.
  form.ResetEventForm();
  form.ShowPage(2);
  EXPECT_EQ(form.ComboBox1->currentIndex(), 2);
  EXPECT_TRUE(form.StringGrid1->isEnabled());

  for (int code = 1; code < CourseTypeCount; ++code) {
    SCOPED_TRACE(code);
    PickCourseType(form, kConstructedCourse);
    PickCourseType(form, code);
    EXPECT_FALSE(form.StringGrid1->isEnabled());
    EXPECT_EQ(form.StringGrid1->Color(), kMediumGrey);
    EXPECT_FALSE(form.Label22->isVisible());
    EXPECT_FALSE(form.Memo12->isVisible());
  }
  EXPECT_TRUE(dialogs().Events().empty());
}

TEST_F(CoursePageTest, LegDistancesAddUpInTheCourseDistance) {
  struct Case {
    const char* name;
    QStringList distances;  // legs 1, 2, ...
    QString total;
    QString legs;
  };
  const Case cases[] = {
      {"three legs, one of them 0", {"1.5", "2.25", "0"}, "3.75", "2"},
      {"letters count as 0", {"2", "abc", "1"}, "3.00", "2"},
      {"a negative distance lowers the total but is no leg", {"5", "-1.5"}, "3.50", "1"},
      {"blanks around a number", {" 4.2 "}, "4.20", "1"},
      {"an empty cell", {"3", ""}, "3.00", "1"},
      {"thousands of miles", {"1234.5", "1000"}, "2234.50", "2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TForm1& form = StartOnCoursePage();
    PickCourseType(form, kConstructedCourse);
    for (int leg = 1; leg <= c.distances.size(); ++leg)
      TypeIntoCell(form, kDistanceColumn, leg, c.distances[leg - 1]);
    EXPECT_EQ(form.Edit1->text(), c.total);
    EXPECT_EQ(form.Memo12->text(), c.legs);
    EXPECT_TRUE(dialogs().Events().empty());
  }
}

TEST_F(CoursePageTest, EveryCellEditCountsAllFourteenRows) {
  TForm1& form = StartOnCoursePage();
  PickCourseType(form, kConstructedCourse);
  // Row 12 is kept though not shown.
  form.StringGrid1->SetCells(kDistanceColumn, 12, QStringLiteral("10"));
  form.StringGrid1->SetCells(kDistanceColumn, 1, QStringLiteral("2.5"));
  EXPECT_TRUE(form.Edit1->text().isEmpty()) << "setting a cell from code computes nothing";
  // Editing a course cell recomputes the total too.
  TypeIntoCell(form, 2, 3, QStringLiteral("270"));
  EXPECT_EQ(form.Edit1->text(), QStringLiteral("12.50"));
  EXPECT_EQ(form.Memo12->text(), QStringLiteral("2"));
}

TEST_F(CoursePageTest, OtherCourseTypesLeaveTheDistanceAlone) {
  TForm1& form = StartOnCoursePage();
  PickCourseType(form, kWindwardLeeward);
  form.Edit1->setText(QStringLiteral("7.5"));
  form.StringGrid1->SetCells(kDistanceColumn, 1, QStringLiteral("3"));
  // An edit event that reaches the page anyway changes nothing.
  emit form.StringGrid1->editTextChanged(kDistanceColumn, 1, QStringLiteral("3"));
  EXPECT_EQ(form.Edit1->text(), QStringLiteral("7.5"));
  EXPECT_TRUE(form.Memo12->text().isEmpty());
}

TEST_F(CoursePageTest, TotalUsesTheLocaleDecimalSeparator) {
  const QLocale before;
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  TForm1& form = StartOnCoursePage();
  PickCourseType(form, kConstructedCourse);
  TypeIntoCell(form, kDistanceColumn, 1, QStringLiteral("1,5"));
  TypeIntoCell(form, kDistanceColumn, 2, QStringLiteral("2,25"));
  TypeIntoCell(form, kDistanceColumn, 3, QStringLiteral("1.000"));  // no group separators
  TypeIntoCell(form, kDistanceColumn, 4, QStringLiteral("1000,5"));
  const QString total = form.Edit1->text();
  const QString legs = form.Memo12->text();
  QLocale::setDefault(before);
  EXPECT_EQ(total, QStringLiteral("1004,25"));
  EXPECT_EQ(legs, QStringLiteral("3"));
}

}  // namespace
}  // namespace kivo::testing
