#include "app/modFileDir.h"

namespace tarnwick::modFileDir {

std::wstring JoinPath(std::wstring directory, std::wstring fileName) {
    if (fileName.size() > 1 && fileName.front() == L'\\') {
        fileName.erase(0, 1);
    } else if (fileName == L"\\") {
        fileName.clear();
    }
    if (directory.empty()) {
        return fileName;
    }
    if (directory.back() == L'\\') {
        return directory + fileName;
    }
    return directory + L'\\' + fileName;
}

}  // namespace tarnwick::modFileDir
