#include "gravox/devices/png_writer.h"

#include <zlib.h>

#include <array>
#include <climits>
#include <cstring>
#include <memory>
#include <new>

namespace gvx {

namespace {

// The CRC table, built on first use and kept for the life of the program.
const std::array<std::uint32_t, 256>& crc_table() {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table;
}

void put_u32(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v >> 24);
    p[1] = static_cast<std::uint8_t>(v >> 16);
    p[2] = static_cast<std::uint8_t>(v >> 8);
    p[3] = static_cast<std::uint8_t>(v);
}

void write_u32(Sink& sink, std::uint32_t v) {
    std::uint8_t b[4];
    put_u32(b, v);
    sink.write(b, 4);
}

// Writes one chunk whose type and data lie together in type_and_data (4 + length bytes).
void write_chunk(Sink& sink, const std::uint8_t* type_and_data, std::size_t length) {
    write_u32(sink, static_cast<std::uint32_t>(length));
    sink.write(type_and_data, length + 4);
    write_u32(sink, png_crc(0, type_and_data, length + 4));
}

std::unique_ptr<std::uint8_t[]> allocate(std::size_t n) {
    return std::unique_ptr<std::uint8_t[]>(new (std::nothrow) std::uint8_t[n]);
}

// Ends a deflate stream however the compression step is left.
struct DeflateStream {
    z_stream stream{};
    bool open = false;
    ~DeflateStream() {
        if (open) deflateEnd(&stream);
    }
};

}  // namespace

std::uint32_t png_crc(std::uint32_t crc, const void* data, std::size_t n) {
    const auto& table = crc_table();
    const auto* p = static_cast<const std::uint8_t*>(data);
    std::uint32_t c = crc ^ 0xFFFFFFFFu;
    for (std::size_t i = 0; i < n; ++i) c = table[(c ^ p[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

PngStatus write_png(Sink& sink, const RasterCanvas& canvas, const PngSettings& settings,
                    const std::uint32_t* colour_table, int table_size) {
    ImageBlock block{0, 0, canvas.width(), canvas.height()};
    if (settings.clipped) block = settings.block;
    if (!canvas.has_image() || !colour_table || table_size < 1 || block.x < 0 || block.y < 0 ||
        block.width < 1 || block.height < 1 || block.x > canvas.width() - block.width ||
        block.y > canvas.height() - block.height)
        return PngStatus::no_image;
    if (sink.failed()) return PngStatus::file_error;

    const bool rgb = settings.format == ImageFormat::rgb;
    const std::size_t w = static_cast<std::size_t>(block.width);
    const std::size_t h = static_cast<std::size_t>(block.height);
    const std::size_t row = w * (rgb ? 3 : 1);
    const std::size_t n = h * (row + 1);
    // The whole stream passes zlib in one call, whose counters are of type uInt.
    const std::size_t out_size = n + n / 100 + 17;
    if (out_size > UINT_MAX) return PngStatus::no_memory;

    // 1. Signature.
    static const std::uint8_t signature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
    sink.write(signature, sizeof signature);

    // 2. IHDR: length, type and data as one block, then the CRC over type and data.
    std::uint8_t ihdr[21];
    put_u32(ihdr, 13);
    std::memcpy(ihdr + 4, "IHDR", 4);
    put_u32(ihdr + 8, static_cast<std::uint32_t>(w));
    put_u32(ihdr + 12, static_cast<std::uint32_t>(h));
    ihdr[16] = 8;            // bit depth
    ihdr[17] = rgb ? 2 : 3;  // colour type
    ihdr[18] = 0;            // compression
    ihdr[19] = 0;            // filter method
    ihdr[20] = 0;            // interlace
    sink.write(ihdr, sizeof ihdr);
    write_u32(sink, png_crc(0, ihdr + 4, 17));
    if (sink.failed()) return PngStatus::file_error;

    // 3 and 6. The rows of the block, each behind its filter-type byte 0 (None). They are
    // read straight into place, so the packed copy of the block is never needed.
    auto filtered = allocate(n);
    if (!filtered) return PngStatus::no_memory;
    for (std::size_t r = 0; r < h; ++r) {
        std::uint8_t* line = filtered.get() + r * (row + 1);
        line[0] = 0;
        canvas.read(block.x, block.y + static_cast<int>(r), block.width, 1, rgb, line + 1, row);
    }

    // 4. PLTE with all 256 entries of the colour table.
    if (!rgb) {
        std::uint8_t plte[4 + 768];
        std::memcpy(plte, "PLTE", 4);
        for (int i = 0; i < 256; ++i) {
            const std::uint32_t entry = i < table_size ? colour_table[i] : 0;
            plte[4 + 3 * i] = static_cast<std::uint8_t>(entry >> 16);
            plte[5 + 3 * i] = static_cast<std::uint8_t>(entry >> 8);
            plte[6 + 3 * i] = static_cast<std::uint8_t>(entry);
        }
        write_chunk(sink, plte, 768);
    }

    // 5. tRNS: palette entry 0 fully transparent, or white transparent in RGB.
    if (settings.transparent) {
        if (rgb) {
            static const std::uint8_t trns[4 + 6] = {'t', 'R', 'N', 'S', 0, 0xFF, 0, 0xFF, 0, 0xFF};
            write_chunk(sink, trns, 6);
        } else {
            static const std::uint8_t trns[4 + 1] = {'t', 'R', 'N', 'S', 0};
            write_chunk(sink, trns, 1);
        }
    }
    if (sink.failed()) return PngStatus::file_error;

    // 7. One deflate call into a buffer that starts with the chunk type.
    auto idat = allocate(out_size);
    if (!idat) return PngStatus::no_memory;
    std::memcpy(idat.get(), "IDAT", 4);
    DeflateStream z;
    if (deflateInit(&z.stream, Z_DEFAULT_COMPRESSION) != Z_OK) return PngStatus::zlib_init;
    z.open = true;
    z.stream.next_in = filtered.get();
    z.stream.avail_in = static_cast<uInt>(n);
    z.stream.next_out = idat.get() + 4;
    z.stream.avail_out = static_cast<uInt>(out_size - 4);
    if (deflate(&z.stream, Z_FINISH) != Z_STREAM_END) return PngStatus::zlib_deflate;
    const std::size_t compressed = z.stream.total_out;
    z.open = false;
    if (deflateEnd(&z.stream) != Z_OK) return PngStatus::zlib_end;
    filtered.reset();

    // 8. IDAT.
    write_chunk(sink, idat.get(), compressed);

    // 9. IEND: length 0 and type as one block, then the CRC over the type.
    static const std::uint8_t iend[8] = {0, 0, 0, 0, 'I', 'E', 'N', 'D'};
    sink.write(iend, sizeof iend);
    write_u32(sink, png_crc(0, iend + 4, 4));
    return sink.failed() ? PngStatus::file_error : PngStatus::ok;
}

}  // namespace gvx
