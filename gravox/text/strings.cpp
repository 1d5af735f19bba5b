// Drawing and measuring whole strings: the per-string working state, mixed
// alphabets, raised and lowered text, the instruction alphabet, the out-of-page
// reports, the text box and the text background.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "gravox/core/colour_table.h"
#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"
#include "gravox/devices/primitives.h"
#include "gravox/text/text.h"

namespace gvx {

namespace {

// Takes the working copies of the settings for a new string.
void begin_string(PlotState& s) {
    TextState& t = *s.text;
    TextCursor& c = t.cur;
    c.str.height = t.height;
    c.str.colour = s.colours->current_colour;
    c.str.slant = t.slant;
    c.str.spacing = t.spacing;
    c.str.width_factor = t.width_factor;
    c.str.fixed = t.fixed;
    c.str.fixed_factor = t.fixed_factor;
    c.str.base_alphabet = std::clamp(t.base_alphabet, 1, kAlphabetCount);
    c.str.raise = 0.0;
    c.alphabet = c.str.base_alphabet;
    c.loaded = 0;
    c.previous_script = false;
    c.start_height = t.height;
    c.start_colour = s.colours->current_colour;
    c.along = 0.0;
    c.extent = 0.0;
    c.ink_top = 0.0;
    c.ink_bottom = 0.0;
    c.last_gap = 0.0;
    c.last_width = 0.0;
    c.failed = false;
}

void set_height(TextCursor& c, double height) {
    c.str.height = std::clamp(round_text(height), 1, 100000);
    c.loaded = 0;
}

// Changes the drawing colour inside a string (never while measuring).
void string_colour(PlotState& s, int colour) {
    if (s.text->cur.measuring || colour == s.colours->current_colour) return;
    set_device_colour(s, colour);
}

// Parses a number of the instruction alphabet: "-", "." and digits.
bool parse_number(const char* text, int& pos, int length, double& value, bool& integral) {
    char digits[kInstructionChars + 1];
    int n = 0;
    integral = true;
    while (pos < length && n < kInstructionChars &&
           (text[pos] == '-' || text[pos] == '.' || (text[pos] >= '0' && text[pos] <= '9'))) {
        if (text[pos] == '.') integral = false;
        digits[n++] = text[pos++];
    }
    digits[n] = '\0';
    if (n == 0) return false;
    char* end = nullptr;
    value = std::strtod(digits, &end);
    return end == digits + n && std::isfinite(value);
}

// Executes a collected block of the instruction alphabet.
void run_instructions(PlotState& s, const char* text, int length) {
    TextCursor& c = s.text->cur;
    int pos = 0;
    while (pos < length) {
        char letter = text[pos];
        if (letter == ' ') {
            ++pos;
            continue;
        }
        if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
        int at = pos++;
        char shown[kInstructionChars + 1];
        copy_text(shown, text + at, length - at);
        if (letter == 'R') {
            set_height(c, c.start_height);
            c.str.raise = 0.0;
            string_colour(s, c.start_colour);
            continue;
        }
        if (letter != 'H' && letter != 'C' && letter != 'X' && letter != 'Y') {
            warn_text(s, warning::instruction_unknown, shown);
            return;
        }
        double value = 0.0;
        bool integral = true;
        if (!parse_number(text, pos, length, value, integral)) {
            warn_text(s, warning::instruction_parameter, shown);
            return;
        }
        switch (letter) {
            case 'H':
                if (value <= 0.0 || value * c.start_height > 10000.0) {
                    warn_text(s, warning::instruction_parameter, shown);
                    return;
                }
                set_height(c, c.start_height * value);
                break;
            case 'C':
                if (!integral) {
                    warn_text(s, warning::instruction_integer, shown);
                    return;
                }
                if (value < 0.0 || value > 255.0) {
                    warn_text(s, warning::instruction_parameter, shown);
                    return;
                }
                string_colour(s, static_cast<int>(value));
                break;
            case 'X': {
                double d = value * c.str.height;
                c.x += d * s.text->angle_cos;
                c.y -= d * s.text->angle_sin;
                c.along += d;
                break;
            }
            case 'Y':
                if (!c.measuring) c.str.raise += value * c.str.height;
                break;
        }
    }
}

// Draws the codes of one string (plain text): mixed alphabets, the exponent and
// index characters, then one character at a time.
void run_codes(PlotState& s, const int* codes, int n) {
    TextState& t = *s.text;
    TextCursor& c = t.cur;
    int active = -1;  // mixed slot whose shift is in force
    char instruction[kInstructionChars + 1];
    int collected = 0;
    for (int i = 0; i < n; ++i) {
        int code = codes[i];
        if (t.mixing) {
            if (active < 0) {
                int slot = -1;
                for (int k = 0; k < kMixedSlots && slot < 0; ++k)
                    if (t.mixed[k].alphabet != 0 && code == t.mixed[k].shift_in) slot = k;
                if (slot >= 0) {
                    active = slot;
                    collected = 0;
                    if (t.mixed[slot].alphabet != kInstructionAlphabet)
                        c.alphabet = t.mixed[slot].alphabet;
                    continue;
                }
            } else if (code == t.mixed[active].shift_out) {
                if (t.mixed[active].alphabet == kInstructionAlphabet)
                    run_instructions(s, instruction, collected);
                else
                    c.alphabet = c.str.base_alphabet;
                active = -1;
                continue;
            }
            if (active >= 0 && t.mixed[active].alphabet == kInstructionAlphabet) {
                if (collected < kInstructionChars && code > 0 && code < 128)
                    instruction[collected++] = static_cast<char>(code);
                continue;
            }
        }
        if (t.mix_on) {
            if (code == t.mix_chars[mix_exponent]) {
                if (!c.measuring) c.str.raise += t.exponent_shift * c.str.height;
                set_height(c, c.str.height * t.exponent_size);
                continue;
            }
            if (code == t.mix_chars[mix_index]) {
                set_height(c, c.str.height * t.exponent_size);
                if (!c.measuring) c.str.raise -= t.exponent_shift * c.str.height;
                continue;
            }
            if (code == t.mix_chars[mix_reset]) {
                set_height(c, c.start_height);
                c.str.raise = 0.0;
                continue;
            }
        }
        draw_code(s, code);
    }
    c.str.raise = 0.0;
}

// Runs a string without drawing from the text position (0, 0); restores the text
// position and the working state afterwards.
struct Measure {
    double length = 0.0, top = 0.0, bottom = 0.0;
    bool failed = false;  // the formula renderer met an error
};

Measure measure_codes(PlotState& s, const int* codes, int n) {
    TextCursor saved = s.text->cur;
    begin_string(s);
    TextCursor& c = s.text->cur;
    c.measuring = true;
    c.x = c.y = 0.0;
    if (s.text->formula_mode)
        draw_formula(s, codes, n);
    else
        run_codes(s, codes, n);
    Measure m{std::max(0.0, c.extent), c.ink_top, c.ink_bottom, false};
    if (c.failed) m = Measure{0.0, 0.0, 0.0, true};
    s.text->cur = saved;
    return m;
}

TextBox box_of(const PlotState& s, const Measure& m) {
    double top = std::max(static_cast<double>(s.text->height - 1), m.top);
    double bottom = std::min(0.0, m.bottom);
    return TextBox{top - bottom, -bottom, static_cast<double>(round_text(m.length))};
}

// The out-of-page reports are suspended while measuring, and while a projection or a
// plane affine map is active: the page point of a string is then not where it ends up.
bool page_checks_on(const PlotState& s) {
    return !s.text->cur.measuring && !s.prims->projection_on && !s.prims->affine_on;
}

// Counts and reports a start or end point off the page; drawing goes on.
void check_page(PlotState& s, bool start, int x, int y, const char* text) {
    if (x >= 0 && x <= s.page.width && y >= 0 && y <= s.page.height) return;
    warn_off_page(s, start, x, y, text);
}

// Fills the background box of a string whose baseline starts at (bx, by).
void fill_background(PlotState& s, const Measure& m, double bx, double by) {
    const TextState& t = *s.text;
    TextBox box = box_of(s, m);
    double margin = t.height / 6.0;
    double u0 = -margin, u1 = m.length + margin;
    double v0 = -box.offset - margin, v1 = box.height - box.offset + margin;
    double sine = t.angle_sin, cosine = t.angle_cos;
    auto px = [&](double u, double v) { return bx + u * cosine - v * sine; };
    auto py = [&](double u, double v) { return by - v * cosine - u * sine; };
    if (t.angle % 360 == 0) {
        fill_box(s, px(u0, v1), py(u0, v1), px(u1, v0), py(u1, v0), t.background);
        return;
    }
    double xs[4] = {px(u0, v0), px(u1, v0), px(u1, v1), px(u0, v1)};
    double ys[4] = {py(u0, v0), py(u1, v0), py(u1, v1), py(u0, v1)};
    int colour = s.colours->current_colour;
    set_device_colour(s, t.background);
    fill_polygon(s, xs, ys, 4);
    set_device_colour(s, colour);
}

}  // namespace

void draw_text(PlotState& s, const char* text, double x, double y) {
    int codes[kMaxTextCodes];
    int n = convert_text(s, text, codes);
    if (n > 0) draw_codes(s, text, codes, n, x, y);
}

void draw_codes(PlotState& s, const char* text, const int* codes, int n, double x, double y) {
    TextState& t = *s.text;
    TextCursor& c = t.cur;
    if (n <= 0) return;

    bool continued = x == 999.0 && y == 999.0;
    double h = t.height;
    double bx = c.x, by = c.y;
    if (!continued) {
        bx = x + s.prims->origin_x + (h - 1.0) * t.angle_sin;
        by = y + s.prims->origin_y + (h - 1.0) * t.angle_cos;
    }
    if (t.background >= 0 || t.formula_mode) {
        Measure m = measure_codes(s, codes, n);
        if (m.failed) return;
        if (t.background >= 0) fill_background(s, m, bx, by);
    }

    begin_string(s);
    c.measuring = false;
    c.x = bx;
    c.y = by;
    if (!continued && page_checks_on(s))
        check_page(s, true, round_text(x + s.prims->origin_x), round_text(y + s.prims->origin_y),
                   text);
    c.start_x = c.x;
    c.start_y = c.y;

    if (t.formula_mode)
        draw_formula(s, codes, n);
    else
        run_codes(s, codes, n);
    c.str.raise = 0.0;

    if (page_checks_on(s))
        check_page(s, false, round_text(c.x - c.last_gap * t.angle_cos),
                   round_text(c.y + c.last_gap * t.angle_sin), text);
    if (s.colours->current_colour != c.start_colour) set_device_colour(s, c.start_colour);
    c.str.height = c.start_height;
    c.loaded = 0;
    flush_polyline(s);
}

void draw_text_sized(PlotState& s, const char* text, double x, double y, int height, int angle) {
    TextState& t = *s.text;
    if (x == 999.0 && y == 999.0) x = 1000.0;
    int old_height = t.height, old_angle = t.angle;
    double old_sin = t.angle_sin, old_cos = t.angle_cos;
    if (height >= 1 && height != t.height) t.height = height;
    if (angle != t.angle) {
        t.angle = angle;
        t.angle_sin = std::sin(angle * kDegreeToRadian);
        t.angle_cos = std::cos(angle * kDegreeToRadian);
    }
    draw_text(s, text, x, y);
    t.height = old_height;
    t.angle = old_angle;
    t.angle_sin = old_sin;
    t.angle_cos = old_cos;
}

double text_length(PlotState& s, const char* text) {
    int codes[kMaxTextCodes];
    int n = convert_text(s, text, codes);
    return codes_length(s, codes, n);
}

double codes_length(PlotState& s, const int* codes, int n) {
    if (n <= 0) return 0.0;
    return round_text(measure_codes(s, codes, n).length);
}

TextBox text_box(PlotState& s, const char* text) {
    int codes[kMaxTextCodes];
    int n = convert_text(s, text, codes);
    if (n <= 0) return TextBox{0.0, 0.0, 0.0};
    return box_of(s, measure_codes(s, codes, n));
}

}  // namespace gvx
