// The built program end to end: no input, the report on standard output, exit 0.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <filesystem>
#include <set>
#include <string>

#include "app/expansion.h"
#include "app/figures.h"
#include "gravox/core/all_records.h"
#include "gravox/gravox.h"
#include "tests/app/expected_report.h"
#include "tests/support/png_decode.h"
#include "tests/support/temp_dir.h"

namespace cosmology {
namespace {

struct ProgramResult {
    std::string out;
    int status = -1;
};

// Runs the program in dir with standard input from /dev/null and collects its
// standard output.
ProgramResult run_program(const std::string& program, const std::filesystem::path& dir) {
    ProgramResult result;
    int pipe_fds[2];
    if (pipe(pipe_fds) != 0) return result;
    const pid_t child = fork();
    if (child < 0) {
        close(pipe_fds[0]);
        close(pipe_fds[1]);
        return result;
    }
    if (child == 0) {
        const int null_fd = open("/dev/null", O_RDONLY);
        if (null_fd < 0 || dup2(null_fd, STDIN_FILENO) < 0) _exit(126);
        if (dup2(pipe_fds[1], STDOUT_FILENO) < 0) _exit(126);
        close(pipe_fds[0]);
        close(pipe_fds[1]);
        if (chdir(dir.c_str()) != 0) _exit(126);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipe_fds[1]);
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(pipe_fds[0], buffer, sizeof buffer);
        if (n > 0) {
            result.out.append(buffer, static_cast<std::size_t>(n));
        } else if (n == 0 || errno != EINTR) {
            break;
        }
    }
    close(pipe_fds[0]);
    while (waitpid(child, &result.status, 0) < 0 && errno == EINTR) {
    }
    return result;
}

const char* const kFiles[] = {"gravox.png", "gravox_1.png", "gravox_2.png", "gravox_3.png"};

// The closing protocol box of a figure, with the date, time and vector count masked.
std::string expected_box(const std::string& file) {
    std::string name = "Metafile: " + file;
    name.resize(58, ' ');
    return "\n <<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<"
           "\n <<                END OF GRAVOX / VERSION 10.4.3                <<"
           "\n <<  Date    : DD.MM.YYYY  Time    : HH:MM:SS  Pageformat: DA4L  <<"
           "\n <<  Vectors : N           Warnings: 0         Fileformat:  PNG  <<"
           "\n <<  " +
           name +
           "  <<"
           "\n <<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<\n\n";
}

// Replaces the field of the given width after every occurrence of label.
void mask_field(std::string& text, const std::string& label, const std::string& mask) {
    for (auto at = text.find(label); at != std::string::npos; at = text.find(label, at + 1))
        if (at + label.size() + mask.size() <= text.size())
            text.replace(at + label.size(), mask.size(), mask);
}

std::string masked(const std::string& out) {
    std::string text = out;
    mask_field(text, "Date    : ", "DD.MM.YYYY");
    mask_field(text, "Time    : ", "HH:MM:SS");
    mask_field(text, "Vectors : ", "N         ");
    return text;
}

// The report blocks of each figure's runs, each figure followed by its protocol box.
std::string expected_output() {
    std::string text;
    for (int figure = 1; figure <= kFigureCount; ++figure) {
        for (int run = 0; run < kRunCount; ++run)
            if (kModelRuns[run].figure == figure)
                text += testing::expected_block(testing::expected_runs()[run]);
        text += expected_box(kFiles[figure - 1]);
    }
    return text;
}

std::array<std::uint8_t, 3> rgb_at(const gvx::testing::DecodedPng& png, int x, int y) {
    return png.palette[png.at(x, y)];
}

// The colour a colour keyword draws with on the program's white pages.
std::array<std::uint8_t, 3> colour_of(const char* keyword) {
    Gravox plot;
    plot.metafl("VIRT");
    plot.scrmod("REVERS");
    plot.gvxini();
    plot.color(keyword);
    std::uint32_t entry =
        gvx::state_of(plot).colours->table[gvx::state_of(plot).colours->current_colour & 0xFF];
    ::testing::internal::CaptureStdout();
    plot.gvxfin();
    ::testing::internal::GetCapturedStdout();
    return {static_cast<std::uint8_t>(entry >> 16), static_cast<std::uint8_t>(entry >> 8),
            static_cast<std::uint8_t>(entry)};
}

class CosmologyProgram : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(program_))
            << program_ << " is missing: build the cosmology target first";
    }
    ProgramResult run() {
        ProgramResult result = run_program(program_, dir_.path());
        EXPECT_TRUE(WIFEXITED(result.status)) << "status " << result.status;
        EXPECT_EQ(WEXITSTATUS(result.status), 0);
        return result;
    }
    std::set<std::string> files() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir_.path()))
            names.insert(entry.path().filename().string());
        return names;
    }
    std::string bytes(const std::string& name) const {
        return gvx::testing::read_file((dir_.path() / name).string());
    }

    const std::string program_ = GRAVOX_BINARY_DIR "/cosmology";
    gvx::testing::TempDir dir_;
};

