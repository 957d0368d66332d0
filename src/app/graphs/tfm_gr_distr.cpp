#include "app/graphs/tfm_gr_distr.h"

#include "app/shell/program_session.h"
#include "core/data/dataset.h"
#include "draw/graphs/picture_painters.h"

namespace tavrel {

TfmGrDistr::TfmGrDistr(QWidget* parent)
    : PictureWindow("TfmGrDistr", QStringLiteral("График распределения"), parent) {}

std::string TfmGrDistr::Layout() {
  const DataSet& d = Data();
  layout_ = ComputeDistributionLayout(GetVariable(d, 0), d.EmptyValue);
  return layout_.refusal;
}

void TfmGrDistr::Paint(QPainter& p) const { DrawDistributionPicture(p, layout_); }

}  // namespace tavrel
