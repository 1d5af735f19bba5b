// Texts of axis labels for every label type (internal to the axis drawing).
#pragma once

#include "gravox/axes/axis_system.h"

namespace gvx {

// The text of label number index (from 0) with value v on an axis with the given
// settings and digits; at most kLabelTextLength characters. Logarithmic axes pass
// exponents. An empty text draws nothing.
void label_text(const PlotState& s, const AxisSettings& a, bool logarithmic, bool x_axis, int index,
                double value, int digits, char* out, int size);

// Date text of a day number relative to the base date, laid out by the date modes.
void date_text(const PlotState& s, const DateLabelMode& mode, double days, char* out, int size);

// Converts a text holding Latin-1 letters to the character coding of the text layer.
void encode_latin1(const PlotState& s, const char* text, char* out, int size);

}  // namespace gvx
