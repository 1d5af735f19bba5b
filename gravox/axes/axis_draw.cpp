// Drawing one axis: side signs, axis line, ticks, labels and name.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

#include "gravox/axes/axis_system.h"
#include "gravox/axes/dates.h"
#include "gravox/axes/labels.h"
#include "gravox/core/colour_table.h"
#include "gravox/core/number_text.h"
#include "gravox/core/state.h"
#include "gravox/devices/line_style.h"
#include "gravox/devices/primitives.h"
#include "gravox/text/text.h"

namespace gvx {

namespace {

constexpr double kIndexTolerance = 0.0001;  // interval counts that fall just short of an integer
// Tick and label indices, and day numbers of date axes, beyond this magnitude are not
// drawn: whole numbers up to it are exact in a double and convert to long long.
constexpr double kMaxTickIndex = 1e15;

// Keeps the caller's colour, line pattern and line offset: axes are drawn solid, in
// the axis colours where they are set, and everything is put back afterwards.
class DrawingAttributes {
  public:
    explicit DrawingAttributes(PlotState& s)
        : s_(s), saved_(line_style(s)), colour_(s.colours->current_colour) {
        use_plain_line(s);
    }
    ~DrawingAttributes() {
        flush_polyline(s_);
        use(-1);
        restore_line_style(s_, saved_);
    }
    DrawingAttributes(const DrawingAttributes&) = delete;
    DrawingAttributes& operator=(const DrawingAttributes&) = delete;

    // Draws the next part in a colour of its own (-1: the caller's colour).
    void use(int colour) {
        int wanted = colour < 0 ? colour_ : colour;
        if (wanted != s_.colours->current_colour) set_device_colour(s_, wanted);
    }

  private:
    PlotState& s_;
    LineStyle saved_;
    int colour_;
};

// Switches the exponent and index characters on and the formula mode off while
// labels that are written with them are drawn.
class ExponentText {
  public:
    ExponentText(PlotState& s, bool on)
        : s_(s), on_(on), mix_(s.text->mix_on), formula_(s.text->formula_mode) {
        if (!on_) return;
        s_.text->mix_on = true;
        s_.text->formula_mode = false;
    }
    ~ExponentText() {
        if (!on_) return;
        s_.text->mix_on = mix_;
        s_.text->formula_mode = formula_;
    }
    ExponentText(const ExponentText&) = delete;
    ExponentText& operator=(const ExponentText&) = delete;

  private:
    PlotState& s_;
    bool on_, mix_, formula_;
};

int truncate_to_int(double v) {
    return pinned_measure(v);
}

// Length of a text in a given character height.
double length_in_height(PlotState& s, const char* text, int height) {
    int saved = s.text->height;
    s.text->height = height;
    double length = text_length(s, text);
    s.text->height = saved;
    return length;
}

class AxisPainter {
  public:
    AxisPainter(PlotState& s, const AxisGeometry& g, AxisLetter letter, AxisParts parts,
                bool measure)
        : s_(s), g_(g), letter_(letter), a_(s.axes->axis[letter]), measure_(measure) {
        const int level = static_cast<int>(parts);
        if (level <= 3) a_.name[0] = '\0';
        if (level <= 2) a_.label_type = LabelType::none;
        if (level <= 1) a_.ticks = 0;
        if (level <= 0) a_.axis_line = false;

        // Side signs: outward is towards larger page coordinates on side 0.
        sign_ = g.side == 0 ? 1 : -1;
        label_distance_ = sign_ * a_.label_distance;
        name_distance_ = sign_ * a_.name_distance;
        major_ = sign_ * s.axes->major_tick;
        minor_ = sign_ * s.axes->minor_tick;
        if (a_.tick_position == TickPosition::reverse) {
            major_ = -major_;
            minor_ = -minor_;
        }
        factor_ = (g.length - 1) / (g.end - g.begin);
        valid_ = std::isfinite(factor_) && std::isfinite(g.first) && std::isfinite(g.step) &&
                 g.step != 0.0;
        low_ = std::min(g.begin, g.end);
        high_ = std::max(g.begin, g.end);
    }

