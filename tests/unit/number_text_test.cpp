// The number texts written without the C library's formatting: checked against the standard
// library's own conversions over the values a form can have and across the whole float range.

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cstdint>
#include <limits>
#include <string>

#include "app/number_text.h"
#include "platform/decimal_text.h"

namespace tarnwick {
namespace {

// The settings file's text of a twips value as the standard library writes it: the shortest
// fixed-point text that reads back as the same float.
std::wstring ExpectedNumberText(float value) {
    if (value == 0) {
        value = 0;
    }
    char digits[128];
    const auto result =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed);
    const std::wstring text(digits, result.ptr);
    return value >= 0 ? L" " + text : text;
}

TEST(NumberTextTest, WholeAndFractionalTwipsAsBefore) {
    EXPECT_EQ(NumberText(900), L" 900");
    EXPECT_EQ(NumberText(-60), L"-60");
    EXPECT_EQ(NumberText(3761.25f), L" 3761.25");
    EXPECT_EQ(NumberText(0.1f), L" 0.1");
    EXPECT_EQ(NumberText(-0.0f), L" 0");
    EXPECT_EQ(NumberText(1440.0f / 168 * 7), L" 60");
    EXPECT_EQ(NumberText(1e20f), L" 100000002004087734272");
    EXPECT_EQ(NumberText(std::numeric_limits<float>::infinity()), L" inf");
    EXPECT_EQ(NumberText(-std::numeric_limits<float>::infinity()), L"-inf");
}

TEST(NumberTextTest, AgreesWithTheStandardLibraryOnEveryScreenPositionAtCommonScales) {
    // Pixels from far off-screen to far beyond any monitor, at 96, 120, 144, 168 and 192 dpi,
    // and the halves that centring gives.
    for (const float twipsPerPixel : {15.0f, 12.0f, 10.0f, 1440.0f / 168, 7.5f}) {
        for (int pixels = -16384; pixels <= 16384; ++pixels) {
            const float twips = static_cast<float>(pixels) * twipsPerPixel;
            ASSERT_EQ(NumberText(twips), ExpectedNumberText(twips)) << twips;
            ASSERT_EQ(NumberText(twips / 2), ExpectedNumberText(twips / 2)) << twips / 2;
        }
    }
}

TEST(NumberTextTest, AgreesWithTheStandardLibraryAcrossTheFloatRange) {
    // Every power of two with its neighbours (where the gap below halves), the tiniest
    // subnormals, and a stride through all bit patterns.
    for (std::uint32_t exponent = 0; exponent < 255; ++exponent) {
        for (std::uint32_t offset = 0; offset < 3; ++offset) {
            for (const std::uint32_t sign : {0u, 0x80000000u}) {
                const float below = std::bit_cast<float>(sign | ((exponent << 23) - offset));
                const float above = std::bit_cast<float>(sign | ((exponent << 23) + offset));
                ASSERT_EQ(NumberText(below), ExpectedNumberText(below)) << below;
                ASSERT_EQ(NumberText(above), ExpectedNumberText(above)) << above;
            }
        }
    }
    for (std::uint32_t bits = 1; bits < 2000; ++bits) {
        const float tiny = std::bit_cast<float>(bits);
        ASSERT_EQ(NumberText(tiny), ExpectedNumberText(tiny)) << bits;
    }
    for (std::uint64_t bits = 0; bits < 0x7F800000; bits += 393241) {
        const float value = std::bit_cast<float>(static_cast<std::uint32_t>(bits));
        ASSERT_EQ(NumberText(value), ExpectedNumberText(value)) << bits;
        ASSERT_EQ(NumberText(-value), ExpectedNumberText(-value)) << bits;
    }
}

TEST(NumberTextTest, IntegerTextsWithoutFormattedOutput) {
    EXPECT_EQ(GeneralNumber(0), L"0");
    EXPECT_EQ(GeneralNumber(std::numeric_limits<std::int32_t>::min()), L"-2147483648");
    EXPECT_EQ(DecimalWithSign(2147483647), L" 2147483647");
    EXPECT_EQ(Hex(-1), L"FFFFFFFF");
    EXPECT_EQ(Hex(0), L"0");
    EXPECT_EQ(Hex(0x00ABCDEF), L"ABCDEF");
    EXPECT_EQ(DecimalText(18446744073709551615u), L"18446744073709551615");
    EXPECT_EQ(SignedDecimalText(std::numeric_limits<std::int64_t>::min()), L"-9223372036854775808");
}

}  // namespace
}  // namespace tarnwick
