#include "gravox/devices/image_writer_internal.h"
#include "gravox/devices/image_writers.h"

namespace gvx {

ImageStatus write_ppm(Sink& sink, const RasterCanvas& canvas, const ImageSettings& settings,
                      const std::uint32_t* /*colour_table*/, int /*table_size*/) {
    ImageBlock block;
    if (!image_io::resolve_block(canvas, settings, block)) return ImageStatus::no_image;
    if (sink.failed()) return ImageStatus::file_error;

    const std::size_t row = 3 * static_cast<std::size_t>(block.width);
    auto buffer = image_io::allocate(row);
    if (!buffer) return ImageStatus::no_memory;

    sink.printf("P6\n%d %d\n255\n", block.width, block.height);
    for (int r = 0; r < block.height && !sink.failed(); ++r) {
        canvas.read(block.x, block.y + r, block.width, 1, true, buffer.get(), row);
        sink.write(buffer.get(), row);
    }
    return sink.failed() ? ImageStatus::file_error : ImageStatus::ok;
}

}  // namespace gvx
