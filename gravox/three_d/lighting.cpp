// Lighting of shaded surfaces: light switches it on, litpos places the light and litmod
// weighs its parts. A lit cell takes its base colour (surclr, else the current colour)
// times the ambient part plus the diffuse part times cos of the angle between the
// normal and the light, plus white times the specular part times cos^exponent of the
// angle between the mirrored light and the eye. Both sides of a surface are lit.
#include <cmath>

#include "gravox/core/state.h"
#include "gravox/core/warning_texts.h"
#include "gravox/devices/primitives.h"
#include "gravox/gravox.h"
#include "gravox/three_d/three_d_internal.h"

namespace gvx {

int lit_colour(const PlotState& s, int base, Vec3 normal, Vec3 centre) {
    const ThreeDState& t = *s.three_d;
    const Lighting& l = t.light;
    const double diagonal =
        std::sqrt(t.len[0] * t.len[0] + t.len[1] * t.len[1] + t.len[2] * t.len[2]);
    const Vec3 light = resolve_point(s, l.position, {}, 5.0 * diagonal);
    const Vec3 to_eye = unit(t.cam.eye - centre), to_light = unit(light - centre);
    Vec3 n = unit(normal);
    if (dot(n, to_eye) < 0.0) n = -1.0 * n;
    const double cos_in = dot(n, to_light);
    const double diffuse = std::max(0.0, cos_in);
    double specular = 0.0;
    if (cos_in > 0.0) {
        const Vec3 mirrored = 2.0 * cos_in * n - to_light;
        specular = std::pow(std::max(0.0, dot(mirrored, to_eye)), l.exponent);
    }
    const DeviceColour c = resolve_device_colour(s, base);
    const double k = l.ambient + l.diffuse * diffuse, white = 255.0 * l.specular * specular;
    const auto part = [&](int v) {
        return static_cast<int>(std::clamp(v * k + white, 0.0, 255.0) + 0.5) & 255;
    };
    return explicit_colour(part(c.red), part(c.green), part(c.blue));
}

}  // namespace gvx

using namespace gvx;

void Gravox::light(const char* mode) {
    if (refused("light", 1, 3)) return;
    PlotState& s = state();
    const int m = match_keyword(s, "ON  +OFF ", 2, mode);
    if (m != 0) s.three_d->light.on = m == 1;
}

void Gravox::litpos(double x, double y, double z, const char* mode) {
    if (refused("litpos", 1, 3)) return;
    PlotState& s = state();
    const int m = match_keyword(s, "ABS +USER+ANGL", 3, mode);
    if (m == 0) return;
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z) || (m == 3 && z < 0.0)) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    s.three_d->light.position = {static_cast<PointMode>(m), {x, y, z}};
}

void Gravox::litmod(double ambient, double diffuse, double specular, double exponent) {
    if (refused("litmod", 1, 3)) return;
    PlotState& s = state();
    const auto fraction = [](double v) { return v >= 0.0 && v <= 1.0; };
    if (!fraction(ambient) || !fraction(diffuse) || !fraction(specular) ||
        !(exponent >= 1.0 && exponent <= 1000.0)) {
        warn(s, warning::incorrect_parameter);
        return;
    }
    Lighting& l = s.three_d->light;
    l.ambient = ambient;
    l.diffuse = diffuse;
    l.specular = specular;
    l.exponent = exponent;
}
