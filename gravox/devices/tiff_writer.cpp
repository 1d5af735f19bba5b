#include <algorithm>
#include <vector>

#include "gravox/core/files.h"
#include "gravox/devices/image_writer_internal.h"
#include "gravox/devices/image_writers.h"

namespace gvx {

namespace {

enum FieldType : std::uint16_t { kShort = 3, kLong = 4, kRational = 5 };

// One entry of the image file directory.
struct Entry {
    std::uint16_t tag;
    std::uint16_t type;
    std::uint32_t count;
    std::uint8_t value[4];  // the value itself when it fits, else the offset of the values
};

Entry entry(std::uint16_t tag, std::uint16_t type, std::uint32_t count, std::uint32_t value) {
    Entry e{tag, type, count, {}};
    image_io::put_u32(e.value, value);
    return e;
}

}  // namespace

ImageStatus write_tiff(Sink& sink, const RasterCanvas& canvas, const ImageSettings& settings,
                       const std::uint32_t* colour_table, int table_size) {
    using namespace image_io;
    ImageBlock block;
    if (!resolve_block(canvas, settings, block)) return ImageStatus::no_image;
    const bool rgb = settings.format == ImageFormat::rgb;
    const bool bilevel = settings.format == ImageFormat::bilevel;
    const bool indexed = !rgb && !bilevel;
    // Indexed and one-bit rows of an indexed canvas take their colours from the table.
    if (!rgb && !canvas.true_colour() && (!colour_table || table_size < 1))
        return ImageStatus::no_image;
    if (sink.failed()) return ImageStatus::file_error;

    const auto w = static_cast<std::uint32_t>(block.width);
    const auto h = static_cast<std::uint32_t>(block.height);
    const std::uint32_t row_bytes = rgb ? 3 * w : bilevel ? (w + 7) / 8 : w;

    // Layout: header (8), directory (2 + 12 n), next-directory offset (4), strip offsets
    // (4 h), strip byte counts (2 h), the two resolutions (16), then the colour map or the
    // three sample sizes, then the rows. Byte counts of rows longer than a SHORT holds are
    // stored as LONGs (4 h bytes) so that wide RGB images stay readable.
    const std::uint32_t entries = indexed ? 14 : 13;
    const bool long_counts = row_bytes > 0xFFFF;
    const std::uint32_t count_size = long_counts ? 4 : 2;
    const std::uint32_t offsets_at = 14 + 12 * entries;
    const std::uint32_t counts_at = offsets_at + 4 * h;
    const std::uint32_t resolution_at = counts_at + count_size * h;
    const std::uint32_t extra_at = resolution_at + 16;
    const std::uint32_t data_at = extra_at + (indexed ? 3 * 256 * 2 : rgb ? 6 : 0);

    auto row = allocate(row_bytes);
    auto table = allocate(static_cast<std::size_t>(std::max(4 * h, count_size * h)));
    auto pixels = allocate(rgb || bilevel ? 3 * static_cast<std::size_t>(w) : 1);
    if (!row || !table || !pixels) return ImageStatus::no_memory;
    IndexedRows index_rows(canvas, block, colour_table, table_size);
    if (indexed && !index_rows.prepare()) return ImageStatus::no_memory;

    std::uint8_t header[8] = {'I', 'I'};
    put_u16(header + 2, 42);
    put_u32(header + 4, 8);
    sink.write(header, sizeof header);

    // A value that fits in the four bytes of an entry is stored there and not at an
    // offset: one strip offset, or up to two SHORT byte counts.
    Entry offsets = entry(273, kLong, h, h == 1 ? data_at : offsets_at);
    Entry counts = entry(279, long_counts ? kLong : kShort, h, counts_at);
    if (count_size * h <= 4) {
        put_u32(counts.value, 0);
        if (long_counts)
            put_u32(counts.value, row_bytes);  // a single row
        else
            for (std::uint32_t i = 0; i < h && i < 2; ++i) put_u16(counts.value + 2 * i, row_bytes);
    }
    const std::uint32_t bits = rgb ? extra_at : bilevel ? 1 : 8;
    const std::uint32_t photometric = indexed ? 3 : rgb ? 2 : 1;
    const Entry directory[14] = {
        entry(254, kLong, 1, 0),
        entry(256, kShort, 1, w),
        entry(257, kShort, 1, h),
        entry(258, kShort, rgb ? 3 : 1, bits),
        entry(259, kShort, 1, 1),
        entry(262, kShort, 1, photometric),
        offsets,
        entry(277, kShort, 1, rgb ? 3 : 1),
        entry(278, kShort, 1, 1),
        counts,
        entry(282, kRational, 1, resolution_at),
        entry(283, kRational, 1, resolution_at + 8),
        entry(296, kShort, 1, static_cast<std::uint32_t>(settings.tiff.unit)),
        entry(320, kShort, 768, extra_at),
    };
    write_u16(sink, entries);
    for (std::uint32_t i = 0; i < entries; ++i) {
        std::uint8_t e[12];
        put_u16(e, directory[i].tag);
        put_u16(e + 2, directory[i].type);
        put_u32(e + 4, directory[i].count);
        std::copy(directory[i].value, directory[i].value + 4, e + 8);
        sink.write(e, sizeof e);
    }
    write_u32(sink, 0);  // no further directory

    // Strip offsets and byte counts: one strip per row.
    for (std::uint32_t i = 0; i < h; ++i) put_u32(table.get() + 4 * i, data_at + i * row_bytes);
    sink.write(table.get(), 4 * static_cast<std::size_t>(h));
    for (std::uint32_t i = 0; i < h; ++i) {
        if (long_counts)
            put_u32(table.get() + 4 * i, row_bytes);
        else
            put_u16(table.get() + 2 * i, row_bytes);
    }
    sink.write(table.get(), static_cast<std::size_t>(count_size) * h);

    // The resolution in both directions, as resolution / 1.
    const auto resolution = static_cast<std::uint32_t>(std::max(1, settings.tiff.resolution));
    std::uint8_t rationals[16];
    put_u32(rationals, resolution);
    put_u32(rationals + 4, 1);
    put_u32(rationals + 8, resolution);
    put_u32(rationals + 12, 1);
    sink.write(rationals, sizeof rationals);

    if (indexed) {
        // The colour map: 256 reds, 256 greens, 256 blues, 16 bits each (c * 257).
        std::uint8_t map[3 * 256 * 2];
        for (int i = 0; i < 256; ++i) {
            const std::uint32_t e = index_rows.palette(i);
            put_u16(map + 2 * i, (e >> 16 & 0xFF) * 257);
            put_u16(map + 512 + 2 * i, (e >> 8 & 0xFF) * 257);
            put_u16(map + 1024 + 2 * i, (e & 0xFF) * 257);
        }
        sink.write(map, sizeof map);
    } else if (rgb) {
        std::uint8_t sizes[6];
        put_u16(sizes, 8);
        put_u16(sizes + 2, 8);
        put_u16(sizes + 4, 8);
        sink.write(sizes, sizeof sizes);
    }

    // One bit per pixel: in reversed mode (black on white) white pixels are 1, in normal
    // mode everything but black is 1, so that the background keeps its shade.
    const bool reversed = is_reverse_mode(canvas.background_mode());
    for (int r = 0; r < block.height && !sink.failed(); ++r) {
        const int y = block.y + r;
        if (indexed) {
            sink.write(index_rows.row(r), row_bytes);
            continue;
        }
        if (rgb) {
            canvas.read(block.x, y, block.width, 1, true, row.get(), row_bytes);
            sink.write(row.get(), row_bytes);
            continue;
        }
        // The colours of the row: palette entries of an indexed canvas, or the pixels.
        if (canvas.true_colour()) {
            canvas.read(block.x, y, block.width, 1, true, pixels.get(), 3 * w);
        } else {
            canvas.read(block.x, y, block.width, 1, false, pixels.get(), w);
            for (std::uint32_t x = w; x-- > 0;) {
                const std::uint32_t e = table_entry(colour_table, table_size, pixels[x]);
                pixels[3 * x] = static_cast<std::uint8_t>(e >> 16);
                pixels[3 * x + 1] = static_cast<std::uint8_t>(e >> 8);
                pixels[3 * x + 2] = static_cast<std::uint8_t>(e);
            }
        }
        std::fill(row.get(), row.get() + row_bytes, std::uint8_t{0});
        for (std::uint32_t x = 0; x < w; ++x) {
            const std::uint8_t* p = pixels.get() + 3 * x;
            const bool set = reversed ? (p[0] == 255 && p[1] == 255 && p[2] == 255)
                                      : !(p[0] == 0 && p[1] == 0 && p[2] == 0);
            if (set) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
        sink.write(row.get(), row_bytes);
    }
    return sink.failed() ? ImageStatus::file_error : ImageStatus::ok;
}

}  // namespace gvx
