#include "gravox/formats/gathering_device.h"

#include "gravox/core/state.h"
#include "gravox/devices/primitives.h"

namespace gvx {

GatheringDevice::GatheringDevice(PlotState& s) : Device(s) {
    xs_.reserve(kPolylineCapacity);
    ys_.reserve(kPolylineCapacity);
}

void GatheringDevice::flush_line() {
    if (!xs_.empty()) write_line(xs_.data(), ys_.data(), static_cast<int>(xs_.size()));
    xs_.clear();
    ys_.clear();
}

void GatheringDevice::sync_width() {
    const int w = state_.prims->line_width;
    const int width = w < 0 ? -w : 1;  // positive widths were widened by the primitives
    if (width == width_) return;
    flush_line();
    width_ = width;
    width_changed(width);
}

void GatheringDevice::start_line(const double* x, const double* y, int n) {
    sync_width();
    flush_line();
    xs_.insert(xs_.end(), x, x + n);
    ys_.insert(ys_.end(), y, y + n);
}

void GatheringDevice::move(double x, double y) {
    if (!active()) return;
    start_line(&x, &y, 1);
}

void GatheringDevice::draw(double x, double y) {
    if (!active()) return;
    sync_width();
    if (xs_.empty()) {
        // A draw without a move starts where the primitives' pen stood.
        xs_.push_back(state_.prims->pen_x);
        ys_.push_back(state_.prims->pen_y);
    }
    xs_.push_back(x);
    ys_.push_back(y);
}

}  // namespace gvx
