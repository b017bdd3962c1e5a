#include "platform/win32/window_queries_win32.h"

#include <cstddef>
#include <cstdint>
#include <cwchar>
#include <iterator>
#include <new>

#include "platform/win32/system_library.h"
#include "platform/win32/windows_api.h"

#include <shellscalingapi.h>
#include <windowsx.h>

namespace tarnwick::win32 {

namespace {

Rect FromRECT(const RECT& r) {
    return Rect{r.left, r.top, r.right, r.bottom};
}

HANDLE ToHandle(KernelHandle handle) {
    return reinterpret_cast<HANDLE>(handle);
}

// The DPI functions of user32 came with Windows 10 1607; before that every window has the
// system's DPI and the program's own view of coordinates.
decltype(::GetWindowDpiAwarenessContext)* WindowDpiAwarenessContextFunction() {
    static const auto function = SystemFunction<decltype(::GetWindowDpiAwarenessContext)>(
        L"user32.dll", "GetWindowDpiAwarenessContext");
    return function;
}

// The calling thread in another DPI awareness for the life of the scope, given back exactly as it
// was on the way out.
class ThreadDpiAwarenessScope {
  public:
    using SetFunction = decltype(::SetThreadDpiAwarenessContext);

    ThreadDpiAwarenessScope(SetFunction* set, DPI_AWARENESS_CONTEXT context)
        : set_(set), previous_(set(context)) {}
    ~ThreadDpiAwarenessScope() {
        if (previous_ != nullptr) {
            set_(previous_);
        }
    }
    ThreadDpiAwarenessScope(const ThreadDpiAwarenessScope&) = delete;
    ThreadDpiAwarenessScope& operator=(const ThreadDpiAwarenessScope&) = delete;

    // False when the system refused the context: the thread is as it was.
    bool entered() const { return previous_ != nullptr; }

  private:
    SetFunction* set_;
    DPI_AWARENESS_CONTEXT previous_;
};

struct DescendantList {
    std::vector<Hwnd>& windows;
    std::size_t limit;
    bool outOfMemory;
};

BOOL CALLBACK AddDescendant(HWND window, LPARAM list) {
    auto& descendants = *reinterpret_cast<DescendantList*>(list);
    // Nothing may unwind through the system's enumeration: a failure is carried past it. Growing
    // the list, which stops at its limit long before its largest size, can only run out of memory.
    try {
        descendants.windows.push_back(FromHwnd(window));
    } catch (...) {
        descendants.outOfMemory = true;
        return FALSE;
    }
    return descendants.windows.size() < descendants.limit;
}

ProcessArchitecture FromMachine(USHORT machine) {
    switch (machine) {
        case IMAGE_FILE_MACHINE_I386:
            return ProcessArchitecture::X86;
        case IMAGE_FILE_MACHINE_AMD64:
            return ProcessArchitecture::X64;
        case IMAGE_FILE_MACHINE_ARM64:
            return ProcessArchitecture::Arm64;
        default:
            return ProcessArchitecture::Unknown;
    }
}

// The token functions of advapi32, which is not imported: it is loaded from the system folder
// the first time a process's integrity is asked for.
struct TokenFunctions {
    decltype(::OpenProcessToken)* openProcessToken =
        SystemFunction<decltype(::OpenProcessToken)>(L"advapi32.dll", "OpenProcessToken");
    decltype(::GetTokenInformation)* getTokenInformation =
        SystemFunction<decltype(::GetTokenInformation)>(L"advapi32.dll", "GetTokenInformation");
    decltype(::GetSidSubAuthorityCount)* getSidSubAuthorityCount =
        SystemFunction<decltype(::GetSidSubAuthorityCount)>(L"advapi32.dll",
                                                            "GetSidSubAuthorityCount");
    decltype(::GetSidSubAuthority)* getSidSubAuthority =
        SystemFunction<decltype(::GetSidSubAuthority)>(L"advapi32.dll", "GetSidSubAuthority");

