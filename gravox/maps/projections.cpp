// The projections of the sphere: forward and inverse formulas (sources and the
// formulas themselves in docs/maps.md).
#include <algorithm>
#include <cmath>
#include <numbers>

#include "gravox/maps/maps.h"

namespace gvx {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kRad = kPi / 180.0;
constexpr double kLatLimit = 85.0;  // Mercator and Lambert: the pole lies at infinity
// Lines and areas of the azimuthal equidistant projection stop this many degrees short
// of the antipode, whose neighbourhood the projection spreads round the outline.
constexpr double kAntipodeGap = 1.0;

// Robinson's table: length of the parallel (X) and distance from the equator (Y) at
// every 5 degrees of latitude from 0 to 90.
constexpr double kRobinsonX[19] = {1.0000, 0.9986, 0.9954, 0.9900, 0.9822, 0.9730, 0.9600,
                                   0.9427, 0.9216, 0.8962, 0.8679, 0.8350, 0.7986, 0.7597,
                                   0.7186, 0.6732, 0.6213, 0.5722, 0.5322};
constexpr double kRobinsonY[19] = {0.0000, 0.0620, 0.1240, 0.1860, 0.2480, 0.3100, 0.3720,
                                   0.4340, 0.4958, 0.5571, 0.6176, 0.6769, 0.7346, 0.7903,
                                   0.8435, 0.8936, 0.9394, 0.9761, 1.0000};

// Interpolates a 5-degree table at |lat| with the cubic through four neighbouring
// entries (Catmull-Rom), which passes through every entry.
double robinson_table(const double* t, double lat) {
    const double a = std::min(std::fabs(lat), 90.0) / 5.0;
    const int i = std::min(static_cast<int>(a), 17);
    const double f = a - i;
    const double p0 = t[i > 0 ? i - 1 : 1] * (i > 0 ? 1.0 : (t == kRobinsonY ? -1.0 : 1.0));
    const double p1 = t[i], p2 = t[i + 1];
    const double p3 = i + 2 <= 18 ? t[i + 2] : 2.0 * t[18] - t[17];
    return p1 + 0.5 * f *
                    (p2 - p0 +
                     f * (2.0 * p0 - 5.0 * p1 + 4.0 * p2 - p3 + f * (3.0 * (p1 - p2) + p3 - p0)));
}

// Aitoff's projection in units of the radius (the half of Winkel's tripel too).
void aitoff(double lam, double phi, double& x, double& y) {
    const double alpha = std::acos(std::clamp(std::cos(phi) * std::cos(lam / 2.0), -1.0, 1.0));
    const double sinc = alpha < 1e-12 ? 1.0 : std::sin(alpha) / alpha;
    x = 2.0 * std::cos(phi) * std::sin(lam / 2.0) / sinc;
    y = std::sin(phi) / sinc;
}

// Mollweide's auxiliary angle: 2t + sin 2t = pi sin(phi), by Newton's method.
double mollweide_angle(double phi) {
    if (std::fabs(phi) >= kPi / 2.0 - 1e-12) return std::copysign(kPi / 2.0, phi);
    double t = phi;
    const double target = kPi * std::sin(phi);
    for (int i = 0; i < 50; ++i) {
        const double d = (2.0 * t + std::sin(2.0 * t) - target) / (2.0 + 2.0 * std::cos(2.0 * t));
        t -= d;
        if (std::fabs(d) < 1e-13) break;
    }
    return t;
}

}  // namespace

double wrap_degrees(double d) {
    d = std::fmod(d, 360.0);
    if (d > 180.0) d -= 360.0;
    if (d < -180.0) d += 360.0;
    return d;
}

