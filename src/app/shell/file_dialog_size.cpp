#include "app/shell/file_dialog_size.h"

#include <QEvent>
#include <QFileDialog>
#include <algorithm>

namespace tavrel {

namespace {

constexpr int kWidth = 860;
constexpr int kHeight = 520;

class FileDialogSizeOnShow : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      if (auto* dialog = qobject_cast<QFileDialog*>(watched)) {
        if (dialog->width() < kWidth || dialog->height() < kHeight) {
          dialog->resize(std::max(dialog->width(), kWidth), std::max(dialog->height(), kHeight));
        }
      }
    }
    return false;
  }
};

}  // namespace

void InstallFileDialogSizeOnShow(QObject* application) {
  application->installEventFilter(new FileDialogSizeOnShow(application));
}

}  // namespace tavrel
