#pragma once
// The pen bar of the level and mark dialogs: line style buttons, width and colour.
#include <QWidget>

#include "core/data/graph_overlays.h"

class QComboBox;
class QSpinBox;
class QToolButton;

namespace tavrel {

class PenBar : public QWidget {
  Q_OBJECT
 public:
  // withTicksOnly adds the "-" button that draws short ticks instead of lines.
  PenBar(const QColor& initial, const QString& widthHint, bool withTicksOnly, QWidget* parent = nullptr);

  // The pen as chosen; the width stays as given until the width edit changes.
  void ApplyTo(PenSpec& pen) const;
  bool TicksOnly() const;

  QToolButton* SolidPen;
  QToolButton* DashPen;
  QToolButton* DotPen;
  QToolButton* DashDotPen;
  QToolButton* DashDotDotPen;
  QToolButton* NoLinePen = nullptr;
  QSpinBox* PenSize;
  QComboBox* colorBox;

 private:
  bool widthChanged_ = false;
};

}  // namespace tavrel
