#include "app/modFileDir.h"

namespace tarnwick::modFileDir {

std::wstring JoinPath(std::wstring_view directory, std::wstring_view fileName) {
    if (fileName.size() > 1 && fileName.front() == L'\\') {
        fileName.remove_prefix(1);
    } else if (fileName == L"\\") {
        fileName = {};
    }
    std::wstring path(directory);
    if (!path.empty() && path.back() != L'\\') {
        path.push_back(L'\\');
    }
    path.append(fileName);
    return path;
}

}  // namespace tarnwick::modFileDir
