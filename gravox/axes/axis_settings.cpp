// Settings of the axes: ticks, labels, names and colours per axis letter, and the
// label settings of bar graphs, pie charts and contours.
#include <cctype>
#include <cstring>

#include "gravox/axes/axis_system.h"
#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"
#include "gravox/gravox.h"

using namespace gvx;

namespace {

// Distances are bounded so that signed sums of them never overflow.
constexpr int kMaxDistance = 10000;

// Calls f for the settings of every axis letter named in axes.
template <typename F>
void for_axes(PlotState& s, const char* axes, F f) {
    const int letters = axis_letters(axes);
    for (int i = 0; i < 3; ++i)
        if (letters & (1 << i)) f(s.axes->axis[i]);
}

// True when the first three characters of axes are the feature word (upper or lower case).
bool names_feature(const char* axes, const char* word) {
    if (!axes) return false;
    for (int i = 0; i < 3; ++i) {
        if (axes[i] == '\0') return false;
        if (std::toupper(static_cast<unsigned char>(axes[i])) != word[i]) return false;
    }
    return true;
}

// The label type fixes the format class, the exponent centring and the label family.
void set_label_type(AxisSettings& a, int type) {
    a.label_type = static_cast<LabelType>(type);
    const LabelType t = a.label_type;
    a.format_class = (t == LabelType::log || t == LabelType::centred_log) ? 1
                     : t == LabelType::log_exponent                       ? 3
                                                                          : 2;
    a.exponent_centring = t == LabelType::exponent || t == LabelType::centred_log;
    switch (t) {
        case LabelType::time:
        case LabelType::hours:
        case LabelType::seconds:
            a.label_family = 1;
            break;
        case LabelType::map:
        case LabelType::degree_map:
        case LabelType::letter_map:
        case LabelType::plain_map:
            a.label_family = 2;
            break;
        case LabelType::date:
            a.label_family = 3;
            break;
        default:
            a.label_family = 0;
            break;
    }
}

}  // namespace

void Gravox::ticks(int n, const char* axes) {
    if (refused("ticks", 1, 3)) return;
    PlotState& s = state();
    if (check_range(s, n, 0, 1000) != 0) return;
    for_axes(s, axes, [&](AxisSettings& a) { a.ticks = n; });
}

void Gravox::ticlen(int major, int minor) {
    if (refused("ticlen", 1, 3)) return;
    PlotState& s = state();
    if (check_range(s, major, 1, 10000) != 0) return;
    if (check_range(s, minor, 1, 10000) != 0) return;
    s.axes->major_tick = major;
    s.axes->minor_tick = minor;
}

void Gravox::ticpos(const char* position, const char* axes) {
    if (refused("ticpos", 1, 3)) return;
    PlotState& s = state();
    int index = match_keyword(s, "LABE+REVE+CENT", 3, position);
    if (index == 0) return;
    for_axes(s, axes, [&](AxisSettings& a) { a.tick_position = static_cast<TickPosition>(index); });
}

void Gravox::ticmod(const char* mode, const char* axes) {
    if (refused("ticmod", 1, 3)) return;
    PlotState& s = state();
    int index = match_keyword(s, "NONE+DAYS+MONT+QUAR+HALF+YEAR+DMON", 7, mode);
    if (index == 0) return;
    for_axes(s, axes, [&](AxisSettings& a) { a.tick_mode = static_cast<TickMode>(index); });
}

void Gravox::labels(const char* type, const char* axes) {
    if (refused("labels", 1, 3)) return;
    PlotState& s = state();
    FeatureLabels& f = s.axes->features;
    if (names_feature(axes, "BAR")) {
        int index = match_keyword(s, "NONE+SECO+FIRS+MAXI+MINI+DELT+POSI", 7, type);
        if (index != 0) f.bar_mode = index;
        return;
    }
    if (names_feature(axes, "PIE")) {
        int index = match_keyword(s, "NONE+PERC+DATA+BOTH", 4, type);
        if (index != 0) f.pie_mode = index;
        return;
    }
    if (names_feature(axes, "CON")) {
        // "CONT" is another name of "CONL": labels with the text of conlab.
        int index = match_keyword(s, "NONE+FLOA+CONL+CONT", 4, type);
        if (index != 0) f.contour_mode = index == 4 ? 3 : index;
        return;
    }
    int index = match_keyword(
        s, "NONE+FLOA+EXP +LOG +CLOG+ELOG+MAP +DMAP+LMAP+TIME+HOUR+SECO+MYLA+FEXP+DATE+MAPN", 16,
        type);
    if (index == 0) return;
    for_axes(s, axes, [&](AxisSettings& a) { set_label_type(a, index - 1); });
}

