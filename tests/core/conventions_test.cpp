// Entry checks, keyword matching, range and date checks, warnings, bounded text.
#include <cstring>

#include "tests/core/frame_fixture.h"

namespace gvx::testing {
namespace {

using Conventions = FrameTest;

TEST_F(Conventions, WarningFormsHaveTheirExactLayout) {
    copy_text(s().frame.routine_name, "graf", 8);
    std::string out = output_of([&] {
        warn(s(), 10);
        warn_int(s(), warning::incorrect_level, 0);
        warn_int(s(), warning::incorrect_parameter, -12345);
        warn_text(s(), warning::incorrect_parameter, "XYZ");
        warn(s(), warning::device_not_supported);
        warn(s(), 169);
        warn_int(s(), warning::undefined_legsel_line, 7);
        warn(s(), 178);  // a number of several rows: its first text
        warn(s(), 59);
        warn(s(), 100);
    });
    EXPECT_EQ(out,
              " <<<< Warning  10: Begin and end of scaling are equal in graf!\n"
              " <<<< Warning   3: Incorrect level in graf!   (   0)\n"
              " <<<< Warning   2: Incorrect parameter in graf!   (-12345)\n"
              " <<<< Warning   2: Incorrect parameter in graf!   (XYZ)\n"
              " <<<< Warning 140: Output device is not supported in graf!\n"
              " <<<< Warning 169: Plotfile does exist in graf!\n"
              " <<<< Warning 149: Undefined legend line by legsel in graf!   (   7)\n"
              " <<<< Warning 178: Syntax error in graf!\n"
              " <<<< Warning  59:   in graf!\n"
              " <<<< Warning 100:   in graf!\n");
    EXPECT_EQ(s().frame.warning_count, 10);
}

// The table: the fixed warnings 1 to 58 in order, then numbers above 100 only, every
// text short enough for one line and no row twice.
TEST(WarningTable, RowsAreNumberedAndDistinct) {
    for (int k = 1; k <= kWarningRows; ++k) {
        const Warning w = warning_at(k);
        const int number = warning_number(w);
        if (k <= kWarningTableSize)
            EXPECT_EQ(number, k);
        else
            EXPECT_GT(number, 100) << warning_text(w);
        const std::string text = warning_text(w);
        EXPECT_FALSE(text.empty()) << number;
        EXPECT_LE(text.size(), 80u) << number;
        for (int j = 1; j < k; ++j) {
            const Warning other = warning_at(j);
            EXPECT_FALSE(warning_number(other) == number && text == warning_text(other))
                << number << " " << text;
        }
        EXPECT_EQ(warning_number(warning_of_number(number)), number);
    }
    EXPECT_FALSE(warning_at(0));
    EXPECT_FALSE(warning_at(kWarningRows + 1));
    EXPECT_FALSE(warning_of_number(59));
    EXPECT_FALSE(warning_of_number(0));
    EXPECT_EQ(warning_number(warning::none), 0);
    EXPECT_STREQ(warning_text(warning::none), "");
}

// The two reports beside the numbered warnings go through the same funnel: the page
// report is counted and silenced with the warnings; the scaling report of the check
// mode is neither.
TEST_F(Conventions, PageAndScalingReportsFollowTheirRules) {
    copy_text(s().frame.routine_name, "messag", 8);
    std::string out = output_of([&] {
        warn_off_page(s(), true, -5, 20, "ABCDEFGHIJ");
        report_outside_scaling(s(), 2e7, 0.5);
    });
    EXPECT_EQ(out,
              " <<<< Warning: Startpoint (   -5/   20) in MESSAG out of page - (ABCDEFGH).\n"
              " <<<< (  2.0000e+07 / 0.500000) out of axis scaling!\n");
    EXPECT_EQ(s().frame.warning_count, 1);
    s().frame.warnings_on = false;
    out = output_of([&] {
        warn_off_page(s(), false, 5, -20, "X");
        report_outside_scaling(s(), 1.0, -2.0);
    });
    EXPECT_EQ(out, " <<<< (1.000000 / -2.000000) out of axis scaling!\n");
    EXPECT_EQ(s().frame.warning_count, 2);
}

TEST_F(Conventions, CallAtWrongLevelIsRefusedWithTheLevel) {
    std::string out = output_of([&] { g_.gvxfin(); });
    EXPECT_EQ(out, " <<<< Warning   3: Incorrect level in gvxfin!   (   0)\n");
    EXPECT_EQ(s().frame.level, 0);
    out = output_of([&] {
        g_.gvxini();
        g_.gvxini();
    });
    EXPECT_NE(out.find(" <<<< Warning   3: Incorrect level in gvxini!   (   1)\n"),
              std::string::npos);
    EXPECT_EQ(s().frame.level, 1);
}

TEST_F(Conventions, RoutineNameIsCutToEightCharacters) {
    check_level(s(), 0, 0, "averylongname");
    EXPECT_STREQ(s().frame.routine_name, "averylon");
}

TEST_F(Conventions, KeywordsMatchOnFourUpperCasedCharacters) {
    const char* list = "COUN+DELE+BREA+VERS";
    EXPECT_EQ(find_keyword(list, 4, "COUNT"), 1);
    EXPECT_EQ(find_keyword(list, 4, "count"), 1);
    EXPECT_EQ(find_keyword(list, 4, "Coun"), 1);
    EXPECT_EQ(find_keyword(list, 4, "VERSION"), 4);
    EXPECT_EQ(find_keyword(list, 4, "COU"), 0);  // padded with a blank: "COU " is no entry
    EXPECT_EQ(find_keyword("OFF +ON  ", 2, "on"), 2);
    EXPECT_EQ(find_keyword("OFF +ON  ", 2, "OFF"), 1);
    EXPECT_EQ(find_keyword("OFF +ON  ", 2, "OFFSET"), 0);  // "OFFS" is no entry
    EXPECT_EQ(find_keyword("OFF +ON  ", 2, "O"), 0);
    EXPECT_EQ(find_keyword("OFF +ON  ", 2, ""), 0);
    EXPECT_EQ(find_keyword("OFF +ON  ", 2, nullptr), 0);
    // Only the given number of entries is searched.
    EXPECT_EQ(find_keyword(list, 2, "VERS"), 0);
}

TEST_F(Conventions, UnmatchedKeywordIsReportedAsWritten) {
    std::string out = output_of([&] { g_.filmod("Sometimes"); });
    EXPECT_EQ(out, " <<<< Warning   2: Incorrect parameter in filmod!   (Sometimes)\n");
    EXPECT_EQ(s().files.file_mode, FileMode::count);
}

TEST_F(Conventions, RangeCheckWithAndWithoutUpperBound) {
    output_of([&] {
        EXPECT_EQ(check_range(s(), 5, 1, 10), 0);
        EXPECT_EQ(check_range(s(), 11, 1, 10), 1);
        EXPECT_EQ(check_range(s(), 0, 1, 10), 1);
        EXPECT_EQ(check_range(s(), 1000000, 1, 0), 0);  // upper below lower: no upper limit
        EXPECT_EQ(check_range(s(), 0, 1, 0), 1);
    });
    EXPECT_EQ(s().frame.warning_count, 3);
}

TEST_F(Conventions, DateCheckNamesTheOffendingValue) {
    std::string out = output_of([&] {
        EXPECT_EQ(check_date(s(), 31, 4, 2020), 0);  // month lengths other than February pass
        EXPECT_EQ(check_date(s(), 29, 2, 2024), 0);
        EXPECT_EQ(check_date(s(), 29, 2, 2000), 0);
        EXPECT_EQ(check_date(s(), 29, 2, 1900), 1);
        EXPECT_EQ(check_date(s(), 30, 2, 2024), 1);
        EXPECT_EQ(check_date(s(), 0, 1, 2020), 1);
        EXPECT_EQ(check_date(s(), 1, 13, 2020), 1);
        EXPECT_EQ(check_date(s(), 1, 1, 999), 1);
    });
    EXPECT_NE(out.find("(  29)"), std::string::npos);
    EXPECT_NE(out.find("(  30)"), std::string::npos);
    EXPECT_NE(out.find("(   0)"), std::string::npos);
    EXPECT_NE(out.find("(  13)"), std::string::npos);
    EXPECT_NE(out.find("( 999)"), std::string::npos);
}

TEST(BoundedText, CopyAppendAndUpperCaseNeverOverrun) {
    char small[6];
    std::memset(small, '#', sizeof small);
    copy_text(small, "abcdefghij", 5);
    EXPECT_STREQ(small, "abcde");
    copy_text(small, "ab", 5);
    EXPECT_STREQ(small, "ab");
    append_text(small, "cdefgh", 5);
    EXPECT_STREQ(small, "abcde");
    append_text(small, "xyz", 5);
    EXPECT_STREQ(small, "abcde");
    copy_text(small, nullptr, 5);
    EXPECT_STREQ(small, "");
    char text[] = "Gravox 10.4 plot-ä";
    upper_case(text);
    EXPECT_STREQ(text, "GRAVOX 10.4 PLOT-ä");
}

TEST_F(Conventions, SuppressedWarningsAreCountedButNotPrinted) {
    g_.gvxini();
    g_.errmod("WARNINGS", "OFF");
    std::string out = output_of([&] {
        g_.filmod("nonsense");
        g_.pagorg("sideways");
    });
    EXPECT_EQ(out, "");
    EXPECT_EQ(s().frame.warning_count, 2);
    out = output_of([&] { g_.gvxfin(); });
    EXPECT_NE(out.find("Warnings: 2 "), std::string::npos);
}

TEST_F(Conventions, UnitRoutesWarnings) {
    g_.gvxini();
    std::FILE* stream = std::tmpfile();
    g_.unit(stream);
    g_.filmod("bad");
    std::fflush(stream);
    std::rewind(stream);
    char line[200] = "";
    ASSERT_NE(std::fgets(line, sizeof line, stream), nullptr);
    EXPECT_STREQ(line, " <<<< Warning   2: Incorrect parameter in filmod!   (bad)\n");
    g_.unit(nullptr);
    EXPECT_EQ(output_of([&] { g_.filmod("bad"); }), "");
    EXPECT_EQ(s().frame.warning_count, 2);
    g_.unit(stdout);
    EXPECT_NE(output_of([&] { g_.filmod("bad"); }), "");
    g_.unit(nullptr);
    output_of([&] { g_.gvxfin(); });
    // A call without an open plot is reported even though warnings were switched off.
    EXPECT_NE(output_of([&] { g_.unit(stdout); }), "");
    std::fclose(stream);
}

TEST_F(Conventions, ErrmodIsPerPlotAndRefusedBeforeGvxini) {
    EXPECT_NE(output_of([&] { g_.errmod("ALL", "OFF"); }), "");
    g_.gvxini();
    g_.errmod("ALL", "OFF");
    EXPECT_FALSE(s().frame.warnings_on);
    EXPECT_FALSE(s().frame.check_on);
    EXPECT_EQ(s().frame.protocol, ProtocolMode::off);
    output_of([&] { g_.gvxfin(); });
    g_.gvxini();
    EXPECT_TRUE(s().frame.warnings_on);
    EXPECT_TRUE(s().frame.check_on);
    EXPECT_EQ(s().frame.protocol, ProtocolMode::on);
    output_of([&] { g_.gvxfin(); });
}

}  // namespace
}  // namespace gvx::testing
