// The "CGM " device (211): a CGM of version 1 in the clear-text encoding.
//
// Coordinates are integer VDC in tenths of a millimetre with the y axis pointing up
// from the lower left corner of the page; a page longer than the integer range of
// 327.67 cm gives warning 39 and is scaled down to fit. Colours are indices of the
// colour table, which is written as COLRTABLE whenever it changes. Moves and draws are
// gathered into one LINE element per connected line; polygons and boxes are solid
// POLYGON elements. Elements run in records of 80 columns; the last record is padded
// with blanks to the full width and has no newline.
#include <algorithm>
#include <ctime>

#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"
#include "gravox/devices/primitives.h"
#include "gravox/formats/formats.h"
#include "gravox/formats/gathering_device.h"
#include "gravox/formats/metafile.h"
#include "gravox/formats/records.h"

namespace gvx {
namespace {

constexpr int kCgmLimit = 32767;  // largest integer VDC

class CgmDevice final : public GatheringDevice {
  public:
    explicit CgmDevice(PlotState& s) : GatheringDevice(s) {}

    Warning open(Sink* file) override;
    Warning close() override;
    void colour(int value) override;
    void palette(const std::uint32_t* table, int kind) override;
    Warning fill_polygon(const double* x, const double* y, int n) override;
    void fill_box(double x1, double y1, double x2, double y2, int colour) override;

  private:
    bool active() const override { return open_; }
    void write_line(const double* x, const double* y, int n) override;
    void width_changed(int width) override;
    void point_token(double x, double y);
    void polygon(const double* x, const double* y, int n, int colour);

    bool open_ = false;
    RecordWriter records_;
    double scale_ = 1.0;
    int page_h_ = 0;
    int line_colour_ = -1, fill_colour_ = -1, current_ = 0;
};

Warning CgmDevice::open(Sink* file) {
    if (!file) return warning::file_error;
    records_.reset(file);
    open_ = true;
    const PageState& p = state_.page;
    scale_ = state_.frame.unit_scale;
    const double longer = std::max(p.width, p.height) * scale_;
    if (longer > kCgmLimit) {
        warn(state_, warning::cgm_too_long);
        scale_ = kCgmLimit / static_cast<double>(std::max(p.width, p.height));
    }
    state_.page.device_scale = scale_;
    page_h_ = p.height;
    line_colour_ = fill_colour_ = -1;
    reset_line();

    const std::tm when = state_.frame.clock();
    records_.item("BEGMF").token("\"GRAVOX\"").attach(";");
    records_.item("MFVERSION").integer(1).attach(";");
    records_.item("MFDESC")
        .token(std::string("\"GRAVOX ") + kLibraryVersion)
        .token(date_text(when).date)
        .token(std::string(date_text(when).time) + "\"")
        .attach(";");
    records_.item("MFELEMLIST").token("\"DRAWINGPLUS\"").attach(";");
    records_.item("MAXCOLRINDEX").integer(255).attach(";");
    records_.item("BEGPIC").token("\"PICTURE\"").attach(";");
    records_.item("VDCEXT").token("0,0");
    point_token(p.width, 0);
    records_.attach(";");
    records_.item("BEGPICBODY").attach(";");
    records_.item("INTSTYLE").token("SOLID").attach(";");
    return warning::none;
}

// One point as "x,y" in VDC, y turned to point up.
void CgmDevice::point_token(double x, double y) {
    char text[2 * TextOut::kNumberChars + 1];
    std::size_t n = TextOut::integer_text(text, truncate_coordinate(x * scale_ + 0.5));
    text[n++] = ',';
    n += TextOut::integer_text(text + n, truncate_coordinate((page_h_ - y) * scale_ + 0.5));
    records_.token({text, n});
}

void CgmDevice::width_changed(int width) {
    records_.item("LINEWIDTH").real(width).attach(";");
}

void CgmDevice::write_line(const double* x, const double* y, int n) {
    if (n < 2) return;  // a lone move draws nothing
    if (line_colour_ != current_) {
        records_.item("LINECOLR").integer(current_).attach(";");
        line_colour_ = current_;
    }
    records_.item("LINE");
    for (int i = 0; i < n; ++i) point_token(x[i], y[i]);
    records_.attach(";");
}

void CgmDevice::colour(int value) {
    if (!open_) return;
    flush_line();
    current_ = resolve_device_colour(state_, value).index;
}

void CgmDevice::palette(const std::uint32_t* table, int /*kind*/) {
    if (!open_ || !table) return;
    flush_line();
    records_.item("COLRTABLE").integer(0);
    for (int i = 0; i < kColourTableSize; ++i) {
        const Rgb c = entry_components(table[i]);
        records_.integer(c.red).integer(c.green).integer(c.blue);
    }
    records_.attach(";");
}

void CgmDevice::polygon(const double* x, const double* y, int n, int colour) {
    sync_width();
    flush_line();
    if (fill_colour_ != colour) {
        records_.item("FILLCOLR").integer(colour).attach(";");
        fill_colour_ = colour;
    }
    records_.item("POLYGON");
    for (int i = 0; i < n; ++i) point_token(x[i], y[i]);
    records_.attach(";");
}

Warning CgmDevice::fill_polygon(const double* x, const double* y, int n) {
    if (!open_ || !x || !y || n < 3) return warning::none;
    polygon(x, y, n, current_);
    return warning::none;
}

void CgmDevice::fill_box(double x1, double y1, double x2, double y2, int colour) {
    if (!open_) return;
    const double x[4] = {x1, x2, x2, x1}, y[4] = {y1, y1, y2, y2};
    polygon(x, y, 4, resolve_device_colour(state_, colour).index);
}

Warning CgmDevice::close() {
    if (!open_) return warning::none;
    flush_line();
    records_.item("ENDPIC").attach(";");
    records_.item("ENDMF").attach(";");
    records_.finish(true);
    open_ = false;
    return warning::none;
}

}  // namespace

std::unique_ptr<Device> make_cgm_device(PlotState& s, int /*code*/) {
    return std::make_unique<CgmDevice>(s);
}

}  // namespace gvx
