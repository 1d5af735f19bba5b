// The raster devices through the library: PNG files from gvxini to gvxfin.
#include <gtest/gtest.h>

#include <filesystem>

#include "gravox/core/all_records.h"
#include "gravox/gravox.h"
#include "tests/support/png_decode.h"
#include "tests/support/temp_dir.h"

namespace gvx::testing {
namespace {

// Keeps a copy of the PNG for the independent reader that CI runs over the test output.
void keep_for_checking(const std::string& name, const std::string& bytes) {
    std::filesystem::path dir = std::filesystem::path(GRAVOX_BINARY_DIR) / "test-output" / "png";
    std::filesystem::create_directories(dir);
    std::FILE* f = std::fopen((dir / name).string().c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

class RasterDevice : public ::testing::Test {
  protected:
    RasterDevice() : cwd_(dir_.path()) {}

    // Runs one plot: metafl, scrmod, gvxini, what draws, gvxfin. Returns standard output.
    template <typename Draw>
    std::string plot(const char* format, const char* screen, Draw draw) {
        ::testing::internal::CaptureStdout();
        g_.metafl(format);
        g_.scrmod(screen);
        g_.gvxini();
        draw();
        g_.gvxfin();
        return ::testing::internal::GetCapturedStdout();
    }
    std::array<std::uint8_t, 3> rgb(const DecodedPng& png, int x, int y) {
        if (png.colour_type == 3) return png.palette[png.at(x, y)];
        return {png.at(x, y, 0), png.at(x, y, 1), png.at(x, y, 2)};
    }
    void expect_border(const DecodedPng& png) {
        const std::array<std::uint8_t, 3> black{0, 0, 0}, white{255, 255, 255};
        for (int x = 0; x < 853; x += 17) {
            EXPECT_EQ(rgb(png, x, 0), black) << x;
            EXPECT_EQ(rgb(png, x, 602), black) << x;
        }
        for (int y = 0; y < 603; y += 13) {
            EXPECT_EQ(rgb(png, 0, y), black) << y;
            EXPECT_EQ(rgb(png, 852, y), black) << y;
        }
        // The page corner (2969, 2099) is pixel (852, 602).
        EXPECT_EQ(rgb(png, 851, 300), white);
        EXPECT_EQ(rgb(png, 852, 602), black);
        EXPECT_EQ(rgb(png, 1, 300), white);
        EXPECT_EQ(rgb(png, 400, 1), white);
        EXPECT_EQ(rgb(png, 400, 300), white);
    }

    TempDir dir_;
    WorkingDir cwd_;
    Gravox g_;
};

TEST_F(RasterDevice, PageBorderIsBlackOnWhiteInReversedMode) {
    std::string out = plot("PNG", "REVERS", [&] { g_.pagera(); });
    EXPECT_NE(out.find(" <<  Metafile: gravox.png "), std::string::npos) << out;
    EXPECT_NE(out.find("Warnings: 0 "), std::string::npos);
    std::string bytes = read_file("gravox.png");
    keep_for_checking("border.png", bytes);
    DecodedPng png = decode_png(bytes);
    ASSERT_TRUE(png.ok) << png.error;
    EXPECT_EQ(png.width, 853u);
    EXPECT_EQ(png.height, 603u);
    EXPECT_EQ(png.colour_type, 3);
    EXPECT_EQ(png.palette.size(), 256u);
    expect_border(png);
}

TEST_F(RasterDevice, TrueColourImageHasTheSamePicture) {
    g_.imgfmt("RGB");
    plot("PNG", "REVERS", [&] { g_.pagera(); });
    std::string bytes = read_file("gravox.png");
    keep_for_checking("border-rgb.png", bytes);
    DecodedPng png = decode_png(bytes);
    ASSERT_TRUE(png.ok) << png.error;
    EXPECT_EQ(png.colour_type, 2);
    expect_border(png);
}

TEST_F(RasterDevice, ImageBlockAndTransparency) {
    g_.pngmod("ON", "TRANSPARENCY");
    plot("PNG", "REVERS", [&] {
        g_.pagera();
        g_.imgclp(0, 0, 100, 50);
    });
    DecodedPng png = decode_png(read_file("gravox.png"));
    ASSERT_TRUE(png.ok) << png.error;
    EXPECT_EQ(png.width, 100u);
    EXPECT_EQ(png.height, 50u);
    EXPECT_EQ(png.trns_alpha, std::vector<std::uint8_t>{0});
    EXPECT_EQ(rgb(png, 0, 10), (std::array<std::uint8_t, 3>{0, 0, 0}));
    // The next plot writes the whole image again.
    plot("PNG", "REVERS", [] {});
    EXPECT_EQ(decode_png(read_file("gravox_1.png")).width, 853u);
}

TEST_F(RasterDevice, RefusedSettingsChangeNothing) {
    std::string out = plot("PNG", "REVERS", [&] {
        g_.imgclp(-1, 5, 10, 10);
        g_.imgclp(0, 0, 0, 10);
        g_.imgclp(800, 0, 100, 10);
    });
    EXPECT_NE(out.find(" <<<< Warning   2: Incorrect parameter in imgclp!   (  -1)\n"),
              std::string::npos);
    EXPECT_NE(out.find(" <<<< Warning   2: Incorrect parameter in imgclp!   (   0)\n"),
              std::string::npos);
    EXPECT_NE(out.find(" <<<< Warning   2: Incorrect parameter in imgclp!\n"), std::string::npos);
    EXPECT_EQ(decode_png(read_file("gravox.png")).width, 853u);
    ::testing::internal::CaptureStdout();
    g_.pngmod("ON", "COLOUR");
    g_.imgfmt("JPG");
    out = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(out,
              " <<<< Warning   2: Incorrect parameter in pngmod!   (COLOUR)\n"
              " <<<< Warning   2: Incorrect parameter in imgfmt!   (JPG)\n");
    EXPECT_FALSE(gvx::state_of(g_).raster->png.transparent);
}

TEST_F(RasterDevice, EraseClearsThePicture) {
    plot("PNG", "REVERS", [&] {
        g_.pagera();
        g_.erase();
    });
    DecodedPng png = decode_png(read_file("gravox.png"));
    ASSERT_TRUE(png.ok);
    EXPECT_EQ(rgb(png, 0, 0), (std::array<std::uint8_t, 3>{255, 255, 255}));
}

TEST_F(RasterDevice, ClippingWindowCutsTheCanvas) {
    plot("PNG", "REVERS", [&] {
        g_.clpwin(0, 0, 1000, 1000);
        g_.pagera();
        g_.clpbor("PAGE");
    });
    DecodedPng png = decode_png(read_file("gravox.png"));
    ASSERT_TRUE(png.ok);
    EXPECT_EQ(rgb(png, 0, 100), (std::array<std::uint8_t, 3>{0, 0, 0}));
    EXPECT_EQ(rgb(png, 0, 500), (std::array<std::uint8_t, 3>{255, 255, 255}));
    EXPECT_EQ(rgb(png, 852, 300), (std::array<std::uint8_t, 3>{255, 255, 255}));
}

TEST_F(RasterDevice, VirtualImageWritesNoFile) {
    std::string out = plot("VIRT", "REVERS", [&] { g_.pagera(); });
    EXPECT_NE(out.find(" <<  Metafile:" + std::string(51, ' ') + "<<\n"), std::string::npos) << out;
    EXPECT_TRUE(std::filesystem::is_empty(dir_.path()));
}

TEST_F(RasterDevice, FormatsWithoutWriterAreRefused) {
    for (const char* format : {"TIFF", "GIF", "BMP", "PPM", "IMAG"}) {
        std::string out = plot(format, "REVERS", [] {});
        if (gvx::state_of(g_).device == nullptr && out.find("Warning 140") == std::string::npos)
            continue;  // the format has a writer now
        EXPECT_NE(out.find(" <<<< Warning 140: Output device is not supported in gvxini!\n"),
                  std::string::npos)
            << format;
    }
}

}  // namespace
}  // namespace gvx::testing
