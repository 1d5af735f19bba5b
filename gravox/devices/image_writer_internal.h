// Helpers shared by the raster image writers: the block to write, buffers, byte order
// and the source of indexed rows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

#include "gravox/core/sink.h"
#include "gravox/devices/image_writers.h"
#include "gravox/devices/octree_quantiser.h"
#include "gravox/devices/raster_canvas.h"

namespace gvx::image_io {

inline std::unique_ptr<std::uint8_t[]> allocate(std::size_t n) {
    return std::unique_ptr<std::uint8_t[]>(new (std::nothrow) std::uint8_t[n > 0 ? n : 1]());
}

// The block the settings ask for (the whole canvas unless clipped). False when the
// canvas has no pixels or the block does not lie inside it.
inline bool resolve_block(const RasterCanvas& canvas, const ImageSettings& settings,
                          ImageBlock& block) {
    block = {0, 0, canvas.width(), canvas.height()};
    if (settings.clipped) block = settings.block;
    return canvas.has_image() && block.x >= 0 && block.y >= 0 && block.width >= 1 &&
           block.height >= 1 && block.x <= canvas.width() - block.width &&
           block.y <= canvas.height() - block.height;
}

inline void put_u16(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

inline void put_u32(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
    p[2] = static_cast<std::uint8_t>(v >> 16);
    p[3] = static_cast<std::uint8_t>(v >> 24);
}

inline void write_u16(Sink& sink, std::uint32_t v) {
    std::uint8_t b[2];
    put_u16(b, v);
    sink.write(b, 2);
}

inline void write_u32(Sink& sink, std::uint32_t v) {
    std::uint8_t b[4];
    put_u32(b, v);
    sink.write(b, 4);
}

// Entry i of a colour table of size entries; black past its end.
inline std::uint32_t table_entry(const std::uint32_t* table, int size, int i) {
    return table && i >= 0 && i < size ? table[i] & 0xFFFFFFu : 0;
}

// Rows of palette indices for the indexed formats, with the palette that goes with
// them. On an indexed canvas these are the canvas indices and the colour table; on a
// true-colour canvas the image is first reduced to at most 256 colours and the rows
// are mapped to the reduced palette.
class IndexedRows {
  public:
    IndexedRows(const RasterCanvas& canvas, const ImageBlock& block,
                const std::uint32_t* colour_table, int table_size)
        : canvas_(canvas), block_(block), table_(colour_table), table_size_(table_size) {}

    // Allocates the row buffers and, on a true-colour canvas, builds the reduced palette
    // from the block. False when memory ran out.
    bool prepare();

    // True when the palette is the quantiser's and not the colour table.
    bool quantised() const { return canvas_.true_colour(); }
    // Palette entry i as 0x00RRGGBB.
    std::uint32_t palette(int i) const {
        return quantised() ? quantiser_.palette(i) : table_entry(table_, table_size_, i);
    }
    const OctreeQuantiser& quantiser() const { return quantiser_; }

    // The indices of row r of the block (0 is the top row), valid until the next call.
    const std::uint8_t* row(int r);

  private:
    const RasterCanvas& canvas_;
    ImageBlock block_;
    const std::uint32_t* table_;
    int table_size_;
    OctreeQuantiser quantiser_;
    std::unique_ptr<std::uint8_t[]> indices_;
    std::unique_ptr<std::uint8_t[]> rgb_;
};

inline bool IndexedRows::prepare() {
    const auto w = static_cast<std::size_t>(block_.width);
    indices_ = allocate(w);
    if (!indices_) return false;
    if (!quantised()) return true;
    rgb_ = allocate(3 * w);
    if (!rgb_) return false;
    for (int r = 0; r < block_.height; ++r) {
        canvas_.read(block_.x, block_.y + r, block_.width, 1, true, rgb_.get(), 3 * w);
        if (!quantiser_.add(rgb_.get(), w)) return false;
    }
    return quantiser_.finish(256);
}

inline const std::uint8_t* IndexedRows::row(int r) {
    const auto w = static_cast<std::size_t>(block_.width);
    if (quantised()) {
        canvas_.read(block_.x, block_.y + r, block_.width, 1, true, rgb_.get(), 3 * w);
        quantiser_.map(rgb_.get(), w, indices_.get());
    } else {
        canvas_.read(block_.x, block_.y + r, block_.width, 1, false, indices_.get(), w);
    }
    return indices_.get();
}

}  // namespace gvx::image_io
