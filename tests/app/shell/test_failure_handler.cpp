// A failure that no command catches is shown in an error box and the program goes on.
#include <QPushButton>

#include "app/shell/tavrel_application.h"
#include "app_test_support.h"
#include "core/base/errors.h"

using namespace tavrel;
using namespace tavrel::test;

namespace {

// An object whose event handler fails, as a window's might.
class Failing : public QObject {
 public:
  bool event(QEvent* e) override {
    if (e->type() == QEvent::User) throw InOutError("Ошибка записи в файл x.out");
    return QObject::event(e);
  }
};

}  // namespace

class TestFailureHandler : public QObject {
  Q_OBJECT

 private slots:
  void AFailureInACommandIsShownAndTheNextCommandRuns() {
    Messages messages;
    QPushButton button;
    int runs = 0;
    QObject::connect(&button, &QPushButton::clicked, Guarded([&runs] {
                       ++runs;
                       throw RangeError("Ошибка диапазона");
                     }));
    button.show();
    for (int i = 1; i <= 2; ++i) {
      QTest::mouseClick(&button, Qt::LeftButton);
      QCOMPARE(runs, i);
      QCOMPARE(messages.shown.size(), size_t(i));
      QCOMPARE(messages.shown.back().first, MessageKind::Error);
      QCOMPARE(messages.shown.back().second, QStringLiteral("Ошибка диапазона"));
    }
  }

  void AFailureThatEscapesAnEventHandlerIsShownToo() {
    Messages messages;
    Failing failing;
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&failing, &event);
    QCOMPARE(messages.Texts(), QStringList{"Ошибка записи в файл x.out"});
  }
};

int main(int argc, char** argv) {
  TavrelApplication app(argc, argv);
  TestFailureHandler test;
  return QTest::qExec(&test, argc, argv);
}
#include "test_failure_handler.moc"
