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

// Marks what a shared libgravox exports: class Gravox and nothing else.
#if defined(__GNUC__)
#define GRAVOX_API __attribute__((visibility("default")))
#else
#define GRAVOX_API
#endif

namespace gvx {
struct PlotState;
struct InternalAccess;
}  // namespace gvx

/// @file
/// The public interface of the Gravox plotting library: class Gravox.

/// A plot in the making: all settings and the progress of the current picture.
///
/// A program sets parameters, opens a plot with gvxini(), draws axis systems, curves,
/// text and legends, and closes the plot with gvxfin(), which writes the picture. Each
/// routine may be called only at some **levels**: 0 before gvxini() and after gvxfin(),
/// 1 while a plot is open, 2 and 3 inside an axis system (graf() goes from level 1 to
/// 2, endgrf() back to 1). A call at another level gives warning 3 and does nothing.
///
/// Routines return nothing (or a value); problems are numbered **warnings** written to
/// the error output (standard output unless errdev(), errfil() or unit() say
/// otherwise), and a refused call changes nothing. Keywords are matched on their first
/// four characters without regard to case ("REVERS" and "reve" are the same); an
/// unknown keyword gives warning 2. Lengths and positions are in **plot units** (by
/// default 0.1 mm of the page, see units()), page positions measured from the upper
/// left corner. **Colours** are an index 0 to 255 of the colour table or an explicit
/// colour 0x01000000 + blue * 65536 + green * 256 + red. **Axes** arguments name axes
/// by letters: "X", "Y", "Z" or combinations such as "XY".
class GRAVOX_API Gravox {
  public:
    /// A new plot object at level 0 with every setting at its default.
    Gravox();
    /// Closes an open plot's files without writing it.
    ~Gravox();
    /// Not copyable: a plot owns its output file.
    Gravox(const Gravox&) = delete;
    /// Not assignable: a plot owns its output file.
    Gravox& operator=(const Gravox&) = delete;

    // --- Warnings and error output ---------------------------------------------

    /// Chooses where warnings and the closing protocol go.
    /// @param device "CONS" standard output, "FILE" a new error file (see errfil()),
    ///        "APPEND" appended to the error file.
    /// @levels 0. @default "CONS". @warnings 2 for an unknown keyword.
    void errdev(const char* device);
    /// Names the error file used with errdev("FILE") or errdev("APPEND").
    /// @param name file name, at most 256 characters (longer names are cut).
    /// @levels 0. @default "gravox.err".
    void errfil(const char* name);
    /// Switches kinds of messages on and off.
    /// @param item "WARN" warnings, "CHECK" the warnings about points outside the
    ///        axis scaling, "PROTOCOL" the closing protocol, "ALL" all three.
    /// @param state "ON" or "OFF"; for "PROTOCOL" also "FILE" (the protocol goes to
    ///        the error file).
    /// @levels 1 to 3. @default all "ON"; gvxini() sets them on again.
    /// @warnings 2 for an unknown keyword.
    void errmod(const char* item, const char* state);
    /// Sends warnings and the protocol of the current plot to an open stream.
    /// @param stream an open stream (kept by the caller), stdout, or null for no
    ///        warnings at all.
    /// @levels 1 to 3. @default standard output.
    void unit(std::FILE* stream);
    /// Tells whether the program is a console program or a window application (whose
    /// protocol goes to a message box).
    /// @param mode "CONSOLE" or "WINDOW".
    /// @levels 0. @default "CONSOLE". @warnings 2 for an unknown keyword.
    void winapp(const char* mode);

    // --- Output selection and file naming --------------------------------------

    /// Chooses the output format of the next plot.
    /// @param format "PNG", "GIF", "BMP", "PPM", "TIFF", "IMAG" (bitmap dump), "VIRT"
    ///        (an image kept in memory, no file), "SVG", "IPE", "HPGL" or "HPA4" to
    ///        "HPA1" (plotter files), "JAVA" (applet source), and the screen windows
    ///        "XWIN" (as "XWI1") and "XWND" (as "CONS") 1200 x 848 pixels at the upper
    ///        left corner and in the middle of the screen, "XWI2" to "XWI5" 853 x 603 in
    ///        the upper left, upper right, lower left and lower right corners, "XWI6" to
    ///        "XWI8" 640 x 452 at the top, in the middle and at the bottom (upright for a
    ///        portrait page, shrunk to a smaller screen; window() and winsiz() decide
    ///        instead). A build without Xlib refuses the windows in gvxini() with
    ///        warning 140.
    /// @levels 0. @default "GKSL", which this build refuses when the plot is opened:
    ///        choose a format.
    /// @warnings 2 for an unknown keyword, 181 for "GL" (no OpenGL output).
    void metafl(const char* format);
    /// Decides what happens when the plot file exists already.
    /// @param mode "COUNT" a new name with a number (gravox_1.png, ...), "DELETE"
    ///        overwrite, "BREAK" stop with warning 169, "VERSION" a new version name.
    /// @levels 0 to 3. @default "COUNT". @warnings 2 for an unknown keyword.
    void filmod(const char* mode);
    /// Options of file naming.
    /// @param value for "SEPARATOR" "UNDERSCORE", "HYPHEN" or "NONE"; for "NUMBER"
    ///        "SHORT" or "LONG"; for "DIGITS" "2" to "6"; for "SCALING" "OFF", "PAGE",
    ///        "VIEW" or "ON".
    /// @param option "SEPARATOR" (before the number of a counted name), "NUMBER",
    ///        "DIGITS" (of the number), "SCALING".
    /// @levels 0 to 3. @default "UNDERSCORE", "SHORT", "4", "OFF".
    /// @warnings 2 for an unknown keyword.
    void filopt(const char* value, const char* option);
    /// Names the plot file.
    /// @param name file name, at most 256 characters; "/" and "\" both separate
    ///        directories.
    /// @levels 0. @default "gravox." and the format's extension (png, gif, bmp, ppm,
    ///        tif, img, svg, ipe, hpg, java).
    void setfil(const char* name);
    /// The name of the plot file being written (after a changed name from filmod()).
    /// @return the file name; "" when the call is refused.
    /// @levels 1 to 3.
    const char* getfil();
    /// Chooses the page and drawing colours.
    /// @param mode "REVERS" black on a white page, "NOREVERS" or "ERASE" white on
    ///        black, "NOERASE" the page is not cleared, "AUTO" reversed for the file
    ///        formats and not for screens.
    /// @levels 0. @default "AUTO". @warnings 2 for an unknown keyword.
    void scrmod(const char* mode);

    // --- Page and opening and closing a plot -------------------------------------

    /// Chooses the page format.
    /// @param format "DA4L" (A4 landscape, 2969 x 2099 plot units), "DA3L", "DA2L",
    ///        "DA1L", "DA0L", "HP4L" to "HP1L", "KY4L", "PS4L", "USAL" to "USEL"; an
    ///        "P" in place of the final "L" gives the portrait page.
    /// @levels 0. @default "DA4L". @warnings 2 for an unknown format.
    void setpag(const char* format);
    /// Chooses the unit of page positions and lengths.
    /// @param unit "CM" (0.1 mm plot units), "INCH" (0.01 inch), "POINTS", "TWIPS".
    /// @levels 0. @default "CM". @warnings 2 for an unknown keyword.
    void units(const char* unit);
    /// Chooses the orientation of the page on the output.
    /// @param mode "LAND" landscape, "PORT" portrait, "COMI" and "MOVI" as landscape
    ///        and portrait, "NONE" as drawn.
    /// @levels 0. @default "LAND". @warnings 2 for an unknown keyword.
    void pagmod(const char* mode);
    /// Chooses where page positions are measured from.
    /// @param origin "TOP" the upper left corner, "BOTTOM" the lower left corner.
    /// @levels 1 to 3. @default "TOP". @warnings 2 for an unknown keyword.
    void pagorg(const char* origin);
    /// Decides how the page is fitted to the output size.
    /// @param mode "DOWN" scaled down only, "FULL" scaled to fill, "NONE" unscaled.
    /// @levels 0. @default "DOWN". @warnings 2 for an unknown keyword.
    void sclmod(const char* mode);
    /// Scales the page by a factor (and sets sclmod("DOWN")).
    /// @param factor greater than 0.
    /// @levels 0. @default 1. @warnings 2 for a factor not greater than 0 or NaN.
    void sclfac(double factor);
    /// Sets the position and size of the output window or image in pixels.
    /// @param x,y upper left corner, at least 0.
    /// @param width,height size, at least 1.
    /// @levels 0 to 3 (used by the next gvxini()). @default 853 x 603 pixels for a
    ///        landscape page. @warnings 2 for a negative position or empty size.
    void window(int x, int y, int width, int height);
    /// Sets the size of the output window or raster image in pixels.
    /// @param width,height size, at least 1.
    /// @levels 0 to 3 (used by the next gvxini()). @default 853 x 603 pixels for a
    ///        landscape page, 603 x 853 for a portrait page.
    /// @warnings 2 for an empty size.
    void winsiz(int width, int height);
    /// Opens a plot: resets the plot attributes, opens the output and goes to level 1.
    /// @levels 0. @warnings 140 for an output this build does not write (no file is
    ///        created), 36 when the file cannot be opened, 169 and 170 from filmod();
    ///        for a screen window 351 when DISPLAY is unset or the display refuses the
    ///        connection, 352 for a display without true colour, 353 when the window
    ///        cannot be made (each leaves the level at 0).
    void gvxini();
    /// Draws a border around the page.
    /// @levels 1 to 3.
    void pagera();
    /// Closes the plot: writes the picture, prints the closing protocol and goes back
    /// to level 0. A screen window shows the whole picture and, after the protocol,
    /// waits for a mouse button or the Return key in it, then closes (see winmod()).
    /// @levels 1 to 3. @warnings 36 when the file cannot be written, 53 without
    ///        enough memory.
    void gvxfin();

    // --- Raster images -------------------------------------------------------------

