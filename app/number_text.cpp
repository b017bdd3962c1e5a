#include "app/number_text.h"

#include <bit>
#include <cstddef>

#include "platform/decimal_text.h"

namespace tarnwick {

namespace {

// An unsigned whole number of up to 768 bits, enough for any single-precision value times a power
// of ten that has as many digits as its fraction: a float is m * 2^e with m below 2^24 and e
// from -149 to 104, so its exact fraction has at most 149 digits.
class BigNumber {
  public:
    explicit BigNumber(std::uint64_t value) {
        limbs_[0] = static_cast<std::uint32_t>(value);
        limbs_[1] = static_cast<std::uint32_t>(value >> 32);
    }

    static BigNumber PowerOfTwo(int exponent) {
        BigNumber power(0);
        power.limbs_[static_cast<std::size_t>(exponent / 32)] = std::uint32_t{1} << (exponent % 32);
        return power;
    }

    void MultiplyBy(std::uint32_t factor) {
        std::uint64_t carry = 0;
        for (std::uint32_t& limb : limbs_) {
            carry += std::uint64_t{limb} * factor;
            limb = static_cast<std::uint32_t>(carry);
            carry >>= 32;
        }
    }

    void ShiftLeft(int bits) {
        for (int step = 0; step < bits; ++step) {
            MultiplyBy(2);
        }
    }

    // Divides by the divisor and returns the remainder.
    std::uint32_t DivideBy(std::uint32_t divisor) {
        std::uint64_t remainder = 0;
        for (std::size_t i = kLimbs; i-- > 0;) {
            remainder = (remainder << 32) | limbs_[i];
            limbs_[i] = static_cast<std::uint32_t>(remainder / divisor);
            remainder %= divisor;
        }
        return static_cast<std::uint32_t>(remainder);
    }

    // The number divided by 2^bits (the quotient's low 64 bits), and the number reduced to its
    // remainder.
    std::uint64_t SplitAtBit(int bits) {
        std::uint64_t quotient = 0;
        for (int bit = 63; bit >= 0; --bit) {
            quotient = (quotient << 1) | Bit(bits + bit);
        }
        for (int bit = bits; bit < static_cast<int>(kLimbs * 32); ++bit) {
            limbs_[static_cast<std::size_t>(bit / 32)] &= ~(std::uint32_t{1} << (bit % 32));
        }
        return quotient;
    }

    void Subtract(const BigNumber& other) {
        std::int64_t borrow = 0;
        for (std::size_t i = 0; i < kLimbs; ++i) {
            const std::int64_t difference = std::int64_t{limbs_[i]} - other.limbs_[i] - borrow;
            limbs_[i] = static_cast<std::uint32_t>(difference);
            borrow = difference < 0 ? 1 : 0;
        }
    }

    bool IsZero() const {
        for (const std::uint32_t limb : limbs_) {
            if (limb != 0) {
                return false;
            }
        }
        return true;
    }

    friend int Compare(const BigNumber& a, const BigNumber& b) {
        for (std::size_t i = kLimbs; i-- > 0;) {
            if (a.limbs_[i] != b.limbs_[i]) {
                return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
            }
        }
        return 0;
    }

  private:
    static constexpr std::size_t kLimbs = 24;

    std::uint64_t Bit(int index) const {
        if (index >= static_cast<int>(kLimbs * 32)) {
            return 0;
        }
        return (limbs_[static_cast<std::size_t>(index / 32)] >> (index % 32)) & 1;
    }

