// Base of the metafile devices (GKSL, CGM, WMF) that gather moves and draws into whole
// connected lines and take the line width from the primitives' state.
#pragma once

#include <vector>

#include "gravox/devices/device.h"

namespace gvx {

class GatheringDevice : public Device {
  public:
    explicit GatheringDevice(PlotState& s);

    // These devices fill, widen lines and take the colour table themselves.
    DeviceCapabilities capabilities() const override {
        DeviceCapabilities caps;
        caps.fills_polygons = true;
        caps.draws_wide_lines = true;
        caps.keeps_palette = true;
        return caps;
    }

    void move(double x, double y) override;
    void draw(double x, double y) override;

  protected:
    // True while the device has an open file.
    virtual bool active() const = 0;
    // Writes a gathered line of n >= 1 points.
    virtual void write_line(const double* x, const double* y, int n) = 0;
    // The line width changed (after the pending line was written).
    virtual void width_changed(int /*width*/) {}

    // Writes the pending line, if any, and starts none.
    void flush_line();
    // Notices a new line width before anything is drawn with it: linwid keeps the width
    // in the primitives' state, negative when the device widens lines itself.
    void sync_width();
    // Starts a new pending line with n points.
    void start_line(const double* x, const double* y, int n);
    int width() const { return width_; }
    void reset_line() {
        xs_.clear();
        ys_.clear();
        width_ = 1;
    }

  private:
    std::vector<double> xs_, ys_;  // the line being gathered
    int width_ = 1;
};

}  // namespace gvx
