// Numbers to text, digit counts, label texts of every family, and the date routines.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "gravox/axes/dates.h"
#include "gravox/axes/labels.h"
#include "gravox/core/number_text.h"
#include "gravox/text/text.h"
#include "tests/axes/axes_fixture.h"

namespace gvx::testing {
namespace {

std::string text_of(double value, int digits, int width = 0) {
    char out[kNumberTextSize];
    number_text(value, digits, width, out, sizeof out);
    return out;
}

TEST(NumberText, FollowsTheRoundingAndPointRules) {
    EXPECT_EQ(text_of(-15, 1), "-15.0");
    EXPECT_EQ(text_of(0.5, 1), "0.5");
    EXPECT_EQ(text_of(2.84, 1), "2.8");
    EXPECT_EQ(text_of(5, 0), "5.");
    EXPECT_EQ(text_of(5, -1), "5");
    EXPECT_EQ(text_of(0.05, 2), "0.05");
    EXPECT_EQ(text_of(0.05, 4), "0.0500");
    EXPECT_EQ(text_of(1234.5678, 2), "1234.57");
    EXPECT_EQ(text_of(0, 3), "0.000");
    EXPECT_EQ(text_of(0, -1), "0");
    EXPECT_EQ(text_of(0.4, -1), "0");
    EXPECT_EQ(text_of(0.5, 0), "1.");
}

TEST(NumberText, NegativeValuesThatRoundToZeroLoseTheirSign) {
    EXPECT_EQ(text_of(-0.04, 1), "0.0");
    EXPECT_EQ(text_of(-0.4, -1), "0");
    EXPECT_EQ(text_of(-0.0, 2), "0.00");
    // With a field width the sign is kept and the text right-aligned.
    EXPECT_EQ(text_of(-0.04, 1, 6), "  -0.0");
    EXPECT_EQ(text_of(2.5, 1, 6), "   2.5");
}

TEST(NumberText, StaysInsideItsBufferWhateverTheArguments) {
    char small[5];
    std::memset(small, 'x', sizeof small);
    number_text(-123456.789, 3, 0, small, sizeof small);
    EXPECT_STREQ(small, "-123");
    char out[kNumberTextSize];
    number_text(1e300, 100, 0, out, sizeof out);  // the scaled value overflows
    EXPECT_EQ(std::strlen(out), sizeof out - 1);  // 301 digits, cut to the buffer
    // Digits after the point give way so that a large value keeps its integer part.
    number_text(1e50, 100, 0, out, sizeof out);
    EXPECT_EQ(out[0], '1');
    EXPECT_EQ(std::strchr(out, '.') - out, 51);
    number_text(std::nan(""), 1, 0, out, sizeof out);
    EXPECT_STREQ(out, "NaN");
    number_text(-HUGE_VAL, 1, 0, out, sizeof out);
    EXPECT_STREQ(out, "-Inf");
    number_text(1.0, 1, 0, out, 0);  // no room at all: nothing is written
}

TEST(AutoDigits, CountsTheDigitsThatShowAValue) {
    EXPECT_EQ(auto_digits(0.5), 1);
    EXPECT_EQ(auto_digits(2.84), 2);
    EXPECT_EQ(auto_digits(0.05), 2);
    EXPECT_EQ(auto_digits(5), -1);
    EXPECT_EQ(auto_digits(-15), -1);
    EXPECT_EQ(auto_digits(0), -1);
    EXPECT_EQ(auto_digits(0.25), 2);
    EXPECT_EQ(auto_digits(1.5), 1);
    EXPECT_EQ(auto_digits(2.78), 2);
    EXPECT_EQ(auto_digits(std::nan("")), -1);
}

TEST(ExponentParts, SplitsIntoMantissaAndPowerOfTen) {
    char m[64];
    int e = 0;
    exponent_parts(12345.0, 2, m, sizeof m, e);
    EXPECT_STREQ(m, "1.23");
    EXPECT_EQ(e, 4);
    exponent_parts(-0.00032, 1, m, sizeof m, e);
    EXPECT_STREQ(m, "-3.2");
    EXPECT_EQ(e, -4);
    exponent_parts(0.0, 1, m, sizeof m, e);
    EXPECT_STREQ(m, "0.0");
    EXPECT_EQ(e, 0);
    // A mantissa that rounds to ten moves to the next power, also without a point.
    exponent_parts(9.97, 1, m, sizeof m, e);
    EXPECT_STREQ(m, "1.0");
    EXPECT_EQ(e, 1);
    exponent_parts(970.0, -1, m, sizeof m, e);
    EXPECT_STREQ(m, "1");
    EXPECT_EQ(e, 3);
    exponent_parts(1000.0, 1, m, sizeof m, e);  // log10 exactly on a power
    EXPECT_STREQ(m, "1.0");
    EXPECT_EQ(e, 3);
}

TEST(NumberMode, DecimalCharacterGroupingAndSign) {
    NumberMode mode;
    char out[64];
    mode.decimal = ',';
    mode.grouping = '.';
    apply_number_mode(mode, "1234567.1234", out, sizeof out);
    EXPECT_STREQ(out, "1.234.567,123.4");
    mode.grouping = ' ';
    mode.sign = '+';
    apply_number_mode(mode, "123.5", out, sizeof out);
    EXPECT_STREQ(out, "+123,5");
    apply_number_mode(mode, "-1234", out, sizeof out);
    EXPECT_STREQ(out, "-1 234");
}

class NumberFormatTest : public AxesTest {
  protected:
    std::string formatted(double v, int digits) {
        char out[kNumberTextSize];
        format_number(s(), v, digits, out, sizeof out);
        return out;
    }
};

TEST_F(NumberFormatTest, FollowsNumfmtAndNumode) {
    EXPECT_EQ(formatted(-15, 1), "-15.0");
    g_.numfmt("EXP");
    EXPECT_EQ(formatted(1500, 1), "1.5*10[3$");
    g_.numfmt("fexp");
    EXPECT_EQ(formatted(-0.025, 2), "-2.50E-2");
    g_.numfmt("LOG");
    EXPECT_EQ(formatted(3, -1), "10[3$");
    g_.numfmt("FLOAT");
    g_.numode("COMMA", "POINT", "PLUS", "NOEQUAL");
    EXPECT_EQ(formatted(12345.25, 2), "+12.345,25");
    std::string out = output_of([&] { g_.numode("COMMA", "POINT", "PLUS", "BAD"); });
    EXPECT_NE(out.find("Warning   2"), std::string::npos);
    EXPECT_EQ(formatted(12345.25, 2), "+12.345,25");  // the refused call changed nothing
}

TEST_F(NumberFormatTest, NumberDrawsAndRefusesBadDigitCounts) {
    std::string out = output_of([&] { g_.number(3.25, 101, 500, 500); });
    EXPECT_NE(out.find("Warning   2: Incorrect parameter in number!   ( 101)"), std::string::npos);
    flush_polyline(s());
    EXPECT_EQ(rec_->count(Call::draw), 0);
    g_.number(3.25, 2, 500, 500);
    flush_polyline(s());
    EXPECT_GT(rec_->count(Call::draw), 0);
    EXPECT_FALSE(s().text->mix_on);  // switched on only for exponent forms, and back
}

class LabelTextTest : public AxesTest {
  protected:
    std::string label(LabelType type, double v, int digits = 1, bool log = false, bool x = true,
                      int index = 0) {
        AxisSettings a;
        a.label_type = type;
        a.date = mode;
        if (type == LabelType::my_labels) std::strcpy(a.my_labels[1], "second");
        char out[kLabelTextLength + 1];
        label_text(s(), a, log, x, index, v, digits, out, sizeof out);
        return out;
    }
    DateLabelMode mode;
};

TEST_F(LabelTextTest, NumberFamilies) {
    const char* expected[] = {"-15.0", "-10.0", "-5.0", "0.0", "5.0", "10.0"};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(label(LabelType::floating, -15 + 5 * i), expected[i]);
    EXPECT_EQ(label(LabelType::floating, 2, 1, true), "100.0");
    EXPECT_EQ(label(LabelType::exponent, 2, 1, true), "1.0*10[2$");
    EXPECT_EQ(label(LabelType::fixed_exponent, 25000, 1), "2.5E4");
    EXPECT_EQ(label(LabelType::log, 3, -1, true), "10[3$");
    EXPECT_EQ(label(LabelType::centred_log, -2, -1, true), "10[-2$");
    EXPECT_EQ(label(LabelType::log_exponent, 3, -1, true), "3");
    EXPECT_EQ(label(LabelType::my_labels, 0, 1, false, true, 1), "second");
    EXPECT_EQ(label(LabelType::my_labels, 0, 1, false, true, 2), "");
}

TEST_F(LabelTextTest, TimeAndMapFamilies) {
    EXPECT_EQ(label(LabelType::time, 3725), "01:02");
    EXPECT_EQ(label(LabelType::hours, 7200), "02");
    EXPECT_EQ(label(LabelType::seconds, 3725), "01:02:05");
    EXPECT_EQ(label(LabelType::time, 90000), "01:00");  // folded into the day
    mode.time = 2;
    EXPECT_EQ(label(LabelType::time, 90000), "25:00");
    EXPECT_EQ(label(LabelType::seconds, -61), "-00:01:01");

    EXPECT_EQ(label(LabelType::map, 30, -1), "30[o$E");
    EXPECT_EQ(label(LabelType::map, -45, -1, false, false), "45[o$S");
    EXPECT_EQ(label(LabelType::map, 200, -1), "160[o$W");               // folded into -180..180
    EXPECT_EQ(label(LabelType::map, 100, -1, false, false), "80[o$N");  // over the pole
    EXPECT_EQ(label(LabelType::map, 0, -1), "0[o$");
    EXPECT_EQ(label(LabelType::map, 180, -1), "180[o$");
    EXPECT_EQ(label(LabelType::degree_map, -30, -1), "-30[o$");
    EXPECT_EQ(label(LabelType::letter_map, -30, -1), "30W");
    EXPECT_EQ(label(LabelType::plain_map, 200, -1), "-160");
}

TEST_F(LabelTextTest, DatesInThreeLanguages) {
    g_.basdat(1, 1, 2024);
    EXPECT_EQ(label(LabelType::date, 0), "01.01.2024");
    EXPECT_EQ(label(LabelType::date, 59), "29.02.2024");  // a leap year
    EXPECT_EQ(label(LabelType::date, 59.99), "29.02.2024");
    EXPECT_EQ(label(LabelType::date, 59.9999999), "01.03.2024");  // next day within rounding
    mode.month = 3;                                               // short names
    mode.separator = 4;
    EXPECT_EQ(label(LabelType::date, 31), "01 Feb 2024");
    mode.language = 2;
    EXPECT_EQ(label(LabelType::date, 70), "11 M\x82r 2024");  // a-umlaut in the font's own code
    mode.language = 3;
    mode.month = 4;
    mode.letter_case = 2;
    mode.order = 3;
    mode.separator = 2;
    mode.year = 3;
    EXPECT_EQ(label(LabelType::date, 200), "24-JULIO-19");
    mode = DateLabelMode{};
    mode.day = 4;
    mode.language = 3;
    mode.month = 1;
    mode.year = 1;
    EXPECT_EQ(label(LabelType::date, 3), "jue 04");  // 4 January 2024 was a Thursday
    g_.chacod("UTF8");
    mode.day = 4;
    EXPECT_EQ(label(LabelType::date, 5),
              "s\xC3\xA1"
              "b 06");
}

TEST_F(AxesTest, DateRoutinesCountFromTheBaseDate) {
    EXPECT_EQ(g_.incdat(1, 1, 1900), 0);
    EXPECT_EQ(g_.incdat(1, 3, 1900), 59);  // 1900 was no leap year
    g_.basdat(1, 1, 2000);
    EXPECT_EQ(g_.incdat(1, 3, 2000), 60);  // 2000 was one
    EXPECT_EQ(g_.incdat(31, 12, 1999), -1);
    EXPECT_EQ(g_.nwkday(7, 12, 2026), 1);  // a Monday
    EXPECT_EQ(g_.nwkday(1, 1, 2000), 6);   // a Saturday
    // 31 April passes the date check and counts as 1 May.
    EXPECT_EQ(g_.incdat(31, 4, 2000), g_.incdat(1, 5, 2000));
    std::string out = output_of([&] { EXPECT_EQ(g_.incdat(29, 2, 2001), 0); });
    EXPECT_NE(out.find("Warning   2: Incorrect parameter in incdat!   (  29)"), std::string::npos);
    output_of([&] { g_.basdat(1, 13, 2000); });
    EXPECT_EQ(s().axes->base_month, 1);  // refused
    EXPECT_EQ(s().axes->base_year, 2000);
}

TEST(Calendar, DayNumbersRoundTrip) {
    for (long long d = -800000; d <= 800000; d += 997) {
        CivilDate c = civil_from_days(d);
        EXPECT_EQ(days_from_civil(c.year, c.month, c.day), d);
    }
    EXPECT_EQ(days_from_civil(1970, 1, 1), 0);
    EXPECT_EQ(days_from_civil(2024, 13, 1), days_from_civil(2025, 1, 1));
    EXPECT_EQ(weekday_from_days(0), 4);  // a Thursday
}

}  // namespace
}  // namespace gvx::testing
