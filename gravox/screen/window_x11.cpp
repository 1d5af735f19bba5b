// The window device under X11: a window on the display that shows the raster canvas.
#include "gravox/screen/screen.h"

#include "gravox/core/state.h"

#ifdef GRAVOX_HAVE_X11

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <new>

#include "gravox/core/warning_texts.h"
#include "gravox/curves/colour.h"
#include "gravox/devices/raster_device.h"

namespace gvx {
namespace {

// The X error handler while the library's own requests run: a refused request is
// recorded instead of ending the program.
int last_x_error = 0;
int record_x_error(Display*, XErrorEvent* event) {
    last_x_error = event->error_code;
    return 0;
}

// Runs the requests of f, waits for the server's answer and tells whether it refused
// any of them. The program's own handler is back in place afterwards.
template <class F>
bool server_accepts(Display* display, F&& f) {
    last_x_error = 0;
    XErrorHandler previous = XSetErrorHandler(record_x_error);
    f();
    XSync(display, False);
    XSetErrorHandler(previous);
    return last_x_error == 0;
}

// One colour component of a true-colour visual: where its bits lie in a pixel value.
struct Channel {
    int shift = 0, bits = 0;
    explicit Channel(unsigned long mask) {
        if (mask == 0) return;
        while (!(mask & 1)) {
            mask >>= 1;
            ++shift;
        }
        while (mask & 1) {
            mask >>= 1;
            ++bits;
        }
    }
    unsigned long place(unsigned value) const {
        return bits >= 8 ? static_cast<unsigned long>(value) << (shift + bits - 8)
                         : static_cast<unsigned long>(value >> (8 - bits)) << shift;
    }
};

// The three channels of a true-colour visual: packs 8-bit components into a pixel value.
struct PixelPacker {
    Channel red, green, blue;
    unsigned long operator()(unsigned r, unsigned g, unsigned b) const {
        return red.place(r) | green.place(g) | blue.place(b);
    }
};

bool host_is_lsb_first() {
    const std::uint16_t one = 1;
    return *reinterpret_cast<const unsigned char*>(&one) == 1;
}

using SteadyClock = std::chrono::steady_clock;
constexpr auto kShowInterval = std::chrono::milliseconds(200);

}  // namespace

class ScreenWindow {
  public:
    ~ScreenWindow() {
        release_image();
        if (window_) XDestroyWindow(display_, window_);
        XCloseDisplay(display_);  // sends what is pending, so the window is gone on return
    }

    // Connects to the display of DISPLAY; warning::none, or why it cannot.
    static Warning connect(WindowHandle& slot) {
        const char* name = std::getenv("DISPLAY");
        if (!name || name[0] == '\0') {
            return warning::no_display_unset;
        }
        // A busy server may turn a connection away for a moment: three tries.
        Display* display = XOpenDisplay(name);
        for (int attempt = 1; !display && attempt < 3; ++attempt) {
            ::poll(nullptr, 0, 100);
            display = XOpenDisplay(name);
        }
        if (!display) {
            return warning::no_display_refused;
        }
        const int screen = DefaultScreen(display);
        Visual* visual = DefaultVisual(display, screen);
        if (visual->c_class != TrueColor) {
            XCloseDisplay(display);
            return warning::display_not_true_colour;
        }
        slot.reset(new ScreenWindow(display, screen, visual));
        return warning::none;
    }

    int screen_width() const { return DisplayWidth(display_, screen_); }
    int screen_height() const { return DisplayHeight(display_, screen_); }
    unsigned long id() const { return window_; }

