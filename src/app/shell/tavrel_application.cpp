#include "shell/tavrel_application.h"

#include "shell/message_service.h"

namespace tavrel {

void ReportUncaught(const std::exception* failure) {
  ShowMessage(MessageKind::Error, failure ? QString::fromUtf8(failure->what()) : QStringLiteral("Неизвестная ошибка"));
}

TavrelApplication::TavrelApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TavrelApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    ReportUncaught(&e);
  } catch (...) {
    ReportUncaught(nullptr);
  }
  return false;
}

}  // namespace tavrel
