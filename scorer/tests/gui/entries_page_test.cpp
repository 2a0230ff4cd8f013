// The entry page through its widgets: the rating data file at start and by
// "選択", the boat list, the summary and the details, adding and removing
// entries, and the rating authority's page.
#include <algorithm>
#include <vector>

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>

#include "form_fixture.h"
#include "locale/user_locale.h"
#include "testing/rms_fixtures.h"

namespace kivo::testing {
namespace {

using fixtures::Cp932;
using fixtures::HeaderLine;
using fixtures::RecordBuilder;
using fixtures::RmsContent;
using fixtures::SyntheticRecord;
using platform::Answer;
using platform::testing::DialogEvent;
using platform::testing::ShellCall;

const QString kNoBoatSelected = QStringLiteral("艇が選択されていません");
const QString kAlreadyEntered = QStringLiteral("この艇は既に登録済みです");
const QString kNoEntries = QStringLiteral("登録艇がありません");
const QString kNoEntrySelected = QStringLiteral("削除する艇が選択されていません");

QByteArray Record(int seed, const char* boatname) { return SyntheticRecord(seed, Cp932(boatname)); }

QByteArray StandardHeader() { return HeaderLine("LOA N300 N307 N313 GPH RecordDateTime"); }

// A rating data file of boats named `names`, in this order.
QByteArray FleetFile(const std::vector<const char*>& names) {
  std::vector<QByteArray> records;
  int seed = 1;
  for (const char* name : names) records.push_back(Record(seed++, name));
  return RmsContent(StandardHeader(), records);
}

QStringList Items(const QListWidget* list) {
  QStringList items;
  for (int row = 0; row < list->count(); ++row) items << list->item(row)->text();
  return items;
}

class EntriesPageTest : public FormFixture {
 protected:
  // Writes a rating data file into the RMS folder, last written at `written`.
  void WriteRms(const QString& name, const QByteArray& content,
                const QDateTime& written = QDateTime(QDate(2017, 6, 1), QTime(12, 0))) {
    const QString relative = QStringLiteral("KIVODATA/RMS/") + name;
    WriteFile(relative, content);
    QFile file(PathOf(relative));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(written, QFileDevice::FileModificationTime));
  }

  // Starts with the given fleet as the only rating data file, on the entry page.
  TForm1& StartWithFleet(const std::vector<const char*>& names) {
    WriteRms(QStringLiteral("fleet.rms"), FleetFile(names));
    TForm1& form = StartForm();
    form.ShowPage(3);
    return form;
  }

  // A user's click on the item `row` of `list`.
  static void ClickItem(QListWidget* list, int row) {
    QListWidgetItem* item = list->item(row);
    ASSERT_NE(item, nullptr) << row;
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
  }

  static int RowOf(const QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    return found.isEmpty() ? -1 : list->row(found.first());
  }

  // Picks the boat `name` in the boat list and presses " =>".
  void Enter(TForm1& form, const QString& name) {
    const int row = RowOf(form.ListBox1, name);
    ASSERT_GE(row, 0) << name.toStdString();
    ClickItem(form.ListBox1, row);
    QTest::mouseClick(form.Panel7, Qt::LeftButton);
  }

