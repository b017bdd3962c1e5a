// Small stand-ins for two parts of the GNU C++ runtime that would otherwise make up half of
// Tarnwick.exe. Built with MinGW only, and into the program itself rather than a library, so that
// the linker takes these before it looks into the runtime's archive.
//
// - std::terminate's handler: the runtime's names the exception's type and so links in its whole
//   symbol demangler, to write to a standard error stream that a windowed program does not have.
// - The failures of the standard containers (a string or vector too long, an index out of range,
//   no memory): the runtime's throwers live in one object file that also builds every standard
//   exception class from text, and with them a second, reference-counted string library. Here
//   they throw the Win32 layer's fixed-text exception with the same text, which the event
//   boundary reports like any other.
//
// The runtime's object file and these must never both be linked: code that reaches one of its
// other throwers (std::stoi, std::bitset, ...), or that builds a std::runtime_error or one of its
// kin from text, stops the link with "multiple definition" errors. Add that thrower here, throw
// Win32Failure instead, or do without the call.

#include <cxxabi.h>
#include <cstdlib>
#include <exception>
#include <new>

#include "platform/win32/win32_failure.h"
#include "platform/win32/windows_api.h"

namespace __gnu_cxx {

void __verbose_terminate_handler() {
    ::OutputDebugStringA("Tarnwick: an unhandled exception ended the program\n");
    std::abort();
}

}  // namespace __gnu_cxx

namespace std {

void __throw_bad_alloc() {
    throw std::bad_alloc();
}

void __throw_bad_array_new_length() {
    throw std::bad_array_new_length();
}

void __throw_logic_error(const char* reason) {
    throw tarnwick::win32::Win32Failure(reason);
}

void __throw_length_error(const char* reason) {
    throw tarnwick::win32::Win32Failure(reason);
}

void __throw_out_of_range(const char* reason) {
    throw tarnwick::win32::Win32Failure(reason);
}

// The format's arguments (positions and sizes) are left out of the text.
void __throw_out_of_range_fmt(const char* format, ...) {
    throw tarnwick::win32::Win32Failure(format);
}

}  // namespace std
