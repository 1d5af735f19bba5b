// afmgen: builds the metric tables of the 35 standard PostScript fonts.
//
// Usage: afmgen AFM_DIR OUTPUT_FILE
//
// AFM_DIR holds the font metric files of the metric-compatible URW fonts (Debian
// package fonts-urw-base35, /usr/share/fonts/type1/urw-base35). The tool writes
// OUTPUT_FILE (gravox/text/font_metrics_data.cpp), whose declarations are in
// gravox/text/font_metrics.h: per font its capital height and the advance widths of
// the codes 0 to 255 in thousandths of the font size, 0 where the font has no glyph.
// The text fonts are read in ISO Latin-1 (codes 32 to 126 as ASCII, 160 to 255 as
// Latin-1), Symbol and ZapfDingbats in their own encoding (the codes of the AFM).
// The output depends only on the input files, so running the tool again gives the
// same bytes.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Source {
    const char* name;  // standard font name, in the library's numbering
    const char* file;  // AFM file of the metric-compatible font
};

constexpr Source kSources[] = {
    {"Times-Roman", "NimbusRoman-Regular"},
    {"Times-Bold", "NimbusRoman-Bold"},
    {"Times-Italic", "NimbusRoman-Italic"},
    {"Times-BoldItalic", "NimbusRoman-BoldItalic"},
    {"Helvetica", "NimbusSans-Regular"},
    {"Helvetica-Bold", "NimbusSans-Bold"},
    {"Helvetica-Oblique", "NimbusSans-Italic"},
    {"Helvetica-BoldOblique", "NimbusSans-BoldItalic"},
    {"Helvetica-Narrow", "NimbusSansNarrow-Regular"},
    {"Helvetica-Narrow-Bold", "NimbusSansNarrow-Bold"},
    {"Helvetica-Narrow-Oblique", "NimbusSansNarrow-Oblique"},
    {"Helvetica-Narrow-BoldOblique", "NimbusSansNarrow-BoldOblique"},
    {"AvantGarde-Book", "URWGothic-Book"},
    {"AvantGarde-Demi", "URWGothic-Demi"},
    {"AvantGarde-BookOblique", "URWGothic-BookOblique"},
    {"AvantGarde-DemiOblique", "URWGothic-DemiOblique"},
    {"ZapfChancery-MediumItalic", "Z003-MediumItalic"},
    {"ZapfDingbats", "D050000L"},
    {"Courier", "NimbusMonoPS-Regular"},
    {"Courier-Bold", "NimbusMonoPS-Bold"},
    {"Courier-Oblique", "NimbusMonoPS-Italic"},
    {"Courier-BoldOblique", "NimbusMonoPS-BoldItalic"},
    {"Bookman-Light", "URWBookman-Light"},
    {"Bookman-Demi", "URWBookman-Demi"},
    {"Bookman-LightItalic", "URWBookman-LightItalic"},
    {"Bookman-DemiItalic", "URWBookman-DemiItalic"},
    {"NewCenturySchlbk-Roman", "C059-Roman"},
    {"NewCenturySchlbk-Bold", "C059-Bold"},
    {"NewCenturySchlbk-Italic", "C059-Italic"},
    {"NewCenturySchlbk-BoldItalic", "C059-BdIta"},
    {"Palatino-Roman", "P052-Roman"},
    {"Palatino-Bold", "P052-Bold"},
    {"Palatino-Italic", "P052-Italic"},
    {"Palatino-BoldItalic", "P052-BoldItalic"},
    {"Symbol", "StandardSymbolsPS"},
};

// Glyph names of ISO Latin-1, codes 32 to 126 and 160 to 255.
const char* const kAscii[95] = {"space",       "exclam",
                                "quotedbl",    "numbersign",
                                "dollar",      "percent",
                                "ampersand",   "quotesingle",
                                "parenleft",   "parenright",
                                "asterisk",    "plus",
                                "comma",       "hyphen",
                                "period",      "slash",
                                "zero",        "one",
                                "two",         "three",
                                "four",        "five",
                                "six",         "seven",
                                "eight",       "nine",
                                "colon",       "semicolon",
                                "less",        "equal",
                                "greater",     "question",
                                "at",          "A",
                                "B",           "C",
                                "D",           "E",
                                "F",           "G",
                                "H",           "I",
                                "J",           "K",
                                "L",           "M",
                                "N",           "O",
                                "P",           "Q",
                                "R",           "S",
                                "T",           "U",
                                "V",           "W",
                                "X",           "Y",
                                "Z",           "bracketleft",
                                "backslash",   "bracketright",
                                "asciicircum", "underscore",
                                "grave",       "a",
                                "b",           "c",
                                "d",           "e",
                                "f",           "g",
                                "h",           "i",
                                "j",           "k",
                                "l",           "m",
                                "n",           "o",
                                "p",           "q",
                                "r",           "s",
                                "t",           "u",
                                "v",           "w",
                                "x",           "y",
                                "z",           "braceleft",
                                "bar",         "braceright",
                                "asciitilde"};
