// The program's closing pause: "Press any key to continue . . . " and one key press,
// but only for a person at a terminal. Scripts and CI, whose standard input is a file,
// a pipe or nothing, go on at once.
#pragma once

#include <iosfwd>

namespace cosmology {

inline constexpr const char* kPausePrompt = "Press any key to continue . . . ";

// When in_fd is a terminal: prints the prompt to out, reads one key without waiting
// for Enter and without echo (the terminal's settings are restored afterwards),
// ends the prompt line and returns true. Otherwise prints nothing and returns false.
bool pause_for_key(int in_fd, std::ostream& out);
// The same for standard input and standard output.
bool pause_for_key();

}  // namespace cosmology
