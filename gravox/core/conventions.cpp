// Conventions that every public routine follows: the entry check, keyword
// matching, range and date checks, numbered warnings and bounded text.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstring>

#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"

namespace gvx {

std::tm local_clock() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

void copy_text(char* destination, const char* source, int n) {
    int i = 0;
    if (source)
        for (; i < n && source[i] != '\0'; ++i) destination[i] = source[i];
    destination[i < 0 ? 0 : i] = '\0';
}

void append_text(char* destination, const char* source, int n) {
    int length = static_cast<int>(std::strlen(destination));
    if (source)
        for (; length < n && *source != '\0'; ++length, ++source) destination[length] = *source;
    destination[length] = '\0';
}

void upper_case(char* text) {
    for (; *text != '\0'; ++text)
        if (*text >= 'a' && *text <= 'z') *text = static_cast<char>(*text - 'a' + 'A');
}

void reduce_keyword(const char* keyword, char out[5]) {
    int i = 0;
    if (keyword)
        for (; i < 4 && keyword[i] != '\0'; ++i) out[i] = keyword[i];
    for (; i < 4; ++i) out[i] = ' ';
    out[4] = '\0';
    upper_case(out);
}

int find_keyword(const char* list, int entries, const char* keyword) {
    char reduced[5];
    reduce_keyword(keyword, reduced);
    for (int entry = 0; entry < entries; ++entry) {
        const char* item = list + 5 * entry;
        bool equal = true;
        for (int k = 0; k < 4 && equal; ++k) {
            char c = item[k] == '\0' ? ' ' : item[k];
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
            equal = c == reduced[k];
        }
        if (equal) return entry + 1;
        if (std::strlen(item) < 5) break;  // the list ends before the entry count
    }
    return 0;
}

int match_keyword(PlotState& s, const char* list, int entries, const char* keyword) {
    int index = find_keyword(list, entries, keyword);
    if (index == 0) warn_text(s, warning::incorrect_parameter, keyword ? keyword : "");
    return index;
}

int check_level(PlotState& s, int lowest, int highest, const char* name) {
    copy_text(s.frame.routine_name, name, 8);
    if (s.frame.level >= lowest && s.frame.level <= highest) return 0;
    // A call without an open plot is always reported, even if warnings were switched off.
    if (s.frame.level == 0) s.frame.error_unit = error_unit::console;
    warn_int(s, warning::incorrect_level, s.frame.level);
    return 1;
}

int check_range(PlotState& s, int value, int lower, int upper) {
    if (value >= lower && (upper < lower || value <= upper)) return 0;
    warn_int(s, warning::incorrect_parameter, value);
    return 1;
}

int check_block(PlotState& s, int x, int y, int width, int height) {
    if (x < 0 || y < 0) {
        warn_int(s, warning::incorrect_parameter, std::min(x, y));
        return 1;
    }
    if (width <= 0 || height <= 0) {
        warn_int(s, warning::incorrect_parameter, std::min(width, height));
        return 1;
    }
    return 0;
}

int check_string(PlotState& s, const char* text) {
    if (text) return 0;
    warn_text(s, warning::incorrect_parameter, "");
    return 1;
}

int check_file_name(PlotState& s, const char* name) {
    if (check_string(s, name)) return 1;
    if (std::strlen(name) <= kMaxFileName) return 0;
    warn(s, warning::file_name_too_long);
    return 1;
}

int check_position(PlotState& s, int x, int y) {
    for (int value : {x, y}) {
        if (value >= -kMaxPlotCoordinate && value <= kMaxPlotCoordinate) continue;
        warn_int(s, warning::incorrect_parameter, value);
        return 1;
    }
    return 0;
}

int top_origin_y(const PlotState& s, int y) {
    return s.page.origin == 1 ? s.page.height - y : y;
}

void count_warning(FrameState& f) {
    if (f.warning_count < INT_MAX) ++f.warning_count;
}

int check_date(PlotState& s, int day, int month, int year) {
    int offending = 0;
    bool refused = true;
    if (day < 1 || day > 31)
        offending = day;
    else if (month < 1 || month > 12)
        offending = month;
    else if (year < 1000)
        offending = year;
    else
        refused = false;
    if (!refused && month == 2) {
        bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
        if (day > 29 || (day == 29 && !leap)) {
            refused = true;
            offending = day;
        }
    }
    if (!refused) return 0;
    warn_int(s, warning::incorrect_parameter, offending);
    return 1;
}

namespace {

// Counts the warning and tells whether it is to be printed; opens the error file
// when warnings of this plot go to one.
std::FILE* warning_stream(PlotState& s) {
    count_warning(s.frame);
    if (s.frame.error_unit == error_unit::none || !s.frame.warnings_on) return nullptr;
    open_error_file(s);
    return s.frame.error_output;
}

// The check mode's reports are not counted and not switched off with the warnings.
std::FILE* report_stream(PlotState& s) {
    if (s.frame.error_unit == error_unit::none) return nullptr;
    open_error_file(s);
    return s.frame.error_output;
}

// Gives up an error file that did not take what was written to it: the warnings of the
// plot go to standard output from now on, beginning with a warning that says so.
void give_up_error_file(PlotState& s, Warning why) {
    FrameState& f = s.frame;
    count_warning(f);
    f.error_file_failed = true;
    f.error_file.reset();
    f.open_error_name[0] = '\0';
    if (f.error_output != stdout && f.error_unit != error_unit::stream) f.error_output = stdout;
    f.secondary_error = stdout;
    if (f.error_unit == error_unit::file) f.error_unit = error_unit::console;
    if (f.error_unit == error_unit::none || !f.warnings_on) return;
    std::fprintf(f.error_output, " <<<< Warning %3d: %s in %s!\n", warning_number(why),
                 warning_text(why), f.routine_name);
}

// Prints one line to the stream that open gives; an error file that fails to take it
// is given up, and the line is repeated on standard output.
template <typename Print>
void print_line(PlotState& s, std::FILE* (*open)(PlotState&), Print print) {
    std::FILE* out = open(s);
    if (!out) return;
    print(out);
    if (!s.frame.error_file || out != s.frame.error_file.get()) return;
    if (std::fflush(out) == 0 && !std::ferror(out)) return;
    give_up_error_file(s, warning::error_file_unwritable);
    if (s.frame.error_unit != error_unit::none && s.frame.warnings_on) print(s.frame.error_output);
}

// Text of a warning number without a row of its own.
const char* text_of(Warning w) {
    return w ? warning_text(w) : " ";
}

}  // namespace

void warn(PlotState& s, Warning w) {
    print_line(s, warning_stream, [&](std::FILE* out) {
        std::fprintf(out, " <<<< Warning %3d: %s in %s!\n", warning_number(w), text_of(w),
                     s.frame.routine_name);
    });
}

void warn(PlotState& s, int number) {
    const Warning w = warning_of_number(number);
    if (w) return warn(s, w);
    print_line(s, warning_stream, [&](std::FILE* out) {
        std::fprintf(out, " <<<< Warning %3d: %s in %s!\n", number, text_of(w),
                     s.frame.routine_name);
    });
}

void warn_int(PlotState& s, Warning w, int value) {
    print_line(s, warning_stream, [&](std::FILE* out) {
        std::fprintf(out, " <<<< Warning %3d: %s in %s!   (%4d)\n", warning_number(w), text_of(w),
                     s.frame.routine_name, value);
    });
}

void warn_text(PlotState& s, Warning w, const char* text) {
    print_line(s, warning_stream, [&](std::FILE* out) {
        std::fprintf(out, " <<<< Warning %3d: %s in %s!   (%s)\n", warning_number(w), text_of(w),
                     s.frame.routine_name, text);
    });
}

void warn_off_page(PlotState& s, bool start, int x, int y, const char* text) {
    char head[9];
    copy_text(head, text, 8);
    print_line(s, warning_stream, [&](std::FILE* out) {
        if (start)
            std::fprintf(out, " <<<< Warning: Startpoint (%5d/%5d) ", x, y);
        else
            std::fprintf(out, " <<<< Warning: Endpoint   (%5d/%5d) ", x, y);
        std::fprintf(out, "in MESSAG out of page - (%s).\n", head);
    });
}

namespace {

// Small and large magnitudes of the scaling report are written in exponent form.
bool exponent_form(double v) {
    const double a = std::fabs(v);
    return (a > 0.0 && a < 1e-6) || a > 1000000.0;
}

}  // namespace

void report_outside_scaling(PlotState& s, double x, double y) {
    print_line(s, report_stream, [&](std::FILE* out) {
        std::fputs(" <<<< (", out);
        std::fprintf(out, exponent_form(x) ? "%12.4e /" : "%f /", x);
        std::fprintf(
            out,
            exponent_form(y) ? "%12.4e) out of axis scaling!\n" : " %f) out of axis scaling!\n", y);
    });
}

bool plot_goes_to_stdout(const PlotState& s) {
    return s.files.plot_file && s.files.plot_file->stream() == stdout;
}

namespace {

// Opens an error file for writing or appending without ever waiting: a FIFO without a
// reader fails at once instead of blocking.
std::FILE* open_without_blocking(const char* name, bool append) {
    const int flags = O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC | (append ? O_APPEND : O_TRUNC);
    const int fd = ::open(name, flags, 0666);
    if (fd < 0) return nullptr;
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::FILE* file = ::fdopen(fd, append ? "a" : "w");
    if (!file) ::close(fd);
    return file;
}

}  // namespace

void open_error_file(PlotState& s) {
    FrameState& f = s.frame;
    if (!f.window_app && f.error_device == ErrorDevice::console &&
        (f.level == 0 || !plot_goes_to_stdout(s)))
        return;
    if (f.error_file || f.error_file_failed) return;
    char name[257];
    copy_text(name, f.error_file_set ? f.error_file_name : "gravox.err", 256);
    bool null_device = std::strncmp(name, "/dev/null", 9) == 0;
    const bool append = f.error_device == ErrorDevice::append;
    if (!append && !null_device && resolve_output_file(s, name)) {
        f.error_file_failed = true;
        return;  // the name was refused: warnings stay on the current output
    }
    if (s.files.plot_file && same_file(name, s.files.plot_file_name)) {
        give_up_error_file(s, warning::error_file_is_plot_file);
        return;
    }
    std::FILE* file = open_without_blocking(name, append);
    if (!file) {
        give_up_error_file(s, warning::error_file_unopenable);
        return;
    }
    f.error_file.reset(file);
    copy_text(f.open_error_name, name, 256);
    f.error_output = file;
    f.secondary_error = file;
}

}  // namespace gvx
