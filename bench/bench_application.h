#pragma once
// The one application object of the benchmark process, made by whichever
// benchmark needs windows or fonts first; the benchmark has no screen.
#include <QApplication>

inline QApplication& BenchApplication() {
  static int argc = 1;
  static char name[] = "tavrel_bench";
  static char* argv[] = {name, nullptr};
  // Kept to the end of the process: destroying it among the exit handlers
  // would outlive the toolkit's own state.
  static QApplication* app = [] {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(argc, argv);
  }();
  return *app;
}
