// Colours: the 256-entry colour table, its palettes and the named colours. The colour
// value itself (table indices and explicit colours) is in gravox/core/colour_value.h.
#pragma once

#include <cstdint>

#include "gravox/core/colour_table.h"

namespace gvx {

struct PlotState;

// Three fractions to an explicit colour: each must lie in [-0.001, 1.001] (NaN never
// does); component = trunc(f*255 + 0.5), kept within 0..255. Returns -1 when a fraction
// is outside the interval.
std::int32_t pack_rgb(double red, double green, double blue);

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
