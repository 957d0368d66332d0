// The results viewer and the ways results are shown: large files at their
// newest report, saving, printing, and the messages when there is nothing to show.
#include <QClipboard>
#include <QPrinter>
#include <QScrollBar>
#include <QTextBlock>
#include <memory>

#include "app/shell/program_session.h"
#include "app_test_support.h"
#include "app/data/show_results.h"
#include "app/statistics/text_lines_view.h"
#include "app/statistics/tfm_see_file.h"

using namespace tavrel;
using namespace tavrel::test;

class TestResultsViewer : public QObject {
  Q_OBJECT

  std::unique_ptr<TemporaryHome> home_;
  std::unique_ptr<Messages> messages_;
  std::unique_ptr<TfmSeeFile> viewer_;

  void Open(const QString& path, std::vector<ModalScript::Step> steps) {
    ModalScript script(std::move(steps));
    viewer_->OpenFile(path, 10, "DejaVu Sans Mono", 9, "DejaVu Sans Mono");
    QVERIFY(script.Done());
  }

 private slots:
  void init() {
    home_ = std::make_unique<TemporaryHome>();
    ResetState();
    messages_ = std::make_unique<Messages>();
    viewer_ = std::make_unique<TfmSeeFile>();
  }
  void cleanup() {
    viewer_.reset();
    messages_.reset();
    home_.reset();
  }

