// Gravox: a scientific plotting library.
//
// One object of class Gravox holds all settings and the progress of the current
// plot. An application sets parameters, opens a plot with gvxini, draws axis
// systems, curves, text and legends, and closes the plot with gvxfin, which writes
// the picture. Routines return nothing: problems are reported as numbered warnings
// on the error output, and a refused call changes nothing.
#pragma once

#include <cstdio>
#include <memory>

#include "gravox/curves/legend_buffer.h"

namespace gvx {
struct PlotState;
}

class Gravox {
  public:
    Gravox();
    ~Gravox();
    Gravox(const Gravox&) = delete;
    Gravox& operator=(const Gravox&) = delete;

    // --- Warnings and error output ---------------------------------------------
    void errdev(const char* device);  // "CONS", "FILE", "APPEND"
    void errfil(const char* name);
    void errmod(const char* item, const char* state);  // "WARN", "CHECK", "PROTOCOL", "ALL"
    void unit(std::FILE* stream);                      // null: no warnings
    void winapp(const char* mode);                     // "CONSOLE", "WINDOW"

    // --- Output selection and file naming --------------------------------------
    void metafl(const char* format);
    void filmod(const char* mode);  // "COUNT", "DELETE", "BREAK", "VERSION"
    void filopt(const char* value, const char* option);
    void setfil(const char* name);
    const char* getfil();
    void scrmod(const char* mode);  // "ERASE", "NOERASE", "REVERS", "NOREVERS", "AUTO"

    // --- Page and opening and closing a plot -------------------------------------
    void setpag(const char* format);
    void units(const char* unit);
    void pagmod(const char* mode);
    void pagorg(const char* origin);
    void sclmod(const char* mode);
    void sclfac(double factor);
    void window(int x, int y, int width, int height);
    void winsiz(int width, int height);
    void gvxini();
    void pagera();
    void gvxfin();

    // --- Raster images -------------------------------------------------------------
    void imgfmt(const char* format);                 // "IND", "RGB", "BIL"
    void pngmod(const char* mode, const char* key);  // "ON"/"OFF", "TRANSPARENCY"
    void imgclp(int x, int y, int width, int height);
    void erase();
    void clpwin(int x, int y, int width, int height);
    void clpbor(const char* mode);                                   // "PAGE", "AXIS"
    void linmod(const char* mode, const char* key);                  // "ON"/"OFF", "SMOOTH"
    void gifmod(const char* mode, const char* key);                  // "ON"/"OFF", "TRANSPARENCY"
    void tifmod(int resolution, const char* unit, const char* key);  // "INCH"/"CM", "RESOLUTION"

    // --- Vector and text output formats ------------------------------------------
    void hpgmod(const char* mode, const char* key);  // "STANDARD"/"ARIS", key "PLOT"

    // --- Colours -----------------------------------------------------------------
    // Colour values: 0..255 a table index, 0x01000000 + blue*65536 + green*256 + red
    // an explicit colour.
    void color(const char* name);  // "WHITE" .. "BLACK", "FORE", "BACK", "GRAY", "HALF"
    void setclr(int colour);
    void setrgb(double red, double green, double blue);  // fractions 0 to 1
    void setvlt(const char* palette);  // "SMAL", "RAIN", "SPEC", "GREY", "RRAI", "RSPE", ...
    void myvlt(const double* red, const double* green, const double* blue, int n);
    void setind(int index, double red, double green, double blue);
    int getclr();

    // --- Drawing primitives: line attributes --------------------------------------
    void linwid(int width);                           // plot units, 1 to 32000
    void lncap(const char* cap);                      // "CUT", "ROUND", "LONG"
    void lnjoin(const char* join);                    // "SHARP", "ROUND", "TRUNC"
    void lnmlt(double limit);                         // miter limit, at least 1
    void hwmode(const char* mode, const char* item);  // "ON"/"OFF", "LINE"/"SHADING"

    // --- Text and vector fonts ------------------------------------------------------
    void gvxalf();  // the default fixed-pitch font
    void complx();  // the complex serif font
    void height(int n);
    void angle(int degrees);
    void chaang(double degrees);        // character slant, -60 to 60
    void chaspc(double factor);         // extra gap between characters / height
    void chawth(double factor);         // width factor, between 0 and 2
    void fixspc(double factor);         // fixed spacing
    void txtjus(const char* option);    // "LEFT", "CENT", "RIGH", "TOP", "MIDD", "BOTT"
    void basalf(const char* alphabet);  // "STAN", "GREE", "MATH", "ITAL", "SCRI", "RUSS"
    void chacod(const char* coding);    // "STAN", "ISO1", ..., "UTF8", "ISO7"
    void smxalf(const char* alphabet, const char* shift_in, const char* shift_out, int slot);
    void mixalf();
    void setmix(const char* character, const char* which);  // "EXP", "IND", "RES", "LEG", "TEX"
    void newmix();
    void setexp(double factor);
    void setbas(double factor);
    void eushft(const char* language, const char* character);
    void texmod(const char* mode);  // formula mode "ON" or "OFF"
    void txtbgd(int colour);        // box behind strings, -1 none
    void messag(const char* text, int x, int y);
    int nlmess(const char* text);

