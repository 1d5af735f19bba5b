// Contour lines: contur on a grid, conmat on a matrix over the axis system, their
// labels (conmod, conlab) and the breaks of the line under each label.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "gravox/axes/axis_system.h"
#include "gravox/core/number_text.h"
#include "gravox/core/state.h"
#include "gravox/fields/fields.h"
#include "gravox/fields/fields_internal.h"
#include "gravox/gravox.h"
#include "gravox/text/text.h"

namespace gvx {

namespace {

// Contour label modes of labels(.., "CON"): "NONE", "FLOA", "CONL".
constexpr int kNoLabels = 1, kValueLabels = 2;

// Draws traced lines in plot coordinates with their labels.
class ContourDrawer final : public ContourSink {
  public:
    ContourDrawer(PlotState& s, double level) : s_(s), map_(plot_mapping(s)) {
        const FeatureLabels& f = s.axes->features;
        if (f.contour_mode == kNoLabels) return;
        if (f.contour_mode == kValueLabels)
            number_text(level, f.contour_digits, 0, text_, sizeof text_);
        else
            copy_text(text_, s.fields->label_text, static_cast<int>(sizeof text_) - 1);
        if (text_[0] == '\0') return;
        labelled_ = true;
        length_ = text_length(s, text_);
        height_ = s.text->height;
        gap_ = s.fields->label_gap * height_;
        spacing_ = s.fields->label_spacing * f.contour_distance;
        horizontal_ = f.contour_type == 2;
    }

    void line(const double* x, const double* y, int n, bool) override {
        if (n < 2) return;
        std::vector<double>& px = s_.fields->work.plot_x;
        std::vector<double>& py = s_.fields->work.plot_y;
        std::vector<double>& arc = s_.fields->work.plot_arc;
        px.resize(n);
        py.resize(n);
        arc.resize(n);
        for (int k = 0; k < n; ++k) {
            px[k] = map_.x(x[k]);
            py[k] = map_.y(y[k]);
            arc[k] = k == 0 ? 0.0 : arc[k - 1] + std::hypot(px[k] - px[k - 1], py[k] - py[k - 1]);
        }
        const double total = arc[n - 1];
        const double width = length_ + 2.0 * gap_;
        if (!labelled_ || total < 2.0 * width) {
            draw_piece(0.0, total);
            return;
        }
        // Labels at the middle of each spacing, or one at the middle of the line.
        double first = std::max(spacing_ / 2.0, width);
        if (first + width > total) first = total / 2.0;
        double from = 0.0;
        for (double c = first; c + width / 2.0 <= total; c += std::max(spacing_, 2.0 * width)) {
            draw_piece(from, c - width / 2.0);
            label(c);
            from = c + width / 2.0;
        }
        draw_piece(from, total);
    }

  private:
    // The point at arc length a.
    void point_at(double a, double& x, double& y) const {
        const std::vector<double>& arc = s_.fields->work.plot_arc;
        const int n = static_cast<int>(arc.size());
        int k = static_cast<int>(std::upper_bound(arc.begin(), arc.end(), a) - arc.begin());
        k = std::clamp(k, 1, n - 1);
        const double d = arc[k] - arc[k - 1];
        const double t = d > 0.0 ? std::clamp((a - arc[k - 1]) / d, 0.0, 1.0) : 0.0;
        x = s_.fields->work.plot_x[k - 1] +
            t * (s_.fields->work.plot_x[k] - s_.fields->work.plot_x[k - 1]);
        y = s_.fields->work.plot_y[k - 1] +
            t * (s_.fields->work.plot_y[k] - s_.fields->work.plot_y[k - 1]);
    }

    // The line from arc length a to b.
    void draw_piece(double a, double b) {
        const std::vector<double>& arc = s_.fields->work.plot_arc;
        const std::vector<double>& px = s_.fields->work.plot_x;
        const std::vector<double>& py = s_.fields->work.plot_y;
        if (b < a) return;
        double x, y;
        point_at(a, x, y);
        offset_move_to(s_, x, y);
        const int n = static_cast<int>(arc.size());
        for (int k = 0; k < n; ++k)
            if (arc[k] > a && arc[k] < b) offset_draw_to(s_, px[k], py[k]);
        point_at(b, x, y);
        offset_draw_to(s_, x, y);
    }

