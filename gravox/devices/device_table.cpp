// The one table that turns a device code into the device that writes it.
#include "gravox/devices/device.h"
#include "gravox/devices/raster_device.h"
#include "gravox/formats/formats.h"

namespace gvx {
namespace {

using DeviceMaker = std::unique_ptr<Device> (*)(PlotState&, int code);

struct DeviceEntry {
    int first, last;  // device codes served
    DeviceMaker make;
};

// Outputs this build writes. Codes not listed (screen windows, OpenGL, PostScript, EPS
// and PDF) are refused when a plot is opened.
constexpr DeviceEntry kDevices[] = {
    {201, 201, make_gks_metafile_device},  // the library's metafile, the default output
    {211, 211, make_cgm_device},           // clear-text CGM
    {221, 221, make_wmf_device},           // placeable Windows metafile
    {401, 405, make_hpgl_device},          // HPGL plotter files
    {701, 701, make_applet_device},        // applet source
    {801, 801, make_svg_device},           // SVG documents
    {802, 802, make_ipe_device},           // IPE documents
    {601, 700, make_raster_device},        // raster images and the picture held in memory
};

}  // namespace

std::unique_ptr<Device> make_device(PlotState& s, int code) {
    for (const DeviceEntry& entry : kDevices)
        if (entry.make && code >= entry.first && code <= entry.last) return entry.make(s, code);
    return nullptr;
}

}  // namespace gvx
