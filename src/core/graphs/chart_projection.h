#pragma once
// Where the chart's 3-D box lands on the picture. The box spans u across the
// X axis (0 left, 1 right), v up the Y axis (0 bottom, 1 top) and w in depth
// (0 front, 1 back); a parallel projection maps it onto the plot rectangle, so
// a point's place is origin + u * across + v * up + w * deep.
#include "core/graphs/chart_view.h"

namespace tavrel {

struct Vec2 {
  double x = 0;
  double y = 0;  // downwards, as on the picture
};

struct BoxProjection {
  Vec2 origin;  // (u, v, w) = (0, 0, 0): the front bottom left corner
  Vec2 across;  // the image of the box's full width
  Vec2 up;      // of its full height
  Vec2 deep;    // of its full depth

  Vec2 At(double u, double v, double w) const {
    return {origin.x + u * across.x + v * up.x + w * deep.x, origin.y + u * across.y + v * up.y + w * deep.y};
  }
  // Which faces of a box the viewer sees besides the front one: the top when
  // the back lies higher on the picture, the right side when it lies further right.
  bool SeesTop() const { return deep.y < 0; }
  bool SeesRight() const { return deep.x > 0; }
};

// The viewer's angle in degrees for an elevation or rotation setting of
// 1..600. The settings count degrees round the circle, 360 (and 0) looking
// straight at the chart and 345 a slight tilt of 15 degrees that shows the
// bars' tops (elevation) and right sides (rotation); values below 360 tilt
// that way, values above it the other way (the chart seen from below or from
// the left). Past a quarter turn the view folds back (100 gives the view of
// 80) so that every step of the setting moves the picture a little and the
// chart is never seen from behind; the angle stops at 80 degrees either way,
// where the chart is nearly edge-on.
double ViewAngle(int setting);

// The depth of the box, before it is fitted into the plot, for a plot of the
// given size and places series standing one behind the other: depthPercent
// of the mean of its width and height, times the square root of places so
// that the series behind show without flattening the front, half that mean
// at most.
double BoxDepth(const ChartView& view, int places, double width, double height);

// The projection of the chart's box that fills the plot rectangle; without
// the 3-D view the box has no depth and its front fills the plot. Seen
// straight (orthogonal), the front face keeps its shape and the depth runs up
// and to the right at 45 degrees; tilted, the front face keeps its shape too
// and the depth runs as the edge of a box turned by the rotation about its
// vertical axis and by the elevation about its horizontal one would. The
// box's corners touch the rectangle's edges.
BoxProjection ProjectBox(const ChartView& view, int places, double left, double top, double width, double height);

}  // namespace tavrel
