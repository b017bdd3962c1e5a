// The frame as Tarnwick's own overlay window ("FrameStyle=1"): frames top-level windows, child
// controls of other programs and windows partly off the screen; never becomes the window under
// the target itself; leaves nothing on the screen after the release; and makes no other window
// repaint. With "FrameStyle=0" the painted frame repaints every window, as before. In both
// styles the bare desktop gets no frame, and a maximised window one along the screen's edges.

#include <windows.h>

#include <functional>
#include <string>

#include "main_window/frmMain_controls.h"
#include "tests/e2e/app.h"
#include "tests/e2e/case_folder.h"
#include "tests/e2e/cases.h"
#include "tests/e2e/frame_pixels.h"
#include "tests/e2e/input.h"
#include "tests/e2e/screen.h"
#include "tests/e2e/test_windows.h"
#include "tests/e2e/text.h"
#include "tests/e2e/wait.h"
#include "tests/e2e/window_data.h"
#include "tests/e2e/window_query.h"

namespace tarnwick::e2e {
namespace {

namespace ids = frmMainControls;

constexpr wchar_t kTargetHeading[] = L"Window under target";
constexpr wchar_t kOverlayClass[] = L"Tarnwick.FrameOverlay";
constexpr COLORREF kFrameColor = RGB(0, 0, 255);
constexpr char kOverlayIni[] = "[General]\r\nFrameStyle=1\r\n";
constexpr char kPaintedIni[] = "[General]\r\nFrameStyle=0\r\n";

// Reads the labels all through a drag: the overlay must never be what they describe.
class LabelWatch {
  public:
    explicit LabelWatch(const TarnwickApp& app) : app_(app) {}

    // Pauses for ms, looking at the labels every 10 ms.
    void Pause(DWORD ms) {
        const ULONGLONG end = GetTickCount64() + ms;
        while (GetTickCount64() < end) {
            Look();
            Sleep(10);
        }
    }
    void MoveTo(POINT point, int steps) {
        POINT start{};
        GetCursorPos(&start);
        for (int step = 1; step <= steps; ++step) {
            MoveMouse({start.x + (point.x - start.x) * step / steps,
                       start.y + (point.y - start.y) * step / steps});
            Pause(kStepPauseMs);
        }
    }
    void CheckNeverShowedTheOverlay(Check& check) const {
        check.That(
            L"the labels never describe the overlay (" + std::to_wstring(looks_) + L" looks)",
            seen_.empty(), L"never", seen_);
    }

  private:
    void Look() {
        ++looks_;
        const std::wstring className = app_.Text(ids::lbl_WindowClass);
        const HWND overlay = FindWindowW(kOverlayClass, nullptr);
        const std::wstring overlayHandle =
            overlay ? L"Dec: " + DecimalWithSign(HandleValue(overlay)) : L"";
        if (seen_.empty() &&
            (className == kOverlayClass ||
             (overlay && app_.Text(ids::lbl_WindowHandleDecimal) == overlayHandle))) {
            seen_ = L"shown as " + Quote(className);
        }
    }

