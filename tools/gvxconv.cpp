// gvxconv: converts a Gravox metafile (GKSL, "gravox.met") into another output format.
//
//   gvxconv FILE FORMAT [-o NAME]
//
// FORMAT is a keyword of metafl (PNG, SVG, HPGL, CGM, WMF, ...). Without -o the plot
// file takes the name of FILE with the extension of FORMAT. A damaged or truncated
// metafile is reported with the record of its first fault, and the exit status is 1.
#include <cstdio>
#include <cstring>
#include <string>

#include "gravox/formats/metafile.h"

int main(int argc, char** argv) {
    const char* input = nullptr;
    const char* format = nullptr;
    const char* output = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-o") == 0 && i + 1 < argc) {
            output = argv[++i];
        } else if (!input) {
            input = argv[i];
        } else if (!format) {
            format = argv[i];
        } else {
            input = nullptr;
            break;
        }
    }
    if (!input || !format) {
        std::fprintf(stderr, "usage: gvxconv FILE FORMAT [-o NAME]\n");
        return 2;
    }
    std::string error;
    if (gvx::convert_metafile(input, format, output, error) != 0) {
        std::fprintf(stderr, "gvxconv: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
