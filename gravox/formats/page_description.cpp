// The page body shared by the PostScript, EPS and PDF devices.
#include "gravox/formats/page_description.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "gravox/core/colour_table.h"
#include "gravox/core/state.h"
#include "gravox/devices/primitives.h"

namespace gvx {
namespace {

// Points of one stroked path at most: a longer line goes on in a new path from the
// last point, so no reader meets a path beyond its limits.
constexpr long long kPathPoints = 1000;

// The longer side of an A4 sheet in points: the limit of scale mode DOWN.
constexpr double kA4Longer = 2970.0 * 72.0 / 254.0;

}  // namespace

void PageDescriptionDevice::settle_geometry() {
    PageState& p = state_.page;
    p.colour_depth = 24;
    // A page unit is a hundredth of a centimetre times the unit scale.
    const double full = state_.frame.unit_scale * 72.0 / 254.0;
    const double w = p.width + 1.0, h = p.height + 1.0;
    scale_ = full;
    if (p.scale_mode == ScaleMode::down) {
        const double longer = std::max(w, h);
        scale_ = std::min(full, kA4Longer / longer) * p.scale_factor;
    }
    // Readers take pages of at most 200 inches a side: a larger paper (a huge unit scale
    // or scale factor) is scaled down to that.
    constexpr double kLargestPaper = 14400.0;
    if (!(scale_ * std::max(w, h) <= kLargestPaper)) scale_ = kLargestPaper / std::max(w, h);
    const bool turned = p.orientation == PageOrientation::portrait;
    paper_w_ = scale_ * (turned ? h : w);
    paper_h_ = scale_ * (turned ? w : h);
    p.device_scale = scale_;
}

void PageDescriptionDevice::begin_body(TextOut* out) {
    out_ = out;
    if (state_.page.orientation == PageOrientation::portrait)
        write_transform(0.0, scale_, scale_, 0.0, 0.0, 0.0);
    else
        write_transform(scale_, 0.0, 0.0, -scale_, 0.0, paper_h_);
    path_points_ = 0;
    width_ = 0.0;
    line_width_ = std::numeric_limits<int>::min();
    pending_ = false;
    cap_ = join_ = -1;
    miter_ = 0.0;
    // Under REVERS, and always on the black-and-white paper device, the page keeps the
    // reader's white paper; otherwise it is painted black as the background of the
    // colour table.
    if (!is_reverse_mode(state_.files.screen_mode_effective) && state_.frame.device != 501)
        page_rect(0, 0, 0);
    write_colour(red_, green_, blue_, false);
}

void PageDescriptionDevice::end_body() {
    stroke();
}

long long PageDescriptionDevice::tenths(double v) {
    if (!std::isfinite(v)) return 0;
    // Rounded half away from zero. The fraction of a double is exact, and the rounding
    // takes no branch: on the path of every point, the halves come at random.
    const double t = std::clamp(v, -1e15, 1e15) * 10.0;
    const long long n = static_cast<long long>(t);
    const double rest = t - static_cast<double>(n);
    return n + static_cast<long long>(rest >= 0.5) - static_cast<long long>(rest <= -0.5);
}

char* PageDescriptionDevice::tenths_text(char* out, long long n) {
    if (n < 0) {
        *out++ = '-';
        n = -n;
    }
    out += TextOut::integer_text(out, n / 10);
    if (n % 10 != 0) {
        *out++ = '.';
        *out++ = static_cast<char>('0' + n % 10);
    }
    return out;
}

void PageDescriptionDevice::number(double v) {
    char text[TextOut::kNumberChars];
    out_->put(
        std::string_view(text, static_cast<std::size_t>(tenths_text(text, tenths(v)) - text)));
}

void PageDescriptionDevice::write_point(long long x, long long y, char op) {
    // One line in one piece: "x y m" or "x y l".
    char line[2 * TextOut::kNumberChars + 4];
    char* end = tenths_text(line, x);
    *end++ = ' ';
    end = tenths_text(end, y);
    *end++ = ' ';
    *end++ = op;
    *end++ = '\n';
    out_->put(std::string_view(line, static_cast<std::size_t>(end - line)));
    anchor_x_ = x;
    anchor_y_ = y;
}

void PageDescriptionDevice::write_pending() {
    if (!pending_) return;
    write_point(pen_x_, pen_y_, 'l');
    pending_ = false;
}

void PageDescriptionDevice::coefficient(TextOut& out, double v) {
    if (std::isfinite(v) && std::fabs(v) < 1e15 && v == std::round(v))
        out.integer(static_cast<long long>(v));
    else
        out.fixed(std::isfinite(v) ? v : 0.0, 6);
}

void PageDescriptionDevice::string_character(TextOut& out, unsigned char code) {
    if (code == '(' || code == ')' || code == '\\') {
        out.put('\\').put(static_cast<char>(code));
    } else if (code < 32 || code > 126) {
        out.put('\\').put(static_cast<char>('0' + (code >> 6)));
        out.put(static_cast<char>('0' + ((code >> 3) & 7)));
        out.put(static_cast<char>('0' + (code & 7)));
    } else {
        out.put(static_cast<char>(code));
    }
}

void PageDescriptionDevice::fraction(std::uint8_t v) {
    if (v == 0)
        out_->put('0');
    else if (v == 255)
        out_->put('1');
    else
        out_->fixed(v / 255.0, 3);
}

void PageDescriptionDevice::write_colour(std::uint8_t r, std::uint8_t g, std::uint8_t b,
                                         bool fill) {
    if (dialect_.grey) {
        // The luminance of the colour as a grey level.
        const int grey = static_cast<int>(std::lround(0.299 * r + 0.587 * g + 0.114 * b));
        fraction(static_cast<std::uint8_t>(std::clamp(grey, 0, 255)));
        out_->put(fill && dialect_.separate_fill_colour ? " g\n" : " G\n");
        return;
    }
    for (int pass = 0; pass < (dialect_.separate_fill_colour && !fill ? 2 : 1); ++pass) {
        fraction(r);
        out_->put(' ');
        fraction(g);
        out_->put(' ');
        fraction(b);
        out_->put(pass == 0 && !fill ? " RG\n" : " rg\n");
    }
}

void PageDescriptionDevice::stroke() {
    write_pending();
    if (path_points_ > 1) out_->put("S\n");
    path_points_ = 0;
}

// The line attributes of the primitives' state, written when they changed. Width 1 is
// the thinnest pen, a quarter of a millimetre; wider lines that the primitives leave
// to the device (a negative width) are drawn with their own width.
void PageDescriptionDevice::sync_attributes() {
    const PrimitiveState& p = *state_.prims;
    const int cap = static_cast<int>(p.line_cap);    // CUT, ROUND, LONG: butt, round, square
    const int join = static_cast<int>(p.line_join);  // SHARP, ROUND, TRUNC: miter, round, bevel
    // Called for every point: nothing is computed while nothing changed.
    if (p.line_width == line_width_ && cap == cap_ && join == join_ && p.miter_limit == miter_)
        return;
    line_width_ = p.line_width;
    const double thinnest = 2.5 / state_.frame.unit_scale;
    const double width =
        p.line_width < 0 ? std::max(-static_cast<double>(p.line_width), thinnest) : thinnest;
    if (width == width_ && cap == cap_ && join == join_ && p.miter_limit == miter_) return;
    // The pending path is stroked with the attributes it was drawn with; a line that
    // goes on starts a new path at the pen (see draw).
    stroke();
    if (width != width_) {
        number(width);
        out_->put(" w\n");
    }
    if (cap != cap_) out_->integer(cap).put(" J\n");
    if (join != join_) out_->integer(join).put(" j\n");
    if (p.miter_limit != miter_) out_->fixed(p.miter_limit, 3).put(" M\n");
    width_ = width;
    cap_ = cap;
    join_ = join;
    miter_ = p.miter_limit;
}

void PageDescriptionDevice::move(double x, double y) {
    if (!out_) return;
    sync_attributes();
    const long long x10 = tenths(x), y10 = tenths(y);
    // A move to where the pen is written already adds nothing to the path.
    if (path_points_ > 0 && x10 == pen_x_ && y10 == pen_y_) return;
    write_pending();
    if (path_points_ >= kPathPoints) stroke();
    write_point(x10, y10, 'm');
    drawn_ = false;
    pen_x_ = x10;
    pen_y_ = y10;
    ++path_points_;
}

void PageDescriptionDevice::draw(double x, double y) {
    if (!out_) return;
    sync_attributes();
    line_to(x, y);
}

void PageDescriptionDevice::polyline(const double* x, const double* y, int n) {
    if (!out_ || n < 1) return;
    // The attributes hold for the whole line: they are looked at once, in move.
    move(x[0], y[0]);
    for (int i = 1; i < n; ++i) line_to(x[i], y[i]);
}

namespace {

// True when the line from (0, 0) to (ux, uy) goes straight on along (vx, vy): the two
// are parallel and point the same way. Long lines are never taken as straight, so the
// products stay far from overflowing.
bool goes_straight_on(long long ux, long long uy, long long vx, long long vy) {
    constexpr long long kShort = 1LL << 30;
    if (ux <= -kShort || ux >= kShort || uy <= -kShort || uy >= kShort || vx <= -kShort ||
        vx >= kShort || vy <= -kShort || vy >= kShort)
        return false;
    return ux * vy == uy * vx && ux * vx + uy * vy > 0;
}

}  // namespace

void PageDescriptionDevice::line_to(double x, double y) {
    const long long x10 = tenths(x), y10 = tenths(y);
    // A line that ends where the last line ended, as written, adds nothing to the page;
    // a dense curve leaves out most of its points this way. A subpath without a line keeps
    // its line to the same point, which is a dot under round caps.
    if (drawn_ && x10 == pen_x_ && y10 == pen_y_) return;
    if (path_points_ == 0 || path_points_ >= kPathPoints) {
        stroke();
        write_point(pen_x_, pen_y_, 'm');
        path_points_ = 1;
    }
    drawn_ = true;
    // The last line is held back while the next one goes straight on from it: the two
    // become one line, which strokes the same (its straight join covers nothing more).
    if (pending_ &&
        goes_straight_on(pen_x_ - anchor_x_, pen_y_ - anchor_y_, x10 - pen_x_, y10 - pen_y_)) {
        pen_x_ = x10;
        pen_y_ = y10;
        return;
    }
    write_pending();
    pen_x_ = x10;
    pen_y_ = y10;
    pending_ = true;
    ++path_points_;
}

void PageDescriptionDevice::colour(int value) {
    const DeviceColour c = resolve_device_colour(state_, value);
    if (!out_) {
        red_ = c.red, green_ = c.green, blue_ = c.blue;
        return;
    }
    if (c.red == red_ && c.green == green_ && c.blue == blue_) return;
    stroke();
    red_ = c.red, green_ = c.green, blue_ = c.blue;
    write_colour(red_, green_, blue_, false);
}

Warning PageDescriptionDevice::fill_polygon(const double* x, const double* y, int n) {
    if (!out_ || !x || !y || n < 3) return warning::none;
    stroke();
    for (int i = 0; i < n; ++i) {
        number(x[i]);
        out_->put(' ');
        number(y[i]);
        out_->put(i == 0 ? " m\n" : " l\n");
    }
    out_->put("h f\n");
    return warning::none;
}

void PageDescriptionDevice::fill_box(double x1, double y1, double x2, double y2, int colour) {
    if (!out_) return;
    stroke();
    const DeviceColour c = resolve_device_colour(state_, colour);
    out_->put("q\n");
    write_colour(c.red, c.green, c.blue, true);
    // The box covers its corner points, as a box of pixels covers its corner pixels.
    const double left = std::min(x1, x2) - 0.5, top = std::min(y1, y2) - 0.5;
    number(left);
    out_->put(' ');
    number(top);
    out_->put(' ');
    number(std::max(x1, x2) + 0.5 - left);
    out_->put(' ');
    number(std::max(y1, y2) + 0.5 - top);
    out_->put(" re f\nQ\n");
}

void PageDescriptionDevice::page_rect(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    out_->put("q\n");
    write_colour(r, g, b, true);
    out_->put("0 0 ");
    number(state_.page.width + 1.0);
    out_->put(' ');
    number(state_.page.height + 1.0);
    out_->put(" re f\nQ\n");
}

void PageDescriptionDevice::erase() {
    if (!out_) return;
    stroke();
    // The page becomes the background colour of the colour table.
    const DeviceColour c = resolve_device_colour(state_, state_.colours->background_colour);
    page_rect(c.red, c.green, c.blue);
}

}  // namespace gvx
