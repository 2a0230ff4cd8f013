#pragma once
// A scorer window with the sample rating data file in its RMS folder and the
// Japanese user locale, and the steps a user takes to type a race through
// the widgets: event names, course, entries picked from the boat list,
// finishes recorded in the pickers.
//
//   class MyTest : public kivo::testing::RaceTypingFixture {};
//   TEST_F(MyTest, ...) {
//     TForm1& form = StartForm();
//     TypeEvent("Summer Regatta", "Race One", "Cup");
//     TypeCourse(1, "10");
//     EnterBoats({0, 1, 2});
//     RecordFinish(QTime(12, 0, 0));  // the first boat still racing
//   }
#include <filesystem>
#include <initializer_list>

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QStringList>
#include <QTimeEdit>

#include "form_fixture.h"

namespace kivo::testing {

class RaceTypingFixture : public FormFixture {
 protected:
  void SetUp() override {
    previousLocale_ = QLocale();
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    QFile sample(SampleRmsPath());
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly)) << SampleRmsPath().toStdString();
    WriteFile("KIVODATA/RMS/sample.rms", sample.readAll());
  }
  void TearDown() override { QLocale::setDefault(previousLocale_); }

  static QString SampleRmsPath() {
    const std::filesystem::path here = std::filesystem::path(__FILE__).parent_path();
    return QString::fromStdString((here / ".." / ".." / "assets" / "sample.rms").lexically_normal().string());
  }

  // Event page; the class name keeps its first text.
  void TypeEvent(const QString& eventName, const QString& raceName, const QString& saveName,
                 const QString& chairman = QStringLiteral("Chair Person")) {
    form().Edit2->setText(eventName);
    form().Edit4->setText(raceName);
    form().Edit7->setText(chairman);
    form().Edit3->setText(saveName);
  }

  // Race and course page: the course type as the user picks it, the
  // distance and the committee member.
  void TypeCourse(int courseType, const QString& distance,
                  const QString& jury = QStringLiteral("Jury Member")) {
    form().ComboBox1->setCurrentIndex(courseType);
    emit form().ComboBox1->activated(courseType);
    form().Edit1->setText(distance);
    form().Edit5->setText(jury);
  }

  // Leg row `row` of the grid: distance, course, wind direction, wind speed.
  void TypeLeg(int row, const QStringList& cells) {
    for (int column = 1; column <= 4; ++column)
      form().StringGrid1->SetCells(column, row, cells.at(column - 1));
  }

  // Adds the boats at these rows of the boat list, in this order.
  void EnterBoats(std::initializer_list<int> rows) {
    for (int row : rows) {
      form().ListBox1->setCurrentRow(row);
      form().Panel7->Click();
    }
  }

  // Picks the first boat of the racing list, sets the finish time in the
  // picker (the date stays the race day) and decides.
  void RecordFinish(const QTime& time, const QString& status = QStringLiteral("OK")) {
    form().ListBox3->setCurrentRow(0);
    form().DateTimePicker6->setTime(time);
    form().ComboBox2->setCurrentText(status);
    form().Button4->click();
  }

  // Event "Summer Regatta" saved as `saveName`, windward-leeward over 10 NM,
  // three boats, two finished after 1:55 and 2:00 (start 10:00 on the race
  // day), the third still racing.
  void TypeThreeBoatRaceOneRacing(const QString& eventName = QStringLiteral("Summer Regatta"),
                                  const QString& raceName = QStringLiteral("Race One"),
                                  const QString& saveName = QStringLiteral("Cup")) {
    TypeEvent(eventName, raceName, saveName);
    TypeCourse(1, QStringLiteral("10"));
    EnterBoats({0, 1, 2});
    RecordFinish(QTime(11, 55, 0));
    RecordFinish(QTime(12, 0, 0));
  }

  // The same race with the third boat finished after 2:10.
  void TypeThreeBoatRace(const QString& eventName = QStringLiteral("Summer Regatta"),
                         const QString& raceName = QStringLiteral("Race One"),
                         const QString& saveName = QStringLiteral("Cup")) {
    TypeThreeBoatRaceOneRacing(eventName, raceName, saveName);
    RecordFinish(QTime(12, 10, 0));
  }

  // Starts the window, types the three-boat race and calculates it; the
  // output buttons are then enabled and nothing has been asked or opened.
  TForm1& StartCalculated() {
    TForm1& form = StartForm();
    TypeThreeBoatRace();
    form.Panel6->Click();
    form.Button12->click();
    EXPECT_TRUE(form.Button19->isEnabled()) << dialogs().Messages().join('|').toStdString();
    dialogs().Clear();
    shell().Clear();
    return form;
  }

  static QStringList Items(const QListWidget* list) {
    QStringList items;
    for (int row = 0; row < list->count(); ++row) items << list->item(row)->text();
    return items;
  }

 private:
  QLocale previousLocale_;
};

}  // namespace kivo::testing
