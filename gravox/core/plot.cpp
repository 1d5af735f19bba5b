// Opening and closing a plot, and the closing protocol.
#include <algorithm>
#include <cmath>
#include <string>

#include "gravox/axes/axis_system.h"
#include "gravox/charts/charts.h"
#include "gravox/core/clock_text.h"
#include "gravox/core/output_catalogue.h"
#include "gravox/core/state.h"
#include "gravox/core/version.h"
#include "gravox/core/warning_texts.h"
#include "gravox/curves/colour.h"
#include "gravox/curves/curve.h"
#include "gravox/devices/device.h"
#include "gravox/devices/primitives.h"
#include "gravox/fields/fields.h"
#include "gravox/gravox.h"
#include "gravox/maps/maps.h"
#include "gravox/screen/screen.h"
#include "gravox/text/text.h"
#include "gravox/three_d/three_d.h"

using namespace gvx;

void Gravox::gvxini() {
    if (refused("gvxini", 0, 0)) return;
    PlotState& s = *state_;
    FrameState& f = s.frame;
    PageState& p = s.page;

    f.level = 1;
    f.vector_count = 0;
    f.warning_count = 0;
    f.nan_count = 0;
    f.plot_finished = false;
    f.error_file_failed = false;
    s.files.screen_mode_effective = effective_screen_mode(s.files.screen_mode, f.device);
    if (f.device == 0) {
        f.device = 201;
        copy_text(f.format_keyword, "GKSL", 4);
    }

    p.width = round_coordinate(f.page_extent_w / f.unit_scale);
    p.height = round_coordinate(f.page_extent_h / f.unit_scale);
    p.axis_len_x = round_coordinate((p.width + 1) * 2.0 / 3.0);
    p.axis_len_y = round_coordinate((p.height + 1) * 2.0 / 3.0);
    p.axis_pos_x = (p.width - p.axis_len_x) / 2;
    p.axis_pos_y = p.height - round_coordinate(300.0 / f.unit_scale);

    if (p.window_mode == 0) {
        p.device_w = p.width > p.height ? 853 : 603;
        p.device_h = p.width > p.height ? 603 : 853;
    } else {
        p.device_w = p.window_w;
        p.device_h = p.window_h;
    }
    p.colour_depth = 8;

    // The device first: an output this build cannot write is refused before any
    // file is created, so no empty or half-written file is ever left behind.
    s.device = s.device_factory(s, f.device);
    if (!s.device) {
        warn(s, warning::device_not_supported);
        f.level = 0;
        return;
    }
    if (build_file_name(s)) {
        s.device.reset();
        return;
    }
    if (const Warning failure = s.device->open(s.files.plot_file.get())) {
        warn(s, failure);
        s.device.reset();
        s.files.plot_file.reset();
        f.level = 0;
        return;
    }
    if (output_row(f.device).scale == ScaleFit::core) p.device_scale = fitted_scale(s);

    if (!f.window_app && f.error_device == ErrorDevice::console && !plot_goes_to_stdout(s))
        f.secondary_error = stdout;

    reset_attributes();
}

void Gravox::reset_attributes() {
    PlotState& s = *state_;
    FrameState& f = s.frame;
    f.error_output = f.secondary_error;
    f.error_unit = f.secondary_error == stdout ? error_unit::console : error_unit::file;
    f.protocol = ProtocolMode::on;
    f.warnings_on = true;
    f.check_on = true;
    reset_primitives(s);
    reset_axes(s);
    reset_colours(s);
    reset_text(s);
    reset_curves(s);
    reset_fields(s);
    reset_three_d(s);
    reset_charts(s);
    reset_maps(s);
}

// The end of an axis system, in the order of the layers: the axes first, then the
// curves (clipping closes, the legend and curve counts start again) and the fields.
void Gravox::endgrf() {
    if (refused("endgrf", 1, 3)) return;
    PlotState& s = *state_;
    end_axis_system(s);
    end_axis_system_curves(s);
    end_field_axis(s);
    // Buffered output goes to the device.
    flush_polyline(s);
}

void Gravox::gvxfin() {
    if (refused("gvxfin", 1, 3)) return;
    PlotState& s = *state_;
    FrameState& f = s.frame;

    int type = 1;  // 1: a file was written
    flush_polyline(s);
    Warning failure = warning::none;
    if (s.device) {
        if ((failure = s.device->close())) warn(s, failure);
    }
    // The file takes its name only when it is complete; after a failure (reported once)
    // the temporary file goes and a file it was to replace stays as it was.
    if (s.files.plot_file) {
        if (failure) {
            s.files.plot_file->discard();
        } else if (!s.files.plot_file->close()) {
            failure = warning::file_error;
            warn(s, failure);
        } else if (const char* moved = s.files.plot_file->moved_to()) {
            copy_text(s.files.plot_file_name, moved, 256);
        }
    }
    if (!s.files.plot_file || failure) type = 0;  // no file was written
    s.files.plot_file.reset();
    s.device.reset();
    f.level = 0;
    f.plot_finished = true;
    write_protocol(type);
    end_screen_plot(s);  // a screen plot waits for the user after its protocol
}

