#pragma once
// The scorer's one window, the form TForm1 (the unit Unit1 of old): a top
// bar with five tabs and six pages (the cover and the five working pages),
// of which one is shown at a time, and the event model behind them.
//
// Every component is a public member whose name and objectName are the
// component's own (Panel19, Button12, ListBox3, ...), placed by absolute
// geometry. Each page is built by its own source file (cover_page.cpp,
// event_page.cpp, course_page.cpp, entries_page.cpp, finish_page.cpp,
// result_page.cpp); a page's handlers live in its file too and are connected
// in its Build...Page function. The services around the event (folders,
// memory file, lock, logos, help, course distance program) are in
// services.cpp.
//
// Wiring habits: a field's change handler is connected to textChanged (so
// setting its text from code runs it, as the program relies on); a list's
// "the user picked an item" handler to activated (setting the item from
// code runs nothing); a handler that may fail runs its body in
// platform::Guarded, which shows the failure in one error box.
#include <optional>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <QTimer>
#include <QWidget>

#include "core/check_race.h"
#include "core/event_file.h"
#include "core/event_model.h"
#include "core/rms_record.h"
#include "widgets.h"

namespace kivo {

class TForm1 : public QWidget {
  Q_OBJECT

 public:
  // `programFolder`: where the program lives (KIVODATA is made beside it);
  // empty for the folder of the program's own file. Runs FormCreate.
  explicit TForm1(const QString& programFolder = QString(), QWidget* parent = nullptr);
  ~TForm1() override;

  // The whole state of the event (see core/event_model.h).
  kivo::EventModel Model;

  // ---- the window itself ----
  void FormCreate();
  void ResetEventForm();
  // Shows page 0 (cover) .. 5 (results) and gives the window its size.
  void ShowPage(int page);
  // The page shown last (0 .. 5).
  int ShownPage() const { return shownPage_; }

  // ---- services around the event ----
  void LoadLastData();
  void SaveLastData();
  void ShowLockedState();
  void ShowUnlockedState();
  bool IsInternetConnected();

  // ---- used by the start, provided by the pages that own them ----
  void CheckRaceData();                    // gather and check (check_race_data.cpp)
  kivo::RacePageFields RacePages() const;  // what the event and course pages hold
  void FindNewestRmsFile();                // RmsFile := the newest rating data file (entries_page.cpp)
  void LoadRmsFile();                      // loads RmsFile into the entry page (entries_page.cpp)

  // ---- calculation and the event file (result_page.cpp, event_commands.cpp) ----
  // Writes the current race to RaceXmlFile, whole or not at all; throws a
  // failure that names the file.
  void WriteRaceXml();
  // "計算できませんでした。" with the module's text from Memo1.
  QString CalculationFailureMessage() const;
  // ScoreRaceXml, then the beep that ends a calculation.
  bool CalculateRace();
  // Calls the module on RaceXmlFile; the result text goes into Memo1. True
  // when the module answered "OK".
  bool ScoreRaceXml();
  // Reads RaceXmlFile back into the model (nothing but the flags when it
  // does not exist).
  void ReadRaceResults();
  // Writes the event file whole or not at all, copies the logos, beeps and
  // reports "データが保存されました", or `failure` instead when given;
  // throws a failure that names the file.
  void SaveEventFile(const QString& failure = QString());
  // Reads EventFile into the model.
  void ReadEventFile();
  // Fills the pages from race `race` of the model as an opening read it;
  // the course, times and legs only when `raceXmlRead`.
  void ShowRace(int race, bool raceXmlRead);

  // ---- unsaved work (event_commands.cpp) ----
  // What a save would write now: the pages gathered into a copy of the
  // model. Throws when a page holds no number where one is needed.
  kivo::EventSave EventSaveNow() const;
  // True when what a save would write now differs from what was last
  // written or read (or cannot be told).
  bool EventChanged() const;
  // Remembers what a save would write now as written or read.
  void RememberSavedEvent();

