#include <iostream>
#include <string>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "core/commands/command_refusal.h"
#include "core/statistics/diagnostic_accuracy.h"
#include "core/statistics/summary_student.h"
#include "core/statistics/table22.h"

namespace tavrel::cli {

namespace {

// The calculator's arguments: exactly count numbers after its name.
const std::vector<std::string>& Numbers(const Arguments& args, std::size_t count) {
  const std::vector<std::string>& p = args.Positional();
  if (p.size() < count + 1) throw UsageError("не хватает чисел: нужно " + std::to_string(count));
  if (p.size() > count + 1) throw UsageError("лишний аргумент " + p[count + 1]);
  return p;
}

// Prints what the window copies to the clipboard, or its refusal.
int Print(const std::string& refusal, const std::string& clipboard) {
  if (!refusal.empty()) throw CommandRefusal(RefusalKind::Choice, refusal);
  std::cout << clipboard << "\n";
  return 0;
}

}  // namespace

int RunCalc(const std::vector<std::string>& raw) {
  const Arguments args(raw, {"--sem"}, {});
  const std::string& calculator = args.Required(0, "калькулятор");
  if (calculator != "student" && args.Has("--sem")) throw UsageError("--sem только для student");
  if (calculator == "student") {
    const auto& p = Numbers(args, 6);
    SummaryStudentCells cells;
    for (int i = 0; i < 2; ++i) {
      cells.mean[i] = p[1 + 3 * i];
      (args.Has("--sem") ? cells.sem : cells.sigma)[i] = p[2 + 3 * i];
      cells.size[i] = p[3 + 3 * i];
    }
    const SummaryStudentView view = SummaryStudent(cells);
    return Print(view.refusal, view.clipboard);
  }
  if (calculator == "table22") {
    const auto& p = Numbers(args, 4);
    const Table22View view = Table22({{p[1], p[3]}, {p[2], p[4]}});
    return Print(view.refusal, view.clipboard);
  }
  if (calculator == "diagnostic") {
    const auto& p = Numbers(args, 4);
    const DiagnosticView view = Diagnostic({p[1], p[2], p[3], p[4]});
    return Print(view.refusal, view.clipboard);
  }
  throw UsageError("неизвестный калькулятор " + calculator);
}

}  // namespace tavrel::cli
