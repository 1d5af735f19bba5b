// A hostile file system: existing files under every file mode, FIFOs, device nodes,
// directories, read-only directories, a full disk, and error files that cannot take
// the warnings. Only the file the user asked to replace may change, and only when the
// new plot is complete; nothing blocks.
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "tests/core/frame_fixture.h"

namespace gvx::testing {
namespace {

namespace fs = std::filesystem;

class FileFaults : public FrameTest {
  protected:
    FileFaults() {
        s().device_factory = make_output_device;  // real writers into real files
        s().files.open_sink = open_file_sink;
    }
    // One plot with a line on a format; returns what it printed.
    std::string plot(const char* format, const char* mode, const char* name = nullptr) {
        return output_of([&] {
            g_.metafl(format);
            g_.filmod(mode);
            if (name) g_.setfil(name);
            g_.gvxini();
            if (s().frame.level == 0) return;
            g_.pagera();
            g_.gvxfin();
        });
    }
    // Names in the working directory, temporary files included.
    std::vector<std::string> listing() {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_.path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    static bool has(const std::string& out, const std::string& text) {
        return out.find(text) != std::string::npos;
    }
};

const char* const kFormats[] = {"PNG",  "GIF", "BMP", "TIFF", "PPM",
                                "IMAG", "SVG", "IPE", "HPGL", "JAVA"};

TEST_F(FileFaults, ExistingFilesUnderEveryModeAndFormat) {
    for (const char* format : kFormats) {
        const std::string name = std::string("plot.") + format;
        touch(name, "old");
        // BREAK: refused, the old file untouched.
        std::string out = plot(format, "BREAK", name.c_str());
        EXPECT_TRUE(has(out, "Warning 169")) << format << out;
        EXPECT_EQ(read_file(name), "old");
        // COUNT and VERSION: a new name, the old file untouched.
        plot(format, "COUNT", name.c_str());
        plot(format, "VERSION", name.c_str());
        EXPECT_EQ(read_file(name), "old") << format;
        // DELETE: replaced by the complete new plot.
        out = plot(format, "DELETE", name.c_str());
        EXPECT_NE(read_file(name), "old") << format;
        EXPECT_FALSE(read_file(name).empty()) << format;
        EXPECT_TRUE(has(out, "Metafile: " + name)) << out;
    }
    for (const std::string& name : listing())
        EXPECT_NE(name.rfind(".gravox-", 0), 0u) << "temporary file left: " << name;
}

TEST_F(FileFaults, AFileThatAppearsWhileThePlotIsOpenIsKept) {
    // The name is found free at gvxini; another program writes a file of that name
    // before gvxfin. Only DELETE may replace it; a counted plot takes the next name.
    struct Case {
        const char* mode;
        const char* taken_by_plot;  // where the plot goes; null: nowhere
    };
    for (const Case c : {Case{"COUNT", "lines_1.svg"}, Case{"VERSION", "lines_1.svg"},
                         Case{"BREAK", nullptr}, Case{"DELETE", "lines.svg"}}) {
        SCOPED_TRACE(c.mode);
        for (const std::string& name : listing()) fs::remove(dir_.path() / name);
        const std::string out = output_of([&] {
            g_.metafl("SVG");
            g_.filmod(c.mode);
            g_.setfil("lines.svg");
            g_.gvxini();
            g_.pagera();
            touch("lines.svg", "intruder");
            g_.gvxfin();
        });
        const std::string taken = c.taken_by_plot ? c.taken_by_plot : "";
        if (taken == "lines.svg") {
            EXPECT_NE(read_file("lines.svg"), "intruder");
        } else {
            EXPECT_EQ(read_file("lines.svg"), "intruder");
        }
        if (c.taken_by_plot) {
            EXPECT_NE(read_file(c.taken_by_plot).find("<svg"), std::string::npos);
            EXPECT_TRUE(has(out, std::string("Metafile: ") + c.taken_by_plot)) << out;
            EXPECT_TRUE(has(out, "Warnings: 0 ")) << out;
        } else {
            EXPECT_TRUE(has(out, "Warning  36")) << out;
            EXPECT_FALSE(has(out, "Metafile: lines")) << out;
        }
        // No temporary file is left.
        EXPECT_EQ(listing().size(), taken.empty() || taken == "lines.svg" ? 1u : 2u);
    }
}

TEST_F(FileFaults, DeleteReplacesOnlyARegularFileThatAppearsWhileThePlotIsOpen) {
    // A FIFO, a directory or a link to either put under the name after gvxini: the plot
    // fails at gvxfin with warning 36 and leaves them as they were.
    const std::pair<const char*, std::function<void()>> intruders[] = {
        {"FIFO", [] { ASSERT_EQ(::mkfifo("lines.svg", 0644), 0); }},
        {"directory", [] { fs::create_directory("lines.svg"); }},
        {"link to a FIFO",
         [] {
             ASSERT_EQ(::mkfifo("pipe", 0644), 0);
             fs::create_symlink("pipe", "lines.svg");
         }},
    };
    for (const auto& [what, put] : intruders) {
        SCOPED_TRACE(what);
        for (const std::string& name : listing()) fs::remove_all(dir_.path() / name);
        const std::string out = output_of([&] {
            g_.metafl("SVG");
            g_.filmod("DELETE");
            g_.setfil("lines.svg");
            g_.gvxini();
            g_.pagera();
            put();
            g_.gvxfin();
        });
        const fs::file_status status = fs::symlink_status("lines.svg");
        EXPECT_EQ(status.type(), std::string(what) == "directory" ? fs::file_type::directory
                                 : std::string(what) == "FIFO"    ? fs::file_type::fifo
                                                                  : fs::file_type::symlink);
        EXPECT_TRUE(has(out, "Warning  36")) << out;
        EXPECT_FALSE(has(out, "Metafile: lines")) << out;
        for (const std::string& name : listing())
            EXPECT_NE(name.rfind(".gravox-", 0), 0u) << "temporary file left: " << name;
    }
    // A link to a regular file is replaced by the plot; the file it named is kept.
    for (const std::string& name : listing()) fs::remove_all(dir_.path() / name);
    touch("old.svg", "old");
    fs::create_symlink("old.svg", "link.svg");
    plot("SVG", "DELETE", "link.svg");
    EXPECT_EQ(fs::symlink_status("link.svg").type(), fs::file_type::regular);
    EXPECT_EQ(read_file("old.svg"), "old");
}

TEST_F(FileFaults, ARefusedCanvasLeavesTheOldFileAndNoEmptyOne) {
    touch("gravox.png", "old");
    for (const char* mode : {"DELETE", "COUNT"}) {
        const std::string out = output_of([&] {
            g_.metafl("PNG");
            g_.filmod(mode);
            g_.winsiz(40000, 10);
            g_.gvxini();
        });
        EXPECT_TRUE(has(out, "Warning  53")) << out;
        EXPECT_EQ(s().frame.level, 0);
        EXPECT_EQ(read_file("gravox.png"), "old") << mode;
        EXPECT_EQ(listing(), std::vector<std::string>{"gravox.png"}) << mode;
    }
}

TEST_F(FileFaults, DirectoriesFifosAndDevicesAreNeverReplacedOrOpened) {
    fs::create_directory("gravox.svg");
    std::string out = plot("SVG", "DELETE");
    EXPECT_TRUE(has(out, "Warning 168")) << out;
    EXPECT_TRUE(fs::is_directory("gravox.svg"));

    ASSERT_EQ(::mkfifo("fifo.svg", 0644), 0);
    out = plot("SVG", "DELETE", "fifo.svg");  // would block for ever if it were opened
    EXPECT_TRUE(has(out, "Warning 168")) << out;
    EXPECT_TRUE(fs::is_fifo("fifo.svg"));
    out = plot("SVG", "COUNT", "fifo.svg");  // counted past it
    EXPECT_TRUE(fs::is_fifo("fifo.svg"));
    EXPECT_TRUE(has(out, "Metafile: fifo_1.svg")) << out;

    // A device node: /dev/null itself is the one every machine has.
    struct stat before;
    ASSERT_EQ(::stat("/dev/null", &before), 0);
    out = plot("SVG", "DELETE", "/dev/null");
    EXPECT_TRUE(has(out, "Warning 168")) << out;
    struct stat after;
    ASSERT_EQ(::stat("/dev/null", &after), 0);
    EXPECT_TRUE(S_ISCHR(after.st_mode));
    EXPECT_EQ(after.st_ino, before.st_ino);

    // An error file that is a FIFO without a reader: warnings go to standard output.
    out = output_of([&] {
        g_.errdev("APPEND");
        g_.errfil("fifo.svg");
        g_.metafl("SVG");
        g_.filmod("DELETE");
        g_.setfil("ok.svg");
        g_.gvxini();
        g_.height(-1);
        g_.gvxfin();
    });
    EXPECT_TRUE(has(out, "Warning 303")) << out;
    EXPECT_TRUE(has(out, "Warning   2")) << out;
}

TEST_F(FileFaults, ErrorFileCanNeverBeThePlotFile) {
    touch("same.svg", "old");
    const std::string out = output_of([&] {
        g_.errdev("FILE");
        g_.errfil("same.svg");
        g_.metafl("SVG");
        g_.filmod("DELETE");
        g_.setfil("same.svg");
        g_.gvxini();
        g_.pagera();
        g_.height(-1);  // the first warning would open the error file
        g_.gvxfin();
    });
    EXPECT_TRUE(has(out, "Warning 303: Error file is the plot file")) << out;
    EXPECT_TRUE(has(out, "Warning   2")) << out;
    const std::string picture = read_file("same.svg");
    EXPECT_NE(picture.find("</svg>"), std::string::npos) << picture;
    EXPECT_EQ(picture.find("Warning"), std::string::npos);
}

TEST_F(FileFaults, AnErrorFileThatCannotBeWrittenFallsBackToStandardOutput) {
    const std::string out = output_of([&] {
        g_.errdev("APPEND");
        g_.errfil("/dev/full");
        g_.metafl("SVG");
        g_.gvxini();
        g_.height(-1);
        g_.height(-2);
        g_.gvxfin();
    });
    EXPECT_TRUE(has(out, "Warning 303: Error file cannot be written")) << out;
    EXPECT_TRUE(has(out, "(  -1)")) << out;
    EXPECT_TRUE(has(out, "(  -2)")) << out;
    EXPECT_FALSE(has(out, "Err-file: /dev/full")) << out;
    EXPECT_TRUE(has(out, "Metafile: gravox.svg")) << out;
}

TEST_F(FileFaults, AReadOnlyDirectoryRefusesThePlotAndKeepsItsFile) {
    fs::create_directory("ro");
    // Root writes into any directory whatever its mode: then a tmpfs mounted read-only.
    bool mounted = false;
    if (::geteuid() == 0) {
        if (::mount("tmpfs", "ro", "tmpfs", 0, "size=64k") != 0)
            GTEST_SKIP() << "running as root without mount rights: cannot make a read-only "
                            "directory";
        touch("ro/gravox.svg", "old");
        ASSERT_EQ(::mount(nullptr, "ro", nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
        mounted = true;
    } else {
        touch("ro/gravox.svg", "old");
        fs::permissions("ro", fs::perms::owner_read | fs::perms::owner_exec);
    }
    const std::string out = plot("SVG", "DELETE", "ro/gravox.svg");
    EXPECT_TRUE(has(out, "Warning  36")) << out;
    EXPECT_EQ(s().frame.level, 0);
    EXPECT_EQ(read_file("ro/gravox.svg"), "old");
    if (mounted)
        ::umount2("ro", MNT_DETACH);
    else
        fs::permissions("ro", fs::perms::owner_all);
}

// A full disk: a small tmpfs where this process may mount one, else skipped.
class FullDisk : public FileFaults {
  protected:
    void SetUp() override {
        fs::create_directory("full");
        if (::mount("tmpfs", "full", "tmpfs", 0, "size=16k") != 0)
            GTEST_SKIP() << "cannot mount a small tmpfs (needs root and mount rights)";
        mounted_ = true;
    }
    void TearDown() override {
        if (mounted_) ::umount2("full", MNT_DETACH);
    }
    // Writes to a file until the disk is full.
    static void fill(const char* name) {
        const int fd = ::open(name, O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        const std::string block(512, 'x');
        while (::write(fd, block.data(), block.size()) > 0) {
        }
        ::close(fd);
    }
    bool mounted_ = false;
};

TEST_F(FullDisk, AFailedPlotKeepsTheOldFileAndWarnsOnce) {
    for (const char* format : kFormats) {
        const std::string name = std::string("full/plot.") + format;
        touch(name, "old");
        fill("full/filler");
        const std::string out = output_of([&] {
            g_.metafl(format);
            g_.filmod("DELETE");
            g_.setfil(name.c_str());
            g_.gvxini();
            if (s().frame.level == 0) return;
            g_.pagera();
            g_.gvxfin();
        });
        fs::remove("full/filler");
        std::size_t warnings = 0;
        for (std::size_t at = out.find("Warning  36"); at != std::string::npos;
             at = out.find("Warning  36", at + 1))
            ++warnings;
        EXPECT_EQ(warnings, 1u) << format << out;
        EXPECT_FALSE(has(out, "Metafile: " + name)) << format << out;
        EXPECT_EQ(read_file(name), "old") << format;
        for (const auto& entry : fs::directory_iterator("full"))
            EXPECT_EQ(entry.path().filename().string(), std::string("plot.") + format);
        fs::remove(name);
    }
}

}  // namespace
}  // namespace gvx::testing
