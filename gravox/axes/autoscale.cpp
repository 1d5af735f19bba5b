// Automatic scaling (setscl): begin, end, first label and step of an axis from the
// extremes of its data.
//
// Linear axes get about five label intervals of a round step (1, 2, 2.5 or 5 times a
// power of ten); begin and end are the multiples of the step around the data and the
// first label is the begin. Time axes (labels "TIME", "HOUR", "SECO") step by whole
// seconds, minutes, hours or days; date axes ("DATE") by days, weeks, months of 30
// days and years of 365 days. Logarithmic axes span the powers of ten around the data
// with step 1. Equal extremes are widened by 1 on both sides (warning 25); on a
// logarithmic axis a minimum that is not positive becomes 0.1 (warning 23) and a
// maximum that is not positive 1.0 (warning 24).
#include <algorithm>
#include <cmath>

#include "gravox/axes/axis_system.h"
#include "gravox/core/number_text.h"
#include "gravox/core/state.h"

namespace gvx {

namespace {

constexpr double kIntervals = 5.0;  // label intervals aimed at

// The smallest round step of 1, 2, 2.5, 5 times a power of ten not below raw.
double round_step(double raw) {
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    const double f = raw / power;
    for (double nice : {1.0, 2.0, 2.5, 5.0, 10.0})
        if (f <= nice * (1.0 + 1e-9)) return nice * power;
    return 10.0 * power;
}

// The first entry of a table of steps not below raw, else a round multiple of the last.
double table_step(double raw, const double* table, int n) {
    for (int i = 0; i < n; ++i)
        if (table[i] >= raw) return table[i];
    const double last = table[n - 1];
    return last * round_step(raw / last);
}

}  // namespace

void auto_scale_axis(PlotState& s, AxisLetter letter, double& begin, double& end, double& first,
                     double& step) {
    AxisSettings& a = s.axes->axis[letter];
    double lo = a.data_min, hi = a.data_max;

    if (a.logarithmic) {
        if (lo <= 0.0) {
            warn(s, warning::non_positive_minimum);
            lo = 0.1;
        }
        if (hi <= 0.0) {
            warn(s, warning::non_positive_maximum);
            hi = 1.0;
        }
        if (lo > hi) std::swap(lo, hi);
        begin = std::floor(std::log10(lo) + 1e-9);
        end = std::ceil(std::log10(hi) - 1e-9);
        if (end - begin < 0.5) {
            warn(s, warning::equal_extremes);
            begin -= 1.0;
            end += 1.0;
        }
        first = begin;
        step = 1.0;
    } else {
        if (hi - lo <= std::max(std::fabs(hi), std::fabs(lo)) * 1e-12) {
            warn(s, warning::equal_extremes);
            lo -= 1.0;
            hi += 1.0;
        }
        const double raw = (hi - lo) / kIntervals;
        static constexpr double kTimeSteps[] = {1,    2,    5,     10,    15,    30,
                                                60,   120,  300,   600,   900,   1800,
                                                3600, 7200, 10800, 21600, 43200, 86400};
        static constexpr double kDateSteps[] = {1, 2, 7, 14, 30, 61, 91, 182, 365};
        if (a.label_family == 1)
            step = table_step(raw, kTimeSteps, static_cast<int>(std::size(kTimeSteps)));
        else if (a.label_family == 3)
            step =
                table_step(std::max(raw, 1.0), kDateSteps, static_cast<int>(std::size(kDateSteps)));
        else
            step = round_step(raw);
        begin = std::floor(lo / step + 1e-9) * step;
        end = std::ceil(hi / step - 1e-9) * step;
        // Whole multiples of the step, without a minus zero.
        begin = std::round(begin / step) * step + 0.0;
        end = std::round(end / step) * step + 0.0;
        first = begin;
    }
    if (a.auto_digits && a.label_type != LabelType::date)
        a.digits = std::max(auto_digits(first), auto_digits(step));
}

}  // namespace gvx