    /// Chooses the kind of raster image.
    /// @param format "IND" indexed colours (at most 256), "RGB" true colour, "BIL"
    ///        as "RGB".
    /// @levels 0. @default "IND". @warnings 2 for an unknown keyword.
    void imgfmt(const char* format);
    /// Makes the background of PNG images transparent.
    /// @param mode "ON" or "OFF".
    /// @param key "TRANSPARENCY".
    /// @levels 0. @default "OFF". @warnings 2 for an unknown keyword.
    void pngmod(const char* mode, const char* key);
    /// Writes only a block of the raster image.
    /// @param x,y upper left corner of the block in pixels, at least 0.
    /// @param width,height size of the block, at least 1, inside the image.
    /// @levels 1 to 3. @default the whole image.
    /// @warnings 2 for a block that does not lie inside the image.
    void imgclp(int x, int y, int width, int height);
    /// Clears the page to the background colour.
    /// @levels 1 to 3.
    void erase();
    /// Restricts drawing to a rectangle of the page.
    /// @param x,y upper left corner in plot units.
    /// @param width,height size in plot units, at least 1.
    /// @levels 1 to 3. @default the whole page. @warnings 2 for an empty size.
    void clpwin(int x, int y, int width, int height);
    /// Restricts drawing to the page or to the clipping window.
    /// @param mode "PAGE" the whole page, "AXIS" the window of clpwin().
    /// @levels 1 to 3. @default "PAGE". @warnings 2 for an unknown keyword.
    void clpbor(const char* mode);
    /// Smooths (anti-aliases) the lines of raster images.
    /// @param mode "ON" or "OFF".
    /// @param key "SMOOTH".
    /// @levels 0 to 3. @default "OFF". @warnings 2 for an unknown keyword.
    void linmod(const char* mode, const char* key);
    /// Makes the background of GIF images transparent.
    /// @param mode "ON" or "OFF".
    /// @param key "TRANSPARENCY".
    /// @levels 0. @default "OFF". @warnings 2 for an unknown keyword.
    void gifmod(const char* mode, const char* key);
    /// Sets the resolution stored in TIFF images.
    /// @param resolution pixels per unit, at least 1.
    /// @param unit "INCH" or "CM".
    /// @param key "RESOLUTION".
    /// @levels 0. @warnings 2 for an unknown keyword or a resolution below 1.
    void tifmod(int resolution, const char* unit, const char* key);

    // --- Vector and text output formats ------------------------------------------

    /// Chooses the command set of HPGL files.
    /// @param mode "STANDARD" or "ARIS".
    /// @param key "PLOT".
    /// @levels 0. @default "STANDARD". @warnings 2 for an unknown keyword.
    void hpgmod(const char* mode, const char* key);

    // --- Colours -----------------------------------------------------------------

    /// Sets the current colour by name.
    /// @param name "WHITE", "RED", "GREEN", "YELLOW", "BLUE", "ORANGE", "CYAN",
    ///        "MAGENTA", "BLACK", "FORE" (the foreground), "BACK" (the background),
    ///        "GRAY", "HALF" (half way between the current colour and the background).
    /// @levels 1 to 3. @default "FORE", set again by gvxini().
    /// @warnings 2 for an unknown name.
    void color(const char* name);
    /// Sets the current colour by value.
    /// @param colour a colour table index 0 to 255 or an explicit colour (see the
    ///        class description), at least 0.
    /// @levels 1 to 3. @warnings 2 for a negative value.
    void setclr(int colour);
    /// Sets the current colour from its red, green and blue parts.
    /// @param red,green,blue fractions between 0 and 1.
    /// @levels 1 to 3. @warnings 2 for a part outside 0 to 1.
    void setrgb(double red, double green, double blue);
    /// Loads a predefined colour table.
    /// @param palette "SMALL", "RAINBOW", "SPECTRUM", "GREY", "RRAIN", "RSPEC" and
    ///        "RGREY" (reversed), "VGA", "TEMP".
    /// @levels 1 to 3. @default "RAINBOW" ("RGREY" for PostScript).
    /// @warnings 2 for an unknown palette.
    void setvlt(const char* palette);
    /// Loads a colour table of the caller's values.
    /// @param red,green,blue arrays of n fractions between 0 and 1.
    /// @param n number of entries, 1 to 256; the others are kept.
    /// @levels 0 to 3 (at level 0 the table is kept by the next gvxini()).
    /// @warnings 2 for n outside 1 to 256, a null array or a part outside 0 to 1 (then
    ///           no entry changes).
    void myvlt(const double* red, const double* green, const double* blue, int n);
    /// Changes one entry of the colour table.
    /// @param index entry 0 to 255.
    /// @param red,green,blue fractions between 0 and 1.
    /// @levels 1 to 3. @warnings 2 for an index or part out of range.
    void setind(int index, double red, double green, double blue);
    /// The current colour.
    /// @return its value (index or explicit colour); 0 when the call is refused.
    /// @levels 1 to 3.
    int getclr();

    // --- Drawing primitives: line attributes --------------------------------------

    /// Sets the width of lines.
    /// @param width in plot units, 1 to 32000.
    /// @levels 1 to 3. @default 1. @warnings 2 for a width out of range.
    void linwid(int width);
    /// Sets the ends of wide lines.
    /// @param cap "CUT" square at the end point, "ROUND", "LONG" square beyond it.
    /// @levels 1 to 3. @default "LONG". @warnings 2 for an unknown keyword.
    void lncap(const char* cap);
    /// Sets the joints of wide lines.
    /// @param join "SHARP" mitred, "ROUND", "TRUNC" bevelled.
    /// @levels 1 to 3. @default "TRUNC". @warnings 2 for an unknown keyword.
    void lnjoin(const char* join);
    /// Sets the miter limit of sharp joints.
    /// @param limit the longest miter in line widths, at least 1.
    /// @levels 1 to 3. @default 2. @warnings 2 for a limit below 1, infinite or NaN.
    void lnmlt(double limit);
    /// Lets the output format draw wide lines or fill areas itself.
    /// @param mode "ON" or "OFF".
    /// @param item "LINE" wide lines, "SHADING" filled areas.
    /// @levels 0 to 3. @default "ON" for both; "SHADING" is set again by gvxini().
    /// @warnings 2 for an unknown keyword.
    void hwmode(const char* mode, const char* item);

    // --- Text and vector fonts ------------------------------------------------------

    /// Loads the default fixed-pitch vector font.
    /// @levels 1 to 3. @default this font, loaded by gvxini().
    void gvxalf();
    /// Loads the complex serif vector font.
    /// @levels 1 to 3.
    void complx();
    /// Sets the height of characters.
    /// @param n height in plot units, 1 to 10000.
    /// @levels 1 to 3. @default 36. @warnings 2 for a height out of range.
    void height(int n);
    /// Sets the angle of text.
    /// @param degrees angle, anticlockwise from the horizontal.
    /// @levels 1 to 3. @default 0.
    void angle(int degrees);
    /// Slants characters.
    /// @param degrees slant, -60 to 60.
    /// @levels 1 to 3. @default 0. @warnings 2 for a slant out of range.
    void chaang(double degrees);
    /// Adds space between characters.
    /// @param factor extra gap as a fraction of the character height (may be negative).
    /// @levels 1 to 3. @default 0. @warnings 2 for an infinite value or NaN.
    void chaspc(double factor);
    /// Widens or narrows characters.
    /// @param factor width factor, greater than 0 and less than 2.
    /// @levels 1 to 3. @default 1. @warnings 2 for a factor out of range.
    void chawth(double factor);
    /// Draws characters with fixed spacing.
    /// @param factor distance of characters as a fraction of the height, greater than 0.
    /// @levels 1 to 3. @default proportional spacing.
    /// @warnings 2 for a factor not greater than 0, infinite or NaN.
    void fixspc(double factor);
    /// Sets how text is placed on the position given to messag().
    /// @param option horizontally "LEFT", "CENTER", "RIGHT"; vertically "TOP",
    ///        "MIDDLE", "BOTTOM".
    /// @levels 1 to 3. @default "LEFT" and "TOP". @warnings 2 for an unknown keyword.
    void txtjus(const char* option);
    /// Chooses the base alphabet of the font.
    /// @param alphabet "STANDARD", "GREEK", "MATH", "ITALIC", "SCRIPT", "RUSSIAN".
    /// @levels 1 to 3. @default "STANDARD". @warnings 2 for an unknown keyword.
    void basalf(const char* alphabet);
    /// Chooses the character coding of strings.
    /// @param coding "STANDARD", "ISO1" to "ISO3", "ISO5", "KOI8", "UTF8", "ISO7".
    /// @levels 1 to 3. @default "STANDARD". @warnings 2 for an unknown keyword.
    void chacod(const char* coding);
    /// Defines an alphabet that is switched to inside strings by shift characters.
    /// @param alphabet "STANDARD", "GREEK", "MATH", "ITALIC", "SCRIPT", "RUSSIAN",
    ///        "INSTRUCTION"; not the base alphabet.
    /// @param shift_in character that switches to the alphabet.
    /// @param shift_out character that switches back.
    /// @param slot alphabet number 1 to 6.
    /// @levels 1 to 3. @warnings 2 for a bad keyword, slot or shift string, 19 for the
    ///        base alphabet.
    void smxalf(const char* alphabet, const char* shift_in, const char* shift_out, int slot);
    /// Switches on the shift characters of smxalf() and setmix() in strings.
    /// @levels 1 to 3. @default off.
    void mixalf();
    /// Changes one of the control characters of strings.
    /// @param character a string of one character.
    /// @param which "EXP" exponent, "IND" index, "RES" back to the baseline, "LEG"
    ///        line break in legends, "TEX" the command character of formulas.
    /// @levels 1 to 3. @default "[", "]", "$", "/" and "\". @warnings 2 for an
    ///        unknown keyword or a string not of one character.
    void setmix(const char* character, const char* which);
    /// Sets the exponent, index and reset characters to "^", "_" and "%".
    /// @levels 1 to 3.
    void newmix();
    /// Sets the size of exponents and indices.
    /// @param factor fraction of the character height, greater than 0.
    /// @levels 1 to 3. @warnings 2 for a factor not greater than 0, infinite or NaN.
    void setexp(double factor);
    /// Sets the raise of exponents and the lowering of indices.
    /// @param factor fraction of the character height.
    /// @levels 1 to 3. @warnings 2 for an infinite value or NaN.
    void setbas(double factor);
    /// Defines a shift character for the accented letters of a language.
    /// @param language "GERMAN", "DANISH", "SPANISH", "FRENCH", "ACUTE", "GRAVE",
    ///        "CIRCUMFLEX", "TURKISH".
    /// @param character a string of one character, not used by another language.
    /// @levels 1 to 3. @warnings 2 for a bad keyword or string, 57 for a character
    ///        used already.
    void eushft(const char* language, const char* character);
    /// Switches the formula mode of strings on or off (exponents with "^", indices
    /// with "_", \\frac, \\sqrt, Greek letters and symbols).
    /// @param mode "ON" or "OFF".
    /// @levels 1 to 3. @default "OFF". @warnings 2 for an unknown keyword, 178 for a
    ///        formula that cannot be read (when drawn).
    void texmod(const char* mode);
    /// Draws a box behind strings.
    /// @param colour box colour (index or explicit colour), -1 no box.
    /// @levels 1 to 3. @default -1. @warnings 2 for an invalid colour.
    void txtbgd(int colour);
    /// Draws a string.
    /// @param text the string, in the coding of chacod().
    /// @param x,y page position of the upper left corner (see txtjus()); 999, 999
    ///        continues after the last string.
    /// @levels 1 to 3. @warnings 174 for a string that cannot be converted.
    void messag(const char* text, int x, int y);
    /// The length of a string as messag() would draw it.
    /// @param text the string.
    /// @return its length in plot units; 0 when the call is refused.
    /// @levels 1 to 3.
    int nlmess(const char* text);

