// The raster image writers besides PNG: PPM, BMP, GIF, TIFF and the library's own
// bitmap dump. Each writes a block of the raster canvas (the whole canvas for the dump)
// to a sink and reports the outcome as a status value that the caller turns into its
// numbered warning. A failed sink write always comes back as the file-error status;
// whatever was written before a failure stays in the sink.
#pragma once

#include <cstdint>

#include "gravox/core/sink.h"
#include "gravox/devices/png_writer.h"
#include "gravox/devices/raster_canvas.h"

namespace gvx {

// Status values of the PPM, BMP, GIF and TIFF writers.
enum class ImageStatus : int {
    ok = 0,
    file_error = -1,  // the sink refused a write
    no_memory = -2,   // a buffer could not be allocated
    no_image = -6,    // the canvas has no pixels, the block does not fit or no colour table
};

// Status values of the bitmap dump, which counts its failures upwards.
enum class DumpStatus : int {
    ok = 0,
    file_error = 1,
    no_memory = 2,
    no_image = -6,  // the canvas has no pixels
};

// Units of the TIFF resolution, with their values in the file.
enum class ResolutionUnit : int { inch = 2, centimetre = 3 };

// GIF output settings kept in the plot state (set before a plot is opened).
struct GifSettings {
    // Transparency on: "GIF89a" with a graphic control extension that makes the
    // background colour transparent.
    bool transparent = false;
};

// TIFF output settings kept in the plot state (set before a plot is opened).
struct TiffSettings {
    int resolution = 100;  // pixels per unit, positive
    ResolutionUnit unit = ResolutionUnit::inch;
};

// Resolution of BMP files in pixels per metre.
inline constexpr int kBmpResolution = 2500;

// Everything the writers read besides the canvas and the colour table.
struct ImageSettings {
    // "IND" and "BIL" write indexed images (TIFF: "BIL" one bit per pixel), "RGB" true
    // colour. PPM is always RGB.
    ImageFormat format = ImageFormat::indexed;
    // When set, only this block of the canvas is written; otherwise the whole canvas.
    bool clipped = false;
    ImageBlock block;
    // Colour value of the background; its low byte is the GIF background (and, with
    // transparency, transparent) palette index.
    std::int32_t background_colour = 0;
    GifSettings gif;
    TiffSettings tiff;
    int bmp_resolution = kBmpResolution;
};

// The settings of a PNG plot with the other formats at their defaults.
inline ImageSettings image_settings(const PngSettings& png) {
    ImageSettings s;
    s.format = png.format;
    s.clipped = png.clipped;
    s.block = png.block;
    return s;
}

// Each writer takes the colour table of table_size entries 0x00RRGGBB (entries past
// table_size count as black) for the palette of indexed output. On a true-colour canvas
// the GIF writer, and the BMP and TIFF writers with an indexed format, reduce the image
// to at most 256 colours and write the reduced palette instead.

// "P6", width, height, 255, then red, green, blue per pixel, rows top to bottom.
ImageStatus write_ppm(Sink& sink, const RasterCanvas& canvas, const ImageSettings& settings,
                      const std::uint32_t* colour_table, int table_size);

// Windows bitmap: 8 bits with a 256-entry palette, or 24 bits for "RGB"; rows bottom-up,
// each padded to a multiple of 4 bytes.
ImageStatus write_bmp(Sink& sink, const RasterCanvas& canvas, const ImageSettings& settings,
                      const std::uint32_t* colour_table, int table_size);

// GIF87a (GIF89a with transparency) with a global table of 256 colours and LZW data.
ImageStatus write_gif(Sink& sink, const RasterCanvas& canvas, const ImageSettings& settings,
                      const std::uint32_t* colour_table, int table_size);

// Little-endian TIFF, uncompressed, one strip per row: indexed with a colour map, RGB,
// or one bit per pixel for "BIL".
ImageStatus write_tiff(Sink& sink, const RasterCanvas& canvas, const ImageSettings& settings,
                       const std::uint32_t* colour_table, int table_size);

// The bitmap dump: an 80-byte text header, then the whole canvas row by row, one index
// byte per pixel or red, green, blue for a true-colour canvas. The block and the colour
// table are not used.
DumpStatus write_imag(Sink& sink, const RasterCanvas& canvas, const ImageSettings& settings,
                      const std::uint32_t* colour_table, int table_size);

}  // namespace gvx
