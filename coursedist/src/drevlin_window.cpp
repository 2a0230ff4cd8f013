#include "drevlin_window.h"

#include <algorithm>

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPixmap>
#include <QResizeEvent>
#include <QScreen>
#include <QStyle>
#include <QWindow>

#include "core/number_text.h"
#include "form_parts.h"
#include "locale/user_locale.h"
#include "qt/dialogs.h"
#include "qt/jpeg.h"
#include "qt/system.h"

// The help picture lives in the window's library; its resources are linked
// in only when asked for by name (from outside any namespace, as the macro
// declares the initialiser where it stands).
static void InitHelpResources() { Q_INIT_RESOURCE(drevlin); }

namespace drevlin {
namespace {

constexpr int kControlPanelWidth = 409;
constexpr int kInshoreWindowHeight = 600;
constexpr int kHelpTitleHeight = 30;
constexpr int kScrollBarWidth = 17;
constexpr char kHelpImage[] = ":/drevlin/drevlin_help.jpg";

bool IsModifierKey(int key) {
  switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
      return true;
    default:
      return false;
  }
}

}  // namespace

TForm1::TForm1(QWidget* parent) : QWidget(parent) {
  InstallFontSubstitutions();
  // No application title is set, so the boxes carry the program's name.
  platform::SetMessageTitle(QStringLiteral("drevlin"));
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Drevlin"));
  setFont(WindowFont());
  move(642, 140);
  resize(1305, 686);

  WebBrowser1 = Place<MapView>(this, "WebBrowser1", 0, 0, 0, 0);
  connect(WebBrowser1, &MapView::pageActivity, this, &TForm1::WebBrowser1CommandStateChange);
  BuildControlPanel();
  BuildHelpPanel();

  // The key chord must be seen whichever control has the keys (the map will
  // take them), so the whole application's key presses pass by the window.
  qApp->installEventFilter(this);
  FormCreate();
}

TForm1::~TForm1() { qApp->removeEventFilter(this); }

