// The "SVG " device: the picture as an SVG 1.0 document in pixel units.
//
// Lines arrive from the drawing primitives as moves and draws in plot coordinates.
// The writer keeps a pending polyline of at most 50 points and writes it as one `line`
// element (two points) or one `polyline` element, inside a stroke group that carries
// the colour and width; a change of colour or width closes the group, and the next
// polyline opens a new one. Coordinates are scaled but not rounded. The point buffer
// is part of the device object, created with it before the file is written, so no
// allocation can fail halfway through a document.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <utility>

#include "gravox/core/state.h"
#include "gravox/core/text_out.h"
#include "gravox/devices/primitives.h"
#include "gravox/formats/formats.h"
#include "gravox/formats/point_chain.h"

namespace gvx {
namespace {

constexpr int kSvgPoints = 50;     // points of one polyline element at most
constexpr int kPointsPerLine = 5;  // points of a polyline or polygon on one line of text
// " x, y" of a point at most.
constexpr std::size_t kPointChars = 2 * TextOut::kFixedChars + 3;
static_assert(kPointsPerLine * kPointChars + 1 <= TextOut::kRoomLimit);

// " x, y" of a point with two decimals at at, which has room for kPointChars; returns
// the end.
char* point_at(char* at, double x, double y) {
    *at++ = ' ';
    at = TextOut::fixed_at<2>(at, x);
    at[0] = ',';
    at[1] = ' ';
    return TextOut::fixed_at<2>(at + 2, y);
}

enum class Group { none = 0, stroke = 1, text = 2 };

// Family, weight and style of the standard PostScript fonts by number.
struct SvgFont {
    const char* family;
    const char* weight;
    const char* style;
};

SvgFont svg_font(int number) {
    static constexpr const char* kWeights[4] = {"normal", "bold", "normal", "bold"};
    static constexpr const char* kSerifStyles[4] = {"normal", "normal", "italic", "italic"};
    static constexpr const char* kSansStyles[4] = {"normal", "normal", "oblique", "oblique"};
    if (number >= 0 && number <= 3) return {"Times", kWeights[number], kSerifStyles[number]};
    if (number >= 4 && number <= 11)
        return {"Helvetica", kWeights[(number - 4) % 4], kSansStyles[(number - 4) % 4]};
    if (number >= 18 && number <= 21)
        return {"Courier", kWeights[number - 18], kSansStyles[number - 18]};
    if (number == 34) return {"Symbol", "normal", "normal"};
    return {"Times", "normal", "normal"};
}

class SvgDevice final : public Device, public TextDevice {
  public:
    explicit SvgDevice(PlotState& s) : Device(s) {}

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
    bool writes_latin1() const override { return true; }

  private:
    void to_device(double x, double y, double& dx, double& dy) const;
    void sync_width();
    void flush();
    void write_pending();
    void add_point(double x, double y);
    void open_stroke_group();
    void close_group();
    void write_rect(double x, double y, double w, double h, std::uint8_t r, std::uint8_t g,
                    std::uint8_t b);
    void write_colour(std::uint8_t r, std::uint8_t g, std::uint8_t b);
    // A number of hundredths of a pixel as the shortest decimal, preceded by a blank
    // unless it is the first of a command or its sign separates it.
    void write_hundredths(long long v, bool separate);
    // " x, y" of a point with two decimals.
    void write_point(double x, double y);

