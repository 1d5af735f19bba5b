// The example programs of examples/, each run in a fresh folder: they finish without
// warnings and write exactly the files they promise, which independent readers
// accept (libpng and pngcheck, xmllint, netpbm, hp2xx, javac, Ghostscript, qpdf,
// pdfinfo, wmf2svg and gvxconv; a reader that is not installed skips its check with a
// message).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/support/png_decode.h"
#include "tests/support/temp_dir.h"

namespace gvx::testing {
namespace {

namespace fs = std::filesystem;
using Rgb = std::array<std::uint8_t, 3>;

int run(const std::string& command, std::string* log = nullptr) {
    const int status = std::system(("(" + command + ") > reader.log 2>&1").c_str());
    if (log) *log = read_file("reader.log");
    fs::remove("reader.log");
    return status;
}

bool tool_available(const char* name) {
    return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

// The pixels of a decoded PNG as colours, palette indices looked up.
std::vector<Rgb> colours_of(const DecodedPng& png) {
    std::vector<Rgb> rgb;
    rgb.reserve(std::size_t{png.width} * png.height);
    for (std::size_t y = 0; y < png.height; ++y)
        for (std::size_t x = 0; x < png.width; ++x)
            if (png.colour_type == 3)
                rgb.push_back(png.palette.at(png.at(x, y)));
            else
                rgb.push_back({png.at(x, y, 0), png.at(x, y, 1), png.at(x, y, 2)});
    return rgb;
}

// The RGB pixels of a binary PPM (P6, maximum 255); empty when it is not one.
std::vector<Rgb> colours_of_ppm(const std::string& bytes, int* width, int* height) {
    int maxval = 0, consumed = 0;
    if (std::sscanf(bytes.c_str(), "P6 %d %d %d%n", width, height, &maxval, &consumed) != 3 ||
        maxval != 255 || *width <= 0 || *height <= 0)
        return {};
    const std::size_t start = static_cast<std::size_t>(consumed) + 1;  // one blank
    const std::size_t n = std::size_t(*width) * std::size_t(*height);
    if (bytes.size() < start + 3 * n) return {};
    std::vector<Rgb> rgb(n);
    for (std::size_t i = 0; i < n; ++i)
        for (int c = 0; c < 3; ++c) rgb[i][c] = static_cast<std::uint8_t>(bytes[start + 3 * i + c]);
    return rgb;
}

class ExampleRun : public ::testing::Test {
  protected:
    ExampleRun() : cwd_(dir_.path()) {}

    // Runs an example in the test's folder; its standard output.
    std::string run_example(const char* name) {
        const fs::path program = fs::path(GRAVOX_BINARY_DIR) / "examples" / name;
        if (!fs::exists(program)) {
            ADD_FAILURE() << program << " was not built (configure with -DGRAVOX_EXAMPLES=ON)";
            return {};
        }
        std::string log;
        EXPECT_EQ(run("'" + program.string() + "'", &log), 0) << log;
        return log;
    }
    std::set<std::string> files_written() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_.path()))
            names.insert(entry.path().filename().string());
        return names;
    }
    DecodedPng decoded(const std::string& name) {
        DecodedPng png = decode_png(read_file(name));
        EXPECT_TRUE(png.ok) << name << ": " << png.error;
        return png;
    }
    void expect_pngcheck(const std::string& name) {
        if (!tool_available("pngcheck")) return;  // libpng has read the file already
        std::string log;
        EXPECT_EQ(run("pngcheck -q '" + name + "'", &log), 0) << log;
    }

    TempDir dir_;
    WorkingDir cwd_;
};

struct PictureExample {
    const char* name;
    std::vector<Rgb> colours;  // colours its curves or texts are drawn in
};

void PrintTo(const PictureExample& example, std::ostream* out) {
    *out << example.name;
}

class PictureExamples : public ExampleRun, public ::testing::WithParamInterface<PictureExample> {};

