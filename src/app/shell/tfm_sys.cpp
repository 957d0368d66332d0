#include "app/shell/tfm_sys.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tavrel {

namespace {

constexpr double kGiB = 1073741824.0;
constexpr double kMiB = 1048576.0;

// One decimal with the user's decimal separator, without group separators.
QString Amount(std::optional<double> value, double unit, const QString& suffix) {
  if (!value) return {};
  QLocale locale;
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  return locale.toString(*value / unit, 'f', 1) + suffix;
}

}  // namespace

TfmSys::TfmSys(const SystemInfo& info, QWidget* parent) : QDialog(parent) {
  setObjectName("TfmSys");
  setWindowTitle(QStringLiteral("Системная информация"));
  const QString gb = QStringLiteral(" Гб");
  const std::pair<QString, QString> rows[] = {
      // The sixth letter of the first key is a Latin "c", as the program has always shown it.
      {QStringLiteral("Ресурcы RAM памяти"), Amount(info.memoryTotalBytes, kGiB, gb)},
      {QStringLiteral("Занято RAM программой"), Amount(info.processMemoryBytes, kMiB, QStringLiteral(" Мб"))},
      {QStringLiteral("Свободно на диске"), Amount(info.diskFreeBytes, kGiB, gb)},
      {QStringLiteral("Ресурсы диска"), Amount(info.diskTotalBytes, kGiB, gb)},
      {QStringLiteral("Процессор"), QString::fromStdString(info.processor)},
      {QStringLiteral("Материнская плата"), QString::fromStdString(BoardText(info))},
      {QStringLiteral("Операционная система"), QString::fromStdString(info.systemName)},
      {QStringLiteral("Версия системы"), QString::fromStdString(info.kernelVersion)},
  };

  vlSys = new QTableWidget(static_cast<int>(std::size(rows)), 2, this);
  vlSys->setObjectName("vlSys");
  vlSys->setHorizontalHeaderLabels({QStringLiteral("Показатель"), QStringLiteral("Значение")});
  vlSys->verticalHeader()->hide();
  vlSys->horizontalHeader()->setStretchLastSection(true);
  vlSys->setColumnWidth(0, 165);
  vlSys->setSelectionMode(QAbstractItemView::SingleSelection);
  vlSys->setWordWrap(false);
  int row = 0;
  for (const auto& [key, value] : rows) {
    auto* keyItem = new QTableWidgetItem(key);
    keyItem->setFlags(Qt::ItemIsEnabled);
    vlSys->setItem(row, 0, keyItem);
    auto* valueItem = new QTableWidgetItem(value);
    valueItem->setToolTip(value);
    vlSys->setItem(row, 1, valueItem);
    ++row;
  }

  btnCancel = new QPushButton(QStringLiteral("Отмена"), this);
  btnCancel->setObjectName("btnCancel");
  btnCancel->setDefault(true);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btnCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(vlSys);
  layout->addLayout(buttons);
  int height = vlSys->horizontalHeader()->height() + 2 * vlSys->frameWidth();
  for (int r = 0; r < vlSys->rowCount(); ++r) height += vlSys->rowHeight(r);
  vlSys->setMinimumHeight(height);
  resize(560, sizeHint().height());
}

void RunSystemInformation(QWidget* parent) {
  TfmSys window(ReadSystemInfo("/", QDir::currentPath().toStdString()), parent);
  window.exec();
}

}  // namespace tavrel
