// Axis systems: the settings of an axis system and of its axes, the scaling record
// that graf fixes, the user-to-plot mapping, and the drawing of one axis.
//
// Plot coordinates are page units with the origin at the upper left corner of the
// page, x to the right and y downwards. graf maps user coordinates onto the axis
// rectangle whose lower left corner is the axis position (px, py) and whose sides are
// the axis lengths (nx, ny): user x = xa lies on px, user x = xe on px + nx - 1, user
// y = ya on py and user y = ye on py - ny + 1. A logarithmic axis takes its scaling
// values as exponents of ten and maps data through their decimal logarithm.
//
// Axis numbering: 1 lower x axis, 2 right y axis, 3 upper x axis, 4 left y axis.
// Per-axis settings are kept for the axis letters X, Y and Z; the upper and right
// axes use the settings of X and Y.
//
// Label families that are ours to lay out (values are the user values of the axis):
//   "TIME"  seconds as hours and minutes          "hh:mm"     e.g. 3725 -> "01:02"
//   "HOUR"  seconds as hours                      "hh"        e.g. 7200 -> "02"
//   "SECO"  seconds as hours, minutes and seconds "hh:mm:ss"  e.g. 3725 -> "01:02:05"
//           labmod("TIME", "WRAP"|"FULL"): WRAP (default) folds the hours into a day
//           (00 to 23), FULL lets them grow beyond 24. Negative values get a "-".
//   "MAP"   degrees with a raised "o" and a letter: x axes fold into -180 to 180 and
//           show E (east) or W (west), y axes fold into -90 to 90 and show N or S;
//           0 (and 180 on x axes) get no letter: 30 -> "30 o E", -45 -> "45 o S".
//   "DMAP"  signed degrees with the raised "o" and no letter: -30 -> "-30 o".
//   "LMAP"  degrees with the letter and no degree sign: -30 on x -> "30W".
//   "MAPN"  the folded number alone: 200 on x -> "-160".
//           (" o " stands for the raised o written with the exponent characters.)
//   "DATE"  days since the base date of basdat (default 1 January 1900), made of day,
//           month and year in the order of labmod "FORM" ("DMY", "MDY", "YMD"),
//           joined by the separator of labmod "SEPA" ("POINT" ".", "DASH" "-",
//           "SLASH" "/", "BLANK" " ", "NONE" nothing). labmod keywords:
//             "YEAR"  "LONG" four digits (default), "SHORT" two digits, "NONE"
//             "DAYS"  "LONG" two digits (default), "SHORT" no leading zero,
//                     "WEEK" weekday name and day ("Mon 05"), "NONE"
//             "MONTH" "NUMBER" two digits (default), "SHORT" three-letter name,
//                     "LONG" full name, "NONE"
//             "LANG"  "ENGLISH" (default), "GERMAN", "SPANISH" names
//             "CASE"  "MIXED" (default, "Jan"), "UPPER" ("JAN"), "LOWER" ("jan")
//             "STEP"  "NONE" (labels at first + i * step, default) or a calendar
//                     unit "DAYS", "WEEK", "MONTH", "QUARTER", "HALF", "YEAR": labels
//                     at every start of that unit from the first label to the end
//           e.g. day 0 with the defaults -> "01.01.1900"; with "MONTH" "SHORT" and
//           "SEPA" "BLANK" -> "01 Jan 1900".
// Calendar tick modes of ticmod (on axes whose values are days since the base date):
//   "DAYS" a tick every day; "MONT" at the first of every month; "QUAR" at the first
//   of January, April, July and October; "HALF" of January and July; "YEAR" of
//   January; "DMON" major ticks at the first of every month and minor ticks on every
//   other day. Calendar ticks of the first four modes are major ticks.
#pragma once

#include <cmath>

#include "gravox/devices/primitives.h"

