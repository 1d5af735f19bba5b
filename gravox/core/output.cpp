// Output selection: the device keywords, file modes, file names and screen mode.
#include "gravox/core/output_catalogue.h"
#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"
#include "gravox/gravox.h"

using namespace gvx;

void Gravox::metafl(const char* format) {
    if (refused("metafl", 0, 0)) return;
    char reduced[5];
    reduce_keyword(format, reduced);
    Warning substitute = warning::none;
    const int code = output_code_of_keyword(reduced, &substitute);
    if (code == 0) {
        warn_text(*state_, warning::incorrect_parameter, format ? format : "");
        return;
    }
    if (substitute) {  // an output this build draws in another one
        warn(*state_, substitute);
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
