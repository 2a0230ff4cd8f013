// Page 4: finish recording.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

#include "core/finish_entry.h"
#include "core/finish_lists.h"
#include "core/local_date_time.h"
#include "form_building.h"
#include "locale/user_locale.h"
#include "qt/dialogs.h"
#include "qt/guard.h"
#include "qt/system.h"
#include "scorer_window.h"

namespace kivo {
namespace {

// Each list line keeps the number of the entry it was built from.
constexpr int kEntryRole = Qt::UserRole;

const QString kOk = QStringLiteral("OK");
const QString kDnf = QStringLiteral("DNF");

void FillList(QListWidget* list, const std::vector<FinishListLine>& lines) {
  const QSignalBlocker quiet(list);
  list->clear();
  for (const FinishListLine& line : lines) {
    auto* item = new QListWidgetItem(line.text, list);
    item->setData(kEntryRole, line.entry);
  }
}

void ClearSelection(QListWidget* list) {
  const QSignalBlocker quiet(list);
  list->clearSelection();
}

QListWidgetItem* SelectedLine(const QListWidget* list) {
  const QList<QListWidgetItem*> picked = list->selectedItems();
  return picked.isEmpty() ? nullptr : picked.first();
}

// What the finish entry panel holds.
FinishPanelFields FinishPanel(const TForm1& form) {
  FinishPanelFields fields;
  fields.status = form.ComboBox2->currentText();
  fields.elapsedSeconds = form.Memo7->text();
  fields.finishDate = form.datetimepicker5->date();
  fields.finishTime = form.DateTimePicker6->time();
  fields.penaltyTicked = form.CheckBox2->isChecked();
  fields.penaltyPercent = form.ComboBox3->currentText();
  fields.remarks = form.Memo10->text();
  return fields;
}

}  // namespace

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
  Label35 =
      PlaceLabel(pnlFINISH, "Label35", QStringLiteral("Time                Fin     Pen"), 505, 4, 320, 26);
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
  DateTimePicker6 = Place<TimePicker>(Panel10, "DateTimePicker6", 245, 48, 120, rowHeight);
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

  // A boat is picked by a click or by the arrow keys; the refills and the
  // selections cleared by the page itself run with the signals blocked.
  for (QListWidget* list : {ListBox3, ListBox4}) {
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    const auto handler = list == ListBox3 ? &TForm1::ListBox3Click : &TForm1::ListBox4Click;
    connect(list, &QListWidget::itemSelectionChanged, this, handler);
    connect(list, &QAbstractItemView::clicked, this, handler);
  }
  connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
  // The up-down steps from the correction shown, typed or not.
  connect(Memo13, &QLineEdit::textChanged, this, [this](const QString& text) {
    UpDown2->SetPosition(ClockCorrectionFromText(text, UpDown2->Position()));
  });
  connect(UpDown2, &UpDown::clicked, this, &TForm1::UpDown2Click);
  connect(Button6, &QPushButton::clicked, this, &TForm1::Button6Click);
  connect(Button4, &QPushButton::clicked, this, &TForm1::Button4Click);
  connect(Button5, &QPushButton::clicked, this, &TForm1::Button5Click);
  // The pickers answer the user's changes; the page sets them with the
  // signals blocked, and the reset sets them while no finish is entered.
  connect(datetimepicker5, &QDateEdit::dateChanged, this, &TForm1::datetimepicker5Change);
  connect(DateTimePicker6, &QTimeEdit::timeChanged, this, &TForm1::DateTimePicker6Change);
  // A time typed and confirmed is entered even when it is the one shown (a
  // dead heat with the boat before).
  connect(DateTimePicker6, &TimePicker::timeEntered, this, &TForm1::DateTimePicker6Change);
  connect(Panel11, &ClickablePanel::clicked, this, &TForm1::Panel11Click);
  connect(Panel14, &ClickablePanel::clicked, this, &TForm1::Panel14Click);
  connect(Panel14, &ClickablePanel::mouseMoved, this, &TForm1::Panel14MouseMove);
  connect(Panel10, &ClickablePanel::mouseMoved, this, &TForm1::Panel10MouseMove);
}

void TForm1::RefreshFinishLists() {
  const int race = Model.CurrentRace;
  const FinishLists lists = BuildFinishLists(Model, Model.CurrentRace, platform::UserLocale());
  FillList(ListBox3, lists.racing);
  FillList(ListBox4, lists.finished);
  Model.RaceFinishedCount[race] = static_cast<int>(lists.finished.size());
  FollowEntryBeingFinished();
}

int TForm1::FindEntryByName(const QListWidgetItem* line) const {
  if (line == nullptr) return 0;
  bool ok = false;
  const int entry = line->data(kEntryRole).toInt(&ok);
  return ok && entry >= 1 && entry <= Model.EntryCount ? entry : 0;
}

// Entries added or removed while a finish is entered move the numbers; the
// panel follows its boat, and closes when the boat was removed.
void TForm1::FollowEntryBeingFinished() {
  if (entryBeingFinished_ == 0) return;
  for (int entry = 1; entry <= Model.EntryCount; ++entry) {
    if (Model.EntryRecord[entry] == recordBeingFinished_) {
      entryBeingFinished_ = entry;
      return;
    }
  }
  CloseFinishEntry();
}

void TForm1::CloseFinishEntry() {
  entryBeingFinished_ = 0;
  recordBeingFinished_.clear();
  Panel12->SetCaption(QString());
  Panel10->hide();
}

