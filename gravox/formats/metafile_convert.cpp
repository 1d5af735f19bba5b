// Conversion of a GKSL metafile into another output format (the work of gvxconv).
#include <fstream>
#include <iterator>

#include "gravox/core/state.h"
#include "gravox/formats/metafile.h"

#include "gravox/core/internal.h"
#include "gravox/gravox.h"

namespace gvx {

int convert_metafile(const char* input, const char* format, const char* output,
                     std::string& error) {
    if (!input || !format) {
        error = "no input file or no format";
        return 1;
    }
    std::ifstream in(input, std::ios::binary);
    if (!in) {
        error = std::string(input) + ": cannot be opened";
        return 1;
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        error = std::string(input) + ": cannot be read";
        return 1;
    }
    Metafile m;
    std::string fault;
    if (!read_metafile(bytes, m, fault)) {
        error = std::string(input) + ": damaged metafile: " + fault;
        return 1;
    }

    char reduced[5];
    reduce_keyword(format, reduced);
    const int code = output_code_of_keyword(reduced);
    if (code == 0) {
        error = std::string("unknown output format \"") + format + "\"";
        return 1;
    }
    std::string name;
    if (output && *output) {
        name = output;
    } else {
        // The input's name with the extension of the format in place of its own.
        name = input;
        const std::size_t slash = name.find_last_of("/\\");
        const std::size_t dot = name.rfind('.');
        if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
            name.erase(dot);
        name += std::string(".") + output_extension(code);
    }

    Gravox g;
    PlotState& s = state_of(g);
    g.metafl(format);
    g.setfil(name.c_str());
    apply_metafile_page(g, m.page);
    g.gvxini();
    if (s.frame.level == 0) {
        error = std::string("the format \"") + format + "\" cannot be written to " + name;
        return 1;
    }
    replay_metafile(g, m);
    g.gvxfin();
    return 0;
}

}  // namespace gvx