  // ---- sheet outputs (result_page.cpp) ----
  // Ranks the current race for the result sheets (core/ranking.h).
  void RankRaceBoats();
  // Write the page of the current race (ResultHtmlFile, ScratchHtmlFile);
  // the result page beeps once written.
  void WriteResultHtml();
  void WriteScratchHtml();
  // Writes the CSV sheet of SheetKind, then asks whether to show it in the
  // spreadsheet or in a text editor and opens it so.
  void WriteCsvSheet();
  // Draws, saves and opens the sheet image of SheetKind
  // (sheet_image_output.cpp); a logo that cannot be read, a failed save or a
  // viewer that does not start is reported.
  void RenderSheetImage();

  // ---- top bar ----
  kivo::ClickablePanel* Panel5;
  QLabel* Label16;
  QLabel* Label17;
  kivo::ClickablePanel* Panel1;
  kivo::ClickablePanel* Panel2;
  kivo::ClickablePanel* Panel3;
  kivo::ClickablePanel* Panel4;
  kivo::ClickablePanel* Panel6;
  QPushButton* Button9;
  QPushButton* Button10;
  QPushButton* Button21;
  kivo::ClickablePanel* Panel19;
  kivo::ClickablePanel* Panel20;

  // ---- pages ----
  kivo::ClickablePanel* pnlCOVER;
  kivo::ClickablePanel* pnlEVENT;
  kivo::ClickablePanel* pnlCOURSE;
  kivo::ClickablePanel* pnlENTRY;
  kivo::ClickablePanel* pnlFINISH;
  kivo::ClickablePanel* pnlRESULT;

  // ---- cover (page 0) ----
  kivo::PictureBox* Image1;
  QLabel* VersionLabel;
  QPushButton* Button14;

  // ---- event (page 1) ----
  QLabel* EventNameLabel;
  QLineEdit* Edit2;  // event name
  QLabel* RaceNameLabel;
  QLineEdit* Edit4;  // race name
  QLabel* ClassNameLabel;
  QLineEdit* Edit6;  // class name
  QLabel* ChairmanLabel;
  QLineEdit* Edit7;  // race committee chairman
  QLabel* SaveNameLabel;
  QLineEdit* Edit3;  // save name

  // ---- race and course (page 2) ----
  kivo::ClickablePanel* Panel15;  // race name
  QLabel* CourseTypeLabel;
  QComboBox* ComboBox1;  // course type
  QLabel* CourseDistanceLabel;
  QLineEdit* Edit1;       // course distance, NM
  QPushButton* Button13;  // starts the course distance program
  QLabel* Label22;
  QLineEdit* Memo12;  // number of legs
  QLabel* StartLabel;
  QDateEdit* DateTimePicker1;  // start date
  QTimeEdit* DateTimePicker2;  // start time
  QLabel* LimitLabel;
  QDateEdit* DateTimePicker3;  // time-limit date
  QTimeEdit* DateTimePicker4;  // time-limit time
  QLabel* JuryLabel;
  QLineEdit* Edit5;               // race committee member
  kivo::StringGrid* StringGrid1;  // legs

  // ---- entries (page 3) ----
  QLabel* Label25;
  QLineEdit* Memo3;  // rating data file name
  QPushButton* Button3;
  QLabel* Label21;        // rating data file date
  QListWidget* ListBox1;  // boats of the rating data file
  QLabel* Label20;
  QLineEdit* Memo2;              // number of boats
  kivo::ClickablePanel* Panel9;  // the rating authority's web page
  kivo::ClickablePanel* Panel7;  // add
  kivo::ClickablePanel* Panel8;  // remove
  QLabel* Label33;
  QLabel* Label7;
  QLineEdit* Memo5;       // number of entries
  QListWidget* ListBox2;  // entries
  QLabel* Label6;
  QPlainTextEdit* Memo4;  // boat summary
  QPushButton* Button17;
  kivo::ClickablePanel* pnlDETAILS;
  kivo::ClickablePanel* Panel21;  // title of the details
  kivo::ClickablePanel* Panel22;  // "X"
  QListWidget* ListBox7;          // details

