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

    // --- Shapes, shading, bar and pie charts, error bars ---------------------------------
    /// Selects the shading pattern of the shapes, bars, pies and shaded areas.
    /// @param pattern 0 empty (outline only); 1 to 4 single hatching at 0, 45, 90 and 135
    ///   degrees, 5 to 8 the same denser; 9 and 11 crossed at 0 and 90 degrees, 10 and 12
    ///   crossed at 45 and 135 degrees (11 and 12 denser); 13 and 14 dense single hatching
    ///   at 45 and 135 degrees, 15 dense crossed at 0 and 90 degrees; 16 solid; 17 dense
    ///   crossed at 45 and 135 degrees; or a code returned by the parts of mypat
    ///   (100 and above). Levels 1 to 3; default 16 at gvxini. Warning 2 for other values.
    void shdpat(int pattern);
    /// Selects a shading pattern of its own: parallel hatch lines, optionally crossed.
    /// @param angle direction of the lines, 0 to 179 degrees counter-clockwise
    /// @param type strokes per hatch line, 1 to 9 (thicker lines)
    /// @param density 0 (lines 5.4 mm apart) to 9 (0.6 mm apart): 6 * (10 - density) tenths
    ///   of a millimetre
    /// @param cross 1 adds the lines turned by 90 degrees, 0 not
    /// Levels 1 to 3. The pattern code is angle * 1000 + type * 100 + density * 10 + cross,
    /// which shdpat and patcyc accept too. Warning 2 for a value out of range.
    void mypat(int angle, int type, int density, int cross);

    /// Shapes in plot units (levels 1 to 3), filled with the current pattern and outlined
    /// in the current colour. Angles are degrees, counter-clockwise on the page.
    /// rectan: upper left corner (x, y), width and height (warning 2 unless both >= 1).
    void rectan(int x, int y, int width, int height);
    /// rndrec: a rectangle as rectan with corners rounded by `radius` plot units (at most
    /// half the shorter side; warning 2 for a negative radius).
    void rndrec(int x, int y, int width, int height, int radius);
    /// circle: centre and radius (warning 2 for a radius below 1).
    void circle(int xm, int ym, int radius);
    /// ellips: centre and the half axes along x and y (warning 2 for one below 1).
    void ellips(int xm, int ym, int a, int b);
    /// pie: the sector from angle alpha to beta of the ring between radius r1 (0 for a
    /// plain sector) and r2. Warning 7 when r1 > r2, 8 when alpha >= beta, 2 for r2 < 1.
    void pie(int xm, int ym, int r1, int r2, double alpha, double beta);
    /// arcell: the elliptical sector from alpha to beta of half axes a and b, the ellipse
    /// turned by theta. Warning 8 when alpha >= beta, 2 for an axis below 1.
    void arcell(int xm, int ym, int a, int b, double alpha, double beta, double theta);
    /// areaf: a polygon of n vertices (n >= 3, else warning 2).
    void areaf(const int* x, const int* y, int n);
    /// line: a line in the current colour and line style.
    void line(int x1, int y1, int x2, int y2);
    /// vector: a line with arrow heads.
    /// @param code size * 100 + form * 10 + ends: the head is size * 10 plot units long
    ///   (size 0 to 99, 0 no head) and 0.7 of its length wide; form 0 open, 1 closed,
    ///   2 filled, 3 filled and notched; ends 0 at (x2, y2), 1 at (x1, y1), 2 both.
    ///   Warning 2 for other codes.
    void vector(int x1, int y1, int x2, int y2, int code);
    /// point: a rectangle of width and height centred at (x, y), filled solid in the
    /// current colour (warning 2 unless both sizes >= 1).
    void point(int x, int y, int width, int height);

    /// The same shapes in user coordinates of the current axis system (levels 2 and 3),
    /// clipped to the axis system like curves. Radii of circles and sectors are user units
    /// along the x axis, so a circle stays round on unequal axes; ellipses take a along x
    /// and b along y. rlrec: upper left corner (x, y), width along x, height along y.
    void rlrec(double x, double y, double width, double height);
    void rlrnd(double x, double y, double width, double height, double radius);
    void rlcirc(double xm, double ym, double radius);
    void rlell(double xm, double ym, double a, double b);
    void rlpie(double xm, double ym, double r1, double r2, double alpha, double beta);
    void rlarc(double xm, double ym, double a, double b, double alpha, double beta, double theta);
    void rlarea(const double* x, const double* y, int n);
    void rline(double x1, double y1, double x2, double y2);
    void rlvec(double x1, double y1, double x2, double y2, int code);
    /// rlpoin: a point of width and height in plot units at a user position.
    void rlpoin(double x, double y, int width, int height);
    /// rlsymb: curve symbol 0 to 22 of the current symbol size at a user position.
    void rlsymb(int symbol, double x, double y);

    /// Draws n bars in user coordinates: bar i at position x[i] from value y1[i] to
    /// y2[i] (levels 2 and 3), filled with the current pattern, outlined, clipped to the
    /// axis system. The width is barwth's: > 0 a fraction of the spacing of the positions
    /// (the first spacing, or each bar's smaller one after barmod "VARI"; the axis step for
    /// one bar), <= 0 plot units. Each call is one legend curve with a filled box. With
    /// bargrp(k, gap) successive calls fill the k places of each bar side by side.
    /// Labels by labels(mode, "BARS"), labpos(position, "BARS"), labdig and labclr.
    /// Warning 2 for n < 1 or missing arrays; 28 when barpos "TICK" meets a tick count other
    /// than n (the first of both counts are drawn).
    void bars(const double* x, const double* y1, const double* y2, int n);
    /// Bar direction: "VERT" (default), "HORI" (positions on the y axis), "3DVE", "3DHO"
    /// (with a side and a top face). Levels 1 to 3.
    void bartyp(const char* type);
    /// The width rule of bars: mode "FIXE" (default) or "VARI", key "WIDT". Levels 1 to 3.
    void barmod(const char* mode, const char* key);
    /// Bar positions: "NONE" (default) the x values, "TICK" the main ticks of the position
    /// axis from its first label. Levels 1 to 3.
    void barpos(const char* position);
    /// Colours of the front, side and top faces of bars; -1 (default) the current colour.
    /// Levels 1 to 3; warning 2 below -1.
    void barclr(int front, int side, int top);
    /// Outline colour of bars, -1 (default) the current colour. Levels 1 to 3; warning 2.
    void barbor(int colour);
    /// Depth (plot units, >= 0, default 30) and angle (0 to 90 degrees, default 45) of the
    /// side and top faces of 3-D bars. Levels 1 to 3; warning 2.
    void barops(int depth, double angle);
    /// Groups of `count` bars (>= 1, default 1) side by side, `gap` plot units (>= 0)
    /// apart; the next bars call takes the first place. Levels 1 to 3; warning 2.
    void bargrp(int count, int gap);
    /// Colour of bar or pie labels: item "BARS" or "PIE", -1 (default) the current colour.
    /// Levels 1 to 3; warning 2 below -1.
    void labclr(int colour, const char* item);

    /// Draws a pie chart of n values (>= 0, not all 0) in the rectangle of axspos and
    /// axslen, sectors counter-clockwise from 0 degrees. With nlin > 0 (and legini called)
    /// a legend of the first nlin lines of the buffer stands right of the pie; in any case
    /// the sectors' colours and patterns become legend entries 1 to n. Levels 1 to 3.
    /// Warning 1 for a negative value, 29 when the values sum to 0, 2 for other faults.
    void piegrf(gvx::LegendBuffer buffer, int nlin, const double* data, int n);
    /// "2D" (default) or "3D" pies. Levels 1 to 3.
    void pietyp(const char* type);
    /// Top and side colours of the first n sectors (1 to 100; -1 the colour cycle).
    /// Levels 1 to 3; warning 2.
    void pieclr(const int* top, const int* side, int n);
    /// Depth (plot units >= 0, default 60) and view angle (10 to 90 degrees, default 45)
    /// of 3-D pies. Levels 1 to 3; warning 2.
    void pieopt(int depth, double angle);
    /// Pie labels: "NONE", "PERC" (default), "DATA" or "BOTH"; position "INTE" (default),
    /// "EXTE" or "ALIG" (outside). The same as labels and labpos with "PIE". Levels 1 to 3.
    void pielab(const char* mode, const char* position);
    /// Outline colour of sectors, -1 (default) the current colour. Levels 1 to 3.
    void piebor(int colour);
    /// Pulls every sector of the following pies out by a tenth of the radius. Levels 1 to 3.
    void pieexp();
    /// Pulls sector `sector` (1 to 100; 0 all) out by `distance` plot units (>= 0).
    /// Levels 1 to 3; warning 2.
    void pievec(int sector, int distance);
    /// What successive sectors change: "NONE", "COLO" (default: pieclr colours, else the
    /// colour cycle), "PATT" (the pattern cycle) or "BOTH". Levels 1 to 3.
    void chnpie(const char* change);

    /// Error bars in user coordinates from value - err1[i] to value + err2[i] at the
    /// points (x[i], y[i]) (levels 2 and 3), clipped to the axis system. Warning 2.
    void errbar(const double* x, const double* y, const double* err1, const double* err2, int n);
    /// Error bar mode (levels 1 to 3): item "DIRE" with "VERT" (default, errors along y)
    /// or "HORI" (along x); "CAPS" with "ON" (default: caps half the symbol size wide) or
    /// "OFF"; "SYMB" with "ON" (the curve symbol at each point) or "OFF" (default).
    void errbmd(const char* item, const char* mode);
    /// Fills the area between two curves with the current pattern (levels 2 and 3): the
    /// first curve forward and the second backward form one polygon (even-odd rule).
    /// Each call is one legend curve with a filled box. Warning 2 for fewer than 3 points.
    void shdcrv(const double* x1, const double* y1, int n1, const double* x2, const double* y2,
                int n2);

    // Internal access for the library's own subsystems and its tests.
    gvx::PlotState& state() { return *state_; }

  private:
    bool refused(const char* name, int lowest, int highest);
    void reset_attributes();
    void write_protocol(int type);

    std::unique_ptr<gvx::PlotState> state_;
};
