// Signed distances to the shapes the art is drawn from: negative inside.
#pragma once

#include <cmath>

// Distance from (x, y) to the outline of a rounded rectangle with centre
// (cx, cy), half sizes hw and hh and corner radius r.
inline double RoundedRectDistance(double x, double y, double cx, double cy, double hw, double hh, double r) {
    const double qx = std::fabs(x - cx) - (hw - r);
    const double qy = std::fabs(y - cy) - (hh - r);
    return std::hypot(std::fmax(qx, 0.0), std::fmax(qy, 0.0)) + std::fmin(std::fmax(qx, qy), 0.0) - r;
}