  // ---- finishes (page 4) ----
  QLabel* Label10;
  QListWidget* ListBox3;  // racing
  QLabel* Label15;
  QLabel* Label35;
  QListWidget* ListBox4;          // finished
  kivo::ClickablePanel* Panel11;  // undo a finish
  QPlainTextEdit* Memo11;         // status code legend
  kivo::ClickablePanel* Panel10;  // finish entry panel
  kivo::ClickablePanel* Panel12;  // boat being entered
  QLineEdit* Memo8;               // corrected clock
  QLineEdit* Memo13;              // clock correction, seconds
  kivo::UpDown* UpDown2;
  QPushButton* Button6;  // NOW
  QLabel* Label8;
  QDateEdit* datetimepicker5;         // finish date
  kivo::TimePicker* DateTimePicker6;  // finish time
  QLabel* Label9;
  QLineEdit* Memo6;  // elapsed h:mm:ss
  QLineEdit* Memo7;  // elapsed seconds
  QLabel* Label14;
  QLabel* Label12;
  QComboBox* ComboBox2;           // status code
  kivo::ClickablePanel* Panel14;  // "?" legend
  QCheckBox* CheckBox2;           // penalty
  QComboBox* ComboBox3;           // penalty percent
  QLabel* Label34;
  QPushButton* Button4;  // decide
  QPushButton* Button5;  // cancel
  QLabel* Label13;
  QLineEdit* Memo10;  // remarks
  QTimer* Timer1;

  // ---- results (page 5) ----
  QPushButton* Button12;  // calculate
  QGroupBox* GroupBox1;
  QRadioButton* RadioButton1;
  QRadioButton* RadioButton2;
  QRadioButton* RadioButton3;
  QGroupBox* GroupBox3;
  QRadioButton* RadioButton6;
  QRadioButton* RadioButton7;
  QCheckBox* CheckBox1;   // provisional
  QPushButton* Button18;  // scratch sheet
  QLabel* ScratchIssuedLabel;
  QDateEdit* DateTimePicker7;  // scratch sheet issued
  QPushButton* Button19;       // result sheet
  QLabel* ResultIssuedLabel;
  QDateEdit* DateTimePicker8;  // result sheet issued
  kivo::ClickablePanel* LogoLeftPanel;
  kivo::PictureBox* Image2;
  kivo::ClickablePanel* LogoMiddlePanel;
  kivo::PictureBox* Image3;
  kivo::ClickablePanel* LogoRightPanel;
  kivo::PictureBox* Image4;

  // The module's last result text; never shown.
  QPlainTextEdit* Memo1;

 public slots:
  void FormResize();
  // The close of the window; false when it stays open (a save the user
  // asked for could not be made).
  bool FormClose();
  void Button12Click();  // calculate
  void Button9Click();   // new event
  void Button10Click();  // open an event file
  void Button21Click();  // save the event
  void Edit2Change();
  void Edit3Change();
  void Edit4Change();
  void Panel1Click();
  void Panel2Click();
  void Panel3Click();
  void Panel4Click();
  void Panel6Click();
  void Button14Click();
  void Panel19Click();
  void Image2Click();
  void Image3Click();
  void Image4Click();
  void Panel20Click();
  void Panel22Click();
  void Button13Click();
  void Button18Click();  // scratch sheet
  void Button19Click();  // result sheet

  // ---- entries and course pages (entries_page.cpp, course_page.cpp) ----
 public:
  // The identity fields of the certificate record cut last.
  kivo::CurrentRecord CurrentRecord;
  // CurrentRecord := the fields of `record` (a rating data line as read).
  void ParseRmsLine(QByteArrayView record);
  // Memo4 := the summary of CurrentRecord.
  void ShowBoatSummary();
  // ListBox7 := the header names of `line`, or its values against the
  // names; the details title := CurrentRecord's boat name.
  void ShowBoatDetails(QByteArrayView line);
  // Rebuilds the finish page's lists (finish_page.cpp).
  void RefreshFinishLists();
 public slots:
  void Button3Click();
  void Button17Click();
  void ListBox1Click();
  void ListBox2Click();
  void Panel7Click();
  void Panel8Click();
  void Panel9Click();
  void ComboBox1Change();
  void StringGrid1SetEditText(int column, int row, const QString& text);

