#pragma once
#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace tavrel {

// The parameters of a cluster run ("Кластерный анализ"). It shows the cluster
// options when it opens and stores them on "Далее"; "Отмена", Esc and the
// window's close box keep them as they were and stop the run.
class TfmParamCluster : public QDialog {
  Q_OBJECT
 public:
  explicit TfmParamCluster(QWidget* parent = nullptr);

  // Shows the dialog modally; true when the run goes on.
  [[nodiscard]] bool Execute();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void rgrpClustDistanceClick();
  void OKBtnClick();

  QSpinBox* sedNbmClust;
  QCheckBox* cbxAddClust;
  QCheckBox* cbxDistance;
  QCheckBox* cbxClustCont;
  QButtonGroup* rgrpObjDistance;
  QButtonGroup* rgrpClustDistance;
  QLineEdit* betaEdit;
  QPushButton* OKBtn;
  QPushButton* btnCancel;
};

}  // namespace tavrel
