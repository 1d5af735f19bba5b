#include "gravox/core/sink.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <vector>

namespace gvx {

void Sink::printf(const char* format, ...) {
    char small[512];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    if (n < 0) {
        failed_ = true;
        return;
    }
    if (static_cast<std::size_t>(n) < sizeof small) {
        write(small, static_cast<std::size_t>(n));
        return;
    }
    std::vector<char> large(static_cast<std::size_t>(n) + 1);
    va_start(args, format);
    std::vsnprintf(large.data(), large.size(), format, args);
    va_end(args);
    write(large.data(), static_cast<std::size_t>(n));
}

void Sink::discard() {
    if (closed_) return;
    closed_ = true;
    failed_ = true;
    do_discard();
}

bool Sink::close() {
    if (!closed_) {
        closed_ = true;
        if (!do_close()) failed_ = true;
    }
    return !failed_;
}

std::unique_ptr<FileSink> FileSink::open(const char* name, const char* mode) {
    std::FILE* file = std::fopen(name, mode);
    if (!file) return nullptr;
    return std::unique_ptr<FileSink>(new FileSink(file, true));
}

std::unique_ptr<FileSink> FileSink::open_replacing(const char* name, const char* mode) {
    if (!name || name[0] == '\0') return nullptr;
    // The temporary file lives beside the target, so that the rename stays within one
    // file system; its own short name keeps it within the length of a name part.
    const std::string target = name;
    const std::size_t slash = target.rfind('/');
    const std::string directory = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    static std::atomic<unsigned> serial{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string temporary = directory + ".gravox-" + std::to_string(::getpid()) + "-" +
                                      std::to_string(serial++) + ".tmp";
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return nullptr;
        }
        std::FILE* file = ::fdopen(fd, mode);
        if (!file) {
            ::close(fd);
            ::unlink(temporary.c_str());
            return nullptr;
        }
        std::unique_ptr<FileSink> sink(new FileSink(file, true));
        sink->temporary_name_ = temporary;
        sink->final_name_ = target;
        return sink;
    }
    return nullptr;
}

FileSink::~FileSink() {
    if (temporary_name_.empty())
        close();
    else
        discard();  // a plot that was never closed replaces nothing
}

bool FileSink::do_write(const void* data, std::size_t n) {
    return std::fwrite(data, 1, n, file_) == n;
}

bool FileSink::close_stream() {
    if (!file_) return true;
    bool ok = std::fflush(file_) == 0 && !std::ferror(file_);
    if (owned_ && std::fclose(file_) != 0) ok = false;
    file_ = nullptr;
    return ok;
}

bool FileSink::do_close() {
    bool ok = close_stream() && !failed();
    if (temporary_name_.empty()) return ok;
    if (ok && !next_name_) ok = replace_regular_file();
    if (ok && next_name_) {
        // A file that appeared under the name since it was found free is kept: the
        // plot takes the next name instead.
        while (!(ok = place_without_replacing()) && errno == EEXIST) {
            if (!next_name_(final_name_)) break;
            moved_ = true;
        }
    }
    if (!ok) ::unlink(temporary_name_.c_str());
    temporary_name_.clear();
    return ok;
}

bool FileSink::place_without_replacing() const {
    const char* from = temporary_name_.c_str();
    const char* to = final_name_.c_str();
    if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return false;
    // A file system without that rename: a second link to the file takes the name only
    // where it is free, and the temporary link goes.
    if (::link(from, to) == 0) {
        ::unlink(from);
        return true;
    }
    if (errno != EPERM && errno != ENOTSUP && errno != EOPNOTSUPP) return false;
    // Neither: the name is checked just before the rename.
    struct stat info;
    if (::lstat(to, &info) == 0) {
        errno = EEXIST;
        return false;
    }
    return std::rename(from, to) == 0;
}

namespace {

// replaceable_file of a name whose own lstat is info.
bool replaceable(const char* name, const struct stat& info) {
    if (S_ISREG(info.st_mode)) return true;
    struct stat target;
    return S_ISLNK(info.st_mode) && ::stat(name, &target) == 0 && S_ISREG(target.st_mode);
}

}  // namespace

bool replaceable_file(const char* name) {
    struct stat info;
    return ::lstat(name, &info) == 0 && replaceable(name, info);
}

// A FIFO, directory or device that appeared under the name while the plot was open is
// never replaced. The file found is swapped with the plot in one step and the object
// swapped out is checked to be the one found; anything else is swapped back. Where the
// file system cannot swap, the check comes just before the rename, and an object put
// under the name between the two would still be replaced.
bool FileSink::replace_regular_file() const {
    const char* from = temporary_name_.c_str();
    const char* to = final_name_.c_str();
    struct stat found;
    if (::lstat(to, &found) != 0) {
        if (errno != ENOENT) return false;
        if (place_without_replacing()) return true;
        if (errno != EEXIST) return false;
        if (::lstat(to, &found) != 0) return false;  // appeared and went again
    }
    if (!replaceable(to, found)) {
        errno = EEXIST;
        return false;
    }
    if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_EXCHANGE) == 0) {
        struct stat swapped;
        if (::lstat(from, &swapped) == 0 && swapped.st_dev == found.st_dev &&
            swapped.st_ino == found.st_ino) {
            ::unlink(from);  // the replaced file, now under the temporary name
            return true;
        }
        ::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_EXCHANGE);  // not the one found
        errno = EEXIST;
        return false;
    }
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return false;
    return std::rename(from, to) == 0;
}

void FileSink::do_discard() {
    close_stream();
    if (!temporary_name_.empty()) ::unlink(temporary_name_.c_str());
    temporary_name_.clear();
}

}  // namespace gvx
