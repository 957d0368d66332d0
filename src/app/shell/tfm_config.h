#pragma once
// "Настройка программы": the editor of the settings file, on three tabs.
#include <QDialog>

class QLineEdit;
class QPushButton;
class QCheckBox;
class QComboBox;
class QSpinBox;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QTabWidget;

namespace tavrel {

class TfmConfig : public QDialog {
  Q_OBJECT
 public:
  // Shows the in-memory settings; "Далее" takes them and writes settingsPath.
  explicit TfmConfig(const std::string& settingsPath, QWidget* parent = nullptr);

  QTabWidget* tabs;
  // "Общая"
  QLineEdit* edEmpty;
  QLineEdit* edCatInput;
  QPushButton* btnDataCatalog;
  QLineEdit* edCatOutput;
  QPushButton* btnResultCatalog;
  QLineEdit* edCatSystem;
  QPushButton* btnSysCatalog;
  QCheckBox* cbxInnerEditor;
  QLabel* lblExternal;
  QLineEdit* edExternal;
  QPushButton* btnExternalEditor;
  QPushButton* btnTextFont;
  QPushButton* btnPrintFont;
  QCheckBox* cbxZeroVar;
  QCheckBox* cbxSaveSelPrm;
  // "Графика"
  QComboBox* cbScaleY;
  QSpinBox* seStepX;
  QSpinBox* seStepY;
  QSpinBox* segrPenWidth;
  QPushButton* btnGraphFont;
  QSpinBox* sePrStepX;
  QSpinBox* sePrStepY;
  QSpinBox* seprPenWidth;
  QPushButton* btnGraphPrintFont;
  QCheckBox* cbxData;
  QCheckBox* cbxY0;
  // "Кластеры"
  QSpinBox* sedNbmClust;
  QCheckBox* cbxAddClust;
  QGroupBox* rgrpObjDistance;
  QButtonGroup* objDistance;
  QGroupBox* rgrpClustDistance;
  QButtonGroup* clustDistance;
  QCheckBox* cbxClustCont;

  QPushButton* OkBtn;
  QPushButton* btnCancel;

 private:
  QWidget* GeneralTab();
  QWidget* GraphicsTab();
  QWidget* ClustersTab();
  void FormShow();
  void cbxInnerEditorClick();
  void ChooseDirectory(QLineEdit* edit);
  void btnExternalEditorClick();
  void OkBtnClick();

  std::string settingsPath_;
};

}  // namespace tavrel
