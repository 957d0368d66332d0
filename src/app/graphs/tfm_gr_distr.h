#pragma once
// "График распределения": the empirical distribution of the selected variable
// against the normal law, with its statistics.
#include "core/graphs/picture_layouts.h"
#include "app/graphs/picture_window.h"

namespace tavrel {

class TfmGrDistr : public PictureWindow {
  Q_OBJECT
 public:
  explicit TfmGrDistr(QWidget* parent = nullptr);
  const DistributionLayout& Graph() const { return layout_; }

 protected:
  std::string Layout() override;
  void Paint(QPainter& p) const override;

 private:
  DistributionLayout layout_;
};

}  // namespace tavrel
