// The "IPE " device: the picture as an IPE drawing (file format 70010) in points,
// with the y axis pointing up.
//
// Lines are collected into paths of at most 100 points; a path is written when a move
// starts the next one, when it is full (the next one goes on from its last point),
// and before a colour or width change, a fill and the end of the document. Paths of
// fewer than two points are not written. Colours are written as fractions of 255.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "gravox/core/number_text.h"
#include "gravox/core/state.h"
#include "gravox/core/text_out.h"
#include "gravox/devices/primitives.h"
#include "gravox/formats/formats.h"
#include "gravox/formats/point_chain.h"

namespace gvx {
namespace {

constexpr int kIpePoints = 100;  // points of one path at most

// "r g b": 0 and 1 for the extremes, other components as fractions with three digits.
struct ColourText {
    char text[40];
};

ColourText colour_text(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    ColourText out{};
    const std::uint8_t parts[3] = {r, g, b};
    int length = 0;
    for (int i = 0; i < 3; ++i) {
        char part[kNumberTextSize];
        if (parts[i] == 0)
            std::snprintf(part, sizeof part, "0");
        else if (parts[i] == 255)
            std::snprintf(part, sizeof part, "1");
        else
            number_text(parts[i] / 255.0, 3, 0, part, sizeof part);
        length += std::snprintf(out.text + length, sizeof out.text - length, "%s%s",
                                i == 0 ? "" : " ", part);
    }
    return out;
}

class IpeDevice final : public Device, public TextDevice {
  public:
    explicit IpeDevice(PlotState& s) : Device(s) {}

    DeviceCapabilities capabilities() const override {
        DeviceCapabilities caps;
        caps.fills_polygons = true;
        caps.draws_wide_lines = true;
        caps.fills_box_sets = true;
        return caps;
    }

    Warning open(Sink* file) override;
    Warning close() override;
    void move(double x, double y) override;
    void draw(double x, double y) override;
    void polyline(const double* x, const double* y, int n) override;
    void colour(int value) override;
    Warning fill_polygon(const double* x, const double* y, int n) override;
    void fill_box(double x1, double y1, double x2, double y2, int colour) override;
    void fill_boxes(const PlotBox* boxes, int n, int colour) override;
    void text_character(const DeviceCharacter& c) override;

  private:
    void to_points(double x, double y, double& px, double& py) const;
    double base_pen() const;
    void sync_width();
    void write_pending();
    void add_point(double x, double y);
    void flush();
    void set_colour(std::uint8_t r, std::uint8_t g, std::uint8_t b);
    // "x y" of a point with one decimal, then the operator and a newline.
    void write_point(double x, double y, const char* op);

