// Page 3: the boats of the rating data file and the entries.
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include <optional>
#include <stdexcept>

#include <QSignalBlocker>

#include "core/entries.h"
#include "core/rms_details.h"
#include "core/rms_file.h"
#include "core/rms_record.h"
#include "form_building.h"
#include "qt/dialogs.h"
#include "qt/guard.h"
#include "qt/shell.h"
#include "scorer_window.h"

namespace kivo {

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
  Memo2->setText(QStringLiteral("0"));  // no boats until a file is loaded
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
  ListBox2 = Place<QListWidget>(pnlENTRY, "ListBox2", 380, 42, 350, 220);

  Label6 = PlaceLabel(pnlENTRY, "Label6", QStringLiteral("Tarvel証書の情報"), 380, 270, 200, rowHeight);
  Button17 = Place<QPushButton>(pnlENTRY, "Button17", 600, 270, 130, rowHeight);
  Button17->setText(QStringLiteral("詳細データ"));
  Button17->setToolTip(QStringLiteral("クリックして表示/非表示の繰り返し"));
  Memo4 = Place<QPlainTextEdit>(pnlENTRY, "Memo4", 380, 304, 350, 248);
  Memo4->setReadOnly(true);
  // Tall enough for the twelve lines and the last line break, so the
  // whole summary shows without scrolling.
  Memo4->setFont(FixedPitchFont(12));
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

