#pragma once
// Runs the batch tool as a user would: its output, files and exit code.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "core/commands/command_refusal.h"
#include "test_support.h"

namespace tavrel {

// The batch tool's exit codes of the refusal kinds.
inline const int kInputRefused = ExitCode(RefusalKind::Input);
inline const int kChoiceRefused = ExitCode(RefusalKind::Choice);
inline const int kOutputRefused = ExitCode(RefusalKind::Output);
inline const int kAnalysisFailed = ExitCode(RefusalKind::Analysis);

class CliTest : public test::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    ini_ = WriteFile("Tavrel.ini", test::ReadFile(TAVREL_DIST_INI));
  }
  // Runs tavrel-cli with the arguments (already quoted as needed), after the
  // shell commands of prefix (limits, for one), and unless told otherwise with
  // the test's settings file; returns the exit code.
  int Run(const std::string& args, const std::string& prefix = "", bool withSettings = true) {
    const std::string command = prefix + std::string(TAVREL_CLI) + " " + args + (withSettings ? " --ini " + ini_ : "") +
                                " >" + TempPath("stdout") + " 2>" + TempPath("stderr");
    const int status = std::system(command.c_str());
    out_ = test::ReadFile(TempPath("stdout"));
    err_ = test::ReadFile(TempPath("stderr"));
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  // Forty days of four variables, as the graph tests draw them.
  static std::string FortyDaysTable() {
    std::string text = "Pulse AD Temp Weight\n";
    for (int i = 0; i < 40; ++i)
      text += std::to_string(60 + i % 7) + " " + std::to_string(120 + (i * 3) % 11) + " " +
              std::to_string(36 + i % 3) + " " + std::to_string(70 + (i * 5) % 13) + "\n";
    return text;
  }
  std::string ini_, out_, err_;
};

}  // namespace tavrel
