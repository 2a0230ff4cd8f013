// Draws, encodes and writes the 19-boat result and scratch sheets with three
// logos and a long Japanese event name, and prints the milliseconds of each
// step (the best of several runs). With a folder as argument it also leaves
// the sheets there, in English and Japanese, as JPEG and PNG, to be looked at.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>

#include "core/sheet_image_text.h"
#include "files/whole_file.h"
#include "locale/user_locale.h"
#include "qt/jpeg.h"
#include "sheet_image_drawing.h"
#include "testing/sheet_model.h"

namespace {

using Clock = std::chrono::steady_clock;

double BestMilliseconds(int runs, const std::function<void()>& step) {
  double best = 1e30;
  for (int run = 0; run < runs; ++run) {
    const auto start = Clock::now();
    step();
    best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  return best;
}

QImage Logo(int width, int height, const QColor& colour) {
  QImage logo(width, height, QImage::Format_RGB32);
  logo.fill(Qt::white);
  QPainter painter(&logo);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(colour);
  painter.setPen(Qt::NoPen);
  painter.drawEllipse(QRectF(0, 0, width, height).adjusted(2, 2, -2, -2));
  painter.setPen(Qt::white);
  QFont font;
  font.setPixelSize(std::max(8, height / 4));
  font.setBold(true);
  painter.setFont(font);
  painter.drawText(QRect(0, 0, width, height), Qt::AlignCenter,
                   QStringLiteral("%1x%2").arg(width).arg(height));
  return logo;
}

// Nineteen boats as a real fleet might have them: Japanese and long names,
// a penalty, a boat that did not finish, a constructed course's long allowances.
kivo::EventModel Fleet(int sheetKind, int language) {
  kivo::EventModel model = kivo::fixtures::SheetModel(19, sheetKind, language);
  model.EventName = QStringLiteral("第45回 関東ミドルボート選手権大会 兼 秋季オーシャンレース 第3戦");
  // The longest header texts a real event brings: a class name of 50
  // characters, a race name of 34, a committee member of 36.
  model.EventClass = QStringLiteral("IRC-KIVO 混合艇 Cruiser Division A 2017 Spring Series");
  model.RaceName[1] = QStringLiteral("第45回 関東ミドルボート選手権 第1レース 下2周 (予備日使用)");
  model.RaceJury[1] =
      QStringLiteral("公益社団法人日本セーリング連盟外洋関東支部レース委員会委員長 山田太郎様");
  const char* names[] = {"海風",
                         "SEA DRAGON III",
                         "はやぶさ",
                         "Blue Note",
                         "ＳＡＭＵＲＡＩ　ＢＬＵＥ",
                         "翔鶴丸",
                         "KAZE NO KO",
                         "Wind Spirit of the Northern Sea Yacht Club"};
  for (int b = 1; b <= 19; ++b) {
    model.EntryName[b] = QString::fromUtf8(names[(b - 1) % 8]) + (b > 8 ? QString::number(b) : QString());
    model.EntryClass[b] = b % 3 == 0 ? QStringLiteral("ヤマハ 33S カスタム仕様") : QStringLiteral("Tern 34");
  }
  model.EntrySailNo[3] = QStringLiteral("JPN-12345678");  // the record's 12 characters
  model.BoatPenalty[1][4] = QStringLiteral("10");
  model.BoatStatus[1][7] = QStringLiteral("DNF");
  model.BoatFinish[1][7] = QStringLiteral("0");
  model.BoatCorrected[1][7] = 0.0f;
  model.BoatVector[1][2] =
      QStringLiteral("812.345678901234,701.123456789012,650.5,620.25,600,590.987654321098,585.1");
  model.BoatVector[1][5] = QStringLiteral("0");
  return model;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
  const QString lookFolder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
  QTemporaryDir temporary;
  if (!temporary.isValid()) return 1;

  kivo::SheetLogos logos;
  logos.left = Logo(200, 120, QColor(200, 30, 40));
  logos.middle = Logo(640, 480, QColor(20, 90, 180));  // shrinks into its box
  logos.right = Logo(90, 60, QColor(30, 140, 60));

  std::printf("%-8s %10s %10s %10s %10s %12s\n", "sheet", "draw ms", "encode ms", "write ms", "total ms",
              "jpeg bytes");
  for (int kind : {kivo::kResultSheet, kivo::kScratchSheet}) {
    const kivo::EventModel model = Fleet(kind, 1);
    kivo::SheetImage sheet;
    const double draw =
        BestMilliseconds(10, [&] { sheet = kivo::DrawSheetImage(model, logos, platform::UserLocale()); });
    QByteArray jpeg;
    const double encode = BestMilliseconds(10, [&] { jpeg = platform::EncodeJpeg(sheet.page, 90); });
    const QString path = temporary.filePath(kivo::SheetImageFileName(model, kind));
    const double write = BestMilliseconds(10, [&] { platform::WriteFileWhole(path, jpeg); });
    if (jpeg.isEmpty() || !sheet.TableFits()) return 1;
    std::printf("%-8s %10.2f %10.2f %10.2f %10.2f %12lld\n",
                kind == kivo::kResultSheet ? "result" : "scratch", draw, encode, write, draw + encode + write,
                static_cast<long long>(jpeg.size()));
  }

  if (!lookFolder.isEmpty()) {
    QDir().mkpath(lookFolder);
    for (int kind : {kivo::kResultSheet, kivo::kScratchSheet})
      for (int language : {1, 0}) {
        const kivo::SheetImage sheet =
            kivo::DrawSheetImage(Fleet(kind, language), logos, platform::UserLocale());
        const QString base =
            QDir(lookFolder)
                .filePath(QStringLiteral("%1_%2").arg(kind == kivo::kResultSheet ? "result" : "scratch",
                                                      language == 1 ? "en" : "ja"));
        platform::EncodeJpegFile(sheet.page, base + ".jpg", 90);
        sheet.page.save(base + ".png");
      }
    std::printf("sheets written to %s\n", qPrintable(lookFolder));
  }
  return 0;
}