  connect(Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
  connect(Button17, &QPushButton::clicked, this, &TForm1::Button17Click);
  connect(Panel7, &ClickablePanel::clicked, this, &TForm1::Panel7Click);
  connect(Panel8, &ClickablePanel::clicked, this, &TForm1::Panel8Click);
  connect(Panel9, &ClickablePanel::clicked, this, &TForm1::Panel9Click);
  // A boat is picked by a click or by the arrow keys. "activated" would need
  // a double click on most desktops, so the lists answer a change of their
  // selection (mouse or keyboard) and every click, also one on the item
  // already picked; the refills below run with the signals blocked.
  for (QListWidget* list : {ListBox1, ListBox2}) {
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    const auto handler = list == ListBox1 ? &TForm1::ListBox1Click : &TForm1::ListBox2Click;
    connect(list, &QListWidget::itemSelectionChanged, this, handler);
    connect(list, &QAbstractItemView::clicked, this, handler);
  }
}

namespace {

// The item picked in a single-selection list, -1 for none.
int SelectedRow(const QListWidget* list) {
  const QList<QListWidgetItem*> picked = list->selectedItems();
  return picked.isEmpty() ? -1 : list->row(picked.first());
}

QString RatingAuthorityPage() {
  return QStringLiteral("https://" KIVO_RATING_AUTHORITY_HOST "/index.asp?id=44");
}

}  // namespace

void TForm1::FindNewestRmsFile() {
  Model.RmsFile = Model.RmsFolder + QLatin1Char('/') + FindNewestRms(Model.RmsFolder);
}

void TForm1::LoadRmsFile() {
  RmsLoad load;
  try {
    load = kivo::LoadRmsFile(Model.RmsFile);
  } catch (const RmsFileError& failure) {
    // Nothing is changed: the list, the name, the count and the date still
    // describe the file loaded before.
    throw std::runtime_error(failure.message().toStdString());
  }

  const std::optional<QString> date = RmsDateLabel(Model.RmsFile);
  Label21->setText(date.value_or(QString()));
  Label21->setVisible(date.has_value());
  // No file named (a first start beside an empty rating data folder): the
  // load ends quietly here, and the list, the name and the count keep what
  // they showed.
  if (!load.fileRead) return;

  ShowBoatDetails(load.headerLine);
  StoreRmsLines(Model.RmsLines, load.lines);
  Model.RmsLineCount = load.lineCount();
  if (load.lastRecord) CurrentRecord = *load.lastRecord;

  {
    const QSignalBlocker quiet(ListBox1);
    ListBox1->clear();
    ListBox1->addItems(load.boatList);
  }
  Model.SelectedRmsBoat = 0;
  Memo3->setText(load.fileName);
  Memo2->setText(load.lineCountText());
  // The lines that cannot be a boat are named, so nobody looks for a boat
  // that the list leaves out.
  const QString refused = RefusedRmsLinesMessage(load);
  if (!refused.isEmpty()) platform::CurrentDialogs().ShowMessage(refused);
}

void TForm1::ParseRmsLine(QByteArrayView record) { CurrentRecord = kivo::ParseRmsLine(record); }

void TForm1::ShowBoatSummary() { Memo4->setPlainText(BoatSummaryText(CurrentRecord)); }

void TForm1::ShowBoatDetails(QByteArrayView line) {
  const QStringList items = DetailListItems(BoatDetails(line, Model.HeaderNames));
  ListBox7->clear();
  ListBox7->addItems(items);
  Panel21->SetCaption(CurrentRecord.Boatname);
}

void TForm1::Button3Click() {
  platform::Guarded([this] {
    const QString chosen =
        platform::CurrentDialogs().OpenFile(QStringLiteral("開く"), Model.RmsFolder, RmsOpenDialogFilter());
    const std::optional<QString> file = RmsFileFromDialog(chosen);
    if (!file) return;
    // A file that cannot be read leaves the current one current, so the
    // memory file and the event file keep naming the file that is listed.
    const QString previous = Model.RmsFile;
    Model.RmsFile = *file;
    try {
      LoadRmsFile();
    } catch (...) {
      Model.RmsFile = previous;
      throw;
    }
  });
}

void TForm1::Button17Click() {
  platform::Guarded([this] {
    pnlDETAILS->setVisible(DetailsPanelVisibleAfterClick(Memo4->toPlainText(), !pnlDETAILS->isHidden()));
  });
}

void TForm1::ListBox1Click() {
  platform::Guarded([this] {
    Model.SelectedRmsBoat = SelectedRow(ListBox1) + 1;
    const QByteArray line =
        Model.SelectedRmsBoat <= Model.RmsLineCount ? Model.RmsLines[Model.SelectedRmsBoat] : QByteArray();
    ParseRmsLine(line);
    ShowBoatSummary();
    ShowBoatDetails(line);
  });
}

void TForm1::ListBox2Click() {
  platform::Guarded([this] {
    Model.SelectedEntry = SelectedRow(ListBox2) + 1;
    const QByteArray line =
        Model.SelectedEntry <= Model.EntryCount ? Model.EntryRecord[Model.SelectedEntry] : QByteArray();
    ParseRmsLine(line);
    ShowBoatSummary();
    ShowBoatDetails(line);
  });
}

void TForm1::Panel7Click() {
  platform::Guarded([this] {
    const EntryAddAnswer answer = AddEntry(Model);
    if (answer.record) CurrentRecord = *answer.record;
    if (!answer.refusal.isEmpty()) {
      platform::CurrentDialogs().ShowMessage(answer.refusal);
      return;
    }
    {
      // An add leaves no entry picked; the list shows it so.
      const QSignalBlocker quiet(ListBox2);
      ListBox2->addItem(CurrentRecord.Boatname);
      ListBox2->clearSelection();
    }
    Memo5->setText(QString::number(Model.EntryCount));
    RefreshFinishLists();
  });
}

void TForm1::Panel8Click() {
  platform::Guarded([this] {
    platform::Dialogs& dialogs = platform::CurrentDialogs();
    if (Model.EntryCount == 0) {
      dialogs.ShowMessage(QStringLiteral("登録艇がありません"));
      return;
    }
    const int entry = Model.SelectedEntry;
    if (entry <= 0 || entry > Model.EntryCount) {
      dialogs.ShowMessage(QStringLiteral("削除する艇が選択されていません"));
      return;
    }
    ParseRmsLine(Model.EntryRecord[entry]);
    if (!dialogs.Confirm(CurrentRecord.Boatname.trimmed() + QStringLiteral("を削除しますか？"))) return;

    RemoveEntry(Model, entry);

    QStringList names;
    for (int k = 1; k <= Model.EntryCount; ++k) {
      ParseRmsLine(Model.EntryRecord[k]);
      names << CurrentRecord.Boatname;
    }
    {
      const QSignalBlocker quiet(ListBox2);
      ListBox2->clear();
      ListBox2->addItems(names);
    }
    Memo5->setText(QString::number(Model.EntryCount));
    RefreshFinishLists();
  });
}

void TForm1::Panel9Click() {
  platform::Guarded([] { platform::CurrentShell().OpenDocument(RatingAuthorityPage()); });
}

}  // namespace kivo
