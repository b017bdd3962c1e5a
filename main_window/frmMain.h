#pragma once
// The main window: shows who a window is, follows the foreground window or the window under the
// drag target, and frames the target.

#include <cstdint>
#include <memory>
#include <optional>

#include "details/frmDetails.h"
#include "main_window/frame_style.h"
#include "main_window/window_record.h"
#include "main_window/window_stack.h"
#include "platform/platform.h"

namespace tarnwick {

class frmMain final : public FormEvents, private DetailsHost {
  public:
    // Creates the window, hidden; Form().Load() starts it.
    explicit frmMain(Platform platform);

    Form& form() { return *form_; }

    // Fills the seven data labels for the window.
    void DisplayData(const Hwnd& winHandle);
    // Shows the frame in m_BorderColor along the window's outer edges, in the frame style.
    void DrawBorder(Hwnd winHandle);

    std::int16_t dragging() const { return m_Dragging; }
    Hwnd lastHwnd() const { return m_LastHwnd; }
    std::int16_t borderDrawn() const { return m_BorderDrawn; }
    ColorRef borderColor() const { return m_BorderColor; }
    // What the data labels show, as DisplayData last filled them.
    const ShownWindow& shown() const { return shown_; }
    // The Details window while it is open, else null.
    frmDetails* details() { return DetailsOpen() ? details_.get() : nullptr; }

  private:
    // FormEvents: the one place where the toolkit's events reach the handlers below.
    void Load() override { Form_Load(); }
    void Resize() override { Form_Resize(); }
    void Unload() override { Form_Unload(); }
    void Click(ControlId control) override;
    void MouseDown(ControlId control, const MouseArgs& args) override;
    void MouseUp(ControlId control, const MouseArgs& args) override;
    void Timer(ControlId control) override;
    void ContextMenu(ControlId control, const ContextMenuArgs& args) override;
    void DblClick(ControlId control) override;
    void Hotkey(ControlId id) override;
    // DetailsHost: a window reached from the Details window.
    void ShowNavigatedWindow(Hwnd window) override;
    Form& MainForm() override { return *form_; }

    void Form_Load();
    void Form_Resize();
    void Form_Unload();
    void Timer1_Timer();
    void img_Target_MouseDown();
    void img_Target_MouseUp();
    void mnu_TrackForeground_Click();
    void mnu_TrackTarget_Click();
    void mnu_SetBorderColor_Click();
    void mnu_CurrentWindowHelp_Click();
    void mnu_About_Click();
    void btn_Help_Click();
    void btn_Close_Click();
    // After the help viewer opened: topmost as SetKeepOnTop would make a window.
    void KeepHelpOnTop();
    void key_CopyAll_Click();
    void frame_Main_ContextMenu(ControlId control, const ContextMenuArgs& args);
    void key_Details_Click();
    void hk_Capture_Pressed();
    void key_EndHold_Click();
    // At start-up and at the end: the capture hotkey from the settings file.
    void RegisterCaptureHotkey();
    void UnregisterCaptureHotkey();
    // Whether the display holds a captured window against the foreground; ends the hold once
    // another window has come to the front.
    bool CaptureHolds(Hwnd foreground);

    bool DetailsOpen() const { return details_ && !details_->closed(); }
    // Whether a window of the program is the foreground window: the main or the Details window.
    bool ProgramInFront(Hwnd foreground);
    // At start-up: the Details window again, when it was open at the end of the last run.
    void ReopenDetails();
    // At the end: the Details window's placement and whether it was open.
    void SaveDetails();
    // Counts down the frame of a window reached from the Details window; wipes it at the end.
    void CountDownShortFrame();

    // The frame style, settled from the settings file the first time a frame is shown or wiped.
    FrameStyle CurrentFrameStyle();
    // The frame painted into the target's window DC.
    void PaintFrame(Hwnd winHandle);
    // The frame as the program's overlay window over the target.
    void ShowOverlayFrame(Hwnd winHandle);
    // Takes the frame off the screen, wherever it is.
    void WipeFrame();
    // The last wipe, when the program ends: nothing of a frame stays behind.
    void EndFrame();
    void SaveTrackingOption(const wchar_t* key, ControlId menuItem);
    // The record of the window on display, with its owning process asked for now.
    std::wstring RecordOnDisplay();

    Platform platform_;
    std::unique_ptr<Form> form_;

    std::int16_t m_Dragging = 0;
    Hwnd m_LastHwnd = 0;
    std::int16_t m_BorderDrawn = 0;
    ColorRef m_BorderColor = 0;
    ShownWindow shown_;
    std::optional<FrameStyle> m_FrameStyle;
    std::unique_ptr<frmDetails> details_;
    // Whether the settings file has a say about the Details window ("Open" read at start-up, or
    // the window opened since): only then is "Open" written at the end.
    bool m_DetailsKnown = false;
    // The capture: whether its hotkey is registered, whether the display holds and against which
    // foreground window, where the last capture was and the windows stacked there.
    bool m_CaptureHotkey = false;
    bool m_CaptureHold = false;
    Hwnd m_HoldForeground = 0;
    std::optional<Point> m_CapturePoint;
    std::vector<StackedWindow> m_Stack;
    // A window reached from the Details window, and the ticks left until its frame is wiped.
    Hwnd m_ShortFrameWindow = 0;
    std::int16_t m_ShortFrameTicks = 0;
};

}  // namespace tarnwick
