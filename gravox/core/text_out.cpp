#include "gravox/core/text_out.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "gravox/core/sink.h"

namespace gvx {
namespace {

using text_detail::kDigitPairs;
using text_detail::kPowersOfTen;

// Writes the digits of q ending at end; returns the first digit written.
char* digits_before(char* end, std::uint64_t q) {
    char* at = end;
    while (q >= 100) {
        const std::uint64_t rest = q / 100;
        const unsigned pair = static_cast<unsigned>(q - rest * 100) * 2;
        q = rest;
        *--at = kDigitPairs[pair + 1];
        *--at = kDigitPairs[pair];
    }
    if (q >= 10) {
        *--at = kDigitPairs[q * 2 + 1];
        *--at = kDigitPairs[q * 2];
    } else {
        *--at = static_cast<char>('0' + q);
    }
    return at;
}

// Number of decimal digits of v (1 for 0).
int digit_count(std::uint64_t v) {
    int n = 1;
    for (std::uint64_t limit = 10; n < 20 && v >= limit; limit *= 10) ++n;
    return n;
}

// "%.*f" of a finite value below 2^53 in magnitude with Decimals (at most
// text_detail::kIntegerDecimals) decimals, by exact integer arithmetic. Returns the end
// of the text, or null when the value is outside this path (the caller falls back to
// std::to_chars).
template <int Decimals>
char* integer_fixed(char* out, double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    std::uint64_t q;
    if (!text_detail::scaled_magnitude<Decimals>(bits, q)) return nullptr;
    const bool negative = (bits >> 63) != 0;
    if (q <= 0xffffffffu)
        return text_detail::small_fixed<Decimals>(out, negative, static_cast<std::uint32_t>(q));
    // The text is written backwards straight into out, from its end, once its length
    // is known: building it in a local block and copying that would read back bytes
    // just stored one by one, which stalls the processor on every number.
    const std::uint64_t whole = q / kPowersOfTen[Decimals];
    char* const end = out + negative + digit_count(whole) + (Decimals > 0 ? Decimals + 1 : 0);
    char* at = end;
    if constexpr (Decimals % 2 == 1) {  // one decimal, or the last of three
        const std::uint64_t rest = q / 10;
        *--at = static_cast<char>('0' + (q - rest * 10));
        q = rest;
    }
    if constexpr (Decimals >= 2) {  // two decimals as one pair
        const std::uint64_t rest = q / 100;
        const unsigned pair = static_cast<unsigned>(q - rest * 100) * 2;
        *--at = kDigitPairs[pair + 1];
        *--at = kDigitPairs[pair];
        q = rest;
    }
    if constexpr (Decimals > 0) *--at = '.';
    digits_before(at, q);
    if (negative) *out = '-';
    return end;
}

// The longest "%.*f" text: sign, 309 integer digits, point and 17 decimals.
constexpr std::size_t kLongestFixed = TextOut::kFixedChars;

// "%.*f" with 0 to 17 decimals (others are clamped) into out, which holds at least
// kLongestFixed characters. Returns the end of the text.
char* fixed_text(char* out, double value, int decimals) {
    if (decimals < 0) decimals = 0;
    if (decimals > 17) decimals = 17;
    char* end = nullptr;
    switch (decimals) {
        case 0:
            end = integer_fixed<0>(out, value);
            break;
        case 1:
            end = integer_fixed<1>(out, value);
            break;
        case 2:
            end = integer_fixed<2>(out, value);
            break;
        case 3:
            end = integer_fixed<3>(out, value);
            break;
    }
    if (end) return end;
    return std::to_chars(out, out + kLongestFixed, value, std::chars_format::fixed, decimals).ptr;
}

}  // namespace

char* text_detail::long_digits(char* at, std::uint32_t v) {
    char* const end = at + digit_count(v);
    digits_before(end, v);
    return end;
}

void TextOut::reset(Sink* sink) {
    flush();
    sink_ = sink;
}

void TextOut::flush() {
    if (used_ > 0 && sink_) sink_->write(buffer_, used_);
    flushed_ += used_;
    used_ = 0;
}

TextOut& TextOut::put_across(std::string_view text) {
    while (!text.empty()) {
        if (used_ == kSize) flush();
        std::size_t n = std::min(text.size(), kSize - used_);
        std::memcpy(buffer_ + used_, text.data(), n);
        used_ += n;
        text.remove_prefix(n);
    }
    return *this;
}

TextOut& TextOut::integer(long long value) {
    char* at = reserve(kNumberChars);
    used_ += static_cast<std::size_t>(integer_at(at, value) - at);
    return *this;
}

TextOut& TextOut::padded(long long value, int width, char fill) {
    char digits[24];
    char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    int length = static_cast<int>(end - digits);
    if (width > 64) width = 64;
    int pad = width > length ? width - length : 0;
    char* at = reserve(static_cast<std::size_t>(pad + length));
    const char* from = digits;
    if (fill == '0' && value < 0 && pad > 0) {  // the sign goes before the zeros
        *at++ = '-';
        ++from;
        ++used_;
    }
    std::memset(at, fill, static_cast<std::size_t>(pad));
    std::memcpy(at + pad, from, static_cast<std::size_t>(end - from));
    used_ += static_cast<std::size_t>(pad + (end - from));
    return *this;
}

TextOut& TextOut::fixed(double value, int decimals) {
    char* at = reserve(kLongestFixed);
    used_ += static_cast<std::size_t>(fixed_text(at, value, decimals) - at);
    return *this;
}

TextOut& TextOut::fixed(double value, int decimals, int width) {
    char text[kLongestFixed];
    const std::size_t length = static_cast<std::size_t>(fixed_text(text, value, decimals) - text);
    if (width > 64) width = 64;
    const std::size_t pad =
        static_cast<std::size_t>(width) > length ? static_cast<std::size_t>(width) - length : 0;
    char* at = reserve(pad + length);
    std::memset(at, ' ', pad);
    std::memcpy(at + pad, text, length);
    used_ += pad + length;
    return *this;
}

char* TextOut::long_integer_at(char* at, long long value) {
    return std::to_chars(at, at + kNumberChars, value).ptr;
}

char* TextOut::fixed_at(char* at, double value, int decimals) {
    return fixed_text(at, value, decimals);
}

std::size_t TextOut::integer_text(char* out, long long value) {
    return static_cast<std::size_t>(integer_at(out, value) - out);
}

std::size_t TextOut::shortest_text(char* out, double value) {
    // The shortest round-trip form never takes more than 24 characters.
    return static_cast<std::size_t>(std::to_chars(out, out + kNumberChars, value).ptr - out);
}

TextOut& TextOut::shortest(double value) {
    char* at = reserve(kNumberChars);
    used_ += shortest_text(at, value);
    return *this;
}

TextOut& TextOut::hex2(unsigned value) {
    static constexpr char kDigits[] = "0123456789abcdef";
    char* at = reserve(2);
    at[0] = kDigits[(value >> 4) & 15];
    at[1] = kDigits[value & 15];
    used_ += 2;
    return *this;
}

}  // namespace gvx
