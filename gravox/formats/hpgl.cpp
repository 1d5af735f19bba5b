// The plotter devices "HPGL" (401) and "HPA4" to "HPA1" (402 to 405): HPGL pen
// commands in plotter units, with the y axis pointing up from the lower left corner.
//
// Commands are collected in a line of at most 80 characters; a command that would
// not fit ends the line first, so no command is ever split across two lines. Pen
// numbers are colour-table indices. The device neither fills nor widens: boxes are
// hatched and wide or patterned lines arrive as separate segments from the
// primitives, and no line width or line type commands are written.
#include <algorithm>
#include <charconv>
#include <cstring>

#include "gravox/core/state.h"
#include "gravox/core/text_out.h"
#include "gravox/core/warning_texts.h"
#include "gravox/devices/primitives.h"
#include "gravox/formats/formats.h"
#include "gravox/gravox.h"

namespace gvx {
namespace {

constexpr int kHpglLineLength = 80;

// Plotting area of the fitted devices 402 to 405, longer and shorter side.
struct PlotterArea {
    double longer, shorter;
};
constexpr PlotterArea kAreas[] = {
    {10870.0, 7600.0},   // 402 A4
    {15970.0, 10870.0},  // 403 A3
    {21360.0, 13440.0},  // 404 A2
    {30280.0, 21360.0},  // 405 A1
};

class HpglDevice final : public Device {
  public:
    HpglDevice(PlotState& s, int code) : Device(s), code_(code) {}

    DeviceCapabilities capabilities() const override { return {}; }

    Warning open(Sink* file) override;
    Warning close() override;
    void move(double x, double y) override { command("PU", x, y); }
    void draw(double x, double y) override { command("PD", x, y); }
    void polyline(const double* x, const double* y, int n) override {
        if (n < 1) return;
        move(x[0], y[0]);
        for (int i = 1; i < n; ++i) command("PD", x[i], y[i]);
    }
    void colour(int value) override;

  private:
    void to_plotter(double x, double y, int& px, int& py) const;
    void command(const char* pen, double x, double y);
    // Appends one command of n characters to the line, ending the line first when it
    // would not fit.
    void append(const char* text, int n);
    // True when a text of n characters does not fit the rest of a started line.
    bool ends_line_before(int n) const { return pending_ > 0 && pending_ + n > kHpglLineLength; }
    void end_line();

    int code_;
    Sink* out_ = nullptr;
    TextOut text_;  // the commands on their way to out_
    double scale_ = 0.0;
    int pending_ = 0;  // characters of the current line
};

Warning HpglDevice::open(Sink* file) {
    if (!file) return warning::file_error;
    out_ = file;
    text_.reset(file);
    if (state_.formats->hpgl_mode == 1) text_.put("IN;SP1;LT;PU;\n");
    text_.put(" SP1;\n");

    const PageState& p = state_.page;
    const double u = state_.frame.unit_scale * p.scale_factor;
    scale_ = 4.0 * u;
    if (code_ >= 402 && code_ <= 405) {
        const double longer = std::max(p.width, p.height);
        const double shorter = std::min(p.width, p.height);
        const PlotterArea& a = kAreas[code_ - 402];
        scale_ = longer > 0 && shorter > 0 ? std::min(a.longer / longer, a.shorter / shorter) : 0.0;
        if (p.scale_mode == ScaleMode::down) scale_ = std::min(scale_, 4.0 * u);
    }
    state_.page.device_scale = scale_;
    pending_ = 0;
    return warning::none;
}

void HpglDevice::to_plotter(double x, double y, int& px, int& py) const {
    const PageState& p = state_.page;
    const double s = scale_;
    double rx, ry;
    if (code_ == 401) {
        if (p.orientation == PageOrientation::portrait) {
            rx = s * y;
            ry = s * x;
        } else {
            rx = s * x;
            ry = s * (p.height - y);
        }
    } else if (p.height < p.width) {
        rx = s * x;
        ry = s * (p.height - y);
    } else {
        // A page higher than wide is turned onto the plotter's landscape area.
        rx = s * (p.height - y);
        ry = s * (p.width - x);
    }
    px = round_coordinate(rx);
    py = round_coordinate(ry);
}

void HpglDevice::command(const char* pen, double x, double y) {
    if (!out_) return;
    int px, py;
    to_plotter(x, y, px, py);
    // "PU" or "PD", two integers of at most 11 characters, the comma and the semicolon:
    // at most 26 characters, so a command always fits a line of its own. It is written
    // straight into the output and moved on by one byte in the rare case that the line
    // must end before it.
    char* const start = text_.room(32);
    start[0] = pen[0];
    start[1] = pen[1];
    char* at = TextOut::integer_at(start + 2, px);
    *at++ = ',';
    at = TextOut::integer_at(at, py);
    *at++ = ';';
    const int n = static_cast<int>(at - start);
    if (ends_line_before(n)) {
        std::memmove(start + 1, start, static_cast<std::size_t>(n));
        *start = '\n';
        ++at;
        pending_ = 0;
    }
    text_.advance_to(at);
    pending_ += n;
}

void HpglDevice::colour(int value) {
    if (!out_) return;
    char text[24] = "SP";
    char* at = std::to_chars(text + 2, text + 13, resolve_device_colour(state_, value).index).ptr;
    *at++ = ';';
    append(text, static_cast<int>(at - text));
}

void HpglDevice::end_line() {
    text_.put('\n');
    pending_ = 0;
}

void HpglDevice::append(const char* text, int n) {
    if (ends_line_before(n)) end_line();
    if (n > kHpglLineLength) {
        warn(state_, warning::hpgl_overflow);
        return;
    }
    text_.put(std::string_view(text, static_cast<std::size_t>(n)));
    pending_ += n;
}

Warning HpglDevice::close() {
    if (!out_) return warning::none;
    append("PU0,0;", 6);
    end_line();
    text_.reset(nullptr);  // everything to the file before core closes it
    out_ = nullptr;
    return warning::none;
}

}  // namespace

std::unique_ptr<Device> make_hpgl_device(PlotState& s, int code) {
    return std::make_unique<HpglDevice>(s, code);
}

}  // namespace gvx

using namespace gvx;

void Gravox::hpgmod(const char* mode, const char* key) {
    if (refused("hpgmod", 0, 0)) return;
    PlotState& s = *state_;
    char reduced[5] = "";
    copy_text(reduced, key ? key : "", 4);
    upper_case(reduced);
    if (std::strcmp(reduced, "PLOT") != 0) {
        warn_text(s, warning::incorrect_parameter, key ? key : "");
        return;
    }
    const int index = match_keyword(s, "STAN+ARIS", 2, mode);
    if (index == 0) return;
    s.formats->hpgl_mode = index - 1;
}
