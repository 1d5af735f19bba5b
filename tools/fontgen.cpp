// fontgen: builds the glyph tables of the two built-in vector fonts.
//
// Usage: fontgen HERSHEY_DIR OUTPUT_DIR
//
// HERSHEY_DIR holds the Hershey font files in the .jhf format (Debian package
// hershey-fonts-data, /usr/share/hershey-fonts). The tool writes
// OUTPUT_DIR/font_complx_data.cpp and OUTPUT_DIR/font_gvxalf_data.cpp; their
// declarations are in gravox/text/font_data.h. The output depends only on the
// input files, so running the tool again gives the same bytes.
//
// complx (font 3) is made of Hershey glyphs (complex Roman, Greek, italic,
// script and Cyrillic, and the mathematical symbol files), with accented and
// extra letters composed from base letters and the accent strokes defined
// below. gvxalf (font 1) is the fixed-pitch 6 x 7 alphabet described in this
// file; its mathematical, script and Cyrillic alphabets are those of complx.
//
// Record format (one record per glyph, slots 2, 3, ... in order):
//   word 0        length of the record in words, itself included
//   per stroke    point count n and 1-based start index into the coordinate
//                 table; when n < 0 the stroke has |n| points and a third word
//                 holds a stroke offset in half grid units (x low byte, y high
//                 byte, both signed) that displaces every point of the stroke.
// Coordinate words hold one point each: x in the low byte, y in the high byte,
// both signed, in grid units, y up from the baseline.
//
// Glyph processing (complx):
//   * a Hershey glyph is read in its own coordinates (x from the centre line,
//     y down from the top) and turned so that y grows upwards from the
//     baseline (Hershey row 9) and its leftmost point lies at x = 0;
//   * strokes of one glyph that share an end point are joined into one
//     polyline;
//   * every stroke starts at its lowest (then leftmost) point: an open stroke
//     is reversed when its last point is lower, a closed one is rotated;
//   * strokes are ordered by their first point (y, then x);
//   * a stroke that is a translated copy of an earlier stroke of the glyph or
//     of any glyph placed before it in the alphabet (the base letter of an
//     accented letter, an accent used before) reuses that stroke's points
//     with an offset instead of new coordinate words.
// The coordinate table of the standard alphabet starts with the capitals
// A to Z, so that "A" uses entries 1 to 9; all other tables follow the order
// of their records.

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Pt {
    int x = 0;
    int y = 0;
    bool operator==(const Pt&) const = default;
};

using Stroke = std::vector<Pt>;

[[noreturn]] void fail(const std::string& message) {
    throw std::runtime_error(message);
}

// ---------------------------------------------------------------------------
// Hershey .jhf files: one glyph per line (lines may be continued), columns
// 1-5 a number, 6-8 the count of coordinate pairs including the left/right
// margin pair, then the pairs as characters offset by 'R'; " R" lifts the pen.
// The glyphs of a file are the characters 32 to 127 in order.

struct HersheyGlyph {
    std::vector<Stroke> strokes;  // Hershey coordinates: y down from the top
};

struct HersheyFile {
    std::string name;
    std::vector<HersheyGlyph> glyphs;  // index = character code - 32
};

HersheyFile read_jhf(const std::string& dir, const std::string& name) {
    const std::string path = dir + "/" + name + ".jhf";
    std::ifstream in(path, std::ios::binary);
    if (!in) fail("cannot read " + path);
    HersheyFile file;
    file.name = name;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find_first_not_of(' ') == std::string::npos) continue;
        if (line.size() < 8) fail("short line in " + path);
        const int pairs = std::atoi(line.substr(5, 3).c_str());
        std::string data = line.substr(8);
        while (static_cast<int>(data.size()) < 2 * pairs) {
            std::string more;
            if (!std::getline(in, more)) fail("truncated glyph in " + path);
            if (!more.empty() && more.back() == '\r') more.pop_back();
            data += more;
        }
        if (pairs < 1) fail("glyph without margins in " + path);
        HersheyGlyph glyph;
        Stroke current;
        for (int i = 1; i < pairs; ++i) {
            const char a = data[2 * i];
            const char b = data[2 * i + 1];
            if (a == ' ' && b == 'R') {
                if (!current.empty()) glyph.strokes.push_back(current);
                current.clear();
                continue;
            }
            const Pt p{a - 'R', b - 'R'};
            if (current.empty() || !(current.back() == p)) current.push_back(p);
        }
        if (!current.empty()) glyph.strokes.push_back(current);
        file.glyphs.push_back(glyph);
    }
    if (file.glyphs.size() != 96) fail(path + " does not hold 96 glyphs");
    return file;
}

// ---------------------------------------------------------------------------
// Hand-drawn strokes, in the coordinates of the complex Hershey glyphs turned
// upright: y up from the baseline (capitals 21, small letters 14 high,
// descenders to -7), x from the glyph's centre line. Accents are drawn about
// their anchor point (0, 0), see the placement rules at compose().

struct Shape {
    const char* name;
    const char* strokes;  // "x,y x,y ... | x,y ..."
};

const Shape kShapes[] = {
    {"acute", "-2,0 1,4 2,3 -2,0"},
    {"grave", "2,0 -1,4 -2,3 2,0"},
    {"circ", "-4,0 0,4 4,0"},
    {"caron", "-4,4 0,0 4,4"},
    {"breve", "-4,4 -3,2 -1,0 1,0 3,2 4,4"},
    {"tilde", "-5,0 -4,2 -2,3 0,2 2,1 4,1 5,3"},
    {"dot", "0,0 1,1 0,2 -1,1 0,0"},
    {"diaer", "-3,0 -2,1 -3,2 -4,1 -3,0 | 3,0 4,1 3,2 2,1 3,0"},
    {"ring", "-1,0 1,0 2,1 2,3 1,4 -1,4 -2,3 -2,1 -1,0"},
    {"dacute", "-4,0 -1,4 0,3 -4,0 | 1,0 4,4 5,3 1,0"},
    {"cedilla", "0,0 -1,-2 1,-2 2,-3 2,-5 1,-6 -2,-6"},
    {"ogonek", "0,0 -2,-2 -2,-4 -1,-5 1,-5 2,-4"},
    {"apos", "0,4 -1,5 0,6 1,5 1,3 0,1 -1,0"},
    {"tonos", "-1,0 2,5 3,4 -1,0"},
    // German sharp s: double stem with a serif, upper and lower bowl.
    {"eszett",
     "-8,0 -3,0 | -5,0 -5,16 -4,19 -3,20 -1,21 2,21 4,20 5,18 5,16 4,14 2,13 0,13 | "
     "-4,0 -4,17 -3,19 -1,21 | 2,13 5,12 7,10 7,4 6,2 4,0 1,0 0,1 | 2,13 4,12 6,10 6,4 5,2 "
     "4,0"},
    // Greek final sigma.
    {"finalsigma", "6,13 4,14 1,14 -2,13 -4,11 -5,8 -5,5 -4,3 -1,1 2,0 3,-2 2,-4 0,-6"},
    // Lower part of the bowl of a thorn, and its stems.
    {"thornbowl",
     "-5,16 3,16 6,15 7,14 8,12 8,9 7,7 6,6 3,5 -5,5 | 3,16 5,15 6,14 7,12 7,9 6,7 5,6 3,5"},
    // Upper part of an eth.
    {"ethhook", "6,9 6,13 5,16 3,19 0,21 -2,21 | -3,16 4,20"},
    // Logical and, or.
    {"wedge", "-6,0 0,14 6,0"},
    {"vee", "-6,14 0,0 6,14"},
};

std::vector<Stroke> parse_strokes(const std::string& text) {
    std::vector<Stroke> strokes;
    Stroke current;
    std::istringstream in(text);
    std::string token;
    while (in >> token) {
        if (token == "|") {
            if (!current.empty()) strokes.push_back(current);
            current.clear();
            continue;
        }
        const auto comma = token.find(',');
        if (comma == std::string::npos) fail("bad point '" + token + "'");
        current.push_back({std::stoi(token.substr(0, comma)), std::stoi(token.substr(comma + 1))});
    }
    if (!current.empty()) strokes.push_back(current);
    return strokes;
}

const Shape& find_shape(const std::string& name) {
    for (const Shape& s : kShapes) {
        if (name == s.name) return s;
    }
    fail("unknown shape '" + name + "'");
}

