// The Windows metafile: the placeable and standard headers, a walk over its records,
// the object table, and the readers wmf2svg and wmf2gd, which render the four figures
// with their dark pixels where the PNG device puts them.
#include <cstdint>
#include <filesystem>
#include <map>

#include "app/figures.h"
#include "tests/formats/format_fixture.h"
#include "tests/support/png_decode.h"

namespace gvx::testing {
namespace {

using WmfTest = FormatTest;

// Runs a shell command; returns its standard output and sets its exit status.
std::string run_program(const std::string& command, int* status) {
    std::string out;
    FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    if (!pipe) return out;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    *status = pclose(pipe);
    return out;
}

int word_at(const std::string& b, std::size_t at) {
    return static_cast<std::uint8_t>(b[at]) | (static_cast<std::uint8_t>(b[at + 1]) << 8);
}
std::uint32_t dword_at(const std::string& b, std::size_t at) {
    return static_cast<std::uint32_t>(word_at(b, at)) |
           (static_cast<std::uint32_t>(word_at(b, at + 2)) << 16);
}
int signed_at(const std::string& b, std::size_t at) {
    return static_cast<std::int16_t>(word_at(b, at));
}

struct WmfRecord {
    int function;
    std::size_t at;  // first parameter
    std::uint32_t words;
};

// Walks the records from the end of the headers; fails the test on a broken chain.
std::vector<WmfRecord> records_of(const std::string& b) {
    std::vector<WmfRecord> out;
    std::size_t at = 22 + 18;
    while (at + 6 <= b.size()) {
        const std::uint32_t words = dword_at(b, at);
        EXPECT_GE(words, 3u);
        if (words < 3) break;
        out.push_back({word_at(b, at + 4), at + 6, words});
        at += 2 * static_cast<std::size_t>(words);
        if (out.back().function == 0) break;
    }
    EXPECT_EQ(at, b.size()) << "records do not end with the file";
    return out;
}

TEST_F(WmfTest, HeadersRecordsAndObjectsAreConsistent) {
    open("WMF");
    draw_scene();
    const std::string b = finish();
    EXPECT_EQ(opened_name_, "gravox.wmf");
    EXPECT_EQ(opened_mode_, "wb");
    expect_golden(b, "scene.wmf");
    ASSERT_GT(b.size(), 40u);
    // Placeable header.
    EXPECT_EQ(dword_at(b, 0), 0x9AC6CDD7u);
    EXPECT_EQ(signed_at(b, 10), 2969);  // right: tenths of a millimetre
    EXPECT_EQ(signed_at(b, 12), 2099);
    EXPECT_EQ(word_at(b, 14), 254);
    int checksum = 0;
    for (int i = 0; i < 10; ++i) checksum ^= word_at(b, 2 * i);
    EXPECT_EQ(word_at(b, 20), checksum);
    // Standard header.
    EXPECT_EQ(word_at(b, 22), 1);
    EXPECT_EQ(word_at(b, 24), 9);
    EXPECT_EQ(word_at(b, 26), 0x0300);
    EXPECT_EQ(dword_at(b, 28) * 2, b.size() - 22);
    const int objects = word_at(b, 32);
    const std::uint32_t largest = dword_at(b, 34);

    const auto records = records_of(b);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back().function, 0);
    std::uint32_t seen_largest = 0;
    std::map<int, int> count;
    std::vector<bool> live(16, false);
    int most = 0;
    for (const WmfRecord& r : records) {
        seen_largest = std::max(seen_largest, r.words);
        ++count[r.function];
        if (r.function == 0x02FA || r.function == 0x02FC) {
            int slot = 0;
            while (live[slot]) ++slot;
            live[slot] = true;
            most = std::max(most, slot + 1);
        } else if (r.function == 0x01F0 || r.function == 0x012D) {
            const int slot = word_at(b, r.at);
            ASSERT_LT(slot, 16);
            EXPECT_TRUE(live[slot]) << "object " << slot << " used after deletion";
            if (r.function == 0x01F0) live[slot] = false;
        } else if (r.function == 0x0325 || r.function == 0x0324) {
            EXPECT_EQ(r.words, 4u + 2u * word_at(b, r.at));
        }
    }
    EXPECT_EQ(seen_largest, largest);
    EXPECT_EQ(most, objects);
    for (int slot = 0; slot < 16; ++slot) EXPECT_FALSE(live[slot]) << "object " << slot << " left";
    EXPECT_EQ(count[0x020C], 1);  // window extent
    EXPECT_EQ(count[0x041B], 1);  // the box
    EXPECT_EQ(count[0x0324], 1);  // the polygon
    EXPECT_GE(count[0x0325], 3);
    // The wide line's pen is 10 units wide, in the colour of the table's blue.
    bool wide_pen = false;
    for (const WmfRecord& r : records)
        if (r.function == 0x02FA && word_at(b, r.at + 2) == 10)
            wide_pen = dword_at(b, r.at + 6) == 0xFF0000u;
    EXPECT_TRUE(wide_pen);
}

TEST_F(WmfTest, PlotFileIsOpenedUnderTheFileMode) {
    g_.filmod("BREAK");
    s().files.open_sink = open_file_sink;
    std::FILE* f = std::fopen("gravox.wmf", "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    g_.metafl("WMF");
    const std::string out = output_of([&] { g_.gvxini(); });
    EXPECT_EQ(s().frame.level, 0);
    EXPECT_NE(out.find("Warning 169"), std::string::npos) << out;
    g_.filmod("DELETE");
    g_.gvxini();
    ASSERT_EQ(s().frame.level, 1);
    output_of([&] { g_.gvxfin(); });
    EXPECT_GT(std::filesystem::file_size("gravox.wmf"), 40u);
}

// Dark pixels (all three samples below 128) of a decoded PNG of any colour type.
std::vector<bool> dark_pixels(const DecodedPng& png) {
    std::vector<bool> dark(static_cast<std::size_t>(png.width) * png.height);
    for (std::uint32_t y = 0; y < png.height; ++y)
        for (std::uint32_t x = 0; x < png.width; ++x) {
            int sum = 0;
            for (int c = 0; c < 3; ++c) {
                const int v = png.colour_type == 3   ? png.palette[png.at(x, y)][c]
                              : png.colour_type == 0 ? png.at(x, y)
                              : png.colour_type == 4 ? png.at(x, y, 0)
                                                     : png.at(x, y, c);
                sum += v;
            }
            const bool transparent =
                (png.colour_type == 6 && png.at(x, y, 3) == 0) ||
                (png.colour_type == 3 && png.at(x, y) < png.trns_alpha.size() &&
                 png.trns_alpha[png.at(x, y)] == 0);
            dark[y * png.width + x] = !transparent && sum < 3 * 128;
        }
    return dark;
}

TEST(WmfReaders, FiguresRenderWithTheDarkPixelsOfThePngDevice) {
    if (!tool_available("wmf2gd") || !tool_available("wmf2svg"))
        GTEST_SKIP() << "wmf2gd and wmf2svg are not installed (Debian package libwmf-bin)";
    const std::filesystem::path dir = reader_output_dir() / "wmf";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / "png");
    auto draw_in = [](const std::filesystem::path& where, const char* format) {
        WorkingDir cwd(where);
        Gravox plot;
        char legend_buffer[256] = {};
        int legend_line = 0;
        ::testing::internal::CaptureStdout();
        cosmology::draw_figures(plot, legend_buffer, legend_line, format);
        ::testing::internal::GetCapturedStdout();
    };
    draw_in(dir, "WMF");
    draw_in(dir / "png", "PNG");
    long matched = 0, total = 0;
    for (const char* name : {"gravox", "gravox_1", "gravox_2", "gravox_3"}) {
        SCOPED_TRACE(name);
        const std::string wmf = (dir / (std::string(name) + ".wmf")).string();
        int status = -1;
        const std::string svg_file = (dir / (std::string(name) + "_wmf2svg.svg")).string();
        run_program("wmf2svg -o '" + svg_file + "' '" + wmf + "'", &status);
        EXPECT_EQ(status, 0);
        EXPECT_NE(read_file(svg_file).find("<svg"), std::string::npos);
        const std::string rendered = (dir / (std::string(name) + "_wmf2gd.png")).string();
        run_program("wmf2gd -t png --maxwidth=853 --maxheight=603 --maxpect -o '" + rendered +
                        "' '" + wmf + "'",
                    &status);
        ASSERT_EQ(status, 0);
        const DecodedPng ours = decode_png(read_file((dir / "png" / name).string() + ".png"));
        const DecodedPng theirs = decode_png(read_file(rendered));
        ASSERT_TRUE(ours.ok && theirs.ok) << theirs.error;
        const auto a = dark_pixels(ours), b = dark_pixels(theirs);
        // Every dark pixel of the rendered metafile should lie within one pixel of a dark
        // pixel of the PNG figure.
        long here = 0, near = 0;
        for (std::uint32_t y = 0; y < theirs.height; ++y)
            for (std::uint32_t x = 0; x < theirs.width; ++x) {
                if (!b[y * theirs.width + x]) continue;
                ++here;
                bool found = false;
                for (int dy = -1; dy <= 1 && !found; ++dy)
                    for (int dx = -1; dx <= 1 && !found; ++dx) {
                        const long u = static_cast<long>(x) + dx, v = static_cast<long>(y) + dy;
                        if (u >= 0 && v >= 0 && u < ours.width && v < ours.height)
                            found = a[v * ours.width + u];
                    }
                near += found;
            }
        EXPECT_GT(here, 5000) << "the rendered figure is nearly empty";
        matched += near;
        total += here;
    }
    const double share = total ? static_cast<double>(matched) / total : 0.0;
    std::printf("dark pixels of wmf2gd within one pixel of the PNG device: %.1f%% of %ld\n",
                100.0 * share, total);
    EXPECT_GT(share, 0.95);
}

}  // namespace
}  // namespace gvx::testing