    // --- Curves ------------------------------------------------------------------------

    /// Draws a curve through points of the axis system.
    /// @param x,y arrays of n coordinates in axis units.
    /// @param n number of points, at least 1 (at least 2 for lines).
    /// @levels 2 and 3. @warnings 2 for null arrays or too few points, 27 for points
    ///        not above 0 on a logarithmic axis (unless neglog()), 160 for an
    ///        interpolation unusable with polar axes.
    void curve(const double* x, const double* y, int n);
    /// Chooses how curve() joins points.
    /// @param mode "LINE" straight lines, "STEP" steps, "STAIR" stairs, "STEM" lines
    ///        to the x axis, "BARS" bars, "FBARS" filled bars, "SPLINE" and "PSPLINE"
    ///        (parametric) splines (see splmod()).
    /// @levels 1 to 3. @default "LINE". @warnings 2 for an unknown keyword.
    void polcrv(const char* mode);
    /// Chooses between lines and symbols in curves.
    /// @param step 0 lines only, k > 0 lines and a symbol on every k-th point, k < 0
    ///        only symbols on every |k|-th point.
    /// @levels 1 to 3. @default 0.
    void incmrk(int step);
    /// Chooses the symbol of curves.
    /// @param number symbol 0 to 22, 23 the next symbol for each curve, -1 none.
    /// @levels 1 to 3. @default 0. @warnings 2 for a number out of range.
    void marker(int number);
    /// Sets the height of symbols.
    /// @param size in plot units, 1 to 10000.
    /// @levels 1 to 3. @default 36. @warnings 2 for a size out of range.
    void hsymbl(int size);
    /// Sets the colour of symbols.
    /// @param colour index or explicit colour, -1 the current colour.
    /// @levels 1 to 3. @default -1.
    void mrkclr(int colour);
    /// Draws one symbol.
    /// @param number symbol 0 to 22.
    /// @param x,y page position of its centre.
    /// @levels 1 to 3. @warnings 2 for a number out of range.
    void symbol(int number, int x, int y);
    /// Draws curve lines several times side by side.
    /// @param passes number of parallel lines, 1 to 10000.
    /// @levels 1 to 3. @default 1. @warnings 2 for a number out of range.
    void thkcrv(int passes);
    /// Changes attributes automatically from curve to curve.
    /// @param attribute "NONE", "COLOR" the colour cycle, "LINE" the line type cycle,
    ///        "BOTH".
    /// @levels 1 to 3. @default "NONE". @warnings 2 for an unknown keyword.
    void chncrv(const char* attribute);
    /// Sets how many curve() calls make one curve for chncrv() and legends.
    /// @param calls 1 to 32000.
    /// @levels 1 to 3. @default 1. @warnings 2 for a number out of range.
    void inccrv(int calls);
    /// Sets an entry of the line type cycle of chncrv().
    /// @param index entry 1 to 30.
    /// @param type line type 0 to 7 (see lintyp()).
    /// @levels 1 to 3. @warnings 2 for an index or type out of range.
    void lincyc(int index, int type);
    /// Sets an entry of the colour cycle of chncrv().
    /// @param index entry 1 to 30.
    /// @param colour index or explicit colour, at least 0.
    /// @levels 1 to 3. @warnings 2 for an index or colour out of range.
    void clrcyc(int index, int colour);
    /// Sets an entry of the pattern cycle of shaded curves.
    /// @param index entry 1 to 30.
    /// @param pattern shading pattern 0 to 180000.
    /// @levels 1 to 3. @warnings 2 for an index or pattern out of range.
    void patcyc(int index, int pattern);
    /// Chooses a predefined line type.
    /// @param type 0 solid, 1 dotted, 2 dashed, 3 long dashes, 4 dash-dot, 5 long
    ///        dash-dot, 6 dash-dot-dot, 7 long dash-dot-dot.
    /// @levels 1 to 3. @default 0. @warnings 2 for a type out of range.
    void lintyp(int type);
    /// Defines a dash pattern of lines.
    /// @param lengths n lengths in plot units, at least 1 each: drawn, skipped, drawn, ...
    /// @param n number of lengths, 1 to 10.
    /// @levels 1 to 3. @warnings 2 for n or a length out of range or a null array.
    void myline(const int* lengths, int n);
    /// Draws successive dashes in different colours.
    /// @param colours n colours (index or explicit colour).
    /// @param n number of colours, 0 (one colour again) to 30.
    /// @levels 1 to 3. @default 0. @warnings 2 for n or a colour out of range.
    void linclr(const int* colours, int n);
    /// Decides how curve() treats NaN coordinates.
    /// @param mode "ON" a NaN breaks the curve, "OFF" NaN is not expected.
    /// @levels 1 to 3. @default "OFF". @warnings 2 for an unknown keyword.
    void nancrv(const char* mode);
    /// Leaves gaps in curves where x jumps.
    /// @param distance x steps larger than this (axis units) are not joined.
    /// @levels 1 to 3. @default no gaps.
    void gapcrv(double distance);
    /// Leaves gaps in curves where x or y jumps.
    /// @param distance steps larger than this (axis units) are not joined.
    /// @param axes "X", "Y", "XY", or "RESET" (no gaps).
    /// @levels 1 to 3. @default no gaps. @warnings 2 for axes naming no axis.
    void gapsiz(double distance, const char* axes);
    /// Sets the width of bars of polcrv("BARS").
    /// @param width > 0 a fraction of the distance of points, <= 0 its magnitude in
    ///        plot units.
    /// @levels 1 to 3. @default 0.75. @warnings 2 for NaN.
    void barwth(double width);
    /// Sets the splines of polcrv("SPLINE").
    /// @param order degree of the spline, 2 to 10.
    /// @param points number of points drawn, 5 to 30000.
    /// @levels 1 to 3. @default 3 and 200. @warnings 2 for a value out of range.
    void splmod(int order, int points);
    /// Starts the attribute cycles of chncrv() from the beginning.
    /// @levels 1 to 3.
    void resatt();

    // --- Legends ------------------------------------------------------------------------