// ---------------------------------------------------------------------------
// Stroke geometry.

bool lower(Pt a, Pt b) {
    return a.y < b.y || (a.y == b.y && a.x < b.x);
}

// Joins strokes that share an end point into longer polylines.
void join_strokes(std::vector<Stroke>& strokes) {
    bool merged = true;
    while (merged) {
        merged = false;
        for (size_t i = 0; i < strokes.size() && !merged; ++i) {
            for (size_t j = i + 1; j < strokes.size() && !merged; ++j) {
                Stroke a = strokes[i];
                Stroke b = strokes[j];
                if (a.size() < 2 || b.size() < 2) continue;
                Stroke joined;
                if (a.back() == b.front()) {
                    joined = a;
                    joined.insert(joined.end(), b.begin() + 1, b.end());
                } else if (a.back() == b.back()) {
                    joined = a;
                    joined.insert(joined.end(), b.rbegin() + 1, b.rend());
                } else if (a.front() == b.back()) {
                    joined = b;
                    joined.insert(joined.end(), a.begin() + 1, a.end());
                } else if (a.front() == b.front()) {
                    joined.assign(a.rbegin(), a.rend());
                    joined.insert(joined.end(), b.begin() + 1, b.end());
                } else {
                    continue;
                }
                strokes[i] = joined;
                strokes.erase(strokes.begin() + static_cast<long>(j));
                merged = true;
            }
        }
    }
}

// Lets a stroke start at its lowest, then leftmost point.
void normalise_direction(Stroke& s) {
    if (s.size() < 2) return;
    if (s.front() == s.back() && s.size() > 2) {
        Stroke ring(s.begin(), s.end() - 1);
        size_t best = 0;
        for (size_t i = 1; i < ring.size(); ++i) {
            if (lower(ring[i], ring[best])) best = i;
        }
        std::rotate(ring.begin(), ring.begin() + static_cast<long>(best), ring.end());
        ring.push_back(ring.front());
        s = ring;
    } else if (lower(s.back(), s.front())) {
        std::reverse(s.begin(), s.end());
    }
}

bool same_shape(const Stroke& a, const Stroke& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 1; i < a.size(); ++i) {
        if (a[i].x - a[0].x != b[i].x - b[0].x || a[i].y - a[0].y != b[i].y - b[0].y) {
            return false;
        }
    }
    return true;
}

std::int16_t pack(int x, int y) {
    if (x < -128 || x > 127 || y < -128 || y > 127) fail("point out of byte range");
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(((y & 0xFF) << 8) | (x & 0xFF)));
}

// ---------------------------------------------------------------------------
// Building one alphabet's tables.

// A stroke already in a coordinate table: its drawn points, where its points
// start (1-based) and the offset (half units) it was drawn with.
struct Placed {
    Stroke drawn;
    int start = 0;
    Pt offset2;
};

// One stroke of a glyph being built.
struct Part {
    Stroke points;
};

struct Record {
    int code = 0;
    std::string name;
    std::vector<std::int16_t> words;
};

struct TableBuilder {
    std::vector<std::int16_t> coords;
    std::vector<Placed> placed;  // every stroke so far, in table order
    bool pool = false;           // gvxalf: new strokes are stored at their origin

    // Appends the strokes of one glyph (already ordered) and returns its record.
    std::vector<std::int16_t> add_glyph(const std::vector<Part>& parts) {
        std::vector<std::int16_t> words{0};
        std::vector<Placed> own;
        for (const Part& part : parts) {
            const Stroke& s = part.points;
            const Placed* match = nullptr;
            Pt off2;
            auto try_list = [&](const std::vector<Placed>& list) {
                for (const Placed& p : list) {
                    if (match || !same_shape(p.drawn, s)) continue;
                    const Pt o{p.offset2.x + 2 * (s[0].x - p.drawn[0].x),
                               p.offset2.y + 2 * (s[0].y - p.drawn[0].y)};
                    if (o.x < -128 || o.x > 127 || o.y < -128 || o.y > 127) continue;
                    match = &p;
                    off2 = o;
                }
            };
            try_list(own);
            if (!match) try_list(placed);
            Placed now;
            now.drawn = s;
            if (match) {
                now.start = match->start;
                now.offset2 = off2;
            } else {
                Pt origin{0, 0};
                if (pool) {
                    origin = s[0];
                    for (Pt p : s) origin = {std::min(origin.x, p.x), std::min(origin.y, p.y)};
                }
                now.start = static_cast<int>(coords.size()) + 1;
                now.offset2 = {2 * origin.x, 2 * origin.y};
                for (Pt p : s) coords.push_back(pack(p.x - origin.x, p.y - origin.y));
            }
            const int n = static_cast<int>(s.size());
            if (now.offset2 == Pt{0, 0}) {
                words.push_back(static_cast<std::int16_t>(n));
                words.push_back(static_cast<std::int16_t>(now.start));
            } else {
                words.push_back(static_cast<std::int16_t>(-n));
                words.push_back(static_cast<std::int16_t>(now.start));
                words.push_back(pack(now.offset2.x, now.offset2.y));
            }
            own.push_back(now);
            placed.push_back(now);
        }
        words[0] = static_cast<std::int16_t>(words.size());
        return words;
    }
};

// ---------------------------------------------------------------------------
// Glyph recipes. A recipe is a list of items separated by ';':
//   T:c         all strokes of character c (or #NN, a decimal code) of the
//               Hershey file with tag T (see kFileTags)
//   T:c/1,2     only these strokes (numbered from 1 in the file's order)
//   T:c/-1      all strokes but these
//   &NNN        the strokes of glyph code NNN of the same alphabet
//   L:strokes   literal strokes, "x,y x,y | x,y ..."
//   O:x,y,r,n   a circle of n points
//   =name       a shape of kShapes at its own coordinates
//   Aname       an accent shape placed by anchor A relative to the items
//               before it: '^' above the centre (2 units over the top),
//               '_' at the baseline under the centre, '.' at the baseline
//               3 units left of the right edge, '<' left of the top (4 units
//               below it), '>' right of the top (6 units below it)
// and each item may be followed by modifiers:
//   @dx,dy      move by (dx, dy)
//   !rN         turn by 180 degrees: (x, y) becomes (-x, N - y)
//   !m          mirror: (x, y) becomes (-x, y)
//   !s          slant by about 15 degrees to the right (x += y / 3.732)

struct FileTag {
    char tag;
    const char* file;
};

const FileTag kFileTags[] = {
    {'R', "timesr"},   {'I', "timesi"},   {'S', "scriptc"}, {'G', "greekc"},
    {'C', "cyrilc_1"}, {'Y', "cyrillic"}, {'U', "mathupp"}, {'M', "mathlow"},
};

struct Recipe {
    int code;
    const char* recipe;
    const char* name;
};

// A recipe as the builder uses it.
struct GlyphSpec {
    int code;
    std::string recipe;
    std::string name;
};

std::vector<GlyphSpec> specs(const Recipe* first, const Recipe* last) {
    std::vector<GlyphSpec> out;
    for (const Recipe* r = first; r != last; ++r) out.push_back({r->code, r->recipe, r->name});
    return out;
}

class Composer {
  public:
    explicit Composer(const std::string& hershey_dir) {
        for (const FileTag& t : kFileTags) files_[t.tag] = read_jhf(hershey_dir, t.file);
    }

    const std::vector<std::string>& used_files() const { return used_; }

    // Glyph strokes in upright Hershey coordinates, before the final move to
    // x = 0; finished glyphs of the alphabet are kept for '&' references.
    std::vector<Part> compose(const std::string& recipe,
                              const std::map<int, std::vector<Part>>& done) {
        std::vector<Part> parts;
        std::vector<std::string> items;
        {
            std::string item;
            std::istringstream in(recipe);
            while (std::getline(in, item, ';')) {
                const auto first = item.find_first_not_of(' ');
                if (first == std::string::npos) continue;
                const auto last = item.find_last_not_of(' ');
                items.push_back(item.substr(first, last - first + 1));
            }
        }
        for (const std::string& item : items) add_item(item, parts, done);
        return parts;
    }

  private:
    std::map<char, HersheyFile> files_;
    std::vector<std::string> used_;

