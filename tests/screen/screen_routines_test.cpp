// The routines of the screen windows, and a plot without a display: a numbered warning,
// level 0, and a program that goes on.
#include <gtest/gtest.h>

#include <filesystem>

#include "gravox/core/all_records.h"
#include "gravox/screen/screen.h"
#include "tests/screen/screen_test_support.h"
#include "tests/support/temp_dir.h"

namespace gvx::testing {
namespace {

class ScreenRoutines : public ::testing::Test {
  protected:
    template <class Fn>
    std::string output_of(Fn fn) {
        ::testing::internal::CaptureStdout();
        fn();
        return ::testing::internal::GetCapturedStdout();
    }
    PlotState& s() { return state_of(g_); }

    TempDir dir_;
    WorkingDir cwd_{dir_.path()};
    Gravox g_;
};

TEST_F(ScreenRoutines, WinmodWintitAndSendbfCheckTheirArguments) {
    EXPECT_EQ(s().screen->end, WindowEnd::wait);
    g_.winmod("none");
    EXPECT_EQ(s().screen->end, WindowEnd::none);
    g_.winmod("ADD");
    EXPECT_EQ(s().screen->end, WindowEnd::add);
    EXPECT_EQ(output_of([&] { g_.winmod("KEEP"); }),
              " <<<< Warning   2: Incorrect parameter in winmod!   (KEEP)\n");
    EXPECT_EQ(s().screen->end, WindowEnd::add);  // unchanged
    g_.winmod("FULL");
    EXPECT_EQ(s().screen->end, WindowEnd::wait);

    g_.wintit("Title");
    EXPECT_NE(
        output_of([&] { g_.wintit(nullptr); }).find("Warning   2: Incorrect parameter in wintit"),
        std::string::npos);
    EXPECT_STREQ(s().screen->title, "Title");
    // sendbf needs an open plot; on a file plot it only finishes the pending line.
    EXPECT_NE(output_of([&] { g_.sendbf(); }).find("Incorrect level in sendbf"), std::string::npos);
    g_.metafl("VIRT");
    output_of([&] { g_.gvxini(); });
    g_.line(0, 0, 100, 100);
    g_.sendbf();
    EXPECT_EQ(s().frame.vector_count, 1);
    output_of([&] { g_.gvxfin(); });
}

TEST_F(ScreenRoutines, WithoutADisplayTheWarningLeavesLevelZeroAndNoFile) {
    for (const char* display : {static_cast<const char*>(nullptr), "", ":32766"}) {
        DisplayVariable variable(display);
        for (const char* format : {"XWIN", "CONS", "XWI3", "XWND"}) {
            g_.metafl(format);
            const std::string out = output_of([&] { g_.gvxini(); });
            if (!kScreenWindowsBuilt) {
                EXPECT_EQ(out, " <<<< Warning 140: Output device is not supported in gvxini!\n");
            } else if (display && display[0] != '\0') {
                EXPECT_EQ(out,
                          " <<<< Warning 351: The display of DISPLAY cannot be opened in "
                          "gvxini!\n")
                    << format;
            } else {
                EXPECT_EQ(out,
                          " <<<< Warning 351: No display for the window: DISPLAY is not set in "
                          "gvxini!\n")
                    << format;
            }
            EXPECT_EQ(s().frame.level, 0);
            EXPECT_FALSE(s().screen->window);
            // The program goes on: its calls are refused at level 0, gvxfin included.
            EXPECT_NE(output_of([&] { g_.gvxfin(); }).find("Incorrect level in gvxfin"),
                      std::string::npos);
        }
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir_.path()));
    // The next plot in a file is not disturbed.
    g_.metafl("PNG");
    output_of([&] {
        g_.gvxini();
        g_.gvxfin();
    });
    EXPECT_TRUE(std::filesystem::exists("gravox.png"));
}

TEST(ScreenFigure, ShowsTheFirstFigureOrEndsNormallyWithoutADisplay) {
    const std::filesystem::path program =
        std::filesystem::path(GRAVOX_BINARY_DIR) / "screen_figure";
    if (!std::filesystem::exists(program)) GTEST_SKIP() << program << " was not built";
    TempDir dir;
    WorkingDir cwd(dir.path());
    std::string out;
    const int status = run_command("env -u DISPLAY '" + program.string() + "' 2>&1", &out);
    EXPECT_EQ(status, 0) << out;
    const char* expected = kScreenWindowsBuilt ? "Warning 351: No display for the window"
                                               : "Warning 140: Output device is not supported";
    EXPECT_NE(out.find(expected), std::string::npos) << out;
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

}  // namespace
}  // namespace gvx::testing