constexpr Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255}, kRed{255, 0, 0}, kBlue{0, 0, 255};

TEST_P(PictureExamples, WriteOneReadablePngWithTheirColours) {
    const PictureExample& example = GetParam();
    const std::string output = run_example(example.name);
    EXPECT_NE(output.find("Warnings: 0"), std::string::npos) << output;
    const std::string file = std::string(example.name) + ".png";
    EXPECT_EQ(files_written(), std::set<std::string>{file});
    const DecodedPng png = decoded(file);
    ASSERT_TRUE(png.ok);
    EXPECT_EQ(png.width, 853u);
    EXPECT_EQ(png.height, 603u);
    expect_pngcheck(file);
    // A white page with black axes and text, and the colours the example chose.
    const std::vector<Rgb> pixels = colours_of(png);
    std::map<Rgb, std::size_t> counts;
    for (const Rgb& pixel : pixels) ++counts[pixel];
    const auto most = std::max_element(counts.begin(), counts.end(),
                                       [](auto& a, auto& b) { return a.second < b.second; });
    EXPECT_EQ(most->first, kWhite);
    EXPECT_TRUE(counts.count(kBlack));
    for (const Rgb& colour : example.colours)
        EXPECT_TRUE(counts.count(colour))
            << int(colour[0]) << "," << int(colour[1]) << "," << int(colour[2]);
}

// The gallery shows each example's current code beside the picture it draws now
// (regenerated by tools/gallery.py).
TEST_P(PictureExamples, GalleryShowsTheirCodeAndPicture) {
    const PictureExample& example = GetParam();
    const fs::path source = fs::path(GRAVOX_SOURCE_DIR) / "examples" / example.name;
    const std::string gallery = read_file(std::string(GRAVOX_SOURCE_DIR) + "/docs/gallery.md");
    const std::string code = read_file(source.string() + ".cpp");
    ASSERT_FALSE(code.empty());
    EXPECT_NE(gallery.find(code.substr(0, code.find_last_not_of('\n') + 1)), std::string::npos)
        << "docs/gallery.md does not show the current " << example.name << ".cpp";
    run_example(example.name);
    const DecodedPng drawn = decoded(std::string(example.name) + ".png");
    const DecodedPng shown =
        decoded(std::string(GRAVOX_SOURCE_DIR) + "/docs/gallery/" + example.name + ".png");
    ASSERT_TRUE(drawn.ok && shown.ok);
    EXPECT_TRUE(colours_of(drawn) == colours_of(shown))
        << "docs/gallery/" << example.name << ".png is not the example's picture";
}

INSTANTIATE_TEST_SUITE_P(Examples, PictureExamples,
                         ::testing::Values(PictureExample{"line_plot", {kRed, kBlue}},
                                           PictureExample{"log_axes", {kRed}},
                                           PictureExample{"date_axis", {kBlue}},
                                           PictureExample{"two_systems", {kRed, kBlue}},
                                           PictureExample{"legend_corners", {kRed}},
                                           PictureExample{"text_formulas", {kBlue}}),
                         [](const auto& info) { return std::string(info.param.name); });

class AllFormats : public ExampleRun {
  protected:
    void SetUp() override {
        const std::string output = run_example("all_formats");
        // One closing protocol per format, none with a warning.
        EXPECT_EQ(count(output, "END OF GRAVOX"), 16) << output;
        EXPECT_EQ(count(output, "Warnings: 0"), 16) << output;
    }
    static int count(const std::string& text, const std::string& what) {
        int n = 0;
        for (std::size_t at = text.find(what); at != std::string::npos;
             at = text.find(what, at + 1))
            ++n;
        return n;
    }
};

