// The program's windows moved to a monitor of another scale: WM_DPICHANGED, as Windows sends it,
// with the suggested rectangle written into the program's memory (a pointer in a message sent to
// another process is not carried over). The windows must then look as in a program started at
// that scale (Wine's LogPixels) and take the suggested rectangle.

#include <windows.h>

#include <string>
#include <vector>

#include "details/frmDetails_controls.h"
#include "main_window/frmMain_controls.h"
#include "tests/e2e/app.h"
#include "tests/e2e/case_folder.h"
#include "tests/e2e/cases.h"
#include "tests/e2e/input.h"
#include "tests/e2e/text.h"
#include "tests/e2e/window_query.h"

namespace tarnwick::e2e {
namespace {

namespace ids = frmMainControls;

constexpr char kDetailsOpen[] = "[Details]\r\nOpen=1\r\n";

// The screen's DPI for the programs started while it lives, as Wine reads it at their start;
// the one before is put back at the end.
class LogPixels {
  public:
    explicit LogPixels(DWORD dpi) {
        DWORD size = sizeof before_;
        had_ = RegGetValueW(HKEY_CURRENT_USER, kKey, L"LogPixels", RRF_RT_REG_DWORD, nullptr,
                            &before_, &size) == ERROR_SUCCESS;
        Set(dpi);
    }
    ~LogPixels() {
        if (had_) {
            Set(before_);
        } else {
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, L"LogPixels");
        }
    }
    LogPixels(const LogPixels&) = delete;
    LogPixels& operator=(const LogPixels&) = delete;

  private:
    static constexpr wchar_t kKey[] = L"Control Panel\\Desktop";
    static void Set(DWORD dpi) {
        RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
    }
    DWORD before_ = 0;
    bool had_ = false;
};

// What a window looks like from outside: its place, its client area, each control's rectangle in
// its container and the height of each control's font, the last two as text.
struct Face {
    RECT outer{};
    SIZE client{};
    std::wstring controls;
    std::wstring fonts;
};

Face FaceOf(const TarnwickApp& app, HWND window) {
    Face face{WindowRect(window), ClientSize(window), {}, {}};
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        face.controls += std::to_wstring(GetDlgCtrlID(child)) + L" " +
                         RectText(RectInClientOf(child, window)) + L"; ";
        for (HWND inner = GetWindow(child, GW_CHILD); inner != nullptr;
             inner = GetWindow(inner, GW_HWNDNEXT)) {
            face.controls += std::to_wstring(GetDlgCtrlID(inner)) + L" " +
                             RectText(RectInClientOf(inner, child)) + L"; ";
        }
    }
    for (const auto& [id, height] : app.Probe(window).fontHeights) {
        face.fonts += std::to_wstring(id) + L": " + std::to_wstring(height) + L"; ";
    }
    return face;
}

// The controls, their fonts and the client area as in the window of the program started at the
// scale.
void ExpectLooksAs(Check& check, const std::wstring& what, const Face& actual,
                   const Face& expected) {
    check.Equal(what + L": client width (px)", expected.client.cx, actual.client.cx);
    check.Equal(what + L": client height (px)", expected.client.cy, actual.client.cy);
    check.Equal(what + L": controls' rectangles", expected.controls, actual.controls);
    check.Equal(what + L": fonts' heights", expected.fonts, actual.fonts);
}

// WM_DPICHANGED with the rectangle in the program's own memory.
void SendDpiChanged(Check& check, const TarnwickApp& app, HWND window, WORD dpi,
                    const RECT& suggested) {
    const HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, app.ProcessId());
    void* remote = process ? VirtualAllocEx(process, nullptr, sizeof suggested,
                                            MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)
                           : nullptr;
    DWORD_PTR result = 0;
    const bool sent =
        remote != nullptr &&
        WriteProcessMemory(process, remote, &suggested, sizeof suggested, nullptr) &&
        SendMessageTimeoutW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                            reinterpret_cast<LPARAM>(remote), SMTO_BLOCK, 5000, &result) != 0;
    if (remote != nullptr) {
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    if (process != nullptr) {
        CloseHandle(process);
    }
    if (!sent) {
        check.Abort(L"WM_DPICHANGED for " + std::to_wstring(dpi) + L" DPI answered", L"an answer",
                    L"none");
    }
    Pause();
}

