#include "app/graphs/pen_bar.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QPixmap>
#include <QSpinBox>
#include <QToolButton>

#include "draw/graphs/canvas.h"

namespace tavrel {

namespace {

// The standard colours of the colour box.
const std::pair<const char*, std::uint32_t> kStandardColors[] = {
    {"Черный", 0x000000}, {"Бордовый", kMaroon}, {"Зеленый", 0x008000},   {"Оливковый", 0x808000},
    {"Синий", kNavy},     {"Пурпурный", 0x800080}, {"Сине-зеленый", 0x008080}, {"Серый", 0x808080},
    {"Серебристый", 0xC0C0C0}, {"Красный", 0xFF0000}, {"Салатовый", 0x00FF00}, {"Желтый", 0xFFFF00},
    {"Голубой", 0x0000FF}, {"Фуксия", 0xFF00FF},  {"Бирюзовый", 0x00FFFF},  {"Белый", 0xFFFFFF}};

QIcon StyleIcon(int style) {
  QPixmap pixmap(24, 12);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setPen(StyledPen(Qt::black, 1, style));
  p.drawLine(1, 6, 22, 6);
  return QIcon(pixmap);
}

QIcon ColorIcon(std::uint32_t rgb) {
  QPixmap pixmap(16, 12);
  pixmap.fill(RgbColor(rgb));
  return QIcon(pixmap);
}

}  // namespace

PenBar::PenBar(const QColor& initial, const QString& widthHint, bool withTicksOnly, QWidget* parent)
    : QWidget(parent) {
  setObjectName("PenBar");
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  auto* group = new QButtonGroup(this);
  auto styleButton = [&](const char* name, int style, const QString& hint) {
    auto* b = new QToolButton(this);
    b->setObjectName(name);
    b->setIcon(StyleIcon(style));
    b->setToolTip(hint);
    b->setCheckable(true);
    group->addButton(b, style);
    row->addWidget(b);
    return b;
  };
  SolidPen = styleButton("SolidPen", kPenSolid, QStringLiteral("Непрерывная линия"));
  DashPen = styleButton("DashPen", kPenDash, QStringLiteral("Пунктирная линия"));
  DotPen = styleButton("DotPen", kPenDot, QStringLiteral("Точечная линия"));
  DashDotPen = styleButton("DashDotPen", kPenDashDot, QStringLiteral("Декоративная линия (1)"));
  DashDotDotPen = styleButton("DashDotDotPen", kPenDashDotDot, QStringLiteral("Декоративная линия (2)"));
  if (withTicksOnly) {
    NoLinePen = new QToolButton(this);
    NoLinePen->setObjectName("NoLinePen");
    NoLinePen->setText(QStringLiteral("-"));
    NoLinePen->setToolTip(QStringLiteral("Метка"));
    NoLinePen->setCheckable(true);
    group->addButton(NoLinePen, -2);
    row->addWidget(NoLinePen);
  }
  SolidPen->setChecked(true);
  PenSize = new QSpinBox(this);
  PenSize->setObjectName("PenSize");
  PenSize->setRange(0, 255);
  PenSize->setValue(1);
  PenSize->setToolTip(widthHint);
  connect(PenSize, &QSpinBox::valueChanged, this, [this] { widthChanged_ = true; });
  row->addWidget(PenSize);
  colorBox = new QComboBox(this);
  colorBox->setObjectName("colorBox");
  colorBox->setToolTip(QStringLiteral("Цвет линии"));
  for (const auto& [name, rgb] : kStandardColors) colorBox->addItem(ColorIcon(rgb), QString::fromUtf8(name), rgb);
  colorBox->setCurrentIndex(colorBox->findData(static_cast<std::uint32_t>(initial.rgb() & 0xFFFFFF)));
  row->addWidget(colorBox);
  row->addStretch();
}

void PenBar::ApplyTo(PenSpec& pen) const {
  for (QToolButton* b : {SolidPen, DashPen, DotPen, DashDotPen, DashDotDotPen}) {
    if (b->isChecked()) pen.style = static_cast<int>(b == SolidPen        ? kPenSolid
                                                     : b == DashPen       ? kPenDash
                                                     : b == DotPen        ? kPenDot
                                                     : b == DashDotPen    ? kPenDashDot
                                                                          : kPenDashDotDot);
  }
  if (widthChanged_) pen.width = PenSize->value();
  pen.rgb = colorBox->currentData().toUInt();
}

bool PenBar::TicksOnly() const { return NoLinePen && NoLinePen->isChecked(); }

}  // namespace tavrel
