// Reading PNG streams in tests: an independent decoder (libpng) and a chunk splitter.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace gvx::testing {

// One chunk of a PNG stream as it stands in the bytes.
struct PngChunk {
    std::string type;
    std::string data;
    std::uint32_t crc = 0;   // the CRC stored after the data
    std::size_t offset = 0;  // where the chunk's length field starts
};

// Splits a PNG stream into its chunks. ok is false (and the list partial) when the
// signature is wrong or a chunk runs past the end.
std::vector<PngChunk> png_chunks(const std::string& bytes, bool* ok = nullptr);

// The concatenated data of all IDAT chunks, inflated; empty when inflating fails.
std::string inflate_idat(const std::string& bytes);

// A PNG decoded by libpng without any transformation: palette images keep their
// indices, RGB images their three samples per pixel.
struct DecodedPng {
    bool ok = false;
    std::string error;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    int bit_depth = 0;
    int colour_type = 0;
    int interlace = 0;
    std::vector<std::array<std::uint8_t, 3>> palette;
    std::vector<std::uint8_t> trns_alpha;  // tRNS of a palette image
    bool has_trns_colour = false;          // tRNS of an RGB image
    std::array<std::uint16_t, 3> trns_colour{};
    std::size_t row_bytes = 0;
    std::vector<std::uint8_t> pixels;  // height rows of row_bytes, filter bytes removed

    // Sample c of pixel (x, y): the index of a palette image, or red, green, blue.
    std::uint8_t at(std::size_t x, std::size_t y, std::size_t c = 0) const {
        const std::size_t per_pixel = row_bytes / width;
        return pixels[y * row_bytes + x * per_pixel + c];
    }
};

DecodedPng decode_png(const std::string& bytes);

}  // namespace gvx::testing