    /// Sets up a legend in the caller's text buffer.
    /// @param buffer character buffer of at least nlin * nmaxln characters (see
    ///        gvx::LegendBuffer); it is filled with blanks.
    /// @param nlin number of lines, 1 to 30.
    /// @param nmaxln characters per line, 1 to 256.
    /// @levels 1 to 3. @warnings 2 for a count out of range or a null buffer, 17 for a
    ///        buffer known to be too small.
    void legini(gvx::LegendBuffer buffer, int nlin, int nmaxln);
    /// Stores the text of one legend line.
    /// @param buffer the buffer of legini().
    /// @param text the line's text, at most nmaxln characters.
    /// @param line line number, 1 to nlin.
    /// @levels 1 to 3. @warnings 15 without legini(), 2 for a bad line number, 16 for a
    ///        text that is too long.
    void leglin(gvx::LegendBuffer buffer, const char* text, int line);
    /// Sets the title of the legend.
    /// @param title at most 80 characters; "" none.
    /// @levels 1 to 3 (after legini()). @default "Legende". @warnings 15 without legini().
    void legtit(const char* title);
    /// Places the legend at a page position instead of a corner.
    /// @param x,y page position of its upper left corner.
    /// @levels 1 to 3 (after legini()). @warnings 15 without legini().
    void legpos(int x, int y);
    /// Draws the legend.
    /// @param buffer the buffer of legini().
    /// @param ncor corner, unless legpos() was called: 1 to 4 lower left, lower right,
    ///        upper right, upper left of the page; 5 to 8 the same corners of the
    ///        axis system.
    /// @levels 2 and 3. @warnings 15 without legini(), 2 for a bad corner, 17 for a
    ///        small buffer, 42 for more lines than curves, 149 for an undefined line.
    void legend(gvx::LegendBuffer buffer, int ncor);
    /// The width of the legend.
    /// @param buffer the buffer of legini().
    /// @return width in plot units; 0 when refused.
    /// @levels 1 to 3. @warnings 15 without legini().
    int nxlegn(gvx::LegendBuffer buffer);
    /// The height of the legend.
    /// @param buffer the buffer of legini().
    /// @return height in plot units; 0 when refused.
    /// @levels 1 to 3. @warnings 15 without legini().
    int nylegn(gvx::LegendBuffer buffer);
    /// Sets the sizes of legend parts in character heights.
    /// @param pattern length of the line samples, at least 0 (0 no samples).
    /// @param margin distance to the frame, greater than 0.
    /// @param subline distance of lines, greater than 0.
    /// @levels 1 to 3 (after legini()). @default 4, 0.5 and 1.
    /// @warnings 15 without legini(), 2 for a value out of range.
    void legopt(double pattern, double margin, double subline);
    /// Sets one size of the legend in character heights.
    /// @param value at least 0.
    /// @param option "PATTERN" sample length, "MARGIN", "LINE" line distance, "SYMBOL"
    ///        symbol size, "HSPACE" gap between entries of horizontal legends.
    /// @levels 1 to 3 (after legini()). @default 4, 0.5, 1, 0.8 and 2.
    /// @warnings 15 without legini(), 2 for a negative value or unknown keyword.
    void legval(double value, const char* option);
    /// Chooses a vertical or horizontal legend.
    /// @param type "VERT" or "HORI".
    /// @levels 1 to 3, before legini(). @default "VERT".
    /// @warnings 182 after legini(), 2 for an unknown keyword.
    void legtyp(const char* type);
    /// Fills the legend box.
    /// @param colour background colour (index or explicit colour), -1 none.
    /// @levels 1 to 3. @default -1.
    void legbgd(int colour);
    /// Draws legend texts in the colours of their curves.
    /// @levels 1 to 3. @default the current colour.
    void legclr();
    /// Lets legend entries have several lines, broken by the "LEG" character of
    /// setmix().
    /// @levels 1 to 3.
    void mixleg();
    /// Chooses which legend lines are shown.
    /// @param lines n line numbers, at least 1.
    /// @param n number of lines, up to 30; -1 all lines.
    /// @levels 1 to 3. @default all. @warnings 2 for n or a line out of range, 149 (by
    ///        legend()) for a line above nlin.
    void legsel(const int* lines, int n);
    /// Sets the sample of one legend line explicitly.
    /// @param type line type 0 to 7, -1 no line.
    /// @param thickness line width in plot units, at least 1.
    /// @param symbol symbol 0 to 23, -1 none.
    /// @param colour index or explicit colour, -1 the current colour.
    /// @param pattern shading pattern, -1 none.
    /// @param line legend line, 1 to 30.
    /// @levels 1 to 3 (after legini()). @warnings 15 without legini(), 2 for a value
    ///        out of range.
    void legpat(int type, int thickness, int symbol, int colour, int pattern, int line);
    /// Sets the distance of legend entries.
    /// @param factor in character heights, greater than 0.
    /// @levels 1 to 3. @warnings 2 for a factor not greater than 0.
    void linesp(double factor);

    // --- Axis systems ------------------------------------------------------------------

    /// Draws an axis system and sets its scaling; goes to level 2.
    /// @param xa,xe lower and upper end of the x axis.
    /// @param x_first first x label.
    /// @param x_step distance of x labels (sign as xe - xa).
    /// @param ya,ye,y_first,y_step the same for the y axis.
    ///        On logarithmic axes (axsscl()) all are exponents of ten.
    /// @levels 1. @warnings 2 for bad ends or steps and 150 for a crossed system with
    ///        logarithmic axes (in both cases the level stays 1).
    void graf(double xa, double xe, double x_first, double x_step, double ya, double ye,
              double y_first, double y_step);
    /// Ends the axis system: goes back to level 1, where the next system may be placed.
    /// @levels 1 to 3.
    void endgrf();
    /// Places the next axis system.
    /// @param x,y page position of its lower left corner.
    /// @levels 1. @default centred horizontally, 300 above the bottom.
    /// @warnings 2 for a position outside the plot limits.
    void axspos(int x, int y);
    /// Places the origin of the next crossed axis system.
    /// @param x,y page position of the point (0, 0).
    /// @levels 1. @warnings 2 for a position outside the plot limits.
    void axsorg(int x, int y);
    /// Sets the size of the next axis system.
    /// @param nx,ny length of the x and y axis in plot units, at least 2.
    /// @levels 1. @default two thirds of the page. @warnings 2 for a length out of range.
    void axslen(int nx, int ny);
    /// Chooses the kind of axis system.
    /// @param type "RECT" rectangular, "CROSS" crossed axes through the origin.
    /// @levels 1. @default "RECT". @warnings 2 for an unknown keyword.
    void axstyp(const char* type);
    /// Chooses linear or logarithmic scaling.
    /// @param mode "LIN" or "LOG".
    /// @param axes the axes concerned ("X", "Y", "XY", ...).
    /// @levels 1 to 3. @default "LIN". @warnings 2 for an unknown keyword.
    void axsscl(const char* mode, const char* axes);
    /// Chooses the parts drawn of the lower x, left y, upper x and right y axis.
    /// @param lower_x,left_y,upper_x,right_y "NONE", "LINE", "TICKS", "LABELS", "NAME"
    ///        (each including the ones before it).
    /// @levels 1. @default "NAME", "NAME", "TICKS", "TICKS".
    /// @warnings 2 for an unknown keyword.
    void setgrf(const char* lower_x, const char* left_y, const char* upper_x, const char* right_y);
    /// Draws only the lower x and the left y axis of the next system.
    /// @levels 1 to 3.
    void ax2grf();
    /// Sets the scaling of the next graf() without drawing the axes.
    /// @levels 1 to 3.
    void nograf();
    /// Leaves out the axis lines.
    /// @param axes the axes concerned.
    /// @levels 1 to 3.
    void noline(const char* axes);
    /// Sets the thickness of frames around axis systems and legends.
    /// @param thickness in plot units, negative inward; 0 no frame.
    /// @levels 1 to 3. @default 1. @warnings 2 for a value out of range.
    void frame(int thickness);
    /// Sets the colour of frames.
    /// @param colour index or explicit colour, -1 the current colour.
    /// @levels 1 to 3. @default -1. @warnings 2 for an invalid colour.
    void frmclr(int colour);
    /// Fills the area of the axis system.
    /// @param colour index or explicit colour, -1 no background.
    /// @levels 1 to 3. @default -1. @warnings 2 for an invalid colour.
    void axsbgd(int colour);
    /// Lets curves reach beyond the axis rectangle by a margin.
    /// @param margin in plot units (negative inside).
    /// @levels 1 to 3. @default -1. @warnings 2 for a value out of range.
    void grace(int margin);
    /// Suppresses the warnings about points outside the axis scaling.
    /// @levels 1 to 3.
    void nochek();
    /// Shifts everything drawn afterwards.
    /// @param x,y shift in plot units.
    /// @levels 1 to 3. @default 0, 0. @warnings 2 for a shift out of range.
    void origin(int x, int y);
    /// Lets values not above 0 stand for a small value on logarithmic axes.
    /// @param value the value drawn in their place, greater than 0.
    /// @levels 1 to 3. @default off (such values are refused with warning 27).
    /// @warnings 2 for a value not greater than 0, infinite or NaN.
    void neglog(double value);
    /// Centres the next axis system on the page.
    /// @levels 1.
    void center();
    /// Scales the next axis system from data: graf() then chooses ends and labels.
    /// @param data n values; NaN and infinite values are skipped.
    /// @param n number of values, at least 1.
    /// @param axes the axes concerned.
    /// @levels 1. @warnings 2 for null data, n below 1 or no finite value.
    void setscl(const double* data, int n, const char* axes);
    /// The page x position of an axis value.
    /// @param x value on the x axis.
    /// @return position in plot units; 0 when refused.
    /// @levels 2 and 3.
    int nxposn(double x);
    /// The page y position of an axis value.
    /// @param y value on the y axis.
    /// @return position in plot units; 0 when refused.
    /// @levels 2 and 3. @warnings 109 for polar axis systems.
    int nyposn(double y);

    // --- Axes: ticks, labels, names ------------------------------------------------------

