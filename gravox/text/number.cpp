// Drawing a number: the number-to-text rule of the axis labels, drawn as a string.
#include "gravox/axes/numbers.h"
#include "gravox/core/state.h"
#include "gravox/text/text.h"

namespace gvx {

void draw_number(PlotState& s, double value, int digits, double x, double y) {
    char text[kNumberTextSize];
    format_number(s, value, digits, text, static_cast<int>(sizeof text));
    draw_text(s, text, x, y);
}

}  // namespace gvx
