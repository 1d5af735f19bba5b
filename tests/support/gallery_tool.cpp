#include "tests/support/gallery_tool.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "tests/support/programs.h"
#include "tests/support/temp_dir.h"

namespace gvx::testing {

std::string sheet_tool(const std::string& name) {
    return std::string(GRAVOX_BINARY_DIR) + "/" + name;
}

bool run_quietly(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

std::string svg_check_unavailable(const std::string& tool_name) {
    if (!std::filesystem::exists(sheet_tool(tool_name)))
        return "the tool " + tool_name + " is not built";
    if (!tool_available("xmllint")) return "xmllint (libxml2-utils) is not installed";
    return "";
}

void expect_svg_pictures_parse(const std::string& tool_name, std::span<const char* const> names) {
    TempDir dir;
    ASSERT_TRUE(run_quietly(sheet_tool(tool_name) + " '" + dir.path().string() + "' SVG"));
    for (const char* name : names) {
        const std::string file = dir.file(std::string(name) + ".svg");
        ASSERT_TRUE(std::filesystem::exists(file)) << file;
        EXPECT_TRUE(run_quietly("xmllint --noout --nonet '" + file + "'")) << file;
    }
}

}  // namespace gvx::testing
