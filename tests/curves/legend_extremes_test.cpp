// Legends under huge finite spacing factors: the measures stay in range and a legend
// too large for any page is refused with warning 2 instead of overflowing.
#include <climits>
#include <functional>

#include "tests/curves/curve_fixture.h"

namespace gvx::testing {
namespace {

class LegendExtremes : public CurveFixture {
  protected:
    void SetUp() override {
        CurveFixture::SetUp();
        const double x[2] = {-10.0, 5.0};
        const double y[2] = {1.0, 1.0};
        output_of([&] {
            g_.legini(buf_, 2, 10);
            g_.leglin(buf_, "ONE", 1);
            g_.leglin(buf_, "TWO", 2);
            g_.curve(x, y, 2);
            g_.curve(x, y, 2);
        });
        rec_->clear();
    }
    char buf_[20];
};

TEST_F(LegendExtremes, HugeFactorsGiveBoundedMeasuresAndARefusedLegend) {
    // Ordinary factors: a legend of ordinary size, drawn without a word.
    EXPECT_GT(g_.nxlegn(buf_), 0);
    EXPECT_LT(g_.nxlegn(buf_), 1000);
    EXPECT_EQ(output_of([&] { g_.legend(buf_, 3); }), "");
    EXPECT_FALSE(polylines().empty());
    rec_->clear();
    const std::function<void()> settings[] = {
        [&] { g_.legval(1e300, "PATT"); }, [&] { g_.legopt(1, 1e300, 1); },
        [&] { g_.linesp(1e300); },         [&] { g_.legval(1e300, "HSPA"); },
        [&] { g_.legval(1e300, "SYMB"); },
    };
    for (const auto& set : settings) {
        output_of([&] {
            g_.legtyp("HORI");
            g_.legini(buf_, 2, 10);
            g_.leglin(buf_, "ONE", 1);
            g_.leglin(buf_, "TWO", 2);
            set();
        });
        const int w = g_.nxlegn(buf_), h = g_.nylegn(buf_);
        EXPECT_GE(w, 0);
        EXPECT_GE(h, 0);
        EXPECT_LE(w, kMaxPlotCoordinate);
        EXPECT_LE(h, kMaxPlotCoordinate);
        const std::string out = output_of([&] { g_.legend(buf_, 3); });
        EXPECT_NE(out.find("Warning   2: Incorrect parameter in legend"), std::string::npos) << out;
        EXPECT_TRUE(polylines().empty());
        rec_->clear();
    }
}

}  // namespace
}  // namespace gvx::testing
