// A new event: the pages and the model back to their defaults.
#include "core/event_model.h"
#include "form_building.h"
#include "form_fixture.h"

namespace kivo::testing {
namespace {

class ResetTest : public FormFixture {};

QStringList ItemsOf(const QComboBox* box) {
  QStringList items;
  for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
  return items;
}

TEST_F(ResetTest, ListsHoldTheirItemsAfterStart) {
  TForm1& form = StartForm();
  EXPECT_EQ(ItemsOf(form.ComboBox2), (QStringList{"OK", "DNC", "DNS", "OCS", "ZFP", "UFD", "BFD", "SCP",
                                                  "DNF", "RET", "DSQ", "DNE", "RDG", "DPI"}));
  EXPECT_EQ(form.ComboBox2->currentText(), QStringLiteral("OK"));
  QStringList percents;
  for (int i = 0; i <= 20; ++i) percents << QString::number(i);
  EXPECT_EQ(ItemsOf(form.ComboBox3), percents);
  EXPECT_EQ(form.ComboBox3->currentText(), QStringLiteral("10"));
  EXPECT_EQ(ItemsOf(form.ComboBox1), (QStringList{"constructed course", "windward-leeward", "ocean course",
                                                  "olympic triangle", "circular random", "non spinnaker"}));
  EXPECT_EQ(form.ComboBox1->currentIndex(), 2);
  for (int number = 1; number <= EventModel::StatusCodeCount; ++number)
    EXPECT_EQ(form.Model.StatusCodes[number], form.ComboBox2->itemText(number - 1));
}

TEST_F(ResetTest, LegendStartsWithAnEmptyLineAndEndsWithDpi) {
  TForm1& form = StartForm();
  const QString legend = form.Memo11->toPlainText();
  EXPECT_TRUE(legend.startsWith(QStringLiteral("\n DNC Did not start; did not come to the starting area\n")));
  EXPECT_TRUE(legend.endsWith(QStringLiteral(" DPI Discretionary penalty imposed")));
  EXPECT_EQ(legend.split(QLatin1Char('\n')).size(), 14);
}

TEST_F(ResetTest, LegGridHoldsRowNumbersAndZeros) {
  TForm1& form = StartForm();
  const QStringList headings = {"  LEG", " 距離", " 方位", " 風向", " 風速"};
  for (int column = 0; column < 5; ++column) EXPECT_EQ(form.StringGrid1->Cells(column, 0), headings[column]);
  for (int row = 1; row <= 14; ++row) {
    SCOPED_TRACE(row);
    EXPECT_EQ(form.StringGrid1->Cells(0, row), QStringLiteral("   ") + QString::number(row));
    for (int column = 1; column <= 4; ++column)
      EXPECT_EQ(form.StringGrid1->Cells(column, row), QStringLiteral("0"));
  }
}

TEST_F(ResetTest, PickersShowTodayAtTheStartAndLimitTimes) {
  TForm1& form = StartForm();
  const QDate today(2017, 7, 1);  // the fake machine's clock
  for (QDateEdit* date : {form.DateTimePicker1, form.DateTimePicker3, form.datetimepicker5,
                          form.DateTimePicker7, form.DateTimePicker8})
    EXPECT_EQ(date->date(), today) << date->objectName().toStdString();
  EXPECT_EQ(form.DateTimePicker2->time(), QTime(10, 0, 0));
  EXPECT_EQ(form.DateTimePicker4->time(), QTime(16, 0, 0));
  EXPECT_EQ(form.DateTimePicker6->time(), QTime(10, 0, 0));
}

TEST_F(ResetTest, NewEventClearsThePagesAndTheModel) {
  TForm1& form = StartForm();
  form.ShowLockedState();
  form.Model.Locked = 1;
  form.Model.EntryCount = 3;
  form.Model.RaceEntryCount[1] = 3;
  form.Model.RaceFinishedCount[1] = 1;
  form.Model.BoatStatus[1][2] = QStringLiteral("DNF");
  form.Model.BoatPenalty[1][2] = QStringLiteral("10");
  form.Model.BoatFinish[1][2] = QStringLiteral("-");
  form.Model.BoatFinished[1][2] = 1;
  form.Model.BoatRemarks[9][19] = QStringLiteral("late");
  for (QLineEdit* field : {form.Edit1, form.Edit2, form.Edit3, form.Edit4, form.Edit5, form.Edit7, form.Memo5,
                           form.Memo6, form.Memo7, form.Memo10, form.Memo12})
    field->setText(QStringLiteral("x"));
  form.Edit6->setText(QStringLiteral("Class A"));
  form.Memo13->setText(QStringLiteral("12"));
  for (QListWidget* list : {form.ListBox2, form.ListBox3, form.ListBox4, form.ListBox7})
    list->addItem(QStringLiteral("boat"));
  form.ListBox1->addItem(QStringLiteral("rated boat"));
  form.Memo4->setPlainText(QStringLiteral("summary"));
  form.Label16->setText(QStringLiteral("event"));
  form.Label21->setText(QStringLiteral("date"));
  form.Panel12->SetCaption(QStringLiteral("boat"));
  form.pnlEVENT->SetCaption(QStringLiteral("caption"));
  form.ComboBox3->addItem(QStringLiteral("21"));
  form.Memo12->show();
  form.Label22->show();

  form.ResetEventForm();
  form.ResetEventForm();

  EXPECT_EQ(form.Model.Locked, 0);
  EXPECT_EQ(form.Panel19->Caption(), QStringLiteral("UNLOCKED"));
  for (QWidget* page : {form.pnlEVENT, form.pnlCOURSE, form.pnlENTRY, form.pnlFINISH})
    EXPECT_TRUE(page->isEnabled());
  EXPECT_EQ(form.Model.EntryCount, 0);
  EXPECT_EQ(form.Model.RaceEntryCount[1], 0);
  EXPECT_EQ(form.Model.RaceFinishedCount[1], 0);
  EXPECT_EQ(form.Model.BoatStatus[1][2], QStringLiteral("OK"));
  EXPECT_EQ(form.Model.BoatPenalty[1][2], QStringLiteral("0"));
  EXPECT_TRUE(form.Model.BoatFinish[1][2].isEmpty());
  EXPECT_EQ(form.Model.BoatFinished[1][2], 0);
  EXPECT_TRUE(form.Model.BoatRemarks[9][19].isEmpty());
  EXPECT_EQ(form.ComboBox3->count(), 21);
  for (QLineEdit* field : {form.Edit1, form.Edit2, form.Edit3, form.Edit4, form.Edit5, form.Edit7, form.Memo5,
                           form.Memo6, form.Memo7, form.Memo10, form.Memo12})
    EXPECT_TRUE(field->text().isEmpty()) << field->objectName().toStdString();
  for (QListWidget* list : {form.ListBox2, form.ListBox3, form.ListBox4, form.ListBox7})
    EXPECT_EQ(list->count(), 0) << list->objectName().toStdString();
  EXPECT_TRUE(form.Memo4->toPlainText().isEmpty());
  EXPECT_TRUE(form.Label16->text().isEmpty());
  EXPECT_TRUE(form.Label21->text().isEmpty());
  EXPECT_TRUE(form.Panel12->Caption().isEmpty());
  EXPECT_TRUE(form.pnlEVENT->Caption().isEmpty());
  EXPECT_FALSE(form.Memo12->isVisibleTo(form.pnlCOURSE));
  EXPECT_FALSE(form.Label22->isVisibleTo(form.pnlCOURSE));

  // Kept: the class name, the rating data boats and the clock correction.
  EXPECT_EQ(form.Edit6->text(), QStringLiteral("Class A"));
  EXPECT_EQ(form.ListBox1->count(), 1);
  EXPECT_EQ(form.Memo13->text(), QStringLiteral("12"));
}

}  // namespace
}  // namespace kivo::testing
