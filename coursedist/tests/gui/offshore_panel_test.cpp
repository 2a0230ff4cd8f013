// The offshore panel without a browser: the map page's private folder,
// positions taken into the point list as the page gives them, "再計算" and
// "Clear　All". The real map has its own tests (tests/web).
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/map_page.h"
#include "form_fixture.h"

namespace drevlin::testing {
namespace {

class OffshorePanelTest : public FormFixture {
 protected:
  OffshorePanelTest() { machine().SetTempPath(temp_.path()); }

  static void Click(TForm1& form, const char* lat, const char* lng) {
    form.CapturePoint(PagePosition{QString::fromLatin1(lat), QString::fromLatin1(lng)});
  }

  QTemporaryDir temp_;
};

TEST_F(OffshorePanelTest, ThePageIsWrittenIntoAFolderOfThisProcessThatGoesWithTheWindow) {
  // What a killed run left: its folder with the lock that nobody holds now.
  const QString stale = temp_.filePath(QStringLiteral("drevlin-kiLLed"));
  ASSERT_TRUE(QDir().mkpath(stale));
  for (const char* name : {"owner.lock", "k.html"}) {
    QFile file(stale + QLatin1Char('/') + QLatin1String(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  TForm1& form = StartForm();
  EXPECT_FALSE(QFileInfo::exists(stale));
  const QFileInfo page(form.PagePath);
  EXPECT_EQ(page.fileName(), QStringLiteral("k.html"));
  const QString folder = page.absolutePath();
  EXPECT_EQ(QFileInfo(folder).absolutePath(), QDir(temp_.path()).absolutePath());
  struct stat status {};
  ASSERT_EQ(stat(QFile::encodeName(folder).constData(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0700u);
  QFile file(form.PagePath);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), MapPageText(BuiltInMapEndpoints()));
  EXPECT_EQ(form.WebBrowser1->PagePath(), form.PagePath);
  EXPECT_TRUE(dialogs().Events().empty());

  CloseForm();
  EXPECT_FALSE(QFileInfo::exists(folder));
}

TEST_F(OffshorePanelTest, WithoutAPlaceForThePageOneMessageNamesThePathAndTheRestWorks) {
  const QString missing = temp_.filePath(QStringLiteral("missing"));
  machine().SetTempPath(missing);
  TForm1& form = StartForm();
  ASSERT_EQ(dialogs().Messages().size(), 1);
  EXPECT_TRUE(dialogs().Messages()[0].startsWith(QStringLiteral("Cannot make a folder for the map page in ") +
                                                 missing + QStringLiteral("/: ")))
      << dialogs().Messages()[0].toStdString();
  EXPECT_TRUE(form.PagePath.isEmpty());
  Click(form, "35", "139");
  form.Button1->click();
  EXPECT_EQ(form.Memo4->text(), QStringLiteral("0"));
  EXPECT_EQ(dialogs().Messages().size(), 1);
}

TEST_F(OffshorePanelTest, AVariationStartsInTheLocalesFormAndIsReadBack) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  TForm1& form = StartForm();
  EXPECT_EQ(form.Memo5->text(), QStringLiteral("7,2"));
  Click(form, "35", "139");
  EXPECT_EQ(form.Memo5->text(), QStringLiteral("7,2"));
  Click(form, "35", "140");
  EXPECT_TRUE(dialogs().Messages().isEmpty()) << dialogs().Messages().join('|').toStdString();
  EXPECT_EQ(Rows(form).value(1), QStringLiteral("  2  35,000000  140,000000  90  97   83   49,29   91,28"));
  EXPECT_EQ(form.Memo3->text(), QStringLiteral("49,29 Mi"));
}

TEST_F(OffshorePanelTest, TakenPointsFillTheFieldsTheListAndTheTotals) {
  TForm1& form = StartForm();
  Click(form, "35", "139");
  EXPECT_EQ(form.Memo1->text(), QStringLiteral("35"));
  EXPECT_EQ(form.Memo2->text(), QStringLiteral("139"));
  EXPECT_EQ(form.Memo4->text(), QStringLiteral("1"));
  EXPECT_EQ(form.Memo5->text(), QStringLiteral("7.2"));
  EXPECT_TRUE(form.Memo3->text().isEmpty());

  Click(form, "35", "140");
  Click(form, "35", "140");             // the same position again: nothing
  form.RadioButton7->setChecked(true);  // minutes of arc from the next leg on
  Click(form, "35", "139");
  EXPECT_EQ(Rows(form),
            (QStringList{QStringLiteral("  1  35.000000  139.000000"),
                         QStringLiteral("  2  35.000000  140.000000  90  97   83   49.29   91.28"),
                         QStringLiteral("  3  35.000000  139.000000 270 277  -97   49.15")}));
  EXPECT_EQ(form.Memo4->text(), QStringLiteral("3"));
  EXPECT_EQ(form.Memo3->text(), QStringLiteral("98.43 Mi"));
  EXPECT_EQ(form.Memo18->text(), QStringLiteral("182.30 Km"));
  EXPECT_FLOAT_EQ(form.MagVar, 7.2f);
  EXPECT_FLOAT_EQ(form.AvgTwd, 180.0f);
  EXPECT_TRUE(dialogs().Events().empty());
}

TEST_F(OffshorePanelTest, RecalculationRebuildsTheRowsAndKeepsThemOnABadField) {
  TForm1& form = StartForm();
  Click(form, "35", "139");
  Click(form, "35", "140");
  form.Memo6->setText(QStringLiteral("10"));
  form.Button2->click();
  const QStringList rebuilt{QStringLiteral("  1   35.00000   139.00000"),
                            QStringLiteral("  2   35.00000   140.00000    90    97    -87    49.29")};
  EXPECT_EQ(Rows(form), rebuilt);
  EXPECT_EQ(form.Memo3->text(), QStringLiteral("49.29 Mi"));

  form.Memo6->setText(QStringLiteral("east"));
  form.Button2->click();
  EXPECT_EQ(dialogs().Messages(), QStringList{QStringLiteral("'east' is not a valid floating point value")});
  EXPECT_EQ(Rows(form), rebuilt);
}

TEST_F(OffshorePanelTest, ABadFieldRefusesTheClickWithOneMessage) {
  TForm1& form = StartForm();
  Click(form, "35", "139");
  form.Memo5->setText(QStringLiteral("1e300"));
  Click(form, "35", "140");
  EXPECT_EQ(dialogs().Messages(), QStringList{QStringLiteral("Invalid value in MagVar.")});
  EXPECT_EQ(form.Memo4->text(), QStringLiteral("1"));
  EXPECT_EQ(form.ListBox1->count(), 1);
  EXPECT_EQ(form.Memo2->text(), QStringLiteral("139"));
}

TEST_F(OffshorePanelTest, ClearAllEmptiesTheListAndTakesTheLastSpotAgain) {
  TForm1& form = StartForm();
  Click(form, "35", "139");
  Click(form, "35", "140");
  form.Memo6->setText(QStringLiteral("200"));
  form.Button1->click();
  EXPECT_EQ(form.ListBox1->count(), 0);
  EXPECT_EQ(form.Memo4->text(), QStringLiteral("0"));
  for (const QLineEdit* empty : {form.Memo1, form.Memo2, form.Memo3, form.Memo18})
    EXPECT_TRUE(empty->text().isEmpty()) << empty->objectName().toStdString();
  EXPECT_EQ(form.Memo5->text(), QStringLiteral("7.2"));
  EXPECT_EQ(form.Memo6->text(), QStringLiteral("200"));

  Click(form, "35", "140");
  EXPECT_EQ(Rows(form), QStringList{QStringLiteral("  1  35.000000  140.000000")});
  EXPECT_EQ(form.Memo4->text(), QStringLiteral("1"));
}

}  // namespace
}  // namespace drevlin::testing