    void add_item(const std::string& item, std::vector<Part>& parts,
                  const std::map<int, std::vector<Part>>& done) {
        // Split off the modifiers ('@' and '!'), which never occur in sources.
        size_t mod = item.size();
        if (item.size() > 2 && item[1] == ':' && item[0] != 'L' && item[0] != 'O') {
            const auto m = item.find_first_of("@!", 3);
            if (m != std::string::npos) mod = m;
        } else {
            const auto m = item.find_first_of("@!");
            if (m != std::string::npos) mod = m;
        }
        const std::string source = item.substr(0, mod);
        const std::string mods = item.substr(mod);

        std::vector<Stroke> strokes;
        char anchor = 0;
        if (source[0] == '&') {
            const int code = std::stoi(source.substr(1));
            auto it = done.find(code);
            if (it == done.end()) fail("glyph " + source + " used before it is built");
            for (const Part& p : it->second) strokes.push_back(p.points);
            for (const Stroke& s : apply_mods(strokes, mods)) parts.push_back({s});
            return;
        } else if (source.size() > 2 && source[1] == ':' && files_.count(source[0])) {
            strokes = file_strokes(source);
        } else if (source.rfind("L:", 0) == 0) {
            strokes = parse_strokes(source.substr(2));
        } else if (source.rfind("O:", 0) == 0) {
            strokes = circle(source.substr(2));
        } else if (std::string("=^_.<>").find(source[0]) != std::string::npos) {
            anchor = source[0];
            const std::string name = source.substr(1);
            strokes = parse_strokes(find_shape(name).strokes);
        } else {
            fail("bad recipe item '" + item + "'");
        }
        if (anchor && anchor != '=') {
            const Pt at = anchor_point(anchor, parts);
            for (Stroke& s : strokes) {
                for (Pt& p : s) p = {p.x + at.x, p.y + at.y};
            }
        }
        strokes = apply_mods(strokes, mods);
        for (const Stroke& s : strokes) parts.push_back({s});
    }

    std::vector<Stroke> file_strokes(const std::string& source) {
        const HersheyFile& file = files_.at(source[0]);
        if (std::find(used_.begin(), used_.end(), file.name) == used_.end()) {
            used_.push_back(file.name);
        }
        std::string rest = source.substr(2);
        int code = 0;
        std::string subset;
        if (rest[0] == '#' && rest.size() > 1) {
            size_t end = 1;
            while (end < rest.size() && std::isdigit(static_cast<unsigned char>(rest[end]))) ++end;
            code = std::stoi(rest.substr(1, end - 1));
            subset = rest.substr(end);
        } else {
            code = static_cast<unsigned char>(rest[0]);
            subset = rest.substr(1);
        }
        if (code < 32 || code > 127) fail("character out of range in '" + source + "'");
        std::vector<Stroke> raw = file.glyphs[code - 32].strokes;
        if (!subset.empty()) {
            if (subset[0] != '/') fail("bad stroke list in '" + source + "'");
            bool drop = subset.size() > 1 && subset[1] == '-';
            std::vector<int> numbers;
            std::istringstream in(subset.substr(drop ? 2 : 1));
            std::string n;
            while (std::getline(in, n, ',')) numbers.push_back(std::stoi(n));
            std::vector<Stroke> kept;
            for (size_t i = 0; i < raw.size(); ++i) {
                const bool listed = std::find(numbers.begin(), numbers.end(),
                                              static_cast<int>(i + 1)) != numbers.end();
                if (listed != drop) kept.push_back(raw[i]);
            }
            raw = kept;
        }
        // Upright: Hershey row 9 is the baseline.
        for (Stroke& s : raw) {
            for (Pt& p : s) p = {p.x, 9 - p.y};
        }
        join_strokes(raw);
        return raw;
    }

    static std::vector<Stroke> circle(const std::string& description) {
        double v[4];
        std::istringstream in(description);
        for (double& d : v) {
            std::string t;
            if (!std::getline(in, t, ',')) fail("bad circle '" + description + "'");
            d = std::stod(t);
        }
        const int n = static_cast<int>(v[3]);
        Stroke s;
        for (int i = 0; i <= n; ++i) {
            const double a =
                2.0 * 3.14159265358979323846 * (i % n) / n - 3.14159265358979323846 / 2;
            const Pt p{static_cast<int>(std::lround(v[0] + v[2] * std::cos(a))),
                       static_cast<int>(std::lround(v[1] + v[2] * std::sin(a)))};
            if (s.empty() || !(s.back() == p)) s.push_back(p);
        }
        return {s};
    }

    static std::vector<Stroke> apply_mods(std::vector<Stroke> strokes, const std::string& mods) {
        size_t i = 0;
        while (i < mods.size()) {
            size_t next = mods.find_first_of("@!", i + 1);
            if (next == std::string::npos) next = mods.size();
            const std::string m = mods.substr(i, next - i);
            if (m[0] == '@') {
                const auto comma = m.find(',');
                if (comma == std::string::npos) fail("bad move '" + m + "'");
                const int dx = std::stoi(m.substr(1, comma - 1));
                const int dy = std::stoi(m.substr(comma + 1));
                for (Stroke& s : strokes) {
                    for (Pt& p : s) p = {p.x + dx, p.y + dy};
                }
            } else if (m.rfind("!r", 0) == 0) {
                const int base = std::stoi(m.substr(2));
                for (Stroke& s : strokes) {
                    for (Pt& p : s) p = {-p.x, base - p.y};
                }
            } else if (m == "!m") {
                for (Stroke& s : strokes) {
                    for (Pt& p : s) p.x = -p.x;
                }
            } else if (m == "!s") {
                for (Stroke& s : strokes) {
                    for (Pt& p : s) {
                        p.x += static_cast<int>(std::lround(p.y / 3.732));
                    }
                }
            } else {
                fail("bad modifier '" + m + "'");
            }
            i = next;
        }
        return strokes;
    }

    static Pt anchor_point(char anchor, const std::vector<Part>& parts) {
        if (parts.empty()) fail("accent without a base");
        int minx = 1000, maxx = -1000, top = -1000;
        for (const Part& part : parts) {
            for (Pt p : part.points) {
                minx = std::min(minx, p.x);
                maxx = std::max(maxx, p.x);
                top = std::max(top, p.y);
            }
        }
        const int cx = static_cast<int>(std::floor((minx + maxx) / 2.0));
        switch (anchor) {
            case '^':
                return {cx, top + 2};
            case '_':
                return {cx, 0};
            case '.':
                return {maxx - 3, 0};
            case '<':
                return {minx - 2, top - 4};
            case '>':
                return {maxx + 2, top - 6};
            default:
                fail("bad anchor");
        }
    }
};

// Orders the strokes of a finished glyph: x moved so that the leftmost point
// is at 0 (when asked), each stroke starting at its lowest point, strokes by
// their first point.
std::vector<Part> finish_glyph(std::vector<Part> parts, bool move_left) {
    if (move_left && !parts.empty()) {
        int minx = 1000;
        for (const Part& part : parts) {
            for (Pt p : part.points) minx = std::min(minx, p.x);
        }
        for (Part& part : parts) {
            for (Pt& p : part.points) p.x -= minx;
        }
    }
    for (Part& part : parts) normalise_direction(part.points);
    std::stable_sort(parts.begin(), parts.end(),
                     [](const Part& a, const Part& b) { return lower(a.points[0], b.points[0]); });
    return parts;
}

// ---------------------------------------------------------------------------
// complx: the code-to-glyph tables.

std::string ch(int code) {
    if (code == ';' || code == '#' || code == '/' || code == ' ') return "#" + std::to_string(code);
    return std::string(1, static_cast<char>(code));
}

