// The library object: owns the state record for its whole life.
#include "gravox/gravox.h"

#include <cstdlib>
#include <new>

#include "gravox/core/state.h"

Gravox::Gravox() {
    // The state record and its sub-records are allocated together; any of them failing
    // is the same shortage.
    try {
        state_.reset(new gvx::PlotState());
    } catch (const std::bad_alloc&) {
    }
    if (!state_) {
        std::printf("Not enough memory for global varaibles!\n");
        std::exit(1);
    }
}

Gravox::~Gravox() = default;

bool Gravox::refused(const char* name, int lowest, int highest) {
    return gvx::check_level(*state_, lowest, highest, name) != 0;
}
