// The PNG writer: writes a block of the raster canvas as a PNG stream to a sink.
//
// The stream is the signature, "IHDR", "PLTE" with all 256 colour table entries
// (indexed output only), "tRNS" when transparency is on, one "IDAT" holding the whole
// zlib stream of the filtered rows (filter type 0 on every row, compressed by one
// deflate call at zlib's default level) and "IEND".
#pragma once

#include <cstddef>
#include <cstdint>

#include "gravox/core/sink.h"
#include "gravox/devices/raster_canvas.h"

namespace gvx {

// Status values of the image writers; the caller turns them into numbered warnings
// (file error 36, not enough memory 53, anything else from zlib 126 "ZLIB error").
enum class PngStatus : int {
    ok = 0,
    file_error = -1,    // the sink refused a write
    no_memory = -2,     // a buffer could not be allocated
    zlib_init = -3,     // deflateInit failed
    zlib_deflate = -4,  // deflate did not finish the stream in one call
    zlib_end = -5,      // deflateEnd failed
    no_image = -6,      // the canvas has no pixels, the block does not fit or no colour table
};

// A block of the image in pixels: the column and row of its upper left corner and its size.
struct ImageBlock {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The settings of the PNG output that the plot state keeps.
struct PngSettings {
    // "RGB" writes colour type 2; "IND" and "BIL" write colour type 3 with a palette.
    ImageFormat format = ImageFormat::indexed;
    // Transparency on: palette entry 0 (indexed) or white (RGB) is transparent.
    bool transparent = false;
    // When set, only this block of the canvas is written; otherwise the whole canvas.
    bool clipped = false;
    ImageBlock block;
};

// Writes the canvas as PNG. colour_table holds table_size entries 0x00RRGGBB for the
// palette; the palette always has 256 entries, entries past table_size are black.
// Nothing is written when the canvas, block or table are unusable (no_image). Any other
// failure stops the stream where it happened; the sink keeps what was written.
PngStatus write_png(Sink& sink, const RasterCanvas& canvas, const PngSettings& settings,
                    const std::uint32_t* colour_table, int table_size);

// CRC-32 of the PNG chunks (the reflected polynomial 0xEDB88320), continued from crc;
// start with 0. Exposed for tests and for other writers that build chunks.
std::uint32_t png_crc(std::uint32_t crc, const void* data, std::size_t n);

}  // namespace gvx
