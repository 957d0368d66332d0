#include "app/shell/tfm_config.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/shell/message_service.h"
#include "app/shell/program_session.h"
#include "app/shell/tavrel_application.h"
#include "app/shell/typed_number.h"
#include "core/cluster/distance_names.h"
#include "core/data/dataset.h"
#include "core/shell/setting_ranges.h"
#include "core/shell/settings.h"

namespace tavrel {

namespace {

QString Text(const std::string& s) { return QString::fromStdString(s); }

QCheckBox* CheckBox(QWidget* parent, const char* name, const char* caption, const char* hint = nullptr) {
  auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
  box->setObjectName(name);
  box->setLayoutDirection(Qt::RightToLeft);
  if (hint) box->setToolTip(QString::fromUtf8(hint));
  return box;
}

QSpinBox* SpinBox(QWidget* parent, const char* name, int min, int max, int step = 1) {
  auto* box = new QSpinBox(parent);
  box->setObjectName(name);
  box->setRange(min, max);
  box->setSingleStep(step);
  return box;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  return button;
}

QLineEdit* Edit(QWidget* parent, const char* name) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setMinimumWidth(260);
  return edit;
}

// A radio group of captions; the button ids are the positions.
QGroupBox* RadioGroup(QWidget* parent, const char* name, const char* title, const Array<std::string>& items,
                      QButtonGroup*& group) {
  auto* box = new QGroupBox(QString::fromUtf8(title), parent);
  box->setObjectName(name);
  group = new QButtonGroup(box);
  auto* layout = new QVBoxLayout(box);
  for (long long i = 0; i < items.Count(); ++i) {
    auto* radio = new QRadioButton(Text(items[i]), box);
    group->addButton(radio, static_cast<int>(i));
    layout->addWidget(radio);
  }
  return box;
}

void PickFont(QWidget* parent, std::int32_t& size, std::string& name) {
  bool ok = false;
  QFont initial(Text(name));
  if (size > 0) initial.setPointSize(size);
  const QFont font = QFontDialog::getFont(&ok, initial, parent, QString(), QFontDialog::ScalableFonts);
  if (!ok) return;
  // The choice counts at once, also when the dialog is then cancelled.
  size = font.pointSize();
  name = font.family().toStdString();
}

void Check(QButtonGroup* group, int id) {
  if (QAbstractButton* button = group->button(id)) button->setChecked(true);
}

}  // namespace

