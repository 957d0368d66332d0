#include "app/shell/command_options.h"

namespace tavrel {

StatOptions& StatConfig() {
  static StatOptions options;
  return options;
}

ClusterOptions& ClusterConfig() {
  static ClusterOptions options;
  return options;
}

}  // namespace tavrel
