#include "app/graphs/picture_file_dialog.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>

#include "app/shell/message_service.h"
#include "app/shell/program_session.h"
#include "core/base/errors.h"
#include "core/data/dataset.h"
#include "core/data/output_target.h"

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
  return AcceptedPictureFile(parent, path) ? path : QString();
}

bool AcceptedPictureFile(QWidget* parent, const QString& path) {
  OutputTarget target;
  try {
    target = CheckOutputTarget(QFile::encodeName(path).toStdString(), {Data().DataFileName, {}});
  } catch (const InOutError& e) {
    ShowMessage(MessageKind::Warning, std::string(e.what()), parent);
    return false;
  }
  return target.kind == OutputKind::NewFile ||
         ShowMessage(MessageKind::Confirmation, QStringLiteral("Файл ") + path + QStringLiteral(" уже существует. Переписать?"),
                     parent);
}

}  // namespace tavrel
