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
constexpr std::int32_t kGreen = 0x0100FF00;
constexpr std::int32_t kBlue = 0x01FF0000;
constexpr std::int32_t kCyan = 0x01FFFF00;

std::int32_t grey(int level) {
    return 0x01000000 + level * 0x010101;
}

// --- The default palette of a plot ------------------------------------------------

TEST_F(ColourTest, MainPathPngReversedRainbowIsBlackInkOnWhite) {
    open("PNG", "REVERS");
    EXPECT_EQ(c().palette_kind, 1);
    EXPECT_EQ(c().table[0], 0xFFFFFFu);  // background entry: white
    EXPECT_EQ(c().table[255], 0x000000u);
    for (int i = 1; i <= 254; ++i) EXPECT_EQ(c().table[i], kRainbowTable[i]) << i;

    EXPECT_EQ(c().foreground_colour, 255);
    EXPECT_EQ(c().background_colour, 0);
    EXPECT_EQ(c().under_colour, 255);
    EXPECT_EQ(c().over_colour, 0);
    EXPECT_EQ(c().colour_range_first, 1);
    EXPECT_EQ(c().colour_range_last, 254);
    EXPECT_EQ(c().keep_user_table, 0);

    // The load ends by sending the table and making the foreground current.
    ASSERT_EQ(log_.palettes.size(), 1u);
    EXPECT_EQ(log_.palettes.back().kind, 1);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(log_.palettes.back().table[i], c().table[i]);
    ASSERT_FALSE(log_.colours.empty());
    EXPECT_EQ(log_.colours.back(), 255);
    EXPECT_EQ(g_.getclr(), 255);

    g_.color("WHITE");
    EXPECT_EQ(g_.getclr(), kBlack);
    EXPECT_EQ(log_.colours.back(), kBlack);
    g_.color("BLACK");
    EXPECT_EQ(g_.getclr(), kWhite);
    g_.color("RED");
    EXPECT_EQ(g_.getclr(), kRed);
    g_.color("BLUE");
    EXPECT_EQ(g_.getclr(), kBlue);
    g_.color("GREEN");
    EXPECT_EQ(g_.getclr(), kGreen);
    g_.color("CYAN");
    EXPECT_EQ(g_.getclr(), kCyan);
    g_.color("yellow");  // keywords are matched in any case on four characters
    EXPECT_EQ(g_.getclr(), 0x0100FFFF);
    g_.color("ORANGE");
    EXPECT_EQ(g_.getclr(), 0x010080FF);
    g_.color("MAGENTA");
    EXPECT_EQ(g_.getclr(), 0x01FF00FF);
    g_.color("FORE");
    EXPECT_EQ(g_.getclr(), 255);
    g_.color("BACK");
    EXPECT_EQ(g_.getclr(), 0);
    EXPECT_EQ(s().frame.warning_count, 0);

    // Explicit black and white find the exchanged entries of the table.
    EXPECT_EQ(nearest_table_index(c(), Rgb{0, 0, 0}), 255);
    EXPECT_EQ(nearest_table_index(c(), Rgb{255, 255, 255}), 0);
}

TEST_F(ColourTest, NormalModeOnPngKeepsWhiteOnBlack) {
    open("PNG", "NOREVERS");
    EXPECT_EQ(c().table[0], 0x000000u);
    EXPECT_EQ(c().table[255], 0xFFFFFFu);
    EXPECT_EQ(c().background_colour, 0);
    EXPECT_EQ(c().foreground_colour, 255);
    EXPECT_EQ(c().under_colour, 0);
    EXPECT_EQ(c().over_colour, 255);
    EXPECT_EQ(named(NamedColour::white), kWhite);
    EXPECT_EQ(named(NamedColour::black), kBlack);
    g_.color("WHITE");
    EXPECT_EQ(g_.getclr(), kWhite);
}