namespace gvx {

struct PlotState;

inline constexpr int kAxisNameLength = 132;      // characters of an axis name
inline constexpr int kMyLabelCount = 50;         // texts of mylab per axis
inline constexpr int kMyLabelLength = 32;        // characters of one mylab text
inline constexpr int kLabelTextLength = 80;      // characters of one axis label
inline constexpr double kPlotLimit = 1000000.0;  // user-to-plot results are kept within it
// Ticks or labels that one axis draws at most; an axis whose step is so small that it
// would need more draws none of them instead of running for ages.
inline constexpr double kMaxAxisMarks = 100000.0;

// Axis letters X, Y, Z as indices of the per-axis settings.
enum AxisLetter { axis_x = 0, axis_y = 1, axis_z = 2 };

// Keyword values, numbered from 1 in the order of their routines' keyword lists.
enum class TickPosition { label_side = 1, reverse, centred };  // ticpos "LABE+REVE+CENT"
enum class TickMode { none = 1, days, months, quarters, half_years, years, days_in_months };
// labels: the sixteen label types in the order of their keyword list.
enum class LabelType {
    none = 0,
    floating,        // "FLOA"
    exponent,        // "EXP "
    log,             // "LOG "
    centred_log,     // "CLOG"
    log_exponent,    // "ELOG"
    map,             // "MAP "
    degree_map,      // "DMAP"
    letter_map,      // "LMAP"
    time,            // "TIME"
    hours,           // "HOUR"
    seconds,         // "SECO"
    my_labels,       // "MYLA"
    fixed_exponent,  // "FEXP"
    date,            // "DATE"
    plain_map        // "MAPN"
};
enum class LabelPosition { tick = 1, centred, shifted };   // labpos "TICK+CENT+SHIF"
enum class LabelOrientation { horizontal = 1, vertical };  // labtyp "HORI+VERT"
enum class LabelJustification { automatic = 1, left, right, outward, inward };
enum class AxisEnds { none = 1, no_first, no_last, no_ends, ends, first, last };
enum class NameJustification { centred = 1, left, right };
// setgrf: which parts of an axis are drawn, each level including the ones below.
enum class AxisParts { none = 0, line, ticks, labels, name };

// Layout of date and time labels (labmod); values from 1 in the order of the keyword
// lists documented at the top of this file.
struct DateLabelMode {
    int year = 2;         // "NONE+LONG+SHOR"
    int day = 2;          // "NONE+LONG+SHOR+WEEK"
    int month = 2;        // "NONE+NUMB+SHOR+LONG"
    int language = 1;     // "ENGL+GERM+SPAN"
    int order = 1;        // "DMY +MDY +YMD "
    int separator = 1;    // "POIN+DASH+SLAS+BLAN+NONE"
    int letter_case = 1;  // "MIXE+UPPE+LOWE"
    int step = 1;         // "NONE+DAYS+WEEK+MONT+QUAR+HALF+YEAR"
    int time = 1;         // "WRAP+FULL"
};

// Settings of one axis letter.
struct AxisSettings {
    int ticks = 2;  // tick intervals per label interval, 0 to 1000
    TickPosition tick_position = TickPosition::label_side;
    TickMode tick_mode = TickMode::none;
    LabelType label_type = LabelType::floating;
    int format_class = 2;            // 1 "LOG"/"CLOG", 3 "ELOG", 2 otherwise
    bool exponent_centring = false;  // "EXP" and "CLOG"
    int label_family = 0;            // 1 time, 2 map, 3 date, 0 otherwise
    int digits = 1;                  // digits after the point, -1 integers
    bool auto_digits = false;        // labdif -2
    int label_distance = 24;
    LabelPosition label_position = LabelPosition::tick;
    LabelOrientation label_orientation = LabelOrientation::horizontal;
    LabelJustification label_justification = LabelJustification::automatic;
    AxisEnds ends = AxisEnds::none;
    char name[kAxisNameLength + 1] = "";
    int name_distance = 30;
    NameJustification name_justification = NameJustification::centred;
    bool axis_line = true;
    int line_colour = kCurrentColour, tick_colour = kCurrentColour, label_colour = kCurrentColour,
        name_colour = kCurrentColour;
    char my_labels[kMyLabelCount][kMyLabelLength + 1] = {};
    DateLabelMode date;
    bool logarithmic = false;  // axsscl
    // Automatic scaling requested by setscl, with the data extremes it saw.
    bool auto_scale = false;
    double data_min = 0.0, data_max = 0.0;
};

// Label settings of the bar, pie and contour features (set through labels, labdif,
// labdis, labpos and labtyp with "BAR", "PIE", "PER", "DAT" or "CON" in place of the
// axis letters). Keyword values count from 1 in the order of their lists:
//   bar labels   "NONE+SECO+FIRS+MAXI+MINI+DELT+POSI"  positions "INSI+OUTS+CENT+AUTO"
//   pie labels   "NONE+PERC+DATA+BOTH"                 positions "INTE+EXTE+ALIG"
//                                                      types     "CENT+MOVE"
//   contours     "NONE+FLOA+CONL"                      types     "CONT+HORI"
struct FeatureLabels {
    int bar_mode = 1, pie_mode = 2, contour_mode = 2;
    int bar_digits = 1, pie_digits = 1, percent_digits = 1, data_digits = 1;
    int contour_digits = 1;
    int contour_distance = 500;
    int bar_position = 2, pie_position = 1, pie_type = 1, contour_type = 1;
};

// The kind of the current axis system, also written to PrimitiveState::axis_kind.
enum class AxisKind { none = 0, rectangular = 1, crossed = 2 };

// What graf fixes for the user-to-plot mapping and the clipping.
struct ScalingRecord {
    double xa = 0.0, xe = 1.0, x_first = 0.0, x_step = 1.0;
    double ya = 0.0, ye = 1.0, y_first = 0.0, y_step = 1.0;
    double x_factor = 1.0, y_factor = 1.0;
    double x_origin = 0.0, y_origin = 0.0;  // px and py
    double x_range[2] = {0.0, 1.0};         // user range, smaller value first
    double y_range[2] = {0.0, 1.0};
    bool x_log = false, y_log = false;
    int right_end = 0, top_end = 0;  // px + nx - 1 and py - ny + 1
    ClipWindow clip;                 // window curves are cut to
    double centre_x = 0.0, centre_y = 0.0, radius = 0.0;
};

struct AxisState {
    AxisSettings axis[3];                  // X, Y, Z
    int major_tick = 24, minor_tick = 16;  // ticlen, shared by all axes
    int name_height = 36;                  // hname
    bool reversed_right_name = false;      // rvynam

