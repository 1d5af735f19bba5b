// The output catalogue: every fact about an output in one row.
//
// An output is chosen with a metafl keyword and is known afterwards by its device
// code. Everything the library decides from a device code (the file extension, how
// the plot file is opened, the colours of the page, the screen-mode reversal, who
// fits the scale, the default palette, the colour depth and which class writes it)
// is a column of the row that serves the code. Code outside this catalogue asks the
// row instead of testing code numbers.
//
// Adding an output is one row in output_catalogue.cpp and one device class (see
// DEVELOPERS.md, "Adding an output").
#pragma once

#include <memory>

#include "gravox/core/warning_texts.h"

namespace gvx {

struct PlotState;
class Device;

// Makes the device of one output; the code is that of the plot (within the row's range).
using DeviceMaker = std::unique_ptr<Device> (*)(PlotState& s, int code);

// How core opens the plot file before the device's open step.
enum class FileOpen {
    none,       // no file (the picture stays in memory, or there is nothing to write)
    text,       // a text file ("w")
    binary,     // a binary file ("wb")
    by_writer,  // the writer opens its file itself; core opens none
};

// The page the output draws on, for the colour rules of the palettes.
enum class PageKind {
    screen,      // a dark background: WHITE is the ink
    paper,       // printed on white paper: light names and white ink turn black
    light_page,  // a light background that is not paper (ramp palettes draw dark on light)
};

// Who sets the device scale (device units per page unit) when a plot is opened.
enum class ScaleFit {
    core,    // core fits the page into the device's pixels (screens, raster images)
    device,  // the device's open step sets it (or the output has no scale)
};

// The palette that gvxini loads, and whether the output can show more.
enum class DefaultPalette {
    rainbow,        // "RAIN"
    reversed_grey,  // "RGRE"
    small_only,     // the small palette, whatever is asked for
};

// How the screen mode acts on the output's colours.
struct Reversal {
    bool reversible = false;  // the mode REVERSE turns its colours (black on white)
    bool by_auto = false;     // the mode AUTO means REVERSE for it
};

struct OutputRow {
    // metafl keywords, four characters each, "+"-joined; the k-th (from 0) names the
    // code first + k. Empty for code ranges that no keyword reaches.
    const char* keywords = "";
    int first = 0, last = 0;     // the device codes served
    const char* extension = "";  // default file extension without the dot ("" none)
    FileOpen file = FileOpen::text;
    PageKind page = PageKind::screen;
    Reversal reversal{};
    bool white_ink_black = false;  // ramp palettes draw the name WHITE in black
    ScaleFit scale = ScaleFit::device;
    DefaultPalette palette = DefaultPalette::rainbow;
    int colour_depth = 8;        // bits per pixel of the written picture
    DeviceMaker make = nullptr;  // null: this build does not write the output
    const char* name = "";       // what the output is, for messages and readers
    // The writer can keep the document in memory instead of a file (FileState::in_memory).
    bool in_memory = false;
};

// The row serving a device code. Codes that no output owns fall into the row of
// their family of codes (screens, metafiles, plotters, ...), so every code has one.
const OutputRow& output_row(int code);

// The device code that a metafl keyword (already reduced to four upper-case characters
// padded with blanks) chooses, after aliases and substitutions; 0 when it is unknown.
// substitute is set to the warning that choosing it gives (warning::none when none).
int output_code_of_keyword(const char* reduced, Warning* substitute = nullptr);

// File extension of a device code ("png"), three blanks for codes without one.
const char* output_extension(int code);

// The device of a code, or null when this build does not write that output.
std::unique_ptr<Device> make_output_device(PlotState& s, int code);

// The screen mode in effect for an output: AUTO turns into REVERSE or ERASE.
int effective_screen_mode(int mode, int code);

}  // namespace gvx