TEST_F(AllFormats, WritesTheSixteenFilesItNames) {
    const std::set<std::string> expected{
        "all_formats.png", "all_formats.gif",  "all_formats.bmp", "all_formats.ppm",
        "all_formats.tif", "all_formats.img",  "all_formats.svg", "all_formats.ipe",
        "all_formats.hpg", "all_formats.java", "all_formats.ps",  "all_formats.eps",
        "all_formats.pdf", "all_formats.met",  "all_formats.cgm", "all_formats.wmf"};
    EXPECT_EQ(files_written(), expected);
    for (const std::string& name : expected) EXPECT_GT(fs::file_size(name), 1000u) << name;
}

TEST_F(AllFormats, PpmShowsTheSamePictureAsThePng) {
    const DecodedPng png = decoded("all_formats.png");
    ASSERT_TRUE(png.ok);
    expect_pngcheck("all_formats.png");
    int width = 0, height = 0;
    EXPECT_TRUE(colours_of_ppm(read_file("all_formats.ppm"), &width, &height) == colours_of(png));
    EXPECT_EQ(width, 853);
    EXPECT_EQ(height, 603);
}

TEST_F(AllFormats, GifBmpAndTiffShowTheSamePictureAsThePng) {
    const DecodedPng png = decoded("all_formats.png");
    ASSERT_TRUE(png.ok);
    const std::vector<Rgb> expected = colours_of(png);
    int width = 0, height = 0;
    struct Converter {
        const char* file;
        const char* program;
    };
    int checked = 0;
    for (const Converter& c :
         {Converter{"all_formats.gif", "giftopnm"}, Converter{"all_formats.bmp", "bmptopnm"},
          Converter{"all_formats.tif", "tifftopnm"}}) {
        if (!tool_available(c.program)) continue;
        std::string log;
        ASSERT_EQ(run(std::string(c.program) + " " + c.file + " > converted.ppm", &log), 0) << log;
        EXPECT_TRUE(colours_of_ppm(read_file("converted.ppm"), &width, &height) == expected)
            << c.file;
        fs::remove("converted.ppm");
        ++checked;
    }
    if (checked == 0) GTEST_SKIP() << "netpbm is not installed: GIF, BMP and TIFF not decoded";
}

TEST_F(AllFormats, VectorFilesAreAcceptedByTheirReaders) {
    struct Reader {
        const char* program;
        std::string command;
    };
    std::string missing;
    const std::string gs = "gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=nullpage ";
    for (const Reader& r :
         {Reader{"xmllint", "xmllint --noout --nonet all_formats.svg"},
          Reader{"xmllint", "xmllint --noout --nonet all_formats.ipe"},
          Reader{"hp2xx", "hp2xx -q -m eps -f hpgl.eps all_formats.hpg"},
          Reader{"javac", "javac -nowarn -d classes all_formats.java"},
          Reader{"gs", gs + "all_formats.ps"}, Reader{"gs", gs + "-dEPSCrop all_formats.eps"},
          Reader{"gs", gs + "all_formats.pdf"}, Reader{"qpdf", "qpdf --check all_formats.pdf"},
          Reader{"wmf2svg", "wmf2svg -o wmf.svg all_formats.wmf"}}) {
        if (!tool_available(r.program)) {
            missing += std::string(missing.empty() ? "" : ", ") + r.program;
            continue;
        }
        std::string log;
        EXPECT_EQ(run(r.command, &log), 0) << r.command << "\n" << log;
    }
    if (!missing.empty()) GTEST_SKIP() << "not installed, so not checked: " << missing;
}

