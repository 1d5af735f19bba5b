// The glyph tables of the built-in vector fonts: structure, the published
// example records, metrics of the glyphs, and that the committed tables are
// what tools/fontgen makes of the Hershey files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "gravox/text/font_data.h"
#include "tests/support/temp_dir.h"

namespace {

using gvx::AlphabetData;
using gvx::FontData;

struct Point {
    double x;
    double y;
};

struct Stroke {
    int count;   // number of points
    int start;   // 1-based index into the coordinate table
    int ox = 0;  // offset in half units
    int oy = 0;
};

int low(std::int16_t w) {
    return static_cast<std::int8_t>(static_cast<std::uint16_t>(w) & 0xFF);
}
int high(std::int16_t w) {
    return static_cast<std::int8_t>(static_cast<std::uint16_t>(w) >> 8);
}

// The tables an alphabet draws with, after the sharing rules of the loader.
struct Tables {
    const std::int16_t* coords;
    int coord_count;
    const std::int16_t* directory;
    int directory_length;
    int record_count;
};

Tables tables_of(const FontData& font, int alphabet) {
    const AlphabetData& a = font.alphabets[alphabet];
    const AlphabetData& first = font.alphabets[0];
    Tables t{a.coords, a.coord_count, a.directory, a.directory_length, a.record_count};
    if (!a.coords) {
        t.coords = first.coords;
        t.coord_count = first.coord_count;
    }
    if (!a.directory) {
        t.directory = first.directory;
        t.directory_length = first.directory_length;
        t.record_count = first.record_count;
    }
    return t;
}

// Records of a directory, as word vectors; stops at the closing 0.
std::vector<std::vector<std::int16_t>> records_of(const Tables& t) {
    std::vector<std::vector<std::int16_t>> out;
    int i = 0;
    while (i < t.directory_length && t.directory[i] > 0) {
        const int length = t.directory[i];
        out.emplace_back(t.directory + i, t.directory + std::min(i + length, t.directory_length));
        i += length;
    }
    return out;
}

// Decodes the strokes of one record; false when the words do not add up to
// the record's length.
bool strokes_of(const std::vector<std::int16_t>& rec, std::vector<Stroke>* strokes) {
    strokes->clear();
    if (rec.empty() || rec[0] != static_cast<int>(rec.size())) return false;
    size_t i = 1;
    while (i < rec.size()) {
        if (i + 1 >= rec.size()) return false;
        Stroke s{rec[i], rec[i + 1]};
        i += 2;
        if (s.count < 0) {
            if (i >= rec.size()) return false;
            s.ox = low(rec[i]);
            s.oy = high(rec[i]);
            s.count = -s.count;
            ++i;
        }
        if (s.count == 0) return false;
        strokes->push_back(s);
    }
    return true;
}

std::vector<Point> points_of(const Tables& t, const Stroke& s) {
    std::vector<Point> out;
    for (int k = 0; k < s.count; ++k) {
        const std::int16_t w = t.coords[s.start - 1 + k];
        out.push_back({low(w) + s.ox * 0.5, high(w) + s.oy * 0.5});
    }
    return out;
}

// Record of a character of the standard alphabet (slot 2 is code 33).
std::vector<std::int16_t> standard_record(const FontData& font, int code) {
    const auto records = records_of(tables_of(font, 0));
    const size_t index = static_cast<size_t>(code - 33);
    return index < records.size() ? records[index] : std::vector<std::int16_t>{};
}

const FontData* const kFonts[] = {&gvx::kGvxalfFontData, &gvx::kComplxFontData};

TEST(FontTables, SlotAndRecordCountsAndSharing) {
    const FontData& c = gvx::kComplxFontData;
    const FontData& g = gvx::kGvxalfFontData;
    EXPECT_EQ(c.number, 3);
    EXPECT_EQ(g.number, 1);
    const int complx_slots[] = {233, 116, 96, 102, 102, 95};
    const int complx_records[] = {232, 73, 53, 29, 59, 66};
    const int gvxalf_slots[] = {132, 95, 96, 102, 102, 95};
    for (int a = 0; a < gvx::kFontAlphabets; ++a) {
        SCOPED_TRACE(a + 1);
        EXPECT_EQ(c.alphabets[a].slot_count, complx_slots[a]);
        EXPECT_EQ(c.alphabets[a].record_count, complx_records[a]);
        EXPECT_NE(c.alphabets[a].coords, nullptr);  // every complx alphabet has its own table
        EXPECT_NE(c.alphabets[a].directory, nullptr);
        EXPECT_EQ(g.alphabets[a].slot_count, gvxalf_slots[a]);
    }
    EXPECT_EQ(g.alphabets[0].record_count, 101);
    // Greek of gvxalf: own directory over the standard coordinate table.
    EXPECT_EQ(g.alphabets[1].coords, nullptr);
    EXPECT_EQ(g.alphabets[1].coord_count, 0);
    EXPECT_EQ(g.alphabets[1].record_count, 52);
    // Italic of gvxalf: neither table nor directory.
    EXPECT_EQ(g.alphabets[3].coords, nullptr);
    EXPECT_EQ(g.alphabets[3].directory, nullptr);
    EXPECT_EQ(g.alphabets[3].directory_length, 0);
    // Mathematical, script and Cyrillic are the very tables of complx.
    for (int a : {2, 4, 5}) {
        SCOPED_TRACE(a + 1);
        EXPECT_EQ(g.alphabets[a].coords, c.alphabets[a].coords);
        EXPECT_EQ(g.alphabets[a].coord_count, c.alphabets[a].coord_count);
        EXPECT_EQ(g.alphabets[a].directory, c.alphabets[a].directory);
        EXPECT_EQ(g.alphabets[a].directory_length, c.alphabets[a].directory_length);
        EXPECT_EQ(g.alphabets[a].record_count, c.alphabets[a].record_count);
    }
}

TEST(FontTables, RecordsAreWellFormedAndStayInsideTheirTables) {
    for (const FontData* font : kFonts) {
        for (int a = 0; a < gvx::kFontAlphabets; ++a) {
            SCOPED_TRACE("font " + std::to_string(font->number) + " alphabet " +
                         std::to_string(a + 1));
            const Tables t = tables_of(*font, a);
            ASSERT_NE(t.directory, nullptr);
            ASSERT_NE(t.coords, nullptr);
            // The records fill the directory exactly and a word 0 follows it.
            const auto records = records_of(t);
            EXPECT_EQ(static_cast<int>(records.size()), t.record_count);
            size_t total = 0;
            for (const auto& r : records) total += r.size();
            EXPECT_EQ(static_cast<int>(total), t.directory_length);
            EXPECT_EQ(t.directory[t.directory_length], 0);
            for (size_t r = 0; r < records.size(); ++r) {
                std::vector<Stroke> strokes;
                ASSERT_TRUE(strokes_of(records[r], &strokes)) << "record " << r + 2;
                EXPECT_FALSE(strokes.empty()) << "record " << r + 2;
                for (const Stroke& s : strokes) {
                    EXPECT_GE(s.start, 1) << "record " << r + 2;
                    EXPECT_LE(s.start - 1 + s.count, t.coord_count) << "record " << r + 2;
                }
            }
        }
    }
}

TEST(FontTables, PublishedExampleRecords) {
    // complx "A": left serif, legs, the serif again 12 units right, hairline, bar.
    const std::vector<std::int16_t> complx_a{12, 2, 1, 3, 3, -2, 1, 24, 2, 6, 2, 8};
    EXPECT_EQ(standard_record(gvx::kComplxFontData, 'A'), complx_a);
    const Tables ct = tables_of(gvx::kComplxFontData, 0);
    const std::vector<std::pair<int, int>> a_points{{0, 0},  {6, 0},  {2, 0}, {9, 21}, {16, 0},
                                                    {15, 0}, {9, 18}, {4, 6}, {13, 6}};
    for (size_t k = 0; k < a_points.size(); ++k) {
        EXPECT_EQ(low(ct.coords[k]), a_points[k].first) << "entry " << k + 1;
        EXPECT_EQ(high(ct.coords[k]), a_points[k].second) << "entry " << k + 1;
    }

    // complx "!": the dot, the body and a hairline, 5, 5 and 2 points in a row
    // of the table, no offsets. (The coordinate table differs in size from the
    // one the published start index 361 belongs to.)
    const auto bang = standard_record(gvx::kComplxFontData, '!');
    ASSERT_EQ(bang.size(), 7u);
    EXPECT_EQ(bang[0], 7);
    EXPECT_EQ(bang[1], 5);
    EXPECT_EQ(bang[3], 5);
    EXPECT_EQ(bang[5], 2);
    EXPECT_EQ(bang[4], bang[2] + 5);
    EXPECT_EQ(bang[6], bang[2] + 10);
    std::vector<Stroke> strokes;
    ASSERT_TRUE(strokes_of(bang, &strokes));
    const auto dot = points_of(ct, strokes[0]);
    const auto body = points_of(ct, strokes[1]);
    const auto hair = points_of(ct, strokes[2]);
    EXPECT_EQ(dot.front().y, 0);  // the dot sits on the baseline
    for (const Point& p : dot) EXPECT_LE(p.y, 2);
    EXPECT_EQ(dot.front().x, dot.back().x);  // both closed loops
    EXPECT_EQ(body.front().y, body.back().y);
    double body_top = 0;
    for (const Point& p : body) body_top = std::max(body_top, p.y);
    EXPECT_EQ(body_top, 21);
    for (const Point& p : hair) EXPECT_GT(p.y, 2);

    // gvxalf "A": the arch and the bar, both moved by offsets.
    const std::vector<std::int16_t> gvxalf_a{7, -6, 139, 2, -2, 10, 2050};
    EXPECT_EQ(standard_record(gvx::kGvxalfFontData, 'A'), gvxalf_a);
    const Tables gt = tables_of(gvx::kGvxalfFontData, 0);
    const std::vector<std::pair<int, int>> arch{{0, 0}, {0, 6}, {1, 7}, {3, 7}, {4, 6}, {4, 0}};
    for (size_t k = 0; k < arch.size(); ++k) {
        EXPECT_EQ(low(gt.coords[138 + k]), arch[k].first);
        EXPECT_EQ(high(gt.coords[138 + k]), arch[k].second);
    }
    EXPECT_EQ(gt.coords[9], 0);   // (0, 0)
    EXPECT_EQ(gt.coords[10], 4);  // (4, 0)
}

// Extent of a glyph: smallest and largest x and y over all points.
struct Box {
    double x0 = 1e9, x1 = -1e9, y0 = 1e9, y1 = -1e9;
};

Box box_of(const Tables& t, const std::vector<std::int16_t>& rec) {
    Box b;
    std::vector<Stroke> strokes;
    if (!strokes_of(rec, &strokes)) return b;
    for (const Stroke& s : strokes) {
        for (const Point& p : points_of(t, s)) {
            b.x0 = std::min(b.x0, p.x);
            b.x1 = std::max(b.x1, p.x);
            b.y0 = std::min(b.y0, p.y);
            b.y1 = std::max(b.y1, p.y);
        }
    }
    return b;
}

TEST(FontTables, ComplxGlyphMetrics) {
    const Tables t = tables_of(gvx::kComplxFontData, 0);
    for (int c = 'A'; c <= 'Z'; ++c) {
        SCOPED_TRACE(std::string(1, static_cast<char>(c)));
        const Box b = box_of(t, standard_record(gvx::kComplxFontData, c));
        EXPECT_EQ(b.y1, 21);  // capital height
        EXPECT_EQ(b.x0, 0);   // glyphs start at x = 0
        if (c != 'Q' && c != 'J') {
            EXPECT_EQ(b.y0, 0);
        }
    }
    for (int c = 'a'; c <= 'z'; ++c) {
        SCOPED_TRACE(std::string(1, static_cast<char>(c)));
        const Box b = box_of(t, standard_record(gvx::kComplxFontData, c));
        EXPECT_EQ(b.x0, 0);
        EXPECT_GE(b.y1, 14);  // x-height or ascender
        EXPECT_GE(b.y0, -7);  // descenders
    }
    // Every glyph of every complx alphabet starts at x = 0 and stays in a
    // sensible box around the 21-unit grid.
    for (int a = 0; a < gvx::kFontAlphabets; ++a) {
        const Tables at = tables_of(gvx::kComplxFontData, a);
        const auto records = records_of(at);
        for (size_t r = 0; r < records.size(); ++r) {
            SCOPED_TRACE("alphabet " + std::to_string(a + 1) + " record " + std::to_string(r + 2));
            const Box b = box_of(at, records[r]);
            EXPECT_EQ(b.x0, 0);
            EXPECT_LE(b.x1, 40);
            EXPECT_GE(b.y0, -32);  // the large brackets and integrals of alphabet 3
            EXPECT_LE(b.y1, 50);
        }
    }
}

// Accented letters reuse the strokes of their base letters: every stroke of
// the base record appears, with its start index, in the accented record, and
// the accent adds strokes above the base.
TEST(FontTables, AccentedLettersShareTheBaseLetterPoints) {
    const Tables t = tables_of(gvx::kComplxFontData, 0);
    const std::pair<int, int> pairs[] = {{'A', 127}, {'O', 128}, {'a', 130}, {'o', 131},
                                         {'E', 149}, {'e', 154}, {'N', 140}, {'u', 177}};
    for (auto [base, accented] : pairs) {
        SCOPED_TRACE(accented);
        std::vector<Stroke> b, x;
        ASSERT_TRUE(strokes_of(standard_record(gvx::kComplxFontData, base), &b));
        ASSERT_TRUE(strokes_of(standard_record(gvx::kComplxFontData, accented), &x));
        EXPECT_GT(x.size(), b.size());
        for (const Stroke& s : b) {
            const bool found = std::any_of(x.begin(), x.end(), [&](const Stroke& y) {
                return y.start == s.start && y.count == s.count;
            });
            EXPECT_TRUE(found) << "stroke at " << s.start;
        }
        const Box base_box = box_of(t, standard_record(gvx::kComplxFontData, base));
        const Box acc_box = box_of(t, standard_record(gvx::kComplxFontData, accented));
        EXPECT_GT(acc_box.y1, base_box.y1);
    }
}

TEST(FontTables, GvxalfGlyphsLieOnTheGrid) {
    for (int a : {0, 1}) {
        const Tables t = tables_of(gvx::kGvxalfFontData, a);
        const auto records = records_of(t);
        for (size_t r = 0; r < records.size(); ++r) {
            SCOPED_TRACE("alphabet " + std::to_string(a + 1) + " record " + std::to_string(r + 2));
            std::vector<Stroke> strokes;
            ASSERT_TRUE(strokes_of(records[r], &strokes));
            for (const Stroke& s : strokes) {
                // Offsets in whole units: every point lands on a grid point.
                EXPECT_EQ(s.ox % 2, 0);
                EXPECT_EQ(s.oy % 2, 0);
                for (const Point& p : points_of(t, s)) {
                    EXPECT_GE(p.x, 0);
                    EXPECT_LE(p.x, 6);
                    EXPECT_GE(p.y, -2);  // descenders
                    EXPECT_LE(p.y, 7);
                }
            }
        }
    }
    // Capitals fill the grid from the baseline to 7.
    const Tables t = tables_of(gvx::kGvxalfFontData, 0);
    for (int c = 'A'; c <= 'Z'; ++c) {
        const Box b = box_of(t, standard_record(gvx::kGvxalfFontData, c));
        EXPECT_EQ(b.y0, 0) << static_cast<char>(c);
        EXPECT_EQ(b.y1, 7) << static_cast<char>(c);
    }
    // Beyond code 133 the standard alphabet has no records: the walk ends on
    // the closing 0.
    EXPECT_TRUE(standard_record(gvx::kGvxalfFontData, 134).empty());
}

std::string read_all(const std::string& path) {
    std::string text = gvx::testing::read_file(path);
    return text;
}

TEST(FontTables, CommittedTablesAreWhatTheGeneratorMakes) {
    const std::string hershey = "/usr/share/hershey-fonts";
    if (!std::filesystem::exists(hershey + "/timesr.jhf")) {
        GTEST_SKIP() << "the Hershey font files (Debian package hershey-fonts-data) are not "
                        "installed in "
                     << hershey;
    }
    const std::string tool = std::string(GRAVOX_BINARY_DIR) + "/fontgen";
    if (!std::filesystem::exists(tool)) {
        GTEST_SKIP() << "the generator " << tool << " has not been built";
    }
    gvx::testing::TempDir dir;
    const std::string command =
        "\"" + tool + "\" \"" + hershey + "\" \"" + dir.path().string() + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    for (const char* name : {"font_complx_data.cpp", "font_gvxalf_data.cpp"}) {
        SCOPED_TRACE(name);
        const std::string made = read_all(dir.file(name));
        const std::string committed =
            read_all(std::string(GRAVOX_SOURCE_DIR) + "/gravox/text/" + name);
        ASSERT_FALSE(made.empty());
        EXPECT_TRUE(made == committed) << "run fontgen again and commit its output";
    }
}

TEST(FontTables, GeneratorRefusesMissingInput) {
    const std::string tool = std::string(GRAVOX_BINARY_DIR) + "/fontgen";
    if (!std::filesystem::exists(tool)) {
        GTEST_SKIP() << "the generator " << tool << " has not been built";
    }
    gvx::testing::TempDir dir;
    const std::string command = "\"" + tool + "\" \"" + dir.path().string() + "/none\" \"" +
                                dir.path().string() + "\" 2>/dev/null";
    EXPECT_NE(std::system(command.c_str()), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.file("font_complx_data.cpp")));
}

}  // namespace
