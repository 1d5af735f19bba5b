// The output catalogue: one row per output, and the family rows behind them.
#include "gravox/core/output_catalogue.h"

#include <climits>
#include <cstring>

#include "gravox/core/files.h"
#include "gravox/devices/raster_device.h"
#include "gravox/formats/formats.h"
#include "gravox/screen/screen.h"

namespace gvx {
namespace {

constexpr Reversal kReversible{.reversible = true, .by_auto = false};
constexpr Reversal kReversedByAuto{.reversible = true, .by_auto = true};

// The outputs, searched first. A row's columns default to a text file on a screen
// page that is not reversed, scaled by its device, with the rainbow palette in 8 bits
// and no writer in this build.
constexpr OutputRow kOutputs[] = {
    // Screens. The windows of a window system; "XWIN" is the first of them.
    {.keywords = "XWI1+XWI2+XWI3+XWI4+XWI5+XWI6+XWI7+XWI8+XWND",
     .first = 72,
     .last = 80,
     .file = FileOpen::none,
     .reversal = kReversible,
     .scale = ScaleFit::core,
     .make = kWindowDeviceMaker,
     .name = "screen windows"},
    // Metafiles.
    {.keywords = "GKSL",
     .first = 201,
     .last = 201,
     .extension = "met",
     .make = make_gks_metafile_device,
     .name = "GKS metafile"},
    {.keywords = "CGM ",
     .first = 211,
     .last = 211,
     .extension = "cgm",
     .file = FileOpen::binary,
     .page = PageKind::paper,
     .white_ink_black = true,
     .make = make_cgm_device,
     .name = "CGM metafile"},
    {.keywords = "WMF ",
     .first = 221,
     .last = 221,
     .extension = "wmf",
     .file = FileOpen::by_writer,
     .page = PageKind::paper,
     .white_ink_black = true,
     .make = make_wmf_device,
     .name = "Windows metafile"},
    // Plotters: the plain plotter and the plotters fitted to A4 to A1.
    {.keywords = "HPGL+HPA4+HPA3+HPA2+HPA1",
     .first = 401,
     .last = 405,
     .extension = "hpg",
     .make = make_hpgl_device,
     .name = "HPGL plotter file"},
    // PostScript and PDF.
    {.keywords = "POST",
     .first = 501,
     .last = 501,
     .extension = "psc",
     .page = PageKind::paper,
     .palette = DefaultPalette::reversed_grey,
     .make = make_postscript_device,
     .name = "PostScript in grey"},
    {.keywords = "PSCL",
     .first = 502,
     .last = 502,
     .extension = "psc",
     .reversal = kReversible,
     .make = make_postscript_device,
     .name = "PostScript in colour"},
    {.keywords = "EPS ",
     .first = 503,
     .last = 503,
     .extension = "eps",
     .reversal = kReversedByAuto,
     .make = make_postscript_device,
     .name = "Encapsulated PostScript"},
    {.keywords = "PS  ",
     .first = 504,
     .last = 504,
     .extension = "ps",
     .reversal = kReversedByAuto,
     .make = make_postscript_device,
     .name = "PostScript"},
    {.keywords = "PDF ",
     .first = 511,
     .last = 511,
     .extension = "pdf",
     .file = FileOpen::binary,
     .reversal = kReversedByAuto,
     .make = make_pdf_device,
     .name = "PDF document",
     .in_memory = true},
    // Raster images, drawn into the raster canvas and written when the plot closes.
    {.keywords = "TIFF",
     .first = 601,
     .last = 601,
     .extension = "tif",
     .file = FileOpen::binary,
     .reversal = kReversible,
     .scale = ScaleFit::core,
     .make = make_raster_device<write_tiff_file>,
     .name = "TIFF image"},
    {.keywords = "IMAG",
     .first = 602,
     .last = 602,
     .extension = "img",
     .file = FileOpen::binary,
     .reversal = kReversible,
     .scale = ScaleFit::core,
     .make = make_raster_device<write_dump_file>,
     .name = "bitmap dump"},
    {.keywords = "VIRT",
     .first = 603,
     .last = 603,
     .file = FileOpen::none,
     .reversal = kReversible,
     .scale = ScaleFit::core,
     .make = make_raster_device<nullptr>,
     .name = "picture held in memory"},
    {.keywords = "PNG ",
     .first = 604,
     .last = 604,
     .extension = "png",
     .file = FileOpen::binary,
     .reversal = kReversible,
     .scale = ScaleFit::core,
     .make = make_raster_device<write_png_file>,
     .name = "PNG image"},
    {.keywords = "PPM ",
     .first = 605,
     .last = 605,
     .extension = "ppm",
     .file = FileOpen::binary,
     .reversal = kReversible,
     .scale = ScaleFit::core,
     .colour_depth = 24,
     .make = make_raster_device<write_ppm_file>,
     .name = "PPM image"},
    {.keywords = "BMP ",
     .first = 606,
     .last = 606,
     .extension = "bmp",
     .file = FileOpen::binary,
     .reversal = kReversible,
     .scale = ScaleFit::core,
     .make = make_raster_device<write_bmp_file>,
     .name = "BMP image"},
    {.keywords = "GIF ",
     .first = 607,
     .last = 607,
     .extension = "gif",
     .file = FileOpen::binary,
     .reversal = kReversible,
     .scale = ScaleFit::core,
     .make = make_raster_device<write_gif_file>,
     .name = "GIF image"},
    // Programs and drawings.
    {.keywords = "JAVA",
     .first = 701,
     .last = 701,
     .extension = "java",
     .page = PageKind::light_page,
     .reversal = kReversible,
     .make = make_applet_device,
     .name = "applet source"},
    {.keywords = "SVG ",
     .first = 801,
     .last = 801,
     .extension = "svg",
     .reversal = kReversedByAuto,
     .make = make_svg_device,
     .name = "SVG document"},
    {.keywords = "IPE ",
     .first = 802,
     .last = 802,
     .extension = "ipe",
     .reversal = kReversedByAuto,
     .make = make_ipe_device,
     .name = "IPE drawing"},
};

// The families of codes, searched after the outputs: what a code of a family that no
// output serves means. Together they cover every int.
constexpr OutputRow kFamilies[] = {
    {.first = INT_MIN,
     .last = 100,
     .reversal = kReversible,
     .scale = ScaleFit::core,
     .name = "screen window"},
    {.first = 101, .last = 200, .scale = ScaleFit::core, .name = "console"},
    {.first = 201, .last = 300, .name = "metafile"},
    {.first = 301,
     .last = 400,
     .palette = DefaultPalette::small_only,
     .name = "device of few colours"},
    {.first = 401, .last = 500, .name = "plotter"},
    {.first = 501, .last = 600, .name = "PostScript or PDF"},
    {.first = 601,
     .last = 700,
     .file = FileOpen::binary,
     .reversal = kReversible,
     .scale = ScaleFit::core,
     .name = "raster image"},
    {.first = 701, .last = INT_MAX, .reversal = kReversible, .name = "program or drawing"},
};

// Keywords that name a code of another row: the first screen window, the console
// (shown in a screen window), the numbered screen windows, and OpenGL, which this
// build draws in a screen window.
struct KeywordAlias {
    const char* keyword;
    int code;
    Warning warning;  // the warning that choosing it gives
};

constexpr KeywordAlias kAliases[] = {
    {"XWIN", 72, warning::none},
    {"CONS", 80, warning::none},
    {"GL  ", 80, warning::opengl_not_supported},
    {"MET1", 80, warning::none},
    {"MET2", 80, warning::none},
    {"MET3", 80, warning::none},
    {"MET4", 80, warning::none},
    {"MET5", 80, warning::none},
    {"MET6", 80, warning::none},
    {"MET7", 80, warning::none},
    {"MET8", 80, warning::none},
    {"MET9", 80, warning::none},
};

// Index of a four-character keyword in a "+"-joined list, or -1.
int keyword_index(const char* list, const char* reduced) {
    for (int k = 0; list[0] != '\0'; ++k, list += list[4] == '+' ? 5 : 4)
        if (std::strncmp(list, reduced, 4) == 0) return k;
    return -1;
}

}  // namespace

const OutputRow& output_row(int code) {
    for (const OutputRow& row : kOutputs)
        if (code >= row.first && code <= row.last) return row;
    for (const OutputRow& row : kFamilies)
        if (code >= row.first && code <= row.last) return row;
    return kFamilies[0];  // not reached: the families cover every int
}

int output_code_of_keyword(const char* reduced, Warning* substitute) {
    if (substitute) *substitute = warning::none;
    for (const KeywordAlias& alias : kAliases) {
        if (std::strcmp(alias.keyword, reduced) == 0) {
            if (substitute) *substitute = alias.warning;
            return alias.code;
        }
    }
    for (const OutputRow& row : kOutputs) {
        const int k = keyword_index(row.keywords, reduced);
        if (k >= 0 && row.first + k <= row.last) return row.first + k;
    }
    return 0;
}

const char* output_extension(int code) {
    const char* extension = output_row(code).extension;
    return extension[0] != '\0' ? extension : "   ";
}

std::unique_ptr<Device> make_output_device(PlotState& s, int code) {
    const OutputRow& row = output_row(code);
    return row.make ? row.make(s, code) : nullptr;
}

int effective_screen_mode(int mode, int code) {
    if (mode != static_cast<int>(ScreenMode::autom)) return mode;
    return static_cast<int>(output_row(code).reversal.by_auto ? ScreenMode::reverse
                                                              : ScreenMode::erase);
}

}  // namespace gvx
