// The "PDF " device (511): a PDF 1.4 document of one page per plot page.
//
// Objects: 1 the catalog, 2 the page tree, 3 the Info dictionary, 4 the resources that
// every page shares (the fonts used anywhere in the document), then per page its page
// object, its content stream and the stream's length (known only after the stream),
// and at the end one object per font. The content streams are deflated as they are
// written unless pdfmod switched compression off. Every byte goes through one
// counting writer, so the cross-reference table holds exact offsets. In buffer mode
// the document is written into memory and kept for pdfbuf instead of a file.
#include <zlib.h>

#include <array>
#include <cmath>
#include <vector>

#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"
#include "gravox/formats/page_description.h"

namespace gvx {
namespace {

constexpr int kFirstPageObject = 5;  // objects 1 to 4: catalog, pages, info, resources

// The sink of a content stream: the bytes go into the document, deflated or plain.
class StreamSink final : public Sink {
  public:
    explicit StreamSink(TextOut& document) : document_(document) {}
    ~StreamSink() override {
        if (ready_) deflateEnd(&z_);
    }

    // Prepares the compressor; false when zlib cannot.
    bool init(bool compress) {
        compress_ = compress;
        if (!compress) return true;
        z_ = z_stream{};
        ready_ = deflateInit(&z_, Z_BEST_SPEED) == Z_OK;  // text deflates well even so
        return ready_;
    }
    // Ends the stream of one page and makes the compressor ready for the next one.
    // Returns false when zlib failed anywhere in the stream.
    bool finish() {
        if (compress_ && ready_) {
            run(nullptr, 0, Z_FINISH);
            if (deflateReset(&z_) != Z_OK) failed_ = true;
        }
        const bool ok = !failed_;
        failed_ = false;
        return ok;
    }

  protected:
    bool do_write(const void* data, std::size_t n) override {
        if (!compress_) {
            document_.put(std::string_view(static_cast<const char*>(data), n));
            return true;
        }
        run(data, n, Z_NO_FLUSH);
        return true;
    }

  private:
    void run(const void* data, std::size_t n, int mode) {
        if (!ready_ || failed_) return;
        z_.next_in = static_cast<Bytef*>(const_cast<void*>(data));
        z_.avail_in = static_cast<uInt>(n);
        for (;;) {
            z_.next_out = out_.data();
            z_.avail_out = static_cast<uInt>(out_.size());
            const int status = deflate(&z_, mode);
            if (status == Z_STREAM_ERROR) {
                failed_ = true;
                return;
            }
            const std::size_t made = out_.size() - z_.avail_out;
            document_.put(std::string_view(reinterpret_cast<const char*>(out_.data()), made));
            if (mode == Z_FINISH ? status == Z_STREAM_END : z_.avail_out != 0) return;
        }
    }

    TextOut& document_;
    z_stream z_{};
    bool compress_ = false;
    bool ready_ = false;
    bool failed_ = false;
    std::array<Bytef, 1 << 14> out_{};
};

class PdfDevice final : public PageDescriptionDevice {
  public:
    explicit PdfDevice(PlotState& s)
        : PageDescriptionDevice(s, Dialect{true, false}), stream_sink_(file_) {}

    Warning open(Sink* file) override;
    Warning close() override;
    bool new_page() override;
    void text_character(const DeviceCharacter& c) override;
    bool writes_latin1() const override { return true; }

  private:
    void begin_page();
    void end_page();
    void write_transform(double a, double b, double c, double d, double e, double f) override;
    // Starts object n, recording its offset.
    void begin_object(int n);
    void write_string(const char* text);