    void label(double c) {
        double cx, cy, ax, ay, bx, by;
        point_at(c, cx, cy);
        double degrees = 0.0;
        if (!horizontal_) {
            point_at(c - length_ / 2.0, ax, ay);
            point_at(c + length_ / 2.0, bx, by);
            degrees = std::atan2(ay - by, bx - ax) * 180.0 / std::numbers::pi;
            if (degrees > 90.0) degrees -= 180.0;
            if (degrees <= -90.0) degrees += 180.0;
        }
        const int angle = static_cast<int>(std::lround(degrees));
        const double r = angle * std::numbers::pi / 180.0;
        // Along the text (cos, -sin) and down across it (sin, cos) on the page.
        const double ux = std::cos(r), uy = -std::sin(r), dx = std::sin(r), dy = std::cos(r);
        const double x = cx - length_ / 2.0 * ux - height_ / 2.0 * dx;
        const double y = cy - length_ / 2.0 * uy - height_ / 2.0 * dy;
        flush_polyline(s_);
        draw_text_sized(s_, text_, x, y, height_, angle);
    }

    PlotState& s_;
    PlotMapping map_;
    char text_[kNumberTextSize] = "";
    bool labelled_ = false, horizontal_ = false;
    double length_ = 0.0, gap_ = 0.0, spacing_ = 0.0;
    int height_ = 36;
};

// The level's contour with its labels, or warning 26 when it has too many crossings.
void draw_level(PlotState& s, const FieldGrid& g, double level) {
    const long n = count_intersections(g, level);
    if (n > kMaxContourIntersections) {
        warn_int(s, warning::too_many_intersections,
                 static_cast<int>(std::min<long>(n, 2147483647L)));
        return;
    }
    ContourDrawer drawer(s, level);
    trace_contour(s, g, level, drawer);
    flush_polyline(s);
}

}  // namespace

void axis_grid(PlotState& s, int nx, int ny, std::vector<double>& gx, std::vector<double>& gy) {
    const ScalingRecord& r = s.axes->rec;
    gx.resize(nx);
    gy.resize(ny);
    for (int i = 0; i < nx; ++i) {
        const double e = r.xa + i * (r.xe - r.xa) / (nx - 1);
        gx[i] = r.x_log ? std::pow(10.0, e) : e;
    }
    for (int j = 0; j < ny; ++j) {
        const double e = r.ya + j * (r.ye - r.ya) / (ny - 1);
        gy[j] = r.y_log ? std::pow(10.0, e) : e;
    }
}

}  // namespace gvx

using namespace gvx;

void Gravox::contur(const double* x, int nx, const double* y, int ny, const double* z,
                    double level) {
    if (refused("contur", 2, 3)) return;
    PlotState& s = state();
    if (refuses_three_d(s) || refuses_grid(s, x, nx, y, ny, z, 2, true)) return;
    draw_level(s, FieldGrid{x, nx, y, ny, z}, level);
}

void Gravox::conmat(const double* z, int nx, int ny, double level) {
    if (refused("conmat", 2, 3)) return;
    PlotState& s = state();
    if (refuses_three_d(s)) return;
    static const double kAny[1] = {0.0};
    if (refuses_grid(s, kAny, nx, kAny, ny, z, 2, false)) return;
    std::vector<double>& gx = s.fields->work.grid_x;
    std::vector<double>& gy = s.fields->work.grid_y;
    axis_grid(s, nx, ny, gx, gy);
    draw_level(s, FieldGrid{gx.data(), nx, gy.data(), ny, z}, level);
}

void Gravox::conmod(double spacing, double gap) {
    if (refused("conmod", 1, 3)) return;
    PlotState& s = state();
    if (!(spacing > 0.0) || !(gap >= 0.0) || !std::isfinite(spacing) || !std::isfinite(gap)) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    s.fields->label_spacing = spacing;
    s.fields->label_gap = gap;
}

void Gravox::conlab(const char* text) {
    if (refused("conlab", 1, 3)) return;
    FieldState& f = *state().fields;
    copy_text(f.label_text, text ? text : "", static_cast<int>(sizeof f.label_text) - 1);
}
