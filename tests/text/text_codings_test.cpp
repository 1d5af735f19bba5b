// Character codings, UTF-8 decoding and the language shifts.
#include <string>

#include "tests/text/text_fixture.h"

namespace gvx::testing {
namespace {

struct Translated {
    int code;
    int alphabet;
};

Translated translate(Coding coding, int code, int alphabet = 1) {
    int a = alphabet;
    int c = translate_code(coding, code, a);
    return {c, a};
}

TEST(TextCodings, Latin1TranslatesTheTableAndBlanksTheRest) {
    EXPECT_EQ(translate(Coding::iso1, 164).code, 263);  // currency sign
    EXPECT_EQ(translate(Coding::iso1, 161).code, 185);
    EXPECT_EQ(translate(Coding::iso1, 169).code, 264);
    EXPECT_EQ(translate(Coding::iso1, 196).code, 127);  // A diaeresis
    EXPECT_EQ(translate(Coding::iso1, 255).code, 184);
    for (int blank : {215, 247, 128, 160, 170, 190})
        EXPECT_EQ(translate(Coding::iso1, blank).code, 32) << blank;
    // UTF-8 below 256 reads like Latin-1; STAN keeps codes unchanged.
    EXPECT_EQ(translate(Coding::utf8, 223).code, 133);
    EXPECT_EQ(translate(Coding::standard, 200).code, 200);
    // Codes below 32 are blanks in every coding; 32 to 126 stay.
    EXPECT_EQ(translate(Coding::standard, 7).code, 32);
    EXPECT_EQ(translate(Coding::iso2, 'q').code, 'q');
}

TEST(TextCodings, CyrillicAndGreekCodingsChooseTheirAlphabet) {
    // ISO-8859-5 0xB0 and KOI8-R 0xE1 are capital A, 0xD0 and 0xC1 small a.
    Translated t = translate(Coding::iso5, 0xB0);
    EXPECT_EQ(t.code, 'A');
    EXPECT_EQ(t.alphabet, 6);
    t = translate(Coding::koi8, 0xE1);
    EXPECT_EQ(t.code, 'A');
    EXPECT_EQ(t.alphabet, 6);
    EXPECT_EQ(translate(Coding::koi8, 0xC1).code, 'a');
    EXPECT_EQ(translate(Coding::iso5, 0xD0).code, 'a');
    // Ya, Yo and Shcha sit beside the Latin keys.
    EXPECT_EQ(translate(Coding::iso5, 0xCF).code, '%');
    EXPECT_EQ(translate(Coding::iso5, 0xA1).code, '&');
    EXPECT_EQ(translate(Coding::koi8, 0xFD).code, 'Z');
    // ISO-8859-7 0xC1 Alpha, 0xE8 theta, 0xF2 final sigma.
    t = translate(Coding::iso7, 0xC1);
    EXPECT_EQ(t.code, 'A');
    EXPECT_EQ(t.alphabet, 2);
    EXPECT_EQ(translate(Coding::iso7, 0xE8).code, 'q');
    EXPECT_EQ(translate(Coding::iso7, 0xF2).code, 147);
    // UTF-8 ranges: Zhe, omega with tonos.
    t = translate(Coding::utf8, 0x416);
    EXPECT_EQ(t.code, 'G');
    EXPECT_EQ(t.alphabet, 6);
    t = translate(Coding::utf8, 0x3CE);
    EXPECT_EQ(t.code, 140);
    EXPECT_EQ(t.alphabet, 2);
    EXPECT_EQ(translate(Coding::utf8, 0x2200).code, 32);  // outside every table
    // With these codings, ASCII goes back to the standard alphabet.
    EXPECT_EQ(translate(Coding::iso5, 'x', 6).alphabet, 1);
    EXPECT_EQ(translate(Coding::iso7, 'x', 2).alphabet, 1);
    EXPECT_EQ(translate(Coding::utf8, 'x', 2).alphabet, 2);
}

TEST(TextCodings, Latin2AndLatin3ReachTheExtraLetters) {
    EXPECT_EQ(translate(Coding::iso2, 0xA3).code, 211);   // L stroke
    EXPECT_EQ(translate(Coding::iso2, 0xC8).code, 197);   // C caron
    EXPECT_EQ(translate(Coding::iso2, 0xC4).code, 127);   // A diaeresis, as in Latin-1
    EXPECT_EQ(translate(Coding::iso2, 0xC0).code, 'R');   // R acute: its base letter
    EXPECT_EQ(translate(Coding::iso3, 0xAB).code, 249);   // G breve
    EXPECT_EQ(translate(Coding::iso3, 0xB9).code, 256);   // dotless i
    EXPECT_EQ(translate(Coding::iso3, 0xA5).code, 32);    // not a character of Latin-3
    EXPECT_EQ(translate(Coding::utf8, 0x142).code, 212);  // l stroke
}

TEST_F(TextTest, Iso1BlanksFor215And247AndTheCurrencyGlyph) {
    g_.complx();
    g_.chacod("ISO1");
    EXPECT_TRUE(strokes("\xD7").empty());
    EXPECT_TRUE(strokes("\xF7").empty());
    EXPECT_EQ(g_.nlmess("A\xD7"
                        "A"),
              g_.nlmess("A A"));
    EXPECT_FALSE(strokes("\xA4").empty());
    // The same glyph through UTF-8.
    auto latin1 = strokes("\xA4");
    g_.chacod("UTF8");
    expect_same(strokes("\xC2\xA4"), latin1);
}

TEST_F(TextTest, CodedCyrillicMatchesTheCyrillicBaseAlphabet) {
    g_.complx();
    g_.chacod("ISO5");
    auto coded = strokes("\xB0\xD0");
    g_.chacod("STAN");
    g_.basalf("RUSS");
    expect_same(strokes("Aa"), coded);
    // Under ISO5, ASCII letters stay Latin even in a Cyrillic string.
    g_.chacod("ISO5");
    auto latin = strokes("b");
    g_.basalf("STAN");
    g_.chacod("STAN");
    expect_same(strokes("b"), latin);
}

TEST_F(TextTest, MalformedUtf8IsRefusedWithWarning174) {
    g_.complx();
    g_.chacod("UTF8");
    for (const char* bad : {"A\xC3", "\x80", "\xF8\x80\x80\x80", "\xC3\x28", "\xE2\x82"}) {
        std::string out;
        auto lines = [&] {
            rec_->clear();
            out = output_of([&] { g_.messag(bad, 300, 300); });
            return rec_->polylines();
        }();
        EXPECT_TRUE(lines.empty());
        EXPECT_EQ(out, " <<<< Warning 174: Syntax error in UTF string in messag!\n");
    }
    std::string out = output_of([&] { EXPECT_EQ(g_.nlmess("\xC3"), 0); });
    EXPECT_NE(out.find("Warning 174"), std::string::npos);
    // A valid two-byte letter draws like its Latin-1 form.
    auto utf = strokes("\xC3\x84");
    g_.chacod("ISO1");
    expect_same(strokes("\xC4"), utf);
}

TEST_F(TextTest, MoreThan256CodesAreRefused) {
    std::string fits(256, 'A');
    std::string too_long(257, 'A');
    EXPECT_GT(g_.nlmess(fits.c_str()), 0);
    std::string out = output_of([&] { g_.messag(too_long.c_str(), 0, 0); });
    EXPECT_EQ(out, " <<<< Warning 174: Not enough space in array in messag!\n");
    EXPECT_EQ(rec_->count(Call::draw), 0);
}

TEST_F(TextTest, LanguageShiftsMakeAccentedLetters) {
    g_.complx();
    g_.eushft("GERM", "\"");
    g_.eushft("ACUT", "'");
    auto shifted = strokes("\"A'e\"\"");
    g_.chacod("ISO1");
    auto direct = strokes("\xC4\xE9\"");
    expect_same(shifted, direct);  // the shifts under STAN give the same glyphs
    g_.chacod("STAN");
    g_.eushft("TURK", "`");
    g_.chacod("ISO3");
    auto turkish = strokes("`G");
    expect_same(turkish, strokes("\xAB"));

    // Another letter after a shift character: warning 18, both characters drawn.
    std::string out = output_of([&] { g_.messag("\"x", 100, 100); });
    EXPECT_EQ(out,
              " <<<< Warning  18: Incorrect character after the eushft operator in "
              "messag!   (x)\n");
    // A shift character used by another language is refused.
    out = output_of([&] { g_.eushft("DANI", "'"); });
    EXPECT_EQ(out, " <<<< Warning  57: Control characters must be different in eushft!\n");
}

}  // namespace
}  // namespace gvx::testing