TfmConfig::TfmConfig(const std::string& settingsPath, QWidget* parent)
    : QDialog(parent), settingsPath_(settingsPath) {
  setObjectName("TfmConfig");
  setWindowTitle(QStringLiteral("Настройка программы"));
  tabs = new QTabWidget(this);
  tabs->addTab(GeneralTab(), QStringLiteral("Общая"));
  tabs->addTab(GraphicsTab(), QStringLiteral("Графика"));
  tabs->addTab(ClustersTab(), QStringLiteral("Кластеры"));
  OkBtn = Button(this, "OkBtn", QStringLiteral("Далее"));
  OkBtn->setDefault(true);
  btnCancel = Button(this, "btnCancel", QStringLiteral("Отмена"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OkBtn);
  buttons->addWidget(btnCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs);
  layout->addLayout(buttons);

  connect(OkBtn, &QPushButton::clicked, this, Guarded([this] { OkBtnClick(); }));
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  FormShow();
}

QWidget* TfmConfig::GeneralTab() {
  auto* tab = new QWidget;
  edEmpty = Edit(tab, "edEmpty");
  edEmpty->setMinimumWidth(80);
  edEmpty->setMaximumWidth(100);
  edCatInput = Edit(tab, "edCatInput");
  btnDataCatalog = Button(tab, "btnDataCatalog", QStringLiteral("..."));
  edCatOutput = Edit(tab, "edCatOutput");
  btnResultCatalog = Button(tab, "btnResultCatalog", QStringLiteral("..."));
  edCatSystem = Edit(tab, "edCatSystem");
  btnSysCatalog = Button(tab, "btnSysCatalog", QStringLiteral("..."));
  cbxInnerEditor = CheckBox(tab, "cbxInnerEditor", "Внутренний редактор:", "Редактор для просмотра результатов");
  lblExternal = new QLabel(QStringLiteral("Внешний редактор:"), tab);
  edExternal = Edit(tab, "edExternal");
  btnExternalEditor = Button(tab, "btnExternalEditor", QStringLiteral("..."));
  btnTextFont = Button(tab, "btnTextFont", QStringLiteral("Шрифт редактора"));
  btnPrintFont = Button(tab, "btnPrintFont", QStringLiteral("Шрифт печати"));
  cbxZeroVar = CheckBox(tab, "cbxZeroVar", "Ввод \"пустых\" переменных:",
                        "Разрешает ввод переменных со всеми 0 или пропусками");
  cbxSaveSelPrm = CheckBox(tab, "cbxSaveSelPrm", "Сохранить выбор переменных:",
                           "Сохраняет порядок выбранных переменных для работы с другими файлами");
  for (QPushButton* b : {btnDataCatalog, btnResultCatalog, btnSysCatalog, btnExternalEditor}) b->setMaximumWidth(32);

  auto row = [tab](QLineEdit* edit, QPushButton* button) {
    auto* line = new QHBoxLayout;
    line->addWidget(edit, 1);
    line->addWidget(button);
    return line;
  };
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Пропуск:"), edEmpty);
  form->addRow(QStringLiteral("Каталог данных:"), row(edCatInput, btnDataCatalog));
  form->addRow(QStringLiteral("Каталог результатов:"), row(edCatOutput, btnResultCatalog));
  form->addRow(QStringLiteral("Системный каталог:"), row(edCatSystem, btnSysCatalog));
  auto* editor = new QHBoxLayout;
  editor->addWidget(cbxInnerEditor);
  editor->addStretch();
  editor->addWidget(btnTextFont);
  editor->addWidget(btnPrintFont);
  form->addRow(editor);
  form->addRow(lblExternal, row(edExternal, btnExternalEditor));
  for (QCheckBox* box : {cbxZeroVar, cbxSaveSelPrm}) {
    auto* line = new QHBoxLayout;
    line->addWidget(box);
    line->addStretch();
    form->addRow(QString(), line);
  }
  form->setLabelAlignment(Qt::AlignRight);
  auto* layout = new QVBoxLayout(tab);
  layout->addLayout(form);
  layout->addStretch();

  connect(btnDataCatalog, &QPushButton::clicked, this, [this] { ChooseDirectory(edCatInput); });
  connect(btnResultCatalog, &QPushButton::clicked, this, [this] { ChooseDirectory(edCatOutput); });
  connect(btnSysCatalog, &QPushButton::clicked, this, [this] { ChooseDirectory(edCatSystem); });
  connect(btnExternalEditor, &QPushButton::clicked, this, &TfmConfig::btnExternalEditorClick);
  connect(btnTextFont, &QPushButton::clicked, this,
          [this] { PickFont(this, Config().TextFontSize, Config().TextFontName); });
  connect(btnPrintFont, &QPushButton::clicked, this,
          [this] { PickFont(this, Config().PrintTextFontSize, Config().PrintTextFontName); });
  for (QCheckBox* box : {cbxInnerEditor, cbxZeroVar, cbxSaveSelPrm}) {
    connect(box, &QCheckBox::clicked, this, &TfmConfig::cbxInnerEditorClick);
  }
  return tab;
}

QWidget* TfmConfig::GraphicsTab() {
  auto* tab = new QWidget;
  cbScaleY = new QComboBox(tab);
  cbScaleY->setObjectName("cbScaleY");
  cbScaleY->addItems({QStringLiteral("Автомат"), QStringLiteral("Стандарт")});
  seStepX = SpinBox(tab, "seStepX", kConfigStepX.min, kConfigStepX.max);
  seStepY = SpinBox(tab, "seStepY", kConfigStepY.min, kConfigStepY.max);
  segrPenWidth = SpinBox(tab, "segrPenWidth", kConfigPenWidth.min, kConfigPenWidth.max);
  btnGraphFont = Button(tab, "btnGraphFont", QStringLiteral("Шрифт"));
  sePrStepX = SpinBox(tab, "sePrStepX", kPrintStep.min, kPrintStep.max, 2);
  sePrStepY = SpinBox(tab, "sePrStepY", kPrintStep.min, kPrintStep.max, 2);
  seprPenWidth = SpinBox(tab, "seprPenWidth", kPrintPenWidth.min, kPrintPenWidth.max);
  btnGraphPrintFont = Button(tab, "btnGraphPrintFont", QStringLiteral("Шрифт"));
  cbxData = CheckBox(tab, "cbxData", "Даты по оси Х:", "Вывод дат из поля DATE, а не порядкового номера");
  cbxY0 = CheckBox(tab, "cbxY0", "Метки оси У от 0: ", "Начало отсчета значений от 0, а не от минимума");

  auto* screen = new QGroupBox(QStringLiteral("Экран"), tab);
  auto* screenForm = new QFormLayout(screen);
  screenForm->addRow(QStringLiteral("Шаг по оси Х:"), seStepX);
  screenForm->addRow(QStringLiteral("Шаг по оси У:"), seStepY);
  screenForm->addRow(QStringLiteral("Толщина линии:"), segrPenWidth);
  screenForm->addRow(btnGraphFont);
  auto* print = new QGroupBox(QStringLiteral("Печать"), tab);
  auto* printForm = new QFormLayout(print);
  printForm->addRow(QStringLiteral("Шаг по оси Х:"), sePrStepX);
  printForm->addRow(QStringLiteral("Шаг по оси  У:"), sePrStepY);
  printForm->addRow(QStringLiteral("Толщина линии:"), seprPenWidth);
  printForm->addRow(btnGraphPrintFont);
  auto* scale = new QFormLayout;
  scale->addRow(QStringLiteral("Масштаб по оси У:"), cbScaleY);
  auto* groups = new QHBoxLayout;
  groups->addWidget(screen);
  groups->addWidget(print);
  auto* layout = new QVBoxLayout(tab);
  layout->addLayout(scale);
  layout->addLayout(groups);
  layout->addWidget(cbxData, 0, Qt::AlignAbsolute | Qt::AlignLeft);
  layout->addWidget(cbxY0, 0, Qt::AlignAbsolute | Qt::AlignLeft);
  layout->addStretch();

  connect(btnGraphFont, &QPushButton::clicked, this,
          [this] { PickFont(this, Config().GraphFontSize, Config().GraphFontName); });
  connect(btnGraphPrintFont, &QPushButton::clicked, this,
          [this] { PickFont(this, Config().PrintGraphFontSize, Config().PrintGraphFontName); });
  return tab;
}

QWidget* TfmConfig::ClustersTab() {
  auto* tab = new QWidget;
  sedNbmClust = SpinBox(tab, "sedNbmClust", 1, 10);
  cbxAddClust = CheckBox(tab, "cbxAddClust", "Переменная кластеров:", "Добавление переменной номеров кластеров");
  rgrpObjDistance =
      RadioGroup(tab, "rgrpObjDistance", "Расстояние между объектами", ObjectDistanceNames(), objDistance);
  rgrpClustDistance =
      RadioGroup(tab, "rgrpClustDistance", "Расстояние между кластерами", ClusterDistanceNames(), clustDistance);
  cbxClustCont = CheckBox(tab, "cbxClustCont", "Содержание кластеров:",
                          "Вывод порядковых номеров строк, вошедших в кластеры");
  auto* number = new QFormLayout;
  number->addRow(QStringLiteral("Число кластеров:"), sedNbmClust);
  auto* groups = new QHBoxLayout;
  groups->addWidget(rgrpObjDistance, 0, Qt::AlignTop);
  groups->addWidget(rgrpClustDistance, 0, Qt::AlignTop);
  auto* layout = new QVBoxLayout(tab);
  layout->addLayout(number);
  layout->addWidget(cbxAddClust, 0, Qt::AlignAbsolute | Qt::AlignLeft);
  layout->addLayout(groups);
  layout->addWidget(cbxClustCont, 0, Qt::AlignAbsolute | Qt::AlignLeft);
  layout->addStretch();
  return tab;
}

void TfmConfig::FormShow() {
  const Settings& s = Config();
  edEmpty->setText(QString::number(s.EmptyValue));
  edCatInput->setText(Text(s.InputCat));
  edCatOutput->setText(Text(s.OutputCat));
  edCatSystem->setText(Text(s.SystemPath));
  cbxInnerEditor->setChecked(s.InnerEditor);
  edExternal->setText(Text(s.ExtEditor));
  cbxZeroVar->setChecked(s.IsZeroVarInput);
  cbxSaveSelPrm->setChecked(s.SavePrmSel);
  cbScaleY->setCurrentIndex(s.YScaleType == 0 || s.YScaleType == 1 ? s.YScaleType : -1);
  seStepX->setValue(s.StepX);  // a value outside the range shows as its nearest bound
  seStepY->setValue(s.StepY);
  segrPenWidth->setValue(s.GraphPenWidth);
  sePrStepX->setValue(s.PrintStepX);
  sePrStepY->setValue(s.PrintStepY);
  seprPenWidth->setValue(s.PrintPenWidth);
  cbxData->setChecked(s.IsData);
  cbxY0->setChecked(s.ZeroY);
  sedNbmClust->setValue(s.ClusterNumber);
  cbxAddClust->setChecked(s.IsAddClustNumber);
  Check(objDistance, s.ObjectDistance);
  Check(clustDistance, s.ClusterDistance);
  cbxClustCont->setChecked(s.IsClustCont);
  cbxInnerEditorClick();
}

void TfmConfig::cbxInnerEditorClick() {
  const bool inner = cbxInnerEditor->isChecked();
  for (QWidget* w : std::initializer_list<QWidget*>{edExternal, btnExternalEditor, lblExternal}) w->setEnabled(!inner);
  btnTextFont->setEnabled(inner);
  btnPrintFont->setEnabled(inner);
}

void TfmConfig::ChooseDirectory(QLineEdit* edit) {
  QString dir = QFileDialog::getExistingDirectory(this, QStringLiteral("Выбор каталога"), edit->text());
  if (dir.isEmpty()) return;
  if (!dir.endsWith('/')) dir += '/';
  edit->setText(dir);
}

void TfmConfig::btnExternalEditorClick() {
  const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Выбор редактора"),
                                                    QFileInfo(Text(Config().ExtEditor)).absolutePath());
  if (path.isEmpty()) return;
  Config().ExtEditor = path.toStdString();
  edExternal->setText(path);
}

