// Shared helpers of the image writer tests: the small test picture, golden files, a
// sink that fails, and the netpbm and libtiff programs as independent readers.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "gravox/core/sink.h"
#include "gravox/devices/image_writers.h"
#include "tests/devices/canvas_helpers.h"
#include "tests/support/golden.h"
#include "tests/support/programs.h"

namespace gvx::testing {

// Size of the test picture: an odd width, so that BMP rows need padding.
inline constexpr int kPictureWidth = 37;
inline constexpr int kPictureHeight = 23;

// A small plot as the devices draw it: white paper (reversed mode), a black border and
// a few coloured lines and a box.
inline void draw_picture(RasterCanvas& canvas, bool true_colour = false, int width = kPictureWidth,
                         int height = kPictureHeight) {
    make_canvas(canvas, width, height, true_colour, kReverseMode);
    const int w = width - 1, h = height - 1;
    canvas.set_colour(rgb(0, 0, 0));
    canvas.line(0, 0, w, 0);
    canvas.line(w, 0, w, h);
    canvas.line(w, h, 0, h);
    canvas.line(0, h, 0, 0);
    canvas.set_colour(rgb(255, 0, 0));
    canvas.line(2, h - 2, w - 2, 2);
    canvas.set_colour(rgb(0, 0, 255));
    canvas.line(2, 3, w - 3, h - 4);
    canvas.set_colour(rgb(0, 255, 0));
    canvas.line(3, h / 2, w - 3, h / 2);
    canvas.box(w - 8, h - 6, w - 3, h - 3, rgb(255, 255, 0));
}

using WriterFunction = ImageStatus (*)(Sink&, const RasterCanvas&, const ImageSettings&,
                                       const std::uint32_t*, int);

// Runs a writer into memory with the reversed rainbow table and checks its status.
inline std::string encode_image(WriterFunction writer, const RasterCanvas& canvas,
                                const ImageSettings& settings,
                                ImageStatus expected = ImageStatus::ok) {
    const ColourTable table = reversed_rainbow_table();
    MemorySink sink;
    EXPECT_EQ(writer(sink, canvas, settings, table.data(), 256), expected);
    return sink.bytes();
}

inline ImageSettings settings_for(ImageFormat format) {
    ImageSettings s;
    s.format = format;
    return s;
}

// Compares bytes with a golden file under tests/devices/golden/ (see golden.h).
inline void expect_golden(const std::string& bytes, const std::string& name) {
    expect_golden_bytes(bytes, "devices", name);
}

// A sink that accepts a given number of bytes and refuses every write beyond them.
class LimitedSink final : public Sink {
  public:
    explicit LimitedSink(std::size_t limit) : limit_(limit) {}

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

// Cuts a writer's stream at several places: every cut must give the file-error status,
// and a sink just large enough must give success.
inline void expect_file_errors(WriterFunction writer, const RasterCanvas& canvas,
                               const ImageSettings& settings) {
    const ColourTable table = reversed_rainbow_table();
    const std::string full = encode_image(writer, canvas, settings);
    ASSERT_FALSE(full.empty());
    for (std::size_t limit :
         {std::size_t{0}, std::size_t{1}, std::size_t{10}, full.size() / 2, full.size() - 1}) {
        LimitedSink sink(limit);
        EXPECT_EQ(writer(sink, canvas, settings, table.data(), 256), ImageStatus::file_error)
            << "cut at " << limit;
    }
    LimitedSink exact(full.size());
    EXPECT_EQ(writer(exact, canvas, settings, table.data(), 256), ImageStatus::ok);
}

// Little-endian numbers in a byte string.
inline std::uint32_t le16(const std::string& b, std::size_t at) {
    return static_cast<std::uint8_t>(b.at(at)) | static_cast<std::uint8_t>(b.at(at + 1)) << 8;
}
inline std::uint32_t le32(const std::string& b, std::size_t at) {
    return le16(b, at) | le16(b, at + 2) << 16;
}

// The pixels of a block of the canvas as red, green, blue.
inline std::vector<std::uint8_t> canvas_rgb(const RasterCanvas& canvas, int x0, int y0, int w,
                                            int h) {
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(w) * h * 3);
    EXPECT_EQ(canvas.read(x0, y0, w, h, true, rgb.data(), rgb.size()), CanvasStatus::ok);
    return rgb;
}
inline std::vector<std::uint8_t> canvas_rgb(const RasterCanvas& canvas) {
    return canvas_rgb(canvas, 0, 0, canvas.width(), canvas.height());
}

// ---- Independent readers -------------------------------------------------------------

// A decoded netpbm image as red, green, blue per pixel.
struct RgbImage {
    bool ok = false;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
};

// Decodes the raw netpbm formats P4 (bits, 1 is black), P5 (grey) and P6 (colour) with a
// maximum value of 255.
inline RgbImage parse_pnm(const std::string& bytes) {
    RgbImage image;
    std::size_t pos = 0;
    auto token = [&]() {
        std::string t;
        while (pos < bytes.size()) {
            const char c = bytes[pos];
            if (c == '#') {
                while (pos < bytes.size() && bytes[pos] != '\n') ++pos;
            } else if (std::isspace(static_cast<unsigned char>(c))) {
                if (!t.empty()) break;
                ++pos;
            } else {
                t.push_back(c);
                ++pos;
            }
        }
        return t;
    };
    const std::string magic = token();
    if (magic != "P4" && magic != "P5" && magic != "P6") return image;
    image.width = std::atoi(token().c_str());
    image.height = std::atoi(token().c_str());
    const int maxval = magic == "P4" ? 1 : std::atoi(token().c_str());
    if (image.width <= 0 || image.height <= 0 || (magic != "P4" && maxval != 255)) return image;
    ++pos;  // the single blank after the header
    const auto w = static_cast<std::size_t>(image.width),
               h = static_cast<std::size_t>(image.height);
    const std::size_t row = magic == "P4" ? (w + 7) / 8 : magic == "P5" ? w : 3 * w;
    if (bytes.size() < pos + row * h) return image;
    image.rgb.resize(w * h * 3);
    for (std::size_t y = 0; y < h; ++y)
        for (std::size_t x = 0; x < w; ++x) {
            const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.data() + pos + y * row);
            std::uint8_t* q = image.rgb.data() + 3 * (y * w + x);
            if (magic == "P6") {
                q[0] = p[3 * x];
                q[1] = p[3 * x + 1];
                q[2] = p[3 * x + 2];
            } else {
                const std::uint8_t v = magic == "P5"                     ? p[x]
                                       : ((p[x / 8] >> (7 - x % 8)) & 1) ? 0
                                                                         : 255;
                q[0] = q[1] = q[2] = v;
            }
        }
    image.ok = true;
    return image;
}

// Decodes a file with a netpbm converter such as giftopnm; GTEST_SKIP when it is missing.
#define GRAVOX_DECODE_WITH(program, path, image)                                            \
    do {                                                                                    \
        if (!tool_available(program)) GTEST_SKIP() << program << " is not installed";       \
        int status_ = 0;                                                                    \
        image = parse_pnm(run_program(std::string(program) + " '" + path + "'", &status_)); \
        ASSERT_EQ(status_, 0) << program << " failed on " << path;                          \
        ASSERT_TRUE(image.ok) << program << " gave no image for " << path;                  \
    } while (0)

}  // namespace gvx::testing
