// Internal access to a library object's state record, for the library's tools, its
// tests and its benchmarks. Applications include gravox/gravox.h only; the routines
// of the library themselves are members of Gravox and use its state record directly.
#pragma once

#include "gravox/core/state.h"
#include "gravox/gravox.h"

namespace gvx {

struct InternalAccess {
    static PlotState& state(Gravox& g) { return *g.state_; }
};

// The state record of a library object.
inline PlotState& state_of(Gravox& g) {
    return InternalAccess::state(g);
}

}  // namespace gvx
