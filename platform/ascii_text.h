#pragma once
// Texts of the program's own kept as plain ASCII and widened where they are used: half the room
// of wide literals. One definition, shared by every file that appends such text.

#include <string>

namespace tarnwick {

inline void AppendAscii(std::wstring& text, const char* ascii) {
    for (; *ascii != '\0'; ++ascii) {
        text.push_back(static_cast<wchar_t>(*ascii));
    }
}

inline std::wstring Widened(const char* ascii) {
    std::wstring text;
    AppendAscii(text, ascii);
    return text;
}

}  // namespace tarnwick
