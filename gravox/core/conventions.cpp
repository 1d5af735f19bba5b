// Conventions that every public routine follows: the entry check, keyword
// matching, range and date checks, numbered warnings and bounded text.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <climits>
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
    set_custom_warning(s, "File name too long");
    warn(s, file_warning::name_too_long);
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

void set_custom_warning(PlotState& s, const char* text) {
    copy_text(s.frame.custom_text, text, 80);
}

const char* warning_text(const PlotState& s, int number) {
    if (number >= 1 && number <= kWarningTableSize) return kWarningTexts[number];
    if (number > 100) return s.frame.custom_text;
    return " ";
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

// Gives up an error file that did not take what was written to it: the warnings of the
// plot go to standard output from now on, beginning with a warning that says so.
void give_up_error_file(PlotState& s, const char* text) {
    FrameState& f = s.frame;
    count_warning(f);
    f.error_file_failed = true;
    f.error_file.reset();
    f.open_error_name[0] = '\0';
    if (f.error_output != stdout && f.error_unit != error_unit::stream) f.error_output = stdout;
    f.secondary_error = stdout;
    if (f.error_unit == error_unit::file) f.error_unit = error_unit::console;
    if (f.error_unit == error_unit::none || !f.warnings_on) return;
    std::fprintf(f.error_output, " <<<< Warning %3d: %s in %s!\n", file_warning::error_file_failed,
                 text, f.routine_name);
}

// After a line went to out: an error file that failed to take it is given up, and the
// line is repeated on standard output.
template <typename Print>
void print_warning(PlotState& s, Print print) {
    std::FILE* out = warning_stream(s);
    if (!out) return;
    print(out);
    if (!s.frame.error_file || out != s.frame.error_file.get()) return;
    if (std::fflush(out) == 0 && !std::ferror(out)) return;
    give_up_error_file(s, "Error file cannot be written, warnings go to standard output");
    if (s.frame.error_unit != error_unit::none && s.frame.warnings_on) print(s.frame.error_output);
}

}  // namespace

void warn(PlotState& s, int number) {
    print_warning(s, [&](std::FILE* out) {
        std::fprintf(out, " <<<< Warning %3d: %s in %s!\n", number, warning_text(s, number),
                     s.frame.routine_name);
    });
}

void warn_int(PlotState& s, int number, int value) {
    print_warning(s, [&](std::FILE* out) {
        std::fprintf(out, " <<<< Warning %3d: %s in %s!   (%4d)\n", number, warning_text(s, number),
                     s.frame.routine_name, value);
    });
}

void warn_text(PlotState& s, int number, const char* text) {
    print_warning(s, [&](std::FILE* out) {
        std::fprintf(out, " <<<< Warning %3d: %s in %s!   (%s)\n", number, warning_text(s, number),
                     s.frame.routine_name, text);
    });
}

void warn_custom(PlotState& s, int number, const char* text) {
    print_warning(s, [&](std::FILE* out) {
        std::fprintf(out, " <<<< Warning %3d: %s in %s!\n", number, text, s.frame.routine_name);
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
    if (!append && !null_device && resolve_output_file(s, name) != 0) {
        f.error_file_failed = true;
        return;  // the name was refused: warnings stay on the current output
    }
    if (s.files.plot_file && same_file(name, s.files.plot_file_name)) {
        give_up_error_file(s, "Error file is the plot file, warnings go to standard output");
        return;
    }
    std::FILE* file = open_without_blocking(name, append);
    if (!file) {
        give_up_error_file(s, "Error file cannot be opened, warnings go to standard output");
        return;
    }
    f.error_file.reset(file);
    copy_text(f.open_error_name, name, 256);
    f.error_output = file;
    f.secondary_error = file;
}

}  // namespace gvx
