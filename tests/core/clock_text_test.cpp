// The clock as the file headers and the closing protocol write it: fixed widths for
// any clock, also one that returns fields out of their ranges.
#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "gravox/core/clock_text.h"
#include "gravox/core/sink.h"

namespace {

std::tm clock_of(int year, int month, int day, int hour, int minute, int second) {
    std::tm when{};
    when.tm_year = year - 1900;
    when.tm_mon = month - 1;
    when.tm_mday = day;
    when.tm_hour = hour;
    when.tm_min = minute;
    when.tm_sec = second;
    return when;
}

std::string stamp_of(const std::tm& when) {
    gvx::MemorySink sink;
    {
        gvx::TextOut out(&sink);
        gvx::write_date_stamp(out, when);
    }
    return sink.bytes();
}

TEST(ClockText, DateAndTimeKeepTheirWidths) {
    const gvx::DateText plain = gvx::date_text(clock_of(2026, 3, 7, 9, 5, 1));
    EXPECT_STREQ(plain.date, "07.03.2026");
    EXPECT_STREQ(plain.time, "09:05:01");
    EXPECT_EQ(stamp_of(clock_of(2026, 3, 7, 9, 5, 1)), "D:20260307090501");
    // Fields out of range keep their last digits instead of widening the text.
    const std::tm odd = clock_of(12345, 123, -5, 100, -1, 61);
    const gvx::DateText wrapped = gvx::date_text(odd);
    EXPECT_STREQ(wrapped.date, "95.23.2345");
    EXPECT_STREQ(wrapped.time, "00:99:61");
    EXPECT_EQ(stamp_of(odd), "D:23452395009961");
}

}  // namespace
