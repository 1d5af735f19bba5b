// The caller's legend text buffer as the legend routines receive it.
//
// A legend buffer holds nlin lines of nmaxln characters each, one after the other,
// blank-padded and without terminators between them. The buffer belongs to the caller;
// the library writes only the nlin * nmaxln characters that `legini` was told.
//
// Passed as a character array, the buffer carries its size, and a buffer too small for
// the lines asked for is refused with warning 17 instead of being written past its end.
// Passed as a bare pointer, its size is unknown and the caller vouches for it; a pointer
// and a size can be given together as well.
#pragma once

#include <cstddef>
#include <type_traits>

/// @file
/// The caller's legend text buffer as the legend routines receive it.

/// Types of the library's interface besides class Gravox.
namespace gvx {

/// The caller's legend text buffer: nlin lines of nmaxln characters (see Gravox::legini).
struct LegendBuffer {
    char* data = nullptr;  ///< the first character
    long size = -1;        ///< characters available, -1 when unknown

    /// A character array, whose size is known.
    /// @param array the buffer.
    template <std::size_t N>
    LegendBuffer(char (&array)[N]) : data(array), size(static_cast<long>(N)) {}
    /// A bare pointer: the caller vouches for the size.
    /// @param pointer the first character.
    template <typename P, typename = std::enable_if_t<std::is_same_v<P, char*>>>
    LegendBuffer(P pointer) : data(pointer) {}
    /// A pointer with the number of characters available.
    /// @param pointer the first character.
    /// @param characters characters available from there.
    LegendBuffer(char* pointer, long characters) : data(pointer), size(characters) {}
};

}  // namespace gvx
