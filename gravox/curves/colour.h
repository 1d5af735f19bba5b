// Colours: the 256-entry colour table, its palettes and the named colours. The colour
// value itself (table indices and explicit colours) is in gravox/core/colour_value.h.
#pragma once

#include <cstdint>

#include "gravox/core/colour_value.h"

namespace gvx {

struct PlotState;

inline constexpr int kNamedColourCount = 9;
inline constexpr int kColourCycleLength = 30;

// The named colours in the order of the `color` keywords and of `named_colours`.
enum class NamedColour { white = 0, red, green, yellow, blue, orange, cyan, magenta, black };

struct ColourState {
    std::uint32_t table[kColourTableSize] = {};  // entries 0x00RRGGBB
    int palette_kind = 1;                        // kind of the loaded palette ("RAIN")
    std::int32_t current_colour = 0;             // colour of every primitive (set on the device)
    // WHITE, RED, GREEN, YELLOW, BLUE, ORANGE, CYAN, MAGENTA, BLACK after the device and
    // screen mode adjustments of the last palette load.
    std::int32_t named_colours[kNamedColourCount] = {};
    std::int32_t foreground_colour = 255;  // "FORE", and the colour after a palette load
    std::int32_t background_colour = 0;    // "BACK", and the partner of "HALF"
    std::int32_t under_colour = 0;         // below and above a colour scale
    std::int32_t over_colour = 255;
    int colour_range_first = 1;  // first and last table index of a colour scale
    int colour_range_last = 254;
    std::uint8_t keep_user_table = 0;                    // 1: myvlt filled the table before gvxini
    std::int32_t colour_cycle[kColourCycleLength] = {};  // automatic curve colours
};

// Components of a colour value: an explicit colour gives its bytes, an index those of
// its table entry; -1 (and any other negative value) gives the current colour's.
Rgb colour_components(const ColourState& c, std::int32_t value);

// Three fractions to an explicit colour: each must lie in [-0.001, 1.001] (NaN never
// does); component = trunc(f*255 + 0.5), kept within 0..255. Returns -1 when a fraction
// is outside the interval.
std::int32_t pack_rgb(double red, double green, double blue);

// The table entry nearest to a colour, for devices of 8 bits of colour or less. Black
// and white prefer entry 0, then the last entry of the palette (8 for "SMAL", 15 for
// "VGA ", 255 otherwise); other colours take the entry of the smallest sum of component
// distances, searched downwards when blue is 0 and upwards otherwise, the first of equal
// distances winning.
int nearest_table_index(const ColourState& c, Rgb colour);

// --- Replaying colours of a metafile ----------------------------------------------------
// True when the reversed screen mode turns the colours of the open plot's device.
bool screen_mode_reverses_colours(const PlotState& s);
// A colour table of a palette kind, and a colour value drawn with it, of a plot on a
// device that the reversed screen mode leaves alone, as the reversal would have made them:
// the background entry and the light end of the table change places, and so do the
// explicit values of WHITE and BLACK (both become black for the palettes without black).
void reverse_table(std::uint32_t* table, int kind);
std::int32_t reversed_colour(std::int32_t value, int kind);

// --- Palettes ------------------------------------------------------------------

// Palette keywords in the order of the palette kinds 0 to 8.
inline constexpr const char* kPaletteKeywords = "SMAL+RAIN+SPEC+GREY+RRAI+RSPE+RGRE+VGA +TEMP";
inline constexpr int kPaletteCount = 9;

// Writes the palette of a kind into the table: "SMAL" entries 0 to 8 and "VGA " entries
// 0 to 15 only, every other kind all 256 (the reversed kinds in their forward order; the
// palette load reverses them). An unknown kind writes nothing.
void fill_palette(int kind, std::uint32_t* table);

// The fixed data behind the palettes (palettes.cpp).
extern const std::uint32_t kRainbowTable[kColourTableSize];
extern const std::uint32_t kSpectrumTable[kColourTableSize];
extern const std::uint32_t kSmallTable[9];
extern const std::uint32_t kVgaTable[16];

// The whole palette load of `setvlt` for a keyword: kind, named colours with their device
// and screen mode adjustments, table, foreground and background, colour scale, cycle, and
// the hand-over to the device. A keyword that matches nothing gets warning 2 and changes
// nothing. Needs an open plot.
void load_palette(PlotState& s, const char* keyword);

// The per-plot colour reset of gvxini: the default palette, "rgrey" on device 501
// ("POST") and "rainbo" everywhere else.
void reset_colours(PlotState& s);

}  // namespace gvx
