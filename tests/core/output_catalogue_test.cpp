// The output catalogue against the device rules it replaced. Each rule below is the
// code-number test that the library made before the catalogue existed, kept here
// word for word as the reference; every column must give the same answer for every
// device code from 0 to 1000 and for every keyword metafl can be given.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "gravox/core/output_catalogue.h"
#include "gravox/screen/screen.h"

namespace gvx::testing {
namespace {

namespace before {

struct DeviceKeyword {
    const char* keyword;
    int code;
};

constexpr DeviceKeyword kDeviceKeywords[] = {
    {"GKSL", 201}, {"CGM ", 211}, {"HPGL", 401}, {"HPA4", 402}, {"HPA3", 403}, {"HPA2", 404},
    {"HPA1", 405}, {"CONS", 101}, {"POST", 501}, {"PSCL", 502}, {"XWIN", 72},  {"XWI1", 72},
    {"XWI2", 73},  {"XWI3", 74},  {"XWI4", 75},  {"XWI5", 76},  {"XWI6", 77},  {"XWI7", 78},
    {"XWI8", 79},  {"XWND", 80},  {"TIFF", 601}, {"IMAG", 602}, {"VIRT", 603}, {"PNG ", 604},
    {"JAVA", 701}, {"WMF ", 221}, {"PPM ", 605}, {"PDF ", 511}, {"EPS ", 503}, {"BMP ", 606},
    {"PS  ", 504}, {"SVG ", 801}, {"IPE ", 802}, {"GIF ", 607}, {"GL  ", 81},
};

struct DeviceExtension {
    int first, last;
    const char* extension;
};

constexpr DeviceExtension kExtensions[] = {
    {201, 201, "met"}, {211, 211, "cgm"},  {401, 405, "hpg"}, {501, 502, "psc"}, {601, 601, "tif"},
    {602, 602, "img"}, {604, 604, "png"},  {221, 221, "wmf"}, {605, 605, "ppm"}, {511, 511, "pdf"},
    {503, 503, "eps"}, {606, 606, "bmp"},  {504, 504, "ps"},  {801, 801, "svg"}, {802, 802, "ipe"},
    {607, 607, "gif"}, {701, 701, "java"},
};

// metafl: the code stored for a keyword, and whether the OpenGL warning is given.
int keyword_code(const char* reduced, bool& opengl_warning) {
    opengl_warning = false;
    int code = 0;
    if (std::strcmp(reduced, "MET1") >= 0 && std::strcmp(reduced, "MET9") <= 0) {
        code = 80;
    } else {
        for (const DeviceKeyword& entry : kDeviceKeywords)
            if (std::strcmp(entry.keyword, reduced) == 0) code = entry.code;
    }
    if (code == 101) code = 80;
    if (code == 81) {
        opengl_warning = true;
        code = 80;
    }
    return code;
}

const char* extension(int code) {
    for (const DeviceExtension& entry : kExtensions)
        if (code >= entry.first && code <= entry.last) return entry.extension;
    return "   ";
}

// The device table and the raster writer table.
// Since then: the metafiles (201, 211, 221), PostScript and EPS (501 to 504) and PDF (511).
bool written(int code) {
    return (code >= 401 && code <= 405) || code == 701 || code == 801 || code == 802 ||
           (code >= 601 && code <= 607) || code == 201 || code == 211 || code == 221 ||
           (code >= 501 && code <= 504) || code == 511 ||
           (code >= 72 && code <= 80 && kScreenWindowsBuilt);  // the windows need Xlib
}

bool is_pixel_device(int code) {
    return code < 201 || (code >= 601 && code <= 700);
}

bool reversed_by_auto(int device) {
    return device == 503 || device == 504 || device == 511 || device == 801 || device == 802;
}

// The file mode of build_file_name: null for no file. Since then PDF documents are
// binary files that core opens (unless they are kept in memory).
const char* file_mode(int device) {
    // Since then the screen windows open no file either.
    if (device == 221 || device == 603 || (device >= 72 && device <= 80)) return nullptr;
    const bool binary = device == 211 || device == 511 || (device >= 601 && device <= 700);
    return binary ? "wb" : "w";
}

bool is_paper_device(int device) {
    return device == 501 || device == 211 || device == 221;
}

bool is_reversible_device(int device) {
    return device < 101 || device == 502 || device == 503 || device == 504 || device == 511 ||
           device > 600;
}

bool light_page(int device) {
    return device == 501 || device == 221 || device == 211 || device == 701;
}

bool ramp_white_black(int device) {
    return device == 211 || device == 221;
}

bool small_palette(int device) {
    return device >= 301 && device <= 400;
}

bool grey_default(int device) {
    return device == 501;
}

bool true_colour(int code) {
    return code == 605;
}

}  // namespace before

const char* file_mode(const OutputRow& row) {
    switch (row.file) {
        case FileOpen::text:
            return "w";
        case FileOpen::binary:
            return "wb";
        case FileOpen::none:
        case FileOpen::by_writer:
            break;
    }
    return nullptr;
}

std::string text_or_null(const char* text) {
    return text ? text : "(none)";
}

TEST(OutputCatalogue, EveryColumnGivesTheOldRuleForEveryCode) {
    for (int code = 0; code <= 1000; ++code) {
        SCOPED_TRACE("device code " + std::to_string(code));
        const OutputRow& row = output_row(code);
        EXPECT_LE(row.first, code);
        EXPECT_GE(row.last, code);
        EXPECT_STREQ(output_extension(code), before::extension(code));
        EXPECT_EQ(row.make != nullptr, before::written(code));
        EXPECT_EQ(row.scale == ScaleFit::core, before::is_pixel_device(code));
        EXPECT_EQ(row.reversal.by_auto, before::reversed_by_auto(code));
        EXPECT_EQ(text_or_null(file_mode(row)), text_or_null(before::file_mode(code)));
        EXPECT_EQ(row.page == PageKind::paper, before::is_paper_device(code));
        EXPECT_EQ(row.page != PageKind::screen, before::light_page(code));
        EXPECT_EQ(row.reversal.reversible, before::is_reversible_device(code));
        EXPECT_EQ(row.white_ink_black, before::ramp_white_black(code));
        EXPECT_EQ(row.palette == DefaultPalette::small_only, before::small_palette(code));
        EXPECT_EQ(row.palette == DefaultPalette::reversed_grey, before::grey_default(code));
        EXPECT_EQ(row.colour_depth > 8, before::true_colour(code));
    }
}

TEST(OutputCatalogue, AutoScreenModeFollowsTheRow) {
    constexpr int kAuto = 4, kReverse = 2, kErase = 0;
    for (int code = 0; code <= 1000; ++code) {
        EXPECT_EQ(effective_screen_mode(kAuto, code),
                  before::reversed_by_auto(code) ? kReverse : kErase)
            << code;
        EXPECT_EQ(effective_screen_mode(1, code), 1) << code;
    }
}

// Every reduced keyword built from the characters that some keyword has at each
// position (and a blank and a stranger): the same code, and the OpenGL warning exactly
// where it was given.
TEST(OutputCatalogue, EveryKeywordChoosesTheOldCode) {
    std::string alphabets[4];
    auto add = [&](const char* keyword) {
        for (int i = 0; i < 4; ++i)
            if (alphabets[i].find(keyword[i]) == std::string::npos) alphabets[i] += keyword[i];
    };
    add("    ");
    add("ZZZZ");
    for (const before::DeviceKeyword& entry : before::kDeviceKeywords) add(entry.keyword);
    add("MET0");
    add("MET9");
    int known = 0;
    char reduced[5] = "    ";
    for (char a : alphabets[0])
        for (char b : alphabets[1])
            for (char c : alphabets[2])
                for (char d : alphabets[3]) {
                    reduced[0] = a;
                    reduced[1] = b;
                    reduced[2] = c;
                    reduced[3] = d;
                    bool warned = false;
                    const int expected = before::keyword_code(reduced, warned);
                    Warning substitute = warning::none;
                    const int code = output_code_of_keyword(reduced, &substitute);
                    if (code != expected || warned != static_cast<bool>(substitute)) {
                        ADD_FAILURE()
                            << "keyword \"" << reduced << "\": " << code << " for " << expected;
                        return;
                    }
                    if (code != 0) ++known;
                }
    // The table's 35 keywords and MET1 to MET9.
    EXPECT_EQ(known, 44);
}

// No row names a keyword that chose another code before.
TEST(OutputCatalogue, EveryKeywordOfARowNamesItsOldCode) {
    int keywords = 0;
    for (int code = 0; code <= 1000; ++code) {
        const OutputRow& row = output_row(code);
        if (row.first != code) continue;
        for (int k = 0; row.keywords[5 * k] != '\0'; ++k) {
            const std::string keyword(row.keywords + 5 * k, 4);
            bool warned = false;
            EXPECT_EQ(before::keyword_code(keyword.c_str(), warned), row.first + k) << keyword;
            EXPECT_LE(row.first + k, row.last) << keyword;
            ++keywords;
            if (row.keywords[5 * k + 4] == '\0') break;
        }
    }
    EXPECT_EQ(keywords, 32);  // all but the aliases XWIN, CONS and GL
}

TEST(OutputCatalogue, SubstitutedKeywordsCarryTheirWarning) {
    Warning substitute = warning::none;
    EXPECT_EQ(output_code_of_keyword("GL  ", &substitute), 80);
    EXPECT_EQ(warning_number(substitute), 181);
    EXPECT_STREQ(warning_text(substitute), "OPENGL is not supported");
    EXPECT_EQ(output_code_of_keyword("XWIN", &substitute), 72);
    EXPECT_FALSE(substitute);
    EXPECT_EQ(output_code_of_keyword("HPA1"), 405);
}

}  // namespace
}  // namespace gvx::testing