TEST_F(ColourTest, AutoModeReversesOnlyThePageFormats) {
    open("PNG", "AUTO");  // raster images: AUTO is not reversed
    EXPECT_EQ(c().table[0], 0x000000u);
    close();
    open("SVG", "AUTO");  // SVG: AUTO is reversed
    EXPECT_EQ(c().table[0], 0xFFFFFFu);
    EXPECT_EQ(named(NamedColour::white), kBlack);
}

TEST_F(ColourTest, EveryPlotStartsWithTheDefaultPalette) {
    open("PNG", "REVERS");
    g_.setvlt("GREY");
    g_.setclr(17);
    close();
    g_.gvxini();
    EXPECT_EQ(c().palette_kind, 1);
    EXPECT_EQ(c().table[100], kRainbowTable[100]);
    EXPECT_EQ(g_.getclr(), 255);
}

TEST_F(ColourTest, ColourCycleRunsThroughTheFirstEightNames) {
    open("PNG", "REVERS");
    for (int k = 1; k <= kColourCycleLength; ++k) {
        const int name = k % 8 == 0 ? 8 : k % 8;
        EXPECT_EQ(c().colour_cycle[k - 1], c().named_colours[name - 1]) << k;
        EXPECT_NE(c().colour_cycle[k - 1], named(NamedColour::black)) << k;
    }
    EXPECT_EQ(c().colour_cycle[0], kBlack);  // WHITE, reversed
    EXPECT_EQ(c().colour_cycle[1], kRed);
    EXPECT_EQ(c().colour_cycle[29], 0x010080FF);  // 30 mod 8 = 6: ORANGE
}

// --- Palettes chosen with setvlt ----------------------------------------------------

TEST_F(ColourTest, GreyInReversedModeDrawsWhiteAndBlackAsBlack) {
    open("PNG", "REVERS");
    g_.setvlt("GREY");
    EXPECT_EQ(c().palette_kind, 3);
    g_.color("WHITE");
    EXPECT_EQ(g_.getclr(), kBlack);
    g_.color("BLACK");
    EXPECT_EQ(g_.getclr(), kBlack);
    g_.color("RED");
    EXPECT_EQ(g_.getclr(), grey(230));
    g_.color("BLUE");
    EXPECT_EQ(g_.getclr(), grey(95));
    EXPECT_EQ(c().table[0], 0xFFFFFFu);
    EXPECT_EQ(c().table[255], 0x000000u);
    EXPECT_EQ(c().table[128], 0x808080u);
}

TEST_F(ColourTest, GreyInNormalModeDrawsBlackAsWhite) {
    open("PNG", "NOREVERS");
    g_.setvlt("GREY");
    EXPECT_EQ(named(NamedColour::white), kWhite);
    EXPECT_EQ(named(NamedColour::black), kWhite);
    EXPECT_EQ(named(NamedColour::orange), grey(215));
}

TEST_F(ColourTest, GrayIsMidGreyUnderEveryPalette) {
    open("PNG", "REVERS");
    for (const char* palette : {"RAIN", "SPEC", "GREY", "SMAL", "VGA", "TEMP", "RRAI"}) {
        g_.setvlt(palette);
        g_.color("GRAY");
        EXPECT_EQ(g_.getclr(), 0x01808080) << palette;
    }
}

TEST_F(ColourTest, HalfMixesTheCurrentColourWithTheBackground) {
    open("PNG", "REVERS");  // background: entry 0, white
    g_.color("WHITE");      // black in reversed mode
    g_.color("HALF");
    EXPECT_EQ(g_.getclr(), 0x01808080);  // 127.5 rounds up to 128
    g_.color("RED");
    g_.color("HALF");
    EXPECT_EQ(g_.getclr(), 0x018080FF);  // red 255, green and blue 128
    g_.setclr(0);                        // the background entry itself
    g_.color("HALF");
    EXPECT_EQ(g_.getclr(), kWhite);
}