TEST_F(CosmologyProgram, PrintsReportsAndProtocolsAndNothingElse) {
    const ProgramResult result = run();
    const auto actual = testing::split_lines(masked(result.out));
    const auto expected = testing::split_lines(expected_output());
    ASSERT_EQ(actual.size(), expected.size()) << result.out;
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(actual[i], expected[i]) << "line " << i + 1;
    EXPECT_EQ(files(), (std::set<std::string>(std::begin(kFiles), std::end(kFiles))));
}

TEST_F(CosmologyProgram, FiguresShowPageAxesCurvesAndLegend) {
    run();
    // Page units to pixels, as the raster devices convert them.
    const double s = 602.0 / 2099.0;
    auto px = [s](double v) { return static_cast<int>(s * v + 0.5); };
    const std::array<std::uint8_t, 3> black{0, 0, 0};
    for (int figure = 0; figure < kFigureCount; ++figure) {
        SCOPED_TRACE(kFiles[figure]);
        const gvx::testing::DecodedPng png = gvx::testing::decode_png(bytes(kFiles[figure]));
        ASSERT_TRUE(png.ok) << png.error;
        EXPECT_EQ(png.width, 853u);
        EXPECT_EQ(png.height, 603u);
        EXPECT_EQ(png.colour_type, 3);
        // The page border.
        for (int x = 0; x < 853; x += 50) {
            EXPECT_EQ(rgb_at(png, x, 0), black);
            EXPECT_EQ(rgb_at(png, x, 602), black);
        }
        EXPECT_EQ(rgb_at(png, 0, 301), black);
        EXPECT_EQ(rgb_at(png, 852, 301), black);
        // The axis frame: 1980 x 1400 units from the lower left corner (494, 1799).
        const int left = px(494), right = px(494 + 1980 - 1), top = px(1799 - 1400 + 1),
                  bottom = px(1799);
        for (int x = left; x <= right; x += 37) EXPECT_EQ(rgb_at(png, x, bottom), black) << x;
        EXPECT_EQ(rgb_at(png, left, (top + bottom) / 2 - 100), black);
        EXPECT_EQ(rgb_at(png, left + 100, top), black);
        // The legend frame at its legpos corner.
        const Figure& f = kFigures[figure];
        for (int dx = 0; dx < 40; dx += 4)
            EXPECT_EQ(rgb_at(png, px(f.legend_x) + dx, px(f.legend_y)), black) << dx;
        for (int dy = 0; dy < 20; dy += 4)
            EXPECT_EQ(rgb_at(png, px(f.legend_x), px(f.legend_y) + dy), black) << dy;
        // Every curve colour of the figure is present.
        std::set<std::array<std::uint8_t, 3>> present;
        for (std::uint32_t y = 0; y < png.height; ++y)
            for (std::uint32_t x = 0; x < png.width; ++x) present.insert(rgb_at(png, x, y));
        for (const ModelRun& run : kModelRuns)
            if (run.figure == figure + 1) {
                EXPECT_TRUE(present.count(colour_of(run.model.colour))) << run.model.colour;
            }
        // Kept for the independent PNG reader that CI runs over the test output.
        const auto kept = std::filesystem::path(GRAVOX_BINARY_DIR) / "test-output" / "png";
        std::filesystem::create_directories(kept);
        std::filesystem::copy_file(dir_.path() / kFiles[figure], kept / kFiles[figure],
                                   std::filesystem::copy_options::overwrite_existing);
    }
}

TEST_F(CosmologyProgram, SecondRunCountsOnAndKeepsTheFirstFiles) {
    run();
    std::string first[4];
    for (int i = 0; i < 4; ++i) first[i] = bytes(kFiles[i]);
    const ProgramResult again = run();
    for (int i = 0; i < 4; ++i) EXPECT_EQ(bytes(kFiles[i]), first[i]) << kFiles[i];
    std::set<std::string> expected(std::begin(kFiles), std::end(kFiles));
    for (int i = 4; i <= 7; ++i) {
        const std::string name = "gravox_" + std::to_string(i) + ".png";
        expected.insert(name);
        EXPECT_NE(masked(again.out).find(expected_box(name)), std::string::npos) << name;
        // Same picture as the first run's figure.
        EXPECT_EQ(bytes(name), first[i - 4]) << name;
    }
    EXPECT_EQ(files(), expected);
}

}  // namespace
}  // namespace cosmology
