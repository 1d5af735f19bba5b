// The routines of the screen windows: the end of a screen plot, its title, and
// showing the drawing so far.
#include "gravox/core/state.h"
#include "gravox/devices/primitives.h"
#include "gravox/gravox.h"
#include "gravox/screen/screen.h"

using namespace gvx;

void Gravox::winmod(const char* mode) {
    if (refused("winmod", 0, 3)) return;
    const int index = match_keyword(*state_, "FULL+NONE+ADD ", 3, mode);
    if (index != 0) state_->screen->end = static_cast<WindowEnd>(index - 1);
}

void Gravox::wintit(const char* title) {
    if (refused("wintit", 0, 3) || check_string(*state_, title)) return;
    copy_text(state_->screen->title, title, 256);
    if (state_->screen->drawing) retitle_screen(*state_);
}

void Gravox::sendbf() {
    if (refused("sendbf", 1, 3)) return;
    flush_polyline(*state_);
    show_screen(*state_);
}
