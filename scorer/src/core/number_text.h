#pragma once
// The reading of numbers: the race XML's strictly ("." whatever the user
// locale; platform::FloatText in locale/float_text.h writes them), and the
// pages' in the user's locale.
#include <optional>

#include <QChar>
#include <QLocale>
#include <QString>

#include "errors/exceptions.h"

namespace kivo {

// A text that does not convert to the value asked for. what() is the
// message to show, such as "'12,5' is not a valid floating point value";
// the same class as the module's.
using platform::EConvertError;

// A number of the race XML, trimmed of blanks and control characters: the
// platform's strict number (numbers/strict_number.h: an optional sign,
// digits with an optional "." and fraction, an optional exponent; a value
// too small for a double reads as 0); also the words that FloatText writes
// for no finite number ("INF", "+INF", "-INF", "NAN", any letter case).
// Anything else, the empty text included, and a value beyond the range of a
// double throw EConvertError "'<text>' is not a valid floating point value".
double ParseXmlFloat(const QString& text);

// A whole number of the race XML or the event file, trimmed of blanks and
// control characters: an optional sign and decimal digits within the 32-bit
// range (numbers::TryStrToInt); else EConvertError "'<text>' is not a valid
// integer value".
int ParseXmlInteger(const QString& text);

// The number that `text` holds, read with the decimal separator of `locale`
// (no group separators, an exponent allowed), or none when the text,
// trimmed of blanks and control characters, is empty, is no number or lies
// outside the range of a double.
std::optional<double> ReadLocaleNumber(const QString& text, const QLocale& locale);

// ReadLocaleNumber, or `defaultValue` where that gives none.
double TextToFloatDef(const QString& text, double defaultValue, const QLocale& locale);
// The same with the user's locale (platform::UserLocale()).
double TextToFloatDef(const QString& text, double defaultValue);

}  // namespace kivo
