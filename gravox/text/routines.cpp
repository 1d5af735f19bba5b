// The public text routines: fonts, character height, angle and shape, spacing,
// justification, alphabets and codings, raised and lowered text, and messag/nlmess.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"
#include "gravox/devices/device.h"
#include "gravox/gravox.h"
#include "gravox/text/text.h"

using namespace gvx;

namespace gvx {

void reset_text(PlotState& s) {
    TextState& t = *s.text;
    t = TextState{};
    double unit = s.frame.unit_scale > 0.0 ? s.frame.unit_scale : 1.0;
    t.height = std::clamp(round_text(36.0 / unit), 1, 10000);
    t.cur.str.height = t.height;
    t.cur.start_height = t.height;
    load_font(s, 1);
}

}  // namespace gvx

namespace {

// Warning 2 for a refused real parameter, with the value.
void refuse_real(PlotState& s, double value) {
    char shown[32];
    std::snprintf(shown, sizeof shown, "%g", value);
    warn_text(s, warning::incorrect_parameter, shown);
}

// The first character of a one-character argument, or 0 after warning 2.
unsigned char single_character(PlotState& s, const char* text) {
    if (!text || text[0] == '\0') {
        warn_text(s, warning::incorrect_parameter, "");
        return 0;
    }
    return static_cast<unsigned char>(text[0]);
}

}  // namespace

void Gravox::gvxalf() {
    if (refused("gvxalf", 1, 3)) return;
    load_font(*state_, 1);
}

void Gravox::complx() {
    if (refused("complx", 1, 3)) return;
    load_font(*state_, 3);
}

void Gravox::height(int n) {
    if (refused("height", 1, 3)) return;
    if (check_range(*state_, n, 1, 10000) != 0) return;
    state_->text->height = n;
}

void Gravox::angle(int degrees) {
    if (refused("angle", 1, 3)) return;
    TextState& t = *state_->text;
    t.angle = degrees;
    t.angle_sin = std::sin(degrees * kDegreeToRadian);
    t.angle_cos = std::cos(degrees * kDegreeToRadian);
}

void Gravox::chaang(double degrees) {
    if (refused("chaang", 1, 3)) return;
    if (!(degrees >= -60.0 && degrees <= 60.0)) {
        refuse_real(*state_, degrees);
        return;
    }
    state_->text->slant = 1.0 / std::tan((90.0 - degrees) * kDegreeToRadian);
}

void Gravox::chaspc(double factor) {
    if (refused("chaspc", 1, 3)) return;
    if (!std::isfinite(factor)) {
        refuse_real(*state_, factor);
        return;
    }
    state_->text->spacing = factor;
}

void Gravox::chawth(double factor) {
    if (refused("chawth", 1, 3)) return;
    if (!(factor > 0.0 && factor < 2.0)) {
        refuse_real(*state_, factor);
        return;
    }
    state_->text->width_factor = factor;
}

void Gravox::fixspc(double factor) {
    if (refused("fixspc", 1, 3)) return;
    if (!(factor > 0.0) || !std::isfinite(factor)) {
        refuse_real(*state_, factor);
        return;
    }
    state_->text->fixed = true;
    state_->text->fixed_factor = factor;
}

void Gravox::txtjus(const char* option) {
    if (refused("txtjus", 1, 3)) return;
    int index = match_keyword(*state_, "LEFT+CENT+RIGH+TOP +MIDD+BOTT", 6, option);
    if (index == 0) return;
    if (index <= 3)
        state_->text->justify_h = index - 1;
    else
        state_->text->justify_v = index - 4;
}

void Gravox::basalf(const char* alphabet) {
    if (refused("basalf", 1, 3)) return;
    int index = match_keyword(*state_, "STAN+GREE+MATH+ITAL+SCRI+RUSS", 6, alphabet);
    if (index != 0) state_->text->base_alphabet = index;
}

void Gravox::chacod(const char* coding) {
    if (refused("chacod", 1, 3)) return;
    int index = match_keyword(*state_, "STAN+ISO1+ISO2+ISO3+ISO5+KOI8+UTF8+ISO7", 8, coding);
    if (index != 0) state_->text->coding = static_cast<Coding>(index - 1);
}

