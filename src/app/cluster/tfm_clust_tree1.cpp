#include "app/cluster/tfm_clust_tree1.h"

#include <QAction>
#include <QHeaderView>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/shell/program_session.h"
#include "core/data/dataset.h"
#include "app/graphs/graph_widgets.h"
#include "app/shell/busy_cursor.h"
#include "app/shell/tavrel_application.h"
#include "app/shell/tfm_main.h"

namespace tavrel {

TfmClustTree1::TfmClustTree1(TfmMain* main, QWidget* parent) : QDialog(parent), main_(main) {
  setObjectName("TfmClustTree1");
  setWindowTitle(QStringLiteral("Кластеры"));
  QVBoxLayout* column = nullptr;
  toolBar = ToolBarColumn(this, column);
  joinsTree = new QTreeWidget(this);
  joinsTree->setObjectName("joinsTree");
  joinsTree->setHeaderHidden(true);
  joinsTree->setIndentation(15);
  joinsTree->setUniformRowHeights(true);
  QFont bold(QStringLiteral("Arial"));
  bold.setBold(true);
  joinsTree->setFont(bold);
  column->addWidget(joinsTree, 1);

  const auto tool = [this](const char* name, QStyle::StandardPixmap icon, const QString& hint) {
    QAction* a = toolBar->addAction(style()->standardIcon(icon), hint);
    a->setObjectName(name);
    a->setToolTip(hint);
    return a;
  };
  tbtnExpand = tool("tbtnExpand", QStyle::SP_ArrowDown, QStringLiteral("Развернуть дерево"));
  tbtnShut = tool("tbtnShut", QStyle::SP_ArrowUp, QStringLiteral("Свернуть дерево"));
  toolBar->addSeparator();
  tbtnClose = tool("tbtnClose", QStyle::SP_DialogCloseButton, QStringLiteral("Выход"));
  connect(tbtnExpand, &QAction::triggered, this, Guarded([this] { ExpandClick(); }));
  connect(tbtnShut, &QAction::triggered, joinsTree, &QTreeWidget::collapseAll);
  connect(tbtnClose, &QAction::triggered, this, &QDialog::reject);
  resize(420, 520);
}

void TfmClustTree1::BuildTree() {
  BusyCursor busy;
  const Array<Clust>& history = Data().Cluster.ClustArray;
  const std::int32_t joins = static_cast<std::int32_t>(std::max<long long>(0, history.Count() - 1));
  if (main_) {
    main_->SetInform(QStringLiteral("Создаю дерево кластеров..."));
    main_->SetProgress(0, std::max(1, joins - 1));
  }
  joinsTree->clear();
  QTreeWidgetItem* chain = nullptr;  // the joins so far, the latest at the top
  for (std::int32_t i = 0; i < joins; ++i) {
    if (main_) main_->SetProgress(i, std::max(1, joins - 1));
    const Clust& join = history[i];
    auto* node = new QTreeWidgetItem(QStringList(QString::number(join.newclust)));
    node->addChild(new QTreeWidgetItem(QStringList(QString::number(join.iclson))));
    node->addChild(new QTreeWidgetItem(QStringList(QString::number(join.icrson))));
    if (chain) node->addChild(chain);
    chain = node;
  }
  if (chain) joinsTree->addTopLevelItem(chain);
  ExpandClick();
  if (main_) {
    main_->SetProgress(0, std::max(1, joins - 1));
    main_->SetInform({});
  }
}

void TfmClustTree1::ExpandClick() {
  joinsTree->expandAll();
  if (joinsTree->topLevelItemCount() > 0) joinsTree->setCurrentItem(joinsTree->topLevelItem(0));
}

void TfmClustTree1::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  BuildTree();
}

}  // namespace tavrel
