// The report of the thirteen model runs against the model table, and the hand-over
// of each finished history.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <iomanip>
#include <sstream>
#include <string>
#include <vector>

#include "app/expansion.h"
#include "tests/app/expected_report.h"

namespace cosmology {
namespace {

using testing::expected_block;
using testing::expected_runs;
using testing::same_bits;
using testing::split_lines;

// Runs one model and keeps its report block and a copy of its finished history.
struct RunResult {
    std::string report;
    ExpansionHistory history;
    int hand_overs = 0;
};

RunResult run_model(const ExpansionModel& model) {
    RunResult result;
    std::ostringstream out;
    plot_model(model, out, [&result](const ExpansionModel&, const ExpansionHistory& history) {
        result.history = history;
        ++result.hand_overs;
    });
    result.report = out.str();
    return result;
}

TEST(ExpansionReport, ThirteenRunsPrintTheTableLineByLine) {
    std::ostringstream out;
    for (const ModelRun& run : kModelRuns) plot_model(run.model, out);
    const std::vector<std::string> actual = split_lines(out.str());
    const std::vector<std::string> expected = split_lines(testing::expected_report());
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(actual[i], expected[i]) << "report line " << i + 1;
    EXPECT_EQ(out.str(), testing::expected_report());
}

TEST(ExpansionReport, StepCountsAndLayoutOfEveryRun) {
    const auto& expected = expected_runs();
    ASSERT_EQ(expected.size(), static_cast<std::size_t>(kRunCount));
    const int figures[kRunCount] = {1, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 4, 4};
    for (int r = 0; r < kRunCount; ++r) {
        SCOPED_TRACE("run " + std::to_string(r + 1));
        const ExpansionModel& model = kModelRuns[r].model;
        EXPECT_EQ(kModelRuns[r].figure, figures[r]);
        EXPECT_EQ(step_count(model.earliest, model.step), expected[r].back_count);
        EXPECT_EQ(step_count(model.latest, model.step), expected[r].forward_count);

        const RunResult result = run_model(model);
        const ExpansionHistory& h = result.history;
        EXPECT_EQ(result.hand_overs, 1);
        EXPECT_EQ(h.back_count, expected[r].back_count);
        EXPECT_EQ(h.forward_count, expected[r].forward_count);
        ASSERT_EQ(h.size(), h.back_count + h.forward_count + 1);
        ASSERT_EQ(h.time.size(), h.scale.size());
        // The present point, and time growing strictly from the earliest point on.
        EXPECT_EQ(h.time[h.back_count], 0.0);
        EXPECT_EQ(h.scale[h.back_count], 1.0);
        bool increasing = true;
        for (int i = 1; i < h.size(); ++i) increasing = increasing && h.time[i - 1] < h.time[i];
        EXPECT_TRUE(increasing);
        // Every point lies within the reported extremes; the scale factor never goes
        // below zero (the clamp).
        bool within = true;
        for (int i = 0; i < h.size(); ++i) {
            if (i == h.back_count) continue;
            within = within && h.scale[i] >= h.a_min && h.scale[i] <= h.a_max && h.scale[i] >= 0;
        }
        EXPECT_TRUE(within);
    }
}

TEST(ExpansionReport, LatestRecordedTimeFallsShortOfTheRange) {
    const RunResult result = run_model(kModelRuns[0].model);
    const double last = result.history.time.back();
    EXPECT_LT(last, 10.0);
    std::ostringstream text;
    text << last;
    EXPECT_EQ(text.str(), "9.99988");
    EXPECT_TRUE(same_bits(result.history.t_max / kH0, last));
}

TEST(ExpansionReport, NotSetMarkerIsTheNegativeQuietNaN) {
    EXPECT_TRUE(std::isnan(kNotSet));
    EXPECT_TRUE(std::signbit(kNotSet));
    // Quiet: the top bit of the fraction is set.
    EXPECT_NE(std::bit_cast<std::uint64_t>(kNotSet) & 0x0008000000000000u, 0u);

    const ExpansionHistory fresh;
    EXPECT_TRUE(std::isinf(fresh.a_min) && fresh.a_min > 0);
    EXPECT_TRUE(std::isinf(fresh.a_max) && fresh.a_max < 0);
    for (double v : {fresh.t_min, fresh.t_max, fresh.a_z, fresh.t_z}) {
        EXPECT_TRUE(std::isnan(v));
        EXPECT_TRUE(std::signbit(v));
    }
#if defined(__GLIBCXX__)
    // The C library of this platform spells a negative NaN so.
    EXPECT_EQ(testing::not_set_text(), "-nan");
#endif
}

TEST(ExpansionReport, BounceNeverReachesHalfTheScale) {
    const RunResult result = run_model(kModelRuns[4].model);
    ASSERT_STREQ(kModelRuns[4].model.label, "Bounce");
    const ExpansionHistory& h = result.history;
    EXPECT_TRUE(std::isnan(h.a_z) && std::signbit(h.a_z));
    EXPECT_TRUE(std::isnan(h.t_z) && std::signbit(h.t_z));
    double smallest = 1.0;
    for (double a : h.scale) smallest = std::min(smallest, a);
    EXPECT_GT(smallest, 0.5);
    EXPECT_EQ(smallest, h.a_min);
    // It turned back: the earliest point lies above the minimum.
    EXPECT_GT(h.scale.front(), h.a_min);
    EXPECT_EQ(result.report, expected_block(expected_runs()[4]));
}

TEST(ExpansionReport, CrunchRunsReportBeginningAndEnd) {
    for (int r : {9, 10}) {
        SCOPED_TRACE(kModelRuns[r].model.label);
        const RunResult result = run_model(kModelRuns[r].model);
        const std::vector<std::string> lines = split_lines(result.report);
        ASSERT_EQ(lines.size(), 6u);
        const auto& expected = expected_runs()[r];
        // The backward pass prints first (the beginning), then the forward pass (the end).
        EXPECT_EQ(lines[1], std::string("\ta_0 = 0 at: ") + expected.zero_times[0] + "Gyr");
        EXPECT_EQ(lines[2], std::string("\ta_0 = 0 at: ") + expected.zero_times[1] + "Gyr");
        const ExpansionHistory& h = result.history;
        // Both passes reach zero; the minimum keeps the earlier visited point, in the past.
        EXPECT_EQ(h.scale.front(), 0.0);
        EXPECT_EQ(h.scale.back(), 0.0);
        EXPECT_EQ(h.a_min, 0.0);
        EXPECT_LT(h.t_min, 0.0);
        // After the end of the forward pass a stays at zero.
        int first_zero = h.size() - 1;
        while (first_zero > h.back_count && h.scale[first_zero - 1] == 0.0) --first_zero;
        EXPECT_GT(first_zero, h.back_count);
        EXPECT_GT(h.scale[first_zero - 1], 0.0);
    }
}

TEST(ExpansionReport, RunsOneAndTwelvePrintTheSameNumbers) {
    const RunResult one = run_model(kModelRuns[0].model);
    const RunResult twelve = run_model(kModelRuns[11].model);
    auto without_header = [](const std::string& block) { return block.substr(block.find('\n')); };
    EXPECT_EQ(without_header(one.report), without_header(twelve.report));
    ASSERT_EQ(one.history.size(), twelve.history.size());
    bool identical = true;
    for (int i = 0; i < one.history.size(); ++i) {
        identical = identical && same_bits(one.history.scale[i], twelve.history.scale[i]) &&
                    same_bits(one.history.time[i], twelve.history.time[i]);
    }
    EXPECT_TRUE(identical);
}

TEST(ExpansionReport, HandOverComesAfterTheReportWithTheFinishedHistory) {
    const ExpansionModel model = kModelRuns[2].model;
    std::ostringstream out;
    int calls = 0;
    plot_model(model, out, [&](const ExpansionModel& given, const ExpansionHistory& history) {
        ++calls;
        EXPECT_STREQ(given.label, model.label);
        EXPECT_STREQ(given.colour, "BLUE");
        // The whole block, empty line included, is out before the curve is handed over.
        EXPECT_EQ(out.str(), expected_block(expected_runs()[2]));
        EXPECT_EQ(history.size(), 107384 + 71589 + 1);
        EXPECT_EQ(history.scale.front(), 0.0);
        EXPECT_FALSE(std::isnan(history.t_z));
    });
    EXPECT_EQ(calls, 1);
}

TEST(ExpansionReport, CallerStreamSettingsNeitherChangeNorSurviveTheReport) {
    std::ostringstream out;
    out << std::fixed << std::setprecision(2) << std::showpos << std::setfill('*');
    out.width(12);
    plot_model(kModelRuns[7].model, out);
    EXPECT_EQ(out.str(), expected_block(expected_runs()[7]));
    // The caller's settings are back.
    EXPECT_TRUE(out.flags() & std::ios_base::fixed);
    EXPECT_TRUE(out.flags() & std::ios_base::showpos);
    EXPECT_EQ(out.precision(), 2);
    EXPECT_EQ(out.fill(), '*');
}

TEST(ExpansionReport, MissingLabelPrintsAnEmptyName) {
    ExpansionModel model = kModelRuns[3].model;
    model.label = nullptr;
    std::ostringstream out;
    plot_model(model, out);
    EXPECT_EQ(split_lines(out.str()).front(), "(Omega_m = 0, Omega_v = 0):");
    EXPECT_TRUE(out.good());
}

}  // namespace
}  // namespace cosmology
