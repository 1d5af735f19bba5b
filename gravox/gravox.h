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

    // Internal access for the library's own subsystems and its tests.
    gvx::PlotState& state() { return *state_; }

  private:
    bool refused(const char* name, int lowest, int highest);
    void reset_attributes();
    void write_protocol(int type);

    std::unique_ptr<gvx::PlotState> state_;
};
