// The "JAVA" device: the picture as the source of an applet class whose paint method
// replays every line, colour change, box fill and erase in integer pixels.
//
// It is a pixel device: plot coordinates become pixels exactly as on the raster
// devices, and each drawn segment becomes one drawLine call, so the source grows by
// one line per vector. A filled polygon becomes one fillPolygon call with its vertices
// rounded to pixels, given as two int arrays.
//
// Java limits the bytecode of one method to 64 KB, a few thousand calls, while a
// figure of long curves makes hundreds of thousands of lines. So after every
// kCallsPerMethod calls the method ends by calling the next part of the picture,
// "private void part1 (Graphics g)", "part2" and so on: short pictures keep the single
// paint method, long ones still compile.
//
// A polygon of more than kInlineVertices vertices would not fit one method as a single
// call with its arrays written inline. Such a polygon ends the current method; its
// vertices follow in a chain of static methods of at most kVerticesPerMethod vertices
// each, which store them into two int arrays at an offset and call the next one:
//
//   private static void vertices1_0 (int[] x, int[] y, int o) {
//     x[o+0]=29;y[o+0]=86;x[o+1]=43;y[o+1]=29; ...
//     vertices1_1 (x, y, 1500);
//     }
//
// The next part method then allocates the arrays, fills them by the first method of
// the chain and draws the whole polygon with one call, so the fill is the same as for
// a small polygon:
//
//   int[] x1 = new int[20000], y1 = new int[20000];
//   vertices1_0 (x1, y1, 0);
//   g.fillPolygon (x1, y1, 20000);
//
// Indices inside a method stay below kVerticesPerMethod, so they need no entries in
// the class's constant pool however long the polygon is.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>

#include "gravox/core/state.h"
#include "gravox/core/text_out.h"
#include "gravox/devices/primitives.h"
#include "gravox/formats/formats.h"

namespace gvx {
namespace {

constexpr int kClassNameLength = 60;
constexpr int kCallsPerMethod = 2000;
// Polygons up to this many vertices are written inline in one fillPolygon call.
constexpr int kInlineVertices = 1000;
// Vertices stored by one method of a long polygon's chain: at most 20 bytes of code
// each (two array stores), well below the 64 KB of one method.
constexpr int kVerticesPerMethod = 1500;
// Vertices on one source line of a chain method.
constexpr int kVerticesPerLine = 5;

class AppletDevice final : public PixelDevice {
  public:
    explicit AppletDevice(PlotState& s) : PixelDevice(s) {}

    DeviceCapabilities capabilities() const override {
        DeviceCapabilities caps = PixelDevice::capabilities();
        caps.keeps_palette = false;  // colours arrive as values and are written as RGB
        return caps;
    }

    Warning open(Sink* file) override;
    Warning close() override;
    void colour(int value) override;
    void erase() override;

    void polyline(const double* x, const double* y, int n) override;
    void line(int x1, int y1, int x2, int y2) override;
    void pixel_box(int x1, int y1, int x2, int y2, int colour) override;
    void pixel_point(int x, int y, int colour) override;
    Warning pixel_polygon(const double* x, const double* y, int n) override;

  private:
    // Fills a pixel box in a colour value, switching the graphics colour for it when
    // that differs from the current one and back afterwards.
    void filled_rect(int x, int y, int w, int h, int colour);
    void set_colour(std::uint8_t r, std::uint8_t g, std::uint8_t b);
    // Accounts for the next call (a polygon weighs as much as its vertices) and moves on
    // to the next method when the current one is full.
    void next_call(long weight = 1);
    // Ends the current method by calling the next part, and starts that part.
    void end_method();
    void start_method();
    // A polygon above kInlineVertices: its chain of vertex methods between two parts.
    void long_polygon(const double* x, const double* y, int n);
    // A call with four integer arguments: its head, "a,b,c,d" and ");".
    void write_call(std::string_view head, int a, int b, int c, int d);
    // The rounded coordinates of a polygon's vertices, ten to a line.
    void write_vertices(const double* v, int n);