 private:
  // The leg grid enabled and white, and the leg count shown (with the count
  // of the grid's legs when `countLegs`), for a constructed course; greyed
  // and hidden for any other course type.
  void ShowLegGridForCourseType(bool countLegs);
  // The leg grid's distances (rows 1 .. 14): their total and how many are
  // above 0.
  struct LegSum {
    float total = 0;
    int legs = 0;
  };
  LegSum SumLegDistances() const;
  // ---- end of the entries and course pages ----

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildTopBar();
  void BuildCoverPage();
  void BuildEventPage();
  void BuildCoursePage();
  void BuildEntriesPage();
  void BuildFinishPage();
  void BuildResultPage();
  void PlacePages();
  void ChooseLogo(kivo::PictureBox* box, QString& logoName);
  // Copies the picked logo picture `chosen` into the logo folder as `name`,
  // where every later use looks it up, asking before it replaces a
  // different picture of that name. False when the user declines (the pick
  // is then dropped); a failed copy throws.
  bool TakeLogoIntoFolder(const QString& chosen, const QString& name);
  // One output command: settings and issued dates, the race read back,
  // for the result sheet the results test and the ranking, then the sheet
  // in the chosen target.
  void ProduceSheet(int sheetKind);
  // Opens a written sheet; a failure is shown with its path.
  void OpenSheet(const QString& path, bool inTextEditor = false);
  void ShowGuardedPage(int page);

  int shownPage_ = -1;
  bool resizing_ = false;

  // The event file commands and the save name field.
  void ConnectEventCommands();
  // The names typed on the event and course pages go into the CP932 event
  // file and sheets: a character without a CP932 form is refused where it
  // is typed, with a message naming the field and the character, instead of
  // being saved as "?".
  void KeepTypedNamesSavable();
  void RemoveUnsavableCharacters(QLineEdit* field, const QString& fieldName);
  bool editingSaveName_ = false;
  // The save-name field set by the program, with one message at most.
  void ShowSaveName(const QString& name);
  // The save name, or its message; false without one.
  bool HasSaveName();
  // Writes the race XML (scored again when its results can be computed)
  // and the event file from the model as the last CheckRaceData left it;
  // throws a failure that names the file.
  void WriteEvent();
  // When the save name would replace another event's files, asks before
  // anything is written; false when the user says No (nothing changes).
  bool MayReplaceFilesUnderSaveName();
  // The files of the event on screen: opened, or written by this window
  // since the last reset. Files under another name are another event's.
  QStringList eventFiles_;
  void RememberEventFile(const QString& path);
  // Asks "データを保存しますか？" when the event changed, and saves it on
  // Yes. False when that save could not be made (its one message shown):
  // the event stays as it is and the caller goes no further.
  bool SaveChangedEvent();
  // What a save would write, as last written or read (none at all when it
  // could not be told).
  std::optional<kivo::EventSave> savedEvent_;

  // ---- finish page and the gather-and-check (finish_page.cpp, check_race_data.cpp) ----
 public:
  // The entry that a line of the racing or finished list shows, 0 for none.
  int FindEntryByName(const QListWidgetItem* line) const;
  // Elapsed time of the finish being entered; presets "OK" or "DNF".
  void UpdateFinishElapsed();
 public slots:
  void ListBox3Click();
  void ListBox4Click();
  void Button4Click();
  void Button5Click();
  void Button6Click();
  void Timer1Timer();
  void UpDown2Click();
  void datetimepicker5Change();
  void DateTimePicker6Change();
  void Panel11Click();
  void Panel14Click();
  void Panel14MouseMove();
  void Panel10MouseMove();

 private:
  void TickCorrectedClock();
  QDateTime ReadRaceDateTime(const QString& text) const;
  void FollowEntryBeingFinished();
  void CloseFinishEntry();
  void ShowStatusLegend();
  // The boat whose finish the entry panel shows (0 while closed), and its
  // record, by which the panel follows it when entries move.
  int entryBeingFinished_ = 0;
  QByteArray recordBeingFinished_;
  // ---- end of the finish page and the gather-and-check ----
};

}  // namespace kivo
