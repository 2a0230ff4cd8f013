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

  // A spot up and left of the centre: the map pans each clicked spot to the
  // centre, so the markers drift down and right and the next click there
  // lands on the map, never on a marker.
  static QPoint NextSpot(const TForm1& form) {
    return QPoint(form.WebBrowser1->width() / 2 - 120, form.WebBrowser1->height() / 2 - 90);
  }

  // The markers on the map.
  static int Markers(TForm1& form) {
    return RunScript(*form.WebBrowser1,
                     QStringLiteral("document.querySelectorAll('.leaflet-marker-icon').length"))
        .toInt();
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
      expected, {firstTexts[0], firstTexts[1], QStringLiteral("7.2"), QStringLiteral("180"), 1}, QLocale());
  const CaptureResult secondPoint = TakePoint(
      expected, {secondTexts[0], secondTexts[1], firstPoint.magVarText, QStringLiteral("180"), 1}, QLocale());
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

TEST_F(CaptureTest, ARefusedClickLeavesNoMarkerSoTheMapShowsTheListedPoints) {
  TForm1& form = StartWithMap();
  ClickAndSettle(form, NextSpot(form));
  ClickAndSettle(form, NextSpot(form));
  ASSERT_EQ(form.ListBox1->count(), 2);
  EXPECT_EQ(Markers(form), 2);

  struct Refusal {
    QLineEdit* TForm1::*field;
    const char* text;
    const char* message;
  } const refusals[] = {
      {&TForm1::Memo5, "x", "'x' is not a valid floating point value"},
      {&TForm1::Memo5, "200", "Invalid value in MagVar."},
      {&TForm1::Memo6, "400", "Invalid value in Avg TWD"},
  };
  for (const Refusal& r : refusals) {
    SCOPED_TRACE(r.text);
    dialogs().Clear();
    QLineEdit* field = form.*r.field;
    const QString kept = field->text();
    field->setText(QString::fromLatin1(r.text));
    ClickAndSettle(form, NextSpot(form));
    EXPECT_EQ(dialogs().Messages(), QStringList{QString::fromLatin1(r.message)});
    EXPECT_EQ(form.ListBox1->count(), 2);
    EXPECT_EQ(Markers(form), 2);
    field->setText(kept);
  }

  // The page still holds the last refused spot: a later signal takes it, and
  // its marker comes back with it.
  dialogs().Clear();
  emit form.WebBrowser1->pageActivity();
  EXPECT_TRUE(WaitFor([&] { return form.ListBox1->count() == 3; }));
  EXPECT_TRUE(WaitFor([&] { return Markers(form) == 3; }));

  // A click on the spot taken last adds no row and leaves one marker there.
  ClickAndSettle(form, QPoint(form.WebBrowser1->width() / 2, form.WebBrowser1->height() / 2 + 20));
  ClickAndSettle(form, NextSpot(form));
  const int rows = form.ListBox1->count();
  EXPECT_EQ(Markers(form), rows);

  form.Memo6->setText(QStringLiteral("90"));
  form.Button2->click();
  EXPECT_EQ(form.ListBox1->count(), rows);
  EXPECT_EQ(Markers(form), rows);

  QSignalSpy loaded(form.WebBrowser1->Page(), &QWebEnginePage::loadFinished);
  form.Button1->click();
  ASSERT_TRUE(loaded.wait(kWebTimeoutMs));
  ASSERT_TRUE(WaitForMap(*form.WebBrowser1));
  EXPECT_EQ(form.ListBox1->count(), 0);
  EXPECT_EQ(Markers(form), 0);
}

TEST_F(CaptureTest, TheHundredthClickIsRefusedWithoutAMarker) {
  TForm1& form = StartWithMap();
  // 98 points far from the map's view, then two clicks on it.
  for (int i = 1; i < kMaxPoints; ++i)
    form.CapturePoint({QStringLiteral("-40"), QString::number(-60 + i * 0.01, 'f', 2)});
  ASSERT_EQ(form.ListBox1->count(), kMaxPoints - 1);
  dialogs().Clear();
  ClickAndSettle(form, NextSpot(form));
  ASSERT_EQ(form.ListBox1->count(), kMaxPoints);
  ClickAndSettle(form, NextSpot(form));
  EXPECT_EQ(dialogs().Messages(),
            QStringList{QStringLiteral("The list is full (99 points). Clear All starts a new one.")});
  EXPECT_EQ(form.ListBox1->count(), kMaxPoints);
  EXPECT_EQ(Markers(form), kMaxPoints);
}

}  // namespace
}  // namespace drevlin::testing
