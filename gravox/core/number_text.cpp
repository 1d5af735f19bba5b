// Numbers to text: the plain rule, the automatic digit count, the exponent forms and
// the number modes.
#include "gravox/core/number_text.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace gvx {

namespace {

// Appends one character if there is room (size counts the terminator).
void put(char* out, int size, int& length, char c) {
    if (length < size - 1) out[length++] = c;
    out[length] = '\0';
}

// Digits of the largest finite double.
constexpr int kMaxWholeDigits = 309;

void put_text(char* out, int size, int& length, const char* text) {
    for (; *text != '\0'; ++text) put(out, size, length, *text);
}

// Removes the "-" of a text that is otherwise only zeros and points.
void drop_minus_zero(char* text) {
    if (text[0] != '-') return;
    for (const char* p = text + 1; *p != '\0'; ++p)
        if (*p != '0' && *p != '.') return;
    std::memmove(text, text + 1, std::strlen(text));
}

}  // namespace

void number_text(double value, int digits, int width, char* out, int size) {
    if (!out || size <= 0) return;
    out[0] = '\0';
    char text[kNumberTextSize];
    int length = 0;
    text[0] = '\0';
    if (std::isnan(value)) {
        put_text(text, sizeof text, length, "NaN");
    } else if (std::isinf(value)) {
        put_text(text, sizeof text, length, value < 0 ? "-Inf" : "Inf");
    } else {
        if (digits > kMaxNumberDigits) digits = kMaxNumberDigits;
        const bool negative = value < 0;
        const double x = std::fabs(value);
        // The rounded value; a digit count whose scaling overflows is lowered until the
        // value fits, so no digit is ever taken from an infinite number.
        double r = 0.0;
        // Digits after the point are given up first when the rounded value would not fit
        // in the digit limit (or not even in a double).
        for (;; --digits) {
            r = digits > 0 ? std::floor(x * std::pow(10.0, digits) + 0.5) : std::floor(x + 0.5);
            if ((std::isfinite(r) && r < 1e100) || digits <= 0) break;
        }
        // The digits of r. Up to 2^53 the scaled value is exact enough and r is the
        // rounded number; above, the scaling itself has rounded, so the digits are those
        // of the value rounded exactly (as the C library prints it). With no digits
        // after the point a value may have up to 309 digits, cut with the rest of the
        // text to the buffer.
        char whole[kMaxWholeDigits + kMaxNumberDigits + 4];
        if (r < 9007199254740992.0)
            std::snprintf(whole, sizeof whole, "%.0f", r);
        else
            std::snprintf(whole, sizeof whole, "%.*f", digits > 0 ? digits : 0, x);
        char reversed[sizeof whole];
        int count = 0;
        for (int i = static_cast<int>(std::strlen(whole)) - 1; i >= 0; --i)
            if (whole[i] >= '0' && whole[i] <= '9') reversed[count++] = whole[i];
        if (count == 0) reversed[count++] = '0';
        if (negative) put(text, sizeof text, length, '-');
        if (digits > 0 && digits >= count) {
            put_text(text, sizeof text, length, "0.");
            for (int i = 0; i < digits - count; ++i) put(text, sizeof text, length, '0');
            for (int i = count - 1; i >= 0; --i) put(text, sizeof text, length, reversed[i]);
        } else {
            for (int i = count - 1; i >= 0; --i) {
                put(text, sizeof text, length, reversed[i]);
                if (digits > 0 && i == digits) put(text, sizeof text, length, '.');
            }
            if (digits == 0) put(text, sizeof text, length, '.');
        }
        if (width <= 0) drop_minus_zero(text);
    }
    int used = static_cast<int>(std::strlen(text));
    int blanks = width > used ? width - used : 0;
    int n = 0;
    for (int i = 0; i < blanks; ++i) put(out, size, n, ' ');
    put_text(out, size, n, text);
}

