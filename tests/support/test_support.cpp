#include "test_support.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>

#include "app/shell/program_session.h"
#include "core/data/data_input.h"
#include "core/data/dataset.h"
#include "core/data/session.h"
#include "core/data/results_file.h"
#include "core/shell/settings.h"

namespace tavrel::test {

void EngineTest::SetUp() {
  ResetDataSet();
  Data().ExeDir = TAVREL_PROGRAM_DIR;  // where the programs are built, tavrel-xls-reader among them
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

bool MakeDeviceNode(const std::string& path, bool block) {
  if (geteuid() != 0) return false;
  // 1,3 is the null device; 7,0 the first loop device, never opened here.
  if (mknod(path.c_str(), (block ? S_IFBLK : S_IFCHR) | 0666, block ? makedev(7, 0) : makedev(1, 3)) != 0) return false;
  return chmod(path.c_str(), 0666) == 0;
}

bool IsCharacterDevice(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISCHR(info.st_mode);
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
