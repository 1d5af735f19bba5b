// The "GKSL" device (201): the library's own character-coded metafile, the default
// output. It records what the device interface carries, in plot coordinates and
// exactly, so that gvxconv can replay the plot into any other device; the format is
// described in docs/metafile.md, and metafile_reader.cpp reads it back.
//
// Moves and draws are gathered into one LIN item per connected line; a change of any
// other attribute, and every other item, ends it first. The device fills polygons and
// boxes and widens lines itself (it records the width), and keeps the colour table.
#include "gravox/core/colour_value.h"
#include "gravox/core/state.h"
#include "gravox/formats/formats.h"
#include "gravox/formats/gathering_device.h"
#include "gravox/formats/metafile.h"
#include "gravox/formats/records.h"

namespace gvx {
namespace {

class GksMetafileDevice final : public GatheringDevice, public TextDevice {
  public:
    explicit GksMetafileDevice(PlotState& s) : GatheringDevice(s) {}

    Warning open(Sink* file) override;
    Warning close() override;
    void polyline(const double* x, const double* y, int n) override;
    void colour(int value) override;
    void palette(const std::uint32_t* table, int kind) override;
    Warning fill_polygon(const double* x, const double* y, int n) override;
    void fill_box(double x1, double y1, double x2, double y2, int colour) override;
    void point(double x, double y, int colour) override;
    void erase() override;
    void text_character(const DeviceCharacter& c) override;

  private:
    bool active() const override { return open_; }
    void write_line(const double* x, const double* y, int n) override;
    void width_changed(int width) override;
    void start_item(const char* keyword);

    bool open_ = false;
    RecordWriter records_;
    long long items_ = 0;
};

Warning GksMetafileDevice::open(Sink* file) {
    if (!file) return warning::file_error;
    records_.reset(file);
    open_ = true;
    items_ = 0;
    reset_line();
    write_metafile_header(records_, state_);
    return warning::none;
}

void GksMetafileDevice::start_item(const char* keyword) {
    records_.item(keyword);
    ++items_;
}

void GksMetafileDevice::width_changed(int width) {
    start_item("WID");
    records_.integer(width);
}

void GksMetafileDevice::write_line(const double* x, const double* y, int n) {
    start_item("LIN");
    records_.integer(n);
    for (int i = 0; i < n; ++i) records_.real(x[i]).real(y[i]);
}

void GksMetafileDevice::polyline(const double* x, const double* y, int n) {
    if (!open_ || n < 1) return;
    start_line(x, y, n);
}

void GksMetafileDevice::colour(int value) {
    if (!open_) return;
    sync_width();
    flush_line();
    start_item("COL");
    records_.integer(value);
}

void GksMetafileDevice::palette(const std::uint32_t* table, int kind) {
    if (!open_ || !table) return;
    flush_line();
    start_item("PAL");
    records_.integer(kind);
    for (int i = 0; i < kColourTableSize; ++i) {
        char hex[6];
        static constexpr char kDigits[] = "0123456789abcdef";
        for (int k = 0; k < 6; ++k) hex[k] = kDigits[(table[i] >> (20 - 4 * k)) & 15];
        records_.token({hex, 6});
    }
}

Warning GksMetafileDevice::fill_polygon(const double* x, const double* y, int n) {
    if (!open_ || !x || !y || n < 1) return warning::none;
    sync_width();
    flush_line();
    start_item("POL");
    records_.integer(n);
    for (int i = 0; i < n; ++i) records_.real(x[i]).real(y[i]);
    return warning::none;
}

void GksMetafileDevice::fill_box(double x1, double y1, double x2, double y2, int colour) {
    if (!open_) return;
    sync_width();
    flush_line();
    start_item("BOX");
    records_.real(x1).real(y1).real(x2).real(y2).integer(colour);
}

void GksMetafileDevice::point(double x, double y, int colour) {
    if (!open_) return;
    sync_width();
    flush_line();
    start_item("PNT");
    records_.real(x).real(y).integer(colour);
}

void GksMetafileDevice::erase() {
    if (!open_) return;
    flush_line();
    start_item("ERA");
}

void GksMetafileDevice::text_character(const DeviceCharacter& c) {
    if (!open_) return;
    sync_width();
    flush_line();
    start_item("TXT");
    records_.integer(c.code).real(c.x).real(c.y).integer(c.angle).integer(c.font);
    records_.real(c.height).integer(c.size_divisor);
}

Warning GksMetafileDevice::close() {
    if (!open_) return warning::none;
    sync_width();
    flush_line();
    records_.item("END").integer(items_);
    records_.finish(false);
    open_ = false;
    return warning::none;
}

}  // namespace

std::unique_ptr<Device> make_gks_metafile_device(PlotState& s, int /*code*/) {
    return std::make_unique<GksMetafileDevice>(s);
}

}  // namespace gvx
