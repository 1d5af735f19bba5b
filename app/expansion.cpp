#include "app/expansion.h"

#include <climits>
#include <cmath>
#include <iostream>
#include <locale>
#include <ostream>
#include <stdexcept>

// The reported numbers depend on every rounding of the recurrence: a fused
// multiply-add would change them. g++ contracts across statements unless told not
// to (even in ISO mode for C++), so contraction is switched off for this file.
#if defined(__clang__)
#pragma STDC FP_CONTRACT OFF
#elif defined(__GNUC__)
#pragma GCC optimize("fp-contract=off")
#endif

namespace cosmology {

namespace {

// Writes numbers as a freshly opened stream does (six significant digits, the
// shorter of fixed and exponent notation, "C" locale) whatever the caller set on the
// stream, and puts the caller's settings back afterwards.
class ReportFormat {
  public:
    explicit ReportFormat(std::ostream& out)
        : out_(out),
          flags_(out.flags()),
          precision_(out.precision()),
          width_(out.width()),
          fill_(out.fill()),
          locale_(out.imbue(std::locale::classic())) {
        out.flags(std::ios_base::skipws | std::ios_base::dec);
        out.precision(6);
        out.width(0);
        out.fill(' ');
    }
    ~ReportFormat() {
        out_.imbue(locale_);
        out_.fill(fill_);
        out_.width(width_);
        out_.precision(precision_);
        out_.flags(flags_);
    }
    ReportFormat(const ReportFormat&) = delete;
    ReportFormat& operator=(const ReportFormat&) = delete;

