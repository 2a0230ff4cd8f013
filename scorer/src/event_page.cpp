// Page 1: the event's names, and the change handlers of the event name,
// race name and save name fields.
#include <optional>
#include <utility>

#include <QLabel>
#include <QLineEdit>

#include "core/event_file.h"
#include "core/rms_text.h"
#include "form_building.h"
#include "qt/dialogs.h"
#include "scorer_window.h"

namespace kivo {

void TForm1::BuildEventPage() {
  pnlEVENT = Place<ClickablePanel>(this, "pnlEVENT", 0, 124, 625, 337);
  pnlEVENT->SetFlat(true);
  pnlEVENT->SetColor(kWhite);

  constexpr int labelLeft = 40;
  constexpr int fieldLeft = 230;
  constexpr int fieldWidth = 350;
  constexpr int rowHeight = 30;
  EventNameLabel =
      PlaceLabel(pnlEVENT, "EventNameLabel", QStringLiteral("イベント名"), labelLeft, 30, 180, rowHeight);
  Edit2 = Place<QLineEdit>(pnlEVENT, "Edit2", fieldLeft, 30, fieldWidth, rowHeight);
  RaceNameLabel =
      PlaceLabel(pnlEVENT, "RaceNameLabel", QStringLiteral("レース名"), labelLeft, 85, 180, rowHeight);
  Edit4 = Place<QLineEdit>(pnlEVENT, "Edit4", fieldLeft, 85, fieldWidth, rowHeight);
  ClassNameLabel =
      PlaceLabel(pnlEVENT, "ClassNameLabel", QStringLiteral("クラス名"), labelLeft, 140, 180, rowHeight);
  Edit6 = Place<QLineEdit>(pnlEVENT, "Edit6", fieldLeft, 140, fieldWidth, rowHeight);
  Edit6->setText(QStringLiteral("TarvelC"));
  ChairmanLabel =
      PlaceLabel(pnlEVENT, "ChairmanLabel", QStringLiteral("レース委員長"), labelLeft, 195, 180, rowHeight);
  Edit7 = Place<QLineEdit>(pnlEVENT, "Edit7", fieldLeft, 195, fieldWidth, rowHeight);
  SaveNameLabel =
      PlaceLabel(pnlEVENT, "SaveNameLabel", QStringLiteral("保存ファイル名"), labelLeft, 250, 180, rowHeight);
  Edit3 = Place<QLineEdit>(pnlEVENT, "Edit3", fieldLeft, 250, fieldWidth, rowHeight);

  // textChanged: setting a field from code runs its handler, as the reset
  // and the opening of an event rely on.
  connect(Edit2, &QLineEdit::textChanged, this, &TForm1::Edit2Change);
  connect(Edit4, &QLineEdit::textChanged, this, &TForm1::Edit4Change);
  connect(Edit3, &QLineEdit::textChanged, this, &TForm1::Edit3Change);
  // The top bar's event file commands (new, open, save) live with the
  // event file (event_commands.cpp).
  ConnectEventCommands();
}

void TForm1::KeepTypedNamesSavable() {
  const std::pair<QLineEdit*, QLabel*> fields[] = {{Edit2, EventNameLabel}, {Edit4, RaceNameLabel},
                                                   {Edit6, ClassNameLabel}, {Edit7, ChairmanLabel},
                                                   {Edit3, SaveNameLabel},  {Edit5, JuryLabel}};
  for (const auto& [field, label] : fields)
    connect(field, &QLineEdit::textChanged, this,
            [this, field = field, name = label->text()] { RemoveUnsavableCharacters(field, name); });
}

void TForm1::RemoveUnsavableCharacters(QLineEdit* field, const QString& fieldName) {
  const QStringList outside = CharactersOutsideAnsi(field->text());
  if (outside.isEmpty()) return;
  QString text = field->text();
  for (const QString& character : outside) text.remove(character);
  // Set first: the message box must not find the field still holding them.
  field->setText(text);
  platform::CurrentDialogs().ShowMessage(QStringLiteral("%1: 「%2」は保存できない文字です。\n"
                                                        "この文字は使わないでください")
                                             .arg(fieldName, outside.join(QStringLiteral("」「"))));
}

void TForm1::Edit2Change() { Label16->setText(Edit2->text()); }

void TForm1::Edit4Change() {
  const QString name = Edit4->text();
  const int race = Model.CurrentRace;
  // The field is built before the model is sized; nothing to store then.
  if (race >= 0 && race < Model.RaceName.size()) Model.RaceName[race] = name;
  Label17->setText(name);
  Panel15->SetCaption(name);
}

void TForm1::Edit3Change() {
  // Each forbidden character found costs the last character and one
  // message, until none is left. The field is set once at the end, so a
  // long pasted text cannot recurse deep through its own change signal.
  if (editingSaveName_) return;
  QString text = Edit3->text();
  bool changed = false;
  while (const std::optional<QString> shorter = SaveNameAfterCheck(text)) {
    platform::CurrentDialogs().ShowMessage(ForbiddenSaveNameMessage());
    text = *shorter;
    changed = true;
  }
  if (!changed) return;
  editingSaveName_ = true;
  Edit3->setText(text);
  editingSaveName_ = false;
}

}  // namespace kivo
