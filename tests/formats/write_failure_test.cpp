// A plot file that cannot be written (a full disk): every format finishes its plot, and
// gvxfin reports the lost file instead of a success.
#include "tests/formats/format_fixture.h"

namespace gvx::testing {
namespace {

// A sink whose writes fail after the first few bytes.
class FullDiskSink final : public Sink {
  protected:
    bool do_write(const void*, std::size_t n) override {
        written_ += n;
        return written_ < 100;
    }

  private:
    std::size_t written_ = 0;
};

using WriteFailureTest = FormatTest;

TEST_F(WriteFailureTest, FailedWritesAreReportedWhenThePlotCloses) {
    s().files.open_sink = [](const char*, const char*) {
        return std::unique_ptr<Sink>(new FullDiskSink);
    };
    const char* formats[] = {"SVG ", "JAVA", "HPGL", "IPE "};
    for (const char* format : formats) {
        open(format);
        draw_scene();
        const std::string printed = output_of([&] { g_.gvxfin(); });
        EXPECT_NE(printed.find("Warning  36: File error in gvxfin"), std::string::npos)
            << format << ": " << printed;
        EXPECT_EQ(s().frame.level, 0) << format;
        EXPECT_EQ(s().device, nullptr) << format;
    }
}

}  // namespace
}  // namespace gvx::testing