    // Position and size of the axis system.
    int pos_x = 0, pos_y = 0;       // lower left corner (axspos)
    int len_x = 2, len_y = 2;       // axslen
    bool origin_point_set = false;  // axsorg was called
    int origin_point_x = 0, origin_point_y = 0;
    bool crossed = false;  // axstyp "CROS"
    AxisParts parts[4] = {AxisParts::name, AxisParts::name, AxisParts::ticks, AxisParts::ticks};
    bool two_axes = false;  // ax2grf
    bool no_axes = false;   // nograf
    int frame_thickness = 1;
    int background = -1;  // axsbgd, -1 none
    int grace = -1;       // clipping margin
    bool neglog_on = false;
    double neglog_value = 1.0;
    bool centre_request = false;  // center

    // The current axis system.
    AxisKind kind = AxisKind::none;
    bool polar = false;
    ScalingRecord rec;

    FeatureLabels features;

    // Kept for the life of the library object (not reset by gvxini).
    bool tick_outward = true;  // direction of the next tick, flips after every tick
    int base_day = 1, base_month = 1, base_year = 1900;  // basdat
};

// Sets up a two-dimensional axis system as graf does (level 2) after the caller's
// level check: scaling test, record, clipping window, axes and frame. Returns false
// (level 1) when the scaling is refused.
bool open_axis_system(PlotState& s, double xa, double xe, double x_first, double x_step, double ya,
                      double ye, double y_first, double y_step);

// Scaling test of one axis (begin, end, first label, step) as graf makes it: true after
// warning 10 (equal ends) or 9 (zero step) or 2 (values beyond the number range);
// warnings 12 (first label outside) and 50 (sign of the step) only report; they also come
// after a refusal unless report_when_refused is false (the colour axis stops at the first).
bool scaling_fails(PlotState& s, double a, double e, double o, double step,
                   bool report_when_refused = true);

// Per-plot reset of gvxini: the defaults above, with the axis position and lengths
// taken from the page defaults that gvxini computed.
void reset_axes(PlotState& s);
// The axes' part of endgrf: no axis system, plot level 1. The subsystems that draw in
// an axis system end theirs after it (Gravox::endgrf in core/plot.cpp).
void end_axis_system(PlotState& s);

// User-to-plot mapping of the current axis system, limited to +-kPlotLimit. On a
// logarithmic axis a value that is not positive is mapped as the neglog value when
// one was given; otherwise it lies infinitely far towards the lower end of the axis
// and ends at the limit.
double x_to_plot(const PlotState& s, double x);
double y_to_plot(const PlotState& s, double y);

// The same mapping as a value: the constants of the scaling record, taken once for a
// walk over many points. On a logarithmic axis the decimal logarithm of the value is
// mapped; a value that is not positive becomes the neglog value when one is set, else
// minus infinity. Results are kept within +-kPlotLimit (NaN stays NaN).
struct PlotMapping {
    double xa = 0.0, x_factor = 1.0, x_origin = 0.0;
    double ya = 0.0, y_factor = 1.0, y_origin = 0.0;
    bool x_log = false, y_log = false;
    bool neglog_on = false;
    double neglog_value = 1.0;

