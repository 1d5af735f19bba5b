// The setting routines and their checks, alphabets, mixed alphabets, raised and
// lowered text, the instruction alphabet and the formula mode.
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "tests/text/text_fixture.h"

namespace gvx::testing {
namespace {

TEST_F(TextTest, DefaultsAfterGvxini) {
    const TextState& t = *s().text;
    EXPECT_EQ(t.height, 36);
    EXPECT_EQ(t.angle, 0);
    EXPECT_EQ(t.font.number, 1);
    EXPECT_EQ(t.font.alphabet_count, 6);
    EXPECT_EQ(t.coding, Coding::standard);
    EXPECT_EQ(t.base_alphabet, 1);
    EXPECT_FALSE(t.mix_on);
    EXPECT_EQ(t.mix_chars[mix_exponent], '[');
    EXPECT_EQ(t.mix_chars[mix_formula], '\\');
    // A changed setting does not survive the next plot.
    g_.height(50);
    g_.complx();
    g_.chacod("UTF8");
    reopen({});
    EXPECT_EQ(s().text->height, 36);
    EXPECT_EQ(s().text->font.number, 1);
    EXPECT_EQ(s().text->coding, Coding::standard);
}

TEST_F(TextTest, BadParametersWarnAndChangeNothing) {
    struct Case {
        const char* expected;
        std::function<void()> call;
    };
    std::vector<Case> cases = {
        {" <<<< Warning   2: Incorrect parameter in height!   (   0)\n", [&] { g_.height(0); }},
        {" <<<< Warning   2: Incorrect parameter in height!   (10001)\n",
         [&] { g_.height(10001); }},
        {" <<<< Warning   2: Incorrect parameter in chaang!   (61)\n", [&] { g_.chaang(61); }},
        {" <<<< Warning   2: Incorrect parameter in chaang!   (nan)\n",
         [&] { g_.chaang(std::nan("")); }},
        {" <<<< Warning   2: Incorrect parameter in chawth!   (2)\n", [&] { g_.chawth(2.0); }},
        {" <<<< Warning   2: Incorrect parameter in chawth!   (0)\n", [&] { g_.chawth(0.0); }},
        {" <<<< Warning   2: Incorrect parameter in fixspc!   (0)\n", [&] { g_.fixspc(0.0); }},
        {" <<<< Warning   2: Incorrect parameter in chaspc!   (inf)\n",
         [&] { g_.chaspc(HUGE_VAL); }},
        {" <<<< Warning   2: Incorrect parameter in txtjus!   (UPPER)\n",
         [&] { g_.txtjus("UPPER"); }},
        {" <<<< Warning   2: Incorrect parameter in chacod!   (ISO9)\n",
         [&] { g_.chacod("ISO9"); }},
        {" <<<< Warning   2: Incorrect parameter in smxalf!   (   7)\n",
         [&] { g_.smxalf("GREE", "{", "}", 7); }},
        {" <<<< Warning  19: The basealphabet cannot be used in smxalf!\n",
         [&] { g_.smxalf("STAN", "{", "}", 1); }},
        {" <<<< Warning   2: Incorrect parameter in setmix!   ()\n", [&] { g_.setmix("", "EXP"); }},
    };
    for (const Case& c : cases) {
        TextState before = *s().text;
        EXPECT_EQ(output_of(c.call), c.expected);
        const TextState& after = *s().text;
        EXPECT_EQ(after.height, before.height);
        EXPECT_EQ(after.slant, before.slant);
        EXPECT_EQ(after.width_factor, before.width_factor);
        EXPECT_EQ(after.spacing, before.spacing);
        EXPECT_EQ(after.fixed, before.fixed);
        EXPECT_EQ(after.justify_h, before.justify_h);
        EXPECT_EQ(after.coding, before.coding);
        EXPECT_FALSE(after.mixing);
        EXPECT_EQ(after.mix_chars[0], before.mix_chars[0]);
    }
}

TEST_F(TextTest, AngleAndSlantStoreTheirTrigonometry) {
    g_.angle(30);
    EXPECT_DOUBLE_EQ(s().text->angle_sin, std::sin(30 * 0.01745329277777778));
    EXPECT_DOUBLE_EQ(s().text->angle_cos, std::cos(30 * 0.01745329277777778));
    g_.chaang(45.0);
    EXPECT_NEAR(s().text->slant, 1.0, 1e-6);
}

TEST_F(TextTest, BaseAlphabetsDrawTheirOwnGlyphs) {
    g_.complx();
    auto latin = strokes("a");
    g_.basalf("GREE");
    auto greek = strokes("a");
    EXPECT_FALSE(greek.empty());
    EXPECT_NE(greek.size() * 1000 + ink(greek).points, latin.size() * 1000 + ink(latin).points);
    // Digits have no Greek glyph: they come from the standard alphabet unchanged.
    auto digit = strokes("7");
    g_.basalf("STAN");
    expect_same(strokes("7"), digit);
    // Italic letters of the default font are the standard ones slanted.
    g_.gvxalf();
    Ink upright = ink(strokes("I"));
    g_.basalf("ITAL");
    Ink italic = ink(strokes("I"));
    EXPECT_NEAR(italic.xmax - upright.xmax, 35.0 / 3.732, 0.5);
}

TEST_F(TextTest, CodesWithoutAGlyphAreBlanks) {
    // The default font's standard alphabet answers for codes up to 163, with glyph
    // records up to 133: later codes draw nothing but advance like every character.
    EXPECT_TRUE(strokes("\x8C").empty());
    EXPECT_EQ(g_.nlmess("A\x8C"), g_.nlmess("AA"));
    // Beyond the slot count: a blank.
    EXPECT_TRUE(strokes("\xFA").empty());
    EXPECT_EQ(g_.nlmess("A\xFA"
                        "A"),
              g_.nlmess("A A"));
    g_.complx();
    g_.basalf("MATH");
    EXPECT_TRUE(strokes("\xC8").empty());  // beyond the 96 slots of the symbols
}

TEST_F(TextTest, ScriptFallBackAfterAScriptGlyphGetsTheStandardGap) {
    g_.complx();
    g_.basalf("SCRI");
    int letter = g_.nlmess("a"), digit = g_.nlmess("1");
    // Script letters join without a gap; the digit comes from the standard alphabet,
    // preceded by its gap (a quarter of 36), and it is not preceded by one when first.
    EXPECT_NEAR(g_.nlmess("a1"), letter + 9 + digit, 1.0);
    EXPECT_NEAR(g_.nlmess("1a"), digit + 9 + letter, 1.0);
    EXPECT_NEAR(g_.nlmess("aa"), 2 * letter, 1.0);
}

TEST_F(TextTest, MixedAlphabetsSwitchInsideAString) {
    g_.complx();
    g_.smxalf("GREE", "{", "}", 1);
    auto mixed = strokes("b{b}b");
    g_.basalf("GREE");
    auto greek_b = strokes("b");
    g_.basalf("STAN");
    auto latin_b = strokes("b");
    int latin_points = ink(latin_b).points, greek_points = ink(greek_b).points;
    EXPECT_EQ(ink(mixed).points, 2 * latin_points + greek_points);
    // The shift characters take no room.
    g_.basalf("GREE");
    int greek_width = g_.nlmess("b");
    g_.basalf("STAN");
    EXPECT_NEAR(g_.nlmess("b{b}b"), 2 * g_.nlmess("b") + greek_width + 2 * 9, 1.0);
}

TEST_F(TextTest, ExponentsAndIndicesRaiseLowerAndShrink) {
    g_.complx();
    g_.mixalf();
    Ink base = ink(strokes("1", 500, 500));
    Ink raised = ink(strokes("1[1", 500, 500));
    // The exponent is 0.8 times as high (29 units) and lifted by 0.6 * 36.
    EXPECT_NEAR(raised.ymin, 500.0 - 0.6 * 36.0 + (35.0 - 28.0), 1e-6);
    EXPECT_NEAR(raised.ymax, base.ymax, 1e-6);
    Ink lowered = ink(strokes("1]1", 500, 500));
    EXPECT_NEAR(lowered.ymax, 535.0 + 0.6 * 29.0, 1e-6);
    // The reset character returns to the baseline and the starting height.
    auto reset = strokes("1[1$1", 500, 500);
    EXPECT_NEAR(ink(reset).ymax, base.ymax, 1e-6);
    // Measuring sees only the smaller height.
    EXPECT_LT(g_.nlmess("1[11"), g_.nlmess("111"));
    // After the reset: the gap of the small character (a quarter of 29), then a full one.
    EXPECT_NEAR(g_.nlmess("1[1$1"), g_.nlmess("1[1") + 0.25 * 29 + g_.nlmess("1"), 1.0);
    // newmix uses ^ _ %.
    g_.newmix();
    EXPECT_NEAR(ink(strokes("1^1", 500, 500)).ymin, raised.ymin, 1e-6);
}

TEST_F(TextTest, InstructionAlphabetChangesHeightAndReportsBadInstructions) {
    g_.complx();
    g_.smxalf("INST", "<", ">", 2);
    Ink k = ink(strokes("<H2>H", 500, 500));
    EXPECT_NEAR(k.ymax - k.ymin, 71.0, 1e-6);  // twice the height, on the same baseline
    EXPECT_NEAR(k.ymax, 535.0, 1e-6);
    EXPECT_EQ(output_of([&] { g_.messag("<Q1>A", 500, 500); }),
              " <<<< Warning  46: Instruction code: unknown command in messag!   (Q1)\n");
    EXPECT_EQ(output_of([&] { g_.messag("<C2.5>A", 500, 500); }),
              " <<<< Warning  45: Instruction code: no integer value in messag!   (C2.5)\n");
    EXPECT_EQ(output_of([&] { g_.messag("<H>A", 500, 500); }),
              " <<<< Warning  43: Instruction code: incorrect parameter in messag!   (H)\n");
    // A colour instruction lasts to the end of the string.
    int colour = s().colours->current_colour;
    strokes("<C3>A");
    EXPECT_EQ(s().colours->current_colour, colour);
    EXPECT_GE(rec_->count(Call::colour), 2);
}

TEST_F(TextTest, FormulaModeDrawsScriptsSymbolsAndFractions) {
    g_.complx();
    g_.texmod("ON");
    // A Greek letter command draws the Greek alphabet's glyph.
    auto alpha = strokes("\\alpha");
    g_.texmod("OFF");
    g_.basalf("GREE");
    expect_same(alpha, strokes("a"));
    g_.basalf("STAN");
    g_.texmod("ON");

    Ink x = ink(strokes("x", 500, 500));
    Ink squared = ink(strokes("x^2", 500, 500));
    EXPECT_LT(squared.ymin, x.ymin - 10.0);
    Ink indexed = ink(strokes("x_i", 500, 500));
    EXPECT_GT(indexed.ymax, x.ymax + 5.0);

    // A fraction stacks its parts about a bar and is as wide as the wider part.
    Ink fraction = ink(strokes("\\frac{1}{234}", 500, 500));
    EXPECT_GT(fraction.ymax - fraction.ymin, 50.0);
    EXPECT_GT(g_.nlmess("\\frac{1}{234}"), g_.nlmess("\\frac{1}{2}"));

    // Symbols come from the mathematical alphabet.
    auto pm = strokes("\\pm");
    g_.texmod("OFF");
    g_.basalf("MATH");
    expect_same(pm, strokes("A"));
}

TEST_F(TextTest, FormulaErrorsAreReportedAndNothingIsDrawn) {
    g_.complx();
    g_.texmod("ON");
    const char* cases[][2] = {
        {"\\nosuch", "Unknown TeX command"},
        {"{a", "Unbalanced parenthesis"},
        {"a}", "Unbalanced parenthesis"},
        {"\\frac{a}", "Missing denominator for fractions"},
        {"\\frac a", "Syntax error for fractions"},
        {"x^", "Syntax error for Indices/Exponents"},
        {"\\sqrt x", "Syntax error - missing root"},
    };
    for (auto& c : cases) {
        rec_->clear();
        std::string out = output_of([&] { g_.messag(c[0], 500, 500); });
        EXPECT_EQ(out, std::string(" <<<< Warning 178: ") + c[1] + " in messag!\n") << c[0];
        EXPECT_EQ(rec_->count(Call::draw), 0) << c[0];
    }
    std::string deep;
    for (int i = 0; i < 10; ++i) deep += "x^{";
    deep += "x";
    for (int i = 0; i < 10; ++i) deep += "}";
    EXPECT_NE(output_of([&] {
                  g_.messag(deep.c_str(), 500, 500);
              }).find("Too many nested exponents/indices"),
              std::string::npos);
}

}  // namespace
}  // namespace gvx::testing
