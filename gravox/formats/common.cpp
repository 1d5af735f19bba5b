// Helpers shared by the vector and text output formats.
#include <algorithm>
#include <cstdio>
#include <utility>

#include "gravox/core/state.h"
#include "gravox/formats/formats.h"

namespace gvx {

DateText date_text(const std::tm& when) {
    DateText text{};
    // The modulo keeps every field within its width, whatever the clock returns.
    std::snprintf(text.date, sizeof text.date, "%02d.%02d.%04d", (when.tm_mday % 100 + 100) % 100,
                  ((when.tm_mon + 1) % 100 + 100) % 100,
                  ((when.tm_year + 1900) % 10000 + 10000) % 10000);
    std::snprintf(text.time, sizeof text.time, "%02d:%02d:%02d", (when.tm_hour % 100 + 100) % 100,
                  (when.tm_min % 100 + 100) % 100, (when.tm_sec % 100 + 100) % 100);
    return text;
}

bool device_text_character(PlotState& s, const DeviceCharacter& c) {
    auto* writer = dynamic_cast<TextDevice*>(s.device.get());
    if (!writer) return false;
    flush_polyline(s);  // text stays above the lines drawn before it
    writer->text_character(c);
    return true;
}

const StandardFont& standard_font(int number) {
    static constexpr StandardFont kFonts[kStandardFontCount] = {
        {"Times-Roman", "Times", false, false, false},
        {"Times-Bold", "Times", true, false, false},
        {"Times-Italic", "Times", false, true, false},
        {"Times-BoldItalic", "Times", true, true, false},
        {"Helvetica", "Helvetica", false, false, false},
        {"Helvetica-Bold", "Helvetica", true, false, false},
        {"Helvetica-Oblique", "Helvetica", false, true, false},
        {"Helvetica-BoldOblique", "Helvetica", true, true, false},
        {"Helvetica-Narrow", "Helvetica-Narrow", false, false, false},
        {"Helvetica-Narrow-Bold", "Helvetica-Narrow", true, false, false},
        {"Helvetica-Narrow-Oblique", "Helvetica-Narrow", false, true, false},
        {"Helvetica-Narrow-BoldOblique", "Helvetica-Narrow", true, true, false},
        {"AvantGarde-Book", "AvantGarde", false, false, false},
        {"AvantGarde-Demi", "AvantGarde", true, false, false},
        {"AvantGarde-BookOblique", "AvantGarde", false, true, false},
        {"AvantGarde-DemiOblique", "AvantGarde", true, true, false},
        {"ZapfChancery-MediumItalic", "ZapfChancery", false, true, false},
        {"ZapfDingbats", "ZapfDingbats", false, false, true},
        {"Courier", "Courier", false, false, false},
        {"Courier-Bold", "Courier", true, false, false},
        {"Courier-Oblique", "Courier", false, true, false},
        {"Courier-BoldOblique", "Courier", true, true, false},
        {"Bookman-Light", "Bookman", false, false, false},
        {"Bookman-Demi", "Bookman", true, false, false},
        {"Bookman-LightItalic", "Bookman", false, true, false},
        {"Bookman-DemiItalic", "Bookman", true, true, false},
        {"NewCenturySchlbk-Roman", "NewCenturySchlbk", false, false, false},
        {"NewCenturySchlbk-Bold", "NewCenturySchlbk", true, false, false},
        {"NewCenturySchlbk-Italic", "NewCenturySchlbk", false, true, false},
        {"NewCenturySchlbk-BoldItalic", "NewCenturySchlbk", true, true, false},
        {"Palatino-Roman", "Palatino", false, false, false},
        {"Palatino-Bold", "Palatino", true, false, false},
        {"Palatino-Italic", "Palatino", false, true, false},
        {"Palatino-BoldItalic", "Palatino", true, true, false},
        {"Symbol", "Symbol", false, false, true},
    };
    return kFonts[number >= 0 && number < kStandardFontCount ? number : 0];
}

unsigned char text_code(int code) {
    // No translation table for the codes 127 to 186 exists in this build: the printable
    // Latin-1 ones are written as they are, and everything a document cannot hold as a
    // character (control codes, codes beyond 186 and out of range) becomes a blank.
    if (code < 32 || code > 186 || (code >= 127 && code < 160)) return ' ';
    return static_cast<unsigned char>(code);
}

unsigned char latin1_code(int code) {
    if (code >= 160 && code <= 255) return static_cast<unsigned char>(code);
    return text_code(code);
}

double fitted_scale(const PlotState& s) {
    const PageState& p = s.page;
    double pw = p.width, ph = p.height;
    if (p.orientation == PageOrientation::portrait) std::swap(pw, ph);
    // An empty page (zero extent) would divide by zero: such a page has no scale.
    if (!(pw > 0.0) || !(ph > 0.0)) return 0.0;
    double scale = std::min((p.device_w - 1) / pw, (p.device_h - 1) / ph);
    if (p.scale_mode == ScaleMode::down) {
        const double longer = ph < pw ? p.device_w - 1 : p.device_h - 1;
        scale = std::min(scale, longer * s.frame.unit_scale * p.scale_factor / 2969.0);
    }
    return scale;
}

}  // namespace gvx