    AxisExtent run() {
        std::optional<DrawingAttributes> attributes;
        if (!measure_) attributes.emplace(s_);
        colours_ = attributes ? &*attributes : nullptr;

        if (a_.axis_line && !measure_) {
            colours_->use(a_.line_colour);
            if (g_.x_axis)
                draw_segment(s_, g_.start_x, g_.start_y, g_.start_x + g_.length - 1, g_.start_y);
            else
                draw_segment(s_, g_.start_x, g_.start_y, g_.start_x, g_.start_y - g_.length + 1);
        }

        const bool ticks_drawn = a_.ticks >= 1 && valid_;
        int tick_part = 0;  // what the ticks add to the label and name distances
        if (ticks_drawn) {
            if (!measure_) {
                colours_->use(a_.tick_colour);
                draw_ticks();
            }
            if (a_.tick_position == TickPosition::label_side) {
                tick_part = major_;
                reach_ = std::abs(major_);
            } else if (a_.tick_position == TickPosition::centred) {
                tick_part = major_ / 2;
                reach_ = std::abs(major_) - std::abs(major_) / 2;
            }
        }

        const bool labels_drawn = a_.label_type != LabelType::none;
        int band = 0;
        if (labels_drawn) {
            if (!measure_) colours_->use(a_.label_colour);
            band = valid_ ? draw_labels(label_distance_ + tick_part) : 0;
            if (band > 0) reach_ = std::max(reach_, std::abs(label_distance_ + tick_part) + band);
        }

        draw_name(name_distance_ + tick_part + (labels_drawn ? label_distance_ : 0),
                  labels_drawn ? band : 0);
        return {reach_, std::max(before_, 0), std::max(after_, 0)};
    }

  private:
    // --- Ticks --------------------------------------------------------------------

    // Page position along the axis of an axis value.
    double along(double value) const {
        return g_.x_axis ? g_.start_x + 0.5 + (value - g_.begin) * factor_
                         : g_.start_y + 0.5 - (value - g_.begin) * factor_;
    }

    bool inside(double value, double tolerance) const {
        return value >= low_ - tolerance && value <= high_ + tolerance;
    }

    void tick(int position, int length) {
        const int base = g_.x_axis ? g_.start_y : g_.start_x;
        int from = base, to = base + length;
        if (a_.tick_position == TickPosition::centred) {
            from = base - length / 2;
            to = from + length;
        }
        // One tick runs outwards, the next one back to the axis, and so on.
        if (!s_.axes->tick_outward) std::swap(from, to);
        s_.axes->tick_outward = !s_.axes->tick_outward;
        if (g_.x_axis)
            draw_segment(s_, position, from, position, to);
        else
            draw_segment(s_, from, position, to, position);
    }

    void draw_ticks() {
        if (a_.tick_mode != TickMode::none) {
            calendar_ticks();
            return;
        }
        const double step_exponent = g_.step;
        const bool integral =
            std::fabs(g_.first - std::round(g_.first)) < kIndexTolerance &&
            std::fabs(step_exponent - std::round(step_exponent)) < kIndexTolerance;
        if (g_.logarithmic && a_.ticks >= 2 && integral) {
            log_ticks();
            return;
        }
        const int n = a_.ticks;
        const double spacing = g_.step / n;
        const double k0 = std::trunc((g_.first - g_.begin) / spacing + kIndexTolerance);
        const double k1 = std::trunc((g_.end - g_.first) / spacing + kIndexTolerance);
        // Each bound alone must be a small whole number, not only their sum.
        if (!(std::fabs(k0) <= kMaxTickIndex && std::fabs(k1) <= kMaxTickIndex) ||
            k1 + k0 + 1 > kMaxAxisMarks)
            return;
        const double base = along(g_.first);
        for (long long k = static_cast<long long>(-k0); k <= static_cast<long long>(k1); ++k) {
            // Ticks before the axis start exist only with a first label outside the scaling.
            if (!inside(g_.first + k * spacing, 0.001 * std::fabs(spacing))) continue;
            const double offset = k * spacing * factor_;
            const int position = truncate_to_int(g_.x_axis ? base + offset : base - offset);
            tick(position, k % n == 0 ? major_ : minor_);
        }
    }

    void log_ticks() {
        const double first_power = std::floor(low_ + kIndexTolerance);
        const double last_power = std::ceil(high_ - kIndexTolerance);
        if (last_power - first_power > kMaxAxisMarks / 9) return;
        for (double p = first_power; p <= last_power; p += 1.0) {
            if (inside(p, kIndexTolerance)) tick(truncate_to_int(along(p)), major_);
            for (int m = 2; m <= 9; ++m) {
                const double v = p + std::log10(static_cast<double>(m));
                if (inside(v, kIndexTolerance)) tick(truncate_to_int(along(v)), minor_);
            }
        }
    }

