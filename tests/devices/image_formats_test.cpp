// The other raster formats through the library: metafl, gvxini, drawing, gvxfin, and the
// routines of the GIF and TIFF settings.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "gravox/core/all_records.h"
#include "gravox/gravox.h"
#include "tests/devices/image_writer_helpers.h"
#include "tests/support/temp_dir.h"

namespace gvx::testing {
namespace {

class ImageFormats : public ::testing::Test {
  protected:
    ImageFormats() : cwd_(dir_.path()) {}

    // One plot with the page border; returns what the library printed.
    std::string plot(const char* format) {
        ::testing::internal::CaptureStdout();
        g_.metafl(format);
        g_.scrmod("REVERS");
        g_.gvxini();
        g_.pagera();
        g_.gvxfin();
        return ::testing::internal::GetCapturedStdout();
    }

    TempDir dir_;
    WorkingDir cwd_;
    Gravox g_;
};

TEST_F(ImageFormats, EveryFormatWritesItsFile) {
    struct Case {
        const char* format;
        const char* file;
        std::string start;
        std::size_t size;
        const char* reader;
    };
    const std::size_t w = 853, h = 603;
    const Case cases[] = {
        {"TIFF", "gravox.tif", std::string("II\x2A\0\x08\0\0\0\x0E\0", 10),
         182 + 6 * h + 16 + 1536 + w * h, "tifftopnm"},
        {"IMAG", "gravox.img",
         "!Bitmap GRAVOX VIRT   853   603     8   853     8    32     0     1     0       ",
         80 + w * h, nullptr},
        {"PPM", "gravox.ppm", "P6\n853 603\n255\n", 15 + 3 * w * h, "pnmtopnm"},
        {"BMP", "gravox.bmp", "BM", 1078 + 856 * h, "bmptopnm"},
        {"GIF", "gravox.gif", "GIF87a\x55\x03\x5B\x02\xF7", 0, "giftopnm"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        const std::string out = plot(c.format);
        EXPECT_EQ(out.find("<<<< Warning"), std::string::npos) << out;
        const std::string bytes = read_file(c.file);
        EXPECT_EQ(bytes.substr(0, c.start.size()), c.start);
        if (c.size) {
            EXPECT_EQ(bytes.size(), c.size);
        }
        if (!c.reader || !tool_available(c.reader)) continue;
        const std::string path = save_output("test-output/formats", c.file, bytes);
        const RgbImage image = parse_pnm(run_program(std::string(c.reader) + " '" + path + "'"));
        ASSERT_TRUE(image.ok);
        ASSERT_EQ(image.width, 853);
        ASSERT_EQ(image.height, 603);
        // A black page border on white paper.
        auto at = [&](int x, int y) {
            const std::uint8_t* p = image.rgb.data() + 3 * (static_cast<std::size_t>(y) * 853 + x);
            return std::array<int, 3>{p[0], p[1], p[2]};
        };
        EXPECT_EQ(at(0, 0), (std::array<int, 3>{0, 0, 0}));
        EXPECT_EQ(at(852, 300), (std::array<int, 3>{0, 0, 0}));
        EXPECT_EQ(at(400, 602), (std::array<int, 3>{0, 0, 0}));
        EXPECT_EQ(at(400, 300), (std::array<int, 3>{255, 255, 255}));
    }
}

TEST_F(ImageFormats, GifTransparencyAndTiffResolution) {
    ::testing::internal::CaptureStdout();
    g_.gifmod("ON", "TRANSPARENCY");
    g_.tifmod(300, "CM", "RESOLUTION");
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    plot("GIF");
    const std::string gif = read_file("gravox.gif");
    EXPECT_EQ(gif.substr(0, 6), "GIF89a");
    // The graphic control extension makes the background (index 0, the paper) transparent.
    EXPECT_EQ(gif.substr(13 + 768, 8), std::string("\x21\xF9\x04\x01\0\0\0\0", 8));

    plot("TIFF");
    const std::string tif = read_file("gravox.tif");
    const std::uint32_t rationals = 182 + 6 * 603;
    EXPECT_EQ(le32(tif, rationals), 300u);
    EXPECT_EQ(le32(tif, rationals + 8), 300u);
    EXPECT_EQ(le16(tif, 10 + 12 * 12 + 8), 3u);  // ResolutionUnit: centimetre

    // The settings stay for later plots until changed.
    g_.gifmod("OFF", "TRAN");
    g_.tifmod(72, "INCH", "RESO");
    EXPECT_FALSE(gvx::state_of(g_).raster->gif.transparent);
    EXPECT_EQ(gvx::state_of(g_).raster->tiff.resolution, 72);
    EXPECT_EQ(gvx::state_of(g_).raster->tiff.unit, ResolutionUnit::inch);
}

TEST_F(ImageFormats, RefusedSettingsChangeNothing) {
    ::testing::internal::CaptureStdout();
    g_.gifmod("ON", "COLOUR");
    g_.gifmod("MAYBE", "TRAN");
    g_.tifmod(0, "INCH", "RESO");
    g_.tifmod(100, "MM", "RESO");
    g_.tifmod(100, "CM", "SIZE");
    const std::string out = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(out,
              " <<<< Warning   2: Incorrect parameter in gifmod!   (COLOUR)\n"
              " <<<< Warning   2: Incorrect parameter in gifmod!   (MAYBE)\n"
              " <<<< Warning   2: Incorrect parameter in tifmod!   (   0)\n"
              " <<<< Warning   2: Incorrect parameter in tifmod!   (MM)\n"
              " <<<< Warning   2: Incorrect parameter in tifmod!   (SIZE)\n");
    EXPECT_FALSE(gvx::state_of(g_).raster->gif.transparent);
    EXPECT_EQ(gvx::state_of(g_).raster->tiff.resolution, 100);
    EXPECT_EQ(gvx::state_of(g_).raster->tiff.unit, ResolutionUnit::inch);

    // Both belong before gvxini.
    ::testing::internal::CaptureStdout();
    g_.metafl("GIF");
    g_.gvxini();
    g_.gifmod("ON", "TRAN");
    g_.tifmod(300, "CM", "RESO");
    g_.gvxfin();
    const std::string inside = ::testing::internal::GetCapturedStdout();
    EXPECT_NE(inside.find("in gifmod!"), std::string::npos) << inside;
    EXPECT_NE(inside.find("in tifmod!"), std::string::npos) << inside;
    EXPECT_FALSE(gvx::state_of(g_).raster->gif.transparent);
    EXPECT_EQ(gvx::state_of(g_).raster->tiff.resolution, 100);
}

TEST_F(ImageFormats, RgbFormatAndImageBlock) {
    ::testing::internal::CaptureStdout();
    g_.imgfmt("RGB");
    g_.metafl("BMP");
    g_.scrmod("REVERS");
    g_.gvxini();
    g_.pagera();
    g_.imgclp(10, 20, 100, 50);
    g_.gvxfin();
    ::testing::internal::GetCapturedStdout();
    const std::string bmp = read_file("gravox.bmp");
    EXPECT_EQ(le16(bmp, 28), 24u);   // bits per pixel
    EXPECT_EQ(le32(bmp, 18), 100u);  // width
    EXPECT_EQ(le32(bmp, 22), 50u);   // height
    EXPECT_EQ(bmp.size(), 54u + 300 * 50);
}

}  // namespace
}  // namespace gvx::testing