void TForm1::ListBox3Click() {
  platform::Guarded([this] {
    const int entry = FindEntryByName(SelectedLine(ListBox3));
    if (entry == 0) return;
    Model.SelectedEntry = entry;
    entryBeingFinished_ = entry;
    recordBeingFinished_ = Model.EntryRecord[entry];
    Memo6->clear();
    Memo7->clear();
    Panel12->SetCaption(Model.EntryName[entry].trimmed());
    Panel10->show();
    ComboBox2->setCurrentText(kOk);
    CheckBox2->setChecked(false);
    Timer1->start();
    ClearSelection(ListBox4);
  });
}

void TForm1::ListBox4Click() {
  platform::Guarded([this] {
    if (SelectedLine(ListBox4) == nullptr) return;
    Panel10->hide();
    entryBeingFinished_ = 0;
    recordBeingFinished_.clear();
  });
}

void TForm1::TickCorrectedClock() {
  Model.ClockCorrection = ClockCorrectionFromText(Memo13->text(), Model.ClockCorrection);
  Model.CorrectedClock = platform::CurrentSystem().Now().addSecs(Model.ClockCorrection);
  Memo8->setText(platform::LocalDateTimeText(Model.CorrectedClock, platform::UserLocale()));
}

void TForm1::Timer1Timer() {
  platform::Guarded([this] { TickCorrectedClock(); });
}

void TForm1::UpDown2Click() {
  platform::Guarded([this] { Memo13->setText(QString::number(UpDown2->Position())); });
}

void TForm1::Button6Click() {
  platform::Guarded([this] {
    // The clock of this very moment, not of the last tick: the timer stands
    // still after a decision until the next boat is picked.
    TickCorrectedClock();
    const QDateTime now = Model.CorrectedClock;
    {
      const QSignalBlocker quietDate(datetimepicker5);
      const QSignalBlocker quietTime(DateTimePicker6);
      datetimepicker5->setDate(now.date());
      DateTimePicker6->setTime(QTime(now.time().hour(), now.time().minute(), now.time().second()));
    }
    UpdateFinishElapsed();
  });
}

void TForm1::datetimepicker5Change() {
  platform::Guarded([this] {
    if (entryBeingFinished_ != 0) UpdateFinishElapsed();
  });
}

void TForm1::DateTimePicker6Change() {
  platform::Guarded([this] {
    if (entryBeingFinished_ != 0) UpdateFinishElapsed();
  });
}

void TForm1::UpdateFinishElapsed() {
  platform::CurrentSystem().Beep();
  const QLocale locale = platform::UserLocale();
  const int race = Model.CurrentRace;
  Model.RaceStart[race] =
      platform::RaceDateTimeText(DateTimePicker1->date(), DateTimePicker2->time(), locale);
  Model.RaceLimit[race] =
      platform::RaceDateTimeText(DateTimePicker3->date(), DateTimePicker4->time(), locale);
  const QDateTime start = ReadRaceDateTime(Model.RaceStart[race]);
  const QDateTime limit = ReadRaceDateTime(Model.RaceLimit[race]);
  const QDateTime finish = FinishDateTime(datetimepicker5->date(), DateTimePicker6->time());

  const qint64 seconds = ElapsedSeconds(finish, start);
  Memo7->setText(QString::number(seconds));
  Memo6->setText(ElapsedText(seconds));
  ComboBox2->setCurrentText(finish > limit ? kDnf : kOk);
  if (entryBeingFinished_ != 0) Model.BoatStatus[race][entryBeingFinished_] = ComboBox2->currentText();
}

QDateTime TForm1::ReadRaceDateTime(const QString& text) const {
  return LocalDateTimeOrThrow(text, platform::UserLocale());
}

void TForm1::Button4Click() {
  platform::Guarded([this] {
    const int entry = entryBeingFinished_;
    if (entry == 0) return;
    const QString refusal = DecideFinish(Model, entry, FinishPanel(*this), platform::UserLocale());
    if (!refusal.isEmpty()) {
      platform::CurrentDialogs().ShowMessage(refusal);
      return;
    }
    RefreshFinishLists();
    CloseFinishEntry();
    Timer1->stop();
  });
}

void TForm1::Button5Click() {
  platform::Guarded([this] {
    CloseFinishEntry();
    ClearSelection(ListBox3);
    ClearSelection(ListBox4);
  });
}

void TForm1::Panel11Click() {
  platform::Guarded([this] {
    platform::Dialogs& dialogs = platform::CurrentDialogs();
    QListWidgetItem* line = SelectedLine(ListBox4);
    if (line == nullptr) {
      dialogs.ShowMessage(QStringLiteral("削除する艇が選択されていません"));
      return;
    }
    if (Model.Locked > 0) {
      dialogs.ShowMessage(QStringLiteral("データがロックされています"));
      return;
    }
    const int entry = FindEntryByName(line);
    if (entry == 0) return;
    Model.SelectedEntry = entry;
    const int race = Model.CurrentRace;
    Model.BoatFinished[race][entry] = 0;
    Model.BoatFinish[race][entry].clear();
    RefreshFinishLists();
  });
}

void TForm1::Panel14Click() {
  platform::Guarded([this] { ShowStatusLegend(); });
}

void TForm1::Panel14MouseMove() {
  platform::Guarded([this] { ShowStatusLegend(); });
}

void TForm1::Panel10MouseMove() {
  platform::Guarded([this] { Memo11->hide(); });
}

void TForm1::ShowStatusLegend() {
  Memo11->raise();
  Memo11->show();
}

}  // namespace kivo
