// A device for tests that keeps every call it receives, so that tests can assert on
// the exact sequence of moves, draws, colours and fills that reaches a device.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "gravox/core/all_records.h"
#include "gravox/gravox.h"

namespace gvx::testing {

enum class Call {
    move,
    draw,
    colour,
    palette,
    fill_polygon,
    fill_box,
    point,
    erase,
    line,       // pixel line of the pixel-capable variant
    pixel_box,  // pixel box, point and polygon of the pixel-capable variant
    pixel_point,
    pixel_polygon,
};

struct DeviceCall {
    Call kind = Call::move;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // point (x1, y1), or box, segment or line
    int colour = 0;                         // colour value or palette kind
    std::vector<double> xs, ys;             // polygon vertices
};

// What a recording device saw; it outlives the device, which gvxfin destroys.
struct Recording {
    std::vector<DeviceCall> calls;
    int opened = 0, closed = 0;

    // The calls of one kind, in order.
    std::vector<DeviceCall> of(Call kind) const;
    int count(Call kind) const;
    // The drawn segments, each from the pen position before the draw to the draw's point.
    struct Segment {
        double x1, y1, x2, y2;
    };
    std::vector<Segment> segments() const;
    // The device polylines: each move starts one, each draw adds a vertex.
    struct Point {
        double x, y;
    };
    std::vector<std::vector<Point>> polylines() const;
    void clear() { calls.clear(); }
};

struct RecordingOptions {
    DeviceCapabilities caps{};  // what the device claims to do itself
    bool pixel_calls = false;   // run the pixel conversion of PixelDevice as well
    Warning fill_result{};      // what fill_polygon returns
};

// A pixel device (so the pixel conversion and the pixel fast paths can be observed)
// whose capabilities are configurable; without pixel_calls it records only the plot
// coordinate calls.
class RecordingDevice final : public PixelDevice {
  public:
    RecordingDevice(PlotState& s, std::shared_ptr<Recording> recording, RecordingOptions options);

    DeviceCapabilities capabilities() const override { return options_.caps; }
    Warning open(Sink* file) override;
    Warning close() override;
    void move(double x, double y) override;
    void draw(double x, double y) override;
    void colour(int value) override;
    void palette(const std::uint32_t* table, int kind) override;
    Warning fill_polygon(const double* x, const double* y, int n) override;
    void fill_box(double x1, double y1, double x2, double y2, int colour) override;
    void point(double x, double y, int colour) override;
    void erase() override;

    void line(int x1, int y1, int x2, int y2) override;
    void pixel_box(int x1, int y1, int x2, int y2, int colour) override;
    void pixel_point(int x, int y, int colour) override;
    Warning pixel_polygon(const double* x, const double* y, int n) override;

  private:
    std::shared_ptr<Recording> recording_;
    RecordingOptions options_;
};

// Opens a plot on a recording device: every device code gets one, the plot file goes
// to memory, the output format is "PNG" (so the page and the device scale are those of
// the raster images) and gvxini runs. Returns what the device records.
std::shared_ptr<Recording> open_recorded_plot(Gravox& g, RecordingOptions options = {},
                                              const char* format = "PNG");

}  // namespace gvx::testing
