// The written pages in a real browser engine (Qt WebEngine, offscreen, no
// network): the scratch page's script fills every allowance cell, and a
// Japanese result page reads back as written, its names as text.
#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInterceptor>

#include "core/html_sheet.h"
#include "testing/sheet_fixtures.h"

namespace kivo {
namespace {

const QLocale kJapanese(QLocale::Japanese, QLocale::Japan);

// Lets the page load local files only.
class LocalFilesOnly : public QWebEngineUrlRequestInterceptor {
 public:
  void interceptRequest(QWebEngineUrlRequestInfo& info) override {
    if (!info.requestUrl().isLocalFile()) {
      blocked.append(info.requestUrl().toString());
      info.block(true);
    }
  }
  QStringList blocked;
};

class SheetPageTest : public fixtures::SheetFixture {
 protected:
  void SetUp() override {
    SheetFixture::SetUp();
    profile_ = std::make_unique<QWebEngineProfile>();  // off the record: nothing kept on disk
    profile_->setUrlRequestInterceptor(&interceptor_);
    page_ = std::make_unique<QWebEnginePage>(profile_.get());
  }
  void TearDown() override {
    page_.reset();
    profile_.reset();
    EXPECT_TRUE(interceptor_.blocked.isEmpty()) << interceptor_.blocked.join(' ').toStdString();
  }

  bool Load(const QString& path) {
    QEventLoop loop;
    bool loaded = false;
    QObject::connect(page_.get(), &QWebEnginePage::loadFinished, &loop, [&](bool ok) {
      loaded = ok;
      loop.quit();
    });
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    page_->load(QUrl::fromLocalFile(path));
    loop.exec();
    return loaded;
  }

  // The value of a script, passed through JSON.
  QVariant Evaluate(const QString& script) {
    QEventLoop loop;
    QVariant result;
    bool done = false;
    page_->runJavaScript(QStringLiteral("JSON.stringify(%1)").arg(script), [&](const QVariant& value) {
      result = value;
      done = true;
      loop.quit();
    });
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    if (!done) loop.exec();
    return QJsonDocument::fromJson(("[" + result.toString() + "]").toUtf8()).array().at(0).toVariant();
  }

  LocalFilesOnly interceptor_;
  std::unique_ptr<QWebEngineProfile> profile_;
  std::unique_ptr<QWebEnginePage> page_;
};

TEST_F(SheetPageTest, EveryAllowanceCellShowsOneDecimal) {
  model_.RaceEntryCount[1] = 7;
  for (int entry = 3; entry <= 7; ++entry) {
    SetBoat(entry, "Boat", "JPN", "Tern", "600");
    model_.BoatVector[1][entry] = QStringLiteral("%1,650,600,580.25,570.5,560.75,550.05").arg(700 + entry);
  }
  model_.BoatVector[1][2] = QStringLiteral("0");
  model_.BoatVector[1][5] = QStringLiteral(
      "612.345678901234,598.765432109876,1.23456789012345E2,9.87654321098765,0.000123456789012,"
      "99.9999999999999,-0.0500000000000");
  WriteScratchHtml(model_, kJapanese);
  ASSERT_TRUE(Load(model_.ScratchHtmlFile));

  const QVariantList cells =
      Evaluate(
          QStringLiteral(
              "Array.from(document.querySelectorAll('td[id^=w]')).map(function (td) { return td.id + '=' + td.textContent; })"))
          .toList();
  ASSERT_EQ(cells.size(), 49);
  const QRegularExpression oneDecimal(QStringLiteral("^w\\d_\\d+=-?\\d+\\.\\d$"));
  for (const QVariant& cell : cells)
    EXPECT_TRUE(oneDecimal.match(cell.toString()).hasMatch()) << cell.toString().toStdString();
  for (int knots : {6, 8, 10, 12, 14, 16, 20})
    EXPECT_TRUE(cells.contains(QStringLiteral("w2_%1=0.0").arg(knots))) << knots;
  EXPECT_TRUE(cells.contains(QStringLiteral("w1_6=700.1")));
  EXPECT_TRUE(cells.contains(QStringLiteral("w5_6=612.3")));
  EXPECT_TRUE(cells.contains(QStringLiteral("w5_10=123.5")));
  EXPECT_TRUE(cells.contains(QStringLiteral("w5_20=-0.1")));
  EXPECT_TRUE(cells.contains(QStringLiteral("w7_12=580.3")));
}

TEST_F(SheetPageTest, AJapaneseResultPageReadsBackAsWritten) {
  model_.Language = 0;
  model_.EventName = QStringLiteral("Fish & Chips 杯");
  model_.EntryName[1] = QStringLiteral("<i>A&B\"</i>");
  WriteResultHtml(model_, kJapanese);
  ASSERT_TRUE(Load(model_.ResultHtmlFile));

  EXPECT_EQ(Evaluate(QStringLiteral("document.characterSet")).toString(), QStringLiteral("Shift_JIS"));
  EXPECT_EQ(Evaluate(QStringLiteral("Array.from(document.querySelectorAll('thead tr:last-child th'))"
                                    ".map(function (th) { return th.textContent; })"))
                .toStringList(),
            (QStringList{"艇　　名", "セールNo", "フィニッシュ日時", "Note", "経過（秒）", "着順", "ﾍﾟﾅﾙﾃｨ",
                         "修正（秒）", "修正順位"}));
  EXPECT_EQ(Evaluate(QStringLiteral("document.getElementById('reportTitle').textContent")).toString(),
            QStringLiteral("レース結果"));
  EXPECT_TRUE(Evaluate(QStringLiteral("document.getElementById('reportHeader').textContent"))
                  .toString()
                  .contains(QStringLiteral("Fish & Chips 杯")));
  EXPECT_EQ(
      Evaluate(QStringLiteral("document.querySelectorAll('td.col_YachtName')[1].textContent")).toString(),
      QStringLiteral("<i>A&B\"</i>"));
  EXPECT_EQ(Evaluate(QStringLiteral("document.querySelectorAll('i').length")).toInt(), 0);
  EXPECT_EQ(Evaluate(QStringLiteral("document.querySelectorAll('td.col_CorrectedSeconds')[0].textContent"))
                .toString(),
            QStringLiteral("3960"));
}

TEST_F(SheetPageTest, AnEnglishPageDecodesItsFewJapaneseNamesByItsLabel) {
  // Too little Japanese for the browser to guess the code page: only the
  // page's own label decodes the name.
  model_.EntryName[2] = QStringLiteral("翔鶴");
  WriteResultHtml(model_, kJapanese);
  ASSERT_TRUE(Load(model_.ResultHtmlFile));
  EXPECT_EQ(Evaluate(QStringLiteral("document.characterSet")).toString(), QStringLiteral("Shift_JIS"));
  EXPECT_EQ(
      Evaluate(QStringLiteral("document.querySelectorAll('td.col_YachtName')[0].textContent")).toString(),
      QStringLiteral("翔鶴"));
}

}  // namespace
}  // namespace kivo

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
