#include "app/preparation/tfm_shift.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/data/command_frame.h"
#include "app/shell/program_session.h"
#include "core/data/dataset.h"
#include "core/preparation/transformations.h"
#include "app/shell/busy_cursor.h"
#include "app/shell/message_service.h"

namespace tavrel {

TfmShift::TfmShift(QWidget* parent) : QDialog(parent) {
  setObjectName("TfmShift");
  setWindowTitle(QStringLiteral("Смещение рядов"));
  auto* label = new QLabel(QStringLiteral("Выберите интервал смещения:"), this);
  SpinEdit1 = new QSpinBox(this);
  SpinEdit1->setObjectName("SpinEdit1");
  label->setBuddy(SpinEdit1);
  btbtnOK = new QPushButton(QStringLiteral("Далее"), this);
  btbtnOK->setObjectName("btbtnOK");
  btbtnOK->setDefault(true);
  bbtnCancel = new QPushButton(QStringLiteral("Отмена"), this);
  bbtnCancel->setObjectName("bbtnCancel");
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(btbtnOK);
  buttons->addWidget(bbtnCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(SpinEdit1);
  layout->addLayout(buttons);
  connect(btbtnOK, &QPushButton::clicked, this, &TfmShift::btbtnOKClick);
  connect(bbtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfmShift::Execute() {
  struct WidenAlways {
    ~WidenAlways() { WidenVariables(Data()); }
  } widen;
  const std::int32_t limit = std::max<std::int32_t>(Data().NumObs, 1);
  SpinEdit1->setRange(-limit, limit);
  SpinEdit1->setValue(1);
  SpinEdit1->selectAll();
  exec();
}

void TfmShift::btbtnOKClick() {
  Shf = SpinEdit1->value();
  bool done = false;
  {
    BusyCursor busy;
    done = ShiftSeries(Data(), Shf);
  }
  if (!done) ShowMessage(MessageKind::Warning, std::string(kNotEnoughForShift), this);
  accept();
}

}  // namespace tavrel
