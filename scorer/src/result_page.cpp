// Page 5: calculation, sheet outputs, language, provisional mark, issued
// dates and logos.
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringDecoder>

#include "core/csv_sheet.h"
#include "core/event_file.h"
#include "core/html_sheet.h"
#include "core/race_xml.h"
#include "core/ranking.h"
#include "core/rms_text.h"
#include "core/sheet_values.h"
#include "form_building.h"
#include "kivomod.h"
#include "locale/user_locale.h"
#include "qt/dialogs.h"
#include "qt/guard.h"
#include "qt/shell.h"
#include "qt/system.h"
#include "scorer_window.h"

namespace kivo {

void TForm1::BuildResultPage() {
  pnlRESULT = Place<ClickablePanel>(this, "pnlRESULT", 0, 124, 641, 393);
  pnlRESULT->SetFlat(true);
  pnlRESULT->SetColor(kWhite);

  constexpr int rowHeight = 30;
  Button12 = Place<QPushButton>(pnlRESULT, "Button12", 20, 16, 180, 40);
  Button12->setText(QStringLiteral("計算"));
  connect(Button12, &QPushButton::clicked, this, &TForm1::Button12Click);

  GroupBox1 = Place<QGroupBox>(pnlRESULT, "GroupBox1", 20, 68, 260, 134);
  GroupBox1->setTitle(QStringLiteral("出力先"));
  RadioButton1 = Place<QRadioButton>(GroupBox1, "RadioButton1", 12, 30, 240, 28);
  RadioButton1->setText(QStringLiteral("画像ソフトに出力"));
  RadioButton1->setChecked(true);
  RadioButton2 = Place<QRadioButton>(GroupBox1, "RadioButton2", 12, 64, 240, 28);
  RadioButton2->setText(QStringLiteral("WEBブラウザに出力"));
  RadioButton3 = Place<QRadioButton>(GroupBox1, "RadioButton3", 12, 98, 240, 28);
  RadioButton3->setText(QStringLiteral("文字データ出力"));
  RadioButton3->setToolTip(QStringLiteral("エクセルまたはメモ帳で表示"));

  GroupBox3 = Place<QGroupBox>(pnlRESULT, "GroupBox3", 300, 68, 160, 100);
  GroupBox3->setTitle(QStringLiteral("表示言語"));
  RadioButton6 = Place<QRadioButton>(GroupBox3, "RadioButton6", 12, 30, 140, 28);
  RadioButton6->setText(QStringLiteral("英語"));
  RadioButton6->setChecked(true);
  RadioButton7 = Place<QRadioButton>(GroupBox3, "RadioButton7", 12, 64, 140, 28);
  RadioButton7->setText(QStringLiteral("日本語"));

  CheckBox1 = Place<QCheckBox>(pnlRESULT, "CheckBox1", 480, 80, 120, 28);
  CheckBox1->setText(QStringLiteral("暫定"));

  const QString waitHint = QStringLiteral("表示に時間が掛かることがありますがそのままお待ちください");
  Button18 = Place<QPushButton>(pnlRESULT, "Button18", 20, 214, 250, 36);
  Button18->setText(QStringLiteral("スクラッチシート出力"));
  Button18->setToolTip(waitHint);
  Button18->setEnabled(false);
  connect(Button18, &QPushButton::clicked, this, &TForm1::Button18Click);
  ScratchIssuedLabel =
      PlaceLabel(pnlRESULT, "ScratchIssuedLabel", QStringLiteral("発行日"), 290, 217, 70, rowHeight);
  DateTimePicker7 = Place<QDateEdit>(pnlRESULT, "DateTimePicker7", 360, 217, 160, rowHeight);
  DateTimePicker7->setCalendarPopup(true);

  Button19 = Place<QPushButton>(pnlRESULT, "Button19", 20, 260, 250, 36);
  Button19->setText(QStringLiteral("レース結果出力"));
  Button19->setToolTip(waitHint);
  Button19->setEnabled(false);
  connect(Button19, &QPushButton::clicked, this, &TForm1::Button19Click);
  ResultIssuedLabel =
      PlaceLabel(pnlRESULT, "ResultIssuedLabel", QStringLiteral("発行日"), 290, 263, 70, rowHeight);
  DateTimePicker8 = Place<QDateEdit>(pnlRESULT, "DateTimePicker8", 360, 263, 160, rowHeight);
  DateTimePicker8->setCalendarPopup(true);

  const QString logoHint = QStringLiteral("クリックして画像選択/キャンセルで消去");
  const auto logo = [&](const char* panelName, const char* caption, int left, const char* boxName,
                        ClickablePanel*& panel, PictureBox*& box) {
    panel = Place<ClickablePanel>(pnlRESULT, panelName, left, 310, 100, 67);
    panel->SetColor(kSilver);
    panel->SetCaption(QString::fromUtf8(caption));
    box = Place<PictureBox>(panel, boxName, 0, 0, 100, 67);
    box->setToolTip(logoHint);
  };
  logo("LogoLeftPanel", "logo-left", 20, "Image2", LogoLeftPanel, Image2);
  logo("LogoMiddlePanel", "logo-mid", 270, "Image3", LogoMiddlePanel, Image3);
  logo("LogoRightPanel", "logo-right", 520, "Image4", LogoRightPanel, Image4);
  connect(Image2, &PictureBox::clicked, this, &TForm1::Image2Click);
  connect(Image3, &PictureBox::clicked, this, &TForm1::Image3Click);
  connect(Image4, &PictureBox::clicked, this, &TForm1::Image4Click);
}

namespace {

// The module's text: its messages are ASCII, but they may quote a path
// (file system bytes, UTF-8 here) or a field of a certificate record
// (CP932). Read as UTF-8 when it is valid UTF-8, else as CP932.
QString ModuleText(const char* text) {
  const QByteArray bytes(text == nullptr ? "" : text);
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString decoded = utf8.decode(bytes);
  if (!utf8.hasError()) return decoded;
  return DecodeAnsi(bytes);
}

}  // namespace

void TForm1::Button12Click() {
  platform::Guarded([this] {
    Model.ShowMissingDataBox = 1;
    CheckRaceData();
    platform::Dialogs& dialogs = platform::CurrentDialogs();
    if (Model.ReadinessState == kCannotCompute) {
      Button18->setEnabled(false);
      Button19->setEnabled(false);
      dialogs.ShowMessage(QStringLiteral("データ不足のため計算を中止します。"));
      return;
    }
    if (!MayReplaceFilesUnderSaveName()) return;
    Button18->setEnabled(false);
    Button19->setEnabled(false);

    NameRaceXml(Model);
    bool computed = true;
    if (Model.Locked == 0) {
      WriteRaceXml();
      computed = CalculateRace();
    } else if (QFileInfo(Model.RaceXmlFile).isFile()) {
      if (dialogs.Confirm(QStringLiteral("データはロックされています\n"
                                         "既に計算されたデータがあります。\n"
                                         "再計算しますか？\n"
                                         "(いいえを押すと既存のデータで出力します）"))) {
        WriteRaceXml();
        computed = CalculateRace();
      }
    }

    Button18->setEnabled(true);
    // A failed computation leaves only placeholders in the file: no result
    // sheet can come from it.
    if (!computed) {
      dialogs.ShowMessage(CalculationFailureMessage());
      return;
    }
    Button19->setEnabled(Model.ReadinessState == kResultsAndScratch);
  });
}

// The start and the finishes are read with the locale the pages wrote them
// in; on a machine left at the C locale that is not QLocale() itself.
void TForm1::WriteRaceXml() {
  kivo::WriteRaceXml(Model, platform::UserLocale());
  RememberEventFile(Model.RaceXmlFile);
}

QString TForm1::CalculationFailureMessage() const {
  return QStringLiteral("計算できませんでした。\n") + Memo1->toPlainText();
}

bool TForm1::CalculateRace() {
  const bool computed = ScoreRaceXml();
  platform::CurrentSystem().Beep();
  return computed;
}

bool TForm1::ScoreRaceXml() {
  const QByteArray path = QFile::encodeName(Model.RaceXmlFile);
  // The text belongs to the module and lasts only until its next call.
  const QString result = ModuleText(Kivo(path.constData()));
  Memo1->setPlainText(result);
  return result == QLatin1String("OK");
}

void TForm1::ReadRaceResults() { kivo::ReadRaceResults(Model); }

// ---- sheet outputs ----

void TForm1::Button18Click() {
  platform::Guarded([this] { ProduceSheet(kScratchSheet); });
}

void TForm1::Button19Click() {
  platform::Guarded([this] { ProduceSheet(kResultSheet); });
}

void TForm1::ProduceSheet(int sheetKind) {
  const QLocale locale = platform::UserLocale();
  Model.SheetKind = sheetKind;
  Model.Language = RadioButton6->isChecked() ? 1 : 0;
  if (Model.Locked == 0)
    Model.EventIssued = locale.toString(platform::CurrentSystem().Now().date(), QLocale::ShortFormat);
  Model.Provisional = CheckBox1->isChecked() ? 1 : 0;
  // The issued dates are kept even when the command stops below.
  if (sheetKind == kScratchSheet)
    Model.ScratchIssued = locale.toString(DateTimePicker7->date(), QLocale::ShortFormat);
  else
    Model.ResultIssued = locale.toString(DateTimePicker8->date(), QLocale::ShortFormat);

  ReadRaceResults();
  if (sheetKind == kResultSheet) {
    if (Model.ResultsFlags < kResultsHaveCorrected) {
      platform::CurrentDialogs().ShowMessage(
          QStringLiteral("データが不足しているか、または計算がされていません"));
      return;
    }
    RankRaceBoats();
  }

  if (RadioButton2->isChecked()) {
    CopyEventLogos(Model);
    if (sheetKind == kScratchSheet) {
      WriteScratchHtml();
      OpenSheet(Model.ScratchHtmlFile);
    } else {
      WriteResultHtml();
      OpenSheet(Model.ResultHtmlFile);
    }
  } else if (RadioButton1->isChecked()) {
    RenderSheetImage();
  } else if (RadioButton3->isChecked()) {
    WriteCsvSheet();
  }
}

void TForm1::RankRaceBoats() { kivo::RankRaceBoats(Model, platform::UserLocale()); }

void TForm1::WriteResultHtml() {
  kivo::WriteResultHtml(Model, platform::UserLocale());
  platform::CurrentSystem().Beep();
}

void TForm1::WriteScratchHtml() { kivo::WriteScratchHtml(Model, platform::UserLocale()); }

void TForm1::WriteCsvSheet() {
  const QString path = kivo::WriteCsvSheet(Model, platform::UserLocale());
  const platform::Answer answer = platform::CurrentDialogs().ConfirmYesNoCancel(
      QStringLiteral("エクセルで表示しますか？\n\n( 「いいえ」を押すとメモ帳で表示します)"));
  if (answer == platform::Answer::Yes)
    OpenSheet(path);
  else if (answer == platform::Answer::No)
    OpenSheet(path, true);
}

void TForm1::OpenSheet(const QString& path, bool inTextEditor) {
  platform::Shell& shell = platform::CurrentShell();
  const bool opened = inTextEditor ? shell.OpenInTextEditor(path) : shell.OpenDocument(path);
  if (!opened)
    platform::CurrentDialogs().ShowMessage(QStringLiteral("ファイルを開けませんでした。\n") + path);
}

}  // namespace kivo
