#include "statistics/tfm_see_file.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QPageSetupDialog>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QStyle>
#include <QTextDocument>
#include <QToolBar>
#include <QVBoxLayout>

#include "data/errors.h"
#include "shell/message_service.h"
#include "shell/tavrel_application.h"
#include "shell/tool_icons.h"

namespace tavrel {

namespace {

const QString kFilter = QStringLiteral("все файлы (*);;файл TXT (*.TXT *.txt);;файл DAT (*.DAT *.dat)");
const QString kTooLarge = QStringLiteral(
    "Просмотр файла во внутреннем редакторе невозможен,\nт.к. его размер слишком велик (>32 кб).\n"
    "Укажите в настройке другой редактор (NotePad, WordPad)");

QString ReadText(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) throw InOutError("Не удаётся открыть файл " + path.toStdString());
  return QString::fromUtf8(file.readAll());
}

}  // namespace

TfmSeeFile::TfmSeeFile(QWidget* parent) : QDialog(parent) {
  setObjectName("TfmSeeFile");
  setWindowTitle(QStringLiteral("Просмотр"));
  setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
  toolBar = new QToolBar(this);
  auto add = [this](const char* name, const QIcon& icon, const char* hint) {
    QAction* action = toolBar->addAction(icon, QString::fromUtf8(hint));
    action->setObjectName(name);
    action->setToolTip(QString::fromUtf8(hint));
    return action;
  };
  tbtnOpen = add("tbtnOpen", style()->standardIcon(QStyle::SP_DialogOpenButton), "Открыть файл");
  tbtnSave = add("tbtnSave", style()->standardIcon(QStyle::SP_DialogSaveButton), "Сохранить");
  tbtnSaveAs = add("tbtnSaveAs", QIcon::fromTheme("document-save-as", style()->standardIcon(QStyle::SP_DriveFDIcon)), "Сохранить как...");
  toolBar->addSeparator();
  tbtnPrint = add("tbtnPrint", DrawToolIcon(ToolPicture::Printer), "Печать");
  tbtnPrintCfg = add("tbtnPrintCfg", DrawToolIcon(ToolPicture::PrinterSetup), "Настройка принтера");
  toolBar->addSeparator();
  tbtnExit = add("tbtnExit", style()->standardIcon(QStyle::SP_DialogCloseButton), "Выход");
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName("Memo1");
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(toolBar);
  layout->addWidget(Memo1);
  resize(760, 560);

  connect(tbtnOpen, &QAction::triggered, this, Guarded([this] { tbtnOpenClick(); }));
  connect(tbtnSave, &QAction::triggered, this, Guarded([this] { tbtnSaveClick(); }));
  connect(tbtnSaveAs, &QAction::triggered, this, Guarded([this] { tbtnSaveAsClick(); }));
  connect(tbtnPrint, &QAction::triggered, this, Guarded([this] { tbtnPrintClick(); }));
  connect(tbtnPrintCfg, &QAction::triggered, this, Guarded([this] { tbtnPrintCfgClick(); }));
  connect(tbtnExit, &QAction::triggered, this, &QDialog::accept);
}

TfmSeeFile::~TfmSeeFile() { delete printer_; }

void TfmSeeFile::OpenFile(const QString& File1, int txtFSize, const QString& txtFName, int prFSize,
                          const QString& prFName) {
  QFont font(txtFName);
  if (txtFSize > 0) font.setPointSize(txtFSize);
  font.setStyleHint(QFont::TypeWriter);
  Memo1->setFont(font);
  if (QFileInfo(File1).size() > kViewerSizeLimit) {
    ShowMessage(MessageKind::Warning, kTooLarge, this);
    return;
  }
  Memo1->setPlainText(ReadText(File1));
  FileEdit = File1;
  setWindowTitle(File1);
  prFontName0 = prFName;
  prFontSize0 = prFSize;
  exec();
}

void TfmSeeFile::tbtnOpenClick() {
  const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Открыть файл"), FileEdit, kFilter);
  if (path.isEmpty()) return;
  Memo1->setPlainText(ReadText(path));
  setWindowTitle(path);
  FileEdit = path;
}

void TfmSeeFile::WriteText(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(Memo1->toPlainText().toUtf8()) < 0 ||
      !file.flush()) {
    throw InOutError("Не удаётся записать файл " + path.toStdString());
  }
}

void TfmSeeFile::tbtnSaveClick() {
  if (FileEdit.isEmpty()) return tbtnSaveAsClick();
  WriteText(FileEdit);
}

void TfmSeeFile::tbtnSaveAsClick() {
  const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Сохранить как..."), FileEdit, kFilter);
  if (path.isEmpty()) return;
  WriteText(path);
  setWindowTitle(path);
  FileEdit = path;
}

QPrinter& TfmSeeFile::Printer() {
  if (!printer_) printer_ = new QPrinter(QPrinter::HighResolution);
  return *printer_;
}

void TfmSeeFile::PrintTo(QPrinter& printer) const {
  QTextDocument document;
  QFont font(prFontName0);
  if (prFontSize0 > 0) font.setPointSize(prFontSize0);
  font.setStyleHint(QFont::TypeWriter);
  document.setDefaultFont(font);
  document.setPlainText(Memo1->toPlainText());
  document.print(&printer);
}

void TfmSeeFile::tbtnPrintClick() {
  QPrintDialog dialog(&Printer(), this);
  if (dialog.exec() == QDialog::Accepted) PrintTo(Printer());
}

void TfmSeeFile::tbtnPrintCfgClick() {
  QPageSetupDialog dialog(&Printer(), this);
  dialog.exec();
}

}  // namespace tavrel
