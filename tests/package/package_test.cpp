// The installed library as its users meet it: `cmake --install` into a temporary
// prefix, then the public header compiled alone, a program built against the
// installation with find_package and with pkg-config, and, in a shared build, the
// library's name and exported symbols.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>
#include <sstream>
#include <string>

#include "tests/support/png_decode.h"
#include "tests/support/temp_dir.h"

namespace gvx::testing {
namespace {

namespace fs = std::filesystem;

// Runs a shell command with its output in a log; the exit status, the log in *log.
int run(const std::string& command, std::string* log = nullptr) {
    static int serial = 0;
    const fs::path log_file =
        fs::temp_directory_path() /
        ("gravox-package-" + std::to_string(::getpid()) + "-" + std::to_string(++serial) + ".log");
    const int status = std::system((command + " > '" + log_file.string() + "' 2>&1").c_str());
    if (log) *log = read_file(log_file.string());
    fs::remove(log_file);
    return status;
}

bool tool_available(const char* name) {
    return run(std::string("command -v ") + name) == 0;
}

std::string shell_quoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

class InstalledPackage : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        prefix_ = new TempDir();
        install_status_ =
            run(std::string(GRAVOX_CMAKE_COMMAND) + " --install " +
                    shell_quoted(GRAVOX_BINARY_DIR) + " --prefix " + shell_quoted(prefix_->path()),
                &install_log_);
    }
    static void TearDownTestSuite() {
        delete prefix_;
        prefix_ = nullptr;
    }
    void SetUp() override { ASSERT_EQ(install_status_, 0) << install_log_; }

    static const fs::path& prefix() { return prefix_->path(); }
    // Installed files, relative to the prefix.
    static std::set<std::string> installed_files() {
        std::set<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(prefix()))
            if (!entry.is_directory()) files.insert(fs::relative(entry.path(), prefix()).string());
        return files;
    }
    // The installed file whose name is given, searched below the prefix.
    static fs::path find_installed(const std::string& name) {
        for (const auto& entry : fs::recursive_directory_iterator(prefix()))
            if (entry.path().filename() == name) return entry.path();
        return {};
    }
    static fs::path shared_library() {
        for (const auto& entry : fs::recursive_directory_iterator(prefix()))
            if (entry.is_regular_file() && !entry.is_symlink() &&
                entry.path().filename().string().rfind("libgravox.so.", 0) == 0)
                return entry.path();
        return {};
    }
    // Runs the line plot example built as `program` in a fresh folder and checks its
    // picture with the independent PNG decoder.
    static void expect_line_plot(const fs::path& program, const std::string& environment) {
        TempDir run_dir;
        std::string log;
        ASSERT_EQ(run("cd " + shell_quoted(run_dir.path()) + " && " + environment + " " +
                          shell_quoted(program),
                      &log),
                  0)
            << log;
        EXPECT_NE(log.find("Warnings: 0"), std::string::npos) << log;
        const DecodedPng png = decode_png(read_file(run_dir.file("line_plot.png")));
        ASSERT_TRUE(png.ok) << png.error;
        EXPECT_EQ(png.width, 853u);
        EXPECT_EQ(png.height, 603u);
    }

    static TempDir* prefix_;
    static int install_status_;
    static std::string install_log_;
};

TempDir* InstalledPackage::prefix_ = nullptr;
int InstalledPackage::install_status_ = -1;
std::string InstalledPackage::install_log_;

TEST_F(InstalledPackage, InstallsThePublicHeadersTheLibraryAndThePackageFiles) {
    const std::set<std::string> files = installed_files();
    std::set<std::string> headers;
    bool library = false;
    for (const std::string& file : files) {
        if (file.rfind("include/", 0) == 0) headers.insert(file);
        const std::string name = fs::path(file).filename().string();
        if (name == "libgravox.a" || name.rfind("libgravox.so", 0) == 0) library = true;
        // Only the tools a user runs go to bin: no tests, examples or generators.
        if (file.rfind("bin/", 0) == 0) {
            EXPECT_EQ(name, "gvxconv") << file;
        }
    }
    // The public header and what it includes, and no internal header.
    EXPECT_EQ(headers, (std::set<std::string>{"include/gravox/gravox.h",
                                              "include/gravox/curves/legend_buffer.h"}));
    EXPECT_TRUE(library);
    EXPECT_FALSE(find_installed("GravoxConfig.cmake").empty());
    EXPECT_FALSE(find_installed("GravoxConfigVersion.cmake").empty());
    EXPECT_FALSE(find_installed("GravoxTargets.cmake").empty());
    EXPECT_FALSE(find_installed("gravox.pc").empty());
}

