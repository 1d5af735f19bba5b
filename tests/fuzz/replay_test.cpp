// Replays the fuzz target's seed corpus and every input that ever crashed it (in
// tests/fuzz/crashes/, one file per finding): each runs to its end, and the scratch
// directory keeps no temporary file. The sanitizer build checks them for undefined
// behaviour.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/fuzz/fuzz_calls.h"
#include "tests/support/temp_dir.h"

namespace gvx::testing {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> inputs_in(const char* folder) {
    std::vector<fs::path> files;
    const fs::path dir = fs::path(GRAVOX_SOURCE_DIR) / "tests" / "fuzz" / folder;
    for (const auto& entry : fs::directory_iterator(dir))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

void replay(const char* folder) {
    const std::vector<fs::path> files = inputs_in(folder);
    ASSERT_FALSE(files.empty()) << "no inputs in " << folder;
    TempDir dir;
    WorkingDir cwd(dir.path());
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                      std::istreambuf_iterator<char>());
        ::testing::internal::CaptureStdout();
        fuzz::run_input(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        ::testing::internal::GetCapturedStdout();
        for (const auto& entry : fs::recursive_directory_iterator(dir.path()))
            EXPECT_NE(entry.path().filename().string().rfind(".gravox-", 0), 0u)
                << file.filename() << " left " << entry.path();
    }
}

TEST(FuzzReplay, EveryInputThatEverCrashedRunsCleanly) {
    replay("crashes");
}

TEST(FuzzReplay, SeedCorpusRunsCleanly) {
    replay("corpus");
}

TEST(FuzzTable, EveryPublicRoutineIsInTheTable) {
    // The routines declared in the public header, each of which the table must call.
    std::ifstream header(fs::path(GRAVOX_SOURCE_DIR) / "gravox" / "gravox.h");
    std::string text((std::istreambuf_iterator<char>(header)), std::istreambuf_iterator<char>());
    text = text.substr(0, text.find("// Internal access"));
    std::vector<std::string> declared;
    for (std::size_t at = text.find("    void "); at != std::string::npos;
         at = text.find("    void ", at + 1)) {
        const std::size_t start = at + 9, open = text.find('(', start);
        declared.push_back(text.substr(start, open - start));
    }
    EXPECT_GT(declared.size(), 100u);
    for (const std::string& name : declared) {
        bool found = false;
        for (std::size_t i = 0; i < fuzz::kRoutineCount; ++i)
            found |= name == fuzz::kRoutines[i].name;
        EXPECT_TRUE(found) << name << " is missing from kRoutines in tests/fuzz/fuzz_calls.cpp";
    }
}

}  // namespace
}  // namespace gvx::testing
