#include "app/data/tfm_dbf_out.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/shell/message_service.h"
#include "app/shell/program_session.h"
#include "core/base/errors.h"
#include "core/data/data_input.h"
#include "core/data/dataset.h"
#include "core/data/output_target.h"
#include "core/data/results_file.h"
#include "core/shell/settings.h"

namespace tavrel {

namespace {

QString Text(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

TfmDBFout::TfmDBFout(QWidget* parent) : QDialog(parent) {
  setObjectName("TfmDBFout");
  setWindowTitle(QStringLiteral("Вывод в файл "));
  // No close box: the dialog is left with "Далее" or "Отмена" (Esc).
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  edTableName = new QLineEdit(this);
  edTableName->setObjectName("edTableName");
  cbxTypeFile = new QComboBox(this);
  cbxTypeFile->setObjectName("cbxTypeFile");
  cbxTypeFile->addItems({QStringLiteral("Текст"), QStringLiteral("Excel")});
  cbxCatalog = new QComboBox(this);
  cbxCatalog->setObjectName("cbxCatalog");
  cbxCatalog->setEditable(true);
  cbxCatalog->setInsertPolicy(QComboBox::NoInsert);
  cbxCatalog->setMinimumWidth(300);
  sbtnDataBase = new QToolButton(this);
  sbtnDataBase->setObjectName("sbtnDataBase");
  sbtnDataBase->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
  sbtnDataBase->setToolTip(QStringLiteral("Выбор каталога"));
  btbtnOK = new QPushButton(QStringLiteral("Далее"), this);
  btbtnOK->setObjectName("btbtnOK");
  btbtnOK->setDefault(true);
  cancelButton = new QPushButton(QStringLiteral("Отмена"), this);
  cancelButton->setObjectName("cancelButton");

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("Название файла"), this), 0, 0);
  grid->addWidget(edTableName, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Тип файла"), this), 0, 2);
  grid->addWidget(cbxTypeFile, 0, 3);
  grid->addWidget(new QLabel(QStringLiteral("Каталог"), this), 1, 0);
  auto* catalog = new QHBoxLayout;
  catalog->addWidget(cbxCatalog, 1);
  catalog->addWidget(sbtnDataBase);
  grid->addLayout(catalog, 1, 1, 1, 3);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btbtnOK);
  buttons->addWidget(cancelButton);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);

  connect(sbtnDataBase, &QToolButton::clicked, this, &TfmDBFout::sbtnDataBaseClick);
  connect(btbtnOK, &QPushButton::clicked, this, &TfmDBFout::btbtnOKClick);
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
  connect(cbxTypeFile, &QComboBox::activated, this, &TfmDBFout::cbxTypeFileChange);

  const QString output = Text(EffectiveDirectory(Config().OutputCat));
  AddCatalog(output);
  AddCatalog(Text(EffectiveDirectory(Config().InputCat)));
  cbxCatalog->setCurrentText(output);
}

void TfmDBFout::AddCatalog(const QString& directory) {
  if (cbxCatalog->findText(directory) < 0) cbxCatalog->addItem(directory);
}

bool TfmDBFout::Execute() {
  const bool saving = Data().OperationMode == kModeSaving;
  if (!saving) cbxTypeFile->setCurrentIndex(0);
  cbxTypeFile->setEnabled(saving);
  cbxCatalog->setCurrentText(Text(EffectiveDirectory(Config().OutputCat)));
  edTableName->setText(ProposedName());
  return exec() == QDialog::Accepted;
}

QString TfmDBFout::ProposedName() const {
  const QString name = Text(ProposedResultsName(Data().DataFileShortName));
  // Saving chooses the format by the name's extension: "Excel" proposes a workbook.
  return cbxTypeFile->currentIndex() == 1 ? name.left(name.size() - 4) + ".xlsx" : name;
}

void TfmDBFout::cbxTypeFileChange() { edTableName->setText(ProposedName()); }

void TfmDBFout::sbtnDataBaseClick() {
  QString dir = QFileDialog::getExistingDirectory(this, QStringLiteral("Выбор каталога"), cbxCatalog->currentText());
  if (dir.isEmpty()) return;
  if (!dir.endsWith('/')) dir += '/';
  AddCatalog(dir);
  cbxCatalog->setCurrentText(dir);
}

void TfmDBFout::btbtnOKClick() {
  if (edTableName->text().trimmed().isEmpty()) return;
  if (OpenResultsFile()) accept();
}

bool TfmDBFout::OpenResultsFile() {
  const QString directory = cbxCatalog->currentText();
  Config().OutputCat = directory.toStdString();
  AddCatalog(directory);
  const std::string path = ResultsFilePath(Config().OutputCat, edTableName->text().toStdString());
  const KeptFiles kept{Data().DataFileName, {}};
  OutputTarget target;
  try {
    target = CheckOutputTarget(path, kept);
  } catch (const InOutError& e) {
    // Another name or directory can be given.
    ShowMessage(MessageKind::Warning, std::string(e.what()), this);
    return false;
  }
  Data().ResultsFileName = path;
  bool append = false;
  if (target.kind != OutputKind::NewFile) {
    const Answer answer = AskYesNoCancel(AppendQuestion(path), this);
    if (answer == Answer::Cancel) {
      // The command stops and the file stays as it is.
      reject();
      return false;
    }
    append = answer == Answer::Yes;
  }
  try {
    ResultsFile().Open(path, append, kept);
  } catch (const InOutError& e) {
    // Another name or directory can be given.
    ShowMessage(MessageKind::Error, std::string(e.what()), this);
    return false;
  }
  return true;
}

}  // namespace tavrel
