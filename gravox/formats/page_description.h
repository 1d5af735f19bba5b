// The drawing shared by the PostScript, EPS and PDF devices.
//
// Both languages describe a page with postfix operators. The PostScript prolog defines
// short procedures under the operator names of PDF content streams (m, l, S, f, re, w,
// J, j, M, RG, q, Q, ...), so one writer produces the body of a page for both, and a
// million-point curve stays near 16 bytes a point. A page starts with a transformation
// to plot units (y growing downwards), so coordinates and line widths are written in
// plot units with one decimal at most. A path leaves out what adds nothing to the page
// at that precision: a point written the same as the one before, and the points inside
// a straight run, so a dense curve costs little more than its visible corners.
#pragma once

#include <cstdint>

#include "gravox/core/text_out.h"
#include "gravox/formats/formats.h"

namespace gvx {

class PageDescriptionDevice : public Device, public TextDevice, public PageDevice {
  public:
    DeviceCapabilities capabilities() const override {
        DeviceCapabilities caps;
        caps.fills_polygons = true;
        caps.draws_wide_lines = true;
        return caps;
    }

    void move(double x, double y) override;
    void draw(double x, double y) override;
    void polyline(const double* x, const double* y, int n) override;
    void colour(int value) override;
    Warning fill_polygon(const double* x, const double* y, int n) override;
    void fill_box(double x1, double y1, double x2, double y2, int colour) override;
    void erase() override;

    // Paper size in points (the page of the page format at the scale of sclmod).
    double paper_width() const { return paper_w_; }
    double paper_height() const { return paper_h_; }

  protected:
    // The writer's dialect of the shared body.
    struct Dialect {
        bool separate_fill_colour;  // PDF: fill colour set apart from the stroke colour
        bool grey;                  // colours written as grey levels (black-and-white device)
    };
    PageDescriptionDevice(PlotState& s, Dialect dialect) : Device(s), dialect_(dialect) {}

    // Sets scale and paper size from the page and tells the page record.
    void settle_geometry();
    // Starts the body of a page on out: the transformation to plot units (written by
    // write_transform), the default graphics state and, unless the page keeps the
    // reader's white paper, the black background.
    void begin_body(TextOut* out);
    // Strokes what is pending; the body ends here.
    void end_body();
    virtual void write_transform(double a, double b, double c, double d, double e, double f) = 0;
    // One decimal at most: "%.1f" with a trailing ".0" dropped.
    void number(double v);
    // A value in tenths as number writes it, rounded half away from zero (0 when not
    // finite).
    static long long tenths(double v);
    // The text of a value in tenths at out (at most TextOut::kNumberChars characters);
    // returns its end.
    static char* tenths_text(char* out, long long n);
    // A coefficient of a transformation: an integer as such, else six decimals.
    static void coefficient(TextOut& out, double v);
    // A colour component 0..255 as a fraction: 0, 1 or three decimals.
    void fraction(std::uint8_t v);
    // One character inside a string literal "( ... )" of either language.
    static void string_character(TextOut& out, unsigned char code);
    void write_colour(std::uint8_t r, std::uint8_t g, std::uint8_t b, bool fill);
    // Strokes the pending path.
    void stroke();

    TextOut* out_ = nullptr;  // the body of the page being written
    double scale_ = 0.0;      // points per plot unit
    double paper_w_ = 0.0, paper_h_ = 0.0;
    std::uint8_t red_ = 0, green_ = 0, blue_ = 0;  // current colour

  private:
    void sync_attributes();
    // A line from the pen to (x, y) with the attributes already written.
    void line_to(double x, double y);
    // Writes the path point (x, y), in tenths, with operator op and makes it the anchor.
    void write_point(long long x, long long y, char op);
    // Writes the pending line, if any.
    void write_pending();
    void page_rect(std::uint8_t r, std::uint8_t g, std::uint8_t b);

    Dialect dialect_;
    long long path_points_ = 0;  // points of the pending path
    // The path in tenths: the pen, where the path ends, and the anchor, the last point
    // written. While a line is pending, the pen is its end, not yet written; otherwise
    // pen and anchor are the same point.
    long long pen_x_ = 0, pen_y_ = 0;
    long long anchor_x_ = 0, anchor_y_ = 0;
    bool pending_ = false;
    bool drawn_ = false;  // the subpath at the pen has a line
    // Attributes as written on the page; a width of 0 forces the first writing.
    double width_ = 0.0;
    int line_width_ = 0;  // the primitives' width that width_ was made from
    int cap_ = -1, join_ = -1;
    double miter_ = 0.0;
};

}  // namespace gvx
