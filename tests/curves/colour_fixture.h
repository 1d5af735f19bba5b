// Plots for the colour tests: a library object whose plots go to a small device that
// records every colour and palette it is sent, with the plot file kept in memory.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "gravox/core/all_records.h"
#include "gravox/gravox.h"
#include "tests/support/capture.h"
#include "tests/support/temp_dir.h"

namespace gvx::testing {

// What the device of a plot was told.
struct ColourLog {
    struct Palette {
        std::vector<std::uint32_t> table;
        int kind = -1;
    };
    std::vector<int> colours;
    std::vector<Palette> palettes;
};

class ColourDevice final : public Device {
  public:
    ColourDevice(PlotState& s, ColourLog& log, int depth) : Device(s), log_(log), depth_(depth) {}
    DeviceCapabilities capabilities() const override {
        DeviceCapabilities c;
        c.pixels = true;
        c.keeps_palette = true;
        return c;
    }
    Warning open(Sink*) override {
        state_.page.colour_depth = depth_;  // as a true-colour device would
        return warning::none;
    }
    Warning close() override { return warning::none; }
    void move(double, double) override {}
    void draw(double, double) override {}
    void colour(int value) override { log_.colours.push_back(value); }
    void palette(const std::uint32_t* table, int kind) override {
        log_.palettes.push_back({std::vector<std::uint32_t>(table, table + 256), kind});
    }

  private:
    ColourLog& log_;
    int depth_;
};

class ColourTest : public ::testing::Test {
  protected:
    ColourTest() : cwd_(dir_.path()) {
        s().device_factory = [this](PlotState& state, int) {
            return std::unique_ptr<Device>(new ColourDevice(state, log_, depth_));
        };
        s().files.open_sink = [](const char*, const char*) {
            return std::unique_ptr<Sink>(new MemorySink);
        };
    }

    PlotState& s() { return gvx::state_of(g_); }
    ColourState& c() { return *gvx::state_of(g_).colours; }

    // Opens a plot on a format in a screen mode; fails the test when it stays closed.
    void open(const char* format, const char* mode) {
        g_.metafl(format);
        g_.scrmod(mode);
        g_.gvxini();
        ASSERT_EQ(s().frame.level, 1) << format << " " << mode;
    }

    // Closes the plot; its closing protocol is not shown.
    void close() {
        output_of([&] { g_.gvxfin(); });
    }

    std::int32_t named(NamedColour which) { return c().named_colours[static_cast<int>(which)]; }

    // Runs fn and returns what it printed on standard output.
    template <typename Fn>
    std::string output_of(Fn fn) {
        return stdout_of(fn);
    }

    ColourLog log_;
    int depth_ = 8;
    TempDir dir_;
    WorkingDir cwd_;
    Gravox g_;
};

// Field by field, since the record has padding that copies need not keep.
inline bool same_colours(const ColourState& a, const ColourState& b) {
    for (int i = 0; i < kColourTableSize; ++i)
        if (a.table[i] != b.table[i]) return false;
    for (int i = 0; i < kNamedColourCount; ++i)
        if (a.named_colours[i] != b.named_colours[i]) return false;
    for (int i = 0; i < kColourCycleLength; ++i)
        if (a.colour_cycle[i] != b.colour_cycle[i]) return false;
    return a.palette_kind == b.palette_kind && a.current_colour == b.current_colour &&
           a.foreground_colour == b.foreground_colour &&
           a.background_colour == b.background_colour && a.under_colour == b.under_colour &&
           a.over_colour == b.over_colour && a.colour_range_first == b.colour_range_first &&
           a.colour_range_last == b.colour_range_last && a.keep_user_table == b.keep_user_table;
}

}  // namespace gvx::testing
