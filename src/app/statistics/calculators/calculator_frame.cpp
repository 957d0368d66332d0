#include "app/statistics/calculators/calculator_frame.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/shell/message_service.h"
#include "app/shell/tavrel_application.h"

namespace tavrel {

CalculatorButtons LayOutCalculator(QDialog* window, QLayout* grids, const char* closeName,
                                   const std::function<void()>& calculate) {
  CalculatorButtons b;
  b.calculate = new QPushButton(QStringLiteral("Расчет"), window);
  b.calculate->setObjectName(QStringLiteral("btnCalc"));
  b.calculate->setDefault(true);
  b.close = new QPushButton(QStringLiteral("Далее"), window);
  b.close->setObjectName(QString::fromLatin1(closeName));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(b.calculate);
  buttons->addWidget(b.close);
  auto* layout = new QVBoxLayout(window);
  layout->addLayout(grids);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  QObject::connect(b.calculate, &QPushButton::clicked, window, Guarded(calculate));
  QObject::connect(b.close, &QPushButton::clicked, window, &QDialog::accept);
  return b;
}

bool ShowRefusal(const std::string& refusal, QWidget* window) {
  if (refusal.empty()) return false;
  ShowMessage(MessageKind::Warning, refusal, window);
  return true;
}

void CopyResult(const std::string& text) { QGuiApplication::clipboard()->setText(QString::fromStdString(text)); }

}  // namespace tavrel
