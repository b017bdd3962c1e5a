#include "platform/win32/win32_application.h"

#include <algorithm>
#include <cstring>

#include "platform/win32/screen_units.h"
#include "platform/win32/system_library.h"
#include "platform/win32/win32_form.h"

namespace tarnwick::win32 {

namespace {

std::wstring ProgramFile() {
    // Wide all the way: the program must run from a folder whose name has characters outside
    // the ANSI code page.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

// The numbers of the program's own version resource (its fixed file information).
VersionNumbers ReadVersionResource() {
    const HMODULE module = ::GetModuleHandleW(nullptr);
    const HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(1), RT_VERSION);
    const HGLOBAL loaded = resource ? ::LoadResource(module, resource) : nullptr;
    const auto* bytes =
        static_cast<const unsigned char*>(loaded ? ::LockResource(loaded) : nullptr);
    if (bytes == nullptr) {
        return {};
    }
    const DWORD size = ::SizeofResource(module, resource);
    for (DWORD at = 0; at + sizeof(VS_FIXEDFILEINFO) <= size; at += 4) {
        VS_FIXEDFILEINFO info;
        std::memcpy(&info, bytes + at, sizeof info);
        if (info.dwSignature == 0xFEEF04BD) {
            return {static_cast<std::int16_t>(HIWORD(info.dwFileVersionMS)),
                    static_cast<std::int16_t>(LOWORD(info.dwFileVersionMS)),
                    static_cast<std::int16_t>(LOWORD(info.dwFileVersionLS))};
        }
    }
    return {};
}

}  // namespace

std::wstring FolderOf(std::wstring programFile) {
    const std::size_t slash = programFile.find_last_of(L"\\/");
    if (slash == std::wstring::npos) {
        return {};
    }
    programFile.resize(slash);
    if (programFile.size() == 2 && programFile[1] == L':') {
        programFile += L'\\';
    }
    return programFile;
}

Win32Application::Win32Application() {
    // The common controls give the tooltips; without them the program runs without tooltips.
    static const auto initCommonControls =
        SystemFunction<decltype(::InitCommonControlsEx)>(L"comctl32.dll", "InitCommonControlsEx");
    if (initCommonControls != nullptr) {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
        initCommonControls(&controls);
    }
}

void Win32Application::RunMessageLoop(const bool* done) {
    MSG message{};
    while (done == nullptr || !*done) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            // Passed on, so that an outer loop ends too.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (got < 0) {
            return;
        }
        const HWND root = message.hwnd ? ::GetAncestor(message.hwnd, GA_ROOT) : nullptr;
        const auto form = std::find_if(forms_.begin(), forms_.end(),
                                       [&](Win32Form* f) { return f->handle() == root; });
        if (form != forms_.end() && (*form)->PreTranslate(message)) {
            continue;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

void Win32Application::Register(Win32Form& form) {
    forms_.push_back(&form);
}

void Win32Application::Unregister(Win32Form& form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), &form), forms_.end());
}

std::unique_ptr<Form> Win32Application::CreateForm(const FormDesign& design, FormEvents& events) {
    // The first form is the start-up form; a later one (the About box) holds it off while it is
    // shown modally.
    const HWND mainWindow = forms_.empty() ? nullptr : forms_.front()->handle();
    return std::make_unique<Win32Form>(design, events, *this, mainWindow);
}

std::wstring Win32Application::Path() {
    return FolderOf(ProgramFile());
}

std::wstring Win32Application::HelpFile() {
    return helpFile_;
}

void Win32Application::SetHelpFile(std::wstring_view path) {
    helpFile_ = path;
}

VersionNumbers Win32Application::Version() {
    static const VersionNumbers version = ReadVersionResource();
    return version;
}

float Win32Application::ScreenWidth() {
    return PixelsToTwips(::GetSystemMetrics(SM_CXSCREEN), SystemDpi());
}

float Win32Application::ScreenHeight() {
    return PixelsToTwips(::GetSystemMetrics(SM_CYSCREEN), SystemDpi());
}

void Win32Application::End() {
    // The last repaint wipes any frame left on another window. A window that does not answer
    // repaints when it wakes; it must not keep the program from ending.
    constexpr DWORD kLastRepaintMs = 500;
    if (repainter_ != nullptr) {
        repainter_->Finish(kLastRepaintMs);
    }
    ::ExitProcess(0);
}

}  // namespace tarnwick::win32
