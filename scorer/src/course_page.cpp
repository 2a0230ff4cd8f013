// Page 2: race and course.
#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>

#include "Unit1.h"
#include "form_building.h"

using namespace kivo;

void TForm1::BuildCoursePage() {
  pnlCOURSE = Place<ClickablePanel>(this, "pnlCOURSE", 0, 124, 793, 425);
  pnlCOURSE->SetFlat(true);
  pnlCOURSE->SetColor(kWhite);

  Panel15 = Place<ClickablePanel>(pnlCOURSE, "Panel15", 0, 0, 793, 32);
  Panel15->SetColor(kButtonFace);

  constexpr int labelLeft = 20;
  constexpr int fieldLeft = 170;
  constexpr int rowHeight = 30;

  CourseTypeLabel = PlaceLabel(pnlCOURSE, "CourseTypeLabel", QStringLiteral("コースの種類"), labelLeft, 50, 150, rowHeight);
  ComboBox1 = Place<QComboBox>(pnlCOURSE, "ComboBox1", fieldLeft, 50, 240, rowHeight);

  // The distance field sits in the blanks of its caption, before "NMi".
  const QString distanceCaption = QStringLiteral("コース距離　　　          NMi");
  const QFontMetrics metrics(WindowFont());
  const int captionStart = metrics.horizontalAdvance(QStringLiteral("コース距離"));
  const int blanksEnd = metrics.horizontalAdvance(QStringLiteral("コース距離　　　          "));
  CourseDistanceLabel = PlaceLabel(pnlCOURSE, "CourseDistanceLabel", distanceCaption, labelLeft, 95,
                                   blanksEnd + metrics.horizontalAdvance(QStringLiteral("NMi")) + 8, rowHeight);
  Edit1 = Place<QLineEdit>(pnlCOURSE, "Edit1", labelLeft + captionStart + 6, 95,
                           blanksEnd - captionStart - 12, rowHeight);
  Edit1->setInputMethodHints(Qt::ImhPreferLatin);
  Edit1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  Button13 = Place<QPushButton>(pnlCOURSE, "Button13", 320, 95, 130, rowHeight);
  Button13->setText(QStringLiteral("地図で計測"));
  Button13->setToolTip(QStringLiteral("ネット環境が必要です"));
  connect(Button13, &QPushButton::clicked, this, &TForm1::Button13Click);

  StartLabel = PlaceLabel(pnlCOURSE, "StartLabel", QStringLiteral("スタート日時"), labelLeft, 145, 150, rowHeight);
  DateTimePicker1 = Place<QDateEdit>(pnlCOURSE, "DateTimePicker1", fieldLeft, 145, 150, rowHeight);
  DateTimePicker2 = Place<QTimeEdit>(pnlCOURSE, "DateTimePicker2", fieldLeft + 160, 145, 120, rowHeight);
  LimitLabel = PlaceLabel(pnlCOURSE, "LimitLabel", QStringLiteral("タイムリミット"), labelLeft, 190, 150, rowHeight);
  DateTimePicker3 = Place<QDateEdit>(pnlCOURSE, "DateTimePicker3", fieldLeft, 190, 150, rowHeight);
  DateTimePicker4 = Place<QTimeEdit>(pnlCOURSE, "DateTimePicker4", fieldLeft + 160, 190, 120, rowHeight);
  for (QDateEdit* date : {DateTimePicker1, DateTimePicker3}) date->setCalendarPopup(true);
  for (QTimeEdit* time : {DateTimePicker2, DateTimePicker4})
    time->setDisplayFormat(QStringLiteral("HH:mm:ss"));

  JuryLabel = PlaceLabel(pnlCOURSE, "JuryLabel", QStringLiteral("レース委員"), labelLeft, 235, 150, rowHeight);
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
}
