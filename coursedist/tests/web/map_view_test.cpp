// The map page in the real web view, offline: the library from the
// program's own copy, what the page may reach, clicks and their signal.
#include <memory>

#include <gtest/gtest.h>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "qt/testing/doubles.h"
#include "web_testing.h"

namespace drevlin {
namespace {

using testing::ClickAt;
using testing::RunScript;
using testing::WaitFor;

class MapViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.isValid());
    pagePath_ = folder_.filePath(QStringLiteral("k.html"));
    WriteMapPageFile(pagePath_, testing::TestEndpoints());
    view_ = std::make_unique<MapView>(nullptr, testing::TestEndpoints());
    view_->resize(800, 600);
    view_->show();
    QSignalSpy loaded(view_->Page(), &QWebEnginePage::loadFinished);
    view_->Navigate(pagePath_);
    ASSERT_TRUE(loaded.wait(testing::kWebTimeoutMs));
    ASSERT_TRUE(loaded.first().first().toBool());
    ASSERT_TRUE(testing::WaitForMap(*view_)) << "the map library did not load";
  }

  // Reads the position inputs through the view, as the capture does.
  std::optional<PagePosition> ReadPosition() {
    bool answered = false;
    std::optional<PagePosition> position;
    view_->ReadPosition([&](std::optional<PagePosition> answer) {
      position = std::move(answer);
      answered = true;
    });
    EXPECT_TRUE(WaitFor([&] { return answered; }));
    return position;
  }

  platform::testing::ScopedDoubles doubles_;
  QTemporaryDir folder_;
  QString pagePath_;
  std::unique_ptr<MapView> view_;
};

TEST_F(MapViewTest, TheLibraryComesFromTheProgramAndNothingLeavesTheMachine) {
  EXPECT_EQ(RunScript(*view_, QStringLiteral("map.getZoom()")).toInt(), 6);
  // The tiles were asked for on the configured host and refused; the library
  // never went to its host, and the old style sheet's import is not asked for.
  ASSERT_TRUE(WaitFor([&] {
    return !view_->Interceptor()
                ->RefusedRequests()
                .filter(QStringLiteral("http://tiles.gsi.test/xyz/std/6/"))
                .isEmpty();
  }));
  for (const QString& address : view_->Interceptor()->RefusedRequests()) {
    EXPECT_FALSE(address.startsWith(QStringLiteral("http://lib.test"))) << address.toStdString();
  }
  EXPECT_EQ(RunScript(*view_, QStringLiteral("document.getElementById('lat').value")).toString(), QString());
}

TEST_F(MapViewTest, AClickSetsTheInputsRaisesTheSignalAndShowsTheMarker) {
  QSignalSpy activity(view_.get(), &MapView::pageActivity);
  const QPoint point(300, 200);
  const auto [lat, lng] = testing::LatLngAt(*view_, point);
  ClickAt(*view_, point);
  ASSERT_TRUE(activity.wait(testing::kWebTimeoutMs));
  EXPECT_EQ(activity.size(), 1);

  const std::optional<PagePosition> position = ReadPosition();
  ASSERT_TRUE(position.has_value());
  EXPECT_EQ(position->lat.toDouble(), lat);
  EXPECT_EQ(position->lng.toDouble(), lng);

  // The marker's picture comes from the embedded style sheet's folder.
  ASSERT_TRUE(WaitFor([&] {
    return RunScript(*view_,
                     QStringLiteral("(function () { var m = document.querySelector('.leaflet-marker-icon');"
                                    " return !!m && m.complete && m.naturalWidth > 0; })()"))
        .toBool();
  }));
  EXPECT_EQ(
      RunScript(*view_, QStringLiteral("document.querySelector('.leaflet-marker-icon').src")).toString(),
      QStringLiteral("qrc:/leaflet-0.7.3/images/marker-icon.png"));
}

