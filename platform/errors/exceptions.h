#pragma once
// The runtime's exception classes that the module and the scorer both raise.
// Each reports its own class name, because the module's failure texts are
// "class: message"; what() is the message that the scorer's error box shows.
// The module adds its own classes in module/src/KivoErrors.h.
#include <stdexcept>
#include <string>

namespace platform {

class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  virtual const char* ClassName() const { return "Exception"; }
  std::string Message() const { return what(); }
  // "class: message", the form of every failure text.
  std::string Text() const { return std::string(ClassName()) + ": " + what(); }
};

// A class of the hierarchy: `Name` derived from `Base`, reporting "Name".
#define KIVO_EXCEPTION_CLASS(Name, Base)                     \
  class Name : public Base {                                 \
   public:                                                   \
    using Base::Base;                                        \
    const char* ClassName() const override { return #Name; } \
  }

// A text that does not convert to the number or date-time asked for:
// "'12,5' is not a valid floating point value".
KIVO_EXCEPTION_CLASS(EConvertError, Exception);

// The traps of a floating-point unit, which C++ does not raise by itself:
// the module's arithmetic and drevlin's geodesy check and raise them.
KIVO_EXCEPTION_CLASS(EMathError, Exception);
KIVO_EXCEPTION_CLASS(EZeroDivide, EMathError);
KIVO_EXCEPTION_CLASS(EInvalidOp, EMathError);
KIVO_EXCEPTION_CLASS(EOverflow, EMathError);

[[noreturn]] inline void RaiseZeroDivide() { throw EZeroDivide("Floating point division by zero"); }
[[noreturn]] inline void RaiseInvalidOp() { throw EInvalidOp("Invalid floating point operation"); }
[[noreturn]] inline void RaiseOverflow() { throw EOverflow("Floating point overflow"); }

}  // namespace platform