TEST_F(ColourTest, SmallPaletteWritesOnlyItsNineEntries) {
    open("PNG", "NOREVERS");
    g_.setvlt("SMAL");
    EXPECT_EQ(c().palette_kind, 0);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(c().table[i], kSmallTable[i]) << i;
    for (int i = 9; i < 256; ++i) EXPECT_EQ(c().table[i], kRainbowTable[i]) << i;
    EXPECT_EQ(c().foreground_colour, 1);
    EXPECT_EQ(c().over_colour, 9);
    EXPECT_EQ(c().colour_range_last, 8);
    EXPECT_EQ(g_.getclr(), 1);
    EXPECT_EQ(named(NamedColour::black), kWhite);
    EXPECT_EQ(log_.palettes.back().kind, 0);

    // The entries above 8 are those of whatever palette came before.
    g_.setvlt("SPEC");
    g_.setvlt("SMAL");
    for (int i = 9; i < 256; ++i) EXPECT_EQ(c().table[i], kSpectrumTable[i]) << i;
}

TEST_F(ColourTest, SmallPaletteReversedSwapsBlackAndWhiteEntries) {
    open("PNG", "REVERS");
    g_.setvlt("SMAL");
    EXPECT_EQ(c().table[0], 0xFFFFFFu);
    EXPECT_EQ(c().table[1], 0x000000u);
    EXPECT_EQ(c().under_colour, 9);
    EXPECT_EQ(c().over_colour, 0);
    EXPECT_EQ(named(NamedColour::white), kBlack);
    EXPECT_EQ(named(NamedColour::black), kBlack);
}

TEST_F(ColourTest, VgaPaletteUsesItsSixteenEntries) {
    open("PNG", "REVERS");
    g_.setvlt("VGA");
    EXPECT_EQ(c().palette_kind, 7);
    EXPECT_EQ(c().table[0], 0xFFFFFFu);  // exchanged with entry 15
    EXPECT_EQ(c().table[15], 0x000000u);
    for (int i = 1; i < 15; ++i) EXPECT_EQ(c().table[i], kVgaTable[i]) << i;
    EXPECT_EQ(c().table[16], kRainbowTable[16]);  // kept from the rainbow
    EXPECT_EQ(c().foreground_colour, 15);
    EXPECT_EQ(c().under_colour, 15);
    EXPECT_EQ(c().over_colour, 0);
    EXPECT_EQ(c().colour_range_last, 14);
}

TEST_F(ColourTest, ReversedRainbowOnAnIndexedDeviceExchangesWhiteAndBlack) {
    open("PNG", "NOREVERS");
    g_.setvlt("RRAI");
    EXPECT_EQ(c().palette_kind, 4);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(c().table[i], kRainbowTable[255 - i]) << i;
    EXPECT_EQ(named(NamedColour::white), kBlack);
    EXPECT_EQ(named(NamedColour::black), kWhite);
    EXPECT_EQ(c().foreground_colour, 255);
    EXPECT_EQ(c().background_colour, 0);
}

TEST_F(ColourTest, ReversedRainbowOnATrueColourDeviceTurnsForeAndBackground) {
    depth_ = 24;
    open("PNG", "NOREVERS");
    g_.setvlt("RRAI");
    EXPECT_EQ(named(NamedColour::white), kWhite);
    EXPECT_EQ(named(NamedColour::black), kBlack);
    EXPECT_EQ(c().foreground_colour, 0);
    EXPECT_EQ(c().background_colour, 255);
    EXPECT_EQ(g_.getclr(), 0);
}

TEST_F(ColourTest, TemperaturePaletteIsLoaded) {
    open("PNG", "NOREVERS");
    g_.setvlt("TEMP");
    EXPECT_EQ(c().palette_kind, 8);
    EXPECT_EQ(c().table[0], 0x000000u);
    EXPECT_EQ(c().table[255], 0xFFFFFFu);
}

// --- Named colours and palettes on the various devices -----------------------------

TEST_F(ColourTest, PostScriptPrintsGreyInkOnWhitePaperWhateverTheMode) {
    open("POST", "REVERS");  // 501 is never reversed
    EXPECT_EQ(c().palette_kind, 6);
    EXPECT_EQ(c().table[0], 0xFFFFFFu);
    EXPECT_EQ(c().table[255], 0x000000u);
    EXPECT_EQ(named(NamedColour::white), kBlack);
    EXPECT_EQ(named(NamedColour::black), kBlack);
    EXPECT_EQ(named(NamedColour::red), grey(230));
    EXPECT_EQ(c().foreground_colour, 255);
    EXPECT_EQ(c().background_colour, 0);
    EXPECT_EQ(c().under_colour, 0);
}

