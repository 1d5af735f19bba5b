#include "gravox/devices/png_writer.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cmath>
#include <string>
#include <vector>

#include "gravox/core/sink.h"
#include "tests/devices/canvas_helpers.h"
#include "tests/support/png_decode.h"

namespace gvx::testing {
namespace {

const char kPngOutput[] = "test-output/png";

// A figure as a plot draws it: a black frame on white, a filled box, curves in colour.
void draw_figure(RasterCanvas& canvas, bool true_colour = false) {
    int w = 0, h = 0;
    ASSERT_EQ(canvas.create(2969, 2099, w, h, false, 2, true_colour), CanvasStatus::ok);
    const ColourTable table = reversed_rainbow_table();
    ASSERT_TRUE(canvas.load_palette(1, table.data(), 256));
    canvas.set_colour(rgb(0, 0, 0));
    canvas.line(0, 0, w - 1, 0);
    canvas.line(w - 1, 0, w - 1, h - 1);
    canvas.line(w - 1, h - 1, 0, h - 1);
    canvas.line(0, h - 1, 0, 0);
    // Axis rectangle and ticks.
    for (int t = 0; t < 3; ++t) {
        canvas.line(140 - t, 60 - t, 720 + t, 60 - t);
        canvas.line(720 + t, 60 - t, 720 + t, 520 + t);
        canvas.line(720 + t, 520 + t, 140 - t, 520 + t);
        canvas.line(140 - t, 520 + t, 140 - t, 60 - t);
    }
    for (int x = 140; x <= 720; x += 58) canvas.line(x, 520, x, 505);
    canvas.box(600, 80, 700, 140, rgb(255, 255, 0));
    const std::int32_t colours[] = {rgb(255, 0, 0), rgb(0, 0, 255), rgb(0, 255, 0),
                                    rgb(0, 255, 255)};
    for (int c = 0; c < 4; ++c) {
        canvas.set_colour(colours[c]);
        int px = 141, py = 519;
        for (int x = 142; x < 720; x += 3) {
            const double t = (x - 141) / 579.0;
            const int y = 519 - static_cast<int>(450 * std::pow(t, 0.4 + 0.4 * c));
            canvas.line(px, py, x, y);
            px = x;
            py = y;
        }
    }
    canvas.set_colour(rgb(255, 0, 0));
    const double tx[] = {300.5, 360, 330}, ty[] = {300, 300, 250.2};
    canvas.polygon(tx, ty, 3);
}

std::string encode(const RasterCanvas& canvas, const PngSettings& settings,
                   PngStatus expected = PngStatus::ok) {
    const ColourTable table = reversed_rainbow_table();
    MemorySink sink;
    EXPECT_EQ(write_png(sink, canvas, settings, table.data(), 256), expected);
    return sink.bytes();
}

std::uint32_t zlib_crc(const std::string& type, const std::string& data) {
    const std::string all = type + data;
    return static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(all.data()), static_cast<uInt>(all.size())));
}

std::vector<std::string> chunk_types(const std::vector<PngChunk>& chunks) {
    std::vector<std::string> types;
    for (const PngChunk& c : chunks) types.push_back(c.type);
    return types;
}

const PngChunk* find_chunk(const std::vector<PngChunk>& chunks, const std::string& type) {
    for (const PngChunk& c : chunks)
        if (c.type == type) return &c;
    return nullptr;
}

// The rows of a block as the writer should filter them: a 0 byte, then the pixels.
std::string filtered_rows(const RasterCanvas& canvas, int x0, int y0, int w, int h, bool rgb) {
    const std::size_t row = static_cast<std::size_t>(w) * (rgb ? 3 : 1);
    std::vector<std::uint8_t> block(row * h);
    EXPECT_EQ(canvas.read(x0, y0, w, h, rgb, block.data(), block.size()), CanvasStatus::ok);
    std::string out;
    for (int y = 0; y < h; ++y) {
        out.push_back('\0');
        out.append(reinterpret_cast<const char*>(block.data() + y * row), row);
    }
    return out;
}