void TForm1::BuildControlPanel() {
  Panel1 = Place<platform::Panel>(this, "Panel1", 0, 0, kControlPanelWidth, height());
  Panel1->SetColor(kButtonShadow);

  // The two bars at the top: a blue title and a pair of radio buttons.
  const auto bar = [this](const char* name, int top, const char* titleName, const QString& title,
                          QLabel*& titleLabel) {
    auto* panel = Place<platform::Panel>(Panel1, name, 24, top, 361, 33);
    panel->SetColor(kButtonFace);
    titleLabel = PlaceLabel(panel, titleName, title, 10, 9, kBlue, true);
    return panel;
  };
  Panel3 = bar("Panel3", 8, "Label8", QStringLiteral("Course Type"), Label8);
  RadioButton1 =
      PlaceCaptioned<QRadioButton>(Panel3, "RadioButton1", QStringLiteral("Offshore"), 112, 7, 90, 20);
  RadioButton2 =
      PlaceCaptioned<QRadioButton>(Panel3, "RadioButton2", QStringLiteral("Inshore"), 208, 7, 90, 20);
  Label14 = Place<platform::Panel>(Panel3, "Label14", 326, 1, 28, 30);
  Label14->SetFlat(true);
  Label14->setAutoFillBackground(false);
  Label14->setText(QStringLiteral("?"));
  Label14->SetFontColor(kBlue);
  Label14->setFont(WindowFont(24, true));
  Label14->setCursor(Qt::PointingHandCursor);

  Panel4 = bar("Panel4", 46, "Label29", QStringLiteral("Unit of NMI"), Label29);
  RadioButton6 =
      PlaceCaptioned<QRadioButton>(Panel4, "RadioButton6", QStringLiteral("1Mi = 1852m"), 112, 7, 100, 20);
  RadioButton7 = PlaceCaptioned<QRadioButton>(Panel4, "RadioButton7", QStringLiteral("1Mi = 1' (Minute)"),
                                              220, 7, 130, 20);

  Label1 = PlaceLabel(Panel1, "Label1", QStringLiteral("LAT"), 17, 123, kWhite);
  Memo1 = PlaceMemo(Panel1, "Memo1", 55, 119, 74, 17);
  Label2 = PlaceLabel(Panel1, "Label2", QStringLiteral("LON"), 146, 122, kWhite);
  Memo2 = PlaceMemo(Panel1, "Memo2", 176, 118, 74, 17);
  Label4 = PlaceLabel(Panel1, "Label4", QStringLiteral("N Points"), 292, 122, kWhite);
  Memo4 = PlaceMemo(Panel1, "Memo4", 344, 120, 41, 17);

  Label6 = PlaceLabel(Panel1, "Label6", QStringLiteral("MagVar."), 20, 171, kWhite);
  Memo5 = PlaceMemo(Panel1, "Memo5", 72, 168, 49, 19, true);
  Label7 = PlaceLabel(Panel1, "Label7", QStringLiteral("Avg TWD"), 144, 170, kWhite);
  Memo6 = PlaceMemo(Panel1, "Memo6", 200, 168, 49, 17, true);
  Button2 = PlaceCaptioned<QPushButton>(Panel1, "Button2", QStringLiteral("再計算"), 328, 168, 57, 17);

  Label5 = PlaceLabel(Panel1, "Label5", QString::fromLatin1(kPointListHeader), 25, 220, kWhite);
  Label28 = PlaceLabel(Panel1, "Label28", QString::fromLatin1(kKmColumnHeader), 319, 220, kWhite);
  Label28->hide();
  ListBox1 = Place<QListWidget>(Panel1, "ListBox1", 16, 240, 375, 145);
  ListBox1->setFont(FixedPitchFont(12));
  PlacePointListHeader();
  Button1 = PlaceCaptioned<QPushButton>(Panel1, "Button1", QStringLiteral("Clear\u3000All"), 16, 392, 89, 25);

  const QFont totalFont = WindowFont(15);
  Label3 = PlaceLabel(Panel1, "Label3", QStringLiteral("TOTAL Mi"), 233, 398, kWhite);
  Memo3 = PlaceMemo(Panel1, "Memo3", 296, 393, 94, 21);
  SetMemoColors(Memo3, kBlue, kWhite);
  Memo3->setFont(totalFont);
  Label27 = PlaceLabel(Panel1, "Label27", QStringLiteral("TOTAL Km"), 233, 427, kWhite);
  Memo18 = PlaceMemo(Panel1, "Memo18", 296, 425, 94, 21);
  SetMemoColors(Memo18, kGreen, kWhite);
  Memo18->setFont(totalFont);

  BuildInshorePanel();

  connect(RadioButton1, &QRadioButton::toggled, this, [this](bool on) {
    if (on) RadioButton1Click();
  });
  connect(RadioButton2, &QRadioButton::toggled, this, [this](bool on) {
    if (on) RadioButton2Click();
  });
  connect(RadioButton6, &QRadioButton::toggled, this, [this](bool on) {
    if (on) RadioButton6Click();
  });
  connect(RadioButton7, &QRadioButton::toggled, this, [this](bool on) {
    if (on) RadioButton7Click();
  });
  connect(Label14, &platform::Panel::clicked, this, &TForm1::Label14Click);
  connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
}

void TForm1::PlacePointListHeader() {
  // In the rows' font, from where the rows' text starts: the list's frame and
  // the margin that the style keeps before an item's text.
  for (QLabel* label : {Label5, Label28}) {
    label->setFont(ListBox1->font());
    label->adjustSize();
  }
  const int textMargin = ListBox1->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, ListBox1) + 1;
  const int left = ListBox1->x() + ListBox1->frameWidth() + textMargin;
  const QFontMetrics metrics(ListBox1->font());
  Label5->move(left, Label5->y());
  Label28->move(left + metrics.horizontalAdvance(QString(kKmHeaderColumn, QLatin1Char('0'))), Label28->y());
}

