// Page 1: the event's names.
#include <QLineEdit>

#include "Unit1.h"
#include "form_building.h"

using namespace kivo;

void TForm1::BuildEventPage() {
  pnlEVENT = Place<ClickablePanel>(this, "pnlEVENT", 0, 124, 625, 337);
  pnlEVENT->SetFlat(true);
  pnlEVENT->SetColor(kWhite);

  constexpr int labelLeft = 40;
  constexpr int fieldLeft = 230;
  constexpr int fieldWidth = 350;
  constexpr int rowHeight = 30;
  EventNameLabel = PlaceLabel(pnlEVENT, "EventNameLabel", QStringLiteral("イベント名"), labelLeft, 30, 180, rowHeight);
  Edit2 = Place<QLineEdit>(pnlEVENT, "Edit2", fieldLeft, 30, fieldWidth, rowHeight);
  RaceNameLabel = PlaceLabel(pnlEVENT, "RaceNameLabel", QStringLiteral("レース名"), labelLeft, 85, 180, rowHeight);
  Edit4 = Place<QLineEdit>(pnlEVENT, "Edit4", fieldLeft, 85, fieldWidth, rowHeight);
  ClassNameLabel = PlaceLabel(pnlEVENT, "ClassNameLabel", QStringLiteral("クラス名"), labelLeft, 140, 180, rowHeight);
  Edit6 = Place<QLineEdit>(pnlEVENT, "Edit6", fieldLeft, 140, fieldWidth, rowHeight);
  Edit6->setText(QStringLiteral("TarvelC"));
  ChairmanLabel = PlaceLabel(pnlEVENT, "ChairmanLabel", QStringLiteral("レース委員長"), labelLeft, 195, 180, rowHeight);
  Edit7 = Place<QLineEdit>(pnlEVENT, "Edit7", fieldLeft, 195, fieldWidth, rowHeight);
  SaveNameLabel = PlaceLabel(pnlEVENT, "SaveNameLabel", QStringLiteral("保存ファイル名"), labelLeft, 250, 180, rowHeight);
  Edit3 = Place<QLineEdit>(pnlEVENT, "Edit3", fieldLeft, 250, fieldWidth, rowHeight);
}
