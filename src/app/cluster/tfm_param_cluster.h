#pragma once
#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace tavrel {

// The parameters of a cluster run ("Кластерный анализ"). It shows the cluster
// options when it opens and stores them on "Далее"; closing it by the window
// frame keeps them as they were. There is no cancel: the run goes on either way.
class TfmParamCluster : public QDialog {
  Q_OBJECT
 public:
  explicit TfmParamCluster(QWidget* parent = nullptr);

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
  QLineEdit* Edit1;
  QPushButton* OKBtn;
};

}  // namespace tavrel
