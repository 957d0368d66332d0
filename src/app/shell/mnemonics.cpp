#include "app/shell/mnemonics.h"

#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>

namespace tavrel {

namespace {

// The letter after a single "&", or a null character.
QChar MnemonicOf(const QString& caption) {
  for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return caption[i + 1].toLower();
  }
  return {};
}

}  // namespace

QStringList WithMnemonics(const QStringList& captions) {
  QSet<QChar> used;
  for (const QString& caption : captions) {
    if (const QChar m = MnemonicOf(caption); !m.isNull()) used.insert(m);
  }
  QStringList result = captions;
  for (QString& caption : result) {
    if (caption.isEmpty() || !MnemonicOf(caption).isNull()) continue;
    for (qsizetype i = 0; i < caption.size(); ++i) {
      const QChar c = caption[i].toLower();
      if (!caption[i].isLetter() || used.contains(c)) continue;
      used.insert(c);
      caption.insert(i, '&');
      break;
    }
  }
  return result;
}

void AssignMnemonics(const QList<QAction*>& actions) {
  QList<QAction*> captioned;
  QStringList captions;
  for (QAction* a : actions) {
    if (a->isSeparator() || a->text().isEmpty()) continue;
    captioned << a;
    captions << a->text();
  }
  const QStringList marked = WithMnemonics(captions);
  for (qsizetype i = 0; i < captioned.size(); ++i) {
    if (marked[i] != captions[i]) captioned[i]->setText(marked[i]);
  }
}

void AssignMnemonics(QWidget* window) {
  if (auto* main = qobject_cast<QMainWindow*>(window)) {
    QMenuBar* bar = main->menuBar();
    AssignMnemonics(bar->actions());
    for (QAction* a : bar->actions()) {
      if (a->menu()) AssignMnemonics(a->menu()->actions());
    }
  }
  const QList<QPushButton*> buttons = window->findChildren<QPushButton*>();
  QStringList captions;
  for (QPushButton* b : buttons) captions << b->text();
  const QStringList marked = WithMnemonics(captions);
  for (qsizetype i = 0; i < buttons.size(); ++i) {
    if (marked[i] != captions[i]) buttons[i]->setText(marked[i]);
  }
}

QString WithoutMnemonic(const QString& caption) {
  QString plain;
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    plain += caption[i];
  }
  return plain;
}

class MnemonicsOnShow : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      if (auto* dialog = qobject_cast<QDialog*>(watched)) AssignMnemonics(dialog);
    }
    return false;
  }
};

void InstallMnemonicsOnShow(QObject* application) {
  application->installEventFilter(new MnemonicsOnShow(application));
}

}  // namespace tavrel
