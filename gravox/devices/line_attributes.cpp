// Public routines of the drawing primitives: line width, caps, joins, the miter limit,
// the hardware modes, and the page border.
#include <cmath>

#include "gravox/core/warning_texts.h"
#include "gravox/devices/line_style.h"
#include "gravox/devices/primitives_internal.h"
#include "gravox/gravox.h"

using namespace gvx;

void Gravox::linwid(int width) {
    if (refused("linwid", 1, 3)) return;
    PlotState& s = *state_;
    if (check_range(s, width, 1, 32000) != 0) return;
    flush_polyline(s);
    s.prims->line_width = stored_line_width(s, width);
}

void Gravox::lncap(const char* cap) {
    if (refused("lncap", 1, 3)) return;
    PlotState& s = *state_;
    const int index = match_keyword(s, "CUT +ROUN+LONG", 3, cap);
    if (index == 0) return;
    flush_polyline(s);
    s.prims->line_cap = static_cast<LineCap>(index - 1);
}

void Gravox::lnjoin(const char* join) {
    if (refused("lnjoin", 1, 3)) return;
    PlotState& s = *state_;
    const int index = match_keyword(s, "SHAR+ROUN+TRUN", 3, join);
    if (index == 0) return;
    flush_polyline(s);
    s.prims->line_join = static_cast<LineJoin>(index - 1);
}

void Gravox::lnmlt(double limit) {
    if (refused("lnmlt", 1, 3)) return;
    PlotState& s = *state_;
    if (!(limit >= 1.0) || !std::isfinite(limit)) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    // The limit decides the joints of the buffered polyline's rings: those already
    // drawn keep the limit they were drawn with.
    flush_polyline(s);
    s.prims->miter_limit = limit;
}

void Gravox::hwmode(const char* mode, const char* item) {
    if (refused("hwmode", 0, 3)) return;
    PlotState& s = *state_;
    const int on = match_keyword(s, "ON  +OFF ", 2, mode);
    if (on == 0) return;
    const int which = match_keyword(s, "LINE+SHAD", 2, item);
    if (which == 0) return;
    if (which == 1)
        s.prims->device_width = on == 1;
    else
        s.prims->device_fill = on == 1;
}

void Gravox::pagera() {
    if (refused("pagera", 1, 3)) return;
    PlotState& s = *state_;
    const double w = s.page.width, h = s.page.height;
    move_to(s, 0, 0);
    draw_to(s, 0, h);
    draw_to(s, w, h);
    draw_to(s, w, 0);
    draw_to(s, 0, 0);
}