  // Picks entry `name` in the entry list and presses "<=", answering `answer`.
  void Remove(TForm1& form, const QString& name, Answer answer) {
    const int row = RowOf(form.ListBox2, name);
    ASSERT_GE(row, 0) << name.toStdString();
    ClickItem(form.ListBox2, row);
    dialogs().QueueAnswer(answer);
    QTest::mouseClick(form.Panel8, Qt::LeftButton);
  }
};

// ---- the rating data file ----

TEST_F(EntriesPageTest, StartLoadsTheNewestFileIntoTheSortedBoatList) {
  WriteRms(QStringLiteral("may.rms"), FleetFile({"MAY BOAT"}), QDateTime(QDate(2017, 5, 1), QTime(9, 0)));
  WriteRms(QStringLiteral("june.rms"), FleetFile({"beta", "alpha", "Zeta", "alpha"}),
           QDateTime(QDate(2017, 6, 1), QTime(9, 0)));
  TForm1& form = StartForm();

  EXPECT_EQ(form.Model.RmsFile, PathOf(QStringLiteral("KIVODATA/RMS/june.rms")));
  EXPECT_EQ(form.Memo3->text(), QStringLiteral("june.rms"));
  EXPECT_EQ(form.Memo2->text(), QStringLiteral("4"));
  EXPECT_EQ(Items(form.ListBox1), (QStringList{"Zeta", "alpha", "alpha", "beta"}));
  EXPECT_EQ(form.Model.RmsLineCount, 4);
  // Each list item stands for the line of the same place, kept as read.
  EXPECT_EQ(form.Model.RmsLines[1], Record(3, "Zeta"));
  EXPECT_EQ(form.Model.RmsLines[4], Record(1, "beta"));
  EXPECT_EQ(form.Model.SelectedRmsBoat, 0);
  // The boats were cut in file order, so the last line is the current record.
  EXPECT_EQ(form.CurrentRecord.Boatname, QStringLiteral("alpha"));
  EXPECT_EQ(form.CurrentRecord.SailNumber, QStringLiteral("JPN-1004"));

  const QString date = platform::UserLocale().toString(QDate(2017, 6, 1), QLocale::ShortFormat);
  EXPECT_EQ(form.Label21->text(), QStringLiteral("RMS作成日: ") + date);
  EXPECT_TRUE(form.Label21->isVisibleTo(form.pnlENTRY));
  // The header's names fill the details list.
  EXPECT_EQ(form.Model.HeaderNames[1], QStringLiteral("LOA"));
  EXPECT_EQ(Items(form.ListBox7), (QStringList{"  LOA:        ", "  N300:       ", "  N307:       ",
                                               "  N313:       ", "  GPH:        ", "  RecordDateTi"}));
  EXPECT_TRUE(dialogs().Events().empty());
}

TEST_F(EntriesPageTest, StartTakesTheFileOfTheMemoryFile) {
  WriteRms(QStringLiteral("old.rms"), FleetFile({"OLD ONE", "OLD TWO"}),
           QDateTime(QDate(2016, 3, 1), QTime(9, 0)));
  WriteRms(QStringLiteral("new.rms"), FleetFile({"NEW ONE"}), QDateTime(QDate(2017, 6, 1), QTime(9, 0)));
  WriteFile(QStringLiteral("KIVODATA/MSC/lastdata.txt"), "old.rms,0\r\n");
  TForm1& form = StartForm();
  EXPECT_EQ(form.Memo3->text(), QStringLiteral("old.rms"));
  EXPECT_EQ(Items(form.ListBox1), (QStringList{"OLD ONE", "OLD TWO"}));
  EXPECT_EQ(form.Memo2->text(), QStringLiteral("2"));
}

TEST_F(EntriesPageTest, ALoadWithoutAFileNameKeepsTheListedFile) {
  TForm1& form = StartWithFleet({"ALPHA", "BETA"});
  form.Model.RmsFile = form.Model.RmsFolder + QStringLiteral("/");
  form.LoadRmsFile();
  EXPECT_TRUE(dialogs().Events().empty());
  EXPECT_EQ(Items(form.ListBox1), (QStringList{"ALPHA", "BETA"}));
  EXPECT_EQ(form.Memo3->text(), QStringLiteral("fleet.rms"));
  EXPECT_EQ(form.Memo2->text(), QStringLiteral("2"));
  EXPECT_EQ(form.Model.RmsLineCount, 2);
  EXPECT_FALSE(form.Label21->isVisibleTo(form.pnlENTRY));
}

TEST_F(EntriesPageTest, FirstStartWithoutAFileIsQuiet) {
  TForm1& form = StartForm();
  EXPECT_TRUE(dialogs().Events().empty());
  EXPECT_EQ(form.ListBox1->count(), 0);
  // Nothing was loaded: the count keeps its first text, no boats.
  EXPECT_EQ(form.Memo2->text(), QStringLiteral("0"));
  EXPECT_TRUE(form.Memo3->text().isEmpty());
  EXPECT_FALSE(form.Label21->isVisibleTo(form.pnlENTRY));
  EXPECT_EQ(form.Model.RmsLineCount, 0);

  form.ShowPage(3);
  QTest::mouseClick(form.Panel7, Qt::LeftButton);
  EXPECT_EQ(dialogs().Messages(), QStringList{kNoBoatSelected});
}

TEST_F(EntriesPageTest, BoatLinesAreKeptAsReadAndShownAsCp932) {
  // A Shift-JIS name, a Latin-1 name, a byte that is no CP932 at all, an
  // empty line (skipped) and a short line (named in one message, not
  // offered as a boat).
  const QByteArray japanese = SyntheticRecord(1, Cp932("海風"));
  const QByteArray latin1 = SyntheticRecord(2, QByteArray("M\xFCLLER \xC5SA"));
  const QByteArray invalid = SyntheticRecord(3, QByteArray("B\xFFT"));
  const QByteArray shortLine = RecordBuilder().Put(30, "SHORT").Build().left(40);
  WriteRms(QStringLiteral("mixed.rms"),
           RmsContent(StandardHeader(), {japanese, latin1, invalid, {}, shortLine}));
  TForm1& form = StartForm();

  ASSERT_EQ(form.ListBox1->count(), 3);
  EXPECT_EQ(form.Memo2->text(), QStringLiteral("3"));
  EXPECT_EQ(dialogs().Messages(),
            QStringList{QStringLiteral(
                "レーティングデータファイル「mixed.rms」の次の行は証書データとして読めないため、"
                "艇の一覧に入れていません。\n\n    6行目: SHORT")});
  const QStringList items = Items(form.ListBox1);
  EXPECT_TRUE(items.contains(QStringLiteral("海風")));
  EXPECT_TRUE(items.contains(QStringLiteral("B?T")));
  // The raw lines stay byte for byte.
  std::vector<QByteArray> kept(form.Model.RmsLines.begin() + 1, form.Model.RmsLines.begin() + 4);
  for (const QByteArray& line : {japanese, latin1, invalid})
    EXPECT_NE(std::find(kept.begin(), kept.end(), line), kept.end());
}

TEST_F(EntriesPageTest, ANationalFileLoadsWhole) {
  // 900 boats, a third of them with Latin-1 names, and a header whose names
  // run far past column 292.
  QByteArray names;
  for (int k = 1; k <= 400; ++k) names += "FIELD" + QByteArray::number(k) + ' ';
  const QByteArray header = RecordBuilder().Put(1, "NAT").Put(292, names).Build();
  std::vector<QByteArray> records;
  for (int k = 0; k < 900; ++k) {
    const QByteArray name =
        (k % 3 == 0 ? QByteArray("M\xDCLLER \xC5SA ") : QByteArray("BOAT ")) + QByteArray::number(1000 + k);
    records.push_back(SyntheticRecord(k, name));
  }
  WriteRms(QStringLiteral("national.rms"), RmsContent(header, records));
  TForm1& form = StartForm();
  EXPECT_TRUE(dialogs().Events().empty());
  EXPECT_EQ(form.Model.RmsLineCount, 900);
  EXPECT_EQ(form.ListBox1->count(), 900);
  EXPECT_EQ(form.Memo2->text(), QStringLiteral("900"));
  EXPECT_EQ(form.ListBox1->item(0)->text(), QStringLiteral("BOAT 1001"));
  // Every line is kept as read, in list order.
  std::vector<QByteArray> kept(form.Model.RmsLines.begin() + 1, form.Model.RmsLines.begin() + 901);
  std::vector<QByteArray> expected = records;
  std::sort(kept.begin(), kept.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_TRUE(kept == expected);

  // A boat of it can be entered, its record byte for byte.
  form.ShowPage(3);
  ClickItem(form.ListBox1, 899);
  QTest::mouseClick(form.Panel7, Qt::LeftButton);
  EXPECT_TRUE(dialogs().Messages().isEmpty());
  EXPECT_EQ(form.Model.EntryRecord[1], form.Model.RmsLines[900]);
  EXPECT_EQ(form.Model.EntryName[1], form.ListBox1->item(899)->text());

  // Later places of a smaller file are emptied.
  WriteRms(QStringLiteral("club.rms"), FleetFile({"ONE", "TWO"}));
  dialogs().QueueFile(PathOf(QStringLiteral("KIVODATA/RMS/club.rms")));
  QTest::mouseClick(form.Button3, Qt::LeftButton);
  EXPECT_EQ(form.Model.RmsLineCount, 2);
  EXPECT_TRUE(form.Model.RmsLines[3].isEmpty());
}

TEST_F(EntriesPageTest, ChoosingAFileLoadsItAndCancellingChangesNothing) {
  TForm1& form = StartWithFleet({"FIRST"});
  WriteRms(QStringLiteral("other.rms"), FleetFile({"SECOND", "THIRD"}),
           QDateTime(QDate(2017, 7, 2), QTime(8, 0)));

  dialogs().QueueFile(QString());
  QTest::mouseClick(form.Button3, Qt::LeftButton);
  ASSERT_EQ(dialogs().Events().size(), 1u);
  const DialogEvent& cancelled = dialogs().Events().front();
  EXPECT_EQ(cancelled.kind, DialogEvent::Kind::OpenFile);
  EXPECT_EQ(cancelled.text, form.Model.RmsFolder);
  EXPECT_EQ(cancelled.filter, QStringLiteral("RMS (*.rms)"));
  EXPECT_EQ(form.Memo3->text(), QStringLiteral("fleet.rms"));
  EXPECT_EQ(Items(form.ListBox1), QStringList{"FIRST"});

  dialogs().Clear();
  dialogs().QueueFile(PathOf(QStringLiteral("KIVODATA/RMS/other.rms")));
  QTest::mouseClick(form.Button3, Qt::LeftButton);
  EXPECT_TRUE(dialogs().Messages().isEmpty());
  EXPECT_EQ(form.Model.RmsFile, PathOf(QStringLiteral("KIVODATA/RMS/other.rms")));
  EXPECT_EQ(form.Memo3->text(), QStringLiteral("other.rms"));
  EXPECT_EQ(form.Memo2->text(), QStringLiteral("2"));
  EXPECT_EQ(Items(form.ListBox1), (QStringList{"SECOND", "THIRD"}));
  EXPECT_EQ(form.Label21->text(),
            QStringLiteral("RMS作成日: ") +
                platform::UserLocale().toString(QDate(2017, 7, 2), QLocale::ShortFormat));
}

TEST_F(EntriesPageTest, AChosenFileThatCannotBeReadLeavesTheListAsItWas) {
  TForm1& form = StartWithFleet({"FIRST", "SECOND"});
  MakeFolder(QStringLiteral("KIVODATA/RMS/folder.rms"));
  const QString labelBefore = form.Label21->text();
  for (const QString& chosen :
       {PathOf(QStringLiteral("KIVODATA/RMS/gone.rms")), PathOf(QStringLiteral("KIVODATA/RMS/folder.rms"))}) {
    dialogs().Clear();
    dialogs().QueueFile(chosen);
    QTest::mouseClick(form.Button3, Qt::LeftButton);
    ASSERT_EQ(dialogs().Messages().size(), 1) << chosen.toStdString();
    EXPECT_TRUE(dialogs().Messages().front().contains(chosen));
    EXPECT_EQ(form.Model.RmsFile, PathOf(QStringLiteral("KIVODATA/RMS/fleet.rms")));
    EXPECT_EQ(form.Memo3->text(), QStringLiteral("fleet.rms"));
    EXPECT_EQ(form.Memo2->text(), QStringLiteral("2"));
    EXPECT_EQ(Items(form.ListBox1), (QStringList{"FIRST", "SECOND"}));
    EXPECT_EQ(form.Label21->text(), labelBefore);
  }
}

// ---- summary and details ----

TEST_F(EntriesPageTest, ClickingABoatShowsItsSummaryAndDetails) {
  TForm1& form = StartWithFleet({"SEA BIRD", "ALBATROSS"});
  ClickItem(form.ListBox1, 1);  // SEA BIRD, seed 1
  EXPECT_EQ(form.Model.SelectedRmsBoat, 2);
  const QStringList lines = form.Memo4->toPlainText().split(QLatin1Char('\n'));
  ASSERT_EQ(lines.size(), 13);
  EXPECT_EQ(lines[0], QStringLiteral(" Boatname:        SEA BIRD"));
  EXPECT_EQ(lines[1], QStringLiteral(" Sail Number:     JPN-1001"));
  EXPECT_EQ(lines[6], QStringLiteral(" Yacht Class:     Tern 29"));
  EXPECT_EQ(lines[10], QStringLiteral(" GPH:             557.0"));
  EXPECT_EQ(lines[12], QString());
  EXPECT_EQ(form.Memo4->font().family(), form.ListBox7->font().family());
  // All twelve lines show at once.
  QCoreApplication::processEvents();
  EXPECT_EQ(form.Memo4->verticalScrollBar()->maximum(), 0);

  EXPECT_EQ(form.Panel21->Caption(), QStringLiteral("SEA BIRD"));
  // Values pair with the header's names by place.
  ASSERT_GE(form.ListBox7->count(), 2);
  EXPECT_EQ(form.ListBox7->item(0)->text(), QStringLiteral("  LOA:        8.60"));
  EXPECT_EQ(form.ListBox7->item(1)->text(), QStringLiteral("  N300:       557.0"));

  // "詳細データ" toggles the panel once a summary is shown.
  EXPECT_FALSE(form.pnlDETAILS->isVisible());
  QTest::mouseClick(form.Button17, Qt::LeftButton);
  EXPECT_TRUE(form.pnlDETAILS->isVisible());
  QTest::mouseClick(form.Button17, Qt::LeftButton);
  EXPECT_FALSE(form.pnlDETAILS->isVisible());
  EXPECT_TRUE(dialogs().Events().empty());
}

TEST_F(EntriesPageTest, DetailsButtonDoesNothingWithoutASummary) {
  TForm1& form = StartWithFleet({"SEA BIRD"});
  ASSERT_TRUE(form.Memo4->toPlainText().isEmpty());
  QTest::mouseClick(form.Button17, Qt::LeftButton);
  EXPECT_FALSE(form.pnlDETAILS->isVisible());
}

TEST_F(EntriesPageTest, DetailsOfARealWorldHeaderAndRecord) {
  // A header whose names run far past column 292, and a record whose last
  // value is a long text without a blank.
  QByteArray names;
  for (int k = 1; k <= 250; ++k) names += "NAME" + QByteArray::number(k) + ' ';
  names += "LAST";
  const QByteArray header = RecordBuilder().Put(1, "NAT").Put(292, names).Build();
  const QByteArray tail = "1.5 2.5 ABCDEFGHIJKLMNOP";
  const QByteArray record = SyntheticRecord(1, "LONG TAIL") + ' ' + tail;
  WriteRms(QStringLiteral("world.rms"), RmsContent(header, {record}));
  TForm1& form = StartForm();
  form.ShowPage(3);
  EXPECT_TRUE(dialogs().Events().empty());
  // The names past the table's places are left out.
  EXPECT_EQ(form.ListBox7->count(), 199);
  EXPECT_EQ(form.Model.HeaderNames[199], QStringLiteral("NAME199"));

  ClickItem(form.ListBox1, 0);
  const QStringList items = Items(form.ListBox7);
  ASSERT_GT(items.size(), 3);
  const auto item = [&items](qsizetype k, const char* value) {
    return (QStringLiteral("  NAME%1:").arg(k) + QString(22, u' ')).left(14) + QLatin1String(value);
  };
  const qsizetype last = items.size();
  EXPECT_EQ(items.mid(last - 3),
            (QStringList{item(last - 2, "1.5"), item(last - 1, "2.5"), item(last, "ABCDEFGHIJKLMNOP")}));
  EXPECT_EQ(form.Panel21->Caption(), QStringLiteral("LONG TAIL"));
}

// ---- adding and removing ----

TEST_F(EntriesPageTest, AddingCopiesTheBoatIntoANewEntry) {
  TForm1& form = StartWithFleet({"SEA BIRD", "SEA", "ALBATROSS"});
  Enter(form, QStringLiteral("SEA BIRD"));
  Enter(form, QStringLiteral("SEA"));  // begins like an entered name: accepted
  EXPECT_TRUE(dialogs().Messages().isEmpty());

  EXPECT_EQ(Items(form.ListBox2), (QStringList{"SEA BIRD", "SEA"}));
  EXPECT_EQ(form.Memo5->text(), QStringLiteral("2"));
  EXPECT_EQ(form.Model.EntryCount, 2);
  EXPECT_EQ(form.Model.RaceEntryCount[1], 2);
  EXPECT_EQ(form.Model.SelectedEntry, 0);
  EXPECT_EQ(form.Model.EntryRecord[1], Record(1, "SEA BIRD"));
  EXPECT_EQ(form.Model.EntryName[1], QStringLiteral("SEA BIRD"));
  EXPECT_EQ(form.Model.EntrySailNo[1], QStringLiteral("JPN-1001"));
  EXPECT_EQ(form.Model.EntryClass[1], QStringLiteral("Tern 29"));
  EXPECT_EQ(form.Model.EntryName[2], QStringLiteral("SEA"));
  EXPECT_EQ(form.Model.BoatStatus[1][2], QStringLiteral("OK"));
  EXPECT_EQ(form.Model.BoatPenalty[1][2], QStringLiteral("0"));

  // The same boat again is refused.
  Enter(form, QStringLiteral("SEA BIRD"));
  EXPECT_EQ(dialogs().Messages(), QStringList{kAlreadyEntered});
  EXPECT_EQ(form.Model.EntryCount, 2);
  EXPECT_EQ(form.ListBox2->count(), 2);
}

TEST_F(EntriesPageTest, AddTakesTheBoatOfTheBoatListWhateverTheSummaryShows) {
  TForm1& form = StartWithFleet({"X RAY", "YANKEE"});
  Enter(form, QStringLiteral("YANKEE"));
  ClickItem(form.ListBox1, RowOf(form.ListBox1, QStringLiteral("X RAY")));
  ClickItem(form.ListBox2, 0);
  EXPECT_TRUE(form.Memo4->toPlainText().contains(QStringLiteral("YANKEE")));
  QTest::mouseClick(form.Panel7, Qt::LeftButton);
  EXPECT_EQ(Items(form.ListBox2), (QStringList{"YANKEE", "X RAY"}));
}

TEST_F(EntriesPageTest, MessagesWhenNothingIsPicked) {
  struct Case {
    const char* name;
    bool addFirst;     // one boat entered before
    bool clickPanel7;  // else "<="
    QString message;
  };
  const Case cases[] = {
      {"add with no boat picked", false, true, kNoBoatSelected},
      {"remove with no entries", false, false, kNoEntries},
      {"remove right after an add", true, false, kNoEntrySelected},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TForm1& form = StartWithFleet({"ONE", "TWO"});
    if (c.addFirst) Enter(form, QStringLiteral("ONE"));
    dialogs().Clear();
    QTest::mouseClick(c.clickPanel7 ? form.Panel7 : form.Panel8, Qt::LeftButton);
    EXPECT_EQ(dialogs().Messages(), QStringList{c.message});
    EXPECT_TRUE(dialogs().Questions().isEmpty());
    EXPECT_EQ(form.Model.EntryCount, c.addFirst ? 1 : 0);
  }
}

TEST_F(EntriesPageTest, AfterAnotherFileIsLoadedNoBoatIsPicked) {
  TForm1& form = StartWithFleet({"ONE"});
  WriteRms(QStringLiteral("other.rms"), FleetFile({"TWO"}));
  ClickItem(form.ListBox1, 0);
  Enter(form, QStringLiteral("ONE"));
  dialogs().QueueFile(PathOf(QStringLiteral("KIVODATA/RMS/other.rms")));
  QTest::mouseClick(form.Button3, Qt::LeftButton);
  dialogs().Clear();
  QTest::mouseClick(form.Panel7, Qt::LeftButton);
  EXPECT_EQ(dialogs().Messages(), QStringList{kNoBoatSelected});
  // The entry keeps its own record.
  EXPECT_EQ(form.Model.EntryRecord[1], Record(1, "ONE"));
  ClickItem(form.ListBox2, 0);
  EXPECT_TRUE(form.Memo4->toPlainText().startsWith(QStringLiteral(" Boatname:        ONE")));
}

TEST_F(EntriesPageTest, TheTwentiethEntryIsRefused) {
  std::vector<QByteArray> names;
  for (int k = 1; k <= 20; ++k) names.push_back("BOAT " + QByteArray::number(100 + k));
  std::vector<const char*> fleet;
  for (const QByteArray& name : names) fleet.push_back(name.constData());
  TForm1& form = StartWithFleet(fleet);
  for (int k = 0; k < 19; ++k) Enter(form, QString::fromLatin1(names[k]));
  ASSERT_TRUE(dialogs().Messages().isEmpty());
  ASSERT_EQ(form.Model.EntryCount, 19);

  Enter(form, QStringLiteral("BOAT 120"));
  ASSERT_EQ(dialogs().Messages().size(), 1);
  EXPECT_TRUE(dialogs().Messages().front().contains(QStringLiteral("19")));
  EXPECT_EQ(form.Model.EntryCount, 19);
  EXPECT_EQ(form.Model.RaceEntryCount[1], 19);
  EXPECT_EQ(form.ListBox2->count(), 19);
  EXPECT_EQ(form.Memo5->text(), QStringLiteral("19"));
}

TEST_F(EntriesPageTest, RemovingMovesEveryLaterEntryUpWithItsData) {
  TForm1& form = StartWithFleet({"ALPHA", "BRAVO", "CHARLIE"});
  for (const char* name : {"ALPHA", "BRAVO", "CHARLIE"}) Enter(form, QString::fromLatin1(name));
  // A finish and more recorded for CHARLIE (entry 3).
  form.Model.BoatFinish[1][3] = QStringLiteral("2017/07/01 12:34:56");
  form.Model.BoatStatus[1][3] = QStringLiteral("ZFP");
  form.Model.BoatPenalty[1][3] = QStringLiteral("20");
  form.Model.BoatRemarks[1][3] = QStringLiteral("late");
  form.Model.BoatFinished[1][3] = 1;
  form.Model.BoatElapsed[1][3] = 9296;
  form.Model.EntryGph[3] = QStringLiteral("600.0");
  form.Model.BoatStatus[1][2] = QStringLiteral("DNF");

  Remove(form, QStringLiteral("BRAVO"), Answer::Yes);
  EXPECT_EQ(dialogs().Questions(), QStringList{QStringLiteral("BRAVOを削除しますか？")});
  EXPECT_TRUE(dialogs().Messages().isEmpty());

  EXPECT_EQ(Items(form.ListBox2), (QStringList{"ALPHA", "CHARLIE"}));
  EXPECT_EQ(form.Memo5->text(), QStringLiteral("2"));
  EXPECT_EQ(form.Model.EntryCount, 2);
  EXPECT_EQ(form.Model.RaceEntryCount[1], 2);
  EXPECT_EQ(form.Model.SelectedEntry, 0);
  EXPECT_EQ(form.Model.EntryName[2], QStringLiteral("CHARLIE"));
  EXPECT_EQ(form.Model.EntryRecord[2], Record(3, "CHARLIE"));
  EXPECT_EQ(form.Model.EntrySailNo[2], QStringLiteral("JPN-1003"));
  EXPECT_EQ(form.Model.EntryGph[2], QStringLiteral("600.0"));
  EXPECT_EQ(form.Model.BoatFinish[1][2], QStringLiteral("2017/07/01 12:34:56"));
  EXPECT_EQ(form.Model.BoatStatus[1][2], QStringLiteral("ZFP"));
  EXPECT_EQ(form.Model.BoatPenalty[1][2], QStringLiteral("20"));
  EXPECT_EQ(form.Model.BoatRemarks[1][2], QStringLiteral("late"));
  EXPECT_EQ(form.Model.BoatFinished[1][2], 1);
  EXPECT_EQ(form.Model.BoatElapsed[1][2], 9296.0f);
  EXPECT_EQ(form.Model.BoatStatus[1][1], QStringLiteral("OK"));
  // The finish page shows C's finish with C, A still racing.
  const QStringList racing = Items(form.ListBox3);
  const QStringList finished = Items(form.ListBox4);
  ASSERT_EQ(racing.size(), 1);
  EXPECT_TRUE(racing.front().contains(QStringLiteral("ALPHA")));
  ASSERT_EQ(finished.size(), 1);
  EXPECT_TRUE(finished.front().contains(QStringLiteral("CHARLIE")));

  // The freed place starts clean for the next boat.
  EXPECT_TRUE(form.Model.EntryRecord[3].isEmpty());
  EXPECT_TRUE(form.Model.BoatFinish[1][3].isEmpty());
  EXPECT_EQ(form.Model.BoatStatus[1][3], QStringLiteral("OK"));
  EXPECT_EQ(form.Model.BoatPenalty[1][3], QStringLiteral("0"));
  EXPECT_EQ(form.Model.BoatFinished[1][3], 0);
  Enter(form, QStringLiteral("BRAVO"));
  EXPECT_EQ(form.Model.EntryName[3], QStringLiteral("BRAVO"));
  EXPECT_EQ(form.Model.BoatStatus[1][3], QStringLiteral("OK"));
  EXPECT_TRUE(form.Model.BoatRemarks[1][3].isEmpty());
}

TEST_F(EntriesPageTest, RemovingAnsweredNoChangesNothing) {
  TForm1& form = StartWithFleet({"ALPHA", "BRAVO"});
  Enter(form, QStringLiteral("ALPHA"));
  Enter(form, QStringLiteral("BRAVO"));
  Remove(form, QStringLiteral("ALPHA"), Answer::No);
  EXPECT_EQ(dialogs().Questions(), QStringList{QStringLiteral("ALPHAを削除しますか？")});
  EXPECT_EQ(Items(form.ListBox2), (QStringList{"ALPHA", "BRAVO"}));
  EXPECT_EQ(form.Model.EntryCount, 2);
  EXPECT_EQ(form.Model.EntryName[1], QStringLiteral("ALPHA"));
  EXPECT_EQ(form.Model.SelectedEntry, 1);

  // The last entry goes without moving anything.
  Remove(form, QStringLiteral("BRAVO"), Answer::Yes);
  EXPECT_EQ(Items(form.ListBox2), QStringList{"ALPHA"});
  EXPECT_TRUE(form.Model.EntryName[2].isEmpty());
}

TEST_F(EntriesPageTest, ClickingAnEntryShowsItsRecord) {
  TForm1& form = StartWithFleet({"ALPHA", "BRAVO"});
  Enter(form, QStringLiteral("BRAVO"));
  Enter(form, QStringLiteral("ALPHA"));
  ClickItem(form.ListBox2, 0);
  EXPECT_EQ(form.Model.SelectedEntry, 1);
  EXPECT_EQ(form.CurrentRecord.Boatname, QStringLiteral("BRAVO"));
  EXPECT_TRUE(form.Memo4->toPlainText().startsWith(QStringLiteral(" Boatname:        BRAVO")));
  EXPECT_EQ(form.Panel21->Caption(), QStringLiteral("BRAVO"));
}

// ---- the rating authority ----

TEST_F(EntriesPageTest, TheAuthorityPanelOpensTheConfiguredPage) {
  TForm1& form = StartWithFleet({"ONE"});
  QTest::mouseClick(form.Panel9, Qt::LeftButton);
  ASSERT_EQ(shell().Calls().size(), 1u);
  EXPECT_EQ(shell().Calls().front(),
            (ShellCall{ShellCall::Kind::OpenDocument,
                       QStringLiteral("https://" KIVO_RATING_AUTHORITY_HOST "/index.asp?id=44")}));
  EXPECT_TRUE(dialogs().Events().empty());
}

}  // namespace
}  // namespace kivo::testing
