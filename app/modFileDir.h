#pragma once

#include <string>

namespace tarnwick::modFileDir {

// Joins a folder and a file name with exactly one backslash between them. One leading backslash
// of the file name is dropped; nothing else is normalised or checked.
std::wstring JoinPath(std::wstring directory, std::wstring fileName);

}  // namespace tarnwick::modFileDir
