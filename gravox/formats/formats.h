// Vector and text output formats: SVG documents, applet source, HPGL plotter files
// and IPE documents. Each format is one device class behind gvx::Device; these are
// their factories for the device table, and the few helpers they share.
#pragma once

#include <ctime>
#include <memory>

#include "gravox/devices/device.h"

namespace gvx {

struct PlotState;

// Settings of the formats that outlive a plot (made at level 0).
struct FormatState {
    int hpgl_mode = 0;  // hpgmod: 0 standard, 1 "ARIS"
};

// "SVG " (801): an SVG 1.0 document in pixel units.
std::unique_ptr<Device> make_svg_device(PlotState& s, int code);
// "JAVA" (701): the source of an applet whose paint method replays the plot.
std::unique_ptr<Device> make_applet_device(PlotState& s, int code);
// "HPGL", "HPA4" to "HPA1" (401 to 405): HPGL pen-plotter commands.
std::unique_ptr<Device> make_hpgl_device(PlotState& s, int code);
// "IPE " (802): an IPE drawing in points.
std::unique_ptr<Device> make_ipe_device(PlotState& s, int code);
// "GKSL" (201): the library's own metafile, the default output (docs/metafile.md).
std::unique_ptr<Device> make_gks_metafile_device(PlotState& s, int code);
// "CGM " (211): a clear-text CGM of version 1.
std::unique_ptr<Device> make_cgm_device(PlotState& s, int code);
// "WMF " (221): a placeable Windows metafile in integer units.
std::unique_ptr<Device> make_wmf_device(PlotState& s, int code);

// One character of a hardware font, as the text layer hands it to a device that sets
// text itself (the vector fonts arrive as strokes instead).
struct DeviceCharacter {
    int code = ' ';           // character code, 0 to 255
    double x = 0, y = 0;      // position of the character in plot coordinates
    int angle = 0;            // text angle in degrees, counter-clockwise
    int font = 0;             // number of the standard PostScript font, 0 to 34
    double height = 0;        // character height in plot units
    int size_divisor = 1000;  // font units of the font's size (hardware-font metrics)
};

// The interface of the devices that write hardware-font characters as text elements.
class TextDevice {
  public:
    virtual ~TextDevice() = default;
    virtual void text_character(const DeviceCharacter& c) = 0;
};

// Hands a hardware-font character to the open plot's device. Returns false when that
// device sets no text itself (the text layer then draws the character with strokes).
// This is the call point for the hardware fonts of the text layer, which this build
// does not have yet: only its vector fonts exist, and they always draw strokes.
bool device_text_character(PlotState& s, const DeviceCharacter& c);

// The character that a device writes for a code: codes 127 to 159 and above 186, and
// the control characters below 32, become a blank; 160 to 186 stay Latin-1 characters.
unsigned char text_code(int code);

// The library version written into the heads of the documents.
inline constexpr double kFormatVersion = 10.4;

// Local date as dd.mm.yyyy and time as hh:mm:ss (each 9 characters with terminator).
struct DateText {
    char date[16];
    char time[16];
};
DateText date_text(const std::tm& when);

// Device units per page unit of a device of device_w x device_h units: the page fitted
// into the device (extents exchanged for a turned page), limited under the scale mode
// DOWN to the scale of an A4 page on the device's longer side.
double fitted_scale(const PlotState& s);

}  // namespace gvx
