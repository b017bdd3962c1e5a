#include "main_window/hotkey_text.h"

#include <span>

#include "app/number_text.h"
#include "platform/ascii_text.h"
#include "platform/decimal_text.h"

namespace tarnwick {

namespace {

struct Name {
    std::uint32_t value;
    const char* text;  // plain ASCII: half the size of wide text in the program
};

// In the order the text writes them.
constexpr Name kModifierNames[] = {
    {kModControl, "Ctrl"},
    {kModAlt, "Alt"},
    {kModShift, "Shift"},
    {kModWin, "Win"},
};

constexpr Name kKeyNames[] = {
    {0x13, "Pause"}, {0x2D, "Insert"}, {0x24, "Home"},
    {0x23, "End"},   {0x21, "PageUp"}, {0x22, "PageDown"},
};

constexpr std::uint32_t kF1 = 0x70;
constexpr std::uint32_t kFunctionKeyCount = 24;

wchar_t Lower(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

std::wstring_view Trimmed(std::wstring_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool SameName(std::wstring_view text, const char* name) {
    for (const wchar_t c : text) {
        if (*name == '\0' || Lower(c) != Lower(static_cast<wchar_t>(*name))) {
            return false;
        }
        ++name;
    }
    return *name == '\0';
}

// The value of the entry the text names; 0 for none.
std::uint32_t NamedValue(std::span<const Name> names, std::wstring_view text) {
    for (const Name& name : names) {
        if (SameName(text, name.text)) {
            return name.value;
        }
    }
    return 0;
}

// The number one or two digits in the base write; 0 for any other text (0 is no key either).
std::uint32_t SmallNumber(std::wstring_view digits, std::uint32_t base) {
    if (digits.empty() || digits.size() > 2) {
        return 0;
    }
    std::uint32_t number = 0;
    for (const wchar_t c : digits) {
        const wchar_t lower = Lower(c);
        std::uint32_t digit = base;
        if (lower >= L'0' && lower <= L'9') {
            digit = static_cast<std::uint32_t>(lower - L'0');
        } else if (lower >= L'a' && lower <= L'f') {
            digit = static_cast<std::uint32_t>(lower - L'a' + 10);
        }
        if (digit >= base) {
            return 0;
        }
        number = number * base + digit;
    }
    return number;
}

// The virtual-key code of a key name; 0 for a text that names no key.
std::uint32_t KeyCode(std::wstring_view name) {
    if (name.empty()) {
        return 0;
    }
    if (name.size() == 1) {
        const wchar_t lower = Lower(name[0]);
        if (lower >= L'a' && lower <= L'z') {
            return static_cast<std::uint32_t>(lower - L'a' + L'A');
        }
        return lower >= L'0' && lower <= L'9' ? static_cast<std::uint32_t>(lower) : 0;
    }
    if (const std::uint32_t named = NamedValue(kKeyNames, name); named != 0) {
        return named;
    }
    if (Lower(name[0]) == L'f' && name[1] != L'0') {
        const std::uint32_t number = SmallNumber(name.substr(1), 10);
        return number >= 1 && number <= kFunctionKeyCount ? kF1 + number - 1 : 0;
    }
    if (name.size() > 2 && name[0] == L'0' && Lower(name[1]) == L'x') {
        const std::uint32_t code = SmallNumber(name.substr(2), 16);
        return code <= 0xFE ? code : 0;
    }
    return 0;
}

}  // namespace

std::optional<Hotkey> ParseHotkey(std::wstring_view text) {
    text = Trimmed(text);
    if (SameName(text, "none")) {
        return std::nullopt;
    }
    Hotkey hotkey;
    for (;;) {
        const std::size_t plus = text.find(L'+');
        const std::wstring_view part = Trimmed(text.substr(0, plus));
        if (plus == std::wstring_view::npos) {
            hotkey.virtualKey = KeyCode(part);
            return hotkey.virtualKey != 0 ? hotkey : kDefaultCaptureHotkey;
        }
        const std::uint32_t modifier = NamedValue(kModifierNames, part);
        if (modifier == 0 || (hotkey.modifiers & modifier) != 0) {
            return kDefaultCaptureHotkey;
        }
        hotkey.modifiers |= modifier;
        text.remove_prefix(plus + 1);
    }
}

std::wstring HotkeyText(const Hotkey& hotkey) {
    std::wstring text;
    for (const Name& modifier : kModifierNames) {
        if ((hotkey.modifiers & modifier.value) != 0) {
            AppendAscii(text, modifier.text);
            text.push_back(L'+');
        }
    }
    const std::uint32_t key = hotkey.virtualKey;
    if ((key >= L'A' && key <= L'Z') || (key >= L'0' && key <= L'9')) {
        text.push_back(static_cast<wchar_t>(key));
        return text;
    }
    if (key >= kF1 && key < kF1 + kFunctionKeyCount) {
        text.push_back(L'F');
        text.append(DecimalText(key - kF1 + 1));
        return text;
    }
    for (const Name& name : kKeyNames) {
        if (name.value == key) {
            AppendAscii(text, name.text);
            return text;
        }
    }
    AppendAscii(text, key < 0x10 ? "0x0" : "0x");
    text.append(Hex(static_cast<std::int32_t>(key)));
    return text;
}

}  // namespace tarnwick