    Sink* out_ = nullptr;
    TextOut text_;  // the document on its way to out_
    double scale_ = 0.0;
    PointChain<kSvgPoints> chain_;  // the line being drawn
    std::uint8_t red_ = 0, green_ = 0, blue_ = 0;
    double width_ = 1.0;
    Group group_ = Group::none;
    int text_font_ = 0;  // font and size of the open text group
    int text_size_ = 0;  // tenths of a pixel
};

void SvgDevice::to_device(double x, double y, double& dx, double& dy) const {
    if (state_.page.orientation == PageOrientation::portrait) {
        dx = scale_ * y;
        dy = scale_ * (state_.page.width - x);
    } else {
        dx = scale_ * x;
        dy = scale_ * y;
    }
}

Warning SvgDevice::open(Sink* file) {
    if (!file) return warning::file_error;
    out_ = file;
    text_.reset(file);
    PageState& p = state_.page;
    p.colour_depth = 24;
    scale_ = fitted_scale(state_);
    p.device_scale = scale_;

    const DateText when = date_text(state_.frame.clock());
    text_.put("<?xml version=\"1.0\" encoding=\"ISO-8859-1\" standalone=\"no\"?>\n");
    text_.put("<!DOCTYPE svg PUBLIC \"-//W3C//DTD SVG 20010904//EN\"\n");
    text_.put("  \"http://www.w3.org/TR/2001/REC-SVG-20010904/DTD/svg10.dtd\">\n");
    text_.put("<!-- Created by GRAVOX (https://gravox.example.org)\n");
    text_.put("Version: ").fixed(kFormatVersion, 1, 4).put('\n');
    text_.put("Date   : ").put(when.date).put(' ').put(when.time).put('\n');
    text_.put("-->\n");
    text_.put("<svg width=\"").integer(truncate_coordinate((p.device_w - 1) + 1.5));
    text_.put("\" height=\"").integer(truncate_coordinate((p.device_h - 1) + 1.5)).put("\"\n");
    text_.put("  xmlns=\"http://www.w3.org/2000/svg\"\n");
    text_.put("  xmlns:xlink=\"http://www.w3.org/1999/xlink\">\n\n");

    width_ = 1.0;
    group_ = Group::none;
    chain_.reset();
    // Under REVERS the page keeps the document's own white background.
    if (!is_reverse_mode(state_.files.screen_mode_effective))
        write_rect(0.0, 0.0, p.device_w - 1, p.device_h - 1, 0, 0, 0);
    return warning::none;
}

// linwid keeps the width in the primitives' state, negative when the device widens
// lines itself. A width different from the one of the open group ends that group
// before anything is drawn with the new width; every entry point checks it first, so
// the document is the same as if linwid had told the writer at once.
void SvgDevice::sync_width() {
    const int w = state_.prims->line_width;
    const double width = w < 0 ? -static_cast<double>(w) : 1.0;
    if (width == width_) return;
    flush();
    close_group();
    width_ = width;
}

void SvgDevice::open_stroke_group() {
    if (group_ == Group::stroke) return;
    close_group();
    text_.put("<g fill=\"none\" stroke=\"");
    write_colour(red_, green_, blue_);
    text_.put("\" stroke-width=\"").fixed(width_, 3).put("\">\n");
    group_ = Group::stroke;
}

void SvgDevice::close_group() {
    if (group_ == Group::none) return;
    text_.put("</g>\n");
    group_ = Group::none;
}

void SvgDevice::write_pending() {
    const int n = chain_.count();
    if (n == 0) return;
    open_stroke_group();
    if (n == 2) {
        text_.put("<line x1=\"").fixed(chain_.x(0), 2).put("\" y1=\"").fixed(chain_.y(0), 2);
        text_.put("\" x2=\"").fixed(chain_.x(1), 2).put("\" y2=\"").fixed(chain_.y(1), 2);
        text_.put("\"/>\n");
    } else if (n > 2) {
        text_.put("<polyline points=\"\n");
        // Five points to a line, each line's room taken at once.
        for (int i = 0; i < n; i += kPointsPerLine) {
            const int end = std::min(i + kPointsPerLine, n);
            char* at = text_.room(kPointsPerLine * kPointChars + 1);
            for (int j = i; j < end; ++j) at = point_at(at, chain_.x(j), chain_.y(j));
            if (end < n) *at++ = '\n';
            text_.advance_to(at);
        }
        text_.put("\"/>\n");
    }
    chain_.written();
}

void SvgDevice::flush() {
    write_pending();
}

void SvgDevice::move(double x, double y) {
    if (!out_) return;
    sync_width();
    write_pending();
    double dx, dy;
    to_device(x, y, dx, dy);
    chain_.start(dx, dy);
}

void SvgDevice::draw(double x, double y) {
    if (!out_) return;
    sync_width();
    double dx, dy;
    to_device(x, y, dx, dy);
    add_point(dx, dy);
}

// A long line goes on as a chain of elements sharing their end points.
void SvgDevice::add_point(double x, double y) {
    if (chain_.add(x, y)) {
        write_pending();
        chain_.resume();
    }
}

// The points of a polyline go straight into the chain, the width checked once.
void SvgDevice::polyline(const double* x, const double* y, int n) {
    if (!out_ || n < 1) return;
    move(x[0], y[0]);
    for (int i = 1; i < n; ++i) {
        double dx, dy;
        to_device(x[i], y[i], dx, dy);
        add_point(dx, dy);
    }
}

void SvgDevice::colour(int value) {
    if (!out_) return;
    sync_width();
    flush();
    close_group();
    const DeviceColour c = resolve_device_colour(state_, value);
    red_ = c.red;
    green_ = c.green;
    blue_ = c.blue;
}

void SvgDevice::write_colour(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    text_.put('#').hex2(r).hex2(g).hex2(b);
}

void SvgDevice::write_point(double x, double y) {
    text_.advance_to(point_at(text_.room(kPointChars), x, y));
}

void SvgDevice::write_rect(double x, double y, double w, double h, std::uint8_t r, std::uint8_t g,
                           std::uint8_t b) {
    text_.put("<rect x=\"").fixed(x, 2).put("\" y=\"").fixed(y, 2);
    text_.put("\" width=\"").fixed(w, 2).put("\" height=\"").fixed(h, 2).put("\"\n");
    text_.put(" fill=\"");
    write_colour(r, g, b);
    text_.put("\" stroke=\"none\"/>\n");
}

void SvgDevice::fill_box(double x1, double y1, double x2, double y2, int colour) {
    if (!out_) return;
    sync_width();
    // The pending line was drawn before the box and must stay beneath it.
    flush();
    open_stroke_group();
    double ax, ay, bx, by;
    to_device(x1, y1, ax, ay);
    to_device(x2, y2, bx, by);
    if (ax > bx) std::swap(ax, bx);
    if (ay > by) std::swap(ay, by);
    const DeviceColour c = resolve_device_colour(state_, colour);
    write_rect(ax, ay, bx - ax, by - ay, c.red, c.green, c.blue);
}

void SvgDevice::write_hundredths(long long v, bool separate) {
    if (v < 0) {
        text_.put('-');
        v = -v;
    } else if (separate) {
        text_.put(' ');
    }
    text_.integer(v / 100);
    const int cents = static_cast<int>(v % 100);
    if (cents == 0) return;
    text_.put('.').put(static_cast<char>('0' + cents / 10));
    if (cents % 10 != 0) text_.put(static_cast<char>('0' + cents % 10));
}

// One path of closed rectangular subpaths. Corners are rounded to hundredths of a pixel
// and each subpath starts relative to the start of the one before, so the numbers stay
// short while the corners are exactly those of rectangles written one by one.
void SvgDevice::fill_boxes(const PlotBox* boxes, int n, int colour) {
    if (!out_ || n < 1) return;
    sync_width();
    flush();
    open_stroke_group();
    const DeviceColour c = resolve_device_colour(state_, colour);
    text_.put("<path fill=\"");
    write_colour(c.red, c.green, c.blue);
    text_.put("\" stroke=\"none\" d=\"");
    const auto hundredths = [](double v) { return std::llround(v * 100.0); };
    long long start_x = 0, start_y = 0;
    for (int k = 0; k < n; ++k) {
        double ax, ay, bx, by;
        to_device(boxes[k].x1, boxes[k].y1, ax, ay);
        to_device(boxes[k].x2, boxes[k].y2, bx, by);
        const long long x1 = hundredths(std::min(ax, bx)), y1 = hundredths(std::min(ay, by));
        const long long w = hundredths(std::max(ax, bx)) - x1;
        const long long h = hundredths(std::max(ay, by)) - y1;
        text_.put(k == 0 ? 'M' : 'm');
        write_hundredths(x1 - start_x, false);
        write_hundredths(y1 - start_y, true);
        text_.put('h');
        write_hundredths(w, false);
        text_.put('v');
        write_hundredths(h, false);
        text_.put('h');
        write_hundredths(-w, false);
        text_.put(k % 8 == 7 ? "z\n" : "z");
        start_x = x1;
        start_y = y1;
    }
    text_.put("\"/>\n");
}

Warning SvgDevice::fill_polygon(const double* x, const double* y, int n) {
    if (!out_ || !x || !y || n < 1) return warning::none;
    sync_width();
    flush();
    open_stroke_group();
    text_.put("<polygon fill=\"");
    write_colour(red_, green_, blue_);
    text_.put("\" points=\"\n");
    for (int i = 0; i < n; ++i) {
        double dx, dy;
        to_device(x[i], y[i], dx, dy);
        write_point(dx, dy);
        if ((i + 1) % kPointsPerLine == 0 && i + 1 < n) text_.put('\n');
    }
    text_.put("\"/>\n");
    return warning::none;
}

void SvgDevice::text_character(const DeviceCharacter& c) {
    if (!out_) return;
    sync_width();
    flush();
    // The font size that makes the capitals as tall as the character height (the
    // size divisor is the font's capital height in thousandths of its size), to a
    // tenth of a pixel.
    const int divisor = c.size_divisor > 0 ? c.size_divisor : 1000;
    const int size = truncate_coordinate(c.height * 10000.0 / divisor * scale_ + 0.5);
    // A group is reopened for another size as well as another font, so that a change
    // of the character height shows in the document.
    if (group_ != Group::text || text_font_ != c.font || text_size_ != size) {
        close_group();
        const SvgFont f = svg_font(c.font);
        text_.put("<g font-family=\"").put(f.family).put("\" font-weight=\"").put(f.weight);
        text_.put("\" font-style=\"").put(f.style).put("\"\n");
        text_.put("font-size=\"").integer(size / 10);
        if (size % 10 != 0) text_.put('.').integer(size % 10);
        text_.put("\" stroke=\"none\" fill=\"");
        write_colour(red_, green_, blue_);
        text_.put("\">\n");
        group_ = Group::text;
        text_font_ = c.font;
        text_size_ = size;
    }
    double x, y;
    to_device(c.x, c.y, x, y);
    if (c.slant != 0.0) {
        // A slanted character (chaang): placed, turned and sheared by a transformation.
        const double degrees = std::atan(c.slant) * (180.0 / 3.14159265358979323846);
        text_.put("<text transform=\"translate(").fixed(x, 2).put(' ').fixed(y, 2).put(')');
        if (c.angle != 0) text_.put(" rotate(").integer(-c.angle).put(')');
        text_.put(" skewX(").fixed(-degrees, 2).put(")\">");
    } else {
        text_.put("<text x=\"").fixed(x, 2).put("\" y=\"").fixed(y, 2).put('"');
        if (c.angle != 0)
            text_.put(" rotate=\"").integer(-c.angle).put("\">");
        else
            text_.put(">");
    }
    // Symbol and ZapfDingbats have codes of their own, which are no Latin-1 characters.
    const unsigned char code =
        standard_font(c.font).symbolic ? text_code(c.code) : latin1_code(c.code);
    if (code >= 160)
        text_.put("&#").integer(code).put(';');
    else if (code == '&')
        text_.put("&amp;");
    else if (code == '<')
        text_.put("&lt;");
    else if (code == '>')
        text_.put("&gt;");
    else
        text_.put(static_cast<char>(code));
    text_.put("</text>\n");
}

Warning SvgDevice::close() {
    if (!out_) return warning::none;
    sync_width();
    flush();
    close_group();
    text_.put("</svg>\n");
    text_.reset(nullptr);  // everything to the file before core closes it
    out_ = nullptr;
    return warning::none;
}

}  // namespace

std::unique_ptr<Device> make_svg_device(PlotState& s, int /*code*/) {
    return std::make_unique<SvgDevice>(s);
}

}  // namespace gvx