    // --- Curves ------------------------------------------------------------------------
    void curve(const double* x, const double* y, int n);  // levels 2 and 3
    void polcrv(const char* mode);  // "LINE", "STEP", "STAI", "STEM", "BARS", "SPLI", ...
    void incmrk(int step);          // 0 lines, k > 0 lines and every k-th symbol, k < 0 symbols
    void marker(int number);        // symbol of the curves, -1 to 23
    void hsymbl(int size);          // symbol height in plot units
    void mrkclr(int colour);        // symbol colour, -1 the current colour
    void symbol(int number, int x, int y);           // one symbol (0 to 22) at a plot position
    void thkcrv(int passes);                         // parallel passes of curve lines
    void chncrv(const char* attribute);              // cycle "NONE", "COLOR", "LINE", "BOTH"
    void inccrv(int calls);                          // curve calls per legend curve
    void lincyc(int index, int type);                // entry 1..30 of the line type cycle
    void clrcyc(int index, int colour);              // entry 1..30 of the colour cycle
    void patcyc(int index, int pattern);             // entry 1..30 of the pattern cycle
    void lintyp(int type);                           // predefined line type 0 (solid) to 7
    void myline(const int* lengths, int n);          // dash pattern: drawn, skipped, ... (1 to 10)
    void linclr(const int* colours, int n);          // colours of successive dashes
    void nancrv(const char* mode);                   // "ON": NaN coordinates break curves
    void gapcrv(double distance);                    // x steps larger than this are not joined
    void gapsiz(double distance, const char* axes);  // "X", "Y", "XY" or "RESET"
    void barwth(double width);           // > 0 fraction of the point spacing, <= 0 plot units
    void splmod(int order, int points);  // spline degree 2..10, points 5..30000
    void resatt();                       // restart the attribute cycles

    // --- Legends ------------------------------------------------------------------------
    // The buffer holds nlin lines of nmaxln characters (see curves/legend_buffer.h).
    void legini(gvx::LegendBuffer buffer, int nlin, int nmaxln);
    void leglin(gvx::LegendBuffer buffer, const char* text, int line);
    void legtit(const char* title);
    void legpos(int x, int y);                        // upper left corner in plot units
    void legend(gvx::LegendBuffer buffer, int ncor);  // ncor 1..8 unless legpos was called
    int nxlegn(gvx::LegendBuffer buffer);             // legend width in plot units
    int nylegn(gvx::LegendBuffer buffer);             // legend height in plot units
    void legopt(double pattern, double margin, double subline);
    void legval(double value, const char* option);  // "PATT", "MARG", "LINE", "SYMB", "HSPA"
    void legtyp(const char* type);                  // "VERT" or "HORI", before legini
    void legbgd(int colour);                        // box background, -1 none
    void legclr();                                  // texts in the curve colours
    void mixleg();                                  // multi-line entries
    void legsel(const int* lines, int n);           // shown lines, n = -1 all
    void legpat(int type, int thickness, int symbol, int colour, int pattern, int line);
    void linesp(double factor);  // distance of legend entries in character heights

    // --- Axis systems ------------------------------------------------------------------
    // graf: begin, end, first label and label step of the x axis, then of the y axis
    // (exponents of ten on logarithmic axes).
    void graf(double xa, double xe, double x_first, double x_step, double ya, double ye,
              double y_first, double y_step);
    void endgrf();
    void axspos(int x, int y);  // lower left corner of the axis system
    void axsorg(int x, int y);  // page point of the origin of a crossed axis system
    void axslen(int nx, int ny);
    void axstyp(const char* type);                    // "RECT", "CROSS"
    void axsscl(const char* mode, const char* axes);  // "LIN", "LOG"
    // Parts of the lower x, left y, upper x and right y axis: "NONE", "LINE", "TICKS",
    // "LABELS", "NAME".
    void setgrf(const char* lower_x, const char* left_y, const char* upper_x, const char* right_y);
    void ax2grf();  // draw only the lower x and the left y axis
    void nograf();  // scaling without drawing
    void noline(const char* axes);
    void frame(int thickness);
    void frmclr(int colour);
    void axsbgd(int colour);
    void grace(int margin);  // clipping margin around the axis rectangle
    void nochek();
    void origin(int x, int y);  // shift of everything drawn
    void neglog(double value);  // stands for non-positive values on logarithmic axes
    void center();              // centre the next axis system on the page
    void setscl(const double* data, int n, const char* axes);  // automatic scaling
    int nxposn(double x);
    int nyposn(double y);

