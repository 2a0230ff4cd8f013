// The inshore calculator through its fields: the test marks in both mile
// units, the side mark written back in each format and read again, marks in
// the south, the west and across 180°, refused and unreadable fields, Enter.
#include <QApplication>
#include <QTest>
#include <QWindow>

#include "core/number_text.h"
#include "form_fixture.h"

namespace drevlin::testing {
namespace {

class InshoreTest : public FormFixture {
 protected:
  TForm1& StartInshore() {
    TForm1& form = StartForm();
    form.RadioButton2->setChecked(true);
    return form;
  }

  static void TypeMarks(TForm1& form, QRadioButton* format, const QStringList& texts) {
    format->setChecked(true);
    QLineEdit* const fields[] = {form.Edit1, form.Edit2, form.Edit3, form.Edit4, form.Edit5, form.Edit6};
    for (int i = 0; i < 6; ++i) fields[i]->setText(i < texts.size() ? texts[i] : QString());
  }

  // Types into the inshore variation field as the officer does.
  static void TypeVariation(TForm1& form, const QString& text) {
    form.Memo19->clear();
    QTest::keyClicks(form.Memo19, text);
  }

  static QStringList Legs(const TForm1& form) {
    QStringList texts;
    for (const QLineEdit* memo : {form.Memo10, form.Memo11, form.Memo12, form.Memo13, form.Memo14,
                                  form.Memo15, form.Memo16, form.Memo17})
      texts << memo->text();
    return texts;
  }