    void calendar_ticks() {
        const double first_day = std::ceil(low_ - 1e-6);
        const double last_day = std::floor(high_ + 1e-6);
        // Every day of the axis is looked at; an axis of more than a few thousand
        // years (or a daily axis of more ticks than any page shows) gets none.
        if (!(last_day - first_day <= 4.0e6) || !(std::fabs(first_day) <= kMaxTickIndex) ||
            !(std::fabs(last_day) <= kMaxTickIndex))
            return;
        if (a_.tick_mode == TickMode::days && last_day - first_day + 1 > kMaxAxisMarks) return;
        const long long base = base_day_number(s_);
        for (double d = first_day; d <= last_day; d += 1.0) {
            const CivilDate date = civil_from_days(base + static_cast<long long>(d));
            bool major = false, minor = false;
            switch (a_.tick_mode) {
                case TickMode::days:
                    major = true;
                    break;
                case TickMode::months:
                    major = date.day == 1;
                    break;
                case TickMode::quarters:
                    major = date.day == 1 && (date.month - 1) % 3 == 0;
                    break;
                case TickMode::half_years:
                    major = date.day == 1 && (date.month - 1) % 6 == 0;
                    break;
                case TickMode::years:
                    major = date.day == 1 && date.month == 1;
                    break;
                case TickMode::days_in_months:
                    major = date.day == 1;
                    minor = !major;
                    break;
                case TickMode::none:
                    break;
            }
            if (major || minor) tick(truncate_to_int(along(d)), major ? major_ : minor_);
        }
    }

    // --- Labels -------------------------------------------------------------------

    struct LabelRange {
        long long first = 0, last = -1;  // indices drawn: first..last, or the two ends only
        bool ends_only = false;
    };

    // Label indices after axends; D is the index of the last label position.
    LabelRange label_range(long long d) const {
        LabelRange r{0, d, false};
        switch (a_.ends) {
            case AxisEnds::none:
                break;
            case AxisEnds::no_first:
                r.first = 1;
                break;
            case AxisEnds::no_last:
                r.last = d - 1;
                break;
            case AxisEnds::no_ends:
                r.first = 1;
                r.last = d - 1;
                break;
            case AxisEnds::ends:
                r.ends_only = true;
                break;
            case AxisEnds::first:
                r.last = 0;
                break;
            case AxisEnds::last:
                r.first = d;
                break;
        }
        return r;
    }

    // True when a day starts the calendar unit of the date label step.
    bool starts_unit(const CivilDate& date, long long day_number) const {
        switch (a_.date.step) {
            case 2:
                return true;
            case 3:
                return weekday_from_days(day_number) == 1;
            case 4:
                return date.day == 1;
            case 5:
                return date.day == 1 && (date.month - 1) % 3 == 0;
            case 6:
                return date.day == 1 && (date.month - 1) % 6 == 0;
            case 7:
                return date.day == 1 && date.month == 1;
            default:
                return false;
        }
    }

    // Date labels at the starts of a calendar unit from the first label to the end.
    template <typename F>
    void for_each_calendar_label(F f) const {
        const double from = std::ceil(std::min(g_.first, g_.end) - 1e-6);
        const double to = std::floor(std::max(g_.first, g_.end) + 1e-6);
        if (!(to - from <= 4.0e6) || !(std::fabs(from) <= kMaxTickIndex) ||
            !(std::fabs(to) <= kMaxTickIndex))
            return;
        const long long base = base_day_number(s_);
        auto walk = [&](auto visit) {
            for (double d = from; d <= to; d += 1.0) {
                const long long number = base + static_cast<long long>(d);
                if (starts_unit(civil_from_days(number), number)) visit(d);
            }
        };
        long long count = 0;
        walk([&](double) { ++count; });
        if (count == 0 || count > kMaxAxisMarks) return;
        const LabelRange r = label_range(count - 1);
        long long i = 0;
        walk([&](double d) {
            const bool drawn =
                r.ends_only ? (i == 0 || i == count - 1) : (i >= r.first && i <= r.last);
            if (drawn && inside(d, 1e-6)) f(i, d, d);
            ++i;
        });
    }

