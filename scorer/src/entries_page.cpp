// Page 3: the boats of the rating data file and the entries.
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "Unit1.h"
#include "core/rms_file.h"
#include "form_building.h"

using namespace kivo;

void TForm1::BuildEntriesPage() {
  pnlENTRY = Place<ClickablePanel>(this, "pnlENTRY", 0, 124, 745, 561);
  pnlENTRY->SetFlat(true);
  pnlENTRY->SetColor(kWhite);

  constexpr int rowHeight = 30;
  Label25 = PlaceLabel(pnlENTRY, "Label25", QStringLiteral("rmsﾌｧｲﾙ"), 10, 8, 90, rowHeight);
  Memo3 = Place<QLineEdit>(pnlENTRY, "Memo3", 100, 8, 210, rowHeight);
  Button3 = Place<QPushButton>(pnlENTRY, "Button3", 315, 8, 60, rowHeight);
  Button3->setText(QStringLiteral("選択"));
  Label21 = PlaceLabel(pnlENTRY, "Label21", QString(), 10, 40, 360, rowHeight);

  ListBox1 = Place<QListWidget>(pnlENTRY, "ListBox1", 10, 72, 300, 430);
  Label20 = PlaceLabel(pnlENTRY, "Label20", QStringLiteral("登録艇数"), 10, 512, 90, rowHeight);
  Memo2 = Place<QLineEdit>(pnlENTRY, "Memo2", 100, 512, 60, rowHeight);
  Panel9 = Place<ClickablePanel>(pnlENTRY, "Panel9", 200, 512, 110, rowHeight);
  Panel9->SetCaption(QStringLiteral("Tarvel"));
  Panel9->SetColor(kButtonFace);
  Panel9->setToolTip(QStringLiteral("TarvelのWEBサイト。RMSデータをDL可。"));

  Panel7 = Place<ClickablePanel>(pnlENTRY, "Panel7", 318, 180, 54, 34);
  Panel7->SetCaption(QStringLiteral(" =>"));
  Panel7->SetColor(kButtonFace);
  Panel7->setToolTip(QStringLiteral("エントリー（左のボートを選択してこのボタンでエントリー）"));
  Panel8 = Place<ClickablePanel>(pnlENTRY, "Panel8", 318, 240, 54, 34);
  Panel8->SetCaption(QStringLiteral("<="));
  Panel8->SetColor(kButtonFace);
  Panel8->setToolTip(QStringLiteral("削除　（右のボートを選択してこのボタンで削除）"));

  Label33 = PlaceLabel(pnlENTRY, "Label33", QStringLiteral("エントリー艇"), 380, 8, 130, rowHeight);
  Label7 = PlaceLabel(pnlENTRY, "Label7", QStringLiteral("エントリー数"), 555, 8, 120, rowHeight);
  Memo5 = Place<QLineEdit>(pnlENTRY, "Memo5", 675, 8, 55, rowHeight);
  ListBox2 = Place<QListWidget>(pnlENTRY, "ListBox2", 380, 42, 350, 240);

  Label6 = PlaceLabel(pnlENTRY, "Label6", QStringLiteral("Tarvel証書の情報"), 380, 290, 200, rowHeight);
  Button17 = Place<QPushButton>(pnlENTRY, "Button17", 600, 290, 130, rowHeight);
  Button17->setText(QStringLiteral("詳細データ"));
  Button17->setToolTip(QStringLiteral("クリックして表示/非表示の繰り返し"));
  Memo4 = Place<QPlainTextEdit>(pnlENTRY, "Memo4", 380, 324, 350, 228);
  Memo4->setReadOnly(true);
  Memo4->setFont(FixedPitchFont(13));
  Memo4->setLineWrapMode(QPlainTextEdit::NoWrap);

  // The details panel lies over the lists while shown.
  pnlDETAILS = Place<ClickablePanel>(pnlENTRY, "pnlDETAILS", 16, 96, 560, 440);
  pnlDETAILS->SetColor(kButtonFace);
  Panel21 = Place<ClickablePanel>(pnlDETAILS, "Panel21", 0, 0, 528, 30);
  Panel21->SetColor(kSkyBlue);
  Panel22 = Place<ClickablePanel>(pnlDETAILS, "Panel22", 528, 0, 32, 30);
  Panel22->SetCaption(QStringLiteral("X"));
  Panel22->SetColor(kButtonFace);
  ListBox7 = Place<QListWidget>(pnlDETAILS, "ListBox7", 0, 30, 560, 410);
  ListBox7->setFont(FixedPitchFont(13));
  pnlDETAILS->hide();
  connect(Panel22, &ClickablePanel::clicked, this, &TForm1::Panel22Click);
}

void TForm1::FindNewestRmsFile() {
  Model.RmsFile = Model.RmsFolder + QLatin1Char('/') + FindNewestRms(Model.RmsFolder);
}

// Filling the boat list comes with the entry page's own work.
void TForm1::LoadRmsFile() {}