TEST_F(ColourTest, PostScriptColourPalettesUseWhitePaper) {
    open("POST", "NOREVERS");
    g_.setvlt("RAIN");
    EXPECT_EQ(named(NamedColour::white), kWhite);
    EXPECT_EQ(c().background_colour, 255);
    EXPECT_EQ(c().foreground_colour, 0);

    g_.setvlt("SMAL");
    EXPECT_EQ(c().table[0], 0xFFFFFFu);  // paper at 0, ink at 1
    EXPECT_EQ(c().table[1], 0x000000u);
    EXPECT_EQ(named(NamedColour::white), kBlack);
    EXPECT_EQ(named(NamedColour::black), kBlack);
    EXPECT_EQ(c().foreground_colour, 1);

    g_.setvlt("VGA");
    EXPECT_EQ(c().table[0], 0xFFFFFFu);
    EXPECT_EQ(c().table[15], 0x000000u);
    EXPECT_EQ(named(NamedColour::white), kBlack);
    EXPECT_EQ(named(NamedColour::black), kWhite);

    g_.setvlt("RSPE");
    EXPECT_EQ(named(NamedColour::white), kBlack);
    EXPECT_EQ(named(NamedColour::black), kBlack);
}

TEST_F(ColourTest, MetafilesDrawWhiteAsBlackOnTheColourRamps) {
    for (const char* format : {"CGM", "WMF"}) {
        open(format, "REVERS");
        EXPECT_EQ(named(NamedColour::white), kBlack) << format;
        EXPECT_EQ(named(NamedColour::black), kBlack) << format;
        EXPECT_EQ(c().background_colour, 255) << format;
        EXPECT_EQ(c().foreground_colour, 0) << format;
        EXPECT_EQ(c().table[0], 0x000000u) << format;  // not reversed
        g_.setvlt("VGA");                              // white paper: dark WHITE, light BLACK
        EXPECT_EQ(named(NamedColour::white), kBlack) << format;
        EXPECT_EQ(named(NamedColour::black), kWhite) << format;
        close();
    }
}

TEST_F(ColourTest, AppletAndPageFormatsFollowTheScreenMode) {
    open("JAVA", "NOREVERS");
    EXPECT_EQ(c().background_colour, 255);
    EXPECT_EQ(c().foreground_colour, 0);
    EXPECT_EQ(c().table[0], 0x000000u);
    close();
    for (const char* format : {"PSCL", "EPS", "PS", "PDF", "TIFF", "IPE"}) {
        open(format, "REVERS");
        EXPECT_EQ(c().table[0], 0xFFFFFFu) << format;
        EXPECT_EQ(named(NamedColour::white), kBlack) << format;
        close();
    }
    open("HPGL", "REVERS");  // plotter files are never reversed
    EXPECT_EQ(c().table[0], 0x000000u);
    EXPECT_EQ(named(NamedColour::white), kWhite);
}

TEST_F(ColourTest, DevicesFrom301To400OnlyHaveTheSmallPalette) {
    s().frame.device = 350;
    g_.scrmod("NOREVERS");
    g_.gvxini();
    ASSERT_EQ(s().frame.level, 1);
    EXPECT_EQ(c().palette_kind, 0);
    g_.setvlt("SPEC");
    EXPECT_EQ(c().palette_kind, 0);
    EXPECT_EQ(c().foreground_colour, 1);
}

// --- Values, setclr and setrgb ------------------------------------------------------