int auto_digits(double value) {
    if (!std::isfinite(value)) return -1;
    // The count works on single-precision values, as labels are read by eye.
    const float x = std::fabs(static_cast<float>(value));
    if (!std::isfinite(x)) return -1;
    int e = x == 0.0f ? 0 : static_cast<int>(std::trunc(std::log10(x)));
    float a = e >= 0 ? x / static_cast<float>(std::pow(10.0, e))
                     : x * static_cast<float>(std::pow(10.0, -e));
    static constexpr float kTolerance[5] = {0.00001f, 0.0001f, 0.001f, 0.01f, 0.1f};
    int i = 0;
    for (; i < 5; ++i) {
        float t = a * static_cast<float>(std::pow(10.0, i));
        if (std::fabs(t - std::trunc(t + 0.5f)) < kTolerance[i]) break;
    }
    int result = i - e;
    return result <= 0 ? -1 : result;
}

void exponent_parts(double value, int digits, char* mantissa, int size, int& exponent) {
    exponent = 0;
    if (value == 0.0 || !std::isfinite(value)) {
        number_text(value, digits, 0, mantissa, size);
        return;
    }
    exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    double m = value / std::pow(10.0, exponent);
    // log10 may land one off for values next to a power of ten.
    if (std::fabs(m) >= 10.0) {
        m /= 10.0;
        ++exponent;
    } else if (std::fabs(m) < 1.0) {
        m *= 10.0;
        --exponent;
    }
    number_text(m, digits, 0, mantissa, size);
    // A mantissa that rounds to ten ("10.0", "-10.", "10") belongs to the next power.
    const char* t = mantissa[0] == '-' ? mantissa + 1 : mantissa;
    if (t[0] == '1' && t[1] == '0' && (t[2] == '.' || t[2] == '\0')) {
        ++exponent;
        number_text(m / 10.0, digits, 0, mantissa, size);
    }
}

void apply_number_mode(const NumberMode& mode, const char* text, char* out, int size) {
    if (!out || size <= 0) return;
    int n = 0;
    out[0] = '\0';
    const char* p = text;
    if (*p == '-') {
        put(out, size, n, '-');
        ++p;
    } else if (mode.sign != 0 && (*p >= '0' && *p <= '9')) {
        put(out, size, n, mode.sign);
    }
    // Integer digits, grouped in threes counted from the decimal point.
    const char* digits_end = p;
    while (*digits_end >= '0' && *digits_end <= '9') ++digits_end;
    const int integer_digits = static_cast<int>(digits_end - p);
    for (int i = 0; i < integer_digits; ++i) {
        if (mode.grouping != 0 && i > 0 && (integer_digits - i) % 3 == 0)
            put(out, size, n, mode.grouping);
        put(out, size, n, p[i]);
    }
    p = digits_end;
    if (*p == '.') {
        put(out, size, n, mode.decimal);
        ++p;
        int i = 0;
        for (; *p >= '0' && *p <= '9'; ++p, ++i) {
            if (mode.grouping != 0 && i > 0 && i % 3 == 0) put(out, size, n, mode.grouping);
            put(out, size, n, *p);
        }
    }
    put_text(out, size, n, p);
}

void format_number(const NumberMode& mode, char exponent_char, char reset_char, double value,
                   int digits, char* out, int size) {
    if (!out || size <= 0) return;
    char plain[kNumberTextSize];
    char shown[kNumberTextSize];
    char power[32];
    int n = 0;
    out[0] = '\0';
    switch (mode.format) {
        case NumberFormat::floating:
            number_text(value, digits, 0, plain, sizeof plain);
            apply_number_mode(mode, plain, out, size);
            return;
        case NumberFormat::exponent:
        case NumberFormat::fixed_exponent: {
            int e = 0;
            exponent_parts(value, digits, plain, sizeof plain, e);
            apply_number_mode(mode, plain, shown, sizeof shown);
            std::snprintf(power, sizeof power, "%d", e);
            put_text(out, size, n, shown);
            if (mode.format == NumberFormat::fixed_exponent) {
                put(out, size, n, 'E');
                put_text(out, size, n, power);
            } else {
                put_text(out, size, n, "*10");
                put(out, size, n, exponent_char);
                put_text(out, size, n, power);
                put(out, size, n, reset_char);
            }
            return;
        }
        case NumberFormat::log:
            number_text(value, digits, 0, plain, sizeof plain);
            apply_number_mode(mode, plain, shown, sizeof shown);
            put_text(out, size, n, "10");
            put(out, size, n, exponent_char);
            put_text(out, size, n, shown);
            put(out, size, n, reset_char);
            return;
    }
}

}  // namespace gvx
