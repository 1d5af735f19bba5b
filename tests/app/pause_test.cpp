// The closing pause: silent and immediate without a terminal, one key at a terminal.
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <sstream>
#include <thread>

#include "app/pause.h"

namespace cosmology {
namespace {

// A file descriptor closed when it goes out of scope.
class Fd {
  public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

// Points standard input at another descriptor for the lifetime of the object.
class RedirectedStdin {
  public:
    explicit RedirectedStdin(int fd) : saved_(dup(STDIN_FILENO)) { dup2(fd, STDIN_FILENO); }
    ~RedirectedStdin() {
        if (saved_.get() >= 0) dup2(saved_.get(), STDIN_FILENO);
    }

  private:
    Fd saved_;
};

TEST(Pause, ReturnsAtOnceWithoutATerminal) {
    const Fd null_fd(open("/dev/null", O_RDONLY));
    ASSERT_GE(null_fd.get(), 0);
    std::ostringstream out;
    EXPECT_FALSE(pause_for_key(null_fd.get(), out));
    EXPECT_TRUE(out.str().empty());

    int pipe_fds[2];
    ASSERT_EQ(pipe(pipe_fds), 0);
    const Fd read_end(pipe_fds[0]), write_end(pipe_fds[1]);
    EXPECT_FALSE(pause_for_key(read_end.get(), out));
    EXPECT_FALSE(pause_for_key(-1, out));
    EXPECT_TRUE(out.str().empty());
}

TEST(Pause, StandardInputFromDevNullDoesNotWait) {
    const Fd null_fd(open("/dev/null", O_RDONLY));
    ASSERT_GE(null_fd.get(), 0);
    const RedirectedStdin redirect(null_fd.get());
    ::testing::internal::CaptureStdout();
    const auto start = std::chrono::steady_clock::now();
    const bool waited = pause_for_key();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_FALSE(waited);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    EXPECT_LT(elapsed, std::chrono::seconds(5));
}

TEST(Pause, AtATerminalTakesOneKeyAndRestoresTheTerminal) {
    int master_fd = -1, slave_fd = -1;
    if (openpty(&master_fd, &slave_fd, nullptr, nullptr, nullptr) != 0)
        GTEST_SKIP() << "no pseudo-terminal available";
    const Fd master(master_fd), slave(slave_fd);
    termios before{};
    ASSERT_EQ(tcgetattr(slave.get(), &before), 0);
    ASSERT_TRUE(before.c_lflag & ICANON);

    // Types one key (no Enter) once the pause has switched line editing off; gives up
    // waiting after a few seconds and types anyway, so the test cannot hang.
    std::atomic<bool> saw_single_key_mode{false};
    std::thread typist([&] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        termios now{};
        while (std::chrono::steady_clock::now() < deadline) {
            if (tcgetattr(slave.get(), &now) == 0 && !(now.c_lflag & ICANON)) {
                saw_single_key_mode = !(now.c_lflag & ECHO);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        const char key = 'x';
        (void)!write(master.get(), &key, 1);
    });
    std::ostringstream out;
    const bool waited = pause_for_key(slave.get(), out);
    typist.join();

    EXPECT_TRUE(waited);
    EXPECT_TRUE(saw_single_key_mode);
    EXPECT_EQ(out.str(), "Press any key to continue . . . \n");
    termios after{};
    ASSERT_EQ(tcgetattr(slave.get(), &after), 0);
    EXPECT_EQ(after.c_lflag, before.c_lflag);
    EXPECT_EQ(after.c_cc[VMIN], before.c_cc[VMIN]);
    EXPECT_EQ(after.c_cc[VTIME], before.c_cc[VTIME]);
}

}  // namespace
}  // namespace cosmology
