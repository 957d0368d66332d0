#pragma once
// "Кластеры": the joins of the last cluster run as nested nodes, the last join
// at the top with its two sons and the chain of the joins before it.
#include <QDialog>

class QAction;
class QToolBar;
class QTreeWidget;

namespace tavrel {

class TfmMain;

class TfmClustTree1 : public QDialog {
  Q_OBJECT
 public:
  explicit TfmClustTree1(TfmMain* main, QWidget* parent = nullptr);

  // Fills the tree from the join history, with the progress on the main window.
  void BuildTree();

  QToolBar* toolBar;
  QAction* tbtnExpand;
  QAction* tbtnShut;
  QAction* tbtnClose;
  QTreeWidget* joinsTree;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ExpandClick();

  TfmMain* main_;
};

}  // namespace tavrel
