#include <gtest/gtest.h>

#include <string>

#include "gravox/devices/image_writers.h"
#include "tests/devices/image_writer_helpers.h"

namespace gvx::testing {
namespace {

std::string dump(const RasterCanvas& canvas, DumpStatus expected = DumpStatus::ok,
                 const ImageSettings& settings = ImageSettings{}) {
    const ColourTable table = reversed_rainbow_table();
    MemorySink sink;
    EXPECT_EQ(write_imag(sink, canvas, settings, table.data(), 256), expected);
    return sink.bytes();
}

TEST(ImagWriter, DefaultPlotHeader) {
    RasterCanvas canvas;
    int w = 0, h = 0;
    ASSERT_EQ(canvas.create(2969, 2099, w, h, false, kReverseMode, false), CanvasStatus::ok);
    const std::string bytes = dump(canvas);
    const std::string header =
        "!Bitmap GRAVOX VIRT   853   603     8   853     8    32     0     1     0       ";
    ASSERT_EQ(header.size(), 80u);
    EXPECT_EQ(bytes.substr(0, 80), header);
    ASSERT_EQ(bytes.size(), 80u + 853u * 603u);
    EXPECT_EQ(bytes.substr(80),
              std::string(reinterpret_cast<const char*>(canvas.pixels()), canvas.pixel_bytes()));
}

TEST(ImagWriter, IndexedAndTrueColourPictures) {
    RasterCanvas canvas;
    draw_picture(canvas);
    const std::string indexed = dump(canvas);
    expect_golden(indexed, "picture.imag");
    EXPECT_EQ(indexed.substr(0, 80),
              "!Bitmap GRAVOX VIRT    37    23     8    37     8    32     0     1     0       ");

    RasterCanvas true_colour;
    draw_picture(true_colour, true);
    const std::string rgb = dump(true_colour);
    expect_golden(rgb, "picture_rgb.imag");
    EXPECT_EQ(rgb.substr(0, 80),
              "!Bitmap GRAVOX VIRT    37    23     8   111    24    32     0     5     0       ");
    const auto pixels = canvas_rgb(true_colour);
    EXPECT_EQ(rgb.substr(80), std::string(pixels.begin(), pixels.end()));

    // The dump always covers the whole canvas, whatever block the plot asked for.
    ImageSettings clipped;
    clipped.clipped = true;
    clipped.block = {2, 2, 5, 5};
    EXPECT_EQ(dump(canvas, DumpStatus::ok, clipped), indexed);
}

TEST(ImagWriter, StatusesCountUpwards) {
    RasterCanvas canvas;
    draw_picture(canvas);
    const ColourTable table = reversed_rainbow_table();
    for (std::size_t limit : {0, 79, 80, 500}) {
        LimitedSink sink(limit);
        EXPECT_EQ(write_imag(sink, canvas, ImageSettings{}, table.data(), 256),
                  DumpStatus::file_error);
    }
    LimitedSink exact(80 + 37 * 23);
    EXPECT_EQ(write_imag(exact, canvas, ImageSettings{}, table.data(), 256), DumpStatus::ok);
    RasterCanvas empty;
    EXPECT_EQ(dump(empty, DumpStatus::no_image), "");
}

}  // namespace
}  // namespace gvx::testing
