// Legends: the buffer, the records that curves leave, the measures, the placement of
// box, samples and texts, and the consistency warnings.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "gravox/core/all_records.h"
#include "gravox/gravox.h"
#include "gravox/text/text.h"
#include "tests/curves/curve_fixture.h"

namespace gvx::testing {
namespace {

using Points = std::vector<Recording::Point>;

class LegendTest : public CurveFixture {
  protected:
    // n curves of two points each, one legend line per curve.
    void curves(int n, int lines = -1) {
        if (lines < 0) lines = n;
        const double x[2] = {-10.0, 5.0};
        const double y[2] = {1.0, 1.0};
        output_of([&] {
            for (int i = 1; i <= n; ++i) {
                if (i <= lines) g_.leglin(buf_, texts_[(i - 1) % 4], i);
                g_.curve(x, y, 2);
            }
        });
        rec_->clear();
    }
    // Draws the legend and returns what it printed.
    std::string draw(int ncor = 0) {
        return output_of([&] { g_.legend(buf_, ncor); });
    }
    // The polylines whose vertices all lie within a band of y.
    std::vector<Points> in_band(double y0, double y1) {
        std::vector<Points> out;
        for (const auto& line : polylines()) {
            bool inside = !line.empty();
            for (auto p : line) inside = inside && p.y >= y0 && p.y <= y1;
            if (inside) out.push_back(line);
        }
        return out;
    }
    // Smallest x and y of the strokes in a band right of a given x.
    Recording::Point corner(double x0, double y0, double y1) {
        Recording::Point c{1e9, 1e9};
        for (const auto& line : in_band(y0, y1))
            for (auto p : line)
                if (p.x >= x0) c = {std::min(c.x, p.x), std::min(c.y, p.y)};
        return c;
    }

    char buf_[256];
    const char* texts_[4] = {"ONE", "TWO", "THREE", "FOUR"};
};

TEST_F(LegendTest, WorkedExampleOfFourEntries) {
    output_of([&] {
        g_.legini(buf_, 4, 50);
        g_.legtit("Legend");
    });
    curves(4);
    g_.legpos(1000, 650);
    EXPECT_EQ(g_.nylegn(buf_), 335);
    const int E = g_.nxlegn(buf_);
    EXPECT_EQ(draw(4), "");

    const auto lines = polylines();
    // The box: upper left corner (1000, 650), width E - 2, height 333.
    auto box = std::find_if(lines.begin(), lines.end(), [](const Points& l) {
        return l.size() == 5 && l[0].x == 1000 && l[0].y == 650;
    });
    ASSERT_NE(box, lines.end());
    EXPECT_DOUBLE_EQ((*box)[2].x, 1000 + E - 3);
    EXPECT_DOUBLE_EQ((*box)[2].y, 650 + 332);

    // Samples from (1028, 777) to (1172, 777), each further one 54 units lower.
    for (int k = 0; k < 4; ++k) {
        const double y = 777 + 54 * k;
        const auto sample = in_band(y, y);
        ASSERT_EQ(sample.size(), 1u) << k;
        EXPECT_DOUBLE_EQ(sample[0].front().x, 1028);
        EXPECT_DOUBLE_EQ(sample[0].back().x, 1172);
    }
    // Texts start at (1208, 759): their capitals reach up to the given y.
    for (int k = 0; k < 4; ++k) {
        const double top = 759 + 54 * k;
        const auto c = corner(1180, top - 10, top + 40);
        EXPECT_NEAR(c.y, top, 1.0) << k;
        EXPECT_GE(c.x, 1208) << k;
        EXPECT_LE(c.x, 1214) << k;
    }
    // The title's capital L starts at the top of the title line, 678.
    EXPECT_NEAR(corner(1000, 660, 740).y, 678, 1.0);
}

TEST_F(LegendTest, HeightWithAndWithoutTitle) {
    output_of([&] { g_.legini(buf_, 4, 50); });
    curves(4);
    EXPECT_EQ(g_.nylegn(buf_), 335);  // the default title "Legende"
    g_.legtit("");
    EXPECT_EQ(g_.nylegn(buf_), 254);
}

TEST_F(LegendTest, MoreLinesThanCurvesWarnsWithTheDifference) {
    output_of([&] { g_.legini(buf_, 3, 50); });
    curves(2, 3);
    g_.legpos(1000, 650);
    EXPECT_EQ(draw(),
              " <<<< Warning  42: More legend lines than calls to curve in legend!   (   1)\n");
    EXPECT_FALSE(polylines().empty());  // drawn all the same
}

TEST_F(LegendTest, PositionCodesAndLegpos) {
    output_of([&] { g_.legini(buf_, 2, 50); });
    curves(2);
    // Without legpos the code must lie in 1..8.
    EXPECT_EQ(draw(12), " <<<< Warning   2: Incorrect parameter in legend!   (  12)\n");
    EXPECT_TRUE(polylines().empty());

    // Code 7: upper right inside the axis system, m = 18 from its right end 2473 and its
    // top end 400.
    const int E = g_.nxlegn(buf_);
    EXPECT_EQ(draw(7), "");
    auto lines = polylines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const Points& l) {
        return l.size() == 5 && l[0].x == 2473 - 18 - E && l[0].y == 418;
    }));

    // With legpos any code is accepted.
    g_.legpos(1000, 650);
    rec_->clear();
    EXPECT_EQ(draw(0), "");
    EXPECT_EQ(draw(12), "");
    EXPECT_FALSE(polylines().empty());
}

