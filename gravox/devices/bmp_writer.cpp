#include "gravox/devices/image_writer_internal.h"
#include "gravox/devices/image_writers.h"

namespace gvx {

ImageStatus write_bmp(Sink& sink, const RasterCanvas& canvas, const ImageSettings& settings,
                      const std::uint32_t* colour_table, int table_size) {
    using namespace image_io;
    ImageBlock block;
    if (!resolve_block(canvas, settings, block)) return ImageStatus::no_image;
    const bool rgb = settings.format == ImageFormat::rgb;
    // An indexed image of an indexed canvas takes its palette from the colour table.
    if (!rgb && !canvas.true_colour() && (!colour_table || table_size < 1))
        return ImageStatus::no_image;
    if (sink.failed()) return ImageStatus::file_error;

    const auto w = static_cast<std::uint32_t>(block.width);
    const auto h = static_cast<std::uint32_t>(block.height);
    const std::uint32_t bytes_per_pixel = rgb ? 3 : 1;
    // Rows are padded with zero bytes to a multiple of four.
    const std::uint32_t row_size = (w * bytes_per_pixel + 3) & ~3u;
    const std::uint32_t palette_size = rgb ? 0 : 256;

    auto row = allocate(row_size);
    auto pixels = allocate(static_cast<std::size_t>(w) * 3);
    if (!row || !pixels) return ImageStatus::no_memory;
    IndexedRows indexed(canvas, block, colour_table, table_size);
    if (!rgb && !indexed.prepare()) return ImageStatus::no_memory;

    // File header (14 bytes) and information header (40 bytes).
    std::uint8_t header[54] = {'B', 'M'};
    put_u32(header + 2, row_size * h + 4 * palette_size + 54);
    put_u32(header + 10, 4 * palette_size + 54);  // data offset; 6 to 9 reserved
    put_u32(header + 14, 40);
    put_u32(header + 18, w);
    put_u32(header + 22, h);  // positive: rows stored bottom-up
    put_u16(header + 26, 1);  // planes
    put_u16(header + 28, 8 * bytes_per_pixel);
    put_u32(header + 30, 0);  // no compression
    put_u32(header + 34, row_size * h);
    put_u32(header + 38, static_cast<std::uint32_t>(settings.bmp_resolution));
    put_u32(header + 42, static_cast<std::uint32_t>(settings.bmp_resolution));
    put_u32(header + 46, palette_size);
    put_u32(header + 50, palette_size);
    sink.write(header, sizeof header);

    if (!rgb) {
        std::uint8_t palette[4 * 256];
        for (int i = 0; i < 256; ++i) {
            const std::uint32_t e = indexed.palette(i);
            palette[4 * i] = static_cast<std::uint8_t>(e);
            palette[4 * i + 1] = static_cast<std::uint8_t>(e >> 8);
            palette[4 * i + 2] = static_cast<std::uint8_t>(e >> 16);
            palette[4 * i + 3] = 0;
        }
        sink.write(palette, sizeof palette);
    }

    // Rows from the bottom up; the padding bytes stay zero.
    for (int r = block.height - 1; r >= 0 && !sink.failed(); --r) {
        if (rgb) {
            canvas.read(block.x, block.y + r, block.width, 1, true, pixels.get(), 3 * w);
            for (std::uint32_t x = 0; x < w; ++x) {
                row[3 * x] = pixels[3 * x + 2];
                row[3 * x + 1] = pixels[3 * x + 1];
                row[3 * x + 2] = pixels[3 * x];
            }
        } else {
            const std::uint8_t* indices = indexed.row(r);
            for (std::uint32_t x = 0; x < w; ++x) row[x] = indices[x];
        }
        sink.write(row.get(), row_size);
    }
    return sink.failed() ? ImageStatus::file_error : ImageStatus::ok;
}

}  // namespace gvx