TEST_F(ColourTest, SetclrTakesIndicesAndExplicitColours) {
    open("PNG", "REVERS");
    g_.setclr(17);
    EXPECT_EQ(g_.getclr(), 17);
    g_.setclr(0x01123456);
    EXPECT_EQ(g_.getclr(), 0x01123456);
    EXPECT_EQ(log_.colours.back(), 0x01123456);

    const std::string out = output_of([&] { g_.setclr(-5); });
    EXPECT_EQ(out, " <<<< Warning   2: Incorrect parameter in setclr!   (  -5)\n");
    EXPECT_EQ(g_.getclr(), 0x01123456);
}

TEST_F(ColourTest, SetrgbAcceptsASmallToleranceOnly) {
    open("PNG", "REVERS");
    g_.setrgb(1.0005, 0.0, 0.0);
    EXPECT_EQ(g_.getclr(), kRed);
    g_.setrgb(-0.001, 0.5, 1.001);
    EXPECT_EQ(g_.getclr(), 0x01FF8000);  // green 127.5 rounds to 128

    const std::size_t sent = log_.colours.size();
    const int warnings = s().frame.warning_count;
    const std::string out = output_of([&] {
        g_.setrgb(1.002, 0.0, 0.0);
        g_.setrgb(0.0, -0.0011, 0.0);
        g_.setrgb(0.0, 0.0, std::numeric_limits<double>::quiet_NaN());
        g_.setrgb(std::numeric_limits<double>::infinity(), 0.0, 0.0);
    });
    EXPECT_EQ(s().frame.warning_count, warnings + 4);
    EXPECT_NE(out.find(" <<<< Warning   2: Incorrect parameter in setrgb!\n"), std::string::npos);
    EXPECT_EQ(g_.getclr(), 0x01FF8000);
    EXPECT_EQ(log_.colours.size(), sent);
}

TEST(ColourValues, PackingAndComponents) {
    EXPECT_EQ(pack_rgb(0.5, 0.5, 0.5), 0x01808080);
    EXPECT_EQ(pack_rgb(1.0, 0.0, 0.0), 0x010000FF);
    EXPECT_EQ(pack_rgb(0.0, 0.0, 1.0), 0x01FF0000);
    EXPECT_EQ(pack_rgb(1.001, 1.001, 1.001), 0x01FFFFFF);
    EXPECT_EQ(pack_rgb(-0.001, -0.001, -0.001), 0x01000000);
    EXPECT_EQ(pack_rgb(1.0011, 0.0, 0.0), -1);
    EXPECT_EQ(pack_rgb(0.0, std::nan(""), 0.0), -1);

    ColourState c;
    c.table[3] = 0x123456;
    c.current_colour = 0x01ABCDEF;
    EXPECT_EQ(colour_components(c, 3), (Rgb{0x12, 0x34, 0x56}));
    EXPECT_EQ(colour_components(c, 256 + 3), (Rgb{0x12, 0x34, 0x56}));  // modulo 256
    EXPECT_EQ(colour_components(c, 0x02000003), (Rgb{0x12, 0x34, 0x56}));
    EXPECT_EQ(colour_components(c, 0x01563412), (Rgb{0x12, 0x34, 0x56}));  // red low
    EXPECT_EQ(colour_components(c, -1), (Rgb{0xEF, 0xCD, 0xAB}));
}

// --- The nearest table entry --------------------------------------------------------

TEST(NearestEntry, BlackAndWhitePreferTheEndsOfThePalette) {
    ColourState c;
    for (int i = 0; i < 256; ++i) c.table[i] = 0x808080;
    c.table[0] = 0xFFFFFF;
    c.table[255] = 0x000000;
    c.table[100] = 0x000000;
    c.table[50] = 0xFFFFFF;
    EXPECT_EQ(nearest_table_index(c, Rgb{0, 0, 0}), 255);
    EXPECT_EQ(nearest_table_index(c, Rgb{255, 255, 255}), 0);
    c.table[255] = 0x808080;  // no black at either end: plain search, from the top
    EXPECT_EQ(nearest_table_index(c, Rgb{0, 0, 0}), 100);
}

