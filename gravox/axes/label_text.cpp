// Texts of axis labels: numbers, exponent forms, logarithmic, my own texts, time,
// map and date labels (layouts documented in axis_system.h).
#include <cmath>
#include <cstdio>
#include <cstring>

#include "gravox/axes/dates.h"
#include "gravox/axes/labels.h"
#include "gravox/core/number_text.h"
#include "gravox/core/state.h"
#include "gravox/text/text.h"

namespace gvx {

namespace {

struct Writer {
    char* out;
    int size;
    int length = 0;
    Writer(char* o, int n) : out(o), size(n) {
        if (size > 0) out[0] = '\0';
    }
    void put(char c) {
        if (length < size - 1) {
            out[length++] = c;
            out[length] = '\0';
        }
    }
    void put(const char* text) {
        for (; *text != '\0'; ++text) put(*text);
    }
};

char exponent_char(const PlotState& s) {
    return static_cast<char>(s.text->mix_chars[mix_exponent]);
}
char reset_char(const PlotState& s) {
    return static_cast<char>(s.text->mix_chars[mix_reset]);
}

// Ten to a power, kept finite.
double power_of_ten(double exponent) {
    if (exponent > 308.0) exponent = 308.0;
    if (exponent < -323.0) exponent = -323.0;
    return std::pow(10.0, exponent);
}

void exponent_label(const PlotState& s, double v, int digits, bool fixed, Writer& w) {
    char mantissa[kNumberTextSize];
    int e = 0;
    exponent_parts(v, digits, mantissa, sizeof mantissa, e);
    char power[16];
    std::snprintf(power, sizeof power, "%d", e);
    w.put(mantissa);
    if (fixed) {
        w.put('E');
        w.put(power);
    } else {
        w.put("*10");
        w.put(exponent_char(s));
        w.put(power);
        w.put(reset_char(s));
    }
}

// Folds a longitude into -180 to 180 (keeping +180) and a latitude into -90 to 90.
double fold_degrees(double v, bool longitude) {
    if (!std::isfinite(v)) return 0.0;
    double l = std::fmod(v + 180.0, 360.0);
    if (l < 0) l += 360.0;
    l -= 180.0;
    if (l == -180.0 && v > 0) l = 180.0;
    if (!longitude) {
        if (l > 90.0) l = 180.0 - l;
        if (l < -90.0) l = -180.0 - l;
    }
    return l;
}

bool all_zero(const char* text) {
    for (; *text != '\0'; ++text)
        if (*text >= '1' && *text <= '9') return false;
    return true;
}

void map_label(const PlotState& s, LabelType type, bool x_axis, double v, int digits, Writer& w) {
    const double folded = fold_degrees(v, x_axis);
    char number[kNumberTextSize];
    const bool signed_form = type == LabelType::degree_map || type == LabelType::plain_map;
    number_text(signed_form ? folded : std::fabs(folded), digits, 0, number, sizeof number);
    w.put(number);
    if (type == LabelType::plain_map) return;
    if (type != LabelType::letter_map) {
        w.put(exponent_char(s));
        w.put('o');
        w.put(reset_char(s));
    }
    if (type == LabelType::degree_map) return;
    if (all_zero(number) || std::fabs(folded) == 180.0) return;
    if (x_axis)
        w.put(folded > 0 ? 'E' : 'W');
    else
        w.put(folded > 0 ? 'N' : 'S');
}

void time_label(LabelType type, const DateLabelMode& mode, double v, Writer& w) {
    if (!std::isfinite(v)) return;
    double seconds = std::floor(std::fabs(v) + 0.5);
    if (seconds > 1e15) seconds = 1e15;
    long long total = static_cast<long long>(seconds);
    long long hours = total / 3600;
    long long minutes = total / 60 % 60;
    long long secs = total % 60;
    if (mode.time == 1) hours %= 24;
    if (v < 0 && total != 0) w.put('-');
    char text[64];
    switch (type) {
        case LabelType::hours:
            std::snprintf(text, sizeof text, "%02lld", hours);
            break;
        case LabelType::seconds:
            std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", hours, minutes, secs);
            break;
        default:
            std::snprintf(text, sizeof text, "%02lld:%02lld", hours, minutes);
            break;
    }
    w.put(text);
}

// Upper or lower case of a Latin-1 text.
void set_case(char* text, int letter_case) {
    for (unsigned char* p = reinterpret_cast<unsigned char*>(text); *p != 0; ++p) {
        bool latin_upper = *p >= 0xC0 && *p <= 0xDE && *p != 0xD7;
        bool latin_lower = *p >= 0xE0 && *p <= 0xFE && *p != 0xF7;
        if (letter_case == 2) {
            if ((*p >= 'a' && *p <= 'z') || latin_lower) *p = static_cast<unsigned char>(*p - 32);
        } else if (letter_case == 3) {
            if ((*p >= 'A' && *p <= 'Z') || latin_upper) *p = static_cast<unsigned char>(*p + 32);
        }
    }
}

}  // namespace

void encode_latin1(const PlotState& s, const char* text, char* out, int size) {
    Writer w(out, size);
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p != 0; ++p) {
        unsigned char c = *p;
        if (c < 128) {
            w.put(static_cast<char>(c));
            continue;
        }
        switch (s.text->coding) {
            case Coding::iso1:
            case Coding::iso2:
            case Coding::iso3:
                // These letters sit at the same places in all three Latin codings.
                w.put(static_cast<char>(c));
                break;
            case Coding::utf8:
                w.put(static_cast<char>(0xC0 | (c >> 6)));
                w.put(static_cast<char>(0x80 | (c & 0x3F)));
                break;
            case Coding::standard: {
                // The library's own codes of the accented letters in use.
                int code = 0;
                switch (c) {
                    case 0xE4:
                        code = 130;
                        break;  // a-umlaut
                    case 0xC4:
                        code = 127;
                        break;  // A-umlaut
                    case 0xE1:
                        code = 153;
                        break;  // a-acute
                    case 0xC1:
                        code = 148;
                        break;  // A-acute
                    case 0xE9:
                        code = 154;
                        break;  // e-acute
                    case 0xC9:
                        code = 149;
                        break;  // E-acute
                    default:
                        break;
                }
                if (code != 0) {
                    w.put(static_cast<char>(code));
                    break;
                }
                [[fallthrough]];
            }
            default:
                // Codings without these letters get their plain forms.
                switch (c) {
                    case 0xE4:
                        w.put("ae");
                        break;
                    case 0xC4:
                        w.put("AE");
                        break;
                    case 0xE1:
                        w.put('a');
                        break;
                    case 0xC1:
                        w.put('A');
                        break;
                    case 0xE9:
                        w.put('e');
                        break;
                    case 0xC9:
                        w.put('E');
                        break;
                    default:
                        w.put('?');
                        break;
                }
                break;
        }
    }
}

