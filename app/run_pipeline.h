// The model runs of the program on two threads: a worker thread integrates the runs
// one after the other while the thread that owns the plotting object draws the runs
// already finished. The library is only ever called by that drawing thread.
//
// Two slots carry the runs between the threads: the worker fills one while the
// drawing thread holds the other, so at most two histories exist at a time, and the
// slots keep their arrays from run to run instead of allocating them afresh.
#pragma once

#include <condition_variable>
#include <exception>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/expansion.h"

namespace cosmology {

// A finished run: the report block it printed and its history.
struct FinishedRun {
    const ExpansionModel* model = nullptr;
    std::string report;
    ExpansionHistory history;
};

class RunPipeline {
  public:
    // Starts integrating the given models, in this order, on a worker thread. The
    // models must outlive the pipeline.
    explicit RunPipeline(std::vector<const ExpansionModel*> models);
    // Stops the worker after the run it is integrating and waits for it.
    ~RunPipeline();
    RunPipeline(const RunPipeline&) = delete;
    RunPipeline& operator=(const RunPipeline&) = delete;

    // Waits for the next run in order and returns it; it stays valid until the next
    // call, which hands its slot back to the worker. Rethrows what the run threw
    // (an invalid model's exception); throws std::out_of_range after the last run and
    // std::runtime_error for the runs after a failed one.
    const FinishedRun& next();

  private:
    struct Slot {
        FinishedRun run;
        std::exception_ptr error;
        bool ready = false;  // finished by the worker, not yet handed back
    };

    // The worker thread: runs the models, then marks itself done.
    void work();
    void run_all();

    std::vector<const ExpansionModel*> models_;
    Slot slots_[2];
    std::size_t taken_ = 0;  // runs returned by next()
    bool stop_ = false;      // asked of the worker by the destructor
    bool done_ = false;      // the worker has ended
    std::mutex mutex_;
    std::condition_variable changed_;
    std::thread worker_;  // last: starts once everything above exists
};

}  // namespace cosmology
