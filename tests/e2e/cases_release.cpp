// What a release must get right beyond the behaviour: one version everywhere, an icon image for
// each size that Windows asks for, and the drag target's picture on the system's face colour.

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "about/frmAbout_controls.h"
#include "main_window/frmMain_controls.h"
#include "tarnwick_version.h"
#include "tests/e2e/app.h"
#include "tests/e2e/case_folder.h"
#include "tests/e2e/cases.h"
#include "tests/e2e/input.h"
#include "tests/e2e/screen.h"
#include "tests/e2e/text.h"
#include "tests/e2e/wait.h"
#include "tests/e2e/window_query.h"

namespace tarnwick::e2e {
namespace {

namespace ids = frmMainControls;
namespace about = frmAboutControls;

constexpr int kIconResource = 1;

// The project version that the build configured, as text.
std::wstring ProjectVersion() {
    return FromUtf8(TARNWICK_VERSION_TEXT);
}

// The exe's resources, read as data without running any of its code.
class ResourceFile {
  public:
    explicit ResourceFile(const std::wstring& path)
        : module_(LoadLibraryExW(path.c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
    ~ResourceFile() {
        if (module_) {
            FreeLibrary(module_);
        }
    }
    ResourceFile(const ResourceFile&) = delete;
    ResourceFile& operator=(const ResourceFile&) = delete;

    HMODULE Module() const { return module_; }

    // The bytes of a resource; empty when there is none.
    std::vector<unsigned char> Bytes(LPCWSTR type, int id) const {
        const HRSRC found = module_ ? FindResourceW(module_, MAKEINTRESOURCEW(id), type) : nullptr;
        const HGLOBAL loaded = found ? LoadResource(module_, found) : nullptr;
        const auto* first =
            static_cast<const unsigned char*>(loaded ? LockResource(loaded) : nullptr);
        if (first == nullptr) {
            return {};
        }
        return std::vector<unsigned char>(first, first + SizeofResource(module_, found));
    }

  private:
    HMODULE module_;
};

// An entry of the icon group resource (GRPICONDIRENTRY, 14 bytes).
struct IconEntry {
    int size;  // 0 in the resource means 256
    int bitsPerPixel;
    int imageId;
};

std::vector<IconEntry> IconGroup(const std::vector<unsigned char>& group) {
    std::vector<IconEntry> entries;
    if (group.size() < 6) {
        return entries;
    }
    const int count = group[4] | (group[5] << 8);
    for (int i = 0; i < count && 6 + 14 * (i + 1) <= static_cast<int>(group.size()); ++i) {
        const unsigned char* entry = group.data() + 6 + 14 * i;
        entries.push_back({entry[0] == 0 ? 256 : entry[0], entry[6] | (entry[7] << 8),
                           entry[12] | (entry[13] << 8)});
    }
    return entries;
}

// The width of an icon's colour (or, for a monochrome icon, mask) bitmap.
int IconWidth(HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) {
        return 0;
    }
    BITMAP bitmap{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    if (info.hbmColor) {
        DeleteObject(info.hbmColor);
    }
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

void VersionAgreesEverywhere(Check& check, const Environment& env) {
    const std::wstring version = ProjectVersion();
    check.Equal(L"project version has four parts",
                Decimal(TARNWICK_VERSION_MAJOR) + L"." + Decimal(TARNWICK_VERSION_MINOR) + L"." +
                    Decimal(TARNWICK_VERSION_PATCH) + L"." + Decimal(TARNWICK_VERSION_TWEAK),
                version);

    const ResourceFile exe(env.exePath);
    const std::vector<unsigned char> resource = exe.Bytes(RT_VERSION, 1);
    std::wstring fixed = L"(no VS_FIXEDFILEINFO)";
    for (std::size_t at = 0; at + sizeof(VS_FIXEDFILEINFO) <= resource.size(); at += 4) {
        VS_FIXEDFILEINFO info;
        std::memcpy(&info, resource.data() + at, sizeof info);
        if (info.dwSignature == 0xFEEF04BD) {
            fixed = Decimal(HIWORD(info.dwFileVersionMS)) + L"." +
                    Decimal(LOWORD(info.dwFileVersionMS)) + L"." +
                    Decimal(HIWORD(info.dwFileVersionLS)) + L"." +
                    Decimal(LOWORD(info.dwFileVersionLS));
            check.Equal(L"version resource: product version equals file version",
                        Decimal(info.dwFileVersionMS) + L"/" + Decimal(info.dwFileVersionLS),
                        Decimal(info.dwProductVersionMS) + L"/" + Decimal(info.dwProductVersionLS));
            break;
        }
    }
    check.Equal(L"version resource of the exe (FILEVERSION)", version, fixed);
    // The texts of the resource's string table, in UTF-16 after their key.
    const std::wstring strings(reinterpret_cast<const wchar_t*>(resource.data()),
                               resource.size() / sizeof(wchar_t));
    for (const std::wstring key : {L"FileVersion", L"ProductVersion"}) {
        const std::size_t at = strings.find(key);
        std::wstring text = L"(missing)";
        if (at != std::wstring::npos) {
            // Key, its terminator, padding to 4 bytes, then the value.
            std::size_t value = at + key.size() + 1;
            while (value < strings.size() && strings[value] == L'\0') {
                ++value;
            }
            text = std::wstring(strings.c_str() + value);
        }
        check.Equal(L"version resource: " + key, version, text);
    }

    CaseFolder folder(check, env, check.CaseName());
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    app.Command(ids::mnu_About);
    const std::optional<HWND> box = app.WaitForWindow(kAboutWindowClass, 3000);
    if (!box) {
        check.Abort(L"the About box opens", L"a window of class Tarnwick.frmAbout", L"none");
    }
    // The About box writes Major "." Minor ".0." Revision: the third part is always 0.
    check.Equal(L"About box: data_Version",
                Decimal(TARNWICK_VERSION_MAJOR) + L"." + Decimal(TARNWICK_VERSION_MINOR) + L".0." +
                    Decimal(TARNWICK_VERSION_TWEAK),
                WindowText(GetDlgItem(*box, about::data_Version)));
    PostMessageW(*box, WM_CLOSE, 0, 0);
    WaitUntil(3000, [&] { return !IsWindow(*box); });
}

void IconHasAnImageForEverySize(Check& check, const Environment& env) {
    const ResourceFile exe(env.exePath);
    if (!exe.Module()) {
        check.Abort(L"the exe opens as a resource file", L"a module", L"none");
    }
    const std::vector<IconEntry> entries = IconGroup(exe.Bytes(RT_GROUP_ICON, kIconResource));
    std::wstring sizes;
    for (const IconEntry& entry : entries) {
        sizes += (sizes.empty() ? L"" : L" ") + Decimal(entry.size);
    }
    check.Equal(L"icon image sizes", L"16 20 24 32 48 256", sizes);
    for (const IconEntry& entry : entries) {
        std::vector<unsigned char> image = exe.Bytes(RT_ICON, entry.imageId);
        const bool png = image.size() > 8 && std::memcmp(image.data(), "\x89PNG\r\n\x1a\n", 8) == 0;
        const std::wstring name = L"icon " + Decimal(entry.size) + L": ";
        check.EqualFlag(name + L"PNG-compressed", entry.size == 256, png);
        const HICON icon = image.empty() ? nullptr
                                         : CreateIconFromResourceEx(
                                               image.data(), static_cast<DWORD>(image.size()), TRUE,
                                               0x00030000, entry.size, entry.size, LR_DEFAULTCOLOR);
        check.Equal(name + L"loads at its own size", entry.size, IconWidth(icon));
        if (icon) {
            DestroyIcon(icon);
        }
    }
}

// The icons the main window's class hands to the taskbar, Alt+Tab and the caption: each at the
// size the system asks for, not one image scaled by the system.
void WindowUsesTheIconAtTheSystemSizes(Check& check, const Environment& env) {
    CaseFolder folder(check, env, check.CaseName());
    TarnwickApp app(check, env, folder.ExePath());
    app.Start();
    const ProbedWindow probed = app.Probe();
    check.Equal(L"class icon is SM_CXICON wide", GetSystemMetrics(SM_CXICON),
                probed.classIconWidth);
    check.Equal(L"small class icon is SM_CXSMICON wide", GetSystemMetrics(SM_CXSMICON),
                probed.smallClassIconWidth);
}

// Changes the system's button-face colour for as long as it lives.
class FaceColour {
  public:
    explicit FaceColour(COLORREF colour) : saved_(GetSysColor(COLOR_BTNFACE)) {
        const int element = COLOR_BTNFACE;
        changed_ = SetSysColors(1, &element, &colour) != FALSE;
    }
    ~FaceColour() {
        const int element = COLOR_BTNFACE;
        SetSysColors(1, &element, &saved_);
    }
    FaceColour(const FaceColour&) = delete;
    FaceColour& operator=(const FaceColour&) = delete;

    bool Changed() const { return changed_; }

  private:
    COLORREF saved_;
    bool changed_ = false;
};

std::wstring ColourText(COLORREF colour) {
    return Decimal(GetRValue(colour)) + L"," + Decimal(GetGValue(colour)) + L"," +
           Decimal(GetBValue(colour));
}

void TargetPictureKeepsTheFaceColour(Check& check, const Environment& env) {
    constexpr COLORREF kFace = RGB(240, 240, 240);  // Windows 10 and 11; Wine's is 192,192,192
    const COLORREF before = GetSysColor(COLOR_BTNFACE);
    {
        FaceColour face(kFace);
        check.That(L"SetSysColors(COLOR_BTNFACE)",
                   face.Changed() && GetSysColor(COLOR_BTNFACE) == kFace, ColourText(kFace),
                   ColourText(GetSysColor(COLOR_BTNFACE)));

        CaseFolder folder(check, env, check.CaseName());
        folder.WriteIni("[General]\r\nTrackTarget=1\r\n");
        TarnwickApp app(check, env, folder.ExePath());
        app.Start();
        const HWND target = app.Control(ids::img_Target);
        WaitUntil(1000, [&] { return IsWindowVisible(target) != FALSE; });
        RedrawWindow(target, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Pause();
        // Corners and edges of the picture lie outside the drawn window and its crosshair.
        POINT origin{0, 0};
        ClientToScreen(target, &origin);
        const COLORREF expected = GetSysColor(COLOR_BTNFACE);
        for (const POINT at : {POINT{0, 0}, POINT{31, 0}, POINT{0, 31}, POINT{31, 31}, POINT{16, 0},
                               POINT{0, 16}, POINT{3, 3}}) {
            const COLORREF actual = ScreenPixel({origin.x + at.x, origin.y + at.y});
            check.Equal(
                L"picture pixel (" + Decimal(at.x) + L"," + Decimal(at.y) + L") is the face colour",
                ColourText(expected), ColourText(actual));
        }
        // The crosshair itself stays black.
        check.Equal(L"picture pixel (16,20) is the black crosshair", ColourText(RGB(0, 0, 0)),
                    ColourText(ScreenPixel({origin.x + 16, origin.y + 20})));
    }
    check.Equal(L"face colour restored afterwards", ColourText(before),
                ColourText(GetSysColor(COLOR_BTNFACE)));
}

}  // namespace

std::vector<TestCase> ReleaseCases() {
    return {
        {L"release_version_agrees_everywhere", VersionAgreesEverywhere},
        {L"release_icon_has_an_image_for_every_size", IconHasAnImageForEverySize},
        {L"release_window_uses_the_icon_at_the_system_sizes", WindowUsesTheIconAtTheSystemSizes},
        {L"release_target_picture_keeps_the_face_colour", TargetPictureKeepsTheFaceColour},
    };
}

}  // namespace tarnwick::e2e
