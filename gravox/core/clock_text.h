// The clock as the library writes it: into the headers of its files and into the
// closing protocol. Every field keeps its width whatever the clock returns.
#pragma once

#include <ctime>

#include "gravox/core/text_out.h"

namespace gvx {

// Local date as dd.mm.yyyy and time as hh:mm:ss, each with its terminator.
struct DateText {
    char date[16];
    char time[16];
};
DateText date_text(const std::tm& when);

// The document time stamp "D:yyyymmddhhmmss".
void write_date_stamp(TextOut& out, const std::tm& when);

}  // namespace gvx
