// Every sub-record of the state record, complete: for the library's tools, tests and
// benchmarks, which look into any subsystem. The library's own routines never include
// this header; each includes the headers of the sub-records it reads.
#pragma once

#include "gravox/axes/axis_system.h"
#include "gravox/charts/charts.h"
#include "gravox/core/colour_table.h"
#include "gravox/core/internal.h"
#include "gravox/core/state.h"
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