    /// Sets the number of tick intervals between labels.
    /// @param n 0 to 1000.
    /// @param axes the axes concerned.
    /// @levels 1 to 3. @default 2. @warnings 2 for a number out of range.
    void ticks(int n, const char* axes);
    /// Sets the lengths of ticks.
    /// @param major,minor lengths in plot units, 1 to 10000.
    /// @levels 1 to 3. @default 24 and 16. @warnings 2 for a length out of range.
    void ticlen(int major, int minor);
    /// Chooses the side of ticks.
    /// @param position "LABELS" the label side, "REVERS" the other side, "CENTER" across.
    /// @param axes the axes concerned.
    /// @levels 1 to 3. @default "LABELS". @warnings 2 for an unknown keyword.
    void ticpos(const char* position, const char* axes);
    /// Sets calendar ticks of date axes.
    /// @param mode "NONE", "DAYS", "MONTH", "QUARTER", "HALF", "YEAR", "DMONTH".
    /// @param axes the axes concerned.
    /// @levels 1 to 3. @default "NONE". @warnings 2 for an unknown keyword.
    void ticmod(const char* mode, const char* axes);
    /// Chooses the kind of axis labels.
    /// @param type "NONE", "FLOAT", "EXP", "FEXP", "LOG" (powers of ten), "CLOG",
    ///        "ELOG", "TIME", "HOURS", "SECONDS", "DATE" (days since basdat()),
    ///        "MYLAB" (texts of mylab()), "MAP", "DMAP", "LMAP", "MAPN".
    /// @param axes the axes concerned.
    /// @levels 1 to 3. @default "FLOAT". @warnings 2 for an unknown keyword.
    void labels(const char* type, const char* axes);
    /// Sets the digits after the decimal point of labels.
    /// @param digits -2 automatic, -1 integers, 0 to 100.
    /// @param axes the axes concerned.
    /// @levels 1 to 3. @default 1. @warnings 2 for digits out of range.
    void labdif(int digits, const char* axes);
    /// Labels all axes with integers.
    /// @levels 1 to 3.
    void intax();
    /// Sets the distance of labels from the axis.
    /// @param distance in plot units.
    /// @param axes the axes concerned.
    /// @levels 1 to 3. @default 24. @warnings 2 for a distance out of range.
    void labdis(int distance, const char* axes);
    /// Chooses where labels stand.
    /// @param position "TICKS" at the ticks, "CENTER" between them, "SHIFT" shifted.
    /// @param axes the axes concerned.
    /// @levels 1 to 3. @default "TICKS". @warnings 2 for an unknown keyword.
    void labpos(const char* position, const char* axes);
    /// Chooses the direction of labels.
    /// @param orientation "HORI" or "VERT".
    /// @param axes the axes concerned.
    /// @levels 1 to 3. @default "HORI". @warnings 2 for an unknown keyword.
    void labtyp(const char* orientation, const char* axes);
    /// Justifies labels of y axes.
    /// @param justification "AUTO", "LEFT", "RIGHT", "OUTWARDS", "INWARDS".
    /// @param axes the axes concerned.
    /// @levels 1 to 3. @default "AUTO". @warnings 2 for an unknown keyword.
    void labjus(const char* justification, const char* axes);
    /// Leaves out labels at the ends of axes.
    /// @param ends "NONE", "NOFIRST", "NOLAST", "NOENDS", "ENDS", "FIRST", "LAST".
    /// @param axes the axes concerned.
    /// @levels 1 to 3. @default "NONE". @warnings 2 for an unknown keyword.
    void axends(const char* ends, const char* axes);
    /// Sets the name of axes.
    /// @param text at most 132 characters; "" none.
    /// @param axes the axes concerned.
    /// @levels 1 to 3. @default "".
    void name(const char* text, const char* axes);
    /// Sets the distance of axis names from the labels.
    /// @param distance in plot units.
    /// @param axes the axes concerned.
    /// @levels 1 to 3. @default 30. @warnings 2 for a distance out of range.
    void namdis(int distance, const char* axes);
    /// Justifies axis names along their axes.
    /// @param justification "CENT", "LEFT", "RIGHT".
    /// @param axes the axes concerned.
    /// @levels 1 to 3. @default "CENT". @warnings 2 for an unknown keyword.
    void namjus(const char* justification, const char* axes);
    /// Sets the character height of axis names.
    /// @param height in plot units, 1 to 10000.
    /// @levels 1 to 3. @default 36. @warnings 2 for a height out of range.
    void hname(int height);
    /// Turns the name of the right y axis to read from the other side.
    /// @levels 1 to 3.
    void rvynam();
    /// Colours parts of axes.
    /// @param colour index or explicit colour, -1 the current colour.
    /// @param part "LINE", "TICKS", "LABELS", "NAME", "ALL".
    /// @param axes the axes concerned.
    /// @levels 1 to 3. @default -1. @warnings 2 for an unknown keyword or a colour
    ///        below -1.
    void axclrs(int colour, const char* part, const char* axes);
    /// Sets a label text of labels("MYLAB").
    /// @param text at most 32 characters.
    /// @param index label number, 1 to 50.
    /// @param axes the axes concerned.
    /// @levels 1 to 3. @warnings 2 for an index out of range.
    void mylab(const char* text, int index, const char* axes);
    /// Sets the form of date and time labels.
    /// @param key "YEAR", "DAYS", "MONTH", "LANGUAGE", "FORM", "SEPARATOR", "CASE",
    ///        "STEP", "TIME".
    /// @param mode for "YEAR" "NONE", "LONG", "SHORT"; "DAYS" also "WEEKDAY"; "MONTH"
    ///        "NONE", "NUMBER", "SHORT", "LONG"; "LANGUAGE" "ENGLISH", "GERMAN",
    ///        "SPANISH"; "FORM" "DMY", "MDY", "YMD"; "SEPARATOR" "POINT", "DASH",
    ///        "SLASH", "BLANK", "NONE"; "CASE" "MIXED", "UPPER", "LOWER"; "STEP"
    ///        "NONE", "DAYS", "WEEK", "MONTH", "QUARTER", "HALF", "YEAR"; "TIME"
    ///        "WRAP", "FULL".
    /// @param axes the axes concerned.
    /// @levels 1 to 3. @default "LONG" year, "LONG" day, "NUMBER" month, "ENGLISH",
    ///        "DMY", "POINT", "MIXED", "NONE", "WRAP". @warnings 2 for an unknown
    ///        keyword.
    void labmod(const char* key, const char* mode, const char* axes);

    // --- Numbers and dates ---------------------------------------------------------------

    /// Draws a number.
    /// @param value the number.
    /// @param digits digits after the decimal point, -1 an integer, up to 100.
    /// @param x,y page position of the upper left corner (see txtjus()).
    /// @levels 1 to 3. @warnings 2 for digits out of range.
    void number(double value, int digits, int x, int y);
    /// Chooses the form of numbers drawn by number().
    /// @param format "FLOAT", "EXP", "FEXP", "LOG".
    /// @levels 1 to 3. @default "FLOAT". @warnings 2 for an unknown keyword.
    void numfmt(const char* format);
    /// Sets the characters of numbers.
    /// @param decimal "POINT" or "COMMA".
    /// @param grouping thousands separator: "NONE", "SPACE", "POINT", "COMMA".
    /// @param sign of positive numbers: "NONE", "SPACE", "PLUS".
    /// @param spacing "NOEQUAL" or "EQUAL" (fixed-width digits).
    /// @levels 1 to 3. @default "POINT", "NONE", "NONE", "NOEQUAL".
    /// @warnings 2 for an unknown keyword (then nothing changes).
    void numode(const char* decimal, const char* grouping, const char* sign, const char* spacing);
    /// Sets day 0 of date axes.
    /// @param day,month,year a valid date (Gregorian calendar), year at least 1000.
    /// @levels 0 to 3. @default 1 January 1900. @warnings 2 for an invalid date.
    void basdat(int day, int month, int year);
    /// The number of days from the base date (basdat()) to a date.
    /// @param day,month,year a valid date.
    /// @return days, negative before the base date; 0 when refused.
    /// @levels 0 to 3. @warnings 2 for an invalid date.
    int incdat(int day, int month, int year);
    /// The day of the week of a date.
    /// @param day,month,year a valid date.
    /// @return 1 Monday to 7 Sunday; 0 when refused.
    /// @levels 0 to 3. @warnings 2 for an invalid date.
    int nwkday(int day, int month, int year);

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
    /// @param x x of the upper left corner in plot units
    /// @param y y of the upper left corner in plot units
    /// @param width width in plot units, at least 1
    /// @param height height in plot units, at least 1
    void rectan(int x, int y, int width, int height);
    /// rndrec: a rectangle as rectan with corners rounded by `radius` plot units (at most
    /// half the shorter side; warning 2 for a negative radius).
    /// @param x x of the upper left corner in plot units
    /// @param y y of the upper left corner in plot units
    /// @param width width in plot units, at least 1
    /// @param height height in plot units, at least 1
    /// @param radius corner radius in plot units, 0 or more
    void rndrec(int x, int y, int width, int height, int radius);
    /// circle: centre and radius (warning 2 for a radius below 1).
    /// @param xm x of the centre in plot units
    /// @param ym y of the centre in plot units
    /// @param radius radius in plot units, at least 1
    void circle(int xm, int ym, int radius);
    /// ellips: centre and the half axes along x and y (warning 2 for one below 1).
    /// @param xm x of the centre in plot units
    /// @param ym y of the centre in plot units
    /// @param a half axis along x in plot units, at least 1
    /// @param b half axis along y in plot units, at least 1
    void ellips(int xm, int ym, int a, int b);
    /// pie: the sector from angle alpha to beta of the ring between radius r1 (0 for a
    /// plain sector) and r2. Warning 7 when r1 > r2, 8 when alpha >= beta, 2 for r2 < 1.
    /// @param xm x of the centre in plot units
    /// @param ym y of the centre in plot units
    /// @param r1 inner radius in plot units (0 for a plain sector), at most r2
    /// @param r2 outer radius in plot units, at least 1
    /// @param alpha start angle in degrees, below beta
    /// @param beta end angle in degrees
    void pie(int xm, int ym, int r1, int r2, double alpha, double beta);
    /// arcell: the elliptical sector from alpha to beta of half axes a and b, the ellipse
    /// turned by theta. Warning 8 when alpha >= beta, 2 for an axis below 1.
    /// @param xm x of the centre in plot units
    /// @param ym y of the centre in plot units
    /// @param a half axis along x in plot units, at least 1
    /// @param b half axis along y in plot units, at least 1
    /// @param alpha start angle in degrees, below beta
    /// @param beta end angle in degrees
    /// @param theta turn of the ellipse in degrees
    void arcell(int xm, int ym, int a, int b, double alpha, double beta, double theta);
    /// areaf: a polygon of n vertices (n >= 3, else warning 2).
    /// @param x x coordinates of the vertices in plot units
    /// @param y y coordinates of the vertices in plot units
    /// @param n number of vertices, at least 3
    void areaf(const int* x, const int* y, int n);
    /// line: a line in the current colour and line style.
    /// @param x1 x of the start in plot units
    /// @param y1 y of the start in plot units
    /// @param x2 x of the end in plot units
    /// @param y2 y of the end in plot units
    void line(int x1, int y1, int x2, int y2);
    /// vector: a line with arrow heads.
    /// @param code size * 100 + form * 10 + ends: the head is size * 10 plot units long
    ///   (size 0 to 99, 0 no head) and 0.7 of its length wide; form 0 open, 1 closed,
    ///   2 filled, 3 filled and notched; ends 0 at (x2, y2), 1 at (x1, y1), 2 both.
    ///   Warning 2 for other codes.
    /// @param x1 x of the start in plot units
    /// @param y1 y of the start in plot units
    /// @param x2 x of the end in plot units
    /// @param y2 y of the end in plot units
    void vector(int x1, int y1, int x2, int y2, int code);
    /// point: a rectangle of width and height centred at (x, y), filled solid in the
    /// current colour (warning 2 unless both sizes >= 1).
    /// @param x x of the centre in plot units
    /// @param y y of the centre in plot units
    /// @param width width in plot units, at least 1
    /// @param height height in plot units, at least 1
    void point(int x, int y, int width, int height);

