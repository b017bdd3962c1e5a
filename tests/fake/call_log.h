#pragma once
// The ordered record of every call the program makes through the platform interfaces.

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::fake {

class CallLog {
  public:
    void Record(std::string call);
    void Clear() { calls_.clear(); }

    const std::vector<std::string>& All() const { return calls_; }
    // The calls whose text starts with one of the prefixes, in order.
    std::vector<std::string> Matching(std::initializer_list<std::string_view> prefixes) const;
    int Count(std::string_view prefix) const;

    // A call whose text starts with this is recorded and then throws, as a failing platform
    // call would; empty for none.
    std::string failingCall;

  private:
    std::vector<std::string> calls_;
};

// Text for the log: UTF-8 of a wide string, the shortest form of a number.
std::string Utf8(std::wstring_view text);
std::string Num(double value);

}  // namespace tarnwick::fake
