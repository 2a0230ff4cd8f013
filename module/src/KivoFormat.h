#pragma once
// Number and date-time texts of the race file and the certificate records.
// Numbers always use "." whatever the process locale.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "numbers/general_float.h"
#include "numbers/strict_number.h"

namespace kivo {

// An attribute value as the XML DOM gives it: empty when the attribute is
// absent.
using AttrValue = std::optional<std::string>;

// The text without leading and trailing blanks and control characters.
std::string_view TrimText(std::string_view text);

// The field of `width` bytes from the 1-based `column`, cut short at the end
// of the text, empty beyond it.
std::string_view ColumnField(std::string_view text, int column, int width);

// Strict conversions; they raise EConvertError with the system's messages.
using numbers::TryTextToFloat;
double StrToFloat(std::string_view text);
using numbers::TryStrToInt;
int StrToInt(std::string_view text);
int StrToIntDef(std::string_view text, int fallback);

// Days since 30 December 1899 (the time of day as the fraction); raises
// EConvertError naming `text` when the parts form no valid date and time.
double EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int millisecond,
                      std::string_view text);

double ReadFloatAttr(const AttrValue& value, double fallback);
int ReadIntegerAttr(const AttrValue& value, int fallback);
double ReadDateTimeAttr(const AttrValue& value, double fallback);
double ParseDateTimeText(std::string_view text);
std::string ReadTextAttr(const AttrValue& value, const std::string& fallback);

// General format, at most 15 significant digits: 0.00005 -> "5E-5".
inline std::string FloatText(double value) { return numbers::GeneralFloatText(value); }
inline void AppendFloatText(std::string& text, double value) { numbers::AppendGeneralFloatText(text, value); }

// "dd:hh:nn:ss" of the seconds rounded to whole seconds; the day count has
// at least two digits and carries the sign.
std::string FormatCorrectedTime(double seconds);

}  // namespace kivo
