// The window devices on a private X server: the pixels in the window are those of the
// PNG device for the same calls, gvxfin() waits for a key or a button in the window
// and then closes it, and winmod() changes that end. Skipped with a message when Xvfb
// or the X utilities are missing, or when the library was built without Xlib.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>

#include "app/figures.h"
#include "gravox/core/all_records.h"
#include "gravox/core/output_catalogue.h"
#include "gravox/screen/screen.h"
#include "tests/screen/screen_test_support.h"
#include "tests/support/png_decode.h"
#include "tests/support/temp_dir.h"

namespace gvx::testing {
namespace {

using namespace std::chrono_literals;

// A scene of lines, a wide line, a box, a filled triangle, text and colours on an open
// plot.
void draw_scene(Gravox& g) {
    g.pagera();
    g.complx();
    g.name("Time", "X");
    g.name("Value", "Y");
    g.graf(0.0, 10.0, 0.0, 2.0, -1.0, 1.0, -1.0, 0.5);
    double x[200], y[200];
    for (int i = 0; i < 200; ++i) {
        x[i] = i * 0.05;
        y[i] = std::sin(x[i]);
    }
    g.color("RED");
    g.curve(x, y, 200);
    g.color("BLUE");
    g.linwid(5);
    for (int i = 0; i < 200; ++i) y[i] = 0.5 * std::cos(x[i]);
    g.curve(x, y, 200);
    g.linwid(1);
    g.color("GREEN");
    g.rlrec(1.0, 0.8, 2.0, 0.4);
    const int px[] = {2000, 2400, 2200}, py[] = {600, 600, 900};
    g.areaf(px, py, 3);
    g.color("WHITE");
    g.messag("Window and file", 600, 300);
}

// The colours of a PNG file.
std::vector<Rgb> colours_of_png(const std::string& name, int* width, int* height) {
    const DecodedPng png = decode_png(read_file(name));
    EXPECT_TRUE(png.ok) << name << ": " << png.error;
    *width = static_cast<int>(png.width);
    *height = static_cast<int>(png.height);
    std::vector<Rgb> rgb;
    for (std::uint32_t y = 0; y < png.height; ++y)
        for (std::uint32_t x = 0; x < png.width; ++x)
            rgb.push_back(png.colour_type == 3
                              ? png.palette.at(png.at(x, y))
                              : Rgb{png.at(x, y, 0), png.at(x, y, 1), png.at(x, y, 2)});
    return rgb;
}

// Compares a capture with the pixels of a PNG file; names the first difference.
void expect_same_picture(const Capture& window, const std::string& png_name) {
    ASSERT_TRUE(window.ok) << window.error;
    int width = 0, height = 0;
    const std::vector<Rgb> file = colours_of_png(png_name, &width, &height);
    ASSERT_EQ(window.width, width);
    ASSERT_EQ(window.height, height);
    std::size_t differing = 0, first = 0;
    for (std::size_t i = 0; i < file.size(); ++i)
        if (window.pixels[i] != file[i] && differing++ == 0) first = i;
    EXPECT_EQ(differing, 0u) << "first at x " << first % width << ", y " << first / width;
}

// The number of pixels that are not black.
std::size_t drawn_pixels(const Capture& c) {
    std::size_t n = 0;
    for (const Rgb& p : c.pixels) n += p != Rgb{0, 0, 0};
    return n;
}

// Whether the report of xwininfo shows the window at that place and of that size.
bool has_geometry(const std::string& info, const WindowGeometry& g) {
    auto shows = [&](const std::string& line) { return info.find(line) != std::string::npos; };
    return shows("Absolute upper-left X:  " + std::to_string(g.x) + "\n") &&
           shows("Absolute upper-left Y:  " + std::to_string(g.y) + "\n") &&
           shows("Width: " + std::to_string(g.width) + "\n") &&
           shows("Height: " + std::to_string(g.height) + "\n");
}

class WindowTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { server_ = new VirtualServer; }
    static void TearDownTestSuite() {
        delete server_;
        server_ = nullptr;
    }