TEST_F(InstalledPackage, PublicHeaderCompilesAloneInCpp17AndCpp20) {
    TempDir dir;
    const std::string source = dir.file("alone.cpp");
    {
        std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(source.c_str(), "w"),
                                                          std::fclose);
        ASSERT_TRUE(f);
        std::fputs("#include <gravox/gravox.h>\nvoid plot(Gravox& g) { g.gvxfin(); }\n", f.get());
    }
    for (const char* standard : {"-std=c++17", "-std=c++20"}) {
        std::string log;
        EXPECT_EQ(run(std::string(GRAVOX_CXX_COMPILER) + " " + standard +
                          " -Wall -Wextra -pedantic -Werror -fsyntax-only -I " +
                          shell_quoted(prefix() / "include") + " " + shell_quoted(source),
                      &log),
                  0)
            << standard << "\n"
            << log;
    }
}

TEST_F(InstalledPackage, FindPackageBuildsTheExamplesAgainstTheInstallation) {
    TempDir build;
    std::string log;
    // The examples' own project, configured outside the tree, finds the package.
    ASSERT_EQ(
        run(std::string(GRAVOX_CMAKE_COMMAND) + " -S " +
                shell_quoted(fs::path(GRAVOX_SOURCE_DIR) / "examples") + " -B " +
                shell_quoted(build.path()) + " -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=" +
                shell_quoted(GRAVOX_CXX_COMPILER) +
                " -DCMAKE_PREFIX_PATH=" + shell_quoted(prefix()),
            &log),
        0)
        << log;
    // The package found is the one installed, not this build tree.
    const std::string cache = read_file(build.file("CMakeCache.txt"));
    EXPECT_NE(cache.find("Gravox_DIR:PATH=" + prefix().string()), std::string::npos) << cache;
    ASSERT_EQ(run(std::string(GRAVOX_CMAKE_COMMAND) + " --build " + shell_quoted(build.path()) +
                      " --target line_plot",
                  &log),
              0)
        << log;
    expect_line_plot(build.path() / "line_plot", "");
}

TEST_F(InstalledPackage, PkgConfigGivesTheFlagsToBuildAndLink) {
    if (!tool_available("pkg-config")) GTEST_SKIP() << "pkg-config is not installed";
    const fs::path pc = find_installed("gravox.pc");
    ASSERT_FALSE(pc.empty());
    const std::string env = "PKG_CONFIG_PATH=" + shell_quoted(pc.parent_path());
    std::string version;
    ASSERT_EQ(run(env + " pkg-config --modversion gravox", &version), 0) << version;
    EXPECT_EQ(version, GRAVOX_PACKAGE_VERSION "\n");
    TempDir build;
    const fs::path program = build.path() / "consumer";
    std::string log;
    ASSERT_EQ(
        run(std::string(GRAVOX_CXX_COMPILER) + " -std=c++17 -o " + shell_quoted(program) + " " +
                shell_quoted(fs::path(GRAVOX_SOURCE_DIR) / "examples" / "line_plot.cpp") + " $(" +
                env + " pkg-config --cflags --libs gravox)",
            &log),
        0)
        << log;
    // A shared library is found where pkg-config says it is.
    std::string libdir;
    ASSERT_EQ(run(env + " pkg-config --variable=libdir gravox", &libdir), 0);
    libdir.erase(libdir.find_last_not_of('\n') + 1);
    expect_line_plot(program, "LD_LIBRARY_PATH=" + shell_quoted(libdir));
}

TEST_F(InstalledPackage, SharedLibraryHasAVersionedNameAndExportsOnlyClassGravox) {
    const fs::path library = shared_library();
    if (library.empty())
        GTEST_SKIP() << "static build: configure with -DBUILD_SHARED_LIBS=ON to check the "
                        "shared library";
    if (!tool_available("readelf") || !tool_available("nm"))
        GTEST_SKIP() << "readelf and nm (binutils) are not installed";
    std::string dynamic;
    ASSERT_EQ(run("readelf -d " + shell_quoted(library), &dynamic), 0) << dynamic;
    EXPECT_NE(dynamic.find("Library soname: [libgravox.so." GRAVOX_SONAME_MAJOR "]"),
              std::string::npos)
        << dynamic;
    std::string symbols;
    ASSERT_EQ(run("nm -D -C --defined-only " + shell_quoted(library), &symbols), 0) << symbols;
    std::istringstream lines(symbols);
    std::string line;
    int exported = 0;
    while (std::getline(lines, line)) {
        // "address type name"; the name may contain blanks.
        const std::size_t name_at = line.find(' ', line.find(' ') + 1);
        ASSERT_NE(name_at, std::string::npos) << line;
        const std::string name = line.substr(name_at + 1);
        EXPECT_EQ(name.rfind("Gravox::", 0), 0u) << name;
        ++exported;
    }
    EXPECT_GT(exported, 100);  // the public routines
}

}  // namespace
}  // namespace gvx::testing
