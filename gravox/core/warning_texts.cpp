// Numbers and texts of the warning table.
#include "gravox/core/warning_texts.h"

namespace gvx {

namespace {

struct Entry {
    int number;
    const char* text;
};

constexpr Entry kEntries[] = {{0, ""},
#define GVX_WARNING_ENTRY(name, number, text) {number, text},
                              GVX_WARNINGS(GVX_WARNING_ENTRY)
#undef GVX_WARNING_ENTRY
};

static_assert(sizeof(kEntries) / sizeof(kEntries[0]) == static_cast<int>(WarningRow::count));

const Entry& entry(Warning w) {
    const auto k = static_cast<int>(w.row);
    return kEntries[k > 0 && k < static_cast<int>(WarningRow::count) ? k : 0];
}

}  // namespace

int warning_number(Warning w) {
    return entry(w).number;
}

const char* warning_text(Warning w) {
    return entry(w).text;
}

Warning warning_at(int k) {
    if (k < 1 || k > kWarningRows) return warning::none;
    return Warning{static_cast<WarningRow>(k)};
}

Warning warning_of_number(int number) {
    if (number <= 0) return warning::none;
    for (int k = 1; k <= kWarningRows; ++k)
        if (kEntries[k].number == number) return warning_at(k);
    return warning::none;
}

}  // namespace gvx
