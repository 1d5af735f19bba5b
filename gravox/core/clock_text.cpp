#include "gravox/core/clock_text.h"

namespace gvx {

namespace {

// The last n digits (n <= 4) of v, where v is first brought into 0 .. 9999.
char* put_digits(char* out, int v, int n) {
    v = (v % 10000 + 10000) % 10000;
    for (int k = n - 1; k >= 0; --k) {
        out[k] = static_cast<char>('0' + v % 10);
        v /= 10;
    }
    return out + n;
}

// "a.b.c" with two digits each, or four for the last one when long_last.
void three_fields(char* out, int a, int b, int c, char separator, bool long_last) {
    out = put_digits(out, a, 2);
    *out++ = separator;
    out = put_digits(out, b, 2);
    *out++ = separator;
    out = put_digits(out, c, long_last ? 4 : 2);
    *out = '\0';
}

}  // namespace

DateText date_text(const std::tm& when) {
    DateText text{};
    three_fields(text.date, when.tm_mday, when.tm_mon + 1, when.tm_year + 1900, '.', true);
    three_fields(text.time, when.tm_hour, when.tm_min, when.tm_sec, ':', false);
    return text;
}

void write_date_stamp(TextOut& out, const std::tm& when) {
    out.put("D:").padded(((when.tm_year + 1900) % 10000 + 10000) % 10000, 4, '0');
    const int fields[5] = {when.tm_mon + 1, when.tm_mday, when.tm_hour, when.tm_min, when.tm_sec};
    for (int field : fields) out.padded((field % 100 + 100) % 100, 2, '0');
}

}  // namespace gvx