// Starts the program from the folder with its Details window open; returns that window.
HWND StartWithDetails(Check& check, const CaseFolder& folder, TarnwickApp& app) {
    folder.WriteIni(kDetailsOpen);
    app.Start();
    const std::optional<HWND> details = app.WaitForWindow(kDetailsWindowClass, 3000);
    if (!details) {
        check.Abort(L"the Details window opens at start-up", L"a window", L"none");
    }
    return *details;
}

RECT Moved(const RECT& size, int left, int top) {
    return {left, top, left + size.right - size.left, top + size.bottom - size.top};
}

void MovedToAnotherScaleAndBack(Check& check, const Environment& env) {
    // The program as started at 144 DPI, the main window and the Details window.
    Face main144;
    Face details144;
    SIZE picture144{};
    {
        const LogPixels highDpi(144);
        CaseFolder folder(check, env, check.CaseName() + L" at 144");
        TarnwickApp app(check, env, folder.ExePath());
        const HWND details = StartWithDetails(check, folder, app);
        main144 = FaceOf(app, app.MainWindow());
        details144 = FaceOf(app, details);
        picture144 = ClientSize(app.Control(ids::img_Target));
        app.Close();
    }
    check.Equal(L"the crosshair picture at 144 DPI (px)", 48, picture144.cx);

    CaseFolder folder(check, env, check.CaseName());
    TarnwickApp app(check, env, folder.ExePath());
    const HWND details = StartWithDetails(check, folder, app);
    const HWND main = app.MainWindow();
    const Face main96 = FaceOf(app, main);
    check.Equal(L"the crosshair picture at 96 DPI (px)", 32,
                ClientSize(app.Control(ids::img_Target)).cx);

    // The size Windows would suggest does not matter: the main window's size is its layout's.
    const RECT suggested = Moved(main144.outer, 40, 30);
    SendDpiChanged(check, app, main, 144, suggested);
    const Face moved = FaceOf(app, main);
    check.Equal(L"main window at 144 DPI: left (px)", suggested.left, moved.outer.left);
    check.Equal(L"main window at 144 DPI: top (px)", suggested.top, moved.outer.top);
    ExpectLooksAs(check, L"main window at 144 DPI", moved, main144);
    check.Equal(L"the crosshair picture after the change (px)", picture144.cx,
                ClientSize(app.Control(ids::img_Target)).cx);

    const RECT detailsPlace = Moved(details144.outer, 420, 60);
    SendDpiChanged(check, app, details, 144, detailsPlace);
    const Face detailsMoved = FaceOf(app, details);
    check.Equal(L"Details window at 144 DPI: the suggested rectangle", RectText(detailsPlace),
                RectText(detailsMoved.outer));
    // Wine gives a program started at 144 DPI thicker frames, so only the inside is compared.
    check.Equal(L"Details window at 144 DPI: fonts' heights", details144.fonts, detailsMoved.fonts);
    check.Equal(L"Details window at 144 DPI: the list fills the client area",
                std::to_wstring(frmDetailsControls::lst_Properties) + L" " +
                    RectText({0, 0, detailsMoved.client.cx, detailsMoved.client.cy}),
                detailsMoved.controls.substr(0, detailsMoved.controls.find(L';')));

    const RECT back = Moved(main96.outer, 60, 50);
    SendDpiChanged(check, app, main, 96, back);
    const Face again = FaceOf(app, main);
    check.Equal(L"main window back at 96 DPI: the suggested rectangle", RectText(back),
                RectText(again.outer));
    ExpectLooksAs(check, L"main window back at 96 DPI", again, main96);
    check.Equal(L"the crosshair picture back at 96 DPI (px)", 32,
                ClientSize(app.Control(ids::img_Target)).cx);
    check.That(L"the program closes", app.Close(), L"ended", L"killed");
}

}  // namespace

std::vector<TestCase> DpiCases() {
    return {{L"dpi_moved_to_another_scale_and_back", MovedToAnotherScaleAndBack}};
}

}  // namespace tarnwick::e2e
