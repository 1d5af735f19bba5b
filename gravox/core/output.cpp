// Output selection: the device keywords, file modes, file names and screen mode.
#include <cstring>

#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"
#include "gravox/gravox.h"

using namespace gvx;

namespace gvx {
namespace {

struct DeviceKeyword {
    const char* keyword;
    int code;
};

// The keywords of metafl in the order they are searched.
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

}  // namespace

int device_code_of_keyword(const char* reduced) {
    for (const DeviceKeyword& entry : kDeviceKeywords)
        if (std::strcmp(entry.keyword, reduced) == 0) return entry.code;
    return 0;
}

const char* device_extension(int code) {
    for (const DeviceExtension& entry : kExtensions)
        if (code >= entry.first && code <= entry.last) return entry.extension;
    return "   ";
}

}  // namespace gvx

void Gravox::metafl(const char* format) {
    if (refused("metafl", 0, 0)) return;
    char reduced[5];
    reduce_keyword(format, reduced);
    int code = 0;
    if (std::strcmp(reduced, "MET1") >= 0 && std::strcmp(reduced, "MET9") <= 0)
        code = 80;  // numbered screen windows
    else
        code = device_code_of_keyword(reduced);
    if (code == 0) {
        warn_text(*state_, warning::incorrect_parameter, format ? format : "");
        return;
    }
    if (code == 101) code = 80;  // the console keyword is a screen window
    if (code == 81) {            // this build has no OpenGL output
        set_custom_warning(*state_, "OPENGL is not supported");
        warn(*state_, warning::opengl_not_supported);
        code = 80;
    }
    state_->frame.device = code;
    copy_text(state_->frame.format_keyword, format, 4);
    upper_case(state_->frame.format_keyword);
    state_->files.format_chosen = true;
}

void Gravox::filmod(const char* mode) {
    if (refused("filmod", 0, 3)) return;
    int index = match_keyword(*state_, "COUN+DELE+BREA+VERS", 4, mode);
    if (index != 0) state_->files.file_mode = static_cast<FileMode>(index - 1);
}

void Gravox::filopt(const char* value, const char* option) {
    if (refused("filopt", 0, 3)) return;
    FileState& f = state_->files;
    int which = match_keyword(*state_, "SEPA+NUMB+DIGI+SCAL", 4, option);
    int index = 0;
    switch (which) {
        case 1:
            if ((index = match_keyword(*state_, "UNDE+HYPH+NONE", 3, value)) != 0)
                f.separator = static_cast<Separator>(index - 1);
            break;
        case 2:
            if ((index = match_keyword(*state_, "SHOR+LONG", 2, value)) != 0)
                f.long_numbers = index == 2;
            break;
        case 3:
            if ((index = match_keyword(*state_, "2   +3   +4   +5   +6   ", 5, value)) != 0)
                f.digits = index + 1;
            break;
        case 4:
            if ((index = match_keyword(*state_, "OFF +PAGE+VIEW+ON  ", 4, value)) != 0)
                f.scaling_option = index == 4 ? 1 : index - 1;
            break;
        default:
            break;
    }
}

void Gravox::setfil(const char* name) {
    if (refused("setfil", 0, 0) || check_file_name(*state_, name)) return;
    copy_text(state_->files.plot_file_name, name, 256);
    state_->files.name_state = 1;
}

const char* Gravox::getfil() {
    if (refused("getfil", 1, 3)) return "";
    return state_->files.plot_file_name;
}

void Gravox::scrmod(const char* mode) {
    if (refused("scrmod", 0, 0)) return;
    int index = match_keyword(*state_, "ERAS+NOER+REVE+NORE+AUTO", 5, mode);
    if (index == 0) return;
    state_->files.screen_mode = index == 4 ? 0 : index - 1;  // NOREVERS is stored as ERASE
}
