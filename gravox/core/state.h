// The state record of a library object: one sub-record per subsystem, each
// declared in its own folder, so a reader sees which routines own which fields.
// This header includes core's headers only: a subsystem's sub-record is held through
// a SubRecord of a forward-declared type, so a source file sees the fields of exactly
// the subsystems whose headers it includes.
#pragma once

#include <functional>
#include <memory>

#include "gravox/core/files.h"
#include "gravox/core/frame.h"
#include "gravox/core/output_catalogue.h"
#include "gravox/core/page.h"

class Gravox;

namespace gvx {

class Device;

// The sub-records held in boxes: the colour table, and those of the subsystems above
// core. The state record names them by a forward declaration only, so that including
// it shows a routine no subsystem's fields: a routine includes the headers of the
// sub-records it reads (its own, and those of the layers below it) and reaches each
// through `s.<name>->`.
struct ColourState;     // colour table and named colours (core/colour_table.h)
struct PrimitiveState;  // polyline buffer, clipping, line attributes (devices/primitives.h)
struct RasterState;     // raster canvas and image settings (devices/raster_device.h)
struct FormatState;     // settings of the vector and text formats (formats/formats.h)
struct TextState;       // fonts, text settings and the text position (text/text.h)
struct AxisState;       // axis systems, scaling and axis settings (axes/axis_system.h)
struct CurveState;      // curve attributes and the legend curve count (curves/curve.h)
struct LegendState;     // legend settings and the curve records (curves/legend.h)
struct FieldState;      // colour axes, contours and vector fields (fields/fields.h)
struct ShapeState;      // work arrays of the shapes (shapes/shapes.h)
struct ChartState;      // bar, pie and error bar settings (charts/charts.h)
struct ScreenState;     // screen windows and the end of a screen plot (screen/screen.h)
struct ThreeDState;     // box, viewpoint, surfaces and z-buffer (three_d/three_d.h)
struct MapState;        // projections and the map axis system (maps/maps.h)

// Owns one boxed sub-record for the life of the state record.
// Its constructor and destructor are made in core/state.cpp, the one file that sees
// every subsystem's header, so no other file needs the type complete unless it uses
// the record's fields.
template <class Record>
class SubRecord {
  public:
    SubRecord();
    ~SubRecord();
    SubRecord(const SubRecord&) = delete;
    SubRecord& operator=(const SubRecord&) = delete;

    Record* operator->() { return record_.get(); }
    const Record* operator->() const { return record_.get(); }
    Record& operator*() { return *record_; }
    const Record& operator*() const { return *record_; }

  private:
    std::unique_ptr<Record> record_;
};

// Makes the device of a plot; tests replace it with a recording device.
using DeviceFactory = std::function<std::unique_ptr<Device>(PlotState&, int code)>;

struct PlotState {
    PlotState();
    ~PlotState();
    PlotState(const PlotState&) = delete;
    PlotState& operator=(const PlotState&) = delete;

    // Core's own sub-records, held by value.
    FrameState frame;  // plot level, device, counters, warnings (core/frame.h)
    FileState files;   // output selection and file naming (core/files.h)
    PageState page;    // page and device geometry (core/page.h)

    // The subsystems', from the lowest layer up.
    SubRecord<ColourState> colours;
    SubRecord<PrimitiveState> prims;
    SubRecord<RasterState> raster;
    SubRecord<FormatState> formats;
    SubRecord<TextState> text;
    SubRecord<AxisState> axes;
    SubRecord<CurveState> curves;
    SubRecord<LegendState> legend;
    SubRecord<FieldState> fields;
    SubRecord<ShapeState> shapes;
    SubRecord<ChartState> charts;
    SubRecord<ScreenState> screen;
    SubRecord<ThreeDState> three_d;
    SubRecord<MapState> maps;

    std::unique_ptr<Device> device;  // the open plot's device, from gvxini to gvxfin
    DeviceFactory device_factory;    // make_output_device unless a test replaces it
};

}  // namespace gvx
