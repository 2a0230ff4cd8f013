#pragma once
// The general number format of the race XML and of the pages, and the strict
// reading of the race XML's numbers ("." whatever the user locale).
#include <stdexcept>

#include <QChar>
#include <QLocale>
#include <QString>

namespace kivo {

// A text that does not convert to the value asked for. what() is the
// message to show, such as "'12,5' is not a valid floating point value".
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The general format with at most 15 significant digits: the value rounded
// to 15 significant digits; fixed notation when that puts it from 0.0001 up
// to (not including) 10^15 in magnitude, else scientific ("5E-5", "1E20",
// "-1.5E-7"); trailing zeros and a bare point dropped; zero as "0"; "INF",
// "-INF" and "NAN" for the values that are no finite number. So 10 gives
// "10" and a stored 12.3f, widened, "12.3000001907349". `decimalSeparator`
// stands in place of the point ("." for the race XML, the user locale's for
// the pages).
QString FloatText(double value, QChar decimalSeparator = QLatin1Char('.'));
// The same with the decimal separator of `locale` (the pages: Edit1, the
// leg grid).
QString FloatText(double value, const QLocale& locale);

// A number of the race XML: optional blanks around an optional sign, digits
// with an optional "." and fraction, an optional exponent ("E" or "e", an
// optional sign, digits); also the words that FloatText writes for no
// finite number ("INF", "-INF", "NAN", any letter case). Anything else, the
// empty text included, and a value beyond the range of a double throw
// EConvertError "'<text>' is not a valid floating point value".
double ParseXmlFloat(const QString& text);

// A whole number of the race XML or the event file: optional blanks, an
// optional sign, decimal digits, within the 32-bit range; else
// EConvertError "'<text>' is not a valid integer value".
int ParseXmlInteger(const QString& text);

}  // namespace kivo
