#include "app/graphs/tfm_edit_mark_ax_x.h"

#include <QAbstractListModel>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QItemSelection>
#include <QKeyEvent>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/shell/program_session.h"
#include "core/data/dataset.h"
#include "draw/graphs/canvas.h"
#include "core/data/session.h"
#include "app/graphs/pen_bar.h"

namespace tavrel {

// The observation numbers 1..count, made as they are shown.
class ObservationListModel : public QAbstractListModel {
 public:
  using QAbstractListModel::QAbstractListModel;
  void SetCount(int count) {
    beginResetModel();
    count_ = count;
    endResetModel();
  }
  int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : count_; }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return QString::number(index.row() + 1);
  }

 private:
  int count_ = 0;
};

TfmEditMarkAxX::TfmEditMarkAxX(QWidget* parent) : QDialog(parent) {
  setObjectName("TfmEditMarkAxX");
  setWindowTitle(QStringLiteral("Метки по оси Х"));
  auto* column = new QVBoxLayout(this);
  penBar = new PenBar(RgbColor(kNavy), QStringLiteral("Толщина линии"), false, this);
  column->addWidget(penBar);
  model_ = new ObservationListModel(this);
  marksList = new QListView(this);
  marksList->setObjectName("marksList");
  marksList->setModel(model_);
  marksList->setUniformItemSizes(true);
  marksList->setSelectionMode(QAbstractItemView::ExtendedSelection);
  column->addWidget(marksList, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  btnOK = new QPushButton(QStringLiteral("Далее"), this);
  btnOK->setObjectName("btnOK");
  btnOK->setDefault(true);
  bbtnCansel = new QPushButton(QStringLiteral("Отмена"), this);
  bbtnCansel->setObjectName("bbtnCansel");
  buttons->addWidget(btnOK);
  buttons->addWidget(bbtnCansel);
  column->addLayout(buttons);
  connect(btnOK, &QPushButton::clicked, this, [this] { btnOKClick(); });
  connect(bbtnCansel, &QPushButton::clicked, this, [this] { bbtnCanselClick(); });
  resize(330, 420);
}

void TfmEditMarkAxX::Execute() {
  FormShow();
  exec();
}

void TfmEditMarkAxX::FormShow() {
  const std::int32_t count = std::max<std::int32_t>(Data().NumObs, 0);
  GraphOverlays& g = ProgramSession().overlays;
  g.XMarks.resize(static_cast<std::size_t>(count), false);
  model_->SetCount(count);
  // Runs of marked observations become selection ranges.
  QItemSelection selection;
  for (std::int32_t i = 0; i < count;) {
    if (!g.XMarks[static_cast<std::size_t>(i)]) {
      ++i;
      continue;
    }
    std::int32_t end = i;
    while (end + 1 < count && g.XMarks[static_cast<std::size_t>(end + 1)]) ++end;
    selection.select(model_->index(i), model_->index(end));
    i = end + 1;
  }
  marksList->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void TfmEditMarkAxX::btnOKClick() {
  GraphOverlays& g = ProgramSession().overlays;
  std::fill(g.XMarks.begin(), g.XMarks.end(), false);
  bool any = false;
  for (const QModelIndex& index : marksList->selectionModel()->selectedIndexes()) {
    const auto row = static_cast<std::size_t>(index.row());
    if (row < g.XMarks.size()) g.XMarks[row] = any = true;
  }
  g.ShowXMarks = any;
  penBar->ApplyTo(g.XMarkPen);
  accept();
}

void TfmEditMarkAxX::bbtnCanselClick() {
  GraphOverlays& g = ProgramSession().overlays;
  std::fill(g.XMarks.begin(), g.XMarks.end(), false);
  g.ShowXMarks = false;
  reject();
}

void TfmEditMarkAxX::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    bbtnCanselClick();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TfmEditMarkAxX::closeEvent(QCloseEvent* event) {
  bbtnCanselClick();
  QDialog::closeEvent(event);
}

}  // namespace tavrel
