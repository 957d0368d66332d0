#include "shell/tavrel_application.h"

#include "shell/message_service.h"

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

TavrelApplication::TavrelApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TavrelApplication::notify(QObject* receiver, QEvent* event) {
  bool handled = false;
  RunGuarded([&] { handled = QApplication::notify(receiver, event); });
  return handled;
}

}  // namespace tavrel
