#include "app/statistics/tfm_see_file.h"

#include <algorithm>
#include <cerrno>

#include <QFile>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>
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

#include "app/shell/busy_cursor.h"
#include "app/shell/message_service.h"
#include "app/shell/program_session.h"
#include "app/shell/tavrel_application.h"
#include "app/shell/tool_icons.h"
#include "app/statistics/text_lines_view.h"
#include "core/base/errors.h"
#include "core/base/system_error_text.h"
#include "core/data/dataset.h"
#include "core/data/results_file.h"

namespace tavrel {

namespace {

const QString kFilter = QStringLiteral("все файлы (*);;файл TXT (*.TXT *.txt);;файл DAT (*.DAT *.dat)");

QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  errno = 0;
  if (!file.open(QIODevice::ReadOnly)) {
    throw InOutError("Не удаётся открыть файл " + path.toStdString() + ": " + SystemErrorText(errno));
  }
  return file.readAll();
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
  resultsText = new QPlainTextEdit(this);
  resultsText->setObjectName("resultsText");
  resultsText->setLineWrapMode(QPlainTextEdit::NoWrap);
  resultsText->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  resultsText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  LargeText = new TextLinesView(this);
  LargeText->setObjectName("LargeText");
  LargeText->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  LargeText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  LargeText->hide();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(toolBar);
  layout->addWidget(resultsText);
  layout->addWidget(LargeText);
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
                          const QString& prFName, qint64 reportStart) {
  QFont font(txtFName);
  if (txtFSize > 0) font.setPointSize(txtFSize);
  font.setStyleHint(QFont::TypeWriter);
  resultsText->setFont(font);
  LargeText->setFont(font);
  LoadFile(File1, reportStart);
  printFontName_ = prFName;
  printFontSize_ = prFSize;
  exec();
}

void TfmSeeFile::LoadFile(const QString& File1, qint64 reportStart) {
  ShowText(ReadBytes(File1), reportStart);
  filePath_ = File1;
  setWindowTitle(readOnly_ ? File1 + QStringLiteral(" — только просмотр: файл больше 2 МБ") : File1);
}

void TfmSeeFile::ShowText(QByteArray bytes, qint64 reportStart) {
  BusyCursor busy;
  const qint64 start = std::clamp<qint64>(reportStart, 0, bytes.size());
  // An editor document costs about a second of work for every fifteen
  // megabytes, so larger files go to the line view, which costs next to nothing.
  readOnly_ = bytes.size() > kEditableBytes;
  if (readOnly_) {
    resultsText->clear();
    LargeText->SetBytes(std::move(bytes));
    landingLine_ = LargeText->LineOfByte(start);
  } else {
    LargeText->SetBytes({});
    landingLine_ = static_cast<int>(std::count(bytes.cbegin(), bytes.cbegin() + start, '\n'));
    resultsText->setPlainText(QString::fromUtf8(bytes));
    resultsText->setTextCursor(QTextCursor(resultsText->document()->findBlockByNumber(landingLine_)));
  }
  resultsText->setVisible(!readOnly_);
  LargeText->setVisible(readOnly_);
  (readOnly_ ? static_cast<QWidget*>(LargeText) : resultsText)->setFocus();
  // Once the window is shown, showEvent scrolls the report to the top.
  if (isVisible()) ScrollToLanding();
}

void TfmSeeFile::ScrollToLanding() {
  // Without wrapping, both text areas scroll by lines.
  if (readOnly_) LargeText->ScrollToLine(landingLine_);
  else resultsText->verticalScrollBar()->setValue(landingLine_);
}

QString TfmSeeFile::Text() const { return readOnly_ ? LargeText->Text() : resultsText->toPlainText(); }

void TfmSeeFile::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The report's first line on top, once the text area has its size.
  QTimer::singleShot(0, this, [this] { ScrollToLanding(); });
}

void TfmSeeFile::tbtnOpenClick() {
  const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Открыть файл"), filePath_, kFilter);
  if (path.isEmpty()) return;
  LoadFile(path);
}

void TfmSeeFile::WriteText(const QString& path) {
  // A read-only text is written back byte for byte, line ends included.
  const QByteArray bytes = readOnly_ ? LargeText->Bytes() : resultsText->toPlainText().toUtf8();
  // Written as every output is: a file is replaced once the whole text is written.
  ResultsFileWriter writer;
  writer.Open(QFile::encodeName(path).toStdString(), false, {Data().DataFileName, {}});
  writer.Write(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  writer.Close();
}

void TfmSeeFile::tbtnSaveClick() {
  if (filePath_.isEmpty()) return tbtnSaveAsClick();
  WriteText(filePath_);
}

void TfmSeeFile::tbtnSaveAsClick() {
  const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Сохранить как..."), filePath_, kFilter);
  if (path.isEmpty()) return;
  WriteText(path);
  setWindowTitle(path);
  filePath_ = path;
}

QPrinter& TfmSeeFile::Printer() {
  if (!printer_) printer_ = new QPrinter(QPrinter::HighResolution);
  return *printer_;
}

void TfmSeeFile::PrintTo(QPrinter& printer) const {
  QTextDocument document;
  QFont font(printFontName_);
  if (printFontSize_ > 0) font.setPointSize(printFontSize_);
  font.setStyleHint(QFont::TypeWriter);
  document.setDefaultFont(font);
  document.setPlainText(Text());
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
