// Drawing and measuring strings: placement, measuring, angles, justification,
// spacing, continuation and the out-of-page reports.
#include <cmath>

#include "tests/text/text_fixture.h"

namespace gvx::testing {
namespace {

TEST_F(TextTest, EmptyAndBlankStringsDrawNothingAndMeasureZero) {
    g_.complx();
    s().text->cur.x = 123.0;
    s().text->cur.y = 456.0;
    for (const char* text : {"", " ", "     "}) {
        EXPECT_TRUE(strokes(text, 5000, -5000).empty()) << '"' << text << '"';
        EXPECT_EQ(rec_->calls.size(), 0u);
        EXPECT_EQ(g_.nlmess(text), 0);
    }
    EXPECT_EQ(s().frame.warning_count, 0);  // not even the off-page point is reported
    EXPECT_EQ(s().text->cur.x, 123.0);
    EXPECT_EQ(s().text->cur.y, 456.0);
}

TEST_F(TextTest, TrailingBlanksAreDroppedLeadingAndInnerBlanksCount) {
    g_.complx();
    EXPECT_EQ(g_.nlmess("AB   "), g_.nlmess("AB"));
    EXPECT_GT(g_.nlmess(" AB"), g_.nlmess("AB"));
    EXPECT_GT(g_.nlmess("A B"), g_.nlmess("AB"));

    strokes("AB");
    double after_plain = s().text->cur.x;
    strokes("AB   ");
    EXPECT_EQ(s().text->cur.x, after_plain);
}

TEST_F(TextTest, CapitalsOfTheComplexFontSpanTheHeightBelowTheGivenTop) {
    g_.complx();
    Ink k = ink(strokes("H", 300, 200));
    EXPECT_NEAR(k.ymin, 200.0, 1e-9);  // top of the capital on the given y
    EXPECT_NEAR(k.ymax, 235.0, 1e-9);  // baseline 35 below
    EXPECT_NEAR(k.xmin, 300.0, 1e-9);

    g_.height(72);
    k = ink(strokes("H", 300, 200));
    EXPECT_NEAR(k.ymax - k.ymin, 71.0, 1e-9);
}

TEST_F(TextTest, LengthOfOneCharacterIsTheGlyphWidthAndTwoIncludeOneGap) {
    g_.complx();
    Ink k = ink(strokes("H", 300, 200));
    int one = g_.nlmess("H");
    EXPECT_EQ(one, round_text(k.xmax - 300.0));
    // The gap of the complex font is a quarter of the height: 9 at height 36.
    int two = g_.nlmess("HH");
    EXPECT_NEAR(two, 2.0 * (k.xmax - 300.0) + 9.0, 0.5 + 1e-9);
}

TEST_F(TextTest, AngleNinetyDrawsUpwardsAndDoesNotChangeTheLength) {
    g_.complx();
    int flat = g_.nlmess("HI");
    Ink first = ink(strokes("H", 500, 1000));
    g_.angle(90);
    EXPECT_EQ(g_.nlmess("HI"), flat);
    auto lines = strokes("HI", 500, 1000);
    Ink k = ink(lines);
    // Baseline at x = 500 + 35, the capitals reaching left to x = 500; the string runs
    // from y = 1000 upwards.
    EXPECT_NEAR(k.xmax, 535.0, 1e-4);
    EXPECT_NEAR(k.xmin, 500.0, 1e-4);
    EXPECT_NEAR(k.ymax, 1000.0, 1e-4);
    EXPECT_NEAR(1000.0 - k.ymin, flat, 1.0);
    // The first character alone: its width now runs up the page.
    Ink h = ink(strokes("H", 500, 1000));
    EXPECT_NEAR(h.ymax - h.ymin, first.xmax - first.xmin, 1e-4);
}

TEST_F(TextTest, CentreAndMiddleJustificationCentreTheStringOnThePoint) {
    g_.complx();
    g_.txtjus("CENT");
    g_.txtjus("MIDD");
    Ink k = ink(strokes("HHH", 1000, 800));
    EXPECT_NEAR(k.cx(), 1000.0, 1.5);
    EXPECT_NEAR(k.cy(), 800.0, 1.5);

    g_.angle(90);
    k = ink(strokes("HHH", 1000, 800));
    EXPECT_NEAR(k.cx(), 1000.0, 1.5);
    EXPECT_NEAR(k.cy(), 800.0, 1.5);

    g_.angle(0);
    g_.txtjus("RIGH");
    g_.txtjus("BOTT");
    k = ink(strokes("HHH", 1000, 800));
    EXPECT_NEAR(k.xmax, 1000.0, 1.0);
    EXPECT_NEAR(k.ymax, 800.0 - 1.0, 1.0);  // the height lies above the point
}

TEST_F(TextTest, ContinuationDrawsWhereThePreviousStringEnded) {
    g_.complx();
    auto whole = strokes("AB", 400, 300);
    rec_->clear();
    output_of([&] {
        g_.messag("A", 400, 300);
        g_.messag("B", 999, 999);
    });
    expect_same(rec_->polylines(), whole);
}

TEST_F(TextTest, StartPointOffThePageIsReportedAndTheStringStillDrawn) {
    g_.complx();
    int before = s().frame.warning_count;
    // The placement adds 0.5 and truncates: -50 becomes -49.
    std::string out = output_of([&] { g_.messag("ABCDEFGHIJ", -50, 100); });
    EXPECT_EQ(out, " <<<< Warning: Startpoint (  -49/  100) in MESSAG out of page - (ABCDEFGH).\n");
    EXPECT_EQ(s().frame.warning_count, before + 1);
    EXPECT_GT(rec_->count(Call::draw), 0);

    rec_->clear();
    out = output_of([&] { g_.messag("ABCDEFGHIJ", 2900, 100); });
    EXPECT_EQ(out.rfind(" <<<< Warning: Endpoint   (", 0), 0u) << out;
    EXPECT_NE(out.find(") in MESSAG out of page - (ABCDEFGH).\n"), std::string::npos);
    EXPECT_EQ(out.find("Startpoint"), std::string::npos);
    EXPECT_GT(rec_->count(Call::draw), 0);

    // Counted but not printed when warnings are off.
    g_.errmod("WARN", "OFF");
    before = s().frame.warning_count;
    EXPECT_EQ(output_of([&] { g_.messag("AB", -10, 100); }), "");
    EXPECT_EQ(s().frame.warning_count, before + 1);
}

TEST_F(TextTest, DefaultFontAdvancesEveryCharacterByTheSameAmount) {
    g_.chawth(0.8);
    g_.chaspc(0.5);
    const double advance = 35 * 0.8 + 36 * 0.5;  // (height - 1) * width + height * spacing
    int a = g_.nlmess("A");
    EXPECT_EQ(a, round_text(35 * 0.8));
    for (int c = 32; c < 127; ++c) {
        std::string text = std::string(1, static_cast<char>(c)) + "A";
        EXPECT_EQ(g_.nlmess(text.c_str()) - a, round_text(advance)) << "code " << c;
    }
}

TEST_F(TextTest, FixedSpacingCentresNarrowAndWideGlyphsInOneCell) {
    g_.complx();
    g_.fixspc(1.0);
    const double cell = 1.0 * 1.4 * 1.0 * 35.0;
    Ink narrow = ink(strokes("i", 600, 400));
    Ink wide = ink(strokes("W", 600, 400));
    EXPECT_NEAR(narrow.cx(), 600.0 + cell / 2.0, 1.0);
    EXPECT_NEAR(wide.cx(), 600.0 + cell / 2.0, 1.0);
    EXPECT_NEAR(s().text->cur.x, 600.0 + cell, 1e-9);  // no gap under fixed spacing
    EXPECT_EQ(g_.nlmess("iW"), round_text(2.0 * cell));
}

TEST_F(TextTest, SlantShearsGlyphsToTheRight) {
    g_.complx();
    Ink upright = ink(strokes("I", 500, 500));
    g_.chaang(30.0);
    Ink slanted = ink(strokes("I", 500, 500));
    EXPECT_NEAR(slanted.ymin, upright.ymin, 1e-9);
    EXPECT_NEAR(slanted.xmax - upright.xmax, 35.0 * std::tan(30.0 * kDegreeToRadian), 0.5);
}

TEST_F(TextTest, SizedDrawingRestoresHeightAndAngleAndNeverContinues) {
    g_.complx();
    g_.height(20);
    s().text->cur.x = 42.0;
    rec_->clear();
    output_of([&] { draw_text_sized(s(), "H", 999.0, 999.0, 50, 90); });
    Ink k = ink(rec_->polylines());
    EXPECT_NEAR(k.xmin, 1000.0, 1e-4);  // (999, 999) became (1000, 999), turned by 90
    EXPECT_NEAR(k.xmax, 1049.0, 1e-4);
    EXPECT_EQ(s().text->height, 20);
    EXPECT_EQ(s().text->angle, 0);
    EXPECT_DOUBLE_EQ(s().text->angle_cos, 1.0);
}

TEST_F(TextTest, NumbersAreDrawnAsTheirText) {
    g_.complx();
    auto text = strokes("-15.0", 400, 300);
    rec_->clear();
    output_of([&] { draw_number(s(), -15.0, 1, 400, 300); });
    expect_same(rec_->polylines(), text);
}

TEST_F(TextTest, PageOriginAtTheBottomTurnsTheYCoordinate) {
    g_.complx();
    g_.pagorg("BOTT");
    Ink k = ink(strokes("H", 300, 2099 - 200));
    EXPECT_NEAR(k.ymin, 200.0, 1e-9);
}

TEST_F(TextTest, TextBoxCoversCapitalsAndDescenders) {
    g_.complx();
    TextBox caps = text_box(s(), "HH");
    EXPECT_DOUBLE_EQ(caps.height, 35.0);
    EXPECT_DOUBLE_EQ(caps.offset, 0.0);
    EXPECT_EQ(caps.length, g_.nlmess("HH"));
    TextBox low = text_box(s(), "Hg");
    EXPECT_GT(low.offset, 5.0);
    EXPECT_DOUBLE_EQ(low.height, 35.0 + low.offset);
}

TEST_F(TextTest, BackgroundBoxIsFilledBeforeTheString) {
    RecordingOptions filling;
    filling.caps.fills_polygons = true;
    reopen(filling);
    g_.complx();
    g_.txtbgd(3);
    strokes("HH", 500, 500);
    auto box = std::find_if(rec_->calls.begin(), rec_->calls.end(),
                            [](const DeviceCall& c) { return c.kind == Call::fill_box; });
    auto line = std::find_if(rec_->calls.begin(), rec_->calls.end(),
                             [](const DeviceCall& c) { return c.kind == Call::draw; });
    ASSERT_NE(box, rec_->calls.end());
    EXPECT_LT(box - rec_->calls.begin(), line - rec_->calls.begin());
    const DeviceCall& first = *box;
    EXPECT_EQ(first.colour, 3);
    EXPECT_LT(std::min(first.y1, first.y2), 500.0);
    EXPECT_GT(std::max(first.y1, first.y2), 535.0);
}

TEST_F(TextTest, RoutinesNeedAnOpenPlot) {
    output_of([&] { g_.gvxfin(); });
    std::string out = output_of([&] {
        g_.messag("A", 10, 10);
        EXPECT_EQ(g_.nlmess("ABC"), 0);
    });
    EXPECT_NE(out.find("Warning   3: Incorrect level in messag!"), std::string::npos);
    EXPECT_NE(out.find("Warning   3: Incorrect level in nlmess!"), std::string::npos);
}

}  // namespace
}  // namespace gvx::testing