    // Calls f(index, value, position value) for every label drawn.
    template <typename F>
    void for_each_label(F f) const {
        if (a_.label_type == LabelType::date && a_.date.step > 1) {
            for_each_calendar_label(f);
            return;
        }
        const bool centred = a_.label_position == LabelPosition::centred;
        const double count = std::trunc((g_.end - g_.first) / g_.step + kIndexTolerance);
        if (!(count > -2.0 && count + 1 <= kMaxAxisMarks)) return;
        long long d = static_cast<long long>(count) - (centred ? 1 : 0);
        if (d < 0) return;
        const LabelRange r = label_range(d);
        const bool exponent_form =
            a_.label_type == LabelType::exponent || a_.label_type == LabelType::fixed_exponent;
        auto one = [&](long long i) {
            double v = g_.first + static_cast<double>(i) * g_.step;
            if (exponent_form && std::fabs(v) < 1e-7 && std::fabs(v) < std::fabs(g_.step) / 2)
                v = 0.0;
            if (g_.crossed && std::fabs(v) < kIndexTolerance * std::fabs(g_.step)) return;
            const double at = centred ? v + g_.step / 2 : v;
            // Labels outside the axis exist only with a first label outside the scaling.
            if (!inside(at, kIndexTolerance * std::fabs(g_.step))) return;
            f(i, v, at);
        };
        if (r.ends_only) {
            one(0);
            if (d != 0) one(d);  // a single label position is drawn once
            return;
        }
        for (long long i = r.first; i <= r.last; ++i) one(i);
    }

    void make_text(long long index, double value, char* text, int size) const {
        label_text(s_, a_, g_.logarithmic, g_.x_axis,
                   static_cast<int>(std::min<long long>(index, 1 << 30)), value, a_.digits, text,
                   size);
    }

    // Draws the labels with their band starting d (signed) from the axis line; returns
    // the band extent handed on to the name.
    int draw_labels(int d) {
        const LabelType type = a_.label_type;
        const bool log_labels =
            g_.logarithmic && (type == LabelType::log || type == LabelType::centred_log);
        if (a_.auto_digits && !a_.auto_scale && type != LabelType::date) {
            a_.digits = std::max(auto_digits(g_.first), auto_digits(g_.step));
            s_.axes->axis[letter_].digits = a_.digits;
        }
        ExponentText exponents(s_,
                               type == LabelType::exponent || a_.label_family == 2 || log_labels);

        const int h = s_.text->height;
        const bool vertical = a_.label_orientation == LabelOrientation::vertical;
        char text[kLabelTextLength + 1];

        // The widest label, for y labels and vertical labels.
        double widest = 0.0;
        if (vertical || !g_.x_axis) {
            for_each_label([&](long long i, double v, double) {
                make_text(i, v, text, sizeof text);
                widest = std::max(widest, text_length(s_, text));
            });
        }
        const double ten = log_labels ? text_length(s_, "10") : 0.0;
        const double raised = s_.text->exponent_size + s_.text->exponent_shift;

        if (vertical) {
            for_each_label([&](long long i, double v, double at) {
                make_text(i, v, text, sizeof text);
                if (text[0] == '\0') return;
                const double w = text_length(s_, text);
                const double p = along(at);
                const double half = g_.x_axis ? h / 2.0 : w / 2;
                if (g_.x_axis)
                    overhang(g_.start_x - (p - half), p + half - (g_.start_x + g_.length - 1));
                else
                    overhang(p + half - g_.start_y, (g_.start_y - g_.length + 1) - (p - half));
                if (measure_) return;
                if (g_.x_axis) {
                    const double y = g_.side == 0 ? g_.start_y + d + w : g_.start_y + d;
                    draw_text_sized(s_, text, truncate_to_int(p - h / 2.0), y, h, 90);
                } else if (g_.side == 1) {
                    draw_text_sized(s_, text, g_.start_x + d - h, truncate_to_int(p + w / 2), h,
                                    90);
                } else if (s_.axes->reversed_right_name) {
                    draw_text_sized(s_, text, g_.start_x + d, truncate_to_int(p + w / 2), h, 90);
                } else {
                    draw_text_sized(s_, text, g_.start_x + d + h, truncate_to_int(p - w / 2), h,
                                    270);
                }
            });
            return g_.x_axis ? pinned_measure(std::round(widest)) : h;
        }

        if (g_.x_axis) {
            double top = g_.side == 0 ? g_.start_y + d : g_.start_y + d - h;
            int band = h;
            if (log_labels) {
                band = pinned_measure(std::round(raised * h));
                top += sign_ * (raised - 1.0) * h;
            }
            const int axis_end = g_.start_x + g_.length - 1;
            for_each_label([&](long long i, double v, double at) {
                make_text(i, v, text, sizeof text);
                if (text[0] == '\0') return;
                const double w = text_length(s_, text);
                const double centring = type == LabelType::log && log_labels ? ten : w;
                int left =
                    truncate_to_int((at - g_.begin) * factor_ + g_.start_x + 0.5 - centring / 2);
                if (a_.label_position == LabelPosition::shifted) {
                    if (left < g_.start_x) left = g_.start_x;
                    if (left + w > axis_end) left = truncate_to_int(axis_end - w);
                }
                overhang(g_.start_x - left, left + w - axis_end);
                if (!measure_) draw_text_sized(s_, text, left, top, h, 0);
            });
            return band;
        }

        // Horizontal labels of y axes.
        LabelJustification justification = a_.label_justification;
        if (log_labels && justification == LabelJustification::automatic)
            justification = LabelJustification::left;
        const bool flush_outer = justification == LabelJustification::left ||
                                 justification == LabelJustification::outward;
        const bool flush_inner = justification == LabelJustification::left ||
                                 justification == LabelJustification::inward;
        {
            const int top_end = g_.start_y - g_.length + 1;
            for_each_label([&](long long i, double v, double at) {
                make_text(i, v, text, sizeof text);
                if (text[0] == '\0') return;
                const double w = text_length(s_, text);
                int top = truncate_to_int(g_.start_y - 0.5 - (at - g_.begin) * factor_ - h / 2.0);
                if (a_.label_position == LabelPosition::shifted) {
                    if (top < top_end) top = top_end;
                    if (top + h > g_.start_y) top = g_.start_y - h;
                }
                double x;
                if (g_.side == 1)
                    x = flush_outer ? g_.start_x + d - widest : g_.start_x + d - w;
                else
                    x = flush_inner ? g_.start_x + d : g_.start_x + d + widest - w;
                overhang(top + h - g_.start_y, top_end - top);
                if (!measure_) draw_text_sized(s_, text, x, top, h, 0);
            });
        }
        return pinned_measure(std::round(widest));
    }