void Gravox::labdif(int n, const char* axes) {
    if (refused("labdif", 1, 3)) return;
    PlotState& s = state();
    if (check_range(s, n, -2, 100) != 0) return;
    FeatureLabels& f = s.axes->features;
    if (names_feature(axes, "BAR")) {
        f.bar_digits = n;
    } else if (names_feature(axes, "PIE")) {
        f.pie_digits = n;
    } else if (names_feature(axes, "PER")) {
        f.percent_digits = n;
    } else if (names_feature(axes, "DAT")) {
        f.data_digits = n;
    } else if (names_feature(axes, "CON")) {
        f.contour_digits = n;
    } else {
        for_axes(s, axes, [&](AxisSettings& a) {
            if (n == -2) {
                a.auto_digits = true;
            } else {
                a.digits = n;
                a.auto_digits = false;
            }
        });
    }
}

void Gravox::intax() {
    if (refused("intax", 1, 3)) return;
    for (AxisSettings& a : state().axes->axis) {
        a.digits = -1;
        a.auto_digits = false;
    }
}

void Gravox::labdis(int distance, const char* axes) {
    if (refused("labdis", 1, 3)) return;
    PlotState& s = state();
    if (names_feature(axes, "CON")) {
        if (check_range(s, distance, 1, 10000) != 0) return;
        s.axes->features.contour_distance = distance;
        return;
    }
    if (check_range(s, distance, -kMaxDistance, kMaxDistance) != 0) return;
    for_axes(s, axes, [&](AxisSettings& a) { a.label_distance = distance; });
}

void Gravox::labpos(const char* position, const char* axes) {
    if (refused("labpos", 1, 3)) return;
    PlotState& s = state();
    FeatureLabels& f = s.axes->features;
    if (names_feature(axes, "BAR")) {
        int index = match_keyword(s, "INSI+OUTS+CENT+AUTO", 4, position);
        if (index != 0) f.bar_position = index;
        return;
    }
    if (names_feature(axes, "PIE")) {
        int index = match_keyword(s, "INTE+EXTE+ALIG", 3, position);
        if (index != 0) f.pie_position = index;
        return;
    }
    int index = match_keyword(s, "TICK+CENT+SHIF", 3, position);
    if (index == 0) return;
    for_axes(s, axes,
             [&](AxisSettings& a) { a.label_position = static_cast<LabelPosition>(index); });
}

void Gravox::labtyp(const char* type, const char* axes) {
    if (refused("labtyp", 1, 3)) return;
    PlotState& s = state();
    FeatureLabels& f = s.axes->features;
    if (names_feature(axes, "PIE")) {
        int index = match_keyword(s, "CENT+MOVE", 2, type);
        if (index != 0) f.pie_type = index;
        return;
    }
    if (names_feature(axes, "CON")) {
        int index = match_keyword(s, "CONT+HORI", 2, type);
        if (index != 0) f.contour_type = index;
        return;
    }
    int index = match_keyword(s, "HORI+VERT", 2, type);
    if (index == 0) return;
    for_axes(s, axes,
             [&](AxisSettings& a) { a.label_orientation = static_cast<LabelOrientation>(index); });
}

void Gravox::labjus(const char* justification, const char* axes) {
    if (refused("labjus", 1, 3)) return;
    PlotState& s = state();
    int index = match_keyword(s, "AUTO+LEFT+RIGH+OUTW+INWA", 5, justification);
    if (index == 0) return;
    for_axes(s, axes, [&](AxisSettings& a) {
        a.label_justification = static_cast<LabelJustification>(index);
    });
}

void Gravox::axends(const char* ends, const char* axes) {
    if (refused("axends", 1, 3)) return;
    PlotState& s = state();
    int index = match_keyword(s, "NONE+NOFI+NOLA+NOEN+ENDS+FIRS+LAST", 7, ends);
    if (index == 0) return;
    for_axes(s, axes, [&](AxisSettings& a) { a.ends = static_cast<AxisEnds>(index); });
}

