#include <QApplication>

#include "shell/tfm_main.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  tavrel::TfmMain window;
  window.show();
  return app.exec();
}
