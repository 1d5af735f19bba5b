#include "tests/screen/screen_test_support.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace gvx::testing {

bool have_program(const char* name) {
    return run_command(std::string("command -v ") + name + " >/dev/null 2>&1") == 0;
}

int run_command(const std::string& command, std::string* out) {
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return -1;
    std::string text;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, n);
    const int status = ::pclose(pipe);
    if (out) *out = text;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

DisplayVariable::DisplayVariable(const char* value) {
    if (const char* old = std::getenv("DISPLAY")) {
        had_ = true;
        previous_ = old;
    }
    if (value)
        ::setenv("DISPLAY", value, 1);
    else
        ::unsetenv("DISPLAY");
}

DisplayVariable::~DisplayVariable() {
    if (had_)
        ::setenv("DISPLAY", previous_.c_str(), 1);
    else
        ::unsetenv("DISPLAY");
}

VirtualServer::VirtualServer() {
    if (!have_program("Xvfb")) {
        error_ = "Xvfb is not installed (Debian package xvfb)";
        return;
    }
    int fds[2];
    if (::pipe(fds) != 0) {
        error_ = "no pipe for Xvfb";
        return;
    }
    pid_ = ::fork();
    if (pid_ == 0) {
        ::close(fds[0]);
        const int null = ::open("/dev/null", O_RDWR);
        ::dup2(null, 0);
        ::dup2(null, 1);
        ::dup2(null, 2);
        const std::string fd = std::to_string(fds[1]);
        ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24",
                 "-nolisten", "tcp", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(fds[1]);
    if (pid_ < 0) {
        ::close(fds[0]);
        error_ = "Xvfb could not be started";
        return;
    }
    // Xvfb writes its display number once it accepts connections.
    std::string number;
    char c;
    while (::read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    ::close(fds[0]);
    if (number.empty()) {
        error_ = "Xvfb did not start";
        return;
    }
    display_ = ":" + number;
}

VirtualServer::~VirtualServer() {
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
}

namespace {

std::uint32_t field(const std::string& bytes, std::size_t index) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data()) + 4 * index;
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

// The 8-bit value of a component under its mask.
std::uint8_t component(std::uint32_t pixel, std::uint32_t mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (!(mask >> shift & 1)) ++shift;
    const std::uint32_t bits = mask >> shift;
    return static_cast<std::uint8_t>(((pixel & mask) >> shift) * 255 / bits);
}

}  // namespace

Capture read_xwd(const std::string& bytes) {
    Capture c;
    if (bytes.size() < 100) {
        c.error = "no xwd header";
        return c;
    }
    const std::uint32_t header_size = field(bytes, 0), version = field(bytes, 1),
                        format = field(bytes, 2), width = field(bytes, 4), height = field(bytes, 5),
                        byte_order = field(bytes, 7), bits_per_pixel = field(bytes, 11),
                        bytes_per_line = field(bytes, 12), red = field(bytes, 14),
                        green = field(bytes, 15), blue = field(bytes, 16),
                        colours = field(bytes, 19);
    if (version != 7 || format != 2 || (bits_per_pixel != 32 && bits_per_pixel != 24)) {
        c.error = "not a 24- or 32-bit ZPixmap dump of version 7";
        return c;
    }
    const std::size_t start = header_size + std::size_t{colours} * 12;
    if (width == 0 || height == 0 || width > 32767 || height > 32767 ||
        bytes.size() < start + std::size_t{bytes_per_line} * height) {
        c.error = "the dump is cut short";
        return c;
    }
    c.width = static_cast<int>(width);
    c.height = static_cast<int>(height);
    c.pixels.resize(std::size_t{width} * height);
    const std::size_t per_pixel = bits_per_pixel / 8;
    for (std::uint32_t y = 0; y < height; ++y)
        for (std::uint32_t x = 0; x < width; ++x) {
            const auto* p = reinterpret_cast<const unsigned char*>(bytes.data()) + start +
                            std::size_t{y} * bytes_per_line + x * per_pixel;
            std::uint32_t pixel = 0;
            for (std::size_t i = 0; i < per_pixel; ++i)
                pixel |= std::uint32_t{p[i]} << (byte_order == 0 ? 8 * i : 8 * (per_pixel - 1 - i));
            c.pixels[std::size_t{y} * width + x] = {component(pixel, red), component(pixel, green),
                                                    component(pixel, blue)};
        }
    c.ok = true;
    return c;
}

Capture capture_window(unsigned long id) {
    std::string bytes;
    if (run_command("xwd -silent -id " + std::to_string(id), &bytes) != 0) {
        Capture c;
        c.error = "xwd failed";
        return c;
    }
    return read_xwd(bytes);
}

bool window_exists(unsigned long id) {
    return run_command("xwininfo -id " + std::to_string(id) + " >/dev/null 2>&1") == 0;
}

}  // namespace gvx::testing
