// The command "Дерево кластеров": the dendrogram window with its scroll area,
// saving and printing, and the text tree it opens.
#include <QAction>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTreeWidget>
#include <memory>

#include "app/shell/program_session.h"
#include "app_test_support.h"
#include "app/cluster/tfm_clust_tree.h"
#include "app/cluster/tfm_clust_tree1.h"
#include "app/shell/tfm_main.h"

using namespace tavrel;
using namespace tavrel::test;

namespace {

// n objects: 2 and 1 join first, then each next object joins the cluster before it.
Array<Clust> Chain(std::int32_t n) {
  Array<Clust> h(static_cast<std::size_t>(n));
  for (std::int32_t s = 0; s + 1 < n; ++s) {
    h[s] = {1.0 + s, s == 0 ? 2 : n + s, s == 0 ? 1 : s + 2, n + 1 + s};
  }
  h[n - 1].Clevel = h[n - 2].Clevel;
  return h;
}

QStringList ChildTexts(const QTreeWidgetItem* item) {
  QStringList texts;
  for (int i = 0; i < item->childCount(); ++i) texts << item->child(i)->text(0);
  return texts;
}

}  // namespace

class TestClusterTrees : public QObject {
  Q_OBJECT

  std::unique_ptr<TemporaryHome> home_;
  std::unique_ptr<Messages> messages_;
  std::unique_ptr<TfmMain> main_;

  void Cluster(std::int32_t objects) {
    Data().Cluster.ClustArray = Chain(objects);
    main_->EnableClusterCommands(true);
  }

 private slots:
  void init() {
    home_ = std::make_unique<TemporaryHome>();
    ResetState();
    home_->WriteSettings({{"OutputCat", home_->Path("")}});
    messages_ = std::make_unique<Messages>();
    main_ = std::make_unique<TfmMain>();
    main_->show();
  }
  void cleanup() {
    main_.reset();
    messages_.reset();
    home_.reset();
  }

  void TheCommandShowsTheDendrogramAndItsTextTree() {
    Cluster(4);
    // The data set has changed since the run: the trees keep to the run's objects.
    Data().NumObs = 2;
    Data().LastObs = 1;
    QStringList top, third, deepest;
    int topLevel = -1;
    QString title, treeTitle;
    std::size_t leaves = 0;
    ModalScript script({On<TfmClustTree>([&](TfmClustTree* w) {
                          title = w->windowTitle();
                          leaves = w->treeView->Layout().labels.size();
                          QTimer::singleShot(0, w->tbtnTree, &QAction::trigger);
                        }),
                        On<TfmClustTree1>([&](TfmClustTree1* w) {
                          treeTitle = w->windowTitle();
                          topLevel = w->joinsTree->topLevelItemCount();
                          const QTreeWidgetItem* root = w->joinsTree->topLevelItem(0);
                          top = QStringList{root->text(0)} + ChildTexts(root);
                          third = ChildTexts(root->child(2));
                          deepest = ChildTexts(root->child(2)->child(2));
                          QVERIFY(root->child(2)->child(2)->isExpanded());
                          w->tbtnShut->trigger();
                          QVERIFY(!root->isExpanded());
                          w->tbtnExpand->trigger();
                          QVERIFY(root->child(2)->isExpanded());
                          QCOMPARE(w->joinsTree->currentItem(), root);
                          w->tbtnClose->trigger();
                        }),
                        On<TfmClustTree>([](TfmClustTree* w) { w->tbtnClose->trigger(); })});
    main_->mnClTree->trigger();
    QVERIFY(script.Done());
    QCOMPARE(title, QStringLiteral("Дендрограмма"));
    QCOMPARE(treeTitle, QStringLiteral("Кластеры"));
    QCOMPARE(leaves, std::size_t(4));
    // Joins {2,1} -> 5, {5,3} -> 6, {6,4} -> 7: one chain, the last join on top.
    QCOMPARE(topLevel, 1);
    QCOMPARE(top, (QStringList{"7", "6", "4", "6"}));
    QCOMPARE(third, (QStringList{"5", "3", "5"}));
    QCOMPARE(deepest, (QStringList{"2", "1"}));
    QVERIFY(messages_->shown.empty());
  }

  void ManyObjectsWidenThePictureInsideTheScrollArea() {
    Cluster(3001);
    TfmClustTree w(main_.get());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const DendrogramLayout& layout = w.treeView->Layout();
    QCOMPARE(layout.step, kMinLeafStep);
    QCOMPARE(w.treeView->width(), layout.width);
    QVERIFY(w.treeScroll->horizontalScrollBar()->maximum() > 0);
    QVERIFY(layout.height <= w.treeScroll->viewport()->height());
  }

  void SavingWritesTheFormatTheNameSaysAndAFailureSaysSo() {
    Cluster(5);
    TfmClustTree w(main_.get());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const struct {
      const char* name;
      QByteArray head;
    } cases[] = {{"tree.bmp", "BM"}, {"tree.png", "\x89PNG"}, {"tree.svg", "<?xml"}, {"tree.pdf", "%PDF"}};
    for (const auto& c : cases) {
      const QString path = home_->Path(c.name);
      QVERIFY2(w.SaveTree(path), c.name);
      QVERIFY2(ReadAll(path).startsWith(c.head), c.name);
    }
    QVERIFY(messages_->shown.empty());
    const QString missing = home_->Path("no/such/dir/tree.bmp");
    QVERIFY(!w.SaveTree(missing));
    QCOMPARE(messages_->shown.size(), std::size_t(1));
    QVERIFY(messages_->Texts().first().contains(missing));
  }

  void TheSaveButtonProposesTheOutputDirectory() {
    Cluster(5);
    const QString path = home_->Path("chosen.png");
    ModalScript script({On<TfmClustTree>([](TfmClustTree* w) {
                          QTimer::singleShot(0, w->tbtnSaveToFile, &QAction::trigger);
                        }),
                        On<QFileDialog>([&](QFileDialog* d) {
                          QCOMPARE(QDir(d->directory()).canonicalPath(), QDir(home_->Path("")).canonicalPath());
                          PickFile(path)(d);
                        }),
                        On<TfmClustTree>([](TfmClustTree* w) { w->tbtnClose->trigger(); })});
    main_->mnClTree->trigger();
    QVERIFY(script.Done());
    QVERIFY(ReadAll(path).startsWith("\x89PNG"));
  }

  void PrintingPutsTheWholeTreeOnOnePage() {
    for (const std::int32_t objects : {5, 3001}) {
      Cluster(objects);
      TfmClustTree w(main_.get());
      w.show();
      QVERIFY(QTest::qWaitForWindowExposed(&w));
      QPrinter printer(QPrinter::HighResolution);
      printer.setOutputFormat(QPrinter::PdfFormat);
      const QString path = home_->Path(QStringLiteral("tree%1.pdf").arg(objects));
      printer.setOutputFileName(path);
      QVERIFY(w.PrintTo(printer));
      QCOMPARE(PdfPageCount(ReadAll(path)), 1);
    }
  }
};

QTEST_MAIN(TestClusterTrees)
#include "test_cluster_trees.moc"
