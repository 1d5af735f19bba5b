// Text output of the text-based writers (SVG, IPE, HPGL, applet source, PostScript,
// PDF, metafiles): numbers become characters without the C library's printf and are
// gathered in one large buffer that goes to the sink in blocks.
//
// Each number routine writes exactly the bytes of the printf conversion named beside
// it, so a writer can move from printf to this class without changing a byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace gvx {

class Sink;

namespace text_detail {

inline constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Decimals the integer conversions take: m * 10^decimals stays below 2^63 for every
// 53-bit significand m, so the exact scaled value is one 64-bit product.
inline constexpr int kIntegerDecimals = 3;
inline constexpr std::uint64_t kPowersOfTen[kIntegerDecimals + 1] = {1, 10, 100, 1000};

// The magnitude of the double with the given bits times 10^Decimals, rounded to the
// nearest integer, ties to even, as the C library rounds the exact binary value (m *
// 2^-k): false for 2^53 or more, infinity and not a number.
template <int Decimals>
inline bool scaled_magnitude(std::uint64_t bits, std::uint64_t& q) {
    static_assert(Decimals >= 0 && Decimals <= kIntegerDecimals);
    const int biased = static_cast<int>((bits >> 52) & 0x7ff);
    if (biased >= 1075) return false;
    q = 0;
    // Below 2^-11 (zero and subnormals included) the scaled value is under one half.
    if (biased < 1075 - 63) return true;
    const int k = 1075 - biased;  // 1 to 63
    const std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    const std::uint64_t p = m * kPowersOfTen[Decimals];
    // Adding half a unit less one, and one more when the quotient is odd, rounds the
    // quotient to the nearest, ties to even; p < 2^63 leaves room for the sum.
    q = (p + ((std::uint64_t{1} << (k - 1)) - 1) + ((p >> k) & 1)) >> k;
    return true;
}

// Digits of v from at; returns the end. Numbers below 10^4 take two pair copies at most.
char* long_digits(char* at, std::uint32_t v);
inline char* digits(char* at, std::uint32_t v) {
    if (v < 100) {
        if (v < 10) {
            *at = static_cast<char>('0' + v);
            return at + 1;
        }
        std::memcpy(at, kDigitPairs + 2 * v, 2);
        return at + 2;
    }
    if (v >= 10000) return long_digits(at, v);
    const std::uint32_t high = v / 100;
    if (high < 10) {
        *at++ = static_cast<char>('0' + high);
    } else {
        std::memcpy(at, kDigitPairs + 2 * high, 2);
        at += 2;
    }
    std::memcpy(at, kDigitPairs + 2 * (v - high * 100), 2);
    return at + 2;
}

// The text of a scaled magnitude q below 2^32 with Decimals decimals, after a '-' when
// negative; returns the end.
template <int Decimals>
inline char* small_fixed(char* at, bool negative, std::uint32_t q) {
    *at = '-';
    at += negative;
    if constexpr (Decimals == 0) {
        return digits(at, q);
    } else {
        constexpr auto unit = static_cast<std::uint32_t>(kPowersOfTen[Decimals]);
        const std::uint32_t whole = q / unit;
        const std::uint32_t part = q - whole * unit;
        at = digits(at, whole);
        *at++ = '.';
        if constexpr (Decimals == 1) {
            *at = static_cast<char>('0' + part);
            return at + 1;
        } else if constexpr (Decimals == 2) {
            std::memcpy(at, kDigitPairs + 2 * part, 2);
            return at + 2;
        } else {
            const std::uint32_t high = part / 10;
            std::memcpy(at, kDigitPairs + 2 * high, 2);
            at[2] = static_cast<char>('0' + (part - high * 10));
            return at + 3;
        }
    }
}

}  // namespace text_detail

class TextOut {
  public:
    explicit TextOut(Sink* sink = nullptr) : sink_(sink) {}
    ~TextOut() { flush(); }
    TextOut(const TextOut&) = delete;
    TextOut& operator=(const TextOut&) = delete;

    // Flushes what is pending to the old sink and writes to another one from now on.
    void reset(Sink* sink);
    Sink* sink() const { return sink_; }

