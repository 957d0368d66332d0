#include "app/graphs/tfm_level.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>
#include <vector>

#include "app/graphs/graph_widgets.h"
#include "app/graphs/pen_bar.h"
#include "app/shell/message_service.h"
#include "app/shell/program_session.h"
#include "core/base/errors.h"
#include "core/base/numbers.h"
#include "core/data/dataset.h"
#include "core/data/session.h"
#include "core/graphs/level_lines.h"
#include "draw/graphs/canvas.h"

namespace tavrel {

namespace {

QString LevelCellText(double value) { return QString::number(value, 'f', 3); }

}  // namespace

TfmLevel::TfmLevel(QWidget* parent) : QDialog(parent) {
  setObjectName("TfmLevel");
  setWindowTitle(QStringLiteral("Пороговые линии"));
  auto* column = new QVBoxLayout(this);
  auto* lines = new QGridLayout;
  for (int j = 0; j < kLevelLineCount; ++j) {
    lines->addWidget(new QLabel(QStringLiteral("Линия %1:").arg(j + 1), this), j, 0);
    cbxLine[j] = new QComboBox(this);
    cbxLine[j]->setObjectName(QStringLiteral("cbxLine%1").arg(j + 1));
    for (const char* name : kLevelChoiceNames) cbxLine[j]->addItem(QString::fromUtf8(name));
    cbxLine[j]->setCurrentIndex(kDefaultLevelChoices[j]);
    lines->addWidget(cbxLine[j], j, 1);
    lines->addWidget(new QLabel(QStringLiteral("n*SD:"), this), j, 2);
    edSigma[j] = new QDoubleSpinBox(this);
    edSigma[j]->setObjectName(QStringLiteral("edSigma%1").arg(j + 1));
    edSigma[j]->setLocale(QLocale::c());
    edSigma[j]->setDecimals(1);
    edSigma[j]->setSingleStep(0.1);
    edSigma[j]->setRange(-99.9, 99.9);
    edSigma[j]->setValue(ReadLeadingNumber(kDefaultSigmaTexts[j]));
    edSigma[j]->setEnabled(UsesSigma(kDefaultLevelChoices[j]));
    lines->addWidget(edSigma[j], j, 3);
    connect(cbxLine[j], &QComboBox::currentIndexChanged, this, [this, j] { cbxLineChange(j); });
    connect(edSigma[j], &QDoubleSpinBox::valueChanged, this, [this, j] {
      if (UsesSigma(cbxLine[j]->currentIndex())) ComputeLevelLine(j);
    });
  }
  lines->setColumnStretch(4, 1);
  column->addLayout(lines);
  penBar = new PenBar(RgbColor(kMaroon), QStringLiteral("Толщина линии "), true, this);
  column->addWidget(penBar);
  levelsGrid = new QTableWidget(this);
  levelsGrid->setObjectName("levelsGrid");
  levelsGrid->setColumnCount(1 + kLevelLineCount);
  levelsGrid->setHorizontalHeaderLabels(
      {QStringLiteral("Параметр"), QStringLiteral("Линия 1"), QStringLiteral("Линия 2"), QStringLiteral("Линия 3")});
  levelsGrid->verticalHeader()->hide();
  levelsGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  for (int c = 0; c <= kLevelLineCount; ++c) levelsGrid->setColumnWidth(c, 90);
  column->addWidget(levelsGrid, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  btbtnOK = new QPushButton(QStringLiteral("Далее"), this);
  btbtnOK->setObjectName("btbtnOK");
  btbtnOK->setDefault(true);
  bbtnCancel = new QPushButton(QStringLiteral("Отмена"), this);
  bbtnCancel->setObjectName("bbtnCancel");
  buttons->addWidget(btbtnOK);
  buttons->addWidget(bbtnCancel);
  column->addLayout(buttons);
  connect(btbtnOK, &QPushButton::clicked, this, [this] { btbtnOKClick(); });
  connect(bbtnCancel, &QPushButton::clicked, this, [this] { bbtnCancelClick(); });
  resize(470, 420);
}

void TfmLevel::Execute() {
  FormShow();
  exec();
}

void TfmLevel::FormShow() {
  FillVariableRows(levelsGrid);
  for (int j = 0; j < kLevelLineCount; ++j) ComputeLevelLine(j);
}

void TfmLevel::ComputeLevelLine(int line) {
  const int choice = cbxLine[line]->currentIndex();
  const double n = edSigma[line]->value();
  for (int v = 0; v < levelsGrid->rowCount(); ++v)
    levelsGrid->setItem(v, line + 1, new QTableWidgetItem(LevelCellText(LevelValue(Data(), choice, n, v))));
}

void TfmLevel::cbxLineChange(int line) {
  edSigma[line]->setEnabled(UsesSigma(cbxLine[line]->currentIndex()));
  ComputeLevelLine(line);
}

void TfmLevel::btbtnOKClick() {
  // Every cell is checked before anything is taken over.
  const int rows = levelsGrid->rowCount();
  std::vector<std::array<double, kLevelLineCount>> values(static_cast<std::size_t>(rows));
  for (int v = 0; v < rows; ++v) {
    for (int j = 0; j < kLevelLineCount; ++j) {
      const QTableWidgetItem* cell = levelsGrid->item(v, j + 1);
      const QString text = cell ? cell->text() : QString();
      try {
        values[static_cast<std::size_t>(v)][static_cast<std::size_t>(j)] = UserNumber(text.toStdString());
      } catch (const ConversionError&) {
        ShowMessage(MessageKind::Warning,
                    QStringLiteral("Переменная %1, линия %2: \"%3\" не число.")
                        .arg(levelsGrid->item(v, 0)->text())
                        .arg(j + 1)
                        .arg(text),
                    this);
        levelsGrid->setCurrentCell(v, j + 1);
        return;
      }
    }
  }
  GraphOverlays& g = ProgramSession().overlays;
  const DataSet& d = Data();
  for (int v = 0; v < rows; ++v) LevelsFor(g, d.VarNames[v]).values = values[static_cast<std::size_t>(v)];
  for (int j = 0; j < kLevelLineCount; ++j)
    g.LevelLabels[j] = LevelLabel(cbxLine[j]->currentIndex(), edSigma[j]->text().toStdString());
  penBar->ApplyTo(g.LevelPen);
  g.LevelTicksOnly = penBar->TicksOnly();
  g.ShowLevels = true;
  accept();
}

void TfmLevel::bbtnCancelClick() {
  ProgramSession().overlays.ShowLevels = false;
  reject();
}

void TfmLevel::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    bbtnCancelClick();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TfmLevel::closeEvent(QCloseEvent* event) {
  ProgramSession().overlays.ShowLevels = false;
  QDialog::closeEvent(event);
}

}  // namespace tavrel