    bool complete() const {
        return openProcessToken != nullptr && getTokenInformation != nullptr &&
               getSidSubAuthorityCount != nullptr && getSidSubAuthority != nullptr;
    }
};

IntegrityLevel FromMandatoryLevel(DWORD level) {
    if (level < static_cast<DWORD>(SECURITY_MANDATORY_LOW_RID)) {
        return IntegrityLevel::Untrusted;
    }
    if (level < static_cast<DWORD>(SECURITY_MANDATORY_MEDIUM_RID)) {
        return IntegrityLevel::Low;
    }
    if (level < static_cast<DWORD>(SECURITY_MANDATORY_HIGH_RID)) {
        return IntegrityLevel::Medium;
    }
    if (level < static_cast<DWORD>(SECURITY_MANDATORY_SYSTEM_RID)) {
        return IntegrityLevel::High;
    }
    return IntegrityLevel::System;
}

// What the token tells of its process: an app container first, which also runs at low integrity;
// else the last sub-authority of its label's SID, read only where it lies inside what was written.
IntegrityLevel ReadIntegrityLevel(const TokenFunctions& functions, HANDLE token) {
    // Before Windows 8 there are no app containers, and the question fails.
    DWORD isAppContainer = 0;
    DWORD written = 0;
    if (functions.getTokenInformation(token, TokenIsAppContainer, &isAppContainer,
                                      sizeof isAppContainer, &written) &&
        isAppContainer != 0) {
        return IntegrityLevel::AppContainer;
    }
    // A label is one SID_AND_ATTRIBUTES followed by its SID, and a SID is never longer than this.
    alignas(TOKEN_MANDATORY_LABEL)
        std::byte label[sizeof(TOKEN_MANDATORY_LABEL) + SECURITY_MAX_SID_SIZE];
    if (!functions.getTokenInformation(token, TokenIntegrityLevel, label, sizeof label, &written) ||
        written < sizeof(TOKEN_MANDATORY_LABEL) || written > sizeof label) {
        return IntegrityLevel::Unknown;
    }
    const std::uintptr_t begin = reinterpret_cast<std::uintptr_t>(label);
    const std::uintptr_t end = begin + written;
    const auto inside = [begin, end](const void* part, std::size_t size) {
        const std::uintptr_t at = reinterpret_cast<std::uintptr_t>(part);
        return at >= begin && at <= end && size <= end - at;
    };
    const PSID sid = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(label)->Label.Sid;
    if (!inside(sid, offsetof(SID, SubAuthority))) {
        return IntegrityLevel::Unknown;
    }
    const UCHAR count = *functions.getSidSubAuthorityCount(sid);
    const DWORD* level = count > 0 ? functions.getSidSubAuthority(sid, count - 1u) : nullptr;
    if (level == nullptr || !inside(level, sizeof *level)) {
        return IntegrityLevel::Unknown;
    }
    return FromMandatoryLevel(*level);
}

}  // namespace

bool Win32WindowQueries::IsWindow(Hwnd window) {
    return ::IsWindow(ToHwnd(window)) != FALSE;
}

std::uint32_t Win32WindowQueries::GetClassStyle(Hwnd window) {
    return static_cast<std::uint32_t>(::GetClassLongPtrW(ToHwnd(window), GCL_STYLE));
}

WindowStateFlags Win32WindowQueries::GetStateFlags(Hwnd window) {
    const HWND handle = ToHwnd(window);
    return WindowStateFlags{
        .visible = ::IsWindowVisible(handle) != FALSE,
        .enabled = ::IsWindowEnabled(handle) != FALSE,
        .minimized = ::IsIconic(handle) != FALSE,
        .maximized = ::IsZoomed(handle) != FALSE,
    };
}

std::optional<bool> Win32WindowQueries::IsCloaked(Hwnd window) {
    // Systems without the desktop window manager's library cloak nothing, but cannot say so.
    static const auto dwmGetWindowAttribute =
        SystemFunction<decltype(::DwmGetWindowAttribute)>(L"dwmapi.dll", "DwmGetWindowAttribute");
    DWORD cloaked = 0;
    if (dwmGetWindowAttribute == nullptr ||
        FAILED(dwmGetWindowAttribute(ToHwnd(window), DWMWA_CLOAKED, &cloaked, sizeof cloaked))) {
        return std::nullopt;
    }
    return cloaked != 0;
}

bool Win32WindowQueries::GetClientRectOnScreen(Hwnd window, Rect& rect) {
    const HWND handle = ToHwnd(window);
    RECT client{};
    if (!::GetClientRect(handle, &client)) {
        return false;
    }
    // MapWindowPoints, unlike ClientToScreen of each corner, keeps left < right for a mirrored
    // (right-to-left) window. Its 0 is also the offset of a client area at the screen's origin.
    ::SetLastError(ERROR_SUCCESS);
    if (::MapWindowPoints(handle, nullptr, reinterpret_cast<POINT*>(&client), 2) == 0 &&
        ::GetLastError() != ERROR_SUCCESS) {
        return false;
    }
    rect = FromRECT(client);
    return true;
}

Hwnd Win32WindowQueries::GetRelative(Hwnd window, Relation relation) {
    const HWND handle = ToHwnd(window);
    // Wine names a window that is gone as its own root owner.
    if (!::IsWindow(handle)) {
        return 0;
    }
    switch (relation) {
        case Relation::Owner:
            return FromHwnd(::GetWindow(handle, GW_OWNER));
        case Relation::PreviousSibling:
            return FromHwnd(::GetWindow(handle, GW_HWNDPREV));
        case Relation::NextSibling:
            return FromHwnd(::GetWindow(handle, GW_HWNDNEXT));
        case Relation::FirstChild:
            return FromHwnd(::GetWindow(handle, GW_CHILD));
        case Relation::Root:
            return FromHwnd(::GetAncestor(handle, GA_ROOT));
        case Relation::RootOwner:
            return FromHwnd(::GetAncestor(handle, GA_ROOTOWNER));
    }
    return 0;
}

std::vector<Hwnd> Win32WindowQueries::EnumDescendants(Hwnd window, std::size_t limit) {
    std::vector<Hwnd> windows;
    if (limit == 0) {
        return windows;
    }
    DescendantList list{windows, limit, false};
    ::EnumChildWindows(ToHwnd(window), AddDescendant, reinterpret_cast<LPARAM>(&list));
    if (list.outOfMemory) {
        throw std::bad_alloc();
    }
    return windows;
}

bool Win32WindowQueries::GetMonitor(Hwnd window, MonitorDescription& monitor) {
    const HWND handle = ToHwnd(window);
    // A window that is gone is on no monitor, rather than on the nearest to nothing.
    if (!::IsWindow(handle)) {
        return false;
    }
    const HMONITOR found = ::MonitorFromWindow(handle, MONITOR_DEFAULTTONEAREST);
    MONITORINFOEXW info{};
    info.cbSize = sizeof info;
    if (found == nullptr || !::GetMonitorInfoW(found, &info)) {
        return false;
    }
    // Windows 8.1 and later.
    static const auto getDpiForMonitor =
        SystemFunction<decltype(::GetDpiForMonitor)>(L"shcore.dll", "GetDpiForMonitor");
    UINT dpiX = 0;
    UINT dpiY = 0;
    const bool hasDpi = getDpiForMonitor != nullptr &&
                        SUCCEEDED(getDpiForMonitor(found, MDT_EFFECTIVE_DPI, &dpiX, &dpiY));
    monitor.deviceName.assign(info.szDevice, ::wcsnlen(info.szDevice, std::size(info.szDevice)));
    monitor.rect = FromRECT(info.rcMonitor);
    monitor.dpi = hasDpi ? dpiX : 0;
    return true;
}

std::uint32_t Win32WindowQueries::GetDpiForWindow(Hwnd window) {
    static const auto getDpiForWindow =
        SystemFunction<decltype(::GetDpiForWindow)>(L"user32.dll", "GetDpiForWindow");
    return getDpiForWindow != nullptr ? getDpiForWindow(ToHwnd(window)) : 0;
}

DpiAwareness Win32WindowQueries::GetDpiAwareness(Hwnd window) {
    static const auto awarenessOf = SystemFunction<decltype(::GetAwarenessFromDpiAwarenessContext)>(
        L"user32.dll", "GetAwarenessFromDpiAwarenessContext");
    static const auto contextsEqual = SystemFunction<decltype(::AreDpiAwarenessContextsEqual)>(
        L"user32.dll", "AreDpiAwarenessContextsEqual");
    const auto windowContext = WindowDpiAwarenessContextFunction();
    if (awarenessOf == nullptr || contextsEqual == nullptr || windowContext == nullptr) {
        return DpiAwareness::Unknown;
    }
    const DPI_AWARENESS_CONTEXT context = windowContext(ToHwnd(window));
    if (context == nullptr) {
        return DpiAwareness::Unknown;
    }
    // The two contexts that share their awareness with another are told by the context itself.
    if (contextsEqual(context, DPI_AWARENESS_CONTEXT_UNAWARE_GDISCALED)) {
        return DpiAwareness::UnawareGdiScaled;
    }
    if (contextsEqual(context, DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) {
        return DpiAwareness::PerMonitorV2;
    }
    switch (awarenessOf(context)) {
        case DPI_AWARENESS_UNAWARE:
            return DpiAwareness::Unaware;
        case DPI_AWARENESS_SYSTEM_AWARE:
            return DpiAwareness::System;
        case DPI_AWARENESS_PER_MONITOR_AWARE:
            return DpiAwareness::PerMonitor;
        default:
            return DpiAwareness::Unknown;
    }
}

bool Win32WindowQueries::GetLogicalWindowRect(Hwnd window, Rect& rect) {
    static const auto setThreadContext = SystemFunction<decltype(::SetThreadDpiAwarenessContext)>(
        L"user32.dll", "SetThreadDpiAwarenessContext");
    const auto windowContext = WindowDpiAwarenessContextFunction();
    if (setThreadContext == nullptr || windowContext == nullptr) {
        return false;
    }
    const HWND handle = ToHwnd(window);
    const DPI_AWARENESS_CONTEXT context = windowContext(handle);
    if (context == nullptr) {
        return false;
    }
    // The system scales what it answers to the asking thread's awareness: asked in the window's
    // own, it answers in the window's own coordinates.
    const ThreadDpiAwarenessScope scope(setThreadContext, context);
    RECT bounds{};
    if (!scope.entered() || !::GetWindowRect(handle, &bounds)) {
        return false;
    }
    rect = FromRECT(bounds);
    return true;
}

ProcessArchitecture Win32WindowQueries::GetProcessArchitecture(KernelHandle process) {
    // No process at all, which Wine's IsWow64Process2 would describe as the system's own.
    if (process == 0) {
        return ProcessArchitecture::Unknown;
    }
    const HANDLE handle = ToHandle(process);
    // Windows 11: the machine of the process's code, also of x64 code emulated on Arm64.
    static const auto getProcessInformation =
        SystemFunction<decltype(::GetProcessInformation)>(L"kernel32.dll", "GetProcessInformation");
    PROCESS_MACHINE_INFORMATION machine{};
    if (getProcessInformation != nullptr &&
        getProcessInformation(handle, ProcessMachineTypeInfo, &machine, sizeof machine)) {
        return FromMachine(machine.ProcessMachine);
    }
    // Windows 10 1511 and later: the emulated machine of a WOW64 process, none for a native one.
    static const auto isWow64Process2 =
        SystemFunction<decltype(::IsWow64Process2)>(L"kernel32.dll", "IsWow64Process2");
    USHORT processMachine = IMAGE_FILE_MACHINE_UNKNOWN;
    USHORT nativeMachine = IMAGE_FILE_MACHINE_UNKNOWN;
    if (isWow64Process2 != nullptr && isWow64Process2(handle, &processMachine, &nativeMachine)) {
        return FromMachine(processMachine != IMAGE_FILE_MACHINE_UNKNOWN ? processMachine
                                                                        : nativeMachine);
    }
    // Before that, WOW64 ran only x86 code, and Windows ran on no Arm64 machine.
    BOOL wow64 = FALSE;
    if (!::IsWow64Process(handle, &wow64)) {
        return ProcessArchitecture::Unknown;
    }
    SYSTEM_INFO system{};
    ::GetNativeSystemInfo(&system);
    if (wow64 || system.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_INTEL) {
        return ProcessArchitecture::X86;
    }
    return system.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64
               ? ProcessArchitecture::X64
               : ProcessArchitecture::Unknown;
}

IntegrityLevel Win32WindowQueries::GetProcessIntegrity(KernelHandle process) {
    static const TokenFunctions functions;
    if (!functions.complete()) {
        return IntegrityLevel::Unknown;
    }
    HANDLE token = nullptr;
    if (!functions.openProcessToken(ToHandle(process), TOKEN_QUERY, &token)) {
        return ::GetLastError() == ERROR_ACCESS_DENIED ? IntegrityLevel::AccessDenied
                                                       : IntegrityLevel::Unknown;
    }
    const IntegrityLevel level = ReadIntegrityLevel(functions, token);
    ::CloseHandle(token);
    return level;
}

std::optional<ColorRef> Win32WindowQueries::GetScreenPixel(Point point) {
    const HDC screen = ::GetDC(nullptr);
    if (screen == nullptr) {
        return std::nullopt;
    }
    const COLORREF color = ::GetPixel(screen, point.x, point.y);
    ::ReleaseDC(nullptr, screen);
    if (color == CLR_INVALID) {
        return std::nullopt;
    }
    return static_cast<ColorRef>(color);
}

Point Win32WindowQueries::PointerAtLastMessage() {
    const DWORD position = ::GetMessagePos();
    return {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
}

}  // namespace tarnwick::win32
