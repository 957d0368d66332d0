// The results viewer and the ways results are shown: the size limit, saving,
// printing, and the messages when there is nothing to show.
#include <QPrinter>
#include <memory>

#include "app_test_support.h"
#include "data/show_results.h"
#include "statistics/tfm_see_file.h"

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

  void FilesUpToTheLimitAreShownLargerOnesRefused() {
    QCOMPARE(viewer_->windowTitle(), QStringLiteral("Просмотр"));
    QStringList hints;
    for (QAction* a : viewer_->toolBar->actions()) {
      if (!a->isSeparator()) hints << a->toolTip();
    }
    QCOMPARE(hints, (QStringList{"Открыть файл", "Сохранить", "Сохранить как...", "Печать", "Настройка принтера",
                                 "Выход"}));
    const QString fits = home_->Write("fits.out", "Отчёт\r\n" + QByteArray(31999 - 12, 'x'));
    QCOMPARE(QFileInfo(fits).size(), 31999);
    Open(fits, {On<TfmSeeFile>([&fits](TfmSeeFile* v) {
      QCOMPARE(v->windowTitle(), fits);
      QVERIFY(v->Memo1->toPlainText().startsWith(QStringLiteral("Отчёт\n")));
      v->tbtnExit->trigger();
    })});
    QVERIFY(messages_->shown.empty());

    const QString large = home_->Write("large.out", QByteArray(32000, 'x'));
    viewer_->OpenFile(large, 10, "DejaVu Sans Mono", 9, "DejaVu Sans Mono");  // no window may open
    QCOMPARE(messages_->shown.size(), size_t{1});
    QCOMPARE(messages_->shown[0].first, MessageKind::Warning);
    QVERIFY(messages_->shown[0].second.startsWith(
        QStringLiteral("Просмотр файла во внутреннем редакторе невозможен,\nт.к. его размер слишком велик (>32 кб).\n")));
  }

  void SavesEditsWhereTheUserSaysAndPrintsInThePrinterFont() {
    const QString path = home_->Write("r.out", "line 1\r\nline 2\r\n");
    const QString copy = home_->Path("copy.txt");
    const QString pdf = home_->Path("print.pdf");
    Open(path, {On<TfmSeeFile>([&](TfmSeeFile* v) {
                  v->Memo1->setPlainText("edited");
                  v->tbtnSave->trigger();
                  QTimer::singleShot(0, v->tbtnSaveAs, &QAction::trigger);  // answered by the next step
                }),
                PickFile(copy),
                On<TfmSeeFile>([](TfmSeeFile* v) { v->tbtnExit->trigger(); })});
    QCOMPARE(ReadAll(path), QByteArray("edited"));
    QCOMPARE(ReadAll(copy), QByteArray("edited"));
    QCOMPARE(viewer_->FileEdit, copy);
    QCOMPARE(viewer_->prFontSize0, 9);

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
