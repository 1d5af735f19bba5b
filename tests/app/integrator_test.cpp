// The stepper itself: the single-precision exponent, the clamp at zero, extremes
// in visiting order, refused arguments, and the squaring shortcut for w = -1 against
// a plain reference that always calls std::pow.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/expansion.h"
#include "tests/app/expected_report.h"

// The reference must round exactly as the program does: no fused multiply-add.
#if defined(__clang__)
#pragma STDC FP_CONTRACT OFF
#elif defined(__GNUC__)
#pragma GCC optimize("fp-contract=off")
#endif

namespace cosmology {
namespace {

using testing::same_bits;

// A hand-made model: no matter, no vacuum, so R = 1 at every step and a moves by
// exactly one step per step.
ExpansionModel empty_model(double step, float earliest, float latest) {
    return {"Hand-made", "WHITE", earliest, latest, -1.0f, 0.0, 0.0, step};
}

std::string gyr(double dimensionless_time) {
    std::ostringstream text;
    text << dimensionless_time / kH0;
    return text.str();
}

TEST(VacuumExponent, IsRoundedToSinglePrecisionAtEveryOperation) {
    EXPECT_EQ(vacuum_exponent(-1.0f), 2.0);
    EXPECT_EQ(vacuum_exponent(-0.9f), 1.6999999284744263);
    EXPECT_NE(vacuum_exponent(-0.9f), 1.7);
    // Where single-precision rounding matters, the result is not the double one.
    EXPECT_EQ(vacuum_exponent(-0.8f), 1.4000000953674316);
    EXPECT_NE(vacuum_exponent(-0.8f), 2.0 - 3.0 * (1.0 + static_cast<double>(-0.8f)));
    EXPECT_EQ(vacuum_exponent(-1.0f / 3.0f), 1.1920928955078125e-07);
    EXPECT_EQ(vacuum_exponent(0.0f), -1.0);
}

TEST(ExpansionPass, ScaleFactorLandingExactlyOnZeroPrintsNoLine) {
    // Step 0.25: a = 0.75, 0.5, 0.25, 0 exactly, then stays at 0.
    const ExpansionModel model = empty_model(0.25, -20.0f, 0.0f);
    ASSERT_EQ(step_count(model.earliest, model.step), 5);
    std::ostringstream out;
    ExpansionHistory history;
    plot_model(model, out,
               [&history](const ExpansionModel&, const ExpansionHistory& h) { history = h; });
    EXPECT_EQ(out.str().find("a_0 = 0 at"), std::string::npos) << out.str();
    EXPECT_EQ(history.scale, (Series{0.0, 0.0, 0.25, 0.5, 0.75, 1.0}));
    // The minimum keeps the first point at zero, not the later tie.
    EXPECT_EQ(history.a_min, 0.0);
    EXPECT_EQ(history.t_min, -1.0);
    EXPECT_EQ(history.a_z, 0.5);
    EXPECT_EQ(history.t_z, -0.5);
    EXPECT_EQ(history.a_max, 0.75);
    EXPECT_EQ(history.t_max, -0.25);
    EXPECT_EQ(history.time[0], -1.25 / kH0);
}

TEST(ExpansionPass, ScaleFactorBelowZeroIsClampedAndReportedOnce) {
    // Step 0.3: a = 0.7, 0.4, 0.1, then below zero at the fourth step.
    const ExpansionModel model = empty_model(0.3, -25.0f, 0.0f);
    const int back = step_count(model.earliest, model.step);
    ASSERT_EQ(back, 5);
    ExpansionHistory history;
    history.reset(back, 0);
    std::ostringstream out;
    integrate_expansion(history, model, back - 1, -1, out);

    double t = 0.0;
    for (int i = 0; i < 4; ++i) t = -0.3 + t;
    EXPECT_EQ(out.str(), "\ta_0 = 0 at: " + gyr(t) + "Gyr\n");
    EXPECT_EQ(history.scale[1], 0.0);
    EXPECT_EQ(history.scale[0], 0.0);
    EXPECT_GT(history.scale[2], 0.0);
    EXPECT_EQ(history.a_min, 0.0);
    EXPECT_EQ(history.t_min, t);
    // a_Z was taken at the first point at or below 0.5 (0.4), before the clamp.
    EXPECT_NEAR(history.a_z, 0.4, 1e-15);
}

TEST(ExpansionPass, NegativeRightHandSideTurnsTheMotionRound) {
    // Omega_m = 0, Omega_v = 2: R = 2 a^2 - 1 turns negative below a = 0.7071. Going
    // into the past a shrinks to 0.75, 0.66, then R < 0 reverses it and a grows again.
    const ExpansionModel model{"Turn", "WHITE", -25.0f, 0.0f, -1.0f, 0.0, 2.0, 0.25};
    const int back = step_count(model.earliest, model.step);
    ASSERT_EQ(back, 7);
    ExpansionHistory history;
    history.reset(back, 0);
    std::ostringstream out;
    integrate_expansion(history, model, back - 1, -1, out);
    EXPECT_TRUE(out.str().empty());
    EXPECT_EQ(history.scale[6], 0.75);
    EXPECT_LT(history.scale[5], std::sqrt(0.5));
    EXPECT_EQ(history.a_min, history.scale[5]);
    EXPECT_EQ(history.t_min, -0.5);
    for (int i = 4; i >= 0; --i) EXPECT_GT(history.scale[i], history.scale[i + 1]) << i;
    EXPECT_TRUE(std::isnan(history.a_z));
}

TEST(ExpansionPass, ExtremesSpanBothPassesInVisitingOrder) {
    const ExpansionModel model = empty_model(0.25, -10.0f, 10.0f);
    ExpansionHistory history;
    history.reset(2, 2);
    std::ostringstream out;
    integrate_expansion(history, model, 1, -1, out);
    EXPECT_EQ(history.a_max, 0.75);
    EXPECT_EQ(history.t_max, -0.25);
    // The forward pass sees and raises the maximum found by the backward pass.
    integrate_expansion(history, model, 3, +1, out);
    EXPECT_EQ(history.scale, (Series{0.5, 0.75, 1.0, 1.25, 1.5}));
    EXPECT_EQ(history.a_max, 1.5);
    EXPECT_EQ(history.t_max, 0.5);
    EXPECT_EQ(history.a_min, 0.5);
    EXPECT_EQ(history.t_min, -0.5);
}

TEST(ExpansionPass, RefusedArgumentsLeaveTheHistoryUntouched) {
    const ExpansionModel model = empty_model(0.25, -10.0f, 10.0f);
    ExpansionHistory history;
    history.reset(2, 2);
    const Series scale = history.scale;
    const Series time = history.time;
    std::ostringstream out;
    for (int direction : {0, 2, -2, 7}) integrate_expansion(history, model, 1, direction, out);
    // Starts outside the arrays do nothing (as the backward pass with no backward steps).
    integrate_expansion(history, model, -1, -1, out);
    integrate_expansion(history, model, 5, +1, out);
    integrate_expansion(history, model, std::numeric_limits<int>::max(), +1, out);
    integrate_expansion(history, model, std::numeric_limits<int>::min(), -1, out);
    EXPECT_EQ(history.scale, scale);
    EXPECT_EQ(history.time, time);
    EXPECT_TRUE(std::isinf(history.a_min) && std::isinf(history.a_max));
    EXPECT_TRUE(std::isnan(history.t_z));

    // Arrays of different lengths are refused rather than overrun.
    history.time.resize(2);
    integrate_expansion(history, model, 3, +1, out);
    EXPECT_EQ(history.scale, scale);
    EXPECT_TRUE(out.str().empty());
}

TEST(ExpansionModelCheck, UnusableModelsAreRefusedBeforeAnythingIsPrinted) {
    const float inf = std::numeric_limits<float>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        ExpansionModel model;
        bool length;  // std::length_error rather than std::invalid_argument
    };
    const Case cases[] = {
        {empty_model(0.0, -15.0f, 10.0f), false},
        {empty_model(-1e-5, -15.0f, 10.0f), false},
        {empty_model(nan, -15.0f, 10.0f), false},
        {empty_model(std::numeric_limits<double>::infinity(), -15.0f, 10.0f), false},
        {empty_model(std::numeric_limits<double>::denorm_min(), -15.0f, 10.0f), false},
        {empty_model(1e-5, -inf, 10.0f), false},
        {empty_model(1e-5, -15.0f, std::numeric_limits<float>::quiet_NaN()), false},
        {empty_model(1e-5, -1e30f, 10.0f), true},
        {empty_model(1e-5, -15.0f, 3e5f), true},
    };
    for (const Case& c : cases) {
        std::ostringstream out;
        bool handed_over = false;
        auto receive = [&handed_over](const ExpansionModel&, const ExpansionHistory&) {
            handed_over = true;
        };
        if (c.length)
            EXPECT_THROW(plot_model(c.model, out, receive), std::length_error);
        else
            EXPECT_THROW(plot_model(c.model, out, receive), std::invalid_argument);
        EXPECT_TRUE(out.str().empty());
        EXPECT_FALSE(handed_over);
    }
    ExpansionHistory history;
    EXPECT_THROW(history.reset(-1, 3), std::length_error);
    EXPECT_THROW(history.reset(std::numeric_limits<int>::max(), 1), std::length_error);
    EXPECT_EQ(history.size(), 0);
}

TEST(ExpansionHistoryRecord, ResetZeroFillsAndMarksThePresent) {
    ExpansionHistory history;
    history.reset(3, 2);
    history.reset(2, 1);  // a second run on the same record starts afresh
    EXPECT_EQ(history.back_count, 2);
    EXPECT_EQ(history.forward_count, 1);
    EXPECT_EQ(history.scale, (Series{0.0, 0.0, 1.0, 0.0}));
    EXPECT_EQ(history.time, (Series(4, 0.0)));
    EXPECT_TRUE(std::signbit(history.t_min) && std::isnan(history.t_min));
}

// The plain recurrence, always through std::pow, kept here as the reference for the
// squaring shortcut the program takes when the exponent is 2.
void reference_pass(ExpansionHistory& h, const ExpansionModel& m, int start, int direction,
                    std::ostream& out) {
    volatile float shifted = m.w + 1.0f;
    volatile float scaled = 3.0f * shifted;
    volatile float single = 2.0f - scaled;
    const double e = single;
    const int n = static_cast<int>(h.scale.size());
    double a = 1.0, t = 0.0, s = direction;
    for (int i = start; i >= 0 && i < n; i += direction) {
        const double r =
            (std::pow(a, e) * m.omega_v + m.omega_m / a) + ((1.0 - m.omega_m) - m.omega_v);
        if (r < 0) s = -s;
        if (a > 0) a = a + std::sqrt(std::fabs(r)) * (s * m.step);
        t = direction * m.step + t;
        if (a <= 0.5 && std::isnan(h.t_z)) {
            h.t_z = t;
            h.a_z = a;
        }
        if (a < 0) {
            a = 0;
            out << "\ta_0 = 0 at: " << t / kH0 << "Gyr" << std::endl;
        }
        if (a < h.a_min) {
            h.a_min = a;
            h.t_min = t;
        }
        if (a > h.a_max) {
            h.a_max = a;
            h.t_max = t;
        }
        h.scale[i] = a;
        h.time[i] = t / kH0;
    }
}

void reference_run(const ExpansionModel& m, std::ostream& out, ExpansionHistory& h) {
    const double k = kH0 / m.step;
    const int back = static_cast<int>(static_cast<double>(std::fabs(m.earliest)) * k);
    const int forward = static_cast<int>(static_cast<double>(std::fabs(m.latest)) * k);
    h = ExpansionHistory{};
    h.back_count = back;
    h.forward_count = forward;
    h.time.assign(back + forward + 1, 0.0);
    h.scale.assign(back + forward + 1, 0.0);
    h.scale[back] = 1.0;
    out << m.label << "(Omega_m = " << m.omega_m << ", Omega_v = " << m.omega_v
        << "):" << std::endl;
    reference_pass(h, m, back - 1, -1, out);
    reference_pass(h, m, back + 1, +1, out);
    out << "\ta_0_max = " << h.a_max << " at: " << h.t_max / kH0 << "Gyr. \ta_0_min = " << h.a_min
        << " at: " << h.t_min / kH0 << "Gyr." << std::endl;
    out << "\ta_Z = " << h.a_z << " at: " << h.t_z / kH0 << "Gyr." << std::endl << std::endl;
}

// A run of the program matches the reference run bit for bit, report included;
// returns the report.
std::string expect_reference_run(const ExpansionModel& model) {
    SCOPED_TRACE(model.label);
    std::ostringstream reference_out;
    ExpansionHistory reference;
    reference_run(model, reference_out, reference);
    std::ostringstream out;
    ExpansionHistory history;
    plot_model(model, out, [&](const ExpansionModel&, const ExpansionHistory& h) { history = h; });
    EXPECT_EQ(history.back_count, reference.back_count);
    EXPECT_EQ(history.forward_count, reference.forward_count);
    if (history.size() != static_cast<int>(reference.scale.size())) {
        ADD_FAILURE() << "history of " << history.size() << " points";
        return out.str();
    }
    int differing = 0;
    for (int i = 0; i < history.size(); ++i)
        if (!same_bits(history.scale[i], reference.scale[i]) ||
            !same_bits(history.time[i], reference.time[i]))
            ++differing;
    EXPECT_EQ(differing, 0);
    EXPECT_TRUE(same_bits(history.a_min, reference.a_min));
    EXPECT_TRUE(same_bits(history.t_min, reference.t_min));
    EXPECT_TRUE(same_bits(history.a_max, reference.a_max));
    EXPECT_TRUE(same_bits(history.t_max, reference.t_max));
    EXPECT_TRUE(same_bits(history.a_z, reference.a_z));
    EXPECT_TRUE(same_bits(history.t_z, reference.t_z));
    EXPECT_EQ(out.str(), reference_out.str());
    return out.str();
}

TEST(ExpansionPass, PassesSideBySideMatchThePassesOneAfterTheOther) {
    // The program steps both passes together; whatever each pass finds must come out
    // as if the backward pass had run first: the extremes and a_Z of the backward pass
    // win ties, and its "a_0 = 0" line comes first.
    const ExpansionModel models[] = {
        // Both passes fall to zero (a tie of the minimum at 0), the forward one later.
        {"Both clamp", "RED", -30.0f, 60.0f, -1.0f, 3.0, 0.0, 1e-3},
        // No backward steps at all; a_Z only from the forward pass.
        {"Forward only", "RED", 0.0f, 60.0f, -1.0f, 3.0, 0.0, 1e-3},
        // No forward steps.
        {"Backward only", "RED", -20.0f, 0.0f, -1.0f, 0.3, 0.7, 1e-3},
        // Backward much longer than forward.
        {"Long past", "RED", -80.0f, 1.0f, -0.9f, 0.3, 0.7, 1e-3},
        // The forward pass turns round: its maximum beats the backward one, while
        // the minimum stays the backward pass's.
        {"Turning", "RED", -5.0f, 40.0f, -1.0f, 0.0, -2.0, 1e-3},
    };
    for (const ExpansionModel& model : models) expect_reference_run(model);
    // The first model really clamps in both passes.
    std::ostringstream out;
    plot_model(models[0], out);
    const std::string report = out.str();
    const std::size_t first = report.find("a_0 = 0 at: -");
    ASSERT_NE(first, std::string::npos) << report;
    EXPECT_NE(report.find("a_0 = 0 at: ", first + 1), std::string::npos) << report;
}

TEST(ExpansionPass, SquaringShortcutKeepsEveryRunBitForBit) {
    for (int r = 0; r < kRunCount; ++r) {
        SCOPED_TRACE("run " + std::to_string(r + 1));
        EXPECT_EQ(expect_reference_run(kModelRuns[r].model),
                  testing::expected_block(testing::expected_runs()[r]));
    }
}

TEST(ExpansionPass, ModelsWithoutMatterKeepEveryValueOfTheDivision) {
    // No matter (either sign of zero) with vacuum that brakes, drives or turns the
    // motion round, through the squaring and the power path, into the clamp at zero.
    const ExpansionModel models[] = {
        {"Vacuum", "RED", -20.0f, 10.0f, -1.0f, 0.0, 1.0, 1e-3},
        {"Signed zero", "RED", -20.0f, 10.0f, -1.0f, -0.0, 0.5, 1e-3},
        {"Turning", "RED", -20.0f, 30.0f, -1.0f, 0.0, -2.0, 1e-3},
        {"Power", "RED", -20.0f, 10.0f, -0.9f, 0.0, 0.7, 1e-3},
        {"Empty", "RED", -20.0f, 10.0f, -1.0f, 0.0, 0.0, 1e-3},
    };
    for (const ExpansionModel& model : models) expect_reference_run(model);
    // The turning model does turn round and the falling ones reach zero, so both
    // branches of the recurrence were taken.
    ExpansionHistory turning;
    std::ostringstream ignored;
    plot_model(models[2], ignored,
               [&](const ExpansionModel&, const ExpansionHistory& h) { turning = h; });
    EXPECT_LT(turning.a_max, 1.3);
    EXPECT_EQ(turning.a_min, 0.0);
}

}  // namespace
}  // namespace cosmology