    TextOut file_;
    MemorySink memory_;  // the document in buffer mode
    StreamSink stream_sink_;
    std::unique_ptr<TextOut> content_;  // the content stream of the page being drawn
    bool open_ = false;
    bool zlib_failed_ = false;
    std::vector<long long> offsets_;  // by object number; 0 for object 0
    long long stream_start_ = 0;
    int pages_ = 0;
    std::array<bool, kStandardFontCount> fonts_used_{};
    int font_ = -1;  // font and size selected in the page's text state
    double size_ = 0.0;
};

void PdfDevice::begin_object(int n) {
    if (static_cast<int>(offsets_.size()) <= n) offsets_.resize(n + 1, 0);
    offsets_[n] = static_cast<long long>(file_.count());
    file_.integer(n).put(" 0 obj\n");
}

Warning PdfDevice::open(Sink* file) {
    const bool buffered = state_.files.in_memory;
    if (!file && !buffered) return warning::file_error;
    file_.reset(buffered ? &memory_ : file);
    if (!stream_sink_.init(state_.formats->pdf_compression)) return warning::not_enough_memory;
    content_ = std::make_unique<TextOut>(&stream_sink_);
    settle_geometry();
    offsets_.assign(kFirstPageObject, 0);
    // The comment of high bytes marks the file as binary for transfer programs.
    file_.put("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
    open_ = true;
    pages_ = 0;
    fonts_used_ = {};
    begin_page();
    return warning::none;
}

void PdfDevice::write_transform(double a, double b, double c, double d, double e, double f) {
    const double v[6] = {a, b, c, d, e, f};
    for (int i = 0; i < 6; ++i) coefficient(*content_, v[i]), content_->put(' ');
    content_->put("cm\n");
}

void PdfDevice::begin_page() {
    const int page = kFirstPageObject + 3 * pages_;
    ++pages_;
    begin_object(page);
    file_.put("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 ").fixed(paper_w_, 2).put(' ');
    file_.fixed(paper_h_, 2).put("]\n   /Resources 4 0 R /Contents ").integer(page + 1);
    file_.put(" 0 R >>\nendobj\n");
    begin_object(page + 1);
    file_.put("<< /Length ").integer(page + 2).put(" 0 R");
    if (state_.formats->pdf_compression) file_.put(" /Filter /FlateDecode");
    file_.put(" >>\nstream\n");
    stream_start_ = static_cast<long long>(file_.count());
    font_ = -1;
    begin_body(content_.get());
}

void PdfDevice::end_page() {
    end_body();
    content_->flush();
    if (!stream_sink_.finish()) zlib_failed_ = true;
    const long long length = static_cast<long long>(file_.count()) - stream_start_;
    file_.put("\nendstream\nendobj\n");
    begin_object(kFirstPageObject + 3 * pages_ - 1);
    file_.integer(length).put("\nendobj\n");
}

bool PdfDevice::new_page() {
    if (!open_) return false;
    end_page();
    begin_page();
    return true;
}

void PdfDevice::text_character(const DeviceCharacter& c) {
    if (!open_) return;
    stroke();
    const int index = c.font >= 0 && c.font < kStandardFontCount ? c.font : 0;
    const StandardFont& font = standard_font(index);
    fonts_used_[index] = true;
    const int divisor = c.size_divisor > 0 ? c.size_divisor : 1000;
    const double size = 1000.0 / divisor * c.height;
    TextOut& out = *content_;
    out.put("BT\n");
    // The text state lasts only inside BT ... ET: the font is set for every object.
    out.put("/F").integer(index).put(' ');
    number(size);
    out.put(" Tf\n");
    // Upright glyphs on the page whose y axis points down, turned by the angle and
    // sheared by the slant: the glyph point (u, v) lands at (u + slant v) along the
    // baseline and v across it.
    const double radians = c.angle * (3.14159265358979323846 / 180.0);
    const double cs = std::cos(radians), sn = std::sin(radians);
    out.fixed(cs, 4).put(' ').fixed(-sn, 4).put(' ');
    out.fixed(cs * c.slant - sn, 4).put(' ').fixed(-sn * c.slant - cs, 4);
    out.put(' ');
    number(c.x);
    out.put(' ');
    number(c.y);
    out.put(" Tm\n(");
    const unsigned char code =
        font.symbolic ? static_cast<unsigned char>(c.code & 0xFF) : latin1_code(c.code);
    string_character(out, code);
    out.put(") Tj\nET\n");
}

void PdfDevice::write_string(const char* text) {
    file_.put('(');
    for (const char* p = text; *p; ++p) {
        if (*p == '(' || *p == ')' || *p == '\\') file_.put('\\');
        file_.put(*p);
    }
    file_.put(')');
}

Warning PdfDevice::close() {
    if (!open_) return warning::none;
    end_page();
    int next = kFirstPageObject + 3 * pages_;

    begin_object(4);
    file_.put("<< /ProcSet [/PDF /Text] /Font <<");
    const int first_font = next;
    for (int i = 0; i < kStandardFontCount; ++i)
        if (fonts_used_[i]) file_.put(" /F").integer(i).put(' ').integer(next++).put(" 0 R");
    file_.put(" >> >>\nendobj\n");
    next = first_font;
    for (int i = 0; i < kStandardFontCount; ++i) {
        if (!fonts_used_[i]) continue;
        const StandardFont& font = standard_font(i);
        begin_object(next++);
        file_.put("<< /Type /Font /Subtype /Type1 /BaseFont /").put(font.name);
        if (!font.symbolic) file_.put(" /Encoding /WinAnsiEncoding");
        file_.put(" >>\nendobj\n");
    }

    begin_object(2);
    file_.put("<< /Type /Pages /Kids [");
    for (int i = 0; i < pages_; ++i)
        file_.put(i == 0 ? "" : " ").integer(kFirstPageObject + 3 * i).put(" 0 R");
    file_.put("] /Count ").integer(pages_).put(" >>\nendobj\n");
    begin_object(1);
    file_.put("<< /Type /Catalog /Pages 2 0 R >>\nendobj\n");

    const std::tm when = state_.frame.clock();
    begin_object(3);
    file_.put("<< /Producer (Gravox ").fixed(kFormatVersion, 1).put(")\n   /Creator ");
    write_string(state_.files.plot_file_name);
    file_.put("\n   /CreationDate (");
    write_date_stamp(file_, when);
    file_.put(") >>\nendobj\n");

    const long long xref = static_cast<long long>(file_.count());
    const int size = static_cast<int>(offsets_.size());
    file_.put("xref\n0 ").integer(size).put("\n0000000000 65535 f \n");
    for (int i = 1; i < size; ++i) file_.padded(offsets_[i], 10, '0').put(" 00000 n \n");
    file_.put("trailer\n<< /Size ").integer(size).put(" /Root 1 0 R /Info 3 0 R >>\n");
    file_.put("startxref\n").integer(xref).put("\n%%EOF\n");
    file_.flush();
    open_ = false;
    out_ = nullptr;
    if (state_.files.in_memory) state_.formats->pdf_document = memory_.bytes();
    if (zlib_failed_) {
        return warning::pdf_compression_failed;
    }
    return warning::none;
}

}  // namespace

std::unique_ptr<Device> make_pdf_device(PlotState& s, int /*code*/) {
    return std::make_unique<PdfDevice>(s);
}

}  // namespace gvx