namespace {

// "Metafile: name" or "Err-file: name", the name cut to 48 characters.
std::string labelled_name(const char* label, const char* name) {
    return std::string(label) + std::string(name).substr(0, 48);
}

void write_box(std::FILE* out, const PlotState& s, int type) {
    const FrameState& f = s.frame;
    const DateText when = date_text(f.clock());
    const char* border = "\n <<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<";
    std::fprintf(out, "%s", border);
    std::fprintf(out, "\n <<                END OF GRAVOX / VERSION %4.1f.%d                <<",
                 kVersionNumber, kVersionPatch);
    std::fprintf(out, "\n <<  Date    : %10s  Time    : %8s  Pageformat: %4s  <<", when.date,
                 when.time, f.page_keyword);
    std::fprintf(out, "\n <<  Vectors : %-10s  Warnings: %-8s  Fileformat: %4s  <<",
                 std::to_string(f.vector_count).c_str(), std::to_string(f.warning_count).c_str(),
                 f.format_keyword);
    if (f.nan_count != 0)
        std::fprintf(out, "\n <<  NaN     : %-48s  <<", std::to_string(f.nan_count).c_str());
    if (type != 10) {
        std::string line =
            labelled_name("Metafile: ", type == 0 || type == 10 ? "" : s.files.plot_file_name);
        std::fprintf(out, "\n <<  %-58s  <<", line.c_str());
    }
    if (type >= 10) {
        std::string line = labelled_name("Err-file: ", f.open_error_name);
        std::fprintf(out, "\n <<  %-58s  <<", line.c_str());
    }
    std::fprintf(out, "%s\n", border);
    std::fprintf(out, "\n");
    std::fflush(out);
}

// Without a window system the text of the message box goes to the error output.
void write_message_box(std::FILE* out, const PlotState& s, int type) {
    const FrameState& f = s.frame;
    const DateText when = date_text(f.clock());
    char version[32];
    std::snprintf(version, sizeof version, " %.1f.%d ", kVersionNumber, kVersionPatch);
    std::string text = std::string("           END OF GRAVOX / VERSION") + version + "\n";
    text += std::string("\n Date          : ") + when.date;
    text += std::string("\n Time          : ") + when.time;
    text += std::string("\n Pageformat: ") + f.page_keyword;
    text += "\n Vectors      : " + std::to_string(f.vector_count);
    if (f.nan_count != 0) text += "\n NaN          : " + std::to_string(f.nan_count);
    text += "\n Warnings  : " + std::to_string(f.warning_count);
    text += std::string("\n Fileformat  : ") + f.format_keyword;
    if (type == 1 || type == 11) text += std::string("\n Metafile     : ") + s.files.plot_file_name;
    if (type >= 10) text += std::string("\n Error file    : ") + f.open_error_name;
    std::fprintf(out, "gvxfin\n%s\n", text.c_str());
    std::fflush(out);
}

}  // namespace

void Gravox::write_protocol(int type) {
    PlotState& s = *state_;
    FrameState& f = s.frame;
    const bool silent = f.error_unit == error_unit::none || f.protocol == ProtocolMode::off;
    const bool redirected = f.window_app || f.error_device != ErrorDevice::console;
    bool written = false;
    if (redirected) {
        if (f.error_file) type += 10;
        if (f.protocol == ProtocolMode::file && !silent) {
            if (!f.error_file) open_error_file(s);
            if (f.error_file) {
                write_box(f.error_file.get(), s, type);
                written = !std::ferror(f.error_file.get());
                if (!written) type -= 10;  // the box goes to standard output, without that name
            }
        }
        if (f.error_file) {
            f.error_file.reset();
            // The stream is gone: nothing may keep pointing at it.
            if (f.error_output != stdout && f.error_unit != error_unit::stream)
                f.error_output = stdout;
            f.secondary_error = stdout;
        }
        if (f.error_unit == error_unit::file) {
            f.error_unit = error_unit::console;
            f.error_output = stdout;
        }
    }
    if (written || silent) return;
    if (f.window_app)
        write_message_box(f.error_output, s, type);
    else
        write_box(f.error_output, s, type);
}