TEST(PngWriter, IndexedFigureHasTheChunksOfTheMainPath) {
    RasterCanvas canvas;
    draw_figure(canvas);
    const std::string png = encode(canvas, PngSettings{});
    save_output(kPngOutput, "figure_indexed.png", png);

    bool ok = false;
    const auto chunks = png_chunks(png, &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(chunk_types(chunks), (std::vector<std::string>{"IHDR", "PLTE", "IDAT", "IEND"}));
    const std::string ihdr = chunks[0].data;
    EXPECT_EQ(ihdr, std::string("\0\0\x03\x55\0\0\x02\x5b\x08\x03\0\0\0", 13));
    EXPECT_EQ(chunks[1].data.size(), 768u);
    for (const PngChunk& c : chunks) EXPECT_EQ(c.crc, zlib_crc(c.type, c.data)) << c.type;
    // IEND closes the stream with its fixed twelve bytes.
    EXPECT_EQ(png.substr(png.size() - 12), std::string("\0\0\0\0IEND\xAE\x42\x60\x82", 12));

    // 603 rows of 854 bytes, each row filter type 0 followed by the canvas row.
    const std::string rows = inflate_idat(png);
    ASSERT_EQ(rows.size(), 603u * 854u);
    EXPECT_EQ(rows, filtered_rows(canvas, 0, 0, 853, 603, false));
    // One deflate call at zlib's default level over the whole filtered image.
    std::vector<Bytef> expected(compressBound(rows.size()));
    uLongf size = expected.size();
    ASSERT_EQ(compress2(expected.data(), &size, reinterpret_cast<const Bytef*>(rows.data()),
                        rows.size(), Z_DEFAULT_COMPRESSION),
              Z_OK);
    EXPECT_EQ(chunks[2].data, std::string(reinterpret_cast<const char*>(expected.data()), size));
}

TEST(PngWriter, LibpngReadsThePaletteAndTheFrame) {
    RasterCanvas canvas;
    draw_figure(canvas);
    const DecodedPng image = decode_png(encode(canvas, PngSettings{}));
    ASSERT_TRUE(image.ok) << image.error;
    EXPECT_EQ(image.width, 853u);
    EXPECT_EQ(image.height, 603u);
    EXPECT_EQ(image.bit_depth, 8);
    EXPECT_EQ(image.colour_type, 3);
    EXPECT_EQ(image.interlace, 0);
    EXPECT_TRUE(image.trns_alpha.empty());
    const ColourTable table = reversed_rainbow_table();
    ASSERT_EQ(image.palette.size(), 256u);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(image.palette[i][0], (table[i] >> 16) & 0xFF);
        EXPECT_EQ(image.palette[i][1], (table[i] >> 8) & 0xFF);
        EXPECT_EQ(image.palette[i][2], table[i] & 0xFF);
    }
    // The frame is black (index 255) all round; the paper is white (index 0).
    for (std::size_t x = 0; x < 853; ++x) {
        ASSERT_EQ(image.at(x, 0), 255);
        ASSERT_EQ(image.at(x, 602), 255);
    }
    for (std::size_t y = 0; y < 603; ++y) {
        ASSERT_EQ(image.at(0, y), 255);
        ASSERT_EQ(image.at(852, y), 255);
    }
    EXPECT_EQ(image.at(50, 30), 0);
    EXPECT_EQ(image.pixels,
              std::vector<std::uint8_t>(canvas.pixels(), canvas.pixels() + canvas.pixel_bytes()));
}

