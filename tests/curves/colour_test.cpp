// Colour selection, the palette load on the various devices and screen modes, and the
// user colour table.
#include <cmath>
#include <limits>

#include "gravox/curves/colour.h"
#include "tests/curves/colour_fixture.h"

namespace gvx::testing {
namespace {

constexpr std::int32_t kBlack = 0x01000000;
constexpr std::int32_t kWhite = 0x01FFFFFF;
constexpr std::int32_t kRed = 0x010000FF;
const double kNotANumber = std::numeric_limits<double>::quiet_NaN();

TEST_F(ColourTest, MainPathPngReversedRainbowIsBlackInkOnWhite) {
    open("PNG", "REVERS");
    EXPECT_EQ(c().palette_kind, 1);
    EXPECT_EQ(c().table[0], 0xFFFFFFu);
    EXPECT_EQ(c().table[255], 0x000000u);
    for (int i = 1; i <= 254; ++i) EXPECT_EQ(c().table[i], kRainbowTable[i]) << i;
    EXPECT_EQ(c().foreground_colour, 255);
    EXPECT_EQ(c().background_colour, 0);
    EXPECT_EQ(c().under_colour, 255);
    EXPECT_EQ(c().over_colour, 0);
    EXPECT_EQ(c().colour_range_first, 1);
    EXPECT_EQ(c().colour_range_last, 254);

    // The load ends by sending the table and making the foreground current.
    ASSERT_EQ(log_.palettes.size(), 1u);
    EXPECT_EQ(log_.palettes[0].kind, 1);
    EXPECT_TRUE(std::equal(c().table, c().table + 256, log_.palettes[0].table.begin()));
    EXPECT_EQ(log_.colours.back(), 255);
    EXPECT_EQ(g_.getclr(), 255);

    const std::pair<const char*, std::int32_t> selections[] = {{"WHITE", kBlack},
                                                               {"BLACK", kWhite},
                                                               {"RED", kRed},
                                                               {"BLUE", 0x01FF0000},
                                                               {"GREEN", 0x0100FF00},
                                                               {"CYAN", 0x01FFFF00},
                                                               {"yellow", 0x0100FFFF},
                                                               {"ORANGE", 0x010080FF},
                                                               {"MAGENTA", 0x01FF00FF},
                                                               {"FORE", 255},
                                                               {"BACK", 0}};
    for (const auto& [name, value] : selections) {
        g_.color(name);
        EXPECT_EQ(g_.getclr(), value) << name;
        EXPECT_EQ(log_.colours.back(), value) << name;
    }
    EXPECT_EQ(s().frame.warning_count, 0);

    // The cycle runs WHITE .. MAGENTA (as adjusted) and never holds BLACK.
    EXPECT_EQ(c().colour_cycle[0], kBlack);
    EXPECT_EQ(c().colour_cycle[8], kBlack);
    EXPECT_EQ(c().colour_cycle[29], 0x010080FF);  // 30 mod 8 = 6: ORANGE
    for (std::int32_t v : c().colour_cycle) EXPECT_NE(v, kWhite);

    // Explicit black and white find the exchanged ends of the table.
    EXPECT_EQ(nearest_table_index(c(), Rgb{0, 0, 0}), 255);
    EXPECT_EQ(nearest_table_index(c(), Rgb{255, 255, 255}), 0);
}

// Named colours, background and foreground per device, screen mode and palette.
struct DeviceCase {
    const char* format;
    const char* mode;
    const char* palette;  // null: the default palette of gvxini
    int depth;
    int kind;
    std::int32_t white, black;
    int background, foreground;
    std::uint32_t entry0;
};

TEST_F(ColourTest, NamedColoursFollowTheDeviceAndTheScreenMode) {
    const DeviceCase cases[] = {
        {"PNG", "NOREVERS", nullptr, 8, 1, kWhite, kBlack, 0, 255, 0x000000},
        {"PNG", "AUTO", nullptr, 8, 1, kWhite, kBlack, 0, 255, 0x000000},
        {"SVG", "AUTO", nullptr, 8, 1, kBlack, kWhite, 0, 255, 0xFFFFFF},
        {"PNG", "REVERS", "GREY", 8, 3, kBlack, kBlack, 0, 255, 0xFFFFFF},
        {"PNG", "NOREVERS", "GREY", 8, 3, kWhite, kWhite, 0, 255, 0x000000},
        {"PNG", "NOREVERS", "RRAI", 8, 4, kBlack, kWhite, 0, 255, 0xFFFFFF},
        {"PNG", "NOREVERS", "RRAI", 24, 4, kWhite, kBlack, 255, 0, 0xFFFFFF},
        {"POST", "REVERS", nullptr, 8, 6, kBlack, kBlack, 0, 255, 0xFFFFFF},
        {"POST", "NOREVERS", "RAIN", 8, 1, kWhite, kBlack, 255, 0, 0x000000},
        {"POST", "NOREVERS", "SMAL", 8, 0, kBlack, kBlack, 0, 1, 0xFFFFFF},
        {"POST", "NOREVERS", "VGA", 8, 7, kBlack, kWhite, 0, 15, 0xFFFFFF},
        {"POST", "NOREVERS", "RSPE", 8, 5, kBlack, kBlack, 0, 255, 0xFFFFFF},
        {"CGM", "REVERS", nullptr, 8, 1, kBlack, kBlack, 255, 0, 0x000000},
        {"WMF", "REVERS", "TEMP", 8, 8, kBlack, kBlack, 255, 0, 0x000000},
        {"JAVA", "NOREVERS", nullptr, 8, 1, kWhite, kBlack, 255, 0, 0x000000},
        {"PDF", "AUTO", nullptr, 8, 1, kBlack, kWhite, 0, 255, 0xFFFFFF},
        {"PSCL", "REVERS", nullptr, 8, 1, kBlack, kWhite, 0, 255, 0xFFFFFF},
        {"TIFF", "REVERS", nullptr, 8, 1, kBlack, kWhite, 0, 255, 0xFFFFFF},
        {"HPGL", "REVERS", nullptr, 8, 1, kWhite, kBlack, 0, 255, 0x000000},
    };
    for (const DeviceCase& d : cases) {
        SCOPED_TRACE(std::string(d.format) + " " + d.mode + " " + (d.palette ? d.palette : "-"));
        depth_ = d.depth;
        open(d.format, d.mode);
        if (d.palette) g_.setvlt(d.palette);
        EXPECT_EQ(c().palette_kind, d.kind);
        EXPECT_EQ(named(NamedColour::white), d.white);
        EXPECT_EQ(named(NamedColour::black), d.black);
        EXPECT_EQ(c().background_colour, d.background);
        EXPECT_EQ(c().foreground_colour, d.foreground);
        EXPECT_EQ(g_.getclr(), d.foreground);
        EXPECT_EQ(c().table[0], d.entry0);
        close();
    }
}

TEST_F(ColourTest, GreyPalettesNameGreyLevels) {
    open("PNG", "REVERS");
    g_.setvlt("GREY");
    g_.color("RED");
    EXPECT_EQ(g_.getclr(), 0x01E6E6E6);  // 230
    g_.color("BLUE");
    EXPECT_EQ(g_.getclr(), 0x015F5F5F);  // 95
}

TEST_F(ColourTest, DevicesFrom301To400OnlyHaveTheSmallPalette) {
    s().frame.device = 350;
    g_.gvxini();
    ASSERT_EQ(s().frame.level, 1);
    g_.setvlt("SPEC");
    EXPECT_EQ(c().palette_kind, 0);
    EXPECT_EQ(c().foreground_colour, 1);
}

TEST_F(ColourTest, GrayAndHalf) {
    open("PNG", "REVERS");  // background: entry 0, white
    for (const char* palette : {"SPEC", "SMAL", "VGA", "RAIN"}) {
        g_.setvlt(palette);
        g_.color("GRAY");
        EXPECT_EQ(g_.getclr(), 0x01808080) << palette;
    }
    g_.color("WHITE");  // black in reversed mode
    g_.color("HALF");
    EXPECT_EQ(g_.getclr(), 0x01808080);  // 127.5 rounds up to 128
    g_.color("RED");
    g_.color("HALF");
    EXPECT_EQ(g_.getclr(), 0x018080FF);
    g_.setclr(0);  // the background entry itself
    g_.color("HALF");
    EXPECT_EQ(g_.getclr(), kWhite);
}

TEST_F(ColourTest, SmallPaletteKeepsEntriesNineTo255) {
    open("PNG", "NOREVERS");
    g_.setvlt("SPEC");
    g_.setvlt("SMAL");
    for (int i = 0; i < 9; ++i) EXPECT_EQ(c().table[i], kSmallTable[i]) << i;
    for (int i = 9; i < 256; ++i) EXPECT_EQ(c().table[i], kSpectrumTable[i]) << i;
    EXPECT_EQ(c().over_colour, 9);
    EXPECT_EQ(c().colour_range_last, 8);
    EXPECT_EQ(log_.palettes.back().kind, 0);
    close();

    open("PNG", "REVERS");  // reversed: entries 0 and 1 change places
    g_.setvlt("SMAL");
    EXPECT_EQ(c().table[0], 0xFFFFFFu);
    EXPECT_EQ(c().table[1], 0x000000u);
    EXPECT_EQ(c().table[9], kRainbowTable[9]);
    EXPECT_EQ(c().under_colour, 9);
    EXPECT_EQ(c().over_colour, 0);
}

TEST_F(ColourTest, SetclrAndSetrgbCheckTheirValues) {
    open("PNG", "REVERS");
    g_.setclr(0x01123456);
    EXPECT_EQ(g_.getclr(), 0x01123456);
    g_.setrgb(1.0005, 0.0, 0.0);
    EXPECT_EQ(g_.getclr(), kRed);
    g_.setrgb(-0.001, 0.5, 1.001);
    EXPECT_EQ(g_.getclr(), 0x01FF8000);

    const std::size_t sent = log_.colours.size();
    const std::string out = output_of([&] {
        g_.setclr(-5);
        g_.setrgb(1.002, 0.0, 0.0);
        g_.setrgb(0.0, -0.0011, 0.0);
        g_.setrgb(0.0, 0.0, kNotANumber);
        g_.setrgb(std::numeric_limits<double>::infinity(), 0.0, 0.0);
    });
    EXPECT_NE(out.find(" <<<< Warning   2: Incorrect parameter in setclr!   (  -5)\n"),
              std::string::npos);
    EXPECT_NE(out.find(" <<<< Warning   2: Incorrect parameter in setrgb!\n"), std::string::npos);
    EXPECT_EQ(s().frame.warning_count, 5);
    EXPECT_EQ(g_.getclr(), 0x01FF8000);
    EXPECT_EQ(log_.colours.size(), sent);
}

TEST(ColourValues, PackingAndComponents) {
    EXPECT_EQ(pack_rgb(1.001, 1.001, 1.001), kWhite);
    EXPECT_EQ(pack_rgb(-0.001, -0.001, -0.001), kBlack);
    EXPECT_EQ(pack_rgb(0.0, 0.0, 1.0), 0x01FF0000);
    EXPECT_EQ(pack_rgb(0.0, kNotANumber, 0.0), -1);

    ColourState c;
    c.table[3] = 0x123456;
    c.current_colour = 0x01ABCDEF;
    for (std::int32_t index : {3, 256 + 3, 0x02000003})  // indices count modulo 256
        EXPECT_EQ(colour_components(c, index), (Rgb{0x12, 0x34, 0x56})) << index;
    EXPECT_EQ(colour_components(c, 0x01563412), (Rgb{0x12, 0x34, 0x56}));  // red low
    EXPECT_EQ(colour_components(c, -1), (Rgb{0xEF, 0xCD, 0xAB}));
}

TEST(NearestEntry, EndsFirstThenTheSmallestDistance) {
    ColourState c;
    for (std::uint32_t& e : c.table) e = 0x808080;
    EXPECT_EQ(nearest_table_index(c, Rgb{10, 10, 0}), 255);  // blue 0: searched downwards
    EXPECT_EQ(nearest_table_index(c, Rgb{10, 10, 10}), 0);   // else upwards
    c.table[100] = 0x000000;
    EXPECT_EQ(nearest_table_index(c, Rgb{0, 0, 0}), 100);
    c.table[255] = 0x000000;
    EXPECT_EQ(nearest_table_index(c, Rgb{0, 0, 0}), 255);  // the last entry first
    c.table[77] = 0x0A0A0A;
    EXPECT_EQ(nearest_table_index(c, Rgb{10, 10, 10}), 77);

    // "SMAL" searches only its nine entries, though the rainbow has 0xFF7F00 at 223.
    fill_palette(1, c.table);
    fill_palette(0, c.table);
    c.palette_kind = 0;
    EXPECT_EQ(nearest_table_index(c, Rgb{255, 127, 0}), 6);
    c.palette_kind = 1;
    EXPECT_EQ(nearest_table_index(c, Rgb{255, 127, 0}), 223);
}

// A user ramp: red up, green half, blue down.
struct UserRamp {
    double red[256], green[256], blue[256];
    UserRamp() {
        for (int i = 0; i < 256; ++i) {
            red[i] = i / 255.0;
            green[i] = 0.5;
            blue[i] = 1.0 - i / 255.0;
        }
    }
    static std::uint32_t entry(int i) { return (i << 16) + (128 << 8) + (255 - i); }
};

TEST_F(ColourTest, MyvltBeforeGvxiniIsKeptExactlyOnce) {
    UserRamp ramp;
    g_.myvlt(ramp.red, ramp.green, ramp.blue, 256);
    EXPECT_EQ(c().keep_user_table, 1);
    open("PNG", "NOREVERS");
    EXPECT_EQ(c().keep_user_table, 0);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(c().table[i], UserRamp::entry(i)) << i;
    EXPECT_EQ(log_.palettes.back().table[200], UserRamp::entry(200));
    close();
    g_.gvxini();  // the next plot has the default palette again
    EXPECT_EQ(c().table[200], kRainbowTable[200]);
    close();

    g_.myvlt(ramp.red, ramp.green, ramp.blue, 256);
    open("PNG", "REVERS");  // reversed like any table: only the ends change places
    EXPECT_EQ(c().table[0], UserRamp::entry(255));
    EXPECT_EQ(c().table[100], UserRamp::entry(100));
    g_.setvlt("RAIN");  // a later setvlt overwrites it
    EXPECT_EQ(c().table[100], kRainbowTable[100]);
}

TEST_F(ColourTest, MyvltAndSetindInAPlotSendTheTable) {
    open("PNG", "REVERS");
    const double red[] = {1.0, 0.0, 0.5}, green[] = {0.0, 1.0, 0.5}, blue[] = {0.0, 0.0, 1.0};
    g_.myvlt(red, green, blue, 3);
    EXPECT_EQ(c().table[2], 0x8080FFu);
    EXPECT_EQ(c().table[3], kRainbowTable[3]);
    EXPECT_EQ(c().keep_user_table, 0);
    EXPECT_EQ(log_.palettes.size(), 2u);
    g_.setind(7, 1.0, 0.5, 0.0);
    EXPECT_EQ(c().table[7], 0xFF8000u);
    ASSERT_EQ(log_.palettes.size(), 3u);
    EXPECT_EQ(log_.palettes.back().table[7], 0xFF8000u);
}

TEST_F(ColourTest, BadUserEntriesChangeNothing) {
    UserRamp ramp, late;
    late.green[255] = -0.01;  // a bad last entry: the earlier ones stay unwritten too
    output_of([&] { g_.myvlt(late.red, late.green, late.blue, 256); });
    EXPECT_EQ(c().keep_user_table, 0);
    EXPECT_EQ(c().table[0], 0u);

    open("PNG", "REVERS");
    const ColourState before = c();
    const std::string out = output_of([&] {
        g_.myvlt(ramp.red, ramp.green, ramp.blue, 0);
        g_.myvlt(ramp.red, ramp.green, ramp.blue, 257);
        g_.myvlt(nullptr, ramp.green, ramp.blue, 3);
        ramp.red[200] = 1.0001;  // beyond the real tolerance
        g_.myvlt(ramp.red, ramp.green, ramp.blue, 256);
        g_.setind(256, 0.0, 0.0, 0.0);
        g_.setind(-1, 0.0, 0.0, 0.0);
        g_.setind(3, 0.0, kNotANumber, 0.0);
    });
    EXPECT_NE(out.find("Incorrect parameter in myvlt!   ( 257)"), std::string::npos);
    EXPECT_NE(out.find("Incorrect parameter in setind!   ( 256)"), std::string::npos);
    EXPECT_EQ(s().frame.warning_count, 7);
    EXPECT_TRUE(same_colours(c(), before));
    EXPECT_EQ(log_.palettes.size(), 1u);
}

TEST_F(ColourTest, RefusedCallsChangeNothing) {
    const ColourState closed = c();
    const std::string level = output_of([&] {
        g_.color("RED");
        g_.setclr(3);
        g_.setrgb(1.0, 0.0, 0.0);
        g_.setvlt("GREY");
        g_.setind(3, 1.0, 1.0, 1.0);
        EXPECT_EQ(g_.getclr(), 0);
    });
    EXPECT_NE(level.find(" <<<< Warning   3: Incorrect level in color!   (   0)\n"),
              std::string::npos);
    EXPECT_EQ(s().frame.warning_count, 6);
    EXPECT_TRUE(same_colours(c(), closed));

    open("PNG", "REVERS");
    g_.color("RED");
    const ColourState before = c();
    const std::string out = output_of([&] {
        g_.color("PURPLE");
        g_.setvlt("JET");
        g_.color(nullptr);
    });
    EXPECT_NE(out.find(" <<<< Warning   2: Incorrect parameter in color!   (PURPLE)\n"),
              std::string::npos);
    EXPECT_NE(out.find(" <<<< Warning   2: Incorrect parameter in setvlt!   (JET)\n"),
              std::string::npos);
    EXPECT_TRUE(same_colours(c(), before));
    EXPECT_EQ(log_.colours.back(), kRed);
}

}  // namespace
}  // namespace gvx::testing
