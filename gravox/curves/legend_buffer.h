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

#include <concepts>
#include <cstddef>

namespace gvx {

struct LegendBuffer {
    char* data = nullptr;
    long size = -1;  // characters available, -1 when unknown

    template <std::size_t N>
    LegendBuffer(char (&array)[N]) : data(array), size(static_cast<long>(N)) {}
    template <typename P>
    requires std::same_as<P, char*> LegendBuffer(P pointer) : data(pointer) {}
    LegendBuffer(char* pointer, long characters) : data(pointer), size(characters) {}
};

}  // namespace gvx