    /// The same shapes in user coordinates of the current axis system (levels 2 and 3),
    /// clipped to the axis system like curves. Radii of circles and sectors are user units
    /// along the x axis, so a circle stays round on unequal axes; ellipses take a along x
    /// and b along y. rlrec: upper left corner (x, y), width along x, height along y.
    /// @param x x of the upper left corner
    /// @param y y of the upper left corner
    /// @param width width in user units along x
    /// @param height height in user units along y
    void rlrec(double x, double y, double width, double height);
    /// A rounded rectangle in user coordinates (as rndrec).
    /// @param x x of the upper left corner
    /// @param y y of the upper left corner
    /// @param width width in user units along x
    /// @param height height in user units along y
    /// @param radius corner radius in user units along x
    void rlrnd(double x, double y, double width, double height, double radius);
    /// A circle in user coordinates (as circle).
    /// @param xm x of the centre in user coordinates
    /// @param ym y of the centre in user coordinates
    /// @param radius radius in user units along x
    void rlcirc(double xm, double ym, double radius);
    /// An ellipse in user coordinates (as ellips).
    /// @param xm x of the centre in user coordinates
    /// @param ym y of the centre in user coordinates
    /// @param a half axis along x in user units
    /// @param b half axis along y in user units
    void rlell(double xm, double ym, double a, double b);
    /// A sector in user coordinates (as pie).
    /// @param xm x of the centre in user coordinates
    /// @param ym y of the centre in user coordinates
    /// @param r1 inner radius in user coordinates (0 for a plain sector), at most r2
    /// @param r2 outer radius in user coordinates, at least 1
    /// @param alpha start angle in degrees, below beta
    /// @param beta end angle in degrees
    void rlpie(double xm, double ym, double r1, double r2, double alpha, double beta);
    /// An elliptical sector in user coordinates (as arcell).
    /// @param xm x of the centre in user coordinates
    /// @param ym y of the centre in user coordinates
    /// @param a half axis along x in user units
    /// @param b half axis along y in user units
    /// @param alpha start angle in degrees, below beta
    /// @param beta end angle in degrees
    /// @param theta turn of the ellipse in degrees
    void rlarc(double xm, double ym, double a, double b, double alpha, double beta, double theta);
    /// A polygon in user coordinates (as areaf).
    /// @param x x coordinates of the vertices
    /// @param y y coordinates of the vertices
    /// @param n number of vertices, at least 3
    void rlarea(const double* x, const double* y, int n);
    /// A line in user coordinates (as line).
    /// @param x1 x of the start in user coordinates
    /// @param y1 y of the start in user coordinates
    /// @param x2 x of the end in user coordinates
    /// @param y2 y of the end in user coordinates
    void rline(double x1, double y1, double x2, double y2);
    /// A line with arrow heads in user coordinates (as vector).
    /// @param x1 x of the start in user coordinates
    /// @param y1 y of the start in user coordinates
    /// @param x2 x of the end in user coordinates
    /// @param y2 y of the end in user coordinates
    /// @param code arrow head code (see vector)
    void rlvec(double x1, double y1, double x2, double y2, int code);
    /// rlpoin: a point of width and height in plot units at a user position.
    /// @param x x of the centre in user coordinates
    /// @param y y of the centre in user coordinates
    /// @param width width in plot units, at least 1
    /// @param height height in plot units, at least 1
    void rlpoin(double x, double y, int width, int height);
    /// rlsymb: curve symbol 0 to 22 of the current symbol size at a user position.
    /// @param symbol symbol number 0 to 22
    /// @param x x in user coordinates
    /// @param y y in user coordinates
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
    /// @param x bar positions
    /// @param y1 values where the bars start
    /// @param y2 values where the bars end
    /// @param n number of bars, at least 1
    void bars(const double* x, const double* y1, const double* y2, int n);
    /// Bar direction: "VERT" (default), "HORI" (positions on the y axis), "3DVE", "3DHO"
    /// (with a side and a top face). Levels 1 to 3.
    /// @param type "VERT", "HORI", "3DVE" or "3DHO"
    void bartyp(const char* type);
    /// The width rule of bars: mode "FIXE" (default) or "VARI", key "WIDT". Levels 1 to 3.
    /// @param mode "FIXE" or "VARI"
    /// @param key "WIDT"
    void barmod(const char* mode, const char* key);
    /// Bar positions: "NONE" (default) the x values, "TICK" the main ticks of the position
    /// axis from its first label. Levels 1 to 3.
    /// @param position "NONE" or "TICK"
    void barpos(const char* position);
    /// Colours of the front, side and top faces of bars; -1 (default) the current colour.
    /// Levels 1 to 3; warning 2 below -1.
    /// @param front front colour, -1 the current colour
    /// @param side side colour, -1 the current colour
    /// @param top top colour, -1 the current colour
    void barclr(int front, int side, int top);
    /// Outline colour of bars, -1 (default) the current colour. Levels 1 to 3; warning 2.
    /// @param colour outline colour, -1 the current colour
    void barbor(int colour);
    /// Depth (plot units, >= 0, default 30) and angle (0 to 90 degrees, default 45) of the
    /// side and top faces of 3-D bars. Levels 1 to 3; warning 2.
    /// @param depth depth in plot units, 0 or more
    /// @param angle angle in degrees, 0 to 90
    void barops(int depth, double angle);
    /// Groups of `count` bars (>= 1, default 1) side by side, `gap` plot units (>= 0)
    /// apart; the next bars call takes the first place. Levels 1 to 3; warning 2.
    /// @param count bars in a group, at least 1
    /// @param gap gap between the bars of a group in plot units, 0 or more
    void bargrp(int count, int gap);
    /// Colour of bar or pie labels: item "BARS" or "PIE", -1 (default) the current colour.
    /// Levels 1 to 3; warning 2 below -1.
    /// @param colour label colour, -1 the current colour
    /// @param item "BARS" or "PIE"
    void labclr(int colour, const char* item);

    /// Draws a pie chart of n values (>= 0, not all 0) in the rectangle of axspos and
    /// axslen, sectors counter-clockwise from 0 degrees. With nlin > 0 (and legini called)
    /// a legend of the first nlin lines of the buffer stands right of the pie; in any case
    /// the sectors' colours and patterns become legend entries 1 to n. Levels 1 to 3.
    /// Warning 1 for a negative value, 29 when the values sum to 0, 2 for other faults.
    /// @param buffer legend buffer of legini (may be unused when nlin is 0)
    /// @param nlin legend lines shown beside the pie, 0 none
    /// @param data the values, none negative
    /// @param n number of values, at least 1
    void piegrf(gvx::LegendBuffer buffer, int nlin, const double* data, int n);
    /// "2D" (default) or "3D" pies. Levels 1 to 3.
    /// @param type "2D" or "3D"
    void pietyp(const char* type);
    /// Top and side colours of the first n sectors (1 to 100; -1 the colour cycle).
    /// Levels 1 to 3; warning 2.
    /// @param top top colours of the sectors, -1 the colour cycle
    /// @param side side colours of the sectors, -1 the colour cycle
    /// @param n number of sectors given, 1 to 100
    void pieclr(const int* top, const int* side, int n);
    /// Depth (plot units >= 0, default 60) and view angle (10 to 90 degrees, default 45)
    /// of 3-D pies. Levels 1 to 3; warning 2.
    /// @param depth depth in plot units, 0 or more
    /// @param angle view angle in degrees, 10 to 90
    void pieopt(int depth, double angle);
    /// Pie labels: "NONE", "PERC" (default), "DATA" or "BOTH"; position "INTE" (default),
    /// "EXTE" or "ALIG" (outside). The same as labels and labpos with "PIE". Levels 1 to 3.
    /// @param mode "NONE", "PERC", "DATA" or "BOTH"
    /// @param position "INTE", "EXTE" or "ALIG"
    void pielab(const char* mode, const char* position);
    /// Outline colour of sectors, -1 (default) the current colour. Levels 1 to 3.
    /// @param colour outline colour, -1 the current colour
    void piebor(int colour);
    /// Pulls every sector of the following pies out by a tenth of the radius. Levels 1 to 3.
    void pieexp();
    /// Pulls sector `sector` (1 to 100; 0 all) out by `distance` plot units (>= 0).
    /// Levels 1 to 3; warning 2.
    /// @param sector sector number 1 to 100, 0 all
    /// @param distance distance in plot units, 0 or more
    void pievec(int sector, int distance);
    /// What successive sectors change: "NONE", "COLO" (default: pieclr colours, else the
    /// colour cycle), "PATT" (the pattern cycle) or "BOTH". Levels 1 to 3.
    /// @param change "NONE", "COLO", "PATT" or "BOTH"
    void chnpie(const char* change);

    /// Error bars in user coordinates from value - err1[i] to value + err2[i] at the
    /// points (x[i], y[i]) (levels 2 and 3), clipped to the axis system. Warning 2.
    /// @param x x values of the points
    /// @param y y values of the points
    /// @param err1 errors below (or left of) the points
    /// @param err2 errors above (or right of) the points
    /// @param n number of points, at least 1
    void errbar(const double* x, const double* y, const double* err1, const double* err2, int n);
    /// Error bar mode (levels 1 to 3): item "DIRE" with "VERT" (default, errors along y)
    /// or "HORI" (along x); "CAPS" with "ON" (default: caps half the symbol size wide) or
    /// "OFF"; "SYMB" with "ON" (the curve symbol at each point) or "OFF" (default).
    /// @param item "DIRE", "CAPS" or "SYMB"
    /// @param mode "VERT"/"HORI" for "DIRE", "ON"/"OFF" for the others
    void errbmd(const char* item, const char* mode);
    /// Fills the area between two curves with the current pattern (levels 2 and 3): the
    /// first curve forward and the second backward form one polygon (even-odd rule).
    /// Each call is one legend curve with a filled box. Warning 2 for fewer than 3 points.
    /// @param x1 x values of the first curve
    /// @param y1 y values of the first curve
    /// @param n1 points of the first curve
    /// @param x2 x values of the second curve
    /// @param y2 y values of the second curve
    /// @param n2 points of the second curve (n1 + n2 at least 3)
    void shdcrv(const double* x1, const double* y1, int n1, const double* x2, const double* y2,
                int n2);

