#pragma once
// The runtime's general number format: at most 15 significant digits, "."
// as decimal separator, fixed notation from 1E-4 up to below 1E15 and
// scientific notation otherwise ("5E-5", "1E20"), trailing zeros dropped,
// "INF", "-INF" and "NAN". The module prints every number with it, and the
// scorer the race file's numbers and the pages' copies of them.
#include <string>

namespace numbers {

std::string GeneralFloatText(double value);
// The same, appended to `text` (the module builds long attribute texts).
void AppendGeneralFloatText(std::string& text, double value);

}  // namespace numbers
