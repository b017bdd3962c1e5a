#pragma once
// The Details window: every property of the window on display, in a list under headings, and a
// way through the window tree from it. The facts are asked of the system once per window shown;
// only the pointer's rows follow the pointer, at the main window's tick.

#include <memory>
#include <optional>
#include <vector>

#include "details/detail_rows.h"
#include "details/window_facts.h"
#include "main_window/window_stack.h"
#include "platform/platform.h"

namespace tarnwick {

// What the Details window asks of the main window.
class DetailsHost {
  public:
    // Makes the window the one on display, as if the main window had found it.
    virtual void ShowNavigatedWindow(Hwnd window) = 0;
    // The main window's form, beside which the Details window first opens.
    virtual Form& MainForm() = 0;

  protected:
    ~DetailsHost() = default;
};

// The windows of a captured stack as the Details window lists them: each described now.
std::vector<StackEntry> DescribeStack(Win32Api& win32, const std::vector<StackedWindow>& stack);

class frmDetails final : public FormEvents {
  public:
    // Creates the window, hidden; form().Load() places and shows it.
    frmDetails(Platform platform, DetailsHost& host);

    Form& form() { return *form_; }
    // Whether the user has closed the window; a closed window shows nothing again.
    bool closed() const { return closed_; }

    // Asks the system everything about the window and shows it.
    void ShowWindowFacts(Hwnd window);
    // Reads the pointer and, when it has moved, shows where it is and the colour under it.
    void FollowPointer();
    // Shows the accessible element of the window on display under its own heading; nothing
    // takes the heading away.
    void ShowElement(const std::optional<ElementAnswer>& answer);
    // Writes the window's placement into the settings file.
    void SavePlacement();
    // The windows under the pointer at the last capture, shown under their own heading from the
    // next window shown on.
    void SetStack(const std::vector<StackedWindow>& stack);

  private:
    void Load() override { Form_Load(); }
    void Resize() override { Form_Resize(); }
    void Unload() override { Form_Unload(); }
    void Click(ControlId control) override;
    void DblClick(ControlId control) override;
    void ContextMenu(ControlId control, const ContextMenuArgs& args) override;

    void Form_Load();
    void Form_Resize();
    void Form_Unload();
    void key_Activate_Click();
    void key_Copy_Click();
    void lst_Properties_ContextMenu(const ContextMenuArgs& args);

    // Goes to the window, when there is one.
    void Navigate(Hwnd window);
    void ShowRows();
    std::vector<ListRow> SelectedRows();
    void Copy(std::wstring_view text);

    Platform platform_;
    DetailsHost& host_;
    std::unique_ptr<Form> form_;
    // Held apart, so that a new window's facts replace the old ones without copying them.
    std::unique_ptr<WindowFacts> facts_ = std::make_unique<WindowFacts>();
    std::optional<PointerReading> pointer_;
    Point lastMessagePointer_;
    std::vector<StackEntry> stack_;
    std::optional<ElementAnswer> element_;
    std::vector<ListRow> rows_;
    bool closed_ = false;
};

}  // namespace tarnwick
