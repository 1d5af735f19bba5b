// Finite but extreme values on axes and in numbers: bounds of 1e120, first labels far
// outside the scaling, sixty decades, huge character spacing, and the exact digits of
// values above 2^53. The calls finish and draw what fits; the sanitizer build checks
// that no conversion on the way is out of range.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "gravox/core/number_text.h"
#include "tests/axes/axes_fixture.h"

namespace gvx::testing {
namespace {

// The number rule's text of a whole value: printf's exact digits, with the rule's
// trailing point for 0 digits and none for -1.
std::string exact_text(double value, int digits) {
    char text[400];
    std::snprintf(text, sizeof text, "%.*f", digits > 0 ? digits : 0, value);
    return std::string(text) + (digits == 0 ? "." : "");
}

TEST(NumberTextExtremes, AllDigitsOfLargeValuesAreExact) {
    char out[kNumberTextSize];
    // Powers of two from 2^53 up are whole, and so are their products with 10^d (d <= 3),
    // so each text has one exact answer.
    for (int power = 53; power <= 330; power += 7) {
        const double value = std::ldexp(1.0, power);
        for (int digits : {-1, 0, 1, 3}) {
            if (digits > 0 && value * std::pow(10.0, digits) >= 1e100) continue;
            for (double v : {value, -value}) {
                number_text(v, digits, 0, out, sizeof out);
                EXPECT_EQ(out, exact_text(v, digits).substr(0, sizeof out - 1))
                    << "2^" << power << " with " << digits << " digits";
            }
        }
    }
    number_text(1e30, 0, 0, out, sizeof out);
    EXPECT_STREQ(out, "1000000000000000019884624838656.");
    number_text(36028797018963976.0, -1, 0, out, sizeof out);  // 2^55 + 8
    EXPECT_STREQ(out, "36028797018963976");
    // 1e50 with as many digits as fit in the hundred: the value's own digits first.
    number_text(1e50, 49, 0, out, sizeof out);
    EXPECT_EQ(out, exact_text(1e50, 49));
    number_text(std::numeric_limits<double>::max(), -1, 0, out, sizeof out);
    EXPECT_EQ(std::string(out), exact_text(std::numeric_limits<double>::max(), -1).substr(0, 255));
}

using ExtremeAxes = AxesTest;

TEST_F(ExtremeAxes, HugeBoundsFinishWithoutTicksOutsideTheAxis) {
    const double cases[][8] = {
        {0, 1e120, 0, -1, 0, 1, 0, 1},
        {-1e80, 5, 0, -1000, 0, 1, 0, 1},
        {0, 1, 0, 1, 0, 1, 1e9, 1e300},
    };
    for (const auto& c : cases) {
        output_of([&] { g_.graf(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7]); });
        ASSERT_EQ(s().frame.level, 2);
        // Whatever was drawn lies within the coordinate range: nothing was pinned to the
        // int range, where the next offset would overflow.
        for (const Stroke& t : strokes()) {
            EXPECT_LE(std::fabs(t.x1), kMaxPlotCoordinate + 1e5);
            EXPECT_LE(std::fabs(t.y1), kMaxPlotCoordinate + 1e5);
        }
        output_of([&] { g_.endgrf(); });
        rec_->clear();
    }
}

TEST_F(ExtremeAxes, SixtyDecadesAndNumbersBeyondTwoToThe53) {
    output_of([&] {
        g_.axsscl("LOG", "Y");
        g_.graf(0, 10, 0, 2, -30, 30, -30, 15);
    });
    ASSERT_EQ(s().frame.level, 2);
    EXPECT_GT(strokes().size(), 10u);
    const std::string out = output_of([&] { g_.number(1e30, 0, 100, 100); });
    EXPECT_EQ(out, "");
}

TEST_F(ExtremeAxes, HugeCharacterSpacingKeepsTheLabelBandInRange) {
    output_of([&] {
        g_.chaspc(1e117);
        g_.graf(0, 10, 0, 2, 0, 10, 0, 2);
        g_.name("Name", "XY");
    });
    ASSERT_EQ(s().frame.level, 2);
    output_of([&] { g_.endgrf(); });
    // A name far out is still placed from a band within the coordinate range.
    output_of([&] { g_.graf(0, 10, 0, 2, 0, 10, 0, 2); });
    EXPECT_EQ(s().frame.level, 2);
}

}  // namespace
}  // namespace gvx::testing
