#include "details/row_text.h"

#include <iterator>

#include "platform/ascii_text.h"

namespace tarnwick {

RowText& RowText::operator<<(std::wstring_view part) {
    text_.append(part);
    return *this;
}

RowText& RowText::operator<<(const char* ascii) {
    AppendAscii(text_, ascii);
    return *this;
}

RowText& RowText::Unsigned(std::uint64_t value) {
    wchar_t digits[20];
    std::size_t first = std::size(digits);
    do {
        digits[--first] = static_cast<wchar_t>(L'0' + value % 10);
        value /= 10;
    } while (value != 0);
    return *this << std::wstring_view(digits + first, std::size(digits) - first);
}

RowText& RowText::Number(std::int64_t value) {
    // The magnitude as unsigned, so that the most negative value has one too.
    if (value < 0) {
        *this << "-";
        return Unsigned(std::uint64_t{0} - static_cast<std::uint64_t>(value));
    }
    return Unsigned(static_cast<std::uint64_t>(value));
}

RowText& RowText::HexNumber(std::uint32_t value) {
    constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
    wchar_t digits[8];
    std::size_t first = std::size(digits);
    do {
        digits[--first] = kDigits[value & 0xF];
        value >>= 4;
    } while (value != 0);
    return *this << std::wstring_view(digits + first, std::size(digits) - first);
}

RowText& RowText::Point(std::int64_t x, std::int64_t y) {
    (*this << "(").Number(x) << ", ";
    return Number(y) << ")";
}

RowText& RowText::Rectangle(const Rect& r) {
    Point(r.left, r.top) << "-";
    Point(r.right, r.bottom) << ", ";
    Number(std::int64_t{r.right} - r.left) << " x ";
    return Number(std::int64_t{r.bottom} - r.top);
}

RowText& RowText::Handle(Hwnd window) {
    (*this << "0x").HexNumber(static_cast<std::uint32_t>(window)) << " (";
    return Number(window) << ")";
}

RowText& RowText::Related(const RelatedWindow& related) {
    if (related.handle == 0) {
        return *this << "none";
    }
    Handle(related.handle) << " " << related.className << " \"";
    return *this << related.title << "\"";
}

}  // namespace tarnwick
