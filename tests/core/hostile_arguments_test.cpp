// Arguments at the ends of their types: positions near INT_MIN, huge finite factors,
// null strings. Each is refused with warning 2 (or drawn safely) and changes nothing;
// the sanitizer build checks that no arithmetic on the way overflows.
#include <climits>
#include <cstring>

#include "tests/core/frame_fixture.h"

namespace gvx::testing {
namespace {

class HostileArguments : public FrameTest {
  protected:
    void SetUp() override {
        g_.metafl("PNG");
        g_.filmod("DELETE");
        s().device_factory =
            make_output_device;  // the real raster device: clpwin reaches its canvas
        output_of([&] { g_.gvxini(); });
        ASSERT_EQ(s().frame.level, 1);
    }
    void TearDown() override {
        if (s().frame.level > 0) output_of([&] { g_.gvxfin(); });
    }
    // What a call printed; the warning count it added goes to added.
    template <typename Fn>
    std::string call(Fn fn, int& added) {
        const int before = s().frame.warning_count;
        std::string out = output_of(fn);
        added = s().frame.warning_count - before;
        return out;
    }
    static bool incorrect_parameter(const std::string& out, const char* routine) {
        return out.find(std::string("Warning   2: Incorrect parameter in ") + routine) !=
               std::string::npos;
    }
};

TEST_F(HostileArguments, ClippingWindowFarOffThePageIsRefused) {
    const ClipWindow before = s().prims->clip_window;
    for (int position : {INT_MIN, INT_MAX, -kMaxPlotCoordinate - 1}) {
        int added = 0;
        const std::string out = call([&] { g_.clpwin(position, 0, 10, 10); }, added);
        EXPECT_TRUE(incorrect_parameter(out, "clpwin")) << position << ": " << out;
        EXPECT_EQ(added, 1);
        output_of([&] { g_.clpwin(0, position, 10, 10); });
        EXPECT_EQ(s().prims->clip_window.xmin, before.xmin);
        EXPECT_EQ(s().prims->clip_window.ymax, before.ymax);
    }
    // A window that starts just off the page is still taken.
    int added = 0;
    call([&] { g_.clpwin(-100, -100, 200, 200); }, added);
    EXPECT_EQ(added, 0);
    EXPECT_EQ(s().prims->clip_window.xmin, -100);
    EXPECT_EQ(s().prims->clip_window.xmax, 99);
}

TEST_F(HostileArguments, BottomOriginPositionsBeyondRangeAreRefused) {
    g_.pagorg("BOTT");
    static char buffer[2 * 20];
    output_of([&] { g_.legini(buffer, 2, 20); });
    for (int y : {INT_MIN, INT_MAX}) {
        int added = 0;
        std::string out = call([&] { g_.messag("x", 0, y); }, added);
        EXPECT_TRUE(incorrect_parameter(out, "messag")) << out;
        out = call([&] { g_.legpos(0, y); }, added);
        EXPECT_TRUE(incorrect_parameter(out, "legpos")) << out;
        out = call([&] { g_.symbol(3, y, 100); }, added);
        EXPECT_TRUE(incorrect_parameter(out, "symbol")) << out;
    }
    // In range, the bottom origin is turned into the page's own coordinates.
    output_of([&] { g_.legpos(10, 100); });
    EXPECT_EQ(s().legend->y, s().page.height - 100);
    EXPECT_EQ(s().legend->x, 10);
}

TEST_F(HostileArguments, WarningCountStopsAtTheLargestInt) {
    s().frame.warning_count = INT_MAX - 1;
    s().frame.warnings_on = false;
    for (int i = 0; i < 3; ++i) g_.height(-1);
    EXPECT_EQ(s().frame.warning_count, INT_MAX);
    const std::string out = output_of([&] { g_.gvxfin(); });
    EXPECT_NE(out.find("Warnings: 2147483647"), std::string::npos) << out;
}

// Every routine that takes a string refuses a null one with warning 2, and nothing
// it would set changes.
TEST_F(HostileArguments, NullStringsGiveWarningTwoEverywhere) {
    static char buffer[2 * 20];
    output_of([&] { g_.legini(buffer, 2, 20); });
    const std::string title = s().legend->title;
    const char* n = nullptr;
    struct Case {
        const char* routine;
        std::function<void()> call;
    };
    const Case cases[] = {
        {"messag", [&] { g_.messag(n, 10, 10); }},
        {"nlmess", [&] { g_.nlmess(n); }},
        {"legtit", [&] { g_.legtit(n); }},
        {"name", [&] { g_.name(n, "X"); }},
        {"mylab", [&] { g_.mylab(n, 1, "X"); }},
        {"errmod", [&] { g_.errmod(n, "ON"); }},
        {"filmod", [&] { g_.filmod(n); }},
        {"pagorg", [&] { g_.pagorg(n); }},
        {"lncap", [&] { g_.lncap(n); }},
        {"txtjus", [&] { g_.txtjus(n); }},
        {"labels", [&] { g_.labels(n, "X"); }},
        {"leglin", [&] { g_.leglin(buffer, n, 1); }},
        {"setmix", [&] { g_.setmix(n, "EXP"); }},
        {"smxalf", [&] { g_.smxalf("GREE", n, n, 1); }},
        {"eushft", [&] { g_.eushft("GERMAN", n); }},
        {"numode", [&] { g_.numode(n, n, n, n); }},
        {"axclrs", [&] { g_.axclrs(1, n, "X"); }},
        {"polcrv", [&] { g_.polcrv(n); }},
        {"color", [&] { g_.color(n); }},
        {"setvlt", [&] { g_.setvlt(n); }},
    };
    for (const Case& c : cases) {
        int added = 0;
        const std::string out = call(c.call, added);
        EXPECT_TRUE(incorrect_parameter(out, c.routine)) << c.routine << ": " << out;
    }
    EXPECT_EQ(s().legend->title, title);
}

TEST_F(HostileArguments, NullAndOverlongFileNamesAreRefusedNotCut) {
    output_of([&] { g_.gvxfin(); });
    int added = 0;
    std::string out = call([&] { g_.setfil(nullptr); }, added);
    EXPECT_TRUE(incorrect_parameter(out, "setfil")) << out;
    out = call([&] { g_.errfil(nullptr); }, added);
    EXPECT_TRUE(incorrect_parameter(out, "errfil")) << out;
    const std::string long_name(300, 'a');
    out = call([&] { g_.setfil(long_name.c_str()); }, added);
    EXPECT_NE(out.find("Warning 301: File name too long in setfil"), std::string::npos) << out;
    EXPECT_EQ(s().files.name_state, 0);
    out = call([&] { g_.errfil(long_name.c_str()); }, added);
    EXPECT_NE(out.find("Warning 301: File name too long in errfil"), std::string::npos) << out;
    EXPECT_FALSE(s().frame.error_file_set);
    // 256 characters are the field: taken whole.
    const std::string longest(256, 'b');
    g_.setfil(longest.c_str());
    EXPECT_EQ(std::string(s().files.plot_file_name), longest);
}

}  // namespace
}  // namespace gvx::testing