void Gravox::smxalf(const char* alphabet, const char* shift_in, const char* shift_out, int slot) {
    if (refused("smxalf", 1, 3)) return;
    PlotState& s = *state_;
    int index = match_keyword(s, "STAN+GREE+MATH+ITAL+SCRI+RUSS+INST", 7, alphabet);
    if (index == 0) return;
    if (check_range(s, slot, 1, kMixedSlots) != 0) return;
    if (index == s.text->base_alphabet) {
        warn(s, warning::base_alphabet);
        return;
    }
    unsigned char in = single_character(s, shift_in);
    if (in == 0) return;
    unsigned char out = single_character(s, shift_out);
    if (out == 0) return;
    s.text->mixed[slot - 1] = MixedAlphabet{index, in, out};
    s.text->mixing = true;
}

void Gravox::mixalf() {
    if (refused("mixalf", 1, 3)) return;
    state_->text->mix_on = true;
}

void Gravox::setmix(const char* character, const char* which) {
    if (refused("setmix", 1, 3)) return;
    int index = match_keyword(*state_, "EXP +IND +RES +LEG +TEX ", 5, which);
    if (index == 0) return;
    unsigned char c = single_character(*state_, character);
    if (c != 0) state_->text->mix_chars[index - 1] = c;
}

void Gravox::newmix() {
    if (refused("newmix", 1, 3)) return;
    TextState& t = *state_->text;
    t.mix_chars[mix_exponent] = '^';
    t.mix_chars[mix_index] = '_';
    t.mix_chars[mix_reset] = '%';
}

void Gravox::setexp(double factor) {
    if (refused("setexp", 1, 3)) return;
    if (!(factor > 0.0) || !std::isfinite(factor)) {
        refuse_real(*state_, factor);
        return;
    }
    state_->text->exponent_size = factor;
}

void Gravox::setbas(double factor) {
    if (refused("setbas", 1, 3)) return;
    if (!std::isfinite(factor)) {
        refuse_real(*state_, factor);
        return;
    }
    state_->text->exponent_shift = factor;
}

void Gravox::eushft(const char* language, const char* character) {
    if (refused("eushft", 1, 3)) return;
    PlotState& s = *state_;
    int index = match_keyword(s, "GERM+DANI+SPAN+FREN+ACUT+GRAV+CIRC+TURK", 8, language);
    if (index == 0) return;
    unsigned char c = single_character(s, character);
    if (c == 0) return;
    for (int l = 0; l < 8; ++l) {
        if (l != index - 1 && s.text->eu_shift[l] == c) {
            warn(s, warning::control_characters);
            return;
        }
    }
    s.text->eu_shift[index - 1] = c;
}

void Gravox::texmod(const char* mode) {
    if (refused("texmod", 1, 3)) return;
    int index = match_keyword(*state_, "ON  +OFF ", 2, mode);
    if (index != 0) state_->text->formula_mode = index == 1;
}

void Gravox::txtbgd(int colour) {
    if (refused("txtbgd", 1, 3)) return;
    bool valid = (colour >= -1 && colour <= 255) || (colour >= 0x01000000 && colour <= 0x01ffffff);
    if (!valid) {
        warn_int(*state_, warning::incorrect_parameter, colour);
        return;
    }
    state_->text->background = colour;
}

void Gravox::messag(const char* text, int x, int y) {
    if (refused("messag", 1, 3)) return;
    PlotState& s = *state_;
    if (check_string(s, text)) return;
    const TextState& t = *s.text;
    if (x == 999 && y == 999) {
        draw_text(s, text, 999.0, 999.0);
        return;
    }
    if (check_position(s, x, y)) return;
    int codes[kMaxTextCodes];
    int n = convert_text(s, text, codes);
    if (n <= 0) return;
    y = top_origin_y(s, y);
    double e = 0.0, g = 0.0;
    if (t.justify_h != 0) {
        double length = codes_length(s, codes, n);
        e = t.justify_h == 1 ? length / 2.0 : length;
    }
    if (t.justify_v != 0) g = t.justify_v == 1 ? t.height / 2.0 : t.height;
    double sine = t.angle_sin, cosine = t.angle_cos;
    int px = truncate_coordinate(x - e * cosine - g * sine + 0.5);
    int py = truncate_coordinate(y + e * sine - g * cosine + 0.5);
    draw_codes(s, text, codes, n, px, py);
}

int Gravox::nlmess(const char* text) {
    if (refused("nlmess", 1, 3) || check_string(*state_, text)) return 0;
    return static_cast<int>(text_length(*state_, text));
}
