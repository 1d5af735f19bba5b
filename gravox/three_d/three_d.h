// Three-dimensional axis systems: the box, the viewpoint and the perspective projection,
// curves in space, mesh surfaces with hidden lines and shaded surfaces.
//
// Box coordinates: axis3d(xlen, ylen, zlen) gives the box its size in box units; the box
// is centred on the origin and spans -xlen/2 to xlen/2 (and so on), with z upwards.
// graf3d maps user x from xa to xe onto -xlen/2 to xlen/2 (the decimal logarithm on a
// logarithmic axis), and y and z alike.
//
// Camera: the eye E looks at the focus F; w = (F - E)/|F - E| is the view direction,
// r = w x up / |w x up| points to the right of the picture and u = r x w upwards (up is
// the vup3d vector; when it is parallel to w, the box y axis serves instead). A point P
// with d = P - E has the depth d.w and lies on the picture at
//     X = cx + scale (d.r)/(d.w),   Y = cy - scale (d.u)/(d.w)    (plot coordinates).
// graf3d chooses scale, cx and cy so that the projected box fills the axis rectangle of
// axspos and axslen as far as its shape allows and is centred in it (center: on the page).
#pragma once

#include <cstdint>
#include <vector>

#include "gravox/core/colour_value.h"

namespace gvx {

struct PlotState;

// Pixels the z-buffer of zbfini may hold; a larger picture gives warning 52 and the
// surfaces of that plot are drawn back to front instead.
inline constexpr long kMaxZBufferPixels = 16L * 1024 * 1024;
// Cells of the depth buffer of the hidden-line removal; a picture larger than this many
// plot units is resampled more coarsely, so the buffer never grows beyond it.
inline constexpr long kMaxHiddenLineCells = 2L * 1024 * 1024;

// How view3d, vfoc3d and litpos give a point.
enum class PointMode { absolute = 1, user = 2, angles = 3 };  // "ABS +USER+ANGL"

struct Vec3 {
    double x = 0.0, y = 0.0, z = 0.0;
};
inline Vec3 operator+(Vec3 a, Vec3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(Vec3 a, Vec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator*(double k, Vec3 a) {
    return {k * a.x, k * a.y, k * a.z};
}
inline double dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vec3 cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// A point as the caller gave it, resolved when graf3d knows the box and the scaling.
struct GivenPoint {
    PointMode mode = PointMode::angles;
    Vec3 v;
};

// The projection that graf3d fixes.
struct Camera {
    Vec3 eye, w, r, u;
    double scale = 1.0, cx = 0.0, cy = 0.0;
};

// A projected vertex: plot coordinates and depth along the view direction.
struct Projected {
    double x = 0.0, y = 0.0, depth = 0.0;
};

// The scaling of one axis of the box: user value to box coordinate.
struct BoxAxis {
    double a = 0.0, e = 1.0, first = 0.0, step = 1.0;  // exponents on a log axis
    double half = 1.0;                                 // half the box side
    bool logarithmic = false;
    double to_box(double v) const;
};

// Lighting of shaded surfaces: one point light, ambient, diffuse and specular parts.
struct Lighting {
    bool on = false;
    GivenPoint position{PointMode::angles, {30.0, 60.0, 10.0}};
    double ambient = 0.25, diffuse = 0.65, specular = 0.3, exponent = 20.0;
};

// The plane that the projection hook maps onto the box while axes are drawn: a plane
// point (x, y) becomes origin + x * ex + y * ey in box coordinates.
struct HookPlane {
    Vec3 origin, ex, ey;
};

// Work buffers kept between calls and plots.
struct ThreeDWork {
    std::vector<float> depth;         // hidden-line depth buffer
    std::vector<std::int32_t> cell;   // its cell numbers
    std::vector<std::uint8_t> side;   // per cell: 1 when its top faces the eye
    std::vector<Projected> vertices;  // projected grid vertices
    std::vector<std::int32_t> order;  // cells back to front
    std::vector<float> order_depth;
};

struct ThreeDState {
    double len[3] = {2.0, 2.0, 2.0};                         // axis3d
    GivenPoint view{PointMode::angles, {-60.0, 30.0, 0.0}};  // distance 0: automatic
    GivenPoint focus{PointMode::absolute, {0.0, 0.0, 0.0}};
    Vec3 up{0.0, 0.0, 1.0};
    int top_colour = kCurrentColour, bottom_colour = kCurrentColour;  // surclr
    bool mesh = false;                                                // surmsh
    Lighting light;

    // The current system, valid while graf3d's level 3 lasts.
    BoxAxis axis[3];
    Camera cam;
    HookPlane plane;

    // z-buffer of zbfini, in device pixels; empty when none is active.
    bool zbuffer_on = false;
    int zb_width = 0, zb_height = 0;
    std::vector<float> zbuffer;

    ThreeDWork work;  // kept by the per-plot reset
};

// Per-plot reset of gvxini.
void reset_three_d(PlotState& s);
// True when a three-dimensional axis system is open (level 3 of graf3d).
bool three_d_open(const PlotState& s);

// Projection of a point in box coordinates.
Projected project(const Camera& c, Vec3 p);
// User coordinates to box coordinates in the current system.
Vec3 user_to_box(const PlotState& s, double x, double y, double z);
// Fixes the camera for the box of the state (graf3d): resolves the viewpoint, focus and
// up direction, fits the picture. Returns false when the viewpoint lies inside the box
// or sees part of the box behind it.
bool setup_camera(PlotState& s, bool centre_on_page);

// The projection hook of the primitives while a plane of the box is drawn.
void plane_projection(PlotState& s, double& x, double& y);

// --- Surfaces -------------------------------------------------------------------------
// A grid surface in box coordinates: vertex (i, j) is (x[i], y[j], z[i * ny + j]) mapped
// through the box scaling; a cell with a NaN corner is left out.
struct SurfaceGrid {
    const double* x = nullptr;  // nx user values, or null for the index grid
    int nx = 0;
    const double* y = nullptr;
    int ny = 0;
    const double* z = nullptr;
};
// Projects every vertex of the grid into s.three_d->work.vertices; NaN vertices get NaN depth.
// Returns false (after warning 52) when the work array cannot be allocated.
bool project_grid(PlotState& s, const SurfaceGrid& g);
// The mesh with hidden lines removed (hidden_lines.cpp), every ix-th line in x and
// every iy-th in y.
void draw_hidden_mesh(PlotState& s, const SurfaceGrid& g, int ix, int iy);
// Filled cells: with a z-buffer on a pixel device, else back to front (shaded.cpp).
void draw_shaded_surface(PlotState& s, const SurfaceGrid& g);
// The colour value of a cell under the lighting model: base colour scaled by the
// ambient and diffuse parts plus a white specular part (lighting.cpp).
int lit_colour(const PlotState& s, int base, Vec3 normal, Vec3 centre);

}  // namespace gvx
