// No DLL is loaded from Tarnwick's folder: stand-ins for the non-known system DLLs it uses are
// planted beside it (and in the current folder), and must never run; its import table names
// only DLLs that Windows 7 to 11 load from their own list of known DLLs.

#include <windows.h>
// After <windows.h>, whose types it uses.
#include <tlhelp32.h>

#include <algorithm>
#include <cstring>
#include <cwctype>
#include <optional>
#include <string>
#include <vector>

#include "main_window/frmMain_controls.h"
#include "tests/e2e/app.h"
#include "tests/e2e/case_folder.h"
#include "tests/e2e/cases.h"
#include "tests/e2e/input.h"
#include "tests/e2e/test_windows.h"
#include "tests/e2e/text.h"
#include "tests/e2e/wait.h"
#include "tests/e2e/window_data.h"
#include "tests/e2e/window_query.h"

namespace tarnwick::e2e {
namespace {

namespace ids = frmMainControls;

// The system DLLs that Tarnwick loads at run time and that are not known DLLs.
const wchar_t* const kStandIns[] = {L"dwmapi.dll", L"comctl32.dll"};

// Known DLLs on every Windows from 7 to 11 (the KnownDLLs key of the session manager), lower
// case. The loader takes these, and the DLLs they depend on, from the system only.
const wchar_t* const kKnownDlls[] = {
    L"advapi32.dll", L"clbcatq.dll",  L"comdlg32.dll", L"gdi32.dll",   L"imagehlp.dll",
    L"imm32.dll",    L"kernel32.dll", L"msctf.dll",    L"msvcrt.dll",  L"normaliz.dll",
    L"nsi.dll",      L"ole32.dll",    L"oleaut32.dll", L"psapi.dll",   L"rpcrt4.dll",
    L"sechost.dll",  L"setupapi.dll", L"shell32.dll",  L"shlwapi.dll", L"user32.dll",
    L"wldap32.dll",  L"ws2_32.dll",
};

std::wstring Lower(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return text;
}

bool IsKnownDll(const std::wstring& name) {
    const std::wstring lower = Lower(name);
    return std::any_of(std::begin(kKnownDlls), std::end(kKnownDlls),
                       [&](const wchar_t* known) { return lower == known; });
}

std::wstring FolderOf(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The stand-ins are built beside the probe DLL, in a folder of their own.
std::wstring StandInPath(const Environment& env, const wchar_t* name) {
    return FolderOf(env.probePath) + L"\\planted\\" + name;
}

std::wstring Marker(const std::wstring& dllPath) {
    return dllPath + L".loaded";
}

// The full paths of the modules loaded in the process.
std::vector<std::wstring> ModulesOf(DWORD processId) {
    std::vector<std::wstring> modules;
    const HANDLE snapshot =
        CreateToolhelp32Snapshot(TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32, processId);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return modules;
    }
    MODULEENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Module32FirstW(snapshot, &entry); more;
         more = Module32NextW(snapshot, &entry)) {
        modules.push_back(entry.szExePath);
    }
    CloseHandle(snapshot);
    return modules;
}

void Plant(Check& check, const Environment& env, const std::wstring& folder) {
    for (const wchar_t* name : kStandIns) {
        const std::wstring from = StandInPath(env, name);
        const std::wstring to = folder + L"\\" + name;
        if (!CopyFileW(from.c_str(), to.c_str(), FALSE)) {
            check.Abort(L"plant a stand-in " + std::wstring(name), from + L" copied to " + to,
                        L"error " + Decimal(GetLastError()));
        }
        DeleteFileW(Marker(to).c_str());
    }
}

// The program that loaded a stand-in, as its marker names it.
std::wstring LoadedBy(const std::wstring& marker) {
    const std::string bytes = ReadWholeFile(marker).value_or("");
    std::wstring host(bytes.size() / sizeof(wchar_t), L'\0');
    std::memcpy(host.data(), bytes.data(), host.size() * sizeof(wchar_t));
    return host;
}

void CheckNoMarkers(Check& check, const std::wstring& folder, std::wstring_view where) {
    for (const wchar_t* name : kStandIns) {
        const std::wstring marker = Marker(folder + L"\\" + name);
        check.That(
            std::wstring(L"the stand-in ") + name + L" " + std::wstring(where) + L" never ran",
            !FileExists(marker), L"no " + marker, L"loaded by " + Quote(LoadedBy(marker)));
    }
}

void PlantedDllsNeverLoad(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    Plant(check, env, folder.Path());
    // The current folder of the program is the run's own folder: plant there too.
    Plant(check, env, env.workRoot);
    TestWindows windows;
    windows.CreateBackdrop();
    const HWND target = windows.Create({});
    {
        TarnwickApp app(check, env, folder.ExePath());
        app.Start();
        check.That(L"the main window is visible", IsWindowVisible(app.MainWindow()) != FALSE,
                   L"visible", L"hidden");
        // A drag frames a top-level window, which asks the window manager for its frame: the
        // run-time load of dwmapi.
        PointAtTarget(check, app);
        {
            HeldLeftButton button;
            Pause();
            DragTo(Centre(WindowRect(target)), 4);
            Pause();
            ExpectTracked(check, app, L"dragging over the test window", target,
                          L"Window under target", 1000);
        }
        Pause();
        const std::wstring own = Lower(folder.Path() + L"\\");
        const std::wstring current = Lower(env.workRoot + L"\\");
        for (const std::wstring& module : ModulesOf(app.ProcessId())) {
            const std::wstring lower = Lower(module);
            const bool fromOwnFolder = lower.rfind(own, 0) == 0 &&
                                       lower.find(L'\\', own.size()) == std::wstring::npos &&
                                       lower != Lower(folder.ExePath());
            const bool fromCurrentFolder = lower.rfind(current, 0) == 0 &&
                                           lower.find(L'\\', current.size()) == std::wstring::npos;
            if (fromOwnFolder || fromCurrentFolder) {
                check.That(L"no module loaded from the program's or the current folder", false,
                           L"none", module);
            }
        }
        check.That(L"WM_CLOSE ends the program", app.Close(), L"ended within 5000 ms", L"killed");
    }
    CheckNoMarkers(check, folder.Path(), L"beside Tarnwick.exe");
    CheckNoMarkers(check, env.workRoot, L"in the current folder");

    // The stand-in does leave its marker when it is loaded: the checks above can fail.
    const std::wstring control = folder.File(L"stand_in_control.dll");
    CopyFileW(StandInPath(env, kStandIns[0]).c_str(), control.c_str(), FALSE);
    const HMODULE loaded = LoadLibraryW(control.c_str());
    check.That(L"a stand-in loaded on purpose leaves its marker",
               loaded != nullptr && FileExists(Marker(control)), L"a marker",
               loaded ? L"none" : L"not loaded");
    if (loaded != nullptr) {
        FreeLibrary(loaded);
    }
    for (const wchar_t* name : kStandIns) {
        DeleteFileW((env.workRoot + L"\\" + name).c_str());
        DeleteFileW(Marker(env.workRoot + L"\\" + name).c_str());
    }
}

// The names of the DLLs in the import and delay-import tables of a PE file.
struct ImportNames {
    std::vector<std::wstring> imports;
    std::vector<std::wstring> delayImports;
};

std::optional<ImportNames> ReadImportNames(const std::string& image) {
    const auto read = [&](std::size_t offset, auto& value) {
        if (offset + sizeof value > image.size()) {
            return false;
        }
        std::memcpy(&value, image.data() + offset, sizeof value);
        return true;
    };
    IMAGE_DOS_HEADER dos{};
    DWORD signature = 0;
    IMAGE_FILE_HEADER file{};
    if (!read(0, dos) || dos.e_magic != IMAGE_DOS_SIGNATURE ||
        !read(static_cast<std::size_t>(dos.e_lfanew), signature) ||
        signature != IMAGE_NT_SIGNATURE ||
        !read(static_cast<std::size_t>(dos.e_lfanew) + sizeof signature, file)) {
        return std::nullopt;
    }
    const std::size_t optionalAt =
        static_cast<std::size_t>(dos.e_lfanew) + sizeof signature + sizeof(IMAGE_FILE_HEADER);
    WORD magic = 0;
    read(optionalAt, magic);
    IMAGE_DATA_DIRECTORY importDir{};
    IMAGE_DATA_DIRECTORY delayDir{};
    if (magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC) {
        IMAGE_OPTIONAL_HEADER64 optional{};
        if (!read(optionalAt, optional)) {
            return std::nullopt;
        }
        importDir = optional.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        delayDir = optional.DataDirectory[IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT];
    } else if (magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC) {
        IMAGE_OPTIONAL_HEADER32 optional{};
        if (!read(optionalAt, optional)) {
            return std::nullopt;
        }
        importDir = optional.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        delayDir = optional.DataDirectory[IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT];
    } else {
        return std::nullopt;
    }
    const std::size_t sectionsAt = optionalAt + file.SizeOfOptionalHeader;
    const auto fileOffset = [&](DWORD rva) -> std::optional<std::size_t> {
        for (WORD i = 0; i < file.NumberOfSections; ++i) {
            IMAGE_SECTION_HEADER section{};
            if (!read(sectionsAt + i * sizeof section, section)) {
                return std::nullopt;
            }
            const DWORD size = std::max(section.Misc.VirtualSize, section.SizeOfRawData);
            if (rva >= section.VirtualAddress && rva < section.VirtualAddress + size) {
                return section.PointerToRawData + (rva - section.VirtualAddress);
            }
        }
        return std::nullopt;
    };
    const auto nameAt = [&](DWORD rva) -> std::optional<std::wstring> {
        const auto at = fileOffset(rva);
        if (!at || *at >= image.size()) {
            return std::nullopt;
        }
        const std::size_t end = image.find('\0', *at);
        if (end == std::string::npos) {
            return std::nullopt;
        }
        return FromUtf8(image.substr(*at, end - *at));
    };
    // The DLL names of a table of descriptors that ends with one whose name is 0; false when the
    // table cannot be read.
    const auto readNames = [&](const IMAGE_DATA_DIRECTORY& table, auto descriptor, auto nameOf,
                               std::vector<std::wstring>& into) {
        if (table.VirtualAddress == 0) {
            return true;
        }
        const auto at = fileOffset(table.VirtualAddress);
        if (!at) {
            return false;
        }
        for (std::size_t i = 0;; ++i) {
            if (!read(*at + i * sizeof descriptor, descriptor)) {
                return false;
            }
            if (nameOf(descriptor) == 0) {
                return true;
            }
            const auto name = nameAt(nameOf(descriptor));
            if (!name) {
                return false;
            }
            into.push_back(*name);
        }
    };
    ImportNames names;
    if (!readNames(
            importDir, IMAGE_IMPORT_DESCRIPTOR{},
            [](const IMAGE_IMPORT_DESCRIPTOR& d) { return d.Name; }, names.imports) ||
        !readNames(
            delayDir, IMAGE_DELAYLOAD_DESCRIPTOR{},
            [](const IMAGE_DELAYLOAD_DESCRIPTOR& d) { return d.DllNameRVA; }, names.delayImports)) {
        return std::nullopt;
    }
    return names;
}

void ImportsOnlyKnownDlls(Check& check, const Environment& env) {
    const std::optional<std::string> image = ReadWholeFile(env.exePath);
    if (!image) {
        check.Abort(L"read Tarnwick.exe", env.exePath, L"cannot be read");
    }
    const std::optional<ImportNames> names = ReadImportNames(*image);
    if (!names) {
        check.Abort(L"read the import table of Tarnwick.exe", L"a well-formed PE file",
                    L"none found");
    }
    check.That(L"Tarnwick.exe imports from some DLL", !names->imports.empty(), L"imports", L"none");
    for (const std::wstring& name : names->imports) {
        check.That(L"imported DLL " + name + L" is a known DLL", IsKnownDll(name),
                   L"one of Windows' known DLLs", Quote(name));
    }
    for (const std::wstring& name : names->delayImports) {
        check.That(L"delay-loaded DLL " + name + L" is a known DLL", IsKnownDll(name),
                   L"one of Windows' known DLLs", Quote(name));
    }
    for (const wchar_t* name : kStandIns) {
        const bool imported = std::any_of(names->imports.begin(), names->imports.end(),
                                          [&](const std::wstring& n) { return Lower(n) == name; });
        check.EqualFlag(std::wstring(name) + L" not in the import table", false, imported);
    }
}

}  // namespace

std::vector<TestCase> DllSearchCases() {
    return {
        {L"dll_search_planted_dlls_never_load", PlantedDllsNeverLoad},
        {L"dll_search_imports_only_known_dlls", ImportsOnlyKnownDlls},
    };
}

}  // namespace tarnwick::e2e