TEST_F(LegendTest, TitleWiderThanTheEntriesCentresThem) {
    output_of([&] {
        g_.legini(buf_, 2, 50);
        g_.legtit("A RATHER LONG TITLE FOR TWO ENTRIES");
    });
    const double x[2] = {-10.0, 5.0};
    const double y[2] = {1.0, 1.0};
    output_of([&] {
        g_.leglin(buf_, "A", 1);
        g_.curve(x, y, 2);
        g_.leglin(buf_, "B", 2);
        g_.curve(x, y, 2);
    });
    const double title = text_length(s(), "A RATHER LONG TITLE FOR TWO ENTRIES");
    const double widest = std::max(text_length(s(), "A"), text_length(s(), "B"));
    const int E = g_.nxlegn(buf_);
    EXPECT_EQ(E, static_cast<int>(54 + title) + 2);
    EXPECT_TRUE(s().legend->title_wider);
    g_.legpos(1000, 650);
    rec_->clear();
    EXPECT_EQ(draw(), "");
    // The entries (sample of 5 heights and text) are centred in the box.
    const int x0 = 1000 + (E - static_cast<int>(5 * 36 + static_cast<int>(widest))) / 2;
    const auto sample = in_band(777, 777);
    ASSERT_EQ(sample.size(), 1u);
    EXPECT_DOUBLE_EQ(sample[0].front().x, x0);
}

TEST_F(LegendTest, NoSamplesWithAZeroPatternLength) {
    output_of([&] {
        g_.legini(buf_, 2, 50);
        g_.legtit("");
        g_.legval(0.0, "PATT");
    });
    curves(2);
    g_.legpos(1000, 650);
    EXPECT_EQ(draw(), "");
    // Without a title the entries start at 650 + 27 + 1 = 678, the samples would be at 696.
    EXPECT_TRUE(in_band(696, 696).empty());
    // The texts start at the left edge of the entries.
    const auto c = corner(1000, 668, 718);
    EXPECT_NEAR(c.y, 678, 1.0);
    EXPECT_GE(c.x, 1028);
    EXPECT_LE(c.x, 1034);
}