    // --- Standard fonts ------------------------------------------------------------------
    /// Chooses how the codes of strings are shown with the standard font of psfont.
    /// @param mode "LATIN1" (default): codes 32 to 126 and 160 to 255 are the font's
    ///        ISO Latin-1 characters, written as native text by "POST", "PSCL",
    ///        "EPS ", "PS  ", "PDF " and "SVG " ("IPE " writes 160 to 186 so); "ASCII":
    ///        only codes 32 to 126 are the font's, every other code is drawn with the
    ///        vector font. Symbol and ZapfDingbats keep their own encoding either way.
    /// @param key "ENCODING".
    /// @levels 1 to 3, after psfont; the mode lasts until the vector fonts come back
    /// (gvxalf, complx, gvxini). @default "LATIN1".
    /// @warnings 48 "No call to psfont" when no standard font is selected (nothing
    /// changes); 2 for a keyword that matches neither list.
    void psfmod(const char* mode, const char* key);
    // --- Screen windows ---

    /// Decides what gvxfin() does with the window of a screen plot ("XWIN", "XWI1" to
    /// "XWI8", "XWND", "CONS", "GL"), after the closing protocol.
    /// @param mode "FULL" waits until a mouse button or the Return key is pressed in the
    ///        window (or the window manager closes it), then closes the window; "NONE"
    ///        closes it at once; "ADD" keeps it open without waiting, and the next
    ///        screen plot draws into it (moved and resized to that plot's window).
    /// @levels 0 to 3 (used by the next gvxfin()); kept for later plots.
    /// @default "FULL". @warnings 2 for an unknown keyword.
    void winmod(const char* mode);
    /// Sets the title of the screen windows.
    /// @param title text of at most 256 characters (longer ones are cut); "" gives the
    ///        default back. An open window takes it at once.
    /// @levels 0 to 3; kept for later plots. @default the plot file name ("gravox", or
    ///        the name given to setfil()). @warnings 2 for a null title.
    void wintit(const char* title);
    /// Shows everything drawn so far in the window of a screen plot. Screen windows are
    /// also brought up to date every 200 ms while drawing goes on, and at gvxfin(); for
    /// the other outputs sendbf() only finishes the pending line.
    /// @levels 1 to 3.
    void sendbf();
    // --- Three-dimensional axis systems and surfaces -----------------------------------
    // The box is centred on the origin of box coordinates with the sides of axis3d; the
    // picture is a perspective view from the viewpoint (view3d) towards the focus
    // (vfoc3d), scaled so that the projected box fills the axis rectangle (axspos,
    // axslen). See gravox/three_d/three_d.h and docs/three_d.md.

    /// Sets the size of the box of graf3d in box units.
    /// @param xlen,ylen,zlen side lengths, above 0 and at most 1e6
    /// @levels 1. @default 2, 2, 2. @warnings 2 for a length out of range.
    void axis3d(double xlen, double ylen, double zlen);
    /// Sets the viewpoint of graf3d.
    /// @param x,y,z the point: box coordinates ("ABS"), user coordinates of the coming
    /// axis system ("USER"), or azimuth and elevation in degrees and a distance in box
    /// units about the focus ("ANGL"; azimuth counter-clockwise from the x axis seen from
    /// above, distance 0 for 2.5 box diagonals)
    /// @param mode "ABS", "USER" or "ANGL"
    /// @levels 1. @default "ANGL" -60, 30, 0. @warnings 2 for a bad keyword, value or
    /// negative distance, 33 for a viewpoint inside the box (graf3d also refuses such a
    /// viewpoint with 33).
    void view3d(double x, double y, double z, const char* mode);
    /// Sets the focus point that the viewpoint looks at.
    /// @param x,y,z the point in box ("ABS") or user ("USER") coordinates
    /// @param mode "ABS" or "USER"
    /// @levels 1. @default the centre of the box. @warnings 2 for a bad keyword or value.
    void vfoc3d(double x, double y, double z, const char* mode);
    /// Sets the direction in box coordinates that appears upwards in the picture.
    /// When it is parallel to the line of sight the box y axis serves instead.
    /// @param x,y,z the direction, not all 0
    /// @levels 1. @default 0, 0, 1. @warnings 2 for a zero or infinite vector.
    void vup3d(double x, double y, double z);
    /// Sets up a three-dimensional axis system and draws its x, y and z axes with ticks,
    /// labels and names on edges of the box that face the viewer (level 1 to 3). Axis
    /// settings are those of the letters X, Y and Z (name, labels, ticks, axsscl, setscl).
    /// @param xa,xe,x_first,x_step x scaling: ends, first label and step (exponents on
    /// a logarithmic axis)
    /// @param ya,ye,y_first,y_step y scaling
    /// @param za,ze,z_first,z_step z scaling
    /// @levels 1. @warnings 10, 9 (refused), 12, 50 as for graf; 33 for a viewpoint
    /// inside the box or with part of the box behind it; 35 inside a graf3 system.
    void graf3d(double xa, double xe, double x_first, double x_step, double ya, double ye,
                double y_first, double y_step, double za, double ze, double z_first, double z_step);
    /// Draws the twelve edges of the box of graf3d.
    /// @levels 3. @warnings 361 outside a three-dimensional axis system.
    void box3d();
    /// Draws grid lines at the labels of the axes on the far sides of the box.
    /// @param nx,ny grid lines per label interval of the x axis, and of the y and z
    /// axes, 1 to 100
    /// @param faces "ALL" (floor and back walls), "BACK" (back walls) or "BOTTOM" (floor)
    /// @levels 3. @warnings 2 for a bad number or keyword, 361 outside a
    /// three-dimensional axis system.
    void grid3d(int nx, int ny, const char* faces);
    /// Converts user coordinates of the three-dimensional axis system to plot coordinates.
    /// @param x,y,z the point in user coordinates
    /// @param xp,yp receive the plot coordinates (unchanged when the call is refused)
    /// @levels 3. @warnings 361 outside a three-dimensional axis system.
    void pos3pt(double x, double y, double z, double& xp, double& yp);

    /// Draws a curve through points in space: a polyline, or stems from the floor of the
    /// box to each point under polcrv("STEM"); the other modes of polcrv draw the
    /// polyline. Symbols follow incmrk and marker; line styles apply on the page. A NaN
    /// point breaks the line.
    /// @param x,y,z user coordinates of the points
    /// @param n number of points, at least 1
    /// @levels 3. @warnings 2 for null arrays or n below 1, 361 outside a
    /// three-dimensional axis system.
    void curv3d(const double* x, const double* y, const double* z, int n);

    /// Draws a surface over a grid as a mesh with the hidden lines removed; the grid
    /// spreads over the x and y axes (index grid). Both sides take the colours of surclr.
    /// @param z matrix of nx * ny values, z[i * ny + j] at the i-th x and j-th y
    /// @param nx,ny points in x and y, at least 2
    /// @param ix,iy draw every ix-th line of constant x and every iy-th of constant y
    /// (and the last), 1 to nx - 1 and 1 to ny - 1
    /// @levels 3. @warnings 2 for bad arguments, 361 outside a three-dimensional axis
    /// system, 52 when the depth buffer cannot be allocated.
    void surmat(const double* z, int nx, int ny, int ix, int iy);
    /// Draws a surface over a rectilinear grid as a mesh with the hidden lines removed.
    /// @param x grid values in x, strictly monotonic
    /// @param nx number of x values, at least 2
    /// @param y grid values in y, strictly monotonic
    /// @param ny number of y values, at least 2
    /// @param z matrix of nx * ny values, z[i * ny + j] at x[i] and y[j]; NaN leaves cells out
    /// @levels 3. @warnings 2 for bad arguments, 361 outside a three-dimensional axis
    /// system, 362 for grid values that are not strictly monotonic, 52 as surmat.
    void surfce(const double* x, int nx, const double* y, int ny, const double* z);
    /// Draws the surface z = f(x, y) as a mesh with hidden lines removed, sampled at nx by
    /// ny points spread equally over the x and y axes.
    /// @param f the function
    /// @param nx,ny points in x and y, 2 to 2000
    /// @levels 3. @warnings 2 for a null function or counts out of range, 361 as surmat.
    void surfun(double (*f)(double x, double y), int nx, int ny);
    /// Sets the colours of the two sides of surfaces: the upper side (towards +z) and
    /// the lower side, for meshes and for lit shaded surfaces.
    /// @param top,bottom colour values, -1 for the current colour
    /// @levels 1 to 3. @default -1, -1. @warnings 2 for a value below -1.
    void surclr(int top, int bottom);
    /// Starts z-buffer drawing of shaded surfaces on a pixel device: until zbffin, the
    /// cells of surshd keep the nearest point of every pixel, whatever their order. On
    /// other devices it does nothing (cells are drawn back to front).
    /// @levels 1 to 3. @warnings 52 when the page has more than 16777216 pixels or
    /// the buffer cannot be allocated (surfaces are then drawn back to front).
    void zbfini();
    /// Ends z-buffer drawing and releases the buffer.
    /// @levels 1 to 3.
    void zbffin();
    /// Draws a shaded surface over a rectilinear grid: each cell filled with the colour
    /// of the mean of its corners on the z axis (colran, clrovr), or lit (light). With a
    /// z-buffer (zbfini) on a pixel device nearer pixels win; otherwise cells are drawn
    /// back to front. surmsh adds the mesh in the current colour.
    /// @param x grid values in x, strictly monotonic
    /// @param nx number of x values, at least 2
    /// @param y grid values in y, strictly monotonic
    /// @param ny number of y values, at least 2
    /// @param z matrix of nx * ny values, z[i * ny + j] at x[i] and y[j]; NaN leaves cells out
    /// @levels 3. @warnings as surfce.
    void surshd(const double* x, int nx, const double* y, int ny, const double* z);
    /// Adds the mesh to shaded surfaces.
    /// @param mode "ON" or "OFF"
    /// @levels 1 to 3. @default "OFF". @warnings 2 for a bad keyword.
    void surmsh(const char* mode);
    /// Switches lighting of shaded surfaces on or off.
    /// @param mode "ON" or "OFF"
    /// @levels 1 to 3. @default "OFF". @warnings 2 for a bad keyword.
    void light(const char* mode);
    /// Places the light.
    /// @param x,y,z the point as for view3d: "ABS", "USER", or "ANGL" (azimuth and
    /// elevation in degrees about the box centre, distance 0 for 5 box diagonals)
    /// @param mode "ABS", "USER" or "ANGL"
    /// @levels 1 to 3. @default "ANGL" 30, 60, 10. @warnings 2 for a bad keyword or value.
    void litpos(double x, double y, double z, const char* mode);
    /// Weighs the parts of the lighting model.
    /// @param ambient,diffuse,specular fractions 0 to 1
    /// @param exponent sharpness of the highlight, 1 to 1000
    /// @levels 1 to 3. @default 0.25, 0.65, 0.3, 20. @warnings 2 for a value out of range.
    void litmod(double ambient, double diffuse, double specular, double exponent);
    // --- Maps ----------------------------------------------------------------------