    double x(double v) const { return limit((axis_value(x_log, v) - xa) * x_factor + x_origin); }
    double y(double v) const { return limit(y_origin - (axis_value(y_log, v) - ya) * y_factor); }

  private:
    double axis_value(bool logarithmic, double v) const {
        if (!logarithmic || std::isnan(v)) return v;
        if (v > 0.0) return std::log10(v);
        if (neglog_on) return std::log10(neglog_value);
        return -HUGE_VAL;
    }
    static double limit(double v) {
        if (v > kPlotLimit) return kPlotLimit;
        if (v < -kPlotLimit) return -kPlotLimit;
        return v;
    }
};
PlotMapping plot_mapping(const PlotState& s);
// True when the point lies outside the user ranges of the axis system (y is not
// tested in polar systems).
bool out_of_scaling(const PlotState& s, double x, double y);
// The axis rectangle of the current axis system: left, top, right, bottom.
ClipWindow axis_rectangle(const PlotState& s);

// One axis as graf hands it to the axis drawing.
struct AxisGeometry {
    double begin = 0.0, end = 1.0, first = 0.0, step = 1.0;  // exponents on log axes
    int length = 2;                                          // plot units
    int side = 0;     // 0: ticks, labels, name on the side of larger page coordinates
    int start_x = 0;  // left end of x axes, lower end of y axes
    int start_y = 0;
    bool logarithmic = false;
    bool x_axis = true;
    bool crossed = false;  // the label at 0 is left out
};

// How far what an axis draws reaches beyond its line: outward across the axis, and
// along it before its start (left of x axes, below y axes) and after its end.
struct AxisExtent {
    int outward = 0, before = 0, after = 0;
};

// Draws one axis with the settings of an axis letter, masked by the parts its setgrf
// level allows. With measure_only nothing is drawn. Returns the extent of ticks, labels
// and name in plot units (used to centre the system).
AxisExtent draw_axis(PlotState& s, const AxisGeometry& g, AxisLetter letter, AxisParts parts,
                     bool measure_only);

// Automatic scaling of one axis from its data extremes (setscl): replaces begin, end,
// first label and step. Logarithmic axes get exponents.
void auto_scale_axis(PlotState& s, AxisLetter letter, double& begin, double& end, double& first,
                     double& step);

// The axis letters named in the first three characters of a string, as a bit set
// (1 X, 2 Y, 4 Z).
int axis_letters(const char* axes);

}  // namespace gvx
