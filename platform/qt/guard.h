#pragma once
// A failure inside an event handler ends the handler and is shown in one
// error box with the failure's own message; the program goes on.
#include <exception>
#include <utility>

namespace platform {

// Shows e.what() through CurrentDialogs().ShowMessage.
void ShowError(const std::exception& e);
// The same for a failure that carries no message.
void ShowUnknownError();

// Runs `f`; a failure escaping it is shown instead of reaching the event loop:
//   void TForm1::Button3Click() { platform::Guarded([&] { ... }); }
template <class F>
void Guarded(F&& f) {
  try {
    std::forward<F>(f)();
  } catch (const std::exception& e) {
    ShowError(e);
  } catch (...) {
    ShowUnknownError();
  }
}

}  // namespace platform
