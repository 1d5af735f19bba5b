// fontsheet: draws every glyph of every alphabet of the built-in vector fonts
// into one PNG sheet, to look at the font tables.
//
// Usage: fontsheet [OUTPUT.png [SCALE [FONT [ALPHABET]]]]
//   default fontsheet.png, scale 2, both fonts (1 gvxalf, 3 complx), all
//   alphabets (1 standard ... 6 Cyrillic).
//
// Each alphabet is one block of cells, 16 to a row, in record order. A cell
// shows the glyph on a grey baseline with its advance width marked, and the
// character code under it, written with gvxalf. Strokes drawn with an offset
// are drawn in grey, so that shared points stand out.

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "gravox/text/font_data.h"

namespace {

struct Image {
    int width;
    int height;
    std::vector<std::uint8_t> pixels;  // grey levels, 255 white

    Image(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h, 255) {}

    void set(int x, int y, std::uint8_t v) {
        if (x < 0 || y < 0 || x >= width || y >= height) return;
        std::uint8_t& p = pixels[static_cast<size_t>(y) * width + x];
        p = std::min(p, v);
    }

    void line(double x0, double y0, double x1, double y1, std::uint8_t v) {
        const int steps = static_cast<int>(std::max(std::fabs(x1 - x0), std::fabs(y1 - y0))) + 1;
        for (int i = 0; i <= steps; ++i) {
            const double t = static_cast<double>(i) / steps;
            set(static_cast<int>(std::lround(x0 + (x1 - x0) * t)),
                static_cast<int>(std::lround(y0 + (y1 - y0) * t)), v);
        }
    }
};

std::uint32_t crc_of(const std::string& type, const std::vector<std::uint8_t>& data) {
    uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(type.data()), 4);
    if (!data.empty()) crc = crc32(crc, data.data(), static_cast<uInt>(data.size()));
    return static_cast<std::uint32_t>(crc);
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void chunk(std::vector<std::uint8_t>& out, const std::string& type,
           const std::vector<std::uint8_t>& data) {
    put32(out, static_cast<std::uint32_t>(data.size()));
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    put32(out, crc_of(type, data));
}

bool write_png(const Image& img, const char* path) {
    std::vector<std::uint8_t> raw;
    raw.reserve(static_cast<size_t>(img.width + 1) * img.height);
    for (int y = 0; y < img.height; ++y) {
        raw.push_back(0);
        const auto row = img.pixels.begin() + static_cast<long>(y) * img.width;
        raw.insert(raw.end(), row, row + img.width);
    }
    uLongf packed_size = compressBound(static_cast<uLong>(raw.size()));
    std::vector<std::uint8_t> packed(packed_size);
    if (compress(packed.data(), &packed_size, raw.data(), static_cast<uLong>(raw.size())) != Z_OK) {
        return false;
    }
    packed.resize(packed_size);

    std::vector<std::uint8_t> file{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    put32(header, static_cast<std::uint32_t>(img.width));
    put32(header, static_cast<std::uint32_t>(img.height));
    header.insert(header.end(), {8, 0, 0, 0, 0});  // 8-bit grey, no interlace
    chunk(file, "IHDR", header);
    chunk(file, "IDAT", packed);
    chunk(file, "IEND", {});

    std::unique_ptr<FILE, int (*)(FILE*)> out(std::fopen(path, "wb"), &std::fclose);
    if (!out) return false;
    return std::fwrite(file.data(), 1, file.size(), out.get()) == file.size();
}

int low(std::int16_t w) {
    return static_cast<std::int8_t>(static_cast<std::uint16_t>(w) & 0xFF);
}
int high(std::int16_t w) {
    return static_cast<std::int8_t>(static_cast<std::uint16_t>(w) >> 8);
}

const gvx::AlphabetData& resolve(const gvx::FontData& font, int alphabet,
                                 const std::int16_t** coords, int* coord_count) {
    const gvx::AlphabetData& a = font.alphabets[alphabet];
    const gvx::AlphabetData& standard = font.alphabets[0];
    *coords = a.coords ? a.coords : standard.coords;
    *coord_count = a.coords ? a.coord_count : standard.coord_count;
    return a.directory ? a : standard;
}

// Character code shown by record `r` (0-based) of an alphabet.
int record_code(int alphabet, int font, int r) {
    const int rec = r + 2;
    switch (alphabet) {
        case 0:
            return rec + 31;
        case 3:
            if (font == 1) return rec + 31;
            return rec <= 27 ? rec + 95 : rec + 102;
        case 5:
            if (rec <= 4) return rec + 34;
            if (rec <= 7) return rec + 55;
            if (rec <= 37) return rec + 57;
            return rec + 59;
        default:
            if (rec <= 27) return rec + 63;
            if (rec <= 53) return rec + 69;
            return alphabet == 2 ? 127 : rec + 73;
    }
}

// Draws one record with its left end of the baseline at (x, y) in pixels.
// Returns the advance (largest x + offset) in grid units.
double draw_record(Image& img, const std::int16_t* coords, int coord_count, const std::int16_t* rec,
                   double x, double y, double scale, bool mark_shared) {
    double width = 0;
    const int length = rec[0];
    int i = 1;
    while (i < length) {
        const int n = rec[i];
        const int start = rec[i + 1];
        double ox = 0, oy = 0;
        i += 2;
        if (n < 0) {
            ox = low(rec[i]) * 0.5;
            oy = high(rec[i]) * 0.5;
            ++i;
        }
        const int count = std::abs(n);
        if (start < 1 || start - 1 + count > coord_count) continue;
        double px = 0, py = 0;
        for (int k = 0; k < count; ++k) {
            const std::int16_t w = coords[start - 1 + k];
            const double gx = low(w) + ox;
            const double gy = high(w) + oy;
            width = std::max(width, gx);
            const double sx = x + gx * scale;
            const double sy = y - gy * scale;
            if (k > 0) img.line(px, py, sx, sy, (mark_shared && n < 0) ? 110 : 0);
            px = sx;
            py = sy;
        }
    }
    return width;
}

const std::int16_t* find_record(const gvx::AlphabetData& a, int r) {
    const std::int16_t* p = a.directory;
    for (int k = 0; k < r; ++k) {
        if (p[0] <= 0) return nullptr;
        p += p[0];
    }
    return p[0] > 0 ? p : nullptr;
}

// Writes a short text with gvxalf (6 x 7 cells) starting at (x, y) on the baseline.
void label(Image& img, const std::string& text, double x, double y, double scale) {
    const gvx::AlphabetData& a = gvx::kGvxalfFontData.alphabets[0];
    for (char c : text) {
        if (c > ' ' && c < 127) {
            if (const std::int16_t* rec = find_record(a, c - 33)) {
                draw_record(img, a.coords, a.coord_count, rec, x, y, scale, false);
            }
        }
        x += 6 * scale;
    }
}

}  // namespace

int main(int argc, char** argv) {
    const char* path = argc > 1 ? argv[1] : "fontsheet.png";
    const int zoom = argc > 2 ? std::max(1, std::atoi(argv[2])) : 2;
    const int only_font = argc > 3 ? std::atoi(argv[3]) : 0;
    const int only_alphabet = argc > 4 ? std::atoi(argv[4]) : 0;
    auto shown = [&](const gvx::FontData* font, int a) {
        return (only_font == 0 || font->number == only_font) &&
               (only_alphabet == 0 || only_alphabet == a + 1);
    };
    const char* names[] = {"STANDARD", "GREEK", "MATHEMATICAL", "ITALIC", "SCRIPT", "CYRILLIC"};
    const gvx::FontData* fonts[] = {&gvx::kGvxalfFontData, &gvx::kComplxFontData};

    const int cols = 16;
    const int cell_w = 44 * zoom, cell_h = 56 * zoom, title_h = 20 * zoom;
    int height = 8 * zoom;
    for (const gvx::FontData* font : fonts) {
        for (int a = 0; a < gvx::kFontAlphabets; ++a) {
            if (!shown(font, a)) continue;
            const gvx::AlphabetData& d = font->alphabets[a];
            const int records = d.directory ? d.record_count : font->alphabets[0].record_count;
            height += title_h + (records + cols - 1) / cols * cell_h;
        }
    }
    Image img(cols * cell_w + 8 * zoom, height);

    int y0 = 4 * zoom;
    for (const gvx::FontData* font : fonts) {
        const bool grid = font->number == 1;
        for (int a = 0; a < gvx::kFontAlphabets; ++a) {
            if (!shown(font, a)) continue;
            const std::int16_t* coords = nullptr;
            int coord_count = 0;
            const gvx::AlphabetData& dir = resolve(*font, a, &coords, &coord_count);
            const bool own_grid = grid && (a == 0 || a == 1 || a == 3);
            const double scale = (own_grid ? 24.0 / 7.0 : 24.0 / 21.0) * zoom;
            const bool slant = grid && a == 3;
            label(img,
                  std::string(grid ? "GVXALF " : "COMPLX ") + names[a] + " (" +
                      std::to_string(dir.record_count) + " RECORDS, " +
                      std::to_string(font->alphabets[a].slot_count) + " SLOTS)",
                  6.0 * zoom, y0 + 14.0 * zoom, 1.6 * zoom);
            y0 += title_h;
            const std::int16_t* rec = dir.directory;
            for (int r = 0; r < dir.record_count; ++r, rec += rec[0]) {
                const double cx = 4 * zoom + (r % cols) * cell_w + 8 * zoom;
                const double base = y0 + (r / cols) * cell_h + 36 * zoom;
                img.line(cx - 4 * zoom, base, cx + 32 * zoom, base, 215);
                double w = 0;
                if (slant) {
                    // Italic of gvxalf: the standard glyph sheared by 1 / 3.732.
                    Image tmp(1, 1);
                    w = draw_record(tmp, coords, coord_count, rec, 0, 0, 1, false);
                    const int length = rec[0];
                    for (int i = 1; i < length;) {
                        const int n = rec[i];
                        const int start = rec[i + 1];
                        double ox = 0, oy = 0;
                        i += 2;
                        if (n < 0) {
                            ox = low(rec[i]) * 0.5;
                            oy = high(rec[i]) * 0.5;
                            ++i;
                        }
                        double px = 0, py = 0;
                        for (int k = 0; k < std::abs(n); ++k) {
                            const std::int16_t word = coords[start - 1 + k];
                            const double gy = high(word) + oy;
                            const double gx = low(word) + ox + gy / 3.732;
                            const double sx = cx + gx * scale, sy = base - gy * scale;
                            if (k > 0) img.line(px, py, sx, sy, 0);
                            px = sx;
                            py = sy;
                        }
                    }
                } else {
                    w = draw_record(img, coords, coord_count, rec, cx, base, scale, true);
                }
                img.line(cx + w * scale, base - 2 * zoom, cx + w * scale, base + 2 * zoom, 150);
                label(img, std::to_string(record_code(a, font->number, r)), cx, base + 16 * zoom,
                      1.2 * zoom);
            }
            y0 += (dir.record_count + cols - 1) / cols * cell_h;
        }
    }
    if (!write_png(img, path)) {
        std::fprintf(stderr, "fontsheet: cannot write %s\n", path);
        return 1;
    }
    return 0;
}
