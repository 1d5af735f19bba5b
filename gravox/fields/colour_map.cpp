// Colour maps: a matrix over the colour axis system (crvmat) and coloured rectangles at
// scattered points (curve3, setres, autres).
#include <algorithm>
#include <cmath>
#include <vector>

#include "gravox/axes/axis_system.h"
#include "gravox/core/state.h"
#include "gravox/curves/colour.h"
#include "gravox/fields/fields.h"
#include "gravox/fields/fields_internal.h"
#include "gravox/gravox.h"

namespace gvx {

namespace {

constexpr int kMaxDivisions = 1000;

// The boxes of a colour map, merged in two directions: along a row while the colour
// stays, and down the rows while a run of the next row has the same ends and colour as
// a box still open above it. Only the open boxes of one row are kept. The boxes tile the
// map without overlapping, so on a device that fills box sets they are kept and filled
// colour by colour at the end, a few device operations instead of one per box.
class MapPainter {
  public:
    explicit MapPainter(PlotState& s) : s_(s), grouped_(groups_boxes(s)) {
        s_.fields->work.boxes.clear();
    }
    ~MapPainter() { finish(); }
    MapPainter(const MapPainter&) = delete;
    MapPainter& operator=(const MapPainter&) = delete;

    // Starts a row between the page y values y1 and y2.
    void begin_row(double y1, double y2) {
        y1_ = y1;
        y2_ = y2;
        row_.clear();
    }
    // The next cell of the row, left to right; a negative colour paints nothing.
    void add(double left, double right, int colour) {
        if (!row_.empty() && row_.back().colour == colour && row_.back().right == left) {
            row_.back().right = right;
            return;
        }
        if (colour >= 0) row_.push_back(Box{left, right, y1_, y2_, colour});
    }
    // Ends the row: its runs continue the open boxes that match them exactly; the open
    // boxes that no run continues are painted.
    void end_row() {
        std::size_t k = 0;
        for (Box& run : row_) {
            while (k < open_.size() && open_[k].left < run.left) paint(open_[k++]);
            if (k < open_.size() && open_[k].left == run.left && open_[k].right == run.right &&
                open_[k].colour == run.colour) {
                run.y1 = open_[k++].y1;
            }
        }
        while (k < open_.size()) paint(open_[k++]);
        open_.swap(row_);
    }
    void finish() {
        for (const Box& b : open_) paint(b);
        open_.clear();
        std::vector<ColouredBox>& kept = s_.fields->work.boxes;
        std::stable_sort(kept.begin(), kept.end(), [](const ColouredBox& a, const ColouredBox& b) {
            return a.colour < b.colour;
        });
        std::vector<PlotBox>& same = s_.fields->work.box_run;
        for (std::size_t k = 0; k < kept.size();) {
            same.clear();
            std::size_t e = k;
            for (; e < kept.size() && kept[e].colour == kept[k].colour; ++e)
                same.push_back(kept[e].box);
            fill_box_set(s_, same.data(), static_cast<int>(same.size()), kept[k].colour);
            k = e;
        }
        kept.clear();
    }

  private:
    struct Box {
        double left, right, y1, y2;
        int colour;
    };
    void paint(const Box& b) {
        if (grouped_)
            s_.fields->work.boxes.push_back(
                {PlotBox{b.left, std::min(b.y1, b.y2), b.right, std::max(b.y1, b.y2)}, b.colour});
        else
            fill_box(s_, b.left, b.y1, b.right, b.y2, b.colour);
    }

    PlotState& s_;
    const bool grouped_;
    double y1_ = 0.0, y2_ = 0.0;
    std::vector<Box> open_, row_;
};

}  // namespace

bool refuses_colour_axis(PlotState& s) {
    if (s.fields->axis == FieldAxis::colour) return false;
    // Level 3 without a colour axis system: a three-dimensional one.
    warn(s, warning::confused_3d);
    return true;
}

}  // namespace gvx

using namespace gvx;