// Standard alphabet, codes 127 to 264 (33 to 126 are the characters of
// timesr.jhf). 127 to 190 and 263, 264 are the letters that the Latin-1
// coding reaches; 191 to 262 hold the further letters of Latin-2 and Latin-3
// (also reached by the Turkish letters of the language shifts). Capital Đ
// has its own code although it is drawn like Ð; the Slovak Ŕ and ŕ have no
// glyph of their own.
const Recipe kStandardExtra[] = {
    {127, "R:A; ^diaer", "A diaeresis"},
    {128, "R:O; ^diaer", "O diaeresis"},
    {129, "R:U; ^diaer@-1,0", "U diaeresis"},
    {130, "R:a; ^diaer@-1,0", "a diaeresis"},
    {131, "R:o; ^diaer", "o diaeresis"},
    {132, "R:u; ^diaer@-1,0", "u diaeresis"},
    {133, "=eszett", "sharp s"},
    {134, "R:A; ^ring", "A ring"},
    {135, "R:O; L:-9,-1 9,22", "O slash"},
    {136, "R:A/1,5; R:E@6,0; L:-5,6 0,6", "AE"},
    {137, "R:a; ^ring@-1,0", "a ring"},
    {138, "R:o; L:-7,-1 7,15", "o slash"},
    {139, "R:a/1,3,4; R:e@9,0", "ae"},
    {140, "R:N; ^tilde", "N tilde"},
    {141, "R:n; ^tilde", "n tilde"},
    {142, "R:C; _cedilla", "C cedilla"},
    {143, "R:c; _cedilla", "c cedilla"},
    {144, "R:E; ^diaer@-1,0", "E diaeresis"},
    {145, "R:I; ^diaer", "I diaeresis"},
    {146, "R:e; ^diaer", "e diaeresis"},
    {147, "R:i/-1; ^diaer@-1,0", "i diaeresis"},
    {148, "R:A; ^acute", "A acute"},
    {149, "R:E; ^acute@-1,0", "E acute"},
    {150, "R:I; ^acute", "I acute"},
    {151, "R:O; ^acute", "O acute"},
    {152, "R:U; ^acute@-1,0", "U acute"},
    {153, "R:a; ^acute@-1,0", "a acute"},
    {154, "R:e; ^acute", "e acute"},
    {155, "R:i/-1; ^acute@-1,0", "i acute"},
    {156, "R:o; ^acute", "o acute"},
    {157, "R:u; ^acute@-1,0", "u acute"},
    {158, "R:A; ^grave", "A grave"},
    {159, "R:E; ^grave@-1,0", "E grave"},
    {160, "R:I; ^grave", "I grave"},
    {161, "R:O; ^grave", "O grave"},
    {162, "R:U; ^grave@-1,0", "U grave"},
    {163, "R:a; ^grave@-1,0", "a grave"},
    {164, "R:e; ^grave", "e grave"},
    {165, "R:i/-1; ^grave@-1,0", "i grave"},
    {166, "R:o; ^grave", "o grave"},
    {167, "R:u; ^grave@-1,0", "u grave"},
    {168, "R:A; ^circ", "A circumflex"},
    {169, "R:E; ^circ@-1,0", "E circumflex"},
    {170, "R:I; ^circ", "I circumflex"},
    {171, "R:O; ^circ", "O circumflex"},
    {172, "R:U; ^circ@-1,0", "U circumflex"},
    {173, "R:a; ^circ@-1,0", "a circumflex"},
    {174, "R:e; ^circ", "e circumflex"},
    {175, "R:i/-1; ^circ@-1,0", "i circumflex"},
    {176, "R:o; ^circ", "o circumflex"},
    {177, "R:u; ^circ@-1,0", "u circumflex"},
    {178, "R:A; ^tilde", "A tilde"},
    {179, "R:a; ^tilde@-1,0", "a tilde"},
    {180, "R:O; ^tilde", "O tilde"},
    {181, "R:o; ^tilde", "o tilde"},
    {182, "R:Y; ^acute", "Y acute"},
    {183, "R:y; ^acute", "y acute"},
    {184, "R:y; ^diaer", "y diaeresis"},
    {185, "R:!!r14", "inverted exclamation mark"},
    {186, "R:?!r14", "inverted question mark"},
    {187, "R:D; L:-9,11 -1,11", "Eth"},
    {188, "R:o; =ethhook", "eth"},
    {189, "R:P/1,2,5; L:-9,21 -2,21; =thornbowl", "Thorn"},
    {190, "R:p/3,4,6; L:-6,21 -6,-7 | -5,21 -5,-7 | -9,21 -5,21", "thorn"},
    {191, "R:A; .ogonek@1,0", "A ogonek"},
    {192, "R:a; .ogonek@2,0", "a ogonek"},
    {193, "R:A; ^breve", "A breve"},
    {194, "R:a; ^breve@-1,0", "a breve"},
    {195, "R:C; ^acute", "C acute"},
    {196, "R:c; ^acute", "c acute"},
    {197, "R:C; ^caron", "C caron"},
    {198, "R:c; ^caron", "c caron"},
    {199, "R:D; ^caron@-1,0", "D caron"},
    {200, "R:d; >apos", "d caron"},
    {201, "&187", "D stroke"},
    {202, "R:d; L:2,17 9,17", "d stroke"},
    {203, "R:E; .ogonek", "E ogonek"},
    {204, "R:e; .ogonek@1,0", "e ogonek"},
    {205, "R:E; ^caron@-1,0", "E caron"},
    {206, "R:e; ^caron", "e caron"},
    {207, "R:L; ^acute@-4,0", "L acute"},
    {208, "R:l; ^acute", "l acute"},
    {209, "R:L; >apos@-6,0", "L caron"},
    {210, "R:l; >apos", "l caron"},
    {211, "R:L; L:-7,8 1,13", "L stroke"},
    {212, "R:l; L:-3,9 4,14", "l stroke"},
    {213, "R:N; ^acute", "N acute"},
    {214, "R:n; ^acute", "n acute"},
    {215, "R:N; ^caron", "N caron"},
    {216, "R:n; ^caron", "n caron"},
    {217, "R:O; ^dacute", "O double acute"},
    {218, "R:o; ^dacute", "o double acute"},
    {219, "R:R; ^caron@-1,0", "R caron"},
    {220, "R:r; ^caron@1,0", "r caron"},
    {221, "R:S; ^acute", "S acute"},
    {222, "R:s; ^acute", "s acute"},
    {223, "R:S; ^caron", "S caron"},
    {224, "R:s; ^caron", "s caron"},
    {225, "R:S; _cedilla", "S cedilla"},
    {226, "R:s; _cedilla", "s cedilla"},
    {227, "R:T; ^caron", "T caron"},
    {228, "R:t; >apos", "t caron"},
    {229, "R:T; _cedilla", "T cedilla"},
    {230, "R:t; _cedilla@1,0", "t cedilla"},
    {231, "R:U; ^ring@-1,0", "U ring"},
    {232, "R:u; ^ring@-1,0", "u ring"},
    {233, "R:U; ^dacute@-1,0", "U double acute"},
    {234, "R:u; ^dacute@-1,0", "u double acute"},
    {235, "R:Z; ^acute", "Z acute"},
    {236, "R:z; ^acute", "z acute"},
    {237, "R:Z; ^caron", "Z caron"},
    {238, "R:z; ^caron", "z caron"},
    {239, "R:Z; ^dot", "Z dot"},
    {240, "R:z; ^dot", "z dot"},
    {241, "R:C; ^circ", "C circumflex"},
    {242, "R:c; ^circ", "c circumflex"},
    {243, "R:C; ^dot", "C dot"},
    {244, "R:c; ^dot", "c dot"},
    {245, "R:G; ^circ", "G circumflex"},
    {246, "R:g; ^circ@-1,0", "g circumflex"},
    {247, "R:G; ^dot", "G dot"},
    {248, "R:g; ^dot@-1,0", "g dot"},
    {249, "R:G; ^breve", "G breve"},
    {250, "R:g; ^breve@-1,0", "g breve"},
    {251, "R:H; ^circ", "H circumflex"},
    {252, "R:h; ^circ@-5,0", "h circumflex"},
    {253, "R:H; L:-10,16 10,16", "H stroke"},
    {254, "R:h; L:-9,17 -2,17", "h stroke"},
    {255, "R:I; ^dot", "I dot"},
    {256, "R:i/-1", "dotless i"},
    {257, "R:J; ^circ@2,0", "J circumflex"},
    {258, "R:j/-1; ^circ@1,0", "j circumflex"},
    {259, "R:S; ^circ", "S circumflex"},
    {260, "R:s; ^circ", "s circumflex"},
    {261, "R:U; ^breve@-1,0", "U breve"},
    {262, "R:u; ^breve@-1,0", "u breve"},
    {263, "O:0,10,5,20; L:-4,14 -7,17 | 4,14 7,17 | -4,6 -7,3 | 4,6 7,3", "currency sign"},
    {264, "O:0,10,11,48; R:c@0,3", "copyright sign"},
};

