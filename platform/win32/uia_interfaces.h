#pragma once
// The few UI Automation client declarations the element reader needs, declared here because the
// MinGW-w64 headers lack them (and their uiautomation.h does not compile as C++). Everything
// below is as Microsoft's UIAutomationClient.idl and the UI Automation reference define it: the
// class and interface identifiers, the property identifiers (UIA_*PropertyId) and the methods of
// each interface in their vtable order. Only the methods up to the last one called are declared;
// the ones before it stand in their places.

#include "platform/win32/windows_api.h"

#include <oleauto.h>

namespace tarnwick::win32::uia {

// CLSID_CUIAutomation and IID_IUIAutomation.
inline constexpr GUID kClsidCUIAutomation = {
    0xff48dba4, 0x60ef, 0x4201, {0xaa, 0x87, 0x54, 0x10, 0x3e, 0xef, 0x59, 0x4e}};
inline constexpr GUID kIidIUIAutomation = {
    0x30cbe57d, 0xd9d0, 0x452a, {0xab, 0x13, 0x7a, 0xc5, 0xac, 0x48, 0x25, 0xee}};

// UIA_*PropertyId.
enum PropertyId : int {
    kBoundingRectangle = 30001,  // VT_R8 | VT_ARRAY: left, top, width, height
    kProcessId = 30002,          // VT_I4
    kControlType = 30003,        // VT_I4, a UIA_*ControlTypeId
    kLocalizedControlType = 30004,
    kName = 30005,
    kIsEnabled = 30010,  // VT_BOOL
    kAutomationId = 30011,
    kClassName = 30012,
    kIsOffscreen = 30022,  // VT_BOOL
    kFrameworkId = 30024,
};

struct IUIAutomationElement : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE SetFocus() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetRuntimeId(void*) = 0;
    virtual HRESULT STDMETHODCALLTYPE FindFirst(void*) = 0;
    virtual HRESULT STDMETHODCALLTYPE FindAll(void*) = 0;
    virtual HRESULT STDMETHODCALLTYPE FindFirstBuildCache(void*) = 0;
    virtual HRESULT STDMETHODCALLTYPE FindAllBuildCache(void*) = 0;
    virtual HRESULT STDMETHODCALLTYPE BuildUpdatedCache(void*) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCurrentPropertyValue(int propertyId, VARIANT* value) = 0;
};

struct IUIAutomation : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE CompareElements(void*) = 0;
    virtual HRESULT STDMETHODCALLTYPE CompareRuntimeIds(void*) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetRootElement(IUIAutomationElement** root) = 0;
    virtual HRESULT STDMETHODCALLTYPE ElementFromHandle(HWND window,
                                                        IUIAutomationElement** element) = 0;
    virtual HRESULT STDMETHODCALLTYPE ElementFromPoint(POINT point,
                                                       IUIAutomationElement** element) = 0;
};

}  // namespace tarnwick::win32::uia
