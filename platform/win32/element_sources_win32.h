#pragma once
// The accessible element read through UI Automation and Active Accessibility, on a reading
// thread with COM initialised. Whatever the other program answers is untrusted: a missing or
// malformed value is left empty, each text is cut at kElementTextLimit characters.

#include <cstddef>

#include "platform/accessible_element.h"
#include "platform/win32/windows_api.h"

#include <oleacc.h>

namespace tarnwick::win32 {

namespace uia {
struct IUIAutomation;
}

inline constexpr std::size_t kElementTextLimit = 1024;

// The functions of the COM and accessibility libraries that reading takes. None of these
// libraries is imported: each is loaded from the system folder the first time an element is
// asked for. A missing function leaves out what needs it.
struct ElementFunctions {
    decltype(::CoInitializeEx)* coInitializeEx;
    decltype(::CoUninitialize)* coUninitialize;
    decltype(::SysStringLen)* sysStringLen;
    decltype(::VariantClear)* variantClear;
    decltype(::AccessibleObjectFromPoint)* accessibleObjectFromPoint;
    decltype(::AccessibleObjectFromWindow)* accessibleObjectFromWindow;
    decltype(::GetRoleTextW)* getRoleText;
    decltype(::GetStateTextW)* getStateText;
    // UIAutomationCore.dll's class object, through which CUIAutomation is made.
    decltype(::DllGetClassObject)* getUiAutomationClass;
    decltype(::SetThreadDpiAwarenessContext)* setThreadDpiAwarenessContext;
};

// Looks the functions up the first time and returns the same ones after. Called on the
// user-interface thread before any reading thread starts: those threads only read them.
const ElementFunctions& LoadElementFunctions();

// The two interfaces on one reading thread, which must have initialised COM. The UI Automation
// object is made at the first reading and kept for the thread's life.
class Win32ElementSources final : public ElementSources {
  public:
    explicit Win32ElementSources(const ElementFunctions& functions) : functions_(functions) {}
    ~Win32ElementSources();
    Win32ElementSources(const Win32ElementSources&) = delete;
    Win32ElementSources& operator=(const Win32ElementSources&) = delete;

    bool ReadWithUiAutomation(const ElementRequest& request, AccessibleElement& element) override;
    bool ReadWithActiveAccessibility(const ElementRequest& request,
                                     AccessibleElement& element) override;

  private:
    const ElementFunctions& functions_;
    uia::IUIAutomation* automation_ = nullptr;
    bool automationTried_ = false;
};

}  // namespace tarnwick::win32