TEST(NearestEntry, EqualDistancesGoToTheFirstEntryMet) {
    ColourState c;
    for (int i = 0; i < 256; ++i) c.table[i] = 0x808080;
    EXPECT_EQ(nearest_table_index(c, Rgb{10, 10, 0}), 255);  // blue 0: searched downwards
    EXPECT_EQ(nearest_table_index(c, Rgb{10, 10, 10}), 0);   // else upwards
    c.table[77] = 0x0A0A0A;
    EXPECT_EQ(nearest_table_index(c, Rgb{10, 10, 10}), 77);  // exact match
    EXPECT_EQ(nearest_table_index(c, Rgb{10, 10, 0}), 77);
}

TEST(NearestEntry, SmallAndVgaPalettesSearchOnlyTheirEntries) {
    ColourState c;
    fill_palette(1, c.table);
    fill_palette(0, c.table);
    c.palette_kind = 0;
    // The rainbow keeps 0xFF7F00 at entry 223, but only entries 0 to 8 count.
    EXPECT_EQ(nearest_table_index(c, Rgb{255, 127, 0}), 6);
    fill_palette(7, c.table);
    c.palette_kind = 7;
    EXPECT_LE(nearest_table_index(c, Rgb{255, 127, 0}), 15);
    c.palette_kind = 1;
    EXPECT_EQ(nearest_table_index(c, Rgb{255, 127, 0}), 223);
}

// --- The user colour table ----------------------------------------------------------

// A user ramp: red up, blue down.
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
    g_.scrmod("NOREVERS");
    g_.metafl("PNG");
    g_.myvlt(ramp.red, ramp.green, ramp.blue, 256);
    EXPECT_EQ(c().keep_user_table, 1);
    EXPECT_EQ(s().frame.warning_count, 0);
    g_.gvxini();
    ASSERT_EQ(s().frame.level, 1);
    EXPECT_EQ(c().keep_user_table, 0);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(c().table[i], UserRamp::entry(i)) << i;
    EXPECT_EQ(log_.palettes.back().table[200], UserRamp::entry(200));
    EXPECT_EQ(c().foreground_colour, 255);  // the rest of the load still happens
    close();

    g_.gvxini();  // the next plot has the default palette again
    EXPECT_EQ(c().table[200], kRainbowTable[200]);
}

TEST_F(ColourTest, MyvltBeforeGvxiniGivesWayToALaterSetvlt) {
    UserRamp ramp;
    g_.myvlt(ramp.red, ramp.green, ramp.blue, 256);
    open("PNG", "NOREVERS");
    EXPECT_EQ(c().table[10], UserRamp::entry(10));
    g_.setvlt("RAIN");
    EXPECT_EQ(c().table[10], kRainbowTable[10]);
}

TEST_F(ColourTest, MyvltTableIsReversedLikeAnyOtherInReversedMode) {
    UserRamp ramp;
    g_.myvlt(ramp.red, ramp.green, ramp.blue, 256);
    open("PNG", "REVERS");
    EXPECT_EQ(c().table[0], UserRamp::entry(255));
    EXPECT_EQ(c().table[255], UserRamp::entry(0));
    for (int i = 1; i < 255; ++i) EXPECT_EQ(c().table[i], UserRamp::entry(i)) << i;
}

TEST_F(ColourTest, MyvltInAPlotSendsTheTableAtOnce) {
    open("PNG", "REVERS");
    const double red[] = {1.0, 0.0, 0.5};
    const double green[] = {0.0, 1.0, 0.5};
    const double blue[] = {0.0, 0.0, 1.0};
    const std::size_t sent = log_.palettes.size();
    g_.myvlt(red, green, blue, 3);
    EXPECT_EQ(c().table[0], 0xFF0000u);
    EXPECT_EQ(c().table[1], 0x00FF00u);
    EXPECT_EQ(c().table[2], 0x8080FFu);
    EXPECT_EQ(c().table[3], kRainbowTable[3]);
    EXPECT_EQ(c().keep_user_table, 0);
    ASSERT_EQ(log_.palettes.size(), sent + 1);
    EXPECT_EQ(log_.palettes.back().table[2], 0x8080FFu);
}

