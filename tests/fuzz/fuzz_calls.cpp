// The fuzz target's interpreter: bytes become a sequence of calls of the public
// routines with extreme arguments, run on one library object in a scratch directory.
//
// Input: one byte picks the output format, one the file mode, then each call is one
// byte naming a routine of kRoutines followed by the bytes its arguments take. Every
// argument reader takes a selector byte first: small values, the ends of the type
// (INT_MIN, 1e300, NaN, null strings) or raw bytes. A new public routine or device is
// one more line in kRoutines or kFormats.
#include "tests/fuzz/fuzz_calls.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "gravox/core/all_records.h"
#include "gravox/gravox.h"

namespace gvx::fuzz {

namespace {

// Keywords of the library's routines, so that the fuzzer reaches past the keyword checks.
const char* const kKeywords[] = {"2",
                                 "3",
                                 "4",
                                 "5",
                                 "6",
                                 "ACUT",
                                 "ALIG",
                                 "ALL",
                                 "APPE",
                                 "ARIS",
                                 "AUTO",
                                 "AXIS",
                                 "BACK",
                                 "BARS",
                                 "BIL",
                                 "BLAC",
                                 "BLAN",
                                 "BLUE",
                                 "BOTH",
                                 "BOTT",
                                 "BREA",
                                 "CENT",
                                 "CHEC",
                                 "CIRC",
                                 "CLOG",
                                 "CM",
                                 "COLO",
                                 "COMI",
                                 "COMM",
                                 "CONL",
                                 "CONS",
                                 "CONT",
                                 "COUN",
                                 "CROS",
                                 "CUT",
                                 "CYAN",
                                 "DANI",
                                 "DASH",
                                 "DATA",
                                 "DATE",
                                 "DAYS",
                                 "DELE",
                                 "DELT",
                                 "DIGI",
                                 "DMAP",
                                 "DMON",
                                 "DMY",
                                 "DOWN",
                                 "ELOG",
                                 "ENDS",
                                 "ENGL",
                                 "EQUA",
                                 "ERAS",
                                 "EXP",
                                 "EXTE",
                                 "FBAR",
                                 "FEXP",
                                 "FILE",
                                 "FIRS",
                                 "FLOA",
                                 "FORE",
                                 "FREN",
                                 "FULL",
                                 "GERM",
                                 "GRAV",
                                 "GRAY",
                                 "GREE",
                                 "GREY",
                                 "HALF",
                                 "HORI",
                                 "HOUR",
                                 "HSPA",
                                 "HYPH",
                                 "INCH",
                                 "IND",
                                 "INSI",
                                 "INST",
                                 "INTE",
                                 "INWA",
                                 "ISO1",
                                 "ISO2",
                                 "ISO3",
                                 "ISO5",
                                 "ISO7",
                                 "ITAL",
                                 "KOI8",
                                 "LABE",
                                 "LAND",
                                 "LAST",
                                 "LEFT",
                                 "LEG",
                                 "LIN",
                                 "LINE",
                                 "LMAP",
                                 "LOG",
                                 "LONG",
                                 "LOWE",
                                 "MAGE",
                                 "MAP",
                                 "MAPN",
                                 "MARG",
                                 "MATH",
                                 "MAXI",
                                 "MDY",
                                 "MIDD",
                                 "MINI",
                                 "MIXE",
                                 "MONT",
                                 "MOVE",
                                 "MOVI",
                                 "MYLA",
                                 "NAME",
                                 "NOEN",
                                 "NOEQ",
                                 "NOER",
                                 "NOFI",
                                 "NOLA",
                                 "NONE",
                                 "NORE",
                                 "NUMB",
                                 "OFF",
                                 "ON",
                                 "ORAN",
                                 "OUTS",
                                 "OUTW",
                                 "PAGE",
                                 "PATT",
                                 "PERC",
                                 "PLUS",
                                 "POIN",
                                 "PORT",
                                 "POSI",
                                 "PROT",
                                 "PSPL",
                                 "QUAR",
                                 "RAIN",
                                 "RECT",
                                 "RED",
                                 "RES",
                                 "REVE",
                                 "RGB",
                                 "RGRE",
                                 "RIGH",
                                 "ROUN",
                                 "RRAI",
                                 "RSPE",
                                 "RUSS",
                                 "SCAL",
                                 "SCRI",
                                 "SECO",
                                 "SEPA",
                                 "SHAD",
                                 "SHAR",
                                 "SHIF",
                                 "SHOR",
                                 "SLAS",
                                 "SMAL",
                                 "SPAC",
                                 "SPAN",
                                 "SPEC",
                                 "SPLI",
                                 "STAI",
                                 "STAN",
                                 "STEM",
                                 "STEP",
                                 "SYMB",
                                 "TEMP",
                                 "TEX",
                                 "TICK",
                                 "TIME",
                                 "TOP",
                                 "TRUN",
                                 "TURK",
                                 "TWIP",
                                 "UNDE",
                                 "UPPE",
                                 "UTF8",
                                 "VERS",
                                 "VERT",
                                 "VGA",
                                 "VIEW",
                                 "WARN",
                                 "WEEK",
                                 "WHIT",
                                 "WIND",
                                 "WRAP",
                                 "YEAR",
                                 "YELL",
                                 "YMD",
                                 "X",
                                 "Y",
                                 "Z",
                                 "XY",
                                 "XYZ",
                                 "PNG",
                                 "GIF",
                                 "BMP",
                                 "TIFF",
                                 "PPM",
                                 "IMAG",
                                 "VIRT",
                                 "SVG",
                                 "IPE",
                                 "HPGL",
                                 "HPA4",
                                 "JAVA",
                                 "GKSL",
                                 "CGM",
                                 "POST",
                                 "PS",
                                 "EPS",
                                 "PDF",
                                 "WMF",
                                 "XWIN",
                                 "CONS",
                                 "GL",
                                 "MET5",
                                 "DA4L",
                                 "DA4P",
                                 "USAL",
                                 "HP1P",
                                 "SMALL",
                                 "RAINBOW",
                                 "GREY",
                                 "TRANSPARENCY",
                                 "RESOLUTION",
                                 "SMOOTH",
                                 "PLOT",
                                 "STANDARD",
                                 "REVERS",
                                 "NOERASE",
                                 "DELETE",
                                 "COUNT",
                                 "VERSION",
                                 "BREAK",
                                 "ROUND",
                                 "SHARP",
                                 "TRUNC",
                                 "LONG",
                                 "CUT",
                                 "ALL",
                                 "GERMAN",
                                 "a",
                                 "A",
                                 "[",
                                 "]",
                                 "{",
                                 "}",
                                 "\\",
                                 "^",
                                 "_",
                                 "$",
                                 "#",
                                 "@",
                                 "$\\alpha^2_x$",
                                 "H[2]O",
                                 "10^{-3}",
                                 "Legend",
                                 "e\xc3\xa9\xe2\x82\xac",
                                 "\xff\xfe"};

// Names in the scratch directory: plain, counted, in a sub-directory, a directory, a
// FIFO, too long. Never absolute and never "..": the fuzzer stays in its directory.
const char* const kFileNames[] = {
    "gravox.png", "plot.svg", "plot",  "sub/plot.gif", "dir",
    "fifo",       "plot.err", "a.b.c", "gravox.err",   "",
};

// The formats of every device (the keywords of metafl).
const char* const kFormats[] = {
    "PNG",  "GIF",  "BMP",  "TIFF", "PPM", "IMAG", "VIRT", "SVG", "IPE",
    "HPGL", "HPA4", "JAVA", "GKSL", "CGM", "POST", "PDF",  "WMF", "XWIN",
};

const char* const kFileModes[] = {"COUNT", "DELETE", "BREAK", "VERSION"};

}  // namespace

Input::Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

std::uint8_t Input::byte() {
    return position_ < size_ ? data_[position_++] : 0;
}

std::uint64_t Input::raw(int bytes) {
    std::uint64_t value = 0;
    for (int i = 0; i < bytes; ++i) value = value << 8 | byte();
    return value;
}

int Input::integer() {
    static constexpr int kEnds[] = {INT_MIN,
                                    INT_MAX,
                                    INT_MIN + 1,
                                    INT_MAX - 1,
                                    -1,
                                    0,
                                    1,
                                    2,
                                    3,
                                    999,
                                    2969,
                                    2099,
                                    32000,
                                    32001,
                                    100000,
                                    1 << 26,
                                    -(1 << 26) - 1,
                                    10000,
                                    -10000};
    const std::uint8_t selector = byte();
    if (selector < 128) return selector - 32;
    if (selector < 192) return kEnds[selector % std::size(kEnds)];
    return static_cast<int>(static_cast<std::uint32_t>(raw(4)));
}

double Input::real() {
    static constexpr double kEnds[] = {
        0.0,      -0.0,  0.5,   -0.5, 1e300, -1e300, 1e-300, DBL_MAX, -DBL_MAX, DBL_MIN,
        4.9e-324, 1e120, -1e80, 1e9,  1e15,  2.78,   360.0,  -15.0,   1e30,     9007199254740993.0};
    const std::uint8_t selector = byte();
    if (selector < 100) return (selector - 50) / 4.0;
    if (selector < 180) return kEnds[selector % std::size(kEnds)];
    if (selector < 184) return std::numeric_limits<double>::quiet_NaN();
    if (selector < 188) return selector % 2 ? HUGE_VAL : -HUGE_VAL;
    const std::uint64_t bits = raw(8);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

const char* Input::text() {
    const std::uint8_t selector = byte();
    if (selector < 8) return nullptr;
    if (selector < 200) {
        const unsigned high = byte();
        return kKeywords[(high << 8 | byte()) % std::size(kKeywords)];
    }
    if (selector < 204) return keep(std::string(300, 'A'));
    // Raw bytes up to a zero byte, at most 80.
    std::string value;
    for (int i = 0; i < 80; ++i) {
        const char c = static_cast<char>(byte());
        if (c == '\0') break;
        value += c;
    }
    return keep(std::move(value));
}

const char* Input::file_name() {
    const std::uint8_t selector = byte();
    if (selector < 8) return nullptr;
    if (selector < 16) return keep(std::string(300, 'n'));
    if (selector < 20) return keep(std::string(255, 'n') + ".png");
    return kFileNames[selector % std::size(kFileNames)];
}

std::FILE* Input::stream() {
    return byte() % 2 ? stdout : nullptr;
}

int Input::window_size() {
    // Canvas sizes stay small enough for the fuzzer's memory limit; refused sizes
    // (0, negative, beyond the largest side) are kept.
    static constexpr int kRefused[] = {0, -1, INT_MIN, INT_MAX, 40000, 32769};
    const std::uint8_t selector = byte();
    if (selector < 240) return 1 + selector * 4;
    return kRefused[selector % std::size(kRefused)];
}

int Input::count() {
    const std::uint8_t selector = byte();
    return selector < 200 ? selector % 40 : selector % 4;
}

int Input::count_up_to(int n) {
    const std::uint8_t selector = byte();
    if (selector < 200) return n;
    static constexpr int kOthers[] = {0, -1, INT_MIN, -100};
    if (selector < 240) return n > 0 ? selector % n : 0;
    return kOthers[selector % std::size(kOthers)];
}

const double* Input::doubles(int n) {
    std::vector<double>& values = doubles_.emplace_back(static_cast<std::size_t>(n > 0 ? n : 1));
    for (int i = 0; i < n; ++i) values[static_cast<std::size_t>(i)] = real();
    return values.data();
}

const int* Input::ints(int n) {
    std::vector<int>& values = ints_.emplace_back(static_cast<std::size_t>(n > 0 ? n : 1));
    for (int i = 0; i < n; ++i) values[static_cast<std::size_t>(i)] = integer();
    return values.data();
}

gvx::LegendBuffer Input::legend_buffer() {
    // The size is always told, so the library can check it.
    const std::size_t size = byte() % 2 ? sizeof legend_ : 8;
    return gvx::LegendBuffer(legend_, static_cast<long>(size));
}

const char* Input::keep(std::string text) {
    return texts_.emplace_back(std::move(text)).c_str();
}

const Routine kRoutines[] = {
    {"errdev", [](Gravox& gr, Input& in) { gr.errdev(in.text()); }},
    {"errfil", [](Gravox& gr, Input& in) { gr.errfil(in.file_name()); }},
    {"errmod", [](Gravox& gr, Input& in) { const auto a0 = in.text(); const auto a1 = in.text(); gr.errmod(a0, a1); }},
    {"unit", [](Gravox& gr, Input& in) { gr.unit(in.stream()); }},
    {"winapp", [](Gravox& gr, Input& in) { gr.winapp(in.text()); }},
    {"metafl", [](Gravox& gr, Input& in) { gr.metafl(in.text()); }},
    {"filmod", [](Gravox& gr, Input& in) { gr.filmod(in.text()); }},
    {"filopt", [](Gravox& gr, Input& in) { const auto a0 = in.text(); const auto a1 = in.text(); gr.filopt(a0, a1); }},
    {"setfil", [](Gravox& gr, Input& in) { gr.setfil(in.file_name()); }},
    {"getfil", [](Gravox& gr, Input&) { gr.getfil(); }},
    {"scrmod", [](Gravox& gr, Input& in) { gr.scrmod(in.text()); }},
    {"setpag", [](Gravox& gr, Input& in) { gr.setpag(in.text()); }},
    {"units", [](Gravox& gr, Input& in) { gr.units(in.text()); }},
    {"pagmod", [](Gravox& gr, Input& in) { gr.pagmod(in.text()); }},
    {"pagorg", [](Gravox& gr, Input& in) { gr.pagorg(in.text()); }},
    {"sclmod", [](Gravox& gr, Input& in) { gr.sclmod(in.text()); }},
    {"sclfac", [](Gravox& gr, Input& in) { gr.sclfac(in.real()); }},
    {"window", [](Gravox& gr, Input& in) { const auto a0 = in.window_size(); const auto a1 = in.window_size(); const auto a2 = in.window_size(); const auto a3 = in.window_size(); gr.window(a0, a1, a2, a3); }},
    {"winsiz", [](Gravox& gr, Input& in) { const auto a0 = in.window_size(); const auto a1 = in.window_size(); gr.winsiz(a0, a1); }},
    {"gvxini", [](Gravox& gr, Input&) { gr.gvxini(); }},
    {"pagera", [](Gravox& gr, Input&) { gr.pagera(); }},
    {"gvxfin", [](Gravox& gr, Input&) { gr.gvxfin(); }},
    {"imgfmt", [](Gravox& gr, Input& in) { gr.imgfmt(in.text()); }},
    {"pngmod", [](Gravox& gr, Input& in) { const auto a0 = in.text(); const auto a1 = in.text(); gr.pngmod(a0, a1); }},
    {"imgclp", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.integer(); const auto a2 = in.integer(); const auto a3 = in.integer(); gr.imgclp(a0, a1, a2, a3); }},
    {"erase", [](Gravox& gr, Input&) { gr.erase(); }},
    {"clpwin", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.integer(); const auto a2 = in.integer(); const auto a3 = in.integer(); gr.clpwin(a0, a1, a2, a3); }},
    {"clpbor", [](Gravox& gr, Input& in) { gr.clpbor(in.text()); }},
    {"linmod", [](Gravox& gr, Input& in) { const auto a0 = in.text(); const auto a1 = in.text(); gr.linmod(a0, a1); }},
    {"gifmod", [](Gravox& gr, Input& in) { const auto a0 = in.text(); const auto a1 = in.text(); gr.gifmod(a0, a1); }},
    {"tifmod", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.text(); const auto a2 = in.text(); gr.tifmod(a0, a1, a2); }},
    {"hpgmod", [](Gravox& gr, Input& in) { const auto a0 = in.text(); const auto a1 = in.text(); gr.hpgmod(a0, a1); }},
    {"color", [](Gravox& gr, Input& in) { gr.color(in.text()); }},
    {"setclr", [](Gravox& gr, Input& in) { gr.setclr(in.integer()); }},
    {"setrgb", [](Gravox& gr, Input& in) { const auto a0 = in.real(); const auto a1 = in.real(); const auto a2 = in.real(); gr.setrgb(a0, a1, a2); }},
    {"setvlt", [](Gravox& gr, Input& in) { gr.setvlt(in.text()); }},
    {"myvlt", [](Gravox& gr, Input& in) {
         const int n = in.count();
         const double* r = in.doubles(n);
         const double* g = in.doubles(n);
         const double* b = in.doubles(n);
         gr.myvlt(r, g, b, in.count_up_to(n));
     }},
    {"setind", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.real(); const auto a2 = in.real(); const auto a3 = in.real(); gr.setind(a0, a1, a2, a3); }},
    {"getclr", [](Gravox& gr, Input&) { gr.getclr(); }},
    {"linwid", [](Gravox& gr, Input& in) { gr.linwid(in.integer()); }},
    {"lncap", [](Gravox& gr, Input& in) { gr.lncap(in.text()); }},
    {"lnjoin", [](Gravox& gr, Input& in) { gr.lnjoin(in.text()); }},
    {"lnmlt", [](Gravox& gr, Input& in) { gr.lnmlt(in.real()); }},
    {"hwmode", [](Gravox& gr, Input& in) { const auto a0 = in.text(); const auto a1 = in.text(); gr.hwmode(a0, a1); }},
    {"gvxalf", [](Gravox& gr, Input&) { gr.gvxalf(); }},
    {"complx", [](Gravox& gr, Input&) { gr.complx(); }},
    {"height", [](Gravox& gr, Input& in) { gr.height(in.integer()); }},
    {"angle", [](Gravox& gr, Input& in) { gr.angle(in.integer()); }},
    {"chaang", [](Gravox& gr, Input& in) { gr.chaang(in.real()); }},
    {"chaspc", [](Gravox& gr, Input& in) { gr.chaspc(in.real()); }},
    {"chawth", [](Gravox& gr, Input& in) { gr.chawth(in.real()); }},
    {"fixspc", [](Gravox& gr, Input& in) { gr.fixspc(in.real()); }},
    {"txtjus", [](Gravox& gr, Input& in) { gr.txtjus(in.text()); }},
    {"basalf", [](Gravox& gr, Input& in) { gr.basalf(in.text()); }},
    {"chacod", [](Gravox& gr, Input& in) { gr.chacod(in.text()); }},
    {"smxalf", [](Gravox& gr, Input& in) { const auto a0 = in.text(); const auto a1 = in.text(); const auto a2 = in.text(); const auto a3 = in.integer(); gr.smxalf(a0, a1, a2, a3); }},
    {"mixalf", [](Gravox& gr, Input&) { gr.mixalf(); }},
    {"setmix", [](Gravox& gr, Input& in) { const auto a0 = in.text(); const auto a1 = in.text(); gr.setmix(a0, a1); }},
    {"newmix", [](Gravox& gr, Input&) { gr.newmix(); }},
    {"setexp", [](Gravox& gr, Input& in) { gr.setexp(in.real()); }},
    {"setbas", [](Gravox& gr, Input& in) { gr.setbas(in.real()); }},
    {"eushft", [](Gravox& gr, Input& in) { const auto a0 = in.text(); const auto a1 = in.text(); gr.eushft(a0, a1); }},
    {"texmod", [](Gravox& gr, Input& in) { gr.texmod(in.text()); }},
    {"txtbgd", [](Gravox& gr, Input& in) { gr.txtbgd(in.integer()); }},
    {"messag", [](Gravox& gr, Input& in) { const auto a0 = in.text(); const auto a1 = in.integer(); const auto a2 = in.integer(); gr.messag(a0, a1, a2); }},
    {"nlmess", [](Gravox& gr, Input& in) { gr.nlmess(in.text()); }},
    {"curve", [](Gravox& gr, Input& in) {
         const int n = in.count();
         const double* x = in.doubles(n);
         const double* y = in.doubles(n);
         gr.curve(x, y, in.count_up_to(n));
     }},
    {"polcrv", [](Gravox& gr, Input& in) { gr.polcrv(in.text()); }},
    {"incmrk", [](Gravox& gr, Input& in) { gr.incmrk(in.integer()); }},
    {"marker", [](Gravox& gr, Input& in) { gr.marker(in.integer()); }},
    {"hsymbl", [](Gravox& gr, Input& in) { gr.hsymbl(in.integer()); }},
    {"mrkclr", [](Gravox& gr, Input& in) { gr.mrkclr(in.integer()); }},
    {"symbol", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.integer(); const auto a2 = in.integer(); gr.symbol(a0, a1, a2); }},
    {"thkcrv", [](Gravox& gr, Input& in) { gr.thkcrv(in.integer()); }},
    {"chncrv", [](Gravox& gr, Input& in) { gr.chncrv(in.text()); }},
    {"inccrv", [](Gravox& gr, Input& in) { gr.inccrv(in.integer()); }},
    {"lincyc", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.integer(); gr.lincyc(a0, a1); }},
    {"clrcyc", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.integer(); gr.clrcyc(a0, a1); }},
    {"patcyc", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.integer(); gr.patcyc(a0, a1); }},
    {"lintyp", [](Gravox& gr, Input& in) { gr.lintyp(in.integer()); }},
    {"myline", [](Gravox& gr, Input& in) {
         const int n = in.count();
         const int* lengths = in.ints(n);
         gr.myline(lengths, in.count_up_to(n));
     }},
    {"linclr", [](Gravox& gr, Input& in) {
         const int n = in.count();
         const int* colours = in.ints(n);
         gr.linclr(colours, in.count_up_to(n));
     }},
    {"nancrv", [](Gravox& gr, Input& in) { gr.nancrv(in.text()); }},
    {"gapcrv", [](Gravox& gr, Input& in) { gr.gapcrv(in.real()); }},
    {"gapsiz", [](Gravox& gr, Input& in) { const auto a0 = in.real(); const auto a1 = in.text(); gr.gapsiz(a0, a1); }},
    {"barwth", [](Gravox& gr, Input& in) { gr.barwth(in.real()); }},
    {"splmod", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.integer(); gr.splmod(a0, a1); }},
    {"resatt", [](Gravox& gr, Input&) { gr.resatt(); }},
    {"legini", [](Gravox& gr, Input& in) { const auto a0 = in.legend_buffer(); const auto a1 = in.integer(); const auto a2 = in.integer(); gr.legini(a0, a1, a2); }},
    {"leglin", [](Gravox& gr, Input& in) { const auto a0 = in.legend_buffer(); const auto a1 = in.text(); const auto a2 = in.integer(); gr.leglin(a0, a1, a2); }},
    {"legtit", [](Gravox& gr, Input& in) { gr.legtit(in.text()); }},
    {"legpos", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.integer(); gr.legpos(a0, a1); }},
    {"legend", [](Gravox& gr, Input& in) { const auto a0 = in.legend_buffer(); const auto a1 = in.integer(); gr.legend(a0, a1); }},
    {"nxlegn", [](Gravox& gr, Input& in) { gr.nxlegn(in.legend_buffer()); }},
    {"nylegn", [](Gravox& gr, Input& in) { gr.nylegn(in.legend_buffer()); }},
    {"legopt", [](Gravox& gr, Input& in) { const auto a0 = in.real(); const auto a1 = in.real(); const auto a2 = in.real(); gr.legopt(a0, a1, a2); }},
    {"legval", [](Gravox& gr, Input& in) { const auto a0 = in.real(); const auto a1 = in.text(); gr.legval(a0, a1); }},
    {"legtyp", [](Gravox& gr, Input& in) { gr.legtyp(in.text()); }},
    {"legbgd", [](Gravox& gr, Input& in) { gr.legbgd(in.integer()); }},
    {"legclr", [](Gravox& gr, Input&) { gr.legclr(); }},
    {"mixleg", [](Gravox& gr, Input&) { gr.mixleg(); }},
    {"legsel", [](Gravox& gr, Input& in) {
         const int n = in.count();
         const int* lines = in.ints(n);
         gr.legsel(lines, in.count_up_to(n));
     }},
    {"legpat", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.integer(); const auto a2 = in.integer(); const auto a3 = in.integer(); const auto a4 = in.integer(); const auto a5 = in.integer(); gr.legpat(a0, a1, a2, a3, a4, a5); }},
    {"linesp", [](Gravox& gr, Input& in) { gr.linesp(in.real()); }},
    {"graf", [](Gravox& gr, Input& in) { const auto a0 = in.real(); const auto a1 = in.real(); const auto a2 = in.real(); const auto a3 = in.real(); const auto a4 = in.real(); const auto a5 = in.real(); const auto a6 = in.real(); const auto a7 = in.real(); gr.graf(a0, a1, a2, a3, a4, a5, a6, a7); }},
    {"endgrf", [](Gravox& gr, Input&) { gr.endgrf(); }},
    {"axspos", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.integer(); gr.axspos(a0, a1); }},
    {"axsorg", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.integer(); gr.axsorg(a0, a1); }},
    {"axslen", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.integer(); gr.axslen(a0, a1); }},
    {"axstyp", [](Gravox& gr, Input& in) { gr.axstyp(in.text()); }},
    {"axsscl", [](Gravox& gr, Input& in) { const auto a0 = in.text(); const auto a1 = in.text(); gr.axsscl(a0, a1); }},
    {"setgrf", [](Gravox& gr, Input& in) { const auto a0 = in.text(); const auto a1 = in.text(); const auto a2 = in.text(); const auto a3 = in.text(); gr.setgrf(a0, a1, a2, a3); }},
    {"ax2grf", [](Gravox& gr, Input&) { gr.ax2grf(); }},
    {"nograf", [](Gravox& gr, Input&) { gr.nograf(); }},
    {"noline", [](Gravox& gr, Input& in) { gr.noline(in.text()); }},
    {"frame", [](Gravox& gr, Input& in) { gr.frame(in.integer()); }},
    {"frmclr", [](Gravox& gr, Input& in) { gr.frmclr(in.integer()); }},
    {"axsbgd", [](Gravox& gr, Input& in) { gr.axsbgd(in.integer()); }},
    {"grace", [](Gravox& gr, Input& in) { gr.grace(in.integer()); }},
    {"nochek", [](Gravox& gr, Input&) { gr.nochek(); }},
    {"origin", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.integer(); gr.origin(a0, a1); }},
    {"neglog", [](Gravox& gr, Input& in) { gr.neglog(in.real()); }},
    {"center", [](Gravox& gr, Input&) { gr.center(); }},
    {"setscl", [](Gravox& gr, Input& in) {
         const int n = in.count();
         const double* data = in.doubles(n);
         const int m = in.count_up_to(n);
         gr.setscl(data, m, in.text());
     }},
    {"nxposn", [](Gravox& gr, Input& in) { gr.nxposn(in.real()); }},
    {"nyposn", [](Gravox& gr, Input& in) { gr.nyposn(in.real()); }},
    {"ticks", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.text(); gr.ticks(a0, a1); }},
    {"ticlen", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.integer(); gr.ticlen(a0, a1); }},
    {"ticpos", [](Gravox& gr, Input& in) { const auto a0 = in.text(); const auto a1 = in.text(); gr.ticpos(a0, a1); }},
    {"ticmod", [](Gravox& gr, Input& in) { const auto a0 = in.text(); const auto a1 = in.text(); gr.ticmod(a0, a1); }},
    {"labels", [](Gravox& gr, Input& in) { const auto a0 = in.text(); const auto a1 = in.text(); gr.labels(a0, a1); }},
    {"labdif", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.text(); gr.labdif(a0, a1); }},
    {"intax", [](Gravox& gr, Input&) { gr.intax(); }},
    {"labdis", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.text(); gr.labdis(a0, a1); }},
    {"labpos", [](Gravox& gr, Input& in) { const auto a0 = in.text(); const auto a1 = in.text(); gr.labpos(a0, a1); }},
    {"labtyp", [](Gravox& gr, Input& in) { const auto a0 = in.text(); const auto a1 = in.text(); gr.labtyp(a0, a1); }},
    {"labjus", [](Gravox& gr, Input& in) { const auto a0 = in.text(); const auto a1 = in.text(); gr.labjus(a0, a1); }},
    {"axends", [](Gravox& gr, Input& in) { const auto a0 = in.text(); const auto a1 = in.text(); gr.axends(a0, a1); }},
    {"name", [](Gravox& gr, Input& in) { const auto a0 = in.text(); const auto a1 = in.text(); gr.name(a0, a1); }},
    {"namdis", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.text(); gr.namdis(a0, a1); }},
    {"namjus", [](Gravox& gr, Input& in) { const auto a0 = in.text(); const auto a1 = in.text(); gr.namjus(a0, a1); }},
    {"hname", [](Gravox& gr, Input& in) { gr.hname(in.integer()); }},
    {"rvynam", [](Gravox& gr, Input&) { gr.rvynam(); }},
    {"axclrs", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.text(); const auto a2 = in.text(); gr.axclrs(a0, a1, a2); }},
    {"mylab", [](Gravox& gr, Input& in) { const auto a0 = in.text(); const auto a1 = in.integer(); const auto a2 = in.text(); gr.mylab(a0, a1, a2); }},
    {"labmod", [](Gravox& gr, Input& in) { const auto a0 = in.text(); const auto a1 = in.text(); const auto a2 = in.text(); gr.labmod(a0, a1, a2); }},
    {"number", [](Gravox& gr, Input& in) { const auto a0 = in.real(); const auto a1 = in.integer(); const auto a2 = in.integer(); const auto a3 = in.integer(); gr.number(a0, a1, a2, a3); }},
    {"numfmt", [](Gravox& gr, Input& in) { gr.numfmt(in.text()); }},
    {"numode", [](Gravox& gr, Input& in) { const auto a0 = in.text(); const auto a1 = in.text(); const auto a2 = in.text(); const auto a3 = in.text(); gr.numode(a0, a1, a2, a3); }},
    {"basdat", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.integer(); const auto a2 = in.integer(); gr.basdat(a0, a1, a2); }},
    {"incdat", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.integer(); const auto a2 = in.integer(); gr.incdat(a0, a1, a2); }},
    {"nwkday", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.integer(); const auto a2 = in.integer(); gr.nwkday(a0, a1, a2); }},
    {"graf3", [](Gravox& gr, Input& in) { const auto a0 = in.real(); const auto a1 = in.real(); const auto a2 = in.real(); const auto a3 = in.real(); const auto a4 = in.real(); const auto a5 = in.real(); const auto a6 = in.real(); const auto a7 = in.real(); const auto a8 = in.real(); const auto a9 = in.real(); const auto a10 = in.real(); const auto a11 = in.real(); gr.graf3(a0, a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11); }},
    {"zaxis", [](Gravox& gr, Input& in) { const auto a0 = in.real(); const auto a1 = in.real(); const auto a2 = in.real(); const auto a3 = in.real(); const auto a4 = in.integer(); const auto a5 = in.integer(); const auto a6 = in.integer(); const auto a7 = in.integer(); gr.zaxis(a0, a1, a2, a3, a4, a5, a6, a7); }},
    {"colran", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.integer(); gr.colran(a0, a1); }},
    {"clrovr", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.integer(); gr.clrovr(a0, a1); }},
    {"setres", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.integer(); gr.setres(a0, a1); }},
    {"autres", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.integer(); gr.autres(a0, a1); }},
    {"conmod", [](Gravox& gr, Input& in) { const auto a0 = in.real(); const auto a1 = in.real(); gr.conmod(a0, a1); }},
    {"conlab", [](Gravox& gr, Input& in) { const auto a0 = in.text(); gr.conlab(a0); }},
    {"shdmod", [](Gravox& gr, Input& in) { const auto a0 = in.text(); const auto a1 = in.text(); gr.shdmod(a0, a1); }},
    {"vecopt", [](Gravox& gr, Input& in) { const auto a0 = in.real(); const auto a1 = in.text(); gr.vecopt(a0, a1); }},
    {"stmval", [](Gravox& gr, Input& in) { const auto a0 = in.real(); const auto a1 = in.text(); gr.stmval(a0, a1); }},
    {"newpag", [](Gravox& gr, Input&) {  gr.newpag(); }},
    {"pdfmod", [](Gravox& gr, Input& in) { const auto a0 = in.text(); const auto a1 = in.text(); gr.pdfmod(a0, a1); }},
    {"psfont", [](Gravox& gr, Input& in) { const auto a0 = in.text(); gr.psfont(a0); }},
    {"shdpat", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); gr.shdpat(a0); }},
    {"mypat", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.integer(); const auto a2 = in.integer(); const auto a3 = in.integer(); gr.mypat(a0, a1, a2, a3); }},
    {"rectan", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.integer(); const auto a2 = in.integer(); const auto a3 = in.integer(); gr.rectan(a0, a1, a2, a3); }},
    {"rndrec", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.integer(); const auto a2 = in.integer(); const auto a3 = in.integer(); const auto a4 = in.integer(); gr.rndrec(a0, a1, a2, a3, a4); }},
    {"circle", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.integer(); const auto a2 = in.integer(); gr.circle(a0, a1, a2); }},
    {"ellips", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.integer(); const auto a2 = in.integer(); const auto a3 = in.integer(); gr.ellips(a0, a1, a2, a3); }},
    {"pie", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.integer(); const auto a2 = in.integer(); const auto a3 = in.integer(); const auto a4 = in.real(); const auto a5 = in.real(); gr.pie(a0, a1, a2, a3, a4, a5); }},
    {"arcell", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.integer(); const auto a2 = in.integer(); const auto a3 = in.integer(); const auto a4 = in.real(); const auto a5 = in.real(); const auto a6 = in.real(); gr.arcell(a0, a1, a2, a3, a4, a5, a6); }},
    {"line", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.integer(); const auto a2 = in.integer(); const auto a3 = in.integer(); gr.line(a0, a1, a2, a3); }},
    {"vector", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.integer(); const auto a2 = in.integer(); const auto a3 = in.integer(); const auto a4 = in.integer(); gr.vector(a0, a1, a2, a3, a4); }},
    {"point", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.integer(); const auto a2 = in.integer(); const auto a3 = in.integer(); gr.point(a0, a1, a2, a3); }},
    {"rlrec", [](Gravox& gr, Input& in) { const auto a0 = in.real(); const auto a1 = in.real(); const auto a2 = in.real(); const auto a3 = in.real(); gr.rlrec(a0, a1, a2, a3); }},
    {"rlrnd", [](Gravox& gr, Input& in) { const auto a0 = in.real(); const auto a1 = in.real(); const auto a2 = in.real(); const auto a3 = in.real(); const auto a4 = in.real(); gr.rlrnd(a0, a1, a2, a3, a4); }},
    {"rlcirc", [](Gravox& gr, Input& in) { const auto a0 = in.real(); const auto a1 = in.real(); const auto a2 = in.real(); gr.rlcirc(a0, a1, a2); }},
    {"rlell", [](Gravox& gr, Input& in) { const auto a0 = in.real(); const auto a1 = in.real(); const auto a2 = in.real(); const auto a3 = in.real(); gr.rlell(a0, a1, a2, a3); }},
    {"rlpie", [](Gravox& gr, Input& in) { const auto a0 = in.real(); const auto a1 = in.real(); const auto a2 = in.real(); const auto a3 = in.real(); const auto a4 = in.real(); const auto a5 = in.real(); gr.rlpie(a0, a1, a2, a3, a4, a5); }},
    {"rlarc", [](Gravox& gr, Input& in) { const auto a0 = in.real(); const auto a1 = in.real(); const auto a2 = in.real(); const auto a3 = in.real(); const auto a4 = in.real(); const auto a5 = in.real(); const auto a6 = in.real(); gr.rlarc(a0, a1, a2, a3, a4, a5, a6); }},
    {"rline", [](Gravox& gr, Input& in) { const auto a0 = in.real(); const auto a1 = in.real(); const auto a2 = in.real(); const auto a3 = in.real(); gr.rline(a0, a1, a2, a3); }},
    {"rlvec", [](Gravox& gr, Input& in) { const auto a0 = in.real(); const auto a1 = in.real(); const auto a2 = in.real(); const auto a3 = in.real(); const auto a4 = in.integer(); gr.rlvec(a0, a1, a2, a3, a4); }},
    {"rlpoin", [](Gravox& gr, Input& in) { const auto a0 = in.real(); const auto a1 = in.real(); const auto a2 = in.integer(); const auto a3 = in.integer(); gr.rlpoin(a0, a1, a2, a3); }},
    {"rlsymb", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.real(); const auto a2 = in.real(); gr.rlsymb(a0, a1, a2); }},
    {"bartyp", [](Gravox& gr, Input& in) { const auto a0 = in.text(); gr.bartyp(a0); }},
    {"barmod", [](Gravox& gr, Input& in) { const auto a0 = in.text(); const auto a1 = in.text(); gr.barmod(a0, a1); }},
    {"barpos", [](Gravox& gr, Input& in) { const auto a0 = in.text(); gr.barpos(a0); }},
    {"barclr", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.integer(); const auto a2 = in.integer(); gr.barclr(a0, a1, a2); }},
    {"barbor", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); gr.barbor(a0); }},
    {"barops", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.real(); gr.barops(a0, a1); }},
    {"bargrp", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.integer(); gr.bargrp(a0, a1); }},
    {"labclr", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.text(); gr.labclr(a0, a1); }},
    {"pietyp", [](Gravox& gr, Input& in) { const auto a0 = in.text(); gr.pietyp(a0); }},
    {"pieopt", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.real(); gr.pieopt(a0, a1); }},
    {"pielab", [](Gravox& gr, Input& in) { const auto a0 = in.text(); const auto a1 = in.text(); gr.pielab(a0, a1); }},
    {"piebor", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); gr.piebor(a0); }},
    {"pieexp", [](Gravox& gr, Input&) {  gr.pieexp(); }},
    {"pievec", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.integer(); gr.pievec(a0, a1); }},
    {"chnpie", [](Gravox& gr, Input& in) { const auto a0 = in.text(); gr.chnpie(a0); }},
    {"errbmd", [](Gravox& gr, Input& in) { const auto a0 = in.text(); const auto a1 = in.text(); gr.errbmd(a0, a1); }},
    {"pdfbuf", [](Gravox& gr, Input& in) {
         static char buffer[4096];
         const int size = in.integer();
         gr.pdfbuf(in.byte() % 2 ? buffer : nullptr, size > 4096 ? 4096 : size);
     }},
    {"crvmat", [](Gravox& gr, Input& in) {
         const int nx = in.count(), ny = in.count();
         const double* z = in.doubles(nx * ny);
         const auto ix = in.integer(), iy = in.integer();
         gr.crvmat(z, in.count_up_to(nx), in.count_up_to(ny), ix % 8, iy % 8);
     }},
    {"curve3", [](Gravox& gr, Input& in) {
         const int n = in.count();
         const double* x = in.doubles(n);
         const double* y = in.doubles(n);
         const double* z = in.doubles(n);
         gr.curve3(x, y, z, in.count_up_to(n));
     }},
    {"contur", [](Gravox& gr, Input& in) {
         const int nx = in.count(), ny = in.count();
         const double* x = in.doubles(nx);
         const double* y = in.doubles(ny);
         const double* z = in.doubles(nx * ny);
         gr.contur(x, in.count_up_to(nx), y, in.count_up_to(ny), z, in.real());
     }},
    {"conmat", [](Gravox& gr, Input& in) {
         const int nx = in.count(), ny = in.count();
         const double* z = in.doubles(nx * ny);
         gr.conmat(z, in.count_up_to(nx), in.count_up_to(ny), in.real());
     }},
    {"conshd", [](Gravox& gr, Input& in) {
         const int nx = in.count(), ny = in.count(), nlev = in.count();
         const double* x = in.doubles(nx);
         const double* y = in.doubles(ny);
         const double* z = in.doubles(nx * ny);
         const double* levels = in.doubles(nlev);
         gr.conshd(x, in.count_up_to(nx), y, in.count_up_to(ny), z, levels, in.count_up_to(nlev));
     }},
    {"vecfld", [](Gravox& gr, Input& in) {
         const int n = in.count();
         const double* xv = in.doubles(n);
         const double* yv = in.doubles(n);
         const double* xp = in.doubles(n);
         const double* yp = in.doubles(n);
         const int count = in.count_up_to(n);
         gr.vecfld(xv, yv, xp, yp, count, in.integer());
     }},
    {"vecmat", [](Gravox& gr, Input& in) {
         const int nx = in.count(), ny = in.count();
         const double* xv = in.doubles(nx * ny);
         const double* yv = in.doubles(nx * ny);
         const double* xp = in.doubles(nx);
         const double* yp = in.doubles(ny);
         const int cx = in.count_up_to(nx), cy = in.count_up_to(ny);
         gr.vecmat(xv, yv, cx, cy, xp, yp, in.integer());
     }},
    {"stream", [](Gravox& gr, Input& in) {
         const int nx = in.count(), ny = in.count(), n = in.count();
         const double* xv = in.doubles(nx * ny);
         const double* yv = in.doubles(nx * ny);
         const double* xp = in.doubles(nx);
         const double* yp = in.doubles(ny);
         const double* xs = in.doubles(n);
         const double* ys = in.doubles(n);
         const int cx = in.count_up_to(nx), cy = in.count_up_to(ny);
         gr.stream(xv, yv, cx, cy, xp, yp, xs, ys, in.count_up_to(n));
     }},
    {"areaf", [](Gravox& gr, Input& in) {
         const int n = in.count();
         const int* x = in.ints(n);
         const int* y = in.ints(n);
         gr.areaf(x, y, in.count_up_to(n));
     }},
    {"rlarea", [](Gravox& gr, Input& in) {
         const int n = in.count();
         const double* x = in.doubles(n);
         const double* y = in.doubles(n);
         gr.rlarea(x, y, in.count_up_to(n));
     }},
    {"bars", [](Gravox& gr, Input& in) {
         const int n = in.count();
         const double* x = in.doubles(n);
         const double* y1 = in.doubles(n);
         const double* y2 = in.doubles(n);
         gr.bars(x, y1, y2, in.count_up_to(n));
     }},
    {"piegrf", [](Gravox& gr, Input& in) {
         const auto buffer = in.legend_buffer();
         const int nlin = in.integer();
         const int n = in.count();
         const double* data = in.doubles(n);
         gr.piegrf(buffer, nlin, data, in.count_up_to(n));
     }},
    {"pieclr", [](Gravox& gr, Input& in) {
         const int n = in.count();
         const int* top = in.ints(n);
         const int* side = in.ints(n);
         gr.pieclr(top, side, in.count_up_to(n));
     }},
    {"errbar", [](Gravox& gr, Input& in) {
         const int n = in.count();
         const double* x = in.doubles(n);
         const double* y = in.doubles(n);
         const double* e1 = in.doubles(n);
         const double* e2 = in.doubles(n);
         gr.errbar(x, y, e1, e2, in.count_up_to(n));
     }},
    {"shdcrv", [](Gravox& gr, Input& in) {
         const int n1 = in.count();
         const double* x1 = in.doubles(n1);
         const double* y1 = in.doubles(n1);
         const int n2 = in.count();
         const double* x2 = in.doubles(n2);
         const double* y2 = in.doubles(n2);
         const int c1 = in.count_up_to(n1);
         gr.shdcrv(x1, y1, c1, x2, y2, in.count_up_to(n2));
     }},
    {"psfmod", [](Gravox& gr, Input& in) { const auto a0 = in.text(); const auto a1 = in.text(); gr.psfmod(a0, a1); }},
    {"winmod", [](Gravox& gr, Input& in) { gr.winmod(in.text()); }},
    {"wintit", [](Gravox& gr, Input& in) { gr.wintit(in.text()); }},
    {"sendbf", [](Gravox& gr, Input&) { gr.sendbf(); }},
    {"axis3d", [](Gravox& gr, Input& in) { const auto a0 = in.real(); const auto a1 = in.real(); const auto a2 = in.real(); gr.axis3d(a0, a1, a2); }},
    {"view3d", [](Gravox& gr, Input& in) { const auto a0 = in.real(); const auto a1 = in.real(); const auto a2 = in.real(); const auto a3 = in.text(); gr.view3d(a0, a1, a2, a3); }},
    {"vfoc3d", [](Gravox& gr, Input& in) { const auto a0 = in.real(); const auto a1 = in.real(); const auto a2 = in.real(); const auto a3 = in.text(); gr.vfoc3d(a0, a1, a2, a3); }},
    {"vup3d", [](Gravox& gr, Input& in) { const auto a0 = in.real(); const auto a1 = in.real(); const auto a2 = in.real(); gr.vup3d(a0, a1, a2); }},
    {"graf3d", [](Gravox& gr, Input& in) { const auto a0 = in.real(); const auto a1 = in.real(); const auto a2 = in.real(); const auto a3 = in.real(); const auto a4 = in.real(); const auto a5 = in.real(); const auto a6 = in.real(); const auto a7 = in.real(); const auto a8 = in.real(); const auto a9 = in.real(); const auto a10 = in.real(); const auto a11 = in.real(); gr.graf3d(a0, a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11); }},
    {"box3d", [](Gravox& gr, Input&) { gr.box3d(); }},
    {"grid3d", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.integer(); const auto a2 = in.text(); gr.grid3d(a0, a1, a2); }},
    {"pos3pt", [](Gravox& gr, Input& in) { double xp = 0, yp = 0; const auto a0 = in.real(); const auto a1 = in.real(); const auto a2 = in.real(); gr.pos3pt(a0, a1, a2, xp, yp); }},
    {"curv3d", [](Gravox& gr, Input& in) {
         const int n = in.count();
         const double* x = in.doubles(n);
         const double* y = in.doubles(n);
         const double* z = in.doubles(n);
         gr.curv3d(x, y, z, in.count_up_to(n));
     }},
    {"surmat", [](Gravox& gr, Input& in) {
         const int nx = in.count(), ny = in.count();
         const double* z = in.doubles(nx * ny);
         const auto ix = in.integer(), iy = in.integer();
         gr.surmat(z, in.count_up_to(nx), in.count_up_to(ny), ix, iy);
     }},
    {"surfce", [](Gravox& gr, Input& in) {
         const int nx = in.count(), ny = in.count();
         const double* x = in.doubles(nx);
         const double* y = in.doubles(ny);
         const double* z = in.doubles(nx * ny);
         gr.surfce(x, in.count_up_to(nx), y, in.count_up_to(ny), z);
     }},
    {"surfun", [](Gravox& gr, Input& in) {
         const auto nx = in.integer(), ny = in.integer();
         double (*f)(double, double) = [](double x, double y) { return x * y; };
         gr.surfun(in.byte() % 2 ? f : nullptr, nx % 64, ny % 64);
     }},
    {"surclr", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.integer(); gr.surclr(a0, a1); }},
    {"zbfini", [](Gravox& gr, Input&) { gr.zbfini(); }},
    {"zbffin", [](Gravox& gr, Input&) { gr.zbffin(); }},
    {"surshd", [](Gravox& gr, Input& in) {
         const int nx = in.count(), ny = in.count();
         const double* x = in.doubles(nx);
         const double* y = in.doubles(ny);
         const double* z = in.doubles(nx * ny);
         gr.surshd(x, in.count_up_to(nx), y, in.count_up_to(ny), z);
     }},
    {"surmsh", [](Gravox& gr, Input& in) { const auto a0 = in.text(); gr.surmsh(a0); }},
    {"light", [](Gravox& gr, Input& in) { const auto a0 = in.text(); gr.light(a0); }},
    {"litpos", [](Gravox& gr, Input& in) { const auto a0 = in.real(); const auto a1 = in.real(); const auto a2 = in.real(); const auto a3 = in.text(); gr.litpos(a0, a1, a2, a3); }},
    {"litmod", [](Gravox& gr, Input& in) { const auto a0 = in.real(); const auto a1 = in.real(); const auto a2 = in.real(); const auto a3 = in.real(); gr.litmod(a0, a1, a2, a3); }},
    {"projct", [](Gravox& gr, Input& in) { gr.projct(in.text()); }},
    {"mappol", [](Gravox& gr, Input& in) { const auto a0 = in.real(); const auto a1 = in.real(); gr.mappol(a0, a1); }},
    {"mapref", [](Gravox& gr, Input& in) { const auto a0 = in.real(); const auto a1 = in.real(); gr.mapref(a0, a1); }},
    {"mapsph", [](Gravox& gr, Input& in) { gr.mapsph(in.real()); }},
    {"grafmp", [](Gravox& gr, Input& in) {
         double v[8];
         for (double& d : v) d = in.real();
         gr.grafmp(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
     }},
    {"gridmp", [](Gravox& gr, Input& in) { const auto a0 = in.integer(); const auto a1 = in.integer(); gr.gridmp(a0, a1); }},
    {"curvmp", [](Gravox& gr, Input& in) {
         const int n = in.count();
         const double* x = in.doubles(n);
         const double* y = in.doubles(n);
         gr.curvmp(x, y, in.count_up_to(n));
     }},
    {"pos2pt", [](Gravox& gr, Input& in) {
         double x = 0.0, y = 0.0;
         const auto a0 = in.real();
         const auto a1 = in.real();
         gr.pos2pt(a0, a1, &x, &y);
     }},
    {"pt2pos", [](Gravox& gr, Input& in) {
         double x = 0.0, y = 0.0;
         const auto a0 = in.real();
         const auto a1 = in.real();
         gr.pt2pos(a0, a1, &x, &y);
     }},
    {"world", [](Gravox& gr, Input&) { gr.world(); }},
    {"shdmap", [](Gravox& gr, Input& in) { gr.shdmap(in.text()); }},
    {"mapbas", [](Gravox& gr, Input& in) { gr.mapbas(in.text()); }},
    {"borders", [](Gravox& gr, Input& in) { gr.borders(in.text()); }},
    {"sclmap", [](Gravox& gr, Input& in) { const auto a0 = in.real(); const auto a1 = in.integer(); const auto a2 = in.integer(); gr.sclmap(a0, a1, a2); }},
    {"mapres", [](Gravox& gr, Input& in) { gr.mapres(in.text()); }},
    {"crvtri", [](Gravox& gr, Input& in) {
         const int n = in.count(), ntri = in.count();
         const double* x = in.doubles(n);
         const double* y = in.doubles(n);
         const double* z = in.doubles(n);
         const int* i1 = in.ints(ntri);
         const int* i2 = in.ints(ntri);
         const int* i3 = in.ints(ntri);
         gr.crvtri(x, y, z, in.count_up_to(n), i1, i2, i3, in.count_up_to(ntri));
     }},
    {"triang", [](Gravox& gr, Input& in) {
         static int i1[64], i2[64], i3[64];
         const int n = in.count();
         const double* x = in.doubles(n);
         const double* y = in.doubles(n);
         gr.triang(x, y, in.count_up_to(n), i1, i2, i3, in.count_up_to(64));
     }},
};
const std::size_t kRoutineCount = std::size(kRoutines);

void prepare_scratch_directory() {
    namespace fs = std::filesystem;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(".", ignored)) {
        const std::string name = entry.path().filename().string();
        if (name != "fifo" && name != "dir") fs::remove_all(entry.path(), ignored);
    }
    fs::create_directory("sub", ignored);
    fs::create_directory("dir", ignored);
    if (!fs::exists("fifo")) ::mkfifo("fifo", 0644);
}

void run_input(const std::uint8_t* data, std::size_t size) {
    prepare_scratch_directory();
    // No windows: a screen plot would wait for the user at gvxfin.
    ::unsetenv("DISPLAY");
    Input in(data, size);
    Gravox gr;
    gr.metafl(kFormats[in.byte() % std::size(kFormats)]);
    gr.filmod(kFileModes[in.byte() % std::size(kFileModes)]);
    for (int calls = 0; calls < kMaxCalls && !in.done(); ++calls) {
        const Routine& routine = kRoutines[in.byte() % kRoutineCount];
        routine.call(gr, in);
    }
    // The plot is closed as an application would; the object goes at the end.
    if (gvx::state_of(gr).frame.level > 0) gr.gvxfin();
}

}  // namespace gvx::fuzz
