// Text and vector fonts: the built-in stroke fonts, the text settings, and the
// operations that draw and measure strings and numbers.
//
// A glyph is a set of polylines on a small integer grid. Drawing a string looks
// every character up in the current alphabet of the loaded font, scales its strokes
// to the character height, shears and rotates them, and hands them to the drawing
// primitives as move_to / draw_to calls. Measuring runs the same loop without drawing.
//
// Formula mode (texmod "ON"): a string is read as a small formula language instead of
// plain text. The control character (a backslash by default, see setmix "TEX")
// starts a command name of letters, or one of the single-character commands
// "\,", "\:", "\;", "\!" (spacing of 3, 4, 5 and -3 eighteenths of the height) and
// "\{", "\}", "\^", "\_", "\%", "\$" and the control character itself (the character).
// Syntax:
//   x^a    x^{...}    exponent: the argument is raised and drawn smaller (setexp,
//   x_a    x_{...}    index: lowered and smaller                        setbas)
//   x_a^b             index and exponent start at the same place
//   {...}             a group; it counts as one argument
//   \frac{num}{den}   a fraction with a bar, both parts smaller and centred
//   \sqrt{...}        a root sign with a bar over its argument
//   \overline{...} \underline{...} \vec{...}   a line over or under, an arrow over
//   \alpha ... \omega, \Gamma \Delta \Theta \Lambda \Xi \Pi \Sigma \Upsilon \Phi
//   \Psi \Omega                                 Greek letters
//   \pm \mp \times \div \cdot \ast \star \leq \le \geq \ge \neq \not= \equiv \sim
//   \infty \partial \nabla \int \oint \prod \sum \surd \subset \subseteq \supset
//   \supseteq \cup \cap \in \notin \exists \forall \emptyset \oplus \otimes \wedge
//   \vee \parallel \perp \mid \backslash \setminus \to \rightarrow \leftarrow
//   \uparrow \downarrow                         symbols
//   \sin \cos \tan \log \ln \exp \lim and the other function names: upright text
//   \quad \qquad                 spaces of one and two character heights
//   \rm \gr \it \cal \ru        standard, Greek, italic, script or Cyrillic alphabet
//                                for the rest of the group
//   \tiny ... \normalsize ... \Huge   height for the rest of the string
//   \black \red \green \blue \cyan \yellow \orange \magenta \white \fore \back
//                                colour for the rest of the string (restored at its end)
//   \displaystyle \textstyle \scriptstyle \scriptscriptstyle \limits \nolimits
//                                accepted; the layout has one style
// An error (an unknown command, unbalanced braces, a fraction without denominator,
// a script without argument, too deep nesting) is reported as warning 178 with its
// message, and nothing is drawn for the string.
//
// Instruction alphabet (smxalf "INST"): the characters between its shift-in and
// shift-out character are collected (at most 20) and executed at the shift-out as
// instructions, each a letter followed by a number:
//   Hf  character height f times the height at the start of the string
//   Cn  colour table index n (an integer)
//   Xf  move the text position f character heights forward (negative: back)
//   Yf  raise the baseline by f character heights (negative: lower)
//   R   reset height, colour and baseline to those at the start of the string
// A bad number gives warning 43 or 45, an unknown letter warning 46.
#pragma once

#include <cstdint>

#include "gravox/core/number_text.h"

