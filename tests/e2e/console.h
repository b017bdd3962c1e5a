#pragma once
// Output of the driver: one line at a time, Unicode intact whether it goes to a console or, as
// under Wine in a script, to a pipe (then as UTF-8).

#include <string_view>

namespace tarnwick::e2e {

void WriteLine(std::wstring_view line);

}  // namespace tarnwick::e2e
