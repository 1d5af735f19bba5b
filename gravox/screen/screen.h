// Screen output: plot windows of the X window system.
//
// A window device draws into the raster canvas that the raster image devices share,
// so a window shows exactly the pixels of a PNG file of the same calls. The window
// shows the canvas as the plot progresses (at sendbf(), at gvxfin() and at a bounded
// interval while drawing goes on) and redraws it when it is exposed. At the end of
// the plot, after the closing protocol, gvxfin() waits for a mouse button or the
// Return key in the window and closes it, unless winmod() says otherwise.
//
// Xlib is optional: without it the library is built without window devices, and the
// screen rows of the output catalogue keep no writer (warning 140).
#pragma once

#include <memory>

#include "gravox/core/output_catalogue.h"

namespace gvx {

struct PageState;
struct PlotState;
class Device;
class ScreenWindow;  // a window with its connection to the display (window_x11.cpp)

// What gvxfin() does with the window (winmod).
enum class WindowEnd {
    wait = 0,  // "FULL": waits for a button or Return in the window, then closes it
    none = 1,  // "NONE": closes it at once
    add = 2,   // "ADD": keeps it open; the next screen plot draws into it
};

struct WindowDeleter {
    void operator()(ScreenWindow* window) const;
};
using WindowHandle = std::unique_ptr<ScreenWindow, WindowDeleter>;

// Settings of the screen windows, kept across plots, and the window itself.
struct ScreenState {
    WindowEnd end = WindowEnd::wait;
    char title[257] = "";  // wintit; empty: the plot file name
    // The window of the current or the last screen plot: open while a plot draws into
    // it, while gvxfin() waits in it, and after a plot ended with winmod("ADD").
    WindowHandle window;
    bool drawing = false;      // a window device of the open plot draws into the window
    bool pending_end = false;  // gvxfin() ends the window after the closing protocol
};

// Position and size of a window in pixels.
struct WindowGeometry {
    int x = 0, y = 0;
    int width = 0, height = 0;
};

// The window of a screen device code (72 to 80) on a screen of screen_w x screen_h
// pixels: window() gives position and size, winsiz() the size; otherwise the size and
// place of the code, shrunk (keeping its shape) to fit the screen. A portrait page
// (page height not below its width) turns the default sizes upright.
WindowGeometry window_geometry(const PageState& page, int code, int screen_w, int screen_h);

// The window's title: wintit(), else the plot file name without trailing blanks and dot.
void window_title(const PlotState& s, char* title, int n);

// Shows what is drawn so far in the window of the open screen plot (nothing for others).
void show_screen(PlotState& s);

// Gives the window the title of window_title() (after wintit()).
void retitle_screen(PlotState& s);

// The window system's id of the window (0 without one), for tests and tools.
unsigned long screen_window_id(const PlotState& s);

// The end of a screen plot, called by gvxfin() after the closing protocol: the wait
// and the closing that winmod() asks for.
void end_screen_plot(PlotState& s);

#ifdef GRAVOX_HAVE_X11
// The device of the screen windows, codes 72 to 80.
std::unique_ptr<Device> make_window_device(PlotState& s, int code);
inline constexpr DeviceMaker kWindowDeviceMaker = make_window_device;
inline constexpr bool kScreenWindowsBuilt = true;
#else
inline constexpr DeviceMaker kWindowDeviceMaker = nullptr;
inline constexpr bool kScreenWindowsBuilt = false;
#endif

}  // namespace gvx
