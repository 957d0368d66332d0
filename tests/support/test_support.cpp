#include "test_support.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>

#include "core/data/data_input.h"
#include "core/data/dataset.h"
#include "core/data/session.h"
#include "core/data/results_file.h"
#include "core/shell/settings.h"

namespace tavrel::test {

void EngineTest::SetUp() {
  ResetDataSet();
  ResetSettings();
  ResultsFile().Close();
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  dir_ = std::filesystem::temp_directory_path() /
         ("tavrel-" + std::to_string(getpid()) + "-" + info->test_suite_name() + "-" + info->name());
  std::filesystem::remove_all(dir_);
  std::filesystem::create_directories(dir_);
}

void EngineTest::TearDown() {
  ResultsFile().Close();
  std::filesystem::remove_all(dir_);
}

std::string EngineTest::TempPath(const std::string& name) const { return (dir_ / name).string(); }

std::string EngineTest::WriteFile(const std::string& name, const std::string& bytes) const {
  const std::string path = TempPath(name);
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

std::string EngineTest::LoadText(const std::string& text, const std::string& name) const {
  const std::string path = WriteFile(name, text);
  const LoadOutcome outcome = LoadDataFile(path, ProgramSession());
  EXPECT_TRUE(outcome.loaded) << outcome.warning;
  return path;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

std::string MaskDateTime(const std::string& text) {
  static const std::regex kDateLine(" Дата: [0-9.]+     Время: [0-9:]+");
  return std::regex_replace(text, kDateLine, " Дата: ДД.ММ.ГГГГ     Время: ЧЧ:ММ:СС");
}

void ExpectGolden(const std::string& text, const std::string& name) {
  const std::string path = std::string(TAVREL_TEST_DATA) + "/golden/" + name;
  const std::string masked = MaskDateTime(text);
  const char* update = std::getenv("TAVREL_UPDATE_GOLDEN");
  if (update && std::string(update) == "1") {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << masked;
    return;
  }
  EXPECT_EQ(masked, ReadFile(path)) << "golden file " << path;
}

}  // namespace tavrel::test

// Under AddressSanitizer: FreeXL's known over-read on a damaged .xls happens in
// the reader's child process, which then fails the load as it should; the
// suppression keeps the child's report out of the test log.
extern "C" const char* __asan_default_options() { return "suppressions=" TAVREL_ASAN_SUPPRESSIONS; }