    // --- Axes: ticks, labels, names ------------------------------------------------------
    void ticks(int n, const char* axes);
    void ticlen(int major, int minor);
    void ticpos(const char* position, const char* axes);  // "LABELS", "REVERS", "CENTER"
    void ticmod(const char* mode, const char* axes);      // calendar ticks of date axes
    void labels(const char* type, const char* axes);      // "FLOAT", "EXP", "LOG", "DATE", ...
    void labdif(int digits, const char* axes);            // -2 automatic, -1 integers
    void intax();
    void labdis(int distance, const char* axes);
    void labpos(const char* position, const char* axes);       // "TICKS", "CENTER", "SHIFT"
    void labtyp(const char* orientation, const char* axes);    // "HORI", "VERT"
    void labjus(const char* justification, const char* axes);  // y labels
    void axends(const char* ends, const char* axes);           // "NOFIRST", "ENDS", ...
    void name(const char* text, const char* axes);
    void namdis(int distance, const char* axes);
    void namjus(const char* justification, const char* axes);  // "CENT", "LEFT", "RIGHT"
    void hname(int height);
    void rvynam();
    void axclrs(int colour, const char* part, const char* axes);       // "LINE", ..., "ALL"
    void mylab(const char* text, int index, const char* axes);         // labels of type "MYLAB"
    void labmod(const char* key, const char* mode, const char* axes);  // date and time labels

    // --- Numbers and dates ---------------------------------------------------------------
    void number(double value, int digits, int x, int y);
    void numfmt(const char* format);  // "FLOAT", "EXP", "FEXP", "LOG"
    void numode(const char* decimal, const char* grouping, const char* sign, const char* spacing);
    void basdat(int day, int month, int year);  // day 0 of date axes
    int incdat(int day, int month, int year);   // days since the base date
    int nwkday(int day, int month, int year);   // 1 Monday to 7 Sunday

    // --- PostScript, EPS and PDF documents --------------------------------------------
    /// Ends the page being drawn and starts a new one in the same document.
    /// Levels 1 to 3. Only the PostScript devices "POST", "PSCL", "PS  " and the PDF
    /// device write documents of several pages; on any other device (EPS included,
    /// which has one page) the call gives warning 311 "newpag is not available on this
    /// device" and changes nothing. The attributes of the plot stay as they are.
    void newpag();
    /// Switches an option of the PDF device. Level 0; applies to the following plots.
    /// @param mode "ON" or "OFF".
    /// @param key "COMPRESSION": deflate the content streams (default ON);
    ///            "BUFFER": keep the document in memory instead of a file, to be copied
    ///            out with pdfbuf (default OFF; no file is named or opened then).
    /// Gives warning 2 for a keyword that matches neither list.
    void pdfmod(const char* mode, const char* key);
    /// Copies the last PDF document written in buffer mode into a buffer.
    /// Levels 0 to 3 (the document exists after gvxfin).
    /// @param buffer where the bytes go; may be null when size is 0.
    /// @param size bytes the buffer holds; 0 asks only for the byte count.
    /// @return the byte count of the document (0 when there is none); 0 with warning
    ///         312 "Buffer too small for the PDF document" when size is positive but
    ///         smaller than the document (nothing is copied), warning 2 for a negative
    ///         size or a null buffer with a positive size.
    int pdfbuf(char* buffer, int size);
    /// Selects one of the 35 standard PostScript fonts as the hardware font of the
    /// text: the document devices ("POST", "PSCL", "EPS ", "PS  ", "PDF ", "SVG ",
    /// "IPE ") write the characters as their own text, with capitals as tall as the
    /// character height, and strings are measured with the font's metrics (nlmess,
    /// legends, axis labels). The codes are read as ISO Latin-1 (Symbol and
    /// ZapfDingbats in their own encoding); characters the font cannot show and those
    /// of the other alphabets are drawn with the vector font. Levels 1 to 3; until
    /// the next gvxalf, complx or gvxini, which bring back the vector fonts.
    /// @param name a font name, case ignored: "Times-Roman", "Times-Bold",
    ///        "Times-Italic", "Times-BoldItalic", "Helvetica", "Helvetica-Bold",
    ///        "Helvetica-Oblique", "Helvetica-BoldOblique", the same four of
    ///        "Helvetica-Narrow", "AvantGarde-Book", "AvantGarde-Demi",
    ///        "AvantGarde-BookOblique", "AvantGarde-DemiOblique",
    ///        "ZapfChancery-MediumItalic", "ZapfDingbats", "Courier", "Courier-Bold",
    ///        "Courier-Oblique", "Courier-BoldOblique", "Bookman-Light", "Bookman-Demi",
    ///        "Bookman-LightItalic", "Bookman-DemiItalic", "NewCenturySchlbk-Roman",
    ///        "NewCenturySchlbk-Bold", "NewCenturySchlbk-Italic",
    ///        "NewCenturySchlbk-BoldItalic", "Palatino-Roman", "Palatino-Bold",
    ///        "Palatino-Italic", "Palatino-BoldItalic", "Symbol".
    /// Gives warning 2 for an unknown name and warning 49 "Fileformat is not
    /// PostScript" on the other devices, where the vector font stays.
    void psfont(const char* name);

    // Internal access for the library's own subsystems and its tests.
    gvx::PlotState& state() { return *state_; }

  private:
    bool refused(const char* name, int lowest, int highest);
    void reset_attributes();
    void write_protocol(int type);

    std::unique_ptr<gvx::PlotState> state_;
};
