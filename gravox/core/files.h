// Output selection and file naming: which device, the existing-file rule, file names.
#pragma once

#include <functional>
#include <memory>

#include "gravox/core/sink.h"
#include "gravox/core/warning_texts.h"

namespace gvx {

struct PlotState;

enum class FileMode {
    count = 0,
    remove = 1,
    refuse = 2,
    version = 3
};  // COUNT DELETE BREAK VERSION
enum class Separator { underscore = 0, hyphen = 1, none = 2 };
enum class ScreenMode { erase = 0, noerase = 1, reverse = 2, autom = 4 };

// True for the screen mode REVERSE (as stored in FileState): black drawing on a white page.
inline bool is_reverse_mode(int screen_mode) {
    return screen_mode == static_cast<int>(ScreenMode::reverse);
}

// Longest file name that the library takes: a longer name is refused, never cut.
inline constexpr std::size_t kMaxFileName = 256;

// Opens the sink of a plot file: a temporary file beside it that replaces it only when
// the plot is complete. Tests replace it to make writes fail.
using SinkOpener = std::function<std::unique_ptr<Sink>(const char* name, const char* mode)>;
std::unique_ptr<Sink> open_file_sink(const char* name, const char* mode);

struct FileState {
    // pdfmod "BUFFER": an output whose catalogue row allows it keeps its document in
    // memory and opens no file.
    bool in_memory = false;
    bool format_chosen = false;
    FileMode file_mode = FileMode::count;
    Separator separator = Separator::underscore;
    bool long_numbers = false;
    int digits = 4;          // counted names use 1 .. 10^digits - 1
    int scaling_option = 0;  // filopt "SCAL": OFF, PAGE, VIEW
    char plot_file_name[257] = "";
    char saved_file_name[257] = "";
    int name_state = 0;  // 0 no setfil, 1 given and unused, 2 in use
    std::unique_ptr<Sink> plot_file;
    int line_length = 80;  // line buffer of the text formats
    int screen_mode = static_cast<int>(ScreenMode::autom);
    int screen_mode_effective = 0;

    SinkOpener open_sink = open_file_sink;
};

// True when the plot itself is written to standard output.
bool plot_goes_to_stdout(const PlotState& s);

// Names and opens the plot file of gvxini. Returns warning::none, or the warning
// after which the plot stays closed (emitted here).
Warning build_file_name(PlotState& s);
// Applies the existing-file rule of the file mode to name (256 characters + 1),
// possibly replacing it with a counted name. Returns warning::none or the refusal,
// which the caller emits.
Warning resolve_output_file(PlotState& s, char* name);
// True when two names denote the same file, existing or not.
bool same_file(const char* a, const char* b);

}  // namespace gvx
