#include "tests/fake/fake_win32.h"

#include <algorithm>
#include <cwctype>

namespace tarnwick::fake {

namespace {

std::wstring IniKey(std::wstring_view section, std::wstring_view key) {
    std::wstring joined = std::wstring(section) + L"/" + std::wstring(key);
    // Section and key names match whatever their case, as in the system's profile files.
    std::transform(joined.begin(), joined.end(), joined.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return joined;
}

std::string Quoted(std::wstring_view text) {
    return "\"" + Utf8(text) + "\"";
}

}  // namespace

std::string RectArgs(const Rect& r) {
    return Num(r.left) + ", " + Num(r.top) + ", " + Num(r.right) + ", " + Num(r.bottom);
}

std::optional<std::wstring> FakeWin32::IniValue(std::wstring_view section,
                                                std::wstring_view key) const {
    const auto found = ini.find(IniKey(section, key));
    if (found == ini.end()) {
        return std::nullopt;
    }
    return found->second;
}

const FakeWindow* FakeWin32::Find(Hwnd window) const {
    const auto found = windows.find(window);
    return found == windows.end() ? nullptr : &found->second;
}

std::int32_t FakeWin32::CopyText(const std::wstring* text, std::span<wchar_t> buffer) {
    if (text == nullptr || buffer.empty()) {
        return 0;
    }
    const std::size_t count = std::min(text->size(), buffer.size() - 1);
    std::copy_n(text->begin(), count, buffer.begin());
    buffer[count] = L'\0';
    return static_cast<std::int32_t>(count);
}

GdiHandle FakeWin32::NewGdi() {
    const GdiHandle handle = nextGdi_++;
    liveGdi_.insert(handle);
    return handle;
}

Hwnd FakeWin32::GetForegroundWindow() {
    log_.Record("GetForegroundWindow()");
    return foreground;
}

std::int32_t FakeWin32::GetCursorPos(Point& position) {
    log_.Record("GetCursorPos()");
    position = cursor;
    return 1;
}

Hwnd FakeWin32::WindowFromPoint(Point position) {
    log_.Record("WindowFromPoint(" + Num(position.x) + ", " + Num(position.y) + ")");
    return windowUnderCursor;
}

std::int32_t FakeWin32::GetClassName(Hwnd window, std::span<wchar_t> buffer) {
    log_.Record("GetClassName(" + Num(window) + ", " + Num(double(buffer.size())) + ")");
    const FakeWindow* found = Find(window);
    return CopyText(found ? &found->className : nullptr, buffer);
}

std::int32_t FakeWin32::GetWindowText(Hwnd window, std::span<wchar_t> buffer) {
    log_.Record("GetWindowText(" + Num(window) + ", " + Num(double(buffer.size())) + ")");
    const FakeWindow* found = Find(window);
    return CopyText(found ? &found->title : nullptr, buffer);
}

std::int32_t FakeWin32::GetWindowRect(Hwnd window, Rect& rect) {
    log_.Record("GetWindowRect(" + Num(window) + ")");
    const FakeWindow* found = Find(window);
    if (found == nullptr) {
        return 0;
    }
    rect = found->rect;
    return 1;
}

std::int32_t FakeWin32::GetWindowLong(Hwnd window, std::int32_t index) {
    log_.Record("GetWindowLong(" + Num(window) + ", " + Num(index) + ")");
    const FakeWindow* found = Find(window);
    if (found == nullptr) {
        return 0;
    }
    switch (index) {
        case kGwlStyle:
            return found->style;
        case kGwlExStyle:
            return found->exStyle;
        case kGwlId:
            return found->controlId;
        default:
            return 0;
    }
}

Hwnd FakeWin32::GetParent(Hwnd window) {
    log_.Record("GetParent(" + Num(window) + ")");
    const FakeWindow* found = Find(window);
    return found ? found->parent : 0;
}

bool FakeWin32::GetVisibleFrameBounds(Hwnd window, Rect& bounds) {
    log_.Record("GetVisibleFrameBounds(" + Num(window) + ")");
    const FakeWindow* found = Find(window);
    if (found == nullptr || !found->visibleBounds) {
        return false;
    }
    bounds = *found->visibleBounds;
    return true;
}

Hwnd FakeWin32::GetDesktopWindow() {
    log_.Record("GetDesktopWindow()");
    return desktopWindow;
}

bool FakeWin32::GetMonitorRect(Hwnd window, Rect& rect) {
    log_.Record("GetMonitorRect(" + Num(window) + ")");
    if (!monitor) {
        return false;
    }
    rect = *monitor;
    return true;
}

std::int32_t FakeWin32::InvalidateRect(Hwnd window, const Rect* rect, std::int32_t erase) {
    log_.Record("InvalidateRect(" + Num(window) + ", " + (rect ? RectArgs(*rect) : "NULL") + ", " +
                Num(erase) + ")");
    return 1;
}

GdiHandle FakeWin32::GetWindowDC(Hwnd window) {
    log_.Record("GetWindowDC(" + Num(window) + ")");
    return NewGdi();
}

std::int32_t FakeWin32::ReleaseDC(Hwnd window, GdiHandle dc) {
    log_.Record("ReleaseDC(" + Num(window) + ")");
    return liveGdi_.erase(dc) == 1 ? 1 : 0;
}

GdiHandle FakeWin32::CreateSolidBrush(ColorRef color) {
    log_.Record("CreateSolidBrush(" + Num(color) + ")");
    return NewGdi();
}

std::int32_t FakeWin32::DeleteObject(GdiHandle object) {
    log_.Record("DeleteObject()");
    return liveGdi_.erase(object) == 1 ? 1 : 0;
}

std::int32_t FakeWin32::Rectangle(GdiHandle, std::int32_t left, std::int32_t top,
                                  std::int32_t right, std::int32_t bottom) {
    log_.Record("Rectangle(" + RectArgs({left, top, right, bottom}) + ")");
    return 1;
}

std::int32_t FakeWin32::FillRect(GdiHandle, const Rect& rect, GdiHandle) {
    log_.Record("FillRect(" + RectArgs(rect) + ")");
    return 1;
}

std::int32_t FakeWin32::GetSystemMetrics(std::int32_t index) {
    log_.Record("GetSystemMetrics(" + Num(index) + ")");
    switch (index) {
        case kSmCxScreen:
            return screenPixelsX;
        case kSmCyScreen:
            return screenPixelsY;
        default:
            return 0;
    }
}

std::int32_t FakeWin32::SystemParametersInfo(std::uint32_t action, std::uint32_t param, Rect& rect,
                                             std::uint32_t winIni) {
    log_.Record("SystemParametersInfo(" + Num(action) + ", " + Num(param) + ", " + Num(winIni) +
                ")");
    if (action != kSpiGetWorkArea) {
        return 0;
    }
    rect = workArea;
    return 1;
}

std::int32_t FakeWin32::SetWindowPos(Hwnd window, Hwnd insertAfter, std::int32_t x, std::int32_t y,
                                     std::int32_t cx, std::int32_t cy, std::uint32_t flags) {
    log_.Record("SetWindowPos(" + Num(window) + ", " + Num(insertAfter) + ", " + Num(x) + ", " +
                Num(y) + ", " + Num(cx) + ", " + Num(cy) + ", " + Num(flags) + ")");
    return 1;
}

std::int32_t FakeWin32::WinHelp(Hwnd owner, std::wstring_view reference, std::uint32_t command,
                                std::uintptr_t data) {
    log_.Record("WinHelp(" + Num(owner) + ", " + Quoted(reference) + ", " + Num(command) + ", " +
                Num(double(data)) + ")");
    helpWindowOpen = true;
    return 1;
}

Hwnd FakeWin32::HelpWindow() {
    return helpWindowOpen ? kHelpViewer : 0;
}

void FakeWin32::SetHelpField(std::wstring_view name, std::wstring_view value) {
    log_.Record("SetHelpField(" + Utf8(name) + ", " + Utf8(value) + ")");
    helpFields[std::wstring(name)] = value;
}

std::wstring FakeWin32::GetShortPathName(std::wstring_view path) {
    log_.Record("GetShortPathName(" + Utf8(path) + ")");
    const auto found = shortPaths.find(std::wstring(path));
    return found != shortPaths.end() ? found->second : std::wstring(path);
}

bool FakeWin32::CanReadAndWriteFile(std::wstring_view path) {
    log_.Record("CanReadAndWriteFile(" + Utf8(path) + ")");
    return !unusableFiles.contains(std::wstring(path));
}

std::wstring FakeWin32::GetLocalAppDataFolder() {
    log_.Record("GetLocalAppDataFolder()");
    return localAppData;
}

bool FakeWin32::CreateDirectory(std::wstring_view path) {
    log_.Record("CreateDirectory(" + Utf8(path) + ")");
    return true;
}

bool FakeWin32::CopyFile(std::wstring_view from, std::wstring_view to) {
    log_.Record("CopyFile(" + Utf8(from) + ", " + Utf8(to) + ")");
    return true;
}

std::int32_t FakeWin32::GetPrivateProfileInt(std::wstring_view section, std::wstring_view key,
                                             std::int32_t defaultValue, std::wstring_view file) {
    log_.Record("GetPrivateProfileInt(" + Utf8(section) + ", " + Utf8(key) + ", " +
                Num(defaultValue) + ", " + Utf8(file) + ")");
    const auto value = IniValue(section, key);
    if (!value) {
        return defaultValue;
    }
    // Blanks, an optional sign, then the digits up to the first other character.
    std::size_t at = value->find_first_not_of(L" \t");
    if (at == std::wstring::npos) {
        return defaultValue;
    }
    const bool negative = (*value)[at] == L'-';
    if (negative || (*value)[at] == L'+') {
        ++at;
    }
    std::uint32_t number = 0;
    for (; at < value->size() && std::iswdigit((*value)[at]); ++at) {
        number = number * 10 + static_cast<std::uint32_t>((*value)[at] - L'0');
    }
    return static_cast<std::int32_t>(negative ? 0u - number : number);
}

std::int32_t FakeWin32::GetPrivateProfileString(std::wstring_view section, std::wstring_view key,
                                                std::wstring_view defaultValue,
                                                std::span<wchar_t> buffer, std::wstring_view file) {
    log_.Record("GetPrivateProfileString(" + Utf8(section) + ", " + Utf8(key) + ", " +
                Quoted(defaultValue) + ", " + Num(double(buffer.size())) + ", " + Utf8(file) + ")");
    const std::wstring value = IniValue(section, key).value_or(std::wstring(defaultValue));
    return CopyText(&value, buffer);
}

std::int32_t FakeWin32::WritePrivateProfileString(std::wstring_view section, std::wstring_view key,
                                                  std::wstring_view value, std::wstring_view file) {
    log_.Record("WritePrivateProfileString(" + Utf8(section) + ", " + Utf8(key) + ", " +
                Quoted(value) + ", " + Utf8(file) + ")");
    ini[IniKey(section, key)] = std::wstring(value);
    return 1;
}

std::int32_t FakeWin32::TrackPopupMenu(Hwnd owner, std::span<const PopupMenuItem> items,
                                       Point screen) {
    std::string captions;
    for (const PopupMenuItem& item : items) {
        captions += (captions.empty() ? "" : " | ") + Utf8(item.caption);
    }
    log_.Record("TrackPopupMenu(" + Num(owner) + ", [" + captions + "], " + Num(screen.x) + ", " +
                Num(screen.y) + ")");
    if (whilePopupMenu) {
        whilePopupMenu();
    }
    for (const PopupMenuItem& item : items) {
        if (!popupChoice.empty() && item.caption == popupChoice) {
            return item.id;
        }
    }
    return 0;
}

std::int32_t FakeWin32::OpenClipboard(Hwnd owner) {
    log_.Record("OpenClipboard(" + Num(owner) + ")");
    if (clipboardBusyFor > 0) {
        --clipboardBusyFor;
        return 0;
    }
    if (clipboardOpen_) {
        return 0;
    }
    clipboardOpen_ = true;
    return 1;
}

std::int32_t FakeWin32::EmptyClipboard() {
    log_.Record("EmptyClipboard()");
    if (!clipboardOpen_) {
        return 0;
    }
    clipboard.reset();
    return 1;
}

std::int32_t FakeWin32::SetClipboardData(std::uint32_t format, std::wstring_view text) {
    log_.Record("SetClipboardData(" + Num(format) + ", " + Quoted(text) + ")");
    if (!clipboardOpen_ || clipboardRefusesText) {
        return 0;
    }
    // The system keeps the text up to its terminator.
    clipboard = std::wstring(text.substr(0, text.find(L'\0')));
    return 1;
}

std::int32_t FakeWin32::CloseClipboard() {
    log_.Record("CloseClipboard()");
    const bool wasOpen = clipboardOpen_;
    clipboardOpen_ = false;
    return wasOpen ? 1 : 0;
}

std::int32_t FakeWin32::MessageBeep(std::uint32_t type) {
    log_.Record("MessageBeep(" + Num(type) + ")");
    return 1;
}

void FakeWin32::Sleep(std::uint32_t milliseconds) {
    log_.Record("Sleep(" + Num(milliseconds) + ")");
}

std::uint32_t FakeWin32::GetWindowThreadProcessId(Hwnd window, std::uint32_t& processId) {
    log_.Record("GetWindowThreadProcessId(" + Num(window) + ")");
    const auto found = windowProcess.find(window);
    if (found == windowProcess.end()) {
        processId = 0;
        return 0;
    }
    processId = found->second;
    return 0x100 + found->second;
}

KernelHandle FakeWin32::OpenProcess(std::uint32_t access, bool inheritHandle,
                                    std::uint32_t processId) {
    log_.Record("OpenProcess(" + Num(access) + ", " + (inheritHandle ? "true" : "false") + ", " +
                Num(processId) + ")");
    const auto found = processes.find(processId);
    if (found == processes.end()) {
        lastError_ = 87;  // ERROR_INVALID_PARAMETER: no such process
        return 0;
    }
    if (found->second.accessDenied) {
        lastError_ = kErrorAccessDenied;
        return 0;
    }
    const KernelHandle handle = nextKernel_++;
    openProcesses_[handle] = processId;
    return handle;
}

std::uint32_t FakeWin32::GetLastError() {
    log_.Record("GetLastError()");
    return lastError_;
}

std::int32_t FakeWin32::QueryFullProcessImageName(KernelHandle process, std::uint32_t flags,
                                                  std::span<wchar_t> buffer, std::uint32_t& size) {
    log_.Record("QueryFullProcessImageName(" + Num(flags) + ", " + Num(size) + ")");
    const auto open = openProcesses_.find(process);
    if (open == openProcesses_.end()) {
        return 0;
    }
    const std::wstring& path = processes.at(open->second).imagePath;
    if (path.size() + 1 > std::min<std::size_t>(size, buffer.size())) {
        return 0;
    }
    std::copy(path.begin(), path.end(), buffer.begin());
    buffer[path.size()] = L'\0';
    size = static_cast<std::uint32_t>(path.size());
    return 1;
}

std::int32_t FakeWin32::CloseHandle(KernelHandle handle) {
    log_.Record("CloseHandle()");
    return openProcesses_.erase(handle) == 1 ? 1 : 0;
}

bool FakeWin32::DwmIsCompositionEnabled() {
    log_.Record("DwmIsCompositionEnabled()");
    return compositionEnabled;
}

DpiAwarenessContext FakeWin32::SetThreadDpiAwarenessContext(DpiAwarenessContext context) {
    log_.Record("SetThreadDpiAwarenessContext(" + Num(double(context)) + ")");
    const DpiAwarenessContext previous = dpiContext;
    if (previous != 0) {
        dpiContext = context;
    }
    return previous;
}

void FakeWin32::ShowFrameOverlay(const Rect& placement, std::span<const Rect> strips,
                                 ColorRef color) {
    std::string call = "ShowFrameOverlay(" + RectArgs(placement);
    for (const Rect& strip : strips) {
        call += ", [" + RectArgs(strip) + "]";
    }
    log_.Record(call + ", " + Num(color) + ")");
    if (!overlayExists) {
        overlayExists = true;
        ++overlaysCreated;
    }
    overlayVisible = true;
    overlayPlacement = placement;
}

void FakeWin32::HideFrameOverlay() {
    log_.Record("HideFrameOverlay()");
    overlayVisible = false;
}

void FakeWin32::DestroyFrameOverlay() {
    log_.Record("DestroyFrameOverlay()");
    overlayExists = false;
    overlayVisible = false;
}

}  // namespace tarnwick::fake