    std::uint32_t limbs_[kLimbs] = {};
};

std::wstring DigitsOf(BigNumber number) {
    std::wstring digits;
    do {
        digits.insert(digits.begin(), static_cast<wchar_t>(L'0' + number.DivideBy(10)));
    } while (!number.IsZero());
    return digits;
}

// Whether a decimal at the given distance from the value (both scaled by 2^fractionBits * 10^n)
// reads back as the same float: the distance must lie within half the gap to the neighbouring
// float on that side, and may equal it when a tie would round to this value (even mantissa).
bool ReadsBack(BigNumber distance, const BigNumber& powerOfTen, int gapQuarters,
               bool tieReadsBack) {
    distance.MultiplyBy(4 / static_cast<std::uint32_t>(gapQuarters));
    const int order = Compare(distance, powerOfTen);
    return order < 0 || (order == 0 && tieReadsBack);
}

// The shortest fixed-point text of a finite, positive float that reads back as the same float:
// the fewest digits after the point, and of two candidates with as many digits the one nearer the
// exact value. Above 2^24 every float is a whole number and is written exactly.
std::wstring ShortestFixed(float value) {
    const auto bits = std::bit_cast<std::uint32_t>(value);
    const int biasedExponent = static_cast<int>(bits >> 23);
    const std::uint32_t fraction = bits & 0x7FFFFF;
    const std::uint32_t mantissa = biasedExponent == 0 ? fraction : fraction | 0x800000;
    const int exponent = (biasedExponent == 0 ? 1 : biasedExponent) - 150;
    if (exponent >= 0) {
        BigNumber whole(mantissa);
        whole.ShiftLeft(exponent);
        return DigitsOf(whole);
    }
    const int fractionBits = -exponent;
    // Half the gap to the float above is 2 quarters of a unit in the last place; below a power of
    // two the float underneath is twice as close.
    const int gapBelowQuarters = fraction == 0 && biasedExponent > 1 ? 1 : 2;
    const bool tieReadsBack = mantissa % 2 == 0;
    const BigNumber unit = BigNumber::PowerOfTwo(fractionBits);
    BigNumber powerOfTen(1);
    for (int decimals = 0;; ++decimals, powerOfTen.MultiplyBy(10)) {
        // value * 10^decimals = below + remainder / 2^fractionBits
        BigNumber remainder = powerOfTen;
        remainder.MultiplyBy(mantissa);
        std::uint64_t below = remainder.SplitAtBit(fractionBits);
        BigNumber toAbove = unit;
        toAbove.Subtract(remainder);
        const bool belowFits =
            remainder.IsZero() || ReadsBack(remainder, powerOfTen, gapBelowQuarters, tieReadsBack);
        const bool aboveFits =
            !remainder.IsZero() && ReadsBack(toAbove, powerOfTen, 2, tieReadsBack);
        if (!belowFits && !aboveFits) {
            continue;
        }
        if (aboveFits) {
            const int nearer = Compare(toAbove, remainder);
            if (!belowFits || nearer < 0 || (nearer == 0 && below % 2 != 0)) {
                ++below;
            }
        }
        std::wstring digits = DigitsOf(BigNumber(below));
        const auto decimalCount = static_cast<std::size_t>(decimals);
        if (digits.size() <= decimalCount) {
            digits.insert(0, decimalCount + 1 - digits.size(), L'0');
        }
        if (decimalCount > 0) {
            digits.insert(digits.size() - decimalCount, 1, L'.');
        }
        return digits;
    }
}

}  // namespace

std::wstring GeneralNumber(std::int32_t value) {
    return SignedDecimalText(value);
}

std::wstring DecimalWithSign(std::int32_t value) {
    std::wstring text = GeneralNumber(value);
    if (value >= 0) {
        text.insert(0, 1, L' ');
    }
    return text;
}

std::wstring Hex(std::int32_t value) {
    auto rest = static_cast<std::uint32_t>(value);
    std::wstring digits;
    do {
        digits.insert(digits.begin(), L"0123456789ABCDEF"[rest % 16]);
        rest /= 16;
    } while (rest != 0);
    return digits;
}

std::wstring NumberText(float value) {
    const bool negative = std::bit_cast<std::uint32_t>(value) >> 31 != 0;
    if (value != value) {
        return negative ? L"-nan" : L"nan";
    }
    if (value == 0) {
        return L" 0";  // a negative zero is written as plain 0
    }
    const float magnitude = negative ? -value : value;
    std::wstring text = magnitude > 3.4028235e38f ? L"inf" : ShortestFixed(magnitude);
    // A full stop before any fraction whatever the locale, a blank before a value >= 0.
    text.insert(0, 1, negative ? L'-' : L' ');
    return text;
}

}  // namespace tarnwick
