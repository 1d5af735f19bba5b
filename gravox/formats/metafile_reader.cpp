// Writing the header of the GKSL metafile, reading a metafile back and replaying it.
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>

#include "gravox/core/state.h"
#include "gravox/devices/primitives_internal.h"
#include "gravox/formats/formats.h"
#include "gravox/formats/metafile.h"

#include "gravox/core/colour_table.h"
#include "gravox/core/internal.h"
#include "gravox/formats/records.h"
#include "gravox/gravox.h"

namespace gvx {

void write_metafile_header(RecordWriter& records, const PlotState& s) {
    const std::tm when = s.frame.clock();
    records.item("GKSL").token(kMetafileName).integer(kMetafileVersion).token(kLibraryVersion);
    const DateText clock = date_text(when);
    records.token(clock.date);
    records.token(clock.time);
    const PageState& p = s.page;
    records.item("PAGE").integer(p.width).integer(p.height);
    records.real(s.frame.page_extent_w).real(s.frame.page_extent_h).real(s.frame.unit_scale);
    records.integer(static_cast<int>(p.orientation)).integer(static_cast<int>(p.scale_mode));
    records.real(p.scale_factor).integer(p.window_mode).integer(p.window_w).integer(p.window_h);
    records.integer(s.files.screen_mode);
    records.token(s.frame.page_keyword[0] ? s.frame.page_keyword : "-");
}

// --- Reading ---------------------------------------------------------------------------

namespace {

constexpr int kColumns = RecordWriter::kColumns;

class Reader {
  public:
    Reader(Metafile& out, std::string& error) : m_(out), error_(error) {}

    bool read(std::string_view bytes);

  private:
    bool fail(const std::string& message) {
        error_ = "record " + std::to_string(line_) + ": " + message;
        return false;
    }
    bool item(std::string_view keyword);
    bool header();
    bool page();
    bool count(std::size_t& index, int& n, std::size_t per_point);
    bool integer(std::size_t index, long long lo, long long hi, long long& value);
    bool real(std::size_t index, double& value);
    bool reals(std::size_t from, std::size_t n);
    bool expect(std::size_t n) {
        if (tokens_.size() == n) return true;
        return fail("item " + std::string(tokens_[0]) + " has " +
                    std::to_string(tokens_.size() - 1) + " fields instead of " +
                    std::to_string(n - 1));
    }
    MetafileItem& add(MetafileItemKind kind) {
        m_.items.push_back(MetafileItem{});
        MetafileItem& it = m_.items.back();
        it.kind = kind;
        it.at = m_.numbers.size();
        return it;
    }