    // Makes the window of that geometry (or moves the kept one there) with its image;
    // warning::none, or why it cannot.
    Warning prepare(const WindowGeometry& g, const char* title) {
        // Window sizes are 16-bit quantities of the protocol.
        if (g.width > 32767 || g.height > 32767 || g.x > 32767 || g.y > 32767) {
            return warning::window_too_large;
        }
        if (!image_ || width_ != g.width || height_ != g.height) {
            release_image();
            if (!make_image(g.width, g.height)) return warning::not_enough_memory;
        }
        const bool made = server_accepts(display_, [&] {
            if (!window_) {
                create(g);
            } else {
                XMoveResizeWindow(display_, window_, g.x, g.y, static_cast<unsigned>(g.width),
                                  static_cast<unsigned>(g.height));
            }
            hint_geometry(g);
            XStoreName(display_, window_, title);
        });
        if (!made) {
            return warning::window_refused;
        }
        wait_until_mapped();
        return warning::none;
    }

    void set_title(const char* title) {
        XStoreName(display_, window_, title);
        XFlush(display_);
    }

    // Converts the canvas into the window's image and puts it on the screen. An
    // indexed canvas takes its colours from the colour table, as the image writers do.
    void show(const PlotState& s) {
        const RasterCanvas& canvas = s.raster->canvas;
        if (!canvas.has_image() || !image_) return;
        const int w = std::min(canvas.width(), width_), h = std::min(canvas.height(), height_);
        const PixelPacker pack{Channel(image_->red_mask), Channel(image_->green_mask),
                               Channel(image_->blue_mask)};
        unsigned long lookup[256];
        if (!canvas.true_colour()) {
            for (int i = 0; i < 256; ++i) {
                const std::uint32_t entry = s.colours->table[i];
                lookup[i] = pack(entry >> 16 & 0xFF, entry >> 8 & 0xFF, entry & 0xFF);
            }
        }
        const bool direct =
            image_->bits_per_pixel == 32 && (image_->byte_order == LSBFirst) == host_is_lsb_first();
        for (int y = 0; y < h; ++y) {
            const std::uint8_t* src =
                canvas.pixels() + static_cast<std::size_t>(y) * canvas.row_bytes();
            auto* row = reinterpret_cast<std::uint32_t*>(
                image_->data + static_cast<std::size_t>(y) * image_->bytes_per_line);
            for (int x = 0; x < w; ++x) {
                const unsigned long pixel = canvas.true_colour()
                                                ? pack(src[4 * x], src[4 * x + 1], src[4 * x + 2])
                                                : lookup[src[x]];
                if (direct)
                    row[x] = static_cast<std::uint32_t>(pixel);
                else
                    XPutPixel(image_, x, y, pixel);
            }
        }
        put();
        discard_exposures();
    }

    // Puts the image again where the window was exposed; other events stay queued.
    void discard_exposures() {
        XEvent event;
        bool exposed = false;
        while (XCheckTypedWindowEvent(display_, window_, Expose, &event)) exposed = true;
        if (exposed) put();
    }

    // Waits for a mouse button or the Return key pressed in the window (or the window
    // closed by the window manager), showing the image whenever it is exposed. Input
    // from before the wait does not count.
    void wait() {
        XSync(display_, False);
        XEvent event;
        while (XCheckWindowEvent(display_, window_, KeyPressMask | ButtonPressMask, &event)) {
        }
        for (;;) {
            XNextEvent(display_, &event);
            if (event.xany.window != window_) continue;
            switch (event.type) {
                case Expose:
                    if (event.xexpose.count == 0) put();
                    break;
                case ButtonPress:
                    return;
                case KeyPress: {
                    const KeySym key = XLookupKeysym(&event.xkey, 0);
                    if (key == XK_Return || key == XK_KP_Enter) return;
                    break;
                }
                case ClientMessage:
                    if (static_cast<Atom>(event.xclient.data.l[0]) == delete_atom_) return;
                    break;
                case DestroyNotify:
                    window_ = 0;
                    return;
                default:
                    break;
            }
        }
    }

  private:
    ScreenWindow(Display* display, int screen, Visual* visual)
        : display_(display),
          screen_(screen),
          visual_(visual),
          depth_(DefaultDepth(display, screen)),
          delete_atom_(XInternAtom(display, "WM_DELETE_WINDOW", False)) {}

