// The Details window from the main window's side: opening it, showing what it reaches, and its
// state at the start and the end of a run.

#include <array>

#include "app/settings.h"
#include "main_window/frmMain.h"
#include "main_window/frmMain_controls.h"

namespace tarnwick {

using namespace frmMainControls;

namespace {

// A window reached from the Details window is framed from the next tick (the wipe of an earlier
// frame must have repainted the screen first) for this many ticks: one second.
constexpr std::int16_t kShortFrameTicks = 20;

bool OnDataPanel(ControlId control) {
    return control == frame_Main ||
           (control >= lbl_CurWindow && control <= lbl_WindowParent && control != img_Target);
}

}  // namespace

void frmMain::key_Details_Click() {
    if (DetailsOpen()) {
        details_->form().Show();
        details_->form().ZOrder();
        return;
    }
    // A window closed earlier is let go here, outside its own events.
    DetailsHost& host = *this;
    details_ = std::make_unique<frmDetails>(platform_, host);
    m_DetailsKnown = true;
    details_->form().Load();
    details_->SetStack(m_Stack);
    details_->ShowWindowFacts(shown_.handle);
    if (element_.window() == shown_.handle) {
        details_->ShowElement(element_.AnswerAbout(shown_.handle));
    } else {
        AskElement(shown_.handle, std::nullopt);
    }
}

void frmMain::DblClick(ControlId control) {
    if (OnDataPanel(control)) {
        key_Details_Click();
    }
}

void frmMain::ShowNavigatedWindow(Hwnd window) {
    DisplayData(window);
    m_LastHwnd = window;
    WipeFrame();
    m_ShortFrameWindow = window;
    m_ShortFrameTicks = kShortFrameTicks + 1;
    AskElement(window, std::nullopt);
}

void frmMain::CountDownShortFrame() {
    if (m_ShortFrameTicks == 0) {
        return;
    }
    if (m_ShortFrameTicks == kShortFrameTicks + 1) {
        DrawBorder(m_ShortFrameWindow);
    }
    if (--m_ShortFrameTicks == 0) {
        WipeFrame();
    }
}

bool frmMain::ProgramInFront(Hwnd foreground) {
    return foreground == form_->hWnd() || (DetailsOpen() && foreground == details_->form().hWnd());
}

void frmMain::ReopenDetails() {
    std::array<wchar_t, 8> open{};
    const std::int32_t length =
        platform_.win32.GetPrivateProfileString(kSectionDetails, kKeyOpen, L"", open, g_IniFile);
    m_DetailsKnown = length > 0;
    if (std::wstring_view(open.data(), static_cast<std::size_t>(std::max(length, 0))) == L"1") {
        key_Details_Click();
    }
}

void frmMain::SaveDetails() {
    if (DetailsOpen()) {
        details_->SavePlacement();
    }
    if (m_DetailsKnown) {
        platform_.win32.WritePrivateProfileString(kSectionDetails, kKeyOpen,
                                                  DetailsOpen() ? L"1" : L"0", g_IniFile);
    }
}

}  // namespace tarnwick
