// Opening and closing plots: geometry, the closing protocol, error files, write errors.
#include "gravox/core/page.h"
#include "tests/core/frame_fixture.h"

namespace gvx::testing {
namespace {

using Plot = FrameTest;

const char* const kBorder = " <<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<";

std::string padded(std::string text, size_t width) {
    text.resize(width, ' ');
    return text;
}

std::string box(const std::string& vectors, const std::string& warnings, const std::string& file,
                const std::string& extra = "") {
    std::string out = "\n";
    out += kBorder;
    out += "\n <<                END OF GRAVOX / VERSION 10.4.3                <<";
    out += "\n <<  Date    : 07.12.2026  Time    : 09:05:03  Pageformat: DA4L  <<";
    out += "\n <<  Vectors : ";
    out += padded(vectors, 10);
    out += "  Warnings: ";
    out += padded(warnings, 8);
    out += "  Fileformat:  PNG  <<";
    out += extra;
    out += "\n <<  ";
    out += padded("Metafile: " + file, 58);
    out += "  <<\n";
    out += kBorder;
    out += "\n\n";
    return out;
}

TEST_F(Plot, ProtocolBoxIsExact) {
    g_.metafl("PNG");
    g_.gvxini();
    std::string out = output_of([&] { g_.gvxfin(); });
    EXPECT_EQ(out, box("0", "0", "gravox.png"));
    // Every line of the box is 67 characters wide.
    size_t start = 1;
    for (int line = 0; line < 6; ++line) {
        size_t end = out.find('\n', start);
        EXPECT_EQ(end - start, 67u) << out.substr(start, end - start);
        start = end + 1;
    }
}

TEST_F(Plot, FourPlotsPrintFourBoxesWithTheirOwnCounts) {
    g_.metafl("PNG");
    g_.filmod("COUNT");
    std::string out = output_of([&] {
        for (int plot = 0; plot < 4; ++plot) {
            g_.gvxini();
            for (int i = 0; i < plot; ++i) g_.filmod("wrong");
            s().device->draw(1, 1);  // the stub device counts one vector
            g_.gvxfin();
        }
    });
    std::string expected;
    const char* names[] = {"gravox.png", "gravox_1.png", "gravox_2.png", "gravox_3.png"};
    for (int plot = 0; plot < 4; ++plot) {
        for (int i = 0; i < plot; ++i)
            expected += " <<<< Warning   2: Incorrect parameter in filmod!   (wrong)\n";
        expected += box("1", std::to_string(plot), names[plot]);
    }
    EXPECT_EQ(out, expected);
}

TEST_F(Plot, NanLineAppearsOnlyWithNans) {
    g_.metafl("PNG");
    g_.gvxini();
    s().frame.nan_count = 12;
    std::string out = output_of([&] { g_.gvxfin(); });
    std::string nan_line = "\n <<  NaN     : " + padded("12", 48) + "  <<";
    EXPECT_EQ(out, box("0", "0", "gravox.png", nan_line));
}

TEST_F(Plot, ProtocolOffPrintsNoBoxForThatPlotOnly) {
    g_.metafl("PNG");
    g_.gvxini();
    g_.errmod("PROTOCOL", "OFF");
    EXPECT_EQ(output_of([&] { g_.gvxfin(); }), "");
    g_.gvxini();
    EXPECT_NE(output_of([&] { g_.gvxfin(); }), "");
}

TEST_F(Plot, DefaultGeometryOfTheA4Page) {
    g_.metafl("PNG");
    g_.gvxini();
    const PageState& p = s().page;
    EXPECT_EQ(p.width, 2969);
    EXPECT_EQ(p.height, 2099);
    EXPECT_EQ(p.device_w, 853);
    EXPECT_EQ(p.device_h, 603);
    EXPECT_DOUBLE_EQ(p.device_scale, 602.0 / 2099.0);
    EXPECT_EQ(p.axis_len_x, 1980);
    EXPECT_EQ(p.axis_len_y, 1400);
    EXPECT_EQ(p.axis_pos_x, 494);
    EXPECT_EQ(p.axis_pos_y, 1799);
    output_of([&] { g_.gvxfin(); });
}

TEST_F(Plot, WindowSizeAndScaleModes) {
    g_.metafl("PNG");
    g_.winsiz(1000, 1000);
    g_.gvxini();
    EXPECT_EQ(s().page.device_w, 1000);
    EXPECT_DOUBLE_EQ(s().page.device_scale, 999.0 / 2969.0);
    output_of([&] { g_.gvxfin(); });

    // DOWN limits the scale to the longer side times the unit scale and factor over 2969.
    g_.sclfac(0.5);
    g_.gvxini();
    EXPECT_DOUBLE_EQ(s().page.device_scale, 999.0 * 0.5 / 2969.0);
    output_of([&] { g_.gvxfin(); });
    g_.sclmod("FULL");
    g_.gvxini();
    EXPECT_DOUBLE_EQ(s().page.device_scale, 999.0 / 2969.0);
    output_of([&] { g_.gvxfin(); });

    std::string out = output_of([&] {
        g_.winsiz(0, 20);
        g_.window(-3, -7, 10, 10);
        g_.window(1, 1, 10, -2);
        g_.sclfac(0.0);
    });
    EXPECT_EQ(out,
              " <<<< Warning   2: Incorrect parameter in winsiz!   (   0)\n"
              " <<<< Warning   2: Incorrect parameter in window!   (  -7)\n"
              " <<<< Warning   2: Incorrect parameter in window!   (  -2)\n"
              " <<<< Warning   2: Incorrect parameter in sclfac!\n");
    EXPECT_EQ(s().page.window_w, 1000);
    EXPECT_DOUBLE_EQ(s().page.scale_factor, 0.5);
}

TEST_F(Plot, PageFormatsAndTheirPortraitForm) {
    g_.metafl("PNG");
    g_.setpag("USAL");
    EXPECT_DOUBLE_EQ(s().frame.page_extent_w, 2789);
    EXPECT_DOUBLE_EQ(s().frame.page_extent_h, 2159);
    g_.setpag("da3p");
    EXPECT_DOUBLE_EQ(s().frame.page_extent_w, 2969);
    EXPECT_DOUBLE_EQ(s().frame.page_extent_h, 4199);
    EXPECT_STREQ(s().frame.page_keyword, "DA3P");
    g_.gvxini();
    EXPECT_EQ(s().page.device_w, 603);
    EXPECT_EQ(s().page.device_h, 853);
    output_of([&] { g_.gvxfin(); });
    std::string out = output_of([&] { g_.setpag("A4"); });
    EXPECT_EQ(out, " <<<< Warning   2: Incorrect parameter in setpag!   (A4)\n");
    EXPECT_STREQ(s().frame.page_keyword, "DA3P");
}

TEST_F(Plot, SetpagWithoutMetaflSelectsTheMetafile) {
    g_.setpag("DA4L");
    EXPECT_EQ(s().frame.device, 201);
    EXPECT_STREQ(s().frame.format_keyword, "GKSL");
}

TEST_F(Plot, UnitsDivideThePage) {
    g_.metafl("PNG");
    g_.units("INCH");
    EXPECT_DOUBLE_EQ(s().frame.unit_scale, static_cast<double>(2.54f));
    g_.gvxini();
    EXPECT_EQ(s().page.width, 1169);  // 2969 / 2.54 rounded
    EXPECT_EQ(s().page.height, 826);
    EXPECT_EQ(s().page.axis_pos_y, 826 - 118);
    output_of([&] { g_.gvxfin(); });
}

TEST_F(Plot, ErrorFilesPerPlotAreCountedUp) {
    g_.metafl("PNG");
    g_.errdev("FILE");
    std::string out = output_of([&] {
        for (int plot = 0; plot < 3; ++plot) {
            g_.gvxini();
            g_.filmod("bad");
            g_.gvxfin();
        }
    });
    // Warnings went to the error files; the boxes name them on the console.
    EXPECT_EQ(out.find(" <<<< Warning"), std::string::npos);
    EXPECT_NE(out.find(" <<  Err-file: gravox_2.err "), std::string::npos);
    for (const char* name : {"gravox.err", "gravox_1.err", "gravox_2.err"}) {
        std::string text = read_file(name);
        EXPECT_NE(text.find(" <<<< Warning   2: Incorrect parameter in filmod!   (bad)\n"),
                  std::string::npos)
            << name;
    }
    EXPECT_FALSE(exists("gravox_3.err"));
}

TEST_F(Plot, ProtocolFileModeWritesTheBoxIntoTheErrorFile) {
    g_.metafl("PNG");
    g_.errdev("FILE");
    g_.gvxini();
    g_.errmod("PROTOCOL", "FILE");
    g_.filmod("bad");
    EXPECT_EQ(output_of([&] { g_.gvxfin(); }), "");  // the box went to the file as well
    std::string text = read_file("gravox.err");
    EXPECT_NE(text.find(" <<  " + padded("Err-file: gravox.err", 58) + "  <<"), std::string::npos)
        << text;
    EXPECT_NE(text.find(" <<  Metafile: gravox.png"), std::string::npos);
}

TEST_F(Plot, AppendModeCollectsEveryPlotInOneFile) {
    g_.metafl("PNG");
    g_.errdev("APPEND");
    for (int plot = 0; plot < 2; ++plot) {
        g_.gvxini();
        g_.filmod("bad");
        output_of([&] { g_.gvxfin(); });
    }
    std::string text = read_file("gravox.err");
    size_t first = text.find("(bad)");
    ASSERT_NE(first, std::string::npos);
    EXPECT_NE(text.find("(bad)", first + 1), std::string::npos);
    EXPECT_FALSE(exists("gravox_1.err"));
}

TEST_F(Plot, WindowApplicationShowsTheMessageBoxText) {
    g_.metafl("PNG");
    g_.winapp("WINDOW");
    g_.gvxini();
    std::string out = output_of([&] { g_.gvxfin(); });
    EXPECT_NE(out.find("           END OF GRAVOX / VERSION 10.4.3 \n"), std::string::npos) << out;
    EXPECT_NE(out.find("\n Metafile     : gravox.png"), std::string::npos);
}

// A sink whose writes fail after a given number of bytes, as on a full disk.
class FailingSink final : public Sink {
  public:
    explicit FailingSink(size_t room) : room_(room) {}

