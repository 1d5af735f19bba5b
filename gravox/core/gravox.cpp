// The library object: owns the state record for its whole life.
#include "gravox/gravox.h"

#include <cstdlib>
#include <new>

#include "gravox/core/state.h"

Gravox::Gravox() : state_(new (std::nothrow) gvx::PlotState()) {
    if (!state_) {
        std::printf("Not enough memory for global varaibles!\n");
        std::exit(1);
    }
}

Gravox::~Gravox() = default;

bool Gravox::refused(const char* name, int lowest, int highest) {
    return gvx::check_level(*state_, lowest, highest, name) != 0;
}