TEST(PngWriter, RgbOutputHasNoPaletteAndThreeSamplesPerPixel) {
    RasterCanvas canvas;
    draw_figure(canvas, true);
    PngSettings settings;
    settings.format = ImageFormat::rgb;
    const std::string png = encode(canvas, settings);
    save_output(kPngOutput, "figure_rgb.png", png);
    const auto chunks = png_chunks(png);
    EXPECT_EQ(chunk_types(chunks), (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    EXPECT_EQ(inflate_idat(png), filtered_rows(canvas, 0, 0, 853, 603, true));

    const DecodedPng image = decode_png(png);
    ASSERT_TRUE(image.ok) << image.error;
    EXPECT_EQ(image.colour_type, 2);
    EXPECT_EQ(image.row_bytes, 3u * 853u);
    EXPECT_TRUE(image.palette.empty());
    // Paper, frame and the yellow box.
    EXPECT_EQ(image.at(50, 30, 0), 255);
    EXPECT_EQ(image.at(50, 30, 2), 255);
    EXPECT_EQ(image.at(0, 300, 0), 0);
    EXPECT_EQ(image.at(650, 100, 0), 255);
    EXPECT_EQ(image.at(650, 100, 1), 255);
    EXPECT_EQ(image.at(650, 100, 2), 0);
}

TEST(PngWriter, SmoothedTrueColourFigureRoundTrips) {
    RasterCanvas canvas;
    canvas.option(canvas_option::smoothing, 1);
    draw_figure(canvas, true);
    PngSettings settings;
    settings.format = ImageFormat::rgb;
    const std::string png = encode(canvas, settings);
    save_output(kPngOutput, "figure_rgb_smooth.png", png);
    const DecodedPng image = decode_png(png);
    ASSERT_TRUE(image.ok) << image.error;
    std::vector<std::uint8_t> expected(853 * 603 * 3);
    ASSERT_EQ(canvas.read(0, 0, 853, 603, true, expected.data(), expected.size()),
              CanvasStatus::ok);
    EXPECT_EQ(image.pixels, expected);
    // Some pixel of the curves is a blend, neither paper nor a pure colour.
    bool blended = false;
    for (std::size_t i = 0; i < expected.size() && !blended; i += 3)
        blended = expected[i] != expected[i + 1] && expected[i] != 0 && expected[i] != 255;
    EXPECT_TRUE(blended);
}

TEST(PngWriter, TransparencyBothWays) {
    RasterCanvas canvas;
    draw_figure(canvas);
    PngSettings settings;
    settings.transparent = true;
    std::string png = encode(canvas, settings);
    save_output(kPngOutput, "figure_indexed_transparent.png", png);
    auto chunks = png_chunks(png);
    EXPECT_EQ(chunk_types(chunks),
              (std::vector<std::string>{"IHDR", "PLTE", "tRNS", "IDAT", "IEND"}));
    ASSERT_NE(find_chunk(chunks, "tRNS"), nullptr);
    EXPECT_EQ(find_chunk(chunks, "tRNS")->data, std::string(1, '\0'));
    DecodedPng image = decode_png(png);
    ASSERT_TRUE(image.ok) << image.error;
    EXPECT_EQ(image.trns_alpha, std::vector<std::uint8_t>{0});

    settings.format = ImageFormat::rgb;
    png = encode(canvas, settings);
    save_output(kPngOutput, "figure_rgb_transparent.png", png);
    chunks = png_chunks(png);
    EXPECT_EQ(chunk_types(chunks), (std::vector<std::string>{"IHDR", "tRNS", "IDAT", "IEND"}));
    ASSERT_NE(find_chunk(chunks, "tRNS"), nullptr);
    EXPECT_EQ(find_chunk(chunks, "tRNS")->data, std::string("\0\xFF\0\xFF\0\xFF", 6));
    image = decode_png(png);
    ASSERT_TRUE(image.ok) << image.error;
    EXPECT_TRUE(image.has_trns_colour);
    EXPECT_EQ(image.trns_colour, (std::array<std::uint16_t, 3>{255, 255, 255}));
}

TEST(PngWriter, ClipBlockWritesOnlyThatBlock) {
    RasterCanvas canvas;
    draw_figure(canvas);
    PngSettings settings;
    settings.clipped = true;
    settings.block = {10, 20, 100, 50};
    const std::string png = encode(canvas, settings);
    save_output(kPngOutput, "figure_block.png", png);
    const DecodedPng image = decode_png(png);
    ASSERT_TRUE(image.ok) << image.error;
    EXPECT_EQ(image.width, 100u);
    EXPECT_EQ(image.height, 50u);
    for (std::size_t y = 0; y < 50; ++y)
        for (std::size_t x = 0; x < 100; ++x)
            ASSERT_EQ(image.at(x, y), canvas.pixels()[(y + 20) * 853 + x + 10]) << x << "," << y;
    // The block's first column is the frame's x = 10 ... and its row 0 is canvas row 20.
    EXPECT_EQ(inflate_idat(png), filtered_rows(canvas, 10, 20, 100, 50, false));
}

TEST(PngWriter, BilevelFormatWritesTheSameFileAsIndexed) {
    RasterCanvas canvas;
    draw_figure(canvas);
    PngSettings bil;
    bil.format = ImageFormat::bilevel;
    EXPECT_EQ(encode(canvas, bil), encode(canvas, PngSettings{}));
}

TEST(PngWriter, ShortColourTablesLeaveTheRestOfThePaletteBlack) {
    RasterCanvas canvas;
    draw_figure(canvas);
    const std::uint32_t table[3] = {0xFFFFFF, 0x123456, 0xABCDEF};
    MemorySink sink;
    ASSERT_EQ(write_png(sink, canvas, PngSettings{}, table, 3), PngStatus::ok);
    const auto chunks = png_chunks(sink.bytes());
    const PngChunk* plte = find_chunk(chunks, "PLTE");
    ASSERT_NE(plte, nullptr);
    EXPECT_EQ(plte->data.substr(0, 9), std::string("\xFF\xFF\xFF\x12\x34\x56\xAB\xCD\xEF", 9));
    EXPECT_EQ(plte->data.substr(9), std::string(768 - 9, '\0'));
}

// A sink that accepts a given number of bytes and refuses every write beyond them.
class LimitedSink final : public Sink {
  public:
    explicit LimitedSink(std::size_t limit) : limit_(limit) {}
    std::size_t written() const { return written_; }

  protected:
    bool do_write(const void*, std::size_t n) override {
        if (written_ + n > limit_) return false;
        written_ += n;
        return true;
    }

  private:
    std::size_t limit_;
    std::size_t written_ = 0;
};

TEST(PngWriter, SinkFailuresAnywhereGiveTheFileErrorStatus) {
    RasterCanvas canvas;
    draw_figure(canvas);
    const ColourTable table = reversed_rainbow_table();
    PngSettings settings;
    settings.transparent = true;
    const std::string full = encode(canvas, settings);
    const auto chunks = png_chunks(full);
    // Cut inside the signature, IHDR, PLTE, tRNS, IDAT and IEND, and at the last byte.
    std::vector<std::size_t> limits = {0, 5, 8, 20, 33, 40, 500};
    for (const PngChunk& c : chunks) limits.push_back(c.offset + 8 + c.data.size() / 2);
    limits.push_back(full.size() - 1);
    for (std::size_t limit : limits) {
        LimitedSink sink(limit);
        EXPECT_EQ(write_png(sink, canvas, settings, table.data(), 256), PngStatus::file_error)
            << "limit " << limit;
        EXPECT_LE(sink.written(), limit);
    }
    LimitedSink exact(full.size());
    EXPECT_EQ(write_png(exact, canvas, settings, table.data(), 256), PngStatus::ok);
    EXPECT_EQ(exact.written(), full.size());
}

TEST(PngWriter, UnusableInputsWriteNothing) {
    const ColourTable table = reversed_rainbow_table();
    RasterCanvas canvas;
    MemorySink sink;
    EXPECT_EQ(write_png(sink, canvas, PngSettings{}, table.data(), 256), PngStatus::no_image);
    draw_figure(canvas);
    PngSettings settings;
    settings.clipped = true;
    const ImageBlock bad[] = {{-1, 0, 10, 10},  {0, -1, 10, 10},      {0, 0, 0, 10},
                              {0, 0, 10, 0},    {844, 0, 10, 10},     {0, 594, 10, 10},
                              {0, 0, 854, 603}, {2147483647, 0, 1, 1}};
    for (const ImageBlock& b : bad) {
        settings.block = b;
        EXPECT_EQ(write_png(sink, canvas, settings, table.data(), 256), PngStatus::no_image);
    }
    EXPECT_EQ(write_png(sink, canvas, PngSettings{}, nullptr, 256), PngStatus::no_image);
    EXPECT_EQ(write_png(sink, canvas, PngSettings{}, table.data(), 0), PngStatus::no_image);
    canvas.free();
    EXPECT_EQ(write_png(sink, canvas, PngSettings{}, table.data(), 256), PngStatus::no_image);
    EXPECT_TRUE(sink.bytes().empty());
    // A sink that has already failed takes nothing more.
    LimitedSink failed(0);
    failed.put("x");
    draw_figure(canvas);
    EXPECT_EQ(write_png(failed, canvas, PngSettings{}, table.data(), 256), PngStatus::file_error);
}

TEST(PngCrc, MatchesTheStandardCrcAndContinues) {
    EXPECT_EQ(png_crc(0, "IEND", 4), 0xAE426082u);
    std::string data;
    for (int i = 0; i < 5000; ++i) data.push_back(static_cast<char>((i * 7919) >> 3));
    const auto z =
        crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size()));
    EXPECT_EQ(png_crc(0, data.data(), data.size()), z);
    EXPECT_EQ(png_crc(png_crc(0, data.data(), 1234), data.data() + 1234, data.size() - 1234), z);
    EXPECT_EQ(png_crc(0, nullptr, 0), 0u);
}

}  // namespace
}  // namespace gvx::testing
