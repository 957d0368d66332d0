#pragma once
// Keyboard mnemonics (Alt+letter) for menus and dialog buttons, as desktop
// programs have them. The visible captions stay as they are; only the
// underlined letter is added.
#include <QList>
#include <QString>

class QAction;
class QObject;
class QWidget;

namespace tavrel {

// Gives each caption without a mnemonic the first of its letters that no other
// caption of the group uses yet; captions with one keep it.
QStringList WithMnemonics(const QStringList& captions);

// The same for the actions of a menu or a menu bar.
void AssignMnemonics(const QList<QAction*>& actions);

// The menu bar, every menu of a window and the push buttons of a dialog.
void AssignMnemonics(QWidget* window);

// The caption without its mnemonic marker ("&&" stays a single "&").
QString WithoutMnemonic(const QString& caption);

// Installed on the application: every dialog gets its mnemonics when shown.
void InstallMnemonicsOnShow(QObject* application);

}  // namespace tavrel
