// Per-plot reset of a subsystem's record that keeps its work buffers.
#pragma once

#include <utility>

namespace gvx {

// Sets record back to its defaults except its member work (buffers whose memory is
// kept for the next plot).
template <class Record, class Work>
void reset_keeping_work(Record& record, Work Record::*work) {
    Work kept = std::move(record.*work);
    record = Record{};
    record.*work = std::move(kept);
}

}  // namespace gvx
