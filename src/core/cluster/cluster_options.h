#pragma once
// The options of the cluster command. The program keeps one set for its whole
// run: the settings file gives their first values, the parameter dialog
// changes them; the batch tool makes its own per command.
#include <string>

namespace tavrel {

struct Settings;

enum ObjectDistances : int { kEuclidean = 0, kRangeCityBlock = 1, kHamming = 2 };
enum JoiningMethods : int {
  kNearestNeighbour = 0,
  kFurthestNeighbour = 1,
  kGroupAverage = 2,
  kCentroid = 3,
  kWard = 4,
  kFlexible = 5,
};
inline constexpr int kObjectDistanceCount = 3;
inline constexpr int kJoiningMethodCount = 6;

inline constexpr int kMinClusterNumber = 1;  // the range of the dialog's spin edit
inline constexpr int kMaxClusterNumber = 10;

inline constexpr double kDefaultBeta = -0.25;
inline constexpr const char* kDefaultBetaText = "-0.25";

struct ClusterOptions {
  int ObjectDistance = kEuclidean;
  int ClusterDistance = kNearestNeighbour;  // the joining method
  int ClusterNumber = 1;                    // the clusters whose classification is kept
  bool PrintDistances = false;
  bool ClustCont = false;       // source data by cluster
  bool AddClustNumber = false;  // the cluster-number variable
  double Beta = kDefaultBeta;   // coefficient of the flexible method
};

// The first options: the distance, method, number of clusters and the two
// stored check boxes from the settings; printing the distances is off and beta
// is -0.25.
ClusterOptions ClusterOptionsFrom(const Settings& s);

// The captions of the parameter dialog's radio items, which the report repeats.
const char* ObjectDistanceCaption(int index);
const char* JoiningMethodCaption(int index);

}  // namespace tavrel
