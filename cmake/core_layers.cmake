# The engine's folders, each a library that builds on the folders after its
# colon only. Read by src/core/CMakeLists.txt and cmake/check_layers.cmake.
set(TAVREL_CORE_LAYERS
  "base:"
  "shell:base"
  "data:shell base"
  "statistics:data shell base"
  "preparation:statistics data shell base"
  "cluster:statistics data shell base"
  "graphs:cluster statistics data shell base"
  "commands:graphs cluster preparation statistics data shell base")
