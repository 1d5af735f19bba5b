// The PostScript devices: "POST" (501, black and white), "PSCL" (502) and "PS  " (504)
// write a DSC-conforming Level 2 document of one page per plot page; "EPS " (503) the
// same drawing as one encapsulated page whose bounding box is the paper.
//
// The prolog defines the operators of the shared page body (page_description.h) as
// short procedures, and T, which shows a string of a standard font at a position and
// angle (TS also sheared by a slant). Fonts other than Symbol and ZapfDingbats are re-encoded to
// ISO Latin-1 (with the ASCII characters at 32 to 126) when first used on a page, so that every
// code shows the glyph whose width the text layer measured.
#include <array>
#include <cmath>

#include "gravox/core/state.h"
#include "gravox/formats/page_description.h"

namespace gvx {
namespace {

constexpr const char* kProlog =
    "/gvx 40 dict def\n"
    "gvx begin\n"
    "/m {moveto} bind def\n"
    "/l {lineto} bind def\n"
    "/S {stroke} bind def\n"
    "/f {fill} bind def\n"
    "/h {closepath} bind def\n"
    "/w {setlinewidth} bind def\n"
    "/J {setlinecap} bind def\n"
    "/j {setlinejoin} bind def\n"
    "/M {setmiterlimit} bind def\n"
    "/RG {setrgbcolor} bind def\n"
    "/rg {setrgbcolor} bind def\n"
    "/G {setgray} bind def\n"
    "/g {setgray} bind def\n"
    "/q {gsave} bind def\n"
    "/Q {grestore} bind def\n"
    "/re {4 2 roll moveto 1 index 0 rlineto 0 exch rlineto neg 0 rlineto closepath} bind def\n"
    "% ISO Latin-1 with the ASCII quote, hyphen and grave at 39, 45 and 96\n"
    "/L1 ISOLatin1Encoding 256 array copy\n"
    "  dup 39 /quotesingle put dup 45 /hyphen put dup 96 /grave put def\n"
    "% name /Latin1Name RE: the font re-encoded to L1\n"
    "/RE {exch findfont dup length dict begin\n"
    "  {1 index /FID ne {def} {pop pop} ifelse} forall\n"
    "  /Encoding L1 def currentdict end definefont pop} bind def\n"
    "% /font size F: selects the font\n"
    "/F {exch findfont exch scalefont setfont} bind def\n"
    "% (text) angle x y T: shows the text upright at the point, turned by the angle\n"
    "/T {gsave translate neg rotate 1 -1 scale 0 0 moveto show grestore} bind def\n"
    "% (text) slant angle x y TS: the same sheared, x growing by slant times the height\n"
    "/TS {gsave translate neg rotate 1 -1 scale [1 0 4 -1 roll 1 0 0] concat\n"
    "  0 0 moveto show grestore} bind def\n"
    "end\n";

class PostScriptDevice final : public PageDescriptionDevice {
  public:
    PostScriptDevice(PlotState& s, int code)
        : PageDescriptionDevice(s, Dialect{false, code == 501}), code_(code) {}

    Warning open(Sink* file) override;
    Warning close() override;
    bool new_page() override;
    void text_character(const DeviceCharacter& c) override;
    bool writes_latin1() const override { return true; }

  private:
    bool encapsulated() const { return code_ == 503; }
    void begin_page();
    void end_page();
    void write_transform(double a, double b, double c, double d, double e, double f) override;

