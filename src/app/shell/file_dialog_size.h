#pragma once
// File dialogs open wide enough to show their columns (name, size, type,
// date) without cutting them off.
class QObject;

namespace tavrel {

// Installed on the application: every file dialog is widened when shown.
void InstallFileDialogSizeOnShow(QObject* application);

}  // namespace tavrel