bool Projector::setup(Projection p, double centre_lon, double centre_lat, double parallel1,
                      double parallel2, double sphere_radius) {
    kind = p;
    lon0 = centre_lon;
    lat0 = centre_lat;
    radius = sphere_radius;
    sin_lat0 = std::sin(lat0 * kRad);
    cos_lat0 = std::cos(lat0 * kRad);
    cap = kind == Projection::orthographic || kind == Projection::stereographic ? 90.0 : 180.0;
    cut = cap < 180.0 ? cap : 180.0 - kAntipodeGap;
    if (!conic()) return true;
    const double p1 = parallel1 * kRad, p2 = parallel2 * kRad;
    if (kind == Projection::lambert) {
        if (std::fabs(parallel1) >= 89.0 || std::fabs(parallel2) >= 89.0) return false;
        const double t1 = std::tan(kPi / 4.0 + p1 / 2.0), t2 = std::tan(kPi / 4.0 + p2 / 2.0);
        n = std::fabs(p1 - p2) < 1e-10 ? std::sin(p1)
                                       : std::log(std::cos(p1) / std::cos(p2)) / std::log(t2 / t1);
        if (!(std::fabs(n) > 1e-6)) return false;
        f = std::cos(p1) * std::pow(t1, n) / n;
        rho0 =
            f /
            std::pow(std::tan(kPi / 4.0 + std::clamp(lat0, -kLatLimit, kLatLimit) * kRad / 2.0), n);
    } else {
        n = (std::sin(p1) + std::sin(p2)) / 2.0;
        if (!(std::fabs(n) > 1e-6)) return false;
        c = std::cos(p1) * std::cos(p1) + 2.0 * n * std::sin(p1);
        rho0 = std::sqrt(std::max(c - 2.0 * n * std::sin(lat0 * kRad), 0.0)) / n;
    }
    return true;
}

double Projector::rho(double dist) const {
    const double cr = dist * kRad;
    const double r = kind == Projection::stereographic  ? 2.0 * std::tan(cr / 2.0)
                     : kind == Projection::orthographic ? std::sin(cr)
                                                        : cr;
    return radius * r;
}

double Projector::cap_radius() const {
    return rho(cap);
}

double Projector::distance(double dlon, double lat) const {
    const double phi = lat * kRad, lam = dlon * kRad;
    const double cos_c = sin_lat0 * std::sin(phi) + cos_lat0 * std::cos(phi) * std::cos(lam);
    return std::acos(std::clamp(cos_c, -1.0, 1.0)) / kRad;
}

