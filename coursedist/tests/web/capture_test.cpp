// Points taken from the real map in the window, offline: clicks on the
// browser go through the page's own handlers to the point list.
#include <QSignalSpy>
#include <QTest>

#include "core/offshore_list.h"
#include "form_fixture.h"
#include "web_testing.h"

namespace drevlin::testing {
namespace {

class CaptureTest : public FormFixture {
 protected:
  TForm1& StartWithMap() {
    TForm1& form = StartForm();
    EXPECT_TRUE(WaitForMap(*form.WebBrowser1)) << "the map did not load";
    CountMoves(*form.WebBrowser1);
    return form;
  }

  // Clicks there and waits until the capture that follows has finished and
  // the map has panned to the spot.
  static void ClickAndSettle(TForm1& form, QPoint point) {
    const int moves = Moves(*form.WebBrowser1);
    QSignalSpy activity(form.WebBrowser1, &MapView::pageActivity);
    ClickAt(*form.WebBrowser1, point);
    EXPECT_TRUE(activity.wait(kWebTimeoutMs)) << "no signal after the click";
    EXPECT_TRUE(WaitFor([&] { return !form.CaptureRunning; }));
    EXPECT_TRUE(WaitFor([&] { return Moves(*form.WebBrowser1) > moves; })) << "no pan";
  }

};

TEST_F(CaptureTest, ClicksOnTheMapBecomeLegs) {
  TForm1& form = StartWithMap();
  MapView& view = *form.WebBrowser1;
  // The tiles were asked for on the configured host, and refused.
  EXPECT_TRUE(WaitFor([&] {
    return !view.Interceptor()
                ->RefusedRequests()
                .filter(BuiltInMapEndpoints().gsiTiles + QStringLiteral("/xyz/std/6/"))
                .isEmpty();
  }));

  const QPoint first(100, 150);
  const QStringList firstTexts = PositionTextsAt(view, first);
  ClickAndSettle(form, first);
  const QPoint second(250, 350);
  const QStringList secondTexts = PositionTextsAt(view, second);
  ASSERT_EQ(secondTexts.size(), 2);
  ClickAndSettle(form, second);

  EXPECT_EQ(form.Memo4->text(), QStringLiteral("2"));
  EXPECT_EQ(form.Memo1->text(), secondTexts[0].left(10));
  EXPECT_EQ(form.Memo2->text(), secondTexts[1].left(11));
  // The same texts through the plain list give the same legs.
  OffshoreCourse expected;
  const CaptureResult firstPoint = TakePoint(
      expected, {firstTexts[0], firstTexts[1], QStringLiteral("7.2"), QStringLiteral("180"), 1},
      QLocale());
  const CaptureResult secondPoint = TakePoint(
      expected, {secondTexts[0], secondTexts[1], firstPoint.magVarText, QStringLiteral("180"), 1},
      QLocale());
  EXPECT_EQ(Rows(form), (QStringList{firstPoint.row, secondPoint.row}));
  EXPECT_EQ(form.Memo3->text(), secondPoint.totalMilesText);
  EXPECT_EQ(form.Memo18->text(), secondPoint.totalKmText);

  // Signals without a new click add nothing.
  for (int i = 0; i < 3; ++i) {
    emit view.pageActivity();
    EXPECT_TRUE(WaitFor([&] { return !form.CaptureRunning; }));
  }
  EXPECT_EQ(form.ListBox1->count(), 2);

  // A variation that is no number: one message, no point.
  form.Memo5->setText(QStringLiteral("x"));
  ClickAndSettle(form, QPoint(150, 450));
  EXPECT_EQ(dialogs().Messages(), QStringList{QStringLiteral("'x' is not a valid floating point value")});
  EXPECT_EQ(form.Memo4->text(), QStringLiteral("2"));
  EXPECT_EQ(form.ListBox1->count(), 2);
}

TEST_F(CaptureTest, AfterClearAllTheSameSpotIsTakenAgain) {
  TForm1& form = StartWithMap();
  const QPoint spot(120, 200);
  const QStringList texts = PositionTextsAt(*form.WebBrowser1, spot);
  ClickAndSettle(form, spot);
  ASSERT_EQ(form.Memo4->text(), QStringLiteral("1"));

  // The page comes again from its file, in its first view.
  QSignalSpy loaded(form.WebBrowser1->Page(), &QWebEnginePage::loadFinished);
  form.Button1->click();
  ASSERT_TRUE(loaded.wait(kWebTimeoutMs));
  ASSERT_TRUE(WaitForMap(*form.WebBrowser1));
  CountMoves(*form.WebBrowser1);
  EXPECT_EQ(form.Memo4->text(), QStringLiteral("0"));
  EXPECT_EQ(PositionTextsAt(*form.WebBrowser1, spot), texts);

  ClickAndSettle(form, spot);
  EXPECT_EQ(form.Memo4->text(), QStringLiteral("1"));
  EXPECT_EQ(form.ListBox1->count(), 1);
  EXPECT_EQ(form.Memo1->text(), texts[0].left(10));
}

}  // namespace
}  // namespace drevlin::testing
