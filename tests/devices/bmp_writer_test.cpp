#include <gtest/gtest.h>

#include <string>

#include "gravox/devices/image_writers.h"
#include "tests/devices/image_writer_helpers.h"

namespace gvx::testing {
namespace {

const char kBmpOutput[] = "test-output/bmp";

struct BmpHeader {
    std::uint32_t file_size, data_offset, info_size, width, height, planes, bits, compression,
        image_size, x_resolution, y_resolution, colours_used, colours_important;
};

BmpHeader header_of(const std::string& b) {
    return {le32(b, 2),  le32(b, 10), le32(b, 14), le32(b, 18), le32(b, 22),
            le16(b, 26), le16(b, 28), le32(b, 30), le32(b, 34), le32(b, 38),
            le32(b, 42), le32(b, 46), le32(b, 50)};
}

TEST(BmpWriter, IndexedPictureOfTheDefaultWidth) {
    RasterCanvas canvas;
    draw_picture(canvas, false, 853, 7);
    const std::string bmp = encode_image(write_bmp, canvas, ImageSettings{});
    ASSERT_EQ(bmp.substr(0, 2), "BM");
    const BmpHeader h = header_of(bmp);
    EXPECT_EQ(h.data_offset, 1078u);
    EXPECT_EQ(h.file_size, 856u * 7 + 1078);
    EXPECT_EQ(bmp.size(), h.file_size);
    EXPECT_EQ(le32(bmp, 6), 0u);  // reserved
    EXPECT_EQ(h.info_size, 40u);
    EXPECT_EQ(h.width, 853u);
    EXPECT_EQ(h.height, 7u);
    EXPECT_EQ(h.planes, 1u);
    EXPECT_EQ(h.bits, 8u);
    EXPECT_EQ(h.compression, 0u);
    EXPECT_EQ(h.image_size, 856u * 7);
    EXPECT_EQ(h.x_resolution, 2500u);
    EXPECT_EQ(h.y_resolution, 2500u);
    EXPECT_EQ(h.colours_used, 256u);
    EXPECT_EQ(h.colours_important, 256u);
    // Palette entries blue, green, red, 0 from the colour table.
    const ColourTable table = reversed_rainbow_table();
    for (int i = 0; i < 256; ++i) {
        const std::string entry = bmp.substr(54 + 4 * i, 4);
        ASSERT_EQ(entry, std::string({static_cast<char>(table[i] & 0xFF),
                                      static_cast<char>(table[i] >> 8 & 0xFF),
                                      static_cast<char>(table[i] >> 16 & 0xFF), '\0'}))
            << i;
    }
    // Rows bottom-up, three zero bytes of padding each.
    for (int r = 0; r < 7; ++r) {
        const std::string row = bmp.substr(1078 + 856 * r, 856);
        const int y = 6 - r;
        EXPECT_EQ(row.substr(0, 853),
                  std::string(reinterpret_cast<const char*>(canvas.pixels()) + 853 * y, 853));
        EXPECT_EQ(row.substr(853), std::string(3, '\0'));
    }
}

TEST(BmpWriter, RgbRowsAreBlueGreenRedAndPadded) {
    RasterCanvas canvas;
    draw_picture(canvas, true, 10, 6);
    const std::string bmp = encode_image(write_bmp, canvas, settings_for(ImageFormat::rgb));
    const BmpHeader h = header_of(bmp);
    EXPECT_EQ(h.data_offset, 54u);
    EXPECT_EQ(h.bits, 24u);
    EXPECT_EQ(h.colours_used, 0u);
    EXPECT_EQ(h.image_size, 32u * 6);
    EXPECT_EQ(h.file_size, 32u * 6 + 54);
    ASSERT_EQ(bmp.size(), 54u + 32 * 6);
    const auto pixels = canvas_rgb(canvas);
    for (int r = 0; r < 6; ++r) {
        const int y = 5 - r;
        for (int x = 0; x < 10; ++x)
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(static_cast<std::uint8_t>(bmp[54 + 32 * r + 3 * x + c]),
                          pixels[3 * (10 * y + x) + 2 - c]);
        EXPECT_EQ(bmp.substr(54 + 32 * r + 30, 2), std::string(2, '\0'));
    }
}

TEST(BmpWriter, GoldenPictures) {
    RasterCanvas canvas;
    draw_picture(canvas);
    expect_golden(encode_image(write_bmp, canvas, ImageSettings{}), "picture_indexed.bmp");
    expect_golden(encode_image(write_bmp, canvas, settings_for(ImageFormat::rgb)),
                  "picture_rgb.bmp");
    // "BIL" has no bit-per-pixel form in BMP: it is written as indexed.
    EXPECT_EQ(encode_image(write_bmp, canvas, settings_for(ImageFormat::bilevel)),
              encode_image(write_bmp, canvas, ImageSettings{}));
}

TEST(BmpWriter, NetpbmDecodesIndexedRgbAndReducedPictures) {
    RasterCanvas indexed, true_colour;
    draw_picture(indexed);
    draw_picture(true_colour, true);
    struct Case {
        const char* name;
        const RasterCanvas& canvas;
        ImageFormat format;
    };
    const Case cases[] = {{"indexed.bmp", indexed, ImageFormat::indexed},
                          {"rgb.bmp", true_colour, ImageFormat::rgb},
                          // A true-colour canvas in an indexed format is reduced to a
                          // palette of its own; the picture has few colours, so exactly.
                          {"reduced.bmp", true_colour, ImageFormat::indexed}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = save_output(
            kBmpOutput, c.name, encode_image(write_bmp, c.canvas, settings_for(c.format)));
        RgbImage image;
        GRAVOX_DECODE_WITH("bmptopnm", path, image);
        EXPECT_EQ(image.width, kPictureWidth);
        EXPECT_EQ(image.height, kPictureHeight);
        EXPECT_EQ(image.rgb, canvas_rgb(c.canvas));
    }
}

TEST(BmpWriter, ClipBlockAndFailures) {
    RasterCanvas canvas;
    draw_picture(canvas);
    ImageSettings settings;
    settings.clipped = true;
    settings.block = {1, 2, 9, 3};
    const std::string bmp = encode_image(write_bmp, canvas, settings);
    EXPECT_EQ(header_of(bmp).width, 9u);
    EXPECT_EQ(header_of(bmp).height, 3u);
    // The top row of the block is the last row of the file.
    EXPECT_EQ(bmp.substr(1078 + 2 * 12, 9),
              std::string(reinterpret_cast<const char*>(canvas.pixels()) + 37 * 2 + 1, 9));

    expect_file_errors(write_bmp, canvas, ImageSettings{});
    expect_file_errors(write_bmp, canvas, settings_for(ImageFormat::rgb));
    MemorySink sink;
    EXPECT_EQ(write_bmp(sink, canvas, ImageSettings{}, nullptr, 0), ImageStatus::no_image);
    EXPECT_EQ(sink.bytes(), "");
    // RGB output does not need the colour table.
    EXPECT_EQ(write_bmp(sink, canvas, settings_for(ImageFormat::rgb), nullptr, 0), ImageStatus::ok);
}

}  // namespace
}  // namespace gvx::testing
