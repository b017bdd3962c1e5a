#pragma once
// A case's own folder: a copy of Tarnwick.exe (and its help file) and the settings file the case
// prepares. Tarnwick reads and writes Tarnwick.ini beside itself (or, where it cannot, in the
// local application-data folder, which every case clears), so each case starts from exactly the
// file it wrote.

#include <optional>
#include <string>
#include <string_view>

#include "tests/e2e/check.h"
#include "tests/e2e/environment.h"

namespace tarnwick::e2e {

enum class HelpCopy { Yes, No };

class CaseFolder {
  public:
    // Makes the folder workRoot\name afresh; characters that a file name cannot hold are
    // replaced. Ends the case when the folder or the copies cannot be made.
    CaseFolder(Check& check, const Environment& env, std::wstring_view name,
               HelpCopy help = HelpCopy::Yes);

    const std::wstring& Path() const { return path_; }
    std::wstring File(std::wstring_view name) const { return path_ + L"\\" + std::wstring(name); }
    std::wstring ExePath() const { return File(L"Tarnwick.exe"); }
    std::wstring IniPath() const { return File(L"Tarnwick.ini"); }

    // Writes the bytes as they are: settings files are single-byte text.
    void WriteIni(std::string_view bytes) const;
    std::optional<std::string> ReadIni() const;

  private:
    Check& check_;
    std::wstring path_;
};

// %LOCALAPPDATA%\Tarnwick: where Tarnwick keeps its settings when it cannot beside itself.
std::wstring LocalSettingsFolder();

bool WriteWholeFile(const std::wstring& path, std::string_view bytes);
std::optional<std::string> ReadWholeFile(const std::wstring& path);
// Deletes a folder with everything in it, read-only files included.
void RemoveTree(const std::wstring& path);

// The value of a key as the profile functions read it, or nothing when it is missing.
std::optional<std::wstring> ReadIniValue(const std::wstring& iniPath, std::wstring_view section,
                                         std::wstring_view key);

}  // namespace tarnwick::e2e
