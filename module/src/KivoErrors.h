#pragma once
// The failures of the module. Each class reports its own name, because the
// failure texts that reach the scorer and the race file are "class: message".
#include <cmath>
#include <string>

#include "errors/exceptions.h"

namespace kivo {

// The base, the conversion error and the floating-point traps are the
// runtime's, shared with the scorer and drevlin; the others are the module's
// alone.
using platform::EConvertError;
using platform::EInvalidOp;
using platform::EMathError;
using platform::EOverflow;
using platform::Exception;
using platform::EZeroDivide;

KIVO_EXCEPTION_CLASS(EListError, Exception);
KIVO_EXCEPTION_CLASS(EDOMParseError, Exception);
KIVO_EXCEPTION_CLASS(EStreamError, Exception);
KIVO_EXCEPTION_CLASS(EFOpenError, EStreamError);
KIVO_EXCEPTION_CLASS(EFCreateError, EStreamError);
KIVO_EXCEPTION_CLASS(EWriteError, EStreamError);

// printf-style formatting into a std::string.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Arithmetic that stops where a trapping floating-point unit stops: a
// division by zero, an invalid operation (0/0, inf-inf, 0*inf) and an overflow
// raise instead of carrying an infinity or a NaN into a result. Each performs
// exactly the one IEEE operation, so the values are those of plain doubles.
namespace trap {

[[noreturn]] void RaiseZeroDivide();
[[noreturn]] void RaiseInvalidOp();
[[noreturn]] void RaiseOverflow();

inline bool BothFinite(double a, double b) { return std::isfinite(a) && std::isfinite(b); }

inline double Add(double a, double b) {
  double r = a + b;
  if (std::isnan(r)) RaiseInvalidOp();
  if (std::isinf(r) && BothFinite(a, b)) RaiseOverflow();
  return r;
}

inline double Sub(double a, double b) {
  double r = a - b;
  if (std::isnan(r)) RaiseInvalidOp();
  if (std::isinf(r) && BothFinite(a, b)) RaiseOverflow();
  return r;
}

inline double Mul(double a, double b) {
  double r = a * b;
  if (std::isnan(r)) RaiseInvalidOp();
  if (std::isinf(r) && BothFinite(a, b)) RaiseOverflow();
  return r;
}

inline double Div(double a, double b) {
  if (std::isnan(a) || std::isnan(b)) RaiseInvalidOp();
  if (b == 0) {
    if (a == 0) RaiseInvalidOp();
    RaiseZeroDivide();
  }
  double r = a / b;
  if (std::isnan(r)) RaiseInvalidOp();
  if (std::isinf(r) && std::isfinite(a)) RaiseOverflow();
  return r;
}

}  // namespace trap
}  // namespace kivo
