// Helpers shared by the vector and text output formats.
#include <algorithm>
#include <cstdio>
#include <utility>

#include "gravox/core/state.h"
#include "gravox/devices/primitives.h"
#include "gravox/formats/formats.h"

namespace gvx {

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

}  // namespace gvx
