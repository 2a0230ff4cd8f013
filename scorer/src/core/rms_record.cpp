#include "core/rms_record.h"

#include <string_view>

#include <QDate>
#include <QTime>

#include "core/rms_text.h"
#include "numbers/strict_number.h"

namespace kivo {
namespace {

QString Field(QByteArrayView record, RecordField field) {
  return DecodeAnsi(FieldBytes(record, field.firstColumn, field.width));
}

constexpr int kSummaryLabelWidth = 18;

QString SummaryLine(const char* label, const QString& value) {
  return (QStringLiteral(" ") + QLatin1String(label) + QString(19, u' ')).left(kSummaryLabelWidth) + value;
}

// The module's number: the field trimmed of blanks and control bytes, then
// its strict conversion.
bool IsRecordNumber(QByteArrayView field) {
  const QByteArrayView text = TrimmedBytes(field);
  double value = 0;
  return numbers::TryTextToFloat(std::string_view(text.data(), static_cast<std::size_t>(text.size())), value);
}

bool IsRecordInteger(QByteArrayView text, int& value) {
  return numbers::TryStrToInt(std::string_view(text.data(), static_cast<std::size_t>(text.size())), value);
}

bool IsRecordDateTime(QByteArrayView stamp) {
  int parts[6];  // day, month, year, hour, minute, second
  const RecordField places[6] = {{1, 2}, {4, 2}, {7, 4}, {12, 2}, {15, 2}, {18, 2}};
  for (int k = 0; k < 6; ++k)
    if (!IsRecordInteger(ColumnBytes(stamp, places[k].firstColumn, places[k].width), parts[k])) return false;
  const QDate date(parts[2], parts[1], parts[0]);
  return parts[2] >= 1 && parts[2] <= 9999 && date.isValid() && QTime::isValid(parts[3], parts[4], parts[5]);
}

// The allowance blocks the module reads: first column, width, fields.
struct AllowanceBlock {
  int firstColumn;
  int width;
};
constexpr AllowanceBlock kAllowanceBlocks[] = {
    {374, 7},  {423, 7}, {472, 7}, {521, 7}, {570, 7},  // W/L, Olympic, C/R, N/S, Ocean
    {619, 6},  {661, 6},                                // beat and gybe angles
    {703, 7},                                           // Beat
    {752, 7},  {801, 7}, {850, 7}, {899, 7}, {948, 7}, {997, 7}, {1046, 7}, {1095, 7},  // R52 .. R150
    {1144, 7},                                                                          // Run
};

}  // namespace

bool IsReadableRatingRecord(QByteArrayView record) {
  QByteArray carried = record.toByteArray();
  for (char& c : carried) {
    if (c == '&')
      c = '-';
    else if (c == '\n')
      c = '\r';
    else if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\r')
      c = ' ';
  }
  const QByteArrayView text = TrimmedBytes(carried);
  for (const AllowanceBlock& block : kAllowanceBlocks)
    for (int k = 0; k < 7; ++k)
      if (!IsRecordNumber(ColumnBytes(text, block.firstColumn + k * block.width, block.width))) return false;
  return IsRecordDateTime(ColumnBytes(text, 273, 19));
}

CurrentRecord ParseRmsLine(QByteArrayView record) {
  CurrentRecord r;
  r.Boatname = Field(record, kBoatnameField);
  r.SailNumber = Field(record, kSailNumberField);
  r.CertNumber = Field(record, kCertNumberField);
  r.CertType = Field(record, kCertTypeField);
  r.Division = Field(record, kDivisionField);
  r.AgeYear = Field(record, kAgeYearField);
  r.YachtClass = Field(record, kYachtClassField);
  r.Designer = Field(record, kDesignerField);
  r.YchatClub = Field(record, kYchatClubField);
  r.LOA = Field(record, kLoaField);
  r.GPH = Field(record, kGphField);
  r.CrewWeight = Field(record, kCrewWeightField);
  return r;
}

QByteArrayView RmsBoatnameBytes(QByteArrayView record) {
  return FieldBytes(record, kBoatnameField.firstColumn, kBoatnameField.width);
}

QStringList BoatSummaryLines(const CurrentRecord& r) {
  return {
      SummaryLine("Boatname:", r.Boatname),
      SummaryLine("Sail Number:", r.SailNumber),
      SummaryLine("Cert Number:", r.CertNumber),
      SummaryLine("Cert Type:", r.CertType),
      SummaryLine("Division:", r.Division),
      SummaryLine("Age Year:", r.AgeYear),
      SummaryLine("Yacht Class:", r.YachtClass),
      SummaryLine("Designer:", r.Designer),
      SummaryLine("Ychat Club:", r.YchatClub),
      SummaryLine("LOA:", r.LOA),
      SummaryLine("GPH:", r.GPH),
      SummaryLine("Crew Weight:", r.CrewWeight),
  };
}

QString BoatSummaryText(const CurrentRecord& record) {
  QString text;
  for (const QString& line : BoatSummaryLines(record)) text += line + QStringLiteral("\r\n");
  return text;
}

}  // namespace kivo
