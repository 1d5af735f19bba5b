// Independent readers over the PostScript, EPS and PDF documents: Ghostscript
// interprets every page, qpdf checks the PDF structure, pdfinfo reports pages and
// paper, and Ghostscript's bounding-box device measures the EPS drawing. Each test is
// skipped where its tool is not installed; the files stay in test-output/formats.
#include <filesystem>

#include "tests/formats/format_fixture.h"

namespace gvx::testing {
namespace {

class DocumentReaderTest : public FormatTest {
  protected:
    // Writes a two-page scene (one page for EPS) to a file kept under kept_name.
    std::string write_document(const char* format, const char* kept_name) {
        s().files.open_sink = open_file_sink;
        open(format);
        draw_scene();
        DeviceCharacter c;
        c.height = 50;
        c.font = 30;
        c.x = 300;
        c.y = 300;
        for (const char* p = "Palatino (i) \\"; *p; ++p, c.x += 30) {
            c.code = static_cast<unsigned char>(*p);
            device_text_character(s(), c);
        }
        if (std::string(format) != "EPS ") {
            g_.newpag();
            g_.color("BLUE");
            move_to(s(), 100, 100);
            draw_to(s(), 2000, 1500);
        }
        g_.gvxfin();
        return keep_plot_file(kept_name);
    }
    static std::string ghostscript(const std::string& device, const std::string& file) {
        return "gs -dSAFER -dBATCH -dNOPAUSE -q -sDEVICE=" + device + " '" + file + "'";
    }
};

TEST_F(DocumentReaderTest, GhostscriptInterpretsEveryDocument) {
    if (!tool_available("gs")) GTEST_SKIP() << "gs (ghostscript) is not installed";
    const char* formats[][2] = {
        {"POST", "document.psc"}, {"PS  ", "document.ps"}, {"EPS ", "document.eps"}};
    for (const auto& format : formats) {
        SCOPED_TRACE(format[0]);
        bytes_.clear();
        const std::string file = write_document(format[0], format[1]);
        std::string log;
        EXPECT_EQ(run(ghostscript("nullpage", file), log), 0) << log;
        EXPECT_TRUE(log.empty()) << log;
    }
    for (const bool compressed : {true, false}) {
        g_.pdfmod(compressed ? "ON" : "OFF", "COMPRESSION");
        const std::string file =
            write_document("PDF ", compressed ? "document.pdf" : "document_plain.pdf");
        std::string log;
        EXPECT_EQ(run(ghostscript("nullpage", file), log), 0) << log;
        EXPECT_TRUE(log.empty()) << log;
    }
}

TEST_F(DocumentReaderTest, QpdfAndPdfinfoAcceptThePdf) {
    if (!tool_available("qpdf") || !tool_available("pdfinfo"))
        GTEST_SKIP() << "qpdf or pdfinfo (packages qpdf, poppler-utils) is not installed";
    const std::string file = write_document("PDF ", "document.pdf");
    std::string log;
    EXPECT_EQ(run("qpdf --check '" + file + "'", log), 0) << log;
    EXPECT_NE(log.find("No syntax or stream encoding errors found"), std::string::npos) << log;
    EXPECT_EQ(run("pdfinfo '" + file + "'", log), 0) << log;
    EXPECT_NE(log.find("Pages:           2\n"), std::string::npos) << log;
    EXPECT_NE(log.find("Page size:       841.89 x 595.28 pts (A4)"), std::string::npos) << log;
    EXPECT_NE(log.find("Producer:        Gravox 10.4\n"), std::string::npos) << log;

    // A turned US letter page (its extents are whole tenths of a millimetre).
    bytes_.clear();
    s().files.open_sink = open_file_sink;
    open("PDF ", [&] {
        g_.setpag("USAL");
        g_.pagmod("PORT");
    });
    g_.gvxfin();
    EXPECT_EQ(run("pdfinfo '" + std::string(s().files.plot_file_name) + "'", log), 0) << log;
    EXPECT_NE(log.find("Page size:       612.28 x 790.87 pts"), std::string::npos) << log;
}

TEST_F(DocumentReaderTest, GhostscriptBoundingBoxAgreesWithTheEpsHeader) {
    if (!tool_available("gs")) GTEST_SKIP() << "gs (ghostscript) is not installed";
    const std::string file = write_document("EPS ", "document.eps");
    std::string log;
    ASSERT_EQ(run(ghostscript("bbox", file), log), 0) << log;
    // The page border is drawn along the paper's edges, so the ink reaches the paper's
    // corners: the measured box is the declared one.
    const std::string eps = read_file(file);
    const std::size_t at = eps.find("%%BoundingBox: ");
    ASSERT_NE(at, std::string::npos);
    const std::string declared = eps.substr(at, eps.find('\n', at) - at);
    EXPECT_NE(log.find(declared + "\n"), std::string::npos) << declared << "\n" << log;
    double x1, y1, x2, y2, hx1, hy1, hx2, hy2;
    ASSERT_EQ(std::sscanf(log.c_str() + log.find("%%HiResBoundingBox:"),
                          "%%%%HiResBoundingBox: %lf %lf %lf %lf", &x1, &y1, &x2, &y2),
              4)
        << log;
    ASSERT_EQ(std::sscanf(eps.c_str() + eps.find("%%HiResBoundingBox:"),
                          "%%%%HiResBoundingBox: %lf %lf %lf %lf", &hx1, &hy1, &hx2, &hy2),
              4);
    // Within the half pen that the border's stroke reaches beyond the paper.
    EXPECT_NEAR(x1, hx1, 0.5);
    EXPECT_NEAR(y1, hy1, 0.5);
    EXPECT_NEAR(x2, hx2, 0.5);
    EXPECT_NEAR(y2, hy2, 0.5);
}

}  // namespace
}  // namespace gvx::testing