    void SetUp() override {
        if (!kScreenWindowsBuilt) GTEST_SKIP() << "the library was built without Xlib";
        if (!server_->running()) GTEST_SKIP() << server_->error();
        for (const char* tool : {"xwd", "xwininfo", "xdotool"})
            if (!have_program(tool))
                GTEST_SKIP() << tool
                             << " is not installed (Debian packages x11-apps, "
                                "x11-utils, xdotool)";
        display_ = std::make_unique<DisplayVariable>(server_->display().c_str());
    }
    void TearDown() override { display_.reset(); }

    unsigned long window_id() { return screen_window_id(state_of(g_)); }

    // Opens a screen plot, quietly.
    void open(const char* keyword) {
        g_.metafl(keyword);
        g_.scrmod("REVERS");
        ::testing::internal::CaptureStdout();
        g_.gvxini();
        const std::string out = ::testing::internal::GetCapturedStdout();
        EXPECT_EQ(out, "") << keyword;
        EXPECT_EQ(state_of(g_).frame.level, 1) << keyword;
    }

    // gvxfin() with its protocol kept from the test's output.
    std::string finish() {
        ::testing::internal::CaptureStdout();
        g_.gvxfin();
        return ::testing::internal::GetCapturedStdout();
    }

    // The scene drawn into a PNG file of the same size.
    void write_png_of_scene(const char* name) {
        Gravox file;
        file.metafl("PNG");
        file.scrmod("REVERS");
        file.setfil(name);
        file.filmod("DELETE");
        ::testing::internal::CaptureStdout();
        file.gvxini();
        draw_scene(file);
        file.gvxfin();
        ::testing::internal::GetCapturedStdout();
    }

    // Runs gvxfin() while another thread presses Return or button 1 in the window until
    // it returns; the window must then be gone.
    void finish_with(const std::string& command) {
        const unsigned long id = window_id();
        ASSERT_NE(id, 0u);
        std::atomic<bool> stop{false};
        std::thread presser([&] {
            for (int i = 0; i < 200 && !stop; ++i) {
                run_command(command + " >/dev/null 2>&1");
                std::this_thread::sleep_for(100ms);
            }
        });
        const std::string protocol = finish();
        stop = true;
        presser.join();
        EXPECT_EQ(state_of(g_).frame.level, 0);
        EXPECT_EQ(window_id(), 0u);
        EXPECT_FALSE(window_exists(id)) << "the window stayed after gvxfin";
        // A screen plot writes no file: the protocol names none.
        EXPECT_NE(protocol.find(" <<  Metafile:" + std::string(51, ' ') + "<<"), std::string::npos)
            << protocol;
    }

    static std::string key_to(unsigned long id) {
        return "xdotool key --window " + std::to_string(id) + " Return";
    }