    void create(const WindowGeometry& g) {
        XSetWindowAttributes attributes{};
        attributes.background_pixel = BlackPixel(display_, screen_);
        attributes.event_mask = ExposureMask | KeyPressMask | ButtonPressMask | StructureNotifyMask;
        window_ =
            XCreateWindow(display_, RootWindow(display_, screen_), g.x, g.y,
                          static_cast<unsigned>(g.width), static_cast<unsigned>(g.height), 0,
                          depth_, InputOutput, visual_, CWBackPixel | CWEventMask, &attributes);
        XSetWMProtocols(display_, window_, &delete_atom_, 1);
        char name[] = "gravox", type[] = "Gravox";
        XClassHint hint{name, type};
        XSetClassHint(display_, window_, &hint);
        mapped_ = false;
    }

    // The window's place and its fixed size, for the window manager.
    void hint_geometry(const WindowGeometry& g) {
        XSizeHints hints{};
        hints.flags = USPosition | USSize | PMinSize | PMaxSize;
        hints.x = g.x;
        hints.y = g.y;
        hints.width = hints.min_width = hints.max_width = g.width;
        hints.height = hints.min_height = hints.max_height = g.height;
        XSetWMNormalHints(display_, window_, &hints);
    }

    // Maps a new window and waits (at most two seconds) until the server has mapped it,
    // so that the first picture is not lost.
    void wait_until_mapped() {
        if (mapped_) return;
        XMapWindow(display_, window_);
        XFlush(display_);
        XEvent event;
        const auto deadline = SteadyClock::now() + std::chrono::seconds(2);
        while (!XCheckTypedWindowEvent(display_, window_, MapNotify, &event)) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - SteadyClock::now());
            if (left.count() <= 0) break;
            pollfd connection{ConnectionNumber(display_), POLLIN, 0};
            ::poll(&connection, 1, static_cast<int>(std::min<long long>(left.count(), 50)));
        }
        mapped_ = true;
    }

    bool make_image(int width, int height) {
        image_ = XCreateImage(display_, visual_, static_cast<unsigned>(depth_), ZPixmap, 0, nullptr,
                              static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
        if (!image_) return false;
        const std::size_t bytes = static_cast<std::size_t>(image_->bytes_per_line) * height;
        data_.reset(new (std::nothrow) char[bytes]());
        if (!data_) {
            release_image();
            return false;
        }
        image_->data = data_.get();
        width_ = width;
        height_ = height;
        return true;
    }

    void release_image() {
        if (image_) {
            image_->data = nullptr;  // the buffer is ours
            XDestroyImage(image_);
            image_ = nullptr;
        }
        data_.reset();
        width_ = height_ = 0;
    }

    void put() {
        if (!window_ || !image_) return;
        XPutImage(display_, window_, DefaultGC(display_, screen_), image_, 0, 0, 0, 0,
                  static_cast<unsigned>(width_), static_cast<unsigned>(height_));
        XFlush(display_);
    }

    Display* display_;
    int screen_;
    Visual* visual_;
    int depth_;
    Atom delete_atom_;
    Window window_ = 0;
    bool mapped_ = false;
    XImage* image_ = nullptr;
    std::unique_ptr<char[]> data_;  // the pixels of image_
    int width_ = 0, height_ = 0;
};

void WindowDeleter::operator()(ScreenWindow* window) const {
    delete window;
}

namespace {

// The window device: the raster device of the plot's canvas, and the window that shows
// it. Every drawing call goes to the raster device; every 64th looks at the clock, and
// the window is brought up to date when 200 ms have passed since it last was.
class WindowDevice final : public PixelDevice {
  public:
    WindowDevice(PlotState& s, int code) : PixelDevice(s), code_(code), canvas_(s, code, nullptr) {}
    ~WindowDevice() override { state_.screen->drawing = false; }

