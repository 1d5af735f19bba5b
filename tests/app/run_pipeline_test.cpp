// The model runs integrated on a worker thread come back in their order with the
// report and history a run on the calling thread gives, slots reused between runs of
// different lengths; a failed run is rethrown at its turn, and a pipeline left early
// stops its worker.
#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/expansion.h"
#include "app/run_pipeline.h"

namespace cosmology {
namespace {

// Models of the program's kinds (crunch, bounce, w != -1) at a coarse step, of
// different lengths so that each slot holds longer and shorter histories in turn.
std::vector<ExpansionModel> coarse_models() {
    return {
        {"Concordance", "WHITE", -15.0f, 10.0f, -1.0f, 0.3, 0.7, 2e-3},
        {"Critical Matter", "RED", -80.0f, 10.0f, -1.0f, 1.0, 0.0, 2e-3},
        {"Crunch", "WHITE", -10.0f, 55.0f, -1.0f, 3.0, 0.0, 2e-3},
        {"Bounce", "CYAN", -15.0f, 10.0f, -1.0f, 0.1, 3.0, 4e-3},
        {"w_v = -0.9", "RED", -15.0f, 10.0f, -0.9f, 0.3, 0.7, 2e-3},
    };
}

std::vector<const ExpansionModel*> pointers(const std::vector<ExpansionModel>& models) {
    std::vector<const ExpansionModel*> list;
    for (const ExpansionModel& model : models) list.push_back(&model);
    return list;
}

TEST(RunPipeline, RunsComeBackInOrderAsTheyRunOnTheCallingThread) {
    const std::vector<ExpansionModel> models = coarse_models();
    RunPipeline pipeline(pointers(models));
    for (const ExpansionModel& model : models) {
        std::ostringstream report;
        ExpansionHistory expected;
        plot_model(model, report,
                   [&expected](const ExpansionModel&, const ExpansionHistory& h) { expected = h; });
        const FinishedRun& run = pipeline.next();
        ASSERT_EQ(run.model, &model);
        EXPECT_EQ(run.report, report.str());
        EXPECT_EQ(run.history.back_count, expected.back_count);
        EXPECT_EQ(run.history.time, expected.time) << model.label;
        EXPECT_EQ(run.history.scale, expected.scale) << model.label;
        EXPECT_EQ(run.history.a_max, expected.a_max);
        EXPECT_EQ(run.history.a_min, expected.a_min);
    }
    EXPECT_THROW(pipeline.next(), std::out_of_range);
}

TEST(RunPipeline, FailedRunIsRethrownAtItsTurnAndEndsTheRuns) {
    std::vector<ExpansionModel> models = coarse_models();
    models[2].step = 0.0;  // refused by the step count
    RunPipeline pipeline(pointers(models));
    EXPECT_EQ(pipeline.next().model, &models[0]);
    EXPECT_EQ(pipeline.next().model, &models[1]);
    EXPECT_THROW(pipeline.next(), std::invalid_argument);
    EXPECT_THROW(pipeline.next(), std::runtime_error);
}

TEST(RunPipeline, PipelineLeftEarlyStopsItsWorker) {
    const std::vector<ExpansionModel> models = coarse_models();
    { RunPipeline untouched(pointers(models)); }
    RunPipeline pipeline(pointers(models));
    EXPECT_FALSE(pipeline.next().report.empty());
    // The destructor returns although three runs were never asked for.
}

}  // namespace
}  // namespace cosmology
