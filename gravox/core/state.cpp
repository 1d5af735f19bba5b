// Construction of the state record: the one place that sees every subsystem's
// sub-record complete, so that it can make and free them.
#include "gravox/core/state.h"

#include "gravox/axes/axis_system.h"
#include "gravox/charts/charts.h"
#include "gravox/core/colour_table.h"
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

namespace gvx {

template <class Record>
SubRecord<Record>::SubRecord() : record_(std::make_unique<Record>()) {}

template <class Record>
SubRecord<Record>::~SubRecord() = default;

template class SubRecord<ColourState>;
template class SubRecord<PrimitiveState>;
template class SubRecord<RasterState>;
template class SubRecord<FormatState>;
template class SubRecord<TextState>;
template class SubRecord<AxisState>;
template class SubRecord<CurveState>;
template class SubRecord<LegendState>;
template class SubRecord<FieldState>;
template class SubRecord<ShapeState>;
template class SubRecord<ChartState>;
template class SubRecord<ScreenState>;
template class SubRecord<ThreeDState>;
template class SubRecord<MapState>;

PlotState::PlotState() : device_factory(make_output_device) {}
PlotState::~PlotState() = default;

}  // namespace gvx