    Sink* out_ = nullptr;
    TextOut text_;  // the drawing on its way to out_
    double scale_ = 0.0;
    PointChain<kIpePoints> chain_;  // the line being drawn
    std::uint8_t red_ = 0, green_ = 0, blue_ = 0;
    ColourText colour_ = colour_text(0, 0, 0);  // text of the current colour
    int width_ = 1;                             // the line width the pen was set for
    double pen_ = 0.0;
};

void IpeDevice::to_points(double x, double y, double& px, double& py) const {
    const PageState& p = state_.page;
    if (p.orientation == PageOrientation::portrait) {
        px = scale_ * y;
        py = scale_ * x;
    } else {
        px = scale_ * x;
        py = scale_ * (p.height - y);
    }
}

// The thinnest pen: a quarter of a millimetre at the page unit scale.
double IpeDevice::base_pen() const {
    return 2.5 * scale_ / state_.frame.unit_scale;
}

Warning IpeDevice::open(Sink* file) {
    if (!file) return warning::file_error;
    out_ = file;
    text_.reset(file);
    PageState& p = state_.page;
    p.colour_depth = 24;
    scale_ = state_.frame.unit_scale * p.scale_factor * 72.0 / 254.0;
    p.device_scale = scale_;

    const std::tm when = state_.frame.clock();
    text_.put("<?xml version=\"1.0\"?>\n");
    text_.put("<!DOCTYPE ipe SYSTEM \"ipe.dtd\">\n");
    text_.put("<ipe version=\"70010\" creator=\"Gravox ").fixed(kFormatVersion, 1, 4).put("\">\n");
    text_.put("<info created=\"");
    write_date_stamp(text_, when);
    text_.put("\" modified=\"");
    write_date_stamp(text_, when);
    text_.put("\"/>\n");
    text_.put("<preamble>\\usepackage{times,graphicx}</preamble>\n");
    text_.put("<ipestyle name=\"basic\">\n");
    // Without a layout the reader puts the drawing on a portrait A4 sheet and cuts off
    // what lies beyond it; the sheet is made the size of the page, in whole points.
    const bool turned = p.orientation == PageOrientation::portrait;
    const int paper_w = truncate_coordinate(std::ceil(scale_ * (turned ? p.height : p.width)));
    const int paper_h = truncate_coordinate(std::ceil(scale_ * (turned ? p.width : p.height)));
    text_.put("<layout paper=\"").integer(paper_w).put(' ').integer(paper_h);
    text_.put("\" origin=\"0 0\" frame=\"")
        .integer(paper_w)
        .put(' ')
        .integer(paper_h)
        .put("\"/>\n");
    text_.put("</ipestyle>\n");
    text_.put("<page>\n");
    text_.put("<layer name=\"alpha\"/>\n");
    text_.put("<view layers=\"alpha\" active=\"alpha\"/>\n");

    pen_ = base_pen();
    width_ = 1;
    chain_.reset();
    set_colour(0, 0, 0);
    return warning::none;
}

// linwid keeps the width in the primitives' state, negative when the device draws it.
// A changed width ends the pending path before anything is drawn with it.
void IpeDevice::sync_width() {
    const int w = state_.prims->line_width;
    if (w == width_) return;
    flush();
    width_ = w;
    // A width the primitives left to this device is drawn with a pen of that width;
    // otherwise the primitives widen the line and the pen stays the thinnest.
    pen_ = w < 0 ? std::max(scale_ * -static_cast<double>(w), base_pen()) : base_pen();
}

void IpeDevice::write_pending() {
    const int n = chain_.count();
    if (n >= 2) {
        text_.put("<path layer=\"alpha\" stroke=\"").put(colour_.text);
        text_.put("\" pen=\"").fixed(pen_, 3).put("\">\n");
        write_point(chain_.x(0), chain_.y(0), " m\n");
        for (int i = 1; i < n; ++i) write_point(chain_.x(i), chain_.y(i), " l\n");
        text_.put("</path>\n");
    }
    chain_.written();
}

void IpeDevice::flush() {
    write_pending();
}

void IpeDevice::move(double x, double y) {
    if (!out_) return;
    sync_width();
    write_pending();
    double dx, dy;
    to_points(x, y, dx, dy);
    chain_.start(dx, dy);
}

void IpeDevice::draw(double x, double y) {
    if (!out_) return;
    sync_width();
    double dx, dy;
    to_points(x, y, dx, dy);
    add_point(dx, dy);
}

// A long line goes on as a chain of elements sharing their end points.
void IpeDevice::add_point(double x, double y) {
    if (chain_.add(x, y)) {
        write_pending();
        chain_.resume();
    }
}

// The points of a polyline go straight into the chain, the width checked once.
void IpeDevice::polyline(const double* x, const double* y, int n) {
    if (!out_ || n < 1) return;
    move(x[0], y[0]);
    for (int i = 1; i < n; ++i) {
        double dx, dy;
        to_points(x[i], y[i], dx, dy);
        add_point(dx, dy);
    }
}

void IpeDevice::colour(int value) {
    if (!out_) return;
    sync_width();
    flush();
    const DeviceColour c = resolve_device_colour(state_, value);
    set_colour(c.red, c.green, c.blue);
}

void IpeDevice::set_colour(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    red_ = r;
    green_ = g;
    blue_ = b;
    colour_ = colour_text(r, g, b);
}

void IpeDevice::write_point(double x, double y, const char* op) {
    // op is " m\n" or " l\n".
    char* at = text_.room(2 * TextOut::kFixedChars + 4);
    at = TextOut::fixed_at<1>(at, x);
    *at++ = ' ';
    at = TextOut::fixed_at<1>(at, y);
    at[0] = op[0];
    at[1] = op[1];
    at[2] = op[2];
    text_.advance_to(at + 3);
}

void IpeDevice::fill_box(double x1, double y1, double x2, double y2, int colour) {
    if (!out_) return;
    sync_width();
    flush();
    const DeviceColour dc = resolve_device_colour(state_, colour);
    const ColourText c = colour_text(dc.red, dc.green, dc.blue);
    double ax, ay, bx, by;
    to_points(x1, y1, ax, ay);
    to_points(x2, y2, bx, by);
    text_.put("<path layer=\"alpha\" fill=\"").put(c.text).put("\">\n");
    write_point(ax, ay, " m\n");
    write_point(ax, by, " l\n");
    write_point(bx, by, " l\n");
    write_point(bx, ay, " l\n");
    write_point(ax, ay, " l\n");
    text_.put("</path>\n");
}

// One path of rectangular subpaths, each closed on its start.
void IpeDevice::fill_boxes(const PlotBox* boxes, int n, int colour) {
    if (!out_ || n < 1) return;
    sync_width();
    flush();
    const DeviceColour dc = resolve_device_colour(state_, colour);
    const ColourText c = colour_text(dc.red, dc.green, dc.blue);
    text_.put("<path layer=\"alpha\" fill=\"").put(c.text).put("\">\n");
    for (int k = 0; k < n; ++k) {
        double ax, ay, bx, by;
        to_points(boxes[k].x1, boxes[k].y1, ax, ay);
        to_points(boxes[k].x2, boxes[k].y2, bx, by);
        write_point(ax, ay, " m\n");
        write_point(ax, by, " l\n");
        write_point(bx, by, " l\n");
        write_point(bx, ay, " l\nh\n");
    }
    text_.put("</path>\n");
}

Warning IpeDevice::fill_polygon(const double* x, const double* y, int n) {
    if (!out_ || !x || !y || n < 1) return warning::none;
    sync_width();
    flush();
    text_.put("<path layer=\"alpha\" fill=\"").put(colour_.text);
    text_.put("\" stroke=\"").put(colour_.text).put("\">\n");
    for (int i = 0; i < n; ++i) {
        double px, py;
        to_points(x[i], y[i], px, py);
        write_point(px, py, i == 0 ? " m\n" : " l\n");
    }
    // The outline is closed, so its stroke meets the first vertex again.
    text_.put("h\n");
    text_.put("</path>\n");
    return warning::none;
}

void IpeDevice::text_character(const DeviceCharacter& c) {
    if (!out_) return;
    sync_width();
    flush();
    double x, y;
    to_points(c.x, c.y, x, y);
    text_.put("<text pos=\"").fixed(x, 1).put(' ').fixed(y, 1);
    text_.put("\" type=\"label\" valign=\"baseline\" ");
    if (red_ != 0 || green_ != 0 || blue_ != 0) text_.put("stroke=\"").put(colour_.text).put("\" ");
    const int divisor = c.size_divisor > 0 ? c.size_divisor : 1000;
    text_.put("size=\"").fixed(1000.0 / divisor * c.height * scale_, 1).put('"');
    const bool slanted = c.slant != 0.0;
    if (slanted) {
        // A slanted character (chaang): sheared along its baseline and turned by the
        // angle, about its position, by the object's matrix; the glyph point (u, v)
        // lands at (u + slant v, v) before the turn.
        const double radians = c.angle * (3.14159265358979323846 / 180.0);
        const double cs = std::cos(radians), sn = std::sin(radians);
        const double m[4] = {cs, sn, c.slant * cs - sn, c.slant * sn + cs};
        text_.put("\n transformations=\"affine\" matrix=\"");
        for (double v : m) text_.fixed(v, 4).put(' ');
        // About the position as written above.
        const double px = std::round(x * 10.0) / 10.0, py = std::round(y * 10.0) / 10.0;
        text_.fixed(px - (m[0] * px + m[2] * py), 2).put(' ');
        text_.fixed(py - (m[1] * px + m[3] * py), 2).put('"');
    } else if (c.angle != 0) {
        text_.put("\n");
        if (c.angle == 90 || c.angle == 180) text_.put(" halign=\"right\"");
    }
    text_.put(">");
    if (c.angle != 0 && !slanted) text_.put("\\rotatebox{").integer(c.angle).put('}');
    // The label goes through LaTeX inside XML: characters special to either are escaped.
    const unsigned char code = text_code(c.code);
    switch (code) {
        case '$':
        case '%':
        case '{':
        case '}':
        case '#':
        case '_':
            text_.put('\\').put(static_cast<char>(code));
            break;
        case '&':
            text_.put("\\&amp;");
            break;
        case '<':
            text_.put("\\textless");
            break;
        case '>':
            text_.put("\\textgreater");
            break;
        case '\\':
            text_.put("\\textbackslash");
            break;
        case '~':
            text_.put("\\textasciitilde");
            break;
        case '^':
            text_.put("\\textasciicircum");
            break;
        default:
            if (code >= 0x80) {
                // The document is UTF-8: Latin-1 characters take two bytes.
                text_.put(static_cast<char>(0xC0 | (code >> 6)));
                text_.put(static_cast<char>(0x80 | (code & 0x3F)));
            } else {
                text_.put(static_cast<char>(code));
            }
    }
    text_.put("</text>\n");
}

Warning IpeDevice::close() {
    if (!out_) return warning::none;
    sync_width();
    flush();
    text_.put("</page>\n");
    text_.put("</ipe>\n");
    text_.reset(nullptr);  // everything to the file before core closes it
    out_ = nullptr;
    return warning::none;
}

}  // namespace

std::unique_ptr<Device> make_ipe_device(PlotState& s, int /*code*/) {
    return std::make_unique<IpeDevice>(s);
}

}  // namespace gvx
