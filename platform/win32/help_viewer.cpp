#include "platform/win32/help_viewer.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string>

#include "platform/ascii_text.h"
#include "platform/decimal_text.h"
#include "platform/help/help_document.h"
#include "platform/help/help_fields.h"
#include "platform/win32/help_file_reading.h"
#include "platform/win32/screen_units.h"
#include "platform/win32_api.h"

namespace tarnwick::win32 {

namespace {

constexpr wchar_t kWindowClass[] = L"TarnwickHelp";
constexpr wchar_t kDefaultCaption[] = L"Help";
constexpr int kTopicListId = 1;
constexpr int kTopicTextId = 2;
// Sizes in pixels at 96 dots per inch, scaled to the window's monitor.
constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 480;
constexpr int kSmallestWidth = 320;
constexpr int kSmallestHeight = 200;
constexpr int kMargin = 6;
constexpr int kTextPadding = 4;
constexpr int kNarrowestList = 120;
constexpr int kWidestList = 240;

// The one help window, while it exists.
HWND g_helpWindow = nullptr;
// What the program fills into the topics.
HelpFieldValues g_helpFields;

struct ViewerState {
    HWND topicList = nullptr;
    HWND topicText = nullptr;
    HFONT font = nullptr;
    bool ownsFont = false;
    // The DPI of the monitor the window is on.
    int dpi = kStandardDpi;
    std::optional<HelpDocument> document;
};

ViewerState* StateOf(HWND window) {
    return reinterpret_cast<ViewerState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// --- What the window shows ----------------------------------------------------------------------

// "The help file PATH" and what follows, in one call where a chain of appends would cost the
// program code at every message.
std::wstring FileMessage(const char* before, const std::wstring& path, const char* after) {
    std::wstring message;
    AppendAscii(message, before);
    message.append(path);
    AppendAscii(message, after);
    return message;
}

// The edit control wants CR LF between lines.
void AppendWithWindowsLineEnds(std::wstring& out, std::wstring_view text) {
    for (wchar_t c : text) {
        if (c == L'\n') {
            out += L'\r';
        }
        out += c;
    }
}

void ShowTopic(ViewerState& state, std::size_t index) {
    const HelpTopic& topic = state.document->Topics().at(index);
    SendMessageW(state.topicList, LB_SETCURSEL, index, 0);
    std::wstring page;
    AppendWithWindowsLineEnds(page, topic.title);
    AppendAscii(page, "\r\n\r\n");
    AppendWithWindowsLineEnds(page, FillHelpFields(topic.text, g_helpFields));
    SetWindowTextW(state.topicText, page.c_str());
}

void ShowMessage(ViewerState& state, const std::wstring& message) {
    SendMessageW(state.topicList, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SetWindowTextW(state.topicText, message.c_str());
}

void FillTopicList(ViewerState& state) {
    SendMessageW(state.topicList, LB_RESETCONTENT, 0, 0);
    if (!state.document) {
        return;
    }
    for (const HelpTopic& topic : state.document->Topics()) {
        SendMessageW(state.topicList, LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(topic.title.c_str()));
    }
}

// Authors of a help file find the parts that were left out in the debugger's output.
void ReportProblems(const std::wstring& file, const std::vector<HelpProblem>& problems) {
    for (const HelpProblem& problem : problems) {
        std::wstring line = FileMessage("", file, "(");
        line.append(DecimalText(problem.line));
        AppendAscii(line, "): ");
        line.append(problem.message);
        AppendAscii(line, "\n");
        OutputDebugStringW(line.c_str());
    }
}

// --- The window ---------------------------------------------------------------------------------

int WidthOf(const RECT& rect) {
    return static_cast<int>(rect.right - rect.left);
}
int HeightOf(const RECT& rect) {
    return static_cast<int>(rect.bottom - rect.top);
}

void ArrangeControls(HWND window, const ViewerState& state) {
    RECT client{};
    GetClientRect(window, &client);
    const int margin = ScaledPixels(kMargin, state.dpi);
    const int width = WidthOf(client);
    const int height = std::max(0, HeightOf(client) - 2 * margin);
    const int listWidth = std::clamp(width * 3 / 10, ScaledPixels(kNarrowestList, state.dpi),
                                     ScaledPixels(kWidestList, state.dpi));
    const int textLeft = margin + listWidth + margin;
    MoveWindow(state.topicList, margin, margin, listWidth, height, TRUE);
    MoveWindow(state.topicText, textLeft, margin, std::max(0, width - textLeft - margin), height,
               TRUE);
}

// The system's message font, which it gives at the system DPI, at the window's DPI.
HFONT MessageFont(int dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        return nullptr;
    }
    LOGFONTW& font = metrics.lfMessageFont;
    font.lfHeight = MulDiv(font.lfHeight, dpi, SystemDpi());
    return CreateFontIndirectW(&font);
}

// The controls' font and the text's margins at the window's DPI; the font of another DPI goes.
void ApplyFont(ViewerState& state) {
    const HFONT old = state.ownsFont ? state.font : nullptr;
    state.font = MessageFont(state.dpi);
    state.ownsFont = state.font != nullptr;
    if (!state.font) {
        state.font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }
    SendMessageW(state.topicList, WM_SETFONT, reinterpret_cast<WPARAM>(state.font), TRUE);
    SendMessageW(state.topicText, WM_SETFONT, reinterpret_cast<WPARAM>(state.font), TRUE);
    const int padding = ScaledPixels(kTextPadding, state.dpi);
    SendMessageW(state.topicText, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                 MAKELPARAM(padding, padding));
    if (old) {
        DeleteObject(old);
    }
}

bool CreateControls(HWND window, ViewerState& state) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    state.topicList = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"Topics",
                                      WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY |
                                          LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT,
                                      0, 0, 0, 0, window,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTopicListId)),
                                      instance, nullptr);
    state.topicText = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                      WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP |
                                          ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                                      0, 0, 0, 0, window,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTopicTextId)),
                                      instance, nullptr);
    if (!state.topicList || !state.topicText) {
        return false;
    }
    ApplyFont(state);
    return true;
}

LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = new ViewerState;
        created->dpi = WindowDpi(window);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        return DefWindowProcW(window, message, wParam, lParam);
    }
    ViewerState* state = StateOf(window);
    if (!state) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    switch (message) {
        case WM_CREATE:
            return CreateControls(window, *state) ? 0 : -1;
        case WM_SIZE:
            ArrangeControls(window, *state);
            return 0;
        case WM_SETFOCUS:
            SetFocus(state->topicList);
            return 0;
        case WM_GETMINMAXINFO: {
            auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            limits->ptMinTrackSize = {ScaledPixels(kSmallestWidth, state->dpi),
                                      ScaledPixels(kSmallestHeight, state->dpi)};
            return 0;
        }
        case WM_DPICHANGED: {
            // On a monitor of another scale: the font and the sizes at its DPI, in the rectangle
            // the system suggests.
            state->dpi = std::max<int>(LOWORD(wParam), 1);
            ApplyFont(*state);
            const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(window, nullptr, suggested.left, suggested.top,
                         suggested.right - suggested.left, suggested.bottom - suggested.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            ArrangeControls(window, *state);
            return 0;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == kTopicListId && HIWORD(wParam) == LBN_SELCHANGE &&
                state->document) {
                const LRESULT selected = SendMessageW(state->topicList, LB_GETCURSEL, 0, 0);
                if (selected >= 0 &&
                    static_cast<std::size_t>(selected) < state->document->Topics().size()) {
                    ShowTopic(*state, static_cast<std::size_t>(selected));
                }
            }
            return 0;
        case WM_VKEYTOITEM:
            if (LOWORD(wParam) == VK_ESCAPE) {
                PostMessageW(window, WM_CLOSE, 0, 0);
                return -2;  // handled
            }
            return -1;  // the list box's own handling
        case WM_CTLCOLORSTATIC:
            // A read-only edit asks here; the text reads better on the window colour than grey.
            if (reinterpret_cast<HWND>(lParam) == state->topicText) {
                const HDC dc = reinterpret_cast<HDC>(wParam);
                SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
                SetBkColor(dc, GetSysColor(COLOR_WINDOW));
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
            }
            break;
        case WM_DESTROY:
            if (g_helpWindow == window) {
                g_helpWindow = nullptr;
            }
            return 0;
        case WM_NCDESTROY:
            if (state->ownsFont) {
                DeleteObject(state->font);
            }
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            delete state;
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK HelpWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Nothing may unwind through the window system's frames.
    try {
        return HandleMessage(window, message, wParam, lParam);
    } catch (...) {
        if (message == WM_NCCREATE) {
            return FALSE;
        }
        if (message == WM_CREATE) {
            return -1;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

bool RegisterWindowClass() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = HelpWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// Beside the owner where there is room, so that the help does not cover the window it explains;
// otherwise in the middle of the owner's screen. Sizes are in pixels at the DPI.
RECT InitialPlacement(HWND owner, int width, int height, int dpi) {
    const HMONITOR monitor = owner ? MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY)
                                   : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &info.rcWork, 0);
    }
    const RECT work = info.rcWork;
    width = std::min(width, WidthOf(work));
    height = std::min(height, HeightOf(work));

    const int gap = ScaledPixels(kMargin, dpi);
    int left = work.left + (WidthOf(work) - width) / 2;
    int top = work.top + (HeightOf(work) - height) / 2;
    RECT ownerRect{};
    if (owner && GetWindowRect(owner, &ownerRect)) {
        const bool roomRight = ownerRect.right + gap + width <= work.right;
        const bool roomLeft = ownerRect.left - gap - width >= work.left;
        if (roomRight || roomLeft) {
            left = roomRight ? ownerRect.right + gap : ownerRect.left - gap - width;
            top = std::clamp(static_cast<int>(ownerRect.top), static_cast<int>(work.top),
                             static_cast<int>(work.bottom) - height);
        }
    }
    return RECT{left, top, left + width, top + height};
}

HWND CreateHelpWindow(HWND owner, const HelpWindowDefinition* definition) {
    if (!RegisterWindowClass()) {
        return nullptr;
    }
    // At the scale of the caller's monitor, beside which it opens.
    const int dpi = WindowDpi(owner);
    const int width =
        ScaledPixels(definition && definition->width > 0 ? definition->width : kDefaultWidth, dpi);
    const int height = ScaledPixels(
        definition && definition->height > 0 ? definition->height : kDefaultHeight, dpi);
    const RECT place = InitialPlacement(owner, width, height, dpi);
    return CreateWindowExW(0, kWindowClass, kDefaultCaption, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                           place.left, place.top, place.right - place.left,
                           place.bottom - place.top, nullptr, nullptr, GetModuleHandleW(nullptr),
                           nullptr);
}

void BringToFront(HWND window, const ViewerState& state) {
    ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(state.topicList);
}

// The help file as a document, or the message that the window shows instead.
struct LoadedHelp {
    std::optional<HelpDocument> document;
    std::wstring problem;
};

LoadedHelp LoadHelpFile(const std::wstring& path) {
    LoadedHelp loaded;
    if (path.empty()) {
        AppendAscii(loaded.problem, "No help file was named.");
        return loaded;
    }
    const FileContents file = ReadWholeFile(path);
    if (file.outcome == FileOutcome::CannotOpen) {
        loaded.problem = FileMessage("Cannot open the help file ", path, ".");
    } else if (file.outcome == FileOutcome::TooLarge) {
        loaded.problem = FileMessage("The help file ", path, " is too large to be a help file.");
    } else {
        HelpParseResult parsed = ParseHelpDocument(file.bytes);
        ReportProblems(path, parsed.problems);
        loaded.document = std::move(parsed.document);
        if (!loaded.document) {
            loaded.problem = FileMessage("The help file ", path, " cannot be shown: ");
            loaded.problem.append(parsed.error);
            if (parsed.errorLine) {
                AppendAscii(loaded.problem, " (line ");
                loaded.problem.append(DecimalText(parsed.errorLine));
                AppendAscii(loaded.problem, ")");
            }
            AppendAscii(loaded.problem, ".");
        }
    }
    return loaded;
}

std::optional<std::size_t> RequestedTopic(const HelpDocument& document, unsigned command,
                                          std::uintptr_t data) {
    if (command == kHelpContents) {
        return document.ContentsIndex();
    }
    if (data > std::numeric_limits<std::uint32_t>::max()) {
        return std::nullopt;
    }
    return document.TopicWithContext(static_cast<std::uint32_t>(data));
}

int ShowHelpOrThrow(HWND owner, std::wstring_view reference, unsigned command,
                    std::uintptr_t data) {
    if (command != kHelpContents && command != kHelpContext) {
        return 0;
    }
    if (owner && !IsWindow(owner)) {
        owner = nullptr;
    }
    const HelpReference target = SplitHelpReference(reference);
    // Read on every request, so that a corrected file shows without a restart.
    LoadedHelp loaded = LoadHelpFile(target.file);
    // Points into the loaded document, so it is used before the window's state takes that over.
    const HelpWindowDefinition* definition =
        loaded.document ? loaded.document->WindowNamed(target.window) : nullptr;

    if (!g_helpWindow) {
        g_helpWindow = CreateHelpWindow(owner, definition);
        if (!g_helpWindow) {
            return 0;
        }
    }
    const bool hasCaption = definition && !definition->caption.empty();
    SetWindowTextW(g_helpWindow, hasCaption ? definition->caption.c_str() : kDefaultCaption);
    ViewerState& state = *StateOf(g_helpWindow);
    state.document = std::move(loaded.document);
    FillTopicList(state);

    const std::optional<std::size_t> topic =
        state.document ? RequestedTopic(*state.document, command, data) : std::nullopt;
    if (topic) {
        ShowTopic(state, *topic);
    } else if (state.document) {
        std::wstring message =
            FileMessage("The help file ", target.file, " has no topic with context number ");
        message.append(DecimalText(data));
        AppendAscii(message, ". Choose a topic from the list.");
        ShowMessage(state, message);
    } else {
        ShowMessage(state, loaded.problem);
    }
    BringToFront(g_helpWindow, state);
    return topic ? 1 : 0;
}

}  // namespace

void SetHelpFieldValue(std::wstring_view name, std::wstring_view value) {
    for (HelpFieldValue& field : g_helpFields) {
        if (field.name == name) {
            field.value = value;
            return;
        }
    }
    HelpFieldValue& added = g_helpFields.emplace_back();
    added.name = name;
    added.value = value;
}

HWND HelpViewerWindow() {
    return g_helpWindow;
}

int ShowHelp(HWND owner, std::wstring_view reference, unsigned command, std::uintptr_t data) {
    // Called from the owner's window procedure: a failure here must not unwind through it.
    try {
        return ShowHelpOrThrow(owner, reference, command, data);
    } catch (...) {
        return 0;
    }
}

}  // namespace tarnwick::win32
