#include "gravox/core/sink.h"

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

FileSink::~FileSink() {
    close();
}

bool FileSink::do_write(const void* data, std::size_t n) {
    return std::fwrite(data, 1, n, file_) == n;
}

bool FileSink::do_close() {
    if (!file_) return true;
    bool ok = std::fflush(file_) == 0 && !std::ferror(file_);
    if (owned_ && std::fclose(file_) != 0) ok = false;
    file_ = nullptr;
    return ok;
}

}  // namespace gvx
