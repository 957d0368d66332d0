#include "app/graphs/picture_file_dialog.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>

#include "app/shell/message_service.h"

namespace tavrel {

QString ChoosePictureFile(QWidget* parent, const QString& caption, const QString& dir, const QString& proposed,
                          const QString& vectorNote) {
  QFileDialog dialog(parent, caption);
  dialog.setObjectName("SaveDialog1");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setNameFilters({QStringLiteral("Bitmaps (*.bmp)"), QStringLiteral("PNG (*.png)"),
                         QStringLiteral("JPEG (*.jpg *.jpeg)"), QStringLiteral("SVG") + vectorNote + QStringLiteral(" (*.svg)"),
                         QStringLiteral("PDF") + vectorNote + QStringLiteral(" (*.pdf)")});
  dialog.setDefaultSuffix(QStringLiteral("bmp"));
  if (!dir.isEmpty()) dialog.setDirectory(dir);
  if (!proposed.isEmpty()) dialog.selectFile(proposed);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  const QString path = dialog.selectedFiles().first();
  if (QFile::exists(path) &&
      !ShowMessage(MessageKind::Confirmation, QStringLiteral("Файл ") + path + QStringLiteral(" уже существует. Переписать?"),
                   parent)) {
    return {};
  }
  return path;
}

}  // namespace tavrel