// Greek alphabet: A to Z and a to z follow the usual keyboard layout of Greek
// symbol fonts (C chi, F phi, H eta, J vartheta, Q theta, V final sigma,
// W omega, X xi, Y psi; j straight phi, v varpi); 127 to 147 hold the
// letters with tonos and dialytika and the final sigma.
const Recipe kGreek[] = {
    {'A', "G:A", "Alpha"},
    {'B', "G:B", "Beta"},
    {'C', "G:V", "Chi"},
    {'D', "G:D", "Delta"},
    {'E', "G:E", "Epsilon"},
    {'F', "G:U", "Phi"},
    {'G', "G:C", "Gamma"},
    {'H', "G:G", "Eta"},
    {'I', "G:I", "Iota"},
    {'J', "G:h", "vartheta"},
    {'K', "G:J", "Kappa"},
    {'L', "G:K", "Lambda"},
    {'M', "G:L", "Mu"},
    {'N', "G:M", "Nu"},
    {'O', "G:O", "Omicron"},
    {'P', "G:P", "Pi"},
    {'Q', "G:H", "Theta"},
    {'R', "G:Q", "Rho"},
    {'S', "G:R", "Sigma"},
    {'T', "G:S", "Tau"},
    {'U', "G:T", "Upsilon"},
    {'V', "=finalsigma", "final sigma"},
    {'W', "G:X", "Omega"},
    {'X', "G:N", "Xi"},
    {'Y', "G:W", "Psi"},
    {'Z', "G:F", "Zeta"},
    {'a', "G:a", "alpha"},
    {'b', "G:b", "beta"},
    {'c', "G:v", "chi"},
    {'d', "G:d", "delta"},
    {'e', "G:e", "epsilon"},
    {'f', "G:u", "phi"},
    {'g', "G:c", "gamma"},
    {'h', "G:g", "eta"},
    {'i', "G:i", "iota"},
    {'j', "G:o; L:1,21 -1,-7", "straight phi"},
    {'k', "G:j", "kappa"},
    {'l', "G:k", "lambda"},
    {'m', "G:l", "mu"},
    {'n', "G:m", "nu"},
    {'o', "G:o", "omicron"},
    {'p', "G:p", "pi"},
    {'q', "G:h", "theta"},
    {'r', "G:q", "rho"},
    {'s', "G:r", "sigma"},
    {'t', "G:s", "tau"},
    {'u', "G:t", "upsilon"},
    {'v', "G:x; L:-8,17 9,17", "varpi"},
    {'w', "G:x", "omega"},
    {'x', "G:n", "xi"},
    {'y', "G:w", "psi"},
    {'z', "G:f", "zeta"},
    {127, "G:A; <tonos", "Alpha tonos"},
    {128, "G:E; <tonos", "Epsilon tonos"},
    {129, "G:G; <tonos", "Eta tonos"},
    {130, "G:I; <tonos", "Iota tonos"},
    {131, "G:O; <tonos", "Omicron tonos"},
    {132, "G:T; <tonos", "Upsilon tonos"},
    {133, "G:X; <tonos", "Omega tonos"},
    {134, "G:a; ^tonos", "alpha tonos"},
    {135, "G:e; ^tonos", "epsilon tonos"},
    {136, "G:g; ^tonos", "eta tonos"},
    {137, "G:i; ^tonos", "iota tonos"},
    {138, "G:o; ^tonos", "omicron tonos"},
    {139, "G:t; ^tonos", "upsilon tonos"},
    {140, "G:x; ^tonos", "omega tonos"},
    {141, "G:I; ^diaer", "Iota dialytika"},
    {142, "G:T; ^diaer", "Upsilon dialytika"},
    {143, "G:i; ^diaer", "iota dialytika"},
    {144, "G:t; ^diaer", "upsilon dialytika"},
    {145, "G:i; ^diaer; =tonos@-1,16", "iota dialytika tonos"},
    {146, "G:t; ^diaer; =tonos@0,16", "upsilon dialytika tonos"},
    {147, "=finalsigma", "final sigma"},
};

// Mathematical alphabet: symbols of mathupp.jhf and mathlow.jhf on A to Z and
// a to z, a few composed; 127 is the tilde-like symbol of those files.
const Recipe kMath[] = {
    {'A', "U:!", "plus-minus"},
    {'B', "U:\"", "minus-plus"},
    {'C', "U:#35", "times"},
    {'D', "U:x", "divide"},
    {'E', "U:$", "centre dot"},
    {'F', "U:a", "asterisk operator"},
    {'G', "U:&", "less or equal"},
    {'H', "U:'", "greater or equal"},
    {'I', "U:?", "not equal"},
    {'J', "U:@", "identical"},
    {'K', "U:^", "proportional"},
    {'L', "U:_", "infinity"},
    {'M', "U:`", "degree"},
    {'N', "U:m", "partial derivative"},
    {'O', "U:n", "nabla"},
    {'P', "U:p", "integral"},
    {'Q', "U:q", "large integral"},
    {'R', "U::", "product"},
    {'S', "U:#59", "sum"},
    {'T', "U:b", "square root"},
    {'U', "U:d", "subset"},
    {'V', "U:e", "union"},
    {'W', "U:f", "superset"},
    {'X', "U:g", "intersection"},
    {'Y', "U:h", "element of"},
    {'Z', "U:v", "there exists"},
    {'a', "U:i", "right arrow"},
    {'b', "U:j", "up arrow"},
    {'c', "U:k", "left arrow"},
    {'d', "U:l", "down arrow"},
    {'e', "U:w", "aleph"},
    {'f', "U:y", "parallel"},
    {'g', "U:z", "perpendicular"},
    {'h', "U:|", "angle"},
    {'i', "U:~", "therefore"},
    {'j', "U:c", "medium square root"},
    {'k', "U:o", "large square root"},
    {'l', "U:r", "large left parenthesis"},
    {'m', "U:s", "large right parenthesis"},
    {'n', "U:t", "large left bracket"},
    {'o', "U:u", "large right bracket"},
    {'p', "M:{", "large left brace"},
    {'q', "M:}", "large right brace"},
    {'r', "U:A!r21", "for all"},
    {'s', "U:h; L:-5,-1 5,15", "not element of"},
    {'t', "O:0,7,7,24; L:-7,-2 7,16", "empty set"},
    {'u', "O:0,7,7,24; L:-7,7 7,7 | 0,0 0,14", "circled plus"},
    {'v', "O:0,7,7,24; L:-5,2 5,12 | -5,12 5,2", "circled times"},
    {'w', "U:d@0,3; L:-8,0 8,0", "subset or equal"},
    {'x', "U:f@0,3; L:-8,0 8,0", "superset or equal"},
    {'y', "=wedge", "logical and"},
    {'z', "=vee", "logical or"},
    {127, "U:#127", "tilde operator"},
};

// Cyrillic alphabet: A to Z and a to z as in cyrilc_1.jhf (А Б В Г Д Е Ж З
// И Й К Л М Н О П Р С Т У Ф Х Ц Ч Ш Щ); the remaining letters, from the
// complex Cyrillic of cyrillic.jhf (small e: a mirrored small es with a bar), are on [ \ ] ^ (Ъ Ы Ь
// Э), $ % & (Ю Я Ё) and their small forms on { | } ~ and < = >.
const Recipe kCyrillicExtra[] = {
    {'$', "Y:U", "Yu"},         {'%', "Y:^", "Ya"},
    {'&', "C:F; ^diaer", "Yo"}, {'<', "Y:u", "yu"},
    {'=', "Y:}", "ya"},         {'>', "C:f; ^diaer", "yo"},
    {'[', "Y:]", "Hard sign"},  {'\\', "Y:$", "Yeru"},
    {']', "Y:_", "Soft sign"},  {'^', "Y:C", "E"},
    {'{', "Y:|", "hard sign"},  {'|', "Y:&", "yeru"},
    {'}', "Y:~", "soft sign"},  {'~', "C:c!m; L:-3,7 5,7", "e"},
};