    Warning open(Sink*) override {
        PlotState& s = state_;
        ScreenState& screen = *s.screen;
        if (!screen.window) {
            if (const Warning failure = ScreenWindow::connect(screen.window)) return failure;
        }
        const WindowGeometry g = window_geometry(s.page, code_, screen.window->screen_width(),
                                                 screen.window->screen_height());
        s.page.device_w = g.width;
        s.page.device_h = g.height;
        char title[257];
        window_title(s, title, 256);
        Warning failure = screen.window->prepare(g, title);
        if (!failure) failure = canvas_.open(nullptr);
        if (failure) {
            screen.window.reset();
            return failure;
        }
        screen.drawing = true;
        screen.pending_end = false;
        shown_ = SteadyClock::now();
        return warning::none;
    }

    Warning close() override {
        ScreenState& screen = *state_.screen;
        if (screen.window) {
            screen.window->show(state_);
            screen.pending_end = true;
        }
        screen.drawing = false;
        return canvas_.close();
    }

    void move(double x, double y) override { canvas_.move(x, y); }
    void draw(double x, double y) override {
        canvas_.draw(x, y);
        tick();
    }
    void polyline(const double* x, const double* y, int n) override {
        canvas_.polyline(x, y, n);
        tick();
    }
    void colour(int value) override { canvas_.colour(value); }
    void palette(const std::uint32_t* table, int kind) override { canvas_.palette(table, kind); }
    void erase() override {
        canvas_.erase();
        tick();
    }
    Warning fill_polygon(const double* x, const double* y, int n) override {
        const Warning result = canvas_.fill_polygon(x, y, n);
        tick();
        return result;
    }
    void fill_box(double x1, double y1, double x2, double y2, int colour) override {
        canvas_.fill_box(x1, y1, x2, y2, colour);
        tick();
    }
    void point(double x, double y, int colour) override {
        canvas_.point(x, y, colour);
        tick();
    }

    void line(int x1, int y1, int x2, int y2) override {
        canvas_.line(x1, y1, x2, y2);
        tick();
    }
    void pixel_box(int x1, int y1, int x2, int y2, int colour) override {
        canvas_.pixel_box(x1, y1, x2, y2, colour);
        tick();
    }
    void pixel_point(int x, int y, int colour) override {
        canvas_.pixel_point(x, y, colour);
        tick();
    }
    Warning pixel_polygon(const double* x, const double* y, int n) override {
        const Warning result = canvas_.pixel_polygon(x, y, n);
        tick();
        return result;
    }

  private:
    void tick() {
        if (++calls_ < 64) return;
        calls_ = 0;
        const auto now = SteadyClock::now();
        if (now - shown_ < kShowInterval || !state_.screen->window) return;
        state_.screen->window->show(state_);
        shown_ = SteadyClock::now();
    }

    int code_;
    RasterDevice canvas_;  // draws into the raster canvas as the PNG device does
    int calls_ = 0;
    SteadyClock::time_point shown_;
};

}  // namespace

std::unique_ptr<Device> make_window_device(PlotState& s, int code) {
    return std::make_unique<WindowDevice>(s, code);
}

void show_screen(PlotState& s) {
    if (s.screen->drawing && s.screen->window) s.screen->window->show(s);
}

void retitle_screen(PlotState& s) {
    if (!s.screen->window) return;
    char title[257];
    window_title(s, title, 256);
    s.screen->window->set_title(title);
}

void end_screen_plot(PlotState& s) {
    ScreenState& screen = *s.screen;
    if (!screen.pending_end) return;
    screen.pending_end = false;
    if (!screen.window) return;
    if (screen.end == WindowEnd::wait) screen.window->wait();
    if (screen.end != WindowEnd::add) screen.window.reset();
}

unsigned long screen_window_id(const PlotState& s) {
    return s.screen->window ? s.screen->window->id() : 0;
}

}  // namespace gvx

#else  // a build without X11 makes no windows

namespace gvx {

void WindowDeleter::operator()(ScreenWindow*) const {}
void show_screen(PlotState&) {}
void retitle_screen(PlotState&) {}
void end_screen_plot(PlotState& s) {
    s.screen->pending_end = false;
}
unsigned long screen_window_id(const PlotState&) {
    return 0;
}

}  // namespace gvx

#endif