  private:
    std::ostream& out_;
    std::ios_base::fmtflags flags_;
    std::streamsize precision_;
    std::streamsize width_;
    char fill_;
    std::locale locale_;
};

// The recurrence of one pass. Power computes a^e and Matter the matter term
// omega_m / a; they are template arguments so that the common exponent 2 runs as a
// plain multiplication and a model without matter runs without the division.
template <class Power, class Matter>
void step_pass(ExpansionHistory& history, const ExpansionModel& model, int start, int direction,
               std::ostream& out, Power power, Matter matter) {
    double* const time = history.time.data();
    double* const scale = history.scale.data();
    const int n = history.size();
    const double omega_v = model.omega_v;
    const double curvature = (1.0 - model.omega_m) - omega_v;
    const double step = model.step;
    // direction is +1 or -1, so this product is exact and equals direction * step.
    const double time_step = direction * step;

    // The extremes live in locals while the pass runs: the array stores cannot
    // alias them, so they stay in registers.
    double a_min = history.a_min, t_min = history.t_min;
    double a_max = history.a_max, t_max = history.t_max;
    double a_z = history.a_z, t_z = history.t_z;

    double a = 1.0;
    double t = 0.0;
    double s = direction;
    for (int i = start; i >= 0 && i < n; i += direction) {
        const double r = (power(a) * omega_v + matter(a)) + curvature;
        // A negative right-hand side turns the motion round; tested afresh at every
        // step, so s alternates while R stays negative. NaN compares false.
        if (r < 0.0) s = -s;
        if (a > 0.0) a = a + std::sqrt(std::fabs(r)) * (s * step);
        t = time_step + t;
        if (a <= 0.5 && std::isnan(t_z)) {
            t_z = t;
            a_z = a;
        }
        if (a < 0.0) {
            a = 0.0;
            const ReportFormat format(out);
            out << "\ta_0 = 0 at: " << t / kH0 << "Gyr" << std::endl;
        }
        if (a < a_min) {
            a_min = a;
            t_min = t;
        }
        if (a > a_max) {
            a_max = a;
            t_max = t;
        }
        scale[i] = a;
        time[i] = t / kH0;
    }

    history.a_min = a_min;
    history.t_min = t_min;
    history.a_max = a_max;
    history.t_max = t_max;
    history.a_z = a_z;
    history.t_z = t_z;
}

// Chooses the matter term of the recurrence. Without matter, omega_m / a is omega_m
// itself (a zero of the same sign) for every a > 0, including infinity; once a is no
// longer above 0 the pass never changes it again, so R no longer matters there. Either
// way every stored and printed value is that of the division, which the recurrence of
// such a model can leave out.
template <class Power>
void step_pass_with_matter(ExpansionHistory& history, const ExpansionModel& model, int start,
                           int direction, std::ostream& out, Power power) {
    const double omega_m = model.omega_m;
    if (omega_m == 0.0) {
        step_pass(history, model, start, direction, out, power,
                  [omega_m](double) { return omega_m; });
    } else {
        step_pass(history, model, start, direction, out, power,
                  [omega_m](double a) { return omega_m / a; });
    }
}

// Counts at most this many steps in one direction, so that both directions and the
// present point together still fit an int index.
constexpr double kStepLimit = (INT_MAX - 1) / 2;

}  // namespace

double vacuum_exponent(float w) {
    // Three separately rounded single-precision operations; for w = -0.9 the result is
    // 1.6999999284744263, not 1.7.
    const float shifted = w + 1.0f;
    const float scaled = 3.0f * shifted;
    const float exponent = 2.0f - scaled;
    return static_cast<double>(exponent);
}

void ExpansionHistory::reset(int back, int forward) {
    if (back < 0 || forward < 0 || back > INT_MAX - 1 - forward)
        throw std::length_error("expansion history: step counts out of range");
    const int n = back + forward + 1;
    back_count = back;
    forward_count = forward;
    time.assign(n, 0.0);
    scale.assign(n, 0.0);
    scale[back] = 1.0;
    time[back] = 0.0;
    a_min = std::numeric_limits<double>::infinity();
    a_max = -std::numeric_limits<double>::infinity();
    t_min = t_max = a_z = t_z = kNotSet;
}

int step_count(float span, double step) {
    if (!(step > 0.0) || !std::isfinite(step))
        throw std::invalid_argument("expansion model: the step must be a positive number");
    if (!std::isfinite(span))
        throw std::invalid_argument("expansion model: the time range must be finite");
    const double per_hubble_time = kH0 / step;
    if (!std::isfinite(per_hubble_time))
        throw std::invalid_argument("expansion model: the step is too small");
    // |span| is exact in single precision; the product is formed in double.
    const double steps = static_cast<double>(std::fabs(span)) * per_hubble_time;
    if (!(steps < kStepLimit)) throw std::length_error("expansion model: too many steps");
    return static_cast<int>(steps);
}

void integrate_expansion(ExpansionHistory& history, const ExpansionModel& model, int start,
                         int direction, std::ostream& out) {
    if (direction != 1 && direction != -1) return;
    if (history.time.size() != history.scale.size()) return;
    const double exponent = vacuum_exponent(model.w);
    if (exponent == 2.0) {
        // pow(a, 2) is the correctly rounded square, which is exactly a * a.
        step_pass_with_matter(history, model, start, direction, out,
                              [](double a) { return a * a; });
    } else {
        step_pass_with_matter(history, model, start, direction, out,
                              [exponent](double a) { return std::pow(a, exponent); });
    }
}

void run_model(ExpansionHistory& history, const ExpansionModel& model, std::ostream& out) {
    const int back = step_count(model.earliest, model.step);
    const int forward = step_count(model.latest, model.step);
    history.reset(back, forward);

    const ReportFormat format(out);
    out << (model.label ? model.label : "") << "(Omega_m = " << model.omega_m
        << ", Omega_v = " << model.omega_v << "):" << std::endl;
    integrate_expansion(history, model, back - 1, -1, out);
    integrate_expansion(history, model, back + 1, +1, out);
    out << "\ta_0_max = " << history.a_max << " at: " << history.t_max / kH0 << "Gyr. \t"
        << "a_0_min = " << history.a_min << " at: " << history.t_min / kH0 << "Gyr." << std::endl;
    out << "\ta_Z = " << history.a_z << " at: " << history.t_z / kH0 << "Gyr." << std::endl;
    out << std::endl;
}

void plot_model(ExpansionModel model, std::ostream& out, const CurveHandOver& hand_over) {
    ExpansionHistory history;
    run_model(history, model, out);
    if (hand_over) hand_over(model, history);
}

void plot_model(ExpansionModel model) {
    plot_model(model, std::cout);
}

}  // namespace cosmology