void Gravox::crvmat(const double* z, int nx, int ny, int ix, int iy) {
    if (refused("crvmat", 3, 3)) return;
    PlotState& s = state();
    if (refuses_colour_axis(s)) return;
    if (!z) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    if (check_range(s, nx, 2, -1) != 0 || check_range(s, ny, 2, -1) != 0 ||
        check_range(s, ix, 1, kMaxDivisions) != 0 || check_range(s, iy, 1, kMaxDivisions) != 0)
        return;
    const int colour = s.colours->current_colour;
    const AxisState& ax = *s.axes;
    const ColourScale& scale = s.fields->scale;
    // Plot coordinates of the grid: equal steps along the axes as drawn.
    const double x0 = ax.pos_x, y0 = ax.pos_y;
    const double dx = (ax.len_x - 1.0) / ((nx - 1.0) * ix);
    const double dy = (ax.len_y - 1.0) / ((ny - 1.0) * iy);
    const int columns = (nx - 1) * ix;
    MapPainter painter(s);
    for (int j = 0; j < ny - 1; ++j) {
        for (int b = 0; b < iy; ++b) {
            const int row = j * iy + b;
            const double v = (b + 0.5) / iy;  // position inside the cell, 0 to 1
            painter.begin_row(y0 - row * dy, y0 - (row + 1) * dy);
            for (int i = 0; i < nx - 1; ++i) {
                const double* lo = z + static_cast<long>(i) * ny + j;  // column i
                const double* hi = lo + ny;                            // column i + 1
                const double left = lo[0] + (lo[1] - lo[0]) * v;
                const double right = hi[0] + (hi[1] - hi[0]) * v;
                for (int a = 0; a < ix; ++a) {
                    const double u = (a + 0.5) / ix;
                    const int col = i * ix + a;
                    const double value = left + (right - left) * u;
                    painter.add(x0 + col * dx,
                                col + 1 == columns ? x0 + ax.len_x - 1.0 : x0 + (col + 1) * dx,
                                scale_colour(s, scale, value));
                }
            }
            painter.end_row();
        }
    }
    painter.finish();
    if (s.colours->current_colour != colour) set_device_colour(s, colour);
}

void Gravox::curve3(const double* x, const double* y, const double* z, int n) {
    if (refused("curve3", 3, 3)) return;
    PlotState& s = state();
    if (refuses_colour_axis(s)) return;
    if (!x || !y || !z) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    if (check_range(s, n, 1, -1) != 0) return;
    const FieldState& f = *s.fields;
    const AxisState& ax = *s.axes;
    const double w = f.auto_res ? std::ceil(static_cast<double>(ax.len_x) / f.auto_nx)
                                : static_cast<double>(f.res_width);
    const double h = f.auto_res ? std::ceil(static_cast<double>(ax.len_y) / f.auto_ny)
                                : static_cast<double>(f.res_height);
    const int colour = s.colours->current_colour;
    const PlotMapping m = plot_mapping(s);
    for (int k = 0; k < n; ++k) {
        const int c = scale_colour(s, f.scale, z[k]);
        if (c < 0) continue;
        const double px = m.x(x[k]), py = m.y(y[k]);
        if (!std::isfinite(px) || !std::isfinite(py)) continue;
        fill_box(s, px - w / 2, py - h / 2, px + w / 2, py + h / 2, c);
    }
    if (s.colours->current_colour != colour) set_device_colour(s, colour);
}

void Gravox::setres(int width, int height) {
    if (refused("setres", 1, 3)) return;
    PlotState& s = state();
    if (check_range(s, width, 1, -1) != 0 || check_range(s, height, 1, -1) != 0) return;
    s.fields->res_width = width;
    s.fields->res_height = height;
    s.fields->auto_res = false;
}

void Gravox::autres(int nx, int ny) {
    if (refused("autres", 1, 3)) return;
    PlotState& s = state();
    if (check_range(s, nx, 1, -1) != 0 || check_range(s, ny, 1, -1) != 0) return;
    s.fields->auto_nx = nx;
    s.fields->auto_ny = ny;
    s.fields->auto_res = true;
}
