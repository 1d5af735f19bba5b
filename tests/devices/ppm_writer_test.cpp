#include <gtest/gtest.h>

#include <string>

#include "gravox/devices/image_writers.h"
#include "tests/devices/image_writer_helpers.h"

namespace gvx::testing {
namespace {

const char kPpmOutput[] = "test-output/ppm";

std::string rgb_bytes(const std::vector<std::uint8_t>& v) {
    return std::string(v.begin(), v.end());
}

TEST(PpmWriter, PictureIsTheTextHeaderThenTheRgbRows) {
    RasterCanvas canvas;
    draw_picture(canvas);
    const std::string ppm = encode_image(write_ppm, canvas, ImageSettings{});
    expect_golden(ppm, "picture.ppm");
    const std::string header = "P6\n37 23\n255\n";
    ASSERT_EQ(ppm.substr(0, header.size()), header);
    EXPECT_EQ(ppm.substr(header.size()), rgb_bytes(canvas_rgb(canvas)));

    // RGB output whatever the format, and the same bytes from a true-colour canvas.
    EXPECT_EQ(encode_image(write_ppm, canvas, settings_for(ImageFormat::indexed)), ppm);
    RasterCanvas true_colour;
    draw_picture(true_colour, true);
    EXPECT_EQ(encode_image(write_ppm, true_colour, settings_for(ImageFormat::rgb)), ppm);
}

TEST(PpmWriter, ClipBlockWritesOnlyThatBlock) {
    RasterCanvas canvas;
    draw_picture(canvas);
    ImageSettings settings;
    settings.clipped = true;
    settings.block = {3, 5, 20, 9};
    const std::string ppm = encode_image(write_ppm, canvas, settings);
    EXPECT_EQ(ppm, "P6\n20 9\n255\n" + rgb_bytes(canvas_rgb(canvas, 3, 5, 20, 9)));

    settings.block = {30, 5, 20, 9};  // runs past the right edge
    EXPECT_EQ(encode_image(write_ppm, canvas, settings, ImageStatus::no_image), "");
    RasterCanvas empty;
    EXPECT_EQ(encode_image(write_ppm, empty, ImageSettings{}, ImageStatus::no_image), "");
}

TEST(PpmWriter, SinkFailuresGiveTheFileErrorStatus) {
    RasterCanvas canvas;
    draw_picture(canvas);
    expect_file_errors(write_ppm, canvas, ImageSettings{});
}

TEST(PpmWriter, NetpbmReadsThePicture) {
    RasterCanvas canvas;
    draw_picture(canvas);
    const std::string path =
        save_output(kPpmOutput, "picture.ppm", encode_image(write_ppm, canvas, ImageSettings{}));
    if (!tool_available("pnmfile")) GTEST_SKIP() << "pnmfile is not installed";
    int status = 0;
    const std::string description = run_program("pnmfile '" + path + "'", &status);
    EXPECT_EQ(status, 0);
    EXPECT_NE(description.find("PPM raw, 37 by 23  maxval 255"), std::string::npos) << description;
    RgbImage image;
    GRAVOX_DECODE_WITH("pnmtopnm", path, image);
    EXPECT_EQ(image.width, 37);
    EXPECT_EQ(image.height, 23);
    EXPECT_EQ(image.rgb, canvas_rgb(canvas));
}

}  // namespace
}  // namespace gvx::testing
