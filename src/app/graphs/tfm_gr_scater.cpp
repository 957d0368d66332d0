#include "app/graphs/tfm_gr_scater.h"

#include "app/data/command_frame.h"
#include "app/shell/program_session.h"
#include "core/data/dataset.h"
#include "app/data/tfm_var.h"
#include "draw/graphs/picture_painters.h"
#include "app/shell/tfm_main.h"

namespace tavrel {

TfmGrScater::TfmGrScater(QWidget* parent)
    : PictureWindow("TfmGrScater", QStringLiteral("Диаграмма рассеяния"), parent) {}

std::string TfmGrScater::Layout() {
  DataSet& d = Data();
  layout_ = ComputeScatterLayout(GetVariable(d, 0), GetVariable(d, 1), d.PairwiseMissing, d.PairwiseOutliers, d.EmptyValue,
                                 d.ProcessingNote);
  return layout_.refusal;
}

void TfmGrScater::Paint(QPainter& p) const { DrawScatterPicture(p, layout_); }

void RunScatterDiagram(TfmMain& main) {
  Data().OperationMode = kModeScatterDiagram;
  WidenOnExit widen;
  if (!main.fmVar->Execute()) return;
  TfmGrScater window(&main);
  window.Execute();
}

}  // namespace tavrel
