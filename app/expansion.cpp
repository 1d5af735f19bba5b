#include "app/expansion.h"

#include <algorithm>
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

// The state of one pass of the stepper: the point it reached, and the extremes and
// the clamp at zero that it saw.
struct PassState {
    int index;      // next point to write
    int direction;  // -1 into the past, +1 into the future
    double a = 1.0;
    double t = 0.0;
    double s;
    double a_min, t_min, a_max, t_max, a_z, t_z;
    double clamp_t = 0.0;  // time at which a fell below zero
    bool clamped = false;

    PassState(const ExpansionHistory& history, int start, int dir)
        : index(start),
          direction(dir),
          s(dir),
          a_min(history.a_min),
          t_min(history.t_min),
          a_max(history.a_max),
          t_max(history.t_max),
          a_z(history.a_z),
          t_z(history.t_z) {}

    // Steps left before the pass leaves arrays of n points.
    int remaining(int n) const {
        if (index < 0 || index >= n) return 0;
        return direction < 0 ? index + 1 : n - index;
    }

    // A point as a candidate for the extremes: only a smaller minimum or a larger
    // maximum replaces the one found first.
    void see_min(double a_new, double t_new) {
        if (a_new < a_min) {
            a_min = a_new;
            t_min = t_new;
        }
    }
    void see_max(double a_new, double t_new) {
        if (a_new > a_max) {
            a_max = a_new;
            t_max = t_new;
        }
    }

    // Prints the "a_0 = 0" line of the pass, if it has one.
    void report_clamp(std::ostream& out) const {
        if (!clamped) return;
        const ReportFormat format(out);
        out << "\ta_0 = 0 at: " << clamp_t / kH0 << "Gyr" << std::endl;
    }

    // The extremes and a_Z leave the pass for the history.
    void store_extremes(ExpansionHistory& history) const {
        history.a_min = a_min;
        history.t_min = t_min;
        history.a_max = a_max;
        history.t_max = t_max;
        history.a_z = a_z;
        history.t_z = t_z;
    }
};

// The recurrence. Power computes a^e and Matter the matter term omega_m / a; they are
// template arguments so that the common exponent 2 runs as a plain multiplication and
// a model without matter runs without the division.
template <class Power, class Matter>
class Stepper {
  public:
    Stepper(const ExpansionModel& model, Power power, Matter matter)
        : omega_v_(model.omega_v),
          curvature_((1.0 - model.omega_m) - model.omega_v),
          step_(model.step),
          power_(power),
          matter_(matter) {}

    // One step of a pass, written to the arrays at the pass's index. The extremes
    // live in the pass's state, which the caller keeps in locals: the array stores
    // cannot alias them, so they stay in registers.
    void advance(PassState& p, double* time, double* scale) const {
        const double a = p.a;
        const double r = (power_(a) * omega_v_ + matter_(a)) + curvature_;
        // A negative right-hand side turns the motion round; tested afresh at every
        // step, so s alternates while R stays negative. NaN compares false.
        if (r < 0.0) p.s = -p.s;
        if (a > 0.0) p.a = a + std::sqrt(std::fabs(r)) * (p.s * step_);
        // direction is +1 or -1, so this product is exact and equals direction * step.
        p.t = p.direction * step_ + p.t;
        if (p.a <= 0.5 && std::isnan(p.t_z)) {
            p.t_z = p.t;
            p.a_z = p.a;
        }
        if (p.a < 0.0) {
            p.a = 0.0;
            p.clamp_t = p.t;
            p.clamped = true;  // at most once: a never leaves zero again
        }
        p.see_min(p.a, p.t);
        p.see_max(p.a, p.t);
        scale[p.index] = p.a;
        time[p.index] = p.t / kH0;
        p.index += p.direction;
    }

    // Runs a pass for count steps.
    void run(PassState& pass, int count, double* time, double* scale) const {
        PassState p = pass;
        for (int k = 0; k < count; ++k) advance(p, time, scale);
        pass = p;
    }

    // Runs two independent passes side by side as far as both go, then the longer one
    // alone: each pass is one long chain of dependent operations, and two chains keep
    // the processor busier than one.
    void run_both(PassState& first, PassState& second, int n, double* time, double* scale) const {
        const int first_count = first.remaining(n);
        const int second_count = second.remaining(n);
        const int common = std::min(first_count, second_count);
        PassState p = first;
        PassState q = second;
        for (int k = 0; k < common; ++k) {
            advance(p, time, scale);
            advance(q, time, scale);
        }
        run(p, first_count - common, time, scale);
        run(q, second_count - common, time, scale);
        first = p;
        second = q;
    }