    static VirtualServer* server_;
    std::unique_ptr<DisplayVariable> display_;
    TempDir dir_;
    WorkingDir cwd_{dir_.path()};
    Gravox g_;
};

VirtualServer* WindowTest::server_ = nullptr;

TEST_F(WindowTest, WindowShowsThePixelsOfThePngDeviceAndReturnEndsTheWait) {
    write_png_of_scene("scene.png");
    open("XWI2");
    draw_scene(g_);
    g_.sendbf();
    expect_same_picture(capture_window(window_id()), "scene.png");
    std::string title;
    run_command("xdotool getwindowname " + std::to_string(window_id()), &title);
    EXPECT_EQ(title, "gravox\n");
    finish_with(key_to(window_id()));
    EXPECT_FALSE(std::filesystem::exists("gravox.   "));  // no file for a screen
}

TEST_F(WindowTest, MouseButtonEndsTheWaitAndExposedWindowsAreRedrawn) {
    write_png_of_scene("scene.png");
    g_.wintit("Scene");
    open("XWI2");
    draw_scene(g_);
    const unsigned long id = window_id();
    // While gvxfin() waits, the window is taken off the screen and put back: the
    // server clears it, and the wait puts the picture back.
    std::atomic<bool> stop{false};
    Capture after_expose;
    std::string title;
    std::thread helper([&] {
        std::this_thread::sleep_for(300ms);
        run_command("xdotool getwindowname " + std::to_string(id), &title);
        run_command("xdotool windowunmap --sync " + std::to_string(id) + " windowmap --sync " +
                    std::to_string(id));
        std::this_thread::sleep_for(300ms);
        after_expose = capture_window(id);
        while (!stop) {
            run_command("xdotool mousemove --window " + std::to_string(id) +
                        " 20 20 click 1 >/dev/null 2>&1");
            std::this_thread::sleep_for(100ms);
        }
    });
    finish();
    stop = true;
    helper.join();
    EXPECT_EQ(title, "Scene\n");
    expect_same_picture(after_expose, "scene.png");
    EXPECT_FALSE(window_exists(id));
}

TEST_F(WindowTest, TheProgramsFirstFigureInAWindowEqualsItsPngFile) {
    char legend[256];
    int line = 0;
    ::testing::internal::CaptureStdout();
    {
        Gravox file;
        cosmology::draw_figures(file, legend, line, "PNG", 1);
    }
    g_.winmod("ADD");  // the window stays after the figure's gvxfin
    cosmology::draw_figures(g_, legend, line, "XWI3", 1);
    ::testing::internal::GetCapturedStdout();
    const unsigned long id = window_id();
    ASSERT_TRUE(window_exists(id));
    expect_same_picture(capture_window(id), "gravox.png");
}

TEST_F(WindowTest, WinmodNoneReturnsAtOnceAndAddKeepsTheWindowForTheNextPlot) {
    g_.winmod("ADD");
    open("XWI6");
    const unsigned long id = window_id();
    finish();
    EXPECT_TRUE(window_exists(id)) << "ADD keeps the window";
    // The next screen plot draws into the same window, moved and resized to its own.
    g_.winmod("NONE");
    open("XWI5");
    EXPECT_EQ(window_id(), id);
    std::string info;
    run_command("xwininfo -id " + std::to_string(id), &info);
    EXPECT_TRUE(has_geometry(info, {427, 421, 853, 603})) << info;
    draw_scene(g_);
    // NONE returns without any input; a watchdog presses Return after 10 s.
    std::atomic<bool> finished{false};
    std::atomic<bool> pressed{false};
    std::thread watchdog([&] {
        for (int i = 0; i < 100 && !finished; ++i) std::this_thread::sleep_for(100ms);
        if (!finished) {
            pressed = true;
            while (!finished) {
                run_command(key_to(id) + " >/dev/null 2>&1");
                std::this_thread::sleep_for(100ms);
            }
        }
    });
    finish();
    finished = true;
    watchdog.join();
    EXPECT_FALSE(pressed) << "gvxfin waited under winmod(\"NONE\")";
    EXPECT_FALSE(window_exists(id));
}

TEST_F(WindowTest, EveryScreenKeywordOpensItsWindowAndLongPlotsAreShownWhileDrawing) {
    g_.winmod("NONE");
    for (const char* keyword : {"XWIN", "XWI2", "XWI4", "XWI7", "XWI8", "XWND", "CONS"}) {
        open(keyword);
        const unsigned long id = window_id();
        std::string info;
        run_command("xwininfo -id " + std::to_string(id), &info);
        char reduced[5];
        reduce_keyword(keyword, reduced);
        const WindowGeometry g =
            window_geometry(state_of(g_).page, output_code_of_keyword(reduced), 1280, 1024);
        EXPECT_TRUE(has_geometry(info, g)) << keyword << "\n" << info;
        EXPECT_EQ(state_of(g_).page.device_w, g.width) << keyword;
        finish();
        EXPECT_FALSE(window_exists(id)) << keyword;
    }
    // Without sendbf() the window is brought up to date while drawing goes on.
    open("XWI2");
    const Capture blank = capture_window(window_id());
    ASSERT_TRUE(blank.ok) << blank.error;
    EXPECT_EQ(drawn_pixels(blank), 0u);  // nothing was shown yet
    g_.pagera();
    std::this_thread::sleep_for(300ms);
    for (int i = 0; i < 100; ++i) g_.line(100 + i, 100, 100 + i, 1000);
    const Capture shown = capture_window(window_id());
    ASSERT_TRUE(shown.ok) << shown.error;
    EXPECT_GT(drawn_pixels(shown), 10000u);
    finish();
}

}  // namespace
}  // namespace gvx::testing