void TForm1::BuildHelpPanel() {
  Panel5 = Place<platform::Panel>(this, "Panel5", 0, 0, width(), height());
  Panel5->SetFlat(true);
  Panel5->SetColor(kWhite);
  Panel5->hide();

  Image1 = Place<QLabel>(Panel5, "Image1", 0, kHelpTitleHeight, 1024, 1534);
  InitHelpResources();
  QString error;
  const QImage help = platform::DecodeJpegFile(QString::fromLatin1(kHelpImage), &error);
  if (!help.isNull()) {
    Image1->setPixmap(QPixmap::fromImage(help));
    Image1->resize(help.size());
  }

  ScrollBar1 = Place<QScrollBar>(Panel5, "ScrollBar1", 0, 0, kScrollBarWidth, 0);
  ScrollBar1->setOrientation(Qt::Vertical);
  ScrollBar1->setSingleStep(20);

  Panel6 = Place<platform::Panel>(Panel5, "Panel6", 0, 0, Image1->width(), kHelpTitleHeight);
  Panel6->SetColor(kBlue);
  Panel6->SetFontColor(kWhite);
  Panel6->setFont(WindowFont(16, true));
  Panel6->setText(QStringLiteral("Drevlin Help"));
  Panel7 = Place<platform::Panel>(Panel6, "Panel7", Panel6->width() - 35, 4, 22, 22);
  Panel7->SetColor(kRed);
  Panel7->SetFontColor(kWhite);
  Panel7->setFont(WindowFont(15, true));
  Panel7->setText(QStringLiteral("X"));
  Panel7->setCursor(Qt::PointingHandCursor);

  connect(ScrollBar1, &QScrollBar::valueChanged, this, &TForm1::ScrollBar1Scroll);
  connect(Panel7, &platform::Panel::clicked, this, &TForm1::Panel7Click);
}

void TForm1::FormCreate() {
  DebugShown = false;
  ShowDebugControls();
  RadioButton1->setChecked(true);
  RadioButton6->setChecked(true);
  MileUnit = 1;
  AllocatePointArrays();
  // In the user locale's form, so that the first leg can read it back.
  Memo5->setText(GeneralText(7.2, platform::UserLocale()));
  Memo6->setText(QStringLiteral("180"));
  ClearInshoreFields();
  ClearPointList();
  HelpShown = 0;
  AlignPanels();
  ShowMapPage();
}

void TForm1::AllocatePointArrays() { drevlin::AllocatePointArrays(Course); }

// ---- layout ----

void TForm1::AlignPanels() {
  const int mapWidth = std::max(0, width() - kControlPanelWidth);
  Panel1->setGeometry(mapWidth, 0, kControlPanelWidth, height());
  WebBrowser1->setGeometry(0, 0, mapWidth, height());
  Panel2->setGeometry(0, 90, Panel2->width(), Panel1->height() - 70);
}

void TForm1::SetWindowSize(int width, int height) {
  setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized));
  const QRect frame = frameGeometry();
  const QRect client = geometry();
  resize(width - (frame.width() - client.width()), height - (frame.height() - client.height()));
}

void TForm1::RadioButton1Click() {
  Panel2->hide();
  inshoreSizeFixed_ = false;
  setMinimumSize(0, 0);
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  SetWindowSize(1200, 600);
  setWindowState(windowState() | Qt::WindowMaximized);
}

void TForm1::RadioButton2Click() { ApplyLayout(); }

void TForm1::FormResize() {
  // Only what follows the client area: a layout here would change the
  // window's size again and make the window manager and the program chase
  // each other; the inshore window has a fixed size instead.
  AlignPanels();
  if (HelpShown > 0) PlaceHelp(false);
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FormResize();
}

void TForm1::ApplyLayout() {
  if (RadioButton1->isChecked()) CourseMode = 1;
  if (RadioButton2->isChecked()) CourseMode = 2;
  if (HelpShown <= 0) {
    Panel5->hide();
    if (RadioButton2->isChecked() && CourseMode == 2) {
      LayOutInshoreWindow();
      platform::CurrentSystem().Beep();
      return;
    }
    Panel2->hide();
    return;
  }
  PlaceHelp(true);
}

