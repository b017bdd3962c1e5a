#include "tests/e2e/json_reader.h"

#include <cwctype>

namespace tarnwick::e2e {
namespace {

class JsonReader {
  public:
    explicit JsonReader(std::wstring_view text) : rest_(text) {}

    bool ReadAll() {
        const bool read = Value(L"");
        SkipSpace();
        return read && rest_.empty();
    }
    std::map<std::wstring, std::wstring>& members() { return members_; }

  private:
    void SkipSpace() {
        while (!rest_.empty() &&
               (rest_[0] == L' ' || rest_[0] == L'\t' || rest_[0] == L'\r' || rest_[0] == L'\n')) {
            rest_.remove_prefix(1);
        }
    }
    bool Take(wchar_t expected) {
        SkipSpace();
        const bool found = !rest_.empty() && rest_[0] == expected;
        rest_.remove_prefix(found ? 1 : 0);
        return found;
    }
    bool Add(const std::wstring& path, std::wstring value) {
        return members_.emplace(path, std::move(value)).second;
    }

    bool Value(const std::wstring& path) {
        SkipSpace();
        if (Take(L'{')) {
            return Object(path);
        }
        if (rest_.starts_with(L"null")) {
            rest_.remove_prefix(4);
            return Add(path, L"null");
        }
        if (!rest_.empty() && rest_[0] == L'"') {
            const std::optional<std::wstring> text = String();
            return text && Add(path, *text);
        }
        return Number(path);
    }

    bool Object(const std::wstring& path) {
        if (Take(L'}')) {
            return true;
        }
        do {
            SkipSpace();
            const std::optional<std::wstring> key = String();
            if (!key || !Take(L':') || !Value(path.empty() ? *key : path + L"." + *key)) {
                return false;
            }
        } while (Take(L','));
        return Take(L'}');
    }

    // -?(0|[1-9][0-9]*) with an optional fraction and exponent.
    bool Number(const std::wstring& path) {
        std::size_t at = rest_.starts_with(L'-') ? 1 : 0;
        const auto digits = [&] {
            const std::size_t from = at;
            while (at < rest_.size() && iswdigit(rest_[at])) {
                ++at;
            }
            return at - from;
        };
        const std::size_t whole = digits();
        if (whole == 0 || (whole > 1 && rest_[at - whole] == L'0')) {
            return false;
        }
        if (at < rest_.size() && rest_[at] == L'.' && (++at, digits() == 0)) {
            return false;
        }
        if (at < rest_.size() && (rest_[at] | 0x20) == L'e') {
            at += at + 1 < rest_.size() && (rest_[at + 1] == L'+' || rest_[at + 1] == L'-') ? 2 : 1;
            if (digits() == 0) {
                return false;
            }
        }
        const bool added = Add(path, std::wstring(rest_.substr(0, at)));
        rest_.remove_prefix(at);
        return added;
    }

    std::optional<unsigned> Hex4() {
        unsigned value = 0;
        for (int i = 0; i < 4; ++i) {
            if (rest_.empty() || !iswxdigit(rest_[0])) {
                return std::nullopt;
            }
            const wchar_t c = rest_[0];
            value = value * 16 + (c <= L'9' ? c - L'0' : (c | 0x20) - L'a' + 10);
            rest_.remove_prefix(1);
        }
        return value;
    }

    std::optional<std::wstring> String() {
        if (!Take(L'"')) {
            return std::nullopt;
        }
        std::wstring text;
        constexpr std::wstring_view kEscapes = L"\"\"\\\\//b\bf\fn\nr\rt\t";
        while (!rest_.empty() && rest_[0] != L'"') {
            const wchar_t c = rest_[0];
            rest_.remove_prefix(1);
            if (c < 0x20) {
                return std::nullopt;
            }
            if (c != L'\\') {
                text.push_back(c);
                continue;
            }
            const std::size_t at = rest_.empty() ? kEscapes.npos : kEscapes.find(rest_[0]);
            if (at != kEscapes.npos && at % 2 == 0) {
                text.push_back(kEscapes[at + 1]);
                rest_.remove_prefix(1);
            } else if (!rest_.empty() && rest_[0] == L'u') {
                rest_.remove_prefix(1);
                const std::optional<unsigned> code = Hex4();
                if (!code) {
                    return std::nullopt;
                }
                // A surrogate pair stays the two UTF-16 units it is.
                text.push_back(static_cast<wchar_t>(*code));
            } else {
                return std::nullopt;
            }
        }
        return Take(L'"') ? std::optional(text) : std::nullopt;
    }

    std::wstring_view rest_;
    std::map<std::wstring, std::wstring> members_;
};

}  // namespace

std::optional<std::map<std::wstring, std::wstring>> ReadJson(std::wstring_view text) {
    JsonReader reader(text);
    if (!reader.ReadAll()) {
        return std::nullopt;
    }
    return std::move(reader.members());
}

}  // namespace tarnwick::e2e
