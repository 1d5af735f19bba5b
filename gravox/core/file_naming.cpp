// File naming: the default name, the existing-file rule and counted names.
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "gravox/core/output_catalogue.h"
#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"

namespace gvx {

std::unique_ptr<Sink> open_file_sink(const char* name, const char* mode) {
    return FileSink::open_replacing(name, mode);
}

namespace {

// Whether anything of that name exists. Only looked at, never opened: opening a FIFO
// or a device for reading may block or have effects.
bool file_exists(const char* name) {
    struct stat info;
    return ::lstat(name, &info) == 0;
}

// The directory of a name resolved through links, followed by its file part.
std::string canonical_name(const char* name) {
    const std::string text = name;
    const std::size_t slash = text.rfind('/');
    const std::string directory = slash == std::string::npos ? "." : text.substr(0, slash + 1);
    char resolved[PATH_MAX];
    if (!::realpath(directory.c_str(), resolved)) return text;
    return std::string(resolved) + "/" + text.substr(slash == std::string::npos ? 0 : slash + 1);
}

// Index where the file part of a name begins: after the last directory separator.
int file_part_start(const char* name) {
    int start = 0;
    for (int i = 0; name[i] != '\0'; ++i)
        if (name[i] == '\\' || name[i] == '/') start = i + 1;
    return start;
}

// Index where the base of the name ends: at the last dot of the file part, or,
// without a dot, where trailing blanks begin.
int base_end(const char* name, int file_start) {
    int length = static_cast<int>(std::strlen(name));
    for (int i = length - 1; i >= file_start; --i)
        if (name[i] == '.') return i;
    while (length > file_start && name[length - 1] == ' ') --length;
    return length;
}

// Finds the first free counted name; warning::none on success, else the failure.
Warning count_up(PlotState& s, char* name) {
    const FileState& f = s.files;
    long limit = 1;
    for (int i = 0; i < f.digits; ++i) limit *= 10;
    const int file_start = file_part_start(name);
    const int extension = base_end(name, file_start);
    const char* separator = f.separator == Separator::underscore ? "_"
                            : f.separator == Separator::hyphen   ? "-"
                                                                 : "";
    const int separator_length = static_cast<int>(std::strlen(separator));
    for (long i = 1; i < limit; ++i) {
        char number[24];
        if (f.long_numbers)
            std::snprintf(number, sizeof number, "%0*ld", f.digits, i);
        else
            std::snprintf(number, sizeof number, "%ld", i);
        int number_length = static_cast<int>(std::strlen(number));

        char candidate[265];
        int keep = extension;
        if (f.file_mode == FileMode::count) {
            // Base, separator and number take at most eight characters.
            int cut = file_start + 8 - number_length - separator_length;
            if (cut < file_start) cut = file_start;
            if (keep > cut) keep = cut;
        }
        copy_text(candidate, name, keep < 264 ? keep : 264);
        append_text(candidate, separator, 264);
        append_text(candidate, number, 264);
        append_text(candidate, name + extension, 264);
        if (std::strlen(candidate) > kMaxFileName) {
            // Cut to the field, it would name another file.
            return warning::file_name_too_long;
        }
        if (!file_exists(candidate)) {
            copy_text(name, candidate, 256);
            return warning::none;
        }
    }
    return warning::too_many_versions;
}

}  // namespace

Warning resolve_output_file(PlotState& s, char* name) {
    if (!file_exists(name)) return warning::none;
    switch (s.files.file_mode) {
        case FileMode::remove:
            // The file is replaced when the new one is complete (see open_file_sink);
            // directories, devices, FIFOs and sockets are never replaced.
            if (!replaceable_file(name)) {
                return warning::file_cannot_be_deleted;
            }
            return warning::none;
        case FileMode::refuse:
            return warning::file_exists;
        case FileMode::count:
        case FileMode::version:
            break;
    }
    return count_up(s, name);
}

bool same_file(const char* a, const char* b) {
    if (std::strcmp(a, b) == 0) return true;
    struct stat first, second;
    if (::stat(a, &first) == 0 && ::stat(b, &second) == 0)
        return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
    return canonical_name(a) == canonical_name(b);
}

Warning build_file_name(PlotState& s) {
    FileState& f = s.files;
    const int device = s.frame.device;
    if (f.name_state == 1) {
        copy_text(f.saved_file_name, f.plot_file_name, 256);
        f.name_state = 2;
    } else if (f.name_state == 2) {
        copy_text(f.plot_file_name, f.saved_file_name, 256);
    } else {
        copy_text(f.plot_file_name, "gravox.", 256);
        append_text(f.plot_file_name, output_extension(device), 256);
    }
    f.line_length = 80;
    const FileOpen opening = output_row(device).file;
    if (opening == FileOpen::none || opening == FileOpen::by_writer ||
        (output_row(device).in_memory && s.files.in_memory))
        return warning::none;  // no file, or opened by the writer, or a PDF document kept in memory

    const std::string requested = f.plot_file_name;
    if (const Warning failure = resolve_output_file(s, f.plot_file_name)) {
        warn(s, failure);
        s.frame.level = 0;
        return failure;
    }
    if (s.frame.error_file && same_file(f.plot_file_name, s.frame.open_error_name)) {
        warn(s, warning::same_as_error_file);
        s.frame.level = 0;
        return warning::same_as_error_file;
    }
    f.plot_file = f.open_sink(f.plot_file_name, opening == FileOpen::binary ? "wb" : "w");
    // Only DELETE replaces a file; in the other modes a file that appears under the name
    // before the plot closes stays, and a counted plot takes the next free name.
    if (f.plot_file && f.file_mode != FileMode::remove) {
        const bool counted = f.file_mode != FileMode::refuse;
        f.plot_file->keep_existing_files([&s, requested, counted](std::string& name) {
            char candidate[257];
            copy_text(candidate, requested.c_str(), 256);
            if (!counted || count_up(s, candidate)) return false;
            name = candidate;
            return true;
        });
    }
    if (!f.plot_file) {
        warn(s, warning::file_error);
        s.frame.level = 0;
        return warning::file_error;
    }
    return warning::none;
}

}  // namespace gvx