TEST_F(MapViewTest, TheInputsAreReadByIdIgnoringCaseAndTheLastOneWins) {
  RunScript(*view_, QStringLiteral("document.getElementById('lat').value = '35.1';"
                                   "document.getElementById('lng').value = '139.2';"
                                   "var extra = document.createElement('input'); extra.id = 'LNG';"
                                   "extra.value = '140.5'; document.body.appendChild(extra); true"));
  const std::optional<PagePosition> position = ReadPosition();
  ASSERT_TRUE(position.has_value());
  EXPECT_EQ(position->lat, QStringLiteral("35.1"));
  EXPECT_EQ(position->lng, QStringLiteral("140.5"));
}

TEST_F(MapViewTest, AnAnswerFromAReplacedPageIsDropped) {
  bool answered = false;
  std::optional<PagePosition> position = PagePosition{};
  view_->ReadPosition([&](std::optional<PagePosition> answer) {
    position = std::move(answer);
    answered = true;
  });
  emit view_->Page()->loadStarted();
  ASSERT_TRUE(WaitFor([&] { return answered; }));
  EXPECT_FALSE(position.has_value());
}

TEST_F(MapViewTest, APageScriptCannotReadTheUsersFiles) {
  const QString secret = folder_.filePath(QStringLiteral("secret.txt"));
  {
    QFile file(secret);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("private");
  }
  const QString read = RunScript(*view_, QStringLiteral("(function () { try { var r = new XMLHttpRequest();"
                                                        " r.open('GET', '%1', false); r.send();"
                                                        " return 'read:' + r.responseText; }"
                                                        " catch (e) { return 'refused'; } })()")
                                             .arg(QUrl::fromLocalFile(secret).toString()))
                           .toString();
  EXPECT_EQ(read, QStringLiteral("refused"));
}

TEST_F(MapViewTest, AttributionLinksOpenInTheDesktopBrowser) {
  // The tile authority's link opens a new window; the library's own link
  // would replace the map.
  const struct {
    const char* selector;
    const char* address;
  } links[] = {
      {"a[target=_blank]", "https://site.gsi.test/development/ichiran.html"},
      {"a:not([target])", "https://leafletjs.com/"},
  };
  for (const auto& link : links) {
    SCOPED_TRACE(link.selector);
    doubles_.shell.Clear();
    const QVariantList centre =
        RunScript(*view_, QStringLiteral("(function () { var a = document.querySelector("
                                         "'.leaflet-control-attribution %1'); if (!a) return null;"
                                         " var r = a.getBoundingClientRect();"
                                         " return [r.left + r.width / 2, r.top + r.height / 2]; })()")
                              .arg(QLatin1String(link.selector)))
            .toList();
    ASSERT_EQ(centre.size(), 2);
    ClickAt(*view_, QPoint(centre[0].toInt(), centre[1].toInt()));
    ASSERT_TRUE(WaitFor([&] { return !doubles_.shell.Calls().empty(); }));
    EXPECT_EQ(doubles_.shell.Calls(),
              (std::vector<platform::testing::ShellCall>{
                  {platform::testing::ShellCall::Kind::OpenDocument, QString::fromLatin1(link.address)}}));
    EXPECT_EQ(view_->Browser()->url(), QUrl::fromLocalFile(pagePath_));
    EXPECT_TRUE(testing::WaitForMap(*view_));
  }
}

TEST(MapViewWithoutEngine, IsAnEmptyAreaThatReadsNothing) {
  SetWebEngineEnabled(false);
  MapView view(nullptr, testing::TestEndpoints());
  SetWebEngineEnabled(true);
  EXPECT_EQ(view.Browser(), nullptr);
  view.Navigate(QStringLiteral("/nowhere/k.html"));
  EXPECT_EQ(view.PagePath(), QStringLiteral("/nowhere/k.html"));
  bool answered = false;
  view.ReadPosition([&](std::optional<PagePosition> position) {
    answered = true;
    EXPECT_FALSE(position.has_value());
  });
  EXPECT_TRUE(answered);
}

}  // namespace
}  // namespace drevlin
