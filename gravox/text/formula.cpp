// The formula mode: strings read as a small formula language (see text.h for the
// syntax) and laid out with the vector fonts. Every element is drawn with the
// character loop of draw.cpp at a working height and raise; fractions, roots and
// over/under lines measure their parts first and then draw them in place.
#include <algorithm>
#include <cstring>

#include "gravox/core/colour_table.h"
#include "gravox/core/state.h"
#include "gravox/devices/primitives.h"
#include "gravox/text/text.h"

namespace gvx {

namespace {

inline constexpr int kMaxScriptDepth = 8;
inline constexpr int kMaxGroupDepth = 16;
inline constexpr int kMaxFractions = 4;
inline constexpr int kMaxRoots = 4;

// A command that draws one glyph: the alphabet and the code in it.
struct SymbolCommand {
    const char* name;
    int alphabet;
    int code;
};

// Greek letters: the keys of the Greek alphabet (A alpha, B beta, C chi, ...).
const SymbolCommand kGreekCommands[] = {
    {"alpha", 2, 'a'},   {"beta", 2, 'b'},  {"gamma", 2, 'g'},   {"delta", 2, 'd'},
    {"epsilon", 2, 'e'}, {"zeta", 2, 'z'},  {"eta", 2, 'h'},     {"theta", 2, 'q'},
    {"iota", 2, 'i'},    {"kappa", 2, 'k'}, {"lambda", 2, 'l'},  {"mu", 2, 'm'},
    {"nu", 2, 'n'},      {"xi", 2, 'x'},    {"pi", 2, 'p'},      {"rho", 2, 'r'},
    {"sigma", 2, 's'},   {"tau", 2, 't'},   {"upsilon", 2, 'u'}, {"phi", 2, 'f'},
    {"chi", 2, 'c'},     {"psi", 2, 'y'},   {"omega", 2, 'w'},   {"Gamma", 2, 'G'},
    {"Delta", 2, 'D'},   {"Theta", 2, 'Q'}, {"Lambda", 2, 'L'},  {"Xi", 2, 'X'},
    {"Pi", 2, 'P'},      {"Sigma", 2, 'S'}, {"Upsilon", 2, 'U'}, {"Phi", 2, 'F'},
    {"Psi", 2, 'Y'},     {"Omega", 2, 'W'},
};

// Symbols: the keys of the mathematical alphabet, and a few characters of the
// standard alphabet.
const SymbolCommand kSymbolCommands[] = {
    {"pm", 3, 'A'},         {"mp", 3, 'B'},       {"times", 3, 'C'},      {"div", 3, 'D'},
    {"cdot", 3, 'E'},       {"ast", 3, 'F'},      {"star", 3, 'F'},       {"leq", 3, 'G'},
    {"le", 3, 'G'},         {"geq", 3, 'H'},      {"ge", 3, 'H'},         {"neq", 3, 'I'},
    {"not=", 3, 'I'},       {"equiv", 3, 'J'},    {"infty", 3, 'L'},      {"partial", 3, 'N'},
    {"nabla", 3, 'O'},      {"int", 3, 'P'},      {"oint", 3, 'Q'},       {"prod", 3, 'R'},
    {"sum", 3, 'S'},        {"surd", 3, 'T'},     {"subset", 3, 'U'},     {"cup", 3, 'V'},
    {"supset", 3, 'W'},     {"cap", 3, 'X'},      {"in", 3, 'Y'},         {"exists", 3, 'Z'},
    {"rightarrow", 3, 'a'}, {"to", 3, 'a'},       {"uparrow", 3, 'b'},    {"leftarrow", 3, 'c'},
    {"downarrow", 3, 'd'},  {"parallel", 3, 'f'}, {"perp", 3, 'g'},       {"forall", 3, 'r'},
    {"notin", 3, 's'},      {"emptyset", 3, 't'}, {"oplus", 3, 'u'},      {"otimes", 3, 'v'},
    {"subseteq", 3, 'w'},   {"supseteq", 3, 'x'}, {"wedge", 3, 'y'},      {"vee", 3, 'z'},
    {"sim", 3, 127},        {"mid", 1, '|'},      {"backslash", 1, '\\'}, {"setminus", 1, '\\'},
};

// Function names drawn as upright text.
const char* const kFunctionNames[] = {
    "arccos", "arcsin", "arctan", "arg", "cosh", "cos",  "coth", "cot",  "csc", "dec", "dim",
    "exp",    "hom",    "ln",     "log", "sec",  "sinh", "sin",  "tanh", "tan", "lim",
};

// Size commands: factors of the string's starting height.
struct SizeCommand {
    const char* name;
    double factor;
};
const SizeCommand kSizeCommands[] = {
    {"tiny", 0.5},       {"scriptsize", 0.7}, {"footnotesize", 0.8}, {"small", 0.9},
    {"normalsize", 1.0}, {"large", 1.2},      {"Large", 1.44},       {"LARGE", 1.728},
    {"huge", 2.074},     {"Huge", 2.488},
};

// Style commands that this layout accepts and draws in its one style.
const char* const kStyleCommands[] = {"displaystyle",      "textstyle", "scriptstyle",
                                      "scriptscriptstyle", "limits",    "nolimits"};

struct Formula {
    PlotState& s;
    const int* codes;
    int n;
    int pos = 0;
    int script_depth = 0;
    int group_depth = 0;
    int fractions = 0;
    int roots = 0;
    Warning error = warning::none;
};

bool fail(Formula& f, Warning message) {
    if (!f.error) f.error = message;
    return false;
}

int control(const Formula& f) {
    return f.s.text->mix_chars[mix_formula];
}

bool is_letter(int code) {
    return (code >= 'a' && code <= 'z') || (code >= 'A' && code <= 'Z');
}

// Moves along the baseline (backwards for negative distances).
void move_along(PlotState& s, double distance) {
    TextCursor& c = s.text->cur;
    c.x += distance * s.text->angle_cos;
    c.y -= distance * s.text->angle_sin;
    c.along += distance;
    c.extent = std::max(c.extent, c.along);
}

// Draws a line in text coordinates: from u0 to u1 along the baseline (relative to
// the text position) at v0 and v1 above it.
void text_line(PlotState& s, double u0, double v0, double u1, double v1) {
    TextCursor& c = s.text->cur;
    c.ink_top = std::max({c.ink_top, v0, v1});
    c.ink_bottom = std::min({c.ink_bottom, v0, v1});
    if (c.measuring) return;
    double sine = s.text->angle_sin, cosine = s.text->angle_cos;
    move_to(s, c.x + u0 * cosine - v0 * sine, c.y - v0 * cosine - u0 * sine);
    draw_to(s, c.x + u1 * cosine - v1 * sine, c.y - v1 * cosine - u1 * sine);
}

void set_formula_height(PlotState& s, double height) {
    TextCursor& c = s.text->cur;
    c.str.height = std::clamp(round_text(height), 1, 100000);
    c.loaded = 0;
}

bool render_list(Formula& f, bool in_group);
bool render_argument(Formula& f);

// Width of the next argument, measured without drawing, and the top and bottom of
// its ink (above the baseline); the parse position and the text position are left
// as they were.
bool measure_argument(Formula& f, double& width, double* ink_top = nullptr,
                      double* ink_bottom = nullptr) {
    TextCursor saved = f.s.text->cur;
    int pos = f.pos;
    TextCursor& c = f.s.text->cur;
    c.measuring = true;
    c.along = 0.0;
    c.extent = 0.0;
    c.ink_top = c.ink_bottom = c.str.raise;
    bool ok = render_argument(f);
    width = std::max(0.0, c.extent);
    double top = c.ink_top, bottom = c.ink_bottom;
    if (ink_top) *ink_top = top;
    if (ink_bottom) *ink_bottom = bottom;
    f.s.text->cur = saved;
    f.s.text->cur.ink_top = std::max(saved.ink_top, top);
    f.s.text->cur.ink_bottom = std::min(saved.ink_bottom, bottom);
    f.pos = pos;
    return ok;
}

// Draws one glyph of another alphabet in the current size.
void draw_symbol(Formula& f, int alphabet, int code) {
    TextCursor& c = f.s.text->cur;
    int previous = c.alphabet;
    c.alphabet = alphabet;
    draw_code(f.s, code);
    c.alphabet = previous;
}

// Reads a command name after the control character: letters, or one other character.
int read_name(Formula& f, char* name, int size) {
    int length = 0;
    if (f.pos < f.n && is_letter(f.codes[f.pos])) {
        while (f.pos < f.n && is_letter(f.codes[f.pos]) && length < size - 1)
            name[length++] = static_cast<char>(f.codes[f.pos++]);
        // "not=" is the one name with a character that is not a letter.
        if (length == 3 && std::strncmp(name, "not", 3) == 0 && f.pos < f.n &&
            f.codes[f.pos] == '=') {
            name[length++] = '=';
            ++f.pos;
        }
    } else if (f.pos < f.n && f.codes[f.pos] > 32 && f.codes[f.pos] < 127) {
        name[length++] = static_cast<char>(f.codes[f.pos++]);
    }
    name[length] = '\0';
    return length;
}

// A fraction: numerator over denominator, centred on a bar.
bool render_fraction(Formula& f) {
    PlotState& s = f.s;
    TextCursor& c = s.text->cur;
    if (++f.fractions > kMaxFractions) return fail(f, warning::formula_fractions);
    if (f.pos >= f.n || f.codes[f.pos] != '{') return fail(f, warning::formula_fraction);
    double h = c.str.height;
    double raise = c.str.raise;
    set_formula_height(s, h * s.text->exponent_size);
    double hs = c.str.height;
    double top_width = 0.0, bottom_width = 0.0;
    if (!measure_argument(f, top_width)) return false;
    int numerator = f.pos;
    // Skip the numerator to find the denominator.
    {
        TextCursor saved = c;
        c.measuring = true;
        render_argument(f);
        c = saved;
    }
    if (f.pos >= f.n || f.codes[f.pos] != '{') return fail(f, warning::formula_no_denominator);
    if (!measure_argument(f, bottom_width)) return false;
    int denominator = f.pos;

    double pad = 0.15 * h;
    double width = std::max(top_width, bottom_width) + 2.0 * pad;
    double bar = raise + 0.3 * (h - 1.0);
    double start = c.along;

    f.pos = numerator;
    move_along(s, (width - top_width) / 2.0);
    c.str.raise = bar + 0.2 * h;
    if (!render_argument(f)) return false;
    move_along(s, start - c.along);

    f.pos = denominator;
    move_along(s, (width - bottom_width) / 2.0);
    c.str.raise = bar - 0.2 * h - (hs - 1.0);
    if (!render_argument(f)) return false;
    move_along(s, start - c.along);

    c.str.raise = raise;
    set_formula_height(s, h);
    text_line(s, 0.0, bar, width, bar);
    load_scales(s, c.alphabet);
    move_along(s, width + c.gap);
    --f.fractions;
    return true;
}

// A root sign over its argument.
bool render_root(Formula& f) {
    PlotState& s = f.s;
    TextCursor& c = s.text->cur;
    if (++f.roots > kMaxRoots) return fail(f, warning::formula_nested_roots);
    if (f.pos >= f.n || f.codes[f.pos] != '{') return fail(f, warning::formula_no_root);
    double width = 0.0, ink = 0.0;
    if (!measure_argument(f, width, &ink)) return false;
    double h = c.str.height - 1.0;
    double e = c.str.raise;
    double top = std::max(e + 1.15 * h, ink + 0.15 * h);
    double hook = 0.55 * h;
    text_line(s, 0.0, e + 0.45 * h, 0.2 * h, e + 0.55 * h);
    text_line(s, 0.2 * h, e + 0.55 * h, 0.35 * h, e - 0.1 * h);
    text_line(s, 0.35 * h, e - 0.1 * h, hook, top);
    text_line(s, hook, top, hook + width + 0.2 * h, top);
    move_along(s, hook + 0.1 * h);
    if (!render_argument(f)) return false;
    move_along(s, 0.1 * h);
    --f.roots;
    return true;
}

// A line over or under the argument, or an arrow over it.
bool render_decorated(Formula& f, int kind, Warning error) {
    PlotState& s = f.s;
    TextCursor& c = s.text->cur;
    if (f.pos >= f.n || f.codes[f.pos] != '{') return fail(f, error);
    double width = 0.0, top = 0.0, bottom = 0.0;
    if (!measure_argument(f, width, &top, &bottom)) return false;
    double h = c.str.height - 1.0;
    double e = c.str.raise;
    double v = kind == 1 ? std::min(e - 0.25 * h, bottom - 0.15 * h)
                         : std::max(e + 1.2 * h, top + 0.2 * h);
    text_line(s, 0.0, v, width, v);
    if (kind == 2) {
        double head = std::min(0.3 * h, width / 2.0);
        text_line(s, width - head, v + head / 2.0, width, v);
        text_line(s, width - head, v - head / 2.0, width, v);
    }
    return render_argument(f);
}

int named_colour(const PlotState& s, const char* name) {
    static const char* const kNames[] = {"white",  "red",  "green",   "yellow", "blue",
                                         "orange", "cyan", "magenta", "black"};
    for (int i = 0; i < 9; ++i)
        if (std::strcmp(name, kNames[i]) == 0) return s.colours->named_colours[i];
    if (std::strcmp(name, "fore") == 0) return s.colours->foreground_colour;
    if (std::strcmp(name, "back") == 0) return s.colours->background_colour;
    return -1;
}

// A command after the control character.
bool render_command(Formula& f) {
    PlotState& s = f.s;
    TextCursor& c = s.text->cur;
    char name[24];
    if (read_name(f, name, sizeof name) == 0) return fail(f, warning::formula_unknown_command);
    if (!is_letter(name[0])) {
        double h = c.str.height;
        switch (name[0]) {
            case ',':
                move_along(s, h * 3.0 / 18.0);
                return true;
            case ':':
                move_along(s, h * 4.0 / 18.0);
                return true;
            case ';':
                move_along(s, h * 5.0 / 18.0);
                return true;
            case '!':
                move_along(s, -h * 3.0 / 18.0);
                return true;
            default:
                if (name[0] == control(f) || std::strchr("{}^_%$", name[0])) {
                    draw_code(s, name[0]);
                    return true;
                }
                return fail(f, warning::formula_unknown_command);
        }
    }
    for (const SymbolCommand& g : kGreekCommands)
        if (std::strcmp(name, g.name) == 0) return draw_symbol(f, g.alphabet, g.code), true;
    for (const SymbolCommand& g : kSymbolCommands)
        if (std::strcmp(name, g.name) == 0) return draw_symbol(f, g.alphabet, g.code), true;
    for (const char* fn : kFunctionNames) {
        if (std::strcmp(name, fn) == 0) {
            for (const char* p = fn; *p; ++p) draw_symbol(f, 1, *p);
            return true;
        }
    }
    for (const SizeCommand& size : kSizeCommands) {
        if (std::strcmp(name, size.name) == 0) {
            set_formula_height(s, c.start_height * size.factor);
            return true;
        }
    }
    for (const char* style : kStyleCommands)
        if (std::strcmp(name, style) == 0) return true;
    if (std::strcmp(name, "frac") == 0) return render_fraction(f);
    if (std::strcmp(name, "sqrt") == 0) return render_root(f);
    if (std::strcmp(name, "overline") == 0)
        return render_decorated(f, 0, warning::formula_overstrike);
    if (std::strcmp(name, "underline") == 0)
        return render_decorated(f, 1, warning::formula_understrike);
    if (std::strcmp(name, "vec") == 0) return render_decorated(f, 2, warning::formula_vec);
    if (std::strcmp(name, "quad") == 0) return move_along(s, c.str.height), true;
    if (std::strcmp(name, "qquad") == 0) return move_along(s, 2.0 * c.str.height), true;
    const char* alphabets[] = {"rm", "gr", "cal", "it", "ru"};
    const int numbers[] = {1, 2, 5, 4, 6};
    for (int i = 0; i < 5; ++i) {
        if (std::strcmp(name, alphabets[i]) == 0) {
            c.alphabet = numbers[i];
            return true;
        }
    }
    int colour = named_colour(s, name);
    if (colour >= 0) {
        if (!c.measuring && colour != s.colours->current_colour) set_device_colour(s, colour);
        return true;
    }
    return fail(f, warning::formula_unknown_command);
}

// One element: a group, a command or a character.
bool render_atom(Formula& f) {
    int code = f.codes[f.pos];
    if (code == '{') {
        ++f.pos;
        if (++f.group_depth > kMaxGroupDepth) return fail(f, warning::formula_nested_parentheses);
        int alphabet = f.s.text->cur.alphabet;
        if (!render_list(f, true)) return false;
        f.s.text->cur.alphabet = alphabet;
        --f.group_depth;
        return true;
    }
    ++f.pos;
    if (code == control(f)) return render_command(f);
    draw_code(f.s, code);
    return true;
}

// The argument of a command or script: one group, command or character.
bool render_argument(Formula& f) {
    if (f.pos >= f.n || f.codes[f.pos] == '}' || f.codes[f.pos] == '^' || f.codes[f.pos] == '_')
        return false;
    return render_atom(f);
}

// Exponents and indices after an element: both start at the same place.
bool render_scripts(Formula& f) {
    PlotState& s = f.s;
    TextCursor& c = s.text->cur;
    double start = c.along;
    double end = start;
    while (f.pos < f.n && (f.codes[f.pos] == '^' || f.codes[f.pos] == '_')) {
        bool exponent = f.codes[f.pos] == '^';
        ++f.pos;
        if (++f.script_depth > kMaxScriptDepth) return fail(f, warning::formula_nested_scripts);
        move_along(s, start - c.along);
        double h = c.str.height, raise = c.str.raise;
        if (exponent) {
            c.str.raise += s.text->exponent_shift * h;
            set_formula_height(s, h * s.text->exponent_size);
        } else {
            set_formula_height(s, h * s.text->exponent_size);
            c.str.raise -= s.text->exponent_shift * c.str.height;
        }
        if (!render_argument(f)) return fail(f, warning::formula_scripts);
        end = std::max(end, c.along);
        set_formula_height(s, h);
        c.str.raise = raise;
        --f.script_depth;
    }
    move_along(s, end - c.along);
    return true;
}

bool render_list(Formula& f, bool in_group) {
    while (f.pos < f.n) {
        int code = f.codes[f.pos];
        if (code == '}') {
            if (!in_group) return fail(f, warning::formula_unbalanced);
            ++f.pos;
            return true;
        }
        if (code == '^' || code == '_') {
            if (!render_scripts(f)) return fail(f, warning::formula_scripts);
            continue;
        }
        if (!render_atom(f)) return false;
        if (!render_scripts(f)) return false;
    }
    if (in_group) return fail(f, warning::formula_unbalanced);
    return true;
}

}  // namespace

void draw_formula(PlotState& s, const int* codes, int n) {
    Formula f{s, codes, n};
    if (render_list(f, false)) return;
    s.text->cur.failed = true;
    warn(s, f.error ? f.error : warning::formula_syntax);
}

}  // namespace gvx
