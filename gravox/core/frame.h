// Library frame: the fields every routine shares (plot level, device, counters,
// warnings and where they go), and the conventions every public routine follows.
#pragma once

#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>

#include "gravox/core/warning_texts.h"

namespace gvx {

struct PlotState;

// Where warnings and the closing protocol go.
enum class ErrorDevice { console = 0, file = 1, append = 2 };
enum class ProtocolMode { off = 0, on = 1, file = 2 };

// Values of the error unit: where warnings are printed.
namespace error_unit {
inline constexpr int none = 0;     // no warnings are printed
inline constexpr int stream = 1;   // a stream given with unit()
inline constexpr int console = 6;  // standard output
inline constexpr int file = 17;    // the error file of the current plot
}  // namespace error_unit

// Closes a C stream that the library opened itself.
struct FileCloser {
    void operator()(std::FILE* file) const {
        if (file) std::fclose(file);
    }
};
using OwnedFile = std::unique_ptr<std::FILE, FileCloser>;

// Local date and time for the closing protocol; tests replace it with a fixed clock.
using Clock = std::function<std::tm()>;
std::tm local_clock();

struct FrameState {
    int level = 0;   // 0 no plot, 1 plot open, 2 two-dimensional axes, 3 three-dimensional axes
    int device = 0;  // device code, 0 until one is chosen
    char format_keyword[5] = "";    // keyword given to metafl, upper-cased
    char page_keyword[5] = "DA4L";  // page format shown in the protocol
    double page_extent_w = 2969.0;  // page extents (largest coordinate) of setpag
    double page_extent_h = 2099.0;
    double unit_scale = 1.0;    // units(): divisor applied to the page extents
    int vector_count = 0;       // device draws of the current plot
    int warning_count = 0;      // warnings since gvxini, printed or not
    int nan_count = 0;          // NaN data values met in the current plot
    char routine_name[9] = "";  // routine being executed, for warnings

    int error_unit = error_unit::console;
    std::FILE* error_output = stdout;     // where warnings and the protocol go
    std::FILE* secondary_error = stdout;  // what gvxini makes the error output
    bool warnings_on = true;
    bool check_on = false;
    ProtocolMode protocol = ProtocolMode::off;
    ErrorDevice error_device = ErrorDevice::console;
    char error_file_name[257] = "";
    bool error_file_set = false;
    OwnedFile error_file;            // open error file, if any
    char open_error_name[257] = "";  // name under which it was opened (possibly counted)
    bool window_app = false;
    bool plot_finished = false;
    bool error_file_failed = false;  // the error file of this plot was refused or failed

    Clock clock = local_clock;
};

// --- Conventions -------------------------------------------------------------

// Entry check of every public routine: records the routine name and refuses the
// call (warning 3 with the level) when the plot level lies outside [lowest, highest].
// Returns 0 when the call may proceed, 1 when it was refused.
int check_level(PlotState& s, int lowest, int highest, const char* name);

// Accepts value >= lower and, unless upper < lower, value <= upper; else warning 2
// with the value. Returns 0 when accepted, 1 when refused.
int check_range(PlotState& s, int value, int lower, int upper);

// Matches the first four characters of keyword, upper-cased and padded with
// blanks, against a "+"-joined list of four-character entries. Returns the index
// from 1, or 0 after warning 2 with the keyword as written.
int match_keyword(PlotState& s, const char* list, int entries, const char* keyword);
// The same without a warning when nothing matches.
int find_keyword(const char* list, int entries, const char* keyword);

// Refuses a negative position or a size that is not positive with warning 2 and the
// smaller offending value. 0 accepted, 1 refused.
int check_block(PlotState& s, int x, int y, int width, int height);

// Positions and measures in plot units that the library computes with stay within
// this distance of the origin, so that sums of a few of them never overflow an int.
inline constexpr int kMaxPlotCoordinate = 1 << 26;

// The one range-checked conversion of a real position or measure to an int: rounds
// toward zero and pins to +-kMaxPlotCoordinate (NaN gives 0), so that the result can
// be offset and added to without overflow.
inline int pinned_measure(double v) {
    if (!(v == v)) return 0;
    if (v >= kMaxPlotCoordinate) return kMaxPlotCoordinate;
    if (v <= -kMaxPlotCoordinate) return -kMaxPlotCoordinate;
    return static_cast<int>(v);
}

// Refuses a null file name with warning 2 and a name longer than kMaxFileName with
// warning 301 "File name too long". 0 accepted, 1 refused.
int check_file_name(PlotState& s, const char* name);

// Refuses a null string argument with warning 2. 0 accepted, 1 refused.
int check_string(PlotState& s, const char* text);

// Refuses a position farther than kMaxPlotCoordinate from the origin in x or y with
// warning 2 and the offending value. 0 accepted, 1 refused.
int check_position(PlotState& s, int x, int y);

// A page y of the caller in the top-origin page coordinates used inside: page height
// - y under the bottom origin of pagorg. y lies within kMaxPlotCoordinate (see
// check_position).
int top_origin_y(const PlotState& s, int y);

// Counts one more warning; the count stops at INT_MAX instead of wrapping.
void count_warning(FrameState& f);

// Refuses impossible dates with warning 2 and the offending value. 0 accepted, 1 refused.
int check_date(PlotState& s, int day, int month, int year);

// The funnel of warnings: every warning and report the library prints goes through
// these, counted, sent to the error output the user chose, and repeated on standard
// output when an error file fails. A warning is a row of the table in
// warning_texts.h; it is printed as " <<<< Warning nnn: text in routine!" with the
// value or text in parentheses after it.
void warn(PlotState& s, Warning w);
void warn_int(PlotState& s, Warning w, int value);
void warn_text(PlotState& s, Warning w, const char* text);
// A warning given by its number: the first row of that number (warning_of_number),
// a blank text for a number without a row.
void warn(PlotState& s, int number);
// The text layer's report of a string's start or end point off the page: counted and
// shown like a warning; text is the head of the string (8 characters at most).
void warn_off_page(PlotState& s, bool start, int x, int y, const char* text);
// The check mode's report of a curve point outside the axis scaling: shown whenever
// there is an error output (also with warnings off), and not counted.
void report_outside_scaling(PlotState& s, double x, double y);

// Opens the error file when warnings of this plot go to a file.
void open_error_file(PlotState& s);

// Bounded text helpers. The destination of copy_text holds n + 1 characters.
void copy_text(char* destination, const char* source, int n);
void append_text(char* destination, const char* source, int n);
void upper_case(char* text);

// Reduces a keyword to four upper-cased characters padded with blanks.
void reduce_keyword(const char* keyword, char out[5]);

}  // namespace gvx
