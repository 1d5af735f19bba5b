// Text output of the text-based writers (SVG, IPE, HPGL, applet source, PostScript,
// PDF, metafiles): numbers become characters without the C library's printf and are
// gathered in one large buffer that goes to the sink in blocks.
//
// Each number routine writes exactly the bytes of the printf conversion named beside
// it, so a writer can move from printf to this class without changing a byte.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

namespace gvx {

class Sink;

class TextOut {
  public:
    explicit TextOut(Sink* sink = nullptr) : sink_(sink) {}
    ~TextOut() { flush(); }
    TextOut(const TextOut&) = delete;
    TextOut& operator=(const TextOut&) = delete;

    // Flushes what is pending to the old sink and writes to another one from now on.
    void reset(Sink* sink);
    Sink* sink() const { return sink_; }

    TextOut& put(std::string_view text) {
        if (text.size() > kSize - used_) return put_across(text);
        std::memcpy(buffer_ + used_, text.data(), text.size());
        used_ += text.size();
        return *this;
    }
    TextOut& put(char c) {
        if (used_ == kSize) flush();
        buffer_[used_++] = c;
        return *this;
    }
    // "%lld" (and "%d").
    TextOut& integer(long long value);
    // "%*lld" with a fill of blanks, or "%0*lld" with fill '0'.
    TextOut& padded(long long value, int width, char fill = ' ');
    // "%.*f": the value rounded correctly to the given number of decimals (0 to 17).
    TextOut& fixed(double value, int decimals);
    // "%*.*f": as fixed, right-aligned with blanks in a field of at least width characters.
    TextOut& fixed(double value, int decimals, int width);
    // "%02x" of the low byte.
    TextOut& hex2(unsigned value);
    // The shortest text that reads back as the same double ("1.5", "1e+20", "-0"); "nan"
    // and "inf" for the values that are not finite.
    TextOut& shortest(double value);

    // The texts of integer() and shortest() written to a caller's buffer of at least
    // kNumberChars characters, for writers that measure a number before placing it.
    // Returns the length.
    static constexpr std::size_t kNumberChars = 32;
    static std::size_t integer_text(char* out, long long value);
    static std::size_t shortest_text(char* out, double value);

    // Direct writing, for a writer's loop over the points of a line: room(n) gives
    // space for n more bytes (n at most kRoomLimit), the writer puts its text there
    // with the *_at routines below or by hand, and advance_to takes it up to the end
    // of what was written. Each *_at routine returns the end of its text.
    static constexpr std::size_t kRoomLimit = 4096;
    char* room(std::size_t n) { return reserve(n); }
    void advance_to(char* end) { used_ = static_cast<std::size_t>(end - buffer_); }
    // "%lld" into at least kNumberChars bytes.
    static char* integer_at(char* at, long long value);
    // "%.*f" into at least kFixedChars bytes.
    static constexpr std::size_t kFixedChars = 1 + 309 + 1 + 17;
    static char* fixed_at(char* at, double value, int decimals);

    // Hands everything pending to the sink.
    void flush();
    // Bytes written through this object so far (pending ones included).
    std::size_t count() const { return flushed_ + used_; }

  private:
    // put for a text that does not fit into the rest of the buffer.
    TextOut& put_across(std::string_view text);
    // Makes room for n more bytes (n at most kSize).
    char* reserve(std::size_t n) {
        if (kSize - used_ < n) flush();
        return buffer_ + used_;
    }

    // Large blocks: the kernel takes a text file of many megabytes in fewer, cheaper writes.
    static constexpr std::size_t kSize = 1 << 20;
    Sink* sink_;
    std::size_t used_ = 0;
    std::size_t flushed_ = 0;
    char buffer_[kSize];
};

}  // namespace gvx
