// Every numbered warning of the library: its name, number and text, in one table.
//
// Numbers 1 to 58 are the fixed warnings. Numbers above 100 belong to the subsystems
// (their ranges are in DEVELOPERS.md); one number may carry several texts, each a row of
// its own. Code names a warning by its row, `warning::name`, and emits it with
// warn(s, warning::name) (frame.h); routines that report a failure to their caller return
// the row (warning::none for success) and the caller emits it. A new warning is one more
// row here: X(name, number, "text").
#pragma once

#include <cstdint>

namespace gvx {

// X(name, number, text)
#define GVX_WARNINGS(X)                                                                            \
    X(negative_parameter, 1, "Negative parameter")                                                 \
    X(incorrect_parameter, 2, "Incorrect parameter")                                               \
    X(incorrect_level, 3, "Incorrect level")                                                       \
    X(x_out_of_page, 4, "X coordinate out of page")                                                \
    X(y_out_of_page, 5, "Y coordinate out of page")                                                \
    X(same_tick_number, 6, "Same tick number as in a call before")                                 \
    X(radii, 7, "First radius greater than second radius")                                         \
    X(angles, 8, "Start angle greater/equal end angle")                                            \
    X(zero_step, 9, "Step equal zero")                                                             \
    X(equal_scaling_ends, 10, "Begin and end of scaling are equal")                                \
    X(short_axis, 11, "Axis length < 2")                                                           \
    X(start_label_outside, 12, "Startlabel out of scaling")                                        \
    X(linear_only, 13, "Linear scaling must be used")                                              \
    X(linear_interpolation_only, 14, "Linear interpolation must be used")                          \
    X(no_legini, 15, "No call to legini before")                                                   \
    X(line_too_long, 16, "Too long string for legend line")                                        \
    X(buffer_too_small, 17, "Not enough store for the legend buffer")                              \
    X(incorrect_eushft_character, 18, "Incorrect character after the eushft operator")             \
    X(base_alphabet, 19, "The basealphabet cannot be used")                                        \
    X(no_metafile, 20, "No metafile")                                                              \
    X(after_gvxfin_only, 21, "The routine must be called after gvxfin")                            \
    X(metafile_deleted, 22, "The metafile is deleted before")                                      \
    X(non_positive_minimum, 23, "Non positive minimum for log scaling (set to 0.1)")               \
    X(non_positive_maximum, 24, "Non positive maximum for log scaling (set to 1.0)")               \
    X(equal_extremes, 25, "Minimum equal maximum (added -1 and +1)")                               \
    X(too_many_intersections, 26, "Too many intersections")                                        \
    X(log_scaling, 27, "Non positive values for log scaling")                                      \
    X(bars_unequal_ticks, 28, "Number of bars unequal number of main ticks")                       \
    X(sum_zero, 29, "Sum of data is zero")                                                         \
    X(incorrect_point_count, 30, "Incorrect number of points")                                     \
    X(spline_points, 31, "Incorrect number of points for spline interpolation")                    \
    X(spline_not_increasing, 32, "No increasing x coordinates for spline interpolation")           \
    X(incorrect_viewpoint, 33, "Incorrect viewpoint")                                              \
    X(no_grfini, 34, "No call to grfini before")                                                   \
    X(confused_3d, 35, "Confusion of graf3d and graf3")                                            \
    X(file_error, 36, "File error")                                                                \
    X(incorrect_file_name, 37, "Incorrect filename")                                               \
    X(singular_matrix, 38, "Singular matrix")                                                      \
    X(cgm_too_long, 39, "Too many pages for CGM file (max. length 327 cm)")                        \
    X(incompatible_format, 40, "File format and output device are incompatible")                   \
    X(incorrect_hpgl_device, 41, "Incorrect device for HPGL file")                                 \
    X(more_lines_than_curves, 42, "More legend lines than calls to curve")                         \
    X(instruction_parameter, 43, "Instruction code: incorrect parameter")                          \
    X(instruction_tabulator, 44, "Instruction code: incorrect tabulator index")                    \
    X(instruction_integer, 45, "Instruction code: no integer value")                               \
    X(instruction_unknown, 46, "Instruction code: unknown command")                                \
    X(blanking_overflow, 47, "Blanking buffer overflow")                                           \
    X(no_psfont, 48, "No call to psfont")                                                          \
    X(not_postscript, 49, "Fileformat is not PostScript")                                          \
    X(step_sign, 50, "Incorrect sign for step")                                                    \
    X(non_positive_parameter, 51, "Non positive parameter")                                        \
    X(hiddenline_overflow, 52, "Hiddenline overflow")                                              \
    X(not_enough_memory, 53, "Not enough memory")                                                  \
    X(no_imgfin, 54, "No call to imgfin")                                                          \
    X(no_imgini, 55, "No call to imgini")                                                          \
    X(incorrect_file_format, 56, "Incorrect file format")                                          \
    X(control_characters, 57, "Control characters must be different")                              \
    X(array_out_of_screen, 58, "Array is out of screen")                                           \
    X(not_for_polar, 109, "Routine does not work for polar axis systems")                          \
    X(zlib_error, 126, "ZLIB error")                                                               \
    X(pdf_compression_failed, 126, "Compression of a PDF content stream failed")                   \
    X(device_not_supported, 140, "Output device is not supported")                                 \
    X(undefined_legend_line, 149, "Undefined legend line")                                         \
    X(undefined_legsel_line, 149, "Undefined legend line by legsel")                               \
    X(crossed_needs_linear, 150, "Crossed axis systems must have linear scaling")                  \
    X(no_crossing_origin, 151, "No origin found for crossed axis system")                          \
    X(polar_interpolation, 160, "Bad interpolation method for polar scaling")                      \
    X(nan_spline, 160, "NaN Values are not handled for spline interpolation")                      \
    X(file_cannot_be_deleted, 168, "Plotfile cannot be deleted")                                   \
    X(file_exists, 169, "Plotfile does exist")                                                     \
    X(too_many_versions, 170, "Too many file versions")                                            \
    X(utf_syntax, 174, "Syntax error in UTF string")                                               \
    X(array_too_small, 174, "Not enough space in array")                                           \
    X(hpgl_overflow, 176, "Internal overflow in qqsbuf")                                           \
    X(formula_syntax, 178, "Syntax error")                                                         \
    X(formula_no_denominator, 178, "Missing denominator for fractions")                            \
    X(formula_no_root, 178, "Syntax error - missing root")                                         \
    X(formula_scripts, 178, "Syntax error for Indices/Exponents")                                  \
    X(formula_fraction, 178, "Syntax error for fractions")                                         \
    X(formula_fractions, 178, "Too many fractions")                                                \
    X(formula_nested_scripts, 178, "Too many nested exponents/indices")                            \
    X(formula_nested_parentheses, 178, "Too many nested parenthesis")                              \
    X(formula_nested_roots, 178, "Too many nested roots")                                          \
    X(formula_unbalanced, 178, "Unbalanced parenthesis")                                           \
    X(formula_unknown_command, 178, "Unknown TeX command")                                         \
    X(formula_overstrike, 178, "Syntax error for overstrike")                                      \
    X(formula_understrike, 178, "Syntax error for understrike")                                    \
    X(formula_vec, 178, "Syntax error for vec")                                                    \
    X(opengl_not_supported, 181, "OPENGL is not supported")                                        \
    X(legtyp_after_legini, 182, "legtyp must be called before legini")                             \
    X(file_name_too_long, 301, "File name too long")                                               \
    X(same_as_error_file, 302, "Plot file and error file are the same file")                       \
    X(error_file_unwritable, 303, "Error file cannot be written, warnings go to standard output")  \
    X(error_file_is_plot_file, 303, "Error file is the plot file, warnings go to standard output") \
    X(error_file_unopenable, 303, "Error file cannot be opened, warnings go to standard output")   \
    X(no_new_page, 311, "newpag is not available on this device")                                  \
    X(pdf_buffer_small, 312, "Buffer too small for the PDF document")                              \
    X(no_grid, 341, "Grid values must be strictly monotonic")                                      \
    X(bad_levels, 342, "Levels must be finite and increasing")                                     \
    X(bad_triangle_index, 343, "Triangle corner index out of range")                               \
    X(triangle_space, 344, "Too many triangles for the arrays")                                    \
    X(no_display_unset, 351, "No display for the window: DISPLAY is not set")                      \
    X(no_display_refused, 351, "The display of DISPLAY cannot be opened")                          \
    X(display_not_true_colour, 352, "The display shows no true colour")                            \
    X(window_too_large, 353, "The window is too large for the display")                            \
    X(window_refused, 353, "The window cannot be made on the display")                             \
    X(no_3d_system, 361, "No three-dimensional axis system")                                       \
    X(bad_3d_grid, 362, "Grid values are not strictly monotonic")                                  \
    X(no_map_system, 371, "Map routines need the map axis system of grafmp")                       \
    X(bad_map_parallels, 372, "Standard parallels not usable for a conic projection")              \
    X(not_on_map, 373, "The point lies outside the map")                                           \
    X(empty_map_window, 374, "Map window out of range or empty")                                   \
    X(map_shows_nothing, 374, "The projection shows nothing of the map window")                    \
    X(no_coast_table, 375, "The coastline table cannot be read")                                   \
    X(no_border_table, 376, "The border table cannot be read")                                     \
    X(no_map_scale, 377, "The map scale cannot be drawn at that length")

// Rows of the table; 0 is no warning.
enum class WarningRow : std::uint16_t {
    none = 0,
#define GVX_WARNING_ROW(name, number, text) name,
    GVX_WARNINGS(GVX_WARNING_ROW)
#undef GVX_WARNING_ROW
        count
};

// One warning of the table. It converts to nothing else, so a warning is never
// mistaken for a count or a number; warning_number() gives its number.
struct Warning {
    WarningRow row = WarningRow::none;
    explicit constexpr operator bool() const { return row != WarningRow::none; }
    friend constexpr bool operator==(Warning, Warning) = default;
};

namespace warning {
inline constexpr Warning none{};
#define GVX_WARNING_NAME(name, number, text) inline constexpr Warning name{WarningRow::name};
GVX_WARNINGS(GVX_WARNING_NAME)
#undef GVX_WARNING_NAME
}  // namespace warning

inline constexpr int kWarningTableSize = 58;  // fixed warnings 1 to 58
inline constexpr int kWarningRows = static_cast<int>(WarningRow::count) - 1;

// Number and text of a warning (0 and "" for warning::none).
int warning_number(Warning w);
const char* warning_text(Warning w);
// The row of the k-th table entry, k from 1 to kWarningRows.
Warning warning_at(int k);
// The first row of a number: the fixed warning 1 to 58, or the first text of a number
// above 100; warning::none for a number without a row.
Warning warning_of_number(int number);

}  // namespace gvx