    const TarnwickApp& app_;
    std::wstring seen_;
    int looks_ = 0;
};

HWND VisibleOverlay() {
    const HWND overlay = FindWindowW(kOverlayClass, nullptr);
    return overlay != nullptr && IsWindowVisible(overlay) ? overlay : nullptr;
}

void CheckOverlayWindow(Check& check, const TarnwickApp& app, const RECT& over) {
    const HWND overlay = VisibleOverlay();
    if (!check.That(L"the overlay is shown", overlay != nullptr,
                    L"a visible window of class " + Quote(kOverlayClass), L"none")) {
        return;
    }
    DWORD process = 0;
    GetWindowThreadProcessId(overlay, &process);
    check.That(L"the overlay is Tarnwick's", process == app.ProcessId(), L"Tarnwick's process",
               L"another process");
    check.Equal(L"the overlay lies over the window", RectText(over), RectText(WindowRect(overlay)));
    constexpr LONG wanted =
        WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    check.That(L"the overlay is layered, click-through, topmost, a tool window, never active",
               (ExStyle(overlay) & wanted) == wanted, L"all five extended styles",
               Hex(static_cast<std::uint32_t>(ExStyle(overlay))));
    check.That(L"the overlay has not taken the foreground", GetForegroundWindow() != overlay,
               L"another window in front", L"the overlay");
}

// Before, during and after a drag onto the window: frame pixels on the edges that are on the
// screen while held, the same pixels as before once released, and the window's data on show.
void DragOntoWithOverlay(Check& check, TarnwickApp& app, HWND target,
                         const std::vector<std::size_t>& edgesOnScreen) {
    const RECT rect = WindowRect(target);
    const auto samples = FrameSamples(rect);
    const auto before = ReadFrameSamples(samples);
    LabelWatch watch(app);
    PointAtTarget(check, app);
    HeldLeftButton button;
    watch.Pause(kStepPauseMs);
    watch.MoveTo(Centre(rect), 5);
    ExpectTracked(check, app, L"while held over the window", target, kTargetHeading, 1000);
    const auto held = ReadFrameSamples(samples);
    for (const std::size_t edge : edgesOnScreen) {
        check.That(std::wstring(L"frame while held, ") + samples[edge].edge + L" edge",
                   held[edge] == kFrameColor, ColorText(kFrameColor), ColorText(held[edge]));
    }
    CheckOverlayWindow(check, app, rect);

    // The pointer right on the strips: the window under it is still the one beneath.
    for (const std::size_t edge : edgesOnScreen) {
        watch.MoveTo(samples[edge].point, 1);
        watch.Pause(200);
        check.Equal(std::wstring(L"pointer on the ") + samples[edge].edge +
                        L" strip: the window beneath is shown",
                    ExpectedWindowData(target).decimal, app.Text(ids::lbl_WindowHandleDecimal));
    }

    button.Release();
    WaitUntil(
        2000, [&] { return ReadFrameSamples(samples) == before && !VisibleOverlay(); }, 20);
    const auto after = ReadFrameSamples(samples);
    for (const std::size_t edge : edgesOnScreen) {
        check.That(std::wstring(L"frame gone after the release, ") + samples[edge].edge + L" edge",
                   after[edge] == before[edge], ColorText(before[edge]), ColorText(after[edge]));
    }
    check.That(L"the overlay is hidden after the release", VisibleOverlay() == nullptr, L"hidden",
               L"visible");
    watch.Pause(200);
    CheckWindowData(check, L"after the release", ExpectedWindowData(target), ShownWindowData(app));
    watch.CheckNeverShowedTheOverlay(check);
}

const std::vector<std::size_t> kAllEdges{0, 1, 2, 3};

// Starts Tarnwick with the overlay style over a backdrop and the window that makeTarget makes,
// and drags onto it; the frame is read on the given edges.
void FrameWithOverlay(Check& check, const Environment& env,
                      const std::function<HWND(TestWindows&)>& makeTarget,
                      const std::vector<std::size_t>& edges) {
    CaseFolder folder(check, env, check.CaseName());
    folder.WriteIni(kOverlayIni);
    TestWindows windows;
    windows.CreateBackdrop();
    const HWND target = makeTarget(windows);
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    DragOntoWithOverlay(check, app, target, edges);
}

void FramesTopLevelWindow(Check& check, const Environment& env) {
    FrameWithOverlay(
        check, env, [](TestWindows& windows) { return windows.Create({}); }, kAllEdges);
}

void FramesChildControlOfAnotherProcess(Check& check, const Environment& env) {
    const auto makeControl = [](TestWindows& windows) {
        TestWindowOptions child;
        child.title = L"Child control";
        child.style = WS_CHILD | WS_VISIBLE;
        child.rect = {40, 40, 240, 140};
        child.background = RGB(0, 160, 0);
        child.parent = windows.Create({});
        return windows.Create(child);
    };
    FrameWithOverlay(check, env, makeControl, kAllEdges);
}

void FramesWindowPartlyOffScreen(Check& check, const Environment& env) {
    // Beyond the right edge of the screen: left, top and bottom strips show.
    const auto makeWindow = [&](TestWindows& windows) {
        TestWindowOptions options;
        options.title = L"Partly off the screen";
        options.rect = {env.screen.width - 200, 300, env.screen.width + 100, 520};
        return windows.Create(options);
    };
    FrameWithOverlay(check, env, makeWindow, {0, 1, 3});
}

// The bare desktop is shown but never framed: no pixel of the frame colour (one that nothing
// else on the screen has) anywhere on the screen while held over it, nor after the release.
void DragOverTheBareDesktop(Check& check, const Environment& env, const char* style) {
    constexpr COLORREF kMagenta = RGB(255, 0, 255);
    CaseFolder folder(check, env, check.CaseName());
    folder.WriteIni(std::string(style) + "BorderColor=16711935\r\n");
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    const RECT screen{0, 0, env.screen.width, env.screen.height};
    const auto samples = FrameSamples(screen);
    const auto before = ReadFrameSamples(samples);
    check.Equal(L"frame-coloured pixels before the drag", 0, ScreenPixelsOfColor(kMagenta));
    LabelWatch watch(app);
    PointAtTarget(check, app);
    HeldLeftButton button;
    watch.MoveTo({env.screen.width - 60, env.screen.height - 60}, 4);
    watch.Pause(300);
    check.Equal(L"over the bare desktop: lbl_WindowClass", L"#32769",
                app.Text(ids::lbl_WindowClass));
    // The frame of the window passed on the way is wiped; then nothing comes on the desktop.
    WaitUntil(
        2000, [&] { return ScreenPixelsOfColor(kMagenta) == 0; }, 50);
    watch.Pause(300);
    check.Equal(L"frame-coloured pixels while held over the desktop", 0,
                ScreenPixelsOfColor(kMagenta));
    button.Release();
    WaitUntil(
        2000, [&] { return ReadFrameSamples(samples) == before; }, 20);
    const auto after = ReadFrameSamples(samples);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        check.That(std::wstring(L"nothing left on the desktop, ") + samples[i].edge + L" edge",
                   after[i] == before[i], ColorText(before[i]), ColorText(after[i]));
    }
    check.Equal(L"frame-coloured pixels after the release", 0, ScreenPixelsOfColor(kMagenta));
    watch.CheckNeverShowedTheOverlay(check);
}

void DragEndingOnTheBareDesktopLeavesNoFrame(Check& check, const Environment& env) {
    DragOverTheBareDesktop(check, env, kOverlayIni);
}

void PaintedStyleFramesNothingOnTheBareDesktop(Check& check, const Environment& env) {
    DragOverTheBareDesktop(check, env, kPaintedIni);
}

// A maximised window reaches beyond the screen on every side: in both styles the frame runs
// along the screen's edges, where the window is seen.
void FramesMaximisedWindow(Check& check, const Environment& env) {
    for (const char* style : {kPaintedIni, kOverlayIni}) {
        CaseFolder folder(check, env, check.CaseName());
        folder.WriteIni(style);
        TestWindows windows;
        const HWND target = windows.Create({});
        ShowWindow(target, SW_MAXIMIZE);
        const RECT rect = WindowRect(target);
        check.That(L"the maximised window reaches beyond the screen",
                   rect.left < 0 && rect.top < 0 && rect.right > env.screen.width &&
                       rect.bottom > env.screen.height,
                   L"beyond (0, 0)-(" + std::to_wstring(env.screen.width) + L", " +
                       std::to_wstring(env.screen.height) + L")",
                   RectText(rect));
        TarnwickApp app(check, env, folder.ExePath());
        app.Start();
        PointAtTarget(check, app);
        HeldLeftButton button;
        DragTo({100, env.screen.height - 100}, 4);
        ExpectTracked(check, app, L"over the maximised window", target, kTargetHeading, 1000);
        Pause();
        CheckFrameColor(check, style == kPaintedIni ? L"painted frame" : L"overlay frame",
                        FrameSamples({0, 0, env.screen.width, env.screen.height}), kFrameColor);
    }
}

// A drag across three windows while a fourth, away from the pointer, counts its paints.
int BystanderPaintsDuringDrag(Check& check, const Environment& env, const char* ini) {
    CaseFolder folder(check, env, check.CaseName());
    folder.WriteIni(ini);
    TestWindows windows;
    windows.CreateBackdrop();
    TestWindowOptions options;
    options.title = L"Target";
    const HWND targets[] = {
        windows.Create(options),
        windows.Create([&] {
            options.rect = {40, 300, 340, 520};
            return options;
        }()),
        windows.Create([&] {
            options.rect = {env.screen.width - 320, 40, env.screen.width - 20, 260};
            return options;
        }()),
    };
    TestWindowOptions bystander;
    bystander.title = L"Bystander";
    bystander.rect = {env.screen.width - 320, env.screen.height - 220, env.screen.width - 20,
                      env.screen.height - 20};
    const HWND counting = windows.Create(bystander);
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    PointAtTarget(check, app);
    Pause(500);
    const int before = PaintMessages(counting);
    {
        HeldLeftButton button;
        Pause();
        for (const HWND target : targets) {
            DragTo(Centre(WindowRect(target)), 3);
            ExpectTracked(check, app, L"dragging over " + WindowText(target), target,
                          kTargetHeading, 1000);
        }
    }
    Pause(800);
    return PaintMessages(counting) - before;
}

void OverlayRepaintsNoOtherWindow(Check& check, const Environment& env) {
    const int paints = BystanderPaintsDuringDrag(check, env, kOverlayIni);
    check.Equal(L"WM_PAINT and WM_NCPAINT in the window away from the pointer", 0, paints);
}

void PaintedFrameRepaintsEveryWindow(Check& check, const Environment& env) {
    // The counter sees what the painted style asks of the whole screen on every change.
    const int paints = BystanderPaintsDuringDrag(check, env, kPaintedIni);
    check.That(L"the window away from the pointer repaints on the changes of target", paints >= 3,
               L"3 or more WM_PAINT and WM_NCPAINT", std::to_wstring(paints));
}

}  // namespace

std::vector<TestCase> FrameOverlayCases() {
    return {
        {L"overlay_frames_top_level_window", FramesTopLevelWindow},
        {L"overlay_frames_child_control_of_another_process", FramesChildControlOfAnotherProcess},
        {L"overlay_frames_window_partly_off_screen", FramesWindowPartlyOffScreen},
        {L"overlay_drag_ending_on_bare_desktop_leaves_no_frame",
         DragEndingOnTheBareDesktopLeavesNoFrame},
        {L"overlay_repaints_no_other_window", OverlayRepaintsNoOtherWindow},
        {L"overlay_painted_style_repaints_every_window", PaintedFrameRepaintsEveryWindow},
        {L"frame_maximised_window_on_the_visible_edges", FramesMaximisedWindow},
        // Last of all: should a frame stay on the bare desktop, no later case sees it.
        {L"frame_bare_desktop_painted_style_frames_nothing",
         PaintedStyleFramesNothingOnTheBareDesktop},
    };
}

}  // namespace tarnwick::e2e
