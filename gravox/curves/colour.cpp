// Colours: colour values, the palette load with its device and screen mode rules, and
// the public routines that select colours and fill the colour table.
#include <cstdlib>
#include <utility>

#include "gravox/core/output_catalogue.h"
#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"
#include "gravox/curves/colour.h"
#include "gravox/devices/primitives.h"
#include "gravox/gravox.h"

namespace gvx {
namespace {

// Fractions of setrgb (and of the packing used by "GRAY" and "HALF") may stray this far
// outside [0, 1]; the user table routines allow only the library's real tolerance.
constexpr double kRgbSlack = 0.001;
constexpr double kRealTolerance = 1e-35;

// Named colours of the colour palettes: WHITE, RED, GREEN, YELLOW, BLUE, ORANGE, CYAN,
// MAGENTA, BLACK.
constexpr std::int32_t kColourNames[kNamedColourCount] = {0x01FFFFFF, 0x010000FF, 0x0100FF00,
                                                          0x0100FFFF, 0x01FF0000, 0x010080FF,
                                                          0x01FFFF00, 0x01FF00FF, 0x01000000};

// Grey levels that stand for the same names under the grey palettes.
constexpr int kGreyNames[kNamedColourCount] = {255, 230, 185, 150, 95, 215, 175, 110, 0};

constexpr int kWhite = static_cast<int>(NamedColour::white);
constexpr int kBlack = static_cast<int>(NamedColour::black);

// The number of a palette kind, as palette_kind stores it.
constexpr int kind_of(PaletteKind kind) {
    return static_cast<int>(kind);
}

bool is_grey_kind(int kind) {
    return kind == kind_of(PaletteKind::grey) || kind == kind_of(PaletteKind::reversed_grey);
}
bool is_reversed_kind(int kind) {
    return kind == kind_of(PaletteKind::reversed_rainbow) ||
           kind == kind_of(PaletteKind::reversed_spectrum) ||
           kind == kind_of(PaletteKind::reversed_grey);
}
// Kinds with a full range of colours between a dark first and a light last entry.
bool is_ramp_kind(int kind) {
    return kind == kind_of(PaletteKind::rainbow) || kind == kind_of(PaletteKind::spectrum) ||
           kind == kind_of(PaletteKind::grey) || kind == kind_of(PaletteKind::temperature);
}

// Accepts v in [lower, upper]; NaN is never accepted.
bool within(double v, double lower, double upper) {
    return v >= lower && v <= upper;
}

// A fraction to a component byte: trunc(f*255 + 0.5), kept within 0..255.
int component_byte(double fraction) {
    const double v = fraction * 255.0 + 0.5;
    if (!(v > 0.0)) return 0;
    if (v >= 255.0) return 255;
    return static_cast<int>(v);
}

void load_named_colours(ColourState& c, int kind, const OutputRow& out, int depth) {
    for (int i = 0; i < kNamedColourCount; ++i)
        c.named_colours[i] = is_grey_kind(kind)
                                 ? explicit_colour(Rgb{static_cast<std::uint8_t>(kGreyNames[i]),
                                                       static_cast<std::uint8_t>(kGreyNames[i]),
                                                       static_cast<std::uint8_t>(kGreyNames[i])})
                                 : kColourNames[i];
    std::int32_t& white = c.named_colours[kWhite];
    std::int32_t& black = c.named_colours[kBlack];
    const bool paper = out.page == PageKind::paper;

    // Palettes without a usable black (the small and grey ones) draw BLACK as WHITE; on
    // paper, white ink would be invisible, so the light and dark names become black.
    if (kind == kind_of(PaletteKind::small) || kind == kind_of(PaletteKind::grey) ||
        kind == kind_of(PaletteKind::reversed_grey))
        black = white;
    if (kind == kind_of(PaletteKind::small) && paper) white = black = kExplicitBlack;
    if (is_ramp_kind(kind) && out.white_ink_black) white = kExplicitBlack;
    if (is_reversed_kind(kind)) {
        if (paper)
            white = black = kExplicitBlack;
        else if (depth <= 8)
            std::swap(white, black);
    }
    if (kind == kind_of(PaletteKind::vga) && paper) {
        black = kExplicitWhite;
        white = kExplicitBlack;
    }
}

void fill_table(ColourState& c, int kind, const OutputRow& out) {
    fill_palette(kind, c.table);
    if (out.page == PageKind::paper) {
        if (kind == kind_of(PaletteKind::small))
            std::swap(c.table[0], c.table[1]);  // white paper at 0, ink at 1
        if (kind == kind_of(PaletteKind::vga)) std::swap(c.table[0], c.table[15]);
    }
    if (is_reversed_kind(kind))
        for (int i = 0; i < kColourTableSize / 2; ++i) std::swap(c.table[i], c.table[255 - i]);
}

void set_scale_colours(ColourState& c, int kind, const OutputRow& out, int depth) {
    c.foreground_colour = 255;
    c.background_colour = 0;
    c.under_colour = 0;
    c.over_colour = 255;
    if (out.page != PageKind::screen && is_ramp_kind(kind)) {
        c.background_colour = 255;
        c.foreground_colour = 0;
    } else if (kind == kind_of(PaletteKind::small)) {
        c.over_colour = 9;
        c.foreground_colour = 1;
    } else if (kind == kind_of(PaletteKind::vga)) {
        c.over_colour = 15;
        c.foreground_colour = 15;
    } else if (is_reversed_kind(kind) && depth > 8 && out.page != PageKind::paper) {
        c.background_colour = 255;
        c.foreground_colour = 0;
    }
    c.colour_range_first = 1;
    c.colour_range_last = c.over_colour - 1;
}

// Black on white: the background entry and the light end of the palette change places.
void reverse_for_screen_mode(ColourState& c, int kind) {
    std::swap(c.table[0], c.table[reversal_partner(kind)]);
    std::swap(c.under_colour, c.over_colour);
    std::int32_t& white = c.named_colours[kWhite];
    std::int32_t& black = c.named_colours[kBlack];
    if (lacks_black(kind))
        white = black = kExplicitBlack;
    else
        std::swap(white, black);
}

// The cycle of automatic curve colours: WHITE to MAGENTA, over and over; never BLACK.
void fill_colour_cycle(ColourState& c) {
    for (int k = 1; k <= kColourCycleLength; ++k) {
        const int name = k % 8 == 0 ? 8 : k % 8;
        c.colour_cycle[k - 1] = c.named_colours[name - 1];
    }
}

// Checks and converts user fractions to a table entry; false (after warning 2) when a
// fraction lies outside [-e, 1 + e].
bool user_entry(PlotState& s, double red, double green, double blue, std::uint32_t& entry) {
    for (double f : {red, green, blue}) {
        if (!within(f, -kRealTolerance, 1.0 + kRealTolerance)) {
            warn(s, warning::incorrect_parameter);
            return false;
        }
    }
    entry = table_entry(Rgb{static_cast<std::uint8_t>(component_byte(red)),
                            static_cast<std::uint8_t>(component_byte(green)),
                            static_cast<std::uint8_t>(component_byte(blue))});
    return true;
}

}  // namespace

std::int32_t pack_rgb(double red, double green, double blue) {
    for (double f : {red, green, blue})
        if (!within(f, -kRgbSlack, 1.0 + kRgbSlack)) return -1;
    return explicit_colour(Rgb{static_cast<std::uint8_t>(component_byte(red)),
                               static_cast<std::uint8_t>(component_byte(green)),
                               static_cast<std::uint8_t>(component_byte(blue))});
}

void load_palette(PlotState& s, const char* keyword) {
    const int index = match_keyword(s, kPaletteKeywords, kPaletteCount, keyword);
    if (index == 0) return;
    ColourState& c = *s.colours;
    const OutputRow& out = output_row(s.frame.device);
    const int depth = s.page.colour_depth;

    int kind = index - 1;
    if (out.palette == DefaultPalette::small_only) kind = kind_of(PaletteKind::small);
    c.palette_kind = kind;

    load_named_colours(c, kind, out, depth);
    if (c.keep_user_table == 1)
        c.keep_user_table = 0;  // the table stays as myvlt left it, this once
    else
        fill_table(c, kind, out);
    set_scale_colours(c, kind, out, depth);
    if (screen_mode_reverses_colours(s)) reverse_for_screen_mode(c, kind);
    fill_colour_cycle(c);

    load_device_palette(s);
    set_device_colour(s, c.foreground_colour);
}

void reset_colours(PlotState& s) {
    const bool grey = output_row(s.frame.device).palette == DefaultPalette::reversed_grey;
    load_palette(s, grey ? "rgrey" : "rainbo");
}

}  // namespace gvx

