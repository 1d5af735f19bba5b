// The GKSL metafile (device 201): writing its header, reading a metafile back and
// replaying it into the open plot of any device. The format is described in
// docs/metafile.md.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class Gravox;

namespace gvx {

struct PlotState;
class RecordWriter;

inline constexpr int kMetafileVersion = 1;
inline constexpr const char* kMetafileName = "GRAVOX-METAFILE";
inline constexpr const char* kLibraryVersion = "10.4.3";
// The most points of one line or polygon that a reader accepts.
inline constexpr int kMetafileMaxPoints = 10000000;

// The page settings of the plot, made again before a replay opens its plot.
struct MetafilePage {
    int width = 0, height = 0;              // page in page units (as gvxini made it)
    double extent_w = 0.0, extent_h = 0.0;  // page extents of setpag
    double unit_scale = 1.0;                // units()
    int orientation = 0;                    // pagmod: 0 landscape, 1 portrait, 2 none
    int scale_mode = 0;                     // sclmod: 0 down, 1 full, 2 none
    double scale_factor = 1.0;              // sclfac
    int window_mode = 0;                    // 0 default size, 1 window, 2 winsiz
    int window_w = 0, window_h = 0;         // size of window or winsiz
    int screen_mode = 4;                    // scrmod as given (not yet resolved)
    char page_keyword[5] = "DA4L";
};

enum class MetafileItemKind : std::uint8_t {
    colour,
    palette,
    width,
    line,
    polygon,
    box,
    point,
    text,
    erase
};

// One item after the header. Its numbers lie in Metafile::numbers from `at` on: the
// x, y pairs of a line or polygon; x1, y1, x2, y2 of a box; x, y of a point; x, y and
// height of a character. Palettes lie in Metafile::tables, 256 entries from `at`.
struct MetafileItem {
    MetafileItemKind kind = MetafileItemKind::erase;
    int count = 0;           // points of a line or polygon
    std::size_t at = 0;      // first number (or table entry)
    std::int64_t value = 0;  // colour value, palette kind, width, box or point colour,
                             // character code
    int angle = 0, font = 0, divisor = 0;  // of a character
};

struct Metafile {
    std::string library_version, date, time;
    MetafilePage page;
    std::vector<MetafileItem> items;
    std::vector<double> numbers;
    std::vector<std::uint32_t> tables;
};

// Writes the header records of the open plot (the format, versions, date and page).
void write_metafile_header(RecordWriter& records, const PlotState& s);

// Reads a whole metafile. Returns false with a message naming the record of the
// first fault when the bytes are not a complete, well-formed metafile.
bool read_metafile(std::string_view bytes, Metafile& out, std::string& error);

// Makes the page settings of the metafile in g, which must be at level 0.
void apply_metafile_page(Gravox& g, const MetafilePage& page);

// Replays the items into the plot open in s, through the drawing primitives, so that
// its device receives what it would have received had the plot been drawn on it.
void replay_metafile(Gravox& g, const Metafile& m);

// Reads and replays bytes into an SVG document kept in memory: the entry point of the
// fuzzing harness. Returns 0 for a metafile that was replayed and 1 for one refused.
int fuzz_metafile(const std::uint8_t* data, std::size_t size);

}  // namespace gvx

namespace gvx {

// Converts the metafile named input into the output format of a metafl keyword. The
// plot file is output when it is given, else the input's name with the extension of
// the format ("gravox.met" becomes "gravox.png"), both under the usual file mode.
// Returns 0, or 1 with a message in error when the input cannot be read, is damaged,
// or the format cannot be written.
int convert_metafile(const char* input, const char* format, const char* output, std::string& error);

}  // namespace gvx
