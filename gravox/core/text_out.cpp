#include "gravox/core/text_out.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "gravox/core/sink.h"

namespace gvx {

void TextOut::reset(Sink* sink) {
    flush();
    sink_ = sink;
}

void TextOut::flush() {
    if (used_ > 0 && sink_) sink_->write(buffer_, used_);
    flushed_ += used_;
    used_ = 0;
}

TextOut& TextOut::put(std::string_view text) {
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
    char* at = reserve(24);
    used_ += static_cast<std::size_t>(std::to_chars(at, at + 24, value).ptr - at);
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
    if (decimals < 0) decimals = 0;
    if (decimals > 17) decimals = 17;
    // The longest result: sign, 309 integer digits, point and decimals.
    constexpr std::size_t kLongest = 1 + 309 + 1 + 17;
    char* at = reserve(kLongest);
    auto result = std::to_chars(at, at + kLongest, value, std::chars_format::fixed, decimals);
    used_ += static_cast<std::size_t>(result.ptr - at);
    return *this;
}

std::size_t TextOut::integer_text(char* out, long long value) {
    return static_cast<std::size_t>(std::to_chars(out, out + kNumberChars, value).ptr - out);
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
