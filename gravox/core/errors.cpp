// Routines that decide where warnings go and which of them are printed.
#include "gravox/core/state.h"
#include "gravox/gravox.h"

using namespace gvx;

void Gravox::errdev(const char* device) {
    if (refused("errdev", 0, 0)) return;
    int index = match_keyword(*state_, "CONS+FILE+APPE", 3, device);
    if (index != 0) state_->frame.error_device = static_cast<ErrorDevice>(index - 1);
}

void Gravox::errfil(const char* name) {
    if (refused("errfil", 0, 0) || check_file_name(*state_, name)) return;
    copy_text(state_->frame.error_file_name, name, 256);
    state_->frame.error_file_set = true;
}

void Gravox::errmod(const char* item, const char* state) {
    if (refused("errmod", 1, 3)) return;
    FrameState& f = state_->frame;
    int which = match_keyword(*state_, "WARN+CHEC+PROT+ALL ", 4, item);
    if (which == 0) return;
    if (which == 3) {
        int mode = match_keyword(*state_, "OFF +ON  +FILE", 3, state);
        if (mode != 0) f.protocol = static_cast<ProtocolMode>(mode - 1);
        return;
    }
    int on = match_keyword(*state_, "OFF +ON  ", 2, state);
    if (on == 0) return;
    bool value = on == 2;
    if (which == 1 || which == 4) f.warnings_on = value;
    if (which == 2 || which == 4) f.check_on = value;
    if (which == 4) f.protocol = value ? ProtocolMode::on : ProtocolMode::off;
}

void Gravox::unit(std::FILE* stream) {
    if (refused("unit", 1, 3)) return;
    FrameState& f = state_->frame;
    if (!stream) {
        f.error_unit = error_unit::none;
    } else if (stream == stdout) {
        f.error_unit = error_unit::console;
        f.error_output = stdout;
    } else {
        f.error_unit = error_unit::stream;
        f.error_output = stream;
    }
}

void Gravox::winapp(const char* mode) {
    if (refused("winapp", 0, 0)) return;
    int index = match_keyword(*state_, "CONS+WIND", 2, mode);
    if (index != 0) state_->frame.window_app = index == 2;
}
