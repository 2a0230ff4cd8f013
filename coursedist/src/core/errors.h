#pragma once
// The failures that end an event handler of drevlin; what() is the message
// that the error box shows. They are the runtime's classes, which the module
// and the scorer raise too: a typed text that is no number of the kind asked
// for ("'35,5x' is not a valid floating point value"), and a computation
// whose result would be no finite number (C++ does not trap as the
// floating-point unit of the original platform did, so the geodesy checks
// and raises these itself).
#include "errors/exceptions.h"

namespace drevlin {

using platform::EConvertError;
using platform::EInvalidOp;
using platform::EZeroDivide;

}  // namespace drevlin
