// Making a form: its window class, its window, its controls, its menu bar and key commands.

#include "platform/win32/win32_form.h"

#include <cwchar>
#include <string>
#include <utility>

#include "platform/win32/artwork.h"
#include "platform/win32/list_control.h"
#include "platform/win32/screen_units.h"
#include "platform/win32/win32_application.h"
#include "platform/win32/win32_failure.h"

namespace tarnwick::win32 {

namespace {

constexpr wchar_t kPanelClass[] = L"Tarnwick.Panel";
// The large icon's size at 96 DPI; the small one is half of it.
constexpr int kIconSize = 32;

std::wstring ClassNameOf(const FormDesign& design) {
    std::wstring name = L"Tarnwick.";
    for (const char* c = design.name; *c != '\0'; ++c) {
        name += static_cast<wchar_t>(*c);  // the form's name is plain ASCII
    }
    return name;
}

DWORD FormStyle(const FormDesign& design) {
    const DWORD frame = design.sizable ? WS_OVERLAPPEDWINDOW
                                       : WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    return frame | WS_CLIPCHILDREN;
}

// The container panel hands what its children report on to the form.
LRESULT CALLBACK PanelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLORSTATIC:
            return ::SendMessageW(::GetParent(hwnd), message, wParam, lParam);
        case WM_LBUTTONDBLCLK:
            // Reported as a label reports one: the form tells them apart by the id.
            return ::SendMessageW(::GetParent(hwnd), WM_COMMAND,
                                  MAKEWPARAM(::GetDlgCtrlID(hwnd), STN_DBLCLK),
                                  reinterpret_cast<LPARAM>(hwnd));
        default:
            return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

void RegisterClassOnce(const wchar_t* name, WNDPROC proc, UINT style, HICON icon, HICON smallIcon) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (::GetClassInfoExW(::GetModuleHandleW(nullptr), name, &wc)) {
        return;
    }
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hIcon = icon;
    wc.hIconSm = smallIcon;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name;
    if (!::RegisterClassExW(&wc)) {
        throw Win32Failure("cannot register a window class");
    }
}

// Keys named by a word in a key command, and the function keys of two digits.
struct NamedKey {
    std::wstring_view name;
    WORD virtualKey;
};
constexpr NamedKey kNamedKeys[] = {{L"Up", VK_UP},       {L"Down", VK_DOWN},    {L"Left", VK_LEFT},
                                   {L"Right", VK_RIGHT}, {L"Enter", VK_RETURN}, {L"Esc", VK_ESCAPE},
                                   {L"F10", VK_F10},     {L"F11", VK_F11},      {L"F12", VK_F12}};

// The accelerator of a key command: "F1" to "F12", "Ctrl+" and a letter or digit, "Alt+" and an
// arrow key, "Enter" or "Esc".
bool AcceleratorFor(std::wstring_view key, WORD command, ACCEL& accelerator) {
    BYTE flags = FVIRTKEY;
    constexpr std::wstring_view kCtrl = L"Ctrl+";
    constexpr std::wstring_view kAlt = L"Alt+";
    if (key.starts_with(kCtrl)) {
        flags = static_cast<BYTE>(flags | FCONTROL);
        key.remove_prefix(kCtrl.size());
    } else if (key.starts_with(kAlt)) {
        flags = static_cast<BYTE>(flags | FALT);
        key.remove_prefix(kAlt.size());
    }
    const auto digit = [](wchar_t c) { return c >= L'0' && c <= L'9'; };
    WORD virtualKey = 0;
    if (key.size() == 1 && ((key[0] >= L'A' && key[0] <= L'Z') || digit(key[0]))) {
        virtualKey = key[0];
    } else if (key.size() == 2 && key[0] == L'F' && key[1] >= L'1' && key[1] <= L'9') {
        virtualKey = static_cast<WORD>(VK_F1 + (key[1] - L'1'));
    }
    for (const NamedKey& named : kNamedKeys) {
        if (named.name == key) {
            virtualKey = named.virtualKey;
        }
    }
    if (virtualKey == 0) {
        return false;
    }
    accelerator = {flags, virtualKey, command};
    return true;
}

// The menu that the menu bar's item of that id opens, among the items made before: each item on
// the bar has the place on it that its turn among them gives.
HMENU PopupOf(HMENU bar, std::span<const MenuItemDesign> before, ControlId id) {
    int place = 0;
    for (const MenuItemDesign& item : before) {
        if (item.parent != kThisForm) {
            continue;
        }
        if (item.id == id) {
            if (const HMENU popup = ::GetSubMenu(bar, place)) {
                return popup;
            }
            break;
        }
        ++place;
    }
    throw Win32Failure("a menu item under an item that is not on the menu bar");
}

bool SameFont(const FontDesign& a, const FontDesign& b) {
    return std::wcscmp(a.face, b.face) == 0 && a.points == b.points && a.bold == b.bold;
}

}  // namespace

