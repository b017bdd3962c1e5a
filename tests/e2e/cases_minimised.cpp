// Closing while minimised: the placement saved is where the window was before it was minimised,
// in screen coordinates, and the next start puts it back there to the pixel.

#include <windows.h>

#include "tests/e2e/app.h"
#include "tests/e2e/case_folder.h"
#include "tests/e2e/cases.h"
#include "tests/e2e/ini_checks.h"
#include "tests/e2e/input.h"
#include "tests/e2e/text.h"
#include "tests/e2e/wait.h"
#include "tests/e2e/window_query.h"

namespace tarnwick::e2e {
namespace {

// place {-1, -1}: left where the first start put it (centred).
void MinimisedCloseRestoresPlace(Check& check, const Environment& env, POINT place) {
    CaseFolder folder(check, env, check.CaseName());
    RECT placed{};
    {
        TarnwickApp app(check, env, folder.ExePath());
        app.Start();
        const HWND main = app.MainWindow();
        if (place.x < 0) {
            place = {WindowRect(main).left, WindowRect(main).top};
        }
        SetWindowPos(main, nullptr, place.x, place.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        const bool moved = WaitUntil(1000, [&] {
            const RECT r = WindowRect(main);
            return r.left == place.x && r.top == place.y;
        });
        placed = WindowRect(main);
        check.That(L"main window moved", moved, RectText({place.x, place.y, 0, 0}),
                   RectText(placed));
        // As the minimise button asks for it.
        PostMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        check.That(L"main window minimised", WaitUntil(2000, [&] { return IsIconic(main); }),
                   L"minimised", L"not minimised");
        Pause();
        const ULONGLONG t0 = GetTickCount64();
        check.That(L"WM_CLOSE ends the program", app.Close(), L"ended within 5000 ms", L"killed");
        // The last repaint of the screen must not hold the end while nothing hangs.
        const ULONGLONG took = GetTickCount64() - t0;
        check.That(L"WM_CLOSE ends the program at once", took < 400, L"under 400 ms",
                   Decimal(static_cast<std::int64_t>(took)) + L" ms");
    }
    const std::wstring ini = folder.IniPath();
    const double tx = env.screen.twipsPerPixelX;
    const double ty = env.screen.twipsPerPixelY;
    CheckIniNumber(check, ini, L"Position", L"windowstate", 1, 0);
    CheckIniNumber(check, ini, L"Position", L"left", placed.left * tx, tx / 2);
    CheckIniNumber(check, ini, L"Position", L"top", placed.top * ty, ty / 2);
    CheckIniNumber(check, ini, L"Position", L"width", (placed.right - placed.left) * tx, tx / 2);
    CheckIniNumber(check, ini, L"Position", L"height", (placed.bottom - placed.top) * ty, ty / 2);

    TarnwickApp again(check, env, folder.ExePath());
    again.Start();
    const RECT r = WindowRect(again.MainWindow());
    check.Equal(L"next start: left (px)", placed.left, r.left);
    check.Equal(L"next start: top (px)", placed.top, r.top);
}

void MinimisedClose(Check& check, const Environment& env) {
    MinimisedCloseRestoresPlace(check, env, {200, 150});
}

// Odd pixels, where a twips value read back from pixels must not drift by one.
void MinimisedCloseOddPixels(Check& check, const Environment& env) {
    MinimisedCloseRestoresPlace(check, env, {333, 211});
}

// Where the first start centred it, in twips that need not be whole pixels.
void MinimisedCloseCentred(Check& check, const Environment& env) {
    MinimisedCloseRestoresPlace(check, env, {-1, -1});
}

}  // namespace

std::vector<TestCase> MinimisedCases() {
    return {
        {L"minimised_close_restores_centred_place", MinimisedCloseCentred},
        {L"minimised_close_restores_place", MinimisedClose},
        {L"minimised_close_restores_odd_place", MinimisedCloseOddPixels},
    };
}

}  // namespace tarnwick::e2e
