#pragma once
// Controls the graph dialogs make alike.
#include <QString>

class QCheckBox;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QToolBar;
class QVBoxLayout;
class QWidget;

namespace tavrel {

QCheckBox* NamedCheck(QWidget* parent, const char* name, const QString& hint = {});
QSpinBox* NamedSpin(QWidget* parent, const char* name, int min, int max, int step = 1);
// A push button that Return does not press unless it is the default one.
QPushButton* NamedButton(QWidget* parent, const char* name, const QString& caption, const QString& hint = {});
// The frame of a picture window: a column without margins whose first row is
// the tool bar "toolBar"; the window's view goes below it in column.
QToolBar* ToolBarColumn(QWidget* window, QVBoxLayout*& column);
// One row per variable in force, its name in column 0, not editable.
void FillVariableRows(QTableWidget* grid);

}  // namespace tavrel
