#pragma once
// The calculator commands of the main window; each window is made for the
// command and freed after it.

class QWidget;

namespace tavrel {

// "Таблица "2x2"".
void RunTable22(QWidget* parent);
// "Диагностика".
void RunDiagnostic(QWidget* parent);
// "Различие средних ".
void RunStudent(QWidget* parent);

}  // namespace tavrel