    /// Chooses the projection of the next map axis system (grafmp()).
    /// @param name "CYLI" equidistant cylindrical, "MERC" Mercator (to 85 degrees of
    ///        latitude), "EQUA" equal-area cylindrical, "MILL" Miller, "LAMB" Lambert
    ///        conformal conic, "ALBE" Albers equal-area conic, "STER" stereographic
    ///        (the hemisphere around the centre), "ORTH" orthographic (the hemisphere
    ///        around the centre), "AZIM" azimuthal equidistant, "ROBI" Robinson, "MOLL"
    ///        Mollweide, "HAMM" Hammer, "AITO" Aitoff, "WINK" Winkel tripel.
    /// @levels 1 to 3. @default "CYLI". @warnings 2 for an unknown keyword.
    void projct(const char* name);
    /// Sets the centre of the projection: the central meridian and, for the azimuthal
    /// projections, the centre's latitude (the pole of a polar map).
    /// @param lon longitude in degrees, -360 to 360.
    /// @param lat latitude in degrees, -90 to 90.
    /// @levels 1 to 3. @default the middle of the map window; an azimuthal map of all
    ///        longitudes that reaches one pole is centred on it.
    /// @warnings 2 for a value out of range.
    void mappol(double lon, double lat);
    /// Sets the standard parallels of the conic projections.
    /// @param lat1,lat2 latitudes in degrees, between -90 and 90, not symmetric about
    ///        the equator.
    /// @levels 1 to 3. @default a sixth of the window's latitude range inside its ends.
    /// @warnings 372 for parallels no cone can use.
    void mapref(double lat1, double lat2);
    /// Sets the radius of the sphere, the unit of the projected coordinates.
    /// @param radius kilometres, greater than 0 and at most 1e9.
    /// @levels 1 to 3. @default 6371. @warnings 2 for a radius out of range.
    void mapsph(double radius);
    /// Opens a map axis system: the window of longitudes and latitudes in the current
    /// projection, fitted into the axis rectangle with its proportions kept, its
    /// outline (rectangle, curved boundary or circle) and the labels of the meridians
    /// (below the map or around a polar map) and parallels (left of it), written with
    /// the map label types set by labels() for X (meridians) and Y (parallels): "MAP"
    /// when another type is set, none for "NONE". Goes to level 2.
    /// @param xa,xe longitudes of the window in degrees, xa < xe, at most 360 apart.
    /// @param x_first,x_step first labelled meridian and the step between meridians.
    /// @param ya,ye latitudes of the window in degrees, -90 <= ya < ye <= 90.
    /// @param y_first,y_step first labelled parallel and the step between parallels.
    /// @levels 1. @warnings 374 for a window the projection cannot show, 372 for
    ///        unusable standard parallels, and those of graf().
    void grafmp(double xa, double xe, double x_first, double x_step, double ya, double ye,
                double y_first, double y_step);
    /// Draws the graticule of the current map: meridians and parallels.
    /// @param i,j lines per label step of grafmp() for meridians and parallels, 0 to
    ///        1000 (0 draws none).
    /// @levels 2 and 3. @warnings 2 for a count out of range, 371 outside a map.
    void gridmp(int i, int j);
    /// Draws a curve given in longitude and latitude on the current map: consecutive
    /// points are joined the shorter way round the globe, the curve is cut where it
    /// leaves the map and where it crosses the antimeridian, and long steps follow the
    /// projection.
    /// @param lon,lat the points in degrees.
    /// @param n number of points, at least 1.
    /// @levels 2 and 3. @warnings 2 for null arrays or n below 1, 371 outside a map.
    void curvmp(const double* lon, const double* lat, int n);
    /// Converts a longitude and latitude to the plot position on the current map.
    /// @param lon,lat degrees (latitudes beyond 90 are taken as 90).
    /// @param xp,yp receive the plot position (a point beyond the visible part of an
    ///        azimuthal map gives the nearest point of its edge).
    /// @levels 2 and 3. @warnings 2 for null pointers or values that are not finite,
    ///        371 outside a map.
    void pos2pt(double lon, double lat, double* xp, double* yp);
    /// Converts a plot position on the current map to longitude and latitude.
    /// @param xp,yp plot position.
    /// @param lon,lat receive degrees (longitude -180 to 180); unchanged for a point
    ///        outside the map.
    /// @levels 2 and 3. @warnings 2 for null pointers or values that are not finite,
    ///        371 outside a map, 373 for a point outside the map.
    void pt2pos(double xp, double yp, double* lon, double* lat);
    /// Draws the coastlines (and the shores of lakes, see mapbas()) on the current map.
    /// The data are GSHHG shorelines at the resolution of mapres().
    /// @levels 2 and 3. @warnings 371 outside a map, 375 for an unreadable table.
    void world();
    /// Fills areas of the coastline data on the current map with the current colour
    /// and pattern (shdpat()).
    /// @param what "CONT" continents and islands, "LAKE" lakes.
    /// @levels 2 and 3. @warnings 2 for an unknown keyword, 371 outside a map.
    void shdmap(const char* what);
    /// Chooses what world() draws.
    /// @param what "COAST" shorelines of the sea, "LAKES" shores of lakes, "ALL" both.
    /// @levels 1 to 3. @default "ALL". @warnings 2 for an unknown keyword.
    void mapbas(const char* what);
    /// Chooses the resolution of the coastline data.
    /// @param resolution "CRUDE", "LOW", or "AUTO" (low for windows smaller than 90 by
    ///        60 degrees, crude otherwise).
    /// @levels 1 to 3. @default "AUTO". @warnings 2 for an unknown keyword.
    void mapres(const char* resolution);
    /// Draws political borders on the current map in the current colour and line
    /// style, at the resolution of mapres(), cut like the coastlines. The data are the
    /// borders that come with GSHHG.
    /// @param what "NATIONAL" borders between countries, "INTERNAL" borders between the
    ///        states or provinces of a country, "MARITIME" borders at sea, "ALL" all
    ///        three.
    /// @levels 2 and 3. @warnings 2 for an unknown keyword, 371 outside a map, 376 for
    ///        an unreadable table.
    void borders(const char* what);
    /// Draws a scale bar on the current map: a bar of the given length on the sphere,
    /// true along the meridian through the middle of the map, in four parts filled
    /// with the current colour and left empty in turn, half the text height high,
    /// labelled below with 0, half the length and the length in kilometres.
    /// @param length length in kilometres (the unit of mapsph()), above 0.
    /// @param nx,ny plot position of the bar's lower left corner.
    /// @levels 2 and 3. @warnings 2 for a length that is not above 0, 371 outside a
    ///        map, 377 when the bar would be shorter than a plot unit or longer than
    ///        100000 (nothing is drawn).
    void sclmap(double length, int nx, int ny);

    // --- Triangulated fields --------------------------------------------------------------
    /// Colours a triangulated surface over the colour axis system of graf3: each
    /// triangle is cut along the boundaries of the colour bands of the colour axis into
    /// polygons filled with the colour of their band, so that the colours follow the
    /// values interpolated linearly from the corners (in exponents on a logarithmic z
    /// axis). Triangles sharing an edge are cut at the same points on it. Triangles with
    /// a NaN value or coordinate (or a value of 0 or less on a logarithmic z axis) are
    /// left out. Level 3 in a graf3 system.
    /// @param x,y,z coordinates (user units) and values of n points
    /// @param n number of points, at least 3
    /// @param i1,i2,i3 corner indices of ntri triangles, 0 to n - 1 (triang makes them)
    /// @param ntri number of triangles, at least 1
    /// @levels 3. @warnings 2 for bad counts or null arrays; 343 for a corner index out
    ///        of range (nothing drawn); 35 in a three-dimensional system.
    void crvtri(const double* x, const double* y, const double* z, int n, const int* i1,
                const int* i2, const int* i3, int ntri);
    /// Builds the Delaunay triangulation of scattered points by incremental insertion
    /// (see docs/fields.md): no point lies inside the circle through the corners of a
    /// triangle, and together the triangles cover the convex hull of the points.
    /// Repeated points are used once; points all on one line give no triangle.
    /// @param x,y coordinates of n points, finite
    /// @param n number of points, at least 3
    /// @param i1,i2,i3 receive the corner indices (0 to n - 1, counter-clockwise in x
    ///        and y) of each triangle; at most 2 n - 5 triangles
    /// @param nmax room of i1, i2 and i3, at least 1
    /// @return the number of triangles; 0 when refused or when there is none.
    /// @levels 0 to 3. @warnings 2 for bad counts, null arrays or coordinates that are
    ///        not finite; 344 when the triangles do not fit into nmax (nothing written).
    int triang(const double* x, const double* y, int n, int* i1, int* i2, int* i3, int nmax);

    // Internal access for the library's own subsystems and its tests.
    /// @cond INTERNAL
    friend struct gvx::InternalAccess;  // gvx::state_of in gravox/core/internal.h
                                        /// @endcond

  private:
    gvx::PlotState& state() { return *state_; }  // for the library's own routines
    bool refused(const char* name, int lowest, int highest);
    void reset_attributes();
    void write_protocol(int type);

    std::unique_ptr<gvx::PlotState> state_;
};
