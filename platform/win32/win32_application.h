#pragma once
// The application and screen objects, and the message loop that delivers the forms' events.

#include <string>
#include <vector>

#include "platform/toolkit.h"
#include "platform/win32/screen_repainter.h"
#include "platform/win32/windows_api.h"

namespace tarnwick::win32 {

class Win32Form;

class Win32Application final : public Application {
  public:
    Win32Application();

    // Delivers messages until the program ends or, when given, *done turns true; a modal form runs
    // a nested loop of its own through this.
    void RunMessageLoop(const bool* done = nullptr);

    // End() first lets the repaints asked of this repainter go out, waiting a moment at most.
    void FinishBeforeEnd(const ScreenRepainter& repainter) { repainter_ = &repainter; }

    // The window of the form shown modally just now, or null.
    HWND modalWindow() const { return modalWindow_; }
    void SetModalWindow(HWND window) { modalWindow_ = window; }

    void Register(Win32Form& form);
    void Unregister(Win32Form& form);

    std::unique_ptr<Form> CreateForm(const FormDesign& design, FormEvents& events) override;
    std::wstring Path() override;
    std::wstring HelpFile() override;
    void SetHelpFile(std::wstring_view path) override;
    VersionNumbers Version() override;
    float ScreenWidth() override;
    float ScreenHeight() override;
    [[noreturn]] void End() override;

  private:
    std::vector<Win32Form*> forms_;
    std::wstring helpFile_;
    const ScreenRepainter* repainter_ = nullptr;
    HWND modalWindow_ = nullptr;
};

// The folder of a program file: no trailing backslash, except at a drive root ("C:\").
std::wstring FolderOf(std::wstring programFile);

}  // namespace tarnwick::win32
