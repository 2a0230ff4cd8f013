#pragma once
// The number texts of drevlin's fields: how typed numbers are read and how
// computed ones are written, with the user locale's decimal separator.
#include <QLocale>
#include <QString>

namespace drevlin {

// A typed number: optional blanks, an optional sign, digits with at most one
// decimal separator (the locale's, or "." whatever the locale, since marks
// are often copied from charts and web pages), an optional exponent ("E" or
// "e", optional sign, digits), optional blanks. No "inf", "nan" or hex, and
// nothing beyond a double's range (a value too small for one reads as 0).
// Else EConvertError "'<text>' is not a valid floating point value".
double ReadFloat(const QString& text, const QLocale& locale);

// A typed whole number: optional blanks, an optional sign, decimal digits,
// optional blanks, within 32 bits; else EConvertError
// "'<text>' is not a valid integer value".
int ReadInteger(const QString& text);

// "Invalid value in <field>": the message for a typed value that the field
// does not take, naming the field by its caption ("MagVar.", "LEE mk LAT").
QString InvalidValueMessage(const QString& field);
// Throws std::runtime_error with that message.
[[noreturn]] void ThrowInvalidValue(const QString& field);

// The caption of both variation fields, offshore and inshore.
inline constexpr char kVariationField[] = "MagVar.";
// A variation field: degrees from -180 to 180, west positive, rounded to 32
// bits. Else EConvertError, or "Invalid value in MagVar.".
float ReadVariation(const QString& text, const QLocale& locale);
// The text of a 32-bit value that reads back as the same value: the fewest
// decimals that do, in fixed notation ("7.3244", "-0.5", "12").
QString ShortestText(float value, const QLocale& locale);

// Whether the text, past its leading blanks, starts with a minus: "-0" is a
// negative part of a coordinate although its value is 0.
bool HasMinusSign(const QString& text);

// The general form: 15 significant digits, trailing zeros dropped, the
// locale's separator ("35", "34.7899112"). Scientific for values below
// 0.0001 ("1.234E-5").
QString GeneralText(double value, const QLocale& locale);

// The general form in fixed notation, also below 0.0001 ("0.00001234"), so
// that its first characters never stand for a far larger value.
QString FixedGeneralText(double value, const QLocale& locale);

// The first `count` characters of FixedGeneralText: a cut, never a rounding
// (213.750 cut to 5 is "213.7").
QString FirstCharacters(double value, int count, const QLocale& locale);

// "%f": two decimals, the locale's separator ("1157.29", "855.00").
QString TwoDecimalsText(double value, const QLocale& locale);

// The nearest whole number, a half going to the even neighbour ("192" for
// 192.5, "194" for 193.5).
QString RoundedText(double value);

}  // namespace drevlin
