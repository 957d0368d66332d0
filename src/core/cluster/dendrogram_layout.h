#pragma once
// Where the dendrogram of a join history goes on a picture of a given size:
// computed once when the tree is shown, then only read by the painter.
#include <cstdint>
#include <vector>

#include "core/base/checked_array.h"
#include "core/data/cluster_result.h"

namespace tavrel {

// One join as drawn. Heights count upward from the picture's bottom edge; a
// height h is drawn at y = height - h.
struct ClustGr {
  std::int32_t iclsonX = 0;   // x of the left son's vertical line
  std::int32_t iclsonY1 = 0;  // height of its foot: the son's own bar or the leaf baseline
  std::int32_t icrsonX = 0;   // x of the right son's vertical line
  std::int32_t icrsonY1 = 0;  // height of its foot
  std::int32_t Y2 = 0;        // height of this join's bar
  std::int32_t newclustX = 0; // middle of the bar, where the parent's line starts
};

// An object's leaf: its number is written upward under its line, centred on
// x, from the picture's bottom edge up to labelTop.
struct DendrogramLabel {
  std::int32_t object = 0;
  std::int32_t x = 0;
};

inline constexpr int kLeafBaseline = 14;  // height of the leaves' feet before scaling
inline constexpr int kMinLeafStep = 8;    // pixels between two leaves at least
inline constexpr int kRootGap = 5;        // the root's bar stands this far below the top
inline constexpr int kLabelGap = 3;       // room around a label

// The size of the leaves' labels, written upward, in pixels of the picture's font.
struct DendrogramLabelSize {
  int thickness = 0;  // across a label: the font's height
  int length = 0;     // along the longest label
};

struct DendrogramLayout {
  int width = 0;   // the picture's width: the one asked for, or wider so that every leaf has its own place
  int height = 0;
  int step = 0;    // pixels between two leaves
  int labelTop = 0;
  int labelEvery = 1;  // the k-th, 2k-th, ... leaf from the left carries its number
  // Every join at one height: the distances give no scale (identical objects, or
  // distances too large to draw).
  bool flat = false;
  Array<ClustGr> joins;
  std::vector<DendrogramLabel> labels;
};

// Lays out the joins of history, whose records are one per object (n objects:
// joins 0..n-2; objects are numbered 1..n, the cluster formed by join s is
// n + 1 + s), on a picture of width x height pixels. Objects stand left to right
// in the order in which they first take part in a join; every bar stands its
// joining distance above the higher of its sons, scaled so that the root's bar
// is kRootGap pixels below the top and the leaves' feet stand above their
// labels (at least kLeafBaseline pixels above the bottom). Labels that would
// touch their neighbours are thinned to every k-th leaf, k the smallest of 1,
// 2, 5, 10, 20, 50, ... that keeps them apart. A history of fewer than two
// records has no joins and gives an empty layout. A son that names no object
// and no earlier join is a RangeError.
DendrogramLayout ComputeDendrogramLayout(const Array<Clust>& history, int width, int height,
                                         const DendrogramLabelSize& labels);

// Every how many leaves step pixels apart a label of the given thickness is written.
int DendrogramLabelInterval(int step, int thickness);

}  // namespace tavrel
