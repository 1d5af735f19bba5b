#include "app/pause.h"

#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <iostream>
#include <ostream>

namespace cosmology {

namespace {

// Puts a terminal into single-key mode (no line editing, no echo, one byte per read)
// and restores the saved settings when it goes out of scope.
class SingleKeyMode {
  public:
    SingleKeyMode(int fd, const termios& saved) : fd_(fd), saved_(saved) {
        termios raw = saved;
        raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
        raw.c_cc[VMIN] = 1;
        raw.c_cc[VTIME] = 0;
        active_ = tcsetattr(fd_, TCSANOW, &raw) == 0;
    }
    ~SingleKeyMode() {
        if (active_) tcsetattr(fd_, TCSANOW, &saved_);
    }
    SingleKeyMode(const SingleKeyMode&) = delete;
    SingleKeyMode& operator=(const SingleKeyMode&) = delete;

  private:
    int fd_;
    termios saved_;
    bool active_ = false;
};

}  // namespace

bool pause_for_key(int in_fd, std::ostream& out) {
    if (in_fd < 0 || !isatty(in_fd)) return false;
    termios saved{};
    if (tcgetattr(in_fd, &saved) != 0) return false;

    out << kPausePrompt << std::flush;
    {
        const SingleKeyMode mode(in_fd, saved);
        unsigned char key = 0;
        // One byte is enough: any key ends the pause, and an end of input (a closed
        // terminal) ends it too.
        while (read(in_fd, &key, 1) < 0 && errno == EINTR) {
        }
    }
    out << std::endl;
    return true;
}

bool pause_for_key() {
    return pause_for_key(STDIN_FILENO, std::cout);
}

}  // namespace cosmology