    // --- Name ---------------------------------------------------------------------

    void draw_name(int d, int e) {
        bool blank = true;
        for (const char* p = a_.name; *p != '\0'; ++p)
            if (*p != ' ') blank = false;
        if (blank) return;
        const int nh = s_.axes->name_height;
        reach_ = std::max(reach_, std::abs(d) + e + nh);
        if (measure_) return;
        colours_->use(a_.name_colour);
        const double name_length = length_in_height(s_, a_.name, nh);
        int offset = 0;
        switch (a_.name_justification) {
            case NameJustification::centred:
                offset = truncate_to_int((g_.length - name_length) / 2);
                break;
            case NameJustification::left:
                offset = 0;
                break;
            case NameJustification::right:
                offset = truncate_to_int(g_.length - name_length);
                break;
        }
        const int sx = g_.start_x, sy = g_.start_y;
        if (g_.x_axis) {
            const int top = g_.side == 0 ? sy + d + e : sy + d - nh - e;
            draw_text_sized(s_, a_.name, sx + offset, top, nh, 0);
        } else if (g_.side == 1) {
            draw_text_sized(s_, a_.name, sx + d - nh - e, sy - offset, nh, 90);
        } else if (s_.axes->reversed_right_name) {
            draw_text_sized(s_, a_.name, sx + d + e, sy - offset, nh, 90);
        } else {
            draw_text_sized(s_, a_.name, sx + d + nh + e, sy + offset - g_.length + 1, nh, 270);
        }
    }

    PlotState& s_;
    const AxisGeometry& g_;
    AxisLetter letter_;
    AxisSettings a_;  // working copy, masked by the setgrf level
    bool measure_;
    DrawingAttributes* colours_ = nullptr;
    int sign_ = 1;
    int label_distance_ = 0, name_distance_ = 0;
    int major_ = 0, minor_ = 0;
    double factor_ = 1.0;
    bool valid_ = true;
    double low_ = 0.0, high_ = 1.0;
    int reach_ = 0;
    int before_ = 0, after_ = 0;  // label overhang beyond the axis ends

    void overhang(double before, double after) {
        before_ = std::max(before_, pinned_measure(std::ceil(before)));
        after_ = std::max(after_, pinned_measure(std::ceil(after)));
    }
};

}  // namespace

AxisExtent draw_axis(PlotState& s, const AxisGeometry& g, AxisLetter letter, AxisParts parts,
                     bool measure_only) {
    AxisPainter painter(s, g, letter, parts, measure_only);
    return painter.run();
}

}  // namespace gvx
