// Colours: the 256-entry colour table, its palettes and the named colours.
#pragma once

#include <cstdint>

namespace gvx {

struct ColourState {
    std::uint32_t table[256] = {};  // entries 0x00RRGGBB
    int palette_kind = 1;           // kind of the loaded palette ("RAIN")
};

}  // namespace gvx
