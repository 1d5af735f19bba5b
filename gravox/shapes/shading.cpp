// The shading routines: predefined and self-defined patterns of the polygon fill.
#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"
#include "gravox/devices/primitives.h"
#include "gravox/gravox.h"

using namespace gvx;

void Gravox::shdpat(int pattern) {
    if (refused("shdpat", 1, 3)) return;
    PlotState& s = state();
    HatchPattern h;
    if (pattern != kEmptyFill && pattern != kSolidFill && !hatch_pattern(pattern, h)) {
        warn_int(s, warning::incorrect_parameter, pattern);
        return;
    }
    s.prims->fill_pattern = pattern;
}

void Gravox::mypat(int angle, int type, int density, int cross) {
    if (refused("mypat", 1, 3)) return;
    PlotState& s = state();
    const int code = custom_pattern_code(angle, type, density, cross);
    if (code < 0) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    s.prims->fill_pattern = code;
}
