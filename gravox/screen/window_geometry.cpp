// The size and place of the screen windows.
#include <algorithm>
#include <cstring>

#include "gravox/core/page.h"
#include "gravox/core/state.h"
#include "gravox/screen/screen.h"

namespace gvx {
namespace {

enum class Place {
    top_left,
    top_right,
    bottom_left,
    bottom_right,
    top_centre,
    centre,
    bottom_centre
};

struct CodeWindow {
    int width, height;  // for a landscape page; a portrait page exchanges them
    Place place;
};

// Codes 72 to 80: "XWIN" ("XWI1") a large window at the upper left corner, "XWI2" to
// "XWI5" windows of the image size in the four corners, "XWI6" to "XWI8" small
// windows at the top, in the middle and at the bottom, "XWND" ("CONS") a large
// window in the middle. The sizes keep the page's shape of 853 x 603.
constexpr CodeWindow kCodeWindows[] = {
    {1200, 848, Place::top_left},   {853, 603, Place::top_left},      {853, 603, Place::top_right},
    {853, 603, Place::bottom_left}, {853, 603, Place::bottom_right},  {640, 452, Place::top_centre},
    {640, 452, Place::centre},      {640, 452, Place::bottom_centre}, {1200, 848, Place::centre},
};

}  // namespace

WindowGeometry window_geometry(const PageState& page, int code, int screen_w, int screen_h) {
    WindowGeometry g;
    if (page.window_mode == 1) {
        g.x = page.window_x;
        g.y = page.window_y;
        g.width = page.window_w;
        g.height = page.window_h;
        return g;
    }
    const CodeWindow& w = kCodeWindows[code >= 72 && code <= 80 ? code - 72 : 8];
    screen_w = std::max(screen_w, 1);
    screen_h = std::max(screen_h, 1);
    if (page.window_mode == 2) {
        g.width = page.window_w;
        g.height = page.window_h;
    } else {
        const bool landscape = page.width > page.height;
        g.width = landscape ? w.width : w.height;
        g.height = landscape ? w.height : w.width;
        // Shrunk to the screen, keeping the shape.
        const double fit = std::min(1.0, std::min(static_cast<double>(screen_w) / g.width,
                                                  static_cast<double>(screen_h) / g.height));
        g.width = std::max(1, static_cast<int>(g.width * fit));
        g.height = std::max(1, static_cast<int>(g.height * fit));
    }
    const int right = std::max(0, screen_w - g.width);
    const int bottom = std::max(0, screen_h - g.height);
    switch (w.place) {
        case Place::top_left:
            break;
        case Place::top_right:
            g.x = right;
            break;
        case Place::bottom_left:
            g.y = bottom;
            break;
        case Place::bottom_right:
            g.x = right;
            g.y = bottom;
            break;
        case Place::top_centre:
            g.x = right / 2;
            break;
        case Place::centre:
            g.x = right / 2;
            g.y = bottom / 2;
            break;
        case Place::bottom_centre:
            g.x = right / 2;
            g.y = bottom;
            break;
    }
    return g;
}

void window_title(const PlotState& s, char* title, int n) {
    if (s.screen->title[0] != '\0') {
        copy_text(title, s.screen->title, n);
        return;
    }
    copy_text(title, s.files.plot_file_name, n);
    int length = static_cast<int>(std::strlen(title));
    while (length > 0 && title[length - 1] == ' ') --length;
    if (length > 0 && title[length - 1] == '.') --length;
    title[length] = '\0';
}

}  // namespace gvx