using namespace gvx;

void Gravox::color(const char* name) {
    if (refused("color", 1, 3)) return;
    PlotState& s = *state_;
    const ColourState& c = *s.colours;
    const int index = match_keyword(
        s, "WHIT+RED +GREE+YELL+BLUE+ORAN+CYAN+MAGE+BLAC+FORE+BACK+GRAY+HALF", 13, name);
    if (index == 0) return;
    std::int32_t value = 0;
    if (index <= kNamedColourCount) {
        value = c.named_colours[index - 1];
    } else if (index == 10) {
        value = c.foreground_colour;
    } else if (index == 11) {
        value = c.background_colour;
    } else if (index == 12) {
        value = pack_rgb(0.5, 0.5, 0.5);
    } else {
        // Half way between the current colour and the background.
        const Rgb a = colour_components(c, c.current_colour);
        const Rgb b = colour_components(c, c.background_colour);
        value = pack_rgb((a.red / 255.0 + b.red / 255.0) / 2.0,
                         (a.green / 255.0 + b.green / 255.0) / 2.0,
                         (a.blue / 255.0 + b.blue / 255.0) / 2.0);
    }
    set_device_colour(s, value);
}

void Gravox::setclr(int colour) {
    if (refused("setclr", 1, 3)) return;
    if (check_range(*state_, colour, 0, -1) != 0) return;
    set_device_colour(*state_, colour);
}

