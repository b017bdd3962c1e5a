// The capture hotkey's text: what the settings file may write, what falls back to the default,
// and the text written for the tooltip and help, which reads back as the same hotkey.

#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>

#include "main_window/hotkey_text.h"
#include "tests/fake/call_log.h"

namespace tarnwick {
namespace {

struct HotkeyCase {
    std::wstring_view text;
    Hotkey expected;
};

TEST(HotkeyTextTest, ReadsModifiersAndKeysInAnyCaseAndOrder) {
    const HotkeyCase cases[] = {
        {L"Ctrl+Shift+F8", {kModControl | kModShift, 0x77}},
        {L"Alt+F9", {kModAlt, 0x78}},
        {L"Win+Shift+C", {kModWin | kModShift, 0x43}},
        {L"Ctrl+0x7B", {kModControl, 0x7B}},
        {L"ctrl+shift+f8", {kModControl | kModShift, 0x77}},
        {L"Ctrl+shift+c", {kModControl | kModShift, 0x43}},
        {L"Shift+Win+Alt+Ctrl+9", {kModAlt | kModControl | kModShift | kModWin, 0x39}},
        {L" \tCtrl + Alt +\tz  ", {kModControl | kModAlt, 0x5A}},
        // A key alone is a hotkey as well.
        {L"Pause", {0, 0x13}},
        {L"F8", {0, 0x77}},
        {L"a", {0, 0x41}},
        {L"0", {0, 0x30}},
        {L"F1", {0, 0x70}},
        {L"f24", {0, 0x87}},
        {L"F10", {0, 0x79}},
        {L"INSERT", {0, 0x2D}},
        {L"Alt+home", {kModAlt, 0x24}},
        {L"Alt+End", {kModAlt, 0x23}},
        {L"Alt+pageup", {kModAlt, 0x21}},
        {L"Alt+PageDown", {kModAlt, 0x22}},
        {L"Ctrl+0x01", {kModControl, 0x01}},
        {L"Ctrl+0XfE", {kModControl, 0xFE}},
        {L"Ctrl+0x5", {kModControl, 0x05}},
    };
    for (const HotkeyCase& c : cases) {
        EXPECT_EQ(ParseHotkey(c.text), c.expected) << fake::Utf8(c.text);
    }
}

TEST(HotkeyTextTest, NoneTurnsTheHotkeyOff) {
    for (const std::wstring_view text : {L"none", L"NONE", L"  None\t"}) {
        EXPECT_EQ(ParseHotkey(text), std::nullopt) << fake::Utf8(text);
    }
}

TEST(HotkeyTextTest, AnythingElseGivesTheDefault) {
    const std::wstring_view texts[] = {
        // Empty, a part missing, a modifier twice, a modifier or "none" in the wrong place.
        L"", L"   ", L"Ctrl+", L"+A", L"Ctrl++A", L"Ctrl+Ctrl+X", L"Shift+Ctrl+shift+A",
        L"Ctrl+A+B", L"Ctrl+Shift", L"Win", L"Ctrl+none", L"none+A",
        // Names that are not ours, or written apart.
        L"Control+A", L"Ctrl+Esc", L"Page Up", L"F 8", L"Ctrl-A", L"AB", L"Ctrl+123",
        // F-keys and codes out of range.
        L"F0", L"F25", L"F08", L"Ctrl+0x", L"Ctrl+0x00", L"Ctrl+0xFF", L"Ctrl+0x07B", L"Ctrl+0xG1",
        // Only ASCII letters fold: not an accented letter, not a full-width A.
        L"Ctrl+\u00C4", L"Ctrl+\uFF21", L"Ctrl+\uFF41",
        // A value with a NUL in it is not the shorter value before the NUL.
        std::wstring_view(L"Ctrl+A\0", 7)};
    for (const std::wstring_view text : texts) {
        EXPECT_EQ(ParseHotkey(text), kDefaultCaptureHotkey) << fake::Utf8(text);
    }
}

TEST(HotkeyTextTest, WritesNamesInTheUsualOrder) {
    const HotkeyCase cases[] = {
        {L"Ctrl+Shift+F8", kDefaultCaptureHotkey},
        {L"Ctrl+Alt+Shift+Win+Z", {kModWin | kModShift | kModAlt | kModControl, 0x5A}},
        {L"Pause", {0, 0x13}},
        {L"Alt+7", {kModAlt, 0x37}},
        {L"Win+F24", {kModWin, 0x87}},
        {L"Ctrl+F12", {kModControl, 0x7B}},  // by its name, however it was read
        {L"Ctrl+0x0D", {kModControl, 0x0D}},
        {L"Ctrl+0xFE", {kModControl, 0xFE}},
        {L"Shift+PageDown", {kModShift | 0x4000, 0x22}},  // MOD_NOREPEAT is not written
    };
    for (const HotkeyCase& c : cases) {
        EXPECT_EQ(HotkeyText(c.expected), c.text) << fake::Utf8(c.text);
    }
}

TEST(HotkeyTextTest, EveryHotkeyReadsBackFromItsText) {
    for (std::uint32_t modifiers = 0; modifiers < 16; ++modifiers) {
        for (std::uint32_t key = 0x01; key <= 0xFE; ++key) {
            const Hotkey hotkey{modifiers, key};
            ASSERT_EQ(ParseHotkey(HotkeyText(hotkey)), hotkey) << fake::Utf8(HotkeyText(hotkey));
        }
    }
}

}  // namespace
}  // namespace tarnwick
