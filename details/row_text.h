#pragma once
// The texts of the Details window's rows, written piece by piece into one string.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "details/window_facts.h"

namespace tarnwick {

// Every piece is one call, where chains of string concatenations would cost the program many
// times the code.
class RowText {
  public:
    RowText& operator<<(std::wstring_view part);
    // Plain ASCII, widened as it is appended: half the room of wide text, and a shorter call.
    RowText& operator<<(const char* ascii);
    RowText& Unsigned(std::uint64_t value);
    RowText& Number(std::int64_t value);
    RowText& HexNumber(std::uint32_t value);
    RowText& Point(std::int64_t x, std::int64_t y);
    RowText& Rectangle(const Rect& r);
    RowText& Handle(Hwnd window);
    RowText& Related(const RelatedWindow& related);
    std::wstring Take() { return std::move(text_); }

  private:
    std::wstring text_;
};

}  // namespace tarnwick
