#include "tests/support/png_decode.h"

#include <png.h>
#include <zlib.h>

#include <cstring>

namespace gvx::testing {

namespace {

std::uint32_t be32(const std::string& s, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(s[at])) << 24 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 1])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 2])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 3]));
}

struct MemoryReader {
    const std::string* bytes;
    std::size_t at;
};

void read_from_memory(png_structp png, png_bytep out, png_size_t n) {
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (reader->at + n > reader->bytes->size()) png_error(png, "read past the end of the data");
    std::memcpy(out, reader->bytes->data() + reader->at, n);
    reader->at += n;
}

void record_error(png_structp png, png_const_charp message) {
    auto* out = static_cast<DecodedPng*>(png_get_error_ptr(png));
    out->error = message;
    png_longjmp(png, 1);
}

void ignore_warning(png_structp, png_const_charp) {}

// Kept apart from any object with a destructor: libpng leaves it by longjmp on errors.
bool decode_into(png_structp png, png_infop info, DecodedPng* out) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_info(png, info);
    png_uint_32 width = 0, height = 0;
    int depth = 0, colour = 0, interlace = 0;
    png_get_IHDR(png, info, &width, &height, &depth, &colour, &interlace, nullptr, nullptr);
    out->width = width;
    out->height = height;
    out->bit_depth = depth;
    out->colour_type = colour;
    out->interlace = interlace;
    png_colorp palette = nullptr;
    int entries = 0;
    if (png_get_PLTE(png, info, &palette, &entries) & PNG_INFO_PLTE) {
        for (int i = 0; i < entries; ++i)
            out->palette.push_back({palette[i].red, palette[i].green, palette[i].blue});
    }
    png_bytep alpha = nullptr;
    int alphas = 0;
    png_color_16p trns_colour = nullptr;
    if (png_get_tRNS(png, info, &alpha, &alphas, &trns_colour) & PNG_INFO_tRNS) {
        if (colour == PNG_COLOR_TYPE_PALETTE) {
            out->trns_alpha.assign(alpha, alpha + alphas);
        } else if (trns_colour) {
            out->has_trns_colour = true;
            out->trns_colour = {trns_colour->red, trns_colour->green, trns_colour->blue};
        }
    }
    out->row_bytes = png_get_rowbytes(png, info);
    out->pixels.resize(out->row_bytes * height);
    for (png_uint_32 y = 0; y < height; ++y)
        png_read_row(png, out->pixels.data() + y * out->row_bytes, nullptr);
    png_read_end(png, nullptr);
    return true;
}

}  // namespace

std::vector<PngChunk> png_chunks(const std::string& bytes, bool* ok) {
    static const char signature[8] = {'\x89', 'P', 'N', 'G', '\r', '\n', '\x1a', '\n'};
    std::vector<PngChunk> chunks;
    if (ok) *ok = false;
    if (bytes.size() < 8 || bytes.compare(0, 8, signature, 8) != 0) return chunks;
    std::size_t at = 8;
    while (at < bytes.size()) {
        if (bytes.size() - at < 12) return chunks;
        const std::uint32_t length = be32(bytes, at);
        if (bytes.size() - at - 12 < length) return chunks;
        PngChunk chunk;
        chunk.offset = at;
        chunk.type = bytes.substr(at + 4, 4);
        chunk.data = bytes.substr(at + 8, length);
        chunk.crc = be32(bytes, at + 8 + length);
        chunks.push_back(std::move(chunk));
        at += 12 + length;
    }
    if (ok) *ok = true;
    return chunks;
}

std::string inflate_idat(const std::string& bytes) {
    std::string compressed;
    for (const PngChunk& chunk : png_chunks(bytes))
        if (chunk.type == "IDAT") compressed += chunk.data;
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return {};
    z.next_in = reinterpret_cast<Bytef*>(compressed.data());
    z.avail_in = static_cast<uInt>(compressed.size());
    std::string out;
    char buffer[65536];
    int status = Z_OK;
    while (status == Z_OK) {
        z.next_out = reinterpret_cast<Bytef*>(buffer);
        z.avail_out = sizeof buffer;
        status = inflate(&z, Z_NO_FLUSH);
        out.append(buffer, sizeof buffer - z.avail_out);
    }
    inflateEnd(&z);
    return status == Z_STREAM_END ? out : std::string();
}

DecodedPng decode_png(const std::string& bytes) {
    DecodedPng out;
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, &out, record_error, ignore_warning);
    if (!png) {
        out.error = "cannot create the libpng reader";
        return out;
    }
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        out.error = "cannot create the libpng info";
        return out;
    }
    MemoryReader reader{&bytes, 0};
    png_set_read_fn(png, &reader, read_from_memory);
    out.ok = decode_into(png, info, &out);
    png_destroy_read_struct(&png, &info, nullptr);
    return out;
}

}  // namespace gvx::testing
