// The bundled sample rating data file must load in the scorer and be valid
// for the scoring module.
#include <gtest/gtest.h>

#include <filesystem>

#include <QDate>
#include <QRegularExpression>
#include <QTime>

#include "core/rms_details.h"
#include "core/rms_file.h"
#include "core/rms_text.h"

namespace kivo {
namespace {

QString SamplePath() {
  const std::filesystem::path here = std::filesystem::path(__FILE__).parent_path();
  return QString::fromStdString((here / ".." / ".." / "assets" / "sample.rms").lexically_normal().string());
}

// A number as the module reads it: "." as decimal separator, nothing else.
bool StrictNumber(QByteArrayView field, double* value) {
  const QByteArray text = TrimmedBytes(field).toByteArray();
  bool ok = false;
  *value = text.toDouble(&ok);
  return ok && !text.isEmpty();
}

int StrictInteger(QByteArrayView line, int first, int width) {
  bool ok = false;
  const int value = ColumnBytes(line, first, width).toByteArray().toInt(&ok);
  return ok ? value : -1;
}

class SampleRms : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { load_ = new RmsLoad(LoadRmsFile(SamplePath())); }
  static void TearDownTestSuite() { delete load_; }
  static RmsLoad* load_;
};
RmsLoad* SampleRms::load_ = nullptr;

TEST_F(SampleRms, LoadsAboutThirtyBoatsWithSomeJapaneseNames) {
  EXPECT_TRUE(IsRmsHeaderLine(load_->headerLine));
  EXPECT_GE(load_->lineCount(), 30);
  int japanese = 0;
  for (const QString& name : load_->boatList) {
    EXPECT_FALSE(name.isEmpty());
    EXPECT_FALSE(name.contains('?')) << name.toStdString();
    if (name.contains(QRegularExpression("[\\x{3040}-\\x{30ff}\\x{4e00}-\\x{9fff}]"))) ++japanese;
  }
  EXPECT_GE(japanese, 3);
}

TEST_F(SampleRms, EveryRecordIsValidForTheModule) {
  const int kCurveStarts[] = {374, 423, 472, 521, 570, 703, 752, 801, 850, 899, 948, 997, 1046, 1095, 1144};
  for (const QByteArray& line : load_->lines) {
    const std::string name = DecodeAnsi(FieldBytes(line, 30, 24)).toStdString();
    // Every curve: seven allowances whose velocity rises strictly.
    for (int first : kCurveStarts) {
      double previous = 1e9;
      for (int k = 0; k < 7; ++k) {
        double allowance = 0;
        ASSERT_TRUE(StrictNumber(ColumnBytes(line, first + 7 * k, 7), &allowance)) << name << " " << first;
        EXPECT_LT(allowance, previous) << name << " curve at " << first;
        EXPECT_GT(allowance, 300) << name;
        previous = allowance;
      }
    }
    for (int k = 0; k < 7; ++k) {
      double beatAngle = 0, gybeAngle = 0;
      ASSERT_TRUE(StrictNumber(ColumnBytes(line, 619 + 6 * k, 6), &beatAngle)) << name;
      ASSERT_TRUE(StrictNumber(ColumnBytes(line, 661 + 6 * k, 6), &gybeAngle)) << name;
      EXPECT_TRUE(beatAngle >= 40 && beatAngle <= 45) << name << " " << beatAngle;
      EXPECT_TRUE(gybeAngle >= 140 && gybeAngle <= 175) << name << " " << gybeAngle;
      double beat = 0, run = 0;
      ASSERT_TRUE(StrictNumber(ColumnBytes(line, 703 + 7 * k, 7), &beat));
      ASSERT_TRUE(StrictNumber(ColumnBytes(line, 1144 + 7 * k, 7), &run));
      EXPECT_GT(beat, run) << name << " at wind " << k;
    }
    double wl6 = 0, wl20 = 0;
    ASSERT_TRUE(StrictNumber(ColumnBytes(line, 374, 7), &wl6));
    ASSERT_TRUE(StrictNumber(ColumnBytes(line, 374 + 42, 7), &wl20));
    EXPECT_TRUE(wl6 >= 900 && wl6 <= 1100) << name << " " << wl6;
    EXPECT_TRUE(wl20 >= 430 && wl20 <= 530) << name << " " << wl20;
    // RecordDateTime: day, month, year, hour, minute, second.
    const QDate date(StrictInteger(line, 279, 4), StrictInteger(line, 276, 2), StrictInteger(line, 273, 2));
    const QTime time(StrictInteger(line, 284, 2), StrictInteger(line, 287, 2), StrictInteger(line, 290, 2));
    EXPECT_TRUE(date.isValid() && time.isValid()) << name;
    double gph = 0;
    ASSERT_TRUE(StrictNumber(ColumnBytes(line, 340, 6), &gph)) << name;
    EXPECT_TRUE(gph >= 500 && gph <= 700) << name << " " << gph;
  }
}

TEST_F(SampleRms, TheHeaderNamesEveryDetailValue) {
  Table<QString> names(200);
  const QList<DetailPair> header = BoatDetails(load_->headerLine, names);
  EXPECT_EQ(header.first().name, "LOA");
  for (const QByteArray& line : load_->lines) {
    const QList<DetailPair> values = BoatDetails(line, names);
    ASSERT_EQ(values.size(), header.size());
    EXPECT_EQ(values[7].name, "GPH");
    EXPECT_EQ(values[7].value, DecodeAnsi(FieldBytes(line, 340, 6)));
  }
}

}  // namespace
}  // namespace kivo
