// The writers' number formatting must give the bytes of the printf conversions it
// replaces, for every finite double and every integer, including across the buffer's
// block boundary.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "gravox/core/sink.h"
#include "gravox/core/text_out.h"

namespace {

std::string printed(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string printed(const char* format, ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

TEST(TextOut, FixedDecimalsEqualPrintfForRandomAndSpecialDoubles) {
    gvx::MemorySink sink;
    std::string expected;
    {
        gvx::TextOut out(&sink);
        std::mt19937_64 random(7);
        const double special[] = {0.0,    -0.0,   0.5,     1.5,    2.5,        0.125,
                                  0.005,  0.015,  1e300,   -1e300, 5e-324,     1e-7,
                                  2969.0, 2099.5, -0.0049, 0.0051, 1234567.125};
        for (double v : special)
            for (int d = 0; d <= 6; ++d) {
                out.fixed(v, d).put(';');
                expected += printed("%.*f;", d, v);
            }
        for (int i = 0; i < 200000; ++i) {
            double v;
            std::uint64_t bits = random();
            switch (i % 3) {
                case 0:
                    std::memcpy(&v, &bits, sizeof v);
                    break;
                case 1:
                    v = static_cast<double>(static_cast<std::int64_t>(bits % 2000000) - 1000000) /
                        1000.0;
                    break;
                default:
                    v = std::ldexp(static_cast<double>(bits % 100000),
                                   static_cast<int>(bits % 60) - 30);
            }
            if (!std::isfinite(v)) continue;
            int d = static_cast<int>(bits >> 60) % 4;
            out.fixed(v, d).put(' ');
            expected += printed("%.*f ", d, v);
        }
    }
    ASSERT_EQ(sink.bytes().size(), expected.size());
    EXPECT_TRUE(sink.bytes() == expected);
}

// The integer path of fixed: exact ties of the binary value round to even, carries run
// through every digit, and the limits of the path (2^53, subnormals, the largest
// decimals it takes) agree with the general conversion beyond them.
TEST(TextOut, FixedRoundsTiesToEvenAndCarriesAtThePathsLimits) {
    gvx::MemorySink sink;
    std::string expected;
    {
        gvx::TextOut out(&sink);
        std::mt19937_64 random(11);
        for (int i = 0; i < 100000; ++i) {
            const std::uint64_t bits = random();
            // Dyadic values j / 2^s: the scaled value often ends exactly in one half.
            double v = std::ldexp(static_cast<double>(bits % 4000001) - 2000000.0,
                                  -static_cast<int>((bits >> 59) % 16));
            const int d = static_cast<int>((bits >> 40) % 5);
            out.fixed(v, d).put(' ');
            expected += printed("%.*f ", d, v);
        }
        const double edges[] = {0.0005,
                                0.0015,
                                0.9995,
                                9.9995,
                                99.995,
                                999.5,
                                0.05,
                                -0.05,
                                0.45,
                                4503599627370495.5,
                                9007199254740991.0,
                                9007199254740992.0,
                                9007199254740994.0,
                                -9007199254740993.0,
                                2.2250738585072014e-308,
                                4.9e-324,
                                1e22,
                                -999999.9995,
                                0.1,
                                0.7};
        for (double v : edges)
            for (int d = 0; d <= 5; ++d) {
                out.fixed(v, d).put(';');
                expected += printed("%.*f;", d, v);
            }
    }
    EXPECT_TRUE(sink.bytes() == expected);
}

// The in-line conversion of a writer's loop: every length of the whole part, carries
// into a new digit, exact ties, the 2^32 limit of its scaled value and what lies beyond
// it (large, tiny, signed zero), each against printf.
template <int Decimals>
std::string inline_fixed_mismatches(const std::vector<double>& values) {
    std::string wrong;
    char text[gvx::TextOut::kFixedChars + 8];
    for (double v : values) {
        char* end = gvx::TextOut::fixed_at<Decimals>(text, v);
        const std::string got(text, static_cast<std::size_t>(end - text));
        const std::string want = printed("%.*f", Decimals, v);
        if (got != want) wrong += got + " instead of " + want + "\n";
    }
    return wrong;
}

TEST(TextOut, InlineFixedEqualsPrintfAcrossItsRange) {
    std::vector<double> values = {
        0.0,    -0.0,  5e-324, 1e-300, 0.0004, 0.00049, 0.0005,
        0.0049, 0.005, 0.05,   0.5,    1e300,  -1e300,  9007199254740991.0};
    // Around every power of ten, where the whole part gains a digit by rounding.
    for (double power = 1.0; power <= 1e12; power *= 10.0)
        for (double step : {-0.5, -0.05, -0.005, -0.0005, -0.0001, 0.0, 0.0001, 0.0005})
            for (double sign : {1.0, -1.0}) values.push_back(sign * (power + step));
    // Around the largest scaled value the in-line path takes, for each count of decimals.
    for (double limit : {4294967295.0, 429496729.5, 42949672.95, 4294967.295})
        for (double delta : {-1e-3, -1e-6, 0.0, 1e-6, 1e-3, 1.0})
            for (double sign : {1.0, -1.0}) values.push_back(sign * (limit + delta));
    std::mt19937_64 random(23);
    for (int i = 0; i < 100000; ++i) {
        const std::uint64_t bits = random();
        // Exact binary fractions (many ties), and plot coordinates of every size.
        values.push_back(std::ldexp(static_cast<double>(bits % 20000001) - 10000000.0,
                                    -static_cast<int>((bits >> 56) % 12)));
        values.push_back(std::ldexp(static_cast<double>(bits >> 11) * 0x1p-53,
                                    static_cast<int>((bits >> 3) % 48) - 8));
    }
    EXPECT_EQ(inline_fixed_mismatches<0>(values), "");
    EXPECT_EQ(inline_fixed_mismatches<1>(values), "");
    EXPECT_EQ(inline_fixed_mismatches<2>(values), "");
    EXPECT_EQ(inline_fixed_mismatches<3>(values), "");
}

TEST(TextOut, FixedInAFieldPadsOnTheLeftOnly) {
    gvx::MemorySink sink;
    std::string expected;
    {
        gvx::TextOut out(&sink);
        const double values[] = {10.4, 3.25, -7.0, 123456.789, 0.0};
        for (double v : values)
            for (int width : {0, 4, 9, 12}) {
                out.fixed(v, 1, width).put('|').fixed(v, 3, width).put('|');
                expected += printed("%*.1f|%*.3f|", width, v, width, v);
            }
    }
    EXPECT_EQ(sink.bytes(), expected);
}

TEST(TextOut, IntegersPaddingAndHex) {
    gvx::MemorySink sink;
    std::string expected;
    {
        gvx::TextOut out(&sink);
        // Every digit count of the in-line conversion and both sides of its 2^32 limit.
        const long long values[] = {
            0,       1,          -1,          7,          -42,         99,        100,
            -999,    9999,       10000,       -10001,     99999,       -100000,   INT_MAX,
            INT_MIN, 4294967295, -4294967295, 4294967296, -4294967296, LLONG_MAX, LLONG_MIN};
        for (long long v : values) {
            out.integer(v).put('|').padded(v, 5).put('|').padded(v, 4, '0').put('|').hex2(
                static_cast<unsigned>(v));
            expected += printed("%lld|%5lld|%04lld|%02x", v, v, v, static_cast<unsigned>(v) & 255u);
        }
    }
    EXPECT_EQ(sink.bytes(), expected);
}

TEST(TextOut, LongTextCrossesBlocksAndCountsBytes) {
    gvx::MemorySink sink;
    std::string text(200000, 'x');
    for (std::size_t i = 0; i < text.size(); i += 7) text[i] = static_cast<char>('a' + i % 26);
    gvx::TextOut out(&sink);
    out.put('<').put(text).put('>');
    EXPECT_EQ(out.count(), text.size() + 2);
    out.flush();
    EXPECT_EQ(sink.bytes(), "<" + text + ">");
}

TEST(TextOut, ShortestTextReadsBackAsTheSameDouble) {
    std::mt19937_64 random(19);
    gvx::MemorySink sink;
    std::vector<double> values = {0.0, -0.0, 1.0 / 3.0, 1e-9, 2968.999999999, 5e-324, 1e308};
    for (int i = 0; i < 2000; ++i) {
        std::uint64_t bits = random();
        double v;
        std::memcpy(&v, &bits, sizeof v);
        if (std::isfinite(v)) values.push_back(v);
    }
    {
        gvx::TextOut out(&sink);
        for (double v : values) out.shortest(v).put(' ');
    }
    const std::string& text = sink.bytes();
    std::size_t at = 0;
    for (double v : values) {
        const std::size_t end = text.find(' ', at);
        ASSERT_NE(end, std::string::npos);
        const std::string field = text.substr(at, end - at);
        EXPECT_EQ(std::strtod(field.c_str(), nullptr), v) << field;
        EXPECT_EQ(std::signbit(std::strtod(field.c_str(), nullptr)), std::signbit(v)) << field;
        // No longer than the shortest printf form that reads back.
        EXPECT_LE(field.size(), printed("%.17g", v).size()) << field;
        at = end + 1;
    }
    EXPECT_EQ(text.substr(0, 2), "0 ");
    EXPECT_EQ(text.substr(2, 3), "-0 ");
}

}  // namespace
