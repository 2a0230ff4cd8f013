#pragma once
// The strict reading of the race XML's numbers ("." whatever the user locale);
// platform::FloatText (locale/float_text.h) writes them.
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

}  // namespace kivo
