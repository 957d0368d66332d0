#pragma once
// "Дендрограмма": the tree of the last cluster run as a picture, widened into
// a scroll area when its objects need more room, with saving and printing.
#include <QDialog>
#include <QScrollArea>

#include "core/cluster/dendrogram_layout.h"

class QAction;
class QPainter;
class QPrinter;
class QToolBar;

namespace tavrel {

class TfmMain;

// The picture itself: paints the exposed part of the laid-out tree.
class DendrogramView : public QWidget {
  Q_OBJECT
 public:
  explicit DendrogramView(QWidget* parent = nullptr);
  void SetLayout(DendrogramLayout layout);
  const DendrogramLayout& Layout() const { return layout_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  DendrogramLayout layout_;
};

class TfmClustTree : public QDialog {
  Q_OBJECT
 public:
  explicit TfmClustTree(TfmMain* main, QWidget* parent = nullptr);

  // Lays the tree out for the picture's room; done when shown and resized.
  void Rebuild();
  // Writes the whole tree to path by its suffix; true when written.
  bool SaveTree(const QString& path);
  // The tree on one page of printer, at the screen's size unless the page is
  // smaller; false when it could not be printed.
  bool PrintTo(QPrinter& printer) const;

  QToolBar* toolBar;
  QAction* tbtnTree;
  QAction* tbtnSaveToFile;
  QAction* tbtnPrint;
  QAction* tbtnPrintCfg;
  QAction* tbtnClose;
  QScrollArea* treeScroll;
  DendrogramView* treeView;

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void SaveClick();
  void PrintClick();
  void PrintCfgClick();
  void TreeClick();
  QSize PictureSize() const;
  void PaintTree(QPainter& p) const;

  TfmMain* main_;
};

}  // namespace tavrel