Win32Form::Win32Form(const FormDesign& design, FormEvents& events, Win32Application& app,
                     HWND mainWindow)
    : design_(design), events_(events), app_(app), main_(mainWindow) {
    const std::wstring className = ClassNameOf(design);
    RegisterClassOnce(className.c_str(), FormProc, 0, WindowIcon(), SmallWindowIcon());
    RegisterClassOnce(kPanelClass, PanelProc, CS_DBLCLKS, nullptr, nullptr);

    CreateMenuBar();
    hwnd_ = ::CreateWindowExW(0, className.c_str(), design.caption, FormStyle(design),
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                              design.ownedByMainForm ? main_ : nullptr, menu_,
                              ::GetModuleHandleW(nullptr), this);
    if (hwnd_ == nullptr) {
        throw Win32Failure("cannot create the form's window");
    }
    // The client area of the design at the scale of the monitor the window was made on, inside
    // the frame the system gave it there.
    dpi_ = WindowDpi(hwnd_);
    RECT outer{};
    RECT client{};
    ::GetWindowRect(hwnd_, &outer);
    ::GetClientRect(hwnd_, &client);
    ::SetWindowPos(
        hwnd_, nullptr, 0, 0,
        outer.right - outer.left - client.right + TwipsToPixels(design.clientWidth, dpi_),
        outer.bottom - outer.top - client.bottom + TwipsToPixels(design.clientHeight, dpi_),
        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowIcons();
    const RECT placed = OuterPixels();
    formTwips_ = {PixelsToTwips(placed.left, SystemDpi()), PixelsToTwips(placed.top, SystemDpi()),
                  PixelsToTwips(placed.right - placed.left, dpi_),
                  PixelsToTwips(placed.bottom - placed.top, dpi_)};

    // The tooltip window makes itself topmost; owned by the form it would keep the form out of
    // the topmost band on some systems, so it has no owner and goes with the form by hand.
    toolTip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                 WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr);
    CreateControls();
    app_.Register(*this);
}

Win32Form::~Win32Form() {
    app_.Unregister(*this);
    EndModal();
    ::DestroyWindow(toolTip_);
    ::DestroyWindow(hwnd_);
    if (accelerators_ != nullptr) {
        ::DestroyAcceleratorTable(accelerators_);
    }
    for (const auto& [design, font] : fonts_) {
        ::DeleteObject(font);
    }
}

HFONT Win32Form::FontFor(const FontDesign& font) {
    for (const auto& [design, handle] : fonts_) {
        if (SameFont(design, font)) {
            return handle;
        }
    }
    const int height = -Nearest(font.points * 20.0f / TwipsPerPixelAt(dpi_));
    const HFONT handle =
        ::CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                      DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                      DEFAULT_PITCH | FF_SWISS, font.face);
    fonts_.emplace_back(font, handle);
    return handle;
}

