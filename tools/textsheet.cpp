// textsheet: draws every character of every alphabet of the two built-in vector
// fonts through the library's text routines, one PNG sheet per font.
//
// Usage: textsheet [PREFIX]
//   writes PREFIX_gvxalf.png and PREFIX_complx.png (PREFIX defaults to "textsheet").
//
// Each alphabet is a block of cells, 32 to a row, for the codes 33 up to the last
// code the alphabet answers for; a cell shows the character drawn with messag and
// its code under it. Characters an alphabet has no glyph for show the standard
// alphabet's fall-back, as a string would. Codes 256 to 264 of the standard
// alphabet are reached through the UTF-8 coding.
#include <cstdio>
#include <string>

#include "gravox/core/all_records.h"
#include "gravox/gravox.h"
#include "gravox/text/text.h"

namespace {

constexpr int kColumns = 32;
constexpr int kCellWidth = 125;
constexpr int kRowHeight = 80;
constexpr int kGlyphHeight = 40;
constexpr int kLabelHeight = 12;
const char* const kAlphabetKeys[] = {"STAN", "GREE", "MATH", "ITAL", "SCRI", "RUSS"};
const char* const kAlphabetNames[] = {"standard", "Greek",  "mathematical",
                                      "italic",   "script", "Cyrillic"};

// Encodes a code point as UTF-8.
std::string utf8(int code) {
    std::string out;
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
    return out;
}

// A UTF-8 code point that the coding turns into the given glyph code of the
// standard alphabet, or 0.
int code_point_for(int glyph) {
    for (int cp = 160; cp < 384; ++cp) {
        int alphabet = 1;
        if (gvx::translate_code(gvx::Coding::utf8, cp, alphabet) == glyph && alphabet == 1)
            return cp;
    }
    return 0;
}

void draw_sheet(Gravox& g, int font, const std::string& file) {
    g.setfil(file.c_str());
    g.gvxini();
    if (gvx::state_of(g).frame.level == 0) {
        std::fprintf(stderr, "textsheet: cannot open a PNG plot\n");
        return;
    }
    gvx::PlotState& s = gvx::state_of(g);
    int y = 40;
    g.gvxalf();
    g.height(24);
    g.messag(font == 1 ? "Font gvxalf (1)" : "Font complx (3)", 40, y);
    y += 50;
    for (int alphabet = 1; alphabet <= 6; ++alphabet) {
        if (font == 3)
            g.complx();
        else
            g.gvxalf();
        int last = 31 + s.text->font.alphabets[alphabet - 1].slot_count;
        g.basalf("STAN");
        g.chacod("STAN");
        g.height(16);
        char title[64];
        std::snprintf(title, sizeof title, "alphabet %d (%s), codes 33 to %d", alphabet,
                      kAlphabetNames[alphabet - 1], last);
        g.messag(title, 40, y);
        y += 30;
        int column = 0;
        for (int code = 33; code <= last; ++code) {
            int x = 40 + column * kCellWidth;
            std::string text;
            g.basalf(kAlphabetKeys[alphabet - 1]);
            if (code < 256) {
                g.chacod("STAN");
                text = std::string(1, static_cast<char>(code));
            } else if (int cp = code_point_for(code); cp != 0) {
                g.chacod("UTF8");
                text = utf8(cp);
            }
            g.height(kGlyphHeight);
            if (!text.empty()) g.messag(text.c_str(), x + 10, y + 6);
            g.basalf("STAN");
            g.chacod("STAN");
            g.height(kLabelHeight);
            char label[16];
            std::snprintf(label, sizeof label, "%d", code);
            g.messag(label, x + 10, y + kGlyphHeight + 18);
            if (++column == kColumns) {
                column = 0;
                y += kRowHeight;
            }
        }
        if (column != 0) y += kRowHeight;
        y += 10;
    }
    g.gvxfin();
}

}  // namespace

int main(int argc, char** argv) {
    std::string prefix = argc > 1 ? argv[1] : "textsheet";
    Gravox g;
    g.metafl("PNG");
    g.setpag("DA3L");
    g.winsiz(3000, 2121);
    g.filmod("DELETE");
    draw_sheet(g, 1, prefix + "_gvxalf.png");
    draw_sheet(g, 3, prefix + "_complx.png");
    return 0;
}
