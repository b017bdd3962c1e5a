#include "main_window/window_record.h"

namespace tarnwick {

namespace {

constexpr wchar_t kReplacement = L'\uFFFD';

bool BreaksLine(wchar_t c) {
    return (c < 0x20 && c != L'\t') || c == 0x85 || c == 0x2028 || c == 0x2029;
}

std::wstring WithoutNul(std::wstring_view text) {
    std::wstring value(text);
    for (wchar_t& c : value) {
        if (c == L'\0') {
            c = kReplacement;
        }
    }
    return value;
}

// The text of a label after its prefix ("Hex: 2A0" -> "2A0").
std::wstring_view After(std::wstring_view text, std::wstring_view prefix) {
    return text.starts_with(prefix) ? text.substr(prefix.size()) : text;
}

std::wstring_view ShownText(const ShownWindow& shown, WindowField field) {
    switch (field) {
        case WindowField::hWnd:
            return After(shown.hex, L"Hex: ");
        case WindowField::Class:
            return shown.className;
        case WindowField::Title:
            return shown.title;
        case WindowField::Rect:
            return shown.rect;
        case WindowField::Style:
            return shown.style;
        case WindowField::Parent:
            return shown.parent;
    }
    return {};
}

}  // namespace

std::wstring OnOneLine(std::wstring_view text) {
    std::wstring line(text);
    for (wchar_t& c : line) {
        if (BreaksLine(c)) {
            c = kReplacement;
        }
    }
    return line;
}

std::wstring_view FieldName(WindowField field) {
    switch (field) {
        case WindowField::hWnd:
            return L"hWnd";
        case WindowField::Class:
            return L"Class";
        case WindowField::Title:
            return L"Title";
        case WindowField::Rect:
            return L"Rect";
        case WindowField::Style:
            return L"Style";
        case WindowField::Parent:
            return L"Parent";
    }
    return {};
}

std::wstring FieldValue(const ShownWindow& shown, WindowField field) {
    return WithoutNul(ShownText(shown, field));
}

std::wstring RecordText(std::wstring_view heading, const ShownWindow& shown,
                        std::wstring_view process) {
    if (heading.ends_with(L':')) {
        heading.remove_suffix(1);
    }
    std::wstring record = OnOneLine(heading);
    record.append(L"\r\n");
    const auto line = [&](std::wstring_view name, std::wstring_view value) {
        record.append(name).append(L": ").append(OnOneLine(value)).append(L"\r\n");
    };
    std::wstring handle = shown.decimal;
    handle.append(L", ").append(shown.hex);
    line(FieldName(WindowField::hWnd), handle);
    for (const WindowField field : kWindowFields) {
        if (field != WindowField::hWnd) {
            line(FieldName(field), ShownText(shown, field));
        }
    }
    line(L"Process", process);
    return record;
}

}  // namespace tarnwick
