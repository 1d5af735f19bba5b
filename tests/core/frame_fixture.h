// A plot frame for tests: a library object in a temporary working directory whose
// plots go to a small device of the test instead of a real format.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "gravox/core/all_records.h"
#include "gravox/gravox.h"
#include "tests/support/capture.h"
#include "tests/support/temp_dir.h"

namespace gvx::testing {

// Writes a fixed text at closing, so that files have content to compare.
class StubDevice final : public Device {
  public:
    explicit StubDevice(PlotState& s) : Device(s) {}
    DeviceCapabilities capabilities() const override { return {}; }
    Warning open(Sink* file) override {
        file_ = file;
        return warning::none;
    }
    Warning close() override {
        if (file_) file_->put("stub picture\n");
        return warning::none;
    }
    void move(double, double) override {}
    void draw(double, double) override { ++state_.frame.vector_count; }
    void colour(int) override {}

  private:
    Sink* file_ = nullptr;
};

class FrameTest : public ::testing::Test {
  protected:
    FrameTest() : cwd_(dir_.path()) {
        gvx::state_of(g_).device_factory = [](PlotState& s, int) {
            return std::unique_ptr<Device>(new StubDevice(s));
        };
        gvx::state_of(g_).frame.clock = fixed_clock;
    }
    PlotState& s() { return gvx::state_of(g_); }
    bool exists(const std::string& name) const {
        return std::filesystem::exists(dir_.path() / name);
    }
    void touch(const std::string& name, const std::string& content = "old") {
        std::FILE* f = std::fopen(name.c_str(), "w");
        std::fputs(content.c_str(), f);
        std::fclose(f);
    }
    // Runs fn and returns what it printed on standard output.
    template <typename Fn>
    std::string output_of(Fn fn) {
        return stdout_of(fn);
    }

    TempDir dir_;
    WorkingDir cwd_;
    Gravox g_;
};

}  // namespace gvx::testing
