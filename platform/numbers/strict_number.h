#pragma once
// The runtime's strict number conversions, as the module reads the numbers
// of the race file and of the certificate records (and the scorer checks
// those records the same way): "." as decimal separator whatever the
// process locale.
#include <string_view>

namespace numbers {

// Blanks around, a sign, digits with at most one ".", at least one digit,
// and an exponent with digits; nothing else (no "INF", no "NAN", no hex, no
// ","), and not too large for a double (too small gives 0).
bool TryTextToFloat(std::string_view text, double& value);

// Leading blanks, a sign and decimal digits that fit 32 bits.
bool TryStrToInt(std::string_view text, int& value);

}  // namespace numbers
