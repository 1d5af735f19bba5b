// The colour table of a plot: its 256 entries, the named colours of the loaded palette
// and the colours of scales and curves, with the lookups the devices need. The colour
// value itself is in gravox/core/colour_value.h; palettes and the colour routines are
// in gravox/curves/colour.h.
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

// The table entry nearest to a colour, for devices of 8 bits of colour or less. Black
// and white prefer entry 0, then the last entry of the palette (8 for "SMAL", 15 for
// "VGA ", 255 otherwise); other colours take the entry of the smallest sum of component
// distances, searched downwards when blue is 0 and upwards otherwise, the first of equal
// distances winning.
int nearest_table_index(const ColourState& c, Rgb colour);

// --- Reversed colours -------------------------------------------------------------------
// True when the reversed screen mode turns the colours of the open plot's device.
bool screen_mode_reverses_colours(const PlotState& s);
// A colour table of a palette kind, and a colour value drawn with it, of a plot on a
// device that the reversed screen mode leaves alone, as the reversal would have made them:
// the background entry and the light end of the table change places, and so do the
// explicit values of WHITE and BLACK (both become black for the palettes without black).
void reverse_table(std::uint32_t* table, int kind);
std::int32_t reversed_colour(std::int32_t value, int kind);

// The table entry that changes places with the background entry under REVERS.
int reversal_partner(int kind);
// Palettes without a usable black: under REVERS both WHITE and BLACK draw black.
bool lacks_black(int kind);

}  // namespace gvx
