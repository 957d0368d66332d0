#include <QIcon>
#include <QTimer>

#include "app/shell/single_instance.h"
#include "app/shell/tavrel_application.h"
#include "app/shell/tfm_main.h"

int main(int argc, char** argv) {
  tavrel::TavrelApplication app(argc, argv);
  // The lock is named from the program file as it was started, before the
  // program gives itself its title.
  tavrel::InstanceGuard guard;
  if (!tavrel::StartsAsFirstCopy(guard, QCoreApplication::applicationFilePath().toStdString())) return 1;
  QApplication::setApplicationName(QStringLiteral("Tavrel"));
  QApplication::setApplicationDisplayName(QStringLiteral("Tavrel"));
  QApplication::setDesktopFileName(QStringLiteral("tavrel"));
  QIcon icon;
  for (int size : {16, 32, 48, 128, 256}) icon.addFile(QStringLiteral(":/pictures/tavrel-%1.png").arg(size));
  QApplication::setWindowIcon(icon);
  tavrel::TfmMain window;
  window.show();
  // "tavrel FILE" (the desktop's "Open with") loads FILE once the window is up.
  const QString file = QCoreApplication::arguments().value(1);
  if (!file.isEmpty()) QTimer::singleShot(0, &window, [&window, file] { window.OpenFromCommandLine(file); });
  return app.exec();
}
