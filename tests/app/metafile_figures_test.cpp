// The four figures written as metafiles and converted: byte for byte the PNG files
// drawn directly, and the SVG documents but for their date. The figures are coarsened
// (kReaderCoarsening) on both sides: the replay meets every record the program's
// figures make (pages, colours, texts, legend boxes, curves continued over many record
// lines) in a hundredth of the records.
#include <gtest/gtest.h>

#include <filesystem>

#include "gravox/formats/metafile.h"
#include "tests/app/figure_files.h"
#include "tests/support/temp_dir.h"

namespace cosmology {
namespace {

// The document without its "Date   :" line.
std::string without_date(std::string text) {
    const std::size_t at = text.find("Date   :");
    if (at != std::string::npos) text.erase(at, text.find('\n', at) - at);
    return text;
}

// The figures drawn once as metafiles and once directly in each format compared.
class MetafileFigures : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dirs_ = new Dirs;
        draw_figures_in(dirs_->metafiles.path(), "GKSL", kReaderCoarsening);
    }
    static void TearDownTestSuite() {
        delete dirs_;
        dirs_ = nullptr;
    }

    static void expect_replay_identical(const char* format, const char* extension, bool drop_date) {
        gvx::testing::TempDir direct, converted;
        draw_figures_in(direct.path(), format, kReaderCoarsening);
        for (const char* name : kFigureFiles) {
            SCOPED_TRACE(name);
            const std::string met = dirs_->metafiles.file(std::string(name) + ".met");
            const std::string out = converted.file(std::string(name) + "." + extension);
            std::string error;
            ::testing::internal::CaptureStdout();
            const int status = gvx::convert_metafile(met.c_str(), format, out.c_str(), error);
            ::testing::internal::GetCapturedStdout();
            ASSERT_EQ(status, 0) << error;
            std::string expected =
                gvx::testing::read_file(direct.file(std::string(name) + "." + extension));
            std::string actual = gvx::testing::read_file(out);
            ASSERT_FALSE(expected.empty());
            if (drop_date) {
                EXPECT_NE(expected.find("Date   :"), std::string::npos);
                expected = without_date(expected);
                actual = without_date(actual);
            }
            EXPECT_TRUE(actual == expected) << "the converted file differs from the direct one";
        }
    }

    struct Dirs {
        gvx::testing::TempDir metafiles;
    };
    static Dirs* dirs_;
};

MetafileFigures::Dirs* MetafileFigures::dirs_ = nullptr;

TEST_F(MetafileFigures, ConvertedToPngAreTheDirectPngFiles) {
    expect_replay_identical("PNG", "png", false);
}

TEST_F(MetafileFigures, ConvertedToSvgAreTheDirectSvgFilesButForTheDate) {
    expect_replay_identical("SVG", "svg", true);
}

}  // namespace
}  // namespace cosmology
