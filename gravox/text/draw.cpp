// The drawing loop of the vector fonts: one character, one string, and measuring.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "gravox/core/state.h"
#include "gravox/devices/primitives.h"
#include "gravox/text/font_metrics.h"
#include "gravox/text/text.h"

namespace gvx {

int round_text(double value) {
    return truncate_coordinate(value >= 0.0 ? value + 0.5 : value - 0.5);
}

namespace {

// Decodes a packed word: x in the low byte, y in the high byte, both signed.
inline int low_byte(std::int16_t word) {
    return static_cast<std::int8_t>(static_cast<std::uint16_t>(word) & 0xff);
}
inline int high_byte(std::int16_t word) {
    return static_cast<std::int8_t>(static_cast<std::uint16_t>(word) >> 8);
}

// Record number (counted from 2) of a slot in an alphabet other than the standard
// one, or 0 when the alphabet has no glyph of its own for it.
int translate_slot(int font, int alphabet, int slot) {
    switch (alphabet) {
        case 2:  // Greek
        case 5:  // script
            if (slot >= 34 && slot <= 59) return slot - 32;
            if (slot >= 66 && slot <= 91) return slot - 38;
            if (slot >= 96) return slot - 42;
            return 0;
        case 3:  // mathematical
            if (slot >= 34 && slot <= 59) return slot - 32;
            if (slot >= 66 && slot <= 91) return slot - 38;
            if (slot == 96) return 54;
            return 0;
        case 4:  // italic: own records only in the fonts that have them
            if (font != 3 && font != 7) return 0;
            if (slot >= 66 && slot <= 91) return slot - 64;
            if (slot >= 99 && slot <= 101) return slot - 71;
            return 0;
        case 6:  // Cyrillic
            if (slot >= 5 && slot <= 7) return slot - 3;
            if (slot >= 29 && slot <= 31) return slot - 24;
            if (slot >= 34 && slot <= 63) return slot - 26;
            if (slot >= 66 && slot <= 95) return slot - 28;
            return 0;
        default:
            return 0;
    }
}

// The glyph record of a record number, found by walking the directory from its start.
// Returns the word index of the record, or -1 for an empty record (the walk ran past
// the last record or off the directory).
int find_record(const FontAlphabet& a, int record) {
    if (!a.directory || a.directory_length <= 0) return -1;
    int position = 0;
    for (int r = 2; r < record; ++r) {
        int length = a.directory[position];
        if (length <= 0) return -1;
        position += length;
        if (position >= a.directory_length) return -1;
    }
    if (a.directory[position] <= 0) return -1;
    return position;
}

// Calls fn(x, y, first) for every point of every stroke of a record, in grid units
// with the stroke offset applied. Strokes that would read outside the coordinate
// table are skipped.
template <typename Fn>
void for_each_point(const FontAlphabet& a, int record_start, int font, Fn fn) {
    const std::int16_t* dir = a.directory;
    int end = std::min(record_start + dir[record_start], a.directory_length);
    double offset_unit = font > 10 ? 2.0 : 0.5;
    int i = record_start + 1;
    while (i + 1 < end) {
        int count = dir[i];
        int start = dir[i + 1];
        i += 2;
        double ox = 0.0, oy = 0.0;
        if (count < 0) {
            if (i >= end) break;
            ox = low_byte(dir[i]) * offset_unit;
            oy = high_byte(dir[i]) * offset_unit;
            ++i;
            count = -count;
        }
        if (count == 0 || start < 1 || start - 1 + count > a.coordinate_count) continue;
        for (int k = 0; k < count; ++k) {
            int index = start - 1 + k;
            double x, y;
            if (a.packed) {
                x = low_byte(a.x_table[index]);
                y = high_byte(a.x_table[index]);
            } else {
                x = a.x_table[index];
                y = a.y_table[index];
            }
            fn(x + ox, y + oy, k == 0);
        }
    }
}

// Moves the text position along the baseline.
void advance(TextCursor& c, double sine, double cosine, double distance) {
    c.x += distance * cosine;
    c.y -= distance * sine;
    c.along += distance;
}

}  // namespace

void load_scales(PlotState& s, int alphabet) {
    TextCursor& c = s.text->cur;
    if (c.loaded == alphabet) return;
    const FontAlphabet& a = s.text->font.alphabets[alphabet - 1];
    double h = c.str.height;
    c.x_scale = a.x_divisor > 0 ? (h - 1.0) * c.str.width_factor / a.x_divisor : 0.0;
    c.y_scale = a.y_divisor > 0 ? (h - 1.0) / a.y_divisor : 0.0;
    c.gap = c.str.fixed ? h * c.str.spacing : h * (c.str.spacing + a.gap_factor);
    c.loaded = alphabet;
}

void draw_code(PlotState& s, int code) {
    TextState& t = *s.text;
    TextCursor& c = t.cur;
    const FontRecord& font = t.font;
    if (font.alphabet_count < 1) return;

    // The coding may choose another alphabet for this one character.
    int alphabet = c.alphabet;
    code = translate_code(t.coding, code, alphabet);
    if (alphabet < 1 || alphabet > font.alphabet_count) alphabet = 1;
    if (s.formats->hardware_font >= 0 && hardware_character(s, code, alphabet)) return;
    int slot = code - 31;
    if (slot < 1 || slot > font.alphabets[alphabet - 1].slot_count) slot = 1;
    load_scales(s, alphabet);

    int drawn_from = alphabet;
    int record = slot;
    bool slanted = false;
    bool native_script = false;
    if (slot > 1 && alphabet != 1) {
        int translated = translate_slot(font.number, alphabet, slot);
        if (translated == 0 || slot > font.alphabets[0].slot_count) {
            // Drawn from the standard alphabet, slanted in the italic and script ones.
            slanted = alphabet == 4 || alphabet == 5;
            if (alphabet == 5 && c.previous_script) {
                load_scales(s, 1);
                advance(c, t.angle_sin, t.angle_cos, c.gap);
            }
            drawn_from = 1;
            load_scales(s, 1);
            if (slot > font.alphabets[0].slot_count) slot = 1;
            record = slot;
        } else {
            record = translated;
            native_script = alphabet == 5;
        }
    }
    c.previous_script = native_script;

    const double sine = t.angle_sin, cosine = t.angle_cos;
    const double h = c.str.height;
    const bool fixed_cell = c.str.fixed;
    const double cell = c.str.fixed_factor * font.fixed_pitch * c.str.width_factor * (h - 1.0);

    double width = 0.0;
    int start = -1;
    if (slot == 1) {
        width = fixed_cell ? cell : font.blank_width * c.x_scale;
    } else {
        const FontAlphabet& a = font.alphabets[drawn_from - 1];
        start = find_record(a, record);
        if (font.number == 1 && drawn_from == 1) {
            width = 6.0 * c.x_scale;
        } else if (start >= 0) {
            double largest = 0.0;
            for_each_point(a, start, font.number,
                           [&](double x, double, bool) { largest = std::max(largest, x); });
            width = largest * c.x_scale;
        }
    }

    double before = 0.0;  // forward move before the glyph (centring in a fixed cell)
    double total = c.gap + width;
    if (fixed_cell && slot != 1) {
        before = (cell - width) / 2.0;
        total = c.gap + cell;
    } else if (fixed_cell) {
        total = c.gap + cell;
    }
    advance(c, sine, cosine, before);

    if (start >= 0) {
        const FontAlphabet& a = font.alphabets[drawn_from - 1];
        const double slant = c.str.slant + (slanted ? 1.0 / kItalicShear : 0.0);
        const double e = c.str.raise;
        const double x0 = c.x, y0 = c.y;
        const double xs = c.x_scale, ys = c.y_scale;
        for_each_point(a, start, font.number, [&](double gx, double gy, bool first) {
            double v = ys * gy;
            double u = xs * gx + v * slant;
            c.ink_top = std::max(c.ink_top, v + e);
            c.ink_bottom = std::min(c.ink_bottom, v + e);
            if (c.measuring) return;
            double px = x0 - e * sine + u * cosine - v * sine;
            double py = y0 - e * cosine - v * cosine - u * sine;
            if (first)
                move_to(s, px, py);
            else
                draw_to(s, px, py);
        });
    }

    advance(c, sine, cosine, total - before);
    c.extent = std::max(c.extent, c.along - c.gap);
    c.last_gap = c.gap;
    c.last_width = width;
}

}  // namespace gvx