TEST_F(AllFormats, MetafileReplaysAsThePngAndCgmIsComplete) {
    // gvxconv turns the library's own metafile into the same picture as the PNG.
    const fs::path converter = fs::path(GRAVOX_BINARY_DIR) / "gvxconv";
    if (!fs::exists(converter)) GTEST_SKIP() << converter << " is not built";
    std::string log;
    ASSERT_EQ(run("'" + converter.string() + "' all_formats.met PNG -o replayed.png", &log), 0)
        << log;
    const DecodedPng png = decoded("all_formats.png"), replayed = decoded("replayed.png");
    ASSERT_TRUE(png.ok && replayed.ok);
    EXPECT_TRUE(colours_of(png) == colours_of(replayed));
    // The clear-text CGM holds one complete metafile with one picture.
    const std::string cgm = read_file("all_formats.cgm");
    EXPECT_EQ(cgm.rfind("BEGMF", 0), 0u) << cgm.substr(0, 80);
    EXPECT_EQ(count(cgm, "BEGPIC \""), 1);
    EXPECT_NE(cgm.find("ENDMF;"), std::string::npos);
}

// The PDF made in memory arrives on standard output whole: readers accept it and it
// has as many bytes as pdfbuf reported.
TEST_F(ExampleRun, PdfMemoryServesTheDocumentWithoutAFile) {
    const fs::path program = fs::path(GRAVOX_BINARY_DIR) / "examples" / "pdf_memory";
    ASSERT_TRUE(fs::exists(program)) << program << " was not built";
    std::string log;
    ASSERT_EQ(run("'" + program.string() + "' > served.pdf", &log), 0) << log;
    EXPECT_EQ(files_written(), std::set<std::string>{"served.pdf"});  // only the shell's
    int size = -1;
    ASSERT_EQ(std::sscanf(log.c_str(), "pdfbuf: %d bytes", &size), 1) << log;
    EXPECT_EQ(fs::file_size("served.pdf"), static_cast<std::uintmax_t>(size));
    const std::string pdf = read_file("served.pdf");
    EXPECT_EQ(pdf.rfind("%PDF-1.4\n", 0), 0u);
    EXPECT_NE(pdf.find("%%EOF\n", pdf.size() - 6), std::string::npos);
    std::string missing;
    for (const char* reader : {"qpdf", "pdfinfo", "gs"})
        if (!tool_available(reader)) missing += std::string(missing.empty() ? "" : ", ") + reader;
    if (tool_available("qpdf")) {
        EXPECT_EQ(run("qpdf --check served.pdf", &log), 0) << log;
    }
    if (tool_available("pdfinfo")) {
        ASSERT_EQ(run("pdfinfo served.pdf", &log), 0) << log;
        int pages = 0;
        const std::size_t at = log.find("Pages:");
        ASSERT_NE(at, std::string::npos) << log;
        EXPECT_EQ(std::sscanf(log.c_str() + at, "Pages: %d", &pages), 1);
        EXPECT_EQ(pages, 1);
    }
    if (tool_available("gs")) {
        EXPECT_EQ(run("gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=nullpage served.pdf", &log), 0)
            << log;
    }
    if (!missing.empty()) GTEST_SKIP() << "not installed, so not checked: " << missing;
}

TEST_F(ExampleRun, MemoryImageWritesNoFileAndReportsPositions) {
    const std::string output = run_example("memory_image");
    EXPECT_NE(output.find("Warnings: 0"), std::string::npos) << output;
    EXPECT_TRUE(files_written().empty());
    int x = -1, y = -1, width = -1;
    const std::size_t at = output.find("plot position (");
    ASSERT_NE(at, std::string::npos) << output;
    ASSERT_EQ(std::sscanf(output.c_str() + at, "plot position (%d, %d)", &x, &y), 2);
    // (3, 5) lies inside the axis system, right of its middle and in its upper part.
    EXPECT_GT(x, 1485);
    EXPECT_LT(x, 2970);
    EXPECT_GT(y, 0);
    EXPECT_LT(y, 1050);
    const std::size_t wide = output.find("\" is ");
    ASSERT_NE(wide, std::string::npos);
    ASSERT_EQ(std::sscanf(output.c_str() + wide, "\" is %d plot units wide", &width), 1);
    EXPECT_GT(width, 0);
}

}  // namespace
}  // namespace gvx::testing
