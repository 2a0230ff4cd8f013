// Page 2: race and course.
#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>
#include <stdexcept>

#include <QLocale>

#include "core/number_text.h"
#include "form_building.h"
#include "locale/user_locale.h"
#include "qt/guard.h"
#include "scorer_window.h"

namespace kivo {

void TForm1::BuildCoursePage() {
  pnlCOURSE = Place<ClickablePanel>(this, "pnlCOURSE", 0, 124, 793, 425);
  pnlCOURSE->SetFlat(true);
  pnlCOURSE->SetColor(kWhite);

  Panel15 = Place<ClickablePanel>(pnlCOURSE, "Panel15", 0, 0, 793, 32);
  Panel15->SetColor(kButtonFace);

  constexpr int labelLeft = 20;
  constexpr int fieldLeft = 170;
  constexpr int rowHeight = 30;

  CourseTypeLabel =
      PlaceLabel(pnlCOURSE, "CourseTypeLabel", QStringLiteral("コースの種類"), labelLeft, 50, 150, rowHeight);
  ComboBox1 = Place<QComboBox>(pnlCOURSE, "ComboBox1", fieldLeft, 50, 240, rowHeight);

  // The distance field sits in the blanks of its caption, before "NMi".
  const QString distanceCaption = QStringLiteral("コース距離　　　          NMi");
  const QFontMetrics metrics(WindowFont());
  const int captionStart = metrics.horizontalAdvance(QStringLiteral("コース距離"));
  const int blanksEnd = metrics.horizontalAdvance(QStringLiteral("コース距離　　　          "));
  CourseDistanceLabel =
      PlaceLabel(pnlCOURSE, "CourseDistanceLabel", distanceCaption, labelLeft, 95,
                 blanksEnd + metrics.horizontalAdvance(QStringLiteral("NMi")) + 8, rowHeight);
  Edit1 = Place<QLineEdit>(pnlCOURSE, "Edit1", labelLeft + captionStart + 6, 95,
                           blanksEnd - captionStart - 12, rowHeight);
  Edit1->setInputMethodHints(Qt::ImhPreferLatin);
  Edit1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  Button13 = Place<QPushButton>(pnlCOURSE, "Button13", 320, 95, 130, rowHeight);
  Button13->setText(QStringLiteral("地図で計測"));
  Button13->setToolTip(QStringLiteral("ネット環境が必要です"));
  connect(Button13, &QPushButton::clicked, this, &TForm1::Button13Click);

  StartLabel =
      PlaceLabel(pnlCOURSE, "StartLabel", QStringLiteral("スタート日時"), labelLeft, 145, 150, rowHeight);
  DateTimePicker1 = Place<QDateEdit>(pnlCOURSE, "DateTimePicker1", fieldLeft, 145, 150, rowHeight);
  DateTimePicker2 = Place<TimePicker>(pnlCOURSE, "DateTimePicker2", fieldLeft + 160, 145, 120, rowHeight);
  LimitLabel =
      PlaceLabel(pnlCOURSE, "LimitLabel", QStringLiteral("タイムリミット"), labelLeft, 190, 150, rowHeight);
  DateTimePicker3 = Place<QDateEdit>(pnlCOURSE, "DateTimePicker3", fieldLeft, 190, 150, rowHeight);
  DateTimePicker4 = Place<TimePicker>(pnlCOURSE, "DateTimePicker4", fieldLeft + 160, 190, 120, rowHeight);
  for (QDateEdit* date : {DateTimePicker1, DateTimePicker3}) date->setCalendarPopup(true);
  for (QTimeEdit* time : {DateTimePicker2, DateTimePicker4})
    time->setDisplayFormat(QStringLiteral("HH:mm:ss"));

  JuryLabel =
      PlaceLabel(pnlCOURSE, "JuryLabel", QStringLiteral("レース委員"), labelLeft, 235, 150, rowHeight);
  Edit5 = Place<QLineEdit>(pnlCOURSE, "Edit5", fieldLeft, 235, 280, rowHeight);

  Label22 = PlaceLabel(pnlCOURSE, "Label22", QStringLiteral("LEG数"), labelLeft, 280, 150, rowHeight);
  Memo12 = Place<QLineEdit>(pnlCOURSE, "Memo12", fieldLeft, 280, 60, rowHeight);

  // Rows 0 (headings) to 14; the reset fills rows 1 to 14, rows 1 to 10 show.
  StringGrid1 = Place<StringGrid>(pnlCOURSE, "StringGrid1", 470, 50, 302, 332, 5, 15);
  StringGrid1->SetDefaultColumnWidth(60);
  StringGrid1->SetDefaultRowHeight(30);
  StringGrid1->SetShownRows(11);
  StringGrid1->setEnabled(false);
  StringGrid1->SetColor(kMediumGrey);

  // Only the user's pick of a course type switches the grid; a type chosen
  // by the program (reset, an opened event) leaves it as it is.
  connect(ComboBox1, &QComboBox::activated, this, &TForm1::ComboBox1Change);
  connect(StringGrid1, &StringGrid::editTextChanged, this, &TForm1::StringGrid1SetEditText);
}

namespace {

constexpr int kConstructedCourse = 0;
constexpr int kDistanceColumn = 1;
constexpr int kLastLegRow = 14;  // rows 11 .. 14 are kept though not shown

// "%f": fixed point with two decimals and the user's decimal separator, no
// group separators.
QString FixedTwoDecimals(float value) {
  QString text = QString::number(static_cast<double>(value), 'f', 2);
  text.replace(QLatin1Char('.'), platform::UserLocale().decimalPoint());
  return text;
}

}  // namespace

TForm1::LegSum TForm1::SumLegDistances() const {
  LegSum sum;
  for (int row = 1; row <= kLastLegRow; ++row) {
    const double read = TextToFloatDef(StringGrid1->Cells(kDistanceColumn, row), 0);
    // A distance beyond the range of the leg table's numbers counts as none.
    const float value = std::isfinite(static_cast<float>(read)) ? static_cast<float>(read) : 0.0f;
    if (value > 0) ++sum.legs;
    sum.total += value;
  }
  return sum;
}

void TForm1::ShowLegGridForCourseType(bool countLegs) {
  const bool constructed = ComboBox1->currentIndex() == kConstructedCourse;
  StringGrid1->setEnabled(constructed);
  StringGrid1->SetColor(constructed ? kWhite : kMediumGrey);
  Label22->setVisible(constructed);
  Memo12->setVisible(constructed);
  if (constructed && countLegs) Memo12->setText(QString::number(SumLegDistances().legs));
}

void TForm1::ComboBox1Change() {
  platform::Guarded([this] {
    ShowLegGridForCourseType(false);
    if (ComboBox1->currentIndex() == kConstructedCourse) StringGrid1->setFocus();
  });
}

void TForm1::StringGrid1SetEditText(int /*column*/, int /*row*/, const QString& /*text*/) {
  platform::Guarded([this] {
    if (ComboBox1->currentIndex() != kConstructedCourse) return;
    const LegSum sum = SumLegDistances();
    if (!std::isfinite(sum.total)) throw std::overflow_error("Floating point overflow");
    Edit1->setText(FixedTwoDecimals(sum.total));
    Memo12->setText(QString::number(sum.legs));
  });
}

}  // namespace kivo