// Italic alphabet: a to z of timesi.jhf and the German letters 130 to 132.
const Recipe kItalicExtra[] = {
    {130, "I:a; ^diaer@1,0", "a diaeresis"},
    {131, "I:o; ^diaer@1,0", "o diaeresis"},
    {132, "I:u; ^diaer@1,0", "u diaeresis"},
};

// Script alphabet: A to Z, a to z of scriptc.jhf and the German letters.
const Recipe kScriptExtra[] = {
    {127, "S:A; ^diaer@2,0", "A diaeresis"}, {128, "S:O; ^diaer@1,0", "O diaeresis"},
    {129, "S:U; ^diaer@1,0", "U diaeresis"}, {130, "S:a; ^diaer@1,0", "a diaeresis"},
    {131, "S:o; ^diaer@1,0", "o diaeresis"}, {132, "S:u; ^diaer@1,0", "u diaeresis"},
    {133, "=eszett!s", "sharp s"},
};

// ---------------------------------------------------------------------------
// gvxalf: the 6 x 7 alphabet. Every glyph lies in a cell x 0 to 6 (drawn in
// 1 to 5), capitals and digits y 0 to 7, small letters y 0 to 5, descenders
// down to y -2. Points are written as two characters, x then y, with y = 'a'
// for -1 and 'b' for -2; strokes are separated by ','. Every stroke is stored
// once in the font's coordinate table, at the origin of its bounding box, and
// drawn with an offset; strokes of the same shape share their points.

struct GridGlyph {
    int code;
    const char* strokes;
};

const GridGlyph kGrid[] = {
    {'!', "37 33, 31 30"},
    {'"', "27 25, 47 45"},
    {'#', "26 21, 46 41, 15 55, 12 52"},
    {'$', "56 26 15 14 23 43 52 51 40 10, 37 3a"},
    {'%', "17 27 26 16 17, 41 51 50 40 41, 57 10"},
    {'&', "50 15 16 27 37 46 45 12 11 20 30 52"},
    {'\'', "37 35"},
    {'(', "47 35 32 40"},
    {')', "27 35 32 20"},
    {'*', "36 31, 15 52, 12 55"},
    {'+', "35 31, 13 53"},
    {',', "31 30 2a"},
    {'-', "13 53"},
    {'.', "31 30"},
    {'/', "10 57"},
    {'0', "20 11 16 27 47 56 51 40 20, 12 56"},
    {'1', "26 37 30, 20 40"},
    {'2', "16 27 47 56 55 10 50"},
    {'3', "16 27 47 56 55 44 34, 44 53 51 40 20 11"},
    {'4', "40 47 12 52"},
    {'5', "57 17 14 44 53 51 40 20 11"},
    {'6', "47 37 15 11 20 40 51 53 44 14"},
    {'7', "17 57 56 20"},
    {'8', "24 15 16 27 47 56 55 44 24 13 11 20 40 51 53 44"},
    {'9', "20 30 52 56 47 27 16 14 23 53"},
    {':', "34 33, 31 30"},
    {';', "34 33, 31 30 2a"},
    {'<', "56 13 50"},
    {'=', "15 55, 12 52"},
    {'>', "16 53 10"},
    {'?', "16 27 47 56 55 34 32, 31 30"},
    {'@', "42 52 56 47 27 16 11 20 50, 45 25 23 32 42 45"},
    {'A', "10 16 27 47 56 50, 14 54"},
    {'B', "10 17 47 56 55 44 14, 44 53 51 40 10"},
    {'C', "56 47 27 16 11 20 40 51"},
    {'D', "10 17 37 55 52 30 10"},
    {'E', "57 17 10 50, 14 44"},
    {'F', "57 17 10, 14 44"},
    {'G', "56 47 27 16 11 20 40 51 53 33"},
    {'H', "10 17, 50 57, 14 54"},
    {'I', "27 47, 37 30, 20 40"},
    {'J', "57 51 40 20 11 12"},
    {'K', "10 17, 57 13, 24 50"},
    {'L', "17 10 50"},
    {'M', "10 17 34 57 50"},
    {'N', "10 17 50 57"},
    {'O', "20 11 16 27 47 56 51 40 20"},
    {'P', "10 17 47 56 55 44 14"},
    {'Q', "20 11 16 27 47 56 51 40 20, 32 50"},
    {'R', "10 17 47 56 55 44 14, 34 50"},
    {'S', "56 47 27 16 15 24 44 53 51 40 20 11"},
    {'T', "17 57, 37 30"},
    {'U', "17 11 20 40 51 57"},
    {'V', "17 30 57"},
    {'W', "17 10 33 50 57"},
    {'X', "17 50, 57 10"},
    {'Y', "17 34 57, 34 30"},
    {'Z', "17 57 10 50"},
    {'[', "47 27 20 40"},
    {'\\', "17 50"},
    {']', "27 47 40 20"},
    {'^', "15 37 55"},
    {'_', "1a 5a"},
    {'`', "27 35"},
    {'a', "15 45 54 50, 53 23 12 11 20 40 51"},
    {'b', "17 10 40 51 54 45 15"},
    {'c', "55 25 14 11 20 50"},
    {'d', "57 50 20 11 14 25 55"},
    {'e', "13 53 54 45 25 14 11 20 50"},
    {'f', "56 47 37 26 20, 14 44"},
    {'g', "55 5a 4b 1b, 51 40 20 11 14 25 45 54"},
    {'h', "17 10, 14 25 45 54 50"},
    {'i', "25 35 30, 20 40, 37 36"},
    {'j', "35 45 4a 3b 1b, 47 46"},
    {'k', "17 10, 45 12, 23 50"},
    {'l', "27 37 30, 20 40"},
    {'m', "10 15, 14 25 34 30, 34 45 54 50"},
    {'n', "10 15, 14 25 45 54 50"},
    {'o', "20 11 14 25 45 54 51 40 20"},
    {'p', "1b 15, 14 25 45 54 51 40 10"},
    {'q', "5b 55, 54 45 25 14 11 20 50"},
    {'r', "10 15, 14 25 45 54"},
    {'s', "55 25 14 23 43 52 51 40 10"},
    {'t', "27 21 30 40 51, 15 45"},
    {'u', "15 11 20 40 51, 55 50"},
    {'v', "15 30 55"},
    {'w', "15 20 33 40 55"},
    {'x', "15 50, 55 10"},
    {'y', "15 11 20 40 51, 55 5a 4b 1b"},
    {'z', "15 55 10 50"},
    {'{', "47 37 26 24 13 22 21 30 40"},
    {'|', "37 3a"},
    {'}', "27 37 46 44 53 42 41 30 20"},
    {'~', "14 25 43 54"},
    {127, "10 14 25 45 54 50, 12 52, 17 16, 57 56"},
    {128, "20 11 14 25 45 54 51 40 20, 17 16, 57 56"},
    {129, "15 11 20 40 51 55, 17 16, 57 56"},
    {130, "15 45 54 50, 53 23 12 11 20 40 51, 27 26, 47 46"},
    {131, "20 11 14 25 45 54 51 40 20, 27 26, 47 46"},
    {132, "15 11 20 40 51, 55 50, 27 26, 47 46"},
    {133, "10 16 27 47 56 55 44 34, 44 53 51 40 30"},
};

