#pragma once
// The application object: a failure no command catches is shown in an error box and the program goes on.
#include <QApplication>
#include <exception>

namespace tavrel {

// The error box for a failure that reached the top.
void ReportUncaught(const std::exception* failure);

class TavrelApplication : public QApplication {
 public:
  TavrelApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace tavrel
