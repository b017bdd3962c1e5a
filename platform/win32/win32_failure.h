#pragma once
// The exception the Win32 layer throws when the window system refuses a window or a control. It
// carries a fixed text only, so that throwing it needs neither an allocation nor the standard
// library's string-holding exception classes. Throw this, not std::runtime_error and its
// kin, in the Win32 layer: those bring in the runtime's own container throwers, which clash with
// the program's smaller stand-ins at link time.

#include <exception>

namespace tarnwick::win32 {

class Win32Failure final : public std::exception {
  public:
    explicit Win32Failure(const char* reason) noexcept : reason_(reason) {}

    const char* what() const noexcept override { return reason_; }

  private:
    const char* reason_;
};

}  // namespace tarnwick::win32
