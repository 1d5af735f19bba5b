// The four figures of the program drawn into a directory, for the tests that read them.
#pragma once

#include <filesystem>

#include "app/figures.h"
#include "tests/support/capture.h"
#include "tests/support/temp_dir.h"

namespace cosmology {

// File names of the four figures, without extension.
inline const char* const kFigureFiles[] = {"gravox", "gravox_1", "gravox_2", "gravox_3"};

// The coarsening of the figures that slow readers get: every model stepped a hundred
// times farther. The figures keep their axes, texts, legends and colours, and every
// curve its shape with still about ten points to a pixel column (the longest curve
// keeps 6440 points), but the files of the vector formats, which grow by a line per
// point, are a hundredth of their size.
inline constexpr int kReaderCoarsening = 100;

// Draws the four figures in an output format (a metafl keyword) into dir, the models
// stepped coarsening times farther; what the library prints is dropped.
inline void draw_figures_in(const std::filesystem::path& dir, const char* format,
                            int coarsening = 1) {
    gvx::testing::WorkingDir cwd(dir);
    Gravox plot;
    char legend_buffer[256] = {};
    int legend_line = 0;
    gvx::testing::stdout_of(
        [&] { draw_figures(plot, legend_buffer, legend_line, format, kFigureCount, coarsening); });
}

}  // namespace cosmology
