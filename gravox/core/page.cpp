// Page formats, units, orientation and the size of the device picture.
#include <algorithm>
#include <cstring>
#include <utility>

#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"
#include "gravox/gravox.h"

using namespace gvx;

namespace {

struct PageFormat {
    const char* keyword;
    double width, height;  // largest coordinates of the landscape form
};

constexpr PageFormat kPageFormats[] = {
    {"DA4L", 2969, 2099},  {"DA3L", 4199, 2969}, {"DA2L", 5939, 4199}, {"DA1L", 8409, 5939},
    {"DA0L", 11889, 8409}, {"HP4L", 2716, 1899}, {"HP3L", 3989, 2716}, {"HP2L", 5339, 3359},
    {"HP1L", 7569, 5339},  {"KY4L", 2869, 1999}, {"PS4L", 2799, 1949}, {"USAL", 2789, 2159},
    {"USBL", 4319, 2789},  {"USCL", 5589, 4319}, {"USDL", 8639, 5589}, {"USEL", 11179, 8639},
};

}  // namespace

namespace gvx {

double page_fit_scale(int width, int height, int page_width, int page_height, ScaleMode mode,
                      double unit_factor, double scale_factor) {
    if (page_width <= 0 || page_height <= 0 || width < 1 || height < 1) return 0.0;
    const double pw = page_width, ph = page_height;
    double s = std::min((width - 1) / pw, (height - 1) / ph);
    if (mode == ScaleMode::down) {
        const double longest = ph < pw ? width - 1 : height - 1;
        s = std::min(s, longest * unit_factor * scale_factor / 2969.0);
    }
    return s;
}

double fitted_scale(const PlotState& s) {
    const PageState& p = s.page;
    int pw = p.width, ph = p.height;
    if (p.orientation == PageOrientation::portrait) std::swap(pw, ph);
    return page_fit_scale(p.device_w, p.device_h, pw, ph, p.scale_mode, s.frame.unit_scale,
                          p.scale_factor);
}

}  // namespace gvx

void Gravox::setpag(const char* format) {
    if (refused("setpag", 0, 0)) return;
    char reduced[5];
    reduce_keyword(format, reduced);
    const bool portrait = reduced[3] == 'P';
    if (portrait) reduced[3] = 'L';
    const PageFormat* found = nullptr;
    for (const PageFormat& page : kPageFormats)
        if (std::strcmp(page.keyword, reduced) == 0) found = &page;
    if (!found) {
        warn_text(*state_, warning::incorrect_parameter, format ? format : "");
        return;
    }
    FrameState& f = state_->frame;
    f.page_extent_w = portrait ? found->height : found->width;
    f.page_extent_h = portrait ? found->width : found->height;
    copy_text(f.page_keyword, found->keyword, 4);
    if (portrait) f.page_keyword[3] = 'P';
    if (!state_->files.format_chosen) {
        f.device = 201;
        copy_text(f.format_keyword, "GKSL", 4);
    }
}

void Gravox::units(const char* unit) {
    if (refused("units", 0, 0)) return;
    // Single-precision values of 2.54, 0.352778 and 0.176389, widened.
    static constexpr double kScales[] = {1.0, static_cast<double>(2.54f),
                                         static_cast<double>(0.352778f),
                                         static_cast<double>(0.176389f)};
    int index = match_keyword(*state_, "CM  +INCH+POIN+TWIP", 4, unit);
    if (index != 0) state_->frame.unit_scale = kScales[index - 1];
}

void Gravox::pagmod(const char* mode) {
    if (refused("pagmod", 0, 0)) return;
    static constexpr PageOrientation kModes[] = {
        PageOrientation::landscape, PageOrientation::portrait, PageOrientation::landscape,
        PageOrientation::portrait, PageOrientation::none};
    int index = match_keyword(*state_, "COMI+MOVI+LAND+PORT+NONE", 5, mode);
    if (index != 0) state_->page.orientation = kModes[index - 1];
}

void Gravox::pagorg(const char* origin) {
    if (refused("pagorg", 1, 3)) return;
    int index = match_keyword(*state_, "TOP +BOTT", 2, origin);
    if (index != 0) state_->page.origin = index - 1;
}

void Gravox::sclmod(const char* mode) {
    if (refused("sclmod", 0, 0)) return;
    int index = match_keyword(*state_, "DOWN+FULL+NONE", 3, mode);
    if (index != 0) state_->page.scale_mode = static_cast<ScaleMode>(index - 1);
}

void Gravox::sclfac(double factor) {
    if (refused("sclfac", 0, 0)) return;
    if (!(factor > 0.0)) {  // also refuses NaN
        warn(*state_, warning::incorrect_parameter);
        return;
    }
    state_->page.scale_factor = factor;
    state_->page.scale_mode = ScaleMode::down;
}

void Gravox::window(int x, int y, int width, int height) {
    if (refused("window", 0, 3) || check_block(*state_, x, y, width, height)) return;
    PageState& p = state_->page;
    p.window_mode = 1;
    p.window_x = x;
    p.window_y = y;
    p.window_w = width;
    p.window_h = height;
}

void Gravox::winsiz(int width, int height) {
    if (refused("winsiz", 0, 3) || check_block(*state_, 0, 0, width, height)) return;
    PageState& p = state_->page;
    p.window_mode = 2;
    p.window_w = width;
    p.window_h = height;
}
