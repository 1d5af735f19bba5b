// What the gallery sheet tools share: their command line, "tool [folder [format]]", and
// the settings every gallery picture starts from.
#pragma once

#include <cctype>
#include <string>

#include "gravox/gravox.h"

struct SheetOutput {
    std::string folder;  // ends in "/", or empty for the working directory
    std::string format;  // a metafl keyword; "PNG" when none is given
    std::string ext;     // the format in lower case, the file names' extension
};

// Reads the command line and sets up g: the format, files replaced, a white page.
inline SheetOutput start_sheet(Gravox& g, int argc, char** argv) {
    SheetOutput out;
    out.folder = argc > 1 ? std::string(argv[1]) + "/" : std::string();
    out.format = argc > 2 ? argv[2] : "PNG";
    out.ext = out.format;
    for (char& c : out.ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    g.metafl(out.format.c_str());
    g.filmod("DELETE");
    g.scrmod("REVERS");
    return out;
}
