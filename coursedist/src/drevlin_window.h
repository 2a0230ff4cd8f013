#pragma once
// drevlin's one window, the form TForm1 (the unit drevcore of old): on the
// left the area of the map, on the right the control panel with the course
// type and mile unit switches, the offshore point list and, in a panel of its
// own, the inshore course calculator; a help panel can cover the whole window.
//
// Every component is a public member whose name and objectName are the
// component's own (Panel1, RadioButton2, Memo10, ...), placed by absolute
// geometry. drevlin_window.cpp builds the frame, the offshore panel and the
// help and holds the course modes, the layout and the key chord;
// inshore_panel.cpp builds the inshore calculator and holds its handlers;
// offshore_panel.cpp writes and shows the map page and takes the clicked
// points into the point list.
//
// Wiring habits: a radio button's handler is connected to toggled (so
// checking it from code runs it, as the start-up relies on); a handler that
// may fail runs its body in platform::Guarded, which shows the failure in one
// error box titled "drevlin".
#include <memory>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QString>
#include <QWidget>

#include "core/inshore_course.h"
#include "core/offshore_list.h"
#include "core/page_folder.h"
#include "map_view.h"
#include "qt/panel.h"

namespace drevlin {

class TForm1 : public QWidget {
  Q_OBJECT

 public:
  // Builds the components and runs FormCreate; the window is shown by the
  // caller (maximized, in Offshore mode).
  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  // ---- the window's state ----
  int CourseMode = 0;       // 1 Offshore, 2 Inshore; set by ApplyLayout only
  int MileUnit = 1;         // 1: a mile is 1852 m (ellipsoid); 0: a minute of arc (sphere)
  int HelpShown = 0;        // 1 while the help covers the window
  bool DebugShown = false;  // the test controls Button5 and Edit7 are shown

  // The map page's file, in a folder of this process alone that goes with
  // the window; empty when it could not be written.
  QString PagePath;
  std::unique_ptr<drevlin::MapPageFolder> PageFolder;

  // ---- the offshore point store (filled by the point capture) ----
  drevlin::OffshoreCourse Course;
  float MagVar = 0;  // degrees, west positive
  float AvgTwd = 0;
  // A capture reads the page and may show a message; signals that come
  // meanwhile are not acted upon.
  bool CaptureRunning = false;

  // ---- the inshore calculator ----
  int InputFormat = 1;  // 1 degrees, 2 degrees and minutes, 3 with seconds
  drevlin::InshoreMarks Marks;

  void FormCreate();
  // Lays the window out for the checked course mode and for HelpShown.
  void ApplyLayout();
  void AllocatePointArrays();
  // No points, no totals and no last position; the start state of the list.
  void ClearPointList();
  void ClearInshoreFields();
  // Makes the private folder for the map page, after removing those that
  // ended runs left behind; its path ends with "/".
  QString GetTempFolder();
  void WriteMapPage();

  // ---- handlers ----
  void RadioButton1Click();  // Offshore
  void RadioButton2Click();  // Inshore
  void FormResize();
  void RadioButton6Click();  // 1Mi = 1852m
  void RadioButton7Click();  // 1Mi = 1' (Minute)
  void Label14Click();       // "?"
  void Panel7Click();        // "X" of the help
  void ScrollBar1Scroll();
  // A key pressed in the window: Ctrl+Alt+Shift with another key shows or
  // hides the test controls.
  void FormKeyDown(int key);
  // The page had a click or a load: read its position and take a new point.
  void WebBrowser1CommandStateChange();
  // Takes the position read from the page into the point list.
  void CapturePoint(const drevlin::PagePosition& position);
  // Leaves on the map the markers of the listed points and no others.
  void MarkListedPoints();
  void Button1Click();  // Clear　All
  void Button2Click();  // 再計算
  void Button3Click();  // CALC
  void Button4Click();  // Clear All
  void Button5Click();  // test fill
  // Enter moves the focus to the next mark field.
  void Edit1KeyDown(int key);
  void Edit2KeyDown(int key);
  void Edit3KeyDown(int key);
  void Edit4KeyDown(int key);
  void Edit5KeyDown(int key);

  // ---- the map area ----
  drevlin::MapView* WebBrowser1;

