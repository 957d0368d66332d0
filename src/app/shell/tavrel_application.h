#pragma once
// A failure no command catches is shown in an error box and the program goes on.
#include <QApplication>
#include <exception>
#include <functional>

namespace tavrel {

// The error box for a failure that reached the top.
void ReportUncaught(const std::exception* failure);

// Runs a command; a failure it does not catch itself is shown by ReportUncaught.
void RunGuarded(const std::function<void()>& command);

// A slot that runs command guarded, for connecting buttons and menu items.
template <class F>
auto Guarded(F command) {
  return [command](auto&&...) { RunGuarded(command); };
}

// Loads Qt's own Russian texts (standard buttons, file and print dialogs);
// false when the translation is not installed.
bool LoadQtTranslation(QCoreApplication& application);

// The application object: Qt's Russian texts, mnemonics on every dialog, and
// event delivery as the last guard for failures that escape an event handler.
class TavrelApplication : public QApplication {
 public:
  TavrelApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace tavrel