    Metafile& m_;
    std::string& error_;
    std::vector<std::string_view> tokens_;
    int line_ = 0;   // record where the current item begins
    int stage_ = 0;  // 0 before the header, 1 before the page, 2 items, 3 after the end
};

bool Reader::integer(std::size_t index, long long lo, long long hi, long long& value) {
    const std::string_view t = tokens_[index];
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (ec != std::errc() || end != t.data() + t.size())
        return fail("\"" + std::string(t) + "\" is not an integer");
    if (value < lo || value > hi)
        return fail("value " + std::string(t) + " lies outside " + std::to_string(lo) + " to " +
                    std::to_string(hi));
    return true;
}

bool Reader::real(std::size_t index, double& value) {
    const std::string_view t = tokens_[index];
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (ec != std::errc() || end != t.data() + t.size() || !std::isfinite(value))
        return fail("\"" + std::string(t) + "\" is not a finite number");
    return true;
}

bool Reader::reals(std::size_t from, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        double v;
        if (!real(from + i, v)) return false;
        m_.numbers.push_back(v);
    }
    return true;
}

// The point count of a line or polygon in field 1, checked against the fields present.
bool Reader::count(std::size_t& index, int& n, std::size_t per_point) {
    if (tokens_.size() < 2) return fail("item " + std::string(tokens_[0]) + " has no count");
    long long value;
    if (!integer(1, 1, kMetafileMaxPoints, value)) return false;
    n = static_cast<int>(value);
    index = 2;
    if (tokens_.size() - 2 != static_cast<std::size_t>(n) * per_point)
        return fail("item " + std::string(tokens_[0]) + " announces " + std::to_string(n) +
                    " points but holds " + std::to_string(tokens_.size() - 2) + " numbers");
    return true;
}

bool Reader::header() {
    if (tokens_[0] != "GKSL" || tokens_.size() < 2 || tokens_[1] != kMetafileName)
        return fail("not a Gravox metafile (it must begin with \"GKSL " +
                    std::string(kMetafileName) + "\")");
    if (!expect(6)) return false;
    long long version;
    if (!integer(2, 0, std::numeric_limits<int>::max(), version)) return false;
    if (version != kMetafileVersion)
        return fail("format version " + std::to_string(version) + " is not supported (only " +
                    std::to_string(kMetafileVersion) + ")");
    m_.library_version = tokens_[3];
    m_.date = tokens_[4];
    m_.time = tokens_[5];
    return true;
}

bool Reader::page() {
    if (tokens_[0] != "PAGE") return fail("the page record is missing");
    if (!expect(14)) return false;
    MetafilePage& p = m_.page;
    long long v[15] = {};
    const std::pair<int, long long> ints[] = {{1, 100000}, {2, 100000}, {6, 2},      {7, 2},
                                              {9, 2},      {10, 32767}, {11, 32767}, {12, 4}};
    for (const auto& [index, hi] : ints)
        if (!integer(static_cast<std::size_t>(index), 0, hi, v[index])) return false;
    double r[15] = {};
    for (int index : {3, 4, 5, 8})
        if (!real(static_cast<std::size_t>(index), r[index])) return false;
    if (!(r[3] > 0 && r[3] <= 1e6 && r[4] > 0 && r[4] <= 1e6))
        return fail("the page extents must lie between 0 and 1e6");
    if (!(r[5] > 0 && r[5] <= 1000) || !(r[8] > 0 && r[8] <= 1000))
        return fail("the unit scale and the scale factor must lie between 0 and 1000");
    if (v[12] == 3) return fail("screen mode 3 does not exist");
    if (v[9] != 0 && (v[10] < 1 || v[11] < 1)) return fail("the window size must be positive");
    const std::string_view keyword = tokens_[13];
    if (keyword.empty() || keyword.size() > 4) return fail("bad page keyword");
    p.width = static_cast<int>(v[1]);
    p.height = static_cast<int>(v[2]);
    p.extent_w = r[3];
    p.extent_h = r[4];
    p.unit_scale = r[5];
    p.orientation = static_cast<int>(v[6]);
    p.scale_mode = static_cast<int>(v[7]);
    p.scale_factor = r[8];
    p.window_mode = static_cast<int>(v[9]);
    p.window_w = static_cast<int>(v[10]);
    p.window_h = static_cast<int>(v[11]);
    p.screen_mode = static_cast<int>(v[12]);
    std::memset(p.page_keyword, 0, sizeof p.page_keyword);
    if (keyword != "-") std::memcpy(p.page_keyword, keyword.data(), keyword.size());
    return true;
}

bool Reader::item(std::string_view keyword) {
    constexpr long long kIntMax = std::numeric_limits<int>::max();
    if (stage_ == 0) {
        stage_ = 1;
        return header();
    }
    if (stage_ == 1) {
        stage_ = 2;
        return page();
    }
    if (stage_ == 3) return fail("data after the closing record END");
    long long a = 0, b = 0;
    std::size_t index = 0;
    int n = 0;
    if (keyword == "COL") {
        if (!expect(2) || !integer(1, 0, kIntMax, a)) return false;
        add(MetafileItemKind::colour).value = a;
    } else if (keyword == "WID") {
        if (!expect(2) || !integer(1, 1, 32000, a)) return false;
        add(MetafileItemKind::width).value = a;
    } else if (keyword == "PAL") {
        if (!expect(2 + kColourTableSize) || !integer(1, 0, 8, a)) return false;
        MetafileItem& it = add(MetafileItemKind::palette);
        it.value = a;
        it.at = m_.tables.size();
        for (int i = 0; i < kColourTableSize; ++i) {
            const std::string_view t = tokens_[2 + i];
            unsigned entry = 0;
            const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), entry, 16);
            if (t.size() != 6 || ec != std::errc() || end != t.data() + t.size())
                return fail("colour table entry \"" + std::string(t) + "\" is not six hex digits");
            m_.tables.push_back(entry);
        }
    } else if (keyword == "LIN" || keyword == "POL") {
        if (!count(index, n, 2)) return false;
        MetafileItem& it =
            add(keyword == "LIN" ? MetafileItemKind::line : MetafileItemKind::polygon);
        it.count = n;
        return reals(index, static_cast<std::size_t>(n) * 2);
    } else if (keyword == "BOX") {
        if (!expect(6) || !integer(5, 0, kIntMax, a)) return false;
        add(MetafileItemKind::box).value = a;
        return reals(1, 4);
    } else if (keyword == "PNT") {
        if (!expect(4) || !integer(3, 0, kIntMax, a)) return false;
        add(MetafileItemKind::point).value = a;
        return reals(1, 2);
    } else if (keyword == "TXT") {
        long long angle, font, divisor;
        if (!expect(8) || !integer(1, 0, 255, a) || !integer(4, -360000, 360000, angle) ||
            !integer(5, 0, 34, font) || !integer(7, 1, 1000000, divisor))
            return false;
        double x, y, height;
        if (!real(2, x) || !real(3, y) || !real(6, height)) return false;
        MetafileItem& it = add(MetafileItemKind::text);
        it.value = a;
        it.angle = static_cast<int>(angle);
        it.font = static_cast<int>(font);
        it.divisor = static_cast<int>(divisor);
        m_.numbers.insert(m_.numbers.end(), {x, y, height});
    } else if (keyword == "ERA") {
        if (!expect(1)) return false;
        add(MetafileItemKind::erase);
    } else if (keyword == "END") {
        if (!expect(2) || !integer(1, 0, std::numeric_limits<long long>::max(), b)) return false;
        if (static_cast<std::size_t>(b) != m_.items.size())
            return fail("the closing record counts " + std::to_string(b) +
                        " items, the file holds " + std::to_string(m_.items.size()));
        stage_ = 3;
    } else {
        return fail("unknown item \"" + std::string(keyword) + "\"");
    }
    return true;
}

