// The standard PostScript fonts as hardware fonts: the metric tables against their
// generator, psfont's checks, measuring with the real widths, native text in the
// documents and the fall-back to the vector font.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "tests/formats/format_fixture.h"
#include "tests/support/png_decode.h"

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
    EXPECT_EQ(s().formats->hardware_font, 30);
    EXPECT_EQ(s().frame.warning_count, 0);
    g_.gvxalf();  // a vector font replaces it
    EXPECT_EQ(s().formats->hardware_font, -1);
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
    EXPECT_TRUE(s().formats->hardware_latin1);
    g_.psfont("Courier");
    const std::string bad = output_of([&] { g_.psfmod("EBCDIC", "ENCODING"); });
    EXPECT_NE(bad.find("Warning   2"), std::string::npos) << bad;
    EXPECT_TRUE(s().formats->hardware_latin1);
    g_.psfmod("ASCI", "ENCO");
    EXPECT_FALSE(s().formats->hardware_latin1);
    g_.gvxalf();  // the vector font brings back the default
    EXPECT_TRUE(s().formats->hardware_latin1);
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

TEST_F(HardwareFontTest, SlantedCharactersInPdfSvgAndIpe) {
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

    // IPE: the object's matrix shears and turns the label about its position, which
    // the matrix leaves in place; no rotatebox turns it a second time.
    bytes_.clear();
    open("IPE ");
    g_.psfont("Times-Roman");
    g_.chaang(45.0);
    g_.messag("A", 500, 500);
    g_.angle(90);
    g_.messag("B", 1000, 500);
    const std::string ipe = finish();
    EXPECT_EQ(ipe.find("rotatebox"), std::string::npos) << ipe;
    const std::vector<std::string> elements = split_lines(ipe);
    int labels = 0;
    for (std::size_t i = 0; i + 1 < elements.size(); ++i) {
        double x, y, m[6];
        if (std::sscanf(elements[i].c_str(), "<text pos=\"%lf %lf\"", &x, &y) != 2) continue;
        ASSERT_EQ(std::sscanf(elements[i + 1].c_str(),
                              " transformations=\"affine\" matrix=\"%lf %lf %lf %lf %lf %lf\"",
                              &m[0], &m[1], &m[2], &m[3], &m[4], &m[5]),
                  6)
            << elements[i + 1];
        // (u, v) goes to (u + v, v), turned by 0 and then by 90 degrees.
        const double expected[2][4] = {{1, 0, 1, 1}, {0, 1, -1, 1}};
        for (int k = 0; k < 4; ++k) EXPECT_NEAR(m[k], expected[labels][k], 1e-4) << ipe;
        EXPECT_NEAR(m[0] * x + m[2] * y + m[4], x, 0.01);
        EXPECT_NEAR(m[1] * x + m[3] * y + m[5], y, 0.01);
        ++labels;
    }
    EXPECT_EQ(labels, 2) << ipe;
}

TEST_F(HardwareFontTest, IpeRendersSlantedLabelsSlanted) {
    if (!tool_available("iperender") || !tool_available("pdflatex"))
        GTEST_SKIP() << "iperender (ipe) or pdflatex (texlive-latex-base) is not installed";
    // The document's preamble takes xcolor and the Times fonts.
    if (run_program("kpsewhich xcolor.sty").empty() || run_program("kpsewhich ptmr7t.tfm").empty())
        GTEST_SKIP() << "xcolor (texlive-latex-recommended) or the Times metrics "
                        "(texlive-fonts-recommended) are not installed";
    // The leaning of a tall "I": the mean column of its ink in the top rows less the
    // mean column in the bottom rows, in pixels.
    const auto lean = [&](double degrees) {
        bytes_.clear();
        open("IPE ");
        g_.psfont("Times-Roman");
        g_.height(400);
        g_.chaang(degrees);
        g_.messag("I", 1000, 800);
        const std::string ipe = finish();
        {
            std::ofstream file("lean.ipe", std::ios::binary);
            file << ipe;
        }
        int status = 0;
        const std::string log =
            // LaTeX runs in this test's folder, not in the one that every run shares.
            run_program("IPELATEXDIR=\"$PWD\" iperender -png -resolution 36 lean.ipe lean.png 2>&1",
                        &status, true);
        EXPECT_EQ(status, 0) << log;
        const DecodedPng png = decode_png(read_file("lean.png"));
        EXPECT_TRUE(png.ok) << png.error;
        std::vector<double> sum(png.height, 0.0), count(png.height, 0.0);
        int top = -1, bottom = -1;
        for (std::uint32_t y = 0; png.ok && y < png.height; ++y)
            for (std::uint32_t x = 0; x < png.width; ++x) {
                if (png.at(x, y, 0) + png.at(x, y, 1) + png.at(x, y, 2) > 3 * 96) continue;
                sum[y] += x;
                count[y] += 1;
                if (top < 0) top = static_cast<int>(y);
                bottom = static_cast<int>(y);
            }
        if (top < 0 || bottom - top < 8) return 0.0;
        const auto mean = [&](int from, int to) {
            double s = 0, n = 0;
            for (int y = from; y < to; ++y) s += sum[y], n += count[y];
            return n > 0 ? s / n : 0.0;
        };
        const int quarter = (bottom - top) / 4;
        return mean(top, top + quarter) - mean(bottom - quarter, bottom + 1);
    };
    const double upright = lean(0.0);
    const double slanted = lean(30.0);
    std::printf("lean of the upright I %.2f, of the slanted I %.2f pixels\n", upright, slanted);
    EXPECT_NEAR(upright, 0.0, 1.0);
    // 400 units of height at 36 pixels an inch are about 57 pixels; the middles of the
    // two quarters lie three quarters of the glyph apart: about tan(30) * 0.75 * 57.
    EXPECT_GT(slanted, 15.0);
    EXPECT_LT(slanted, 35.0);
}

}  // namespace
}  // namespace gvx::testing
