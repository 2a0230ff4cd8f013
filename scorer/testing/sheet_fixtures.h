#pragma once
// A two-boat race as the read-back and the ranking leave it, for the sheet
// tests: "Alpha" finished and ranked second, "Bravo" finished first with a
// penalty, in folders of a temporary directory.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include "core/event_model.h"
#include "core/rms_text.h"
#include "testing/one_race_model.h"

namespace kivo::fixtures {

class SheetFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    for (const char* folder : {"XML", "HTML", "CSV", "LOGO"}) ASSERT_TRUE(QDir(dir_.path()).mkpath(folder));
    model_ = OneRaceModel();
    EventModel& m = model_;
    m.XmlFolder = dir_.filePath(QStringLiteral("XML"));
    m.HtmlFolder = dir_.filePath(QStringLiteral("HTML"));
    m.CsvFolder = dir_.filePath(QStringLiteral("CSV"));
    m.LogoFolder = dir_.filePath(QStringLiteral("LOGO"));
    m.RaceXmlFile = m.XmlFolder + QStringLiteral("/regatta_R1.xml");
    m.LogoLeft = m.LogoMiddle = m.LogoRight = QStringLiteral("-");
    m.Language = 1;
    m.EventName = QStringLiteral("Summer Regatta");
    m.EventClass = QStringLiteral("Cruiser");
    m.ResultIssued = QStringLiteral("2017/07/02");
    m.ScratchIssued = QStringLiteral("2017/06/30");
    m.RaceName[1] = QStringLiteral("Race One");
    m.RaceStart[1] = QStringLiteral("2017/07/01 10:00:00");
    m.RaceLimit[1] = QStringLiteral("2017/07/01 16:00:00");
    m.RaceJury[1] = QStringLiteral("J. Member");
    m.CourseDistance[1] = 12.3f;
    m.RaceTypeText[1] = QStringLiteral("ocean course");
    m.RaceEntryCount[1] = 2;
    m.EntryCount = 2;
    SetBoat(1, "Alpha", "JPN-1", "Tern 30", "612.5");
    SetBoat(2, "Bravo", "JPN-2", "Tern 40", "560.1");
    m.BoatFinish[1][1] = QStringLiteral("2017/07/01 11:55:00");
    m.BoatElapsed[1][1] = 6900.0f;
    m.BoatCorrected[1][1] = 3620.5f;
    m.BoatElapsedPos[1][1] = 2;
    m.BoatCorrectedPos[1][1] = 2;
    m.BoatVector[1][1] = QStringLiteral("700.1,650.2,600.3,580.4,570.5,560.6,550.7");
    m.BoatFinish[1][2] = QStringLiteral("2017/07/01 11:50:00");
    m.BoatElapsed[1][2] = 6600.0f;
    m.BoatCorrected[1][2] = 3600.0f;
    m.BoatPenalty[1][2] = QStringLiteral("10");
    m.BoatElapsedPos[1][2] = 1;
    m.BoatCorrectedPos[1][2] = 1;
    m.BoatVector[1][2] = QStringLiteral("690,640,590,570,560,550,540");
    m.ResultOrder[1] = 2;
    m.ResultOrder[2] = 1;
  }

  void SetBoat(int entry, const char* name, const char* sailNo, const char* yachtClass, const char* gph) {
    model_.EntryName[entry] = QString::fromUtf8(name);
    model_.EntrySailNo[entry] = QString::fromUtf8(sailNo);
    model_.EntryClass[entry] = QString::fromUtf8(yachtClass);
    model_.EntryGph[entry] = QString::fromUtf8(gph);
    model_.BoatStatus[1][entry] = QStringLiteral("OK");
    model_.BoatPenalty[1][entry] = QStringLiteral("0");
  }

  // The lines of a CP932 text with CR LF line ends, decoded.
  static QStringList Lines(const QByteArray& bytes) {
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n")) << "a line end without CR";
    QStringList lines = DecodeAnsi(bytes).split(QStringLiteral("\r\n"));
    lines.removeLast();
    return lines;
  }

  // Lines as one text, so that a failure shows them readably.
  static std::string Text(const QStringList& lines) { return lines.join(QLatin1Char('\n')).toStdString(); }

  static QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  QTemporaryDir dir_;
  EventModel model_;
};

}  // namespace kivo::fixtures