bool Reader::read(std::string_view bytes) {
    int record = 0;
    int item_line = 0;
    std::size_t start = 0;
    auto flush_item = [&]() {
        if (tokens_.empty()) return true;
        line_ = item_line;
        const bool ok = item(tokens_[0]);
        tokens_.clear();
        return ok;
    };
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) end = bytes.size();
        const std::string_view text = bytes.substr(start, end - start);
        start = end + 1;
        line_ = ++record;
        if (text.size() > static_cast<std::size_t>(kColumns))
            return fail("longer than " + std::to_string(kColumns) + " columns");
        for (char c : text)
            if (static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) > 126)
                return fail("holds a character that is not printable");
        const bool continues = !text.empty() && text[0] == ' ';
        if (!continues) {
            if (!flush_item()) return false;
            line_ = record;
            if (text.empty()) return fail("empty record");
            item_line = record;
        } else if (tokens_.empty()) {
            return fail("a continuation record without an item");
        }
        std::size_t at = 0;
        while (at < text.size()) {
            while (at < text.size() && text[at] == ' ') ++at;
            std::size_t stop = at;
            while (stop < text.size() && text[stop] != ' ') ++stop;
            if (stop > at) tokens_.push_back(text.substr(at, stop - at));
            at = stop;
        }
    }
    if (!flush_item()) return false;
    line_ = record;
    if (stage_ < 2) return fail("the file ends before its header is complete");
    if (stage_ != 3) return fail("the file is truncated: the closing record END is missing");
    return true;
}

}  // namespace

bool read_metafile(std::string_view bytes, Metafile& out, std::string& error) {
    out = Metafile{};
    return Reader(out, error).read(bytes);
}

// --- Replay ----------------------------------------------------------------------------

void apply_metafile_page(Gravox& g, const MetafilePage& page) {
    PlotState& s = state_of(g);
    s.frame.page_extent_w = page.extent_w;
    s.frame.page_extent_h = page.extent_h;
    s.frame.unit_scale = page.unit_scale;
    if (page.page_keyword[0]) copy_text(s.frame.page_keyword, page.page_keyword, 4);
    s.page.orientation = static_cast<PageOrientation>(page.orientation);
    s.page.scale_mode = static_cast<ScaleMode>(page.scale_mode);
    s.page.scale_factor = page.scale_factor;
    s.page.window_mode = page.window_mode;
    s.page.window_w = page.window_w;
    s.page.window_h = page.window_h;
    s.files.screen_mode = page.screen_mode;
}