// gvxalf Greek, drawn with the points of the standard alphabet's table; same
// layout as the Greek alphabet of complx.
const GridGlyph kGridGreek[] = {
    {'A', "10 16 27 47 56 50, 14 54"},
    {'B', "10 17 47 56 55 44 14, 44 53 51 40 10"},
    {'C', "17 50, 57 10"},
    {'D', "10 37 50 10"},
    {'E', "57 17 10 50, 14 44"},
    {'F', "37 30, 25 14 13 22 42 53 54 45 25"},
    {'G', "10 17 57"},
    {'H', "10 17, 50 57, 14 54"},
    {'I', "27 47, 37 30, 20 40"},
    {'J', "14 44 55 56 47 37 26 21 30 40 51 53"},
    {'K', "10 17, 57 13, 24 50"},
    {'L', "10 37 50"},
    {'M', "10 17 34 57 50"},
    {'N', "10 17 50 57"},
    {'O', "20 11 16 27 47 56 51 40 20"},
    {'P', "10 17 57 50"},
    {'Q', "20 11 16 27 47 56 51 40 20, 24 44"},
    {'R', "10 17 47 56 55 44 14"},
    {'S', "57 17 34 10 50"},
    {'T', "17 57, 37 30"},
    {'U', "17 34 57, 34 30"},
    {'V', "55 25 14 12 21 41 50 5a 4b"},
    {'W', "10 20 21 13 16 27 47 56 53 41 40 50"},
    {'X', "17 57, 24 44, 10 50"},
    {'Y', "37 30, 17 14 23 43 54 57"},
    {'Z', "17 57 10 50"},
    {'a', "55 53 41 30 20 11 14 25 35 43 51 50"},
    {'b', "1b 16 27 37 46 45 34 24, 34 52 51 40 20 11"},
    {'c', "15 25 4a 5b, 55 1b"},
    {'d', "47 27 26 44 53 51 40 20 11 13 24 44"},
    {'e', "55 25 14 23 43, 23 12 11 20 50"},
    {'f', "36 3b, 20 11 14 25 45 54 51 40 20"},
    {'g', "15 30 55, 30 3b"},
    {'h', "10 15, 14 25 45 54 5b"},
    {'i', "35 31 40"},
    {'j', "37 3b, 20 11 14 25 45 54 51 40 20"},
    {'k', "15 10, 55 12, 23 50"},
    {'l', "17 50, 34 10"},
    {'m', "1b 15, 11 20 40 51, 55 50"},
    {'n', "15 30 55"},
    {'o', "20 11 14 25 45 54 51 40 20"},
    {'p', "15 55, 25 20, 45 41 50"},
    {'q', "30 21 26 37 46 41 30, 24 44"},
    {'r', "1b 14 25 45 54 51 40 20 11"},
    {'s', "55 25 14 11 20 40 51 53 44"},
    {'t', "15 55, 35 31 40"},
    {'u', "15 11 20 40 51 55"},
    {'v', "15 55, 14 11 20 31 40 51 54"},
    {'w', "15 11 20 31 40 51 55, 31 33"},
    {'x', "47 27 26 35 45, 35 23 21 30 40 4a 3a"},
    {'y', "37 3b, 15 11 20 40 51 55"},
    {'z', "47 25 13 11 20 40 4a 3b"},
};

// The glyphs whose strokes come first in the coordinate table of gvxalf, in
// this order (all others follow in record order), so that the long-published
// record of "A" keeps its start indices: its bar at entry 10, its arch at 139.
const int kGridFirst[] = {'!', '"', '<', '-', '#', '$', '%', '&', '\'', '(',
                          ')', '*', '+', ',', '.', '/', '0', '1', '2',  '3',
                          '5', '6', '7', '9', ':', ';', '=', '>', '?',  'A'};

std::vector<Stroke> parse_grid(const char* text) {
    std::vector<Stroke> strokes;
    Stroke current;
    const std::string s(text);
    size_t i = 0;
    while (i < s.size()) {
        const char c = s[i];
        if (c == ' ') {
            ++i;
            continue;
        }
        if (c == ',') {
            if (!current.empty()) strokes.push_back(current);
            current.clear();
            ++i;
            continue;
        }
        if (i + 1 >= s.size()) fail(std::string("bad grid glyph '") + text + "'");
        const char yc = s[i + 1];
        int y = 0;
        if (yc >= '0' && yc <= '9') {
            y = yc - '0';
        } else if (yc >= 'a' && yc <= 'c') {
            y = -(yc - 'a' + 1);
        } else {
            fail(std::string("bad grid point in '") + text + "'");
        }
        if (c < '0' || c > '6') fail(std::string("grid x out of range in '") + text + "'");
        current.push_back({c - '0', y});
        i += 2;
    }
    if (!current.empty()) strokes.push_back(current);
    return strokes;
}

// ---------------------------------------------------------------------------
// Alphabets and output.

struct Alphabet {
    std::string symbol;  // C++ name stem, e.g. "ComplxStandard"
    std::string title;   // e.g. "standard alphabet"
    int slot_count = 0;
    std::vector<Record> records;
    std::vector<std::int16_t> coords;  // empty: the standard alphabet's table
    std::vector<std::string> sources;
};

std::string code_label(int code) {
    char buf[32];
    if (code > 32 && code < 127 && code != '\\') {
        std::snprintf(buf, sizeof buf, "%3d '%c'", code, code);
    } else {
        std::snprintf(buf, sizeof buf, "%3d", code);
    }
    return buf;
}

// Builds an alphabet of complx: records in the given code order, coordinates
// allocated in `alloc_order` (codes; any code missing there follows in record
// order).
Alphabet build_complx(Composer& composer, const std::string& symbol, const std::string& title,
                      int slot_count, const std::vector<GlyphSpec>& recipes,
                      const std::vector<int>& alloc_order) {
    Alphabet alpha;
    alpha.symbol = symbol;
    alpha.title = title;
    alpha.slot_count = slot_count;
    std::map<int, std::vector<Part>> done;
    std::map<int, std::vector<std::int16_t>> words;
    TableBuilder table;
    std::vector<int> order = alloc_order;
    for (const GlyphSpec& r : recipes) {
        if (std::find(order.begin(), order.end(), r.code) == order.end()) order.push_back(r.code);
    }
    for (int code : order) {
        const GlyphSpec* r = nullptr;
        for (const GlyphSpec& candidate : recipes) {
            if (candidate.code == code) r = &candidate;
        }
        if (!r) fail("no recipe for code " + std::to_string(code));
        std::vector<Part> raw = composer.compose(r->recipe, done);
        if (raw.empty()) fail("empty glyph for code " + std::to_string(code));
        done[code] = raw;
        words[code] = table.add_glyph(finish_glyph(raw, true));
    }
    for (const GlyphSpec& r : recipes) alpha.records.push_back({r.code, r.name, words[r.code]});
    alpha.coords = table.coords;
    return alpha;
}

void write_words(std::ostream& out, const std::vector<std::int16_t>& words, const char* indent) {
    for (size_t i = 0; i < words.size(); ++i) {
        if (i % 12 == 0) out << indent;
        out << words[i] << ",";
        out << ((i % 12 == 11 || i + 1 == words.size()) ? "\n" : " ");
    }
}

void write_alphabet(std::ostream& out, const Alphabet& a, bool external) {
    const char* linkage = external ? "extern const" : "const";
    if (!a.coords.empty()) {
        out << "// " << a.title << ": " << a.coords.size() << " coordinate words\n";
        out << linkage << " std::int16_t k" << a.symbol << "Coords[" << a.coords.size()
            << "] = {\n";
        write_words(out, a.coords, "    ");
        out << "};\n\n";
    }
    size_t total = 0;
    for (const Record& r : a.records) total += r.words.size();
    out << "// " << a.title << ": " << a.records.size() << " records, " << total
        << " directory words and the closing 0\n";
    out << linkage << " std::int16_t k" << a.symbol << "Directory[" << total + 1 << "] = {\n";
    for (const Record& r : a.records) {
        out << "    // " << code_label(r.code) << " " << r.name << "\n";
        write_words(out, r.words, "    ");
    }
    out << "    0,\n};\n\n";
}

size_t directory_words(const Alphabet& a) {
    size_t total = 0;
    for (const Record& r : a.records) total += r.words.size();
    return total;
}

std::string alphabet_entry(const Alphabet& a, const std::string& coords_symbol,
                           size_t coord_count) {
    std::ostringstream s;
    s << "        {" << (coords_symbol.empty() ? "nullptr" : "k" + coords_symbol + "Coords") << ", "
      << coord_count << ", k" << a.symbol << "Directory, " << directory_words(a) << ", "
      << a.slot_count << ", " << a.records.size() << "},\n";
    return s.str();
}

void write_file(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    if (!out) fail("cannot write " + path);
    out << text;
    if (!out.flush()) fail("cannot write " + path);
}

// Plain glyphs of one Hershey file, codes first to last.
std::vector<GlyphSpec> range_recipes(char tag, int first, int last) {
    std::vector<GlyphSpec> out;
    for (int c = first; c <= last; ++c) out.push_back({c, std::string(1, tag) + ":" + ch(c), ""});
    return out;
}

const char* const kHeader =
    "// Generated by tools/fontgen (do not edit: change the tool and run it again).\n"
    "// clang-format off\n";

