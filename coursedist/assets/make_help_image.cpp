// Draws drevlin's help picture (1024 × 1534, JPEG) from pictures of the real
// window in both course modes, with numbered notes in Japanese:
//
//   build/coursedist/drevlin_help_image coursedist/assets/drevlin_help.jpg
//
// Run it again when the window or the notes change, and commit the picture.
#include <algorithm>
#include <cstdio>
#include <vector>

#include <QApplication>
#include <QPainter>
#include <QPainterPath>

#include "drevlin_window.h"
#include "form_parts.h"
#include "qt/fonts.h"
#include "qt/jpeg.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 1534;
const QColor kInk(30, 30, 30);
const QColor kTitleBlue(0, 0, 200);
const QColor kMarker(220, 0, 0);

QFont Font(int pixelSize, bool bold = false) {
  return platform::FamilyFont("Noto Sans CJK JP", pixelSize, bold);
}

// A red numbered circle, as on the pictures and in front of their notes.
void DrawMarker(QPainter& painter, QPoint centre, int number) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(kMarker);
  painter.drawEllipse(centre, 10, 10);
  painter.setPen(Qt::white);
  painter.setFont(Font(13, true));
  painter.drawText(QRect(centre.x() - 10, centre.y() - 10, 20, 20), Qt::AlignCenter, QString::number(number));
  painter.restore();
}

struct Note {
  int number;
  QString text;
};

// The notes in a column; returns the y below the last one.
int DrawNotes(QPainter& painter, int left, int top, int width, const std::vector<Note>& notes) {
  painter.setFont(Font(15));
  painter.setPen(kInk);
  int y = top;
  for (const Note& note : notes) {
    DrawMarker(painter, QPoint(left + 11, y + 11), note.number);
    const QRect box(left + 30, y, width - 30, 1000);
    const QRect used = painter.boundingRect(box, Qt::TextWordWrap, note.text);
    painter.drawText(box, Qt::TextWordWrap, note.text);
    y += std::max(24, used.height()) + 8;
  }
  return y;
}

int DrawSectionTitle(QPainter& painter, int top, const QString& title) {
  painter.fillRect(QRect(24, top, kWidth - 48, 32), QColor(230, 236, 250));
  painter.fillRect(QRect(24, top, 6, 32), kTitleBlue);
  painter.setPen(kTitleBlue);
  painter.setFont(Font(19, true));
  painter.drawText(QRect(40, top, kWidth - 80, 32), Qt::AlignVCenter, title);
  return top + 44;
}

