// The one table that turns a device code into the device that writes it.
#include "gravox/core/output_catalogue.h"
#include "gravox/devices/device.h"

namespace gvx {

std::unique_ptr<Device> make_device(PlotState& s, int code) {
    return make_output_device(s, code);
}

}  // namespace gvx
