// Public routines of the page-description devices: new pages and the PDF options.
#include <climits>
#include <cstring>

#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"
#include "gravox/devices/primitives.h"
#include "gravox/formats/formats.h"
#include "gravox/gravox.h"

using namespace gvx;

void Gravox::newpag() {
    if (refused("newpag", 1, 3)) return;
    PlotState& s = *state_;
    flush_polyline(s);
    auto* pages = dynamic_cast<PageDevice*>(s.device.get());
    if (!pages || !pages->new_page()) {
        warn(s, warning::no_new_page);
    }
}

void Gravox::pdfmod(const char* mode, const char* key) {
    if (refused("pdfmod", 0, 0)) return;
    PlotState& s = *state_;
    const int on = match_keyword(s, "ON  +OFF ", 2, mode);
    if (on == 0) return;
    const int which = match_keyword(s, "COMP+BUFF", 2, key);
    if (which == 0) return;
    if (which == 1)
        s.formats->pdf_compression = on == 1;
    else
        s.files.in_memory = on == 1;
}

int Gravox::pdfbuf(char* buffer, int size) {
    if (refused("pdfbuf", 0, 3)) return 0;
    PlotState& s = *state_;
    if (size < 0 || (size > 0 && !buffer)) {
        warn_int(s, warning::incorrect_parameter, size);
        return 0;
    }
    const std::string& document = s.formats->pdf_document;
    if (document.size() > static_cast<std::size_t>(INT_MAX)) {
        // A count that an int cannot hold cannot be copied out either.
        warn_int(s, warning::pdf_buffer_small, size);
        return 0;
    }
    const int count = static_cast<int>(document.size());
    if (size == 0) return count;
    if (size < count) {
        warn_int(s, warning::pdf_buffer_small, size);
        return 0;
    }
    std::memcpy(buffer, document.data(), document.size());
    return count;
}
