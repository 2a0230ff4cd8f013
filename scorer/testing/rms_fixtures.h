#pragma once
// Synthetic certificate records and rating data files for the tests, the
// benchmarks and the fuzz targets, laid out by the record's column table.
#include <string>
#include <vector>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include "ansi/ansi.h"

namespace kivo::fixtures {

inline constexpr int kRecordLength = 1472;

inline QByteArray Cp932(const char* utf8) {
  const std::string bytes = ansi::FromUtf8(utf8);
  return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

// A record of blanks into which fields are written at their columns.
class RecordBuilder {
 public:
  RecordBuilder() : line_(kRecordLength, ' ') {}
  // Writes the bytes from 1-based `firstColumn` on, growing the line if needed.
  RecordBuilder& Put(int firstColumn, const QByteArray& bytes) {
    const qsizetype start = firstColumn - 1;
    if (line_.size() < start + bytes.size()) line_.resize(start + bytes.size(), ' ');
    line_.replace(start, bytes.size(), bytes);
    return *this;
  }
  // A number right-aligned in `width` columns with `decimals` decimals.
  RecordBuilder& PutNumber(int firstColumn, int width, double value, int decimals) {
    return Put(firstColumn, QByteArray::number(value, 'f', decimals).rightJustified(width, ' '));
  }
  QByteArray Build() const { return line_; }

 private:
  QByteArray line_;
};

// A whole record with plausible identity fields and valid curves, made from
// `seed`; `boatname` is written as given (CP932 bytes).
inline QByteArray SyntheticRecord(int seed, const QByteArray& boatname) {
  RecordBuilder b;
  const double gph = 520.0 + (seed * 37 % 170);
  const double scale = gph / 600.0;
  b.Put(1, "JPN")
      .Put(4, QByteArray::number(100000 + seed % 900000).right(6))
      .Put(18, "JPN-" + QByteArray::number(1000 + seed % 9000))
      .Put(30, boatname.left(24))
      .Put(54, "Tern " + QByteArray::number(28 + seed % 15))
      .Put(90, "K. Designer")
      .Put(108, QByteArray::number(1990 + seed % 30))
      .Put(113, "Synthetic Sailing Club")
      .Put(257, "Intl")
      .Put(266, seed % 2 ? "C" : "S")
      .PutNumber(268, 4, 500 + seed % 400, 0)
      .Put(273, "15/03/2017 10:22:33")
      .PutNumber(293, 6, 8.5 + (seed % 60) / 10.0, 2)
      .PutNumber(340, 6, gph, 1);
  const double base[7] = {1000, 820, 700, 620, 565, 528, 488};
  auto curve = [&](int first, double factor) {
    for (int k = 0; k < 7; ++k) b.PutNumber(first + 7 * k, 7, base[k] * factor * scale, 1);
  };
  curve(374, 1.0);
  curve(423, 0.97);
  curve(472, 0.95);
  curve(521, 0.99);
  curve(570, 0.93);
  for (int k = 0; k < 7; ++k) b.PutNumber(619 + 6 * k, 6, 45.0 - 0.7 * k, 1);
  for (int k = 0; k < 7; ++k) b.PutNumber(661 + 6 * k, 6, 142.0 + 5.0 * k, 1);
  curve(703, 1.3);
  for (int j = 0; j < 8; ++j) curve(752 + 49 * j, 1.05 - 0.02 * j);
  curve(1144, 1.2);
  return b.Build();
}

// A header line: "NAT" and the names of the fields from column 292 on.
inline QByteArray HeaderLine(const QByteArray& namesFrom292) {
  return RecordBuilder().Put(1, "NAT").Put(4, "CertNo").Put(30, "Boatname").Put(292, namesFrom292).Build();
}

// A rating data file's bytes: the header, then the records, CR LF after each.
inline QByteArray RmsContent(const QByteArray& header, const std::vector<QByteArray>& records) {
  QByteArray content = header + "\r\n";
  for (const QByteArray& r : records) content += r + "\r\n";
  return content;
}

inline bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  return file.write(bytes) == bytes.size();
}

}  // namespace kivo::fixtures
