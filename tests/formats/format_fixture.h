// A plot frame for the tests of the vector and text formats: a library object in a
// temporary working directory whose plot file is kept in memory, a fixed clock, the
// scene of the golden files and small text helpers.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "gravox/core/all_records.h"
#include "gravox/gravox.h"
#include "tests/support/capture.h"
#include "tests/support/golden.h"
#include "tests/support/programs.h"
#include "tests/support/temp_dir.h"

namespace gvx::testing {

// A sink that appends to a string owned by the test, so the bytes outlive gvxfin.
class CaptureSink final : public Sink {
  public:
    explicit CaptureSink(std::string* bytes) : bytes_(bytes) {}

  protected:
    bool do_write(const void* data, std::size_t n) override {
        bytes_->append(static_cast<const char*>(data), n);
        return true;
    }

  private:
    std::string* bytes_;
};

// An explicit colour value from red, green and blue.
inline int rgb(int r, int g, int b) {
    return 0x01000000 + b * 65536 + g * 256 + r;
}

inline std::vector<std::string> split_lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

inline int count_of(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

// Folder of files that the independent readers check (kept after the tests).
inline std::filesystem::path reader_output_dir() {
    std::filesystem::path dir =
        std::filesystem::path(GRAVOX_BINARY_DIR) / "test-output" / "formats";
    std::filesystem::create_directories(dir);
    return dir;
}

inline std::string golden_path(const std::string& name) {
    return std::string(GRAVOX_SOURCE_DIR) + "/tests/formats/golden/" + name;
}

class FormatTest : public ::testing::Test {
  protected:
    FormatTest() : cwd_(dir_.path()) {
        s().frame.clock = fixed_clock;
        s().files.open_sink = [this](const char* name, const char* mode) {
            opened_name_ = name;
            opened_mode_ = mode;
            return std::unique_ptr<Sink>(new CaptureSink(&bytes_));
        };
    }
    PlotState& s() { return gvx::state_of(g_); }

    // Opens a plot on a format; settings of level 0 go into before.
    template <typename Before>
    void open(const char* format, Before before) {
        g_.metafl(format);
        before();
        g_.gvxini();
        ASSERT_EQ(s().frame.level, 1) << "the plot did not open on " << format;
    }
    void open(const char* format) {
        open(format, [] {});
    }
    // Closes the plot and returns the file.
    std::string finish() {
        g_.gvxfin();
        return bytes_;
    }

    // The scene of the golden files: the page border, a red curve long enough to be
    // split into several elements, a blue segment, a wide line, an explicit-colour box
    // and a filled polygon.
    void draw_scene() {
        g_.pagera();
        g_.color("RED");
        move_to(s(), 300, 1000);
        for (int i = 1; i < 60; ++i) draw_to(s(), 300 + i * 30, 1000 - 400 * std::sin(i * 0.2));
        g_.color("BLUE");
        move_to(s(), 100, 100);
        draw_to(s(), 800, 400);
        g_.linwid(10);
        move_to(s(), 100, 1800);
        draw_to(s(), 1500, 1900);
        g_.linwid(1);
        fill_box(s(), 2000, 200, 2600, 600, rgb(0, 128, 255));
        g_.color("GREEN");
        const double px[] = {2200, 2800, 2700, 2300, 2100};
        const double py[] = {1200, 1300, 1800, 1900, 1500};
        fill_polygon(s(), px, py, 5);
    }

    // Copies the plot file just closed to the readers' folder as "<test>-<name>" (the
    // test's name keeps the copies of tests running at the same time apart); its path.
    std::string keep_plot_file(const std::string& name) {
        const std::filesystem::path kept = reader_output_dir() / kept_name(name);
        std::filesystem::copy_file(s().files.plot_file_name, kept,
                                   std::filesystem::copy_options::overwrite_existing);
        return kept.string();
    }
    static std::string kept_name(const std::string& name) {
        return std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
               name;
    }
    // Runs a reader in the test's own folder; its exit status, and its output in log.
    int run(const std::string& command, std::string& log) {
        const int status = std::system((command + " > reader.log 2>&1").c_str());
        log = read_file("reader.log");
        return status;
    }

    // Compares with the committed golden file; GRAVOX_UPDATE_GOLDEN=1 rewrites it.
    void expect_golden(const std::string& bytes, const std::string& name) {
        expect_golden_bytes(bytes, "formats", name);
    }

    // Runs fn and returns what it printed on standard output.
    template <typename Fn>
    std::string output_of(Fn fn) {
        return stdout_of(fn);
    }

    TempDir dir_;
    WorkingDir cwd_;
    // Declared before the library object, so a plot still open at the end of a test
    // never writes into a string that is already gone.
    std::string bytes_;
    std::string opened_name_, opened_mode_;
    Gravox g_;
};

}  // namespace gvx::testing