TEST_F(ColourTest, MyvltRefusesBadCountsAndComponents) {
    UserRamp ramp;
    open("PNG", "REVERS");
    const ColourState before = c();
    const std::size_t sent = log_.palettes.size();
    output_of([&] {
        g_.myvlt(ramp.red, ramp.green, ramp.blue, 0);
        g_.myvlt(ramp.red, ramp.green, ramp.blue, 257);
        g_.myvlt(nullptr, ramp.green, ramp.blue, 3);
        ramp.red[200] = 1.0001;  // beyond the real tolerance
        g_.myvlt(ramp.red, ramp.green, ramp.blue, 256);
        ramp.red[200] = 0.5;
        ramp.blue[5] = std::nan("");
        g_.myvlt(ramp.red, ramp.green, ramp.blue, 256);
    });
    EXPECT_EQ(s().frame.warning_count, 5);
    EXPECT_TRUE(same_colours(c(), before));
    EXPECT_EQ(log_.palettes.size(), sent);

    // A bad component in a later entry leaves the earlier ones unwritten as well.
    UserRamp late;
    late.green[255] = -0.01;
    close();
    output_of([&] { g_.myvlt(late.red, late.green, late.blue, 256); });
    EXPECT_EQ(c().keep_user_table, 0);
}

TEST_F(ColourTest, SetindWritesOneEntryAndSendsTheTable) {
    open("PNG", "REVERS");
    const std::size_t sent = log_.palettes.size();
    g_.setind(7, 1.0, 0.5, 0.0);
    EXPECT_EQ(c().table[7], 0xFF8000u);
    EXPECT_EQ(c().table[8], kRainbowTable[8]);
    ASSERT_EQ(log_.palettes.size(), sent + 1);
    EXPECT_EQ(log_.palettes.back().table[7], 0xFF8000u);

    const ColourState before = c();
    const std::string out = output_of([&] {
        g_.setind(256, 0.0, 0.0, 0.0);
        g_.setind(-1, 0.0, 0.0, 0.0);
        g_.setind(3, 0.0, -0.1, 0.0);
        g_.setind(3, 0.0, 0.0, std::nan(""));
    });
    EXPECT_NE(out.find("Incorrect parameter in setind!   ( 256)"), std::string::npos);
    EXPECT_EQ(s().frame.warning_count, 4);
    EXPECT_TRUE(same_colours(c(), before));
}

// --- Refused calls ------------------------------------------------------------------

TEST_F(ColourTest, CallsWithoutAnOpenPlotChangeNothing) {
    const ColourState before = c();
    const std::string out = output_of([&] {
        g_.color("RED");
        g_.setclr(3);
        g_.setrgb(1.0, 0.0, 0.0);
        g_.setvlt("GREY");
        g_.setind(3, 1.0, 1.0, 1.0);
        EXPECT_EQ(g_.getclr(), 0);
    });
    EXPECT_EQ(s().frame.warning_count, 6);
    EXPECT_NE(out.find(" <<<< Warning   3: Incorrect level in color!   (   0)\n"),
              std::string::npos);
    EXPECT_NE(out.find("Incorrect level in getclr!"), std::string::npos);
    EXPECT_TRUE(same_colours(c(), before));
}

TEST_F(ColourTest, UnknownKeywordsChangeNothing) {
    open("PNG", "REVERS");
    g_.color("RED");
    const ColourState before = c();
    const std::size_t colours = log_.colours.size();
    const std::string out = output_of([&] {
        g_.color("PURPLE");
        g_.setvlt("JET");
        g_.color(nullptr);
        g_.setvlt("");
    });
    EXPECT_NE(out.find(" <<<< Warning   2: Incorrect parameter in color!   (PURPLE)\n"),
              std::string::npos);
    EXPECT_NE(out.find(" <<<< Warning   2: Incorrect parameter in setvlt!   (JET)\n"),
              std::string::npos);
    EXPECT_EQ(s().frame.warning_count, 4);
    EXPECT_TRUE(same_colours(c(), before));
    EXPECT_EQ(log_.colours.size(), colours);
}

}  // namespace
}  // namespace gvx::testing