namespace {

void replay_line(PlotState& s, const double* v, int n) {
    move_to(s, v[0], v[1]);
    // The points go into the polyline buffer as they are, without the test for repeated
    // points of draw_to: the device receives the line it was drawn with. A full buffer
    // goes on from its last point only when more points follow, as while drawing.
    PrimitiveState& p = *s.prims;
    for (int i = 1; i < n; ++i) {
        p.polyline_x[p.polyline_count] = v[2 * i];
        p.polyline_y[p.polyline_count] = v[2 * i + 1];
        if (++p.polyline_count == kPolylineCapacity && i + 1 < n) continue_full_polyline(s);
    }
    flush_polyline(s);
}

// The colour table of a palette item as the device of the replay would have it.
void replayed_table(const Metafile& m, const MetafileItem& it, bool reverse, std::uint32_t* table) {
    std::memcpy(table, m.tables.data() + it.at, kColourTableSize * sizeof(std::uint32_t));
    if (reverse) reverse_table(table, static_cast<int>(it.value));
}

// The number of leading palette and colour items that the opening of the replay's own
// plot has already sent to its device (the palette load and foreground colour of gvxini).
std::size_t opening_items(const PlotState& s, const Metafile& m, bool reverse) {
    const ColourState& c = *s.colours;
    int kind = c.palette_kind;
    std::size_t k = 0;
    for (; k < m.items.size(); ++k) {
        const MetafileItem& it = m.items[k];
        if (it.kind == MetafileItemKind::palette) {
            std::uint32_t table[kColourTableSize];
            replayed_table(m, it, reverse, table);
            if (it.value != c.palette_kind || std::memcmp(table, c.table, sizeof table) != 0) break;
        } else if (it.kind == MetafileItemKind::colour) {
            const auto value = static_cast<std::int32_t>(it.value);
            if ((reverse ? reversed_colour(value, kind) : value) != c.current_colour) break;
        } else {
            break;
        }
    }
    return k;
}

}  // namespace

void replay_metafile(Gravox& g, const Metafile& m) {
    PlotState& s = state_of(g);
    if (s.frame.level < 1) return;
    // The metafile holds its colours as a device on which the reversed screen mode
    // changes nothing; a device that it changes gets them as the reversal makes them.
    const bool reverse = screen_mode_reverses_colours(s);
    int kind = s.colours->palette_kind;
    std::vector<double> xs, ys;
    for (std::size_t k = opening_items(s, m, reverse); k < m.items.size(); ++k) {
        const MetafileItem& it = m.items[k];
        const double* v = m.numbers.data() + it.at;
        switch (it.kind) {
            case MetafileItemKind::colour: {
                const auto value = static_cast<std::int32_t>(it.value);
                set_device_colour(s, reverse ? reversed_colour(value, kind) : value);
                break;
            }
            case MetafileItemKind::palette: {
                flush_polyline(s);
                kind = static_cast<int>(it.value);
                replayed_table(m, it, reverse, s.colours->table);
                s.colours->palette_kind = kind;
                load_device_palette(s);
                break;
            }
            case MetafileItemKind::width:
                g.linwid(static_cast<int>(it.value));
                break;
            case MetafileItemKind::line:
                replay_line(s, v, it.count);
                break;
            case MetafileItemKind::polygon:
                xs.resize(static_cast<std::size_t>(it.count));
                ys.resize(static_cast<std::size_t>(it.count));
                for (int i = 0; i < it.count; ++i) {
                    xs[i] = v[2 * i];
                    ys[i] = v[2 * i + 1];
                }
                fill_polygon(s, xs.data(), ys.data(), it.count);
                break;
            case MetafileItemKind::box: {
                const auto value = static_cast<std::int32_t>(it.value);
                fill_box(s, v[0], v[1], v[2], v[3], reverse ? reversed_colour(value, kind) : value);
                break;
            }
            case MetafileItemKind::point: {
                const auto value = static_cast<std::int32_t>(it.value);
                plot_point(s, v[0], v[1], reverse ? reversed_colour(value, kind) : value);
                break;
            }
            case MetafileItemKind::text: {
                DeviceCharacter c;
                c.code = static_cast<int>(it.value);
                c.x = v[0];
                c.y = v[1];
                c.angle = it.angle;
                c.font = it.font;
                c.height = v[2];
                c.size_divisor = it.divisor;
                // A device without text of its own has no hardware font to draw with.
                device_text_character(s, c);
                break;
            }
            case MetafileItemKind::erase:
                flush_polyline(s);
                if (s.device) s.device->erase();
                break;
        }
    }
    flush_polyline(s);
}

// --- Fuzzing entry point ----------------------------------------------------------------

namespace {

class DiscardSink final : public Sink {
  protected:
    bool do_write(const void*, std::size_t) override { return true; }
};

}  // namespace

int fuzz_metafile(const std::uint8_t* data, std::size_t size) {
    Metafile m;
    std::string error;
    if (!read_metafile({reinterpret_cast<const char*>(data), size}, m, error)) return 1;
    Gravox g;
    PlotState& s = state_of(g);
    s.files.open_sink = [](const char*, const char*) {
        return std::unique_ptr<Sink>(new DiscardSink);
    };
    g.metafl("SVG");
    apply_metafile_page(g, m.page);
    g.gvxini();
    if (s.frame.level == 0) return 1;
    g.errmod("ALL", "OFF");  // no warnings and no protocol
    replay_metafile(g, m);
    g.gvxfin();
    return 0;
}

}  // namespace gvx
