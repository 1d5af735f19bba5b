// Lookups in the colour table and the colour reversal of the reversed screen mode.
#include "gravox/core/colour_table.h"

#include <cstdlib>
#include <utility>

#include "gravox/core/files.h"
#include "gravox/core/frame.h"
#include "gravox/core/output_catalogue.h"
#include "gravox/core/state.h"

namespace gvx {
namespace {

constexpr int kind_of(PaletteKind kind) {
    return static_cast<int>(kind);
}

}  // namespace

int reversal_partner(int kind) {
    return kind == kind_of(PaletteKind::small) ? 1 : kind == kind_of(PaletteKind::vga) ? 15 : 255;
}

bool lacks_black(int kind) {
    return kind == kind_of(PaletteKind::small) || kind == kind_of(PaletteKind::grey) ||
           kind == kind_of(PaletteKind::reversed_grey);
}

Rgb colour_components(const ColourState& c, std::int32_t value) {
    if (value < 0) value = c.current_colour;
    if (value < 0) return {};
    if (is_explicit_colour(value)) return explicit_components(value);
    return entry_components(c.table[table_index(value)]);
}

int nearest_table_index(const ColourState& c, Rgb colour) {
    const int last = c.palette_kind == kind_of(PaletteKind::small) ? 8
                     : c.palette_kind == kind_of(PaletteKind::vga) ? 15
                                                                   : 255;
    return nearest_entry(colour, last, [&](int i) { return entry_components(c.table[i]); });
}

bool screen_mode_reverses_colours(const PlotState& s) {
    return is_reverse_mode(s.files.screen_mode_effective) &&
           output_row(s.frame.device).reversal.reversible;
}

void reverse_table(std::uint32_t* table, int kind) {
    std::swap(table[0], table[reversal_partner(kind)]);
}

std::int32_t reversed_colour(std::int32_t value, int kind) {
    if (value == kExplicitWhite) return kExplicitBlack;
    if (value == kExplicitBlack && !lacks_black(kind)) return kExplicitWhite;
    return value;
}

}  // namespace gvx
