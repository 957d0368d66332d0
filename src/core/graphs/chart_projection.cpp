#include "core/graphs/chart_projection.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tavrel {

namespace {

constexpr double kMostTilt = 80;
constexpr double kRadian = std::numbers::pi / 180;

}  // namespace

double ViewAngle(int setting) {
  // Signed degrees: 345 is -15, 370 is 10.
  double a = std::fmod(static_cast<double>(setting), 360.0);
  if (a < 0) a += 360;
  if (a >= 180) a -= 360;
  if (a > 90) a = 180 - a;
  if (a < -90) a = -180 - a;
  // Below 360 the viewer rises (or moves right): 345 gives +15.
  return std::clamp(-a, -kMostTilt, kMostTilt);
}

double BoxDepth(const ChartView& view, int places, double width, double height) {
  const double percent =
      std::min(50.0, std::clamp(view.depthPercent, 1, 50) * std::sqrt(static_cast<double>(std::max(1, places))));
  return (std::max(0.0, width) + std::max(0.0, height)) / 2 * percent / 100;
}

BoxProjection ProjectBox(const ChartView& view, int places, double left, double top, double width, double height) {
  width = std::max(1.0, width);
  height = std::max(1.0, height);
  const double depth = view.view3D ? BoxDepth(view, places, width, height) : 0;
  // The images of the three edges of the unfitted box, the picture's y downwards.
  Vec2 across{width, 0}, up{0, -height}, deep;
  if (view.orthogonal) {
    deep = {depth * std::cos(45 * kRadian), -depth * std::sin(45 * kRadian)};
  } else {
    // Turning about the vertical axis by the rotation brings the right side
    // into view, tipping about the horizontal axis by the elevation the top;
    // both move the back of the box the same way on the picture. The front
    // face keeps its shape, so that the floor runs level and every value
    // stands at its height on the Y axis whatever the view: only the depth turns.
    const double yaw = ViewAngle(view.rotation) * kRadian, pitch = ViewAngle(view.elevation) * kRadian;
    deep = {depth * std::sin(yaw), -depth * std::cos(yaw) * std::sin(pitch)};
  }
  // Fit the eight corners into the rectangle.
  double minX = 0, maxX = 0, minY = 0, maxY = 0;
  for (int corner = 0; corner < 8; ++corner) {
    const double u = corner & 1, v = (corner >> 1) & 1, w = (corner >> 2) & 1;
    const double x = u * across.x + v * up.x + w * deep.x, y = u * across.y + v * up.y + w * deep.y;
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
  }
  const double sx = maxX > minX ? width / (maxX - minX) : 1, sy = maxY > minY ? height / (maxY - minY) : 1;
  const auto scaled = [&](Vec2 v) { return Vec2{v.x * sx, v.y * sy}; };
  BoxProjection box;
  box.across = scaled(across);
  box.up = scaled(up);
  box.deep = scaled(deep);
  box.origin = {left - minX * sx, top - minY * sy};
  return box;
}

}  // namespace tavrel