namespace gvx {

struct PlotState;

inline constexpr int kAlphabetCount = 6;      // alphabets of one font
inline constexpr int kMixedSlots = 6;         // mixed alphabets of smxalf
inline constexpr int kMaxTextCodes = 256;     // codes of one converted string
inline constexpr int kInstructionChars = 20;  // characters of one instruction block
inline constexpr int kInstructionAlphabet = 7;
// The library's degree-to-radian factor, 3.1415927 / 180.
inline constexpr double kDegreeToRadian = 0.01745329277777778;
// Italic shear of slanted fall-back glyphs: x grows by y / 3.732 (about 15 degrees).
inline constexpr double kItalicShear = 3.732;

enum class FontKind { vector = 0, hardware = 1, truetype = 2, x11 = 3, bitmap = 4 };

// Character codings of chacod, in the order of its keyword list.
enum class Coding { standard = 0, iso1, iso2, iso3, iso5, koi8, utf8, iso7 };

// One alphabet of a loaded font.
struct FontAlphabet {
    const std::int16_t* x_table = nullptr;  // glyph points
    const std::int16_t* y_table = nullptr;  // the x table itself when packed
    int coordinate_count = 0;               // words of the coordinate table(s)
    std::int16_t packed = 1;                // 1: x low byte, y high byte of one word; 0: two tables
    const std::int16_t* directory = nullptr;  // glyph records of slots 2, 3, ...
    int directory_length = 0;                 // words of the directory
    int slot_count = 0;                       // highest slot answered for (code - 31)
    int directory_offset = 0;                 // directory words of the alphabets registered before
    int coordinate_offset = 0;                // coordinate words of the alphabets registered before
    int x_divisor = 20;                       // grid units that match the character height
    int y_divisor = 21;
    double gap_factor = 0.25;    // gap after each character, fraction of the height
    bool direct_layout = false;  // slots map to records without translation
};

// A loaded font: up to six alphabets, 1 standard, 2 Greek, 3 mathematical,
// 4 italic, 5 script, 6 Cyrillic.
struct FontRecord {
    int number = 0;  // 1 default font, 3 complex font
    FontKind kind = FontKind::vector;
    int alphabet_count = 0;
    int directory_total = 0;  // running totals of registration
    int coordinate_total = 0;
    FontAlphabet alphabets[kAlphabetCount];
    int blank_width = 6;       // advance of a blank in grid units
    double fixed_pitch = 1.4;  // cell factor of fixed spacing
};

// A mixed alphabet of smxalf: its alphabet and the two shift characters.
struct MixedAlphabet {
    int alphabet = 0;  // 0: slot not defined; 1 to 6, or 7 for the instruction alphabet
    unsigned char shift_in = 0;
    unsigned char shift_out = 0;
};

// Control characters of mixalf, in the order of setmix's keyword list.
enum MixCharacter {
    mix_exponent = 0,
    mix_index = 1,
    mix_reset = 2,
    mix_legend = 3,
    mix_formula = 4
};

// The settings that a string takes a working copy of when it starts.
struct StringSettings {
    int height = 36;
    int colour = 0;
    double slant = 0.0;
    double spacing = 0.0;
    double width_factor = 1.0;
    bool fixed = false;
    double fixed_factor = 1.0;
    int base_alphabet = 1;
    double raise = 0.0;  // raise of the baseline (formula mode)
};

// The text position and the working state of the string being drawn or measured.
// The text position survives between strings (for the continuation at (999, 999)).
struct TextCursor {
    double x = 0.0, y = 0.0;              // text position on the baseline, page coordinates
    double start_x = 0.0, start_y = 0.0;  // where the string started
    double along = 0.0;                   // advance along the baseline since the start
    StringSettings str;                   // working copies of the settings
    int alphabet = 1;                     // current alphabet
    int loaded = 0;                       // alphabet whose scales are loaded, 0 none
    double x_scale = 0.0, y_scale = 0.0, gap = 0.0;
    double last_gap = 0.0, last_width = 0.0;
    bool measuring = false;
    bool previous_script = false;  // the last character was a native script glyph
    int start_height = 36;
    int start_colour = 0;
    double extent = 0.0;                     // largest advance to a glyph end
    double ink_top = 0.0, ink_bottom = 0.0;  // vertical ink extent about the baseline
    bool failed = false;                     // the formula renderer met an error
};

struct TextState {
    // Settings (reset by every gvxini).
    int height = 36;  // capital height in plot units
    int angle = 0;    // degrees, counter-clockwise
    double angle_sin = 0.0;
    double angle_cos = 1.0;
    double slant = 0.0;  // tan of the character slant
    double spacing = 0.0;
    double width_factor = 1.0;
    bool fixed = false;
    double fixed_factor = 1.0;
    int justify_h = 0;  // 0 left, 1 centre, 2 right
    int justify_v = 0;  // 0 top, 1 middle, 2 bottom
    int base_alphabet = 1;
    Coding coding = Coding::standard;
    bool mix_on = false;
    unsigned char mix_chars[5] = {'[', ']', '$', '/', '\\'};
    double exponent_size = 0.8;   // size factor of raised and lowered text
    double exponent_shift = 0.6;  // shift of raised and lowered text / height
    MixedAlphabet mixed[kMixedSlots];
    bool mixing = false;             // at least one mixed alphabet is defined
    int background = -1;             // colour of the box behind strings, -1 none
    unsigned char eu_shift[8] = {};  // shift character of each eushft language, 0 none
    NumberMode numbers;              // numfmt and numode: the number form of `number`
    bool formula_mode = false;
    FontRecord font;