HWND Win32Form::ContainerOf(const ControlDesign& design) {
    return design.container == kThisForm ? hwnd_ : At(design.container).hwnd;
}

void Win32Form::CreateControls() {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    // No entry may move once made: each pass keeps a reference to its own while the window is
    // created, and the window procedures look up the ones made before.
    controls_.reserve(design_.controls.size());
    for (const ControlDesign& design : design_.controls) {
        Control& control = controls_.emplace_back();
        control.design = &design;
        control.twips = {static_cast<float>(design.left), static_cast<float>(design.top),
                         static_cast<float>(design.width), static_cast<float>(design.height)};
        const auto menuId = reinterpret_cast<HMENU>(static_cast<std::intptr_t>(design.id));
        const DWORD tabStop = design.tabIndex >= 0 ? WS_TABSTOP : 0;
        switch (design.kind) {
            case ControlKind::Panel:
                control.hwnd = ::CreateWindowExW(WS_EX_CLIENTEDGE, kPanelClass, nullptr,
                                                 WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0,
                                                 0, ContainerOf(design), menuId, instance, nullptr);
                break;
            case ControlKind::Label:
                control.hwnd = ::CreateWindowExW(
                    0, L"STATIC", design.caption,
                    WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_ENDELLIPSIS | SS_NOTIFY, 0, 0, 0,
                    0, ContainerOf(design), menuId, instance, nullptr);
                break;
            case ControlKind::Button:
                control.hwnd = ::CreateWindowExW(
                    0, L"BUTTON", design.caption,
                    WS_CHILD | WS_VISIBLE | tabStop |
                        (design.id == design_.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
                    0, 0, 0, 0, ContainerOf(design), menuId, instance, nullptr);
                break;
            case ControlKind::Image:
                control.hwnd = ::CreateWindowExW(
                    0, L"STATIC", nullptr,
                    WS_CHILD | WS_VISIBLE | SS_NOTIFY |
                        (design.picture == Artwork::AppIcon ? SS_ICON : SS_BITMAP),
                    0, 0, 0, 0, ContainerOf(design), menuId, instance, nullptr);
                SetPicture(control);
                ::SetWindowLongPtrW(control.hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
                control.baseProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
                    control.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ImageProc)));
                break;
            case ControlKind::List:
                control.hwnd = CreateListControl(ContainerOf(design), menuId, design.columns);
                break;
            case ControlKind::Timer:
            case ControlKind::ColorDialog:
                continue;
        }
        if (control.hwnd == nullptr) {
            throw Win32Failure("cannot create a control");
        }
        ::SendMessageW(control.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(*design.font)),
                       FALSE);
        PlaceControl(control);
    }
}

void Win32Form::CreateMenuBar() {
    if (design_.menu.empty() && design_.keys.empty()) {
        return;
    }
    menu_ = design_.menu.empty() ? nullptr : ::CreateMenu();
    // Room for an accelerator for every menu item and key command.
    std::vector<ACCEL> accelerators(design_.menu.size() + design_.keys.size());
    std::size_t accelerated = 0;
    for (std::size_t i = 0; i < design_.menu.size(); ++i) {
        const MenuItemDesign& item = design_.menu[i];
        const HMENU parent =
            item.parent == kThisForm ? menu_ : PopupOf(menu_, design_.menu.first(i), item.parent);
        if (std::wcscmp(item.caption, L"-") == 0) {
            ::AppendMenuW(parent, MF_SEPARATOR, static_cast<UINT_PTR>(item.id), nullptr);
            continue;
        }
        std::wstring text(item.caption);
        if (*item.shortcut != L'\0') {
            text.append(L"\t").append(item.shortcut);
            if (std::wcscmp(item.shortcut, L"F1") == 0) {
                accelerators[accelerated++] = {FVIRTKEY, VK_F1, static_cast<WORD>(item.id)};
            }
        }
        // An item on the menu bar opens a menu of its own, in the bar's place of the item.
        UINT flags = MF_STRING;
        auto entry = static_cast<UINT_PTR>(item.id);
        if (item.parent == kThisForm) {
            flags |= MF_POPUP;
            entry = reinterpret_cast<UINT_PTR>(::CreatePopupMenu());
        }
        ::AppendMenuW(parent, flags, entry, text.c_str());
    }
    for (const KeyCommandDesign& key : design_.keys) {
        if (!AcceleratorFor(key.key, static_cast<WORD>(key.id), accelerators[accelerated++])) {
            throw Win32Failure("a key command with a key that has no accelerator");
        }
    }
    if (accelerated != 0) {
        accelerators_ =
            ::CreateAcceleratorTableW(accelerators.data(), static_cast<int>(accelerated));
    }
}

