#pragma once
// "Вывод в файл ": names the results file, asks whether to append, and opens it.
// Saving data writes the format of the name: ".xlsx", ".csv" or the text table.
#include <QDialog>

#include "app/shell/program_session.h"

class QLineEdit;
class QComboBox;
class QToolButton;
class QPushButton;

namespace tavrel {

class TfmDBFout : public QDialog {
  Q_OBJECT
 public:
  // Takes the directories from the settings, which must be loaded by then.
  explicit TfmDBFout(QWidget* parent = nullptr);

  // Shows the dialog; true when the command goes on, with ResultsFile() open.
  [[nodiscard]] bool Execute();

  QLineEdit* edTableName;
  QComboBox* cbxTypeFile;
  QComboBox* cbxCatalog;
  QToolButton* sbtnDataBase;
  QPushButton* btbtnOK;
  QPushButton* cancelButton;

 private:
  void sbtnDataBaseClick();
  void btbtnOKClick();
  void cbxTypeFileChange();
  // The data file's name with ".out", or with ".xlsx" when "Excel" is chosen.
  QString ProposedName() const;
  bool OpenResultsFile();
  void AddCatalog(const QString& directory);
};

}  // namespace tavrel
