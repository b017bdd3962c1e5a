#include "tests/e2e/console.h"

#include <windows.h>

#include <string>

#include "tests/e2e/text.h"

namespace tarnwick::e2e {

void WriteLine(std::wstring_view line) {
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    const std::wstring text = std::wstring(line) + L"\n";
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(out, &mode)) {
        WriteConsoleW(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    const std::string bytes = ToUtf8(text);
    WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace tarnwick::e2e