    TextOut& put(std::string_view text) {
        if (text.size() > kSize - used_) return put_across(text);
        std::memcpy(buffer_ + used_, text.data(), text.size());
        used_ += text.size();
        return *this;
    }
    TextOut& put(char c) {
        if (used_ == kSize) flush();
        buffer_[used_++] = c;
        return *this;
    }
    // "%lld" (and "%d").
    TextOut& integer(long long value);
    // "%*lld" with a fill of blanks, or "%0*lld" with fill '0'.
    TextOut& padded(long long value, int width, char fill = ' ');
    // "%.*f": the value rounded correctly to the given number of decimals (0 to 17).
    TextOut& fixed(double value, int decimals);
    // "%*.*f": as fixed, right-aligned with blanks in a field of at least width characters.
    TextOut& fixed(double value, int decimals, int width);
    // "%02x" of the low byte.
    TextOut& hex2(unsigned value);
    // The shortest text that reads back as the same double ("1.5", "1e+20", "-0"); "nan"
    // and "inf" for the values that are not finite.
    TextOut& shortest(double value);

    // The texts of integer() and shortest() written to a caller's buffer of at least
    // kNumberChars characters, for writers that measure a number before placing it.
    // Returns the length.
    static constexpr std::size_t kNumberChars = 32;
    static std::size_t integer_text(char* out, long long value);
    static std::size_t shortest_text(char* out, double value);

    // Direct writing, for a writer's loop over the points of a line: room(n) gives
    // space for n more bytes (n at most kRoomLimit), the writer puts its text there
    // with the *_at routines below or by hand, and advance_to takes it up to the end
    // of what was written. Each *_at routine returns the end of its text.
    static constexpr std::size_t kRoomLimit = 4096;
    char* room(std::size_t n) { return reserve(n); }
    void advance_to(char* end) { used_ = static_cast<std::size_t>(end - buffer_); }
    // "%lld" into at least kNumberChars bytes; magnitudes below 2^32 are converted in line.
    static char* integer_at(char* at, long long value) {
        if (value < -0xffffffffLL || value > 0xffffffffLL) return long_integer_at(at, value);
        *at = '-';
        at += value < 0;
        return text_detail::digits(at, static_cast<std::uint32_t>(value < 0 ? -value : value));
    }
    // "%.*f" into at least kFixedChars bytes.
    static constexpr std::size_t kFixedChars = 1 + 309 + 1 + 17;
    static char* fixed_at(char* at, double value, int decimals);
    // The same with a fixed number of decimals (0 to 3), for a writer's loop over many
    // numbers: the usual ones are converted in line.
    template <int Decimals>
    static char* fixed_at(char* at, double value) {
        std::uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        const bool negative = (bits >> 63) != 0;
        // Rounded in floating point first: |value| * 10^Decimals + 0.5 is within 2^-21 of
        // its exact value below 2^32, so its whole part is the correctly rounded result
        // unless its fraction lies within 2^-20 of a whole number (the exact value may be
        // a tie, or on the other side of one). Only those, and the large values and
        // those that are not numbers, take the exact integer conversion.
        const double scaled =
            (negative ? -value : value) * static_cast<double>(text_detail::kPowersOfTen[Decimals]) +
            0.5;
        if (scaled < 4294967295.0) {
            const auto q = static_cast<std::uint32_t>(static_cast<std::int64_t>(scaled));
            const double fraction = scaled - static_cast<double>(q);
            if (fraction > 0x1p-20 && fraction < 1.0 - 0x1p-20)
                return text_detail::small_fixed<Decimals>(at, negative, q);
        }
        std::uint64_t q;
        if (!text_detail::scaled_magnitude<Decimals>(bits, q) || q > 0xffffffffu)
            return fixed_at(at, value, Decimals);
        return text_detail::small_fixed<Decimals>(at, negative, static_cast<std::uint32_t>(q));
    }

    // Hands everything pending to the sink.
    void flush();
    // Bytes written through this object so far (pending ones included).
    std::size_t count() const { return flushed_ + used_; }

  private:
    // integer_at for the magnitudes of 2^32 and more.
    static char* long_integer_at(char* at, long long value);
    // put for a text that does not fit into the rest of the buffer.
    TextOut& put_across(std::string_view text);
    // Makes room for n more bytes (n at most kSize).
    char* reserve(std::size_t n) {
        if (kSize - used_ < n) flush();
        return buffer_ + used_;
    }

    // Large blocks: the kernel takes a text file of many megabytes in fewer, cheaper writes.
    static constexpr std::size_t kSize = 1 << 20;
    Sink* sink_;
    std::size_t used_ = 0;
    std::size_t flushed_ = 0;
    char buffer_[kSize];
};

}  // namespace gvx