void DrawPicture(QPainter& painter, QPoint at, const QImage& picture) {
  painter.drawImage(at, picture);
  painter.setPen(QPen(QColor(120, 120, 120), 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRect(at, picture.size()).adjusted(-1, -1, 0, 0));
}

// A sketch of the map page with three clicked points and their legs.
QImage MapSketch(QSize size) {
  QImage map(size, QImage::Format_RGB32);
  map.fill(QColor(170, 211, 223));
  QPainter painter(&map);
  painter.setRenderHint(QPainter::Antialiasing);
  QPainterPath land;
  land.moveTo(size.width() * 0.45, 0);
  land.cubicTo(size.width() * 0.55, size.height() * 0.25, size.width() * 0.95, size.height() * 0.2,
               size.width(), size.height() * 0.45);
  land.lineTo(size.width(), 0);
  land.closeSubpath();
  QPainterPath island;
  island.addEllipse(
      QRectF(size.width() * 0.12, size.height() * 0.55, size.width() * 0.18, size.height() * 0.12));
  painter.setPen(QPen(QColor(150, 140, 110), 1));
  painter.setBrush(QColor(242, 239, 233));
  painter.drawPath(land);
  painter.drawPath(island);

  const QPointF points[] = {{size.width() * 0.55, size.height() * 0.42},
                            {size.width() * 0.35, size.height() * 0.82},
                            {size.width() * 0.82, size.height() * 0.75}};
  painter.setPen(QPen(QColor(0, 0, 160), 2, Qt::DashLine));
  painter.drawLine(points[0], points[1]);
  painter.drawLine(points[1], points[2]);
  painter.setFont(Font(13, true));
  for (int i = 0; i < 3; ++i) {
    painter.setPen(QPen(QColor(20, 60, 160), 2));
    painter.setBrush(QColor(60, 120, 230));
    QPainterPath pin;
    pin.moveTo(points[i]);
    pin.lineTo(points[i] + QPointF(-7, -14));
    pin.arcTo(QRectF(points[i].x() - 9, points[i].y() - 30, 18, 18), 200, -220);
    pin.closeSubpath();
    painter.drawPath(pin);
    painter.setPen(Qt::black);
    painter.drawText(points[i] + QPointF(10, -16), QString::number(i + 1));
  }
  painter.setPen(QColor(90, 90, 90));
  painter.setFont(Font(12));
  painter.drawText(QRect(8, size.height() - 24, size.width() - 16, 20), Qt::AlignRight,
                   QStringLiteral("地図上のクリックで点を追加"));
  return map;
}

// The control panel of the offshore mode with three points taken.
QImage OffshorePanel(drevlin::TForm1& form) {
  form.Memo1->setText(QStringLiteral("34.789911"));
  form.Memo2->setText(QStringLiteral("139.352903"));
  form.Memo4->setText(QStringLiteral("3"));
  form.Memo5->setText(QStringLiteral("7.2"));
  form.ListBox1->addItems({QStringLiteral("  1  35.012345  139.501234"),
                           QStringLiteral("  2  34.789911  139.352903 208 215  -35   14.69   27.21"),
                           QStringLiteral("  3  34.831422  139.612871  79  86   94   13.03   24.13")});
  form.Memo3->setText(QStringLiteral("27.72 Mi"));
  form.Memo18->setText(QStringLiteral("51.34 Km"));
  return form.Panel1->grab(QRect(0, 0, 409, 460)).toImage();
}

// The inshore panel after the test marks and "CALC" (the two bars above it
// are in the first picture).
QImage InshorePanel(drevlin::TForm1& form) {
  form.RadioButton2->setChecked(true);
  form.Button5->click();
  form.Button3->click();
  return form.Panel2->grab(QRect(0, 0, 409, 482)).toImage();
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Only the panels are drawn: the map area needs no browser.
  drevlin::SetWebEngineEnabled(false);
  QApplication application(argc, argv);
  const QString output = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("drevlin_help.jpg");

  drevlin::TForm1 form;
  form.show();
  const QImage offshore = OffshorePanel(form);
  const QImage inshore = InshorePanel(form);

  QImage help(kWidth, kHeight, QImage::Format_RGB32);
  help.fill(Qt::white);
  QPainter painter(&help);
  painter.setRenderHint(QPainter::TextAntialiasing);

  // Heading.
  painter.setPen(kInk);
  painter.setFont(Font(26, true));
  painter.drawText(QRect(24, 10, kWidth - 48, 40), Qt::AlignVCenter,
                   QStringLiteral("Drevlin　コース距離の計測"));
  painter.setFont(Font(15));
  painter.drawText(
      QRect(24, 50, kWidth - 48, 24), Qt::AlignVCenter,
      QStringLiteral(
          "地図上で点を取る「オフショア」と、マークの位置を入力する「インショア」の二つの使い方があります。"));

  // 1. Course type and mile unit: the two bars of the control panel.
  int y = DrawSectionTitle(painter, 84, QStringLiteral("1. コースタイプと距離の単位"));
  const QImage bars = offshore.copy(QRect(0, 0, 409, 86));
  const QPoint barsAt(40, y);
  DrawPicture(painter, barsAt, bars);
  DrawMarker(painter, barsAt + QPoint(24 + 112 + 8, 8 + 2), 1);
  DrawMarker(painter, barsAt + QPoint(24 + 208 + 8, 8 + 2), 2);
  DrawMarker(painter, barsAt + QPoint(24 + 326 - 8, 8 + 2), 3);
  DrawMarker(painter, barsAt + QPoint(24 + 112 + 8, 46 + 31), 4);
  DrawMarker(painter, barsAt + QPoint(24 + 220 + 8, 46 + 31), 5);
  y = DrawNotes(
      painter, 480, y, kWidth - 480 - 24,
      {{1,
        QStringLiteral("Offshore：地図上をクリックしてコースの点を順に取り、各レグの針路と距離を求めます。")},
       {2, QStringLiteral(
               "Inshore：マークの緯度・経度を入力して、ウィンドワード・リーワードのコースを計算します。")},
       {3, QStringLiteral("？：このヘルプを表示します。右上の X で閉じます。")},
       {4, QStringLiteral(
               "1Mi = 1852m：1852 m を 1 マイルとし、ベッセル楕円体上の距離で計算します。km も表示します。")},
       {5, QStringLiteral("1Mi = 1' (Minute)：球面上の大円の角距離 1 分を 1 マイルとします。")}});

  // 2. Offshore: the map and the point list.
  y = DrawSectionTitle(painter, y + 4, QStringLiteral("2. オフショア（地図で計測）"));
  const int listTop = 100;
  const QImage list = offshore.copy(QRect(0, listTop, 409, 355));
  const QImage map = MapSketch(QSize(kWidth - 80 - 409 - 24, list.height()));
  DrawPicture(painter, QPoint(40, y), map);
  DrawMarker(painter, QPoint(40 + map.width() * 55 / 100 + 24, y + map.height() * 42 / 100 - 36), 6);
  const QPoint listAt(kWidth - 40 - 409, y);
  DrawPicture(painter, listAt, list);
  const auto onList = [&](int panelX, int panelY) { return listAt + QPoint(panelX, panelY - listTop); };
  DrawMarker(painter, onList(28, 108), 7);
  DrawMarker(painter, onList(303, 108), 8);
  DrawMarker(painter, onList(30, 156), 9);
  DrawMarker(painter, onList(156, 156), 10);
  DrawMarker(painter, onList(318, 156), 11);
  DrawMarker(painter, onList(14, 214), 12);
  DrawMarker(painter, onList(118, 404), 13);
  DrawMarker(painter, onList(220, 410), 14);
  y += list.height() + 12;
  const int column = (kWidth - 80 - 24) / 2;
  const int left = DrawNotes(
      painter, 40, y, column,
      {{6,
        QStringLiteral(
            "地図上でマークの位置を順にクリックすると、点が一覧に加わり、前の点からのレグが計算されます（地図の表示にはインターネット接続が必要です）。")},
       {7, QStringLiteral("LAT / LON：最後に取った点の緯度・経度（北緯・東経が正）。")},
       {8, QStringLiteral("N Points：取った点の数。")},
       {9,
        QStringLiteral(
            "MagVar.：磁気偏差（度、西偏が正）。最初の点で日本周辺の値が入ります。書き換えることもできます。")}});
  const int right = DrawNotes(
      painter, 40 + column + 24, y, column,
      {{10, QStringLiteral("Avg TWD：平均真風向（度）。TWA（真風角）の計算に使います。")},
       {11, QStringLiteral("再計算：Avg TWD を変えたあと、一覧の TWA を計算し直します。")},
       {12,
        QStringLiteral(
            "一覧の列：PT 点の番号、LAT 緯度、LON 経度、COt 真針路、COm 磁針路、TWA 真風角、Mi 距離（マイル）、( Km ) 距離（km）。")},
       {13, QStringLiteral("Clear　All：一覧を消して、地図を最初の表示に戻します。")},
       {14, QStringLiteral(
                "TOTAL Mi / TOTAL Km：全レグの合計距離。この値をスコアラーのコース距離に入力します。")}});

  // 3. Inshore: the calculator after the test marks.
  y = DrawSectionTitle(painter, std::max(left, right) + 4,
                       QStringLiteral("3. インショア（マークの位置から計算）"));
  const double scale = std::min(1.0, double(kHeight - 12 - y) / inshore.height());
  const QImage shore = inshore.scaled(inshore.size() * scale, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  const QPoint shoreAt(40, y);
  DrawPicture(painter, shoreAt, shore);
  const auto onShore = [&](int panelX, int panelY) {
    return shoreAt + QPoint(int(panelX * scale), int(panelY * scale));
  };
  DrawMarker(painter, onShore(150, 11), 15);
  DrawMarker(painter, onShore(60, 106), 16);
  DrawMarker(painter, onShore(82, 182), 17);
  DrawMarker(painter, onShore(80, 214), 18);
  DrawMarker(painter, onShore(40, 266), 19);
  DrawMarker(painter, onShore(140, 366), 20);
  const int notesLeft = shoreAt.x() + shore.width() + 30;
  y = DrawNotes(
      painter, notesLeft, y, kWidth - notesLeft - 24,
      {{15,
        QStringLiteral(
            "入力形式：Deg は度（35.12345678）、DD:MM.MMMM は度:分（35:12.345）、DD:MM:SS.SSSS は度:分:秒（35:12:24.56789）。南緯・西経は先頭に「-」を付けます（例 -35:30）。")},
       {16,
        QStringLiteral(
            "LEE mk（風下マーク）と WEATHER mk（風上マーク）の LAT（緯度）と LON（経度）を入力します。Enter で次の欄へ進みます。")},
       {17,
        QStringLiteral(
            "SIDE mk（サイドマーク）：空欄のときは、風上マークから風下へのコースの 45° 右、レグ距離 × √2 / 2 の位置に置き、選んだ形式で書き込みます。")},
       {18, QStringLiteral("CALC で計算します。Clear All で入力と結果を消します。")},
       {19,
        QStringLiteral(
            "Dist と CO m：各レグの距離（マイル）と磁針路。L→W 風下から風上、W→L 風上から風下、W→S 風上からサイド、S→L サイドから風下。MagVar. は磁針路に使った磁気偏差（度、西偏が正）。")},
       {20,
        QStringLiteral(
            "Total Distance：Olympic = 4 × L→W + W→S + S→L、L-W-L-W-L = 4 × L→W、L-W-L-W-L-W = 5 × L→W。")}});

  painter.setFont(Font(15));
  painter.setPen(kInk);
  painter.drawText(
      QRect(notesLeft, y + 6, kWidth - notesLeft - 24, kHeight - y - 12), Qt::TextWordWrap,
      QStringLiteral(
          "磁気偏差は日本周辺では風下マークの位置で求め、MagVar. に表示します。それ以外では、その海域の偏差を MagVar. に入力してから CALC を押してください。\n"
          "入力が足りないときは「Fill all value」、緯度・経度が 0 や範囲外のときは「Invalid value in 欄の名前」と表示されます。"));
  painter.end();

  QString error;
  if (!platform::EncodeJpegFile(help, output, 90, &error)) {
    std::fprintf(stderr, "%s\n", qPrintable(error));
    return 1;
  }
  return 0;
}
