#include "app/graphs/graph_widgets.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/shell/program_session.h"
#include "core/data/dataset.h"

namespace tavrel {

QCheckBox* NamedCheck(QWidget* parent, const char* name, const QString& hint) {
  auto* box = new QCheckBox(parent);
  box->setObjectName(name);
  box->setToolTip(hint);
  return box;
}

QSpinBox* NamedSpin(QWidget* parent, const char* name, int min, int max, int step) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(name);
  spin->setRange(min, max);
  spin->setSingleStep(step);
  return spin;
}

QPushButton* NamedButton(QWidget* parent, const char* name, const QString& caption, const QString& hint) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setToolTip(hint);
  button->setAutoDefault(false);
  return button;
}

void FillVariableRows(QTableWidget* grid) {
  const DataSet& d = Data();
  const int count = d.NumVar > 0 ? d.LastVar + 1 : 0;
  grid->setRowCount(count);
  for (int v = 0; v < count; ++v) {
    auto* name = new QTableWidgetItem(QString::fromStdString(d.VarNames[v]));
    name->setFlags(name->flags() & ~Qt::ItemIsEditable);
    grid->setItem(v, 0, name);
  }
}

QToolBar* ToolBarColumn(QWidget* window, QVBoxLayout*& column) {
  column = new QVBoxLayout(window);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  auto* bar = new QToolBar(window);
  bar->setObjectName("toolBar");
  column->addWidget(bar);
  return bar;
}

}  // namespace tavrel
