#pragma once
// What the three calculator windows share around their grids: the buttons
// "Расчет" and "Далее", the refusal message and the copied result.
#include <QDialog>
#include <functional>
#include <string>

class QLayout;
class QPushButton;

namespace tavrel {

// The buttons of a calculator: "Расчет" (the default button) and "Далее",
// which closes the window, named as the window names them.
struct CalculatorButtons {
  QPushButton* calculate;
  QPushButton* close;
};

// Lays the window out, the grids above the buttons at the bottom right, with
// a size that fits them. "Расчет" runs calculate guarded; "Далее", Escape and
// the close box close the window.
CalculatorButtons LayOutCalculator(QDialog* window, QLayout* grids, const char* closeName,
                                   const std::function<void()>& calculate);

// Shows a refusal as a warning; true when there was one.
bool ShowRefusal(const std::string& refusal, QWidget* window);

// Puts the result text on the clipboard.
void CopyResult(const std::string& text);

}  // namespace tavrel
