#include <array>
#include <cstring>

#include "gravox/devices/image_writer_internal.h"
#include "gravox/devices/image_writers.h"

namespace gvx {

namespace {

// The LZW coder of the GIF image data: variable code length from 9 to 12 bits, codes
// packed least significant bit first into sub-blocks of at most 255 bytes.
class LzwEncoder {
  public:
    explicit LzwEncoder(Sink& sink) : sink_(sink) { clear_table(); }

    // Starts the stream with the clear code; the first pixel becomes the prefix.
    void start(std::uint8_t first) {
        put_code(kClear);
        prefix_ = first;
    }

    void add(std::uint8_t byte) {
        const std::int32_t key = prefix_ << 8 | byte;
        int slot = (byte << 4) ^ prefix_;
        if (keys_[slot] == key) {
            prefix_ = codes_[slot];
            return;
        }
        if (keys_[slot] != kEmpty) {
            const int step = slot == 0 ? 1 : kSlots - slot;
            do {
                slot -= step;
                if (slot < 0) slot += kSlots;
                if (keys_[slot] == key) {
                    prefix_ = codes_[slot];
                    return;
                }
            } while (keys_[slot] != kEmpty);
        }
        // A new string: write its known part and give the whole a code.
        put_code(prefix_);
        const int code = next_code_++;
        keys_[slot] = key;
        codes_[slot] = static_cast<std::uint16_t>(code);
        if (code == 1 << code_length_) ++code_length_;
        if (code == kLastCode) {
            put_code(kClear);
            clear_table();
        }
        prefix_ = byte;
    }

    // Writes the last prefix and the end code and flushes the remaining bits.
    void finish() {
        put_code(prefix_);
        put_code(kEnd);
        if (bit_count_ > 0) push_byte(static_cast<std::uint8_t>(bits_));
        bits_ = 0;
        bit_count_ = 0;
        if (block_length_ > 0) write_block();
    }

  private:
    static constexpr int kSlots = 5021;
    static constexpr int kClear = 256;
    static constexpr int kEnd = 257;
    static constexpr int kFirstFree = 258;
    static constexpr int kLastCode = 4094;
    static constexpr std::int32_t kEmpty = -1;

    void clear_table() {
        keys_.fill(kEmpty);
        next_code_ = kFirstFree;
        code_length_ = 9;
    }

    void put_code(int code) {
        bits_ |= static_cast<std::uint32_t>(code) << bit_count_;
        bit_count_ += code_length_;
        while (bit_count_ >= 8) {
            push_byte(static_cast<std::uint8_t>(bits_));
            bits_ >>= 8;
            bit_count_ -= 8;
        }
    }

    void push_byte(std::uint8_t b) {
        block_[block_length_++] = b;
        if (block_length_ == 255) write_block();
    }

    void write_block() {
        sink_.put_byte(static_cast<unsigned char>(block_length_));
        sink_.write(block_.data(), static_cast<std::size_t>(block_length_));
        block_length_ = 0;
    }

    Sink& sink_;
    // The string table: the key prefix * 256 + byte of each slot and its code.
    std::array<std::int32_t, kSlots> keys_;
    std::array<std::uint16_t, kSlots> codes_{};
    int next_code_ = kFirstFree;
    int code_length_ = 9;
    int prefix_ = 0;
    std::uint32_t bits_ = 0;
    int bit_count_ = 0;
    std::array<std::uint8_t, 255> block_{};
    int block_length_ = 0;
};

// The colour of a colour value: an explicit colour, or a table entry.
std::uint32_t colour_of(std::int32_t value, const std::uint32_t* table, int size) {
    if (value >= 0x01000000) {
        const auto v = static_cast<std::uint32_t>(value);
        return (v & 0xFF) << 16 | (v & 0xFF00) | (v >> 16 & 0xFF);
    }
    return image_io::table_entry(table, size, value & 0xFF);
}

}  // namespace

ImageStatus write_gif(Sink& sink, const RasterCanvas& canvas, const ImageSettings& settings,
                      const std::uint32_t* colour_table, int table_size) {
    using namespace image_io;
    ImageBlock block;
    if (!resolve_block(canvas, settings, block)) return ImageStatus::no_image;
    if (block.width > 0xFFFF || block.height > 0xFFFF) return ImageStatus::no_image;
    if (!canvas.true_colour() && (!colour_table || table_size < 1)) return ImageStatus::no_image;
    if (sink.failed()) return ImageStatus::file_error;

    IndexedRows rows(canvas, block, colour_table, table_size);
    if (!rows.prepare()) return ImageStatus::no_memory;
    auto encoder = std::unique_ptr<LzwEncoder>(new (std::nothrow) LzwEncoder(sink));
    if (!encoder) return ImageStatus::no_memory;

    std::array<std::uint32_t, 256> palette{};
    for (int i = 0; i < 256; ++i) palette[static_cast<std::size_t>(i)] = rows.palette(i);
    auto background = static_cast<std::uint8_t>(settings.background_colour & 0xFF);
    if (rows.quantised()) {
        // The reduced palette has its own order: find the background colour in it, or
        // give it a spare entry, so that transparency hides the background and nothing
        // else.
        const std::uint32_t c = colour_of(settings.background_colour, colour_table, table_size);
        const std::uint8_t r = c >> 16 & 0xFF, g = c >> 8 & 0xFF, b = c & 0xFF;
        background = rows.quantiser().index(r, g, b);
        if (palette[background] != c && rows.quantiser().colours() < 256) {
            background = static_cast<std::uint8_t>(rows.quantiser().colours());
            palette[background] = c;
        }
    }

    const bool transparent = settings.gif.transparent;
    const auto w = static_cast<std::uint32_t>(block.width);
    const auto h = static_cast<std::uint32_t>(block.height);

    // Header, logical screen descriptor and the global colour table.
    std::uint8_t header[13 + 768];
    std::memcpy(header, transparent ? "GIF89a" : "GIF87a", 6);
    put_u16(header + 6, w);
    put_u16(header + 8, h);
    header[10] = 0xF7;  // global table of 256 entries, 8-bit colour resolution
    header[11] = background;
    header[12] = 0;  // aspect ratio
    for (int i = 0; i < 256; ++i) {
        const std::uint32_t e = palette[static_cast<std::size_t>(i)];
        header[13 + 3 * i] = static_cast<std::uint8_t>(e >> 16);
        header[14 + 3 * i] = static_cast<std::uint8_t>(e >> 8);
        header[15 + 3 * i] = static_cast<std::uint8_t>(e);
    }
    sink.write(header, sizeof header);

    if (transparent) {
        // Graphic control extension: the background index is transparent.
        const std::uint8_t control[8] = {0x21, 0xF9, 0x04, 0x01, 0, 0, background, 0};
        sink.write(control, sizeof control);
    }

    // Image descriptor: the whole logical screen, no local table, not interlaced.
    std::uint8_t descriptor[10] = {0x2C};
    put_u16(descriptor + 5, w);
    put_u16(descriptor + 7, h);
    sink.write(descriptor, sizeof descriptor);
    sink.put_byte(8);  // LZW minimum code size

    for (int r = 0; r < block.height && !sink.failed(); ++r) {
        const std::uint8_t* indices = rows.row(r);
        std::uint32_t x = 0;
        if (r == 0) encoder->start(indices[x++]);
        for (; x < w; ++x) encoder->add(indices[x]);
    }
    encoder->finish();
    const std::uint8_t end[2] = {0, 0x3B};  // zero-length block, trailer
    sink.write(end, sizeof end);
    return sink.failed() ? ImageStatus::file_error : ImageStatus::ok;
}

}  // namespace gvx