bool Projector::forward(double dlon, double lat, double& u, double& v) const {
    lat = std::clamp(lat, -90.0, 90.0);
    const double lam = dlon * kRad, phi = lat * kRad;
    bool visible = true;
    double x = 0.0, y = 0.0;
    switch (kind) {
        case Projection::cylindrical:
            x = lam, y = phi;
            break;
        case Projection::mercator:
        case Projection::miller: {
            // Mercator's poles lie at infinity, Miller's do not.
            const double limit = kind == Projection::mercator ? kLatLimit : 90.0;
            const double limited = std::clamp(lat, -limit, limit) * kRad;
            visible = std::fabs(lat) <= limit;
            x = lam;
            y = kind == Projection::mercator ? std::log(std::tan(kPi / 4.0 + limited / 2.0))
                                             : 1.25 * std::log(std::tan(kPi / 4.0 + 0.4 * limited));
            break;
        }
        case Projection::equal_area:
            x = lam, y = std::sin(phi);
            break;
        case Projection::lambert:
        case Projection::albers: {
            double rho;
            if (kind == Projection::lambert) {
                // The pole the cone opens towards lies at infinity.
                const double limit = n > 0.0 ? -kLatLimit : kLatLimit;
                const double l = n > 0.0 ? std::max(lat, limit) : std::min(lat, limit);
                visible = l == lat;
                rho = f / std::pow(std::tan(kPi / 4.0 + l * kRad / 2.0), n);
            } else {
                rho = std::sqrt(std::max(c - 2.0 * n * std::sin(phi), 0.0)) / n;
            }
            const double theta = n * lam;
            x = rho * std::sin(theta);
            y = rho0 - rho * std::cos(theta);
            break;
        }
        case Projection::stereographic:
        case Projection::orthographic:
        case Projection::azimuthal: {
            double dist = distance(dlon, lat);
            // Direction of the point seen from the centre (east, north).
            double e = std::cos(phi) * std::sin(lam);
            double nn = cos_lat0 * std::sin(phi) - sin_lat0 * std::cos(phi) * std::cos(lam);
            double len = std::hypot(e, nn);
            if (dist > cap) {
                visible = false;
                dist = cap;
            }
            if (len < 1e-15) {
                e = 0.0, nn = -1.0, len = 1.0;  // the centre or its antipode
            }
            const double cr = dist * kRad;
            const double rho = kind == Projection::stereographic  ? 2.0 * std::tan(cr / 2.0)
                               : kind == Projection::orthographic ? std::sin(cr)
                                                                  : cr;
            x = rho * e / len;
            y = rho * nn / len;
            break;
        }
        case Projection::robinson:
            x = 0.8487 * robinson_table(kRobinsonX, lat) * lam;
            y = std::copysign(1.3523 * robinson_table(kRobinsonY, lat), phi);
            break;
        case Projection::mollweide: {
            const double t = mollweide_angle(phi);
            x = 2.0 * std::numbers::sqrt2 / kPi * lam * std::cos(t);
            y = std::numbers::sqrt2 * std::sin(t);
            break;
        }
        case Projection::hammer: {
            const double z = std::sqrt(1.0 + std::cos(phi) * std::cos(lam / 2.0));
            if (z < 1e-12) {
                x = std::copysign(2.0 * std::numbers::sqrt2, lam), y = 0.0;
            } else {
                x = 2.0 * std::numbers::sqrt2 * std::cos(phi) * std::sin(lam / 2.0) / z;
                y = std::numbers::sqrt2 * std::sin(phi) / z;
            }
            break;
        }
        case Projection::aitoff:
            aitoff(lam, phi, x, y);
            break;
        case Projection::winkel: {
            double ax, ay;
            aitoff(lam, phi, ax, ay);
            x = (lam * (2.0 / kPi) + ax) / 2.0;
            y = (phi + ay) / 2.0;
            break;
        }
    }
    u = radius * x;
    v = radius * y;
    return visible;
}

