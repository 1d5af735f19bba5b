// Independent readers over the files of the vector formats: xmllint parses the SVG and
// IPE documents, hp2xx interprets the HPGL commands and ipetoipe loads the IPE drawing.
// Each test is skipped where its tool is not installed; the files stay in
// test-output/formats of the build folder.
#include <filesystem>

#include "tests/formats/format_fixture.h"

namespace gvx::testing {
namespace {

class ReaderTest : public FormatTest {
  protected:
    // Writes the scene in a format to a real file and keeps a copy; returns its path.
    std::string write_scene(const char* format, const char* kept_name) {
        s().files.open_sink = open_file_sink;
        open(format);
        draw_scene();
        g_.gvxfin();
        return keep_plot_file(kept_name);
    }
};

TEST_F(ReaderTest, XmllintParsesSvgAndIpeDocuments) {
    if (!tool_available("xmllint")) GTEST_SKIP() << "xmllint (libxml2-utils) is not installed";
    std::string log;
    const std::string svg = write_scene("SVG ", "scene.svg");
    EXPECT_EQ(run("xmllint --noout --nonet '" + svg + "'", log), 0) << log;
    const std::string ipe = write_scene("IPE ", "scene.ipe");
    EXPECT_EQ(run("xmllint --noout --nonet '" + ipe + "'", log), 0) << log;
}

TEST_F(ReaderTest, TextElementsKeepTheDocumentsWellFormed) {
    if (!tool_available("xmllint")) GTEST_SKIP() << "xmllint (libxml2-utils) is not installed";
    const char* formats[] = {"SVG ", "IPE "};
    for (const char* format : formats) {
        bytes_.clear();
        open(format);
        DeviceCharacter c;
        c.height = 40;
        for (int code = 0; code < 256; ++code) {
            c.code = code;
            c.x = 100 + (code % 16) * 150;
            c.y = 100 + (code / 16) * 120;
            c.angle = code % 4 * 90;
            device_text_character(s(), c);
        }
        const std::string document = finish();
        const std::filesystem::path kept =
            reader_output_dir() /
            FormatTest::kept_name(std::string("characters.") + (format[0] == 'S' ? "svg" : "ipe"));
        std::FILE* f = std::fopen(kept.string().c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(document.data(), 1, document.size(), f);
        std::fclose(f);
        std::string log;
        EXPECT_EQ(run("xmllint --noout --nonet '" + kept.string() + "'", log), 0) << log;
        if (format[0] == 'I' && tool_available("ipetoipe")) {
            EXPECT_EQ(run("ipetoipe -xml '" + kept.string() + "' characters.xml", log), 0) << log;
        }
    }
}

TEST_F(ReaderTest, Hp2xxInterpretsThePlotterFile) {
    if (!tool_available("hp2xx")) GTEST_SKIP() << "hp2xx is not installed";
    const std::string hpg = write_scene("HPGL", "scene.hpg");
    std::string log;
    EXPECT_EQ(run("hp2xx -q -m eps -f scene.eps '" + hpg + "'", log), 0) << log;
    EXPECT_GT(std::filesystem::file_size("scene.eps"), 0u);
}

TEST_F(ReaderTest, IpetoipeLoadsTheIpeDrawing) {
    if (!tool_available("ipetoipe")) GTEST_SKIP() << "ipetoipe (ipe) is not installed";
    const std::string ipe = write_scene("IPE ", "scene.ipe");
    std::string log;
    EXPECT_EQ(run("ipetoipe -xml '" + ipe + "' converted.xml", log), 0) << log;
    const std::string converted = read_file("converted.xml");
    // The reader kept every path of the drawing.
    EXPECT_EQ(count_of(converted, "<path"), count_of(read_file(ipe), "<path")) << log;
}

}  // namespace
}  // namespace gvx::testing
