#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "gravox/devices/image_writers.h"
#include "tests/devices/image_writer_helpers.h"

namespace gvx::testing {
namespace {

const char kGifOutput[] = "test-output/gif";

// A GIF stream taken apart, with its LZW data decoded by a plain table decoder.
struct GifParts {
    bool ok = false;
    std::string error;
    std::string version;
    int width = 0, height = 0;
    int packed = 0, background = 0, aspect = 0;
    std::string palette;  // 768 bytes
    std::string control;  // the graphic control extension, if any (8 bytes)
    std::string descriptor;
    int min_code_size = 0;
    std::vector<int> block_sizes;
    std::vector<std::uint8_t> indices;
    bool starts_with_clear = false;
    std::vector<int> next_code_at_clear;  // table size when a later clear code came
};

// Decodes GIF LZW data (minimum code size 8).
bool lzw_decode(const std::string& data, GifParts& g) {
    std::vector<int> prefix(4096, -1), suffix(4096, 0);
    for (int i = 0; i < 256; ++i) suffix[i] = i;
    std::size_t bit = 0;
    int size = 9, next = 258, previous = -1;
    bool first = true;
    auto expand = [&](int code, std::vector<std::uint8_t>& out) {
        std::vector<std::uint8_t> s;
        for (int c = code; c >= 0; c = prefix[c]) s.push_back(static_cast<std::uint8_t>(suffix[c]));
        out.insert(out.end(), s.rbegin(), s.rend());
        return s.back();
    };
    for (;;) {
        if (bit + size > 8 * data.size()) return (g.error = "data ends without an end code", false);
        int code = 0;
        for (int i = 0; i < size; ++i, ++bit)
            code |= ((static_cast<std::uint8_t>(data[bit / 8]) >> (bit % 8)) & 1) << i;
        if (first) g.starts_with_clear = code == 256;
        first = false;
        if (code == 256) {
            if (previous >= 0) g.next_code_at_clear.push_back(next);
            size = 9;
            next = 258;
            previous = -1;
            continue;
        }
        if (code == 257) return true;
        if (previous < 0) {
            if (code > 255) return (g.error = "first code is not a pixel", false);
            g.indices.push_back(static_cast<std::uint8_t>(code));
            previous = code;
            continue;
        }
        int head;
        if (code < next) {
            std::vector<std::uint8_t> s;
            head = expand(code, s);
            g.indices.insert(g.indices.end(), s.begin(), s.end());
        } else if (code == next) {
            std::vector<std::uint8_t> s;
            head = expand(previous, s);
            g.indices.insert(g.indices.end(), s.begin(), s.end());
            g.indices.push_back(static_cast<std::uint8_t>(head));
        } else {
            return (g.error = "code beyond the table", false);
        }
        if (next < 4096) {
            prefix[next] = previous;
            suffix[next] = head;
            ++next;
            if (next == 1 << size && size < 12) ++size;
        }
        previous = code;
    }
}

GifParts parse_gif(const std::string& b) {
    GifParts g;
    std::size_t pos = 0;
    auto need = [&](std::size_t n) { return pos + n <= b.size(); };
    if (!need(13 + 768)) return (g.error = "short header", g);
    g.version = b.substr(0, 6);
    g.width = static_cast<int>(le16(b, 6));
    g.height = static_cast<int>(le16(b, 8));
    g.packed = static_cast<std::uint8_t>(b[10]);
    g.background = static_cast<std::uint8_t>(b[11]);
    g.aspect = static_cast<std::uint8_t>(b[12]);
    g.palette = b.substr(13, 768);
    pos = 13 + 768;
    if (need(1) && b[pos] == 0x21) {
        if (!need(8)) return (g.error = "short extension", g);
        g.control = b.substr(pos, 8);
        pos += 8;
    }
    if (!need(11) || b[pos] != 0x2C) return (g.error = "no image descriptor", g);
    g.descriptor = b.substr(pos, 10);
    g.min_code_size = static_cast<std::uint8_t>(b[pos + 10]);
    pos += 11;
    std::string data;
    for (;;) {
        if (!need(1)) return (g.error = "sub-blocks run past the end", g);
        const int n = static_cast<std::uint8_t>(b[pos++]);
        if (n == 0) break;
        if (!need(static_cast<std::size_t>(n))) return (g.error = "short sub-block", g);
        g.block_sizes.push_back(n);
        data += b.substr(pos, static_cast<std::size_t>(n));
        pos += static_cast<std::size_t>(n);
    }
    if (pos + 1 != b.size() || b[pos] != 0x3B) return (g.error = "no trailer at the end", g);
    g.ok = lzw_decode(data, g);
    return g;
}

std::vector<std::uint8_t> canvas_indices(const RasterCanvas& canvas) {
    return std::vector<std::uint8_t>(canvas.pixels(), canvas.pixels() + canvas.pixel_bytes());
}

// Sub-blocks are full (255 bytes) except the last one.
void expect_full_blocks(const GifParts& g) {
    ASSERT_FALSE(g.block_sizes.empty());
    for (std::size_t i = 0; i + 1 < g.block_sizes.size(); ++i) ASSERT_EQ(g.block_sizes[i], 255);
    EXPECT_LE(g.block_sizes.back(), 255);
}

TEST(GifWriter, GoldenPictures) {
    RasterCanvas canvas;
    draw_picture(canvas);
    expect_golden(encode_image(write_gif, canvas, ImageSettings{}), "picture.gif");
    ImageSettings transparent;
    transparent.gif.transparent = true;
    expect_golden(encode_image(write_gif, canvas, transparent), "picture_transparent.gif");
}

TEST(GifWriter, StreamLayoutAndPixels) {
    RasterCanvas canvas;
    draw_picture(canvas);
    const ColourTable table = reversed_rainbow_table();
    for (bool transparent : {false, true}) {
        SCOPED_TRACE(transparent ? "GIF89a" : "GIF87a");
        ImageSettings settings;
        settings.gif.transparent = transparent;
        settings.background_colour = 0x1234;  // only its low byte counts
        const GifParts g = parse_gif(encode_image(write_gif, canvas, settings));
        ASSERT_TRUE(g.ok) << g.error;
        EXPECT_EQ(g.version, transparent ? "GIF89a" : "GIF87a");
        EXPECT_EQ(g.width, 37);
        EXPECT_EQ(g.height, 23);
        EXPECT_EQ(g.packed, 0xF7);
        EXPECT_EQ(g.background, 0x34);
        EXPECT_EQ(g.aspect, 0);
        for (int i = 0; i < 256; ++i) {
            ASSERT_EQ(static_cast<std::uint8_t>(g.palette[3 * i]), table[i] >> 16 & 0xFF);
            ASSERT_EQ(static_cast<std::uint8_t>(g.palette[3 * i + 1]), table[i] >> 8 & 0xFF);
            ASSERT_EQ(static_cast<std::uint8_t>(g.palette[3 * i + 2]), table[i] & 0xFF);
        }
        EXPECT_EQ(g.control,
                  transparent ? std::string("\x21\xF9\x04\x01\x00\x00\x34\x00", 8) : std::string());
        EXPECT_EQ(g.descriptor, std::string("\x2C\0\0\0\0\x25\0\x17\0\0", 10));
        EXPECT_EQ(g.min_code_size, 8);
        EXPECT_TRUE(g.starts_with_clear);
        EXPECT_EQ(g.indices, canvas_indices(canvas));
    }
}

TEST(GifWriter, LongRandomDataClearsTheTableAtCode4094) {
    // Pseudo-random indices make a new string at almost every pixel, so the string table
    // fills up several times and the data spans many sub-blocks.
    RasterCanvas canvas;
    make_canvas(canvas, 181, 97);
    std::uint32_t seed = 12345;
    for (int y = 0; y < 97; ++y)
        for (int x = 0; x < 181; ++x) {
            seed = seed * 1103515245u + 12345u;
            canvas.point(x, y, static_cast<std::int32_t>(seed >> 16 & 0xFF));
        }
    const std::string gif = encode_image(write_gif, canvas, ImageSettings{});
    const GifParts g = parse_gif(gif);
    ASSERT_TRUE(g.ok) << g.error;
    EXPECT_EQ(g.indices, canvas_indices(canvas));
    EXPECT_TRUE(g.starts_with_clear);
    ASSERT_GE(g.next_code_at_clear.size(), 2u);
    for (int next : g.next_code_at_clear) EXPECT_EQ(next, 4094);
    expect_full_blocks(g);
    EXPECT_GT(g.block_sizes.size(), 40u);

    const std::string path = save_output(kGifOutput, "random.gif", gif);
    RgbImage image;
    GRAVOX_DECODE_WITH("giftopnm", path, image);
    EXPECT_EQ(image.rgb, canvas_rgb(canvas));
}

TEST(GifWriter, UniformAndTinyImages) {
    for (const auto& [w, h] :
         std::vector<std::pair<int, int>>{{1, 1}, {2, 1}, {1, 3}, {640, 480}}) {
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        RasterCanvas canvas;
        make_canvas(canvas, w, h);
        canvas.point(w - 1, h - 1, 77);
        const std::string gif = encode_image(write_gif, canvas, ImageSettings{});
        const GifParts g = parse_gif(gif);
        ASSERT_TRUE(g.ok) << g.error;
        EXPECT_EQ(g.indices, canvas_indices(canvas));
        expect_full_blocks(g);
        const std::string path = save_output(
            kGifOutput, "uniform_" + std::to_string(w) + "x" + std::to_string(h) + ".gif", gif);
        if (tool_available("giftopnm")) {
            RgbImage image;
            image = parse_pnm(run_program("giftopnm '" + path + "'"));
            ASSERT_TRUE(image.ok);
            EXPECT_EQ(image.rgb, canvas_rgb(canvas));
        }
    }
}

TEST(GifWriter, TrueColourCanvasIsReducedToAPaletteOfItsOwn) {
    // Smoothed lines blend their colour into the paper: far more than 256 colours.
    RasterCanvas canvas;
    make_canvas(canvas, 200, 120, true, kReverseMode);
    canvas.option(canvas_option::smoothing, 1);
    for (int i = 0; i < 60; ++i) {
        canvas.set_colour(rgb(4 * i, 255 - 3 * i, (97 * i) % 256));
        canvas.line(0, i * 2, 199, 119 - i);
        canvas.line(i * 3, 0, 199 - i, 119);
    }
    const auto original = canvas_rgb(canvas);
    ImageSettings settings = settings_for(ImageFormat::rgb);
    settings.gif.transparent = true;
    const std::string gif = encode_image(write_gif, canvas, settings);
    const GifParts g = parse_gif(gif);
    ASSERT_TRUE(g.ok) << g.error;
    ASSERT_EQ(g.indices.size(), 200u * 120u);
    // The background index (here the white paper of table entry 0) is white in the
    // reduced palette, so that only the paper becomes transparent.
    EXPECT_EQ(g.background, static_cast<std::uint8_t>(g.control[6]));
    EXPECT_EQ(g.palette.substr(3 * g.background, 3), "\xFF\xFF\xFF");
    int worst = 0;
    for (std::size_t p = 0; p < g.indices.size(); ++p)
        for (int c = 0; c < 3; ++c) {
            const int got = static_cast<std::uint8_t>(g.palette[3 * g.indices[p] + c]);
            worst = std::max(worst, std::abs(got - original[3 * p + c]));
        }
    EXPECT_LE(worst, 40);
    for (std::size_t p = 0; p < g.indices.size(); ++p) {
        if (original[3 * p] == 255 && original[3 * p + 1] == 255 && original[3 * p + 2] == 255) {
            ASSERT_EQ(g.indices[p], g.background) << p;
        }
    }

    const std::string path = save_output(kGifOutput, "reduced.gif", gif);
    RgbImage image;
    GRAVOX_DECODE_WITH("giftopnm", path, image);
    ASSERT_EQ(image.rgb.size(), original.size());
    for (std::size_t i = 0; i < original.size(); ++i)
        ASSERT_LE(std::abs(image.rgb[i] - original[i]), 40) << i;
}

TEST(GifWriter, FailuresAndUnusableInputs) {
    RasterCanvas canvas;
    draw_picture(canvas);
    expect_file_errors(write_gif, canvas, ImageSettings{});
    MemorySink sink;
    EXPECT_EQ(write_gif(sink, canvas, ImageSettings{}, nullptr, 256), ImageStatus::no_image);
    RasterCanvas empty;
    EXPECT_EQ(write_gif(sink, empty, ImageSettings{}, reversed_rainbow_table().data(), 256),
              ImageStatus::no_image);
    ImageSettings outside;
    outside.clipped = true;
    outside.block = {0, 0, 38, 1};
    EXPECT_EQ(write_gif(sink, canvas, outside, reversed_rainbow_table().data(), 256),
              ImageStatus::no_image);
    EXPECT_EQ(sink.bytes(), "");
}

}  // namespace
}  // namespace gvx::testing