void TForm1::LayOutInshoreWindow() {
  setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized));
  const QRect frame = frameGeometry();
  const QRect client = geometry();
  const int frameWidth = frame.width() - client.width();
  const int frameHeight = frame.height() - client.height();
  // Its size is fixed once, on the way in. Laid out again (after the help)
  // it keeps that size: the window system reports the frame of a window
  // leaving the maximized state only some time later, so a second
  // measurement would give another height.
  if (!inshoreSizeFixed_) {
    setFixedSize(Panel2->width(), kInshoreWindowHeight - frameHeight);
    inshoreSizeFixed_ = true;
  }
  Panel2->show();
  const QRect screenArea = screen()->geometry();
  move(screenArea.x() + (screenArea.width() - (Panel2->width() + frameWidth)) / 2,
       screenArea.y() + (screenArea.height() - kInshoreWindowHeight) / 2);
}

// ---- help ----

void TForm1::PlaceHelp(bool fromTop) {
  Panel5->setGeometry(0, 0, width(), height());
  // The help is wider than the inshore window: it then starts at the left
  // edge and its title bar ends inside the window, so "X" stays in reach.
  const int left = std::max(0, (Panel5->width() - Image1->width() - kScrollBarWidth) / 2);
  const int titleWidth = std::min(Image1->width(), Panel5->width() - kScrollBarWidth - left);
  Panel6->setGeometry(left, 0, std::max(0, titleWidth), kHelpTitleHeight);
  Image1->move(left, Image1->y());
  Panel7->move(std::max(0, Panel6->width() - 35), Panel7->y());
  ScrollBar1->setGeometry(Panel5->width() - kScrollBarWidth, 0, kScrollBarWidth, Panel5->height());
  // A window taller than the help has nothing to scroll.
  ScrollBar1->setRange(0, std::max(0, Image1->height() + kHelpTitleHeight - Panel5->height()));
  ScrollBar1->setPageStep(std::max(1, Panel5->height() - kHelpTitleHeight));
  if (fromTop) ScrollBar1->setValue(0);
  ScrollBar1Scroll();
  Panel5->show();
  Panel5->raise();
}

void TForm1::Label14Click() {
  HelpShown = 1;
  ApplyLayout();
}

void TForm1::Panel7Click() {
  HelpShown = 0;
  ApplyLayout();
}

void TForm1::ScrollBar1Scroll() { Image1->move(Image1->x(), kHelpTitleHeight - ScrollBar1->value()); }

// ---- mile unit ----

void TForm1::RadioButton6Click() {
  MileUnit = RadioButton6->isChecked() ? 1 : 0;
  Memo18->setVisible(MileUnit == 1);
  Label27->setVisible(MileUnit == 1);
  Label28->setVisible(MileUnit == 1);
}

void TForm1::RadioButton7Click() { RadioButton6Click(); }

// ---- hidden test controls ----

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    // The window receives each key press once, before the control that has
    // the keys; the control's own copies come by here as well.
    if (watched == windowHandle()) FormKeyDown(key);
    if (watched == Edit1) Edit1KeyDown(key);
    if (watched == Edit2) Edit2KeyDown(key);
    if (watched == Edit3) Edit3KeyDown(key);
    if (watched == Edit4) Edit4KeyDown(key);
    if (watched == Edit5) Edit5KeyDown(key);
  }
  return QWidget::eventFilter(watched, event);
}

void TForm1::FormKeyDown(int key) {
  if (IsModifierKey(key)) return;
  const Qt::KeyboardModifiers held = QGuiApplication::queryKeyboardModifiers();
  if (!held.testFlag(Qt::ControlModifier) || !held.testFlag(Qt::AltModifier) ||
      !held.testFlag(Qt::ShiftModifier))
    return;
  DebugShown = !DebugShown;
  ShowDebugControls();
}

void TForm1::ShowDebugControls() {
  Button5->setVisible(DebugShown);
  Edit7->setVisible(DebugShown);
}

}  // namespace drevlin
