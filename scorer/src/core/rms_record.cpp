#include "core/rms_record.h"

#include "core/rms_text.h"

namespace kivo {
namespace {

QString Field(QByteArrayView record, RecordField field) {
  return DecodeAnsi(FieldBytes(record, field.firstColumn, field.width));
}

constexpr int kSummaryLabelWidth = 18;

QString SummaryLine(const char* label, const QString& value) {
  return (QStringLiteral(" ") + QLatin1String(label) + QString(19, u' ')).left(kSummaryLabelWidth) +
         value;
}

}  // namespace

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
      SummaryLine("Boatname:", r.Boatname),     SummaryLine("Sail Number:", r.SailNumber),
      SummaryLine("Cert Number:", r.CertNumber), SummaryLine("Cert Type:", r.CertType),
      SummaryLine("Division:", r.Division),     SummaryLine("Age Year:", r.AgeYear),
      SummaryLine("Yacht Class:", r.YachtClass), SummaryLine("Designer:", r.Designer),
      SummaryLine("Ychat Club:", r.YchatClub),   SummaryLine("LOA:", r.LOA),
      SummaryLine("GPH:", r.GPH),               SummaryLine("Crew Weight:", r.CrewWeight),
  };
}

QString BoatSummaryText(const CurrentRecord& record) {
  QString text;
  for (const QString& line : BoatSummaryLines(record)) text += line + QStringLiteral("\r\n");
  return text;
}

}  // namespace kivo
