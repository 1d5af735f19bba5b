// The state record of a library object: one sub-record per subsystem, each
// declared in its own folder, so a reader sees which routines own which fields.
#pragma once

#include <functional>
#include <memory>

#include "gravox/axes/axis_system.h"
#include "gravox/charts/charts.h"
#include "gravox/core/files.h"
#include "gravox/core/frame.h"
#include "gravox/core/output_catalogue.h"
#include "gravox/core/page.h"
#include "gravox/curves/colour.h"
#include "gravox/curves/curve.h"
#include "gravox/curves/legend.h"
#include "gravox/devices/device.h"
#include "gravox/devices/primitives.h"
#include "gravox/devices/raster_device.h"
#include "gravox/fields/fields.h"
#include "gravox/formats/formats.h"
#include "gravox/maps/maps.h"
#include "gravox/screen/screen.h"
#include "gravox/shapes/shapes.h"
#include "gravox/text/text.h"
#include "gravox/three_d/three_d.h"

class Gravox;

namespace gvx {

// Makes the device of a plot; tests replace it with a recording device.
using DeviceFactory = std::function<std::unique_ptr<Device>(PlotState&, int code)>;

struct PlotState {
    FrameState frame;      // plot level, device, counters, warnings (core/frame.h)
    FileState files;       // output selection and file naming (core/files.h)
    PageState page;        // page and device geometry (core/page.h)
    ColourState colours;   // colour table and palettes (curves/colour.h)
    PrimitiveState prims;  // polyline buffer, clipping, line attributes (devices/primitives.h)
    AxisState axes;        // axis systems, scaling and axis settings (axes/axis_system.h)
    TextState text;        // fonts, text settings and the text position (text/text.h)
    CurveState curves;     // curve attributes and the legend curve count (curves/curve.h)
    LegendState legend;    // legend settings and the curve records (curves/legend.h)

    RasterState raster;  // raster canvas and image settings (devices/raster_device.h)

    FormatState formats;  // settings of the vector and text formats (formats/formats.h)

    FieldState fields;    // colour axes, contours and vector fields (fields/fields.h)
    ShapeState shapes;    // work arrays of the shapes (shapes/shapes.h)
    ChartState charts;    // bar, pie and error bar settings (charts/charts.h)
    ScreenState screen;   // screen windows and the end of a screen plot (screen/screen.h)
    ThreeDState three_d;  // box, viewpoint, surfaces and z-buffer (three_d/three_d.h)
    MapState maps;        // projections and the map axis system (maps/maps.h)

    std::unique_ptr<Device> device;  // the open plot's device, from gvxini to gvxfin
    DeviceFactory device_factory = make_output_device;
};

}  // namespace gvx
