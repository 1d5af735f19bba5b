#include <cstdio>
#include <cstring>

#include "gravox/devices/image_writer_internal.h"
#include "gravox/devices/image_writers.h"

namespace gvx {

DumpStatus write_imag(Sink& sink, const RasterCanvas& canvas, const ImageSettings& /*settings*/,
                      const std::uint32_t* /*colour_table*/, int /*table_size*/) {
    if (!canvas.has_image()) return DumpStatus::no_image;
    if (sink.failed()) return DumpStatus::file_error;

    const bool rgb = canvas.true_colour();
    const int w = canvas.width();
    const int row_bytes = rgb ? 3 * w : w;
    // The 80-byte header: the tag, nine numbers of five characters, seven blanks. The
    // bitmap import reads it back, so its layout is fixed (the widest side, 3 * 32768,
    // still fits in five characters).
    char header[81];
    const int n = std::snprintf(header, sizeof header,
                                "!Bitmap GRAVOX VIRT %5d %5d %5d %5d %5d %5d %5d %5d %5d       ", w,
                                canvas.height(), 8, row_bytes, rgb ? 24 : 8, 32, 0, rgb ? 5 : 1, 0);
    if (n != 80) return DumpStatus::file_error;

    auto row = image_io::allocate(static_cast<std::size_t>(row_bytes));
    if (!row) return DumpStatus::no_memory;
    sink.write(header, 80);
    for (int y = 0; y < canvas.height() && !sink.failed(); ++y) {
        canvas.read(0, y, w, 1, rgb, row.get(), static_cast<std::size_t>(row_bytes));
        sink.write(row.get(), static_cast<std::size_t>(row_bytes));
    }
    return sink.failed() ? DumpStatus::file_error : DumpStatus::ok;
}

}  // namespace gvx
