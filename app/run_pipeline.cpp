#include "app/run_pipeline.h"

#include <algorithm>
#include <new>
#include <sstream>
#include <stdexcept>
#include <utility>

namespace cosmology {

RunPipeline::RunPipeline(std::vector<const ExpansionModel*> models)
    : models_(std::move(models)), worker_([this] { work(); }) {}

RunPipeline::~RunPipeline() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    changed_.notify_all();
    worker_.join();
}

void RunPipeline::work() {
    run_all();
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        done_ = true;
    }
    changed_.notify_all();
}

void RunPipeline::run_all() {
    // Both slots get room for the largest run at once, so that no run reallocates
    // (and touches fresh memory) on the way. An invalid model fails at its own turn,
    // and a run too large to keep room for fails when it is run.
    int largest = 0;
    for (const ExpansionModel* model : models_) {
        try {
            largest = std::max(largest, point_count(*model));
        } catch (const std::exception&) {
        }
    }
    try {
        for (Slot& slot : slots_) slot.run.history.reserve(largest);
    } catch (const std::bad_alloc&) {
    }
    std::ostringstream report;
    for (std::size_t i = 0; i < models_.size(); ++i) {
        Slot& slot = slots_[i % 2];
        {
            // The slot is free once the drawing thread has moved past the run it held.
            std::unique_lock<std::mutex> lock(mutex_);
            changed_.wait(lock, [&] { return stop_ || !slot.ready; });
            if (stop_) return;
        }
        // Only this thread touches a slot that is not ready.
        slot.run.model = models_[i];
        report.str("");
        try {
            run_model(slot.run.history, *models_[i], report);
            slot.run.report = report.str();
        } catch (...) {
            slot.error = std::current_exception();
        }
        const bool failed = slot.error != nullptr;
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            slot.ready = true;
        }
        changed_.notify_all();
        if (failed) return;  // the runs after a failed one are never asked for
    }
}

const FinishedRun& RunPipeline::next() {
    std::unique_lock<std::mutex> lock(mutex_);
    if (taken_ > 0) {
        slots_[(taken_ - 1) % 2].ready = false;  // the previous run goes back
        changed_.notify_all();
    }
    if (taken_ >= models_.size()) throw std::out_of_range("model runs: all runs were taken");
    Slot& slot = slots_[taken_ % 2];
    changed_.wait(lock, [&] { return slot.ready || done_; });
    if (!slot.ready) throw std::runtime_error("model runs: a run before this one failed");
    ++taken_;
    if (slot.error) std::rethrow_exception(slot.error);
    return slot.run;
}

}  // namespace cosmology