void TfmConfig::OkBtnClick() {
  // Nothing is taken until the missing-value code is a whole number.
  const std::optional<std::int32_t> emptyValue = TypedInteger(edEmpty, QStringLiteral("Пропуск"));
  if (!emptyValue) return;
  Settings& s = Config();
  s.StepX = seStepX->value();
  s.StepY = seStepY->value();
  s.GraphPenWidth = segrPenWidth->value();
  s.PrintStepX = sePrStepX->value();
  s.PrintStepY = sePrStepY->value();
  s.PrintPenWidth = seprPenWidth->value();
  s.YScaleType = cbScaleY->currentIndex();
  s.ZeroY = cbxY0->isChecked();
  s.IsData = cbxData->isChecked();
  s.EmptyValue = *emptyValue;
  Data().EmptyValue = *emptyValue;
  const TypedDirectories typed{edCatSystem->text().toStdString(), edCatInput->text().toStdString(),
                               edCatOutput->text().toStdString()};
  s.InputCat = NormaliseDirectory(typed.InputCat);
  s.OutputCat = NormaliseDirectory(typed.OutputCat);
  s.SystemPath = NormaliseDirectory(typed.SystemPath);
  s.InnerEditor = cbxInnerEditor->isChecked();
  s.ExtEditor = edExternal->text().toStdString();
  s.IsZeroVarInput = cbxZeroVar->isChecked();
  s.SavePrmSel = cbxSaveSelPrm->isChecked();
  s.ObjectDistance = std::max(objDistance->checkedId(), 0);
  s.ObjectDistanceName = ObjectDistanceNames()[s.ObjectDistance];
  s.ClusterDistance = std::max(clustDistance->checkedId(), 0);
  s.ClusterDistanceName = ClusterDistanceNames()[s.ClusterDistance];
  s.ClusterNumber = sedNbmClust->value();
  s.IsAddClustNumber = cbxAddClust->isChecked();
  s.IsClustCont = cbxClustCont->isChecked();
  SaveSettings(settingsPath_, Config(), typed);
  if (Data().VarNames.Count() > 0) ComputeVarSteps(Data(), Config());
  accept();
}

}  // namespace tavrel