  private:
    double omega_v_;
    double curvature_;
    double step_;
    Power power_;
    Matter matter_;
};

// One pass alone, as integrate_expansion runs it.
template <class Power, class Matter>
void step_pass(ExpansionHistory& history, const ExpansionModel& model, int start, int direction,
               std::ostream& out, Power power, Matter matter) {
    const Stepper<Power, Matter> stepper(model, power, matter);
    PassState pass(history, start, direction);
    stepper.run(pass, pass.remaining(history.size()), history.time.data(), history.scale.data());
    pass.report_clamp(out);
    pass.store_extremes(history);
}

// Both passes of a run from its present point, with the same results and report lines
// as the backward pass followed by the forward pass: the forward pass starts from no
// extremes and takes over an extreme only where it beats the backward one, and a_Z
// only where the backward pass found none.
template <class Power, class Matter>
void step_both_passes(ExpansionHistory& history, const ExpansionModel& model, std::ostream& out,
                      Power power, Matter matter) {
    const Stepper<Power, Matter> stepper(model, power, matter);
    const int present = history.back_count;
    PassState back(history, present - 1, -1);
    ExpansionHistory none;
    PassState forward(none, present + 1, +1);
    stepper.run_both(back, forward, history.size(), history.time.data(), history.scale.data());
    back.report_clamp(out);
    forward.report_clamp(out);
    back.see_min(forward.a_min, forward.t_min);
    back.see_max(forward.a_max, forward.t_max);
    if (std::isnan(back.t_z)) {
        back.a_z = forward.a_z;
        back.t_z = forward.t_z;
    }
    back.store_extremes(history);
}

// Calls body(power, matter) with the recurrence's terms for the model. The exponent 2
// (pow(a, 2) is the correctly rounded square, which is exactly a * a) runs as a plain
// multiplication. Without matter, omega_m / a is omega_m itself (a zero of the same
// sign) for every a > 0, including infinity; once a is no longer above 0 the pass never
// changes it again, so R no longer matters there. Either way every stored and printed
// value is that of the division, which the recurrence of such a model can leave out.
template <class Body>
void with_recurrence(const ExpansionModel& model, Body body) {
    const double omega_m = model.omega_m;
    const auto with_power = [&](auto power) {
        if (omega_m == 0.0)
            body(power, [omega_m](double) { return omega_m; });
        else
            body(power, [omega_m](double a) { return omega_m / a; });
    };
    const double exponent = vacuum_exponent(model.w);
    if (exponent == 2.0)
        with_power([](double a) { return a * a; });
    else
        with_power([exponent](double a) { return std::pow(a, exponent); });
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
    prepare(back, forward);
    std::fill(time.begin(), time.end(), 0.0);
    std::fill(scale.begin(), scale.end(), 0.0);
    scale[back] = 1.0;
}

void ExpansionHistory::reserve(int points) {
    if (points < 0) return;
    time.reserve(static_cast<std::size_t>(points));
    scale.reserve(static_cast<std::size_t>(points));
}

void ExpansionHistory::prepare(int back, int forward) {
    if (back < 0 || forward < 0 || back > INT_MAX - 1 - forward)
        throw std::length_error("expansion history: step counts out of range");
    const int n = back + forward + 1;
    back_count = back;
    forward_count = forward;
    time.resize(n);
    scale.resize(n);
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
    with_recurrence(model, [&](auto power, auto matter) {
        step_pass(history, model, start, direction, out, power, matter);
    });
}

int point_count(const ExpansionModel& model) {
    const int back = step_count(model.earliest, model.step);
    const int forward = step_count(model.latest, model.step);
    return back + forward + 1;  // step_count keeps each count below half the int range
}

void run_model(ExpansionHistory& history, const ExpansionModel& model, std::ostream& out) {
    const int back = step_count(model.earliest, model.step);
    const int forward = step_count(model.latest, model.step);
    history.prepare(back, forward);

    const ReportFormat format(out);
    out << (model.label ? model.label : "") << "(Omega_m = " << model.omega_m
        << ", Omega_v = " << model.omega_v << "):" << std::endl;
    with_recurrence(model, [&](auto power, auto matter) {
        step_both_passes(history, model, out, power, matter);
    });
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
