// Numbers to text: the rule that axis labels, `number`, the text layer and the formats
// share.
//
// A value is rounded to the given number of digits after the decimal point and
// written with a leading "0." below one, a trailing "." for 0 digits and no point for
// negative digit counts: -15 with 1 digit is "-15.0", 0.5 is "0.5", 5 with 0 digits
// "5.", with -1 digits "5". A negative value that rounds to zero loses its sign.
#pragma once

namespace gvx {

inline constexpr int kMaxNumberDigits = 100;  // digits of the rounded value at most
inline constexpr int kNumberTextSize = 256;   // buffer that holds any number text

// The number-to-text rule. With width > 0 the text is right-aligned in that many
// characters (and keeps a minus zero). The text is cut to size - 1 characters.
void number_text(double value, int digits, int width, char* out, int size);

// The automatic digit count of a value: digits after the point that show it exactly
// (up to four significant decimals), -1 for integers.
int auto_digits(double value);

// Mantissa text and exponent of a value for the exponent forms: v = m * 10^e with
// 1 <= |m| < 10 (0 gives 0 and 0), m written with the given digits. Values whose
// mantissa rounds up to 10 move to the next power.
void exponent_parts(double value, int digits, char* mantissa, int size, int& exponent);

// Number format of `number` (not of axis labels): numfmt and numode.
enum class NumberFormat { floating = 1, exponent, fixed_exponent, log };  // "FLOA+EXP +FEXP+LOG "
struct NumberMode {
    NumberFormat format = NumberFormat::floating;
    char decimal = '.';
    char grouping = 0;  // 0 none
    char sign = 0;      // 0 none
    bool equal_spacing = false;
};

// Puts the decimal character, the grouping of thousands and the sign character of a
// number mode into a number text of the plain rule.
void apply_number_mode(const NumberMode& mode, const char* text, char* out, int size);

// The number-to-text rule under a number mode: "FLOA" the plain rule, "EXP"/"FEXP"
// mantissa and exponent, "LOG" ten to the value; the exponent forms are written with
// the given exponent and reset characters of the text layer.
void format_number(const NumberMode& mode, char exponent_char, char reset_char, double value,
                   int digits, char* out, int size);

}  // namespace gvx
