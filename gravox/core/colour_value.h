// The colour value: what every layer from the devices up passes as a colour.
//
// A colour value is a signed 32-bit integer in one of two forms:
//   0 .. 255                  an index into the colour table;
//   0x01000000 .. 0x01FFFFFF  an explicit colour 0x01000000 + blue*65536 + green*256 + red.
// Any other non-negative value is read as a table index modulo 256, and kCurrentColour
// (-1) in a colour attribute stands for "no colour of its own": the current colour is used.
//
// Table entries are 0x00RRGGBB: red in bits 16 to 23, blue in the low byte. That is the
// reverse of the explicit form, which keeps red in the low byte.
#pragma once

#include <cstdint>
#include <cstdlib>

namespace gvx {

inline constexpr int kColourTableSize = 256;
inline constexpr std::int32_t kExplicitColour = 0x01000000;  // tag of an explicit colour
inline constexpr std::int32_t kExplicitBlack = 0x01000000;
inline constexpr std::int32_t kExplicitWhite = 0x01FFFFFF;
// A colour attribute without a colour of its own: drawn in the current colour.
inline constexpr std::int32_t kCurrentColour = -1;

// Three colour components of 0 to 255.
struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Palette kinds of the colour table, in the order of the palette keywords of setvlt
// ("SMAL+RAIN+SPEC+GREY+RRAI+RSPE+RGRE+VGA +TEMP"); they decide how many entries a
// device loads.
enum class PaletteKind {
    small = 0,
    rainbow = 1,
    spectrum = 2,
    grey = 3,
    reversed_rainbow = 4,
    reversed_spectrum = 5,
    reversed_grey = 6,
    vga = 7,
    temperature = 8,
};

constexpr bool is_explicit_colour(std::int32_t value) {
    return value >= kExplicitBlack && value <= kExplicitWhite;
}

constexpr std::int32_t explicit_colour(Rgb c) {
    return kExplicitColour + (c.blue << 16) + (c.green << 8) + c.red;
}

constexpr std::uint32_t table_entry(Rgb c) {
    return (static_cast<std::uint32_t>(c.red) << 16) + (c.green << 8) + c.blue;
}

constexpr Rgb entry_components(std::uint32_t entry) {
    return {static_cast<std::uint8_t>(entry >> 16), static_cast<std::uint8_t>(entry >> 8),
            static_cast<std::uint8_t>(entry)};
}

constexpr Rgb explicit_components(std::int32_t value) {
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16)};
}

// The table index that a non-explicit, non-negative colour value stands for.
constexpr int table_index(std::int32_t value) {
    return value & 0xFF;
}

// The entry of 0..last nearest to a colour, entry(i) giving the components of entry i.
// Pure black and white prefer entry 0, then entry last, when either holds them exactly;
// every other colour takes the entry of the smallest sum of component distances,
// searched downwards when blue is 0 and upwards otherwise, the first of equal distances
// winning and an exact match ending the search.
template <class Entry>
int nearest_entry(Rgb colour, int last, Entry entry) {
    if (colour == Rgb{0, 0, 0} || colour == Rgb{255, 255, 255}) {
        if (entry(0) == colour) return 0;
        if (entry(last) == colour) return last;
    }
    int best = 1000, answer = 0;
    auto probe = [&](int i) {
        const Rgb e = entry(i);
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

}  // namespace gvx
