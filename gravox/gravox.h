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

    // --- Fields over a plane ------------------------------------------------------------
    // Matrices are `const double* z` with nx * ny values, z[i * ny + j] belonging to x[i]
    // and y[j]; see gravox/fields/fields.h for the colour scale.

    /// Sets up a two-dimensional axis system with a colour bar to its right.
    /// The x and y axes are those of graf; the bar is labelled like a y axis with the
    /// settings of the axis letter "Z" (name, labels, labdif, ticks, axsscl("LOG", "Z")).
    /// Values z map onto the colour range (colran) linearly, or through their decimal
    /// logarithm on a logarithmic z axis. Level 1; the page goes to level 3 (back to 1
    /// when a scaling is refused).
    /// @param xa,xe,x_first,x_step x scaling as for graf
    /// @param ya,ye,y_first,y_step y scaling as for graf
    /// @param za,ze,z_first,z_step z scaling: ends, first label and label step
    /// (exponents of ten on a logarithmic z axis)
    /// Warnings: 10, 9 (refused), 12, 50 as for graf; 35 on a plane of a
    /// three-dimensional axis system.
    void graf3(double xa, double xe, double x_first, double x_step, double ya, double ye,
               double y_first, double y_step, double za, double ze, double z_first, double z_step);
    /// Draws a stand-alone colour bar with its z axis on the right. Levels 1 to 3.
    /// @param za,ze,z_first,z_step z scaling as for graf3
    /// @param length bar length in plot units, at least 2
    /// @param width bar width in plot units, at least 1
    /// @param x,y lower left corner in plot units, not negative
    /// Warnings: 2 for a bad size or position, 10 and 9 for a refused scaling.
    void zaxis(double za, double ze, double z_first, double z_step, int length, int width, int x,
               int y);
    /// Sets the range of table indices that a colour scale runs through. Levels 1 to 3;
    /// default 1 to 254 (set again by every palette load).
    /// @param first first index, 0 to 254
    /// @param last last index, first + 1 to 255
    /// Warning 2 for values out of range.
    void colran(int first, int last);
    /// Sets the colours of values below and above a colour scale. Levels 1 to 3;
    /// default the palette's under and over colours (set again by every palette load).
    /// @param under colour value (0 or more), or -1 for the first colour of the range
    /// @param over colour value (0 or more), or -1 for the last colour of the range
    /// Warning 2 for a value below -1.
    void clrovr(int under, int over);
    /// Fills the colour axis system with a matrix spread over the axes, each grid cell
    /// split into ix by iy rectangles coloured by the bilinear value at their centres.
    /// Neighbouring rectangles of one colour in a row are drawn as one. Level 3 in a
    /// graf3 system.
    /// @param z matrix of nx * ny values
    /// @param nx,ny matrix size, each at least 2
    /// @param ix,iy divisions of a cell, 1 to 1000
    /// Warnings: 2 for bad sizes or a null matrix; 35 in a three-dimensional system.
    void crvmat(const double* z, int nx, int ny, int ix, int iy);
    /// Draws a coloured rectangle of the size of setres or autres centred at each
    /// point. Level 3 in a graf3 system.
    /// @param x,y,z coordinates and values of n points
    /// @param n number of points, at least 1
    /// Warnings: 2 for a bad count or null arrays; 35 in a three-dimensional system.
    void curve3(const double* x, const double* y, const double* z, int n);
    /// Sets the rectangle size of curve3 in plot units. Levels 1 to 3; default 1 by 1.
    /// @param width,height at least 1
    /// Warning 2 otherwise.
    void setres(int width, int height);
    /// Makes the rectangles of curve3 the axis lengths divided by nx and ny (rounded
    /// up). Levels 1 to 3.
    /// @param nx,ny at least 1
    /// Warning 2 otherwise.
    void autres(int nx, int ny);
    /// Draws the contour of one level through a grid by marching squares, joined into
    /// polylines, in the current colour and line style, with labels as set by
    /// labels(.., "CON") ("NONE", "FLOAT" the level with labdif(.., "CON") digits,
    /// "CONL" or "CONT" the text of conlab), labtyp(.., "CON"), labdis(.., "CON") and
    /// conmod; the line is broken under its labels. Levels 2 and 3.
    /// @param x,y grid values, strictly monotonic
    /// @param nx,ny grid sizes, each at least 2
    /// @param z matrix of nx * ny values; NaN values leave their cells out
    /// @param level the contour level
    /// Warnings: 2 for bad sizes or null arrays; 341 for a grid that is not monotonic;
    /// 26 when the level crosses more than 1000000 grid edges (nothing drawn); 35 in a
    /// three-dimensional system.
    void contur(const double* x, int nx, const double* y, int ny, const double* z, double level);
    /// contur for a matrix spread over the axis system. Levels 2 and 3.
    /// @param z matrix of nx * ny values
    /// @param nx,ny matrix size, each at least 2
    /// @param level the contour level
    /// Warnings as contur.
    void conmat(const double* z, int nx, int ny, double level);
    /// Sets the spacing of contour labels and the gap around them. Levels 1 to 3.
    /// @param spacing distance between labels along a line as a multiple of
    /// labdis(.., "CON") (default 1), above 0
    /// @param gap free space on each side of a label as a multiple of the character
    /// height (default 0.5), 0 or more
    /// Warning 2 otherwise.
    void conmod(double spacing, double gap);
    /// Sets the text of contour labels of the kind "CONL" (at most 32 characters).
    /// Levels 1 to 3.
    /// @param text the label text
    void conlab(const char* text);
    /// Fills the bands between successive levels with the colours of the colour axis:
    /// band k between levels[k] and levels[k + 1] takes the colour of its middle value,
    /// the band below the first level the colour of the middle of the matrix minimum and
    /// that level, the band above the last level likewise with the maximum. Cells are
    /// split at their centre (the mean of the corners) into four triangles where a
    /// level crosses them, so that the bands tile the grid exactly. Level 3 in a graf3
    /// system.
    /// @param x,y grid values, strictly monotonic
    /// @param nx,ny grid sizes, each at least 2
    /// @param z matrix of nx * ny values; NaN values leave their cells out
    /// @param levels nlev strictly increasing levels
    /// @param nlev number of levels, at least 1
    /// Warnings: 2 for bad sizes or null arrays; 341 for a grid that is not monotonic;
    /// 342 for levels that do not increase; 35 in a three-dimensional system.
    void conshd(const double* x, int nx, const double* y, int ny, const double* z,
                const double* levels, int nlev);
    /// Chooses how conshd fills: "CELL" every cell part on its own, "POLY" (default)
    /// whole cells of one band merged into one polygon per run along a row. Levels 1 to 3.
    /// @param mode "CELL" or "POLY"
    /// @param item "CONTUR"
    /// Warning 2 for an unknown keyword.
    void shdmod(const char* mode, const char* item);
    /// Draws an arrow from each point (xp, yp) along its vector (xv, yv), scaled by
    /// vecopt("SCALE"), in user coordinates. Levels 2 and 3.
    /// @param xv,yv vector components
    /// @param xp,yp arrow starts
    /// @param n number of arrows, at least 1
    /// @param arrow 0 lines only, 1 open heads, 2 filled heads
    /// Warnings: 2 for a bad count, arrow kind or null arrays.
    void vecfld(const double* xv, const double* yv, const double* xp, const double* yp, int n,
                int arrow);
    /// vecfld on a grid: the vector matrices xv and yv belong to the grid xp (nx
    /// values) by yp (ny values). Levels 2 and 3.
    /// @param xv,yv matrices of nx * ny vector components
    /// @param nx,ny grid sizes, each at least 1
    /// @param xp,yp grid values
    /// @param arrow 0 lines only, 1 open heads, 2 filled heads
    /// Warnings as vecfld.
    void vecmat(const double* xv, const double* yv, int nx, int ny, const double* xp,
                const double* yp, int arrow);
    /// Sets an option of vector fields. Levels 1 to 3.
    /// @param value the option's value
    /// @param option "SCALE": length factor, above 0 (default 1); "COLOR": 1 colours
    /// arrows by magnitude (on the z axis of graf3, else from the smallest to the
    /// largest magnitude over the colour range), 0 the current colour (default);
    /// "LENGTH": arrow head length in plot units, 1 to 1000 (default 24); "ANGLE":
    /// half angle of the heads in degrees, 1 to 80 (default 20)
    /// Warning 2 for a bad value or keyword.
    void vecopt(double value, const char* option);
    /// Draws stream lines of a vector field on a grid from seed points, with arrow heads
    /// along them, in the current colour and line style. A line is integrated from its
    /// seed backwards and then forwards, in plot coordinates, by Runge-Kutta of order 4
    /// along the field's direction (the budget of stmval("LENGTH") shared), with
    /// the step of stmval("STEP") halved while a step differs from two half steps by
    /// more than 0.01 plot units (at most six times) and doubled back when it differs
    /// by less than 0.0005. A line stops when it leaves the grid, at a stagnation point
    /// (speed below 1e-12 of the largest), after stmval("LENGTH") plot units, when it
    /// enters a square of the side stmval("DISTANCE") (a grid over the axis system)
    /// that touches a square another line crossed (so lines keep at least that
    /// distance), or when it closes on its start. A seed in such a square or outside
    /// the grid draws nothing. Levels 2 and 3, linear axes.
    /// @param xv,yv matrices of nx * ny vector components
    /// @param nx,ny grid sizes, each at least 2
    /// @param xp,yp grid values, strictly monotonic
    /// @param xs,ys seed points
    /// @param n number of seeds, at least 1
    /// Warnings: 2 for bad sizes or null arrays; 341 for a grid that is not monotonic;
    /// 13 on a logarithmic axis.
    void stream(const double* xv, const double* yv, int nx, int ny, const double* xp,
                const double* yp, const double* xs, const double* ys, int n);
    /// Sets an option of stream lines (plot units). Levels 1 to 3.
    /// @param value above 0
    /// @param option "STEP" integration step (default 8), "LENGTH" largest line length
    /// (default 20000), "DISTANCE" smallest distance to another line (default 16),
    /// "ARROWS" distance between arrow heads (default 400)
    /// Warning 2 for a bad value or keyword.
    void stmval(double value, const char* option);

    // Internal access for the library's own subsystems and its tests.
    gvx::PlotState& state() { return *state_; }

  private:
    bool refused(const char* name, int lowest, int highest);
    void reset_attributes();
    void write_protocol(int type);

    std::unique_ptr<gvx::PlotState> state_;
};
