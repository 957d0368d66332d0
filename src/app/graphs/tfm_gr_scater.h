#pragma once
// "Диаграмма рассеяния": the first variable in force against the second, one
// point per observation.
#include "core/graphs/picture_layouts.h"
#include "app/graphs/picture_window.h"

namespace tavrel {

class TfmMain;

class TfmGrScater : public PictureWindow {
  Q_OBJECT
 public:
  explicit TfmGrScater(QWidget* parent = nullptr);
  const ScatterLayout& Graph() const { return layout_; }

 protected:
  std::string Layout() override;
  void Paint(QPainter& p) const override;

 private:
  ScatterLayout layout_;
};

// The command "Диаграмма рассеяния": two variables, then the diagram.
void RunScatterDiagram(TfmMain& main);

}  // namespace tavrel