  void ALargeResultsFileIsShownWholeAtItsNewestReport() {
    QCOMPARE(viewer_->windowTitle(), QStringLiteral("Просмотр"));
    QStringList hints;
    for (QAction* a : viewer_->toolBar->actions()) {
      if (!a->isSeparator()) hints << a->toolTip();
    }
    QCOMPARE(hints, (QStringList{"Открыть файл", "Сохранить", "Сохранить как...", "Печать", "Настройка принтера",
                                 "Выход"}));
    // 5 MB of earlier reports, then a report appended as a run appends it.
    QByteArray earlier;
    for (int i = 0; earlier.size() < 5'000'000; ++i) earlier += "Отчёт " + QByteArray::number(i) + " ...........\r\n";
    const QString path = home_->Write("big.out", earlier);
    const int earlierLines = static_cast<int>(earlier.count('\n'));
    ResultsFile().Open(path.toStdString(), true);
    for (int i = 0; i < 300; ++i) ResultsFile().WriteLn(i == 0 ? "Новый отчёт" : "строка");
    ResultsFile().Close();
    Data().ResultsFileName = path.toStdString();
    Config().InnerEditor = true;
    for (ResultsCaller caller : {ResultsCaller::AfterRun, ResultsCaller::MainWindow}) {
      ModalScript script({On<TfmSeeFile>([&](TfmSeeFile* v) {
        QCOMPARE(v->windowTitle(), path + " — только просмотр: файл больше 2 МБ");
        QVERIFY(v->IsReadOnly());
        QVERIFY(v->LargeText->isVisible() && !v->resultsText->isVisible());
        QCOMPARE(v->LargeText->LineCount(), earlierLines + 301);
        QCOMPARE(v->LargeText->LineText(earlierLines), QStringLiteral("Новый отчёт"));
        QCOMPARE(v->LargeText->LineText(earlierLines + 299), QStringLiteral("строка"));
        QCOMPARE(v->Text(), QString::fromUtf8(ReadAll(path)).remove('\r'));  // what is saved and printed
        QTRY_COMPARE(v->LargeText->TopLine(), earlierLines);  // the report's first line on top
        // A click and a Shift+click select, Ctrl+C copies; Ctrl+A takes everything.
        QWidget* lines = v->LargeText->viewport();
        const QFontMetrics metrics = v->LargeText->fontMetrics();
        const auto at = [&](int column, int row) {  // just right of where the character starts
          const QString text = v->LargeText->LineText(earlierLines + row);
          return QPoint(4 + metrics.horizontalAdvance(text.left(column)) + 1, row * metrics.lineSpacing() + 2);
        };
        QTest::mouseClick(lines, Qt::LeftButton, {}, at(6, 0));
        QTest::mouseClick(lines, Qt::LeftButton, Qt::ShiftModifier, at(3, 1));
        QCOMPARE(v->LargeText->SelectedText(), QStringLiteral("отчёт\nстр"));
        QTest::keyClick(v->LargeText, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("отчёт\nстр"));
        QTest::keyClick(v->LargeText, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(v->LargeText->SelectedText(), v->Text());
        v->tbtnExit->trigger();
      })});
      ShowResults(caller, *viewer_);
      QVERIFY(script.Done());
    }
    QVERIFY(messages_->shown.empty());

    // Another file opened in the viewer starts at its top.
    const QString other = home_->Write("other.out", earlier);
    Open(path, {On<TfmSeeFile>([](TfmSeeFile* v) {
      QTimer::singleShot(0, v->tbtnOpen, &QAction::trigger);
    }),
                PickFile(other), On<TfmSeeFile>([](TfmSeeFile* v) {
                  QCOMPARE(v->LargeText->TopLine(), 0);
                  v->tbtnExit->trigger();
                })});
    QCOMPARE(viewer_->FilePath(), other);
  }

  // Both ways of showing a file, either side of the size above which the text
  // is read-only: the same lines, the same landing, nothing lost on saving.
  void EditableUpToTheLimitReadOnlyAboveIt() {
    const QByteArray report = "Новый отчёт\r\nПеременная\tСреднее\r\nпоследняя строка без перевода";
    struct Case {
      qint64 size;
      bool readOnly;
    };
    for (const Case& c : {Case{TfmSeeFile::kEditableBytes, false}, Case{TfmSeeFile::kEditableBytes + 1, true},
                          Case{200, false}}) {
      QByteArray bytes;  // short lines, then one that brings the report to end at c.size
      for (int i = 0; bytes.size() + 6 + report.size() <= c.size; ++i) bytes += "x" + QByteArray::number(i % 10) + "\r\n";
      bytes += QByteArray(c.size - report.size() - bytes.size() - 2, 'y') + "\r\n";
      const qint64 start = bytes.size();
      bytes += report;
      QCOMPARE(bytes.size(), c.size);
      const int reportLine = static_cast<int>(bytes.left(start).count('\n'));
      const QString path = home_->Write("r.out", bytes);
      const QString copy = home_->Path("copy.out");
      ModalScript script({On<TfmSeeFile>([&](TfmSeeFile* v) {
                            QCOMPARE(v->IsReadOnly(), c.readOnly);
                            QCOMPARE(v->windowTitle().startsWith(path + " — только просмотр"), c.readOnly);
                            QCOMPARE(v->Text(), QString::fromUtf8(bytes).remove('\r'));
                            if (c.readOnly) {
                              QCOMPARE(v->LargeText->LineCount(), reportLine + 3);
                              QCOMPARE(v->LargeText->LineText(reportLine + 1), QStringLiteral("Переменная\tСреднее"));
                              // A report at the very end shows on the last screen.
                              QTRY_COMPARE(v->LargeText->TopLine(),
                                           std::min(reportLine, v->LargeText->verticalScrollBar()->maximum()));
                            } else {
                              QCOMPARE(v->resultsText->textCursor().block().text(), QStringLiteral("Новый отчёт"));
                              QTRY_COMPARE(v->resultsText->verticalScrollBar()->value(),
                                           std::min(reportLine, v->resultsText->verticalScrollBar()->maximum()));
                            }
                            QTimer::singleShot(0, v->tbtnSaveAs, &QAction::trigger);
                          }),
                          PickFile(copy), On<TfmSeeFile>([](TfmSeeFile* v) { v->tbtnExit->trigger(); })});
      viewer_->OpenFile(path, 10, "DejaVu Sans Mono", 9, "DejaVu Sans Mono", start);
      QVERIFY(script.Done());
      // A read-only text is saved as it came; the editor writes its lines with "\n".
      QCOMPARE(ReadAll(copy), c.readOnly ? bytes : QByteArray(bytes).replace("\r\n", "\n"));
    }
  }

  void SavesEditsWhereTheUserSaysAndPrintsInThePrinterFont() {
    const QString path = home_->Write("r.out", "line 1\r\nline 2\r\n");
    const QString copy = home_->Path("copy.txt");
    const QString pdf = home_->Path("print.pdf");
    Open(path, {On<TfmSeeFile>([&](TfmSeeFile* v) {
                  v->resultsText->setPlainText("edited");
                  v->tbtnSave->trigger();
                  QTimer::singleShot(0, v->tbtnSaveAs, &QAction::trigger);  // answered by the next step
                }),
                PickFile(copy),
                On<TfmSeeFile>([](TfmSeeFile* v) { v->tbtnExit->trigger(); })});
    QCOMPARE(ReadAll(path), QByteArray("edited"));
    QCOMPARE(ReadAll(copy), QByteArray("edited"));
    QCOMPARE(viewer_->FilePath(), copy);
    QCOMPARE(viewer_->PrintFontSize(), 9);

    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    viewer_->PrintTo(printer);
    QVERIFY(ReadAll(pdf).startsWith("%PDF"));
  }

  void ShowResultsSaysWhatIsMissing() {
    Data().ResultsFileName = home_->Path("none.out").toStdString();
    const QString notFound = "Файл не найден: (" + home_->Path("none.out") + ")!";
    struct Case {
      bool inner;
      const char* editor;
      ResultsCaller caller;
      MessageKind kind;
      QString text;
    };
    const Case cases[] = {
        {true, "", ResultsCaller::MainWindow, MessageKind::Information, notFound},
        {true, "", ResultsCaller::AfterRun, MessageKind::Warning, notFound},
        {false, "/no/editor", ResultsCaller::MainWindow, MessageKind::Information, "Внешний редактор не найден!"},
        {false, "/bin/true", ResultsCaller::AfterRun, MessageKind::Warning, notFound},
    };
    for (const Case& c : cases) {
      messages_->shown.clear();
      Config().InnerEditor = c.inner;
      Config().ExtEditor = c.editor;
      ShowResults(c.caller, *viewer_);
      QCOMPARE(messages_->shown.size(), size_t{1});
      QCOMPARE(messages_->shown[0].first, c.kind);
      QCOMPARE(messages_->shown[0].second, c.text);
    }
    // An editor that is there is started with the file and says nothing.
    home_->Write("none.out", "x");
    messages_->shown.clear();
    ShowResults(ResultsCaller::MainWindow, *viewer_);
    QVERIFY(messages_->shown.empty());
  }
};

QTEST_MAIN(TestResultsViewer)
#include "test_results_viewer.moc"
