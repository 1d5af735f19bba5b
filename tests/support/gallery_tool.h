// The sheet tools of tools/ that draw the gallery pictures, as the gallery tests run them.
#pragma once

#include <span>
#include <string>

namespace gvx::testing {

// Where the build puts the sheet tool of that name.
std::string sheet_tool(const std::string& name);

// Runs a shell command with its output discarded; true when it exits with 0.
bool run_quietly(const std::string& command);

// Why the SVG pictures of the tool cannot be checked here (the tool is not built, or
// xmllint is missing), or "" when they can.
std::string svg_check_unavailable(const std::string& tool_name);

// Runs the tool into a temporary folder in the SVG format and expects every named
// picture to be written and to parse.
void expect_svg_pictures_parse(const std::string& tool_name, std::span<const char* const> names);

}  // namespace gvx::testing