    // Text position and the working state of the string being drawn or measured.
    TextCursor cur;
};

// Resets the text settings of gvxini and loads the default font.
void reset_text(PlotState& s);

// --- Fonts --------------------------------------------------------------------
// Loads built-in font 1 (default) or 3 (complex) with its six alphabets.
void load_font(PlotState& s, int number);
// Registers one alphabet: coordinate count a (0: the tables of alphabet 1,
// negative: separate x and y tables), directory length b (0: the directory of
// alphabet 1) and the slot count.
void register_alphabet(FontRecord& font, const std::int16_t* x, const std::int16_t* y, int a,
                       const std::int16_t* directory, int b, int slots);

// --- Codings --------------------------------------------------------------------
// Converts a string to codes under the current coding, applies the language shifts
// and drops trailing blanks. Returns the number of codes, or -1 after warning 174.
int convert_text(PlotState& s, const char* text, int* codes);
// Translates one code by the character coding: returns the code to draw and sets
// alphabet to the alphabet that draws it (unchanged when the coding keeps it).
int translate_code(Coding coding, int code, int& alphabet);
// The code of an accented letter of eushft language (1 to 8) and letter index
// within the language, under the given coding; 0 when the coding has none.
int eushft_code(Coding coding, int language, int letter);

// --- Drawing and measuring --------------------------------------------------------
// Draws a string with its upper-left point at (x, y); (999, 999) continues where
// the previous string ended.
void draw_text(PlotState& s, const char* text, double x, double y);
// The same with the given height and angle for this string only; (999, 999) is
// taken as the point (1000, 999).
void draw_text_sized(PlotState& s, const char* text, double x, double y, int height, int angle);
// Formats a number with the given digit count under the number mode of numfmt and
// numode (the exponent forms with the exponent and reset characters of the text layer).
void format_number(const PlotState& s, double value, int digits, char* out, int size);
// Formats a number as format_number does and draws it as draw_text does.
void draw_number(PlotState& s, double value, int digits, double x, double y);

// Extent of a string as drawn: the box reaches from the top line (or higher ink,
// such as accents over capitals) down to the lowest ink (or the baseline).
struct TextBox {
    double height;  // from the top of the box to its bottom
    double offset;  // depth of the bottom below the baseline (0 or more)
    double length;  // as text_length
};
TextBox text_box(PlotState& s, const char* text);
// Length of a string in plot units as it would be drawn now.
double text_length(PlotState& s, const char* text);

// Rounding of this subsystem: half away from zero.
int round_text(double value);

// --- Internals shared by the drawing files ------------------------------------------
// draw_text and text_length for a string already converted to codes.
void draw_codes(PlotState& s, const char* text, const int* codes, int n, double x, double y);
double codes_length(PlotState& s, const int* codes, int n);
// Draws (or measures) one code of a string with the current working state.
void draw_code(PlotState& s, int code);
// Loads the scales of an alphabet unless it is the loaded one.
void load_scales(PlotState& s, int alphabet);
// The formula renderer: draws or measures converted codes.
void draw_formula(PlotState& s, const int* codes, int n);

}  // namespace gvx
