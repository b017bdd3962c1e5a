#pragma once
// Reading a help file whole, for the viewer.

#include <string>

#include "platform/win32/windows_api.h"

namespace tarnwick::win32 {

enum class FileOutcome { Read, CannotOpen, TooLarge };

struct FileContents {
    FileOutcome outcome = FileOutcome::CannotOpen;
    std::string bytes;
};

// The file's bytes, or why there are none: it cannot be opened or read, or it is too large to be
// a help file.
FileContents ReadWholeFile(const std::wstring& path);

}  // namespace tarnwick::win32