TEST_F(LegendTest, SymbolOnlyEntriesMoveLeft) {
    output_of([&] {
        g_.legini(buf_, 2, 50);
        g_.incmrk(-1);
        g_.marker(0);
    });
    curves(2);
    EXPECT_EQ(s().legend->records[0].line_type, -1);
    EXPECT_EQ(s().legend->records[1].symbol, 1);  // symbols advance with the curves
    g_.legpos(1000, 650);
    EXPECT_EQ(draw(), "");
    // S = floor(36 * (4 - 0.8) / 4) = 28: the square of height floor(36 * 0.8) = 28 is
    // centred at (1028 + 72 - 28, 777), and the text starts at 1208 - 28.
    const auto squares = in_band(777 - 14, 777 + 14);
    ASSERT_FALSE(squares.empty());
    const Points& square = squares[0];  // drawn before the texts
    ASSERT_EQ(square.size(), 5u);
    auto [left, right] =
        std::minmax_element(square.begin(), square.end(), [](auto a, auto b) { return a.x < b.x; });
    auto [top, bottom] =
        std::minmax_element(square.begin(), square.end(), [](auto a, auto b) { return a.y < b.y; });
    EXPECT_DOUBLE_EQ(left->x, 1072 - 14);
    EXPECT_DOUBLE_EQ(right->x, 1072 + 14);
    EXPECT_DOUBLE_EQ(top->y, 777 - 14);
    EXPECT_DOUBLE_EQ(bottom->y, 777 + 14);
    const auto c = corner(1150, 749, 799);
    EXPECT_GE(c.x, 1180);
    EXPECT_LE(c.x, 1186);
    EXPECT_EQ(s().curves->marker_size, 36);  // restored
}

TEST_F(LegendTest, ThickCurveGivesAThickSample) {
    output_of([&] {
        g_.legini(buf_, 1, 50);
        g_.thkcrv(3);
    });
    curves(1);
    g_.legpos(1000, 650);
    EXPECT_EQ(draw(), "");
    for (double y : {777.0, 776.0, 778.0}) {
        const auto pass = in_band(y, y);
        ASSERT_EQ(pass.size(), 1u) << y;
        EXPECT_DOUBLE_EQ(pass[0].front().x, 1028);
    }
    EXPECT_EQ(s().prims->line_offset, 0.0);
}

TEST_F(LegendTest, ThirtyFirstCurveIsCountedButNotRecorded) {
    output_of([&] {
        g_.legini(buf_, 30, 8);
        g_.chncrv("COLOR");
    });
    for (int k = 1; k <= 30; ++k) g_.clrcyc(k, 40 + k);
    curves(31, 30);
    EXPECT_EQ(s().legend->recorded_count, 31);
    EXPECT_EQ(s().legend->records[29].colour, 70);
    g_.legpos(100, 100);
    EXPECT_EQ(draw(), "");  // 30 lines, 31 curves: no warning 42

    // endgrf starts the records of the next axis system at 1.
    g_.endgrf();
    EXPECT_EQ(s().legend->recorded_count, 0);
    EXPECT_EQ(s().curves->legend_curve_number, 1);
}

TEST_F(LegendTest, BufferIsWrittenOnlyWhereLeginiSaid) {
    std::memset(buf_, '#', sizeof buf_);
    std::string out = output_of([&] {
        g_.legini(buf_, 31, 8);
        g_.legini(buf_, 2, 257);
        g_.leglin(buf_, "TEXT", 1);
    });
    EXPECT_EQ(out,
              " <<<< Warning   2: Incorrect parameter in legini!   (  31)\n"
              " <<<< Warning   2: Incorrect parameter in legini!   ( 257)\n"
              " <<<< Warning  15: No call to legini before in leglin!\n");
    EXPECT_EQ(buf_[0], '#');

    // A character array too small for the lines is refused.
    char small[100];
    std::memset(small, '#', sizeof small);
    out = output_of([&] { g_.legini(small, 3, 50); });
    EXPECT_EQ(out, " <<<< Warning  17: Not enough store for the legend buffer in legini!\n");
    EXPECT_EQ(small[0], '#');
    EXPECT_FALSE(s().legend->ready);

    g_.legini(buf_, 5, 50);
    EXPECT_EQ(buf_[0], '\0');
    EXPECT_EQ(std::string(buf_ + 1, 249), std::string(249, ' '));
    EXPECT_EQ(buf_[250], '#');

    g_.leglin(buf_, "Critical Matter   ", 5);  // trailing blanks do not count
    EXPECT_EQ(std::string(buf_ + 200, 50), "Critical Matter" + std::string(35, ' '));
    EXPECT_EQ(buf_[250], '#');
    g_.leglin(buf_, "First", 1);
    EXPECT_EQ(std::string(buf_, 6), "First ");

    out = output_of([&] { g_.leglin(buf_, std::string(51, 'x').c_str(), 2); });
    EXPECT_NE(out.find("Warning  16: Too long string for legend line in leglin!   (xxx"),
              std::string::npos);
    EXPECT_EQ(std::string(buf_ + 50, 50), std::string(50, ' '));

    // Through a pointer and a size the same check applies.
    out = output_of([&] { g_.leglin(LegendBuffer(buf_, 200), "Late", 5); });
    EXPECT_NE(out.find("Warning  17"), std::string::npos);
}

