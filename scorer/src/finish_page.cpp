// Page 4: finish recording.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "Unit1.h"
#include "form_building.h"

using namespace kivo;

void TForm1::BuildFinishPage() {
  pnlFINISH = Place<ClickablePanel>(this, "pnlFINISH", 0, 124, 841, 545);
  pnlFINISH->SetFlat(true);
  pnlFINISH->SetColor(kWhite);

  constexpr int rowHeight = 30;
  // The list lines are padded into columns, so they use the fixed pitch.
  const QFont listFont = FixedPitchFont(14);

  Label10 = PlaceLabel(pnlFINISH, "Label10", QStringLiteral("レース中の艇"), 10, 4, 200, 26);
  ListBox3 = Place<QListWidget>(pnlFINISH, "ListBox3", 10, 32, 300, 298);
  ListBox3->setFont(listFont);
  Label15 = PlaceLabel(pnlFINISH, "Label15", QStringLiteral("フィニッシュ艇"), 360, 4, 150, 26);
  Label35 = PlaceLabel(pnlFINISH, "Label35", QStringLiteral("Time                Fin     Pen"), 505, 4, 320, 26);
  Label35->setFont(listFont);
  ListBox4 = Place<QListWidget>(pnlFINISH, "ListBox4", 360, 32, 470, 298);
  ListBox4->setFont(listFont);

  Panel11 = Place<ClickablePanel>(pnlFINISH, "Panel11", 315, 150, 40, 34);
  Panel11->SetCaption(QStringLiteral("←"));
  Panel11->SetColor(kButtonFace);
  Panel11->setToolTip(QStringLiteral("フィニッシュ取り消し"));

  // The finish entry panel, shown while a racing boat's finish is entered.
  Panel10 = Place<ClickablePanel>(pnlFINISH, "Panel10", 0, 336, 841, 209);
  Panel10->SetColor(kButtonFace);
  Panel10->setMouseTracking(true);
  Panel10->hide();

  Panel12 = Place<ClickablePanel>(Panel10, "Panel12", 10, 8, 300, rowHeight);
  Panel12->SetColor(kWhite);
  Memo8 = Place<QLineEdit>(Panel10, "Memo8", 320, 8, 230, rowHeight);
  Memo8->setToolTip(QStringLiteral("修正後の表示時刻"));
  Memo13 = Place<QLineEdit>(Panel10, "Memo13", 560, 8, 60, rowHeight);
  Memo13->setToolTip(QStringLiteral("修正値（秒）"));
  Memo13->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  UpDown2 = Place<UpDown>(Panel10, "UpDown2", 620, 8, 20, rowHeight);
  UpDown2->setToolTip(QStringLiteral("修正値の増減"));
  UpDown2->SetRange(-600, 600);
  UpDown2->SetIncrement(1);
  UpDown2->SetWrap(false);
  Button6 = Place<QPushButton>(Panel10, "Button6", 650, 8, 90, rowHeight);
  Button6->setText(QStringLiteral("NOW"));
  Button6->setToolTip(QStringLiteral("左クリックでフィニッシュ時刻決定"));

  Label8 = PlaceLabel(Panel10, "Label8", QStringLiteral("ﾌｨﾆｯｼｭ"), 10, 48, 80, rowHeight);
  datetimepicker5 = Place<QDateEdit>(Panel10, "datetimepicker5", 90, 48, 150, rowHeight);
  datetimepicker5->setCalendarPopup(true);
  DateTimePicker6 = Place<QTimeEdit>(Panel10, "DateTimePicker6", 245, 48, 120, rowHeight);
  DateTimePicker6->setDisplayFormat(QStringLiteral("HH:mm:ss"));
  Label9 = PlaceLabel(Panel10, "Label9", QStringLiteral("経過時間"), 385, 48, 90, rowHeight);
  Memo6 = Place<QLineEdit>(Panel10, "Memo6", 475, 48, 100, rowHeight);
  Memo7 = Place<QLineEdit>(Panel10, "Memo7", 580, 48, 90, rowHeight);
  Label14 = PlaceLabel(Panel10, "Label14", QStringLiteral("秒"), 675, 48, 30, rowHeight);

  Label12 = PlaceLabel(Panel10, "Label12", QStringLiteral("得点記録の略号"), 10, 88, 150, rowHeight);
  ComboBox2 = Place<QComboBox>(Panel10, "ComboBox2", 160, 88, 100, rowHeight);
  Panel14 = Place<ClickablePanel>(Panel10, "Panel14", 265, 88, 30, rowHeight);
  Panel14->SetCaption(QStringLiteral("?"));
  Panel14->SetColor(kBlue);
  Panel14->SetFontColor(kWhite);
  Panel14->setMouseTracking(true);
  CheckBox2 = Place<QCheckBox>(Panel10, "CheckBox2", 320, 88, 120, rowHeight);
  CheckBox2->setText(QStringLiteral("ﾍﾟﾅﾙﾃｨｰ"));
  ComboBox3 = Place<QComboBox>(Panel10, "ComboBox3", 440, 88, 70, rowHeight);
  ComboBox3->setEditable(true);
  Label34 = PlaceLabel(Panel10, "Label34", QStringLiteral("％"), 515, 88, 30, rowHeight);

  Button4 = Place<QPushButton>(Panel10, "Button4", 10, 130, 150, 34);
  Button4->setText(QStringLiteral("決　　定"));
  Button5 = Place<QPushButton>(Panel10, "Button5", 170, 130, 150, 34);
  Button5->setText(QStringLiteral("キャンセル"));

  Label13 = PlaceLabel(Panel10, "Label13", QStringLiteral("備考"), 10, 172, 50, rowHeight);
  Memo10 = Place<QLineEdit>(Panel10, "Memo10", 60, 172, 450, rowHeight);
  Label13->hide();
  Memo10->hide();

  // The status code legend, shown over the lists while asked for.
  Memo11 = Place<QPlainTextEdit>(pnlFINISH, "Memo11", 0, 0, 840, 333);
  Memo11->setReadOnly(true);
  QFont legendFont = WindowFont();
  legendFont.setPixelSize(15);
  Memo11->setFont(legendFont);
  Memo11->hide();

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(100);
}
