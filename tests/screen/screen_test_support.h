// Helpers of the screen tests: a private X server (Xvfb) for one test program, the
// display variable, commands of the X utilities, and window captures read from xwd's
// dump format.
#pragma once

#include <sys/types.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace gvx::testing {

using Rgb = std::array<std::uint8_t, 3>;

// Whether a program is on the PATH.
bool have_program(const char* name);

// Runs a shell command; its exit status, and its standard output in out.
int run_command(const std::string& command, std::string* out = nullptr);

// Sets DISPLAY (or unsets it for null) for the lifetime of the object.
class DisplayVariable {
  public:
    explicit DisplayVariable(const char* value);
    ~DisplayVariable();
    DisplayVariable(const DisplayVariable&) = delete;
    DisplayVariable& operator=(const DisplayVariable&) = delete;

  private:
    bool had_ = false;
    std::string previous_;
};

// An Xvfb server on a display number it chooses itself, with one 1280 x 1024 screen
// of 24 bits; stopped by the destructor.
class VirtualServer {
  public:
    VirtualServer();
    ~VirtualServer();
    VirtualServer(const VirtualServer&) = delete;
    VirtualServer& operator=(const VirtualServer&) = delete;

    bool running() const { return pid_ > 0 && !display_.empty(); }
    const std::string& display() const { return display_; }
    const std::string& error() const { return error_; }

  private:
    pid_t pid_ = -1;
    std::string display_;  // ":N"
    std::string error_;
};

// A picture of a window taken with xwd, as colours.
struct Capture {
    bool ok = false;
    std::string error;
    int width = 0, height = 0;
    std::vector<Rgb> pixels;  // row after row
    Rgb at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Reads a window dump of xwd (a header of big-endian 32-bit fields, the window name,
// the colour entries, then the image in the server's pixel format).
Capture read_xwd(const std::string& bytes);

// Captures a window of the current display with xwd.
Capture capture_window(unsigned long id);

// Whether the window exists on the current display (xwininfo).
bool window_exists(unsigned long id);

}  // namespace gvx::testing