TEST_F(LegendTest, LegtypOnlyBeforeLegini) {
    g_.legtyp("HORI");
    EXPECT_TRUE(s().legend->horizontal);
    g_.legini(buf_, 2, 20);
    const std::string out = output_of([&] { g_.legtyp("VERT"); });
    EXPECT_EQ(out, " <<<< Warning 182: legtyp must be called before legini in legtyp!\n");
    EXPECT_TRUE(s().legend->horizontal);
}

TEST_F(LegendTest, HorizontalAndMultiLineMeasures) {
    output_of([&] {
        g_.legtyp("HORI");
        g_.mixleg();
        g_.legini(buf_, 2, 20);
        g_.legtit("");
    });
    curves(2);
    g_.leglin(buf_, "UP/DOWN", 1);
    const double w1 = std::max(text_length(s(), "UP"), text_length(s(), "DOWN"));
    const double w2 = text_length(s(), "TWO");
    // Width: margins 54, both texts, one gap of 72, two sample columns of 180, frame 2.
    EXPECT_EQ(g_.nxlegn(buf_), static_cast<int>(54 + w1 + w2 + 72) + 2 * 180 + 2);
    // Height: one row of two sub-lines.
    EXPECT_EQ(g_.nylegn(buf_), static_cast<int>(36 + 54 + 54 + 2 + 0.5));
}

TEST_F(LegendTest, ExplicitEntriesAndSelections) {
    output_of([&] {
        g_.legini(buf_, 3, 20);
        g_.leglin(buf_, "ONE", 1);
        g_.leglin(buf_, "TWO", 2);
        g_.legpat(2, 1, -1, 7, -1, 1);
        g_.legpat(-1, 1, 5, -1, -1, 3);
    });
    EXPECT_TRUE(s().legend->explicit_entries);
    EXPECT_EQ(s().legend->records[0].dash_count, 2);
    EXPECT_EQ(s().legend->records[0].colour, 7);
    g_.legpos(1000, 650);
    const int lines[2] = {1, 4};
    g_.legsel(lines, 2);
    EXPECT_EQ(draw(),
              " <<<< Warning 149: Undefined legend line in legend!   (   2)\n"
              " <<<< Warning 149: Undefined legend line by legsel in legend!   (   4)\n");
    // Curves leave no records while the entries are explicit.
    curves(1, 0);
    EXPECT_EQ(s().legend->recorded_count, 0);
}

TEST_F(LegendTest, LegendRoutinesNeedLegini) {
    const std::string out = output_of([&] {
        g_.legtit("T");
        g_.legpos(1, 1);
        g_.legend(buf_, 1);
        EXPECT_EQ(g_.nxlegn(buf_), 0);
        g_.legopt(1.0, 1.0, 1.0);
        g_.legval(1.0, "PATT");
        g_.legpat(0, 1, 0, 0, -1, 1);
    });
    std::size_t count = 0;
    for (std::size_t at = out.find("Warning  15"); at != std::string::npos;
         at = out.find("Warning  15", at + 1))
        ++count;
    EXPECT_EQ(count, 7u);
}

}  // namespace
}  // namespace gvx::testing
