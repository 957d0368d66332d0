#pragma once
// "Графика": the sequential graph of the variables in force, with its tool
// bar and pop-up menu: marks, levels, zoom, saving, print settings, printing.
#include <QAbstractScrollArea>
#include <QDialog>
#include <QString>

#include "draw/graphs/sequential_painter.h"

class QAction;
class QMenu;
class QToolBar;

namespace tavrel {

class TfmMain;
class TfmLevel;
class TfmEditMarkAxX;

// The scrolled surface: paints the exposed part of the laid-out graph.
class GraphView : public QAbstractScrollArea {
  Q_OBJECT
 public:
  explicit GraphView(QWidget* parent = nullptr);
  void SetGraph(SequentialLayout layout, const SequentialLook& look);
  const SequentialLayout& Layout() const { return layout_; }
  const SequentialLook& Look() const { return look_; }
  // The part of the graph now in view, in graph coordinates.
  QRect VisibleRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void UpdateScrollRanges();
  SequentialLayout layout_;
  SequentialLook look_;
};

class TfmGraphic : public QDialog {
  Q_OBJECT
 public:
  TfmGraphic(TfmMain* main, TfmLevel* level, TfmEditMarkAxX* marks, QWidget* parent = nullptr);

  // Shows the graph modally.
  void Execute();
  // Prints the graph on the run's printer, over as many pages as it needs.
  void PrintGraph();
  // Lays the graph out again from the data and settings, then shows what the
  // layout has to say. Returns false when the graph cannot be laid out.
  bool Rebuild();
  // Writes the visible part (images) or the whole graph (.svg, .pdf) to path; true when written.
  bool SaveGraph(const QString& path);

  double stX = 0;
  double stY = 0;
  int rebuilds = 0;  // layout passes so far

  QToolBar* toolBar;
  QAction* tbtnDays;
  QAction* tbtnLevels;
  QAction* tbtnMax;
  QAction* tbtnMin;
  QAction* tbtnSave;
  QAction* tbtnCfg;
  QAction* tbtnPrint;
  QAction* tbtnRectRound;
  QMenu* contextMenu;
  QAction* mnpDays;
  QAction* mnpLevel;
  QAction* mnpMax;
  QAction* mnpMin;
  QAction* mnpSave;
  QAction* mnpCfg;
  QAction* mnpPrint;
  QAction* mnpExit;
  GraphView* graphArea;

 public slots:
  void done(int result) override;

 private:
  void FormShow();
  void Zoom(double factor);
  void SaveClick(bool fromToolBar);
  void CfgClick();

  TfmMain* main_;
  TfmLevel* level_;
  TfmEditMarkAxX* marks_;
  QString saveDir_;
};

}  // namespace tavrel