  protected:
    bool do_write(const void*, size_t n) override {
        if (n > room_) return false;
        room_ -= n;
        return true;
    }

  private:
    size_t room_;
};

TEST_F(Plot, WriteErrorsAreReportedNotHidden) {
    g_.metafl("PNG");
    s().files.open_sink = [](const char*, const char*) {
        return std::unique_ptr<Sink>(new FailingSink(4));
    };
    g_.gvxini();
    std::string out = output_of([&] { g_.gvxfin(); });
    EXPECT_EQ(out.rfind(" <<<< Warning  36: File error in gvxfin!\n", 0), 0u) << out;
    EXPECT_NE(out.find("Warnings: 1 "), std::string::npos);
}

TEST(PageFitScale, FitsThePageAndLimitsItInModeDown) {
    EXPECT_DOUBLE_EQ(page_fit_scale(853, 603, 2969, 2099, ScaleMode::down, 1.0, 1.0),
                     602.0 / 2099.0);
    EXPECT_DOUBLE_EQ(page_fit_scale(1000, 1000, 2969, 2099, ScaleMode::down, 1.0, 1.0),
                     999.0 / 2969.0);
    // A scale factor below 1 shrinks the picture in mode DOWN only.
    EXPECT_DOUBLE_EQ(page_fit_scale(853, 603, 2969, 2099, ScaleMode::down, 1.0, 0.5),
                     852.0 * 0.5 / 2969.0);
    EXPECT_DOUBLE_EQ(page_fit_scale(853, 603, 2969, 2099, ScaleMode::full, 1.0, 0.5),
                     602.0 / 2099.0);
    // A portrait page measures the limit along the image height.
    EXPECT_DOUBLE_EQ(page_fit_scale(603, 853, 2099, 2969, ScaleMode::down, 1.0, 0.5),
                     852.0 * 0.5 / 2969.0);
    EXPECT_EQ(page_fit_scale(853, 603, 0, 2099, ScaleMode::down, 1.0, 1.0), 0.0);
}

}  // namespace
}  // namespace gvx::testing
