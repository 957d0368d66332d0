#pragma once
// How the chart window lays out its chart: the 3-D view, margins, axis fonts,
// grids and the Y axis's start. The window keeps it for the run.
namespace tavrel {

struct ChartView {
  bool view3D = false;
  bool orthogonal = true;   // 3-D seen straight on, without elevation or rotation
  int elevation = 345;      // 1..600
  int rotation = 345;       // 1..600
  int depthPercent = 10;    // 1..50, the depth of the 3-D view
  int marginTop = 3;        // percent of the window, 1..50
  int marginBottom = 6;
  int marginLeft = 3;
  int marginRight = 3;
  int fontSizeX = 12;       // axis label sizes, 1..18
  int fontSizeY = 12;
  bool gridX = true;
  bool gridY = true;
  bool yFromZero = true;    // the Y axis starts at 0, else at the lowest value
};

}  // namespace tavrel
