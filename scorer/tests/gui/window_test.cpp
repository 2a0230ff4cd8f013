// The start beside an empty folder, the pages and their sizes, the guarded
// tabs, and the window's components.
#include <algorithm>
#include <array>
#include <functional>

#include <QAbstractButton>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLocale>
#include <QRadioButton>
#include <QTest>

#include "core/event_model.h"
#include "form_building.h"
#include "form_fixture.h"
#include "locale/user_locale.h"

namespace kivo::testing {
namespace {

const QString kGuardMessage = QStringLiteral(
    "コース距離、スタート日時、タイムリミット、エントリー艇の選択\n"
    "などの必要項目を記入してからこのページを開いてください");

class WindowTest : public FormFixture {};

TEST_F(WindowTest, StartBesideAnEmptyFolderMakesTheTreeAndShowsTheCover) {
  TForm1& form = StartForm();

  for (const char* folder : {"KIVODATA", "KIVODATA/RMS", "KIVODATA/RACEDATA", "KIVODATA/XML", "KIVODATA/LOGO",
                             "KIVODATA/MSC", "KIVODATA/OUTPUTDATA", "KIVODATA/OUTPUTDATA/HTML",
                             "KIVODATA/OUTPUTDATA/PICTURES", "KIVODATA/OUTPUTDATA/CSV"})
    EXPECT_TRUE(QFileInfo(PathOf(QString::fromLatin1(folder))).isDir()) << folder;
  EXPECT_FALSE(QFileInfo::exists(PathOf(QStringLiteral("KIVODATA/help"))));
  EXPECT_EQ(form.Model.HelpFile, PathOf(QStringLiteral("KIVODATA/help/kivohelp.html")));
  EXPECT_EQ(form.Model.LastDataFile, PathOf(QStringLiteral("KIVODATA/MSC/lastdata.txt")));

  EXPECT_EQ(form.ShownPage(), 0);
  EXPECT_EQ(form.size(), QSize(472, 523));
  EXPECT_TRUE(form.pnlCOVER->isVisible());
  EXPECT_EQ(form.pnlCOVER->geometry(), QRect(0, 0, 464, 481));
  EXPECT_EQ(form.Image1->pos(), QPoint(0, 0));
  EXPECT_FALSE(form.Image1->IsEmpty());
  EXPECT_TRUE(form.VersionLabel->text().contains(QStringLiteral("17.01")));
  EXPECT_EQ(form.windowTitle(), QStringLiteral("MORSUND KIVO SCORER 2017"));
  EXPECT_FALSE(form.Button13->isVisibleTo(&form));
  EXPECT_TRUE(form.Timer1->isActive());
  EXPECT_EQ(form.Timer1->interval(), 100);
  EXPECT_EQ(form.Model.RaceCount, 1);
  EXPECT_EQ(form.Model.CurrentRace, 1);
  EXPECT_EQ(form.Model.Locked, 0);
  EXPECT_TRUE(dialogs().Events().empty());
}

TEST_F(WindowTest, WindowFontIsTheBoldJapaneseFontAt19Pixels) {
  TForm1& form = StartForm();
  EXPECT_TRUE(form.font().bold());
  EXPECT_EQ(form.font().pixelSize(), 19);
  EXPECT_EQ(QFontInfo(form.font()).family(), QStringLiteral("Noto Sans CJK JP"));
  EXPECT_EQ(QFontInfo(form.Memo4->font()).family(), QStringLiteral("Noto Sans Mono CJK JP"));
  EXPECT_EQ(QFontInfo(form.ListBox7->font()).family(), QStringLiteral("Noto Sans Mono CJK JP"));
}

TEST_F(WindowTest, EachPageGivesTheWindowItsSize) {
  TForm1& form = StartForm();
  struct Case {
    const char* how;
    std::function<void()> show;
    int page;
    QSize window;
    ClickablePanel* panel;
    QSize panelSize;
    ClickablePanel* tab;
  };
  const std::vector<Case> cases = {
      {"OK on the cover", [&] { QTest::mouseClick(form.Button14, Qt::LeftButton); }, 1, QSize(633, 458),
       form.pnlEVENT, QSize(625, 337), form.Panel1},
      {"race tab", [&] { QTest::mouseClick(form.Panel2, Qt::LeftButton); }, 2, QSize(801, 608),
       form.pnlCOURSE, QSize(793, 425), form.Panel2},
      {"entry tab", [&] { QTest::mouseClick(form.Panel3, Qt::LeftButton); }, 3, QSize(753, 708),
       form.pnlENTRY, QSize(745, 561), form.Panel3},
      {"finish page", [&] { form.ShowPage(4); }, 4, QSize(849, 688), form.pnlFINISH, QSize(841, 545),
       form.Panel4},
      {"result page", [&] { form.ShowPage(5); }, 5, QSize(649, 538), form.pnlRESULT, QSize(641, 393),
       form.Panel6},
      {"event tab", [&] { QTest::mouseClick(form.Panel1, Qt::LeftButton); }, 1, QSize(633, 458),
       form.pnlEVENT, QSize(625, 337), form.Panel1},
      {"cover", [&] { form.ShowPage(0); }, 0, QSize(472, 523), form.pnlCOVER, QSize(464, 481), nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    c.show();
    EXPECT_EQ(form.ShownPage(), c.page);
    EXPECT_EQ(form.size(), c.window);
    EXPECT_TRUE(c.panel->isVisible());
    EXPECT_EQ(c.panel->size(), c.panelSize);
    const std::array<QWidget*, 6> pages = {form.pnlCOVER, form.pnlEVENT,  form.pnlCOURSE,
                                           form.pnlENTRY, form.pnlFINISH, form.pnlRESULT};
    const auto shown =
        std::count_if(pages.begin(), pages.end(), [](QWidget* page) { return page->isVisible(); });
    EXPECT_EQ(shown, 1);
    for (ClickablePanel* tab : {form.Panel1, form.Panel2, form.Panel3, form.Panel4, form.Panel6})
      EXPECT_EQ(tab->Color(), tab == c.tab ? kYellow : kButtonFace);
    const int pageWidth = c.window.width() - 8;
    if (c.page > 0) {
      EXPECT_EQ(form.Panel5->pos(), QPoint((pageWidth - 1150) / 2, 8));
    }
    if (c.page > 0) {
      EXPECT_EQ(c.panel->pos(), QPoint(0, 124));
    }
  }
}

TEST_F(WindowTest, TheWindowSpringsBackToThePageSize) {
  TForm1& form = StartForm();
  form.ShowPage(2);
  form.resize(300, 200);
  EXPECT_EQ(form.size(), QSize(801, 608));
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  EXPECT_FALSE(form.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
}

TEST_F(WindowTest, EveryPageSwitchShowsTheCurrentRaceName) {
  TForm1& form = StartForm();
  form.Model.RaceName[1] = QStringLiteral("第1レース");
  form.Panel15->SetCaption(QStringLiteral("old"));
  form.Label17->setText(QStringLiteral("old"));
  form.ShowPage(2);
  EXPECT_EQ(form.Panel15->Caption(), QStringLiteral("第1レース"));
  EXPECT_EQ(form.Label17->text(), QStringLiteral("第1レース"));
  EXPECT_EQ(form.Edit4->text(), QStringLiteral("第1レース"));
}

TEST_F(WindowTest, FinishAndResultTabsNeedEntriesAndADistance) {
  TForm1& form = StartForm();
  form.ShowPage(1);
  const QLocale locale = platform::UserLocale();
  struct Case {
    int entries;
    QString distance;
    bool opens;
  };
  const std::vector<Case> cases = {
      {0, locale.toString(12.5), false}, {2, QStringLiteral("0"), false},  {2, QString(), false},
      {2, locale.toString(12.5), true},  {1, locale.toString(-3.0), true},  // a negative distance passes
  };
  for (ClickablePanel* tab : {form.Panel4, form.Panel6}) {
    const int page = tab == form.Panel4 ? 4 : 5;
    for (const Case& c : cases) {
      SCOPED_TRACE(QStringLiteral("page %1, %2 entries, distance '%3'")
                       .arg(page)
                       .arg(c.entries)
                       .arg(c.distance)
                       .toStdString());
      form.ShowPage(1);
      dialogs().Clear();
      form.Model.RaceEntryCount[1] = c.entries;
      form.Edit1->setText(c.distance);
      QTest::mouseClick(tab, Qt::LeftButton);
      EXPECT_EQ(form.ShownPage(), c.opens ? page : 1);
      EXPECT_EQ(dialogs().Messages(), c.opens ? QStringList() : QStringList{kGuardMessage});
    }
  }
}

TEST_F(WindowTest, ADistanceThatIsNoNumberStopsTheTabWithItsError) {
  TForm1& form = StartForm();
  form.ShowPage(1);
  form.Model.RaceEntryCount[1] = 2;
  form.Edit1->setText(QStringLiteral("abc"));
  form.Panel4->Click();
  EXPECT_EQ(form.ShownPage(), 1);
  EXPECT_EQ(dialogs().Messages(),
            QStringList{QStringLiteral("(P2)コース距離: 'abc' is not a valid floating point value")});
}

TEST_F(WindowTest, ShowingTheResultPageDisablesBothSheetButtons) {
  TForm1& form = StartForm();
  form.Button18->setEnabled(true);
  form.Button19->setEnabled(true);
  form.Model.ShowMissingDataBox = 1;
  form.ShowPage(5);
  EXPECT_FALSE(form.Button18->isEnabled());
  EXPECT_FALSE(form.Button19->isEnabled());
  EXPECT_EQ(form.Model.ShowMissingDataBox, 0);
}

TEST_F(WindowTest, TopBarHasItsComponentsInPlace) {
  TForm1& form = StartForm();
  struct Case {
    QWidget* widget;
    QRect geometry;
    QString caption;
    QString hint;
  };
  const std::vector<Case> cases = {
      {form.Label16, {370, 10, 391, 23}, {}, {}},
      {form.Label17, {370, 41, 391, 24}, {}, {}},
      {form.Panel1, {278, 73, 100, 24}, QStringLiteral("イベント"), {}},
      {form.Panel2, {388, 73, 100, 24}, QStringLiteral("ﾚｰｽ・ｺｰｽ"), {}},
      {form.Panel3, {498, 73, 100, 24}, QStringLiteral("エントリー"), {}},
      {form.Panel4, {608, 73, 100, 24}, QStringLiteral("ﾌｨﾆｯｼｭ"), {}},
      {form.Panel6, {718, 73, 100, 24}, QStringLiteral("結果"), {}},
      {form.Button9,
       {278, 10, 90, 24},
       QStringLiteral("新規"),
       QStringLiteral("現在表示されているデータをｸﾘｱして新規入力します")},
      {form.Button10,
       {278, 41, 90, 24},
       QStringLiteral("ファイル"),
       QStringLiteral("保存済みのデータを読み取ります")},
      {form.Button21, {760, 10, 112, 24}, QStringLiteral("保存"), {}},
      {form.Panel19,
       {760, 41, 112, 24},
       QStringLiteral("UNLOCKED"),
       QStringLiteral("クリックするとデータをロックします。")},
      {form.Panel20, {844, 73, 24, 24}, QStringLiteral("?"), QStringLiteral("HELP")},
  };
  EXPECT_EQ(form.Panel5->size(), QSize(1150, 113));
  EXPECT_EQ(form.Panel5->Color(), kSkyBlue);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.widget->objectName().toStdString());
    EXPECT_EQ(c.widget->parentWidget(), form.Panel5);
    EXPECT_EQ(c.widget->geometry(), c.geometry);
    if (auto* label = qobject_cast<QLabel*>(c.widget); label && !c.caption.isEmpty()) {
      EXPECT_EQ(label->text(), c.caption);
    }
    if (auto* button = qobject_cast<QAbstractButton*>(c.widget)) {
      EXPECT_EQ(button->text(), c.caption);
    }
    EXPECT_EQ(c.widget->toolTip(), c.hint);
  }
  EXPECT_EQ(form.Panel19->Color(), kBlue);
  EXPECT_EQ(form.Panel20->Color(), kBlue);
}

// Every component that the pages name, by its name and kind.
TEST_F(WindowTest, EveryComponentExistsUnderItsName) {
  TForm1& form = StartForm();
  const std::vector<std::pair<const char*, const char*>> components = {
      {"Panel5", "platform::Panel"},
      {"Label16", "QLabel"},
      {"Label17", "QLabel"},
      {"Panel1", "platform::Panel"},
      {"Panel2", "platform::Panel"},
      {"Panel3", "platform::Panel"},
      {"Panel4", "platform::Panel"},
      {"Panel6", "platform::Panel"},
      {"Button9", "QPushButton"},
      {"Button10", "QPushButton"},
      {"Button21", "QPushButton"},
      {"Panel19", "platform::Panel"},
      {"Panel20", "platform::Panel"},
      {"pnlCOVER", "platform::Panel"},
      {"pnlEVENT", "platform::Panel"},
      {"pnlCOURSE", "platform::Panel"},
      {"pnlENTRY", "platform::Panel"},
      {"pnlFINISH", "platform::Panel"},
      {"pnlRESULT", "platform::Panel"},
      {"Image1", "kivo::PictureBox"},
      {"Button14", "QPushButton"},
      {"Edit2", "QLineEdit"},
      {"Edit4", "QLineEdit"},
      {"Edit6", "QLineEdit"},
      {"Edit7", "QLineEdit"},
      {"Edit3", "QLineEdit"},
      {"Panel15", "platform::Panel"},
      {"ComboBox1", "QComboBox"},
      {"Edit1", "QLineEdit"},
      {"Button13", "QPushButton"},
      {"Label22", "QLabel"},
      {"Memo12", "QLineEdit"},
      {"DateTimePicker1", "QDateEdit"},
      {"DateTimePicker2", "kivo::TimePicker"},
      {"DateTimePicker3", "QDateEdit"},
      {"DateTimePicker4", "kivo::TimePicker"},
      {"Edit5", "QLineEdit"},
      {"StringGrid1", "kivo::StringGrid"},
      {"Label25", "QLabel"},
      {"Memo3", "QLineEdit"},
      {"Button3", "QPushButton"},
      {"Label21", "QLabel"},
      {"ListBox1", "QListWidget"},
      {"Label20", "QLabel"},
      {"Memo2", "QLineEdit"},
      {"Panel9", "platform::Panel"},
      {"Panel7", "platform::Panel"},
      {"Panel8", "platform::Panel"},
      {"Label33", "QLabel"},
      {"Label7", "QLabel"},
      {"Memo5", "QLineEdit"},
      {"ListBox2", "QListWidget"},
      {"Label6", "QLabel"},
      {"Memo4", "QPlainTextEdit"},
      {"Button17", "QPushButton"},
      {"pnlDETAILS", "platform::Panel"},
      {"Panel21", "platform::Panel"},
      {"Panel22", "platform::Panel"},
      {"ListBox7", "QListWidget"},
      {"Label10", "QLabel"},
      {"ListBox3", "QListWidget"},
      {"Label15", "QLabel"},
      {"Label35", "QLabel"},
      {"ListBox4", "QListWidget"},
      {"Panel11", "platform::Panel"},
      {"Panel10", "platform::Panel"},
      {"Panel12", "platform::Panel"},
      {"Memo8", "QLineEdit"},
      {"Memo13", "QLineEdit"},
      {"UpDown2", "kivo::UpDown"},
      {"Button6", "QPushButton"},
      {"Label8", "QLabel"},
      {"datetimepicker5", "QDateEdit"},
      {"DateTimePicker6", "kivo::TimePicker"},
      {"Label9", "QLabel"},
      {"Memo6", "QLineEdit"},
      {"Memo7", "QLineEdit"},
      {"Label14", "QLabel"},
      {"Label12", "QLabel"},
      {"ComboBox2", "QComboBox"},
      {"Panel14", "platform::Panel"},
      {"CheckBox2", "QCheckBox"},
      {"ComboBox3", "QComboBox"},
      {"Label34", "QLabel"},
      {"Button4", "QPushButton"},
      {"Button5", "QPushButton"},
      {"Label13", "QLabel"},
      {"Memo10", "QLineEdit"},
      {"Memo11", "QPlainTextEdit"},
      {"Button12", "QPushButton"},
      {"GroupBox1", "QGroupBox"},
      {"RadioButton1", "QRadioButton"},
      {"RadioButton2", "QRadioButton"},
      {"RadioButton3", "QRadioButton"},
      {"GroupBox3", "QGroupBox"},
      {"RadioButton6", "QRadioButton"},
      {"RadioButton7", "QRadioButton"},
      {"CheckBox1", "QCheckBox"},
      {"Button18", "QPushButton"},
      {"Button19", "QPushButton"},
      {"DateTimePicker7", "QDateEdit"},
      {"DateTimePicker8", "QDateEdit"},
      {"Image2", "kivo::PictureBox"},
      {"Image3", "kivo::PictureBox"},
      {"Image4", "kivo::PictureBox"},
      {"Memo1", "QPlainTextEdit"},
  };
  for (const auto& [name, kind] : components) {
    SCOPED_TRACE(name);
    const QList<QWidget*> found = form.findChildren<QWidget*>(QString::fromLatin1(name));
    ASSERT_EQ(found.size(), 1);
    EXPECT_STREQ(found.front()->metaObject()->className(), kind);
  }
  EXPECT_EQ(form.findChild<QTimer*>(QStringLiteral("Timer1")), form.Timer1);
}

TEST_F(WindowTest, PageComponentsCarryTheirCaptionsHintsAndDefaults) {
  TForm1& form = StartForm();
  struct Case {
    QWidget* widget;
    QString caption;
    QString hint;
  };
  const std::vector<Case> cases = {
      {form.Button14, QStringLiteral("OK"), {}},
      {form.Edit6, QStringLiteral("TarvelC"), {}},
      {form.Button13, QStringLiteral("地図で計測"), QStringLiteral("ネット環境が必要です")},
      {form.Label22, QStringLiteral("LEG数"), {}},
      {form.Label25, QStringLiteral("rmsﾌｧｲﾙ"), {}},
      {form.Button3, QStringLiteral("選択"), {}},
      {form.Label20, QStringLiteral("登録艇数"), {}},
      {form.Panel9, QStringLiteral("Tarvel"), QStringLiteral("TarvelのWEBサイト。RMSデータをDL可。")},
      {form.Panel7, QStringLiteral(" =>"),
       QStringLiteral("エントリー（左のボートを選択してこのボタンでエントリー）")},
      {form.Panel8, QStringLiteral("<="), QStringLiteral("削除　（右のボートを選択してこのボタンで削除）")},
      {form.Label33, QStringLiteral("エントリー艇"), {}},
      {form.Label7, QStringLiteral("エントリー数"), {}},
      {form.Label6, QStringLiteral("Tarvel証書の情報"), {}},
      {form.Button17, QStringLiteral("詳細データ"), QStringLiteral("クリックして表示/非表示の繰り返し")},
      {form.Panel22, QStringLiteral("X"), {}},
      {form.Label10, QStringLiteral("レース中の艇"), {}},
      {form.Label15, QStringLiteral("フィニッシュ艇"), {}},
      {form.Label35, QStringLiteral("Time                Fin     Pen"), {}},
      {form.Panel11, QStringLiteral("←"), QStringLiteral("フィニッシュ取り消し")},
      {form.Memo8, {}, QStringLiteral("修正後の表示時刻")},
      {form.Memo13, QStringLiteral("0"), QStringLiteral("修正値（秒）")},
      {form.UpDown2, {}, QStringLiteral("修正値の増減")},
      {form.Button6, QStringLiteral("NOW"), QStringLiteral("左クリックでフィニッシュ時刻決定")},
      {form.Label8, QStringLiteral("ﾌｨﾆｯｼｭ"), {}},
      {form.Label9, QStringLiteral("経過時間"), {}},
      {form.Label14, QStringLiteral("秒"), {}},
      {form.Label12, QStringLiteral("得点記録の略号"), {}},
      {form.Panel14, QStringLiteral("?"), {}},
      {form.CheckBox2, QStringLiteral("ﾍﾟﾅﾙﾃｨｰ"), {}},
      {form.Label34, QStringLiteral("％"), {}},
      {form.Button4, QStringLiteral("決　　定"), {}},
      {form.Button5, QStringLiteral("キャンセル"), {}},
      {form.Label13, QStringLiteral("備考"), {}},
      {form.Button12, QStringLiteral("計算"), {}},
      {form.RadioButton1, QStringLiteral("画像ソフトに出力"), {}},
      {form.RadioButton2, QStringLiteral("WEBブラウザに出力"), {}},
      {form.RadioButton3, QStringLiteral("文字データ出力"), QStringLiteral("エクセルまたはメモ帳で表示")},
      {form.RadioButton6, QStringLiteral("英語"), {}},
      {form.RadioButton7, QStringLiteral("日本語"), {}},
      {form.CheckBox1, QStringLiteral("暫定"), {}},
      {form.Button18, QStringLiteral("スクラッチシート出力"),
       QStringLiteral("表示に時間が掛かることがありますがそのままお待ちください")},
      {form.Button19, QStringLiteral("レース結果出力"),
       QStringLiteral("表示に時間が掛かることがありますがそのままお待ちください")},
      {form.ScratchIssuedLabel, QStringLiteral("発行日"), {}},
      {form.ResultIssuedLabel, QStringLiteral("発行日"), {}},
      {form.Image2, {}, QStringLiteral("クリックして画像選択/キャンセルで消去")},
      {form.Image3, {}, QStringLiteral("クリックして画像選択/キャンセルで消去")},
      {form.Image4, {}, QStringLiteral("クリックして画像選択/キャンセルで消去")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.widget->objectName().toStdString());
    if (auto* label = qobject_cast<QLabel*>(c.widget)) {
      EXPECT_EQ(label->text(), c.caption);
    }
    if (auto* button = qobject_cast<QAbstractButton*>(c.widget)) {
      EXPECT_EQ(button->text(), c.caption);
    }
    if (auto* edit = qobject_cast<QLineEdit*>(c.widget)) {
      EXPECT_EQ(edit->text(), c.caption);
    }
    EXPECT_EQ(c.widget->toolTip(), c.hint);
  }
  EXPECT_EQ(form.GroupBox1->title(), QStringLiteral("出力先"));
  EXPECT_EQ(form.GroupBox3->title(), QStringLiteral("表示言語"));
  EXPECT_TRUE(form.RadioButton1->isChecked());
  EXPECT_FALSE(form.RadioButton2->isChecked());
  EXPECT_FALSE(form.RadioButton3->isChecked());
  EXPECT_TRUE(form.RadioButton6->isChecked());
  EXPECT_FALSE(form.RadioButton7->isChecked());
  EXPECT_FALSE(form.CheckBox1->isChecked());
  EXPECT_FALSE(form.Button18->isEnabled());
  EXPECT_FALSE(form.Button19->isEnabled());
  EXPECT_EQ(form.UpDown2->Minimum(), -600);
  EXPECT_EQ(form.UpDown2->Maximum(), 600);
  EXPECT_TRUE(form.ComboBox3->isEditable());
  EXPECT_TRUE(form.Memo4->isReadOnly());

  for (auto [panel, caption] :
       {std::pair{form.LogoLeftPanel, "logo-left"}, std::pair{form.LogoMiddlePanel, "logo-mid"},
        std::pair{form.LogoRightPanel, "logo-right"}}) {
    EXPECT_EQ(panel->size(), QSize(100, 67));
    EXPECT_EQ(panel->Color(), kSilver);
    EXPECT_EQ(panel->Caption(), QString::fromLatin1(caption));
  }
  EXPECT_EQ(form.Image2->geometry(), QRect(0, 0, 100, 67));

  // Inner panels in their places; hidden until asked for.
  EXPECT_EQ(form.pnlDETAILS->pos(), QPoint(16, 96));
  EXPECT_EQ(form.Memo11->geometry(), QRect(0, 0, 840, 333));
  EXPECT_EQ(form.Panel10->pos(), QPoint(0, 336));
  EXPECT_FALSE(form.pnlDETAILS->isVisibleTo(form.pnlENTRY));
  EXPECT_FALSE(form.Panel10->isVisibleTo(form.pnlFINISH));
  EXPECT_FALSE(form.Memo11->isVisibleTo(form.pnlFINISH));
  EXPECT_FALSE(form.Memo10->isVisibleTo(form.Panel10));
  EXPECT_FALSE(form.Label13->isVisibleTo(form.Panel10));
}

// The output target and the language are each one choice: picking a button
// of a group clears the others of that group and leaves the other group alone.
TEST_F(WindowTest, OutputTargetAndLanguageAreEachOneChoice) {
  TForm1& form = StartForm();
  const std::vector<QRadioButton*> targets = {form.RadioButton1, form.RadioButton2, form.RadioButton3};
  const std::vector<QRadioButton*> languages = {form.RadioButton6, form.RadioButton7};
  for (QRadioButton* button : targets) EXPECT_EQ(button->parentWidget(), form.GroupBox1);
  for (QRadioButton* button : languages) EXPECT_EQ(button->parentWidget(), form.GroupBox3);
  for (const auto* group : {&targets, &languages}) {
    const std::vector<QRadioButton*>& other = group == &targets ? languages : targets;
    for (QRadioButton* picked : *group) {
      SCOPED_TRACE(picked->objectName().toStdString());
      std::vector<bool> otherBefore;
      for (QRadioButton* button : other) otherBefore.push_back(button->isChecked());
      QTest::mouseClick(picked, Qt::LeftButton);
      for (QRadioButton* button : *group) EXPECT_EQ(button->isChecked(), button == picked);
      for (std::size_t k = 0; k < other.size(); ++k) EXPECT_EQ(other[k]->isChecked(), otherBefore[k]);
    }
  }
}

TEST_F(WindowTest, LegGridStartsDisabledAndGrey) {
  TForm1& form = StartForm();
  EXPECT_EQ(form.StringGrid1->columnCount(), 5);
  EXPECT_FALSE(form.StringGrid1->isEnabled());
  EXPECT_EQ(form.StringGrid1->Color(), kMediumGrey);
  for (int row = 0; row <= 14; ++row) EXPECT_EQ(form.StringGrid1->isRowHidden(row), row > 10) << row;
  EXPECT_EQ(form.StringGrid1->columnWidth(1), 60);
  EXPECT_EQ(form.StringGrid1->rowHeight(1), 30);
}

}  // namespace
}  // namespace kivo::testing