  static QStringList Totals(const TForm1& form) {
    return {form.Memo7->text(), form.Memo8->text(), form.Memo9->text()};
  }
};

TEST_F(InshoreTest, TestMarksGiveTheWorkedCourseInBothUnits) {
  struct Case {
    QRadioButton* TForm1::*unit;
    QStringList legs;
    QStringList totals;
    const char* metres;
    QStringList side;
  } const cases[] = {
      {&TForm1::RadioButton6,
       {"213.7", "262", "213.7", "82", "151.1", "127", "151.1", "37"},
       {"1157.29", "855.00", "1068.75"},
       "395866",
       {"33:24:20", "138:8:17"}},
      {&TForm1::RadioButton7,
       {"213.2", "262", "213.2", "82", "150.7", "127", "150.7", "37"},
       {"1154.37", "852.84", "1066.05"},
       "Edit7",  // not written with minutes of arc
       {"33:24:32", "138:7:54"}},
  };
  for (const Case& c : cases) {
    TForm1& form = StartInshore();
    SCOPED_TRACE((form.*c.unit)->text().toStdString());
    (form.*c.unit)->setChecked(true);
    form.Button5->click();
    EXPECT_TRUE(form.RadioButton5->isChecked());
    EXPECT_EQ(form.Edit1->text(), QStringLiteral("35:41:22"));
    EXPECT_EQ(form.Edit4->text(), QStringLiteral("135:31:12"));
    EXPECT_TRUE(form.Memo10->text().isEmpty());  // the fill computes nothing

    form.Button3->click();
    EXPECT_EQ(Legs(form), c.legs);
    EXPECT_EQ(Totals(form), c.totals);
    EXPECT_EQ(QStringList({form.Edit5->text(), form.Edit6->text()}), c.side);
    EXPECT_EQ(form.Edit7->text(), QString::fromLatin1(c.metres));
    EXPECT_NEAR(form.MagVar, 7.3244, 1e-4);
    EXPECT_EQ(form.InputFormat, 3);
    EXPECT_EQ(form.Memo5->text(), QStringLiteral("7.2"));  // the offshore variation is not touched
    EXPECT_TRUE(dialogs().Events().empty());

    // Again with the side mark as written: whole seconds, the same courses.
    form.Button3->click();
    EXPECT_EQ(Legs(form).mid(0, 4), c.legs.mid(0, 4));
    EXPECT_EQ(form.Memo15->text(), c.legs[5]);
    EXPECT_EQ(form.Memo17->text(), c.legs[7]);
    EXPECT_NEAR(ReadFloat(form.Memo14->text(), QLocale::c()), ReadFloat(c.legs[4], QLocale::c()), 0.05);
    EXPECT_TRUE(dialogs().Events().empty());
  }
}

TEST_F(InshoreTest, NumbersFollowTheUserLocaleAndTypedPointsStillRead) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  TForm1& form = StartInshore();
  TypeMarks(form, form.RadioButton3, {"35.6894444", "139,6916667", "34.6863889", "135.52"});
  form.Button3->click();
  EXPECT_TRUE(dialogs().Events().empty());
  EXPECT_EQ(form.Memo7->text().indexOf(QLatin1Char(',')), form.Memo7->text().size() - 3);
  EXPECT_TRUE(form.Memo10->text().contains(QLatin1Char(',')));
  EXPECT_TRUE(form.Edit5->text().contains(QLatin1Char(',')));
  EXPECT_TRUE(form.Memo19->text().contains(QLatin1Char(','))) << form.Memo19->text().toStdString();
  // What it wrote reads back.
  form.Button3->click();
  EXPECT_TRUE(dialogs().Events().empty());
}

TEST_F(InshoreTest, SideMarkIsWrittenInTheChosenFormatAndReadBack) {
  struct Case {
    QRadioButton* TForm1::*format;
    QStringList marks;
    const char* sideLat;
    const char* sideLon;
  } const cases[] = {
      {&TForm1::RadioButton3,
       {"35.6894444", "139.6916667", "34.6863889", "135.52", "35"},
       "33.4057757",
       "138.1382408"},
      {&TForm1::RadioButton4,
       {"35:41.3667", "139:41.5", "34:41.1833", "135:31.2", "", "139"},
       "33:24.3465735885869",
       "138:8.294511"},
  };
  for (const Case& c : cases) {
    TForm1& form = StartInshore();
    TypeMarks(form, form.*c.format, c.marks);
    form.Button3->click();
    ASSERT_TRUE(dialogs().Events().empty());
    // Only one side field typed: both are placed and overwritten.
    EXPECT_EQ(form.Edit5->text(), QString::fromLatin1(c.sideLat));
    EXPECT_EQ(form.Edit6->text(), QString::fromLatin1(c.sideLon));
    const QStringList first = Legs(form);
    const double placedLat = form.Marks.sideLat;
    form.Button3->click();
    EXPECT_EQ(Legs(form), first);
    EXPECT_NEAR(form.Marks.sideLat, placedLat, 1e-5);
  }
}

TEST_F(InshoreTest, MarksSouthWestAndAcross180) {
  // Sydney Harbour, typed the usual way with the minus in front; outside
  // Japan the variation is typed (12.5° east is -12.5).
  {
    TForm1& form = StartInshore();
    TypeVariation(form, QStringLiteral("-12.5"));
    TypeMarks(form, form.RadioButton4, {"-33:51", "151:14", "-33:49", "151:14"});
    form.Button3->click();
    EXPECT_EQ(dialogs().Messages(),
              QStringList{QStringLiteral(
                  "Magnetic variation is known around Japan only. Type the local variation in MagVar.")});
    EXPECT_NEAR(form.Marks.leeLat, -(33 + 51.0 / 60), 1e-12);
    EXPECT_NEAR(ReadFloat(form.Memo10->text(), QLocale::c()), 2.0, 0.01);
    EXPECT_EQ(form.Memo11->text(), QStringLiteral("348"));  // 0 - 12.5, on the compass
    EXPECT_EQ(form.Memo13->text(), QStringLiteral("168"));
    EXPECT_TRUE(form.Edit5->text().startsWith(QLatin1Char('-')));
  }
  // A windward leg across the 180° meridian in Fiji.
  {
    dialogs().Clear();
    TForm1& form = StartInshore();
    TypeVariation(form, QStringLiteral("-12"));
    form.RadioButton7->setChecked(true);
    TypeMarks(form, form.RadioButton3, {"-17.5", "179.95", "-17.4", "-179.95"});
    form.Button3->click();
    EXPECT_EQ(dialogs().Messages().size(), 1);
    EXPECT_NEAR(ReadFloat(form.Memo10->text(), QLocale::c()), 8.29, 0.01);
    EXPECT_NEAR(ReadFloat(form.Memo8->text(), QLocale::c()), 4 * 8.29, 0.05);
  }
  // West of Greenwich in the north: "-5:-30" and "-5:30" are one longitude.
  {
    TForm1& form = StartInshore();
    TypeVariation(form, QStringLiteral("1.5"));
    TypeMarks(form, form.RadioButton4, {"36:0", "-5:-30", "36:2", "-5:30"});
    form.Button3->click();
    EXPECT_NEAR(ReadFloat(form.Memo10->text(), QLocale::c()), 2.0, 0.01);
    EXPECT_EQ(form.Marks.leeLon, form.Marks.weatherLon);
  }
  // A very long leg from Japan far to the east: the side mark is placed west
  // of -180 and written back as the longitude east of 180 that it is, which
  // the next CALC reads.
  {
    dialogs().Clear();
    TForm1& form = StartInshore();
    TypeMarks(form, form.RadioButton3, {"35", "139", "10", "-100"});
    form.Button3->click();
    EXPECT_EQ(form.Edit6->text(), QStringLiteral("176.0023420"));
    const QStringList legs = Legs(form);
    form.Button3->click();
    EXPECT_TRUE(dialogs().Events().empty());
    EXPECT_EQ(Legs(form), legs);
  }
}

TEST_F(InshoreTest, TheVariationOfTheCoursesIsShownAndTypedInTheInshoreWindow) {
  const QString outside = QString::fromLatin1(kNoMagneticVariationMessage);
  const QStringList japan{"35.6894444", "139.6916667", "34.6863889", "135.52"};
  const QStringList sydney{"-33.85", "151.25", "-33.82", "151.27"};
  struct Case {
    const char* name;
    bool japanFirst;  // a CALC in Japan before, which fills the field
    QStringList marks;
    const char* typed;  // typed into the field before CALC; null: nothing typed
    QStringList messages;
    const char* leeToWeather;  // the magnetic course L→W shown afterwards
  } const cases[] = {
      {"inside: computed, over what was typed", false, japan, "-12.5", {}, "262"},
      {"outside: typed", false, sydney, "-12.5", {outside}, "16"},
      {"outside: typed after a CALC in Japan", true, sydney, "9.2", {outside}, "38"},
      {"outside: nothing typed", false, sydney, nullptr, {outside}, ""},
      {"outside: only what was computed in Japan", true, sydney, nullptr, {outside}, "262"},
      {"outside: beyond 180", false, sydney, "1e300", {"Invalid value in MagVar."}, ""},
      {"outside: no number", false, sydney, "7,2", {"'7,2' is not a valid floating point value"}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TForm1& form = StartInshore();
    if (c.japanFirst) {
      TypeMarks(form, form.RadioButton3, japan);
      form.Button3->click();
    }
    const QString before = form.Memo19->text();
    dialogs().Clear();
    if (c.typed != nullptr) TypeVariation(form, QString::fromLatin1(c.typed));
    TypeMarks(form, form.RadioButton3, c.marks);
    form.Button3->click();

    EXPECT_EQ(dialogs().Messages(), c.messages);
    EXPECT_EQ(form.Memo11->text(), QString::fromLatin1(c.leeToWeather));
    if (c.marks == japan) {
      // What the field shows is exactly what the courses used.
      EXPECT_NEAR(form.MagVar, 7.3244, 1e-4);
      EXPECT_EQ(static_cast<float>(ReadFloat(form.Memo19->text(), QLocale::c())), form.MagVar);
    } else {
      EXPECT_EQ(form.Memo19->text(), c.typed != nullptr ? QString::fromLatin1(c.typed) : before);
    }
    if (c.typed != nullptr && c.messages == QStringList{outside}) {
      EXPECT_EQ(form.MagVar, static_cast<float>(ReadFloat(form.Memo19->text(), QLocale::c())));
    }
    EXPECT_EQ(form.Memo5->text(), QStringLiteral("7.2")) << "the offshore variation is its own";
  }
}

TEST_F(InshoreTest, ATinyLegIsCutFromItsFixedForm) {
  // About 0.00006 NM: "6.0E-5" cut to five characters would read as 6.
  TForm1& form = StartInshore();
  form.RadioButton7->setChecked(true);
  TypeMarks(form, form.RadioButton3, {"35.5", "139.5", "35.500001", "139.5"});
  form.Button3->click();
  EXPECT_TRUE(dialogs().Events().empty());
  EXPECT_EQ(form.Memo10->text(), QStringLiteral("0.000"));
  EXPECT_EQ(form.Memo14->text(), QStringLiteral("0.000"));
  EXPECT_EQ(form.Memo8->text(), QStringLiteral("0.00"));
}

TEST_F(InshoreTest, MissingAndUnusableMarksAreRefusedWithoutChangingTheResults) {
  struct Case {
    const char* name;
    QRadioButton* TForm1::*format;
    QStringList marks;
    const char* message;
  } const cases[] = {
      {"weather latitude empty", &TForm1::RadioButton3, {"35.5", "139.5", "", "139.6"}, "Fill all value"},
      {"format 2 without colon",
       &TForm1::RadioButton4,
       {"35.5", "139:30", "35:40", "139:30"},
       "Invalid value in LEE mk LAT"},
      {"on the equator",
       &TForm1::RadioButton3,
       {"0", "139.5", "35.6", "139.5"},
       "Invalid value in LEE mk LAT"},
      {"latitude 95", &TForm1::RadioButton3, {"95", "139.5", "35.6", "139.5"}, "Invalid value in LEE mk LAT"},
      {"north pole",
       &TForm1::RadioButton3,
       {"35.5", "139.5", "90", "139.5"},
       "Invalid value in WEATHER mk LAT"},
      {"south pole",
       &TForm1::RadioButton4,
       {"-90:0", "139:30", "35:40", "139:30"},
       "Invalid value in LEE mk LAT"},
      {"longitude 181",
       &TForm1::RadioButton3,
       {"35.5", "181", "35.6", "139.5"},
       "Invalid value in LEE mk LON"},
      {"far beyond",
       &TForm1::RadioButton3,
       {"35.5", "139.5", "1e300", "139.5"},
       "Invalid value in WEATHER mk LAT"},
      {"typed side mark 95",
       &TForm1::RadioButton3,
       {"35.5", "139.5", "35.6", "139.5", "95", "139"},
       "Invalid value in SIDE mk LAT"},
      {"weather longitude 0",
       &TForm1::RadioButton3,
       {"35.5", "139.5", "35.6", "0"},
       "Invalid value in WEATHER mk LON"},
      {"typed side longitude -181",
       &TForm1::RadioButton3,
       {"35.5", "139.5", "35.6", "139.5", "35", "-181"},
       "Invalid value in SIDE mk LON"},
      {"comma in a '.' locale",
       &TForm1::RadioButton3,
       {"35,5", "139.5", "35.6", "139.5"},
       "'35,5' is not a valid floating point value"},
      {"infinity",
       &TForm1::RadioButton3,
       {"35.5", "inf", "35.6", "139.5"},
       "'inf' is not a valid floating point value"},
      {"minutes not whole in format 3",
       &TForm1::RadioButton5,
       {"35:4.5:22", "139:0:0", "35:0:0", "139:0:0"},
       "'4.5' is not a valid integer value"},
      {"hex degrees",
       &TForm1::RadioButton4,
       {"0x23:30", "139:0", "35:0", "139:0"},
       "'0x23' is not a valid integer value"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TForm1& form = StartInshore();
    form.Button5->click();
    form.Button3->click();
    const QStringList legs = Legs(form);
    const QStringList totals = Totals(form);
    dialogs().Clear();

    TypeMarks(form, form.*c.format, c.marks);
    form.Button3->click();
    EXPECT_EQ(dialogs().Messages(), QStringList{QString::fromUtf8(c.message)});
    EXPECT_EQ(Legs(form), legs);
    EXPECT_EQ(Totals(form), totals);
  }
}

TEST_F(InshoreTest, ClearAllEmptiesTheFieldsButKeepsTheMetres) {
  TForm1& form = StartInshore();
  form.Button5->click();
  form.Button3->click();
  form.Button4->click();
  for (const QLineEdit* field : {form.Edit1, form.Edit2, form.Edit3, form.Edit4, form.Edit5, form.Edit6,
                                 form.Memo7, form.Memo9, form.Memo10, form.Memo17})
    EXPECT_TRUE(field->text().isEmpty()) << field->objectName().toStdString();
  EXPECT_EQ(form.Edit7->text(), QStringLiteral("395866"));
  EXPECT_EQ(form.Marks.leeLat, 0);
  EXPECT_EQ(form.Marks.sideLon, 0);
  EXPECT_TRUE(form.RadioButton5->isChecked());
}

TEST_F(InshoreTest, EnterMovesToTheNextMarkFieldUpToTheLast) {
  TForm1& form = StartInshore();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  QLineEdit* const fields[] = {form.Edit1, form.Edit2, form.Edit3, form.Edit4, form.Edit5, form.Edit6};
  form.Edit1->setFocus();
  for (int i = 1; i < 6; ++i) {
    QTest::keyClick(form.windowHandle(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), fields[i]) << i;
  }
  QTest::keyClick(form.windowHandle(), Qt::Key_Enter);
  EXPECT_EQ(QApplication::focusWidget(), form.Edit6);
}

}  // namespace
}  // namespace drevlin::testing
