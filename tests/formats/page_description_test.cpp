// The PostScript, EPS and PDF devices: whole documents of a two-page scene, the
// cross-reference table, compressed streams, the memory buffer, pages, paper sizes,
// line attributes and the colour rules of the black-and-white and reversed devices.
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <sstream>
#include <vector>

#include "tests/formats/format_fixture.h"

namespace gvx::testing {
namespace {

class PageDescriptionTest : public FormatTest {
  protected:
    // The golden scene, dashes, vector and hardware text, and a second page.
    void draw_document_scene() {
        draw_scene();
        g_.color("FORE");
        g_.lintyp(2);
        offset_move_to(s(), 100, 1500);
        offset_draw_to(s(), 1200, 1500);
        flush_polyline(s());
        g_.lintyp(0);
        g_.lncap("ROUND");
        g_.lnjoin("SHARP");
        g_.lnmlt(3.5);
        g_.messag("Gravox (1)", 300, 300);
        DeviceCharacter c;
        c.height = 60;
        c.font = 5;
        c.x = 1500;
        c.y = 300;
        const char* text = "A(\\)";
        for (const char* p = text; *p; ++p, c.x += 40) {
            c.code = static_cast<unsigned char>(*p);
            device_text_character(s(), c);
        }
        c.code = 0xE9;  // e acute, beyond ASCII
        c.angle = 90;
        device_text_character(s(), c);
        g_.newpag();
        g_.color("RED");
        move_to(s(), 0, 0);
        draw_to(s(), 2969, 2099);
    }
    std::string document(const char* format) {
        open(format);
        draw_document_scene();
        return finish();
    }
};

// Object number to the offset where "n 0 obj" starts, from the table at startxref.
std::map<int, long long> cross_references(const std::string& pdf) {
    std::map<int, long long> table;
    const std::size_t start = pdf.rfind("startxref\n");
    if (start == std::string::npos) return table;
    const long long xref = std::atoll(pdf.c_str() + start + 10);
    int first = 0, count = 0;
    if (std::sscanf(pdf.c_str() + xref, "xref\n%d %d\n", &first, &count) != 2) return table;
    const std::size_t rows = pdf.find('\n', pdf.find('\n', xref) + 1) + 1;
    for (int i = 0; i < count; ++i) {
        const std::string row = pdf.substr(rows + 20 * i, 20);
        if (row.size() == 20 && row[17] == 'n') table[first + i] = std::atoll(row.c_str());
    }
    return table;
}

// The content streams of a document, inflated when they are compressed.
std::vector<std::string> content_streams(const std::string& pdf) {
    std::vector<std::string> out;
    std::size_t at = 0;
    while ((at = pdf.find("stream\n", at)) != std::string::npos) {
        if (at >= 3 && pdf.compare(at - 3, 3, "end") == 0) {
            at += 7;
            continue;
        }
        const std::size_t begin = at + 7;
        const std::size_t end = pdf.find("\nendstream", begin);
        std::string data = pdf.substr(begin, end - begin);
        const std::size_t dict = pdf.rfind("<<", at);
        if (pdf.substr(dict, at - dict).find("/FlateDecode") != std::string::npos) {
            std::string plain(data.size() * 40 + 1024, '\0');
            uLongf size = plain.size();
            EXPECT_EQ(uncompress(reinterpret_cast<Bytef*>(plain.data()), &size,
                                 reinterpret_cast<const Bytef*>(data.data()), data.size()),
                      Z_OK);
            plain.resize(size);
            data = plain;
        }
        out.push_back(data);
        at = end;
    }
    return out;
}

TEST_F(PageDescriptionTest, ScenesMatchGoldenFiles) {
    expect_golden(document("PS  "), "scene.ps");
    EXPECT_EQ(opened_name_, "gravox.ps");
    bytes_.clear();
    expect_golden(document("EPS "), "scene.eps");
    EXPECT_EQ(opened_name_, "gravox.eps");
    bytes_.clear();
    g_.pdfmod("OFF", "COMPRESSION");
    expect_golden(document("PDF "), "scene.pdf");
    EXPECT_EQ(opened_name_, "gravox.pdf");
    EXPECT_EQ(opened_mode_, "wb");
}

TEST_F(PageDescriptionTest, PostScriptIsStructuredByPages) {
    const std::string ps = document("PSCL");
    EXPECT_EQ(ps.rfind("%!PS-Adobe-3.0\n%%BoundingBox: 0 0 842 596\n", 0), 0u);
    EXPECT_NE(ps.find("%%HiResBoundingBox: 0 0 841.89 595.28\n"), std::string::npos);
    EXPECT_NE(ps.find("%%CreationDate: 07.12.2026 09:05:03\n"), std::string::npos);
    EXPECT_NE(ps.find("<< /PageSize [841.89 595.28] >> setpagedevice\n"), std::string::npos);
    EXPECT_EQ(count_of(ps, "%%Page: "), 2);
    EXPECT_NE(ps.find("%%Page: 2 2\n"), std::string::npos);
    EXPECT_EQ(count_of(ps, "showpage\n"), 2);
    const std::string end = "%%Trailer\n%%Pages: 2\n%%EOF\n";
    EXPECT_EQ(ps.substr(ps.size() - end.size()), end);
    // Every save of a page is restored.
    EXPECT_EQ(count_of(ps, "\nsave\n"), count_of(ps, "\nrestore\n"));

    // The encapsulated page has no page device and one page: newpag is refused.
    bytes_.clear();
    std::string eps;
    const std::string printed = output_of([&] { eps = document("EPS "); });
    EXPECT_NE(printed.find("Warning 311: newpag is not available on this device in newpag"),
              std::string::npos)
        << printed;
    EXPECT_EQ(eps.rfind("%!PS-Adobe-3.0 EPSF-3.0\n", 0), 0u);
    EXPECT_EQ(eps.find("setpagedevice"), std::string::npos);
    EXPECT_NE(eps.find("%%Pages: 1\n"), std::string::npos);
    EXPECT_EQ(count_of(eps, "showpage\n"), 1);
}

TEST_F(PageDescriptionTest, NewpagIsRefusedOnDevicesOfOnePicture) {
    open("SVG ");
    const std::string printed = output_of([&] { g_.newpag(); });
    EXPECT_NE(printed.find("Warning 311"), std::string::npos) << printed;
    EXPECT_EQ(s().frame.warning_count, 1);
    finish();
    g_.newpag();  // no plot: refused by its level
    EXPECT_EQ(s().frame.level, 0);
}

TEST_F(PageDescriptionTest, PdfCrossReferencePointsAtEveryObject) {
    for (const bool compressed : {true, false}) {
        SCOPED_TRACE(compressed);
        bytes_.clear();
        g_.pdfmod(compressed ? "ON" : "OFF", "COMPRESSION");
        const std::string pdf = document("PDF ");
        ASSERT_EQ(pdf.rfind("%PDF-1.4\n", 0), 0u);
        const auto table = cross_references(pdf);
        // Catalog, pages, info, resources, two pages of three objects, one font.
        ASSERT_EQ(table.size(), 11u);
        for (const auto& [number, offset] : table) {
            const std::string head = std::to_string(number) + " 0 obj\n";
            EXPECT_EQ(pdf.compare(offset, head.size(), head), 0) << number;
        }
        EXPECT_NE(pdf.find("/Type /Pages /Kids [5 0 R 8 0 R] /Count 2"), std::string::npos);
        EXPECT_NE(pdf.find("/MediaBox [0 0 841.89 595.28]"), std::string::npos);
        EXPECT_NE(pdf.find("/Producer (Gravox 10.4)"), std::string::npos);
        EXPECT_NE(pdf.find("/CreationDate (D:20261207090503)"), std::string::npos);
        EXPECT_NE(pdf.find("/F5 11 0 R"), std::string::npos);
        EXPECT_NE(pdf.find("/BaseFont /Helvetica-Bold /Encoding /WinAnsiEncoding"),
                  std::string::npos);
        EXPECT_EQ(pdf.find("/FlateDecode") != std::string::npos, compressed);
        // Each stream's length object holds its exact byte count.
        for (int page = 0; page < 2; ++page) {
            const long long stream = table.at(6 + 3 * page);
            const std::size_t begin = pdf.find("stream\n", stream) + 7;
            const std::size_t end = pdf.find("\nendstream", begin);
            const std::string length = pdf.substr(table.at(7 + 3 * page));
            EXPECT_EQ(std::atoll(length.c_str() + length.find('\n') + 1),
                      static_cast<long long>(end - begin));
        }
    }
}

TEST_F(PageDescriptionTest, CompressedContentInflatesToThePlainContent) {
    g_.pdfmod("OFF", "COMPRESSION");
    const std::string plain = document("PDF ");
    bytes_.clear();
    g_.pdfmod("ON", "COMPRESSION");
    const std::string packed = document("PDF ");
    EXPECT_LT(packed.size(), plain.size());
    const auto a = content_streams(plain), b = content_streams(packed);
    ASSERT_EQ(a.size(), 2u);
    EXPECT_EQ(a, b);
    // The page body is the one of the PostScript page: the same operators and points.
    EXPECT_NE(a[0].find("0.283465 0 0 -0.283465 0 595.275591 cm\n"), std::string::npos);
    EXPECT_NE(a[1].find("1 0 0 RG\n1 0 0 rg\n"), std::string::npos);
    EXPECT_NE(a[1].find("0 0 m\n2969 2099 l\nS\n"), std::string::npos);
}

TEST_F(PageDescriptionTest, BufferModeKeepsTheDocumentForPdfbuf) {
    const std::string in_file = document("PDF ");
    bytes_.clear();
    opened_name_.clear();
    g_.pdfmod("ON", "BUFFER");
    open("PDF ");
    draw_document_scene();
    const std::string printed = output_of([&] { g_.gvxfin(); });
    EXPECT_TRUE(opened_name_.empty()) << "buffer mode opened " << opened_name_;
    EXPECT_NE(printed.find("Metafile:  "), std::string::npos) << printed;

    const int count = g_.pdfbuf(nullptr, 0);
    EXPECT_EQ(count, static_cast<int>(in_file.size()));
    std::string copy(count + 10, '#');
    EXPECT_EQ(g_.pdfbuf(copy.data(), count + 10), count);
    EXPECT_EQ(copy.substr(0, count), in_file);
    EXPECT_EQ(copy.substr(count), std::string(10, '#'));

    // A buffer too small gets nothing; bad arguments are refused.
    std::string small(100, '#');
    const std::string warned = output_of([&] {
        EXPECT_EQ(g_.pdfbuf(small.data(), 100), 0);
        EXPECT_EQ(g_.pdfbuf(nullptr, 5), 0);
        EXPECT_EQ(g_.pdfbuf(small.data(), -1), 0);
    });
    EXPECT_EQ(small, std::string(100, '#'));
    EXPECT_NE(warned.find("Warning 312: Buffer too small for the PDF document in pdfbuf"),
              std::string::npos)
        << warned;
    EXPECT_EQ(count_of(warned, "Warning   2"), 2) << warned;
}

TEST_F(PageDescriptionTest, PaperFollowsPageOrientationAndScaleMode) {
    struct Case {
        const char* page;
        const char* orientation;
        const char* scale;
        double factor;
        const char* box;
    };
    const Case cases[] = {
        {"DA4L", "LAND", "DOWN", 1.0, "%%BoundingBox: 0 0 842 596\n"},
        {"DA4L", "PORT", "DOWN", 1.0, "%%BoundingBox: 0 0 596 842\n"},
        {"DA4P", "LAND", "DOWN", 1.0, "%%BoundingBox: 0 0 596 842\n"},
        {"DA0L", "LAND", "FULL", 1.0, "%%BoundingBox: 0 0 3371 2384\n"},
        {"DA0L", "LAND", "DOWN", 1.0, "%%BoundingBox: 0 0 842 596\n"},
        {"DA4L", "LAND", "DOWN", 0.5, "%%BoundingBox: 0 0 421 298\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.page) + " " + c.orientation + " " + c.scale);
        bytes_.clear();
        open("EPS ", [&] {
            g_.setpag(c.page);
            g_.pagmod(c.orientation);
            g_.sclfac(c.factor);
            g_.sclmod(c.scale);
        });
        // The far corner of the page lands on the far corner of the paper.
        move_to(s(), 0, 0);
        draw_to(s(), s().page.width + 1, s().page.height + 1);
        const std::string eps = finish();
        EXPECT_NE(eps.find(c.box), std::string::npos) << eps.substr(0, 200);
    }
}

TEST_F(PageDescriptionTest, LineAttributesAreWrittenWhenTheyChange) {
    open("PS  ");
    move_to(s(), 10, 10);
    draw_to(s(), 20, 10);
    g_.linwid(12);
    g_.lncap("CUT");
    g_.lnjoin("ROUND");
    g_.lnmlt(4);
    move_to(s(), 30, 10);
    draw_to(s(), 40, 10.25);
    draw_to(s(), 50, 10.26);
    const std::string ps = finish();
    // Defaults first (the thinnest pen, long caps, truncated joins), then the new ones.
    EXPECT_NE(ps.find("2.5 w\n2 J\n2 j\n2.000 M\n10 10 m\n20 10 l\nS\n12 w\n0 J\n1 j\n4.000 M\n"
                      "30 10 m\n40 10.3 l\n50 10.3 l\nS\n"),
              std::string::npos)
        << ps;
}

TEST_F(PageDescriptionTest, LongLinesAreStrokedInPathsThatShareTheirEnds) {
    open("PS  ");
    move_to(s(), 0, 0);
    for (int i = 1; i <= 2500; ++i) draw_to(s(), i % 2000, i / 2);
    const std::string ps = finish();
    EXPECT_EQ(count_of(ps, " l\n"), 2500);
    EXPECT_EQ(count_of(ps, "S\n"), 3);
    // The second path starts where the first ended.
    EXPECT_NE(ps.find("999 499 l\nS\n999 499 m\n"), std::string::npos);
}

TEST_F(PageDescriptionTest, PathsKeepOnlyThePointsThatShow) {
    open("PS  ");
    // A curve through the primitives' polyline: a repeated point (as written), a point
    // on a straight run, corners, and a turn back along the same line, which shows.
    offset_move_to(s(), 100, 100);
    const double curve[][2] = {{100.02, 100}, {100.5, 100}, {101, 100},   {101, 100.04},
                               {101, 101},    {100.5, 101}, {101.5, 101}, {101.5, 101}};
    for (const auto& p : curve) offset_draw_to(s(), p[0], p[1]);
    flush_polyline(s());
    // A line to the point itself is a dot under round caps: kept.
    move_to(s(), 50, 50);
    draw_to(s(), 50.01, 50.02);
    // A straight run held back is written before a move and before the stroke that a
    // colour brings.
    move_to(s(), 10, 10);
    draw_to(s(), 15, 10);
    draw_to(s(), 20, 10);
    move_to(s(), 30, 10);
    draw_to(s(), 35, 10);
    draw_to(s(), 40, 10);
    g_.color("RED");
    draw_to(s(), 50, 10);
    draw_to(s(), 60, 10);
    const std::string ps = finish();
    // The first line, to the point itself as written, stays as the dot of a subpath
    // without a line.
    EXPECT_NE(ps.find("2.000 M\n100 100 m\n100 100 l\n101 100 l\n101 101 l\n100.5 101 l\n"
                      "101.5 101 l\n50 50 m\n50 50 l\n10 10 m\n20 10 l\n30 10 m\n40 10 l\nS\n"
                      "1 0 0 RG\n50 10 m\n60 10 l\nS\n"),
              std::string::npos)
        << ps;
}

TEST_F(PageDescriptionTest, CoordinatesRoundHalfAwayFromZero) {
    // Values near halves of a tenth, far ones and ones that are no numbers, each as the
    // x of a move; the y alternates so that every move is written.
    std::vector<double> values = {0.05,
                                  -0.05,
                                  0.15,
                                  -0.15,
                                  0.25,
                                  2.45,
                                  -2.45,
                                  1e-17,
                                  -1e-17,
                                  0.049999999999999996,
                                  4503599627370.45,
                                  1e15,
                                  1e20,
                                  -1e20,
                                  std::nan(""),
                                  HUGE_VAL};
    for (int k = -2000; k <= 2000; ++k) values.push_back(k * 0.05);
    std::uint64_t seed = 12345;
    for (int k = 0; k < 2000; ++k) {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        values.push_back(static_cast<double>(seed >> 11) / 9007199254740992.0 * 4000.0 - 2000.0);
    }
    open("PS  ");
    // Straight to the device: the primitives would clip the far values.
    for (std::size_t i = 0; i < values.size(); ++i) s().device->move(values[i], i % 2 ? 8 : 7);
    const std::string ps = finish();
    std::size_t at = ps.find("2.000 M\n");
    ASSERT_NE(at, std::string::npos);
    std::istringstream lines(ps.substr(at + 8));
    for (double v : values) {
        // The C library's rounding and printing, as the reference.
        const double clamped = std::isfinite(v) ? std::clamp(v, -1e15, 1e15) : 0.0;
        char expected[64];
        std::snprintf(expected, sizeof expected, "%.1f", std::round(clamped * 10.0) / 10.0);
        std::string text = expected;
        if (text.size() > 2 && text.compare(text.size() - 2, 2, ".0") == 0)
            text.resize(text.size() - 2);
        if (text == "-0") text = "0";
        std::string x, y, op;
        ASSERT_TRUE(lines >> x) << v;
        if (x == "S") lines >> x;  // a path ends after a thousand points
        ASSERT_TRUE(lines >> y >> op) << v;
        EXPECT_EQ(x, text) << v;
        EXPECT_EQ(op, "m");
    }
}

TEST_F(PageDescriptionTest, ColoursFollowTheDeviceAndScreenMode) {
    // The black-and-white device writes grey levels on white paper.
    const std::string post = document("POST");
    EXPECT_EQ(post.find(" RG\n"), std::string::npos);
    EXPECT_GT(count_of(post, " G\n"), 2);
    EXPECT_EQ(post.find("0 0 2970 2100 re f"), std::string::npos);
    // PSCL is not reversed by AUTO: a black page with white ink.
    bytes_.clear();
    open("PSCL");
    g_.color("WHITE");
    move_to(s(), 0, 0);
    draw_to(s(), 10, 10);
    const std::string pscl = finish();
    EXPECT_NE(pscl.find("q\n0 0 0 rg\n0 0 2970 2100 re f\nQ\n"), std::string::npos);
    EXPECT_NE(pscl.find("1 1 1 RG\n"), std::string::npos);
    // PS is reversed by AUTO: white paper, black ink; erase paints the background.
    bytes_.clear();
    open("PS  ");
    g_.color("WHITE");
    g_.erase();
    move_to(s(), 0, 0);
    draw_to(s(), 10, 10);
    const std::string ps = finish();
    EXPECT_EQ(ps.find("0 0 0 rg\n0 0 2970 2100 re f"), std::string::npos);
    EXPECT_NE(ps.find("q\n1 1 1 rg\n0 0 2970 2100 re f\nQ\n"), std::string::npos);
    EXPECT_NE(ps.find("0 0 0 RG\n"), std::string::npos);
}

}  // namespace
}  // namespace gvx::testing
