#include "scorer_window.h"

#include <array>

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

#include "core/data_folders.h"
#include "form_building.h"
#include "qt/dialogs.h"
#include "qt/guard.h"
#include "qt/system.h"

namespace kivo {
namespace {

constexpr char kApplicationTitle[] = "MORSUND KIVO SCORER 2017";

struct PageSize {
  int width;
  int height;
};

// The window's size for each page, before the 8 pixels that ShowPage adds.
constexpr std::array<PageSize, 6> kPageSizes = {{
    {464, 515},  // cover
    {625, 450},  // event
    {793, 600},  // race and course
    {745, 700},  // entries
    {841, 680},  // finishes
    {641, 530},  // results
}};

constexpr int kLegGridRows = 14;  // rows 1 .. 14 are kept, 1 .. 10 shown

}  // namespace

TForm1::TForm1(const QString& programFolder, QWidget* parent) : QWidget(parent) {
  InstallFontSubstitutions();
  setObjectName(QStringLiteral("Form1"));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFont(WindowFont());
  setAutoFillBackground(true);
  platform::SetPaletteColor(this, QPalette::Window, kWhite);

  Model.ProgramFolder = programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : programFolder;

  BuildTopBar();
  BuildEventPage();
  BuildCoursePage();
  BuildEntriesPage();
  BuildFinishPage();
  BuildResultPage();
  BuildCoverPage();  // last: it lies above the top bar
  KeepTypedNamesSavable();

  Memo1 = Place<QPlainTextEdit>(this, "Memo1", 0, 0, 185, 89);
  Memo1->hide();

  FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::BuildTopBar() {
  Panel5 = Place<ClickablePanel>(this, "Panel5", -262, 8, 1150, 113);
  Panel5->SetColor(kSkyBlue);

  Label16 = Place<QLabel>(Panel5, "Label16", 370, 10, 391, 23);
  Label16->setAlignment(Qt::AlignCenter);
  Label17 = Place<QLabel>(Panel5, "Label17", 370, 41, 391, 24);
  Label17->setAlignment(Qt::AlignCenter);

  const auto tab = [this](const char* name, const char* caption, int left) {
    auto* panel = Place<ClickablePanel>(Panel5, name, left, 73, 100, 24);
    panel->SetCaption(QString::fromUtf8(caption));
    panel->SetColor(kButtonFace);
    return panel;
  };
  Panel1 = tab("Panel1", "イベント", 278);
  Panel2 = tab("Panel2", "ﾚｰｽ・ｺｰｽ", 388);
  Panel3 = tab("Panel3", "エントリー", 498);
  Panel4 = tab("Panel4", "ﾌｨﾆｯｼｭ", 608);
  Panel6 = tab("Panel6", "結果", 718);

  Button9 = Place<QPushButton>(Panel5, "Button9", 278, 10, 90, 24);
  Button9->setText(QStringLiteral("新規"));
  Button9->setToolTip(QStringLiteral("現在表示されているデータをｸﾘｱして新規入力します"));
  Button10 = Place<QPushButton>(Panel5, "Button10", 278, 41, 90, 24);
  Button10->setText(QStringLiteral("ファイル"));
  Button10->setToolTip(QStringLiteral("保存済みのデータを読み取ります"));
  Button21 = Place<QPushButton>(Panel5, "Button21", 760, 10, 112, 24);
  Button21->setText(QStringLiteral("保存"));

  Panel19 = Place<ClickablePanel>(Panel5, "Panel19", 760, 41, 112, 24);
  Panel19->SetFontColor(kWhite);
  Panel20 = Place<ClickablePanel>(Panel5, "Panel20", 844, 73, 24, 24);
  Panel20->SetCaption(QStringLiteral("?"));
  Panel20->SetColor(kBlue);
  Panel20->SetFontColor(kWhite);
  Panel20->setToolTip(QStringLiteral("HELP"));

  connect(Panel1, &ClickablePanel::clicked, this, &TForm1::Panel1Click);
  connect(Panel2, &ClickablePanel::clicked, this, &TForm1::Panel2Click);
  connect(Panel3, &ClickablePanel::clicked, this, &TForm1::Panel3Click);
  connect(Panel4, &ClickablePanel::clicked, this, &TForm1::Panel4Click);
  connect(Panel6, &ClickablePanel::clicked, this, &TForm1::Panel6Click);
  connect(Panel19, &ClickablePanel::clicked, this, &TForm1::Panel19Click);
  connect(Panel20, &ClickablePanel::clicked, this, &TForm1::Panel20Click);
}

void TForm1::FormCreate() {
  SetDataFolderPaths(Model, Model.ProgramFolder);
  const QStringList failed = CreateDataFolders(Model);
  if (!failed.isEmpty()) {
    // The start goes on: the pages work without the tree, and the files
    // that need a folder report it when they are written.
    platform::CurrentDialogs().ShowMessage(QStringLiteral("次のフォルダを作成できませんでした。\n") +
                                           failed.first());
  }

  RemoveLeftoverSaveFiles(Model);
  Button13->setVisible(QFileInfo(Model.CourseProgramPath).isFile());

  Model.MaxRaces = 10;
  Model.MaxEntries = 20;
  Model.MaxLegs = 10;
  Model.MaxRmsLines = 150;
  Model.AllocateEventArrays();

  Model.RaceCount = 1;
  Model.CurrentRace = 1;
  ResetEventForm();
  Model.ClockCorrection = 0;
  FindNewestRmsFile();
  Model.Locked = 0;
  ShowUnlockedState();
  LoadLastData();
  UpDown2->SetPosition(Model.ClockCorrection);
  Memo13->setText(QString::number(Model.ClockCorrection));
  platform::Guarded([this] { LoadRmsFile(); });
  Timer1->start();
  ShowPage(0);
  RememberSavedEvent();
}

void TForm1::PlacePages() {
  pnlCOVER->move(0, 0);
  Image1->move(0, 0);
  for (ClickablePanel* page : {pnlEVENT, pnlCOURSE, pnlENTRY, pnlFINISH, pnlRESULT}) page->move(0, 124);
  pnlDETAILS->move(16, 96);
  Memo11->setGeometry(0, 0, 840, 333);
  Panel10->move(0, 336);
}

void TForm1::ResetEventForm() {
  // First, so the finish pickers set below recompute no boat of the event
  // that goes.
  CloseFinishEntry();
  Model.ResetEventData();
  eventFiles_.clear();
  ShowUnlockedState();
  PlacePages();
  setWindowTitle(QString::fromUtf8(kApplicationTitle));

  ComboBox1->clear();
  for (int code = 0; code < CourseTypeCount; ++code) ComboBox1->addItem(CourseTypeText(code));
  ComboBox1->setCurrentIndex(2);

  for (int row = 1; row <= kLegGridRows; ++row) {
    StringGrid1->SetCells(0, row, QStringLiteral("   ") + QString::number(row));
    for (int column = 1; column <= 4; ++column) StringGrid1->SetCells(column, row, QStringLiteral("0"));
  }
  const std::array<const char*, 5> headings = {"  LEG", " 距離", " 方位", " 風向", " 風速"};
  for (int column = 0; column < 5; ++column)
    StringGrid1->SetCells(column, 0, QString::fromUtf8(headings[static_cast<std::size_t>(column)]));

  ComboBox2->clear();
  for (int number = 1; number <= EventModel::StatusCodeCount; ++number)
    ComboBox2->addItem(StatusCodeAt(number));
  ComboBox2->setCurrentText(QStringLiteral("OK"));

  ComboBox3->clear();
  for (int percent = 0; percent <= 20; ++percent) ComboBox3->addItem(QString::number(percent));
  ComboBox3->setCurrentIndex(10);

  for (ClickablePanel* panel : {pnlEVENT, pnlCOURSE, pnlENTRY, pnlFINISH, pnlRESULT, Panel10})
    panel->SetCaption(QString());

  Label16->clear();
  Label17->clear();
  for (QLineEdit* field : {Edit2, Edit3, Edit4, Edit7, Edit1, Edit5, Memo12}) field->clear();
  Memo12->hide();
  Label22->hide();
  ListBox2->clear();
  ListBox7->clear();
  Memo4->clear();
  Memo5->clear();
  Label21->clear();
  ListBox3->clear();
  ListBox4->clear();
  Panel12->SetCaption(QString());
  for (QLineEdit* field : {Memo10, Memo6, Memo7}) field->clear();

  const QDateTime now = platform::CurrentSystem().Now();
  const QDate today = now.date();
  DateTimePicker1->setDate(today);
  DateTimePicker3->setDate(today);
  DateTimePicker2->setTime(QTime(10, 0, 0));
  DateTimePicker4->setTime(QTime(16, 0, 0));
  datetimepicker5->setDate(today);
  DateTimePicker6->setTime(now.time());
  DateTimePicker7->setDate(today);
  DateTimePicker8->setDate(today);

  Memo11->setPlainText(StatusLegendText());
}

void TForm1::ShowPage(int page) {
  if (page < 0 || page >= static_cast<int>(kPageSizes.size())) return;
  const std::array<ClickablePanel*, 6> pages = {pnlCOVER, pnlEVENT,  pnlCOURSE,
                                                pnlENTRY, pnlFINISH, pnlRESULT};
  const std::array<ClickablePanel*, 5> tabs = {Panel1, Panel2, Panel3, Panel4, Panel6};
  for (ClickablePanel* panel : pages) panel->hide();
  for (ClickablePanel* tab : tabs) tab->SetColor(kButtonFace);

  pages[static_cast<std::size_t>(page)]->show();
  if (page > 0) tabs[static_cast<std::size_t>(page - 1)]->SetColor(kYellow);
  shownPage_ = page;
  const PageSize size = kPageSizes[static_cast<std::size_t>(page)];

  Model.PageWidth = size.width + 8;
  Model.PageHeight = size.height + 8;
  FormResize();

  const QScreen* shownOn = screen();
  if (shownOn != nullptr) {
    const QRect area = shownOn->geometry();
    move(area.left() + (area.width() - size.width) / 2, area.top() + (area.height() - size.height) / 2);
  }

  // Centre the bar on the page, so the middle with the tabs shows. The
  // cover lies above it and covers the whole window.
  Panel5->move((size.width - Panel5->width()) / 2, 8);
  Panel5->setVisible(page != 0);

  const QString raceName = Model.RaceName[Model.CurrentRace];
  Panel15->SetCaption(raceName);
  Label17->setText(raceName);
  Edit4->setText(raceName);

  if (page == 5) {
    Model.ShowMissingDataBox = 0;
    CheckRaceData();
    Button18->setEnabled(false);
    Button19->setEnabled(false);
  }
}

void TForm1::FormResize() {
  if (Model.PageWidth <= 0 || Model.PageHeight <= 0 || resizing_) return;
  resizing_ = true;
  setFixedSize(Model.PageWidth, Model.PageHeight);
  resizing_ = false;
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (width() != Model.PageWidth || height() != Model.PageHeight) FormResize();
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (FormClose())
    event->accept();
  else
    event->ignore();
}

void TForm1::Panel1Click() {
  platform::Guarded([this] { ShowPage(1); });
}
void TForm1::Panel2Click() {
  platform::Guarded([this] { ShowPage(2); });
}
void TForm1::Panel3Click() {
  platform::Guarded([this] { ShowPage(3); });
}
void TForm1::Panel4Click() { ShowGuardedPage(4); }
void TForm1::Panel6Click() { ShowGuardedPage(5); }

void TForm1::ShowGuardedPage(int page) {
  platform::Guarded([this, page] {
    CheckRaceData();
    const int race = Model.CurrentRace;
    if (Model.RaceEntryCount[race] >= 1 && Model.CourseDistance[race] != 0) {
      ShowPage(page);
    } else {
      platform::CurrentDialogs().ShowMessage(
          QStringLiteral("コース距離、スタート日時、タイムリミット、エントリー艇の選択\n"
                         "などの必要項目を記入してからこのページを開いてください"));
    }
  });
}

void TForm1::Button14Click() {
  platform::Guarded([this] { ShowPage(1); });
}

}  // namespace kivo