Win32Form::Control* Win32Form::Find(ControlId control) {
    for (Control& entry : controls_) {
        if (entry.design->id == control) {
            return &entry;
        }
    }
    return nullptr;
}

Win32Form::Control& Win32Form::At(ControlId control) {
    Control* const found = Find(control);
    if (found == nullptr) {
        throw Win32Failure("no such control");
    }
    return *found;
}

void Win32Form::PlaceControl(Control& control) {
    if (control.hwnd == nullptr) {
        return;
    }
    const auto& t = control.twips;
    ::MoveWindow(control.hwnd, TwipsToPixels(t[0], dpi_), TwipsToPixels(t[1], dpi_),
                 TwipsToPixels(t[2], dpi_), TwipsToPixels(t[3], dpi_), TRUE);
    if (control.design->kind == ControlKind::List) {
        FitListColumns(control.hwnd);
    }
}

void Win32Form::SetPicture(Control& image) {
    if (image.design->picture == Artwork::AppIcon) {
        ::SendMessageW(image.hwnd, STM_SETICON,
                       reinterpret_cast<WPARAM>(AppIcon(ScaledPixels(kIconSize, dpi_))), 0);
    } else if (image.design->picture == Artwork::TargetPicture) {
        ::SendMessageW(image.hwnd, STM_SETIMAGE, IMAGE_BITMAP,
                       reinterpret_cast<LPARAM>(TargetPicture(dpi_)));
    }
    // The picture is shown at its own size: the control takes the picture's size.
    RECT own{};
    ::GetClientRect(image.hwnd, &own);
    image.twips[Index(Dim::Width)] = PixelsToTwips(own.right, dpi_);
    image.twips[Index(Dim::Height)] = PixelsToTwips(own.bottom, dpi_);
}

void Win32Form::SetWindowIcons() {
    ::SendMessageW(hwnd_, WM_SETICON, ICON_BIG,
                   reinterpret_cast<LPARAM>(AppIcon(ScaledPixels(kIconSize, dpi_))));
    ::SendMessageW(hwnd_, WM_SETICON, ICON_SMALL,
                   reinterpret_cast<LPARAM>(AppIcon(ScaledPixels(kIconSize / 2, dpi_))));
}

void Win32Form::OnDpiChanged(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    // The fonts of the old scale go once every control has one of the new.
    std::vector<std::pair<FontDesign, HFONT>> oldFonts;
    oldFonts.swap(fonts_);
    for (Control& control : controls_) {
        if (control.hwnd == nullptr) {
            continue;
        }
        if (control.design->kind == ControlKind::Image) {
            SetPicture(control);
        }
        ::SendMessageW(control.hwnd, WM_SETFONT,
                       reinterpret_cast<WPARAM>(FontFor(*control.design->font)), FALSE);
        PlaceControl(control);
    }
    for (const auto& [design, font] : oldFonts) {
        ::DeleteObject(font);
    }
    SetWindowIcons();
    ::SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // Laid out again at the new scale, whether or not the suggested size differs.
    ::SendMessageW(hwnd_, WM_SIZE, SIZE_RESTORED, 0);
}

}  // namespace tarnwick::win32