void Gravox::name(const char* text, const char* axes) {
    if (refused("name", 1, 3)) return;
    PlotState& s = state();
    if (check_string(s, text)) return;
    for_axes(s, axes, [&](AxisSettings& a) { copy_text(a.name, text, kAxisNameLength); });
}

void Gravox::namdis(int distance, const char* axes) {
    if (refused("namdis", 1, 3)) return;
    PlotState& s = state();
    if (check_range(s, distance, -kMaxDistance, kMaxDistance) != 0) return;
    for_axes(s, axes, [&](AxisSettings& a) { a.name_distance = distance; });
}

void Gravox::namjus(const char* justification, const char* axes) {
    if (refused("namjus", 1, 3)) return;
    PlotState& s = state();
    int index = match_keyword(s, "CENT+LEFT+RIGH", 3, justification);
    if (index == 0) return;
    for_axes(s, axes, [&](AxisSettings& a) {
        a.name_justification = static_cast<NameJustification>(index);
    });
}

void Gravox::hname(int height) {
    if (refused("hname", 1, 3)) return;
    PlotState& s = state();
    if (check_range(s, height, 1, 10000) != 0) return;
    s.axes->name_height = height;
}

void Gravox::rvynam() {
    if (refused("rvynam", 1, 3)) return;
    state().axes->reversed_right_name = true;
}

void Gravox::axclrs(int colour, const char* part, const char* axes) {
    if (refused("axclrs", 1, 3)) return;
    PlotState& s = state();
    int index = match_keyword(s, "LINE+TICK+LABE+NAME+ALL ", 5, part);
    if (index == 0) return;
    if (check_range(s, colour, -1, -2) != 0) return;
    for_axes(s, axes, [&](AxisSettings& a) {
        if (index == 1 || index == 5) a.line_colour = colour;
        if (index == 2 || index == 5) a.tick_colour = colour;
        if (index == 3 || index == 5) a.label_colour = colour;
        if (index == 4 || index == 5) a.name_colour = colour;
    });
}

void Gravox::mylab(const char* text, int index, const char* axes) {
    if (refused("mylab", 1, 3)) return;
    PlotState& s = state();
    if (check_string(s, text) || check_range(s, index, 1, kMyLabelCount) != 0) return;
    for_axes(s, axes,
             [&](AxisSettings& a) { copy_text(a.my_labels[index - 1], text, kMyLabelLength); });
}

void Gravox::labmod(const char* key, const char* mode, const char* axes) {
    if (refused("labmod", 1, 3)) return;
    PlotState& s = state();
    // The first keyword is told by its first three letters.
    static constexpr const char* kKeys[] = {"YEA", "DAY", "MON", "LAN", "FOR",
                                            "SEP", "CAS", "STE", "TIM"};
    static constexpr struct {
        const char* list;
        int entries;
    } kModes[] = {{"NONE+LONG+SHOR", 3},
                  {"NONE+LONG+SHOR+WEEK", 4},
                  {"NONE+NUMB+SHOR+LONG", 4},
                  {"ENGL+GERM+SPAN", 3},
                  {"DMY +MDY +YMD ", 3},
                  {"POIN+DASH+SLAS+BLAN+NONE", 5},
                  {"MIXE+UPPE+LOWE", 3},
                  {"NONE+DAYS+WEEK+MONT+QUAR+HALF+YEAR", 7},
                  {"WRAP+FULL", 2}};
    int which = -1;
    for (int i = 0; i < 9 && which < 0; ++i)
        if (names_feature(key, kKeys[i])) which = i;
    if (which < 0) {
        warn_text(s, warning::incorrect_parameter, key ? key : "");
        return;
    }
    int index = match_keyword(s, kModes[which].list, kModes[which].entries, mode);
    if (index == 0) return;
    for_axes(s, axes, [&](AxisSettings& a) {
        DateLabelMode& d = a.date;
        int* fields[] = {&d.year,      &d.day,         &d.month, &d.language, &d.order,
                         &d.separator, &d.letter_case, &d.step,  &d.time};
        *fields[which] = index;
    });
}
