#pragma once
// The identity fields that the scorer cuts from a certificate record (one
// line of the rating data file, CP932 bytes as read) and the boat summary
// shown from them.
#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace kivo {

// The fields of the record cut last, each trimmed, named by their summary
// labels ("Sail Number" is SailNumber, ...).
struct CurrentRecord {
  QString Boatname;    // columns 30-53
  QString SailNumber;  // 18-29
  QString CertNumber;  // 4-9
  QString CertType;    // 257-264
  QString Division;    // 266
  QString AgeYear;     // 108-111
  QString YachtClass;  // 54-71
  QString Designer;    // 90-107
  QString YchatClub;   // 113-148
  QString LOA;         // 293-298
  QString GPH;         // 340-345
  QString CrewWeight;  // 268-271

  bool operator==(const CurrentRecord&) const = default;
};

// Column of a field: 1-based first column and width in bytes.
struct RecordField {
  int firstColumn;
  int width;
};
inline constexpr RecordField kBoatnameField{30, 24};
inline constexpr RecordField kSailNumberField{18, 12};
inline constexpr RecordField kCertNumberField{4, 6};
inline constexpr RecordField kCertTypeField{257, 8};
inline constexpr RecordField kDivisionField{266, 1};
inline constexpr RecordField kAgeYearField{108, 4};
inline constexpr RecordField kYachtClassField{54, 18};
inline constexpr RecordField kDesignerField{90, 18};
inline constexpr RecordField kYchatClubField{113, 36};
inline constexpr RecordField kLoaField{293, 6};
inline constexpr RecordField kGphField{340, 6};
inline constexpr RecordField kCrewWeightField{268, 4};

// Cuts every field of CurrentRecord from `record`: the bytes at its columns
// (cut short where the line ends), trimmed, shown as CP932 text. The rest of
// the record is not looked at.
CurrentRecord ParseRmsLine(QByteArrayView record);

// Whether the scoring module can read `record` as a certificate record: as
// the race XML carries it (control bytes blank, "&" as "-", trimmed as a
// whole), every allowance field of columns 374 to 1192 holds a number and
// the record date of columns 273 to 291 is a real date and time. A line
// shorter than its allowances, or shifted by a tab, is not readable.
bool IsReadableRatingRecord(QByteArrayView record);

// The Boatname field as bytes, trimmed: what the boat list is sorted by.
QByteArrayView RmsBoatnameBytes(QByteArrayView record);

// The twelve lines of the boat summary (Memo4), without line ends: one
// blank, the label and blanks up to 18 characters, then the value, in the
// order Boatname, Sail Number, Cert Number, Cert Type, Division, Age Year,
// Yacht Class, Designer, Ychat Club, LOA, GPH, Crew Weight.
QStringList BoatSummaryLines(const CurrentRecord& record);

// The summary memo's text: every line of BoatSummaryLines followed by CR LF.
QString BoatSummaryText(const CurrentRecord& record);

}  // namespace kivo
