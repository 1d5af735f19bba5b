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
    if (colour == Rgb{0, 0, 0} || colour == Rgb{255, 255, 255}) {
        const std::uint32_t grey = colour.red == 0 ? 0x000000u : 0xFFFFFFu;
        if (c.table[0] == grey) return 0;
        if (c.table[last] == grey) return last;
    }
    int best = 1000, answer = 0;
    // Returns true on an exact match, which ends the search.
    auto probe = [&](int i) {
        const Rgb e = entry_components(c.table[i]);
        const int d = std::abs(colour.red - e.red) + std::abs(colour.green - e.green) +
                      std::abs(colour.blue - e.blue);
        if (d < best) {
            best = d;
            answer = i;
        }
        return d == 0;
    };
    if (colour.blue == 0) {
        for (int i = last; i >= 0; --i)
            if (probe(i)) break;
    } else {
        for (int i = 0; i <= last; ++i)
            if (probe(i)) break;
    }
    return answer;
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
