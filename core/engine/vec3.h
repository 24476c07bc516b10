// Vectors in the local frame: x east, y north, z up (or any other right-handed
// frame the caller states). Lengths in millimetres where they are positions.
#pragma once

#include <cmath>

namespace sundial::engine {

struct Vec3 {
    double x = 0;
    double y = 0;
    double z = 0;
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
inline double Dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vec3 Cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double Length(Vec3 a) {
    return std::sqrt(Dot(a, a));
}
inline Vec3 Unit(Vec3 a) {
    return (1.0 / Length(a)) * a;
}

inline constexpr double kPi = 3.14159265358979323846;
inline double Rad(double deg) {
    return deg * (kPi / 180.0);
}
inline double Deg(double rad) {
    return rad * (180.0 / kPi);
}

}  // namespace sundial::engine
