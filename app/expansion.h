// Expansion histories: the scale factor a(t) of one cosmological model, stepped
// through the Friedmann equation with a fixed step, backwards from the present and
// then forwards, with a short report of its extremes.
#pragma once

#include <bit>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <limits>
#include <vector>

#include "app/series.h"

namespace cosmology {

// Hubble constant, per Gyr. Dimensionless time is t * H0; every stored or printed
// time is divided by it again, so that all times leave the model in Gyr.
inline constexpr double kH0 = 0.0715898515877994;

// Marks an extreme or a_Z that has not been found yet: the quiet NaN with the sign
// bit set. Whether a value is still unset is asked with std::isnan, never with ==.
inline constexpr double kNotSet = std::bit_cast<double>(std::uint64_t{0xFFF8000000000000});

// The parameters of one model run.
struct ExpansionModel {
    const char* label;   // model name: report header and legend text
    const char* colour;  // colour keyword of the curve
    float earliest;      // Gyr into the past; only the absolute value is used
    float latest;        // Gyr into the future; only the absolute value is used
    float w;             // equation of state of the vacuum component (-1: constant)
    double omega_m;      // matter density parameter
    double omega_v;      // vacuum density parameter
    double step;         // time step in Hubble times
};

// The result of one model run. Index back_count is the present (t = 0, a = 1);
// lower indices hold the past in order of increasing time, higher ones the future.
struct ExpansionHistory {
    int back_count = 0;
    int forward_count = 0;
    Series time;   // Gyr
    Series scale;  // scale factor a
    // Extremes of the stepped points and the first one with a <= 0.5. The times are
    // dimensionless (t * H0).
    double a_min = std::numeric_limits<double>::infinity();
    double t_min = kNotSet;
    double a_max = -std::numeric_limits<double>::infinity();
    double t_max = kNotSet;
    double a_z = kNotSet;
    double t_z = kNotSet;

    // Sizes the arrays for the given step counts (all entries 0, the present point
    // set to a = 1 at t = 0) and marks every extreme as not found. Throws
    // std::length_error for negative counts or more points than an int can index.
    void reset(int back, int forward);
    // Sizes the arrays as reset does but leaves every entry except the present point
    // as it is, for a run whose two passes write all of them.
    void prepare(int back, int forward);
    // Keeps room for a run of this many points, so that no later run up to that size
    // allocates.
    void reserve(int points);
    int size() const { return static_cast<int>(scale.size()); }
};

// Number of steps that |span| Gyr take with the given step (in Hubble times),
// truncated toward zero. Throws std::invalid_argument for a step that is not a
// positive finite number or a span that is not finite, and std::length_error when
// the count does not fit the history's index range.
int step_count(float span, double step);

// One pass of the stepper over the shared history, from index start in the given
// direction (-1 into the past, +1 into the future), until it leaves the arrays.
// Writes the points, updates the extremes and a_Z, and prints the "a_0 = 0" line
// when a falls below zero. Any other direction, or arrays of different sizes,
// leave the history untouched.
void integrate_expansion(ExpansionHistory& history, const ExpansionModel& model, int start,
                         int direction, std::ostream& out);

// Receives a model run's finished history after its report has been printed and
// before the arrays are released; this is where the run becomes a curve of the
// current figure (x = history.time, y = history.scale, history.size() points).
using CurveHandOver = std::function<void(const ExpansionModel&, const ExpansionHistory&)>;

// The number of points of a model's history. Throws as step_count does.
int point_count(const ExpansionModel& model);

// One model run into a history the caller keeps (its arrays are reused when large
// enough): sizes and fills the history and prints the report block to out.
void run_model(ExpansionHistory& history, const ExpansionModel& model, std::ostream& out);

// One model run: sizes and fills the history, prints the report block to out,
// hands the history over (when a receiver is given) and releases it.
void plot_model(ExpansionModel model, std::ostream& out, const CurveHandOver& hand_over = {});
// The same, reporting to standard output.
void plot_model(ExpansionModel model);

// A model run of the program: its place in the figures and its parameters.
struct ModelRun {
    int figure;  // 1 to 4
    ExpansionModel model;
};

inline constexpr int kRunCount = 13;

// The thirteen model runs, in run order.
inline constexpr ModelRun kModelRuns[kRunCount] = {
    {1, {"Concordance", "WHITE", -15.0f, 10.0f, -1.0f, 0.3, 0.7, 1e-05}},
    {1, {"Critical Matter", "RED", -15.0f, 10.0f, -1.0f, 1.0, 0.0, 1e-05}},
    {1, {"Low Density", "BLUE", -15.0f, 10.0f, -1.0f, 0.3, 0.0, 1e-05}},
    {1, {"Empty", "GREEN", -15.0f, 10.0f, -1.0f, 0.0, 0.0, 1e-05}},
    {1, {"Bounce", "CYAN", -15.0f, 10.0f, -1.0f, 0.1, 3.0, 1e-05}},
    {2, {"Critical Matter", "WHITE", -80.0f, 10.0f, -1.0f, 1.0, 0.0, 1e-05}},
    {2, {"Empty", "RED", -80.0f, 10.0f, -1.0f, 0.0, 0.0, 1e-05}},
    {2, {"Vacuum Only", "BLUE", -80.0f, 10.0f, -1.0f, 0.0, 1.0, 1e-05}},
    {2, {"Loitering", "GREEN", -80.0f, 10.0f, -1.0f, 0.3, 1.713, 1e-05}},
    {3, {"Crunch", "WHITE", -10.0f, 55.0f, -1.0f, 3.0, 0.0, 1e-05}},
    {3, {"Crunch with Vacuum", "RED", -10.0f, 55.0f, -1.0f, 3.0, 0.1, 1e-05}},
    {4, {"Concordance with w_v = -1", "WHITE", -15.0f, 10.0f, -1.0f, 0.3, 0.7, 1e-05}},
    {4, {"Concordance with w_v = -0.9", "RED", -15.0f, 10.0f, -0.9f, 0.3, 0.7, 1e-05}},
};

// Exponent of a in the vacuum term, 2 - 3 (1 + w), with every operation rounded to
// single precision before the result is widened.
double vacuum_exponent(float w);

}  // namespace cosmology