    Sink* out_ = nullptr;
    TextOut text_;                                 // the source on its way to out_
    long calls_ = 0;                               // calls in the current method
    int part_ = 0;                                 // number of the current method after paint
    int long_polygons_ = 0;                        // polygons written as a chain of methods
    std::uint8_t red_ = 0, green_ = 0, blue_ = 0;  // colour of the graphics object
};

bool identifier_character(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '$';
}

// The class name: the file name after its directory part (ended by the last "\", "/"
// or ":"), at most 60 characters, cut at its first ".". A character that cannot stand
// in a Java name (the hyphen of a counted name, a blank, a brace) becomes "_", so that
// no file name can put anything but a name into the source; an empty name becomes "_".
void class_name(const char* file_name, char* name) {
    const char* start = file_name;
    for (const char* c = file_name; *c; ++c)
        if (*c == '\\' || *c == '/' || *c == ':') start = c + 1;
    int n = 0;
    while (n < kClassNameLength && start[n] && start[n] != '.') {
        name[n] = identifier_character(start[n]) ? start[n] : '_';
        ++n;
    }
    if (n == 0) name[n++] = '_';
    name[n] = '\0';
}

Warning AppletDevice::open(Sink* file) {
    if (!file) return warning::file_error;
    out_ = file;
    text_.reset(file);
    PageState& p = state_.page;
    p.colour_depth = 24;
    p.device_scale = fitted_scale(state_);

    char name[kClassNameLength + 1];
    class_name(state_.files.plot_file_name, name);
    const DateText when = date_text(state_.frame.clock());
    text_.put("// GRAVOX Java Metafile\n");
    text_.put("// Creator: GRAVOX ").fixed(kFormatVersion, 1, 4).put('\n');
    text_.put("// Date   : ").put(when.date).put(", ").put(when.time).put('\n');
    text_.put("// Size   : ").integer(p.device_w).put(' ').integer(p.device_h).put('\n');
    text_.put("\n");
    text_.put("import java.applet.*;\n");
    text_.put("import java.awt.*;\n\n");
    text_.put("public class ").put(name).put(" extends Applet {\n");
    text_.put("public void paint(Graphics g) {\n");
    return warning::none;
}

Warning AppletDevice::close() {
    if (!out_) return warning::none;
    text_.put("  }\n}\n");
    text_.reset(nullptr);  // everything to the file before core closes it
    out_ = nullptr;
    return warning::none;
}

void AppletDevice::next_call(long weight) {
    calls_ += weight;
    if (calls_ <= kCallsPerMethod) return;
    end_method();
    start_method();
    calls_ = weight;
}

void AppletDevice::end_method() {
    ++part_;
    text_.put("  part").integer(part_).put(" (g);\n  }\n");
}

void AppletDevice::start_method() {
    text_.put("private void part").integer(part_).put(" (Graphics g) {\n");
}

void AppletDevice::write_call(std::string_view head, int a, int b, int c, int d) {
    char* at = text_.room(head.size() + 4 * TextOut::kNumberChars + 6);
    std::memcpy(at, head.data(), head.size());
    at = TextOut::integer_at(at + head.size(), a);
    *at++ = ',';
    at = TextOut::integer_at(at, b);
    *at++ = ',';
    at = TextOut::integer_at(at, c);
    *at++ = ',';
    at = TextOut::integer_at(at, d);
    at[0] = ')';
    at[1] = ';';
    at[2] = '\n';
    text_.advance_to(at + 3);
}

void AppletDevice::write_vertices(const double* v, int n) {
    for (int i = 0; i < n; ++i) {
        if (i > 0) text_.put(i % 10 == 0 ? ",\n    " : ",");
        text_.integer(round_coordinate(v[i]));
    }
}

void AppletDevice::set_colour(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    next_call();
    text_.put("  g.setColor (new Color (").integer(r).put(',').integer(g).put(',').integer(b);
    text_.put("));\n");
    red_ = r;
    green_ = g;
    blue_ = b;
}

void AppletDevice::colour(int value) {
    if (!out_) return;
    const DeviceColour c = resolve_device_colour(state_, value);
    set_colour(c.red, c.green, c.blue);
}

void AppletDevice::erase() {
    if (!out_) return;
    next_call();
    text_.put("  g.clearRect (0,0,").integer(state_.page.device_w).put(',');
    text_.integer(state_.page.device_h).put(");\n");
}

// The text "x,y" of a pixel point: two integers of at most 11 characters and a comma.
struct PointText {
    static constexpr std::size_t kLongest = 23;
    char text[2 * TextOut::kNumberChars + 1];
    std::size_t length;

