#include "app/shell/tfm_about_bx.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/shell/program_session.h"
#include "core/base/program_version.h"
#include "core/data/dataset.h"

namespace tavrel {

TfmAboutBx::TfmAboutBx(std::unique_ptr<TunePlayer> player, QWidget* parent)
    : QDialog(parent), player_(std::move(player)) {
  setObjectName("TfmAboutBx");
  setWindowTitle(QStringLiteral("О программе"));

  imgPicture = new QLabel(this);
  imgPicture->setObjectName("imgPicture");
  imgPicture->setPixmap(QPixmap(QStringLiteral(":/pictures/tavrel-128.png")));
  imgPicture->setAlignment(Qt::AlignTop);

  auto label = [this](const char* name, const QString& text, double scale, bool bold) {
    auto* l = new QLabel(text, this);
    l->setObjectName(name);
    QFont font = l->font();
    font.setPointSizeF(font.pointSizeF() * scale);
    font.setBold(bold);
    l->setFont(font);
    return l;
  };
  lblTitle = label("lblTitle", QStringLiteral("Статистика"), 1.6, true);
  lblSubtitle = label("lblSubtitle", QStringLiteral("многодневных данных"), 1.6, true);
  lblVersion =
      label("lblVersion", QStringLiteral("Tavrel, версия ") + QString::fromStdString(VersionText()), 1.0, false);
  lblNote = label("lblNote",
                  QStringLiteral("Анализ, кластеры и графики рядов наблюдений.\n© 2026, разработчики Tavrel"),
                  0.9, false);

  OKButton = new QPushButton(QStringLiteral("OK"), this);
  OKButton->setObjectName("OKButton");
  OKButton->setDefault(true);
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

  auto* texts = new QVBoxLayout;
  texts->addWidget(lblTitle);
  texts->addWidget(lblSubtitle);
  texts->addSpacing(12);
  texts->addWidget(lblVersion);
  texts->addWidget(lblNote);
  texts->addStretch();
  auto* top = new QHBoxLayout;
  top->addWidget(imgPicture);
  top->addSpacing(16);
  top->addLayout(texts, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OKButton);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

TfmAboutBx::~TfmAboutBx() {
  if (playing_) player_->Stop();
}

void TfmAboutBx::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (playing_ || tuneFile_.isEmpty() || !player_ || !QFileInfo(tuneFile_).isFile()) return;
  player_->PlayLoop(tuneFile_);
  playing_ = true;
}

void TfmAboutBx::hideEvent(QHideEvent* event) {
  if (playing_) player_->Stop();
  playing_ = false;
  QDialog::hideEvent(event);
}

void RunAbout(QWidget* parent, std::unique_ptr<TunePlayer> player) {
  TfmAboutBx box(std::move(player), parent);
  box.SetTune(QString::fromStdString(Data().ExeDir) + QStringLiteral("tavrel.mid"));
  box.exec();
}

}  // namespace tavrel
