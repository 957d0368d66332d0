#include "shell/tfm_main.h"

#include <QMenuBar>
#include <QString>

#include "data/program_version.h"

namespace tavrel {

TfmMain::TfmMain(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QString::fromStdString(ProgramCaption()));
  menuBar()->addMenu(QStringLiteral("Файл"));
  menuBar()->addMenu(QStringLiteral("График"));
  menuBar()->addMenu(QStringLiteral("Вычисления"));
  menuBar()->addMenu(QStringLiteral("Сервис"));
  resize(800, 500);
}

}  // namespace tavrel