  // ---- the control panel ----
  platform::Panel* Panel1;
  platform::Panel* Panel3;  // course type bar
  QLabel* Label8;
  QRadioButton* RadioButton1;
  QRadioButton* RadioButton2;
  platform::Panel* Label14;  // "?", a label that is clicked
  platform::Panel* Panel4;   // mile unit bar
  QLabel* Label29;
  QRadioButton* RadioButton6;
  QRadioButton* RadioButton7;
  QLabel* Label1;
  QLineEdit* Memo1;  // latitude of the last point
  QLabel* Label2;
  QLineEdit* Memo2;  // longitude of the last point
  QLabel* Label4;
  QLineEdit* Memo4;  // number of points
  QLabel* Label6;
  QLineEdit* Memo5;  // magnetic variation, editable
  QLabel* Label7;
  QLineEdit* Memo6;      // average true wind direction, editable
  QPushButton* Button2;  // 再計算
  QLabel* Label5;        // column header of the point list
  QLabel* Label28;       // "( Km )"
  QListWidget* ListBox1;
  QPushButton* Button1;  // Clear　All
  QLabel* Label3;
  QLineEdit* Memo3;  // total miles
  QLabel* Label27;
  QLineEdit* Memo18;  // total kilometres

  // ---- the inshore calculator (inshore_panel.cpp) ----
  platform::Panel* Panel2;
  QGroupBox* GroupBox1;
  QRadioButton* RadioButton3;  // Deg
  QRadioButton* RadioButton4;  // DD:MM.MMMM
  QRadioButton* RadioButton5;  // DD:MM:SS.SSSS
  QLabel* Label12;             // "LAT"
  QLabel* Label13;             // "LON"
  QLabel* Label9;              // "LEE mk"
  QLineEdit* Edit1;
  QLineEdit* Edit2;
  QLabel* Label10;  // "WEATHER mk"
  QLineEdit* Edit3;
  QLineEdit* Edit4;
  QLabel* Label11;  // "SIDE mk"
  QLineEdit* Edit5;
  QLineEdit* Edit6;
  QPushButton* Button3;  // CALC
  QPushButton* Button4;  // Clear All
  QLabel* Label19;       // "Dist"
  QLabel* Label20;       // "CO m"
  QLabel* Label15;       // "L→W"
  QLineEdit* Memo10;
  QLineEdit* Memo11;
  QLabel* Label16;  // "W→L"
  QLineEdit* Memo12;
  QLineEdit* Memo13;
  QLabel* Label17;  // "W→S"
  QLineEdit* Memo14;
  QLineEdit* Memo15;
  QLabel* Label18;  // "S→L"
  QLineEdit* Memo16;
  QLineEdit* Memo17;
  QLabel* Label21;  // "Total Distance"
  QLabel* Label22;  // "Olympic"
  QLineEdit* Memo7;
  QLabel* Label23;  // "L-W-L-W-L"
  QLineEdit* Memo8;
  QLabel* Label24;  // "L-W-L-W-L-W"
  QLineEdit* Memo9;
  QLabel* Label30;       // "MagVar."
  QLineEdit* Memo19;     // the variation of the magnetic courses, editable
  QPushButton* Button5;  // test fill, hidden
  QLineEdit* Edit7;      // ellipsoid distance L→W in metres, hidden

  // ---- the help ----
  platform::Panel* Panel5;
  QLabel* Image1;
  QScrollBar* ScrollBar1;
  platform::Panel* Panel6;  // title bar
  platform::Panel* Panel7;  // "X"

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControlPanel();
  void BuildInshorePanel();
  void BuildHelpPanel();
  // The point list's header over the rows' columns.
  void PlacePointListHeader();
  // Start-up: the page written into its folder and shown in the map area.
  void ShowMapPage();

  // Panel1 on the right at its width, the map area in the rest.
  void AlignPanels();
  // The help over the whole client area; `fromTop` shows the image's top.
  void PlaceHelp(bool fromTop);
  // The inshore window: a fixed size, the client as wide as the inshore
  // panel and the window 600 high, centred on the screen.
  void LayOutInshoreWindow();
  // Gives the window (frame included) this size, in the normal state.
  void SetWindowSize(int width, int height);
  void ShowDebugControls();

  void CalculateInshoreCourse();

  // The inshore window's size is set (until Offshore is checked again).
  bool inshoreSizeFixed_ = false;
  void FocusNextOnEnter(int key, QLineEdit* next);
};

}  // namespace drevlin