bool Projector::inverse(double u, double v, double& lon, double& lat) const {
    if (!std::isfinite(u) || !std::isfinite(v) || !(radius > 0.0)) return false;
    const double x = u / radius, y = v / radius;
    double lam = 0.0, phi = 0.0;
    switch (kind) {
        case Projection::cylindrical:
            lam = x, phi = y;
            break;
        case Projection::mercator:
            lam = x, phi = kPi / 2.0 - 2.0 * std::atan(std::exp(-y));
            break;
        case Projection::equal_area:
            if (std::fabs(y) > 1.0) return false;
            lam = x, phi = std::asin(y);
            break;
        case Projection::miller:
            lam = x, phi = 2.5 * std::atan(std::exp(0.8 * y)) - 0.625 * kPi;
            break;
        case Projection::lambert:
        case Projection::albers: {
            const double sign = n < 0.0 ? -1.0 : 1.0;
            const double rho = sign * std::hypot(x, rho0 - y);
            const double theta = std::atan2(sign * x, sign * (rho0 - y));
            lam = theta / n;
            if (kind == Projection::lambert) {
                if (rho == 0.0) {
                    phi = std::copysign(kPi / 2.0, n);
                } else {
                    phi = 2.0 * std::atan(std::pow(f / rho, 1.0 / n)) - kPi / 2.0;
                }
            } else {
                const double s = (c - rho * rho * n * n) / (2.0 * n);
                if (std::fabs(s) > 1.0 + 1e-12) return false;
                phi = std::asin(std::clamp(s, -1.0, 1.0));
            }
            break;
        }
        case Projection::stereographic:
        case Projection::orthographic:
        case Projection::azimuthal: {
            const double rho = std::hypot(x, y);
            double cr;
            if (kind == Projection::stereographic) {
                cr = 2.0 * std::atan(rho / 2.0);
            } else if (kind == Projection::orthographic) {
                if (rho > 1.0 + 1e-12) return false;
                cr = std::asin(std::min(rho, 1.0));
            } else {
                if (rho > kPi + 1e-12) return false;
                cr = rho;
            }
            if (cr / kRad > cap + 1e-9) return false;
            if (rho < 1e-15) {
                phi = lat0 * kRad, lam = 0.0;
                break;
            }
            const double sc = std::sin(cr), cc = std::cos(cr);
            phi = std::asin(std::clamp(cc * sin_lat0 + y * sc * cos_lat0 / rho, -1.0, 1.0));
            lam = std::atan2(x * sc, rho * cos_lat0 * cc - y * sin_lat0 * sc);
            break;
        }
        case Projection::robinson: {
            const double target = std::fabs(y) / 1.3523;
            if (target > 1.0 + 1e-12) return false;
            double lo = 0.0, hi = 90.0;  // Y grows with the latitude: bisection
            for (int i = 0; i < 60; ++i) {
                const double mid = (lo + hi) / 2.0;
                (robinson_table(kRobinsonY, mid) < target ? lo : hi) = mid;
            }
            phi = std::copysign((lo + hi) / 2.0, y) * kRad;
            lam = x / (0.8487 * robinson_table(kRobinsonX, phi / kRad));
            break;
        }
        case Projection::mollweide: {
            const double s = y / std::numbers::sqrt2;
            if (std::fabs(s) > 1.0 + 1e-12) return false;
            const double t = std::asin(std::clamp(s, -1.0, 1.0));
            phi = std::asin(std::clamp((2.0 * t + std::sin(2.0 * t)) / kPi, -1.0, 1.0));
            const double ct = std::cos(t);
            lam = ct < 1e-12 ? 0.0 : kPi * x / (2.0 * std::numbers::sqrt2 * ct);
            break;
        }
        case Projection::hammer: {
            const double zz = 1.0 - (x / 4.0) * (x / 4.0) - (y / 2.0) * (y / 2.0);
            if (zz < 0.5 - 1e-12) return false;  // outside the ellipse
            const double z = std::sqrt(zz);
            lam = 2.0 * std::atan2(z * x, 2.0 * (2.0 * z * z - 1.0));
            phi = std::asin(std::clamp(z * y, -1.0, 1.0));
            break;
        }
        case Projection::aitoff:
        case Projection::winkel: {
            // Newton's method on the forward formula with a numerical Jacobian.
            lam = std::clamp(x / (kind == Projection::aitoff ? 1.0 : 0.8), -kPi, kPi);
            phi = std::clamp(y, -kPi / 2.0, kPi / 2.0);
            const double h = 1e-7;
            bool converged = false;
            for (int i = 0; i < 60 && !converged; ++i) {
                double fx, fy, ax, ay, bx, by;
                forward(lam / kRad, phi / kRad, fx, fy);
                forward((lam + h) / kRad, phi / kRad, ax, ay);
                forward(lam / kRad, (phi + h) / kRad, bx, by);
                const double ex = fx / radius - x, ey = fy / radius - y;
                const double j11 = (ax - fx) / radius / h, j21 = (ay - fy) / radius / h;
                const double j12 = (bx - fx) / radius / h, j22 = (by - fy) / radius / h;
                const double det = j11 * j22 - j12 * j21;
                if (std::fabs(det) < 1e-14) break;
                const double dl = (ex * j22 - ey * j12) / det, dp = (ey * j11 - ex * j21) / det;
                lam = std::clamp(lam - dl, -kPi, kPi);
                phi = std::clamp(phi - dp, -kPi / 2.0, kPi / 2.0);
                converged = std::fabs(ex) + std::fabs(ey) < 1e-12;
            }
            if (!converged) return false;
            break;
        }
    }
    if (std::fabs(lam) > kPi + 1e-9 || std::fabs(phi) > kPi / 2.0 + 1e-9) return false;
    lon = wrap_degrees(lam / kRad + lon0);
    lat = phi / kRad;
    return true;
}

}  // namespace gvx
