#pragma once
// The failures that end an event handler of drevlin; what() is the message
// that the error box shows.
#include <stdexcept>

namespace drevlin {

// A typed text that is no number of the kind asked for:
// "'35,5x' is not a valid floating point value".
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A computation whose result would be no finite number. C++ does not trap
// as the floating-point unit of the original platform did, so the geodesy
// checks and throws these itself.
class EInvalidOp : public std::runtime_error {
 public:
  EInvalidOp() : std::runtime_error("Invalid floating point operation") {}
};

class EZeroDivide : public std::runtime_error {
 public:
  EZeroDivide() : std::runtime_error("Floating point division by zero") {}
};

}  // namespace drevlin
