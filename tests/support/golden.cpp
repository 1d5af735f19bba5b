#include "tests/support/golden.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace gvx::testing {

void expect_golden_bytes(const std::string& bytes, const std::string& folder,
                         const std::string& name) {
    const std::filesystem::path path =
        std::filesystem::path(GRAVOX_SOURCE_DIR) / "tests" / folder / "golden" / name;
    if (std::getenv("GRAVOX_UPDATE_GOLDEN")) {
        std::ofstream out(path, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        ASSERT_TRUE(out.good()) << "cannot write " << path;
        return;
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << "missing golden file " << path;
    std::ostringstream content;
    content << in.rdbuf();
    const std::string golden = content.str();
    const std::size_t common = std::min(bytes.size(), golden.size());
    for (std::size_t i = 0; i < common; ++i)
        ASSERT_EQ(static_cast<int>(static_cast<std::uint8_t>(bytes[i])),
                  static_cast<int>(static_cast<std::uint8_t>(golden[i])))
            << name << " differs from " << path << " at byte " << i;
    ASSERT_EQ(bytes.size(), golden.size()) << name << " differs in length from " << path;
}

}  // namespace gvx::testing
