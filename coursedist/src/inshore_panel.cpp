// The inshore calculator: the lee, weather and side marks typed in one of
// three formats give the legs of a windward-leeward course and its totals.
#include <initializer_list>
#include <utility>

#include <QKeyEvent>

#include "core/coordinate_text.h"
#include "core/number_text.h"
#include "drevlin_window.h"
#include "form_parts.h"
#include "locale/user_locale.h"
#include "qt/dialogs.h"
#include "qt/guard.h"

namespace drevlin {

void TForm1::BuildInshorePanel() {
  Panel2 = Place<platform::Panel>(Panel1, "Panel2", 0, 90, 409, 520);
  Panel2->SetColor(kButtonFace);

  GroupBox1 = Place<QGroupBox>(Panel2, "GroupBox1", 16, 4, 377, 90);
  GroupBox1->setTitle(QStringLiteral(" Input Data Format "));
  RadioButton3 = PlaceCaptioned<QRadioButton>(GroupBox1, "RadioButton3", QStringLiteral("Deg (35.12345678)"),
                                              14, 22, 340, 20);
  RadioButton4 = PlaceCaptioned<QRadioButton>(GroupBox1, "RadioButton4",
                                              QStringLiteral("DD:MM.MMMM (35:12.345)"), 14, 44, 340, 20);
  RadioButton5 = PlaceCaptioned<QRadioButton>(
      GroupBox1, "RadioButton5", QStringLiteral("DD:MM:SS.SSSS (35:12:24.56789)"), 14, 66, 340, 20);
  RadioButton3->setChecked(true);

  const QColor text = Qt::black;
  Label12 = PlaceLabel(Panel2, "Label12", QStringLiteral("LAT"), 152, 100, text);
  Label13 = PlaceLabel(Panel2, "Label13", QStringLiteral("LON"), 305, 100, text);
  const auto markRow = [&](const char* labelName, const char* caption, int top, QLabel*& label,
                           const char* latName, QLineEdit*& lat, const char* lonName, QLineEdit*& lon) {
    label = PlaceLabel(Panel2, labelName, QString::fromUtf8(caption), 16, top + 4, text);
    lat = Place<QLineEdit>(Panel2, latName, 100, top, 140, 22);
    lon = Place<QLineEdit>(Panel2, lonName, 250, top, 143, 22);
  };
  markRow("Label9", "LEE mk", 118, Label9, "Edit1", Edit1, "Edit2", Edit2);
  markRow("Label10", "WEATHER mk", 144, Label10, "Edit3", Edit3, "Edit4", Edit4);
  markRow("Label11", "SIDE mk", 170, Label11, "Edit5", Edit5, "Edit6", Edit6);

  Button3 = PlaceCaptioned<QPushButton>(Panel2, "Button3", QStringLiteral("CALC"), 100, 200, 140, 26);
  Button4 = PlaceCaptioned<QPushButton>(Panel2, "Button4", QStringLiteral("Clear All"), 250, 200, 143, 26);

  Label19 = PlaceLabel(Panel2, "Label19", QStringLiteral("Dist"), 155, 236, text);
  Label20 = PlaceLabel(Panel2, "Label20", QStringLiteral("CO m"), 258, 236, text);
  const auto legRow = [&](const char* labelName, const char* caption, int top, QLabel*& label,
                          const char* distanceName, QLineEdit*& distance, const char* courseName,
                          QLineEdit*& course) {
    label = PlaceLabel(Panel2, labelName, QString::fromUtf8(caption), 70, top + 3, text);
    distance = PlaceMemo(Panel2, distanceName, 120, top, 100, 21);
    course = PlaceMemo(Panel2, courseName, 240, top, 70, 21);
  };
  legRow("Label15", "L→W", 254, Label15, "Memo10", Memo10, "Memo11", Memo11);
  legRow("Label16", "W→L", 278, Label16, "Memo12", Memo12, "Memo13", Memo13);
  legRow("Label17", "W→S", 302, Label17, "Memo14", Memo14, "Memo15", Memo15);
  legRow("Label18", "S→L", 326, Label18, "Memo16", Memo16, "Memo17", Memo17);

  Label21 = PlaceLabel(Panel2, "Label21", QStringLiteral("Total Distance"), 16, 358, text, true);
  const auto totalRow = [&](const char* labelName, const char* caption, int top, QLabel*& label,
                            const char* memoName, QLineEdit*& memo) {
    label = PlaceLabel(Panel2, labelName, QString::fromUtf8(caption), 40, top + 3, text);
    memo = PlaceMemo(Panel2, memoName, 160, top, 150, 21);
  };
  totalRow("Label22", "Olympic", 376, Label22, "Memo7", Memo7);
  totalRow("Label23", "L-W-L-W-L", 400, Label23, "Memo8", Memo8);
  totalRow("Label24", "L-W-L-W-L-W", 424, Label24, "Memo9", Memo9);

  // The variation of the magnetic courses, beside them: computed around
  // Japan, typed by the officer elsewhere.
  Label30 = PlaceLabel(Panel2, "Label30", QString::fromLatin1(kVariationField), 328, 236, text);
  Memo19 = PlaceMemo(Panel2, "Memo19", 325, 254, 68, 21, true);

  Button5 = PlaceCaptioned<QPushButton>(Panel2, "Button5", QStringLiteral("Button5"), 16, 454, 75, 22);
  Edit7 = Place<QLineEdit>(Panel2, "Edit7", 100, 454, 140, 22);
  Edit7->setText(QStringLiteral("Edit7"));

  connect(Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
  connect(Button4, &QPushButton::clicked, this, &TForm1::Button4Click);
  connect(Button5, &QPushButton::clicked, this, &TForm1::Button5Click);
}

void TForm1::ClearInshoreFields() {
  for (QLineEdit* field : {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Memo7, Memo8, Memo9, Memo10, Memo11,
                           Memo12, Memo13, Memo14, Memo15, Memo16, Memo17})
    field->clear();
  Marks = InshoreMarks();
}

void TForm1::Button4Click() { ClearInshoreFields(); }

void TForm1::Button5Click() {
  RadioButton5->setChecked(true);
  Edit1->setText(QStringLiteral("35:41:22"));
  Edit2->setText(QStringLiteral("139:41:30"));
  Edit3->setText(QStringLiteral("34:41:11"));
  Edit4->setText(QStringLiteral("135:31:12"));
}

void TForm1::FocusNextOnEnter(int key, QLineEdit* next) {
  if (key == Qt::Key_Return || key == Qt::Key_Enter) next->setFocus(Qt::TabFocusReason);
}

void TForm1::Edit1KeyDown(int key) { FocusNextOnEnter(key, Edit2); }
void TForm1::Edit2KeyDown(int key) { FocusNextOnEnter(key, Edit3); }
void TForm1::Edit3KeyDown(int key) { FocusNextOnEnter(key, Edit4); }
void TForm1::Edit4KeyDown(int key) { FocusNextOnEnter(key, Edit5); }
void TForm1::Edit5KeyDown(int key) { FocusNextOnEnter(key, Edit6); }

void TForm1::Button3Click() {
  platform::Guarded([this] { CalculateInshoreCourse(); });
}

void TForm1::CalculateInshoreCourse() {
  platform::Dialogs& dialogs = platform::CurrentDialogs();
  const QLocale locale = platform::UserLocale();
  if (RadioButton3->isChecked()) InputFormat = 1;
  if (RadioButton4->isChecked()) InputFormat = 2;
  if (RadioButton5->isChecked()) InputFormat = 3;
  const auto format = static_cast<CoordinateFormat>(InputFormat);

  const QString leeLat = Edit1->text(), leeLon = Edit2->text();
  const QString weatherLat = Edit3->text(), weatherLon = Edit4->text();
  const QString sideLat = Edit5->text(), sideLon = Edit6->text();
  if (leeLat.isEmpty() || leeLon.isEmpty() || weatherLat.isEmpty() || weatherLon.isEmpty()) {
    dialogs.ShowMessage(QStringLiteral("Fill all value"));
    return;
  }
  Marks.leeLat = ReadCoordinate(format, leeLat, locale);
  Marks.leeLon = ReadCoordinate(format, leeLon, locale);
  Marks.weatherLat = ReadCoordinate(format, weatherLat, locale);
  Marks.weatherLon = ReadCoordinate(format, weatherLon, locale);
  // 0 is also what a text without its colons reads as; a pole or a value
  // beyond the globe has no course. The message names the first such field.
  const auto refused = [&](std::initializer_list<std::pair<bool, const char*>> checks) {
    for (const auto& [usable, field] : checks) {
      if (usable) continue;
      dialogs.ShowMessage(InvalidValueMessage(QString::fromLatin1(field)));
      return true;
    }
    return false;
  };
  if (refused({{IsUsableLatitude(Marks.leeLat), "LEE mk LAT"},
               {IsUsableLongitude(Marks.leeLon), "LEE mk LON"},
               {IsUsableLatitude(Marks.weatherLat), "WEATHER mk LAT"},
               {IsUsableLongitude(Marks.weatherLon), "WEATHER mk LON"}}))
    return;

  const bool sideTyped = !sideLat.isEmpty() && !sideLon.isEmpty();
  if (sideTyped) {
    Marks.sideLat = ReadCoordinate(format, sideLat, locale);
    Marks.sideLon = ReadCoordinate(format, sideLon, locale);
    if (refused({{IsUsableLatitude(Marks.sideLat), "SIDE mk LAT"},
                 {IsUsableLongitude(Marks.sideLon), "SIDE mk LON"}}))
      return;
  }

  if (HasMagneticVariation(Marks.leeLat, Marks.leeLon)) {
    MagVar = MagneticVariationAt(Marks.leeLat, Marks.leeLon);
    // Exactly the value that the courses use.
    Memo19->setText(ShortestText(MagVar, locale));
  } else {
    // The polynomial is meaningless far from Japan: the courses take the
    // variation that the officer typed for this place. A value the program
    // wrote for a mark in Japan (or none at all) is no such variation.
    if (!Memo19->isModified()) {
      dialogs.ShowMessage(QString::fromLatin1(kNoMagneticVariationMessage));
      return;
    }
    MagVar = ReadVariation(Memo19->text(), locale);
    dialogs.ShowMessage(QString::fromLatin1(kNoMagneticVariationMessage));
  }

  const InshoreCourse course = ComputeInshoreCourse(Marks, sideTyped, MileUnit, MagVar);
  if (course.hasMetres) Edit7->setText(RoundedText(course.ellipsoidMetres));
  if (course.sidePlaced) {
    Marks.sideLat = course.side.lat;
    Marks.sideLon = course.side.lon;
    Edit5->setText(CoordinateText(format, Marks.sideLat, true, locale));
    Edit6->setText(CoordinateText(format, Marks.sideLon, false, locale));
  }

  const QString distance = FirstCharacters(course.distance, 5, locale);
  const QString sideDistance = FirstCharacters(course.sideDistance, 5, locale);
  Memo10->setText(distance);
  Memo11->setText(RoundedText(course.leeToWeather));
  Memo12->setText(distance);
  Memo13->setText(RoundedText(course.weatherToLee));
  Memo14->setText(sideDistance);
  Memo15->setText(RoundedText(course.weatherToSide));
  Memo16->setText(sideDistance);
  Memo17->setText(RoundedText(course.sideToLee));
  Memo7->setText(TwoDecimalsText(course.olympic, locale));
  Memo8->setText(TwoDecimalsText(course.lwlwl, locale));
  Memo9->setText(TwoDecimalsText(course.lwlwlw, locale));
}

}  // namespace drevlin
