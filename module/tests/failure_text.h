#pragma once
// "class: message" of what a step raises, or "no failure".
#include <string>

#include "KivoErrors.h"

namespace kivotest {

template <typename F>
std::string FailureText(F step) {
  try {
    step();
  } catch (const kivo::Exception& e) {
    return e.Text();
  }
  return "no failure";
}

}  // namespace kivotest
