// Vector and text output formats: SVG documents, applet source, HPGL plotter files
// and IPE documents. Each format is one device class behind gvx::Device; these are
// their factories for the output catalogue, and the few helpers they share.
#pragma once

#include <ctime>
#include <memory>
#include <string>

#include "gravox/core/clock_text.h"
#include "gravox/core/version.h"
#include "gravox/devices/device.h"

namespace gvx {

struct PlotState;

// Settings of the formats that outlive a plot (made at level 0).
struct FormatState {
    int hpgl_mode = 0;            // hpgmod: 0 standard, 1 "ARIS"
    bool pdf_compression = true;  // pdfmod "COMPRESSION": deflate the content streams
    std::string pdf_document;     // the last document written in buffer mode (pdfbuf)
    int hardware_font = -1;       // psfont: the standard font of the text, -1 vector fonts
    bool hardware_latin1 = true;  // psfmod "ENCODING": codes 160 to 255 as the font's text
};

// "SVG " (801): an SVG 1.0 document in pixel units.
std::unique_ptr<Device> make_svg_device(PlotState& s, int code);
// "JAVA" (701): the source of an applet whose paint method replays the plot.
std::unique_ptr<Device> make_applet_device(PlotState& s, int code);
// "HPGL", "HPA4" to "HPA1" (401 to 405): HPGL pen-plotter commands.
std::unique_ptr<Device> make_hpgl_device(PlotState& s, int code);
// "IPE " (802): an IPE drawing in points.
std::unique_ptr<Device> make_ipe_device(PlotState& s, int code);
// "POST", "PSCL", "EPS " and "PS  " (501 to 504): PostScript documents, 503 encapsulated.
std::unique_ptr<Device> make_postscript_device(PlotState& s, int code);
// "PDF " (511): a PDF 1.4 document, in a file or in memory.
std::unique_ptr<Device> make_pdf_device(PlotState& s, int code);

// The devices that write documents of several pages.
class PageDevice {
  public:
    virtual ~PageDevice() = default;
    // Ends the page being drawn and starts the next one. Returns false when the
    // document has one page only.
    virtual bool new_page() = 0;
};

// The 35 standard PostScript fonts by number: 0 to 3 Times, 4 to 7 Helvetica, 8 to 11
// Helvetica-Narrow, 12 to 15 AvantGarde, 16 ZapfChancery, 17 ZapfDingbats, 18 to 21
// Courier, 22 to 25 Bookman, 26 to 29 NewCenturySchlbk, 30 to 33 Palatino, 34 Symbol;
// in each family of four the upright, bold, slanted and bold slanted faces.
inline constexpr int kStandardFontCount = 35;
struct StandardFont {
    const char* name;    // PostScript name, such as "Times-BoldItalic"
    const char* family;  // family name, such as "Times"
    bool bold;
    bool slanted;
    bool symbolic;  // a font with its own encoding (Symbol, ZapfDingbats)
};
// The font of a number; numbers out of range give Times-Roman.
const StandardFont& standard_font(int number);
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
    double slant = 0.0;       // x shift per unit of height above the baseline (chaang)
};

// The interface of the devices that write hardware-font characters as text elements.
class TextDevice {
  public:
    virtual ~TextDevice() = default;
    virtual void text_character(const DeviceCharacter& c) = 0;
    // True when the device writes the Latin-1 codes 160 to 255 of the text fonts as
    // characters; otherwise only the codes that text_code keeps are written.
    virtual bool writes_latin1() const { return false; }
};

// Hands a hardware-font character to the open plot's device. Returns false when that
// device sets no text itself (the text layer then draws the character with strokes).
// This is the call point for the hardware fonts of the text layer, which this build
// does not have yet: only its vector fonts exist, and they always draw strokes.
bool device_text_character(PlotState& s, const DeviceCharacter& c);

// The character that a device writes for a code: codes 127 to 159 and above 186, and
// the control characters below 32, become a blank; 160 to 186 stay Latin-1 characters.
unsigned char text_code(int code);
// The same for the devices that write all of Latin-1 (TextDevice::writes_latin1):
// codes 160 to 255 stay as well.
unsigned char latin1_code(int code);

// The library version written into the heads of the documents.
inline constexpr double kFormatVersion = kVersionNumber;

}  // namespace gvx
