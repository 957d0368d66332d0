#include "app/shell/tavrel_application.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/shell/message_service.h"
#include "app/shell/file_dialog_size.h"
#include "app/shell/mnemonics.h"

namespace tavrel {

void ReportUncaught(const std::exception* failure) {
  ShowMessage(MessageKind::Error, failure ? QString::fromUtf8(failure->what()) : QStringLiteral("Неизвестная ошибка"));
}

void RunGuarded(const std::function<void()>& command) {
  try {
    command();
  } catch (const std::exception& e) {
    ReportUncaught(&e);
  } catch (...) {
    ReportUncaught(nullptr);
  }
}

bool LoadQtTranslation(QCoreApplication& application) {
  auto* translator = new QTranslator(&application);
  if (!translator->load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

TavrelApplication::TavrelApplication(int& argc, char** argv) : QApplication(argc, argv) {
  // Dates, sizes and file types in the file dialogs follow the Russian locale too.
  QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
  LoadQtTranslation(*this);
  InstallMnemonicsOnShow(this);
  InstallFileDialogSizeOnShow(this);
}

bool TavrelApplication::notify(QObject* receiver, QEvent* event) {
  bool handled = false;
  RunGuarded([&] { handled = QApplication::notify(receiver, event); });
  return handled;
}

}  // namespace tavrel
