// libFuzzer entry points: every input runs in one scratch directory of its own.
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/fuzz/fuzz_calls.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    namespace fs = std::filesystem;
    std::string pattern = (fs::temp_directory_path() / "gravox-fuzz-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    fs::current_path(pattern);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    gvx::fuzz::run_input(data, size);
    return 0;
}
