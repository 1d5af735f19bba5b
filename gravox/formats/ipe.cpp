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

#include "gravox/axes/numbers.h"
#include "gravox/core/state.h"
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
        return caps;
    }

    int open(Sink* file) override;
    int close() override;
    void move(double x, double y) override;
    void draw(double x, double y) override;
    void colour(int value) override;
    int fill_polygon(const double* x, const double* y, int n) override;
    void fill_box(double x1, double y1, double x2, double y2, int colour) override;
    void text_character(const DeviceCharacter& c) override;

  private:
    void to_points(double x, double y, double& px, double& py) const;
    double base_pen() const;
    void sync_width();
    void write_pending();
    void flush();

    Sink* out_ = nullptr;
    double scale_ = 0.0;
    PointChain<kIpePoints> chain_;  // the line being drawn
    std::uint8_t red_ = 0, green_ = 0, blue_ = 0;
    int width_ = 1;  // the line width the pen was set for
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

int IpeDevice::open(Sink* file) {
    if (!file) return 36;  // "File error"
    out_ = file;
    PageState& p = state_.page;
    p.colour_depth = 24;
    scale_ = state_.frame.unit_scale * p.scale_factor * 72.0 / 254.0;
    p.device_scale = scale_;

    std::tm when = state_.frame.clock();
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "D:%04d%02d%02d%02d%02d%02d",
                  ((when.tm_year + 1900) % 10000 + 10000) % 10000,
                  ((when.tm_mon + 1) % 100 + 100) % 100, (when.tm_mday % 100 + 100) % 100,
                  (when.tm_hour % 100 + 100) % 100, (when.tm_min % 100 + 100) % 100,
                  (when.tm_sec % 100 + 100) % 100);
    out_->put("<?xml version=\"1.0\"?>\n");
    out_->put("<!DOCTYPE ipe SYSTEM \"ipe.dtd\">\n");
    out_->printf("<ipe version=\"70010\" creator=\"Gravox %4.1f\">\n", kFormatVersion);
    out_->printf("<info created=\"%s\" modified=\"%s\"/>\n", stamp, stamp);
    out_->put("<preamble>\\usepackage{times,graphicx}</preamble>\n");
    out_->put("<ipestyle name=\"basic\">\n");
    // Without a layout the reader puts the drawing on a portrait A4 sheet and cuts off
    // what lies beyond it; the sheet is made the size of the page, in whole points.
    const bool turned = p.orientation == PageOrientation::portrait;
    const int paper_w = truncate_coordinate(std::ceil(scale_ * (turned ? p.height : p.width)));
    const int paper_h = truncate_coordinate(std::ceil(scale_ * (turned ? p.width : p.height)));
    out_->printf("<layout paper=\"%d %d\" origin=\"0 0\" frame=\"%d %d\"/>\n", paper_w, paper_h,
                 paper_w, paper_h);
    out_->put("</ipestyle>\n");
    out_->put("<page>\n");
    out_->put("<layer name=\"alpha\"/>\n");
    out_->put("<view layers=\"alpha\" active=\"alpha\"/>\n");

    pen_ = base_pen();
    width_ = 1;
    chain_.reset();
    return 0;
}

// linwid keeps the width in the primitives' state, negative when the device draws it.
// A changed width ends the pending path before anything is drawn with it.
void IpeDevice::sync_width() {
    const int w = state_.prims.line_width;
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
        const ColourText c = colour_text(red_, green_, blue_);
        out_->printf("<path layer=\"alpha\" stroke=\"%s\" pen=\"%.3f\">\n", c.text, pen_);
        out_->printf("%.1f %.1f m\n", chain_.x(0), chain_.y(0));
        for (int i = 1; i < n; ++i) out_->printf("%.1f %.1f l\n", chain_.x(i), chain_.y(i));
        out_->put("</path>\n");
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
    if (chain_.add(dx, dy)) {
        write_pending();
        chain_.resume();
    }
}

void IpeDevice::colour(int value) {
    if (!out_) return;
    sync_width();
    flush();
    const DeviceColour c = resolve_device_colour(state_, value);
    red_ = c.red;
    green_ = c.green;
    blue_ = c.blue;
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
    out_->printf("<path layer=\"alpha\" fill=\"%s\">\n", c.text);
    out_->printf("%.1f %.1f m\n", ax, ay);
    out_->printf("%.1f %.1f l\n", ax, by);
    out_->printf("%.1f %.1f l\n", bx, by);
    out_->printf("%.1f %.1f l\n", bx, ay);
    out_->printf("%.1f %.1f l\n", ax, ay);
    out_->put("</path>\n");
}

int IpeDevice::fill_polygon(const double* x, const double* y, int n) {
    if (!out_ || !x || !y || n < 1) return 0;
    sync_width();
    flush();
    const ColourText c = colour_text(red_, green_, blue_);
    out_->printf("<path layer=\"alpha\" fill=\"%s\" stroke=\"%s\">\n", c.text, c.text);
    for (int i = 0; i < n; ++i) {
        double px, py;
        to_points(x[i], y[i], px, py);
        out_->printf("%.1f %.1f %s\n", px, py, i == 0 ? "m" : "l");
    }
    // The outline is closed, so its stroke meets the first vertex again.
    out_->put("h\n");
    out_->put("</path>\n");
    return 0;
}

void IpeDevice::text_character(const DeviceCharacter& c) {
    if (!out_) return;
    sync_width();
    flush();
    double x, y;
    to_points(c.x, c.y, x, y);
    out_->printf("<text pos=\"%.1f %.1f\" type=\"label\" valign=\"baseline\" ", x, y);
    if (red_ != 0 || green_ != 0 || blue_ != 0)
        out_->printf("stroke=\"%s\" ", colour_text(red_, green_, blue_).text);
    const int divisor = c.size_divisor > 0 ? c.size_divisor : 1000;
    out_->printf("size=\"%.1f\"", 1000.0 / divisor * c.height * scale_);
    if (c.angle != 0) {
        out_->put("\n");
        if (c.angle == 90 || c.angle == 180) out_->put(" halign=\"right\"");
    }
    out_->put(">");
    if (c.angle != 0) out_->printf("\\rotatebox{%d}", c.angle);
    // The label goes through LaTeX inside XML: characters special to either are escaped.
    const unsigned char code = text_code(c.code);
    switch (code) {
        case '$':
        case '%':
        case '{':
        case '}':
        case '#':
        case '_':
            out_->put_byte('\\');
            out_->put_byte(code);
            break;
        case '&':
            out_->put("\\&amp;");
            break;
        case '<':
            out_->put("\\textless");
            break;
        case '>':
            out_->put("\\textgreater");
            break;
        case '\\':
            out_->put("\\textbackslash");
            break;
        case '~':
            out_->put("\\textasciitilde");
            break;
        case '^':
            out_->put("\\textasciicircum");
            break;
        default:
            if (code >= 0x80) {
                // The document is UTF-8: Latin-1 characters take two bytes.
                out_->put_byte(static_cast<unsigned char>(0xC0 | (code >> 6)));
                out_->put_byte(static_cast<unsigned char>(0x80 | (code & 0x3F)));
            } else {
                out_->put_byte(code);
            }
    }
    out_->put("</text>\n");
}

int IpeDevice::close() {
    if (!out_) return 0;
    sync_width();
    flush();
    out_->put("</page>\n");
    out_->put("</ipe>\n");
    out_ = nullptr;
    return 0;
}

}  // namespace

std::unique_ptr<Device> make_ipe_device(PlotState& s, int /*code*/) {
    return std::make_unique<IpeDevice>(s);
}

}  // namespace gvx
