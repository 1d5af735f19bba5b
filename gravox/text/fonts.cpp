// Loading the built-in vector fonts and registering their alphabets.
#include <cstdlib>

#include "gravox/core/state.h"
#include "gravox/formats/formats.h"
#include "gravox/text/font_data.h"
#include "gravox/text/text.h"

namespace gvx {

namespace {

// Grid divisors, gap factors and blank width of a font, alphabets 1 to 6.
void set_metrics(FontRecord& font) {
    for (int i = 0; i < kAlphabetCount; ++i) {
        FontAlphabet& a = font.alphabets[i];
        int alphabet = i + 1;
        bool latin_like = alphabet == 1 || alphabet == 2 || alphabet == 4;
        a.x_divisor = 20;
        a.y_divisor = 21;
        a.gap_factor = 0.25;
        if (font.number == 1 && latin_like) {
            a.x_divisor = 6;
            a.y_divisor = 7;
            a.gap_factor = 0.0;
        } else if (font.number == 2 && latin_like) {
            a.x_divisor = 12;
            a.y_divisor = 13;
            a.gap_factor = 1.0 / 6.0;
        } else if (font.number > 10 && (alphabet == 1 || alphabet == 4)) {
            a.x_divisor = 200;
            a.y_divisor = 200;
            a.gap_factor = 0.2;
        }
        // Script letters join: no gap (except in font 7, which is not built in).
        if (alphabet == 5 && font.number != 7) a.gap_factor = 0.0;
    }
    font.alphabets[0].direct_layout = true;
    font.blank_width = font.number == 1 ? 6 : font.number == 2 ? 5 : font.number > 10 ? 60 : 9;
    font.fixed_pitch = 1.4;
}

}  // namespace

void register_alphabet(FontRecord& font, const std::int16_t* x, const std::int16_t* y, int a,
                       const std::int16_t* directory, int b, int slots) {
    if (font.alphabet_count >= kAlphabetCount) return;
    FontAlphabet& alphabet = font.alphabets[font.alphabet_count];
    const FontAlphabet& first = font.alphabets[0];
    bool has_first = font.alphabet_count > 0;
    if (a == 0 && has_first) {
        alphabet.x_table = first.x_table;
        alphabet.y_table = first.y_table;
        alphabet.coordinate_count = first.coordinate_count;
        alphabet.packed = first.packed;
    } else {
        alphabet.x_table = x;
        alphabet.y_table = a < 0 ? y : x;
        alphabet.coordinate_count = a < 0 ? -a : a;
        alphabet.packed = a < 0 ? 0 : 1;
    }
    if (!alphabet.x_table || !alphabet.y_table) alphabet.coordinate_count = 0;
    if (b == 0 && has_first) {
        alphabet.directory = first.directory;
        alphabet.directory_length = first.directory_length;
    } else {
        alphabet.directory = directory;
        alphabet.directory_length = directory ? b : 0;
    }
    alphabet.directory_offset = b != 0 ? font.directory_total : 0;
    alphabet.coordinate_offset = a != 0 ? font.coordinate_total : 0;
    alphabet.slot_count = slots;
    font.directory_total += b;
    font.coordinate_total += a < 0 ? -a : a;
    ++font.alphabet_count;
}

void load_font(PlotState& s, int number) {
    FontRecord& font = s.text->font;
    font = FontRecord{};
    font.number = number;
    font.kind = FontKind::vector;
    s.formats->hardware_font = -1;  // a vector font replaces a standard font of psfont
    s.formats->hardware_latin1 = true;
    set_metrics(font);
    const FontData& data = number == 3 ? kComplxFontData : kGvxalfFontData;
    for (const AlphabetData& a : data.alphabets) {
        int coordinates = a.coords ? a.coord_count : 0;
        int directory = a.directory ? a.directory_length : 0;
        register_alphabet(font, a.coords, a.coords, coordinates, a.directory, directory,
                          a.slot_count);
    }
    s.text->cur.loaded = 0;
}

}  // namespace gvx
