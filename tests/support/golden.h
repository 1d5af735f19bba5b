// Golden files: the committed bytes that a writer must produce exactly.
#pragma once

#include <string>

namespace gvx::testing {

// Compares bytes with tests/<folder>/golden/<name> and names the first byte that
// differs. With the environment variable GRAVOX_UPDATE_GOLDEN set the file is written
// instead (look at it before committing it).
void expect_golden_bytes(const std::string& bytes, const std::string& folder,
                         const std::string& name);

}  // namespace gvx::testing