void Gravox::setrgb(double red, double green, double blue) {
    if (refused("setrgb", 1, 3)) return;
    const std::int32_t value = pack_rgb(red, green, blue);
    if (value < 0) {
        warn(*state_, warning::incorrect_parameter);
        return;
    }
    set_device_colour(*state_, value);
}

void Gravox::setvlt(const char* palette) {
    if (refused("setvlt", 1, 3)) return;
    load_palette(*state_, palette);
}

void Gravox::myvlt(const double* red, const double* green, const double* blue, int n) {
    if (refused("myvlt", 0, 3)) return;
    PlotState& s = *state_;
    if (check_range(s, n, 1, kColourTableSize) != 0) return;
    if (!red || !green || !blue) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    // Every entry is checked before the first one is written.
    std::uint32_t entries[kColourTableSize];
    for (int i = 0; i < n; ++i)
        if (!user_entry(s, red[i], green[i], blue[i], entries[i])) return;
    for (int i = 0; i < n; ++i) s.colours->table[i] = entries[i];
    if (s.frame.level > 0)
        load_device_palette(s);
    else
        s.colours->keep_user_table = 1;  // the next gvxini keeps this table
}

void Gravox::setind(int index, double red, double green, double blue) {
    if (refused("setind", 1, 3)) return;
    PlotState& s = *state_;
    if (check_range(s, index, 0, kColourTableSize - 1) != 0) return;
    std::uint32_t entry = 0;
    if (!user_entry(s, red, green, blue, entry)) return;
    s.colours->table[index] = entry;
    load_device_palette(s);
}

int Gravox::getclr() {
    if (refused("getclr", 1, 3)) return 0;
    return state_->colours->current_colour;
}
