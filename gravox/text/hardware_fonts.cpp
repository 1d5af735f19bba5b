// The standard PostScript fonts as hardware fonts: psfont and the drawing and
// measuring of one character with a font's real metrics.
#include <algorithm>
#include <cctype>
#include <cmath>

#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"
#include "gravox/gravox.h"
#include "gravox/text/font_metrics.h"
#include "gravox/text/text.h"

namespace gvx {

bool hardware_character(PlotState& s, int code, int alphabet) {
    const int number = s.formats->hardware_font;
    if (number < 0 || number >= kStandardFontCount || alphabet != 1 || code < 0 || code > 255)
        return false;
    const auto* device = dynamic_cast<const TextDevice*>(s.device.get());
    if (!device) return false;
    if (!standard_font(number).symbolic &&
        !shown_as_text(code, *device, s.formats->hardware_latin1))
        return false;
    const FontMetrics& m = kFontMetrics[number];
    if (m.widths[code] == 0) return false;

    TextState& t = *s.text;
    TextCursor& c = t.cur;
    const double h = c.str.height;
    const double width = m.widths[code] * h / m.cap_height * c.str.width_factor;
    // Fixed spacing puts every character in the cell the vector fonts use, centred;
    // the gap between cells is the spacing alone, as there.
    const bool fixed = c.str.fixed;
    const double cell = c.str.fixed_factor * t.font.fixed_pitch * c.str.width_factor * (h - 1.0);
    const double before = fixed ? (cell - width) / 2.0 : 0.0;
    const double advance = fixed ? cell : width;
    const double gap = h * c.str.spacing;
    const double raise = c.str.raise;
    c.ink_top = std::max(c.ink_top, h + raise);
    c.ink_bottom = std::min(c.ink_bottom, raise);
    if (!c.measuring) {
        DeviceCharacter character;
        character.code = code;
        character.x = c.x - raise * t.angle_sin + before * t.angle_cos;
        character.y = c.y - raise * t.angle_cos - before * t.angle_sin;
        character.angle = t.angle;
        character.font = number;
        character.height = h;
        character.size_divisor = m.cap_height;
        // chaang(0) stores the reciprocal of a tangent near 90 degrees, a few 1e-8.
        character.slant = std::fabs(c.str.slant) < 1e-6 ? 0.0 : c.str.slant;
        if (!device_text_character(s, character)) return false;
    }
    const double distance = advance + gap;
    c.x += distance * t.angle_cos;
    c.y -= distance * t.angle_sin;
    c.along += distance;
    c.extent = std::max(c.extent, c.along - gap);
    c.last_gap = gap;
    c.last_width = advance;
    c.previous_script = false;
    return true;
}

bool shown_as_text(int code, const TextDevice& device, bool latin1) {
    if (code >= 32 && code <= 126) return true;
    if (code < 160 || code > 255 || !latin1) return false;
    return device.writes_latin1() || text_code(code) == code;
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
    s.formats->hardware_font = number;
    s.text->font.kind = FontKind::hardware;
    s.text->cur.loaded = 0;
}

void Gravox::psfmod(const char* mode, const char* key) {
    if (refused("psfmod", 1, 3)) return;
    PlotState& s = *state_;
    if (s.formats->hardware_font < 0) {
        warn(s, warning::no_psfont);
        return;
    }
    const int which = match_keyword(s, "ENCO", 1, key);
    if (which == 0) return;
    const int encoding = match_keyword(s, "LATI+ASCI", 2, mode);
    if (encoding == 0) return;
    s.formats->hardware_latin1 = encoding == 1;
}
