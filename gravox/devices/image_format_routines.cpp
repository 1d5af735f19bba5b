// Public routines of the GIF and TIFF settings; both are made before a plot is opened
// and stay for the following plots.
#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"
#include "gravox/devices/raster_device.h"
#include "gravox/gravox.h"

using namespace gvx;

void Gravox::gifmod(const char* mode, const char* key) {
    if (refused("gifmod", 0, 0)) return;
    if (find_keyword("TRAN", 1, key) == 0) {
        warn_text(*state_, warning::incorrect_parameter, key ? key : "");
        return;
    }
    int index = match_keyword(*state_, "OFF +ON  ", 2, mode);
    if (index != 0) state_->raster->gif.transparent = index == 2;
}

void Gravox::tifmod(int resolution, const char* unit, const char* key) {
    if (refused("tifmod", 0, 0)) return;
    if (find_keyword("RESO", 1, key) == 0) {
        warn_text(*state_, warning::incorrect_parameter, key ? key : "");
        return;
    }
    // A resolution is a positive number of pixels per unit.
    if (resolution < 1) {
        warn_int(*state_, warning::incorrect_parameter, resolution);
        return;
    }
    int index = match_keyword(*state_, "INCH+CM  ", 2, unit);
    if (index == 0) return;
    state_->raster->tiff.resolution = resolution;
    state_->raster->tiff.unit = index == 1 ? ResolutionUnit::inch : ResolutionUnit::centimetre;
}
