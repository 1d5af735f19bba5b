// The standard PostScript fonts as hardware fonts: psfont and the drawing and
// measuring of one character with a font's real metrics.
#include <algorithm>
#include <cctype>

#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"
#include "gravox/gravox.h"
#include "gravox/text/font_metrics.h"

namespace gvx {

bool hardware_character(PlotState& s, int code, int alphabet) {
    const int number = s.formats.hardware_font;
    if (number < 0 || number >= kStandardFontCount || alphabet != 1 || code < 0 || code > 255)
        return false;
    const bool symbolic = standard_font(number).symbolic;
    // A text font shows what the document devices write as characters; any other code
    // is left to the vector font.
    if (!symbolic && text_code(code) != code) return false;
    const FontMetrics& m = kFontMetrics[number];
    if (m.widths[code] == 0) return false;

    TextState& t = s.text;
    TextCursor& c = t.cur;
    const double h = c.str.height;
    const double width = m.widths[code] * h / m.cap_height * c.str.width_factor;
    const double gap = h * c.str.spacing;
    const double raise = c.str.raise;
    c.ink_top = std::max(c.ink_top, h + raise);
    c.ink_bottom = std::min(c.ink_bottom, raise);
    if (!c.measuring) {
        DeviceCharacter character;
        character.code = code;
        character.x = c.x - raise * t.angle_sin;
        character.y = c.y - raise * t.angle_cos;
        character.angle = t.angle;
        character.font = number;
        character.height = h;
        character.size_divisor = m.cap_height;
        if (!device_text_character(s, character)) return false;
    }
    const double distance = width + gap;
    c.x += distance * t.angle_cos;
    c.y -= distance * t.angle_sin;
    c.along += distance;
    c.extent = std::max(c.extent, c.along - gap);
    c.last_gap = gap;
    c.last_width = width;
    c.previous_script = false;
    return true;
}

}  // namespace gvx

using namespace gvx;

void Gravox::psfont(const char* name) {
    if (refused("psfont", 1, 3)) return;
    PlotState& s = *state_;
    int number = -1;
    for (int i = 0; i < kStandardFontCount && name; ++i) {
        const char* a = standard_font(i).name;
        const char* b = name;
        while (*a && *b &&
               std::toupper(static_cast<unsigned char>(*a)) ==
                   std::toupper(static_cast<unsigned char>(*b)))
            ++a, ++b;
        if (*a == '\0' && *b == '\0') number = i;
    }
    if (number < 0) {
        warn_text(s, warning::incorrect_parameter, name ? name : "");
        return;
    }
    if (!dynamic_cast<TextDevice*>(s.device.get())) {
        warn(s, warning::not_postscript);  // the vector font stays
        return;
    }
    s.formats.hardware_font = number;
    s.text.font.kind = FontKind::hardware;
    s.text.cur.loaded = 0;
}
