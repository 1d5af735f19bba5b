#include "tests/support/recording_device.h"
#include "gravox/core/all_records.h"

#include <algorithm>

namespace gvx::testing {

std::vector<DeviceCall> Recording::of(Call kind) const {
    std::vector<DeviceCall> out;
    for (const DeviceCall& c : calls)
        if (c.kind == kind) out.push_back(c);
    return out;
}

int Recording::count(Call kind) const {
    return static_cast<int>(std::count_if(calls.begin(), calls.end(),
                                          [kind](const DeviceCall& c) { return c.kind == kind; }));
}

std::vector<Recording::Segment> Recording::segments() const {
    std::vector<Segment> out;
    double x = 0, y = 0;
    for (const DeviceCall& c : calls) {
        if (c.kind == Call::draw) out.push_back({x, y, c.x1, c.y1});
        if (c.kind == Call::move || c.kind == Call::draw) {
            x = c.x1;
            y = c.y1;
        }
    }
    return out;
}

std::vector<std::vector<Recording::Point>> Recording::polylines() const {
    std::vector<std::vector<Point>> out;
    for (const DeviceCall& c : calls) {
        if (c.kind == Call::move) out.push_back({{c.x1, c.y1}});
        if (c.kind == Call::draw) {
            if (out.empty()) out.emplace_back();
            out.back().push_back({c.x1, c.y1});
        }
    }
    return out;
}

namespace {

DeviceCall make_call(Call kind, double x1 = 0, double y1 = 0, double x2 = 0, double y2 = 0,
                     int colour = 0) {
    DeviceCall c;
    c.kind = kind;
    c.x1 = x1;
    c.y1 = y1;
    c.x2 = x2;
    c.y2 = y2;
    c.colour = colour;
    return c;
}

}  // namespace

RecordingDevice::RecordingDevice(PlotState& s, std::shared_ptr<Recording> recording,
                                 RecordingOptions options)
    : PixelDevice(s), recording_(std::move(recording)), options_(options) {}

Warning RecordingDevice::open(Sink*) {
    ++recording_->opened;
    return warning::none;
}

Warning RecordingDevice::close() {
    ++recording_->closed;
    return warning::none;
}

void RecordingDevice::move(double x, double y) {
    recording_->calls.push_back(make_call(Call::move, x, y));
    if (options_.pixel_calls) PixelDevice::move(x, y);
}

void RecordingDevice::draw(double x, double y) {
    recording_->calls.push_back(make_call(Call::draw, x, y));
    if (options_.pixel_calls) PixelDevice::draw(x, y);
}

void RecordingDevice::colour(int value) {
    DeviceCall c = make_call(Call::colour);
    c.colour = value;
    recording_->calls.push_back(c);
}

void RecordingDevice::palette(const std::uint32_t*, int kind) {
    DeviceCall c = make_call(Call::palette);
    c.colour = kind;
    recording_->calls.push_back(c);
}

Warning RecordingDevice::fill_polygon(const double* x, const double* y, int n) {
    DeviceCall c = make_call(Call::fill_polygon);
    c.xs.assign(x, x + n);
    c.ys.assign(y, y + n);
    recording_->calls.push_back(c);
    if (options_.pixel_calls) {
        if (const Warning failure = PixelDevice::fill_polygon(x, y, n)) return failure;
    }
    return options_.fill_result;
}

void RecordingDevice::fill_box(double x1, double y1, double x2, double y2, int colour) {
    DeviceCall c = make_call(Call::fill_box, x1, y1, x2, y2, colour);
    recording_->calls.push_back(c);
    if (options_.pixel_calls) PixelDevice::fill_box(x1, y1, x2, y2, colour);
}

void RecordingDevice::point(double x, double y, int colour) {
    DeviceCall c = make_call(Call::point, x, y);
    c.colour = colour;
    recording_->calls.push_back(c);
    if (options_.pixel_calls) PixelDevice::point(x, y, colour);
}

void RecordingDevice::erase() {
    recording_->calls.push_back(make_call(Call::erase));
}

void RecordingDevice::line(int x1, int y1, int x2, int y2) {
    recording_->calls.push_back(
        make_call(Call::line, double(x1), double(y1), double(x2), double(y2)));
}

void RecordingDevice::pixel_box(int x1, int y1, int x2, int y2, int colour) {
    DeviceCall c =
        make_call(Call::pixel_box, double(x1), double(y1), double(x2), double(y2), colour);
    recording_->calls.push_back(c);
}

void RecordingDevice::pixel_point(int x, int y, int colour) {
    DeviceCall c = make_call(Call::pixel_point, double(x), double(y));
    c.colour = colour;
    recording_->calls.push_back(c);
}

Warning RecordingDevice::pixel_polygon(const double* x, const double* y, int n) {
    DeviceCall c = make_call(Call::pixel_polygon);
    c.xs.assign(x, x + n);
    c.ys.assign(y, y + n);
    recording_->calls.push_back(c);
    return warning::none;
}

std::shared_ptr<Recording> open_recorded_plot(Gravox& g, RecordingOptions options,
                                              const char* format) {
    auto recording = std::make_shared<Recording>();
    PlotState& s = gvx::state_of(g);
    s.device_factory = [recording, options](PlotState& state, int) {
        return std::unique_ptr<Device>(new RecordingDevice(state, recording, options));
    };
    s.files.open_sink = [](const char*, const char*) {
        return std::unique_ptr<Sink>(new MemorySink());
    };
    g.metafl(format);
    g.gvxini();
    return recording;
}

}  // namespace gvx::testing