    void set(int x, int y) {
        char* at = TextOut::integer_at(text, x);
        *at++ = ',';
        length = static_cast<std::size_t>(TextOut::integer_at(at, y) - text);
    }
};

// A line of many points: the pixel conversion taken once, every segment one call, as
// the pen would draw them one by one. Each point's text is made once and serves as
// the end of one segment and the start of the next.
void AppletDevice::polyline(const double* x, const double* y, int n) {
    if (n < 1) return;
    static constexpr std::string_view kHead = "  g.drawLine (";
    const PixelMapping map = pixel_mapping();
    int px, py;
    map.to_pixel(x[0], y[0], px, py);
    PointText texts[2] = {};
    PointText* start = &texts[0];
    PointText* end = &texts[1];
    if (out_) start->set(px, py);
    for (int i = 1; i < n; ++i) {
        map.to_pixel(x[i], y[i], px, py);
        if (!out_) continue;
        next_call();
        end->set(px, py);
        // Whole blocks of kLongest + 1 bytes are copied: fixed sizes copy fastest.
        char* at = text_.room(kHead.size() + 2 * (PointText::kLongest + 1) + 4);
        std::memcpy(at, kHead.data(), kHead.size());
        at += kHead.size();
        std::memcpy(at, start->text, PointText::kLongest + 1);
        at += start->length;
        *at++ = ',';
        std::memcpy(at, end->text, PointText::kLongest + 1);
        at += end->length;
        at[0] = ')';
        at[1] = ';';
        at[2] = '\n';
        text_.advance_to(at + 3);
        std::swap(start, end);
    }
    set_pen(px, py);
}

void AppletDevice::line(int x1, int y1, int x2, int y2) {
    if (!out_) return;
    next_call();
    write_call("  g.drawLine (", x1, y1, x2, y2);
}

void AppletDevice::filled_rect(int x, int y, int w, int h, int colour) {
    const DeviceColour c = resolve_device_colour(state_, colour);
    const bool other = c.red != red_ || c.green != green_ || c.blue != blue_;
    const std::uint8_t r = red_, g = green_, b = blue_;
    if (other) set_colour(c.red, c.green, c.blue);
    next_call();
    write_call("  g.fillRect (", x, y, w, h);
    if (other) set_colour(r, g, b);
}

void AppletDevice::pixel_box(int x1, int y1, int x2, int y2, int colour) {
    if (!out_) return;
    // Width and height of the inclusive box, computed wide so no corner overflows.
    const long long w = static_cast<long long>(x2) - x1 + 1;
    const long long h = static_cast<long long>(y2) - y1 + 1;
    filled_rect(x1, y1, static_cast<int>(std::min<long long>(w, INT_MAX)),
                static_cast<int>(std::min<long long>(h, INT_MAX)), colour);
}

void AppletDevice::pixel_point(int x, int y, int colour) {
    if (!out_) return;
    filled_rect(x, y, 1, 1, colour);
}

void AppletDevice::long_polygon(const double* x, const double* y, int n) {
    const int number = ++long_polygons_;
    end_method();
    // Offsets wide, so that the step past the last method cannot overflow.
    for (long long first = 0, link = 0; first < n; first += kVerticesPerMethod, ++link) {
        const int count = static_cast<int>(std::min<long long>(kVerticesPerMethod, n - first));
        text_.put("private static void vertices").integer(number).put('_').integer(link);
        text_.put(" (int[] x, int[] y, int o) {\n");
        for (int k = 0; k < count; ++k) {
            text_.put(k % kVerticesPerLine == 0 ? "  x[o+" : "x[o+").integer(k).put("]=");
            text_.integer(round_coordinate(x[first + k])).put(";y[o+").integer(k);
            text_.put("]=").integer(round_coordinate(y[first + k]));
            text_.put(k % kVerticesPerLine == kVerticesPerLine - 1 || k == count - 1 ? ";\n" : ";");
        }
        if (n - first > kVerticesPerMethod) {
            text_.put("  vertices").integer(number).put('_').integer(link + 1);
            text_.put(" (x, y, ").integer(first + kVerticesPerMethod).put(");\n");
        }
        text_.put("  }\n");
    }
    start_method();
    text_.put("  int[] x").integer(number).put(" = new int[").integer(n).put("], y");
    text_.integer(number).put(" = new int[").integer(n).put("];\n");
    text_.put("  vertices").integer(number).put("_0 (x").integer(number).put(", y");
    text_.integer(number).put(", 0);\n");
    text_.put("  g.fillPolygon (x").integer(number).put(", y").integer(number).put(", ");
    text_.integer(n).put(");\n");
    calls_ = 3;  // the allocation, the fill and the drawing
}

Warning AppletDevice::pixel_polygon(const double* x, const double* y, int n) {
    if (!out_ || n < 1) return warning::none;
    if (n > kInlineVertices) {
        long_polygon(x, y, n);
        return warning::none;
    }
    next_call(1 + static_cast<long>(n));
    // Ten vertices to a source line keep the arrays readable.
    text_.put("  g.fillPolygon (new int[] {");
    write_vertices(x, n);
    text_.put("},\n    new int[] {");
    write_vertices(y, n);
    text_.put("}, ").integer(n).put(");\n");
    return warning::none;
}

}  // namespace

std::unique_ptr<Device> make_applet_device(PlotState& s, int /*code*/) {
    return std::make_unique<AppletDevice>(s);
}

}  // namespace gvx
