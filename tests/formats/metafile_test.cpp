// The GKSL metafile: the default output, its records, reading it back, replaying it into
// the other formats exactly, and the faults of damaged files.
#include <cstdlib>
#include <cstring>
#include <random>

#include "gravox/core/all_records.h"
#include "gravox/formats/formats.h"
#include "gravox/formats/metafile.h"
#include "tests/formats/format_fixture.h"

namespace gvx::testing {
namespace {

using MetafileTest = FormatTest;

// Plays one scene on a format and returns the file, with the clock of the golden files.
template <typename Scene>
std::string drawn(const char* format, Scene scene, const char* screen_mode = "AUTO") {
    std::string bytes;
    Gravox g;
    gvx::state_of(g).frame.clock = fixed_clock;
    gvx::state_of(g).files.open_sink = [&](const char*, const char*) {
        return std::unique_ptr<Sink>(new CaptureSink(&bytes));
    };
    g.metafl(format);
    g.scrmod(screen_mode);
    g.gvxini();
    EXPECT_EQ(gvx::state_of(g).frame.level, 1) << format;
    g.errmod("PROTOCOL", "OFF");
    scene(g, gvx::state_of(g));
    g.gvxfin();
    return bytes;
}

// Reads a metafile and replays it on a format, as gvxconv does.
std::string replayed(const std::string& metafile, const char* format) {
    Metafile m;
    std::string error;
    EXPECT_TRUE(read_metafile(metafile, m, error)) << error;
    std::string bytes;
    Gravox g;
    gvx::state_of(g).frame.clock = fixed_clock;
    gvx::state_of(g).files.open_sink = [&](const char*, const char*) {
        return std::unique_ptr<Sink>(new CaptureSink(&bytes));
    };
    g.metafl(format);
    apply_metafile_page(g, m.page);
    g.gvxini();
    EXPECT_EQ(gvx::state_of(g).frame.level, 1) << format;
    g.errmod("PROTOCOL", "OFF");
    replay_metafile(g, m);
    g.gvxfin();
    return bytes;
}

// The scene of the golden files with a point, characters, a clipped wide line and an
// erase added.
void full_scene(Gravox& g, PlotState& s) {
    s.device->erase();
    g.pagera();
    g.color("RED");
    move_to(s, 300, 1000);
    for (int i = 1; i < 160; ++i) draw_to(s, 300 + i * 11.3, 1000 - 400 * std::sin(i * 0.07));
    g.color("BLUE");
    move_to(s, 100, 100);
    draw_to(s, 800, 400);
    g.linwid(10);
    move_to(s, 100, 1800);
    draw_to(s, 1500, 1900);
    g.linwid(1);
    fill_box(s, 2000, 200, 2600, 600, rgb(0, 128, 255));
    g.color("GREEN");
    const double px[] = {2200, 2800, 2700, 2300, 2100};
    const double py[] = {1200, 1300, 1800, 1900, 1500};
    fill_polygon(s, px, py, 5);
    plot_point(s, 1000.25, 1000.75, 3);
    DeviceCharacter c;
    c.code = 'A';
    c.x = 1200.5;
    c.y = 700;
    c.angle = 30;
    c.font = 5;
    c.height = 36;
    device_text_character(s, c);
    g.setrgb(0.2, 0.4, 0.6);
    move_to(s, 1.0 / 3.0, 2.0 / 7.0);  // needs all 17 digits
    draw_to(s, 2968.999999999, 1e-9);
}

TEST_F(MetafileTest, SceneMatchesGoldenFile) {
    open("GKSL");
    draw_scene();
    const std::string plot = finish();
    EXPECT_EQ(opened_name_, "gravox.met");
    EXPECT_EQ(opened_mode_, "w");
    expect_golden(plot, "scene.met");
}

TEST_F(MetafileTest, IsTheOutputWithoutMetaflAndAfterSetpag) {
    g_.gvxini();
    ASSERT_EQ(s().frame.level, 1);
    EXPECT_EQ(s().frame.device, 201);
    output_of([&] { g_.gvxfin(); });
    EXPECT_EQ(opened_name_, "gravox.met");
    EXPECT_EQ(bytes_.substr(0, 54), "GKSL GRAVOX-METAFILE 1 10.4.3 07.12.2026 09:05:03\nPAGE");

    Gravox other;
    gvx::state_of(other).files.open_sink = s().files.open_sink;
    other.setpag("DA3P");
    bytes_.clear();
    other.gvxini();
    output_of([&] { other.gvxfin(); });
    EXPECT_EQ(opened_name_, "gravox.met");
    Metafile m;
    std::string error;
    ASSERT_TRUE(read_metafile(bytes_, m, error)) << error;
    EXPECT_EQ(m.page.width, 2969);
    EXPECT_EQ(m.page.height, 4199);
    EXPECT_STREQ(m.page.page_keyword, "DA3P");
}

TEST_F(MetafileTest, RecordsAreAtMostEightyColumnsAndItemsAreCounted) {
    const std::string met = drawn("GKSL", full_scene);
    ASSERT_EQ(met.back(), '\n');
    const auto records = split_lines(met);
    int items = 0;
    for (const std::string& r : records) {
        EXPECT_LE(r.size(), 80u) << r;
        ASSERT_FALSE(r.empty());
        // A number is never split: a continuation starts with a blank and a digit or sign.
        if (r[0] == ' ') {
            EXPECT_TRUE(std::isxdigit(r[1]) || r[1] == '-') << r;
        } else {
            ++items;
        }
    }
    EXPECT_EQ(records.back(), "END " + std::to_string(items - 3));  // header, page, end
    Metafile m;
    std::string error;
    ASSERT_TRUE(read_metafile(met, m, error)) << error;
    EXPECT_EQ(m.items.size(), static_cast<std::size_t>(items - 3));
    EXPECT_EQ(m.date, "07.12.2026");
    EXPECT_EQ(m.time, "09:05:03");
    // Every coordinate reads back as the very double that was drawn.
    const MetafileItem& last = m.items.back();
    ASSERT_EQ(last.kind, MetafileItemKind::line);
    EXPECT_EQ(m.numbers[last.at], 1.0 / 3.0);
    EXPECT_EQ(m.numbers[last.at + 1], 2.0 / 7.0);
    EXPECT_EQ(m.numbers[last.at + 2], 2968.999999999);
    EXPECT_EQ(m.numbers[last.at + 3], 1e-9);
}

TEST_F(MetafileTest, ItemsCarryWhatTheDeviceReceived) {
    const std::string met = drawn("GKSL", full_scene);
    Metafile m;
    std::string error;
    ASSERT_TRUE(read_metafile(met, m, error)) << error;
    int count[9] = {};
    for (const MetafileItem& it : m.items) ++count[static_cast<int>(it.kind)];
    EXPECT_EQ(count[static_cast<int>(MetafileItemKind::palette)], 1);
    EXPECT_EQ(count[static_cast<int>(MetafileItemKind::width)], 2);  // 10 and back to 1
    EXPECT_EQ(count[static_cast<int>(MetafileItemKind::box)], 1);
    EXPECT_EQ(count[static_cast<int>(MetafileItemKind::polygon)], 1);
    EXPECT_EQ(count[static_cast<int>(MetafileItemKind::point)], 1);
    EXPECT_EQ(count[static_cast<int>(MetafileItemKind::text)], 1);
    EXPECT_EQ(count[static_cast<int>(MetafileItemKind::erase)], 1);
    for (const MetafileItem& it : m.items) {
        if (it.kind == MetafileItemKind::box) {
            EXPECT_EQ(it.value, rgb(0, 128, 255));
            EXPECT_EQ(m.numbers[it.at + 2], 2600);
        }
        if (it.kind == MetafileItemKind::text) {
            EXPECT_EQ(it.value, 'A');
            EXPECT_EQ(it.angle, 30);
            EXPECT_EQ(it.font, 5);
            EXPECT_EQ(m.numbers[it.at], 1200.5);
        }
        if (it.kind == MetafileItemKind::point) {
            EXPECT_EQ(it.value, 3);
        }
    }
    // The curve of 160 points reaches the device as it leaves the polyline buffer: 100
    // vertices, and 61 that go on from the last of them.
    std::vector<int> counts;
    for (const MetafileItem& it : m.items)
        if (it.kind == MetafileItemKind::line) counts.push_back(it.count);
    ASSERT_GE(counts.size(), 3u);
    EXPECT_EQ(counts[1], 100);
    EXPECT_EQ(counts[2], 61);
}

// The scene drawn on a format directly and replayed from its metafile gives the same file.
TEST_F(MetafileTest, ReplayGivesTheFilesOfTheOtherFormatsExactly) {
    for (const char* screen : {"AUTO", "REVERS", "ERASE"}) {
        const std::string met = drawn("GKSL", full_scene, screen);
        // The applet and the paper formats have colour rules of their own (a light page).
        for (const char* format : {"SVG", "IPE", "HPGL", "PNG", "PPM", "GKSL"}) {
            SCOPED_TRACE(std::string(format) + " " + screen);
            const std::string direct = drawn(format, full_scene, screen);
            ASSERT_FALSE(direct.empty());
            const std::string again = replayed(met, format);
            EXPECT_TRUE(again == direct);
        }
    }
}

TEST_F(MetafileTest, ReplayReversesTheColoursWhereTheScreenModeDoes) {
    auto scene = [](Gravox& g, PlotState& s) {
        g.color("WHITE");
        fill_box(s, 0, 0, 100, 100, 255);
        g.color("BLACK");
        move_to(s, 0, 0);
        draw_to(s, 10, 10);
    };
    const std::string svg = replayed(drawn("GKSL", scene, "REVERS"), "SVG");
    EXPECT_EQ(svg, drawn("SVG", scene, "REVERS"));
    // WHITE draws black, and index 255 is the white end of the table turned to black.
    EXPECT_NE(
        svg.find("fill=\"#000000\" stroke=\"none\"/>\n</g>\n<g fill=\"none\" stroke=\"#ffffff\""),
        std::string::npos)
        << svg;
}

// --- Damaged files ---------------------------------------------------------------------

std::string fault_of(const std::string& bytes) {
    Metafile m;
    std::string error;
    EXPECT_FALSE(read_metafile(bytes, m, error)) << bytes;
    return error;
}

TEST_F(MetafileTest, DamagedFilesAreRefusedWithTheirRecord) {
    const std::string good = drawn("GKSL", [](Gravox& g, PlotState& s) {
        g.color("RED");
        move_to(s, 0, 0);
        draw_to(s, 10, 10);
    });
    const std::size_t body = good.find("\nCOL") + 1;
    const std::string head = good.substr(0, body);
    struct Case {
        std::string bytes, message;
    };
    const Case cases[] = {
        {"", "before its header is complete"},
        {"GKSM GRAVOX-METAFILE 1 x y z\n", "record 1: not a Gravox metafile"},
        {"GKSL GRAVOX-METAFILE 2 10.4.3 a b\n", "record 1: format version 2 is not supported"},
        {head.substr(0, head.find("\nPAGE") + 1) + "COL 1\n",
         "record 2: the page record is missing"},
        {head + "COL 1.5\n", "\"1.5\" is not an integer"},
        {head + "COL -1\n", "value -1 lies outside"},
        {head + "LIN 2 0 0 1x 1\n", "\"1x\" is not a finite number"},
        {head + "LIN 2 0 0 nan 1\n", "\"nan\" is not a finite number"},
        {head + "LIN 999999999 0 0\n", "value 999999999 lies outside 1 to 10000000"},
        {head + "LIN 9999999 0 0 1 1\n", "announces 9999999 points but holds 4 numbers"},
        {head + "POL 0\n", "value 0 lies outside"},
        {head + "LIN 2 0 0\n 1 1\nEND 2\n", ""},
        {head + "WID 0\n", "value 0 lies outside 1 to 32000"},
        {head + "PAL 1 000000\n", "fields instead of 257"},
        {head + "XYZ 1\n", "unknown item \"XYZ\""},
        {" GKSL\n", "record 1: a continuation record without an item"},
        {head + "COL 1\n\nEND 1\n", "empty record"},
        {head + "COL 1\t\n", "not printable"},
        {head + "COL " + std::string(80, '1') + "\n", "longer than 80 columns"},
        {head + "END 5\n", "the closing record counts 5 items, the file holds 1"},
        {head + "END 1\nCOL 1\n", "data after the closing record END"},
        {head + "COL 1\n", "truncated: the closing record END is missing"},
        {good.substr(0, good.size() - 3), "item END has 0 fields instead of 1"},  // count cut off
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        Metafile m;
        std::string error;
        const bool ok = read_metafile(c.bytes, m, error);
        if (c.message.empty()) {
            EXPECT_TRUE(ok) << error;  // a continuation record is part of its item
            continue;
        }
        EXPECT_FALSE(ok);
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
        EXPECT_EQ(error.rfind("record ", 0), 0u) << error;
    }
}

TEST_F(MetafileTest, EveryTruncationAndByteFlipIsRefusedOrReplayedSafely) {
    const std::string good = drawn("GKSL", full_scene);
    const auto* data = reinterpret_cast<const std::uint8_t*>(good.data());
    EXPECT_EQ(fuzz_metafile(data, good.size()), 0);
    // Cut anywhere short of the closing record, the file is refused.
    const std::size_t end = good.rfind("END");
    for (std::size_t n = 0; n < end; n += 7) EXPECT_EQ(fuzz_metafile(data, n), 1) << n;
    std::mt19937 random(19);
    int replayed_files = 0;
    for (int k = 0; k < 300; ++k) {
        std::string bad = good;
        for (int flips = 0; flips < 3; ++flips)
            bad[random() % bad.size()] = static_cast<char>(random() % 256);
        replayed_files +=
            fuzz_metafile(reinterpret_cast<const std::uint8_t*>(bad.data()), bad.size()) == 0;
    }
    // Changed digits still make a well-formed file now and then; most changes do not.
    EXPECT_LT(replayed_files, 300);
}

TEST_F(MetafileTest, HugePagesAndWindowsAreRefused) {
    std::string met = drawn("GKSL", [](Gravox&, PlotState&) {});
    const std::size_t page = met.find("PAGE");
    const std::size_t stop = met.find('\n', page);
    for (const char* bad :
         {"PAGE 1 1 2969 1e300 1 0 0 1 0 0 0 4 DA4L", "PAGE 1 1 2969 2099 1 0 0 1 2 99999 1 4 DA4L",
          "PAGE 1 1 2969 2099 0 0 0 1 0 0 0 4 DA4L", "PAGE 1 1 2969 2099 1 0 0 1 2 0 0 4 DA4L",
          "PAGE 1 1 2969 2099 1 0 0 1 0 0 0 3 DA4L"}) {
        const std::string bytes = met.substr(0, page) + bad + met.substr(stop);
        EXPECT_NE(fault_of(bytes).find("record 2:"), std::string::npos) << bad;
    }
}

// --- The converter -----------------------------------------------------------------------

TEST_F(MetafileTest, ConverterNamesItsFileAndReportsFaults) {
    const std::string met = drawn("GKSL", full_scene);
    {
        std::FILE* f = std::fopen("plot.met", "w");
        ASSERT_NE(f, nullptr);
        std::fwrite(met.data(), 1, met.size(), f);
        std::fclose(f);
    }
    std::string error;
    s().files.open_sink = open_file_sink;
    output_of([&] { EXPECT_EQ(convert_metafile("plot.met", "SVG", nullptr, error), 0) << error; });
    EXPECT_EQ(read_file("plot.svg").rfind("<?xml", 0), 0u);
    output_of(
        [&] { EXPECT_EQ(convert_metafile("plot.met", "hpgl", "other.plt", error), 0) << error; });
    EXPECT_EQ(read_file("other.plt"), replayed(met, "HPGL"));

    EXPECT_EQ(convert_metafile("missing.met", "PNG", nullptr, error), 1);
    EXPECT_EQ(error, "missing.met: cannot be opened");
    EXPECT_EQ(convert_metafile("plot.met", "NOPE", nullptr, error), 1);
    EXPECT_EQ(error, "unknown output format \"NOPE\"");
    // Without a display a window cannot be opened (and would wait for the user).
    const char* display = std::getenv("DISPLAY");
    const std::string saved_display = display ? display : "";
    ::unsetenv("DISPLAY");
    output_of([&] { EXPECT_EQ(convert_metafile("plot.met", "XWIN", nullptr, error), 1); });
    if (display) ::setenv("DISPLAY", saved_display.c_str(), 1);
    EXPECT_NE(error.find("cannot be written"), std::string::npos);
    {
        std::FILE* f = std::fopen("cut.met", "w");
        std::fwrite(met.data(), 1, met.size() / 2, f);
        std::fclose(f);
    }
    EXPECT_EQ(convert_metafile("cut.met", "PNG", nullptr, error), 1);
    EXPECT_EQ(error.rfind("cut.met: damaged metafile: record ", 0), 0u) << error;
    EXPECT_FALSE(std::filesystem::exists("cut.png"));

    // The program itself, when it has been built.
    const std::string program = std::string(GRAVOX_BINARY_DIR) + "/gvxconv";
    if (!std::filesystem::exists(program)) GTEST_SKIP() << "gvxconv is not built";
    EXPECT_EQ(std::system((program + " plot.met PNG >/dev/null 2>&1").c_str()), 0);
    EXPECT_FALSE(read_file("plot.png").empty());
    EXPECT_NE(std::system((program + " cut.met PNG 2>err.txt").c_str()), 0);
    EXPECT_EQ(read_file("err.txt").rfind("gvxconv: cut.met: damaged metafile: record ", 0), 0u);
    EXPECT_NE(std::system((program + " plot.met 2>/dev/null").c_str()), 0);
}

}  // namespace
}  // namespace gvx::testing
