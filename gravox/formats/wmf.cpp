// The "WMF " device (221): a placeable Windows metafile in integer units.
//
// Units are tenths of a millimetre (254 to the inch) with the y axis pointing down, as
// on the page; a page beyond the 16-bit range is scaled down to fit. The file begins
// with the 22-byte placeable header (bounding box, units per inch, checksum) and the
// standard header, whose size fields are known only at the end: the records are kept in
// memory and the whole file is written when the plot is closed. The device opens its
// file itself. Lines are drawn with a pen of the current colour and width; polygons
// and boxes are filled with a brush and the null pen. Objects are created, selected and
// deleted so that at most four exist at once.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"
#include "gravox/devices/primitives.h"
#include "gravox/formats/formats.h"
#include "gravox/formats/gathering_device.h"

namespace gvx {
namespace {

constexpr int kWmfLimit = 32767;
constexpr int kUnitsPerInch = 254;
constexpr int kMaxPolyPoints = 8000;  // points of one POLYLINE record at most

// Record functions.
enum : std::uint16_t {
    kEof = 0x0000,
    kSetBkMode = 0x0102,
    kSetPolyFillMode = 0x0106,
    kSetWindowOrg = 0x020B,
    kSetWindowExt = 0x020C,
    kCreatePen = 0x02FA,
    kCreateBrush = 0x02FC,
    kSelectObject = 0x012D,
    kDeleteObject = 0x01F0,
    kPolygon = 0x0324,
    kPolyline = 0x0325,
    kRectangle = 0x041B,
};

constexpr int kSlots = 8;
constexpr std::uint16_t kPenSolid = 0, kPenNull = 5;

class WmfDevice final : public GatheringDevice {
  public:
    explicit WmfDevice(PlotState& s) : GatheringDevice(s) {}

    DeviceCapabilities capabilities() const override {
        DeviceCapabilities caps;
        caps.fills_polygons = true;
        caps.draws_wide_lines = true;
        return caps;
    }

    Warning open(Sink* file) override;
    Warning close() override;
    void colour(int value) override;
    Warning fill_polygon(const double* x, const double* y, int n) override;
    void fill_box(double x1, double y1, double x2, double y2, int colour) override;

  private:
    void word(int v) {
        const auto u = static_cast<std::uint16_t>(v);
        bytes_.push_back(static_cast<std::uint8_t>(u));
        bytes_.push_back(static_cast<std::uint8_t>(u >> 8));
    }
    void dword(std::uint32_t v) {
        word(static_cast<int>(v & 0xFFFF));
        word(static_cast<int>(v >> 16));
    }
    void record(std::uint32_t words, std::uint16_t function);
    int unit(double v) const {
        const int u = truncate_coordinate(v * scale_ + 0.5);
        return std::clamp(u, -kWmfLimit, kWmfLimit);
    }
    static std::uint32_t colour_ref(const DeviceColour& c) {
        return c.red | (c.green << 8) | (static_cast<std::uint32_t>(c.blue) << 16);
    }
    // Object table: a new object takes the lowest free slot, as readers assume.
    int create_pen(std::uint16_t style, int width, std::uint32_t colour);
    int create_brush(std::uint32_t colour);
    int take_slot();
    void select(int slot) {
        record(4, kSelectObject);
        word(slot);
    }
    void remove(int slot) {
        record(4, kDeleteObject);
        word(slot);
        used_[slot] = false;
    }
    void use_line_pen();
    void use_fill(std::uint32_t colour);
    bool active() const override { return open_; }
    void write_line(const double* x, const double* y, int n) override;
    void poly(std::uint16_t function, const int* px, const int* py, int n);

