// The clear-text CGM: a small reader written from the encoding's grammar (elements
// ended by ";" or "/", blanks, commas and newlines as separators, quoted strings,
// comments between "%" signs, points as "x,y" or "(x,y)") reads every CGM back to its
// lines and areas, which are checked against the scene.
#include <cctype>
#include <map>

#include "gravox/formats/metafile.h"
#include "tests/formats/format_fixture.h"

namespace gvx::testing {
namespace {

using CgmTest = FormatTest;

struct Element {
    std::string name;                 // upper-cased
    std::vector<std::string> params;  // strings keep their quotes
};

// Splits a clear-text metafile into elements; ok is false on an unterminated string,
// comment or element.
std::vector<Element> parse_cgm(const std::string& text, bool& ok) {
    std::vector<Element> out;
    Element current;
    std::string token;
    ok = true;
    auto end_token = [&] {
        if (token.empty()) return;
        if (current.name.empty()) {
            for (char& c : token)
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            std::string name;
            for (char c : token)
                if (c != '_' && c != '$') name += c;  // underscores and dollars do not count
            current.name = name;
        } else {
            current.params.push_back(token);
        }
        token.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"' || c == '\'') {
            std::string s(1, c);
            std::size_t j = i + 1;
            for (;; ++j) {
                if (j >= text.size()) {
                    ok = false;
                    return out;
                }
                if (text[j] == c) {
                    if (j + 1 < text.size() && text[j + 1] == c) {  // a doubled quote
                        s += c;
                        ++j;
                        continue;
                    }
                    break;
                }
                s += text[j];
            }
            s += c;
            end_token();
            token = s;
            end_token();
            i = j;
        } else if (c == '%') {
            const std::size_t j = text.find('%', i + 1);
            if (j == std::string::npos) {
                ok = false;
                return out;
            }
            end_token();
            i = j;
        } else if (c == ';' || c == '/') {
            end_token();
            if (!current.name.empty()) out.push_back(current);
            current = Element{};
        } else if (c == ' ' || c == ',' || c == '\n' || c == '\r' || c == '\t' || c == '(' ||
                   c == ')') {
            end_token();
        } else {
            token += c;
        }
    }
    end_token();
    if (!current.name.empty()) ok = false;  // an element without its terminator
    return out;
}

struct Point {
    long x, y;
    bool operator==(const Point&) const = default;
};

std::vector<Point> points_of(const Element& e) {
    std::vector<Point> p;
    for (std::size_t i = 0; i + 1 < e.params.size(); i += 2)
        p.push_back({std::stol(e.params[i]), std::stol(e.params[i + 1])});
    return p;
}

// What the picture shows: lines and areas with the colour of their table entry.
struct Picture {
    std::vector<std::string> names;
    std::map<int, std::array<int, 3>> table;
    struct Shape {
        std::vector<Point> points;
        std::array<int, 3> rgb;
        double width;
    };
    std::vector<Shape> lines, areas;
    Point extent{};
};

Picture read_picture(const std::string& text) {
    bool ok = false;
    const auto elements = parse_cgm(text, ok);
    EXPECT_TRUE(ok);
    Picture p;
    int line_colour = 1, fill_colour = 1;
    double width = 1;
    for (const Element& e : elements) {
        p.names.push_back(e.name);
        if (e.name == "COLRTABLE") {
            const int first = std::stoi(e.params.at(0));
            for (std::size_t i = 1; i + 2 < e.params.size(); i += 3)
                p.table[first + static_cast<int>(i / 3)] = {
                    std::stoi(e.params[i]), std::stoi(e.params[i + 1]), std::stoi(e.params[i + 2])};
        } else if (e.name == "LINECOLR") {
            line_colour = std::stoi(e.params.at(0));
        } else if (e.name == "FILLCOLR") {
            fill_colour = std::stoi(e.params.at(0));
        } else if (e.name == "LINEWIDTH") {
            width = std::stod(e.params.at(0));
        } else if (e.name == "LINE") {
            p.lines.push_back({points_of(e), p.table[line_colour], width});
        } else if (e.name == "POLYGON") {
            p.areas.push_back({points_of(e), p.table[fill_colour], width});
        } else if (e.name == "VDCEXT") {
            p.extent = points_of(e).at(1);
        }
    }
    return p;
}

TEST_F(CgmTest, SceneMatchesGoldenFileAndReadsBackToItsLines) {
    open("CGM");
    draw_scene();
    const std::string cgm = finish();
    EXPECT_EQ(opened_name_, "gravox.cgm");
    EXPECT_EQ(opened_mode_, "wb");
    expect_golden(cgm, "scene.cgm");

    // Records: at most 80 columns; the last is padded to 80 and has no newline.
    const auto records = split_lines(cgm);
    for (const std::string& r : records) EXPECT_LE(r.size(), 80u) << r;
    EXPECT_NE(cgm.back(), '\n');
    EXPECT_EQ(records.back().size(), 80u);
    EXPECT_EQ(records.back().substr(0, 6), "ENDMF;");

    const Picture p = read_picture(cgm);
    const std::vector<std::string> opening = {"BEGMF",        "MFVERSION", "MFDESC", "MFELEMLIST",
                                              "MAXCOLRINDEX", "BEGPIC",    "VDCEXT", "BEGPICBODY"};
    ASSERT_GT(p.names.size(), opening.size());
    EXPECT_EQ(std::vector<std::string>(p.names.begin(), p.names.begin() + 8), opening);
    EXPECT_EQ(p.names[p.names.size() - 2], "ENDPIC");
    EXPECT_EQ(p.names.back(), "ENDMF");
    EXPECT_EQ(p.extent, (Point{2969, 2099}));
    EXPECT_EQ(p.table.size(), 256u);

    // The page border, with y pointing up, in the paper's dark ink (index 0 on paper).
    ASSERT_GE(p.lines.size(), 4u);
    EXPECT_EQ(p.lines[0].points,
              (std::vector<Point>{{0, 2099}, {0, 0}, {2969, 0}, {2969, 2099}, {0, 2099}}));
    EXPECT_EQ(p.lines[0].rgb, (std::array<int, 3>{0, 0, 0}));
    // The red curve with its 60 points.
    std::vector<Point> curve;
    for (int i = 0; i < 60; ++i)
        curve.push_back({300 + i * 30, std::lround(2099 - (1000 - 400 * std::sin(i * 0.2)))});
    EXPECT_EQ(p.lines[1].points, curve);
    EXPECT_EQ(p.lines[1].rgb, (std::array<int, 3>{255, 0, 0}));
    EXPECT_EQ(p.lines[2].points, (std::vector<Point>{{100, 1999}, {800, 1699}}));
    EXPECT_EQ(p.lines[2].rgb, (std::array<int, 3>{0, 0, 255}));
    EXPECT_EQ(p.lines[3].points, (std::vector<Point>{{100, 299}, {1500, 199}}));
    EXPECT_EQ(p.lines[3].width, 10);
    // The box and the polygon are solid areas.
    ASSERT_EQ(p.areas.size(), 2u);
    EXPECT_EQ(p.areas[0].points,
              (std::vector<Point>{{2000, 1899}, {2600, 1899}, {2600, 1499}, {2000, 1499}}));
    EXPECT_EQ(p.areas[1].points.size(), 5u);
    EXPECT_EQ(p.areas[1].rgb, (std::array<int, 3>{0, 255, 0}));
}

TEST_F(CgmTest, PageBeyondTheIntegerRangeGivesWarning39AndIsScaledDown) {
    open("CGM", [&] {
        s().frame.page_extent_w = 40000;
        s().frame.page_extent_h = 20000;
    });
    move_to(s(), 0, 0);
    draw_to(s(), 40000, 20000);
    const std::string out = output_of([&] { finish(); });
    EXPECT_EQ(s().frame.warning_count, 1);
    const Picture p = read_picture(bytes_);
    EXPECT_EQ(p.extent, (Point{32767, 16384}));
    ASSERT_EQ(p.lines.size(), 1u);
    EXPECT_EQ(p.lines[0].points, (std::vector<Point>{{0, 16384}, {32767, 0}}));
}

TEST_F(CgmTest, ReaderRefusesBrokenText) {
    bool ok = true;
    parse_cgm("BEGMF \"open;", ok);
    EXPECT_FALSE(ok);
    parse_cgm("LINE 0,0 1,1", ok);
    EXPECT_FALSE(ok);
    const auto e = parse_cgm("% note % BEGMF 'it''s'; LINE (0,0) (1,2)/ ", ok);
    EXPECT_TRUE(ok);
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[0].params.at(0), "'it's'");
    EXPECT_EQ(points_of(e[1]), (std::vector<Point>{{0, 0}, {1, 2}}));
}

TEST_F(CgmTest, MetafileConvertsToTheSameCgm) {
    open("GKSL");
    draw_scene();
    const std::string met = finish();
    std::FILE* f = std::fopen("scene.met", "w");
    ASSERT_NE(f, nullptr);
    std::fwrite(met.data(), 1, met.size(), f);
    std::fclose(f);
    std::string error;
    output_of([&] { EXPECT_EQ(convert_metafile("scene.met", "CGM", "scene.cgm", error), 0); });
    // The CGM has paper colours of its own: the converted file shows the same lines.
    const Picture converted = read_picture(read_file("scene.cgm"));
    const Picture direct = read_picture(read_file(golden_path("scene.cgm")));
    ASSERT_EQ(converted.lines.size(), direct.lines.size());
    for (std::size_t i = 0; i < direct.lines.size(); ++i)
        EXPECT_EQ(converted.lines[i].points, direct.lines[i].points);
    ASSERT_EQ(converted.areas.size(), direct.areas.size());
}

}  // namespace
}  // namespace gvx::testing
