// The size and place of the screen windows, and their titles: rules that need no display.
#include <gtest/gtest.h>

#include "gravox/core/all_records.h"
#include "gravox/core/output_catalogue.h"
#include "gravox/screen/screen.h"

namespace gvx::testing {
namespace {

PageState landscape() {
    PageState p;
    p.width = 2969;
    p.height = 2099;
    return p;
}

void expect_geometry(const WindowGeometry& g, int x, int y, int w, int h, const char* what) {
    EXPECT_EQ(g.x, x) << what;
    EXPECT_EQ(g.y, y) << what;
    EXPECT_EQ(g.width, w) << what;
    EXPECT_EQ(g.height, h) << what;
}

TEST(WindowGeometry, EveryScreenKeywordHasItsSizeAndPlace) {
    struct Case {
        const char* keyword;
        int x, y, w, h;
    };
    // On a screen of 1280 x 1024 pixels.
    const Case cases[] = {
        {"XWIN", 0, 0, 1200, 848},   {"XWI1", 0, 0, 1200, 848},    {"XWI2", 0, 0, 853, 603},
        {"XWI3", 427, 0, 853, 603},  {"XWI4", 0, 421, 853, 603},   {"XWI5", 427, 421, 853, 603},
        {"XWI6", 320, 0, 640, 452},  {"XWI7", 320, 286, 640, 452}, {"XWI8", 320, 572, 640, 452},
        {"XWND", 40, 88, 1200, 848}, {"CONS", 40, 88, 1200, 848},
    };
    const PageState page = landscape();
    for (const Case& c : cases) {
        char reduced[5];
        reduce_keyword(c.keyword, reduced);
        const int code = output_code_of_keyword(reduced);
        ASSERT_GE(code, 72) << c.keyword;
        ASSERT_LE(code, 80) << c.keyword;
        expect_geometry(window_geometry(page, code, 1280, 1024), c.x, c.y, c.w, c.h, c.keyword);
    }
}

TEST(WindowGeometry, PortraitPagesSmallScreensWindowAndWinsiz) {
    PageState page = landscape();
    // A portrait page turns the default sizes upright.
    std::swap(page.width, page.height);
    expect_geometry(window_geometry(page, 76, 1280, 1024), 677, 171, 603, 853, "portrait XWI5");
    // A large window shrinks to a small screen, keeping its shape.
    page = landscape();
    expect_geometry(window_geometry(page, 80, 800, 600), 0, 17, 800, 565, "XWND on 800 x 600");
    expect_geometry(window_geometry(page, 72, 0, 0), 0, 0, 1, 1, "no screen at all");
    // winsiz() gives the size; the code still gives the place.
    page.window_mode = 2;
    page.window_w = 400;
    page.window_h = 300;
    expect_geometry(window_geometry(page, 76, 1280, 1024), 880, 724, 400, 300, "winsiz XWI5");
    // A size beyond the screen is kept, and placed at the upper left corner.
    page.window_w = 2000;
    expect_geometry(window_geometry(page, 76, 1280, 1024), 0, 724, 2000, 300, "wide XWI5");
    // window() gives both, whatever the code.
    page.window_mode = 1;
    page.window_x = 15;
    page.window_y = 25;
    expect_geometry(window_geometry(page, 80, 1280, 1024), 15, 25, 2000, 300, "window");
}

TEST(WindowTitle, TakesWintitElseThePlotFileName) {
    Gravox g;
    PlotState& s = state_of(g);
    char title[257];
    copy_text(s.files.plot_file_name, "gravox.   ", 256);
    window_title(s, title, 256);
    EXPECT_STREQ(title, "gravox");
    copy_text(s.files.plot_file_name, "dir/figure.png", 256);
    window_title(s, title, 256);
    EXPECT_STREQ(title, "dir/figure.png");
    g.wintit("Histories");
    window_title(s, title, 256);
    EXPECT_STREQ(title, "Histories");
    g.wintit("");
    window_title(s, title, 256);
    EXPECT_STREQ(title, "dir/figure.png");
    // A long title is cut to 256 characters; a short buffer to its size.
    const std::string long_title(300, 'x');
    g.wintit(long_title.c_str());
    EXPECT_EQ(std::string(s.screen->title), long_title.substr(0, 256));
    char small[9];
    window_title(s, small, 8);
    EXPECT_STREQ(small, "xxxxxxxx");
}

}  // namespace
}  // namespace gvx::testing
