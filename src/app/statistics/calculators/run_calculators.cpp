#include "app/statistics/calculators/run_calculators.h"

#include "app/statistics/calculators/tfm_ds.h"
#include "app/statistics/calculators/tfm_student1.h"
#include "app/statistics/calculators/tfm_table22.h"

namespace tavrel {

void RunTable22(QWidget* parent) {
  TfmTable22 window(parent);
  window.exec();
}

void RunDiagnostic(QWidget* parent) {
  TfmDs window(parent);
  window.exec();
}

void RunStudent(QWidget* parent) {
  TfmStudent1 window(parent);
  window.exec();
}

}  // namespace tavrel
