// Page and device geometry of the open plot.
#pragma once

namespace gvx {

struct PlotState;

enum class PageOrientation { landscape = 0, portrait = 1, none = 2 };
enum class ScaleMode { down = 0, full = 1, none = 2 };

struct PageState {
    int width = 0;  // page extents in page units, set by gvxini
    int height = 0;
    int origin = 0;  // pagorg: 0 top, 1 bottom
    PageOrientation orientation = PageOrientation::landscape;
    ScaleMode scale_mode = ScaleMode::down;
    double scale_factor = 1.0;
    int window_mode = 0;  // 0 default size, 1 window(), 2 winsiz()
    int window_x = 0, window_y = 0;
    int window_w = 0, window_h = 0;  // size given with window() or winsiz()
    int device_w = 0, device_h = 0;  // device size in device units
    double device_scale = 0.0;       // device units per page unit
    int colour_depth = 8;
    int axis_len_x = 0, axis_len_y = 0;  // default axis lengths
    int axis_pos_x = 0, axis_pos_y = 0;  // default lower left corner of the axes
};

// The page-fit rule: device units per page unit for a device of width x height units
// showing a page of page_width x page_height units (already exchanged for a turned
// page). The scale fits the page into the device; in mode DOWN it is further limited so
// that a page of the default width (2969 units) at the given unit factor and scale
// factor is not enlarged beyond the device. An empty page or device has the scale 0.
double page_fit_scale(int width, int height, int page_width, int page_height, ScaleMode mode,
                      double unit_factor, double scale_factor);
// The page-fit rule for the open plot's page and device size.
double fitted_scale(const PlotState& s);

}  // namespace gvx
