// Drawing a number: the number-to-text rule of the axis labels under the number mode of
// `numfmt` and `numode`, drawn as a string; and the routines `number`, `numfmt`, `numode`.
#include "gravox/core/number_text.h"
#include "gravox/core/state.h"
#include "gravox/gravox.h"
#include "gravox/text/text.h"

namespace gvx {

void format_number(const PlotState& s, double value, int digits, char* out, int size) {
    const TextState& t = *s.text;
    format_number(t.numbers, static_cast<char>(t.mix_chars[mix_exponent]),
                  static_cast<char>(t.mix_chars[mix_reset]), value, digits, out, size);
}

void draw_number(PlotState& s, double value, int digits, double x, double y) {
    char text[kNumberTextSize];
    format_number(s, value, digits, text, static_cast<int>(sizeof text));
    draw_text(s, text, x, y);
}

}  // namespace gvx

using namespace gvx;

void Gravox::number(double value, int digits, int x, int y) {
    if (refused("number", 1, 3)) return;
    PlotState& s = state();
    if (check_range(s, digits, -1, kMaxNumberDigits) != 0) return;
    char text[kNumberTextSize];
    format_number(s, value, digits, text, sizeof text);

    // The exponent forms are written with the exponent characters, so these are
    // switched on (and the formula mode off) for this one drawing; EQUA draws with
    // fixed spacing 0.7. Everything is put back afterwards.
    TextState& t = *s.text;
    const bool mix_on = t.mix_on, formula = t.formula_mode, fixed = t.fixed;
    const double fixed_factor = t.fixed_factor;
    if (s.text->numbers.format == NumberFormat::exponent ||
        s.text->numbers.format == NumberFormat::log) {
        t.mix_on = true;
        t.formula_mode = false;
    }
    if (s.text->numbers.equal_spacing) {
        t.fixed = true;
        t.fixed_factor = 0.7;
    }
    messag(text, x, y);
    t.mix_on = mix_on;
    t.formula_mode = formula;
    t.fixed = fixed;
    t.fixed_factor = fixed_factor;
}

void Gravox::numfmt(const char* format) {
    if (refused("numfmt", 1, 3)) return;
    PlotState& s = state();
    int index = match_keyword(s, "FLOA+EXP +FEXP+LOG ", 4, format);
    if (index == 0) return;
    s.text->numbers.format = static_cast<NumberFormat>(index);
}

void Gravox::numode(const char* decimal, const char* grouping, const char* sign,
                    const char* spacing) {
    if (refused("numode", 1, 3)) return;
    PlotState& s = state();
    int d = match_keyword(s, "POIN+COMM", 2, decimal);
    if (d == 0) return;
    int g = match_keyword(s, "NONE+SPAC+POIN+COMM", 4, grouping);
    if (g == 0) return;
    int c = match_keyword(s, "NONE+SPAC+PLUS", 3, sign);
    if (c == 0) return;
    int e = match_keyword(s, "NOEQ+EQUA", 2, spacing);
    if (e == 0) return;
    NumberMode& mode = s.text->numbers;
    mode.decimal = d == 1 ? '.' : ',';
    static constexpr char kGrouping[] = {0, ' ', '.', ','};
    mode.grouping = kGrouping[g - 1];
    static constexpr char kSign[] = {0, ' ', '+'};
    mode.sign = kSign[c - 1];
    mode.equal_spacing = e == 2;
}
