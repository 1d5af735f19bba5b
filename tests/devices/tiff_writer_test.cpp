#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gravox/devices/image_writers.h"
#include "tests/devices/image_writer_helpers.h"

namespace gvx::testing {
namespace {

const char kTiffOutput[] = "test-output/tiff";

struct IfdEntry {
    std::uint32_t tag, type, count, value;
};

// The header and the first image file directory of a little-endian TIFF.
std::vector<IfdEntry> directory_of(const std::string& tif) {
    std::vector<IfdEntry> entries;
    EXPECT_EQ(tif.substr(0, 4), std::string("II\x2A\0", 4));
    EXPECT_EQ(le32(tif, 4), 8u);
    const std::uint32_t n = le16(tif, 8);
    for (std::uint32_t i = 0; i < n; ++i) {
        const std::size_t at = 10 + 12 * i;
        entries.push_back({le16(tif, at), le16(tif, at + 2), le32(tif, at + 4), le32(tif, at + 8)});
    }
    EXPECT_EQ(le32(tif, 10 + 12 * n), 0u) << "a second directory";
    return entries;
}

std::vector<std::uint32_t> tags_of(const std::vector<IfdEntry>& entries) {
    std::vector<std::uint32_t> tags;
    for (const IfdEntry& e : entries) tags.push_back(e.tag);
    return tags;
}

TEST(TiffWriter, IndexedImageOfTheDefaultSize) {
    RasterCanvas canvas;
    draw_picture(canvas, false, 853, 603);
    const std::string tif = encode_image(write_tiff, canvas, ImageSettings{});
    const auto entries = directory_of(tif);
    ASSERT_EQ(entries.size(), 14u);
    EXPECT_EQ(tags_of(entries), (std::vector<std::uint32_t>{254, 256, 257, 258, 259, 262, 273, 277,
                                                            278, 279, 282, 283, 296, 320}));
    const std::uint32_t table = 182, counts = 182 + 4 * 603, rationals = 182 + 6 * 603;
    const std::uint32_t map = 182 + 603 * 6 + 16, data = map + 1536;
    const IfdEntry expected[14] = {
        {254, 4, 1, 0}, {256, 3, 1, 853},      {257, 3, 1, 603},       {258, 3, 1, 8},
        {259, 3, 1, 1}, {262, 3, 1, 3},        {273, 4, 603, table},   {277, 3, 1, 1},
        {278, 3, 1, 1}, {279, 3, 603, counts}, {282, 5, 1, rationals}, {283, 5, 1, rationals + 8},
        {296, 3, 1, 2}, {320, 3, 768, map}};
    for (int i = 0; i < 14; ++i) {
        SCOPED_TRACE(expected[i].tag);
        EXPECT_EQ(entries[i].type, expected[i].type);
        EXPECT_EQ(entries[i].count, expected[i].count);
        EXPECT_EQ(entries[i].value, expected[i].value);
    }
    for (std::uint32_t r = 0; r < 603; ++r) {
        ASSERT_EQ(le32(tif, table + 4 * r), data + 853 * r);
        ASSERT_EQ(le16(tif, counts + 2 * r), 853u);
    }
    EXPECT_EQ(le32(tif, rationals), 100u);
    EXPECT_EQ(le32(tif, rationals + 4), 1u);
    EXPECT_EQ(le32(tif, rationals + 8), 100u);
    EXPECT_EQ(le32(tif, rationals + 12), 1u);
    const ColourTable colours = reversed_rainbow_table();
    for (std::uint32_t i = 0; i < 256; ++i) {
        ASSERT_EQ(le16(tif, map + 2 * i), (colours[i] >> 16 & 0xFF) * 257);
        ASSERT_EQ(le16(tif, map + 512 + 2 * i), (colours[i] >> 8 & 0xFF) * 257);
        ASSERT_EQ(le16(tif, map + 1024 + 2 * i), (colours[i] & 0xFF) * 257);
    }
    ASSERT_EQ(tif.size(), data + 853u * 603);
    EXPECT_EQ(tif.substr(data),
              std::string(reinterpret_cast<const char*>(canvas.pixels()), canvas.pixel_bytes()));
}

TEST(TiffWriter, RgbAndBilevelDirectories) {
    RasterCanvas canvas;
    draw_picture(canvas);
    const std::uint32_t h = 23, table = 14 + 12 * 13, rationals = table + 6 * h;
    {
        const std::string tif = encode_image(write_tiff, canvas, settings_for(ImageFormat::rgb));
        const auto e = directory_of(tif);
        ASSERT_EQ(e.size(), 13u);
        EXPECT_EQ(e.back().tag, 296u);
        EXPECT_EQ(e[3].count, 3u);              // BitsPerSample: three values
        EXPECT_EQ(e[3].value, rationals + 16);  // stored after the rationals
        EXPECT_EQ(tif.substr(rationals + 16, 6), std::string("\x08\0\x08\0\x08\0", 6));
        EXPECT_EQ(e[5].value, 2u);  // RGB
        EXPECT_EQ(e[7].value, 3u);  // samples per pixel
        EXPECT_EQ(le32(tif, table), rationals + 22);
        EXPECT_EQ(le16(tif, table + 4 * h), 3u * 37);
        const auto pixels = canvas_rgb(canvas);
        EXPECT_EQ(tif.substr(rationals + 22), std::string(pixels.begin(), pixels.end()));
    }
    {
        const std::string tif =
            encode_image(write_tiff, canvas, settings_for(ImageFormat::bilevel));
        const auto e = directory_of(tif);
        ASSERT_EQ(e.size(), 13u);
        EXPECT_EQ(e[3].value, 1u);  // one bit per sample
        EXPECT_EQ(e[5].value, 1u);  // 0 is black
        EXPECT_EQ(le32(tif, table), rationals + 16);
        EXPECT_EQ(le16(tif, table + 4 * h), 5u);  // 37 bits in 5 bytes
        EXPECT_EQ(tif.size(), rationals + 16 + 5u * h);
    }
}

TEST(TiffWriter, GoldenPictures) {
    RasterCanvas canvas;
    draw_picture(canvas);
    expect_golden(encode_image(write_tiff, canvas, ImageSettings{}), "picture_indexed.tif");
    expect_golden(encode_image(write_tiff, canvas, settings_for(ImageFormat::rgb)),
                  "picture_rgb.tif");
    expect_golden(encode_image(write_tiff, canvas, settings_for(ImageFormat::bilevel)),
                  "picture_bilevel.tif");
}

// The expected one-bit rows: in reversed mode white is 1, in normal mode all but black.
std::vector<std::uint8_t> bilevel_rgb(const std::vector<std::uint8_t>& rgb, bool reversed) {
    std::vector<std::uint8_t> out(rgb.size());
    for (std::size_t p = 0; p < rgb.size(); p += 3) {
        const bool white = rgb[p] == 255 && rgb[p + 1] == 255 && rgb[p + 2] == 255;
        const bool black = rgb[p] == 0 && rgb[p + 1] == 0 && rgb[p + 2] == 0;
        const std::uint8_t v = (reversed ? white : !black) ? 255 : 0;
        out[p] = out[p + 1] = out[p + 2] = v;
    }
    return out;
}

TEST(TiffWriter, BilevelBitsFollowTheScreenMode) {
    // Normal mode: black paper (index 0 of the rainbow), white and coloured lines.
    RasterCanvas normal;
    make_canvas(normal, 12, 3, false, 0, rainbow_table());
    normal.point(0, 0, 255);  // white
    normal.point(1, 0, 100);  // a colour
    normal.point(9, 1, 255);
    const ColourTable table = rainbow_table();
    MemorySink sink;
    ASSERT_EQ(write_tiff(sink, normal, settings_for(ImageFormat::bilevel), table.data(), 256),
              ImageStatus::ok);
    const std::string& tif = sink.bytes();
    const std::size_t data = tif.size() - 2 * 3;
    EXPECT_EQ(tif.substr(data), std::string("\xC0\x00\x00\x40\x00\x00", 6));

    // Reversed mode: white paper stays white, every line is black.
    RasterCanvas reversed;
    make_canvas(reversed, 12, 3, false, kReverseMode);
    reversed.point(0, 0, 255);  // black
    reversed.point(1, 0, 100);  // a colour
    reversed.point(11, 2, 30);
    const std::string rtif = encode_image(write_tiff, reversed, settings_for(ImageFormat::bilevel));
    EXPECT_EQ(rtif.substr(rtif.size() - 6), std::string("\x3F\xF0\xFF\xF0\xFF\xE0", 6));
    // A true-colour canvas gives the same bits.
    RasterCanvas true_colour;
    make_canvas(true_colour, 12, 3, true, kReverseMode);
    true_colour.point(0, 0, 255);
    true_colour.point(1, 0, 100);
    true_colour.point(11, 2, 30);
    EXPECT_EQ(encode_image(write_tiff, true_colour, settings_for(ImageFormat::bilevel)), rtif);
}

TEST(TiffWriter, ResolutionAndUnitOfTheSettings) {
    RasterCanvas canvas;
    draw_picture(canvas);
    ImageSettings settings;
    settings.tiff.resolution = 300;
    settings.tiff.unit = ResolutionUnit::centimetre;
    const std::string tif = encode_image(write_tiff, canvas, settings);
    const auto e = directory_of(tif);
    EXPECT_EQ(le32(tif, e[10].value), 300u);
    EXPECT_EQ(le32(tif, e[10].value + 4), 1u);
    EXPECT_EQ(le32(tif, e[11].value), 300u);
    EXPECT_EQ(e[12].value, 3u);
    const std::string path = save_output(kTiffOutput, "centimetre.tif", tif);
    if (!tool_available("tiffinfo")) GTEST_SKIP() << "tiffinfo is not installed";
    int status = 0;
    const std::string info = run_program("tiffinfo '" + path + "'", &status, true);
    EXPECT_EQ(status, 0) << info;
    EXPECT_NE(info.find("Resolution: 300, 300 pixels/cm"), std::string::npos) << info;
}

// Writes the canvas, checks that tiffinfo reads it without complaint and returns the
// pixels as tifftopnm decodes them.
RgbImage read_back(const RasterCanvas& canvas, const ImageSettings& settings,
                   const std::string& name, const std::string& photometric) {
    const int width = settings.clipped ? settings.block.width : canvas.width();
    const std::string path =
        save_output(kTiffOutput, name, encode_image(write_tiff, canvas, settings));
    int status = 0;
    const std::string info = run_program("tiffinfo '" + path + "'", &status, true);
    EXPECT_EQ(status, 0) << info;
    EXPECT_EQ(info.find("arning"), std::string::npos) << info;
    EXPECT_EQ(info.find("rror"), std::string::npos) << info;
    EXPECT_NE(info.find("Image Width: " + std::to_string(width)), std::string::npos) << info;
    EXPECT_NE(info.find("Photometric Interpretation: " + photometric), std::string::npos) << info;
    return parse_pnm(run_program("tifftopnm '" + path + "'", &status));
}

TEST(TiffWriter, LibtiffReadsEveryFormat) {
    if (!tool_available("tiffinfo") || !tool_available("tifftopnm"))
        GTEST_SKIP() << "tiffinfo or tifftopnm is not installed";
    RasterCanvas indexed, true_colour;
    draw_picture(indexed);
    draw_picture(true_colour, true);
    const auto expected = canvas_rgb(indexed);
    ASSERT_EQ(canvas_rgb(true_colour), expected);

    EXPECT_EQ(read_back(indexed, ImageSettings{}, "indexed.tif", "palette").rgb, expected);
    EXPECT_EQ(read_back(indexed, settings_for(ImageFormat::rgb), "rgb.tif", "RGB").rgb, expected);
    // A true-colour canvas in the indexed format gets a reduced palette of its own.
    EXPECT_EQ(read_back(true_colour, ImageSettings{}, "reduced.tif", "palette").rgb, expected);
    EXPECT_EQ(
        read_back(indexed, settings_for(ImageFormat::bilevel), "bilevel.tif", "min-is-black").rgb,
        bilevel_rgb(expected, true));
}

TEST(TiffWriter, OneAndTwoRowImagesStayReadable) {
    // With one row the strip offset, and with up to two rows the byte counts, fit in the
    // directory entry itself, where readers look for them.
    if (!tool_available("tiffinfo") || !tool_available("tifftopnm"))
        GTEST_SKIP() << "tiffinfo or tifftopnm is not installed";
    RasterCanvas canvas;
    draw_picture(canvas);
    for (int rows : {1, 2, 3}) {
        for (ImageFormat format : {ImageFormat::indexed, ImageFormat::rgb, ImageFormat::bilevel}) {
            SCOPED_TRACE(std::to_string(rows) + " rows, format " +
                         std::to_string(static_cast<int>(format)));
            ImageSettings settings = settings_for(format);
            settings.clipped = true;
            settings.block = {2, 10, 30, rows};
            const RgbImage image =
                read_back(canvas, settings, "rows" + std::to_string(rows) + ".tif",
                          format == ImageFormat::indexed ? "palette"
                          : format == ImageFormat::rgb   ? "RGB"
                                                         : "min-is-black");
            ASSERT_TRUE(image.ok);
            const auto block = canvas_rgb(canvas, 2, 10, 30, rows);
            EXPECT_EQ(image.rgb, format == ImageFormat::bilevel ? bilevel_rgb(block, true) : block);
        }
    }
}

TEST(TiffWriter, WideRgbRowsGetLongByteCounts) {
    // A row of 3 * 21846 bytes does not fit the SHORT byte count.
    RasterCanvas canvas;
    make_canvas(canvas, 21846, 3, true, kReverseMode);
    canvas.set_colour(rgb(200, 10, 30));
    canvas.line(0, 0, 21845, 2);
    const std::string tif = encode_image(write_tiff, canvas, settings_for(ImageFormat::rgb));
    const auto e = directory_of(tif);
    ASSERT_EQ(e[9].tag, 279u);
    EXPECT_EQ(e[9].type, 4u);
    EXPECT_EQ(le32(tif, e[9].value), 3u * 21846);
    EXPECT_EQ(le32(tif, e[9].value + 8), 3u * 21846);
    if (!tool_available("tifftopnm")) GTEST_SKIP() << "tifftopnm is not installed";
    const RgbImage image = read_back(canvas, settings_for(ImageFormat::rgb), "wide.tif", "RGB");
    EXPECT_EQ(image.rgb, canvas_rgb(canvas));
}

TEST(TiffWriter, FailuresAndUnusableInputs) {
    RasterCanvas canvas;
    draw_picture(canvas);
    for (ImageFormat format : {ImageFormat::indexed, ImageFormat::rgb, ImageFormat::bilevel})
        expect_file_errors(write_tiff, canvas, settings_for(format));
    MemorySink sink;
    EXPECT_EQ(write_tiff(sink, canvas, ImageSettings{}, nullptr, 0), ImageStatus::no_image);
    EXPECT_EQ(write_tiff(sink, canvas, settings_for(ImageFormat::bilevel), nullptr, 0),
              ImageStatus::no_image);
    RasterCanvas empty;
    EXPECT_EQ(write_tiff(sink, empty, settings_for(ImageFormat::rgb), nullptr, 0),
              ImageStatus::no_image);
    EXPECT_EQ(sink.bytes(), "");
}

}  // namespace
}  // namespace gvx::testing
