// The built program end to end: no input, the report on standard output, exit 0.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "tests/app/expected_report.h"
#include "tests/support/temp_dir.h"

namespace cosmology {
namespace {

struct ProgramResult {
    std::string out;
    int status = -1;
};

// Runs the program in dir with standard input from /dev/null and collects its
// standard output.
ProgramResult run_program(const std::string& program, const std::filesystem::path& dir) {
    ProgramResult result;
    int pipe_fds[2];
    if (pipe(pipe_fds) != 0) return result;
    const pid_t child = fork();
    if (child < 0) {
        close(pipe_fds[0]);
        close(pipe_fds[1]);
        return result;
    }
    if (child == 0) {
        const int null_fd = open("/dev/null", O_RDONLY);
        if (null_fd < 0 || dup2(null_fd, STDIN_FILENO) < 0) _exit(126);
        if (dup2(pipe_fds[1], STDOUT_FILENO) < 0) _exit(126);
        close(pipe_fds[0]);
        close(pipe_fds[1]);
        if (chdir(dir.c_str()) != 0) _exit(126);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipe_fds[1]);
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(pipe_fds[0], buffer, sizeof buffer);
        if (n > 0) {
            result.out.append(buffer, static_cast<std::size_t>(n));
        } else if (n == 0 || errno != EINTR) {
            break;
        }
    }
    close(pipe_fds[0]);
    while (waitpid(child, &result.status, 0) < 0 && errno == EINTR) {
    }
    return result;
}

TEST(CosmologyProgram, PrintsTheReportAndEndsWithoutWaiting) {
    const std::string program = GRAVOX_BINARY_DIR "/cosmology";
    ASSERT_TRUE(std::filesystem::exists(program))
        << program << " is missing: build the cosmology target first";
    const gvx::testing::TempDir dir;
    const ProgramResult result = run_program(program, dir.path());
    ASSERT_TRUE(WIFEXITED(result.status)) << "status " << result.status;
    EXPECT_EQ(WEXITSTATUS(result.status), 0);

    const auto actual = testing::split_lines(result.out);
    const auto expected = testing::split_lines(testing::expected_report());
    ASSERT_EQ(actual.size(), expected.size()) << result.out;
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(actual[i], expected[i]) << "line " << i + 1;
    EXPECT_EQ(result.out, testing::expected_report());
}

}  // namespace
}  // namespace cosmology
