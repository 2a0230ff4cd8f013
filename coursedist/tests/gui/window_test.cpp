// The window: its start, components and fonts, the two course modes and the
// window that goes with each, the help in both modes, the mile unit switch
// and the key chord of the test controls.
#include <set>

#include <QFontInfo>
#include <QFontMetrics>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include "core/offshore_list.h"
#include "form_fixture.h"

namespace drevlin::testing {
namespace {

class WindowTest : public FormFixture {
 protected:
  // The frame's share of the window's size.
  static QSize FrameSize(const TForm1& form) { return OuterSize(form) - form.size(); }

  static void PressChord(TForm1& form, Qt::Key key) {
    QTest::keyClick(form.windowHandle(), key, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
  }

  // Where `widget` lies in the window's client area.
  static QRect InClient(const TForm1& form, const QWidget* widget) {
    return QRect(widget->mapTo(&form, QPoint(0, 0)), widget->size());
  }
};

TEST_F(WindowTest, FreshStartIsOffshoreWithItsStartValues) {
  TForm1& form = StartForm();

  EXPECT_EQ(form.windowTitle(), QStringLiteral("Drevlin"));
  EXPECT_TRUE(form.windowState().testFlag(Qt::WindowMaximized));
  EXPECT_TRUE(form.RadioButton1->isChecked());
  EXPECT_FALSE(form.RadioButton2->isChecked());
  EXPECT_TRUE(form.RadioButton6->isChecked());
  EXPECT_TRUE(form.RadioButton3->isChecked());
  EXPECT_EQ(form.CourseMode, 0);
  EXPECT_EQ(form.MileUnit, 1);
  EXPECT_EQ(form.HelpShown, 0);
  EXPECT_FALSE(form.DebugShown);

  for (const QWidget* shown : {static_cast<QWidget*>(form.Label27), static_cast<QWidget*>(form.Memo18),
                               static_cast<QWidget*>(form.Label28)})
    EXPECT_TRUE(shown->isVisible()) << shown->objectName().toStdString();
  for (const QWidget* hidden : {static_cast<QWidget*>(form.Panel2), static_cast<QWidget*>(form.Panel5),
                                static_cast<QWidget*>(form.Button5), static_cast<QWidget*>(form.Edit7)})
    EXPECT_TRUE(hidden->isHidden()) << hidden->objectName().toStdString();

  EXPECT_EQ(form.Memo4->text(), QStringLiteral("0"));
  EXPECT_EQ(form.Memo5->text(), QStringLiteral("7.2"));
  EXPECT_EQ(form.Memo6->text(), QStringLiteral("180"));
  for (const QLineEdit* empty :
       {form.Memo1, form.Memo2, form.Memo3, form.Memo18, form.Edit1, form.Edit6, form.Memo7, form.Memo17})
    EXPECT_TRUE(empty->text().isEmpty()) << empty->objectName().toStdString();
  EXPECT_EQ(form.ListBox1->count(), 0);
  EXPECT_EQ(form.Course.PointCount, 0);
  EXPECT_EQ(form.Course.PointLat.size(), 100u);
  EXPECT_EQ(form.Course.PointMiles.size(), 100u);

  // The control panel on the right, the map area in the rest.
  EXPECT_EQ(form.Panel1->geometry(), QRect(form.width() - 409, 0, 409, form.height()));
  EXPECT_EQ(form.WebBrowser1->geometry(), QRect(0, 0, form.width() - 409, form.height()));
  EXPECT_EQ(form.Panel2->geometry().topLeft(), QPoint(0, 90));
  EXPECT_EQ(form.Panel2->height(), form.Panel1->height() - 70);

  EXPECT_EQ(machine().Beeps(), 0);
  EXPECT_TRUE(dialogs().Events().empty());
}

TEST_F(WindowTest, ComponentsCarryTheirNamesCaptionsAndPlaces) {
  TForm1& form = StartForm();
  struct Component {
    QWidget* widget;
    const char* name;
    QRect geometry;  // empty: not checked
  } const components[] = {
      {form.WebBrowser1, "WebBrowser1", {}},
      {form.Panel1, "Panel1", {}},
      {form.Panel3, "Panel3", {24, 8, 361, 33}},
      {form.Panel4, "Panel4", {24, 46, 361, 33}},
      {form.Memo1, "Memo1", {55, 119, 74, 17}},
      {form.Memo2, "Memo2", {176, 118, 74, 17}},
      {form.Memo4, "Memo4", {344, 120, 41, 17}},
      {form.Memo5, "Memo5", {72, 168, 49, 19}},
      {form.Memo6, "Memo6", {200, 168, 49, 17}},
      {form.Button2, "Button2", {328, 168, 57, 17}},
      {form.ListBox1, "ListBox1", {16, 240, 375, 145}},
      {form.Button1, "Button1", {16, 392, 89, 25}},
      {form.Memo3, "Memo3", {296, 393, 94, 21}},
      {form.Memo18, "Memo18", {296, 425, 94, 21}},
      {form.Label1, "Label1", {}},
      {form.Label5, "Label5", {}},
      {form.Label14, "Label14", {}},
      {form.Label28, "Label28", {}},
      {form.Panel2, "Panel2", {}},
      {form.GroupBox1, "GroupBox1", {}},
      {form.RadioButton5, "RadioButton5", {}},
      {form.Edit6, "Edit6", {}},
      {form.Button3, "Button3", {}},
      {form.Memo17, "Memo17", {}},
      {form.Label24, "Label24", {}},
      {form.Button5, "Button5", {}},
      {form.Edit7, "Edit7", {}},
      {form.Panel5, "Panel5", {}},
      {form.Image1, "Image1", {}},
      {form.ScrollBar1, "ScrollBar1", {}},
      {form.Panel6, "Panel6", {}},
      {form.Panel7, "Panel7", {}},
  };
  for (const Component& c : components) {
    EXPECT_EQ(c.widget->objectName(), QString::fromLatin1(c.name));
    if (!c.geometry.isNull()) {
      EXPECT_EQ(c.widget->geometry(), c.geometry) << c.name;
    }
  }
  EXPECT_EQ(form.Label1->pos(), QPoint(17, 123));
  EXPECT_EQ(form.Label5->y(), 220);
  EXPECT_EQ(form.Label28->y(), 220);

  EXPECT_EQ(form.Label5->text(), QStringLiteral(" PT     LAT        LON     COt COm  TWA      Mi"));
  EXPECT_EQ(form.Label28->text(), QStringLiteral("( Km )"));
  EXPECT_EQ(form.Button1->text(), QStringLiteral("Clear\u3000All"));
  EXPECT_EQ(form.Button2->text(), QStringLiteral("再計算"));
  EXPECT_EQ(form.Label14->text(), QStringLiteral("?"));
  EXPECT_EQ(form.RadioButton7->text(), QStringLiteral("1Mi = 1' (Minute)"));
  EXPECT_EQ(form.GroupBox1->title(), QStringLiteral(" Input Data Format "));
  EXPECT_EQ(form.RadioButton4->text(), QStringLiteral("DD:MM.MMMM (35:12.345)"));
  EXPECT_EQ(form.Button3->text(), QStringLiteral("CALC"));
  EXPECT_EQ(form.Button4->text(), QStringLiteral("Clear All"));
  EXPECT_EQ(form.Label15->text(), QStringLiteral("L→W"));
  EXPECT_EQ(form.Label24->text(), QStringLiteral("L-W-L-W-L-W"));
  EXPECT_EQ(form.Panel6->text(), QStringLiteral("Drevlin Help"));
  EXPECT_EQ(form.Panel6->height(), 30);
  EXPECT_EQ(form.Panel7->text(), QStringLiteral("X"));
  EXPECT_EQ(form.Panel7->size(), QSize(22, 22));
  EXPECT_EQ(form.ScrollBar1->orientation(), Qt::Vertical);
  EXPECT_EQ(form.Image1->size(), QSize(1024, 1534));
  EXPECT_FALSE(form.Image1->pixmap().isNull());

  // The window's Japanese fonts, the point list's of fixed pitch.
  EXPECT_EQ(form.font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
  EXPECT_EQ(form.font().pixelSize(), 12);
  EXPECT_EQ(QFontInfo(form.font()).family(), QStringLiteral("Noto Sans CJK JP"));
  EXPECT_EQ(form.ListBox1->font().family(), QStringLiteral("ＭＳ ゴシック"));
  EXPECT_EQ(QFontInfo(form.ListBox1->font()).family(), QStringLiteral("Noto Sans Mono CJK JP"));
  const QFontMetrics listMetrics(form.ListBox1->font());
  EXPECT_EQ(listMetrics.horizontalAdvance(QLatin1Char('i')), listMetrics.horizontalAdvance(QLatin1Char('W')));
  EXPECT_TRUE(form.Label8->font().bold());
  EXPECT_EQ(form.Label14->font().pixelSize(), 24);
  EXPECT_EQ(form.Memo3->font().pixelSize(), 15);
}

TEST_F(WindowTest, ThePointListHeaderLinesUpWithTheRows) {
  TForm1& form = StartForm();
  // A row that holds the header's own texts at their columns: drawn in the
  // same font from the same left edge, its ink falls in the same pixel
  // columns as the header's.
  const QString header = form.Label5->text();
  form.ListBox1->addItem(header + QString(kKmHeaderColumn - header.size(), QLatin1Char(' ')) +
                         form.Label28->text());
  const QImage panel = form.Panel1->grab().toImage();
  const QRect item = form.ListBox1->visualItemRect(form.ListBox1->item(0));
  const QRect row(form.ListBox1->viewport()->mapTo(form.Panel1, item.topLeft()), item.size());
  const QRect title = form.Label5->geometry().united(form.Label28->geometry());

  // The pixel columns, in the panel, where something else than the strip's
  // background is drawn.
  const auto inkColumns = [&panel](const QRect& strip) {
    const QRgb background = panel.pixel(strip.topLeft());
    std::set<int> columns;
    for (int x = strip.left(); x <= strip.right(); ++x)
      for (int y = strip.top(); y <= strip.bottom(); ++y)
        if (panel.pixel(x, y) != background) columns.insert(x);
    return columns;
  };
  const std::set<int> titleInk = inkColumns(title);
  ASSERT_FALSE(titleInk.empty());
  EXPECT_EQ(titleInk, inkColumns(row));
}

TEST_F(WindowTest, InshoreIsAFixedCentredWindowWithOneBeep) {
  TForm1& form = StartForm();
  form.RadioButton2->setChecked(true);

  EXPECT_EQ(form.CourseMode, 2);
  EXPECT_EQ(machine().Beeps(), 1);
  EXPECT_FALSE(form.windowState().testFlag(Qt::WindowMaximized));
  EXPECT_EQ(form.width(), 409);
  EXPECT_EQ(OuterSize(form).height(), 600);
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  EXPECT_EQ(form.WebBrowser1->width(), 0);
  EXPECT_TRUE(form.Panel2->isVisible());
  EXPECT_EQ(form.Panel1->geometry(), form.rect());
  const QRect screen = form.screen()->geometry();
  EXPECT_EQ(form.frameGeometry().left(), (screen.width() - OuterSize(form).width()) / 2);
  EXPECT_EQ(form.frameGeometry().top(), (screen.height() - 600) / 2);

  // A drag or a window manager cannot change its size, and a resize lays
  // nothing out: no second beep.
  const QSize size = form.size();
  form.resize(900, 700);
  form.FormResize();
  QTest::qWait(20);
  EXPECT_EQ(form.size(), size);
  EXPECT_EQ(machine().Beeps(), 1);

  // Back to Offshore: 1200 × 600 restored, then maximized, resizable again.
  form.RadioButton1->setChecked(true);
  EXPECT_TRUE(form.windowState().testFlag(Qt::WindowMaximized));
  EXPECT_EQ(form.normalGeometry().size() + FrameSize(form), QSize(1200, 600));
  EXPECT_EQ(form.maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
  EXPECT_TRUE(form.Panel2->isHidden());
  EXPECT_EQ(form.CourseMode, 2);  // only a layout sets it
  EXPECT_EQ(machine().Beeps(), 1);

  form.RadioButton2->setChecked(true);
  EXPECT_EQ(machine().Beeps(), 2);
}

TEST_F(WindowTest, OffshoreHelpCoversTheWindowAndFollowsItsSize) {
  TForm1& form = StartForm();
  form.Label14->Click();
  EXPECT_EQ(form.HelpShown, 1);
  EXPECT_TRUE(form.Panel5->isVisible());
  EXPECT_EQ(form.Panel5->geometry(), form.rect());

  // A window wider than the help shows it centred between the left edge and
  // the scroll bar.
  form.setWindowState(Qt::WindowNoState);
  form.resize(1400, 900);
  EXPECT_EQ(form.Panel5->geometry(), form.rect());
  const int left = (1400 - 1024 - 17) / 2;
  EXPECT_EQ(form.Image1->geometry(), QRect(left, 30, 1024, 1534));
  EXPECT_EQ(form.Panel6->geometry(), QRect(left, 0, 1024, 30));
  EXPECT_EQ(InClient(form, form.Panel7).right(), left + 1024 - 35 + 21);
  EXPECT_EQ(form.ScrollBar1->geometry(), QRect(1400 - 17, 0, 17, 900));
  EXPECT_EQ(form.ScrollBar1->maximum(), 1534 + 30 - 900);
  EXPECT_EQ(form.ScrollBar1->value(), 0);

  // The image moves under the title bar.
  form.ScrollBar1->setValue(200);
  EXPECT_EQ(form.Image1->y(), 30 - 200);
  EXPECT_EQ(form.Panel6->y(), 0);

  // Taller than the help: nothing to scroll, never a negative range.
  form.resize(1400, 1700);
  EXPECT_EQ(form.ScrollBar1->minimum(), 0);
  EXPECT_EQ(form.ScrollBar1->maximum(), 0);
  EXPECT_EQ(form.Image1->y(), 30);

  form.Panel7->Click();
  EXPECT_EQ(form.HelpShown, 0);
  EXPECT_TRUE(form.Panel5->isHidden());
  EXPECT_TRUE(form.Panel2->isHidden());
  EXPECT_EQ(machine().Beeps(), 0);
}

TEST_F(WindowTest, InshoreHelpKeepsItsCloseBoxInsideAndClosingLaysInshoreOutAgain) {
  TForm1& form = StartForm();
  form.RadioButton2->setChecked(true);
  ASSERT_EQ(machine().Beeps(), 1);
  const QSize inshoreSize = form.size();

  form.Label14->Click();
  EXPECT_EQ(machine().Beeps(), 1);
  EXPECT_EQ(form.Panel5->geometry(), form.rect());
  EXPECT_EQ(form.Image1->x(), 0);
  EXPECT_EQ(form.Panel6->geometry(), QRect(0, 0, 409 - 17, 30));
  const QRect closeBox = InClient(form, form.Panel7);
  EXPECT_GE(closeBox.left(), 0);
  EXPECT_LE(closeBox.right(), form.width() - 17 - 1);
  EXPECT_GE(form.ScrollBar1->maximum(), 0);
  EXPECT_EQ(form.ScrollBar1->maximum(), 1534 + 30 - form.height());

  // Moved away meanwhile, the inshore window is centred again with a beep.
  form.move(10, 10);
  form.Panel7->Click();
  EXPECT_EQ(machine().Beeps(), 2);
  EXPECT_TRUE(form.Panel5->isHidden());
  EXPECT_TRUE(form.Panel2->isVisible());
  EXPECT_EQ(form.frameGeometry().top(), (form.screen()->geometry().height() - 600) / 2);
  EXPECT_EQ(form.size(), inshoreSize);
}

TEST_F(WindowTest, MileUnitShowsTheKilometresOnlyFor1852Metres) {
  TForm1& form = StartForm();
  form.RadioButton7->setChecked(true);
  EXPECT_EQ(form.MileUnit, 0);
  EXPECT_TRUE(form.Label27->isHidden());
  EXPECT_TRUE(form.Memo18->isHidden());
  EXPECT_TRUE(form.Label28->isHidden());
  form.RadioButton6->setChecked(true);
  EXPECT_EQ(form.MileUnit, 1);
  EXPECT_TRUE(form.Label27->isVisible());
  EXPECT_TRUE(form.Memo18->isVisible());
  EXPECT_TRUE(form.Label28->isVisible());
}

TEST_F(WindowTest, CtrlAltShiftWithAKeyTogglesTheTestControls) {
  TForm1& form = StartForm();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));

  PressChord(form, Qt::Key_D);
  EXPECT_TRUE(form.DebugShown);
  EXPECT_FALSE(form.Button5->isHidden());
  EXPECT_FALSE(form.Edit7->isHidden());

  // Not all three held, or only the modifiers pressed: nothing changes.
  QTest::keyClick(form.windowHandle(), Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier);
  QTest::keyClick(form.windowHandle(), Qt::Key_Shift,
                  Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
  EXPECT_TRUE(form.DebugShown);

  // The same with the keys in a field of the inshore panel.
  form.RadioButton2->setChecked(true);
  form.Edit1->setFocus();
  QTest::keyClick(form.windowHandle(), '3');
  QTest::keyClick(form.windowHandle(), '5');
  EXPECT_EQ(form.Edit1->text(), QStringLiteral("35"));
  PressChord(form, Qt::Key_F1);
  EXPECT_FALSE(form.DebugShown);
  EXPECT_TRUE(form.Button5->isHidden());
  EXPECT_TRUE(form.Edit7->isHidden());
}

TEST_F(WindowTest, MessagesAreTitledWithTheProgramsName) {
  TForm1& form = StartForm();
  form.Button3->click();
  ASSERT_EQ(dialogs().Events().size(), 1u);
  EXPECT_EQ(dialogs().Events()[0].title, QStringLiteral("drevlin"));
  EXPECT_EQ(dialogs().Events()[0].text, QStringLiteral("Fill all value"));
}

}  // namespace
}  // namespace drevlin::testing