const char* const kLatin1[96] = {"space",
                                 "exclamdown",
                                 "cent",
                                 "sterling",
                                 "currency",
                                 "yen",
                                 "brokenbar",
                                 "section",
                                 "dieresis",
                                 "copyright",
                                 "ordfeminine",
                                 "guillemotleft",
                                 "logicalnot",
                                 "hyphen",
                                 "registered",
                                 "macron",
                                 "degree",
                                 "plusminus",
                                 "twosuperior",
                                 "threesuperior",
                                 "acute",
                                 "mu",
                                 "paragraph",
                                 "periodcentered",
                                 "cedilla",
                                 "onesuperior",
                                 "ordmasculine",
                                 "guillemotright",
                                 "onequarter",
                                 "onehalf",
                                 "threequarters",
                                 "questiondown",
                                 "Agrave",
                                 "Aacute",
                                 "Acircumflex",
                                 "Atilde",
                                 "Adieresis",
                                 "Aring",
                                 "AE",
                                 "Ccedilla",
                                 "Egrave",
                                 "Eacute",
                                 "Ecircumflex",
                                 "Edieresis",
                                 "Igrave",
                                 "Iacute",
                                 "Icircumflex",
                                 "Idieresis",
                                 "Eth",
                                 "Ntilde",
                                 "Ograve",
                                 "Oacute",
                                 "Ocircumflex",
                                 "Otilde",
                                 "Odieresis",
                                 "multiply",
                                 "Oslash",
                                 "Ugrave",
                                 "Uacute",
                                 "Ucircumflex",
                                 "Udieresis",
                                 "Yacute",
                                 "Thorn",
                                 "germandbls",
                                 "agrave",
                                 "aacute",
                                 "acircumflex",
                                 "atilde",
                                 "adieresis",
                                 "aring",
                                 "ae",
                                 "ccedilla",
                                 "egrave",
                                 "eacute",
                                 "ecircumflex",
                                 "edieresis",
                                 "igrave",
                                 "iacute",
                                 "icircumflex",
                                 "idieresis",
                                 "eth",
                                 "ntilde",
                                 "ograve",
                                 "oacute",
                                 "ocircumflex",
                                 "otilde",
                                 "odieresis",
                                 "divide",
                                 "oslash",
                                 "ugrave",
                                 "uacute",
                                 "ucircumflex",
                                 "udieresis",
                                 "yacute",
                                 "thorn",
                                 "ydieresis"};

struct Metrics {
    int cap_height = 0;
    int widths[256] = {};
};

// Reads one AFM file; false when it cannot be read or has no character metrics.
bool read_afm(const std::string& path, bool own_encoding, Metrics& m) {
    std::ifstream in(path);
    if (!in) return false;
    std::map<std::string, int> by_name;
    std::string line;
    bool any = false;
    while (std::getline(in, line)) {
        if (line.rfind("CapHeight ", 0) == 0) m.cap_height = std::atoi(line.c_str() + 10);
        if (line.rfind("C ", 0) != 0) continue;
        // "C code ; WX width ; N name ; ..."
        int code = -1, width = 0;
        std::string name;
        std::istringstream fields(line);
        std::string item;
        while (std::getline(fields, item, ';')) {
            std::istringstream words(item);
            std::string key;
            words >> key;
            if (key == "C")
                words >> code;
            else if (key == "WX")
                words >> width;
            else if (key == "N")
                words >> name;
        }
        any = true;
        if (own_encoding && code >= 0 && code < 256) m.widths[code] = width;
        if (!name.empty()) by_name[name] = width;
    }
    if (!own_encoding) {
        for (int c = 32; c <= 126; ++c) {
            auto it = by_name.find(kAscii[c - 32]);
            if (it != by_name.end()) m.widths[c] = it->second;
        }
        for (int c = 160; c <= 255; ++c) {
            auto it = by_name.find(kLatin1[c - 160]);
            if (it != by_name.end()) m.widths[c] = it->second;
        }
    }
    return any && m.cap_height > 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: afmgen AFM_DIR OUTPUT_FILE\n");
        return 2;
    }
    std::vector<Metrics> fonts(sizeof kSources / sizeof kSources[0]);
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        const std::string path = std::string(argv[1]) + "/" + kSources[i].file + ".afm";
        const bool own = std::strcmp(kSources[i].name, "Symbol") == 0 ||
                         std::strcmp(kSources[i].name, "ZapfDingbats") == 0;
        if (!read_afm(path, own, fonts[i])) {
            std::fprintf(stderr, "afmgen: cannot read the metrics of %s\n", path.c_str());
            return 1;
        }
    }
    std::FILE* out = std::fopen(argv[2], "w");
    if (!out) {
        std::fprintf(stderr, "afmgen: cannot write %s\n", argv[2]);
        return 1;
    }
    std::fprintf(out,
                 "// Metrics of the 35 standard PostScript fonts: capital height and advance\n"
                 "// widths in thousandths of the font size. Generated by tools/afmgen from the\n"
                 "// AFM files of the Debian package fonts-urw-base35 (see NOTICE); do not edit.\n"
                 "#include \"gravox/text/font_metrics.h\"\n\nnamespace gvx {\n\n"
                 "const FontMetrics kFontMetrics[kStandardFontCount] = {\n");
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        std::fprintf(out, "    // %s (%s.afm)\n    {%d,\n     {", kSources[i].name,
                     kSources[i].file, fonts[i].cap_height);
        for (int c = 0; c < 256; ++c) {
            if (c > 0) std::fputs(c % 16 == 0 ? ",\n      " : ", ", out);
            std::fprintf(out, "%d", fonts[i].widths[c]);
        }
        std::fprintf(out, "}},\n");
    }
    std::fprintf(out, "};\n\n}  // namespace gvx\n");
    return std::fclose(out) == 0 ? 0 : 1;
}
