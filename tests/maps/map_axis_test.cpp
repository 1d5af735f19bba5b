// The map axis system on a recording device: fitting the window into the axis
// rectangle, outlines, pos2pt and pt2pos, curves across the antimeridian, the
// graticule, and the warnings of the map routines.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "gravox/core/all_records.h"
#include "gravox/gravox.h"
#include "tests/support/recorded_plot_test.h"

namespace gvx::testing {
namespace {

class MapAxis : public RecordedPlotTest {
  protected:
    void SetUp() override {
        RecordingOptions options;
        options.caps.fills_polygons = true;
        open(options);
        output_of([&] {
            g_.axspos(400, 1800);
            g_.axslen(2001, 1001);
            g_.labels("NONE", "XY");   // outlines only unless a test wants labels
            g_.errmod("WARN", "OFF");  // counted, not printed
        });
    }

    // Opens a map and forgets what it drew.
    void open(const char* projection, double xa, double xe, double ya, double ye) {
        g_.projct(projection);
        g_.grafmp(xa, xe, xa, 30.0, ya, ye, ya, 30.0);
        flush_polyline(s());
        ASSERT_EQ(s().frame.level, 2) << projection;
    }
    using RecordedPlotTest::open;
};

TEST_F(MapAxis, CylindricalWorldFillsTheRectangle) {
    open("CYLI", -180.0, 180.0, -90.0, 90.0);
    // 2 pi by pi radians in 2001 by 1001 units: 1000 / pi units per radian both ways.
    const double corners[][4] = {{-180.0, 90.0, 400.0, 800.0},
                                 {0.0, 0.0, 1400.0, 1300.0},
                                 {180.0, -90.0, 2400.0, 1800.0},
                                 {90.0, 45.0, 1900.0, 1050.0}};
    for (const auto& c : corners) {
        double x, y;
        g_.pos2pt(c[0], c[1], &x, &y);
        EXPECT_NEAR(x, c[2], 1e-6);
        EXPECT_NEAR(y, c[3], 1e-6);
    }
    // The outline is the rectangle: every vertex on its sides.
    g_.endgrf();
    rec_->clear();
    g_.grafmp(-180.0, 180.0, -180.0, 30.0, -90.0, 90.0, -90.0, 30.0);
    flush_polyline(s());
    int vertices = 0, left = 0, right = 0;
    for (const auto& line : rec_->polylines())
        for (const auto& p : line) {
            left += std::fabs(p.x - 400.0) < 1e-6;
            right += std::fabs(p.x - 2400.0) < 1e-6;
            const bool on_side = std::fabs(p.x - 400.0) < 1e-6 || std::fabs(p.x - 2400.0) < 1e-6 ||
                                 std::fabs(p.y - 800.0) < 1e-6 || std::fabs(p.y - 1800.0) < 1e-6;
            EXPECT_TRUE(on_side) << p.x << ", " << p.y;
            ++vertices;
        }
    EXPECT_GT(vertices, 4);
    // Both ends of the window are drawn, each on its own side.
    EXPECT_GE(left, 2);
    EXPECT_GE(right, 2);
}

TEST_F(MapAxis, PositionsConvertBothWays) {
    for (const char* projection : {"MERC", "LAMB", "ROBI", "WINK", "ORTH", "STER"}) {
        SCOPED_TRACE(projection);
        const bool polar = std::string(projection) == "STER";
        open(projection, polar ? -180.0 : -60.0, polar ? 180.0 : 60.0, polar ? 0.0 : 10.0,
             polar ? 90.0 : 70.0);
        for (double lon : {-50.0, 0.0, 35.0})
            for (double lat : {15.0, 40.0, 65.0}) {
                double x, y, back_lon = 999.0, back_lat = 999.0;
                g_.pos2pt(lon, lat, &x, &y);
                g_.pt2pos(x, y, &back_lon, &back_lat);
                EXPECT_NEAR(back_lon, lon, 1e-6);
                EXPECT_NEAR(back_lat, lat, 1e-6);
            }
        g_.endgrf();
    }
    EXPECT_EQ(warnings(), 0);
}

TEST_F(MapAxis, PolarStereographicOutlineIsACircleAroundThePole) {
    open("STER", -180.0, 180.0, 30.0, 90.0);
    double cx, cy;
    g_.pos2pt(0.0, 90.0, &cx, &cy);
    EXPECT_NEAR(cx, 1400.0, 1e-6);  // the pole in the middle
    EXPECT_NEAR(cy, 1300.0, 1e-6);
    rec_->clear();
    g_.endgrf();
    open("STER", -180.0, 180.0, 30.0, 90.0);
    const auto lines = rec_->polylines();
    ASSERT_FALSE(lines.empty());
    for (const auto& line : lines)
        for (const auto& p : line)  // the parallel of 30 degrees fills the height
            EXPECT_NEAR(std::hypot(p.x - cx, p.y - cy), 500.0, 0.5);
}

TEST_F(MapAxis, CurveAcrossTheAntimeridianIsSplitAtTheEdges) {
    open("ROBI", -180.0, 180.0, -90.0, 90.0);
    double left, right, y;
    g_.pos2pt(-180.0, 15.0, &left, &y);
    g_.pos2pt(180.0, 15.0, &right, &y);
    rec_->clear();
    const double lon[] = {160.0, 175.0, -170.0, -160.0};
    const double lat[] = {10.0, 14.0, 17.0, 20.0};
    g_.curvmp(lon, lat, 4);
    flush_polyline(s());
    const auto lines = rec_->polylines();
    ASSERT_EQ(lines.size(), 2u);
    // One piece ends on the right edge, the other starts on the left one; no segment
    // crosses the map.
    EXPECT_NEAR(lines[0].back().x, right, 3.0);
    EXPECT_NEAR(lines[1].front().x, left, 3.0);
    for (const auto& seg : rec_->segments()) EXPECT_LT(std::fabs(seg.x2 - seg.x1), 50.0);
}

TEST_F(MapAxis, CurvesWindingManyTurnsOrBeyondTheNumbersStayOnTheMap) {
    open("CYLI", -180.0, 180.0, -90.0, 90.0);
    rec_->clear();
    // Steps of 170 degrees eastwards: the curve winds round the globe hundreds of times
    // and is drawn once per step, each step inside the map.
    std::vector<double> lon(2000), lat(2000, 10.0);
    for (size_t k = 0; k < lon.size(); ++k) lon[k] = 170.0 * static_cast<double>(k);
    lon[700] = 1e300;  // gaps, not jumps
    lat[900] = std::nan("");
    lon[1100] = -HUGE_VAL;
    g_.curvmp(lon.data(), lat.data(), static_cast<int>(lon.size()));
    flush_polyline(s());
    double drawn = 0.0;
    for (const auto& seg : rec_->segments()) {
        EXPECT_GE(std::min(seg.x1, seg.x2), 400.0 - 1e-6);
        EXPECT_LE(std::max(seg.x1, seg.x2), 2400.0 + 1e-6);
        EXPECT_NEAR(seg.y1, 1300.0 - 10.0 * 1000.0 / 180.0, 1e-6);
        drawn += std::fabs(seg.x2 - seg.x1);
    }
    // 1993 steps of 170 degrees at 1000 / 180 units per degree (six steps lost to gaps).
    EXPECT_NEAR(drawn, 1993 * 170.0 * 1000.0 / 180.0, 1.0);
    EXPECT_EQ(warnings(), 0);
}

TEST_F(MapAxis, LongCurvesFollowTheProjectionAndStopAtTheWindow) {
    open("MERC", -90.0, 90.0, -60.0, 60.0);
    double x0, y0;
    g_.pos2pt(-90.0, 60.0, &x0, &y0);
    rec_->clear();
    // From the window's west edge at 30 N far beyond its north edge: cut at 60 N.
    const double lon[] = {-90.0, -90.0};
    const double lat[] = {30.0, 80.0};
    g_.curvmp(lon, lat, 2);
    flush_polyline(s());
    const auto lines = rec_->polylines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NEAR(lines[0].back().y, y0, 1e-6);
    EXPECT_GE(lines[0].size(), 30u);  // one point per degree
}

TEST_F(MapAxis, GraticuleLinesLieInsideTheOutline) {
    open("MOLL", -180.0, 180.0, -90.0, 90.0);
    rec_->clear();
    g_.gridmp(1, 1);
    flush_polyline(s());
    const auto lines = rec_->polylines();
    // 13 meridians from -180 to 180 and 5 parallels from -60 to 60: pieces that do not
    // go on where the previous device polyline ended.
    int pieces = 0;
    for (size_t k = 0; k < lines.size(); ++k)
        if (k == 0 || std::hypot(lines[k].front().x - lines[k - 1].back().x,
                                 lines[k].front().y - lines[k - 1].back().y) > 1e-9)
            ++pieces;
    EXPECT_EQ(pieces, 18);
    // Every point lies within Mollweide's ellipse.
    const MapState& m = *s().maps;
    const double a = 2.0 * std::sqrt(2.0) * m.proj.radius * m.scale;
    const double b = std::sqrt(2.0) * m.proj.radius * m.scale;
    for (const auto& line : lines)
        for (const auto& p : line) {
            const double ex = (p.x - m.x_mid) / a, ey = (p.y - m.y_mid) / b;
            EXPECT_LE(ex * ex + ey * ey, 1.0 + 1e-6);
        }
}

TEST_F(MapAxis, LabelsNameMeridiansAndParallels) {
    g_.labels("MAP", "XY");
    g_.projct("CYLI");
    rec_->clear();
    g_.grafmp(-180.0, 180.0, -180.0, 60.0, -90.0, 90.0, -90.0, 30.0);
    flush_polyline(s());
    // Ink below the map (meridian labels) and left of it (parallel labels).
    int below = 0, left = 0;
    for (const auto& seg : rec_->segments()) {
        if (seg.y1 > 1805.0) ++below;
        if (seg.x1 < 395.0) ++left;
    }
    EXPECT_GT(below, 50);
    EXPECT_GT(left, 50);
}

// A first label so far from the window that the multiples of the step no longer differ
// by one: no label and no grid line, and the calls end (they used to loop for ever).
TEST_F(MapAxis, OriginsFarFromTheWindowGiveNoLabels) {
    g_.labels("MAP", "XY");
    g_.projct("CYLI");
    rec_->clear();
    g_.grafmp(-15.0, 10.0, 8.3e256, 3.75, 0.0, 8.0, -1e300, 2.0);
    g_.gridmp(1, 1);
    flush_polyline(s());
    ASSERT_EQ(s().frame.level, 2);
    for (const auto& seg : rec_->segments()) {  // the outline only
        EXPECT_GE(std::min(seg.x1, seg.x2), 400.0 - 1e-6);
        EXPECT_LE(std::max(seg.y1, seg.y2), 1800.0 + 1e-6);
    }
}

// Label ink of circle maps: the distances from the map's centre of everything grafmp
// drew with labels, in the four quarters of the page around the centre.
struct RingInk {
    int outside = 0, inside = 0;
    int quarters[4] = {0, 0, 0, 0};
};

RingInk ring_ink(const Recording& rec, double cx, double cy, double r) {
    RingInk ink;
    for (const auto& seg : rec.segments()) {
        const double d = std::hypot(seg.x1 - cx, seg.y1 - cy);
        if (d > r + 2.0) {
            ++ink.outside;
            ++ink.quarters[(seg.x1 > cx ? 1 : 0) + (seg.y1 > cy ? 2 : 0)];
        } else if (d < r - 2.0) {
            ++ink.inside;
        }
    }
    return ink;
}

TEST_F(MapAxis, OnAHemisphereTheEquatorAndThePrimeMeridianHaveDifferentNames) {
    g_.labels("MAP", "XY");
    char meridian[64], equator[64], parallel[64];
    auto names = [&] {
        ASSERT_TRUE(map_label_text(s(), 0.0, true, 30.0, meridian, sizeof meridian));
        ASSERT_TRUE(map_label_text(s(), 0.0, false, 30.0, equator, sizeof equator));
        ASSERT_TRUE(map_label_text(s(), 30.0, false, 30.0, parallel, sizeof parallel));
    };
    // Both are labelled round the circle of the hemisphere.
    g_.mappol(20.0, 40.0);
    open("ORTH", -180.0, 180.0, -90.0, 90.0);
    names();
    EXPECT_STRNE(meridian, equator);
    EXPECT_STREQ(equator, "EQ");
    EXPECT_NE(std::string(parallel).find('N'), std::string::npos);
    g_.endgrf();
    // On a rectangle the equator keeps its degrees, written left of the map.
    open("CYLI", -180.0, 180.0, -90.0, 90.0);
    names();
    EXPECT_STREQ(meridian, equator);
    // A short buffer gets what fits.
    char two[2];
    g_.endgrf();
    open("ORTH", -180.0, 180.0, -90.0, 90.0);
    ASSERT_TRUE(map_label_text(s(), 0.0, false, 30.0, two, sizeof two));
    EXPECT_STREQ(two, "E");
}

TEST_F(MapAxis, ScaleBarIsTrueAlongTheMeridianAndRefusesWhatItCannotDraw) {
    // The world on 2000 plot units: a degree of latitude, 6371 pi / 180 km, is
    // 2000 / 360 units, so 1000 km are 49.96 units.
    open("CYLI", -180.0, 180.0, -90.0, 90.0);
    rec_->clear();
    g_.sclmap(1000.0, 500, 1500);
    flush_polyline(s());
    const double h = s().text->height / 2.0;
    double lo = 1e9, hi = -1e9;
    int below = 0;
    for (const auto& seg : rec_->segments()) {
        if (seg.y1 > 1500.5 || seg.y2 > 1500.5) {
            ++below;  // the labels
            continue;
        }
        EXPECT_GE(std::min(seg.y1, seg.y2), 1500.0 - h - 0.5);
        lo = std::min({lo, seg.x1, seg.x2});
        hi = std::max({hi, seg.x1, seg.x2});
    }
    EXPECT_NEAR(lo, 500.0, 0.5);
    EXPECT_NEAR(hi - lo, 1000.0 / (6371.0 * std::numbers::pi / 180.0) * 2000.0 / 360.0, 0.6);
    EXPECT_GT(below, 10);
    EXPECT_EQ(rec_->count(Call::fill_box), 2);  // the first and third quarter
    EXPECT_EQ(warnings(), 0);
    // A length not above 0, and one longer than any page.
    rec_->clear();
    g_.sclmap(0.0, 500, 1500);
    g_.sclmap(std::nan(""), 500, 1500);
    g_.sclmap(1e9, 500, 1500);
    flush_polyline(s());
    EXPECT_EQ(warnings(), 3);
    EXPECT_EQ(rec_->count(Call::draw), 0);
    EXPECT_EQ(rec_->count(Call::fill_box), 0);
}

TEST_F(MapAxis, CircleMapsAreLabelledAroundTheCircleAndPolarParallelsInside) {
    g_.labels("MAP", "XY");
    double cx, cy;
    {
        // A hemisphere: meridians and parallels outside the circle where they meet
        // it, all the way round; nothing inside.
        g_.mappol(20.0, 40.0);
        open("ORTH", -180.0, 180.0, -90.0, 90.0);
        g_.endgrf();
        rec_->clear();
        open("ORTH", -180.0, 180.0, -90.0, 90.0);
        g_.pos2pt(20.0, 40.0, &cx, &cy);
        const RingInk ink = ring_ink(*rec_, cx, cy, 500.0);
        EXPECT_EQ(ink.inside, 0);
        for (int q : ink.quarters) EXPECT_GT(q, 20);
        g_.endgrf();
    }
    {
        // Around the north pole down to 30 N: meridians outside, parallels inside to
        // the right of the central meridian below the pole.
        g_.mappol(0.0, 90.0);
        rec_->clear();
        open("STER", -180.0, 180.0, 30.0, 90.0);
        g_.pos2pt(0.0, 90.0, &cx, &cy);
        const RingInk ink = ring_ink(*rec_, cx, cy, 500.0);
        for (int q : ink.quarters) EXPECT_GT(q, 20);
        EXPECT_GT(ink.inside, 20);  // the label of 60 N
        for (const auto& seg : rec_->segments())
            if (std::hypot(seg.x1 - cx, seg.y1 - cy) < 498.0) {
                EXPECT_GT(seg.x1, cx);
                EXPECT_GT(seg.y1, cy - 20.0);
            }
        // gridmp writes them again over what was drawn since: its last ink is a label
        // right of the central meridian, not a parallel.
        rec_->clear();
        g_.gridmp(0, 1);
        flush_polyline(s());
        const auto segs = rec_->segments();
        ASSERT_FALSE(segs.empty());
        EXPECT_GT(segs.back().x1, cx);
        const double r = std::hypot(segs.back().x1 - cx, segs.back().y1 - cy);
        EXPECT_LT(r, 498.0);
        g_.endgrf();
    }
    {
        // The whole globe around a point away from the pole: labels outside and
        // parallels inside.
        g_.mappol(20.0, 40.0);
        rec_->clear();
        open("AZIM", -180.0, 180.0, -90.0, 90.0);
        g_.pos2pt(20.0, 40.0, &cx, &cy);
        const RingInk ink = ring_ink(*rec_, cx, cy, 500.0);
        EXPECT_GT(ink.outside, 50);
        EXPECT_GT(ink.inside, 20);
        g_.endgrf();
    }
}

TEST_F(MapAxis, LinesEndOnTheHorizonOfAHemisphere) {
    // Meridians over the whole globe on the hemisphere around 20 E, 40 N: each visible
    // piece ends on the horizon circle (radius 500), not up to a degree short of it.
    g_.mappol(20.0, 40.0);
    for (const char* projection : {"ORTH", "STER"}) {
        open(projection, -180.0, 180.0, -90.0, 90.0);
        double cx, cy;
        g_.pos2pt(20.0, 40.0, &cx, &cy);
        rec_->clear();
        g_.gridmp(1, 0);
        flush_polyline(s());
        const auto lines = rec_->polylines();
        ASSERT_GT(lines.size(), 5u) << projection;
        int ends_on_horizon = 0;
        for (const auto& line : lines)
            for (const auto* p : {&line.front(), &line.back()}) {
                const double r = std::hypot(p->x - cx, p->y - cy);
                EXPECT_LE(r, 500.01) << projection;
                if (std::fabs(r - 500.0) < 0.01) ++ends_on_horizon;
            }
        // Each of the twelve meridians runs from the hidden south pole to the visible
        // north pole and crosses the horizon once, where one of its pieces ends.
        EXPECT_GE(ends_on_horizon, 12) << projection;
        g_.endgrf();
    }
}

TEST_F(MapAxis, MeridianLabelsOfCurvedWorldMapsKeepClearOfTheOutline) {
    // The pole line of Robinson's map is not labelled: the gap below the map and the
    // strip just above the bottom left of the pole line hold no ink.
    g_.labels("MAP", "XY");
    rec_->clear();
    open("ROBI", -180.0, 180.0, -90.0, 90.0);
    double x0, bottom;
    g_.pos2pt(-180.0, -90.0, &x0, &bottom);
    const double gap = s().axes->axis[0].label_distance;
    int row = 0;
    for (const auto& seg : rec_->segments()) {
        if (seg.y1 > bottom + 0.5 && seg.y1 < bottom + gap / 2.0) ADD_FAILURE() << seg.y1;
        if (seg.y1 > bottom + gap) ++row;
        // Nothing of a pole label left of the pole line's end.
        if (seg.x1 < x0 - 60.0 && seg.y1 > bottom - 5.0 && seg.y1 < bottom + 0.5)
            ADD_FAILURE() << seg.x1 << " " << seg.y1;
    }
    EXPECT_GT(row, 50);
}

TEST_F(MapAxis, MapRoutinesRefuseBadArgumentsAndChangeNothing) {
    // Windows no map can show.
    g_.grafmp(10.0, 10.0, 0.0, 30.0, -90.0, 90.0, 0.0, 30.0);
    g_.grafmp(-180.0, 180.0, 0.0, 30.0, -95.0, 90.0, 0.0, 30.0);
    g_.grafmp(0.0, 400.0, 0.0, 30.0, -90.0, 90.0, 0.0, 30.0);
    EXPECT_EQ(s().frame.level, 1);
    EXPECT_EQ(warnings(), 3);
    EXPECT_FALSE(s().maps->active);
    // Parallels symmetric about the equator.
    g_.mapref(-20.0, 20.0);
    EXPECT_FALSE(s().maps->parallels_set);
    g_.projct("NONE");
    EXPECT_EQ(s().maps->projection, Projection::cylindrical);
    g_.mapsph(-1.0);
    EXPECT_EQ(s().maps->radius, 6371.0);
    EXPECT_EQ(warnings(), 6);
    // Map routines inside a rectangular system.
    g_.graf(0.0, 1.0, 0.0, 1.0, 0.0, 1.0, 0.0, 1.0);
    flush_polyline(s());
    rec_->clear();
    const double lon[] = {0.0, 1.0};
    g_.curvmp(lon, lon, 2);
    g_.gridmp(1, 1);
    g_.borders("ALL");
    double x = 7.0, y = 7.0;
    g_.pos2pt(0.0, 0.0, &x, &y);
    EXPECT_EQ(x, 7.0);
    EXPECT_EQ(warnings(), 10);
    flush_polyline(s());
    EXPECT_EQ(rec_->count(Call::draw), 0);
    g_.endgrf();
    // A point outside the map leaves the outputs alone.
    open("ORTH", -180.0, 180.0, -90.0, 90.0);
    double lon_out = 5.0, lat_out = 5.0;
    g_.pt2pos(0.0, 0.0, &lon_out, &lat_out);
    EXPECT_EQ(lon_out, 5.0);
    EXPECT_EQ(warnings(), 11);
    // An unknown kind of border draws nothing.
    flush_polyline(s());
    rec_->clear();
    g_.borders("RIVERS");
    flush_polyline(s());
    EXPECT_EQ(warnings(), 12);
    EXPECT_EQ(rec_->count(Call::draw), 0);
}

}  // namespace
}  // namespace gvx::testing