    int code_;
    TextOut file_;
    bool open_ = false;
    int pages_ = 0;
    // The font and size selected on this page (font -1: none yet).
    int font_ = -1;
    double size_ = 0.0;
    std::array<bool, kStandardFontCount> encoded_{};  // Latin-1 fonts defined on this page
};

Warning PostScriptDevice::open(Sink* file) {
    if (!file) return warning::file_error;
    file_.reset(file);
    settle_geometry();
    const DateText when = date_text(state_.frame.clock());
    const int box_w = static_cast<int>(std::ceil(paper_w_ - 1e-6));
    const int box_h = static_cast<int>(std::ceil(paper_h_ - 1e-6));
    file_.put(encapsulated() ? "%!PS-Adobe-3.0 EPSF-3.0\n" : "%!PS-Adobe-3.0\n");
    file_.put("%%BoundingBox: 0 0 ").integer(box_w).put(' ').integer(box_h).put('\n');
    file_.put("%%HiResBoundingBox: 0 0 ").fixed(paper_w_, 2).put(' ').fixed(paper_h_, 2);
    file_.put("\n%%Creator: Gravox ").fixed(kFormatVersion, 1).put('\n');
    file_.put("%%CreationDate: ").put(when.date).put(' ').put(when.time).put('\n');
    file_.put("%%LanguageLevel: 2\n");
    file_.put(encapsulated() ? "%%Pages: 1\n" : "%%Pages: (atend)\n");
    if (!encapsulated()) {
        file_.put("%%DocumentMedia: Plain ").fixed(paper_w_, 2).put(' ').fixed(paper_h_, 2);
        file_.put(" 0 () ()\n");
    }
    file_.put("%%EndComments\n%%BeginProlog\n").put(kProlog).put("%%EndProlog\n");
    if (!encapsulated()) {
        file_.put("%%BeginSetup\n<< /PageSize [").fixed(paper_w_, 2).put(' ').fixed(paper_h_, 2);
        file_.put("] >> setpagedevice\n%%EndSetup\n");
    }
    open_ = true;
    pages_ = 0;
    begin_page();
    return warning::none;
}

void PostScriptDevice::write_transform(double a, double b, double c, double d, double e, double f) {
    const double v[6] = {a, b, c, d, e, f};
    file_.put('[');
    for (int i = 0; i < 6; ++i) coefficient(file_.put(i == 0 ? "" : " "), v[i]);
    file_.put("] concat\n");
}

void PostScriptDevice::begin_page() {
    ++pages_;
    file_.put("%%Page: ").integer(pages_).put(' ').integer(pages_).put('\n');
    file_.put("%%BeginPageSetup\nsave\ngvx begin\n%%EndPageSetup\n");
    font_ = -1;
    encoded_ = {};
    begin_body(&file_);
}

void PostScriptDevice::end_page() {
    end_body();
    file_.put("end\nrestore\nshowpage\n");
}

bool PostScriptDevice::new_page() {
    if (!open_ || encapsulated()) return false;
    end_page();
    begin_page();
    return true;
}

void PostScriptDevice::text_character(const DeviceCharacter& c) {
    if (!open_) return;
    stroke();
    const int index = c.font >= 0 && c.font < kStandardFontCount ? c.font : 0;
    const StandardFont& font = standard_font(index);
    const int divisor = c.size_divisor > 0 ? c.size_divisor : 1000;
    const double size = 1000.0 / divisor * c.height;
    if (!font.symbolic && !encoded_[index]) {
        // Defined inside the page's save: the re-encoded font lasts for this page.
        file_.put('/').put(font.name).put(" /").put(font.name).put("-L1 RE\n");
        encoded_[index] = true;
    }
    if (index != font_ || size != size_) {
        file_.put('/').put(font.name).put(font.symbolic ? " " : "-L1 ");
        number(size);
        file_.put(" F\n");
        font_ = index;
        size_ = size;
    }
    file_.put('(');
    const unsigned char code =
        font.symbolic ? static_cast<unsigned char>(c.code & 0xFF) : latin1_code(c.code);
    string_character(file_, code);
    file_.put(") ");
    // A slanted character (chaang) is sheared along its baseline.
    if (c.slant != 0.0) file_.fixed(c.slant, 4).put(' ');
    file_.integer(c.angle).put(' ');
    number(c.x);
    file_.put(' ');
    number(c.y);
    file_.put(c.slant != 0.0 ? " TS\n" : " T\n");
}

Warning PostScriptDevice::close() {
    if (!open_) return warning::none;
    end_page();
    file_.put("%%Trailer\n");
    if (!encapsulated()) file_.put("%%Pages: ").integer(pages_).put('\n');
    file_.put("%%EOF\n");
    file_.flush();
    open_ = false;
    out_ = nullptr;
    return warning::none;
}

}  // namespace

std::unique_ptr<Device> make_postscript_device(PlotState& s, int code) {
    return std::make_unique<PostScriptDevice>(s, code);
}

}  // namespace gvx