std::string complx_file(Composer& composer, std::vector<Alphabet>& shared) {
    // Standard alphabet: codes 33 to 264.
    std::vector<GlyphSpec> standard = range_recipes('R', 33, 126);
    for (const GlyphSpec& r : specs(std::begin(kStandardExtra), std::end(kStandardExtra))) {
        standard.push_back(r);
    }
    std::vector<int> capitals_first;
    for (int c = 'A'; c <= 'Z'; ++c) capitals_first.push_back(c);

    const std::vector<GlyphSpec> greek = specs(std::begin(kGreek), std::end(kGreek));
    const std::vector<GlyphSpec> math = specs(std::begin(kMath), std::end(kMath));

    std::vector<GlyphSpec> italic = range_recipes('I', 'a', 'z');
    for (const GlyphSpec& r : specs(std::begin(kItalicExtra), std::end(kItalicExtra))) {
        italic.push_back(r);
    }

    std::vector<GlyphSpec> script = range_recipes('S', 'A', 'Z');
    for (const GlyphSpec& r : range_recipes('S', 'a', 'z')) script.push_back(r);
    for (const GlyphSpec& r : specs(std::begin(kScriptExtra), std::end(kScriptExtra))) {
        script.push_back(r);
    }

    // Cyrillic records are in code order: $ % & < = > A to ^ and a to ~.
    std::vector<GlyphSpec> cyrillic;
    {
        std::vector<int> codes{'$', '%', '&', '<', '=', '>'};
        for (int c = 'A'; c <= '^'; ++c) codes.push_back(c);
        for (int c = 'a'; c <= '~'; ++c) codes.push_back(c);
        std::vector<GlyphSpec> letters = range_recipes('C', 'A', 'Z');
        for (const GlyphSpec& r : range_recipes('C', 'a', 'z')) letters.push_back(r);
        for (const GlyphSpec& r : specs(std::begin(kCyrillicExtra), std::end(kCyrillicExtra))) {
            letters.push_back(r);
        }
        for (int code : codes) {
            const GlyphSpec* found = nullptr;
            for (const GlyphSpec& r : letters) {
                if (r.code == code) found = &r;
            }
            if (!found) fail("no Cyrillic glyph for code " + std::to_string(code));
            cyrillic.push_back(*found);
        }
    }

    std::vector<Alphabet> alphabets;
    alphabets.push_back(build_complx(composer, "ComplxStandard", "complx standard alphabet", 233,
                                     standard, capitals_first));
    alphabets.push_back(
        build_complx(composer, "ComplxGreek", "complx Greek alphabet", 116, greek, {}));
    alphabets.push_back(
        build_complx(composer, "ComplxMath", "complx mathematical alphabet", 96, math, {}));
    alphabets.push_back(
        build_complx(composer, "ComplxItalic", "complx italic alphabet", 102, italic, {}));
    alphabets.push_back(
        build_complx(composer, "ComplxScript", "complx script alphabet", 102, script, {}));
    alphabets.push_back(
        build_complx(composer, "ComplxCyrillic", "complx Cyrillic alphabet", 95, cyrillic, {}));

    std::ostringstream out;
    out << "// Glyph tables of the vector font complx (font 3), six alphabets.\n";
    out << "//\n";
    out << "// The glyphs are the Hershey fonts of Dr. A. V. Hershey (U.S. National Bureau\n"
           "// of Standards), read from the files";
    for (const std::string& f : composer.used_files()) out << " " << f << ".jhf";
    out << "\n"
           "// (see NOTICE), turned upright (y up from the baseline, leftmost point at\n"
           "// x = 0); accented and extra letters are composed from base letters and the\n"
           "// accent strokes of tools/fontgen.cpp. The numbers of coordinate and directory\n"
           "// words differ from those of the font this one replaces, because the Hershey\n"
           "// strokes do; the slot counts and the glyphs each alphabet covers are the same.\n";
    out << kHeader << "\n#include \"gravox/text/font_data.h\"\n\nnamespace gvx {\n\n";
    for (size_t i = 0; i < alphabets.size(); ++i) {
        // The mathematical, script and Cyrillic tables are shared with gvxalf.
        write_alphabet(out, alphabets[i], i == 2 || i == 4 || i == 5);
    }
    out << "extern const FontData kComplxFontData = {\n    3,\n    {\n";
    for (const Alphabet& a : alphabets) out << alphabet_entry(a, a.symbol, a.coords.size());
    out << "    },\n};\n\n}  // namespace gvx\n";
    shared = alphabets;
    return out.str();
}

std::string gvxalf_file(const std::vector<Alphabet>& complx) {
    TableBuilder table;
    table.pool = true;
    std::vector<const GridGlyph*> order;
    for (int code : kGridFirst) {
        for (const GridGlyph& g : kGrid) {
            if (g.code == code) order.push_back(&g);
        }
    }
    for (const GridGlyph& g : kGrid) {
        if (std::find(order.begin(), order.end(), &g) == order.end()) order.push_back(&g);
    }
    for (const GridGlyph& g : kGridGreek) order.push_back(&g);
    std::map<const GridGlyph*, std::vector<std::int16_t>> words;
    for (const GridGlyph* g : order) {
        std::vector<Part> parts;
        for (const Stroke& s : parse_grid(g->strokes)) parts.push_back({s});
        words[g] = table.add_glyph(finish_glyph(parts, false));
    }
    Alphabet standard;
    standard.symbol = "GvxalfStandard";
    standard.title = "gvxalf standard alphabet";
    standard.slot_count = 132;
    for (const GridGlyph& g : kGrid) standard.records.push_back({g.code, "", words[&g]});
    Alphabet greek;
    greek.symbol = "GvxalfGreek";
    greek.title = "gvxalf Greek alphabet";
    greek.slot_count = 95;
    for (const GridGlyph& g : kGridGreek) {
        std::string name;
        for (const Recipe& r : kGreek) {
            if (r.code == g.code) name = r.name;
        }
        greek.records.push_back({g.code, name, words[&g]});
    }
    standard.coords = table.coords;

    std::ostringstream out;
    out << "// Glyph tables of the vector font gvxalf (font 1): a fixed-pitch alphabet on a\n"
           "// 6 x 7 grid, drawn for this library and described in tools/fontgen.cpp. The\n"
           "// Greek alphabet has its own directory over the standard alphabet's coordinate\n"
           "// table; the italic alphabet is the standard one drawn slanted; the\n"
           "// mathematical, script and Cyrillic alphabets are the tables of complx (Hershey\n"
           "// glyphs, see NOTICE and font_complx_data.cpp). The numbers of coordinate and\n"
           "// directory words differ from those of the font this one replaces; the slot\n"
           "// counts and the glyphs each alphabet covers are the same.\n";
    out << kHeader << "\n#include \"gravox/text/font_data.h\"\n\nnamespace gvx {\n\n";
    out << "namespace {\n\n";
    write_alphabet(out, standard, false);
    write_alphabet(out, greek, false);
    out << "}  // namespace\n\n";
    out << "extern const FontData kGvxalfFontData = {\n    1,\n    {\n";
    out << alphabet_entry(standard, standard.symbol, standard.coords.size());
    out << alphabet_entry(greek, "", 0);
    auto shared_entry = [&](const Alphabet& a) {
        std::ostringstream s;
        s << "        {k" << a.symbol << "Coords, " << a.coords.size() << ", k" << a.symbol
          << "Directory, " << directory_words(a) << ", " << a.slot_count << ", " << a.records.size()
          << "},\n";
        return s.str();
    };
    out << shared_entry(complx[2]);
    out << "        {nullptr, 0, nullptr, 0, 102, 0},\n";
    out << shared_entry(complx[4]);
    out << shared_entry(complx[5]);
    out << "    },\n};\n\n}  // namespace gvx\n";
    return out.str();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: fontgen HERSHEY_DIR OUTPUT_DIR\n");
        return 2;
    }
    try {
        Composer composer(argv[1]);
        std::vector<Alphabet> complx;
        // Both files are made before either is written.
        const std::string complx_text = complx_file(composer, complx);
        const std::string gvxalf_text = gvxalf_file(complx);
        const std::string dir = argv[2];
        write_file(dir + "/font_complx_data.cpp", complx_text);
        write_file(dir + "/font_gvxalf_data.cpp", gvxalf_text);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "fontgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
