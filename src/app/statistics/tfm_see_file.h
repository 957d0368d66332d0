#pragma once
// "Просмотр": the results viewer, a plain editable text with open, save, print.
#include <QDialog>
#include <QString>

class QPlainTextEdit;
class QToolBar;
class QAction;
class QPrinter;

namespace tavrel {

class TextLinesView;

class TfmSeeFile : public QDialog {
  Q_OBJECT
 public:
  explicit TfmSeeFile(QWidget* parent = nullptr);
  ~TfmSeeFile() override;

  // Shows File1 modally with the screen font, opened at the line that holds
  // byte reportStart (the start of its newest report); the printer font is
  // kept for printing.
  void OpenFile(const QString& File1, int txtFSize, const QString& txtFName, int prFSize, const QString& prFName,
                qint64 reportStart = 0);

  // Reads File1 into the text area, ready to show at the line that holds byte
  // reportStart; the caption and FilePath() become the path. A file larger than
  // kEditableBytes is shown read-only in LargeText, which opens it at once, and
  // the caption says so.
  void LoadFile(const QString& File1, qint64 reportStart = 0);
  static constexpr qint64 kEditableBytes = 2'000'000;
  bool IsReadOnly() const { return readOnly_; }
  // The whole text shown, as saved and printed.
  QString Text() const;

  // Prints the text, one printed line per line of the text, in the printer font.
  void PrintTo(QPrinter& printer) const;

  // The file shown, which saving writes.
  const QString& FilePath() const { return filePath_; }
  // The printer font's size, kept from OpenFile.
  int PrintFontSize() const { return printFontSize_; }

  QToolBar* toolBar;
  QAction* tbtnOpen;
  QAction* tbtnSave;
  QAction* tbtnSaveAs;
  QAction* tbtnPrint;
  QAction* tbtnPrintCfg;
  QAction* tbtnExit;
  QPlainTextEdit* resultsText;
  TextLinesView* LargeText;

 private:
  void tbtnOpenClick();
  void tbtnSaveClick();
  void tbtnSaveAsClick();
  void tbtnPrintClick();
  void tbtnPrintCfgClick();
  void WriteText(const QString& path);
  QPrinter& Printer();
  void ShowText(QByteArray bytes, qint64 reportStart);
  void ScrollToLanding();

 protected:
  void showEvent(QShowEvent* event) override;

 private:

  QString filePath_;
  QString printFontName_;
  int printFontSize_ = 0;
  QPrinter* printer_ = nullptr;
  int landingLine_ = 0;
  bool readOnly_ = false;
};

}  // namespace tavrel