    bool open_ = false;
    double scale_ = 1.0;
    std::vector<std::uint8_t> bytes_;  // the records after the standard header
    std::uint32_t max_record_ = 0;
    bool used_[kSlots] = {};
    int slots_high_ = 0;
    int pen_slot_ = -1, null_slot_ = -1, brush_slot_ = -1;
    std::uint32_t pen_colour_ = 0, brush_colour_ = 0, current_ = 0;
    int pen_width_ = 1;
    bool line_pen_selected_ = false;
    std::vector<int> px_, py_;
};

void WmfDevice::record(std::uint32_t words, std::uint16_t function) {
    dword(words);
    word(function);
    max_record_ = std::max(max_record_, words);
}

int WmfDevice::take_slot() {
    for (int i = 0; i < kSlots; ++i)
        if (!used_[i]) {
            used_[i] = true;
            slots_high_ = std::max(slots_high_, i + 1);
            return i;
        }
    return kSlots - 1;  // never reached: at most four objects exist at once
}

int WmfDevice::create_pen(std::uint16_t style, int width, std::uint32_t colour) {
    record(8, kCreatePen);
    word(style);
    word(width);
    word(0);
    dword(colour);
    return take_slot();
}

int WmfDevice::create_brush(std::uint32_t colour) {
    record(7, kCreateBrush);
    word(0);  // solid
    dword(colour);
    word(0);
    return take_slot();
}

Warning WmfDevice::open(Sink* file) {
    // Core opens no file for this device: it is opened here, under the file mode.
    if (!file) {
        FileState& f = state_.files;
        if (const Warning failure = resolve_output_file(state_, f.plot_file_name)) return failure;
        f.plot_file = f.open_sink(f.plot_file_name, "wb");
        if (!f.plot_file) return warning::file_error;
    }
    PageState& p = state_.page;
    p.colour_depth = 24;  // colours are written as red, green and blue
    scale_ = state_.frame.unit_scale;
    const int longer = std::max(p.width, p.height);
    if (longer * scale_ > kWmfLimit) scale_ = kWmfLimit / static_cast<double>(longer);
    p.device_scale = scale_;
    bytes_.clear();
    bytes_.reserve(1 << 16);
    reset_line();
    open_ = true;

    record(5, kSetWindowOrg);
    word(0);
    word(0);
    record(5, kSetWindowExt);
    word(unit(p.height));
    word(unit(p.width));
    record(4, kSetBkMode);
    word(1);  // transparent
    record(4, kSetPolyFillMode);
    word(1);  // alternate (even-odd)
    null_slot_ = create_pen(kPenNull, 0, 0);
    return warning::none;
}

void WmfDevice::use_line_pen() {
    if (pen_slot_ < 0 || pen_colour_ != current_ || pen_width_ != width()) {
        const int old = pen_slot_;
        pen_slot_ = create_pen(kPenSolid, width() > 1 ? unit(width()) : 0, current_);
        pen_colour_ = current_;
        pen_width_ = width();
        select(pen_slot_);
        if (old >= 0) remove(old);
        line_pen_selected_ = true;
    } else if (!line_pen_selected_) {
        select(pen_slot_);
        line_pen_selected_ = true;
    }
}

void WmfDevice::use_fill(std::uint32_t colour) {
    if (brush_slot_ < 0 || brush_colour_ != colour) {
        const int old = brush_slot_;
        brush_slot_ = create_brush(colour);
        brush_colour_ = colour;
        select(brush_slot_);
        if (old >= 0) remove(old);
    }
    if (line_pen_selected_ || pen_slot_ < 0) select(null_slot_);
    line_pen_selected_ = false;
}

void WmfDevice::poly(std::uint16_t function, const int* px, const int* py, int n) {
    record(4 + 2 * static_cast<std::uint32_t>(n), function);
    word(n);
    for (int i = 0; i < n; ++i) {
        word(px[i]);
        word(py[i]);
    }
}

void WmfDevice::write_line(const double* x, const double* y, int n) {
    if (n < 2) return;  // a lone move draws nothing
    use_line_pen();
    px_.resize(static_cast<std::size_t>(n));
    py_.resize(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        px_[i] = unit(x[i]);
        py_[i] = unit(y[i]);
    }
    // A long line goes on in further records from the last point of each.
    for (int start = 0; start < n - 1; start += kMaxPolyPoints - 1) {
        const int count = std::min(kMaxPolyPoints, n - start);
        poly(kPolyline, px_.data() + start, py_.data() + start, count);
    }
}

void WmfDevice::colour(int value) {
    if (!open_) return;
    flush_line();
    current_ = colour_ref(resolve_device_colour(state_, value));
}

Warning WmfDevice::fill_polygon(const double* x, const double* y, int n) {
    if (!open_ || !x || !y || n < 3) return warning::none;
    if (n > kWmfLimit) return warning::none;  // beyond the count of one record
    sync_width();
    flush_line();
    use_fill(current_);
    px_.resize(static_cast<std::size_t>(n));
    py_.resize(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        px_[i] = unit(x[i]);
        py_[i] = unit(y[i]);
    }
    poly(kPolygon, px_.data(), py_.data(), n);
    return warning::none;
}

void WmfDevice::fill_box(double x1, double y1, double x2, double y2, int colour) {
    if (!open_) return;
    sync_width();
    flush_line();
    use_fill(colour_ref(resolve_device_colour(state_, colour)));
    // Drawn with the null pen, a rectangle leaves out its right and lower edge.
    record(7, kRectangle);
    word(unit(std::max(y1, y2)) + 1);
    word(unit(std::max(x1, x2)) + 1);
    word(unit(std::min(y1, y2)));
    word(unit(std::min(x1, x2)));
}

Warning WmfDevice::close() {
    if (!open_) return warning::none;
    open_ = false;
    flush_line();
    for (int* slot : {&pen_slot_, &brush_slot_, &null_slot_}) {
        if (*slot >= 0) remove(*slot);
        *slot = -1;
    }
    record(3, kEof);
    Sink* out = state_.files.plot_file.get();
    if (!out) return warning::none;

    const PageState& p = state_.page;
    std::vector<std::uint8_t> body;
    body.swap(bytes_);
    // Placeable header: key, handle, bounding box, units per inch, reserved, checksum.
    const std::uint16_t head[10] = {0xCDD7,
                                    0x9AC6,
                                    0,
                                    0,
                                    0,
                                    static_cast<std::uint16_t>(unit(p.width)),
                                    static_cast<std::uint16_t>(unit(p.height)),
                                    kUnitsPerInch,
                                    0,
                                    0};
    std::uint16_t checksum = 0;
    for (std::uint16_t w : head) {
        word(w);
        checksum ^= w;
    }
    word(checksum);
    // Standard header: memory metafile, 9 words, version 3.0, size in words, objects,
    // largest record, no parameters.
    word(1);
    word(9);
    word(0x0300);
    dword(static_cast<std::uint32_t>(9 + body.size() / 2));
    word(slots_high_);
    dword(max_record_);
    word(0);
    out->write(bytes_.data(), bytes_.size());
    out->write(body.data(), body.size());
    bytes_.clear();
    return warning::none;
}

}  // namespace

std::unique_ptr<Device> make_wmf_device(PlotState& s, int /*code*/) {
    return std::make_unique<WmfDevice>(s);
}

}  // namespace gvx
