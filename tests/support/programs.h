// Outside programs that read our files back: whether one is installed, and running one.
#pragma once

#include <string>

// javac for a short batch of sources: its virtual machine only starts and compiles
// once, so its quickest just-in-time tier, the serial collector, no annotation
// processing and no debugging tables halve its time without changing what it accepts.
// Options and file names follow.
#define GRAVOX_QUICK_JAVAC \
    "javac -J-XX:TieredStopAtLevel=1 -J-XX:+UseSerialGC -proc:none -g:none -nowarn"

namespace gvx::testing {

// True when the shell finds the program.
bool tool_available(const std::string& name);

// Runs a shell command and returns its standard output (standard error joined when
// asked); status receives the exit status (-1 when the command could not be started).
std::string run_program(const std::string& command, int* status = nullptr,
                        bool with_errors = false);

}  // namespace gvx::testing
