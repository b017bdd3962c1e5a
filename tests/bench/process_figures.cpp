#include "tests/bench/process_figures.h"

#include <algorithm>
#include <cstdlib>

namespace tarnwick::bench {

namespace {

std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

}  // namespace

HWND FindProcessWindow(DWORD processId, const wchar_t* title) {
    struct Search {
        DWORD processId;
        const wchar_t* title;
        HWND found;
    } search{processId, title, nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            wchar_t text[64] = {};
            ::GetWindowTextW(window, text, 64);
            if (owner == s->processId && ::IsWindowVisible(window) &&
                std::wstring(text) == s->title) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

double CpuMilliseconds(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!::GetProcessTimes(process, &created, &exited, &kernel, &user)) {
        return 0;
    }
    const auto ticks = [](FILETIME t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

std::string ReadWholeFile(const std::wstring& path) {
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::string contents;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        contents.append(buffer, got);
    }
    ::CloseHandle(file);
    return contents;
}

std::string EnvironmentEntry(const std::string& variables, const std::string& name) {
    for (std::size_t at = 0; at < variables.size();) {
        const std::size_t end = std::min(variables.find('\0', at), variables.size());
        if (variables.compare(at, name.size() + 1, name + "=") == 0) {
            return variables.substr(at, end - at);
        }
        at = end + 1;
    }
    return {};
}

std::wstring LinuxProcessFolder(const std::string& programName) {
    const std::string prefix =
        EnvironmentEntry(ReadWholeFile(L"Z:\\proc\\self\\environ"), "WINEPREFIX");
    if (prefix.empty()) {
        return {};
    }
    WIN32_FIND_DATAW found;
    const HANDLE search = ::FindFirstFileW(L"Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::wstring match;
    do {
        const std::wstring pid = found.cFileName;
        if (pid.empty() || pid.find_first_not_of(L"0123456789") != std::wstring::npos) {
            continue;
        }
        const std::wstring folder = L"Z:\\proc\\" + pid + L"\\";
        const std::string command = Lower(ReadWholeFile(folder + L"cmdline"));
        if (command.find(Lower(programName)) != std::string::npos &&
            command.find("tarnwick_bench") == std::string::npos &&
            EnvironmentEntry(ReadWholeFile(folder + L"environ"), "WINEPREFIX") == prefix) {
            match = folder;
        }
    } while (match.empty() && ::FindNextFileW(search, &found));
    ::FindClose(search);
    return match;
}

double LinuxPrivateKib(const std::wstring& folder) {
    const std::string status = folder.empty() ? std::string() : ReadWholeFile(folder + L"status");
    const std::size_t at = status.find("RssAnon:");
    return at == std::string::npos ? -1 : std::atof(status.c_str() + at + 8);
}

double LinuxCpuMilliseconds(const std::wstring& folder) {
    if (folder.empty()) {
        return -1;
    }
    WIN32_FIND_DATAW found;
    const HANDLE search = ::FindFirstFileW((folder + L"task\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return -1;
    }
    double nanoseconds = 0;
    do {
        const std::wstring thread = found.cFileName;
        if (!thread.empty() && thread.find_first_not_of(L"0123456789") == std::wstring::npos) {
            nanoseconds +=
                std::atof(ReadWholeFile(folder + L"task\\" + thread + L"\\schedstat").c_str());
        }
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return nanoseconds / 1e6;
}

}  // namespace tarnwick::bench
