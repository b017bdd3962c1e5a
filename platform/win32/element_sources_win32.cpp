#include "platform/win32/element_sources_win32.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <memory>
#include <optional>
#include <type_traits>

#include "element/control_type_name.h"
#include "platform/win32/system_library.h"
#include "platform/win32/uia_interfaces.h"

namespace tarnwick::win32 {

namespace {

// IID_IClassFactory and IID_IAccessible, here so that no import library is needed for them.
constexpr GUID kIidIClassFactory = {
    0x00000001, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kIidIAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

struct ComRelease {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <class Interface>
using ComHeld = std::unique_ptr<Interface, ComRelease>;

// One VARIANT for the values of a reading, each freed (its text or object) before the next is
// read into it and at the end.
class Value {
  public:
    explicit Value(const ElementFunctions& functions) : functions_(functions) {}
    ~Value() { functions_.variantClear(&value); }
    Value(const Value&) = delete;
    Value& operator=(const Value&) = delete;

    VARIANT* Fresh() {
        functions_.variantClear(&value);
        return &value;
    }
    // For a function that gives a text alone.
    BSTR* FreshText() {
        Fresh()->vt = VT_BSTR;
        value.bstrVal = nullptr;
        return &value.bstrVal;
    }
    // Appends the text the value holds, cut at kElementTextLimit; nothing for anything else.
    void AppendText(std::wstring& text) const {
        if (value.vt != VT_BSTR || value.bstrVal == nullptr) {
            return;
        }
        std::size_t length =
            std::min<std::size_t>(functions_.sysStringLen(value.bstrVal), kElementTextLimit);
        // A cut never leaves half a character behind.
        if (length == kElementTextLimit && IS_HIGH_SURROGATE(value.bstrVal[length - 1])) {
            --length;
        }
        text.append(value.bstrVal, length);
    }

    VARIANT value{};

  private:
    const ElementFunctions& functions_;
};

// A rectangle given as its corner and size; nothing for a size below zero, a zero size (what
// a provider answers when the element has no place) or coordinates no screen has.
std::optional<Rect> RectOf(double left, double top, double width, double height) {
    constexpr double kLimit = 1 << 24;
    if (!(std::abs(left) < kLimit && std::abs(top) < kLimit && width >= 0 && width < kLimit &&
          height >= 0 && height < kLimit) ||
        width + height == 0) {
        return std::nullopt;
    }
    return Rect{static_cast<std::int32_t>(left), static_cast<std::int32_t>(top),
                static_cast<std::int32_t>(left + width), static_cast<std::int32_t>(top + height)};
}

uia::IUIAutomation* CreateAutomation(const ElementFunctions& functions) {
    // Made through the class object of the UIAutomationCore.dll that was loaded from the system
    // folder, rather than through CoCreateInstance, which would load whatever DLL the registry
    // (the user's own part of it too) names for the class.
    IClassFactory* factory = nullptr;
    if (functions.getUiAutomationClass == nullptr ||
        FAILED(functions.getUiAutomationClass(uia::kClsidCUIAutomation, kIidIClassFactory,
                                              reinterpret_cast<void**>(&factory))) ||
        factory == nullptr) {
        return nullptr;
    }
    void* automation = nullptr;
    const HRESULT made = factory->CreateInstance(nullptr, uia::kIidIUIAutomation, &automation);
    factory->Release();
    return SUCCEEDED(made) ? static_cast<uia::IUIAutomation*>(automation) : nullptr;
}

// The texts and flags read by their property ids; each entry fills one of the two fields.
struct UiaProperty {
    int id;
    ElementText text;  // where flag is null
    std::optional<bool> AccessibleElement::*flag;
};
constexpr UiaProperty kUiaProperties[] = {
    {uia::kName, ElementText::Name, nullptr},
    {uia::kLocalizedControlType, ElementText::LocalizedControlType, nullptr},
    {uia::kAutomationId, ElementText::AutomationId, nullptr},
    {uia::kClassName, ElementText::ClassName, nullptr},
    {uia::kFrameworkId, ElementText::FrameworkId, nullptr},
    {uia::kIsEnabled, ElementText::Name, &AccessibleElement::enabled},
    {uia::kIsOffscreen, ElementText::Name, &AccessibleElement::offscreen},
};

struct AccessibleText {
    HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT child, BSTR* text);
    ElementText field;
};
constexpr AccessibleText kAccessibleTexts[] = {
    {&IAccessible::get_accName, ElementText::Name},
    {&IAccessible::get_accValue, ElementText::Value},
    {&IAccessible::get_accDefaultAction, ElementText::DefaultAction},
};

// The names of a state's bits as GetStateText gives them, joined by ", ".
void AppendStateText(const ElementFunctions& functions, DWORD state, std::wstring& text) {
    wchar_t names[512];
    std::size_t used = 0;
    for (DWORD bit = 1; bit != 0; bit <<= 1) {
        const std::size_t start = used == 0 ? 0 : used + 2;
        const UINT room = static_cast<UINT>(std::size(names) - std::min(start, std::size(names)));
        const UINT length =
            (state & bit) != 0 && room > 1 ? functions.getStateText(bit, names + start, room) : 0;
        if (length != 0) {
            if (used != 0) {
                names[used] = L',';
                names[used + 1] = L' ';
            }
            used = start + std::min(length, room - 1);
        }
    }
    text.append(names, used);
}

void AppendRoleText(const ElementFunctions& functions, DWORD role, std::wstring& text) {
    wchar_t name[128];
    const UINT length = functions.getRoleText(role, name, static_cast<UINT>(std::size(name)));
    text.append(name, std::min<std::size_t>(length, std::size(name) - 1));
}

// The library of each of ElementFunctions' members, in their order.
struct FunctionName {
    const wchar_t* library;
    const char* name;
};
constexpr FunctionName kFunctionNames[] = {
    {L"ole32.dll", "CoInitializeEx"},
    {L"ole32.dll", "CoUninitialize"},
    {L"oleaut32.dll", "SysStringLen"},
    {L"oleaut32.dll", "VariantClear"},
    {L"oleacc.dll", "AccessibleObjectFromPoint"},
    {L"oleacc.dll", "AccessibleObjectFromWindow"},
    {L"oleacc.dll", "GetRoleTextW"},
    {L"oleacc.dll", "GetStateTextW"},
    {L"UIAutomationCore.dll", "DllGetClassObject"},
    {L"user32.dll", "SetThreadDpiAwarenessContext"},
};
static_assert(sizeof(ElementFunctions) == sizeof(FARPROC) * std::size(kFunctionNames));

}  // namespace

const ElementFunctions& LoadElementFunctions() {
    static ElementFunctions functions{};
    static bool loaded = false;
    if (!loaded) {
        FARPROC found[std::size(kFunctionNames)];
        for (std::size_t i = 0; i < std::size(found); ++i) {
            found[i] = SystemFunction<std::remove_pointer_t<FARPROC>>(kFunctionNames[i].library,
                                                                      kFunctionNames[i].name);
        }
        std::memcpy(&functions, found, sizeof functions);
        // Wine's UIAutomationCore.dll (8.0) exports the class object as a stub that ends the
        // process when called; there, Active Accessibility alone is asked.
        if (::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr) {
            functions.getUiAutomationClass = nullptr;
        }
        loaded = true;
    }
    return functions;
}

Win32ElementSources::~Win32ElementSources() {
    if (automation_ != nullptr) {
        automation_->Release();
    }
}

bool Win32ElementSources::ReadWithUiAutomation(const ElementRequest& request,
                                               AccessibleElement& element) {
    if (!automationTried_) {
        automationTried_ = true;
        automation_ = CreateAutomation(functions_);
    }
    uia::IUIAutomationElement* found = nullptr;
    if (automation_ == nullptr ||
        FAILED(request.point
                   ? automation_->ElementFromPoint({request.point->x, request.point->y}, &found)
                   : automation_->ElementFromHandle(ToHwnd(request.window), &found)) ||
        found == nullptr) {
        return false;
    }
    const ComHeld<uia::IUIAutomationElement> held(found);
    Value value(functions_);
    bool told = false;
    const auto read = [&](int id, VARTYPE type) {
        const bool answered = SUCCEEDED(found->GetCurrentPropertyValue(id, value.Fresh()));
        told = told || answered;
        return answered && value.value.vt == type;
    };
    for (const UiaProperty& property : kUiaProperties) {
        if (property.flag == nullptr && read(property.id, VT_BSTR)) {
            value.AppendText(element[property.text]);
        } else if (property.flag != nullptr && read(property.id, VT_BOOL)) {
            element.*property.flag = value.value.boolVal != VARIANT_FALSE;
        }
    }
    if (read(uia::kControlType, VT_I4)) {
        AppendControlTypeName(value.value.lVal, element[ElementText::ControlType]);
    }
    if (read(uia::kProcessId, VT_I4)) {
        element.processId = static_cast<std::uint32_t>(value.value.lVal);
    }
    // An array of four doubles: left, top, width and height.
    const SAFEARRAY* corner = read(uia::kBoundingRectangle, static_cast<VARTYPE>(VT_ARRAY | VT_R8))
                                  ? value.value.parray
                                  : nullptr;
    if (corner != nullptr && corner->cDims == 1 && corner->rgsabound[0].cElements == 4 &&
        corner->cbElements == sizeof(double) && corner->pvData != nullptr) {
        const auto* at = static_cast<const double*>(corner->pvData);
        element.boundingRect = RectOf(at[0], at[1], at[2], at[3]);
    }
    return told;
}

bool Win32ElementSources::ReadWithActiveAccessibility(const ElementRequest& request,
                                                      AccessibleElement& element) {
    if (functions_.accessibleObjectFromPoint == nullptr ||
        functions_.accessibleObjectFromWindow == nullptr || functions_.getRoleText == nullptr ||
        functions_.getStateText == nullptr) {
        return false;
    }
    IAccessible* found = nullptr;
    Value child(functions_);
    HRESULT result;
    if (request.point) {
        result = functions_.accessibleObjectFromPoint({request.point->x, request.point->y}, &found,
                                                      child.Fresh());
    } else {
        // The client area's object: a top-level window's own (OBJID_WINDOW) is not offered
        // everywhere.
        child.value.vt = VT_I4;
        child.value.lVal = CHILDID_SELF;
        result = functions_.accessibleObjectFromWindow(
            ToHwnd(request.window), static_cast<DWORD>(OBJID_CLIENT), kIidIAccessible,
            reinterpret_cast<void**>(&found));
    }
    if (FAILED(result) || found == nullptr) {
        return false;
    }
    const ComHeld<IAccessible> held(found);
    Value value(functions_);
    for (const AccessibleText& text : kAccessibleTexts) {
        if (SUCCEEDED((found->*text.get)(child.value, value.FreshText()))) {
            value.AppendText(element[text.field]);
        }
    }
    if (SUCCEEDED(found->get_accRole(child.value, value.Fresh()))) {
        // A role of the system's by its number, or a provider's own by its text.
        if (value.value.vt == VT_I4) {
            AppendRoleText(functions_, static_cast<DWORD>(value.value.lVal),
                           element[ElementText::Role]);
        } else {
            value.AppendText(element[ElementText::Role]);
        }
    }
    if (SUCCEEDED(found->get_accState(child.value, value.Fresh())) && value.value.vt == VT_I4) {
        AppendStateText(functions_, static_cast<DWORD>(value.value.lVal),
                        element[ElementText::State]);
    }
    long left = 0;
    long top = 0;
    long width = 0;
    long height = 0;
    if (SUCCEEDED(found->accLocation(&left, &top, &width, &height, child.value))) {
        element.boundingRect = RectOf(left, top, width, height);
    }
    return true;
}

}  // namespace tarnwick::win32