void date_text(const PlotState& s, const DateLabelMode& mode, double days, char* out, int size) {
    Writer w(out, size);
    if (!std::isfinite(days)) return;
    if (days > 1e9) days = 1e9;
    if (days < -1e9) days = -1e9;
    const long long number = base_day_number(s) + static_cast<long long>(std::floor(days + 1e-6));
    const CivilDate date = civil_from_days(number);
    const Language language = static_cast<Language>(mode.language);

    char day[48] = "", month[48] = "", year[16] = "";
    switch (mode.day) {
        case 2:
            std::snprintf(day, sizeof day, "%02d", date.day);
            break;
        case 3:
            std::snprintf(day, sizeof day, "%d", date.day);
            break;
        case 4:
            std::snprintf(day, sizeof day, "%s %02d",
                          weekday_name(language, weekday_from_days(number), true), date.day);
            break;
        default:
            break;
    }
    switch (mode.month) {
        case 2:
            std::snprintf(month, sizeof month, "%02d", date.month);
            break;
        case 3:
            std::snprintf(month, sizeof month, "%s", month_name(language, date.month, true));
            break;
        case 4:
            std::snprintf(month, sizeof month, "%s", month_name(language, date.month, false));
            break;
        default:
            break;
    }
    switch (mode.year) {
        case 2:
            std::snprintf(year, sizeof year, "%04d", date.year);
            break;
        case 3:
            std::snprintf(year, sizeof year, "%02d", ((date.year % 100) + 100) % 100);
            break;
        default:
            break;
    }
    set_case(day, mode.letter_case);
    set_case(month, mode.letter_case);

    static constexpr const char* kSeparators[] = {".", "-", "/", " ", ""};
    const char* separator =
        kSeparators[mode.separator >= 1 && mode.separator <= 5 ? mode.separator - 1 : 0];
    const char* parts[3];
    switch (mode.order) {
        case 2:
            parts[0] = month, parts[1] = day, parts[2] = year;
            break;
        case 3:
            parts[0] = year, parts[1] = month, parts[2] = day;
            break;
        default:
            parts[0] = day, parts[1] = month, parts[2] = year;
            break;
    }
    char latin[160];
    Writer l(latin, sizeof latin);
    bool any = false;
    for (const char* part : parts) {
        if (part[0] == '\0') continue;
        if (any) l.put(separator);
        l.put(part);
        any = true;
    }
    encode_latin1(s, latin, out, size);
}

void label_text(const PlotState& s, const AxisSettings& a, bool logarithmic, bool x_axis, int index,
                double value, int digits, char* out, int size) {
    Writer w(out, size);
    const double shown = logarithmic ? power_of_ten(value) : value;
    switch (a.label_type) {
        case LabelType::none:
            return;
        case LabelType::floating:
            number_text(shown, digits, 0, out, size);
            return;
        case LabelType::exponent:
        case LabelType::fixed_exponent:
            exponent_label(s, shown, digits, a.label_type == LabelType::fixed_exponent, w);
            return;
        case LabelType::log:
        case LabelType::centred_log:
            if (logarithmic) {
                char number[kNumberTextSize];
                number_text(value, digits, 0, number, sizeof number);
                w.put("10");
                w.put(exponent_char(s));
                w.put(number);
                w.put(reset_char(s));
            } else {
                number_text(value, digits, 0, out, size);
            }
            return;
        case LabelType::log_exponent:
            number_text(value, digits, 0, out, size);
            return;
        case LabelType::my_labels:
            if (index >= 0 && index < kMyLabelCount) w.put(a.my_labels[index]);
            return;
        case LabelType::time:
        case LabelType::hours:
        case LabelType::seconds:
            time_label(a.label_type, a.date, value, w);
            return;
        case LabelType::map:
        case LabelType::degree_map:
        case LabelType::letter_map:
        case LabelType::plain_map:
            map_label(s, a.label_type, x_axis, value, digits, w);
            return;
        case LabelType::date:
            date_text(s, a.date, value, out, size);
            return;
    }
}

}  // namespace gvx
