// The standard PostScript fonts as hardware fonts: the metric tables against their
// generator, psfont's checks, measuring with the real widths, native text in the
// documents and the fall-back to the vector font.
#include <filesystem>

#include "tests/formats/format_fixture.h"

namespace gvx::testing {
namespace {

const char* const kAfmDir = "/usr/share/fonts/type1/urw-base35";

TEST(FontMetricsTable, CommittedTableIsWhatTheGeneratorMakes) {
    if (!std::filesystem::exists(std::string(kAfmDir) + "/NimbusSans-Regular.afm"))
        GTEST_SKIP() << "the AFM files (Debian package fonts-urw-base35) are not installed in "
                     << kAfmDir;
    const std::string tool = std::string(GRAVOX_BINARY_DIR) + "/afmgen";
    if (!std::filesystem::exists(tool)) GTEST_SKIP() << "the generator " << tool << " is not built";
    TempDir dir;
    const std::string made_path = dir.file("font_metrics_data.cpp");
    const std::string command = "\"" + tool + "\" " + kAfmDir + " \"" + made_path + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const std::string made = read_file(made_path);
    ASSERT_FALSE(made.empty());
    EXPECT_TRUE(made ==
                read_file(std::string(GRAVOX_SOURCE_DIR) + "/gravox/text/font_metrics_data.cpp"))
        << "run afmgen again and commit its output";
    // A missing file is an error, not a table of zeros.
    const std::string missing = "\"" + tool + "\" \"" + dir.path().string() + "\" \"" +
                                dir.file("x.cpp") + "\" 2>/dev/null";
    EXPECT_NE(std::system(missing.c_str()), 0);
}

class HardwareFontTest : public FormatTest {
  protected:
    // x positions of the characters shown with T in a PostScript document.
    static std::vector<double> shown_x(const std::string& ps) {
        std::vector<double> xs;
        for (const std::string& line : split_lines(ps)) {
            if (line.size() < 2 || line.compare(line.size() - 2, 2, " T") != 0) continue;
            double angle, x, y;
            const std::size_t close = line.rfind(") ");
            if (std::sscanf(line.c_str() + close + 2, "%lf %lf %lf", &angle, &x, &y) == 3)
                xs.push_back(x);
        }
        return xs;
    }
};

TEST_F(HardwareFontTest, PsfontChecksNameAndDevice) {
    open("PNG ");
    const int vector_length = g_.nlmess("Measured");
    const std::string printed = output_of([&] {
        g_.psfont("Helvetica");
        g_.psfont("Helvetica-Light");
    });
    EXPECT_NE(printed.find("Warning  49: Fileformat is not PostScript in psfont"),
              std::string::npos)
        << printed;
    EXPECT_NE(printed.find("Warning   2: Incorrect parameter in psfont!   (Helvetica-Light)"),
              std::string::npos)
        << printed;
    EXPECT_EQ(g_.nlmess("Measured"), vector_length);  // the vector font stays
    finish();

    bytes_.clear();
    open("SVG ");
    g_.psfont("palatino-roman");  // case is ignored
    EXPECT_EQ(s().formats.hardware_font, 30);
    EXPECT_EQ(s().frame.warning_count, 0);
    g_.gvxalf();  // a vector font replaces it
    EXPECT_EQ(s().formats.hardware_font, -1);
    finish();
}

TEST_F(HardwareFontTest, StringsAreMeasuredWithTheFontWidths) {
    open("PDF ");
    g_.height(36);
    g_.psfont("Courier");
    // Courier: every advance 600, capitals 563 high (its AFM): 10 * 600 * 36 / 563.
    EXPECT_EQ(g_.nlmess("MMMMMMMMMM"), 384);
    EXPECT_EQ(g_.nlmess("iiiiiiiiii"), 384);
    g_.psfont("Helvetica");
    // Helvetica: "i" 222, "M" 833, capitals 729.
    EXPECT_EQ(g_.nlmess("iiiiiiiiii"), 110);
    EXPECT_EQ(g_.nlmess("MMMMMMMMMM"), 411);
    finish();
}

TEST_F(HardwareFontTest, CharactersBecomeNativeTextAtTheirAdvances) {
    open("PS  ");
    g_.height(72);
    g_.psfont("Times-Roman");
    g_.messag("AVa(", 500, 500);
    const std::string ps = finish();
    EXPECT_NE(ps.find("/Times-Roman /Times-Roman-L1 RE\n"), std::string::npos);
    // Capitals as tall as the height: the size is 72 * 1000 / 662 (Times' capitals).
    EXPECT_NE(ps.find("/Times-Roman-L1 108.8 F\n"), std::string::npos) << ps;
    EXPECT_NE(ps.find("(\\() 0 "), std::string::npos);
    const std::vector<double> xs = shown_x(ps);
    ASSERT_EQ(xs.size(), 4u);
    EXPECT_DOUBLE_EQ(xs[0], 500);
    // A 722, V 722, a 444, in thousandths of the size; positions are written to 0.1.
    EXPECT_NEAR(xs[1] - xs[0], 722 * 72.0 / 662, 0.1);
    EXPECT_NEAR(xs[2] - xs[1], 722 * 72.0 / 662, 0.1);
    EXPECT_NEAR(xs[3] - xs[2], 444 * 72.0 / 662, 0.1);
    // No strokes were drawn for the text.
    EXPECT_EQ(count_of(ps, " l\n"), 0);
}

TEST_F(HardwareFontTest, CharactersTheFontCannotShowFallBackToTheVectorFont) {
    open("PDF ", [&] { g_.pdfmod("OFF", "COMPRESSION"); });
    g_.psfont("Helvetica");
    g_.messag("A", 100, 100);
    const std::string before = bytes_;
    g_.basalf("GREEK");  // another alphabet: strokes
    g_.messag("a", 100, 300);
    const std::string pdf = finish();
    EXPECT_EQ(count_of(pdf, " Tj\n"), 1);
    EXPECT_GT(count_of(pdf, " l\n"), 2);
    EXPECT_NE(pdf.find("/BaseFont /Helvetica /Encoding /WinAnsiEncoding"), std::string::npos);
}

TEST_F(HardwareFontTest, TurnedTextKeepsItsMatrixAndLegendsUseTheMetrics) {
    open("PDF ", [&] { g_.pdfmod("OFF", "COMPRESSION"); });
    g_.psfont("Helvetica-Bold");
    g_.angle(90);
    g_.messag("A", 1000, 1000);
    g_.angle(0);
    char buffer[64] = {};
    g_.legini(buffer, 1, 20);
    g_.leglin(buffer, "WWWWWWWW", 1);
    const int bold = g_.nxlegn(buffer);
    g_.psfont("Helvetica-Narrow");
    const int narrow = g_.nxlegn(buffer);
    const std::string pdf = finish();
    // Upright glyphs on a y-down page turned a quarter counter-clockwise.
    EXPECT_NE(pdf.find("0.0000 -1.0000 -1.0000 -0.0000 "), std::string::npos) << pdf;
    // W: 944 of capitals 729 in Helvetica-Bold, 774 of 718 in Helvetica-Narrow.
    EXPECT_NEAR(bold - narrow, 8 * (944.0 * 36 / 729 - 774.0 * 36 / 718), 1.5);
}

TEST_F(HardwareFontTest, Latin1CodesAreNativeTextUnlessPsfmodAsksForAscii) {
    open("PS  ");
    g_.psfont("Times-Roman");
    g_.messag("\xE9\xFF", 500, 500);  // e acute and y diaeresis (codes 233 and 255)
    g_.psfmod("ASCII", "ENCODING");
    g_.messag("\xE9", 500, 800);
    const std::string ps = finish();
    EXPECT_NE(ps.find("(\\351) 0 500 "), std::string::npos) << ps;
    EXPECT_NE(ps.find("(\\377) 0 "), std::string::npos);
    // Under ASCII the third character goes to the vector font, not shown as text.
    EXPECT_EQ(count_of(ps, " T\n"), 2);

    bytes_.clear();
    open("PDF ", [&] { g_.pdfmod("OFF", "COMPRESSION"); });
    g_.psfont("Helvetica");
    g_.messag("\xC4", 500, 500);
    const std::string pdf = finish();
    EXPECT_NE(pdf.find("(\\304) Tj"), std::string::npos);
}

TEST_F(HardwareFontTest, PsfmodNeedsAStandardFont) {
    open("PS  ");
    const std::string before = output_of([&] { g_.psfmod("ASCII", "ENCODING"); });
    EXPECT_NE(before.find("Warning  48: No call to psfont in psfmod"), std::string::npos) << before;
    EXPECT_TRUE(s().formats.hardware_latin1);
    g_.psfont("Courier");
    const std::string bad = output_of([&] { g_.psfmod("EBCDIC", "ENCODING"); });
    EXPECT_NE(bad.find("Warning   2"), std::string::npos) << bad;
    EXPECT_TRUE(s().formats.hardware_latin1);
    g_.psfmod("ASCI", "ENCO");
    EXPECT_FALSE(s().formats.hardware_latin1);
    g_.gvxalf();  // the vector font brings back the default
    EXPECT_TRUE(s().formats.hardware_latin1);
    finish();
}

TEST_F(HardwareFontTest, SlantAndFixedSpacingApplyToTheFontsText) {
    open("PS  ");
    g_.height(72);
    g_.psfont("Courier");
    g_.chaang(30.0);
    g_.messag("A", 500, 500);
    g_.chaang(0.0);
    g_.fixspc(1.0);
    g_.psfont("Helvetica");
    g_.messag("iW", 500, 800);
    const int fixed_length = g_.nlmess("iW");
    const std::string ps = finish();
    // The slant is tan(30 degrees), sheared by TS.
    EXPECT_NE(ps.find("(A) 0.5774 0 500 "), std::string::npos) << ps;
    // Fixed cells of 1.4 * (72 - 1) = 99.4: "i" (222 of 729) and "W" (944 of 729)
    // centred in their cells.
    const std::vector<double> xs = shown_x(ps);
    ASSERT_EQ(xs.size(), 2u);
    const double cell = 1.4 * 71.0;
    EXPECT_NEAR(xs[0], 500 + (cell - 222 * 72.0 / 729) / 2, 0.1);
    EXPECT_NEAR(xs[1], 500 + cell + (cell - 944 * 72.0 / 729) / 2, 0.1);
    EXPECT_NEAR(fixed_length, 2 * cell, 1.0);
}

TEST_F(HardwareFontTest, SlantedCharactersInPdfAndSvg) {
    open("PDF ", [&] { g_.pdfmod("OFF", "COMPRESSION"); });
    g_.psfont("Times-Roman");
    g_.chaang(45.0);
    g_.messag("A", 500, 500);
    const std::string pdf = finish();
    // (u, v) goes to (u + v, -v) on the page whose y points down.
    EXPECT_NE(pdf.find("1.0000 -0.0000 1.0000 -1.0000 500 "), std::string::npos) << pdf;

    bytes_.clear();
    open("SVG ");
    g_.psfont("Times-Roman");
    g_.chaang(45.0);
    g_.angle(90);
    g_.messag("A", 1000, 500);
    const std::string svg = finish();
    EXPECT_NE(svg.find(" rotate(-90) skewX(-45.00)\">A</text>"), std::string::npos) << svg;
}

}  // namespace
}  // namespace gvx::testing
