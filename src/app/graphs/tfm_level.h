#pragma once
// "Пороговые линии": up to three threshold lines over every band of the sequential graph.
#include <QDialog>
#include <array>

#include "core/data/graph_overlays.h"

class QComboBox;
class QDoubleSpinBox;
class QPushButton;
class QTableWidget;

namespace tavrel {

class PenBar;

class TfmLevel : public QDialog {
  Q_OBJECT
 public:
  explicit TfmLevel(QWidget* parent = nullptr);

  // Shows the dialog with every line computed afresh for the variables in
  // force; "Далее" switches the lines on, "Отмена" off.
  void Execute();

  QTableWidget* levelsGrid;
  std::array<QComboBox*, kLevelLineCount> cbxLine{};
  std::array<QDoubleSpinBox*, kLevelLineCount> edSigma{};
  PenBar* penBar;
  QPushButton* btbtnOK;
  QPushButton* bbtnCancel;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormShow();
  void ComputeLevelLine(int line);
  void cbxLineChange(int line);
  void btbtnOKClick();
  void bbtnCancelClick();
};

}  // namespace tavrel
