#pragma once

#include <string>
#include <string_view>

namespace tarnwick::modFileDir {

// Joins a folder and a file name with exactly one backslash between them. One leading backslash
// of the file name is dropped; nothing else is normalised or checked.
std::wstring JoinPath(std::wstring_view directory, std::wstring_view fileName);

}  // namespace tarnwick::modFileDir
